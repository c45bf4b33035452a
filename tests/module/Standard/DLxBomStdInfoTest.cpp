#include <gtest/gtest.h>

#include "Standard/DLxBomStdInfo.h"
#include "ge/WqGePoint3d.h"

TEST(DLxBomStdInfo, FlipMovesTheStackToTheLeadersOtherSide) {
    using D = DLxBomStdInfo;
    const struct { D::EDirection in, out; } cases[] = {
        {D::kLeft, D::kRight}, {D::kUp, D::kUpRight}, {D::kDown, D::kDownRight},
        {D::kRight, D::kLeft}, {D::kUpRight, D::kUp}, {D::kDownRight, D::kDown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(D::FlipDirection(c.in), c.out);
        EXPECT_EQ(D::FlipDirection(D::FlipDirection(c.in)), c.in);
    }
}

TEST(DLxBomStdInfo, BalloonDirectionLooksOnlyAtX) {
    using D = DLxBomStdInfo;
    EXPECT_EQ(D::BalloonDirection({1, 1, 0}, {1, 1, 0}), D::kRight); // equal points
    EXPECT_EQ(D::BalloonDirection({2, -5, 0}, {1, 9, 0}), D::kRight);
    EXPECT_EQ(D::BalloonDirection({1, 0, 0}, {1.000001, 0, 0}), D::kLeft);
    EXPECT_EQ(D::BalloonDirection({0, 7, 3}, {0, 0, 0}), D::kRight); // straight up
}
