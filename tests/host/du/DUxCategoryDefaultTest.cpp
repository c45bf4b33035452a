// The host's side of the drafting defaults: factory registry, formatted text helpers and
// auxiliary entities drawn into display lists.
#include <gtest/gtest.h>

#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxStandard.h"
#include "fw/FWxSceneDoc.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/TXTxBaseUtil.h"
#include "uc/UCxStringUtil.h"

namespace {

const UTxGUID kStd(0x11111111, 2, 3, 4);
int g_calls = 0;

RSeRef<DUxCategoryDefault> MakeOne(FWxSceneDoc* doc, RSeSegment* seg, int32_t cat,
                                   const UTxGUID& g) {
    ++g_calls;
    return RSeRef<DUxCategoryDefault>(
        new (RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr)), seg)
            DUxCategoryDefault(doc, cat, g));
}

RSeRef<DUxCategoryDefault> MakeNone(FWxSceneDoc*, RSeSegment*, int32_t, const UTxGUID&) {
    return {};
}

TEST(DUxCategoryDefaultFactory, StandardsMakeTheirObjectsOnceThroughTheLatestFactory) {
    FWxSceneDoc doc;
    {
        DUxCategoryDefaultFactory none(7001, kStd, &MakeNone);
        EXPECT_FALSE(DUxStandardUtil::GetCategoryDefault(&doc, kStd, 7001).HasTarget());
        DUxCategoryDefaultFactory one(7001, kStd, &MakeOne);
        EXPECT_EQ(DUxCategoryDefaultFactory::Find(7001, kStd), &one);
        g_calls = 0;
        RSeRef<DUxCategoryDefault> a = DUxStandardUtil::GetCategoryDefault(&doc, kStd, 7001);
        ASSERT_TRUE(a.HasTarget());
        EXPECT_EQ(DUxStandardUtil::GetCategoryDefault(&doc, kStd, 7001).get(), a.get());
        EXPECT_EQ(g_calls, 1);
        EXPECT_EQ(a->GetOwner(), DUxStandardUtil::GetStandard(&doc, kStd));
        EXPECT_EQ(a->GetCategoryId(), 7001);
        EXPECT_EQ(a->GetStandardReference(), u"");
    }
    EXPECT_EQ(DUxCategoryDefaultFactory::Find(7001, kStd), nullptr);
    // another document has its own standard
    FWxSceneDoc other;
    EXPECT_NE(DUxStandardUtil::GetStandard(&other, kStd), DUxStandardUtil::GetStandard(&doc, kStd));
}

TEST(TXTxBaseUtil, EscapesBracesAndKeepsOrDoublesBackslashes) {
    struct Case {
        const char16_t* in;
        int slash;
        bool changed;
        const char16_t* out;
    };
    const Case cases[] = {
        {u"plain", 1, false, u"plain"},   {u"a{b}", 1, true, u"a\\{b\\}"},
        {u"\\F2;n", 1, false, u"\\F2;n"}, {u"\\F2;n", 0, true, u"\\\\F2;n"},
        {u"\\}", 1, false, u"\\}"},
    };
    for (const Case& c : cases) {
        UTxString16 out = u"untouched";
        EXPECT_EQ(TXTxBaseUtil::EscapeSpecialChars(c.in, out, c.slash, false), c.changed);
        EXPECT_EQ(out, c.changed ? UTxString16(c.out) : UTxString16(u"untouched"));
    }
}

TEST(DUxCAuxEntArray, TextsInterpretFontSwitchesAndEntitiesDraw) {
    const UTxString16 pos = UCxStringUtil::GdtGlyphToUnicode(10);
    const UTxString16 dia = UCxStringUtil::GdtGlyphToUnicode(15);
    EXPECT_EQ(DUxPlainText(u"\\F2;j\\F1;0.1", 2, 1), pos + u"0.1");
    EXPECT_EQ(DUxPlainText(u"{\\FKVGDT.TTF;l}0.1 A\\{", 2, 1), dia + u"0.1 A{");
    EXPECT_EQ(DUxPlainText(u"j", 2, 2), pos);

    DUxCAuxEntArray a;
    DUxAuxEntFactory::CreateText(a, WqGePoint3d(1, 2, 0), 5, u"AB", 1, 2, nullptr, nullptr, 7, 2.0);
    const WqGePoint3d pts[3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    DUxAuxEntFactory::CreateMultiSegmentPolyLine(a, pts, 3, nullptr, nullptr);
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(a, pts[0], pts[2], nullptr, nullptr);
    DUxAuxEntFactory::CreateCircleByCenter(a, WqGePoint3d::kOrigin, 1.0, false,
                                           WqGeMatrix3d::scaling(2.0), nullptr, nullptr);
    SMxDisplayList list;
    a.Draw(list);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetAt(0).GetKind(), SMxItemKind::Text);
    EXPECT_EQ(list.GetAt(1).GetKind(), SMxItemKind::Polyline);
    EXPECT_EQ(list.GetAt(2).GetKind(), SMxItemKind::Line);
    EXPECT_EQ(list.GetAt(3).GetKind(), SMxItemKind::Arc);
    const BBox box = a.GetExtents();
    EXPECT_DOUBLE_EQ(box.min.x, -2.0); // the circle scaled by the matrix
    EXPECT_DOUBLE_EQ(box.max.y, 3.0);  // the text: centred at y 2, one height tall
}

TEST(RDxString, FormattedValueAndFontSurviveSaveAndLoad) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"S");
    auto* s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), seg) RDxString();
    s->SetSimpleValue(u"plain");
    s->SetFormattedValue(u"\\F2;n\\F1;x", 305);
    s->SetFontId(7);
    s->SetTextHeight(3.5);
    EXPECT_EQ(s->GetDisplayText(), u"nx");
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* b = dynamic_cast<RDxString*>(back->FindObject(s->GetId()));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetFormattedValue(), u"\\F2;n\\F1;x");
    EXPECT_EQ(b->GetFormatCode(), 305);
    EXPECT_EQ(b->GetFontId(), 7);
    EXPECT_EQ(b->GetTextHeight(), 3.5);
    const BBox box = UCxStringUtil::GetBBox(*b, nullptr);
    EXPECT_DOUBLE_EQ(box.max.x - box.min.x, 2 * 0.6 * 3.5);
}

} // namespace
