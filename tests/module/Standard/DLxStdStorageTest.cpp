// Storage of the drafting-standard objects: the type GUIDs and versions they are saved under,
// the record of each version, the form earlier builds saved, and the parts-list standard's
// factory values, row keys and their upgrade.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>

#include "BofM/DLxPartListColumnHeaders.h"
#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxStdRegistration.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "dl/DLxLocalBOMColumn.h"
#include "du/DUxStandard.h"
#include "du/DUxSymUnitAttr.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

std::unique_ptr<RSeDatabase> Load(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return db;
}

std::vector<uint8_t> Save(RSeDatabase* db) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db->SaveToBuffer(bytes).Failed());
    return bytes;
}

// Declares the classes below `cls` (base first) so that a hand-written record can carry them.
void AddBases(TstDocWriter& w, const char16_t* cls) {
    std::vector<RSeMetaType*> bases;
    for (RSeMetaType* mt = RSeMetaType::Find(cls)->GetBase(); mt; mt = mt->GetBase())
        bases.push_back(mt);
    for (auto it = bases.rbegin(); it != bases.rend(); ++it)
        w.AddClass((*it)->GetName(), (*it)->GetVersion());
}

template <class T> T* Find(RSeDatabase* db, uint32_t id) {
    return dynamic_cast<T*>(db->FindObject(id));
}

TEST(DLxStdStorage, ClassesAreSavedUnderTheirTypeGuidsAndVersions) {
    struct Case {
        const char16_t* name;
        const char* guid;
        uint16_t version;
    };
    const Case cases[] = {
        {u"DLxCBalloonStd", "{9fdbc584-991c-11d2-b2e5-0060b0fbe8cf}", 3},
        {u"DLxCBalloonStdGB", "{0f201980-06d6-11d3-bf27-00104bb54a0b}", 0},
        {u"DLxCDatumStd", "{dac8fd60-3c9d-11d2-b266-0060080d10e6}", 1},
        {u"DLxCFCFStd", "{ef0b04c0-3c9b-11d2-b266-0060080d10e6}", 2},
        {u"DLxCFCFStdANSI", "{aba86186-3cfb-11d2-be88-080009dc42f8}", 1},
        {u"DLxCIdStdJIS", "{968f69bc-5342-11d2-9b93-0060b087bcec}", 0},
        {u"DLxCPartListStd", "{9fdbc589-991c-11d2-b2e5-0060b0fbe8cf}", 5},
        {u"DLxCPartListStdBSI", "{a7e957e1-13fe-11d3-bf33-00104bb54a0b}", 0},
        {u"DLxCSurfTextStdBSI", "{a7e957e2-13fe-11d3-bf33-00104bb54a0b}", 0},
        {u"DLxCColumnDef", "{a2e573e6-9f6d-11d2-b2e8-0060b0fbe8cf}", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.name));
        RSeMetaType* mt = RSeMetaType::Find(c.name);
        ASSERT_NE(mt, nullptr);
        UTxGUID guid;
        ASSERT_TRUE(UTxGUID::Parse(std::string_view(c.guid), guid));
        EXPECT_EQ(mt->GetGUID(), guid);
        EXPECT_EQ(mt->GetVersion(), c.version);
    }
    // BSI surface texture derives from the kind's base, GB from ISO.
    EXPECT_EQ(RSeMetaType::Find(u"DLxCSurfTextStdBSI")->GetBase()->GetName(), u"DLxCSurfTextStd");
    EXPECT_EQ(RSeMetaType::Find(u"DLxCSurfTextStdGB")->GetBase()->GetName(), u"DLxCSurfTextStdISO");
}

