// Leader and anchor edits of balloons on the bracket assembly's drawing: the stack follows the
// leader, an anchor dragged off its edge comes free, and an anchor inferred onto another
// component numbers that component's row; each edit undoes to the bytes from before.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Leader/DLxMoveBalloonSymLeaderNodeManipulator.h"
#include "Request/DLxBalloonSymChangeLeaderRequest.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "TstBalloonDrawing.h"
#include "TstFnRequest.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using namespace TstBalloon;
using Anchor = DLxBalloonSymChangeAnchorRequest;
using Leader = DLxBalloonSymChangeLeaderRequest;

// Whether some text drawn in the list (at any depth) reads `text`.
bool Draws(const SMxDisplayList& list, const UTxString16& text) {
    for (const SMxDisplayItem& item : list) {
        if (auto* child = item.As<SMxChildItem>()) {
            if (Draws(child->list, text)) return true;
        } else if (auto* t = item.As<SMxTextItem>(); t && t->text == text) {
            return true;
        }
    }
    return false;
}

// A view of the assembly whose edge 1 belongs to the motor (row 7), edge 2 to the cover (row
// 8), edge 3 to no component of the bill, edge 4 to
// the cover's plate (row 8.1), and a balloon numbering the motor from the middle of edge 1 (at (100,100)).
class BalloonLeader : public ::testing::Test {
public:
    BalloonLeader() {
        d.SetItems({Prop(u"1")});
        view = d.sheet->CreateView(u"Front");
        view->SetViewCenter({100, 100, 0});
        DLxViewEdge motor = DLxViewEdge::Line(1, {-20, 0, 0}, {20, 0, 0});
        motor.occurrence = {kMotorOcc};
        DLxViewEdge cover = DLxViewEdge::Line(2, {40, -20, 0}, {40, 20, 0});
        cover.occurrence = {kCoverOcc};
        // Edge 3 belongs to a component the bill does not list.
        DLxViewEdge stray = DLxViewEdge::Line(3, {-40, -20, 0}, {-40, 20, 0});
        stray.occurrence = {kCoverOcc, 999};
        DLxViewEdge plate = DLxViewEdge::Line(4, {0, 30, 0}, {20, 30, 0});
        plate.occurrence = {kCoverOcc, kPlateOcc};
        view->SetEdges({motor, cover, stray, plate});
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        EXPECT_FALSE(d.doc
                         .ProcessChangeRequest(new TstFnRequest([this] {
                             balloon = d.Place(d.Node(kMotorOcc));
                             balloon->GetFirstAnchor()->AttachToEdge(view, 1, 0.5);
                             // Placed where its anchor is, as the creating request places it.
                             balloon->GetSymState()->SetOrigin({100, 100, 0});
                             RDxComputeContext placing;
                             d.sheet->Recompute(placing);
                         }))
                         .Failed());
    }
    RSeRef<DLxBalloonSymInstance> Ref() const { return RSeRef<DLxBalloonSymInstance>(balloon); }
    UTxString16 Tag() const {
        UTxString16 tag;
        DLxBalloonSymUtil::GetBalloonTag(balloon->GetBalloonSymState(), balloon->GetBalloon(), tag);
        return tag;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> out;
        EXPECT_FALSE(d.doc.GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    // Processes the request; its undo gives back the bytes from before, its redo the edit.
    void ProcessAndUndo(FWxChangeRequest* request) {
        const std::vector<uint8_t> before = Bytes();
        const UTxResult r = d.doc.ProcessChangeRequest(request);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        const std::vector<uint8_t> after = Bytes();
        ASSERT_FALSE(d.doc.Undo().Failed());
        EXPECT_EQ(Bytes(), before);
        ASSERT_FALSE(d.doc.Redo().Failed());
        EXPECT_EQ(Bytes(), after);
        // The redo dropped the balloon's drawing; showing the sheet draws it again.
        if (balloon->GetDisplayList() && balloon->GetDisplayList()->IsEmpty())
            balloon->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
    }
    int32_t EndId() const { return balloon->GetLeader(0)->GetTerminalNode(0)->GetNodeId(); }

    Drawing d;
    DLxViewInstance* view = nullptr;
    DLxBalloonSymInstance* balloon = nullptr;
};

TEST_F(BalloonLeader, AnAnchorInferredOntoAnotherComponentNumbersItsRow) {
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(Tag(), u"7");
    ProcessAndUndo(
        new Anchor(Ref(), 0, 0, EndId(), DLxIntent::OnEdge(view, 2, 0.5), true, {}, 0));
    EXPECT_EQ(balloon->GetStructureNode(), d.Node(kCoverOcc));
    EXPECT_EQ(Tag(), u"8");
    ASSERT_NE(balloon->GetDisplayList(), nullptr);
    EXPECT_TRUE(Draws(*balloon->GetDisplayList(), u"8"));
    EXPECT_FALSE(Draws(*balloon->GetDisplayList(), u"7"));
    DLxAnchorPoint* a = balloon->GetFirstAnchor();
    EXPECT_TRUE(a->IsOnEdge());
    EXPECT_NEAR(a->GetPoint().distanceTo({140, 100, 0}), 0, 1e-9);
    // The balloon's state follows its first anchor.
    EXPECT_NEAR(balloon->GetSymState()->GetOrigin().distanceTo({140, 100, 0}), 0, 1e-9);
}

// Onto a part inside the assembly that the balloon numbers, the balloon keeps the assembly's
// row; from elsewhere it numbers the part's own row.
TEST_F(BalloonLeader, APartInsideTheNumberedAssemblyKeepsItsRow) {
    auto infer = [&](int32_t edge) {
        ProcessAndUndo(
            new Anchor(Ref(), 0, 0, EndId(), DLxIntent::OnEdge(view, edge, 0.5), true, {}, 0));
    };
    infer(4);
    EXPECT_EQ(Tag(), u"8.1");
    ASSERT_FALSE(d.doc.Undo().Failed());
    infer(2);
    ASSERT_EQ(Tag(), u"8");
    infer(4);
    EXPECT_EQ(Tag(), u"8");
    EXPECT_EQ(balloon->GetStructureNode(), d.Node(kCoverOcc));
}

// Each edit's journalled line replays on the same drawing made afresh to the same bytes.
TEST_F(BalloonLeader, RecordsReplayToTheSameDrawing) {
    struct Fresh : BalloonLeader {
        void TestBody() override {}
    };
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const struct {
        const char* name;
        std::function<FWxChangeRequest*(BalloonLeader&)> make;
    } cases[] = {
        {"the root moved left",
         [](BalloonLeader& t) {
             return new Leader(t.Ref(), 0, t.balloon->GetLeader(0)->GetRoot()->GetNodeId(),
                               {60, 120, 0});
         }},
        {"the leader shifted",
         [](BalloonLeader& t) { return new Leader(t.Ref(), WqGeVector3d(5, -5, 0), false); }},
        {"the anchor inferred onto the cover",
         [](BalloonLeader& t) {
             return new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent::OnEdge(t.view, 2, 0.5), true,
                               {}, 28029);
         }},
        {"the anchor dragged along its edge",
         [](BalloonLeader& t) {
             return new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent(), false, {90, 104, 0}, 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh edited;
        mgr.ClearLines();
        const UTxResult r = edited.d.doc.ProcessChangeRequest(c.make(edited));
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines().front();
        Fresh replayed;
        const UTxResult rr = mgr.ReplayLine(&replayed.d.doc, line);
        ASSERT_FALSE(rr.Failed()) << UTx::ToUtf8(line) << ": " << rr.GetMessageUtf8();
        EXPECT_EQ(replayed.Bytes(), edited.Bytes()) << UTx::ToUtf8(line);
    }
    mgr.ClearLines();
}

// An edge of no component the bill lists takes the anchor and leaves the balloon's row.
TEST_F(BalloonLeader, AnAnchorInferredOntoAnEdgeOfNoListedComponentKeepsTheRow) {
    ProcessAndUndo(
        new Anchor(Ref(), 0, 0, EndId(), DLxIntent::OnEdge(view, 3, 0.5), true, {}, 0));
    DLxAnchorPoint* a = balloon->GetFirstAnchor();
    EXPECT_TRUE(a->IsOnEdge());
    EXPECT_NEAR(a->GetPoint().distanceTo({60, 100, 0}), 0, 1e-9);
    EXPECT_EQ(balloon->GetStructureNode(), d.Node(kMotorOcc));
    EXPECT_EQ(Tag(), u"7");
}

// Dragged without inference, an anchor slides along its edge while it stays between the
// edge's ends, and comes off it where it is dropped past either end.
TEST_F(BalloonLeader, AnAnchorDraggedPastItsEdgeComesFree) {
    const struct {
        const char* name;
        WqGePoint3d drop;
        bool onEdge;
        WqGePoint3d at;
    } cases[] = {
        {"along the edge", {90, 104, 0}, true, {90, 100, 0}},
        {"past the end", {130, 104, 0}, false, {130, 104, 0}},
        {"past the start", {60, 90, 0}, false, {60, 90, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProcessAndUndo(new Anchor(Ref(), 0, 0, EndId(), DLxIntent(), false, c.drop, 0));
        DLxAnchorPoint* a = balloon->GetFirstAnchor();
        EXPECT_EQ(a->IsOnEdge(), c.onEdge);
        EXPECT_NEAR(a->GetPoint().distanceTo(c.at), 0, 1e-9);
        EXPECT_EQ(Tag(), u"7");
        ASSERT_FALSE(d.doc.Undo().Failed());
    }
}

// Moving the root to the left of its first vertex turns the stack to the left; moving a deeper
// vertex leaves it running right.
TEST_F(BalloonLeader, TheStackTurnsWithTheLastSegment) {
    DUxLeaderNodeTree* tree = balloon->GetLeader(0);
    const int32_t rootId = tree->GetRoot()->GetNodeId();
    ProcessAndUndo(new Leader(Ref(), 0, rootId, {60, 120, 0}));
    EXPECT_EQ(balloon->GetBalloon()->direction(), DLxBomStdInfo::EDirection(0));
    EXPECT_EQ(tree->GetRoot()->GetPoint(), WqGePoint3d(60, 120, 0));
    ProcessAndUndo(new Leader(Ref(), 0, rootId, {140, 120, 0}));
    EXPECT_EQ(balloon->GetBalloon()->direction(), DLxBomStdInfo::EDirection(4));
    ProcessAndUndo(new Leader(Ref(), WqGeVector3d(5, -5, 0), false));
    EXPECT_EQ(tree->GetRoot()->GetPoint(), WqGePoint3d(145, 115, 0));
}

// Requests that name a balloon, a leader, a node, a branch or an arrowhead the drawing does
// not have are refused before anything changes.
TEST_F(BalloonLeader, WhatIsNotThereIsRefused) {
    const RSeRef<DLxBalloonSymInstance> none;
    const struct {
        const char* name;
        FWxChangeRequest* request;
    } cases[] = {
        {"no balloon", new Leader(none, WqGeVector3d(1, 0, 0), false)},
        {"a leader past the last", new Leader(Ref(), 3, 1, {})},
        {"a node the leader lacks", new Leader(Ref(), 0, 77, {})},
        {"no direction to line up along", new Leader(Ref(), WqGeVector3d())},
        {"an anchor of no balloon", new Anchor(none, 0, 0, 1, DLxIntent(), false, {}, 0)},
        {"an anchor at no end", new Anchor(Ref(), 0, 0, 77, DLxIntent(), false, {}, 0)},
        {"an arrowhead service that does not exist",
         new Anchor(Ref(), 0, 0, EndId(), DLxIntent(), false, {}, 12345)},
        {"an arrowhead on a branch past the last",
         new Anchor(Ref(), 0, 4, EndId(), DLxIntent(), false, {}, 28029)},
        {"an edge the view lacks",
         new Anchor(Ref(), 0, 0, EndId(), DLxIntent::OnEdge(view, 9, 0.5), true, {}, 0)},
    };
    const std::vector<uint8_t> before = Bytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(d.doc.ProcessChangeRequest(c.request).Failed());
    }
    // A record whose key names an object of another kind reads as no balloon.
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 sheet = mgr.StringFromRef(RSeRefBase(d.sheet));
    for (const UTxString16& line :
         {u"ChangeBalloonSymLeader BalloonSymbol=\"" + sheet +
              u"\" LeaderNum=0 NodeID=1 Point=(0,0,0) BaseVector=(0,0,0) "
              u"ShiftVector=(1,0,0) _TargetTypeId=2",
          u"ChangeBalloonSymAnchor BalloonSymbol=\"" + sheet +
              u"\" LeaderNum=0 BranchNum=0 NodeNum=1 Intent=null Intent_Edge=0 Intent_Param=0 "
              u"Intent_Point=(0,0,0) InferAnchor=false Point=(0,0,0) ArrowHead=0"}) {
        const UTxResult r = mgr.ReplayLine(&d.doc, line);
        EXPECT_EQ(r.GetCode(), 0x200B0323u) << UTx::ToUtf8(line) << ": " << r.GetMessageUtf8();
    }
    mgr.ClearLines();
    EXPECT_EQ(Bytes(), before);
}

// A balloon's hot points dragged as a user drags them: each drag ends in the request a direct
// edit makes (same journal line, same drawing). An end that changes between free and attached
// takes the plain arrowhead; one that keeps its attachment keeps its own.
TEST_F(BalloonLeader, DragsEndInTheirOwnRequests) {
    struct Fresh : BalloonLeader {
        void TestBody() override {}
    };
    using Drag = DLxMoveBalloonSymLeaderNodeManipulator;
    using Item = DUxLeaderNodeTree;
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    // Each balloon starts with a dot at its end, not the plain arrowhead.
    const uint32_t own = 28032;
    const uint32_t plain = DUxLeaderNodeTree::kDefaultArrowHeadId;
    const struct {
        const char* name;
        bool startFree;
        int32_t kind;
        WqGePoint3d from;
        std::vector<WqGePoint3d> path;
        std::function<FWxChangeRequest*(BalloonLeader&)> expected;
    } cases[] = {
        {"an end slid along its edge",
         false,
         Item::kAnchorItem,
         {100, 100, 0},
         {{95, 100.5, 0}, {90, 100.25, 0}},
         [&](BalloonLeader& t) {
             return new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent::Free({}), false, {90, 100, 0},
                               own);
         }},
        {"an attached end dropped on the sheet",
         false,
         Item::kAnchorItem,
         {100, 100, 0},
         {{100, 110, 0}, {60, 60, 0}},
         [&](BalloonLeader& t) {
             return new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent::Free({60, 60, 0}, t.view), true,
                               {60, 60, 0}, plain);
         }},
        {"an attached end dropped on the cover",
         false,
         Item::kAnchorItem,
         {100, 100, 0},
         {{100, 110, 0}, {139, 100, 0}},
         [&](BalloonLeader& t) {
             DLxIntent on = DLxIntent::OnEdge(t.view, 2, 0.5);
             on.SetPoint({140, 100, 0});
             return new Anchor(t.Ref(), 0, 0, t.EndId(), on, true, {140, 100, 0}, own);
         }},
        {"a free end dropped on the cover",
         true,
         Item::kAnchorItem,
         {60, 60, 0},
         {{139, 100, 0}},
         [&](BalloonLeader& t) {
             DLxIntent on = DLxIntent::OnEdge(t.view, 2, 0.5);
             on.SetPoint({140, 100, 0});
             return new Anchor(t.Ref(), 0, 0, t.EndId(), on, true, {140, 100, 0}, plain);
         }},
        {"the root",
         false,
         Item::kLeaderNodeItem,
         {120, 120, 0},
         {{60, 130, 0}},
         [&](BalloonLeader& t) {
             return new Leader(t.Ref(), 0, t.balloon->GetLeader(0)->GetRoot()->GetNodeId(),
                               {60, 130, 0});
         }},
    };
    auto prepare = [own](BalloonLeader& t, bool startFree) {
        FWxChangeRequest* r =
            startFree
                ? new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent::Free({60, 60, 0}), true, {}, own)
                : new Anchor(t.Ref(), 0, 0, t.EndId(), DLxIntent(), false, {100, 100, 0}, own);
        ASSERT_FALSE(t.d.doc.ProcessChangeRequest(r).Failed());
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh dragged;
        prepare(dragged, c.startFree);
        mgr.ClearLines();
        const std::vector<uint8_t> before = dragged.Bytes();
        DUxLeaderNodeTree* tree = dragged.balloon->GetLeader(0);
        const int32_t node =
            c.kind == Item::kAnchorItem ? dragged.EndId() : tree->GetRoot()->GetNodeId();
        Drag m(dragged.Ref(), c.kind, 0, 0, node, nullptr);
        ASSERT_TRUE(m.StartDrag(c.from));
        if (c.kind == Item::kAnchorItem) {
            EXPECT_EQ(m.StartedFree(), c.startFree);
        }
        for (const WqGePoint3d& p : c.path)
            ASSERT_TRUE(m.Drag(p));
        ASSERT_TRUE(m.EndDrag(c.path.back()));
        EXPECT_EQ(dragged.Bytes(), before);
        ASSERT_FALSE(m.ProcessRequest(&dragged.d.doc).Failed());
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines().front();

        Fresh direct;
        prepare(direct, c.startFree);
        ASSERT_FALSE(direct.d.doc.ProcessChangeRequest(c.expected(direct)).Failed());
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().back()), UTx::ToUtf8(line));
        EXPECT_EQ(direct.Bytes(), dragged.Bytes());
        ASSERT_FALSE(dragged.d.doc.Undo().Failed());
        EXPECT_EQ(dragged.Bytes(), before);
    }
    mgr.ClearLines();
}

