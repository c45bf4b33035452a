// Parts-list columns and their headers: headings, ownership of what a column holds, the column
// lists' edits, the edit record and transcript forms, stored versions, and unit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPersistUtil.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "du/DUxDimStyleUnitVals.h"
#include "fb/FBxObjectEditRecord.h"
#include "rd/RDxUnit.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

using Id = DLxPartListPropertyId;
using Column = DLxPartListColumn;

std::unique_ptr<RSeDatabase> Load(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return db;
}

std::unique_ptr<RSeDatabase> Reload(RSeDatabase& db) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db.SaveToBuffer(bytes).Failed());
    return Load(bytes);
}

// Headings come from the resource module, which loading the module opens.
class ColumnFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    Column* General(int32_t id) { return Column::New(m_seg, Id::eGeneral, id, 5.0, 1, 0); }
    Column* Custom(const char16_t* name) {
        return Column::New(m_seg, UTxString16(name), Id::eCustom, -1, 3.0, 1, 0);
    }
    RSeRef<DUxDimStyleUnitVals> Units(int32_t lengthUnit, int32_t precision) {
        DUxDimStyleUnitVals* v = DUxDimStyleUnitVals::New(m_seg);
        v->UpdateLengthUnits(lengthUnit);
        v->SetLinearPrecision(precision);
        v->SetDecimalPoint(false);
        v->SetFractionalHeight(0.75f);
        return RSeRef<DUxDimStyleUnitVals>(v);
    }
    // A column with every field set away from its default.
    Column* Full() {
        Column* c = Column::New(m_seg, u"Mass [kg]", Id::eMass, -1, 4.5, 2, 3);
        c->SetPropertyDataType(2, Units(5, 3));
        c->SetFormatMode(4);
        c->SetIntOption(16);
        RSeRef<Id> sub(Id::New(m_seg, Id::eCustom, -1, u"Weight"));
        c->SetSubstitute(2, sub);
        RSe::DeleteObject(sub.get()); // the column keeps a copy
        c->SetSubstituteUnitValues(Units(0, 1));
        c->SetSubstituteFormatMode(5);
        c->SetSubstituteOutputUnitType(12);
        return c;
    }
    static void ExpectSameUnits(const RSeRef<DUxDimStyleUnitVals>& a,
                                const RSeRef<DUxDimStyleUnitVals>& b) {
        ASSERT_EQ(bool(a), bool(b));
        if (a) {
            EXPECT_TRUE(a.Read()->SameValues(*b.Read()));
        }
    }
    static void ExpectSameColumn(const Column& a, const Column& b) {
        EXPECT_EQ(a.GetHeader(), b.GetHeader());
        ASSERT_TRUE(a.GetPropertyId() && b.GetPropertyId());
        EXPECT_EQ(a.GetPropertyId()->GetType(), b.GetPropertyId()->GetType());
        EXPECT_EQ(a.GetPropertyId()->GetGeneralId(), b.GetPropertyId()->GetGeneralId());
        EXPECT_EQ(a.GetPropertyId()->GetCustomId(), b.GetPropertyId()->GetCustomId());
        EXPECT_EQ(a.GetWidth(), b.GetWidth());
        EXPECT_EQ(a.GetHeaderAlignment(), b.GetHeaderAlignment());
        EXPECT_EQ(a.GetColumnAlignment(), b.GetColumnAlignment());
        ExpectSameUnits(a.GetUnitValues(), b.GetUnitValues());
        EXPECT_EQ(a.GetPropertyDataType(), b.GetPropertyDataType());
        EXPECT_EQ(a.GetFormatMode(), b.GetFormatMode());
        EXPECT_EQ(a.GetOutputUnitType(), b.GetOutputUnitType());
        ASSERT_EQ(bool(a.GetSubstitutePropertyId()), bool(b.GetSubstitutePropertyId()));
        if (a.GetSubstitutePropertyId()) {
            EXPECT_TRUE(a.GetSubstitutePropertyId()->IsSameProperty(*b.GetSubstitutePropertyId()));
        }
        ExpectSameUnits(a.GetSubstituteUnitValues(), b.GetSubstituteUnitValues());
        EXPECT_EQ(a.GetSubstituteBehavior(), b.GetSubstituteBehavior());
        EXPECT_EQ(a.GetSubstituteFormatMode(), b.GetSubstituteFormatMode());
        EXPECT_EQ(a.GetSubstituteOutputUnitType(), b.GetSubstituteOutputUnitType());
    }

    HMODULE m_module = nullptr;
    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
};