// A drawing saved by earlier builds names the frame standards by GUIDs they no longer have and
// keeps their fields in another order: it still loads with the same values, and saves in the
// current form, which then loads and saves to the same bytes. Its lengths are the numbers it
// stored (the factory values of then), not today's factory values.
TEST(DLxStdStorage, FrameStandardsOfEarlierBuildsLoadAndSaveInTheCurrentForm) {
    const char* root = std::getenv("KORVU_TEST_DATA");
    ASSERT_NE(root, nullptr);
    std::ifstream in(std::filesystem::path(root) / "fuzz/corpus/document_load/two-frames.kvd",
                     std::ios::binary);
    ASSERT_TRUE(in);
    const std::vector<uint8_t> old{std::istreambuf_iterator<char>(in), {}};
    std::unique_ptr<RSeDatabase> db = Load(old);
    ASSERT_TRUE(db);
    FWxSceneDoc loaded(std::move(db));
    FWxSceneDoc fresh;
    const struct {
        const UTxGUID* standard;
        double whiteSpace; // as stored
    } rows[] = {{&DUxStandardGUID::GetISOGuid(), 0.1},
                {&DUxStandardGUID::GetJISGuid(), 0.1},
                {&DUxStandardGUID::GetANSIGuid(), 0.089},
                {&DLxGBStandardGUID, 0.1}};
    for (const auto& row : rows) {
        const UTxGUID* standard = row.standard;
        SCOPED_TRACE(standard->ToString());
        auto* a = dynamic_cast<DLxCFCFStd*>(
            DUxStandardUtil::GetCategoryDefault(&loaded, *standard, DLxCFCFStd::kCategory).get());
        auto* b = dynamic_cast<DLxCFCFStd*>(
            DUxStandardUtil::GetCategoryDefault(&fresh, *standard, DLxCFCFStd::kCategory).get());
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(typeid(*a), typeid(*b));
        EXPECT_EQ(a->m_EndPadding, b->m_EndPadding);
        EXPECT_EQ(a->m_FrameGap, 2.0);
        EXPECT_EQ(a->m_WhiteSpace, row.whiteSpace);
        EXPECT_EQ(a->m_UseCommonSetting, b->m_UseCommonSetting);
        EXPECT_EQ(a->m_GdtSymbols, b->m_GdtSymbols);
        EXPECT_EQ(a->m_AuxSymbols, b->m_AuxSymbols);
        EXPECT_TRUE(a->m_SymUnitAttr.HasTarget());
    }
    const std::vector<uint8_t> saved = Save(loaded.GetRSeDb());
    std::unique_ptr<RSeDatabase> back = Load(saved);
    ASSERT_TRUE(back);
    EXPECT_EQ(Save(back.get()), saved);
    // The made-up family is gone from the file.
    const uint8_t former[] = {0x50, 0x00, 0x5d, 0x7e}; // first word of the old base's GUID
    EXPECT_EQ(std::search(saved.begin(), saved.end(), std::begin(former), std::end(former)),
              saved.end());
}

// The frame standard's record by version, written by hand: version 0 stops before the
// use-common-setting flag and gets new unit attributes; 1 and 2 hold the whole record with the
// symbol lists before the flag. A JIS standard with three auxiliary symbols gets three more.
TEST(DLxStdStorage, FrameStandardRecordsOfEachVersion) {
    FWxSceneDoc doc;
    DUxCategoryDefault* model = DUxStandardUtil::GetCategoryDefault(
                                    &doc, DUxStandardGUID::GetJISGuid(), DLxCFCFStd::kCategory)
                                    .get();
    ASSERT_NE(model, nullptr);
    for (uint16_t version : {uint16_t(0), uint16_t(1), uint16_t(2)}) {
        for (size_t aux : {size_t(3), size_t(4)}) {
            SCOPED_TRACE(testing::Message() << "version " << version << ", aux " << aux);
            TstDocWriter w;
            AddBases(w, u"DLxCFCFStd");
            w.AddClass(u"DLxCFCFStd", version);
            const uint32_t jis = w.AddClass(u"DLxCFCFStdJIS", 0);
            w.BeginSegment(u"Standards");
            RSeStream& s = w.BeginRecord(jis, 1);
            RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr))->_Save(model, s);
            for (bool flag : {true, false, true, false, true, false})
                s.Write(flag);
            s.Write(2.5);
            s.Write(0.75);
            for (size_t n : {size_t(2), aux}) {
                s.Write(RSeTypeCode::kVector);
                s.Write(uint32_t(n));
                s.Write(uint32_t(n));
                s.WriteNoTypeMark();
                for (size_t i = 0; i < n; ++i)
                    s.Write(uint32_t(i % 2));
            }
            if (version > 0) {
                s.Write(false);
                w.RefValue(0);
            }
            w.EndRecord();
            std::unique_ptr<RSeDatabase> db = Load(w.Finish(10));
            ASSERT_TRUE(db);
            auto* std = Find<DLxCFCFStdJIS>(db.get(), 1);
            ASSERT_NE(std, nullptr);
            EXPECT_TRUE(std->m_SepProjected);
            EXPECT_FALSE(std->m_SepDatumId);
            EXPECT_TRUE(std->m_MergeDatum);
            EXPECT_FALSE(std->m_EndPadding);
            EXPECT_EQ(std->m_FrameGap, 2.5);
            EXPECT_EQ(std->m_WhiteSpace, 0.75);
            EXPECT_EQ(std->m_GdtSymbols, (std::vector<uint32_t>{0, 1}));
            std::vector<uint32_t> auxExpected;
            for (size_t i = 0; i < aux; ++i)
                auxExpected.push_back(uint32_t(i % 2));
            if (aux == 3) auxExpected.insert(auxExpected.end(), 3, 1u);
            EXPECT_EQ(std->m_AuxSymbols, auxExpected);
            EXPECT_EQ(std->m_UseCommonSetting, version == 0);
            EXPECT_EQ(std->m_SymUnitAttr.HasTarget(), version == 0);
            if (version == 0) {
                EXPECT_EQ(std->m_SymUnitAttr->GetSegment(), std->GetSegment());
            }
        }
    }
}

