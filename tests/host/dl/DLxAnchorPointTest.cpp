// Edge proxies answer for view edges in sheet coordinates; anchors on them follow their views.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../ge/GeTestSupport.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/WqArray.h"
#include "rse/RSeDatabase.h"

namespace {

constexpr double kPi = std::numbers::pi;
const double kR = std::sqrt(0.5);

// A front view at scale 2 centred at (100, 100): model (x, y) shows at (100 + 2x, 100 + 2y).
class Edges : public ::testing::Test {
protected:
    Edges() {
        view->SetViewScale(2);
        view->SetViewCenter({100, 100, 0});
        view->SetEdges({
            DLxViewEdge::Line(1, {0, 0, 0}, {10, 0, 0}),               // (100,100)-(120,100)
            DLxViewEdge::Arc(2, {0, 0, 0}, {0, 0, 1}, 10, 0, kPi / 2), // radius 20, 0 to 90
            DLxViewEdge::Arc(3, {0, 0, 0}, {0, 0, -1}, 10, 0, kPi / 2, {1, 0, 0}), // clockwise
            DLxViewEdge::Arc(4, {0, 0, 0}, {1, 0, 1}, 10, 0, 2 * kPi),             // an ellipse
        });
    }
    DLxEdgeGeometryProxy* Proxy(int32_t id) { return view->FindEdgeProxy(id); }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxViewInstance* view = sheet->CreateView(u"Front");
};

struct ProxyCase {
    const char* name;
    int32_t edge;
    WqGePoint3d query;
    double distance;
    WqGePoint3d closest;
    WqGeVector3d normal;
    double param;
};

const ProxyCase kProxyCases[] = {
    {"beside a line", 1, {110, 105, 0}, 5, {110, 100, 0}, {0, 1, 0}, 0.5},
    {"below a line", 1, {105, 90, 0}, 10, {105, 100, 0}, {0, 1, 0}, 0.25},
    // Off the end: the distance is to the end, the parameter runs on along the line.
    {"past a line's end", 1, {130, 90, 0}, std::sqrt(200.0), {120, 100, 0}, {0, 1, 0}, 1.5},
    {"outside an arc",
     2,
     {100 + 30 * kR, 100 + 30 * kR, 3},
     10,
     {100 + 20 * kR, 100 + 20 * kR, 0},
     {kR, kR, 0},
     0.5},
    {"inside an arc", 2, {105, 100, 0}, 15, {120, 100, 0}, {1, 0, 0}, 0},
    {"off an arc, nearer its end",
     2,
     {80, 101, 0},
     std::hypot(20.0, 19.0),
     {100, 120, 0},
     {0, 1, 0},
     1},
    {"outside a clockwise arc",
     3,
     {100 + 30 * kR, 100 - 30 * kR, 0},
     10,
     {100 + 20 * kR, 100 - 20 * kR, 0},
     {kR, -kR, 0},
     0.5},
};

TEST_F(Edges, ProxiesAnswerOnTheSheet) {
    for (const ProxyCase& c : kProxyCases) {
        SCOPED_TRACE(c.name);
        DLxEdgeGeometryProxy* proxy = Proxy(c.edge);
        ASSERT_TRUE(proxy);
        double distance = 0, param = 0;
        WqGePoint3d closest;
        WqGeVector3d normal;
        ASSERT_TRUE(proxy->DistanceTo(c.query, distance));
        ASSERT_TRUE(proxy->ClosestPointTo(c.query, closest));
        ASSERT_TRUE(proxy->GetNormalAtPointOnEntity(c.query, normal));
        ASSERT_TRUE(proxy->ParamOf(c.query, param));
        EXPECT_NEAR(distance, c.distance, 1e-9);
        EXPECT_TRUE(isNear(closest, c.closest, 1e-9));
        EXPECT_TRUE(isNear(normal, c.normal, 1e-9));
        EXPECT_NEAR(param, c.param, 1e-9);
        WqGePoint3d at;
        ASSERT_TRUE(proxy->EvalPoint(std::clamp(c.param, 0.0, 1.0), at));
        EXPECT_TRUE(isNear(at, c.closest, 1e-9));
    }
}

TEST_F(Edges, ProxiesTellTheirCurves) {
    DUxLineGeometry line;
    ASSERT_TRUE(Proxy(1)->GetLineOfEntity(line));
    EXPECT_TRUE(isNear(line.end, {120, 100, 0}));
    EXPECT_TRUE(Proxy(1)->isLinearEdge());

    // Clockwise in the model, counter-clockwise on the sheet from 270 to 360 degrees.
    DUxArcGeometry arc;
    ASSERT_TRUE(Proxy(3)->isCircularEdge());
    ASSERT_TRUE(Proxy(3)->GetCircArcOfEntity(arc));
    EXPECT_FALSE(Proxy(3)->GetLineOfEntity(line));
    EXPECT_NEAR(arc.radius, 20, 1e-12);
    EXPECT_EQ(arc.normal, WqGeVector3d::kZAxis);
    EXPECT_NEAR(std::fmod(arc.startAngle + std::atan2(arc.refVector.y, arc.refVector.x), 2 * kPi),
                1.5 * kPi, 1e-12);
    EXPECT_NEAR(arc.endAngle - arc.startAngle, kPi / 2, 1e-12);

    // An arc seen obliquely is a polyline; its closest point is where the distance is least.
    DLxEdgeGeometryProxy* ellipse = Proxy(4);
    EXPECT_TRUE(ellipse->isPolylineEdge());
    EXPECT_FALSE(ellipse->GetCircArcOfEntity(arc));
    WqArray<WqGePoint3d> points;
    ASSERT_TRUE(ellipse->GetPolylineCurveOfEntity(points));
    EXPECT_EQ(points.length(), 72);
    for (const WqGePoint3d q :
         {WqGePoint3d(130, 95, 0), WqGePoint3d(101, 102, 0), WqGePoint3d(60, 160, 0)}) {
        double distance = 0;
        ASSERT_TRUE(ellipse->DistanceTo(q, distance));
        for (int32_t i = 0; i < 3600; ++i) {
            WqGePoint3d p;
            ellipse->EvalPoint(i / 3600.0, p);
            ASSERT_LE(distance, p.distanceTo(q) + 1e-9);
        }
        WqGePoint3d closest;
        WqGeVector3d normal;
        ellipse->ClosestPointTo(q, closest);
        ellipse->GetNormalAtPointOnEntity(q, normal);
        // The shortest way to a smooth closed curve meets it square.
        EXPECT_NEAR(std::abs((q - closest).normal().dotProduct(normal)), 1.0, 1e-6);
    }
}

TEST_F(Edges, AnchorsFollowTheirViewAndGoInvalidWithTheirEdge) {
    DLxAnchorPoint* anchor = DLxAnchorPoint::CreateOnEdge(view, 1, 0.25);
    ASSERT_TRUE(anchor);
    EXPECT_EQ(DLxAnchorPoint::CreateOnEdge(view, 99, 0.5), nullptr);
    EXPECT_TRUE(sheet->HasNode(anchor));
    EXPECT_EQ(anchor->GetView(), view);
    EXPECT_EQ(anchor->GetGeometryProxy(), Proxy(1));
    EXPECT_TRUE(isNear(anchor->GetPoint(), {105, 100, 0}));

    RDxComputeContext ctx;
    ASSERT_FALSE(sheet->Recompute(ctx).Failed());
    view->SetViewScale(4);
    EXPECT_TRUE(isNear(anchor->GetPoint(), {110, 100, 0}));
    view->SetViewCenter({0, 0, 0});
    EXPECT_TRUE(isNear(anchor->GetBrokenPoint(), {10, 0, 0}));
    // What hangs on the anchor is brought up to date with it.
    const std::vector<RDxNode*> stale = sheet->GetOutOfDateNodes();
    EXPECT_NE(std::find(stale.begin(), stale.end(), anchor), stale.end());
    ASSERT_FALSE(sheet->Recompute(ctx).Failed());

    // Dragged along its edge it keeps to the edge.
    anchor->SetPoint({50, 7, 0});
    EXPECT_EQ(anchor->GetParameter(), 1.0);
    anchor->SetParameter(0.25);
    EXPECT_TRUE(anchor->IsValid());

    ASSERT_TRUE(view->RemoveEdge(1));
    EXPECT_FALSE(anchor->IsValid());
    EXPECT_TRUE(isNear(anchor->GetPoint(), {10, 0, 0})); // where the last compute left it
    ASSERT_TRUE(view->AddEdge(DLxViewEdge::Line(1, {0, 0, 0}, {0, 10, 0})));
    EXPECT_TRUE(anchor->IsValid());
    EXPECT_TRUE(isNear(anchor->GetPoint(), {0, 10, 0}));

    anchor->Detach();
    view->SetViewScale(1);
    EXPECT_TRUE(anchor->IsValid());
    EXPECT_EQ(anchor->GetGeometryProxy(), nullptr);
    EXPECT_TRUE(isNear(anchor->GetPoint(), {0, 10, 0}));
}

TEST_F(Edges, AnchorsAreStoredWithTheirEdges) {
    DLxAnchorPoint* onEdge = DLxAnchorPoint::CreateOnEdge(view, 2, 0.5);
    DLxAnchorPoint* free = DLxAnchorPoint::CreateFree(sheet, {300, 40, 9});
    free->SetViewInstance(view);
    EXPECT_TRUE(free->IsValid());
    EXPECT_EQ(free->GetPoint(), WqGePoint3d(300, 40, 0));

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* loadedView = dynamic_cast<DLxViewInstance*>(db->FindObject(view->GetId()));
    auto* a = dynamic_cast<DLxAnchorPoint*>(db->FindObject(onEdge->GetId()));
    auto* b = dynamic_cast<DLxAnchorPoint*>(db->FindObject(free->GetId()));
    ASSERT_TRUE(loadedView && a && b);
    EXPECT_EQ(a->GetView(), loadedView);
    EXPECT_EQ(a->GetGeometryProxy(), loadedView->FindEdgeProxy(2));
    EXPECT_EQ(a->GetParameter(), 0.5);
    EXPECT_TRUE(isNear(a->GetPoint(), onEdge->GetPoint()));
    EXPECT_EQ(b->GetView(), loadedView);
    EXPECT_EQ(b->GetPoint(), free->GetPoint());
    loadedView->SetViewScale(1);
    EXPECT_TRUE(isNear(a->GetPoint(), {100 + 10 * kR, 100 + 10 * kR, 0}, 1e-12));
}

} // namespace
