// Balloon standards: the factory values of each standard, what they copy into a balloon style
// (edits counted only for changed values, the norm's title every time, the borderless type's
// item), and the balloon style a drawing takes from its standard, which shows the item number.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "Standard/DLxCBalloonService.h"
#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxStdRegistration.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

struct Standard {
    const char16_t* name;
    const UTxGUID& (*guid)();
    int32_t type;
    const char16_t* norm;
};
const UTxGUID& Gb() {
    return DLxGBStandardGUID;
}
const Standard kStandards[] = {
    {u"ANSI", &DUxStandardGUID::GetANSIGuid, 2, u"ASME Y14.36M - 1989"},
    {u"BSI", &DUxStandardGUID::GetBSIGuid, 2, u"BS 142 - 1992"},
    {u"DIN", &DUxStandardGUID::GetDINGuid, 2, u"DIN 6771 - 1987"},
    {u"GB", &Gb, 4, u"GB/T 4458.2-84"},
    {u"ISO", &DUxStandardGUID::GetISOGuid, 2, u"ISO 7573 - 1983"},
    {u"JIS", &DUxStandardGUID::GetJISGuid, 2, u"ISO 7573 - 1983"},
};

// The ITEM column's heading comes from the resource module, which loading the module opens.
class BalloonStd : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    DLxCBalloonStd* Get(const Standard& s) {
        RSeRef<DLxCBalloonStd> r = RSeRefCast<DLxCBalloonStd>(
            DUxStandardUtil::GetCategoryDefault(&doc, s.guid(), DLxCBalloonStd::kCategory));
        EXPECT_TRUE(r.HasTarget());
        return r.get();
    }
    DUxBalloonStyle* NewStyle() {
        return DUxBalloonStyle::CreateStyle(doc.GetDrawing()->GetSegment(), u"S");
    }
    static DUxTableStylePartsListColumn* Item(const DUxBalloonStyle& style, size_t i) {
        return dynamic_cast<DUxTableStylePartsListColumn*>(style.GetItems()[i].get());
    }

    HMODULE m_module = nullptr;
    DLxDrawingDoc doc;
};

TEST_F(BalloonStd, EachStandardsFactoryValuesAndNorm) {
    for (const Standard& s : kStandards) {
        SCOPED_TRACE(UTx::ToUtf8(s.name));
        DLxCBalloonStd* std = Get(s);
        ASSERT_NE(std, nullptr);
        EXPECT_EQ(std->GetDefaultBalloonType(), s.type);
        EXPECT_EQ(std->GetBalloonSize(), 1.0);
        EXPECT_TRUE(std->GetItemColumns().empty());
        EXPECT_TRUE(std->GetServices().empty());
        EXPECT_EQ(std->GetStandardReference(), s.norm);
        // Defaults again give the circle, GB's included: its linear type is its factory's.
        EXPECT_TRUE(std->setFactoryDefaults());
        EXPECT_EQ(std->GetDefaultBalloonType(), DUxBalloonStyle::eCircular);
    }
}

// The standard's services take their own defaults with the standard's; it deletes them (a leak
// would show under the sanitizer).
TEST_F(BalloonStd, TheServicesOfTheStandardTakeTheirDefaultsWithIt) {
    DLxCBalloonStd* std = Get(kStandards[4]);
    auto* circle = new DLxCCircBalloonService();
    auto* triangle = new DLxCTriAngleBalloonService();
    std->GetServices()[2] = circle;
    std->GetServices()[8] = triangle;
    EXPECT_EQ(circle->GetRadiusScale(), 1.0);
    std->SetDefaultBalloonType(DUxBalloonStyle::eHexagon);
    EXPECT_TRUE(std->setFactoryDefaults());
    EXPECT_EQ(std->GetDefaultBalloonType(), DUxBalloonStyle::eCircular);
    EXPECT_EQ(circle->GetRadiusScale(), 1.5);
    EXPECT_EQ(triangle->GetRadiusScale(), 1.5);
    EXPECT_EQ(triangle->GetSides(), 3);
    std->ClearServices();
    EXPECT_TRUE(std->GetServices().empty());
    std->GetServices()[9] = new DLxCSquareBalloonService();
}