// The balloon standard's size is 1.0 after any older record, whatever it held; version 2
// keeps its item columns, 0 and 1 (and the former form) hold the type only.
TEST(DLxStdStorage, BalloonStandardRecordsOfEachVersion) {
    FWxSceneDoc doc;
    DUxCategoryDefault* model = DUxStandardUtil::GetCategoryDefault(
                                    &doc, DUxStandardGUID::GetISOGuid(), DLxCBalloonStd::kCategory)
                                    .get();
    ASSERT_NE(model, nullptr);
    for (uint16_t version : {uint16_t(0), uint16_t(1), uint16_t(2), uint16_t(3)}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        AddBases(w, u"DLxCBalloonStd");
        w.AddClass(u"DLxCBalloonStd", version);
        const uint32_t iso = w.AddClass(u"DLxCBalloonStdISO", 0);
        w.BeginSegment(u"Standards");
        RSeStream& s = w.BeginRecord(iso, 1);
        RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr))->_Save(model, s);
        s.Write(int32_t(5));
        if (version == 1 || version == 2) s.Write(true);
        if (version >= 2) {
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(1));
            s.Write(uint32_t(1));
            s.WriteNoTypeMark();
            w.RefValue(0); // a column that is gone reads null
            s.Write(2.5);
        }
        w.EndRecord();
        std::unique_ptr<RSeDatabase> db = Load(w.Finish(10));
        ASSERT_TRUE(db);
        auto* std = Find<DLxCBalloonStdISO>(db.get(), 1);
        ASSERT_NE(std, nullptr);
        EXPECT_EQ(std->GetDefaultBalloonType(), 5);
        EXPECT_EQ(std->GetBalloonSize(), version == 3 ? 2.5 : 1.0);
        EXPECT_EQ(std->GetItemColumns().size(), version >= 2 ? 1u : 0u);
    }
}

