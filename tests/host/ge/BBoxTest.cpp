#include "GeTestSupport.h"

#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

namespace {

TEST(BBox, DefaultIsEmpty) {
    const BBox box;
    EXPECT_TRUE(box.isEmpty());
    EXPECT_GT(box.min.x, box.max.x);
    EXPECT_FALSE(box.contains(WqGePoint3d::kOrigin));
    EXPECT_EQ(box.size(), WqGeVector3d::kIdentity);
    EXPECT_EQ(box.center(), WqGePoint3d::kOrigin);
}

TEST(BBox, ExtendByPointsAndBoxes) {
    BBox box;
    box.extend(WqGePoint3d(1, 2, 3));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.min, WqGePoint3d(1, 2, 3));
    EXPECT_EQ(box.max, WqGePoint3d(1, 2, 3));

    box.extend(WqGePoint3d(-1, 5, 3)).extend(WqGePoint3d(0, 0, 4));
    EXPECT_EQ(box.min, WqGePoint3d(-1, 0, 3));
    EXPECT_EQ(box.max, WqGePoint3d(1, 5, 4));
    EXPECT_EQ(box.size(), WqGeVector3d(2, 5, 1));
    EXPECT_EQ(box.center(), WqGePoint3d(0, 2.5, 3.5));

    box.extend(BBox({10, 10, 10}, {9, 11, 2})); // corners in any order
    EXPECT_EQ(box.min, WqGePoint3d(-1, 0, 2));
    EXPECT_EQ(box.max, WqGePoint3d(10, 11, 10));
}

TEST(BBox, EmptyBoxesTakePartInNothing) {
    const BBox unit({0, 0, 0}, {1, 1, 1});

    BBox b = unit;
    b.extend(BBox());
    EXPECT_EQ(b.min, unit.min);
    EXPECT_EQ(b.max, unit.max);

    BBox e;
    e.extend(unit);
    EXPECT_EQ(e.min, unit.min);
    EXPECT_EQ(e.max, unit.max);

    EXPECT_FALSE(unit.intersects(BBox()));
    EXPECT_FALSE(BBox().intersects(unit));

    BBox grown;
    grown.expand(5);
    EXPECT_TRUE(grown.isEmpty());

    // Shrinking past its size empties a box; extending it afterwards must not keep the
    // inverted corners.
    BBox shrunk = unit;
    shrunk.expand(-1);
    EXPECT_TRUE(shrunk.isEmpty());
    shrunk.extend(WqGePoint3d(5, 5, 5));
    EXPECT_EQ(shrunk.min, WqGePoint3d(5, 5, 5));
    EXPECT_EQ(shrunk.max, WqGePoint3d(5, 5, 5));

    // Flat in one direction is not empty.
    EXPECT_FALSE(BBox({0, 0, 0}, {1, 1, 0}).isEmpty());
}

TEST(BBox, ContainsAndIntersectsCountBoundaries) {
    const BBox box({0, 0, 0}, {2, 2, 2});
    struct PointCase {
        WqGePoint3d p;
        bool inside;
    };
    for (const PointCase& c : std::vector<PointCase>{{{1, 1, 1}, true},
                                                     {{2, 0, 1}, true},
                                                     {{2 + 0.5e-10, 1, 1}, true},
                                                     {{2 + 2e-10, 1, 1}, false},
                                                     {{1, 1, -1}, false}})
        EXPECT_EQ(box.contains(c.p), c.inside) << ::testing::PrintToString(c.p);
    EXPECT_TRUE(box.contains({2 + 2e-10, 1, 1}, WqGeTol(1e-9, 1e-10)));

    struct BoxCase {
        std::string name;
        BBox other;
        bool hit;
    };
    const std::vector<BoxCase> boxes = {
        {"overlap", BBox({1, 1, 1}, {3, 3, 3}), true},
        {"inside", BBox({0.5, 0.5, 0.5}, {1, 1, 1}), true},
        {"around", BBox({-1, -1, -1}, {5, 5, 5}), true},
        {"touching face", BBox({2, 0, 0}, {3, 2, 2}), true},
        {"gap within tolerance", BBox({2 + 0.5e-10, 0, 0}, {3, 2, 2}), true},
        {"apart in z only", BBox({0, 0, 3}, {2, 2, 4}), false},
    };
    for (const BoxCase& c : boxes) {
        EXPECT_EQ(box.intersects(c.other), c.hit) << c.name;
        EXPECT_EQ(c.other.intersects(box), c.hit) << c.name;
    }
}

TEST(BBox, TransformByBoundsTheTransformedCorners) {
    BBox box({0, 0, 0}, {1, 2, 3});
    box.transformBy(WqGeMatrix3d::translation({10, 0, 0}) *
                    WqGeMatrix3d::rotation(std::numbers::pi / 2, WqGeVector3d::kZAxis));
    EXPECT_TRUE(isNear(box.min, {8, 0, 0}));
    EXPECT_TRUE(isNear(box.max, {10, 1, 3}));

    // Rotating by 45 degrees widens the box to the rotated square's diagonal.
    BBox square({-1, -1, 0}, {1, 1, 0});
    square.transformBy(WqGeMatrix3d::rotation(std::numbers::pi / 4, WqGeVector3d::kZAxis));
    EXPECT_TRUE(isNear(square.max, {std::sqrt(2.0), std::sqrt(2.0), 0}));

    BBox empty;
    empty.transformBy(WqGeMatrix3d::scaling(2) * WqGeMatrix3d::translation({1, 1, 1}));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.min, BBox().min);
    EXPECT_EQ(empty.max, BBox().max);
}

TEST(BBox, ExpandGrowsEverySide) {
    BBox box({0, 0, 0}, {1, 2, 3});
    box.expand(0.5);
    EXPECT_EQ(box.min, WqGePoint3d(-0.5, -0.5, -0.5));
    EXPECT_EQ(box.max, WqGePoint3d(1.5, 2.5, 3.5));
}

} // namespace
