#include "GeTestSupport.h"

#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

WqGeMatrix3d rows(std::vector<std::vector<double>> r) {
    WqGeMatrix3d m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            m.entry[i][j] = r[i][j];
    return m;
}

WqGeMatrix3d frame(const WqGePoint3d& o, const WqGeVector3d& x, const WqGeVector3d& y,
                   const WqGeVector3d& z) {
    WqGeMatrix3d m;
    return m.setCoordSystem(o, x, y, z);
}

TEST(WqGeMatrix3d, DefaultIsIdentity) {
    EXPECT_EQ(WqGeMatrix3d(), WqGeMatrix3d::kIdentity);
    EXPECT_EQ(WqGeMatrix3d::kIdentity * WqGePoint3d(1, 2, 3), WqGePoint3d(1, 2, 3));
}

TEST(WqGeMatrix3d, FactoriesMapPointsAsComputedByHand) {
    struct Case {
        std::string name;
        WqGeMatrix3d m;
        WqGePoint3d in, out;
    };
    const WqGeVector3d z = WqGeVector3d::kZAxis;
    const auto rotZ90 = WqGeMatrix3d::rotation(kPi / 2, z);
    const auto rotZ90AtC = WqGeMatrix3d::rotation(kPi / 2, z, {1, 1, 0});
    const auto rotY90AtC = WqGeMatrix3d::rotation(kPi / 2, WqGeVector3d::kYAxis, {1, 0, 0});
    const auto rot120Diag = WqGeMatrix3d::rotation(2 * kPi / 3, {1, 1, 1});
    const auto scale2AtC = WqGeMatrix3d::scaling(2, {1, 1, 1});
    const auto move = WqGeMatrix3d::translation({1, 2, 3});
    const std::vector<Case> cases = {
        {"rotZ x", rotZ90, {1, 0, 0}, {0, 1, 0}},
        {"rotZ y", rotZ90, {0, 1, 0}, {-1, 0, 0}},
        {"rotZ keeps z", rotZ90, {0, 0, 4}, {0, 0, 4}},
        {"rotZ long axis", WqGeMatrix3d::rotation(kPi / 2, {0, 0, 5}), {1, 0, 0}, {0, 1, 0}},
        {"rotZ negative angle", WqGeMatrix3d::rotation(-kPi / 2, z), {1, 0, 0}, {0, -1, 0}},
        {"rotX right-handed",
         WqGeMatrix3d::rotation(kPi / 2, WqGeVector3d::kXAxis),
         {0, 1, 0},
         {0, 0, 1}},
        {"rotZ about centre", rotZ90AtC, {2, 1, 0}, {1, 2, 0}},
        {"rotZ centre fixed", rotZ90AtC, {1, 1, 5}, {1, 1, 5}},
        {"rotY about centre", rotY90AtC, {2, 0, 0}, {1, 0, -1}},
        {"rot120 about diagonal x", rot120Diag, {1, 0, 0}, {0, 1, 0}},
        {"rot120 about diagonal y", rot120Diag, {0, 1, 0}, {0, 0, 1}},
        {"scale about centre", scale2AtC, {2, 1, 1}, {3, 1, 1}},
        {"scale centre fixed", scale2AtC, {1, 1, 1}, {1, 1, 1}},
        {"scale about origin", WqGeMatrix3d::scaling(-0.5), {2, 4, -6}, {-1, -2, 3}},
        {"translation", move, {1, 1, 1}, {2, 3, 4}},
        {"zero axis is identity", WqGeMatrix3d::rotation(1.0, {0, 0, 0}), {1, 2, 3}, {1, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(isNear(c.m * c.in, c.out)) << c.name;

    // Whole matrices, so a wrong sign in an unused entry cannot hide.
    EXPECT_TRUE(isNear(rotZ90AtC, rows({{0, -1, 0, 2}, {1, 0, 0, 0}, {0, 0, 1, 0}})));
    EXPECT_TRUE(isNear(scale2AtC, rows({{2, 0, 0, -1}, {0, 2, 0, -1}, {0, 0, 2, -1}})));
    EXPECT_EQ(move.translation(), WqGeVector3d(1, 2, 3));
}

TEST(WqGeMatrix3d, AlignCoordSysMapsOneFrameOntoTheOther) {
    // A frame turned 90 degrees about Z and moved to (10, 20, 30).
    const WqGePoint3d o(10, 20, 30);
    const WqGeVector3d x(0, 1, 0), y(-1, 0, 0), z(0, 0, 1);
    const WqGePoint3d wo = WqGePoint3d::kOrigin;
    const WqGeVector3d wx = WqGeVector3d::kXAxis, wy = WqGeVector3d::kYAxis,
                       wz = WqGeVector3d::kZAxis;

    const WqGeMatrix3d toWorld = WqGeMatrix3d::alignCoordSys(o, x, y, z, wo, wx, wy, wz);
    EXPECT_TRUE(isNear(toWorld, rows({{0, 1, 0, -20}, {-1, 0, 0, 10}, {0, 0, 1, -30}})));
    EXPECT_TRUE(isNear(toWorld * (o + 2 * x + 3 * y + 4 * z), {2, 3, 4}));
    EXPECT_TRUE(isNear(toWorld * y, wy));

    const WqGeMatrix3d fromWorld = WqGeMatrix3d::alignCoordSys(wo, wx, wy, wz, o, x, y, z);
    EXPECT_TRUE(isNear(fromWorld, rows({{0, -1, 0, 10}, {1, 0, 0, 20}, {0, 0, 1, 30}})));
    EXPECT_TRUE(isNear(fromWorld, toWorld.inverse()));
    EXPECT_TRUE(isNear(fromWorld * toWorld, WqGeMatrix3d::kIdentity));

    WqGePoint3d go;
    WqGeVector3d gx, gy, gz;
    fromWorld.getCoordSystem(go, gx, gy, gz);
    EXPECT_EQ(go, o);
    EXPECT_TRUE(isNear(gx, x) && isNear(gy, y) && isNear(gz, z));

    // A tilted frame built from known motions: aligning it back must undo them.
    const WqGeMatrix3d motion = WqGeMatrix3d::translation({-3, 7, 2}) *
                                WqGeMatrix3d::rotation(0.4, {1, -2, 0.5}, {1, 1, 1});
    const WqGeMatrix3d back = WqGeMatrix3d::alignCoordSys(motion * wo, motion * wx, motion * wy,
                                                          motion * wz, wo, wx, wy, wz);
    EXPECT_TRUE(isNear(back * motion, WqGeMatrix3d::kIdentity));

    // Neither frame the world one: each origin and axis goes to its counterpart.
    const WqGePoint3d bo(-5, 0, 2);
    const WqGeVector3d bx(0, 0, 2), by(1, 0, 0), bz(0, 2, 0);
    const WqGeMatrix3d aToB = WqGeMatrix3d::alignCoordSys(o, x, y, z, bo, bx, by, bz);
    EXPECT_TRUE(isNear(aToB * o, bo));
    EXPECT_TRUE(isNear(aToB * (o + x - 2 * z), bo + bx - 2 * bz));
    EXPECT_TRUE(isNear(aToB * y, by));

    // A degenerate source frame has no mapping.
    EXPECT_EQ(WqGeMatrix3d::alignCoordSys(o, x, x, z, wo, wx, wy, wz), WqGeMatrix3d::kIdentity);
}

TEST(WqGeMatrix3d, InverseUndoesTheMatrix) {
    struct Case {
        std::string name;
        WqGeMatrix3d m;
        double det;
        double tol;
    };
    WqGeMatrix3d projective; // swaps the z and w rows: not affine, but invertible
    projective.entry[2][2] = 0;
    projective.entry[2][3] = 1;
    projective.entry[3][2] = 1;
    projective.entry[3][3] = 0;
    const std::vector<Case> cases = {
        {"identity", WqGeMatrix3d::kIdentity, 1, 1e-15},
        {"translation", WqGeMatrix3d::translation({5, -3, 2}), 1, 1e-15},
        {"rotation", WqGeMatrix3d::rotation(0.7, {1, 2, 3}, {4, 5, 6}), 1, 1e-13},
        {"small scale", WqGeMatrix3d::scaling(1e-4, {1, 1, 1}), 1e-12, 1e-12},
        {"scale", WqGeMatrix3d::scaling(2), 8, 1e-15},
        {"mirror", WqGeMatrix3d::scaling(-1), -1, 1e-15},
        {"skewed frame", frame({1, 2, 3}, {2, 0, 0}, {1, 1, 0}, {0, 1, 3}), 6, 1e-14},
        {"far away",
         WqGeMatrix3d::translation({1e9, -2e9, 5e8}) *
             WqGeMatrix3d::rotation(1.0, WqGeVector3d::kZAxis),
         1, 1e-6},
        {"composite",
         WqGeMatrix3d::translation({1, 2, 3}) * WqGeMatrix3d::rotation(-2.0, {0, 1, 1}) *
             WqGeMatrix3d::scaling(3, {1, 0, 0}),
         27, 1e-13},
        {"projective", projective, -1, 1e-15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.m.det(), c.det, 1e-12 * std::abs(c.det));
        WqGeMatrix3d inv;
        ASSERT_TRUE(c.m.inverse(inv));
        EXPECT_FALSE(c.m.isSingular());
        EXPECT_TRUE(isNear(inv * c.m, WqGeMatrix3d::kIdentity, c.tol));
        EXPECT_TRUE(isNear(c.m * inv, WqGeMatrix3d::kIdentity, c.tol));
        EXPECT_EQ(c.m.inverse(), inv);
    }
}

TEST(WqGeMatrix3d, SingularMatricesHaveNoInverse) {
    struct Case {
        std::string name;
        WqGeMatrix3d m;
        double tol;
        bool singular;
    };
    const double def = WqGeContext::gTol.equalVector();
    const WqGePoint3d o(1, 2, 3);
    const WqGeVector3d x = WqGeVector3d::kXAxis, y = WqGeVector3d::kYAxis, z = WqGeVector3d::kZAxis;
    WqGeMatrix3d zero;
    zero.entry[0][0] = zero.entry[1][1] = zero.entry[2][2] = zero.entry[3][3] = 0;
    const std::vector<Case> cases = {
        {"zero scale", WqGeMatrix3d::scaling(0, o), def, true},
        {"flattened x", frame(o, {0, 0, 0}, y, z), def, true},
        {"repeated axis", frame(o, x, x, z), def, true},
        {"coplanar axes", frame(o, x, y, x + y), def, true},
        {"all zero", zero, def, true},
        {"nearly repeated axis", frame(o, x, {1, 1e-12, 0}, z), def, true},
        {"nearly repeated axis, tight tol", frame(o, x, {1, 1e-12, 0}, z), 1e-14, false},
        // Judged relative to the scale: a tiny det alone is not singular.
        {"tiny uniform scale", WqGeMatrix3d::scaling(1e-6), def, false},
        {"huge translation", WqGeMatrix3d::translation({1e12, 0, -1e12}), def, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.m.isSingular(c.tol), c.singular);
        WqGeMatrix3d out = WqGeMatrix3d::scaling(7);
        EXPECT_EQ(c.m.inverse(out, c.tol), !c.singular);
        if (c.singular) {
            EXPECT_EQ(out, WqGeMatrix3d::scaling(7));
        } else {
            EXPECT_TRUE(isNear(out * c.m, WqGeMatrix3d::kIdentity, 1e-3));
        }
    }
    EXPECT_EQ(WqGeMatrix3d::scaling(0).inverse(), WqGeMatrix3d::kIdentity);
}

TEST(WqGeMatrix3d, CompositionAppliesRightOperandFirst) {
    const WqGeMatrix3d move = WqGeMatrix3d::translation({1, 0, 0});
    const WqGeMatrix3d turn = WqGeMatrix3d::rotation(kPi / 2, WqGeVector3d::kZAxis);
    const WqGePoint3d p(1, 0, 0);

    EXPECT_TRUE(isNear((move * turn) * p, {1, 1, 0}));
    EXPECT_TRUE(isNear((turn * move) * p, {0, 2, 0}));
    EXPECT_TRUE(isNear((move * turn) * p, move * (turn * p)));

    WqGeMatrix3d pre = turn;
    pre.preMultBy(move);
    EXPECT_EQ(pre, move * turn);
    WqGeMatrix3d post = move;
    post.postMultBy(turn);
    EXPECT_EQ(post, move * turn);
    WqGeMatrix3d assigned = move;
    assigned *= turn;
    EXPECT_EQ(assigned, move * turn);
}

TEST(WqGeMatrix3d, CoordSystemAndScaleAccessors) {
    const WqGePoint3d o(4, 5, 6);
    const WqGeVector3d x(1, 0, 0), y(0, 3, 0), z(0, 0, -2);
    WqGeMatrix3d m;
    m.setCoordSystem(o, x, y, z);
    WqGePoint3d go;
    WqGeVector3d gx, gy, gz;
    m.getCoordSystem(go, gx, gy, gz);
    EXPECT_EQ(go, o);
    EXPECT_EQ(gx, x);
    EXPECT_EQ(gy, y);
    EXPECT_EQ(gz, z);
    EXPECT_EQ(m.translation(), o.asVector());
    EXPECT_DOUBLE_EQ(m.scale(), 3.0);
    // Rotation and translation do not change the scale.
    EXPECT_NEAR((WqGeMatrix3d::translation({9, 9, 9}) * WqGeMatrix3d::rotation(1, {1, 1, 0}) *
                 WqGeMatrix3d::scaling(2.5))
                    .scale(),
                2.5, 1e-14);
}

TEST(WqGeMatrix3d, IsEqualToUsesPointTolForTranslationAndVectorTolForTheRest) {
    struct Case {
        int row, col;
        double delta;
        WqGeTol tol;
        bool equal;
    };
    const std::vector<Case> cases = {
        {0, 3, 5e-11, WqGeTol(), true},     {0, 3, 5e-9, WqGeTol(), false},
        {2, 3, 5e-9, {1e-8, 1e-12}, true},  {1, 0, 5e-11, WqGeTol(), true},
        {1, 0, 5e-9, WqGeTol(), false},     {1, 0, 5e-9, {1e-12, 1e-8}, true},
        {1, 0, 5e-9, {1e-8, 1e-12}, false},
    };
    const WqGeMatrix3d base = WqGeMatrix3d::rotation(0.3, {1, 2, 3}, {4, 5, 6});
    for (const Case& c : cases) {
        WqGeMatrix3d other = base;
        other.entry[c.row][c.col] += c.delta;
        EXPECT_EQ(base.isEqualTo(other, c.tol), c.equal)
            << c.row << "," << c.col << " delta " << c.delta;
    }
}

TEST(WqGeMatrix3d, PlaneToWorldIsARotationTakingZToTheNormal) {
    for (const WqGeVector3d n : {WqGeVector3d(0, 0, 1), WqGeVector3d(0, 0, -1),
                                 WqGeVector3d(1, 0, 0), WqGeVector3d(1, 2, 3)}) {
        SCOPED_TRACE(::testing::PrintToString(n));
        const WqGeMatrix3d m = WqGeMatrix3d::planeToWorld(n);
        EXPECT_TRUE(isNear(m * WqGeVector3d::kZAxis, n.normal()));
        EXPECT_NEAR(m.det(), 1.0, 1e-14);
        EXPECT_TRUE(isNear(m * m.transpose(), WqGeMatrix3d::kIdentity));
        EXPECT_TRUE(isNear(WqGeMatrix3d::worldToPlane(n) * m, WqGeMatrix3d::kIdentity));
    }
    EXPECT_EQ(WqGeMatrix3d::planeToWorld(WqGeVector3d::kZAxis), WqGeMatrix3d::kIdentity);

    const WqGePlane plane({1, 2, 3}, {0, 1, 1});
    const WqGeMatrix3d toPlane = WqGeMatrix3d::worldToPlane(plane);
    EXPECT_TRUE(isNear(toPlane * plane.pointOnPlane(), WqGePoint3d::kOrigin));
    EXPECT_NEAR((toPlane * WqGePoint3d(1, 3, 2)).z, 0.0, 1e-14); // a point on the plane
    EXPECT_TRUE(isNear(WqGeMatrix3d::planeToWorld(plane) * toPlane, WqGeMatrix3d::kIdentity));
}

} // namespace
