// Leader and anchor edits of a placed feature control frame: every change type through the
// document, its record replayed on a fresh drawing, its undo; refusals of records that name
// what the drawing does not have; anchors dragged along their edge or inferred anew.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"

namespace {

using Leader = DLxSymChangeLeaderRequest;
using Anchor = DLxSymChangeAnchorRequest;

// An ISO drawing whose view has edge 1 along y = 150 from x 150 to 250 and edge 2 along
// x = 260 from y 100 to 200, with one frame: its leader ends on edge 1 at (200,150), bends at
// (205,170) and has its root at (220,190). Every request made here is journalled.
struct LeaderDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    LeaderDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0}),
                        DLxViewEdge::Line(2, {60, -50, 0}, {60, 50, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    UTxResult PlaceFrame() {
        const std::vector<UTxString16> fields{u"", u"5", u"0.1", u"", u"A", u"", u""};
        return doc->ProcessChangeRequest(new DLxCreateGDTRequest(
            DLxIntent::OnEdge(view, 1, 0.5), {{200, 150, 0}, {205, 170, 0}, {220, 190, 0}},
            28029, true, false, fields, std::vector<int32_t>(fields.size(), 3), {true}, {}, {}));
    }
    DLxGDTInstance* Frame() const {
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* f = dynamic_cast<DLxGDTInstance*>(r.GetTarget())) return f;
        return nullptr;
    }
    RSeRef<DLxSymInstance> Ref() const { return RSeRef<DLxSymInstance>(Frame()); }
    DUxLeaderNodeTree* Leader0() const { return Frame()->GetLeader(0); }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

// Where the nodes of a leader are, in node order.
std::vector<WqGePoint3d> Points(DUxLeaderNodeTree* tree) {
    std::vector<WqGePoint3d> points;
    for (int32_t i = 0; i < tree->GetNumNodes(); ++i)
        points.push_back(tree->GetNodeAtIndex(i)->GetPoint());
    return points;
}

bool HasNodeAt(DUxLeaderNodeTree* tree, const WqGePoint3d& p) {
    for (const WqGePoint3d& q : Points(tree))
        if (q.distanceTo(p) < 1e-9) return true;
    return false;
}

class SymChangeLeader : public ::testing::Test {
protected:
    void SetUp() override {
        mgr.ClearLines();
        ASSERT_FALSE(d.PlaceFrame().Failed());
        ASSERT_NE(d.Frame(), nullptr);
    }
    void TearDown() override { mgr.ClearLines(); }

    // The request, processed; then its journalled line replays on a fresh drawing to the same
    // bytes, and its undo gives back the bytes from before.
    void ProcessReplayUndo(FWxChangeRequest* request) {
        const std::vector<uint8_t> before = d.Bytes();
        const UTxResult r = d.doc->ProcessChangeRequest(request);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        const std::vector<UTxString16> lines = mgr.GetLines();
        LeaderDoc replay;
        for (const UTxString16& line : lines) {
            const UTxResult rr = mgr.ReplayLine(replay.doc.get(), line);
            ASSERT_FALSE(rr.Failed()) << UTx::ToUtf8(line) << ": " << rr.GetMessageUtf8();
        }
        EXPECT_EQ(replay.Bytes(), d.Bytes()) << UTx::ToUtf8(lines.back());
        after = d.Bytes();
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
        ASSERT_FALSE(d.doc->Redo().Failed());
    }

    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    LeaderDoc d;
    std::vector<uint8_t> after;
};

// Node ids of the frame's leader 0: 1 the end, 2 the bend, 3 the root (each put in above the
// last).
TEST_F(SymChangeLeader, EveryChangeTypeEditsReplaysAndUndoes) {
    const struct Case {
        const char* name;
        std::function<FWxChangeRequest*(LeaderDoc&)> make;
        std::function<void(LeaderDoc&)> check;
    } cases[] = {
        {"move the bend",
         [](LeaderDoc& x) { return new Leader(x.Ref(), 0, 2, {190, 175, 0}, false); },
         [](LeaderDoc& x) { EXPECT_TRUE(HasNodeAt(x.Leader0(), {190, 175, 0})); }},
        {"move the root of the only leader moves the frame",
         [](LeaderDoc& x) { return new Leader(x.Ref(), 0, 3, {240, 200, 0}, false); },
         [](LeaderDoc& x) {
             EXPECT_EQ(x.Leader0()->GetRoot()->GetPoint(), WqGePoint3d(240, 200, 0));
         }},
        {"a vertex put in on the leader and dragged",
         [](LeaderDoc& x) {
             return new Leader(x.Ref(), true, DLxIntent(), 0,
                               {{180, 180, 0}, {212.5, 180, 0}}, 0, false);
         },
         [](LeaderDoc& x) {
             EXPECT_EQ(x.Leader0()->GetNumNodes(), 4);
             EXPECT_TRUE(HasNodeAt(x.Leader0(), {180, 180, 0}));
             EXPECT_FALSE(HasNodeAt(x.Leader0(), {212.5, 180, 0}));
         }},
        {"a branch to edge 2",
         [](LeaderDoc& x) {
             return new Leader(x.Ref(), false, DLxIntent::OnEdge(x.view, 2, 0.25), 0,
                               {{240, 140, 0}}, 28029, false);
         },
         [](LeaderDoc& x) {
             ASSERT_EQ(x.Leader0()->GetNumBranches(), 2);
             DLxAnchorPoint* a = DLxLeaderUtils::GetAnchorPoint(x.Leader0(), 1);
             ASSERT_NE(a, nullptr);
             EXPECT_TRUE(a->IsOnEdge());
             EXPECT_NEAR(a->GetPoint().x, 260, 1e-9);
             EXPECT_NEAR(a->GetPoint().y, 125, 1e-9);
             EXPECT_TRUE(HasNodeAt(x.Leader0(), {240, 140, 0}));
         }},
        {"the landing's end",
         [](LeaderDoc& x) {
             const WqGePoint3d root = x.Leader0()->GetRoot()->GetPoint();
             return new Leader(x.Ref(), 0, root + WqGeVector3d(-7, 0, 0), false, false);
         },
         [](LeaderDoc& x) {
             EXPECT_EQ(x.Leader0()->GetLandingPosition(), DUxLeaderNodeTree::kNegX);
         }},
        {"the whole frame",
         [](LeaderDoc& x) { return new Leader(x.Ref(), {150, 220, 0}, false, false); },
         [](LeaderDoc& x) {
             EXPECT_EQ(x.Leader0()->GetRoot()->GetPoint(), WqGePoint3d(150, 220, 0));
         }},
        {"the common root of a single leader stays",
         [](LeaderDoc& x) { return new Leader(x.Ref(), {230, 230, 0}, true, false); },
         [](LeaderDoc& x) {
             EXPECT_EQ(x.Leader0()->GetRoot()->GetPoint(), WqGePoint3d(220, 190, 0));
         }},
        {"the leader brought back at the left middle of the frame",
         [](LeaderDoc& x) { return new Leader(x.Ref()); },
         [](LeaderDoc& x) {
             EXPECT_TRUE(x.Frame()->DisplayLeaders());
             EXPECT_EQ(x.Leader0()->GetNumNodes(), 4);
         }},
        {"the bend deleted with what hangs on it",
         [](LeaderDoc& x) { return new Leader(x.Ref(), 0, 2, false); },
         [](LeaderDoc& x) { EXPECT_EQ(x.Leader0()->GetNumNodes(), 1); }},
        {"an unknown change type moves nothing",
         [](LeaderDoc& x) {
             auto* r = new Leader(x.Ref(), 0, 3, {0, 0, 0}, false);
             // Only a record can carry a type outside the constructors'.
             (void)r->InitFromTranscript(
                 x.doc.get(), u"ChangeSymLeader SymbolInstance=\"" +
                                  FWxUtil::GetTranscriptMgr().StringFromRef(x.Ref()) +
                                  u"\" ChangeType=9 ArrowId=0 Intent=null Intent_Edge=0 "
                                  u"Intent_Param=0 Intent_Point=(0,0,0) Points=[] LeaderNum=0 "
                                  u"NodeId=3 Point=(0,0,0) AnchorPoint=(0,0,0) SideChange=false "
                                  u"Index=0 ParamChange=false Param=0");
             return r;
         },
         [](LeaderDoc& x) {
             EXPECT_EQ(Points(x.Leader0()),
                       (std::vector<WqGePoint3d>{{200, 150, 0}, {205, 170, 0}, {220, 190, 0}}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        d = LeaderDoc();
        SetUp();
        ProcessReplayUndo(c.make(d));
        c.check(d);
    }
}

// Records that name a symbol, a leader or a node the drawing does not have are refused before
// anything changes.
TEST_F(SymChangeLeader, RecordsNamingWhatIsNotThereAreRefused) {
    const UTxString16 frame = u"\"" + mgr.StringFromRef(d.Ref()) + u"\"";
    const UTxString16 sheet = u"\"" + mgr.StringFromRef(RSeRefBase(d.sheet)) + u"\"";
    auto leaderLine = [](const UTxString16& target, int type, int leader, int node,
                         const char16_t* points = u"[]") {
        return u"ChangeSymLeader SymbolInstance=" + target +
               u" ChangeType=" + UTx::MakeWideString(std::to_string(type)) +
               u" ArrowId=28029 Intent=null Intent_Edge=0 Intent_Param=0 Intent_Point=(0,0,0) "
               u"Points=" + points + u" LeaderNum=" + UTx::MakeWideString(std::to_string(leader)) +
               u" NodeId=" + UTx::MakeWideString(std::to_string(node)) +
               u" Point=(1,2,0) AnchorPoint=(0,0,0) SideChange=false Index=0 ParamChange=false "
               u"Param=0";
    };
    auto anchorLine = [](const UTxString16& target, int leader, int node) {
        return u"ChangeSymAnchor SymInstance=" + target +
               u" LeaderNum=" + UTx::MakeWideString(std::to_string(leader)) +
               u" NodeNum=" + UTx::MakeWideString(std::to_string(node)) +
               u" Intent=null Intent_Edge=0 Intent_Param=0 Intent_Point=(0,0,0) "
               u"InferAnchor=false Point=(1,2,0) RootPoint=(0,0,0) HasRoot=false";
    };
    const struct {
        const char* name;
        UTxString16 line;
    } cases[] = {
        {"no symbol at the key", leaderLine(u"\"DLxGDTInstance#1,1\"", 1, 0, 2)},
        {"a key naming a sheet", leaderLine(sheet, 1, 0, 2)},
        {"a leader past the last", leaderLine(frame, 1, 2, 1)},
        {"a negative leader", leaderLine(frame, 3, -1, 0)},
        {"a node the leader lacks", leaderLine(frame, 1, 0, 99)},
        {"the root deleted", leaderLine(frame, 8, 0, 3)},
        {"a vertex added without a point", leaderLine(frame, 0, 0, 0)},
        {"a branch on a leader past the last", leaderLine(frame, 2, 5, 0, u"[(1,1,0)]")},
        {"a restored leader past the last", leaderLine(frame, 5, 3, 0)},
        {"an anchor on no symbol", anchorLine(sheet, 0, 1)},
        {"an anchor of a leader past the last", anchorLine(frame, 2, 1)},
        {"an anchor at a node that is no end", anchorLine(frame, 0, 2)},
        {"an anchor at a node the leader lacks", anchorLine(frame, 0, 42)},
        {"an anchor inferred onto an edge the view lacks",
         u"ChangeSymAnchor SymInstance=" + frame +
             u" LeaderNum=0 NodeNum=1 Intent=@\"DLxViewInstance#Sheet 1/Front\" Intent_Edge=9 "
             u"Intent_Param=0.5 Intent_Point=(0,0,0) InferAnchor=true Point=(0,0,0) "
             u"RootPoint=(0,0,0) HasRoot=false"},
    };
    const std::vector<uint8_t> before = d.Bytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UTxResult r = mgr.ReplayLine(d.doc.get(), c.line);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), 0x200B0323u) << r.GetMessageUtf8();
    }
    EXPECT_EQ(d.Bytes(), before);
}

// An anchor dragged without inference slides along its straight edge; inferred, it goes where
// the intent says; either way the frame's origin follows its first anchor.
TEST_F(SymChangeLeader, AnchorsSlideAlongTheirEdgeOrAreInferredAnew) {
    const struct {
        const char* name;
        DLxIntent intent;
        bool infer;
        WqGePoint3d point;
        WqGePoint3d expect;
        bool onEdge;
    } cases[] = {
        {"dragged along edge 1", DLxIntent(), false, {170, 155, 0}, {170, 150, 0}, true},
        {"inferred on edge 2", DLxIntent::OnEdge(nullptr, 0, 0), true, {0, 0, 0}, {}, true},
        {"inferred free", DLxIntent::Free({100, 100, 0}), true, {0, 0, 0}, {100, 100, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        d = LeaderDoc();
        SetUp();
        DLxIntent intent = c.intent;
        WqGePoint3d expect = c.expect;
        if (c.infer && c.onEdge) {
            intent = DLxIntent::OnEdge(d.view, 2, 0.75);
            expect = {260, 175, 0};
        }
        ProcessReplayUndo(new Anchor(d.Ref(), 0, 1, intent, c.infer, c.point, false));
        DLxAnchorPoint* a = d.Frame()->GetFirstAnchor();
        EXPECT_EQ(a->IsOnEdge(), c.onEdge);
        EXPECT_NEAR(a->GetPoint().distanceTo(expect), 0, 1e-9);
        EXPECT_NEAR(d.Frame()->GetSymState()->GetOrigin().distanceTo(expect), 0, 1e-9);
    }
}

// Off an edge a drag without inference leaves the anchor where it was; with a root point the
// vertex before the end moves there.
TEST_F(SymChangeLeader, AFreeAnchorStaysAndTheRootPointMovesTheBend) {
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new Anchor(d.Ref(), 0, 1,
                                                       DLxIntent::Free({120, 120, 0}), true, {},
                                                       false))
                     .Failed());
    ProcessReplayUndo(
        new Anchor(d.Ref(), 0, 1, DLxIntent(), false, {10, 10, 0}, {180, 160, 0}, false));
    EXPECT_EQ(d.Frame()->GetFirstAnchor()->GetPoint(), WqGePoint3d(120, 120, 0));
    EXPECT_EQ(d.Leader0()->GetTerminalNode(0)->GetParent()->GetPoint(),
              WqGePoint3d(180, 160, 0));
}

} // namespace
