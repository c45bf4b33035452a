// Auxiliary arcs and polygons: where an arc runs once drawn (also mirrored and moved), closed
// polygons, and the vertices of a regular polygon.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

constexpr double kPi = std::numbers::pi;

void ExpectPoint(const WqGePoint3d& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

// The drawn arc's start, middle and end.
struct ArcPoints {
    WqGePoint3d start, middle, end;
};
ArcPoints Drawn(const DUxCAuxEntArray& a) {
    SMxDisplayList list;
    a.Draw(list);
    const auto* arc = list.GetAt(0).As<SMxArcItem>();
    EXPECT_NE(arc, nullptr);
    if (!arc) return {};
    return {arc->PointAt(arc->startAngle), arc->PointAt((arc->startAngle + arc->endAngle) / 2),
            arc->PointAt(arc->endAngle)};
}

WqGeMatrix3d MirrorX() {
    WqGeMatrix3d m;
    m.entry[0][0] = -1;
    return m;
}

TEST(DUxAuxArc, RunsCounterClockwiseFromItsStartAndTurnsWithAMirror) {
    const struct {
        const char* name;
        WqGeVector3d start;
        WqGeMatrix3d placement;
        WqGePoint3d from, through, to;
    } cases[] = {
        // The left half of a circle of radius 2 about (1, 0).
        {"left half", {0, 1, 0}, WqGeMatrix3d::kIdentity, {1, 2, 0}, {-1, 0, 0}, {1, -2, 0}},
        {"right half", {0, -1, 0}, WqGeMatrix3d::kIdentity, {1, -2, 0}, {3, 0, 0}, {1, 2, 0}},
        {"moved",
         {0, 1, 0},
         WqGeMatrix3d::translation({0, 5, 0}),
         {1, 7, 0},
         {-1, 5, 0},
         {1, 3, 0}},
        // Mirrored in x, the left half becomes the right half drawn the other way round.
        {"mirrored", {0, 1, 0}, MirrorX(), {-1, 2, 0}, {1, 0, 0}, {-1, -2, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DUxCAuxEntArray a;
        DUxCAuxArc* arc = DUxAuxEntFactory::CreateArcByCenter(a, {1, 0, 0}, 2, c.start, kPi,
                                                              c.placement, nullptr, nullptr);
        ASSERT_NE(arc, nullptr);
        const ArcPoints p = Drawn(a);
        ExpectPoint(p.start, c.from.x, c.from.y);
        ExpectPoint(p.middle, c.through.x, c.through.y);
        ExpectPoint(p.end, c.to.x, c.to.y);
        const BBox box = a.GetExtents();
        EXPECT_NEAR(box.max.y - box.min.y, 4, 1e-9);
    }
}

TEST(DUxAuxPolygon, ClosedPolygonsDrawClosedAndRegularPolygonsStartAtTheirFirstVertex) {
    const WqGePoint3d pts[] = {{0, 0, 0}, {2, 0, 0}};
    DUxCAuxEntArray a;
    DUxAuxEntFactory::CreatePolygon(a, pts, 2, DUxAuxEntFactory::kClosedPolygon, nullptr, nullptr);
    DUxAuxEntFactory::CreatePolygon(a, pts, 2, 0, nullptr, nullptr);
    SMxDisplayList list;
    a.Draw(list);
    ASSERT_EQ(list.Count(), 2);
    const auto* closed = list.GetAt(0).As<SMxPolylineItem>();
    ASSERT_NE(closed, nullptr);
    EXPECT_TRUE(closed->closed);
    EXPECT_NE(list.GetAt(1).As<SMxLineItem>(), nullptr);

    const struct {
        int32_t sides;
        WqGePoint3d first;
        std::vector<WqGePoint3d> expected;
    } cases[] = {
        // A triangle about (0, -1) with its apex straight up at radius 4.
        {3,
         {0, 3, 0},
         {{0, 3, 0}, {-4 * std::sqrt(3.0) / 2, -3, 0}, {4 * std::sqrt(3.0) / 2, -3, 0}}},
        {4, {4, -1, 0}, {{4, -1, 0}, {0, 3, 0}, {-4, -1, 0}, {0, -5, 0}}},
        {2, {0, 3, 0}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sides);
        std::vector<WqGePoint3d> out{{9, 9, 9}};
        CreatePolygon({0, -1, 0}, 4, c.sides, c.first, out);
        ASSERT_EQ(out.size(), c.expected.size());
        for (size_t i = 0; i < out.size(); ++i)
            ExpectPoint(out[i], c.expected[i].x, c.expected[i].y);
    }
}

} // namespace
