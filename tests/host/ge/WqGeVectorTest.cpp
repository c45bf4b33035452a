#include "GeTestSupport.h"

#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint2d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector2d.h"
#include "ge/WqGeVector3d.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

TEST(WqGeVector, AngleToIsUnsignedAndAccurateNearZeroAndPi) {
    struct Case {
        WqGeVector3d a, b;
        double expected;
    };
    const std::vector<Case> cases = {
        {WqGeVector3d::kXAxis, WqGeVector3d::kXAxis, 0.0},
        {WqGeVector3d::kXAxis, WqGeVector3d::kYAxis, kPi / 2},
        {WqGeVector3d::kYAxis, WqGeVector3d::kXAxis, kPi / 2},
        {WqGeVector3d::kXAxis, -WqGeVector3d::kXAxis, kPi},
        {{2, 0, 0}, {1, 1, 0}, kPi / 4},
        {{5, 0, 0}, {0, 0, 0.1}, kPi / 2},
        // acos(dot) would lose these small angles entirely.
        {{1, 0, 0}, {1, 1e-9, 0}, 1e-9},
        {{1, 0, 0}, {-1, 1e-9, 0}, kPi - 1e-9},
        {WqGeVector3d::kIdentity, WqGeVector3d::kXAxis, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.a.angleTo(c.b), c.expected, 1e-15) << c.a.x << "," << c.a.y << "," << c.a.z;
        const WqGeVector2d a2 = c.a.convert2d(), b2 = c.b.convert2d();
        if (c.a.z == 0.0 && c.b.z == 0.0) {
            EXPECT_NEAR(a2.angleTo(b2), c.expected, 1e-15) << a2.x << "," << a2.y;
        }
    }
}

TEST(WqGeVector, SignedAngleAboutReferenceIsCounterClockwise) {
    const WqGeVector3d x = WqGeVector3d::kXAxis, y = WqGeVector3d::kYAxis, z = WqGeVector3d::kZAxis;
    EXPECT_NEAR(x.angleTo(y, z), kPi / 2, 1e-15);
    EXPECT_NEAR(y.angleTo(x, z), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(y, -z), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(-x, z), kPi, 1e-15);
    EXPECT_EQ(x.angleTo(x, z), 0.0);
}

