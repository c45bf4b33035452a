// Older leader records rebuilt as leader node trees: the nodes, the landing, the ends'
// arrowheads, and the old symbol's attachments handed to the new ends, on a real view edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxConvertCLeader.h"
#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Symbol/DLxGDTSymbol.h"
#include "dl/DLxAttachingPointStateSet.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSymAttachingPoint.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqGeTol.h"

namespace {

// A sheet with a view whose edge 1 runs from (100,100) to (120,100), and an older symbol on it
// whose state 4 is an attaching-point set.
struct OldSymbolScene {
    OldSymbolScene() {
        view->SetViewCenter({100, 100, 0});
        view->SetEdges({DLxViewEdge::Line(1, {0, 0, 0}, {20, 0, 0})});
        symbol = new (RSe::_GetMeta(static_cast<const DLxGDTSymbol*>(nullptr)),
                      sheet->GetSegment()) DLxGDTSymbol(nullptr);
        sheet->AddNode(symbol);
        for (int i = 0; i < 4; ++i)
            symbol->AddInputState(nullptr);
        attaching = DLxAttachingPointStateSet::Create(sheet);
        symbol->AddInputState(attaching);
    }
    // An attaching point on edge 1 at `param`; free at `free` when param is negative.
    DLxSymAttachingPoint* Attach(double param, const WqGePoint3d& free = {}) {
        DLxSymAttachingPoint* point = DLxSymAttachingPoint::Create(sheet, free);
        if (param >= 0) point->AttachToEdge(view, 1, param);
        attaching->Add(point);
        return point;
    }
    // The old leader through `points` (end first, root last) converted into a new leader.
    DUxLeaderNodeTree* Convert(const std::vector<WqGePoint3d>& points) {
        symbol->AddLeader(points);
        DUxLeaderNodeTree* tree = DLxLeaderUtils::MakeLeader(sheet, {}, nullptr);
        ConvertCLeaderToLeaderNodeTree(tree, symbol->GetLeader(0)->GetRootNode(), symbol);
        return tree;
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxViewInstance* view = sheet->CreateView(u"Front");
    DLxGDTSymbol* symbol = nullptr;
    DLxAttachingPointStateSet* attaching = nullptr;
};

TEST(Conversion, TheOldNodesBecomeTheTreeWithAnArrowheadOnEveryEnd) {
    OldSymbolScene scene;
    DLxGDTSymbol* symbol = scene.symbol;
    DLxSheet* sheet = scene.sheet;
    symbol->AddLeader({{5, 5, 0}, {6, 12, 0}, {10, 20, 0}});
    // A second end from the inner node.
    DLxCLeaderNode* inner = symbol->GetLeader(0)->GetRootNode()->GetChildren()[0].get();
    inner->AddChild(DLxCLeaderNode::New(sheet->GetSegment(), symbol->GetLeader(0), {8, 4, 0}));
    DUxLeaderNodeTree* tree = DLxLeaderUtils::MakeLeader(sheet, {}, nullptr);
    ConvertCLeaderToLeaderNodeTree(tree, symbol->GetLeader(0)->GetRootNode(), symbol);

    ASSERT_EQ(tree->GetNumNodes(), 4);
    EXPECT_EQ(tree->GetRoot()->GetPoint(), WqGePoint3d(10, 20, 0));
    ASSERT_EQ(tree->GetRoot()->GetChildren().size(), 1u);
    EXPECT_EQ(tree->GetRoot()->GetChildren()[0].get()->GetPoint(), WqGePoint3d(6, 12, 0));
    ASSERT_EQ(tree->GetNumBranches(), 2);
    const WqGePoint3d ends[] = {{5, 5, 0}, {8, 4, 0}};
    for (int32_t i = 0; i < 2; ++i) {
        auto* end = dynamic_cast<DLxTerminalLeaderNode*>(tree->GetTerminalNode(i));
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(end->GetParent(), tree->GetRoot()->GetChildren()[0].get());
        EXPECT_EQ(end->GetAnchorPoint()->GetPoint(), ends[i]);
        // The old symbol has no arrowhead of its own: the default arrow type's.
        EXPECT_EQ(end->GetArrowHeadState()->GetTemplateId(), 28029u);
    }
}

TEST(Conversion, TheLandingGivesLengthAndSide) {
    OldSymbolScene scene;
    DLxGDTSymbol* symbol = scene.symbol;
    DLxSheet* sheet = scene.sheet;
    struct Case {
        WqGeVector3d landing;
        DUxLeaderNodeTree::ELandingPos pos;
        double length, reference;
    } cases[] = {
        {{-0.005, 0.02, 0}, DUxLeaderNodeTree::kPosY, 0.02 * std::sqrt(1.0625), 0.02 * std::sqrt(1.0625)},
        {{0.5, -0.005, 0}, DUxLeaderNodeTree::kPosX, std::hypot(0.5, 0.005), std::hypot(0.5, 0.005)},
        {{0, -0.02, 0}, DUxLeaderNodeTree::kNegY, 0.02, 0.02},
        {{-0.02, 0.5, 0}, DUxLeaderNodeTree::kNegX, std::hypot(0.02, 0.5), std::hypot(0.02, 0.5)},
        // Longer than the reference length: the reference stays.
        {{3, 0, 0}, DUxLeaderNodeTree::kPosX, 3, 1},
        // No landing: no side, and the length the tree had.
        {{0, 0, 0}, DUxLeaderNodeTree::kNoLanding, 7, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.landing.x << "," << c.landing.y);
        DLxCLeaderGeneral* record = symbol->CreateLeaderRecord();
        record->AddVertices({{5, 5, 0}, {10, 20, 0}});
        record->SetLandingVector(c.landing);
        DUxLeaderNodeTree* tree = DLxLeaderUtils::MakeLeader(sheet, {}, nullptr);
        tree->SetLandingLength(7);
        tree->SetReferenceLandingLength(1);
        tree->SetLandingPosition(DUxLeaderNodeTree::kPosY);
        ConvertCLeaderToLeaderNodeTree(tree, record->GetRootNode(), symbol);
        EXPECT_EQ(tree->GetLandingPosition(), c.pos);
        EXPECT_NEAR(tree->GetLandingLength(), c.length, 1e-12);
        EXPECT_NEAR(tree->GetReferenceLandingLength(), std::min(c.reference, 1.0), 1e-12);
        DLxCLeader::Delete(record);
    }
}

// Where each new end is anchored: on the attaching point's edge, its parameter refitted to
// where the end is; free where the end is when it left the edge; a leader without vertices of
// its own anchors at the attaching point, or at its old root when that point is unusable.
TEST(Conversion, EndsTakeOverTheOldAttachments) {
    struct Case {
        const char* name;
        double param; // of the attaching point; negative: free at the origin
        std::vector<WqGePoint3d> leader;
        bool onEdge;
        WqGePoint3d anchor;
        double anchorParam;
    } cases[] = {
        {"an end at its attaching point", 0.25, {{105, 100, 0}, {105, 130, 0}}, true, {105, 100, 0}, 0.25},
        {"an end that matches no attaching point takes the first, refitted", 0.25,
         {{110, 100.0005, 0}, {110, 130, 0}}, true, {110, 100, 0}, 0.5},
        {"an end off the edge", 0.25, {{110, 105, 0}, {110, 130, 0}}, false, {110, 105, 0}, 0},
        {"a leader of one vertex", 0.75, {{30, 40, 0}}, true, {115, 100, 0}, 0.75},
        {"a leader of one vertex on a point at the origin", -1, {{30, 40, 0}}, false, {30, 40, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OldSymbolScene fresh;
        DLxSymAttachingPoint* old = fresh.Attach(c.param);
        DUxLeaderNodeTree* tree = fresh.Convert(c.leader);
        DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, 0);
        ASSERT_NE(anchor, nullptr);
        EXPECT_TRUE(anchor->GetPoint().isEqualTo(c.anchor, WqGeTol(1e-9, 1e-9)))
            << anchor->GetPoint().x << "," << anchor->GetPoint().y;
        EXPECT_EQ(anchor->GetGeometryProxy(), c.onEdge ? fresh.view->FindEdgeProxy(1) : nullptr);
        if (c.onEdge) {
            EXPECT_NEAR(anchor->GetParameter(), c.anchorParam, 1e-9);
            EXPECT_EQ(anchor->GetViewInstance(), fresh.view);
        }
        // The old attaching point gave its attachment up.
        EXPECT_EQ(old->GetGeometryProxy(), nullptr);
    }
}

} // namespace

namespace {
// A record of kind T owned by the scene's symbol, its vertices through AddVertices.
template <class T>
T* Record(OldSymbolScene& scene, const std::vector<WqGePoint3d>& points = {}) {
    auto* record = new (RSe::_GetMeta(static_cast<const T*>(nullptr)), scene.sheet->GetSegment())
        T(RSeRef<DLxSymbol>(scene.symbol));
    record->AddVertices(points);
    return record;
}

std::vector<WqGePoint3d> Vertices(const DLxCLeader& record) {
    std::vector<WqGePoint3d> points;
    record.CollectVertices(points);
    return points;
}
} // namespace

// A vertex dragged onto another: merged on a leader of three vertices, the drag undone on one
// of two, and two ends simply left on each other.
TEST(LeaderRecordEdits, VerticesDroppedOnOthers) {
    OldSymbolScene scene;
    struct Case {
        const char* name;
        std::vector<WqGePoint3d> chain; // end first, root last
        int32_t vertex;
        WqGeVector3d offset;
        std::vector<WqGePoint3d> after;
    } cases[] = {
        {"onto the inner vertex of three", {{10, 0, 0}, {5, 0, 0}, {0, 0, 0}}, 2, {-5, 0, 0},
         {{0, 0, 0}, {5, 0, 0}}},
        {"onto the root of two", {{10, 0, 0}, {0, 0, 0}}, 1, {-10, 0, 0}, {{0, 0, 0}, {10, 0, 0}}},
        {"a free move", {{10, 0, 0}, {0, 0, 0}}, 1, {0, 3, 0}, {{0, 0, 0}, {10, 3, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxCLeaderGeneral* record = Record<DLxCLeaderGeneral>(scene, c.chain);
        EXPECT_FALSE(record->MoveVertices({c.vertex}, c.offset).Failed());
        EXPECT_EQ(Vertices(*record), c.after);
        DLxCLeader::Delete(record);
    }
    // Two ends of a fork dropped on each other stay so.
    DLxCLeaderGeneral* fork = Record<DLxCLeaderGeneral>(scene, {{5, 5, 0}, {0, 0, 0}});
    fork->GetRootNode()->AddChild(DLxCLeaderNode::New(scene.sheet->GetSegment(), fork, {5, -5, 0}));
    EXPECT_FALSE(fork->MoveVertices({2}, {0, 10, 0}).Failed());
    EXPECT_EQ(Vertices(*fork), (std::vector<WqGePoint3d>{{0, 0, 0}, {5, 5, 0}, {5, 5, 0}}));
    // The root of a fork cannot give way to one child.
    EXPECT_EQ(fork->RemoveRootVertex().GetCode(), DLxCLeader::kNoNode);
}

// Landings snap by kind: a landing leader along the symbol's X axis on the nearer side; a
// datum identifier's to the nearest axis while leaders are shown; a feature identifier's
// only up its Y axis.
TEST(LeaderRecordEdits, LandingsSnapByKind) {
    OldSymbolScene scene;
    const std::vector<WqGePoint3d> chain{{0, 0, 0}, {10, 10, 0}};
    DLxCLeaderLand* land = Record<DLxCLeaderLand>(scene, chain);
    EXPECT_FALSE(land->SetLandingVector({-0.1, 1, 0}).Failed());
    EXPECT_EQ(land->GetLandingVector(), WqGeVector3d(-0.1, 0, 0));
    EXPECT_TRUE(land->GetRootPoint().isEqualTo({9.9, 10, 0}));

    DLxCLeaderDatumId* datum = Record<DLxCLeaderDatumId>(scene, chain);
    EXPECT_FALSE(datum->SetLandingVector({0.2, -1, 0}).Failed());
    EXPECT_EQ(datum->GetLandingVector(), WqGeVector3d(0, -1, 0));

    DLxCLeaderFeatId* feature = Record<DLxCLeaderFeatId>(scene, chain);
    EXPECT_FALSE(feature->SetLandingVector({0, -2, 0}).Failed());
    EXPECT_EQ(feature->GetLandingVector(), WqGeVector3d(0, 0, 0));
    EXPECT_FALSE(feature->SetLandingVector({0.5, 2, 0}).Failed());
    EXPECT_EQ(feature->GetLandingVector(), WqGeVector3d(0, 2, 0));

    // Vertices of the symbol's plane only; a landing leader without nodes still has its
    // landing end.
    DLxCLeaderGeneral* general = Record<DLxCLeaderGeneral>(scene, {{1, 2, 5}});
    EXPECT_EQ(general->GetRootPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_EQ(Record<DLxCLeaderLand>(scene)->GetNumVertices(), 1);
    EXPECT_EQ(Record<DLxCLeaderGeneral>(scene)->GetNumVertices(), 0);
}