TEST_F(ColumnFixture, HeadingsComeFromTheGivenTextOrTheProperty) {
    struct Case {
        const char16_t* header;
        Id::PropertyType type;
        int32_t general;
        const char16_t* heading;
        const char16_t* customId;
    };
    const Case cases[] = {
        {u"", Id::eCustom, -1, u"", u""},
        {u"", Id::eGeneral, 5, u"Part Number", u""},
        {u"", Id::eQuantity, -1, u"Qty", u""},
        {u"Finish", Id::eCustom, 7, u"Finish", u"Finish"},
        {u"Number", Id::eGeneral, 5, u"Number", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " '" << UTx::ToUtf8(c.header) << "'");
        Column* col = Column::New(m_seg, UTxString16(c.header), c.type, c.general, 1.0, 1, 0);
        EXPECT_EQ(col->GetHeader(), c.heading);
        EXPECT_EQ(col->GetPropertyId()->GetCustomId(), c.customId);
        EXPECT_EQ(col->GetPropertyId()->GetSegment(), m_seg);
        EXPECT_EQ(col->IsCustomPropertyColumn(), c.type == Id::eCustom);
    }
    EXPECT_EQ(General(29)->GetHeader(), u"Description");
}

// Replacing what a column owns deletes the old object; giving it back its own keeps it; a copy
// or an assignment never shares an owned object with the source.
TEST_F(ColumnFixture, AColumnOwnsItsIdsAndUnitValues) {
    Column* c = Full();
    const uint32_t units = c->GetUnitValues()->GetId();
    c->SetUnitValues(Units(2, 2));
    EXPECT_EQ(m_db.FindObject(units), nullptr);
    EXPECT_EQ(c->GetPropertyDataType(), 3);
    c->SetUnitValues({});
    EXPECT_EQ(c->GetPropertyDataType(), 1);
    c->SetPropertyDataType(2, Units(1, 1));
    const uint32_t kept = c->GetUnitValues()->GetId();
    c->SetPropertyDataType(1, c->GetUnitValues());
    EXPECT_FALSE(c->GetUnitValues());
    EXPECT_EQ(m_db.FindObject(kept), nullptr);

    const RSeRef<Id> sub = c->GetSubstitutePropertyId();
    c->SetSubstitute(7, sub);
    EXPECT_EQ(c->GetSubstitutePropertyId().get(), sub.get());
    EXPECT_EQ(c->GetSubstituteBehavior(), 7);
    c->SetSubstitute(0, {});
    EXPECT_FALSE(sub);

    Column* source = Full();
    Column* copy = Column::New(m_seg, *source, m_seg);
    Column* assigned = Custom(u"Other");
    assigned->Assign(*source);
    EXPECT_EQ(assigned->GetPropertyId()->GetCustomId(), u"Other"); // its property stays
    for (Column* c2 : {copy, assigned}) {
        EXPECT_NE(c2->GetUnitValues().get(), source->GetUnitValues().get());
        EXPECT_NE(c2->GetSubstitutePropertyId().get(), source->GetSubstitutePropertyId().get());
        EXPECT_NE(c2->GetSubstituteUnitValues().get(), source->GetSubstituteUnitValues().get());
    }
    ExpectSameColumn(*copy, *source);
    RSe::DeleteObject(source);
    EXPECT_TRUE(copy->GetUnitValues() && assigned->GetUnitValues());
    EXPECT_TRUE(assigned->GetSubstitutePropertyId() && assigned->GetSubstituteUnitValues());
    assigned->Assign(*assigned); // nothing
    EXPECT_TRUE(assigned->GetUnitValues());
}

