// The drag frame: its fixed point stays, the edges its mode frees follow the cursor along their
// own directions (a turned frame stays turned), a move carries it whole, and a collapsed edge
// still opens toward the dragged corner.
#include <gtest/gtest.h>

#include "du/DUxWireFrameCalculator.h"

namespace {

void ExpectPoint(const WqGePoint3d& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-12);
    EXPECT_NEAR(p.y, y, 1e-12);
}

TEST(WireFrameCalculator, ModesFreeTheirEdgesOnly) {
    struct Case {
        int32_t mode;
        double e1, e2;
    };
    // A 10 by 4 frame from (0, 0); the cursor goes to (15, -2).
    for (const Case& c : {Case{0, 10, 4}, Case{1, 15, 4}, Case{2, 10, -2}, Case{3, 15, -2}}) {
        SCOPED_TRACE(c.mode);
        DUxWireFrameCalculator f({0, 0, 0}, c.mode, {10, 0, 0}, {0, 4, 0}, {10, 4, 0});
        if (c.mode != DUxWireFrameCalculator::kMove) f.ApplyResizePoint({15, -2, 0});
        EXPECT_DOUBLE_EQ(f.GetFirstExtent(), c.e1);
        EXPECT_DOUBLE_EQ(f.GetSecondExtent(), c.e2);
        ExpectPoint(f.Point(0), 0, 0);
        ExpectPoint(f.Point(2), c.e1, c.e2);
    }
    DUxWireFrameCalculator moved({0, 0, 0}, 0, {10, 0, 0}, {0, 4, 0}, {10, 4, 0});
    moved.Move({1, 1, 0}, {4, -1, 0});
    ExpectPoint(moved.Point(0), 3, -2);
    ExpectPoint(moved.Point(2), 13, 2);
}

TEST(WireFrameCalculator, ATurnedFrameStaysTurnedAndACollapsedEdgeOpensTowardTheCorner) {
    // First edge along +y, second along -x: a frame turned a quarter.
    DUxWireFrameCalculator turned({0, 0, 0}, 3, {0, 10, 0}, {-4, 0, 0}, {-4, 10, 0});
    turned.ApplyResizePoint({-6, 12, 0});
    EXPECT_DOUBLE_EQ(turned.GetFirstExtent(), 12);
    EXPECT_DOUBLE_EQ(turned.GetSecondExtent(), 6);
    ExpectPoint(turned.Point(1), 0, 12);
    ExpectPoint(turned.Point(3), -6, 0);

    // No height: the second edge lies on the side of the dragged corner.
    DUxWireFrameCalculator flat({0, 0, 0}, 3, {10, 0, 0}, {0, 0, 0}, {10, -1e-3, 0});
    flat.ApplyResizePoint({10, -5, 0});
    EXPECT_DOUBLE_EQ(flat.GetSecondExtent(), 5);
    ExpectPoint(flat.Point(3), 0, -5);
    // Nothing at all: the sheet's axes.
    DUxWireFrameCalculator point({2, 2, 0}, 3, {2, 2, 0}, {2, 2, 0}, {2, 2, 0});
    point.ApplyResizePoint({5, 7, 0});
    ExpectPoint(point.Point(2), 5, 7);
}

} // namespace
