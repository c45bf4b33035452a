// Drawing views: where model points land on the sheet, what the view draws, and that its changes
// are undone with their transaction.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../ge/GeTestSupport.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct ProjectionCase {
    const char* name;
    WqGeVector3d direction;
    WqGeVector3d up;
    double rotationDeg;
    double scale;
    WqGePoint3d origin;
    WqGePoint3d model;
    WqGePoint3d sheet; // with the view centred at (100, 50)
};

const ProjectionCase kProjections[] = {
    {"front", {0, 0, -1}, {0, 1, 0}, 0, 1, {0, 0, 0}, {10, 20, 30}, {110, 70, 0}},
    // Looking down, the model's front (+z) is towards the bottom of the sheet.
    {"top", {0, -1, 0}, {0, 0, -1}, 0, 1, {0, 0, 0}, {10, 20, 30}, {110, 20, 0}},
    // From the right, the model's front is on the left.
    {"right", {-1, 0, 0}, {0, 1, 0}, 0, 1, {0, 0, 0}, {10, 20, 30}, {70, 70, 0}},
    {"scale 2 about an origin", {0, 0, -1}, {0, 1, 0}, 0, 2, {5, 5, 0}, {10, 20, 30}, {110, 80, 0}},
    {"turned 90 degrees on the sheet",
     {0, 0, -1},
     {0, 1, 0},
     90,
     1,
     {0, 0, 0},
     {10, 20, 30},
     {80, 60, 0}},
    // View x = (1, 0, -1)/sqrt(2), view y = (-1, 2, -1)/sqrt(6).
    {"isometric",
     {-1, -1, -1},
     {0, 1, 0},
     0,
     1,
     {0, 0, 0},
     {10, 20, 0},
     {100 + 10 / std::sqrt(2.0), 50 + 30 / std::sqrt(6.0), 0}},
};

class Views : public ::testing::Test {
protected:
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxViewInstance* view = sheet->CreateView(u"Front");
};

TEST_F(Views, MapModelPointsToTheSheet) {
    for (const ProjectionCase& c : kProjections) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(view->SetOrientation(c.direction, c.up, c.rotationDeg * kPi / 180));
        ASSERT_TRUE(view->SetViewScale(c.scale));
        ASSERT_TRUE(view->SetViewCenter({100, 50, 7})); // z is dropped
        ASSERT_TRUE(view->SetModelOrigin(c.origin));
        EXPECT_TRUE(isNear(view->ModelToSheet(c.model), c.sheet, 1e-12));
        EXPECT_TRUE(isNear(view->GetViewDirection(), c.direction.normal(), 1e-12));
        // Back from the sheet onto the plane through the origin, which shows the same point.
        const WqGePoint3d back = view->SheetToModel(c.sheet);
        EXPECT_TRUE(isNear(view->ModelToSheet(back), c.sheet, 1e-12));
        EXPECT_NEAR((back - c.origin).dotProduct(c.direction.normal()), 0.0, 1e-12);
        EXPECT_TRUE(isNear(view->SheetToModel(view->ModelToSheet(c.origin)), c.origin, 1e-12));
    }
}

TEST_F(Views, RefuseWhatCannotBeAProjection) {
    EXPECT_FALSE(view->SetViewScale(0));
    EXPECT_FALSE(view->SetViewScale(-1));
    EXPECT_FALSE(view->SetViewScale(NAN));
    EXPECT_EQ(view->GetViewScale(), 1.0);
    EXPECT_FALSE(view->SetOrientation({0, 0, 0}, {0, 1, 0}, 0));
    EXPECT_FALSE(view->SetOrientation({0, 0, -1}, {0, 0, 2}, 0));
    EXPECT_EQ(view->GetOrientation(), WqGeMatrix3d::kIdentity);
    EXPECT_FALSE(view->SetViewCenter({INFINITY, 0, 0}));

    const DLxViewEdge line = DLxViewEdge::Line(1, {0, 0, 0}, {1, 0, 0});
    EXPECT_FALSE(view->SetEdges({line, DLxViewEdge::Line(1, {0, 0, 0}, {0, 1, 0})}));
    EXPECT_FALSE(view->SetEdges({DLxViewEdge::Line(2, {1, 1, 1}, {1, 1, 1})}));
    EXPECT_FALSE(view->SetEdges({DLxViewEdge::Arc(3, {0, 0, 0}, {0, 0, 1}, 0, 0, 1)}));
    EXPECT_FALSE(view->SetEdges({DLxViewEdge::Arc(4, {0, 0, 0}, {0, 0, 1}, 1, 1, 1)}));
    EXPECT_TRUE(view->GetEdges().empty());
    ASSERT_TRUE(view->AddEdge(line));
    EXPECT_FALSE(view->AddEdge(line));
    EXPECT_EQ(sheet->CreateView(u"Front"), nullptr);
    EXPECT_EQ(sheet->CreateView(u""), nullptr);
}