// The datum standard's version 0 stops before the unit settings: it gets use-common-setting and
// unit attributes of its own; version 1 holds them.
TEST(DLxStdStorage, DatumStandardRecordsOfEachVersion) {
    FWxSceneDoc doc;
    DUxCategoryDefault* model = DUxStandardUtil::GetCategoryDefault(
                                    &doc, DUxStandardGUID::GetDINGuid(), DLxCDatumStd::kCategory)
                                    .get();
    ASSERT_NE(model, nullptr);
    for (uint16_t version : {uint16_t(0), uint16_t(1)}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        AddBases(w, u"DLxCDatumStd");
        w.AddClass(u"DLxCDatumStd", version);
        const uint32_t din = w.AddClass(u"DLxCDatumStdDIN", 0);
        w.BeginSegment(u"Standards");
        RSeStream& s = w.BeginRecord(din, 1);
        RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr))->_Save(model, s);
        s.Write(true);
        for (double d : {0.5, 1.5, 2.5, 3.5, 4.5})
            s.Write(d);
        s.Write(uint32_t(0xFF00FF));
        s.Write(int16_t(3));
        s.Write(int16_t(4));
        if (version == 1) {
            s.Write(false);
            w.RefValue(0);
        }
        w.EndRecord();
        std::unique_ptr<RSeDatabase> db = Load(w.Finish(10));
        ASSERT_TRUE(db);
        auto* std = Find<DLxCDatumStdDIN>(db.get(), 1);
        ASSERT_NE(std, nullptr);
        EXPECT_TRUE(std->m_DrawLeaderArrow);
        EXPECT_EQ(std->m_HatchAngle, 0.5);
        EXPECT_EQ(std->m_PointSize, 4.5);
        EXPECT_EQ(std->m_PointColor, 0xFF00FFu);
        EXPECT_EQ(std->m_BorderLineId, 3);
        EXPECT_EQ(std->m_HiddenLeaderLineId, 4);
        EXPECT_EQ(std->m_UseCommonSetting, version == 0);
        EXPECT_EQ(std->m_SymUnitAttr.HasTarget(), version == 0);
        const std::vector<uint8_t> saved = Save(db.get());
        std::unique_ptr<RSeDatabase> back = Load(saved);
        ASSERT_TRUE(back);
        EXPECT_EQ(Save(back.get()), saved);
    }
}

// ---- the parts-list standard

// Headings and title come from the resource module, which loading the module opens.
class PartListStdTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    DLxCPartListStd* Get(const UTxGUID& standard) {
        return dynamic_cast<DLxCPartListStd*>(
            DUxStandardUtil::GetCategoryDefault(&doc, standard, DLxCPartListStd::kCategory).get());
    }
    static std::vector<std::pair<int32_t, int32_t>> Keys(DLxCPartListStd& s) {
        std::vector<RSeRef<DUxRowKey>> keys;
        EXPECT_TRUE(s.GetRowKeys(keys));
        std::vector<std::pair<int32_t, int32_t>> out;
        for (const auto& k : keys)
            out.emplace_back(k.Read()->getType(), k.Read()->getGeneralPID());
        return out;
    }
    HMODULE m_module = nullptr;
    FWxSceneDoc doc;
};

TEST_F(PartListStdTest, EveryStandardGetsTheFactoryValuesAndDefaultColumns) {
    const std::vector<std::pair<int32_t, int32_t>> threeDefaults(3, {1, 56111});
    for (const UTxGUID* standard :
         {&DUxStandardGUID::GetANSIGuid(), &DUxStandardGUID::GetBSIGuid(),
          &DUxStandardGUID::GetDINGuid(), static_cast<const UTxGUID*>(&DLxGBStandardGUID),
          &DUxStandardGUID::GetISOGuid(), &DUxStandardGUID::GetJISGuid()}) {
        SCOPED_TRACE(standard->ToString());
        DLxCPartListStd* s = Get(*standard);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->GetLayoutCodeA(), 0);
        EXPECT_EQ(s->GetLayoutCodeB(), 0);
        EXPECT_EQ(s->GetLayoutCodeC(), 1);
        // Factory lengths are held in sheet millimetres.
        EXPECT_DOUBLE_EQ(s->GetGapA(), 0.9);
        EXPECT_DOUBLE_EQ(s->GetGapB(), 0.9);
        EXPECT_EQ(s->GetTitle(), u"Parts List");
        EXPECT_TRUE(s->GetUseTitle());
        EXPECT_EQ(s->GetNestedDelimiter(), u".");
        EXPECT_TRUE(s->GetNestedInheritanceFlag());
        EXPECT_EQ(s->GetRowKeyMode(), 0);
        EXPECT_EQ(Keys(*s), threeDefaults);
        ASSERT_TRUE(s->GetColumnHeaders().HasTarget());
        EXPECT_GT(s->GetColumnHeaders().Read()->GetColumnCount(), 0);
        const auto& defs = s->GetColumnDefs();
        ASSERT_EQ(defs.size(), 4u);
        const struct {
            const char16_t* name;
            double width;
            int32_t second;
        } expected[] = {{u"Item", 15.0, 1},
                        {u"Qty", 10.0, 1},
                        {u"Part Number", 60.0, 1},
                        {u"Description", 60.0, 0}};
        for (size_t i = 0; i < 4; ++i) {
            const DLxCColumnDef* d = defs[i].Read();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->GetName(), expected[i].name);
            EXPECT_EQ(d->GetWidth(), expected[i].width);
            EXPECT_EQ(d->GetFirst(), 1);
            EXPECT_EQ(d->GetSecond(), expected[i].second);
            EXPECT_EQ(d->GetColumn(), int16_t(i));
        }
    }
}

