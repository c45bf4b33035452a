// Property identification of the parts-list model: sameness, display names, the properties made
// for a component, the transcript keys, the older property's versions and the item-number
// ranges of older lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "TstDocWriter.h"
#include "TstStoredClasses.h"
#include "WinModule.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

using Id = DLxPartListPropertyId;

// The display names come from the resource module, which loading the module opens.
class WithResources : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

// A value object that reports what was asked of it: a component-property kind for the tests.
class TstValue final : public DLxComponentProperty {
public:
    TstValue() = default;
    explicit TstValue(const RSeStream* s) : DLxComponentProperty(s) {}
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 1; }
    UTxString16 GetValue(const RSeRef<RDxComponent>&, bool, ValueType& type) override {
        type = 1;
        return u"value";
    }
    UTxString16 GetValueString(bool) override { return u"string"; }
    ResultWord SetValueString(const UTxString16& text) override {
        m_text = text;
        return 7;
    }
    UTxString16 GetCachedValue(int32_t, ValueType&) override { return u"cached"; }
    UTxString16 GetCachedText() override { return u"text"; }
    int32_t CompareWithSource() override { return -1; }
    ResultWord WriteToSource() override { return 8; }
    ResultWord RefreshFromSource() override { return ++m_refreshes; }
    bool IsNumericValue() const override { return false; }
    bool IsTextValue() const override { return true; }

    UTxString16 m_text;
    uint32_t m_refreshes = 0;
};

RSeMetaType* TstValueMeta() {
    static RSeMetaType* mt = RSeMakeMeta<TstValue>(
        u"TstValueForPropertyIdTest", [](UTxGUID& g) { g = UTxGUID(0x51, 0x52, 0x53, 0x54); }, 0,
        RSeMetaType::kClass, RSe::_InitMeta(static_cast<const DLxComponentProperty*>(nullptr)));
    return mt;
}
RSeMetaType* TstValue::GetMeta() const {
    return TstValueMeta();
}

TEST(PartListPropertyId, SamenessFollowsTheType) {
    struct Case {
        Id::PropertyType a;
        int32_t aGeneral;
        const char16_t* aCustom;
        Id::PropertyType b;
        int32_t bGeneral;
        const char16_t* bCustom;
        bool same;
    };
    const Case cases[] = {
        {Id::ePartListProperty6, -1, u"", Id::ePartListProperty6, -1, u"", false},
        {Id::ePartName, 1, u"", Id::ePartName, 2, u"", true},
        {Id::eItemNumber, -1, u"", Id::eQuantity, -1, u"", false},
        {Id::eGeneral, 7, u"", Id::eCustom, 7, u"x", true}, // the other's type is not asked
        {Id::eGeneral, 7, u"", Id::eGeneral, 8, u"", false},
        {Id::eCustom, -1, u"Finish", Id::eGeneral, 3, u"Finish", true},
        {Id::eCustom, -1, u"Finish", Id::eCustom, -1, u"finish", false},
        {Id::PropertyType(0), -1, u"", Id::PropertyType(0), -1, u"", false},
        {Id::PropertyType(12), -1, u"", Id::PropertyType(12), -1, u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "/" << c.aGeneral << " vs " << c.b << "/"
                                        << c.bGeneral);
        const Id a(c.a, c.aGeneral, c.aCustom);
        const Id b(c.b, c.bGeneral, c.bCustom);
        EXPECT_EQ(a.IsSameProperty(b), c.same);
    }
    // A type-2 id does not compare the same as a type-1 id with the same general id.
    EXPECT_FALSE(Id(Id::eCustom, 7, u"").IsSameProperty(Id(Id::eGeneral, 7, u"x")));
}