TEST(WqGeVector2d, AngleIsInHalfOpenRangeAroundZero) {
    struct Case {
        WqGeVector2d v;
        double expected;
    };
    const std::vector<Case> cases = {
        {{1, 0}, 0.0},       {{0, 1}, kPi / 2},        {{-1, 0}, kPi}, {{-1, -0.0}, kPi},
        {{0, -1}, -kPi / 2}, {{-1, -1}, -3 * kPi / 4}, {{0, 0}, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.v.angle(), c.expected) << c.v.x << "," << c.v.y;
}

TEST(WqGeVector, NormalOfZeroLengthVectorStaysZero) {
    EXPECT_EQ(WqGeVector3d().normal(), WqGeVector3d::kIdentity);
    EXPECT_EQ(WqGeVector2d().normal(), WqGeVector2d::kIdentity);
    // Below the tolerance there is no meaningful direction either.
    EXPECT_EQ(WqGeVector3d(1e-12, 0, 0).normal(), WqGeVector3d::kIdentity);

    EXPECT_TRUE(isNear(WqGeVector3d(3, 0, 4).normal(), {0.6, 0, 0.8}));
    WqGeVector2d v(0, -7);
    v.normalize();
    EXPECT_EQ(v, WqGeVector2d(0, -1));
    // Tiny but above tolerance: still normalised, not zeroed.
    EXPECT_NEAR(WqGeVector3d(1e-9, 1e-9, 0).normal().length(), 1.0, 1e-15);
}

TEST(WqGeVector3d, CrossProductIsRightHanded) {
    const WqGeVector3d x = WqGeVector3d::kXAxis, y = WqGeVector3d::kYAxis, z = WqGeVector3d::kZAxis;
    EXPECT_EQ(x.crossProduct(y), z);
    EXPECT_EQ(y.crossProduct(z), x);
    EXPECT_EQ(z.crossProduct(x), y);
    EXPECT_EQ(y.crossProduct(x), -z);
    EXPECT_EQ(WqGeVector3d(1, 2, 3).crossProduct({4, 5, 6}), WqGeVector3d(-3, 6, -3));
    EXPECT_GT(WqGeVector2d(1, 0).crossProduct({0, 1}), 0.0);
}

TEST(WqGeVector3d, DirectionTestsUseRelativeTolerance) {
    struct Case {
        WqGeVector3d a, b;
        double tol;
        bool parallel, codirectional, perpendicular;
    };
    const double def = WqGeContext::gTol.equalVector();
    const std::vector<Case> cases = {
        {{1, 0, 0}, {3, 0, 0}, def, true, true, false},
        {{1, 0, 0}, {-3, 0, 0}, def, true, false, false},
        {{1, 0, 0}, {1, 1e-11, 0}, def, true, true, false},
        {{1, 0, 0}, {1, 1e-9, 0}, def, false, false, false},
        {{1, 0, 0}, {1, 1e-9, 0}, 1e-8, true, true, false},
        // Long vectors: only the angle matters, not the absolute offset.
        {{1e6, 1e-5, 0}, {1, 0, 0}, def, true, true, false},
        {{1, 0, 0}, {0, 0, 2}, def, false, false, true},
        {{1, 0, 0}, {1e-11, 1, 0}, def, false, false, true},
        {{1, 0, 0}, {1e-9, 1, 0}, def, false, false, false},
        {{0, 0, 0}, {1, 0, 0}, def, false, false, false},
    };
    for (const Case& c : cases) {
        const WqGeTol tol(1e-10, c.tol);
        SCOPED_TRACE(::testing::PrintToString(c.a) + " " + ::testing::PrintToString(c.b));
        EXPECT_EQ(c.a.isParallelTo(c.b, tol), c.parallel);
        EXPECT_EQ(c.b.isParallelTo(c.a, tol), c.parallel);
        EXPECT_EQ(c.a.isCodirectionalTo(c.b, tol), c.codirectional);
        EXPECT_EQ(c.a.isPerpendicularTo(c.b, tol), c.perpendicular);
        // The 2d versions agree whenever the case lies in the XY plane.
        if (c.a.z == 0.0 && c.b.z == 0.0) {
            EXPECT_EQ(c.a.convert2d().isParallelTo(c.b.convert2d(), tol), c.parallel);
            EXPECT_EQ(c.a.convert2d().isPerpendicularTo(c.b.convert2d(), tol), c.perpendicular);
        }
    }
}

TEST(WqGeVector3d, PerpVectorIsUnitAndPerpendicular) {
    for (const WqGeVector3d v :
         {WqGeVector3d(0, 0, 1), WqGeVector3d(0, 0, -2), WqGeVector3d(1, 0, 0),
          WqGeVector3d(1, 2, 3), WqGeVector3d(0.01, 0.01, -1)}) {
        const WqGeVector3d p = v.perpVector();
        EXPECT_NEAR(p.length(), 1.0, 1e-15) << ::testing::PrintToString(v);
        EXPECT_NEAR(p.dotProduct(v), 0.0, 1e-15) << ::testing::PrintToString(v);
    }
    EXPECT_EQ(WqGeVector3d::kZAxis.perpVector(), WqGeVector3d::kXAxis);
    EXPECT_EQ(WqGeVector3d().perpVector(), WqGeVector3d::kIdentity);
    EXPECT_EQ(WqGeVector2d(2, 1).perpVector(), WqGeVector2d(-1, 2));
}

TEST(WqGePoint, ArithmeticMixesPointsAndVectors) {
    const WqGePoint3d p(1, 2, 3), q(4, 6, 3);
    EXPECT_EQ(WqGePoint3d(), WqGePoint3d::kOrigin);
    EXPECT_EQ(q - p, WqGeVector3d(3, 4, 0));
    EXPECT_EQ(p + (q - p), q);
    EXPECT_EQ(q - (q - p), p);
    EXPECT_DOUBLE_EQ(p.distanceTo(q), 5.0);
    EXPECT_EQ(2.0 * WqGeVector3d(1, -2, 3) - WqGeVector3d(1, 1, 1) / 2.0,
              WqGeVector3d(1.5, -4.5, 5.5));

    const WqGePoint2d a(1, 1), b(4, 5);
    EXPECT_EQ(b - a, WqGeVector2d(3, 4));
    EXPECT_DOUBLE_EQ(a.distanceTo(b), 5.0);
    EXPECT_EQ(q.convert2d(), WqGePoint2d(4, 6));
}

TEST(WqGePoint, TransformMovesPointsButNotVectors) {
    const WqGeMatrix3d m = WqGeMatrix3d::translation({10, 0, 0}) *
                           WqGeMatrix3d::rotation(kPi / 2, WqGeVector3d::kZAxis);
    WqGePoint3d p(1, 0, 0);
    p.transformBy(m);
    EXPECT_TRUE(isNear(p, {10, 1, 0}));
    EXPECT_EQ(p, m * WqGePoint3d(1, 0, 0));

    WqGeVector3d v(1, 0, 0);
    v.transformBy(m);
    EXPECT_TRUE(isNear(v, {0, 1, 0}));
    EXPECT_EQ(v, m * WqGeVector3d(1, 0, 0));
}

TEST(WqGeTol, ComparisonsFollowTheGlobalToleranceAtCallTime) {
    const GlobalTolGuard guard;
    EXPECT_EQ(WqGeContext::gTol.equalPoint(), 1e-10);
    EXPECT_EQ(WqGeContext::gTol.equalVector(), 1e-10);

    const WqGePoint3d p(100, 200, 300);
    const WqGeVector3d v(0, 0, 1);
    struct Case {
        WqGeVector3d offset;
        bool equal;
    };
    for (const Case& c : std::vector<Case>{
             {{0, 0, 0.5e-10}, true}, {{0, 0, 2e-10}, false}, {{1e-10, 1e-10, 0}, false}}) {
        EXPECT_EQ(p.isEqualTo(p + c.offset), c.equal) << c.offset.z;
        EXPECT_EQ(v.isEqualTo(v + c.offset), c.equal) << c.offset.z;
        EXPECT_EQ(p.convert2d().isEqualTo((p + c.offset).convert2d()),
                  c.offset.convert2d().length() <= 1e-10);
    }
    EXPECT_TRUE(WqGeVector3d(0, 1e-10, 0).isZeroLength());
    EXPECT_FALSE(WqGeVector3d(0, 2e-10, 0).isZeroLength());

    // Loosening only the point tolerance leaves vector comparisons alone.
    WqGeContext::gTol.setEqualPoint(1e-6);
    EXPECT_TRUE(p.isEqualTo(p + WqGeVector3d(0, 0, 5e-7)));
    EXPECT_FALSE(v.isEqualTo(v + WqGeVector3d(0, 0, 5e-7)));
    EXPECT_FALSE(WqGeVector3d(0, 5e-7, 0).isZeroLength());

    WqGeContext::gTol.setEqualVector(1e-6);
    EXPECT_TRUE(v.isEqualTo(v + WqGeVector3d(0, 0, 5e-7)));
    EXPECT_TRUE(WqGeVector3d(0, 5e-7, 0).isZeroLength());
    EXPECT_TRUE(v.isParallelTo({1e-7, 0, 1}));

    // An explicit tolerance overrides the global one.
    EXPECT_FALSE(p.isEqualTo(p + WqGeVector3d(0, 0, 5e-7), WqGeTol()));
}

} // namespace