// A style filled from a standard draws a sensible table on a millimetre sheet: gaps near 1 mm,
// the displayed columns of the standard's headers at widths of 15 to 50 mm, the title, and the
// standard's norm text as the description. A second copy changes nothing.
TEST_F(PartListStdTest, CopyToStyleFillsAPartsListStyleFromEveryStandard) {
    const struct {
        const UTxGUID* standard;
        const char16_t* norm;
    } cases[] = {{&DUxStandardGUID::GetANSIGuid(), u"ASME Y14.36M - 1989"},
                 {&DUxStandardGUID::GetBSIGuid(), u"BS 142 - 1992"},
                 {&DUxStandardGUID::GetDINGuid(), u"DIN 6771 - 1987"},
                 {&DLxGBStandardGUID, u"GB/T  GB 10609.2-89"},
                 {&DUxStandardGUID::GetISOGuid(), u"ISO 7573 - 1983"},
                 {&DUxStandardGUID::GetJISGuid(), u"ISO 7573 - 1983"}};
    // Item number and quantity are the bill's own columns; part number and description are
    // the model's general properties, which the bill holds too.
    const struct {
        const char16_t* heading;
        bool billColumn;
        DLxLocalBOMColumn::Kind kind;
        double width;
    } columns[] = {{u"Item", true, DLxLocalBOMColumn::Item, 20.0},
                   {u"Qty", true, DLxLocalBOMColumn::Quantity, 15.0},
                   {u"Part Number", true, DLxLocalBOMColumn::PartNumber, 50.0},
                   {u"Description", true, DLxLocalBOMColumn::Description, 50.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard->ToString());
        DLxCPartListStd* s = Get(*c.standard);
        ASSERT_NE(s, nullptr);
        RSeRef<DUxTableStylePartsList> style(
            DUxTableStylePartsList::CreateStyle(RSe::SegmentOf(doc.GetRSeDb()), u"PL"));
        // Values the standard does not hold, so that every one has to be written.
        style->SetTitle(u"old");
        style->SetUseTitle(false);
        style->SetRowGap(7.0);
        style->SetHeadingGap(7.0);
        style->SetLineSpacing(3);
        style->SetHeading(DUxTableStyle::eNoHeading);
        style->SetDirection(DUxTableStyle::eBottomUp);
        s->CopyToStyle(RSeRef<FWxStyle>(style.get()));

        EXPECT_EQ(style->GetStyleDescription(), c.norm);
        EXPECT_EQ(style->GetTitle(), u"Parts List");
        EXPECT_TRUE(style->UseTitle());
        EXPECT_DOUBLE_EQ(style->GetRowGap(), 0.9);
        EXPECT_DOUBLE_EQ(style->GetHeadingGap(), 0.9);
        EXPECT_EQ(style->GetLineSpacing(), 0);
        EXPECT_EQ(style->GetHeading(), DUxTableStyle::eHeadingTop);
        EXPECT_EQ(style->GetDirection(), DUxTableStyle::eTopDown);
        const DUxTableColumnList& got = style->GetColumns();
        ASSERT_EQ(got.size(), std::size(columns));
        for (size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            const DUxTableStyleColumn* col = got[i].Read();
            ASSERT_NE(col, nullptr);
            EXPECT_EQ(col->GetPropertyID()->GetPropertyExternalName(), columns[i].heading);
            DLxLocalBOMColumn bomColumn;
            ASSERT_EQ(DLxLocalBOMColumn::FromPropertyID(*col->GetPropertyID(), bomColumn),
                      columns[i].billColumn);
            if (columns[i].billColumn) {
                EXPECT_EQ(bomColumn.GetKind(), columns[i].kind);
            }
            EXPECT_EQ(col->GetWidth(), columns[i].width);
            EXPECT_EQ(RSe::SegmentOf(col), RSe::SegmentOf(style.get()));
        }
        const int32_t edits = style->GetEditCount();
        EXPECT_GE(edits, 8);
        const DUxTableStyleColumn* first = got[0].Read();
        s->CopyToStyle(RSeRef<FWxStyle>(style.get()));
        EXPECT_EQ(style->GetEditCount(), edits);
        EXPECT_EQ(style->GetColumns()[0].Read(), first);
    }
}

