#include "sm/SMxDisplayListBuilder.h"
#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

#include <gtest/gtest.h>

namespace {

const SMxColor kRed = SMxColor::FromRgba(255, 0, 0);
const SMxColor kBlue = SMxColor::FromRgba(0, 0, 255, 128);
const SMxColor kIndexed = SMxColor::FromIndex(7);

void expectAttributes(const SMxDisplayItem& item, int32_t id, const SMxColor& color, int32_t weight,
                      int32_t style) {
    EXPECT_EQ(item.GetId(), id);
    EXPECT_EQ(item.GetColor(), color);
    EXPECT_EQ(item.GetLineWeight(), weight);
    EXPECT_EQ(item.GetLineStyle(), style);
}

TEST(SMxDisplayListBuilder, AttributesCarryOverUntilChanged) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    builder.AddLine({0, 0, 0}, {1, 0, 0}); // defaults
    builder.SetItemId(3);
    builder.SetColor(kRed);
    builder.SetLineWeight(2);
    builder.SetLineStyle(4);
    builder.SetFontName(u"mono");
    builder.AddArc({0, 0, 0}, WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, 1, 0, 1);
    builder.AddPolyline({{0, 0, 0}, {1, 1, 0}});
    builder.SetItemId(-20);
    builder.SetColor(kIndexed);
    builder.AddText(u"A", {0, 0, 0}, WqGeVector3d::kXAxis, 2, SMxTextAlign::TopLeft);
    builder.AddFill({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    builder.AddPoint({0, 0, 0});

    ASSERT_EQ(list.Count(), 6);
    expectAttributes(list.GetAt(0), 0, SMxColor(), 0, 0);
    expectAttributes(list.GetAt(1), 3, kRed, 2, 4);
    expectAttributes(list.GetAt(2), 3, kRed, 2, 4);
    for (int32_t i = 3; i < 6; ++i)
        expectAttributes(list.GetAt(i), -20, kIndexed, 2, 4);
    ASSERT_NE(list.GetAt(3).As<SMxTextItem>()->fontName, nullptr);
    EXPECT_EQ(*list.GetAt(3).As<SMxTextItem>()->fontName, u"mono");
    EXPECT_TRUE(list.GetAt(3).GetColor().IsIndex());
    EXPECT_EQ(kBlue.Blue(), 255);
    EXPECT_EQ(kBlue.Alpha(), 128);
    EXPECT_EQ(kBlue.GetValue(), 0x0000FF80u);
}

TEST(SMxDisplayListBuilder, AnItemLineKeepsItsOwnIdAndLeavesTheCurrentOne) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    builder.SetItemId(5);
    builder.SetColor(kRed);
    const SMxLineItem& line = builder.GenItemLine({0, 0, 0}, {2, 1, 0}, 77);
    builder.AddLine({1, 1, 0}, {3, 3, 0});
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(&list.GetAt(0), &line);
    expectAttributes(list.GetAt(0), 77, kRed, 0, 0);
    EXPECT_EQ(line.start, WqGePoint3d(0, 0, 0));
    EXPECT_EQ(line.end, WqGePoint3d(2, 1, 0));
    expectAttributes(list.GetAt(1), 5, kRed, 0, 0);
}

TEST(SMxDisplayListBuilder, ChildrenNestAndRestoreAttributes) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    builder.SetItemId(1);
    builder.SetColor(kRed);
    builder.SetLineWeight(3);

    const WqGeMatrix3d outerPlace = WqGeMatrix3d::translation({10, 0, 0});
    SMxDisplayList& outer = builder.BeginChild(10, outerPlace);
    EXPECT_EQ(&builder.GetTarget(), &outer);
    builder.AddLine({0, 0, 0}, {1, 0, 0}); // parent's attributes carry in
    builder.SetItemId(11);
    builder.SetColor(kBlue);
    builder.BeginChild(12, WqGeMatrix3d::kIdentity);
    EXPECT_EQ(builder.GetDepth(), 2);
    builder.SetLineWeight(9);
    builder.AddPoint({0, 0, 0});
    EXPECT_TRUE(builder.EndChild());
    builder.AddLine({0, 0, 0}, {0, 1, 0}); // weight 9 stayed in the inner child
    EXPECT_TRUE(builder.EndChild());
    builder.AddLine({0, 0, 0}, {0, 0, 1});
    EXPECT_EQ(builder.GetDepth(), 0);
    EXPECT_FALSE(builder.EndChild());

    ASSERT_EQ(list.Count(), 2);
    const SMxChildItem& outerItem = *list.GetAt(0).As<SMxChildItem>();
    expectAttributes(outerItem, 10, kRed, 3, 0);
    EXPECT_EQ(outerItem.GetTransform(), outerPlace);
    expectAttributes(list.GetAt(1), 1, kRed, 3, 0);

    ASSERT_EQ(outer.Count(), 3);
    expectAttributes(outer.GetAt(0), 1, kRed, 3, 0);
    expectAttributes(outer.GetAt(1), 12, kBlue, 3, 0);
    expectAttributes(outer.GetAt(2), 11, kBlue, 3, 0);
    const SMxDisplayList& inner = outer.GetChild(0).list;
    ASSERT_EQ(inner.Count(), 1);
    expectAttributes(inner.GetAt(0), 11, kBlue, 9, 0);
}

} // namespace
