#include "SmTestSupport.h"

#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;
const WqGeVector3d kX = WqGeVector3d::kXAxis;
const WqGeVector3d kY = WqGeVector3d::kYAxis;
const WqGeVector3d kZ = WqGeVector3d::kZAxis;

struct BoxCase {
    std::string name;
    std::function<void(SMxDisplayListBuilder&)> draw;
    WqGePoint3d min;
    WqGePoint3d max;
};

TEST(SMxDisplayList, BoundingBoxes) {
    const double s60 = std::sqrt(3.0); // 2*sin(60 deg)
    const double h45 = std::sqrt(0.5); // sin(45 deg)
    const std::vector<BoxCase> cases = {
        {"line",
         [](auto& b) {
             b.AddLine({1, 2, 0}, {-3, 5, 1});
         },
         {-3, 2, 0},
         {1, 5, 1}},
        {"polyline",
         [](auto& b) {
             b.AddPolyline({{0, 0, 0}, {4, -1, 0}, {2, 3, 2}}, true);
         },
         {0, -1, 0},
         {4, 3, 2}},
        // 30..120 degrees passes the top of the circle, which neither end point reaches.
        {"arc over a quadrant boundary",
         [](auto& b) {
             b.AddArc({10, 0, 0}, kZ, kX, 2, 30 * kDeg, 120 * kDeg);
         },
         {9, 1, 0},
         {10 + s60, 2, 0}},
        // 300..60 degrees wraps through zero.
        {"arc wrapping through zero",
         [](auto& b) {
             b.AddArc({10, 0, 0}, kZ, kX, 2, 300 * kDeg, 60 * kDeg);
         },
         {11, -s60, 0},
         {12, s60, 0}},
        {"full circle",
         [](auto& b) {
             b.AddCircle({1, 1, 0}, kZ, 3);
         },
         {-2, -2, 0},
         {4, 4, 0}},
        {"circle in the YZ plane",
         [](auto& b) {
             b.AddCircle({0, 0, 0}, kX, 1);
         },
         {0, -1, -1},
         {0, 1, 1}},
        // Two lines, the longest of four characters: 4 * 0.6 * 2 wide, 2 * 2 high.
        {"text bottom left, two lines",
         [](auto& b) {
             b.AddText(u"AB\nCDEF", {0, 0, 0}, kX, 2, SMxTextAlign::BottomLeft);
         },
         {0, 0, 0},
         {4.8, 4, 0}},
        {"text middle centre",
         [](auto& b) {
             b.AddText(u"ABC", {10, 10, 0}, kX, 1, SMxTextAlign::MiddleCenter);
         },
         {9.1, 9.5, 0},
         {10.9, 10.5, 0}},
        // Running up the Y axis, "up" is -X; a surrogate pair is one character.
        {"text top right, turned",
         [](auto& b) {
             b.AddText(u"A\U0001D400", {0, 0, 0}, kY, 1, SMxTextAlign::TopRight);
         },
         {0, -1.2, 0},
         {1, 0, 0}},
        // The quarter arc 0..90 turned by 45 degrees spans 45..135: a box of the child's box
        // would reach down to y = 0.
        {"child turned and moved",
         [](auto& b) {
             const WqGeMatrix3d place =
                 WqGeMatrix3d::translation({5, 0, 0}) * WqGeMatrix3d::rotation(kPi / 4, kZ);
             b.BeginChild(1, place);
             b.AddArc({0, 0, 0}, kZ, kX, 1, 0, kPi / 2);
             b.EndChild();
         },
         {5 - h45, h45, 0},
         {5 + h45, 1, 0}},
        {"fill and point",
         [](auto& b) {
             b.AddFill({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
             b.AddPoint({-2, 0.5, 3});
         },
         {-2, 0, 0},
         {1, 1, 3}},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        SMxDisplayList list;
        SMxDisplayListBuilder builder(list);
        c.draw(builder);
        EXPECT_TRUE(boxIs(list.GetBBox(), c.min, c.max));
    }
}

TEST(SMxDisplayList, NothingToDrawGivesAnEmptyBox) {
    SMxDisplayList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.GetBBox().isEmpty());

    SMxDisplayListBuilder builder(list);
    builder.AddText(u"", {1, 1, 1}, kX, 2, SMxTextAlign::BottomLeft);
    builder.BeginChild(1, WqGeMatrix3d::translation({3, 0, 0}));
    builder.EndChild();
    EXPECT_FALSE(list.IsEmpty());
    EXPECT_TRUE(list.GetBBox().isEmpty());
}

TEST(SMxDisplayList, FindAndRemoveByRepeatedAndNegativeIds) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    const int32_t ids[] = {5, -20, 5, 7, -20, -20};
    for (int i = 0; i < 6; ++i) {
        builder.SetItemId(ids[i]);
        builder.AddPoint({double(i), 0, 0});
    }
    // An id inside a child is not one of the list's own.
    builder.SetItemId(99);
    builder.BeginChild(8, WqGeMatrix3d::kIdentity);
    builder.AddPoint({0, 0, 0});
    builder.EndChild();

    const auto xOf = [](const SMxDisplayItem* item) {
        return item->As<SMxPointItem>()->position.x;
    };
    ASSERT_NE(list.FindFirst(5), nullptr);
    EXPECT_EQ(xOf(list.FindFirst(5)), 0);
    EXPECT_EQ(xOf(list.FindFirst(-20)), 1);
    EXPECT_EQ(list.FindFirst(99), nullptr);
    EXPECT_EQ(list.FindFirst(8)->GetKind(), SMxItemKind::Child);

    const SMxDisplayList& constList = list;
    const WqArray<const SMxDisplayItem*> negatives = constList.FindAll(-20);
    ASSERT_EQ(negatives.length(), 3);
    EXPECT_EQ(xOf(negatives[0]), 1);
    EXPECT_EQ(xOf(negatives[1]), 4);
    EXPECT_EQ(xOf(negatives[2]), 5);
    EXPECT_TRUE(list.FindAll(99).isEmpty());

    EXPECT_EQ(list.RemoveById(-20), 3);
    EXPECT_EQ(list.RemoveById(-20), 0);
    EXPECT_EQ(list.RemoveById(99), 0);
    ASSERT_EQ(list.Count(), 4);
    const int32_t left[] = {5, 5, 7, 8};
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(list.GetAt(i).GetId(), left[i]);
    EXPECT_EQ(xOf(&list.GetAt(1)), 2); // order kept

    EXPECT_EQ(list.RemoveById(5), 2);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(SMxDisplayList, IteratesInOrderAndReachesChildren) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    builder.AddLine({0, 0, 0}, {1, 0, 0});
    builder.BeginChild(1, WqGeMatrix3d::kIdentity);
    builder.AddCircle({0, 0, 0}, kZ, 1);
    builder.EndChild();
    builder.AddText(u"A", {0, 0, 0}, kX, 1, SMxTextAlign::BottomLeft);
    builder.BeginChild(2, WqGeMatrix3d::kIdentity);
    builder.EndChild();

    for (SMxDisplayItem& item : list)
        item.SetLineStyle(7);
    std::vector<SMxItemKind> kinds;
    const SMxDisplayList& constList = list;
    for (const SMxDisplayItem& item : constList) {
        EXPECT_EQ(item.GetLineStyle(), 7);
        kinds.push_back(item.GetKind());
    }
    EXPECT_EQ(kinds, (std::vector<SMxItemKind>{SMxItemKind::Line, SMxItemKind::Child,
                                               SMxItemKind::Text, SMxItemKind::Child}));

    ASSERT_EQ(list.ChildCount(), 2);
    EXPECT_EQ(list.GetChild(0).GetId(), 1);
    EXPECT_EQ(list.GetChild(0).list.GetAt(0).GetKind(), SMxItemKind::Arc);
    EXPECT_EQ(list.GetChild(1).GetId(), 2);
    EXPECT_EQ(list.GetAt(0).As<SMxArcItem>(), nullptr);
}