// A standard without column headers (a loaded one whose headers vanished) makes the default ones
// before it fills a style, and keeps them.
TEST_F(PartListStdTest, CopyToStyleMakesMissingColumnHeadersFirst) {
    const UTxGUID& din = DUxStandardGUID::GetDINGuid();
    auto* bare = new (RSe::_GetMeta(static_cast<const DLxCPartListStdDIN*>(nullptr)),
                      RSe::SegmentOf(doc.GetRSeDb()))
        DLxCPartListStdDIN(&doc, DLxCPartListStd::kCategory, din);
    ASSERT_FALSE(bare->GetColumnHeaders().HasTarget());
    RSeRef<DUxTableStylePartsList> style(
        DUxTableStylePartsList::CreateStyle(RSe::SegmentOf(doc.GetRSeDb()), u"PL"));
    bare->CopyToStyle(RSeRef<FWxStyle>(style.get()));
    EXPECT_TRUE(bare->GetColumnHeaders().HasTarget());
    EXPECT_EQ(bare->GetColumnDefs().size(), 4u);
    ASSERT_EQ(style->GetColumns().size(), 4u);
    EXPECT_EQ(style->GetColumns()[2].Read()->GetWidth(), 50.0);
    // Its own title stays empty, as the constructor leaves it.
    EXPECT_EQ(style->GetTitle(), u"");
    EXPECT_EQ(style->GetStyleDescription(), u"DIN 6771 - 1987");
}

// A key of type 3 or 4 comes back as the default key and the standard keeps the replacement.
TEST_F(PartListStdTest, RowKeysOfTypesThreeAndFourAreReplacedForGood) {
    DLxCPartListStd* s = Get(DUxStandardGUID::GetISOGuid());
    ASSERT_NE(s, nullptr);
    RSeSegment* seg = s->GetSegment();
    std::vector<RSeRef<DUxRowKey>> given{DUxRowKey::New(seg, 3, 7, u""),
                                         DUxRowKey::New(seg, 5, -1, u""),
                                         DUxRowKey::New(seg, 4, 9, u"")};
    EXPECT_EQ(s->SetRowKeys(given), 3);
    const std::vector<std::pair<int32_t, int32_t>> expected{{1, 56111}, {5, -1}, {1, 56111}};
    EXPECT_EQ(Keys(*s), expected);
    std::vector<RSeRef<DUxRowKey>> first, second;
    s->GetRowKeys(first);
    s->GetRowKeys(second);
    EXPECT_EQ(first[0].Read(), second[0].Read());
    // Stored copies: the keys given are the caller's.
    EXPECT_NE(first[1].Read(), given[1].Read());
}

TEST_F(PartListStdTest, SavedStandardLoadsWithItsValuesAndSavesToTheSameBytes) {
    DLxCPartListStd* s = Get(DLxGBStandardGUID);
    ASSERT_NE(s, nullptr);
    RSeSegment* seg = s->GetSegment();
    s->SetRowKeys({DUxRowKey::New(seg, 5, -1, u""), DUxRowKey::New(seg, 1, 7, u"x")});
    const std::vector<uint8_t> bytes = Save(doc.GetRSeDb());
    std::unique_ptr<RSeDatabase> db = Load(bytes);
    ASSERT_TRUE(db);
    EXPECT_EQ(Save(db.get()), bytes);
    auto* back = Find<DLxCPartListStdGB>(db.get(), s->GetId());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetTitle(), u"Parts List");
    EXPECT_DOUBLE_EQ(back->GetGapA(), 0.9);
    ASSERT_EQ(back->GetColumnDefs().size(), 4u);
    EXPECT_EQ(back->GetColumnDefs()[3].Read()->GetName(), u"Description");
    EXPECT_TRUE(back->GetColumnHeaders().HasTarget());
    const std::vector<std::pair<int32_t, int32_t>> keys{{5, -1}, {1, 7}};
    EXPECT_EQ(Keys(*back), keys);
}