TEST_F(ColumnFixture, DefaultHeadersDisplayItemQuantityPartNumberAndDescription) {
    DLxPartListColumnHeaders* h = DLxPartListColumnHeaders::New(m_seg, true);
    EXPECT_EQ(h->GetDisplayedHeaders(),
              (std::vector<UTxString16>{u"Item", u"Qty", u"Part Number", u"Description"}));
    // Every general property of the parts list but 20, 38 and 39, then the five own ones.
    EXPECT_EQ(h->GetColumnCount(), 12 + 5);
    EXPECT_EQ(h->GetCreatedCount(), h->GetColumnCount());
    for (const auto& c : h->GetColumns()) {
        const int32_t general = c->GetPropertyId()->GetGeneralId();
        EXPECT_TRUE(general != 20 && general != 38 && general != 39);
    }
    EXPECT_EQ(h->GetFirstList(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(h->GetSecondList(), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(h->GetDisplayedColumn(1)->GetWidth(), 1.5);
    EXPECT_FALSE(h->GetDisplayedColumn(-1));
    EXPECT_FALSE(h->GetDisplayedColumn(h->GetDisplayedCount()));
    EXPECT_FALSE(h->GetColumn(h->GetColumnCount()));

    const int32_t before = h->GetColumnCount();
    h->AddMissingGeneralColumns();
    EXPECT_EQ(h->GetColumnCount(), before);
    EXPECT_FALSE(h->AddColumn(*General(5)));
    EXPECT_EQ(h->GetColumnCount(), before);

    // Survives a save and a load, owned columns included.
    auto again = Reload(m_db);
    auto* loaded = dynamic_cast<DLxPartListColumnHeaders*>(again->FindObject(h->GetId()));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetDisplayedHeaders(), h->GetDisplayedHeaders());
    EXPECT_EQ(loaded->GetColumnCount(), before);
}

TEST_F(ColumnFixture, DisplayedColumnsFollowAddAndRemove) {
    DLxPartListColumnHeaders* h = DLxPartListColumnHeaders::New(m_seg, false);
    std::vector<Column*> columns{General(1), General(2), Custom(u"A"),
                                 General(3), General(4), Custom(u"B")};
    for (Column* c : columns)
        ASSERT_TRUE(h->AddColumn(*c));
    EXPECT_EQ(h->GetDisplayedCount(), 0);
    auto refs = [](std::initializer_list<Column*> list) {
        std::vector<RSeRef<Column>> out;
        for (Column* c : list)
            out.emplace_back(c);
        return out;
    };
    Column* unknown = General(14);    // not in the list: dropped
    Column* newCustom = Custom(u"C"); // not in the list: added
    EXPECT_EQ(h->SetDisplayedColumns(refs({columns[0], columns[3], unknown, columns[2],
                                           columns[5]})),
              5);
    EXPECT_EQ(h->GetDisplayedPositions(), (std::vector<int32_t>{0, 3, 2, 5}));

    EXPECT_FALSE(h->RemoveColumn(columns[1]));
    EXPECT_FALSE(h->RemoveColumn(nullptr));
    EXPECT_FALSE(h->RemoveColumn(Custom(u"Z")));
    const uint32_t removed = h->GetColumn(2)->GetId();
    EXPECT_TRUE(h->RemoveColumn(columns[2]));
    EXPECT_EQ(h->GetDisplayedPositions(), (std::vector<int32_t>{0, 2, 4}));
    EXPECT_EQ(m_db.FindObject(removed), nullptr);
    EXPECT_EQ(h->GetColumnCount(), 5);

    h->SetDisplayedColumns(refs({newCustom, columns[4]}));
    EXPECT_EQ(h->GetColumnCount(), 6);
    EXPECT_EQ(h->GetDisplayedPositions(), (std::vector<int32_t>{5, 3}));
    EXPECT_NE(h->GetColumn(5).get(), newCustom); // a copy joined the list

    // A displayed column takes the given column's settings.
    Column* wide = General(4);
    wide->SetHeader(u"Four");
    h->SetDisplayedColumn(0, *wide);
    EXPECT_EQ(h->GetDisplayedPositions(), (std::vector<int32_t>{3, 3}));
    EXPECT_EQ(h->GetDisplayedHeaders(), (std::vector<UTxString16>{u"Four", u"Four"}));
}

TEST_F(ColumnFixture, EditRecordsAndTranscriptsGiveTheColumnBack) {
    Column* full = Full();
    Column* plain = General(5);
    for (Column* c : {full, plain}) {
        SCOPED_TRACE(UTx::ToUtf8(c->GetHeader()));
        RSeRef<Column> fromRecord(Column::New(nullptr, c->MakeEditRecord()));
        ExpectSameColumn(*fromRecord, *c);
        EXPECT_EQ(fromRecord->GetPropertyId()->GetSegment(), RSe::TransientSegment());

        UTxString16 line;
        UTxResult result;
        RSeRef<Column> given(c);
        {
            UCxTranscriptDataExchange tdx(line, result, nullptr, true);
            EXPECT_FALSE(DLxTDXUtil::Transcript(tdx, u"Col3", given, false).Failed());
        }
        RSeRef<Column> read;
        UCxTranscriptDataExchange tdx(line, result, nullptr, false);
        EXPECT_FALSE(DLxTDXUtil::Transcript(tdx, u"Col3", read, false).Failed());
        ASSERT_TRUE(read);
        ExpectSameColumn(*read, *c);
        EXPECT_NE(line.find(u"Col3HeaderAligment="), UTxString16::npos);
        EXPECT_NE(line.find(u"Col3PartListPropertyIdPropertyType="), UTxString16::npos);
    }

    // A record without keys reads as defaults; a missing units flag means no unit values.
    RSeRef<Column> empty(Column::New(nullptr, FBxObjectEditRecord(u"Column")));
    EXPECT_EQ(empty->GetHeader(), u"");
    EXPECT_FALSE(empty->GetUnitValues());
    EXPECT_EQ(empty->GetPropertyId()->GetType(), 0);

    UTxString16 line = u"TstRequest PHeadString=\"X\" PPartListPropertyIdPropertyType=2 "
                       u"PPartListPropertyIdGeneralPropId=-1 "
                       u"PPartListPropertyIdCustomPropId=\"X\" PHeaderWidth=2.0 "
                       u"PHeaderAligment=1 PColumnAligment=0 PPartListColumnPropDataType=3";
    UTxResult result;
    RSeRef<Column> read;
    UCxTranscriptDataExchange tdx(line, result, nullptr, false);
    EXPECT_FALSE(DLxTDXUtil::Transcript(tdx, u"P", read, false).Failed()) << result.GetMessageUtf8();
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->GetUnitValues());
    EXPECT_EQ(read->GetPropertyDataType(), 1);
    EXPECT_EQ(read->GetOutputUnitType(), 1);

    UTxString16 units = u"TstRequest U_LengthUnits=5 U_DecimalPoint=true U_FractionalFormat=false "
                        u"U_LinearPrecision=3 U_DecimalFormat=true U_AngularPrecision=1 "
                        u"U_SlashFormat=false U_FractionalHeight=0.5 U_LeadingZero=true "
                        u"U_TrailingZero=false U_ShowUnitString=true";
    RSeRef<DUxDimStyleUnitVals> values;
    UCxTranscriptDataExchange utdx(units, result, nullptr, false);
    EXPECT_FALSE(DLxTDXUtil::Transcript(utdx, u"U", values, false).Failed())
        << result.GetMessageUtf8();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->GetLengthUnits(), 5);
    EXPECT_EQ(values->GetLinearPrecision(), 3);
    EXPECT_EQ(values->GetFractionalHeight(), 0.5f);
    EXPECT_TRUE(values->GetShowUnitString());
}