TEST_F(WithResources, DisplayNamesComeFromTheResourcesOrTheCustomName) {
    struct Case {
        Id::PropertyType type;
        int32_t general;
        const char16_t* custom;
        const char16_t* name;
    };
    const Case cases[] = {
        {Id::eItemNumber, -1, u"", u"Item"},
        {Id::eQuantity, -1, u"", u"Qty"},
        {Id::eMaterial, -1, u"", u"Material"},
        {Id::ePartListProperty9, -1, u"", u"Parts List Property 9"},
        {Id::eGeneral, 5, u"", u"Part Number"},
        {Id::eGeneral, 29, u"", u"Description"},
        {Id::eGeneral, 12345, u"", u""}, // the host knows no such property
        {Id::eCustom, -1, u"Finish", u"Finish"},
        {Id::PropertyType(12), -1, u"Finish", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.general);
        EXPECT_EQ(Id(c.type, c.general, c.custom).GetDisplayName(), c.name);
    }
}

class PropertyFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TstValueMeta();
        Id::SetValueMaker([](Id::PropertyType, int32_t, const UTxString16&, const RSeRef<RSeIDed>&,
                             RSeSegment* segment, bool) -> DLxComponentProperty* {
            return new (TstValueMeta(), segment) TstValue();
        });
    }
    void TearDown() override { Id::SetValueMaker(nullptr); }

    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
};

TEST_F(PropertyFixture, ComponentPropertiesCarryANewIdOrNothing) {
    struct Case {
        Id::PropertyType type;
        int32_t general;
        bool made;
        Id::PropertyType idType;
        int32_t idGeneral;
    };
    const Case cases[] = {
        {Id::eGeneral, 5, true, Id::eGeneral, 5},
        {Id::eGeneral, 38, false, {}, 0},
        {Id::eGeneral, 39, false, {}, 0},
        {Id::eCustom, 99, true, Id::eCustom, -1},
        {Id::eQuantity, 4, true, Id::eQuantity, -1},
        {Id::ePartListProperty6, -1, false, {}, 0},
        {Id::PropertyType(0), -1, false, {}, 0},
        {Id::PropertyType(12), -1, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.general);
        const Id source(c.type, c.general, u"Finish");
        RSeRef<DLxPartListProperty> p = source.CreateComponentProperty({}, m_seg, false);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->GetSegment(), m_seg);
        EXPECT_EQ(bool(p->GetValueObject()), c.made);
        EXPECT_EQ(bool(p->GetPropertyId()), c.made);
        if (!c.made) continue;
        const Id& id = *p->GetPropertyId();
        EXPECT_EQ(id.GetType(), c.idType);
        EXPECT_EQ(id.GetGeneralId(), c.idGeneral);
        EXPECT_EQ(id.GetCustomId(), c.type == Id::eCustom ? u"Finish" : u"");
        EXPECT_EQ(p->GetPropertyId()->GetSegment(), m_seg);
    }
}

// A property without value object answers empty instead of reaching through its null value;
// a detached one stops asking the model but still reads its value.
TEST_F(PropertyFixture, NullValueAndDetachedPropertiesAnswerEmpty) {
    RSeRef<DLxPartListProperty> none = Id(Id::eGeneral, 39).CreateComponentProperty({}, m_seg, false);
    ASSERT_TRUE(none);
    int32_t type = -5;
    EXPECT_EQ(none->GetValue({}, false, type), u"");
    EXPECT_EQ(type, -5);
    EXPECT_EQ(none->GetValueString(false), u"");
    EXPECT_EQ(none->SetValueString(u"x"), 0u);
    EXPECT_EQ(none->GetCachedValue(0, type), u"");
    EXPECT_EQ(none->GetCachedText(), u"");
    EXPECT_EQ(none->CompareWithSource(), 0);
    EXPECT_EQ(none->WriteToSource(), 0u);
    EXPECT_EQ(none->RefreshFromSource(), 0u);

    RSeRef<DLxPartListProperty> p = Id(Id::ePartName, -1).CreateComponentProperty({}, m_seg, false);
    auto* value = dynamic_cast<TstValue*>(p->GetValueObject().get());
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->m_refreshes, 1u); // asked once when the property was made
    EXPECT_EQ(p->SetValueString(u"new"), 7u);
    EXPECT_EQ(p->CompareWithSource(), -1);
    p->SetDetached(true);
    EXPECT_EQ(p->SetValueString(u"other"), 0u);
    EXPECT_EQ(value->m_text, u"new");
    EXPECT_EQ(p->CompareWithSource(), 0);
    EXPECT_EQ(p->WriteToSource(), 0u);
    EXPECT_EQ(p->RefreshFromSource(), 0u);
    EXPECT_EQ(p->GetValueString(false), u"string");
    EXPECT_EQ(p->GetCachedText(), u"text");

    // A copy made without its value object and id gets its own.
    RSeCloneCommander cc(m_seg);
    ASSERT_FALSE(cc.Clone({p.get()}).Failed());
    auto* copy = dynamic_cast<DLxPartListProperty*>(cc.CloneOf(p.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsDetached());
    ASSERT_TRUE(copy->GetValueObject() && copy->GetPropertyId());
    EXPECT_NE(copy->GetValueObject().get(), p->GetValueObject().get());
    EXPECT_NE(copy->GetPropertyId().get(), p->GetPropertyId().get());
    EXPECT_EQ(copy->GetPropertyId()->GetType(), Id::ePartName);

    // The property owns what it holds.
    const uint32_t valueId = value->GetId();
    const uint32_t idId = p->GetPropertyId()->GetId();
    RSe::DeleteObject(p.get());
    EXPECT_EQ(m_db.FindObject(valueId), nullptr);
    EXPECT_EQ(m_db.FindObject(idId), nullptr);
    EXPECT_EQ(copy->GetCachedText(), u"text");
}