// Versions 2 to 4 keep integer row keys that the row-key migrator turns into key objects;
// version 2 lacks delimiter and inheritance, 3 the mode; 0 and 1 get three default keys and
// default column headers.
TEST_F(PartListStdTest, OlderRecordsGetTheirRowKeysFromTheMigrator) {
    DLxCPartListStd* model = Get(DUxStandardGUID::GetISOGuid());
    ASSERT_NE(model, nullptr);
    for (uint16_t version : {uint16_t(0), uint16_t(2), uint16_t(3), uint16_t(4)}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        AddBases(w, u"DLxCPartListStd");
        w.AddClass(u"DLxCPartListStd", version);
        const uint32_t iso = w.AddClass(u"DLxCPartListStdISO", 0);
        w.BeginSegment(u"Standards");
        RSeStream& s = w.BeginRecord(iso, 1);
        RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr))->_Save(model, s);
        s.Write(int32_t(2));
        s.Write(int32_t(3));
        s.Write(int32_t(4));
        s.Write(0.5);
        s.Write(0.25);
        s.Write(int32_t(1));
        s.Write(UTxString16(u"Old"));
        s.Write(int32_t(1));
        s.Write(RSeTypeCode::kVector); // no column definitions
        s.Write(uint32_t(0));
        w.RefValue(0); // column headers (old ones for versions 0 and 1)
        if (version >= 2) {
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(3));
            s.Write(uint32_t(3));
            s.WriteNoTypeMark();
            for (int32_t v : {22388, -3, 7})
                s.Write(v);
        }
        if (version >= 3) {
            s.Write(UTxString16(u"-"));
            s.Write(false);
        }
        if (version >= 4) s.Write(int32_t(2));
        w.EndRecord();
        std::unique_ptr<RSeDatabase> db = Load(w.Finish(10));
        ASSERT_TRUE(db);
        auto* std = Find<DLxCPartListStdISO>(db.get(), 1);
        ASSERT_NE(std, nullptr);
        EXPECT_EQ(std->GetLayoutCodeC(), 4);
        EXPECT_EQ(std->GetGapB(), 0.25);
        EXPECT_EQ(std->GetTitle(), u"Old");
        EXPECT_EQ(std->GetNestedDelimiter(), version >= 3 ? u"-" : u".");
        EXPECT_EQ(std->GetNestedInheritanceFlag(), version < 3);
        EXPECT_EQ(std->GetRowKeyMode(), version >= 4 ? 2 : 0);
        const std::vector<std::pair<int32_t, int32_t>> migrated{{1, 56111}, {5, -1}, {1, 7}};
        const std::vector<std::pair<int32_t, int32_t>> defaults(3, {1, 56111});
        EXPECT_EQ(Keys(*std), version >= 2 ? migrated : defaults);
        EXPECT_EQ(std->GetColumnHeaders().HasTarget(), version < 2);
        // Loaded once, it is saved in the current form.
        const std::vector<uint8_t> saved = Save(db.get());
        std::unique_ptr<RSeDatabase> back = Load(saved);
        ASSERT_TRUE(back);
        EXPECT_EQ(Save(back.get()), saved);
    }
}

// Runs a function as the body of one change request, so that it can be undone.
class TstRunRequest : public FWxChangeRequest {
public:
    explicit TstRunRequest(std::function<void()> body) : m_body(std::move(body)) {}
    UTxResult Script(FWxSceneDoc*) override { return {}; }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        return tdx.GetResult();
    }
    UTxResult _Execute(FWxSceneDoc*) override {
        m_body();
        return {};
    }

private:
    std::function<void()> m_body;
};