TEST_F(ColumnFixture, EveryStoredVersionLoadsWithTheDefaultsOfWhatItLacked) {
    for (uint16_t version : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t idMeta = w.AddClass(u"DLxPartListPropertyId", 0);
        const uint32_t unitMeta = w.AddClass(u"DUxDimStyleUnitVals", 0);
        const uint32_t colMeta = w.AddClass(u"DLxPartListColumn", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(colMeta, 1);
        s.Write(UTxString16(u"Weight"));
        w.Ref(1);
        s.Write(2.5);
        s.Write(int32_t(1));
        s.Write(int32_t(2));
        if (version >= 1) {
            w.Ref(2);
            s.Write(int32_t(2)); // data type
            s.Write(int32_t(3)); // format mode
            w.RefValue(0);       // no substitute
            w.RefValue(0);
            s.Write(int32_t(4)); // substitute behaviour
            s.Write(int32_t(5)); // substitute format mode
        }
        if (version >= 2) {
            s.Write(int32_t(16)); // output unit type, after the substitute fields
            s.Write(int32_t(12));
        }
        w.EndRecord();
        RSeStream& t = w.BeginRecord(idMeta, 2);
        t.Write(int32_t(Id::eMass));
        t.Write(int32_t(-1));
        t.Write(UTxString16());
        w.EndRecord();
        RSeStream& u = w.BeginRecord(unitMeta, 3);
        DUxDimStyleUnitVals model;
        model.UpdateLengthUnits(7);
        model.Save(u);
        w.EndRecord();
        auto db = Load(w.Finish(4));
        ASSERT_TRUE(db);
        auto* c = dynamic_cast<Column*>(db->FindObject(1));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->GetHeader(), u"Weight");
        EXPECT_EQ(c->GetPropertyType(), Id::eMass);
        EXPECT_EQ(c->GetWidth(), 2.5);
        EXPECT_EQ(c->GetColumnAlignment(), 2);
        EXPECT_EQ(bool(c->GetUnitValues()), version >= 1);
        if (version >= 1) {
            EXPECT_EQ(c->GetUnitValues()->GetLengthUnits(), 7);
        }
        EXPECT_EQ(c->GetPropertyDataType(), version >= 1 ? 2 : 1);
        EXPECT_EQ(c->GetFormatMode(), version >= 1 ? 3 : 0);
        EXPECT_EQ(c->GetSubstituteBehavior(), version >= 1 ? 4 : 0);
        EXPECT_EQ(c->GetSubstituteFormatMode(), version >= 1 ? 5 : 0);
        EXPECT_EQ(c->GetOutputUnitType(), version >= 2 ? 16 : 1);
        EXPECT_EQ(c->GetSubstituteOutputUnitType(), version >= 2 ? 12 : 1);
        EXPECT_FALSE(c->GetSubstitutePropertyId());

        auto again = Reload(*db);
        auto* d = dynamic_cast<Column*>(again->FindObject(1));
        ASSERT_NE(d, nullptr);
        ExpectSameColumn(*d, *c);
    }

    // The current form keeps every field, the substitute included.
    Column* full = Full();
    auto again = Reload(m_db);
    auto* loaded = dynamic_cast<Column*>(again->FindObject(full->GetId()));
    ASSERT_NE(loaded, nullptr);
    ExpectSameColumn(*loaded, *full);
}