// The stack handle turns a stack of two entries in quarter turns towards the cursor: past 45
// degrees from its direction, never at exactly 135, and never back into the leader (which
// comes from the lower left, so the stack may not run left).
TEST_F(BalloonLeader, TheStackHandleTurnsTheStackInQuarterTurns) {
    ASSERT_FALSE(d.doc
                     .ProcessChangeRequest(new TstFnRequest([this] {
                         const WqGePoint3d p = balloon->GetBalloon()->origin();
                         ASSERT_TRUE(balloon->AttachNewBalloon(p + WqGeVector3d(10, 0, 0),
                                                               d.Node(kMotorOcc)));
                         balloon->AlignBalloons(WqGeVector3d::kXAxis);
                         RDxComputeContext ctx;
                         d.sheet->Recompute(ctx);
                     }))
                     .Failed());
    const WqGePoint3d primary = balloon->GetBalloon()->origin();
    const struct {
        const char* name;
        WqGeVector3d towards;
        WqGeVector3d direction;
    } cases[] = {
        {"100 degrees: a quarter turn", {-0.173648, 0.984808, 0}, {0, 1, 0}},
        {"exactly 135 degrees: none", {-1, 1, 0}, {1, 0, 0}},
        {"300 degrees: a quarter turn back", {0.5, -0.866025, 0}, {0, -1, 0}},
        {"180 degrees: back into the leader, refused", {-1, 0, 0}, {1, 0, 0}},
        {"20 degrees: none", {0.939693, 0.342020, 0}, {1, 0, 0}},
    };
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        const std::vector<uint8_t> before = Bytes();
        DLxMoveBalloonSymLeaderNodeManipulator m(Ref(), DUxLeaderNodeTree::kBalloonStackItem, 0, 0,
                                                 0, nullptr);
        const WqGePoint3d to = primary + c.towards * 20.0;
        ASSERT_TRUE(m.StartDrag(primary + WqGeVector3d(10, 0, 0)));
        EXPECT_TRUE(m.GetStackDirection().isEqualTo(WqGeVector3d::kXAxis));
        ASSERT_TRUE(m.Drag(to));
        ASSERT_TRUE(m.EndDrag(to));
        EXPECT_TRUE(m.GetStackDirection().isEqualTo(c.direction))
            << m.GetStackDirection().x << "," << m.GetStackDirection().y;
        EXPECT_EQ(Bytes(), before);
        ASSERT_FALSE(m.ProcessRequest(&d.doc).Failed());
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines().front();
        ASSERT_FALSE(d.doc.Undo().Failed());
        EXPECT_EQ(Bytes(), before);
        mgr.ClearLines();
        ASSERT_FALSE(d.doc.ProcessChangeRequest(new Leader(Ref(), c.direction)).Failed());
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().front()), UTx::ToUtf8(line));
        ASSERT_FALSE(d.doc.Undo().Failed());
    }
    mgr.ClearLines();
}

