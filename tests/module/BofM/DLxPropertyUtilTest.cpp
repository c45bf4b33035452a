// The property utilities: the two vocabularies of a column's property, the columns built from
// style columns and back, and the hole-table editor's column records.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPropertyUtil.h"
#include "WinModule.h"
#include "du/DUxDimStyleUnitVals.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using Id = DLxPartListPropertyId;
namespace PU = DLxPropertyUtil;
constexpr const char16_t* kDesignSet = u"{32853F0F-3444-11D1-9E93-0060B03C1CA6}";
constexpr const char16_t* kSummarySet = u"{F29F85E0-4FF9-1068-AB91-08002B27B3D9}";

DUxStyleFormatColumnPropertyID Prop(const char16_t* set, const char16_t* id,
                                    const char16_t* name = u"") {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(set);
    p.SetPropertyID(id);
    p.SetPropertyExternalName(name);
    return p;
}

class PropertyUtil : public ::testing::Test {
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
    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
};

TEST(PropertyUtilCategories, ASetBelongsToItsCategory) {
    struct Case {
        const char16_t* set;
        int32_t category;
        bool in;
    };
    const Case cases[] = {
        {PU::kCategory1Set, 1, true},     {PU::kCategory2Set, 1, false},
        {PU::kCategory2Set, 2, true},     {PU::kCategory3Set, 3, true},
        {PU::kPartsListSet, 5, true},     {PU::kPartsListUserSet, 5, false},
        {PU::kPartsListUserSet, 4, true}, {PU::kHoleTableUserSet, 4, true},
        {PU::kHoleTableSet, 4, false},    {u"anything", 0, true},
        {PU::kPartsListSet, 6, false},    {PU::kPartsListSet, -1, false},
        {u"{beb6b91c-af44-4F9B-ad9e-1e0570a168f9}", 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << UTx::ToUtf8(c.set) << " in " << c.category);
        const auto p = Prop(c.set, u"1");
        EXPECT_EQ(PU::ColumnIsInCategory(&p, DLxSym::PropertyCategory(c.category)), c.in);
    }
}

TEST_F(PropertyUtil, StylePropertiesBecomePropertyIdsAndColumns) {
    struct Case {
        const char16_t* set;
        const char16_t* id;
        int32_t type; // 0: none
        int32_t general;
        const char16_t* custom;
    };
    const Case cases[] = {
        {PU::kPartsListSet, u"1", Id::eItemNumber, -1, u""},
        {PU::kPartsListSet, u"9", Id::ePartListProperty9, -1, u""},
        {PU::kPartsListSet, u"10", 0, 0, u""},
        {PU::kPartsListSet, u"0", 0, 0, u""},
        {PU::kPartsListSet, u"x", 0, 0, u""},
        {PU::kPartsListUserSet, u"Finish", Id::eCustom, -1, u"Finish"},
        {kDesignSet, u"5", Id::eGeneral, 5, u""},
        {u"{32853f0f-3444-11d1-9e93-0060b03c1ca6}", u"29", Id::eGeneral, 29, u""},
        {kSummarySet, u"2", Id::eGeneral, 1, u""},
        {kDesignSet, u"77", 0, 0, u""},
        {u"not a guid", u"5", 0, 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << UTx::ToUtf8(c.set) << " " << UTx::ToUtf8(c.id));
        const auto p = Prop(c.set, c.id, u"Heading");
        RSeRef<Id> id = PU::createPropertyIdFromStyle(&p, m_seg);
        DLxPartListColumn* column = PU::createColumnFromPropertyID(&p, m_seg);
        EXPECT_EQ(bool(id), c.type != 0);
        EXPECT_EQ(column != nullptr, c.type != 0);
        if (!id || !column) continue;
        EXPECT_EQ(id->GetType(), c.type);
        EXPECT_EQ(id->GetGeneralId(), c.general);
        EXPECT_EQ(id->GetCustomId(), c.custom);
        EXPECT_EQ(id->GetSegment(), m_seg);
        EXPECT_TRUE(column->GetPropertyId()->IsSameProperty(*id) || c.type > Id::eMaterial);
        EXPECT_EQ(column->GetHeader(), u"Heading");
        EXPECT_EQ(column->GetWidth(), 0.0);
        EXPECT_EQ(column->GetHeaderAlignment(), 1);
        EXPECT_EQ(column->GetColumnAlignment(), 0);
    }
    EXPECT_FALSE(PU::createPropertyIdFromStyle(nullptr, m_seg));
    EXPECT_EQ(PU::createColumnFromPropertyID(nullptr, m_seg), nullptr);
}

