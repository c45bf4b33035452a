// Edge proxies answer for view edges in sheet coordinates; anchors on them follow their views.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../ge/GeTestSupport.h"
#include "TstDocWriter.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/WqArray.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"

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

    // An arc seen obliquely is an elliptical arc, drawn as a polyline; its closest point is
    // where the distance is least.
    DLxEdgeGeometryProxy* ellipse = Proxy(4);
    EXPECT_TRUE(ellipse->isEllipticalEdge());
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

// The circle of radius 10 in the plane x + z = 0 shows at scale 2 as an ellipse with semi-axes
// 20 up the sheet and 20/sqrt(2) across.
TEST_F(Edges, ObliqueArcsAnswerAsEllipticalArcs) {
    const double minor = 20 * kR;
    DUxEllipArcGeometry e;
    DUxArcGeometry arc;
    EXPECT_FALSE(Proxy(4)->GetCircArcOfEntity(arc));
    EXPECT_FALSE(Proxy(2)->GetEllipArcOfEntity(e)); // seen square-on: a circular arc
    ASSERT_TRUE(Proxy(4)->GetEllipArcOfEntity(e));
    EXPECT_TRUE(isNear(e.center, {100, 100, 0}));
    EXPECT_NEAR(e.majorRadius, 20, 1e-12);
    EXPECT_NEAR(e.minorRadius, minor, 1e-12);
    EXPECT_NEAR(std::abs(e.majorAxis.y), 1, 1e-12);
    EXPECT_TRUE(isNear(e.minorAxis, WqGeVector3d::kZAxis.crossProduct(e.majorAxis)));
    EXPECT_NEAR(e.endAngle - e.startAngle, 2 * kPi, 1e-12);

    struct Case {
        WqGePoint3d query;
        WqGePoint3d closest;
        WqGeVector3d normal;
    } cases[] = {
        {{130, 100, 0}, {100 + minor, 100, 0}, {1, 0, 0}},
        {{60, 100, 0}, {100 - minor, 100, 0}, {-1, 0, 0}},
        {{100, 125, 0}, {100, 120, 0}, {0, 1, 0}},
        {{100, 70, 0}, {100, 80, 0}, {0, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query.x + c.query.y);
        WqGePoint3d closest, at;
        WqGeVector3d normal;
        double distance = 0, param = 0;
        ASSERT_TRUE(Proxy(4)->ClosestPointTo(c.query, closest));
        ASSERT_TRUE(Proxy(4)->DistanceTo(c.query, distance));
        ASSERT_TRUE(Proxy(4)->GetNormalAtPointOnEntity(c.query, normal));
        ASSERT_TRUE(Proxy(4)->ParamOf(c.query, param));
        ASSERT_TRUE(Proxy(4)->EvalPoint(param, at));
        EXPECT_TRUE(isNear(closest, c.closest, 1e-9));
        EXPECT_NEAR(distance, c.query.distanceTo(c.closest), 1e-9);
        EXPECT_TRUE(isNear(normal, c.normal, 1e-9));
        EXPECT_TRUE(isNear(at, c.closest, 1e-9));
    }

    // The ellipse's angles run with the edge's parameter: forwards for an arc facing the
    // viewer, backwards for one facing away (the sheet shows it clockwise).
    ASSERT_TRUE(view->AddEdge(DLxViewEdge::Arc(5, {0, 0, 0}, {-1, 0, -1}, 10, 0, kPi / 2)));
    for (int32_t edge : {4, 5}) {
        SCOPED_TRACE(edge);
        ASSERT_TRUE(Proxy(edge)->GetEllipArcOfEntity(e));
        const double sweep = e.endAngle - e.startAngle;
        for (double t : {0.0, 0.25, 0.6, 1.0}) {
            WqGePoint3d at;
            ASSERT_TRUE(Proxy(edge)->EvalPoint(edge == 4 ? t : 1 - t, at));
            EXPECT_TRUE(isNear(e.PointAt(e.startAngle + t * sweep), at, 1e-9));
        }
    }
    EXPECT_NEAR(e.endAngle - e.startAngle, kPi / 2, 1e-12);
}

// With a break from x = 104 to 108 the anchor at (110, 100) is drawn at (106, 100); one at
// (105, 100) is removed and drawn where the band closes.
TEST_F(Edges, AnchorsAnswerThroughTheBreaksOfTheirView) {
    DLxAnchorPoint* beyond = DLxAnchorPoint::CreateOnEdge(view, 1, 0.5);
    DLxAnchorPoint* inside = DLxAnchorPoint::CreateOnEdge(view, 1, 0.25);
    DLxAnchorPoint* free = DLxAnchorPoint::CreateFree(sheet, {110, 50, 0});
    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kHorizontal, 104, 108}));
    EXPECT_TRUE(isNear(beyond->GetBrokenPoint(), {106, 100, 0}));
    EXPECT_FALSE(beyond->IsUnbrokenPointRemoved());
    EXPECT_TRUE(isNear(inside->GetBrokenPoint(), {104, 100, 0}));
    EXPECT_TRUE(inside->IsUnbrokenPointRemoved());
    EXPECT_TRUE(isNear(beyond->BrokenToUnbroken({106, 3, 0}), {110, 3, 0}));
    EXPECT_TRUE(isNear(beyond->UnbrokenToBroken({110, 3, 0}), {106, 3, 0}));
    // Without a view a free anchor is drawn where it is.
    EXPECT_TRUE(isNear(free->GetBrokenPoint(), {110, 50, 0}));
    free->SetViewInstance(view);
    EXPECT_TRUE(isNear(free->GetBrokenPoint(), {106, 50, 0}));
}