// New keys, the replacement of a type-3 key and new default columns are all undone and redone
// to the same bytes.
TEST_F(PartListStdTest, RowKeysAndFactoryValuesAreUndoneToTheSameBytes) {
    DLxCPartListStd* s = Get(DUxStandardGUID::GetDINGuid());
    ASSERT_NE(s, nullptr);
    const std::vector<uint8_t> before = Save(doc.GetRSeDb());
    ASSERT_FALSE(
        doc.ProcessChangeRequest(new TstRunRequest([&] {
               RSeSegment* seg = s->GetSegment();
               s->SetRowKeys({DUxRowKey::New(seg, 3, 1, u""), DUxRowKey::New(seg, 6, -1, u"")});
               std::vector<RSeRef<DUxRowKey>> keys;
               s->GetRowKeys(keys);
               s->setFactoryDefaults();
           }))
            .Failed());
    const std::vector<uint8_t> after = Save(doc.GetRSeDb());
    EXPECT_NE(after, before);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Save(doc.GetRSeDb()), before);
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(Save(doc.GetRSeDb()), after);
}

// The oldest records name column headers of either generation, or none: current headers are
// taken over, older ones converted (and deleted after the load), none replaced by the defaults.
TEST_F(PartListStdTest, OldestRecordsTakeOverOrConvertTheirColumnHeaders) {
    DLxCPartListStd* model = Get(DUxStandardGUID::GetISOGuid());
    ASSERT_NE(model, nullptr);
    enum Old { kNone, kCurrent, kOlder };
    for (uint16_t version : {uint16_t(0), uint16_t(1)}) {
        for (Old old : {kNone, kCurrent, kOlder}) {
            SCOPED_TRACE(testing::Message() << "version " << version << ", old " << old);
            TstDocWriter w;
            AddBases(w, u"DLxCPartListStd");
            w.AddClass(u"DLxCPartListStd", version);
            const uint32_t iso = w.AddClass(u"DLxCPartListStdISO", 0);
            const uint32_t current = w.AddClass(u"DLxPartListColumnHeaders", 0);
            const uint32_t older = w.AddClass(u"DLxColumnHeaders", 0);
            w.BeginSegment(u"Standards");
            RSeStream& s = w.BeginRecord(iso, 1);
            RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr))->_Save(model, s);
            for (int32_t v : {0, 0, 1})
                s.Write(v);
            s.Write(0.09);
            s.Write(0.09);
            s.Write(int32_t(1));
            s.Write(UTxString16(u"T"));
            s.Write(int32_t(1));
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(0));
            if (old == kNone)
                w.RefValue(0);
            else
                w.Ref(1);
            w.EndRecord();
            if (old == kCurrent) {
                DLxPartListColumnHeaders headers(false);
                RSeStream& h = w.BeginRecord(current, 2);
                RSe::_GetMeta(static_cast<const DLxPartListColumnHeaders*>(nullptr))
                    ->_Save(&headers, h);
                w.EndRecord();
            } else if (old == kOlder) {
                DLxColumnHeaders headers;
                RSeStream& h = w.BeginRecord(older, 2);
                RSe::_GetMeta(static_cast<const DLxColumnHeaders*>(nullptr))->_Save(&headers, h);
                w.EndRecord();
            }
            std::unique_ptr<RSeDatabase> db = Load(w.Finish(10));
            ASSERT_TRUE(db);
            auto* std = Find<DLxCPartListStdISO>(db.get(), 1);
            ASSERT_NE(std, nullptr);
            const DLxPartListColumnHeaders* headers = std->GetColumnHeaders().Read();
            ASSERT_NE(headers, nullptr);
            if (old == kCurrent) {
                EXPECT_EQ(headers->GetId(), 2u);
            }
            EXPECT_EQ(headers->GetColumnCount() > 0, old == kNone);
            if (old == kOlder) {
                EXPECT_EQ(db->FindObject(2), nullptr);
            }
            const std::vector<uint8_t> saved = Save(db.get());
            std::unique_ptr<RSeDatabase> back = Load(saved);
            ASSERT_TRUE(back);
            EXPECT_EQ(Save(back.get()), saved);
        }
    }
}

TEST(DLxStdStorage, RowKeyMigratorMapsStoredIntegers) {
    const struct {
        int32_t stored;
        std::pair<int32_t, int32_t> key;
    } cases[] = {{22388, {1, 56111}}, {-1, {1, 56111}}, {-2, {1, 56111}}, {-3, {5, -1}},
                 {-4, {6, -1}},       {-5, {7, -1}},    {7, {1, 7}},      {-6, {1, -6}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(DLxCPartListStdRowKeyMigrator::KeyFor(c.stored), c.key);
    }
}

} // namespace