TEST_F(PropertyUtil, PropertyIdsAndRowKeysBecomeStyleProperties) {
    struct Case {
        Id::PropertyType type;
        int32_t general;
        bool result;
        const char16_t* set;
        const char16_t* id;
        const char16_t* name;
    };
    const Case cases[] = {
        {Id::eGeneral, 5, true, kDesignSet, u"5", u"old"},
        {Id::eGeneral, 2, true, kSummarySet, u"3", u"old"},
        {Id::eGeneral, 12345, false, u"old", u"old", u"old"}, // the host cannot place it
        {Id::eCustom, -1, true, PU::kPartsListUserSet, u"Finish", u"Finish"},
        {Id::eItemNumber, -1, true, PU::kPartsListSet, u"1", u"old"},
        {Id::ePartListProperty9, -1, true, PU::kPartsListSet, u"9", u"old"},
        {Id::PropertyType(12), -1, true, u"old", u"old", u"old"}, // nothing filled
        {Id::PropertyType(0), -1, true, u"old", u"old", u"old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.general);
        const Id id(c.type, c.general, u"Finish");
        RSeRef<DUxRowKey> key(DUxRowKey::New(m_seg, c.type, c.general, u"Finish"));
        for (int form = 0; form < 2; ++form) {
            auto p = Prop(u"old", u"old", u"old");
            EXPECT_EQ(form ? PU::createStyleIdFromRowMerge(key, &p)
                           : PU::createStyleIdFromPropertyId(&id, &p),
                      c.result);
            EXPECT_EQ(p.GetPropertySet(), c.set);
            EXPECT_EQ(p.GetPropertyID(), c.id);
            EXPECT_EQ(p.GetPropertyExternalName(), c.name);
        }
    }
    auto p = Prop(u"", u"");
    EXPECT_FALSE(PU::createStyleIdFromPropertyId(nullptr, &p));
    EXPECT_FALSE(PU::createStyleIdFromRowMerge({}, &p));

    // The heading goes to the external name whether or not the property converts.
    DLxPartListColumn* unplaced =
        DLxPartListColumn::New(m_seg, u"Somewhere", Id::eGeneral, 12345, 1.0, 1, 0);
    EXPECT_FALSE(PU::createPropertyIDFromColumn(unplaced, &p));
    EXPECT_EQ(p.GetPropertyExternalName(), u"Somewhere");
    EXPECT_FALSE(PU::createPropertyIDFromColumn(nullptr, &p));
}

// A column turned into a style column and back keeps what both forms hold; the decimal point
// becomes the marker and back.
TEST_F(PropertyUtil, ColumnsRoundTripThroughStyleColumns) {
    DLxPartListColumn* c = DLxPartListColumn::New(m_seg, u"Mass", Id::eMass, -1, 4.5, 2, 3);
    c->SetFormatMode(2);
    c->SetIntOption(16);
    DUxDimStyleUnitVals* units = DUxDimStyleUnitVals::New(m_seg);
    units->SetDecimalPoint(false);
    units->SetShowTrailingZero(true);
    units->SetLinearPrecision(4);
    c->SetUnitValues(RSeRef<DUxDimStyleUnitVals>(units));
    RSeRef<Id> sub(Id::New(m_seg, Id::eGeneral, 5));
    c->SetSubstitute(3, sub);
    c->SetSubstituteFormatMode(1);
    DUxDimStyleUnitVals* subUnits = DUxDimStyleUnitVals::New(m_seg);
    subUnits->SetShowUnitString(true);
    c->SetSubstituteUnitValues(RSeRef<DUxDimStyleUnitVals>(subUnits));

    RSeRef<DUxTableStylePartsListColumn> style = PU::createStyleItemFromColumn(c, m_seg);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->GetPropertyID()->GetPropertyID(), u"4");
    EXPECT_EQ(style->GetPropertyID()->GetPropertyExternalName(), u"Mass");
    EXPECT_EQ(style->GetDecimalMarker(), 1);
    EXPECT_EQ(style->GetLinearPrecision(), 4);
    EXPECT_TRUE(style->GetSubstitute());
    EXPECT_EQ(style->GetSubstitutePropertyID()->GetPropertyID(), u"5");
    EXPECT_TRUE(style->GetSubstituteUnits().showUnitString);

    DLxPartListColumn* back = PU::createColumnFromStyleItem(style.get(), m_seg);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetHeader(), u"Mass");
    EXPECT_EQ(back->GetPropertyType(), Id::eMass);
    EXPECT_EQ(back->GetWidth(), 4.5);
    EXPECT_EQ(back->GetHeaderAlignment(), 2);
    EXPECT_EQ(back->GetColumnAlignment(), 3);
    EXPECT_EQ(back->GetFormatMode(), 2);
    EXPECT_EQ(back->GetOutputUnitType(), 16);
    ASSERT_TRUE(back->GetUnitValues());
    EXPECT_FALSE(back->GetUnitValues()->GetDecimalPoint());
    EXPECT_TRUE(back->GetUnitValues()->GetShowTrailingZero());
    EXPECT_EQ(back->GetUnitValues()->GetLinearPrecision(), 4);
    ASSERT_TRUE(back->GetSubstitutePropertyId());
    EXPECT_EQ(back->GetSubstitutePropertyId()->GetGeneralId(), 5);
    EXPECT_EQ(back->GetSubstituteBehavior(), 3);
    ASSERT_TRUE(back->GetSubstituteUnitValues());
    EXPECT_TRUE(back->GetSubstituteUnitValues()->GetShowUnitString());

    // Saved and loaded, the style column is the same.
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(m_db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* again = dynamic_cast<DUxTableStylePartsListColumn*>(loaded->FindObject(style->GetId()));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(*again->GetPropertyID(), *style->GetPropertyID());
    EXPECT_EQ(*again->GetSubstitutePropertyID(), *style->GetSubstitutePropertyID());
    EXPECT_EQ(again->GetSubstituteUnits(), style->GetSubstituteUnits());
    EXPECT_EQ(again->GetLinearPrecision(), 4);
    EXPECT_EQ(again->GetWidth(), 4.5);
}