TEST(SMxDisplayList, CopiesAreDeepAndMovesHandOver) {
    SMxDisplayList original;
    SMxDisplayListBuilder builder(original);
    builder.AddLine({0, 0, 0}, {1, 0, 0});
    builder.BeginChild(3, WqGeMatrix3d::kIdentity);
    builder.AddLine({0, 0, 0}, {0, 1, 0});
    builder.EndChild();

    SMxDisplayList copy = original;
    copy.GetAt(0).As<SMxLineItem>()->end = {9, 9, 9};
    copy.GetAt(0).SetId(42);
    copy.GetChild(0).list.GetAt(0).As<SMxLineItem>()->end = {7, 7, 7};
    copy.GetChild(0).SetTransform(WqGeMatrix3d::translation({1, 1, 1}));
    copy.GetChild(0).list.Clear();

    EXPECT_EQ(original.GetAt(0).As<SMxLineItem>()->end, WqGePoint3d(1, 0, 0));
    EXPECT_EQ(original.GetAt(0).GetId(), 0);
    ASSERT_EQ(original.GetChild(0).list.Count(), 1);
    EXPECT_EQ(original.GetChild(0).list.GetAt(0).As<SMxLineItem>()->end, WqGePoint3d(0, 1, 0));
    EXPECT_EQ(original.GetChild(0).GetTransform(), WqGeMatrix3d::kIdentity);

    SMxDisplayList assigned;
    assigned.Append(SMxPointItem({5, 5, 5}, 0));
    assigned = original;
    ASSERT_EQ(assigned.Count(), 2);
    EXPECT_NE(&assigned.GetAt(0), &original.GetAt(0));

    // Assigning a list its own child must not read the child after freeing it.
    assigned = assigned.GetChild(0).list;
    ASSERT_EQ(assigned.Count(), 1);
    EXPECT_EQ(assigned.GetAt(0).As<SMxLineItem>()->end, WqGePoint3d(0, 1, 0));

    const SMxDisplayItem* first = &original.GetAt(0);
    SMxDisplayList moved = std::move(original);
    EXPECT_EQ(&moved.GetAt(0), first);
    EXPECT_EQ(moved.Count(), 2);
}