// An anchor remembers its edge's id: when its proxy goes it finds the edge again in its view.
TEST_F(Edges, ReConnectFindsTheEdgeAgainByItsId) {
    DLxAnchorPoint* anchor = DLxAnchorPoint::CreateOnEdge(view, 1, 0.25);
    DLxEdgeGeometryProxy* old = Proxy(1);
    RSe::DeleteObject(old);
    EXPECT_FALSE(anchor->IsValid());
    int32_t id = 0;
    ASSERT_TRUE(anchor->GetEdgeId(id));
    EXPECT_EQ(id, 1);

    // Gone from the view too: nothing to find until the view has it again.
    ASSERT_TRUE(view->RemoveEdge(1));
    EXPECT_FALSE(anchor->ReConnect(false));
    EXPECT_FALSE(anchor->IsValid());
    ASSERT_TRUE(view->AddEdge(DLxViewEdge::Line(1, {0, 10, 0}, {10, 10, 0})));
    EXPECT_TRUE(anchor->ReConnect(false));
    EXPECT_TRUE(anchor->IsValid());
    EXPECT_EQ(anchor->GetGeometryProxy(), Proxy(1));
    EXPECT_EQ(anchor->GetParameter(), 0.25);
    EXPECT_TRUE(isNear(anchor->GetPoint(), {105, 120, 0}));
    // A valid anchor keeps what it has unless forced.
    EXPECT_TRUE(anchor->ReConnect(true));
    EXPECT_EQ(anchor->GetGeometryProxy(), Proxy(1));

    // A free anchor has no edge to find.
    DLxAnchorPoint* free = DLxAnchorPoint::CreateFree(sheet, {1, 2, 0});
    EXPECT_FALSE(free->GetEdgeId(id));
    EXPECT_TRUE(free->ReConnect(true));
    EXPECT_EQ(free->GetGeometryProxy(), nullptr);
}

// Views stored before breaks and anchors stored before they remembered their edge load with no
// breaks, and the anchor takes its edge's id from its proxy.
TEST(StoredViews, VersionZeroViewsAndAnchorsLoad) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"RDxObject", 0);
    w.AddClass(u"RDxNode", 0);
    w.AddClass(u"RDxState", 0);
    w.AddClass(u"DUxGeometryProxy", 0);
    const uint32_t viewMeta = w.AddClass(u"DLxViewInstance", 0);
    const uint32_t proxyMeta = w.AddClass(u"DLxEdgeGeometryProxy", 0);
    const uint32_t anchorMeta = w.AddClass(u"DLxAnchorPoint", 0);
    w.BeginSegment(u"Sheet");
    auto objectPart = [](RSeStream& s) {
        s.Write(uint32_t(0)); // flags
        s.Write(false);       // sick
    };
    auto nodePart = [&](RSeStream& s) {
        objectPart(s);
        w.RefValue(0);        // no fragment
        s.Write(false);       // edited
        s.Write(int32_t(0));  // birthday
        s.Write(uint32_t(0)); // no dependencies
    };
    RSeStream& v = w.BeginRecord(viewMeta, 1);
    nodePart(v);
    v.Write(UTxString16(u"Front"));
    v.Write(2.0);
    RSeSaveData(v, WqGePoint3d(100, 100, 0));
    RSeSaveData(v, WqGePoint3d());
    RSeSaveData(v, WqGeMatrix3d());
    v.Write(uint32_t(1)); // one edge: id 7, a line
    v.Write(int32_t(7));
    v.Write(int32_t(1));
    RSeSaveData(v, WqGePoint3d(0, 0, 0));
    RSeSaveData(v, WqGePoint3d(10, 0, 0));
    v.Write(uint32_t(1)); // its proxy
    w.Ref(1);
    w.EndRecord();
    RSeStream& p = w.BeginRecord(proxyMeta, 2);
    objectPart(p);
    w.Ref(0);
    p.Write(int32_t(7));
    w.EndRecord();
    RSeStream& a = w.BeginRecord(anchorMeta, 3);
    nodePart(a);
    RSeSaveData(a, WqGePoint3d(110, 100, 0));
    w.Ref(0);
    w.Ref(1);
    a.Write(0.5);
    w.EndRecord();

    const std::vector<uint8_t> bytes = w.Finish(4);
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* view = dynamic_cast<DLxViewInstance*>(db->FindObject(1));
    auto* anchor = dynamic_cast<DLxAnchorPoint*>(db->FindObject(3));
    ASSERT_TRUE(view && anchor);
    EXPECT_FALSE(view->HasBreaks());
    ASSERT_EQ(view->GetEdges().size(), 1u);
    EXPECT_TRUE(anchor->IsValid());
    EXPECT_TRUE(isNear(anchor->GetBrokenPoint(), {110, 100, 0}));
    int32_t id = 0;
    ASSERT_TRUE(anchor->GetEdgeId(id));
    EXPECT_EQ(id, 7);

    // Saved again, both are current and keep what they hold.
    ASSERT_TRUE(view->AddBreak({DLxViewBreak::kVertical, 10, 20}));
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    std::unique_ptr<RSeDatabase> db2;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(again.data(), again.size(), db2).Failed());
    auto* view2 = dynamic_cast<DLxViewInstance*>(db2->FindObject(1));
    ASSERT_TRUE(view2);
    EXPECT_EQ(view2->GetBreaks(), view->GetBreaks());
    EXPECT_TRUE(dynamic_cast<DLxAnchorPoint*>(db2->FindObject(3))->GetEdgeId(id));
}

} // namespace
