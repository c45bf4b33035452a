#include "GeTestSupport.h"

#include "ge/WqGePlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(WqGePlane, DefaultIsTheXYPlane) {
    const WqGePlane plane;
    EXPECT_EQ(plane.pointOnPlane(), WqGePlane::kXYPlane.pointOnPlane());
    EXPECT_EQ(plane.normal(), WqGePlane::kXYPlane.normal());
    EXPECT_EQ(WqGePlane::kXYPlane.normal(), WqGeVector3d::kZAxis);
    EXPECT_DOUBLE_EQ(WqGePlane::kXYPlane.signedDistanceTo({5, 6, -7}), -7.0);
}

TEST(WqGePlane, DistanceAndProjection) {
    struct Case {
        WqGePlane plane;
        WqGePoint3d p;
        double signedDistance;
        WqGePoint3d closest;
    };
    const WqGePlane raised({9, 9, 1}, {0, 0, 2}); // normal given unnormalised
    const WqGePlane diagonal(WqGePoint3d::kOrigin, {1, 1, 0});
    const std::vector<Case> cases = {
        {raised, {3, 4, 5}, 4, {3, 4, 1}},
        {raised, {3, 4, -1}, -2, {3, 4, 1}},
        {raised, {3, 4, 1}, 0, {3, 4, 1}},
        {diagonal, {1, 1, 7}, std::sqrt(2.0), {0, 0, 7}},
        {diagonal, {-2, 0, 0}, -std::sqrt(2.0), {-1, 1, 0}},
    };
    EXPECT_EQ(raised.normal(), WqGeVector3d::kZAxis);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.p));
        EXPECT_NEAR(c.plane.signedDistanceTo(c.p), c.signedDistance, 1e-14);
        EXPECT_NEAR(c.plane.distanceTo(c.p), std::abs(c.signedDistance), 1e-14);
        const WqGePoint3d q = c.plane.closestPointTo(c.p);
        EXPECT_TRUE(isNear(q, c.closest, 1e-14));
        EXPECT_TRUE(c.plane.isOn(q));
    }
}

TEST(WqGePlane, IsOnUsesPointTolerance) {
    const WqGePlane plane({0, 0, 1}, {0, 0, 1});
    EXPECT_TRUE(plane.isOn({50, -50, 1 + 0.5e-10}));
    EXPECT_FALSE(plane.isOn({50, -50, 1 + 2e-10}));
    EXPECT_TRUE(plane.isOn({50, -50, 1 + 2e-10}, WqGeTol(1e-9, 1e-10)));

    const GlobalTolGuard guard;
    WqGeContext::gTol.setEqualPoint(1e-9);
    EXPECT_TRUE(plane.isOn({50, -50, 1 + 2e-10}));
}

TEST(WqGePlane, IntersectWithLine) {
    struct Case {
        std::string name;
        WqGePoint3d linePoint;
        WqGeVector3d direction;
        std::optional<WqGePoint3d> hit;
    };
    const WqGePlane plane({7, 7, 1}, {0, 0, 1});
    const std::vector<Case> cases = {
        {"perpendicular", {0, 0, 0}, {0, 0, 1}, WqGePoint3d(0, 0, 1)},
        {"oblique", {1, 1, 5}, {1, 0, -1}, WqGePoint3d(5, 1, 1)},
        {"plane behind the start", {0, 0, 5}, {0, 0, 3}, WqGePoint3d(0, 0, 1)},
        {"start on plane", {2, 3, 1}, {1, 1, 1}, WqGePoint3d(2, 3, 1)},
        {"parallel above", {0, 0, 5}, {1, 2, 0}, std::nullopt},
        {"parallel within", {0, 0, 1}, {1, 0, 0}, std::nullopt},
        {"parallel within tolerance", {0, 0, 5}, {1, 0, 1e-11}, std::nullopt},
        {"zero direction", {0, 0, 5}, {0, 0, 0}, std::nullopt},
        {"shallow but not parallel", {0, 0, 2}, {1, 0, -1e-3}, WqGePoint3d(1000, 0, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WqGePoint3d out(-99, -99, -99);
        EXPECT_EQ(plane.intersectWith(c.linePoint, c.direction, out), c.hit.has_value());
        if (c.hit) {
            EXPECT_TRUE(isNear(out, *c.hit, 1e-9));
        } else {
            EXPECT_EQ(out, WqGePoint3d(-99, -99, -99));
        }
    }
}

TEST(WqGePlane, ThroughPointsFollowsTheirOrder) {
    const WqGePoint3d a(1, 1, 1), b(2, 1, 1), c(1, 2, 1);
    const auto ccw = WqGePlane::throughPoints(a, b, c);
    ASSERT_TRUE(ccw);
    EXPECT_TRUE(isNear(ccw->normal(), WqGeVector3d::kZAxis));
    EXPECT_TRUE(ccw->isOn(a) && ccw->isOn(b) && ccw->isOn(c));

    const auto cw = WqGePlane::throughPoints(a, c, b);
    ASSERT_TRUE(cw);
    EXPECT_TRUE(isNear(cw->normal(), -WqGeVector3d::kZAxis));

    // A tiny triangle is still a triangle: collinearity is judged on directions.
    const auto tiny = WqGePlane::throughPoints({0, 0, 0}, {1e-6, 0, 0}, {0, 0, 1e-6});
    ASSERT_TRUE(tiny);
    EXPECT_TRUE(isNear(tiny->normal(), -WqGeVector3d::kYAxis));

    EXPECT_FALSE(WqGePlane::throughPoints(a, {3, 3, 3}, {5, 5, 5}));
    EXPECT_FALSE(WqGePlane::throughPoints(a, {2, 1, 1}, {3, 1, 1 + 1e-12}));
    EXPECT_FALSE(WqGePlane::throughPoints(a, a, c));
    EXPECT_FALSE(WqGePlane::throughPoints(a, b, b));
}

} // namespace