// A child keeps its placement bit for bit whatever it is, through copies and placing: the
// identity is kept as no matrix at all, and a matrix that only looks like it (a negative zero)
// is not taken for it.
TEST(SMxDisplayList, AChildGivesBackItsPlacementBitForBit) {
    WqGeMatrix3d negativeZero = WqGeMatrix3d::kIdentity;
    negativeZero.entry[0][3] = -0.0;
    struct Case {
        const char* name;
        WqGeMatrix3d placement;
    };
    const Case cases[] = {
        {"identity", WqGeMatrix3d::kIdentity},
        {"moved", WqGeMatrix3d::translation({1, -2, 3})},
        {"turned", WqGeMatrix3d::rotation(0.3, kZ, {4, 5, 0})},
        {"negative zero", negativeZero},
    };
    const auto sameBits = [](const WqGeMatrix3d& a, const WqGeMatrix3d& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SMxDisplayList list;
        SMxDisplayListBuilder builder(list);
        builder.BeginChild(7, c.placement);
        builder.AddLine({0, 0, 0}, {1, 1, 0});
        builder.EndChild();
        SMxChildItem& child = list.GetChild(0);
        EXPECT_TRUE(sameBits(child.GetTransform(), c.placement));

        const SMxDisplayList copy = list;
        EXPECT_TRUE(sameBits(copy.GetChild(0).GetTransform(), c.placement));

        // Placing composes with what the child had; setting back the identity forgets it.
        const WqGeMatrix3d by = WqGeMatrix3d::translation({10, 0, 0});
        child.TransformBy(by);
        EXPECT_TRUE(sameBits(child.GetTransform(), by * c.placement));
        EXPECT_TRUE(sameBits(copy.GetChild(0).GetTransform(), c.placement));
        BBox box;
        list.ExtendBBox(box, WqGeMatrix3d::kIdentity);
        BBox expected;
        expected.extend((by * c.placement) * WqGePoint3d(0, 0, 0));
        expected.extend((by * c.placement) * WqGePoint3d(1, 1, 0));
        EXPECT_TRUE(boxIs(box, expected.min, expected.max));
        child.SetTransform(WqGeMatrix3d::kIdentity);
        EXPECT_TRUE(sameBits(child.GetTransform(), WqGeMatrix3d::kIdentity));
    }
}

TEST(SMxDisplayList, TransformByMovesEveryKindAsPlacingWould) {
    SMxDisplayList list;
    SMxDisplayListBuilder builder(list);
    builder.AddArc({1, 0, 0}, kZ, kX, 2, 10 * kDeg, 200 * kDeg);
    builder.AddText(u"AB\nC", {0, 3, 0}, {1, 1, 0}, 1.5, SMxTextAlign::MiddleRight);
    builder.AddPolyline({{0, 0, 0}, {1, 2, 3}});
    builder.AddFill({{-1, 0, 0}, {0, -4, 0}, {1, 0, 0}});
    builder.AddPoint({6, 6, 6});
    builder.BeginChild(1, WqGeMatrix3d::rotation(0.3, kX));
    builder.AddArc({0, 0, 0}, kY, kZ, 1, 0, 1);
    builder.EndChild();

    // Scaled, turned about a slanted axis and moved.
    const WqGeMatrix3d xform = WqGeMatrix3d::translation({3, -2, 5}) *
                               WqGeMatrix3d::rotation(0.7, {1, 2, 3}) * WqGeMatrix3d::scaling(2.5);
    BBox placed;
    list.ExtendBBox(placed, xform);
    list.TransformBy(xform);
    EXPECT_TRUE(boxIs(list.GetBBox(), placed.min, placed.max));
    EXPECT_NEAR(list.GetAt(1).As<SMxTextItem>()->height, 3.75, 1e-12);
    EXPECT_NEAR(list.GetAt(0).As<SMxArcItem>()->radius, 5, 1e-12);
}

