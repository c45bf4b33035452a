// Drawing views: where model points land on the sheet, what the view draws, and that its changes
// are undone with their transaction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#include "../ge/GeTestSupport.h"
#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/BBox.h"
#include "ge/WqArray.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
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

// Breaks across x from 120 to 140 and from 160 to 170, and across y from 50 to 60: a point
// beyond a band moves back by the band's width, one inside it is removed (and drawn where the
// band closes), one on a band's side stays.
TEST_F(Views, BreaksCloseUpTheirBands) {
    ASSERT_TRUE(view->SetBreaks({{DLxViewBreak::kHorizontal, 160, 170},
                                 {DLxViewBreak::kHorizontal, 120, 140},
                                 {DLxViewBreak::kVertical, 50, 60}}));
    struct Case {
        WqGePoint3d unbroken;
        WqGePoint3d broken;
        bool removed;
    } cases[] = {
        {{110, 40, 0}, {110, 40, 0}, false},  {{120, 40, 0}, {120, 40, 0}, false},
        {{130, 40, 0}, {120, 40, 0}, true},   {{140, 40, 0}, {120, 40, 0}, false},
        {{150, 40, 0}, {130, 40, 0}, false},  {{165, 40, 0}, {140, 40, 0}, true},
        {{175, 40, 0}, {145, 40, 0}, false},  {{175, 55, 0}, {145, 50, 0}, true},
        {{175, 100, 0}, {145, 90, 0}, false}, {{50, 70, 3}, {50, 60, 3}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unbroken.x + c.unbroken.y / 1000);
        EXPECT_TRUE(isNear(view->UnbrokenToBroken(c.unbroken), c.broken));
        EXPECT_EQ(view->IsUnbrokenPointRemoved(c.unbroken), c.removed);
        // Back from the drawing: a seam goes to its band's lower side.
        if (!c.removed && c.unbroken.x != 140) {
            EXPECT_TRUE(isNear(view->BrokenToUnbroken(c.broken), c.unbroken));
        }
    }
    EXPECT_TRUE(isNear(view->BrokenToUnbroken({120, 0, 0}), {120, 0, 0}));

    // Bands that overlap one of their direction, have no width or are not finite are refused;
    // a list with one such band changes nothing.
    const auto before = view->GetBreaks();
    EXPECT_FALSE(view->AddBreak({DLxViewBreak::kHorizontal, 135, 150}));
    EXPECT_FALSE(view->AddBreak({DLxViewBreak::kHorizontal, 100, 100}));
    EXPECT_FALSE(view->AddBreak({DLxViewBreak::kVertical, 0, std::nan("")}));
    EXPECT_FALSE(
        view->SetBreaks({{DLxViewBreak::kVertical, 0, 5}, {DLxViewBreak::kVertical, 4, 6}}));
    EXPECT_EQ(view->GetBreaks(), before);
    EXPECT_TRUE(view->AddBreak({DLxViewBreak::kHorizontal, 140, 150})); // touching is fine
    EXPECT_TRUE(view->AddBreak({DLxViewBreak::kVertical, 120, 140}));   // other direction

    // The bands go with the view's centre, from (0, 0) to (10, 20).
    ASSERT_TRUE(view->SetViewCenter({10, 20, 0}));
    EXPECT_EQ(view->GetBreaks()[0].from, 170);
    EXPECT_EQ(view->GetBreaks()[2].from, 70);
}

// A broken view draws the kept pieces of its edges, closed up: a line through a band becomes two
// lines meeting at the seam, an arc clear of the bands moves whole, one reaching into a band
// becomes polylines. Ids stay with their edges.
TEST_F(Views, BrokenViewsDrawWhatTheyKeep) {
    ASSERT_TRUE(view->SetViewCenter({100, 100, 0}));
    ASSERT_TRUE(view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0}),
                                DLxViewEdge::Arc(2, {40, 20, 0}, {0, 0, 1}, 5, 0, 2 * kPi),
                                DLxViewEdge::Arc(3, {0, 20, 0}, {0, 0, 1}, 5, 0, kPi),
                                DLxViewEdge::Line(4, {-1, -10, 0}, {5, -10, 0})}));
    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kHorizontal, 98, 110}));
    SMxDisplayList list;
    view->BuildDisplayList(list);
    std::vector<const SMxDisplayItem*> byEdge[5];
    for (const SMxDisplayItem& item : list)
        byEdge[item.GetId()].push_back(&item);

    ASSERT_EQ(byEdge[1].size(), 2u);
    const auto* left = byEdge[1][0]->As<SMxLineItem>();
    const auto* right = byEdge[1][1]->As<SMxLineItem>();
    ASSERT_TRUE(left && right);
    EXPECT_TRUE(isNear(left->start, {50, 100, 0}));
    EXPECT_TRUE(isNear(left->end, {98, 100, 0}));
    EXPECT_TRUE(isNear(right->start, {98, 100, 0}));
    EXPECT_TRUE(isNear(right->end, {138, 100, 0}));

    ASSERT_EQ(byEdge[2].size(), 1u);
    const auto* circle = byEdge[2][0]->As<SMxArcItem>();
    ASSERT_TRUE(circle);
    EXPECT_TRUE(circle->IsFullCircle());
    EXPECT_TRUE(isNear(circle->center, {128, 120, 0}));

    // The half circle from (105,120) over (100,125) to (95,120): the band takes all of it right
    // of x = 98, leaving the piece from x = 98 down to its end, closed up against the seam.
    ASSERT_EQ(byEdge[3].size(), 1u);
    const auto* arc = byEdge[3][0]->As<SMxPolylineItem>();
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->points[0].x, 98, 1e-9);
    EXPECT_TRUE(isNear(arc->points.last(), {95, 120, 0}));
    for (const WqGePoint3d& p : arc->points)
        EXPECT_LE(p.x, 98 + 1e-9);

    EXPECT_TRUE(byEdge[4].empty()); // wholly in the band
}