// Without a format mode the migration fills its unit defaults and the plain form leaves a new
// style column's; a format mode without unit values is read as none rather than through them.
TEST_F(PropertyUtil, UnitSettingsOfColumnsWithoutUnitValues) {
    const DUxTableStylePartsListColumn fresh;
    struct Case {
        int32_t formatMode;
        bool migration;
        int32_t precision;
        bool leading, trailing;
    };
    const Case cases[] = {
        {0, false, fresh.GetLinearPrecision(), fresh.GetShowLeadingZero(),
         fresh.GetShowTrailingZero()},
        {0, true, 6, true, true},
        {3, false, fresh.GetLinearPrecision(), fresh.GetShowLeadingZero(),
         fresh.GetShowTrailingZero()},
        {3, true, 6, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "format mode " << c.formatMode
                                        << (c.migration ? " migration" : " plain"));
        DLxPartListColumn* column = DLxPartListColumn::New(m_seg, Id::eQuantity, -1, 1.0, 1, 1);
        column->SetFormatMode(c.formatMode);
        column->SetSubstituteFormatMode(c.formatMode);
        RSeRef<DUxTableStylePartsListColumn> style =
            c.migration ? PU::createStyleItemFromColumnMigration(column, m_seg)
                        : PU::createStyleItemFromColumn(column, m_seg);
        ASSERT_TRUE(style);
        EXPECT_EQ(style->GetLinearPrecision(), c.precision);
        EXPECT_EQ(style->GetShowLeadingZero(), c.leading);
        EXPECT_EQ(style->GetShowTrailingZero(), c.trailing);
        EXPECT_EQ(style->GetSubstituteUnits().linearPrecision, c.precision);
        EXPECT_EQ(style->GetDecimalMarker(), 0);
        EXPECT_FALSE(style->GetSubstitute());
    }
    EXPECT_FALSE(PU::createStyleItemFromColumn(nullptr, m_seg));
    EXPECT_FALSE(PU::createStyleItemFromColumnMigration(nullptr, m_seg));
}