TEST_F(BalloonStd, CopyingCountsAnEditOnlyForAChangedValueAndWritesTheNormEveryTime) {
    struct Case {
        const Standard* standard;
        double styleSize;
        DUxBalloonStyle::EBalloonType styleType;
        int32_t edits;
    } cases[] = {
        {&kStandards[4], 1.0, DUxBalloonStyle::eCircular, 0}, // ISO into a style like it
        {&kStandards[3], 1.0, DUxBalloonStyle::eCircular, 1}, // GB: the type differs
        {&kStandards[0], 2.0, DUxBalloonStyle::eCircular, 1}, // the size differs
        {&kStandards[3], 3.0, DUxBalloonStyle::eHexagon, 2},  // both differ
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.standard->name));
        DUxBalloonStyle* style = NewStyle();
        style->SetSize(c.styleSize);
        style->SetDefaultType(c.styleType);
        style->SetStyleDescription(u"mine");
        // A circle's items stay as they are.
        DUxTableStylePartsListColumn* mine = DUxTableStylePartsListColumn::New(nullptr);
        mine->GetPropertyID()->SetPropertyID(u"5");
        style->SetItems({RSeRef<DUxTableStyleColumn>(mine)});
        RSe::DeleteObject(mine);

        Get(*c.standard)->CopyToStyle(RSeRef<FWxStyle>(style));
        EXPECT_EQ(style->GetEditCount(), c.edits);
        EXPECT_EQ(style->GetSize(), 1.0);
        EXPECT_EQ(style->GetDefaultType(), c.standard->type);
        EXPECT_EQ(style->GetStyleDescription(), c.standard->norm);
        ASSERT_EQ(style->GetItems().size(), 1u);
        EXPECT_EQ(Item(*style, 0)->GetPropertyID()->GetPropertyID(), u"5");
    }
    // A style of another kind is left alone.
    auto* text = DUxTextStyle::CreateStyle(doc.GetDrawing()->GetSegment(), u"T");
    Get(kStandards[4])->CopyToStyle(RSeRef<FWxStyle>(text));
    EXPECT_TRUE(text->GetStyleDescription().empty());
}

TEST_F(BalloonStd, ABorderlessStandardWithoutColumnsGivesTheOneItemColumn) {
    DLxCBalloonStd* std = Get(kStandards[2]);
    std->SetDefaultBalloonType(DUxBalloonStyle::eNoBorder);
    DUxBalloonStyle* style = NewStyle();
    DUxTableStylePartsListColumn* old = DUxTableStylePartsListColumn::New(nullptr);
    style->SetItems({RSeRef<DUxTableStyleColumn>(old), RSeRef<DUxTableStyleColumn>(old)});
    RSe::DeleteObject(old);

    std->CopyToStyle(RSeRef<FWxStyle>(style));
    EXPECT_EQ(style->GetDefaultType(), DUxBalloonStyle::eNoBorder);
    ASSERT_EQ(style->GetItems().size(), 1u);
    DUxTableStylePartsListColumn* item = Item(*style, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(RSe::SegmentOf(item), RSe::SegmentOf(style));
    EXPECT_TRUE(item->GetPropertyID()->IsItem());
    EXPECT_EQ(item->GetPropertyID()->GetPropertySet(), u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}");
    EXPECT_EQ(item->GetPropertyID()->GetPropertyID(), u"1");
    EXPECT_EQ(item->GetPropertyID()->GetPropertyExternalName(), u"ITEM");
}

TEST_F(BalloonStd, ADrawingTakesTheBalloonStyleOfItsStandardOnFirstAsking) {
    for (const Standard& s : kStandards) {
        SCOPED_TRACE(UTx::ToUtf8(s.name));
        DLxDrawingDoc drawing;
        drawing.GetDrawing()->SetStandardName(s.name);
        DLxStdStyles::AddDocumentStyles(&drawing);
        // Drawings without balloons carry no balloon style.
        EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(&drawing), nullptr);
        DUxBalloonStyle* style = DLxStdStyles::GetBalloonStyle(&drawing);
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->GetStyleName(), s.name);
        EXPECT_EQ(DLxStdStyles::GetBalloonStyle(&drawing), style);
        EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(&drawing), style);
        EXPECT_EQ(style->GetDefaultType(), s.type);
        EXPECT_EQ(style->GetSize(), 1.0);
        // The size counts in text heights, so that the balloon is larger than its number.
        EXPECT_TRUE(style->GetScaleToTextHeight());
        EXPECT_EQ(style->GetStyleDescription(), s.norm);
        // Whatever the shape, a balloon of the style numbers its row: the ITEM column.
        ASSERT_EQ(style->GetItems().size(), 1u);
        const DUxTableStylePartsListColumn* item = Item(*style, 0);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(RSe::SegmentOf(item), RSe::SegmentOf(style));
        EXPECT_TRUE(item->GetPropertyID()->IsItem());
        EXPECT_EQ(item->GetPropertyID()->GetPropertyID(), u"1");
        EXPECT_EQ(item->GetPropertyID()->GetPropertyExternalName(), u"ITEM");
        // Its text is the standard's, in a text style named after it.
        const DUxTextStyle* text = style->GetTextStyle().Read();
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetStyleName(), s.name);
        EXPECT_EQ(text->GetHeight(), DUxStandardUtil::GetTextHeight(&drawing, s.guid()));
        EXPECT_EQ(text->GetFontId(), DUxStandardUtil::GetFontID(&drawing, s.guid()));
        EXPECT_EQ(text->GetEditCount(), 0);
    }
    EXPECT_EQ(DLxStdStyles::GetBalloonStyle(nullptr), nullptr);
}

} // namespace