// The display list draws every edge under its id; an arc's drawn ends are the projections of the
// model arc's ends, whichever side of its plane the view looks from.
TEST_F(Views, DrawTheirEdges) {
    const DLxViewEdge line = DLxViewEdge::Line(7, {0, 0, 0}, {10, 0, 0});
    const DLxViewEdge arc = DLxViewEdge::Arc(8, {0, 0, 0}, {0, 0, 1}, 5, 0, kPi / 2);
    const DLxViewEdge circle = DLxViewEdge::Arc(9, {20, 0, 0}, {0, 0, 1}, 2, 0, 2 * kPi);
    const DLxViewEdge oblique = DLxViewEdge::Arc(10, {0, 0, 0}, {0, 1, 1}, 5, 0, kPi);
    ASSERT_TRUE(view->SetEdges({line, arc, circle, oblique}));
    ASSERT_TRUE(view->SetViewCenter({100, 100, 0}));
    ASSERT_TRUE(view->SetViewScale(2));

    for (const char* side : {"front", "back"}) {
        SCOPED_TRACE(side);
        const bool back = side[0] == 'b';
        ASSERT_TRUE(view->SetOrientation({0, 0, back ? 1.0 : -1.0}, {0, 1, 0}, 0.3));
        SMxDisplayList list;
        view->BuildDisplayList(list);
        ASSERT_EQ(list.Count(), 4);

        const auto* l = list.GetAt(0).As<SMxLineItem>();
        ASSERT_TRUE(l);
        EXPECT_EQ(l->GetId(), 7);
        EXPECT_TRUE(isNear(l->end, view->ModelToSheet(line.end)));

        const auto* a = list.GetAt(1).As<SMxArcItem>();
        ASSERT_TRUE(a);
        EXPECT_EQ(a->GetId(), 8);
        EXPECT_EQ(a->normal, WqGeVector3d::kZAxis);
        EXPECT_NEAR(a->radius, 10, 1e-12);
        EXPECT_NEAR(a->SweepAngle(), kPi / 2, 1e-12);
        const WqGePoint3d from = view->ModelToSheet(arc.PointAt(0));
        const WqGePoint3d to = view->ModelToSheet(arc.PointAt(1));
        // Seen from behind, the sheet's counter-clockwise arc runs from the model's end.
        EXPECT_TRUE(isNear(a->PointAt(a->startAngle), back ? to : from, 1e-9));
        EXPECT_TRUE(isNear(a->PointAt(a->endAngle), back ? from : to, 1e-9));

        const auto* c = list.GetAt(2).As<SMxArcItem>();
        ASSERT_TRUE(c);
        EXPECT_TRUE(c->IsFullCircle());
        EXPECT_TRUE(isNear(c->center, view->ModelToSheet(circle.center)));

        const auto* p = list.GetAt(3).As<SMxPolylineItem>();
        ASSERT_TRUE(p);
        EXPECT_EQ(p->GetId(), 10);
        EXPECT_EQ(p->points.length(), 37); // 180 degrees in 5 degree steps
        EXPECT_TRUE(isNear(p->points[0], view->ModelToSheet(oblique.PointAt(0)), 1e-12));
        EXPECT_TRUE(isNear(p->points[18], view->ModelToSheet(oblique.PointAt(0.5)), 1e-12));
        EXPECT_TRUE(isNear(p->points[36], view->ModelToSheet(oblique.PointAt(1)), 1e-12));

        const BBox box = view->GetSheetBBox();
        EXPECT_TRUE(box.contains(view->ModelToSheet(circle.PointAt(0.25))));
        EXPECT_TRUE(box.contains(l->start));
    }
    EXPECT_TRUE(sheet->CreateView(u"Empty")->GetSheetBBox().isEmpty());
}

// Undo puts back the image a setter recorded: every stored field goes back with it.
TEST_F(Views, ChangesGoBackWithTheirTransaction) {
    ASSERT_TRUE(view->SetEdges(
        {DLxViewEdge::Line(1, {0, 0, 0}, {1, 0, 0}), DLxViewEdge::Line(2, {0, 0, 0}, {0, 1, 0})}));
    ASSERT_NE(view->FindEdgeProxy(1), nullptr);
    const WqGeMatrix3d orientation = view->GetOrientation();
    RSeDatabase* db = doc.GetRSeDb();

    db->BeginTxn();
    view->SetName(u"Side");
    view->SetViewScale(3);
    view->SetViewCenter({5, 6, 0});
    view->SetModelOrigin({1, 2, 3});
    view->SetOrientation({-1, 0, 0}, {0, 1, 0}, 0.5);
    view->RemoveEdge(1);
    DLxEdgeGeometryProxy* made = view->FindEdgeProxy(2);
    ASSERT_NE(made, nullptr);
    const uint32_t madeId = made->GetId();
    db->AbortTxn();

    EXPECT_EQ(view->GetName(), u"Front");
    EXPECT_EQ(view->GetViewScale(), 1.0);
    EXPECT_EQ(view->GetViewCenter(), WqGePoint3d());
    EXPECT_EQ(view->GetModelOrigin(), WqGePoint3d());
    EXPECT_EQ(view->GetOrientation(), orientation);
    EXPECT_EQ(view->GetEdges().size(), 2u);
    EXPECT_EQ(db->FindObject(madeId), nullptr);
    EXPECT_EQ(sheet->FindView(u"Front"), view);
}

} // namespace
