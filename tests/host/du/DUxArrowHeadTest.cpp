// Arrowhead outlines, the clipping of lines by them, and polygon normalisation.
#include <gtest/gtest.h>

#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeDatabase.h"

namespace {

using Pts = std::vector<WqGePoint3d>;

const Pts kSquare = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};

TEST(DUxClip2DLineSegment, KeepsThePartsOutsideThePolygon) {
    struct Case {
        const char* name;
        WqGePoint3d a, b;
        Pts polygon;
        bool cut;
        Pts parts;
    };
    const Pts triangle = {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}};
    const Case cases[] = {
        {"through",
         {-1, 1, 5},
         {3, 1, 5},
         kSquare,
         true,
         {{-1, 1, 5}, {0, 1, 5}, {2, 1, 5}, {3, 1, 5}}},
        {"from inside", {1, 1, 0}, {1, 5, 0}, kSquare, true, {{1, 2, 0}, {1, 5, 0}}},
        {"into it", {1, -3, 0}, {1, 1, 0}, kSquare, true, {{1, -3, 0}, {1, 0, 0}}},
        {"wholly inside", {0.5, 0.5, 0}, {1.5, 1.5, 0}, kSquare, true, {}},
        {"missing it", {3, -1, 0}, {3, 4, 0}, kSquare, false, {{3, -1, 0}, {3, 4, 0}}},
        {"along an edge", {-1, 0, 0}, {3, 0, 0}, kSquare, false, {{-1, 0, 0}, {3, 0, 0}}},
        {"across a triangle's corner",
         {-1, 3, 0},
         {3, 3, 0},
         triangle,
         true,
         {{-1, 3, 0}, {0, 3, 0}, {1, 3, 0}, {3, 3, 0}}},
        {"no polygon", {0, 0, 0}, {1, 0, 0}, {{0, 0, 0}, {1, 1, 0}}, false, {{0, 0, 0}, {1, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pts parts;
        EXPECT_EQ(DUxClip2DLineSegment(c.a, c.b, c.polygon, parts), c.cut);
        ASSERT_EQ(parts.size(), c.parts.size());
        for (size_t i = 0; i < parts.size(); ++i)
            EXPECT_TRUE(parts[i].isEqualTo(c.parts[i]));
    }
}

TEST(DUxNormalizePolygon, DropsRepeatsAndTurnsCounterClockwise) {
    Pts clockwise = {{0, 0, 0}, {0, 2, 0}, {0, 2, 0}, {2, 2, 0}, {2, 0, 0}, {0, 0, 0}};
    EXPECT_TRUE(DUxNormalizePolygon(clockwise));
    EXPECT_EQ(clockwise, (Pts{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}));
    Pts ccw = kSquare;
    EXPECT_TRUE(DUxNormalizePolygon(ccw));
    EXPECT_EQ(ccw, kSquare);
    Pts flat = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}};
    EXPECT_FALSE(DUxNormalizePolygon(flat));
    Pts two = {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}};
    EXPECT_FALSE(DUxNormalizePolygon(two));
    EXPECT_EQ(two.size(), 2u);
}

TEST(DUxArrowHeadState, OutlinesFollowTheLeaderAndTheService) {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxArrowHeadState* state = DUxLeaderNodeTree::CreateArrowHeadState(sheet, 28029);
    ASSERT_TRUE(state && sheet->HasNode(state));
    EXPECT_EQ(state->GetTemplateRef()->shape, DUxArrowHeadShape::ClosedFilled);
    EXPECT_TRUE(state->IsFilled());

    WqGeVector3d v;
    ASSERT_TRUE(state->GetArrowHeadVector({5, 5, 0}, {0, -10, 0}, v));
    EXPECT_TRUE(v.isEqualTo({0, -3, 0}));
    ASSERT_TRUE(state->GetArrowHeadVector({5, 5, 0}, {}, v)); // no direction: along X
    EXPECT_TRUE(v.isEqualTo({3, 0, 0}));
    Pts outline;
    state->GetArrowHeadPoints({5, 5, 0}, {0, -3, 0}, outline, nullptr);
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_EQ(outline[0], WqGePoint3d(5, 5, 0));
    EXPECT_TRUE(outline[1].isEqualTo({5.5, 8, 0}));
    EXPECT_TRUE(outline[2].isEqualTo({4.5, 8, 0}));

    // The box of that outline clips the leader line up to the arrowhead's back.
    DUxArrowHeadBox box(outline, nullptr, {}, false, false);
    EXPECT_TRUE(box.Intersects({5, 20, 0}, {5, 5, 0}));
    EXPECT_FALSE(box.Intersects({7, 20, 0}, {7, 5, 0}));
    Pts parts;
    EXPECT_TRUE(DUxClip2DLineSegment({5, 20, 0}, {5, 5, 0}, box.GetPoints(), parts));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_TRUE(parts[1].isEqualTo({5, 8, 0}));

    // Unknown services read as the default; setting null changes nothing.
    state->SetTemplateRef(DUxArrowHeadTemplate::Find(28034));
    EXPECT_FALSE(state->GetArrowHeadVector({}, {1, 0, 0}, v));
    state->SetTemplateRef(nullptr);
    EXPECT_EQ(state->GetTemplateId(), 28034u);
    DUxArrowHeadState* odd = DUxArrowHeadState::Create(sheet, 5);
    EXPECT_EQ(odd->GetTemplateRef(), DUxArrowHeadTemplate::Default());
    odd->PassValue(state, 0);
    EXPECT_EQ(state->GetTemplateId(), 5u);
}

TEST(DUxArrowHeadBox, KnowsItsExtensionLine) {
    DUxArrowHeadBox box(kSquare, nullptr, {{0, 1, 0}, {10, 1, 0}}, true, true);
    EXPECT_TRUE(box.HasExtensionLine());
    EXPECT_TRUE(box.IsColinearWithExtensionLine({-5, 1, 0}, {20, 1, 0}));
    EXPECT_FALSE(box.IsColinearWithExtensionLine({-5, 1, 0}, {20, 1.5, 0}));
    EXPECT_FALSE(DUxArrowHeadBox(kSquare, nullptr, {}, false, false)
                     .IsColinearWithExtensionLine({0, 0, 0}, {1, 0, 0}));
}

} // namespace