// The oldest headers: parallel vectors turned into columns; a displayed position that names no
// column is dropped when the headers load.
TEST_F(ColumnFixture, OldestHeadersConvertAndBadPositionsAreDropped) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t idMeta = w.AddClass(u"DLxPartListPropertyId", 0);
    const uint32_t oldMeta = w.AddClass(u"DLxColumnHeaders", 0);
    const uint32_t headersMeta = w.AddClass(u"DLxPartListColumnHeaders", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(oldMeta, 1);
    DLxPersistUtil::WriteVector(s, std::vector<int32_t>{1, 0});
    s.Write(RSeTypeCode::kVector);
    s.Write(uint32_t(2));
    s.Write(uint32_t(2));
    s.WriteTypeMark(RSe::_GetMeta(static_cast<const void*>(nullptr)));
    w.Ref(1);
    w.Ref(2);
    DLxPersistUtil::WriteVector(s, std::vector<double>{2.0, 1.5});
    DLxPersistUtil::WriteVector(s, std::vector<int32_t>{1, 1});
    DLxPersistUtil::WriteVector(s, std::vector<int32_t>{0, 1});
    DLxPersistUtil::WriteVector(s, std::vector<int32_t>{0, 0, 0});
    DLxPersistUtil::WriteVector(s, std::vector<int32_t>{1, 1, 1});
    s.Write(int32_t(2));
    w.EndRecord();
    for (Id::PropertyType type : {Id::eItemNumber, Id::eQuantity}) {
        RSeStream& t = w.BeginRecord(idMeta, type == Id::eItemNumber ? 2 : 3);
        t.Write(int32_t(type));
        t.Write(int32_t(-1));
        t.Write(UTxString16());
        w.EndRecord();
    }
    RSeStream& h = w.BeginRecord(headersMeta, 4); // displays 0, 7 and -1 of no columns
    DLxPersistUtil::WriteVector(h, std::vector<int32_t>{0, 7, -1});
    DLxPersistUtil::WriteVector(h, std::vector<RSeRef<Column>>{});
    DLxPersistUtil::WriteVector(h, std::vector<int32_t>{});
    DLxPersistUtil::WriteVector(h, std::vector<int32_t>{});
    h.Write(int32_t(0));
    w.EndRecord();
    auto db = Load(w.Finish(5));
    ASSERT_TRUE(db);
    auto* old = dynamic_cast<DLxColumnHeaders*>(db->FindObject(1));
    auto* target = dynamic_cast<DLxPartListColumnHeaders*>(db->FindObject(4));
    ASSERT_TRUE(old && target);
    EXPECT_EQ(target->GetDisplayedCount(), 0);
    EXPECT_EQ(old->GetDisplayedCount(), 2);

    old->ConvertToPartListColumns(*target);
    EXPECT_EQ(target->GetDisplayedHeaders(), (std::vector<UTxString16>{u"Qty", u"Item"}));
    EXPECT_EQ(target->GetColumn(1)->GetWidth(), 1.5);
    EXPECT_EQ(target->GetColumn(1)->GetColumnAlignment(), 1);
    EXPECT_EQ(target->GetFirstList(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(target->GetCreatedCount(), 2);
    // The columns hold copies: deleting the old record leaves them whole.
    RSe::DeleteObject(old);
    EXPECT_EQ(target->GetColumn(0)->GetPropertyType(), Id::eItemNumber);
}

// A column or a header list copied without what it owns gets copies of its own: the source
// and the copy never share an owned object, so deleting one leaves the other whole.
TEST_F(ColumnFixture, ClonesOwnWhatTheyHold) {
    Column* full = Full();
    DLxPartListColumnHeaders* headers = DLxPartListColumnHeaders::New(m_seg, false);
    headers->AddColumn(*full);
    RSeSegment* other = m_db.CreateSegment(u"Other");
    for (RSeVMeta* source : std::vector<RSeVMeta*>{full, headers}) {
        SCOPED_TRACE(source == full ? "column" : "headers");
        RSeCloneCommander cc(other);
        ASSERT_FALSE(cc.Clone({source}).Failed());
        const Column* original = source == full ? full : headers->GetColumn(0).Read();
        const Column* copy = source == full
                                 ? dynamic_cast<const Column*>(cc.CloneOf(full))
                                 : dynamic_cast<DLxPartListColumnHeaders*>(cc.CloneOf(headers))
                                       ->GetColumn(0)
                                       .Read();
        ASSERT_TRUE(copy && copy != original);
        EXPECT_NE(copy->GetPropertyId().get(), original->GetPropertyId().get());
        EXPECT_NE(copy->GetUnitValues().get(), original->GetUnitValues().get());
        EXPECT_NE(copy->GetSubstitutePropertyId().get(), original->GetSubstitutePropertyId().get());
        EXPECT_NE(copy->GetSubstituteUnitValues().get(), original->GetSubstituteUnitValues().get());
        EXPECT_EQ(copy->GetPropertyId()->GetSegment(), other);
        ExpectSameColumn(*copy, *original);
    }
    RSe::DeleteObject(headers);
    RSe::DeleteObject(full);
    auto again = Reload(m_db); // the copies are whole
    ASSERT_TRUE(again);
}

TEST(UnitCodes, SimpleUnitsHaveTheirCodes) {
    struct Case {
        std::shared_ptr<const RDxUnit> unit;
        int32_t code;
        bool known;
    };
    const Case cases[] = {
        {std::make_shared<RDxUnitMeter>(0.001), 0, true},
        {std::make_shared<RDxUnitMeter>(0.01), 1, true},
        {std::make_shared<RDxUnitMeter>(0.0100000001), 1, true},
        {std::make_shared<RDxUnitMeter>(1.0), 2, true},
        {std::make_shared<RDxUnitMeter>(1000.0), 3, true},
        {std::make_shared<RDxUnitMeter>(0.1), 1, false},
        {std::make_shared<RDxUnitMicron>(), 4, true},
        {std::make_shared<RDxUnitInch>(0.0254), 5, true},
        {std::make_shared<RDxUnitFoot>(), 6, true},
        {std::make_shared<RDxUnitYard>(), 7, true},
        {std::make_shared<RDxUnitMile>(), 8, true},
        {std::make_shared<RDxUnitNauticalMile>(), 9, true},
        {std::make_shared<RDxUnitGram>(1.0), 12, true},
        {std::make_shared<RDxUnitGram>(1000.0), 16, true},
        {std::make_shared<RDxUnitGram>(0.001), 12, false},
        {std::make_shared<RDxUnitSlug>(), 13, true},
        {std::make_shared<RDxUnitLbMass>(), 14, true},
        {std::make_shared<RDxUnitOunceMass>(), 15, true},
        {std::make_shared<RDxUnitLiter>(), 17, true},
        {std::make_shared<RDxUnitGallon>(), 18, true},
        {std::make_shared<RDxUnitQuart>(), 19, true},
        {std::make_shared<RDxUnitPint>(), 20, true},
        {std::make_shared<RDxUnitOunceVolume>(), 22, true},
        {std::make_shared<RDxUnit>(), 1, false},
        {nullptr, 1, false},
    };
    const RDxUnitContext context;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        int32_t code = -7;
        EXPECT_EQ(UnitCodeOf(cases[i].unit.get(), &context, code), cases[i].known);
        EXPECT_EQ(code, cases[i].code);
    }
}

TEST(UnitCodes, TheDocumentLengthUnitIsItsCurrentSystemsSimpleUnit) {
    int32_t code = -7;
    EXPECT_FALSE(GetDocumentLengthUnit(nullptr, code));
    EXPECT_EQ(code, 1);

    RDxUnitManager units;
    EXPECT_TRUE(GetDocumentLengthUnit(&units, code)); // centimetres
    EXPECT_EQ(code, 1);
    units.System().SetCurrent(
        units.System().Add(RDxUnitSystem(RDxUnitComplex(std::make_shared<RDxUnitInch>(0.0254)))));
    EXPECT_TRUE(GetDocumentLengthUnit(&units, code));
    EXPECT_EQ(code, 5);
    RDxUnitComplex area;
    area.Multiply(std::make_shared<RDxUnitMeter>(1.0), 2);
    units.System().SetCurrent(units.System().Add(RDxUnitSystem(area)));
    code = -7;
    EXPECT_FALSE(GetDocumentLengthUnit(&units, code));
    EXPECT_EQ(code, 1);
}

} // namespace