// A balloon's root dragged over another balloon lines up with that balloon's root.
TEST_F(BalloonLeader, ARootDraggedOverAnotherBalloonLinesUpWithIt) {
    DLxBalloonSymInstance* other = nullptr;
    ASSERT_FALSE(d.doc
                     .ProcessChangeRequest(new TstFnRequest([&] {
                         other = d.Place(d.Node(kCoverOcc), {}, {140, 90, 0}, {170, 60, 0});
                         RDxComputeContext ctx;
                         d.sheet->Recompute(ctx);
                     }))
                     .Failed());
    ASSERT_NE(other, nullptr);
    const WqGePoint3d otherRoot = other->GetLeader(0)->GetRoot()->GetPoint();
    ASSERT_TRUE(other->HitTest(otherRoot, DLxMoveBalloonSymLeaderNodeManipulator::kAlignTolerance));
    DUxLeaderNodeTree* tree = balloon->GetLeader(0);
    const struct {
        const char* name;
        WqGePoint3d cursor;
        WqGePoint3d root;
    } cases[] = {
        // The nearer of the two lines through the other root wins.
        {"over the other balloon, near its level",
         otherRoot + WqGeVector3d(1.25, 0.5, 0),
         {otherRoot.x + 1.25, otherRoot.y, 0}},
        {"over the other balloon, near its upright",
         otherRoot + WqGeVector3d(0.5, -1.25, 0),
         {otherRoot.x, otherRoot.y - 1.25, 0}},
        {"over empty sheet", {60, 130, 0}, {60, 130, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DLxMoveBalloonSymLeaderNodeManipulator m(Ref(), DUxLeaderNodeTree::kLeaderNodeItem, 0, 0,
                                                 tree->GetRoot()->GetNodeId(), nullptr);
        ASSERT_TRUE(m.StartDrag({120, 120, 0}));
        ASSERT_TRUE(m.Drag(c.cursor));
        EXPECT_NEAR(m.GetPoint().distanceTo(c.root), 0, 1e-9);
        EXPECT_NEAR(m.GetSymbol()->GetLeader(0)->GetRoot()->GetPoint().distanceTo(c.root), 0, 1e-9);
        m.CancelDrag();
    }
}

} // namespace