TEST_F(PropertyUtil, HoleTableColumnsConvertByPropertyNumber) {
    struct Name {
        const char16_t* set;
        const char16_t* id;
        const char16_t* name;
    };
    const Name names[] = {
        {PU::kHoleTableSet, u"1", u"Hole"},        {PU::kHoleTableSet, u"25", u"Hole Type"},
        {PU::kHoleTableSet, u"26", u""},           {PU::kHoleTableSet, u"0", u""},
        {PU::kHoleTableUserSet, u"Tap", u"Tap"},   {PU::kPartsListSet, u"1", u""},
    };
    for (const Name& n : names) {
        SCOPED_TRACE(UTx::ToUtf8(n.id));
        const auto p = Prop(n.set, n.id);
        EXPECT_EQ(PU::GetHoleTableColumnPropertyName(&p), n.name);
    }
    EXPECT_EQ(PU::GetHoleTableColumnPropertyName(nullptr), u"");

    struct Number {
        int32_t number;
        const char16_t* id;
        int32_t back;
    };
    const Number numbers[] = {{0, u"1", 0}, {4, u"5", 4}, {5, u"", 0},
                              {6, u"6", 6}, {25, u"25", 25}, {26, u"", 0}};
    for (const Number& n : numbers) {
        SCOPED_TRACE(n.number);
        DUxTableColumnDef def(n.number, 3, u"Default", 2.0);
        def.setUserHeading(u"Mine");
        def.setDecimalMarker(1);
        def.setLinearPrecision(5);
        def.setFurtherInt(9);
        def.setFurtherReal(0.25);
        RSeRef<DUxHoleTableStyleColumnItem> item = PU::createStyleItemFromColumnDef(&def, m_seg);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->GetPropertyID()->GetPropertySet(), PU::kHoleTableSet);
        EXPECT_EQ(item->GetPropertyID()->GetPropertyID(), n.id);
        EXPECT_EQ(item->GetPropertyID()->GetPropertyExternalName(), u"Mine");
        EXPECT_EQ(item->GetFormatMode(), 1);
        EXPECT_EQ(item->GetDecimalMarker(), 1);
        EXPECT_EQ(item->GetFurtherReal(), 0.25);
        std::unique_ptr<DUxTableColumnDef> back(PU::createColumnDefFromStyleItem(item.get(), m_seg));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->getType(), 3);
        EXPECT_EQ(back->getPropID(), n.back);
        EXPECT_EQ(back->getCurrentHeading(), u"Mine");
        EXPECT_EQ(back->getWidth(), 2.0);
        EXPECT_EQ(back->getLinearPrecision(), 5);
        EXPECT_EQ(back->getFurtherInt(), 9);
    }

    DUxTableColumnDef custom(0, 2, u"Tap", 1.0);
    custom.setCustomId(u"Tap");
    RSeRef<DUxHoleTableStyleColumnItem> item = PU::createStyleItemFromColumnDef(&custom, m_seg);
    EXPECT_EQ(item->GetPropertyID()->GetPropertySet(), PU::kHoleTableUserSet);
    std::unique_ptr<DUxTableColumnDef> back(PU::createColumnDefFromStyleItem(item.get(), m_seg));
    EXPECT_EQ(back->getType(), 2);
    EXPECT_EQ(back->getCustomId(), u"Tap");
    EXPECT_FALSE(PU::createStyleItemFromColumnDef(nullptr, m_seg));
    EXPECT_EQ(PU::createColumnDefFromStyleItem(nullptr, m_seg), nullptr);
}

} // namespace