TEST(PartListPropertyId, TranscriptKeysCarryThePrefixAndReadBackANewId) {
    RSeRef<Id> written(Id::New(nullptr, Id::eCustom, -1, u"Finish \"A\""));
    UTxString16 line;
    UTxResult result;
    {
        UCxTranscriptDataExchange tdx(line, result, nullptr, true);
        EXPECT_FALSE(DLxTDXUtil::Transcript(tdx, u"Col1", written, false).Failed());
    }
    EXPECT_NE(line.find(u"Col1PropertyType=2"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_NE(line.find(u"Col1GeneralPropId=-1"), UTxString16::npos);
    EXPECT_NE(line.find(u"Col1CustomPropId="), UTxString16::npos);
    EXPECT_LT(line.find(u"PropertyType"), line.find(u"GeneralPropId"));
    EXPECT_LT(line.find(u"GeneralPropId"), line.find(u"CustomPropId"));

    RSeRef<Id> read;
    UCxTranscriptDataExchange tdx(line, result, nullptr, false);
    EXPECT_FALSE(DLxTDXUtil::Transcript(tdx, u"Col1", read, true).Failed());
    ASSERT_TRUE(read);
    EXPECT_NE(read.get(), written.get());
    EXPECT_EQ(read->GetSegment(), RSe::TransientSegment());
    EXPECT_EQ(read->GetType(), Id::eCustom);
    EXPECT_EQ(read->GetGeneralId(), -1);
    EXPECT_EQ(read->GetCustomId(), u"Finish \"A\"");

    // A line without the keys fails and leaves the reference alone.
    UTxString16 other = u"TstRequest Col2PropertyType=3";
    UTxResult failed;
    RSeRef<Id> untouched;
    UCxTranscriptDataExchange bad(other, failed, nullptr, false);
    EXPECT_TRUE(DLxTDXUtil::Transcript(bad, u"Col2", untouched, true).Failed());
    EXPECT_FALSE(untouched);
}

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

// The older property's stored versions, written as they were stored: version 0 without the
// detached flag, version 1 with a flag that the parts-list properties (types 3 to 7) lose,
// version 2 as it is.
TEST(PartListPropertyStorage, OlderVersionsLoadWithTheirDetachedRule) {
    struct Case {
        uint16_t version;
        Id::PropertyType type;
        bool stored;
        bool loaded;
    };
    const Case cases[] = {
        {0, Id::eGeneral, true, false},  {1, Id::eGeneral, true, true},
        {1, Id::eQuantity, true, false}, {1, Id::eMaterial, true, false},
        {1, Id::ePartListProperty6, true, true}, {2, Id::eQuantity, true, true},
        {2, Id::eGeneral, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " type " << c.type);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t idMeta = w.AddClass(u"DLxPartListPropertyId", 0);
        const uint32_t propMeta = w.AddClass(u"DLxPartListProperty", c.version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(propMeta, 1);
        w.RefValue(0); // no value object
        w.Ref(1);
        if (c.version >= 1) s.Write(c.stored);
        w.EndRecord();
        RSeStream& t = w.BeginRecord(idMeta, 2);
        t.Write(int32_t(c.type));
        t.Write(int32_t(12));
        t.Write(UTxString16(u"Finish"));
        w.EndRecord();
        auto db = Load(w.Finish(3));
        ASSERT_TRUE(db);
        auto* p = dynamic_cast<DLxPartListProperty*>(db->FindObject(1));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->IsDetached(), c.loaded);
        ASSERT_TRUE(p->GetPropertyId());
        EXPECT_EQ(p->GetPropertyId()->GetType(), c.type);
        EXPECT_EQ(p->GetPropertyId()->GetGeneralId(), 12);
        EXPECT_EQ(p->GetPropertyId()->GetCustomId(), u"Finish");
        EXPECT_FALSE(p->GetValueObject());

        // Saved again it is the current form, and loads the same.
        auto again = Reload(*db);
        auto* q = dynamic_cast<DLxPartListProperty*>(again->FindObject(1));
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->IsDetached(), c.loaded);
        EXPECT_EQ(q->GetPropertyId()->GetType(), c.type);
    }
}

// Ranges of an older list "1-3, 7, A12" (with an odd last bound 10 that no range uses): single
// ids match whole texts, ranges the leading digits.
TEST(PartListItemIdRanges, RangesReadLeadingDigitsAndSinglesWholeTexts) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t meta = w.AddClass(u"DLxPartListItemIdRanges", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(meta, 1);
    DLxPersistUtil::WriteVector(s, std::vector<UTxString16>{u"7", u"A12"});
    DLxPersistUtil::WriteVector(s, std::vector<UTxString16>{u"1", u"03", u"10"});
    w.EndRecord();
    RSeStream& e = w.BeginRecord(meta, 2); // nothing listed
    DLxPersistUtil::WriteVector(e, std::vector<UTxString16>{});
    DLxPersistUtil::WriteVector(e, std::vector<UTxString16>{});
    w.EndRecord();
    auto db = Load(w.Finish(3));
    ASSERT_TRUE(db);
    const auto* ranges = dynamic_cast<DLxPartListItemIdRanges*>(db->FindObject(1));
    const auto* all = dynamic_cast<DLxPartListItemIdRanges*>(db->FindObject(2));
    ASSERT_TRUE(ranges && all);

    struct Case {
        const char16_t* item;
        bool contained;
    };
    const Case cases[] = {
        {u"1", true},   {u"2", true},    {u"02", true}, {u"3B", true}, {u"003", true},
        {u"7", true},   {u"07", false},  {u"A12", true}, {u"12", false}, {u"A2", false},
        {u"0", false},  {u"4", false},   {u"10", false}, {u"", false}, {u"-2", false},
        {u"99999999999999999999", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.item));
        EXPECT_EQ(ranges->ContainsItemId(c.item), c.contained);
        EXPECT_TRUE(all->ContainsItemId(c.item));
    }

    // Saving, loading and cloning keep both lists.
    auto again = Reload(*db);
    const auto* loaded = dynamic_cast<DLxPartListItemIdRanges*>(again->FindObject(1));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetSingleIds(), ranges->GetSingleIds());
    EXPECT_EQ(loaded->GetRangeBounds(), ranges->GetRangeBounds());
    RSeCloneCommander cc(again->GetSegment(0));
    ASSERT_FALSE(cc.Clone({const_cast<DLxPartListItemIdRanges*>(loaded)}).Failed());
    const auto* copy = dynamic_cast<const DLxPartListItemIdRanges*>(cc.CloneOf(loaded));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetRangeBounds(), ranges->GetRangeBounds());
    EXPECT_FALSE(copy->ContainsItemId(u"5"));
}

} // namespace