TEST(SMxDisplayList, MirroredArcKeepsItsSide) {
    SMxDisplayList list;
    SMxDisplayListBuilder(list).AddArc({0, 0, 0}, kZ, kX, 1, 0, kPi / 2);
    WqGeMatrix3d mirror;
    mirror.entry[0][0] = -1; // x -> -x

    list.TransformBy(mirror);
    const SMxArcItem& arc = *list.GetAt(0).As<SMxArcItem>();
    EXPECT_TRUE(isNear(arc.PointAt(arc.startAngle), {-1, 0, 0}));
    EXPECT_TRUE(isNear(arc.PointAt(arc.endAngle), {0, 1, 0}));
    EXPECT_TRUE(boxIs(list.GetBBox(), {-1, 0, 0}, {0, 1, 0}));
}

// How an item is drawn under the attribute stacks of the lists that hold it: an inner list wins
// over an outer one and over the item's own look, a styled colour over every list, the
// outermost highlight over everything; copies keep the stacks.
TEST(SMxDisplayList, AttributeStacksDecideHowItemsAreDrawn) {
    const SMxColor own = SMxColor::FromIndex(1), outer = SMxColor::FromIndex(2),
                   inner = SMxColor::FromIndex(3), styled = SMxColor::FromIndex(4),
                   high = SMxColor::FromIndex(5), deep = SMxColor::FromIndex(6);
    auto entry = [](SMxAttributes::Source source, const SMxColor* color, int32_t weight) {
        SMxAttributes a;
        a.source = source;
        a.hasColor = color != nullptr;
        if (color) a.color = *color;
        a.lineWeight = weight;
        return a;
    };
    struct Case {
        const char* name;
        std::vector<SMxAttributes> outerStack;
        std::vector<SMxAttributes> innerStack;
        bool styledItem;
        SMxColor color;
        int32_t weight;
    } cases[] = {
        {"no attributes", {}, {}, false, own, 7},
        {"outer list", {entry(SMxAttributes::kLayer, &outer, 0)}, {}, false, outer, 7},
        {"inner over outer",
         {entry(SMxAttributes::kLayer, &outer, 35)},
         {entry(SMxAttributes::kStyle, &inner, 0)},
         false,
         inner,
         35},
        {"later entry wins",
         {},
         {entry(SMxAttributes::kLayer, &outer, 50), entry(SMxAttributes::kStyle, &inner, 0)},
         false,
         inner,
         50},
        {"styled item", {entry(SMxAttributes::kLayer, &outer, 0)}, {}, true, styled, 7},
        {"outermost highlight",
         {entry(SMxAttributes::kHighlight, &high, 0)},
         {entry(SMxAttributes::kHighlight, &deep, 0)},
         true,
         high,
         7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SMxDisplayList root;
        for (const SMxAttributes& a : c.outerStack)
            root.PushAttributes(a);
        auto* child = static_cast<SMxChildItem*>(root.Append(std::make_unique<SMxChildItem>()));
        for (const SMxAttributes& a : c.innerStack)
            child->list.PushAttributes(a);
        SMxDisplayItem* line =
            child->list.Append(std::make_unique<SMxLineItem>(WqGePoint3d(), WqGePoint3d(1, 0, 0)));
        line->SetColor(own);
        line->SetLineWeight(7);
        if (c.styledItem) line->SetStyledColor(styled);

        const SMxDisplayList copy = root;
        for (const SMxDisplayList* list : {static_cast<const SMxDisplayList*>(&root), &copy}) {
            SMxDrawAttributes attrs;
            attrs.Enter(*list);
            const SMxChildItem& placed = list->GetChild(0);
            attrs.Enter(placed.list);
            EXPECT_EQ(attrs.ColorOf(placed.list.GetAt(0)), c.color);
            EXPECT_EQ(attrs.LineWeightOf(placed.list.GetAt(0)), c.weight);
        }
    }
    SMxDisplayList list;
    list.PushAttributes({SMxAttributes::kLayer, true, SMxColor(), 0, 0});
    list.PushAttributes({SMxAttributes::kHighlight, true, SMxColor(), 0, 0});
    list.PushAttributes({SMxAttributes::kLayer, true, SMxColor(), 0, 0});
    EXPECT_EQ(list.RemoveAttributes(SMxAttributes::kLayer), 2);
    ASSERT_EQ(list.GetAttributes().size(), 1u);
    list.Clear(); // items only
    EXPECT_EQ(list.GetAttributes().size(), 1u);
    list.ClearAttributes();
    EXPECT_TRUE(list.GetAttributes().empty());
}

} // namespace