// Breaks are stored with the view and go back with their transaction.
TEST_F(Views, BreaksAreStoredAndUndone) {
    RSeDatabase* db = doc.GetRSeDb();
    db->BeginTxn();
    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kVertical, 10, 20}));
    db->AbortTxn();
    EXPECT_FALSE(view->HasBreaks());

    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kVertical, 10, 20}));
    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kHorizontal, -5, 5}));
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* copy = dynamic_cast<DLxViewInstance*>(loaded->FindObject(view->GetId()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetBreaks(), view->GetBreaks());
}

// Drawing samples an edge by its numbers: a stored edge that is not well formed (a NaN or
// infinite angle) is a failed load that names the edge, never a view that draws from it.
TEST_F(Views, AStoredEdgeOutOfRangeFailsTheLoad) {
    RSeDatabase* db = doc.GetRSeDb();
    auto save = [&](double start) {
        EXPECT_TRUE(view->SetEdges({DLxViewEdge::Line(1, {0, 0, 0}, {10, 0, 0}),
                                    DLxViewEdge::Arc(2, {0, 0, 0}, {0, 0, 1}, 5, start, 1.5)}));
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(db->SaveToBuffer(bytes).Failed());
        return bytes;
    };
    // Start angles apart in their lowest byte only: the first difference is where it is stored.
    const std::vector<uint8_t> good = save(0.25);
    const size_t at = KorvuFirstDifference(good, save(std::nextafter(0.25, 1.0)));
    const struct {
        const char* name;
        double start;
    } cases[] = {{"view-arc-start-angle-nan.kvd", std::numeric_limits<double>::quiet_NaN()},
                 {"view-arc-start-angle-infinite.kvd", std::numeric_limits<double>::infinity()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = good;
        std::memcpy(&bytes[at], &c.start, sizeof(double));
        for (const std::vector<uint8_t>& input :
             {bytes, KorvuCorpusFile("document_load", c.name, bytes)}) {
            std::unique_ptr<RSeDatabase> loaded;
            const UTxResult r = RSeDatabase::LoadFromBuffer(input.data(), input.size(), loaded);
            EXPECT_EQ(r.GetCode(), kRSeErrDamaged) << r.GetMessageUtf8();
            EXPECT_NE(r.GetMessageUtf8().find("the view edge 2 is not well formed"),
                      std::string::npos)
                << r.GetMessageUtf8();
            EXPECT_FALSE(loaded);
        }
    }
}

// Sampling a sheet curve takes any sweep, however it came: a damaged one gives points, never an
// undefined conversion (the sanitizer build checks) nor more than a full circle's worth.
TEST(SheetCurves, SamplingTakesAnySweep) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double sweep;
        int32_t points;
    } cases[] = {{std::numeric_limits<double>::quiet_NaN(), 2},
                 {-1.0, 2},
                 {0.0, 2},
                 {kPi / 2, 19},
                 {2 * kPi, 72},
                 {1e300, 72},
                 {kInf, 72},
                 {-kInf, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sweep);
        DLxSheetCurve curve;
        curve.kind = DLxEdgeKind::Arc;
        curve.a = {5, 0, 0};
        curve.b = {0, 5, 0};
        curve.sweep = c.sweep;
        WqArray<WqGePoint3d> points;
        curve.Sample(points);
        EXPECT_EQ(points.length(), c.points);
    }
}

} // namespace

// A suppressed view is left out of the drawing: it draws nothing, and anchors on it (free ones
// given the view too) are suppressed with it. The flag is stored, goes back with its
// transaction, and a view stored before it existed (without an origin indicator either) loads
// as one that is not suppressed.
TEST_F(Views, ASuppressedViewDrawsNothingAndSuppressesItsAnchors) {
    ASSERT_TRUE(view->SetEdges({DLxViewEdge::Line(1, {0, 0, 0}, {10, 0, 0})}));
    DLxAnchorPoint* onEdge = DLxAnchorPoint::CreateOnEdge(view, 1, 0.5);
    DLxAnchorPoint* free = DLxAnchorPoint::CreateFree(sheet, {5, 5, 0});
    DLxAnchorPoint* freeInView = DLxAnchorPoint::CreateFree(sheet, {6, 6, 0});
    freeInView->SetViewInstance(view);
    RSeDatabase* db = doc.GetRSeDb();
    std::vector<uint8_t> shown;
    ASSERT_FALSE(db->SaveToBuffer(shown).Failed());

    db->BeginTxn();
    view->SetSuppressed(true);
    db->AbortTxn();
    EXPECT_FALSE(view->IsSuppressed());

    view->SetSuppressed(true);
    SMxDisplayList list;
    view->BuildDisplayList(list);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(onEdge->IsSuppressed());
    EXPECT_TRUE(freeInView->IsSuppressed());
    EXPECT_FALSE(free->IsSuppressed());

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* copy = dynamic_cast<DLxViewInstance*>(loaded->FindObject(view->GetId()));
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->IsSuppressed());
    EXPECT_EQ(copy->GetCenterDatum(), nullptr);

    // The older layout ends before the indicator (a reference: tag and four bytes) and the
    // flag (tag and byte).
    const std::vector<uint8_t> old = TstDocWriter::AsOlder(bytes, u"DLxViewInstance", 4, 5 + 2);
    ASSERT_FALSE(old.empty());
    std::unique_ptr<RSeDatabase> older;
    const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), older);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* back = dynamic_cast<DLxViewInstance*>(older->FindObject(view->GetId()));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->IsSuppressed());
    std::vector<uint8_t> again;
    ASSERT_FALSE(older->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, shown);
}
