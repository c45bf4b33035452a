// Drags of a placed feature control frame's hot points, driven as a user's mouse drives them:
// each kind of hot point ends in exactly the leader or anchor request that a direct edit would
// make (same journal line, same document), undoes to the bytes from before, and changes the
// document only when that request runs; a cancelled drag changes nothing. The snapping of a
// leader end: along its straight edge, torn off it, onto another edge or its end.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "TstFnRequest.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

using Leader = DLxSymChangeLeaderRequest;
using Anchor = DLxSymChangeAnchorRequest;
using Item = DUxLeaderNodeTree;

// An ISO drawing whose view has edge 1 along y = 150 from x 150 to 250 and edge 2 along
// x = 260 from y 100 to 200, with one frame: its leader ends on edge 1 at (200,150) (node 1),
// bends at (205,170) (node 2) and has its root at (220,190) (node 3).
struct FrameDoc {
    class Doc : public DLxDrawingDoc {
    public:
        bool PermittedCommand(int32_t c) const override {
            return !locked && DLxDrawingDoc::PermittedCommand(c);
        }
        bool locked = false;
    };
    std::unique_ptr<Doc> doc = std::make_unique<Doc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    FrameDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0}),
                        DLxViewEdge::Line(2, {60, -50, 0}, {60, 50, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        const std::vector<UTxString16> fields{u"", u"5", u"0.1", u"", u"A", u"", u""};
        EXPECT_FALSE(doc
                         ->ProcessChangeRequest(new DLxCreateGDTRequest(
                             DLxIntent::OnEdge(view, 1, 0.5),
                             {{200, 150, 0}, {205, 170, 0}, {220, 190, 0}}, 28029, true, false,
                             fields, std::vector<int32_t>(fields.size(), 3), {true}, {}, {}))
                         .Failed());
    }
    DLxGDTInstance* Frame() const {
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* f = dynamic_cast<DLxGDTInstance*>(r.GetTarget())) return f;
        return nullptr;
    }
    RSeRef<DLxSymInstance> Ref() const { return RSeRef<DLxSymInstance>(Frame()); }
    // A second leader, from a root at (230,170) to a free end at (240,120).
    void AddSecondLeader() {
        ASSERT_FALSE(doc->ProcessChangeRequest(new TstFnRequest([this] {
                            DLxGDTInstance* f = Frame();
                            DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(
                                sheet, f->GetLeader(0)->GetTerminalNodeGenerator(), {240, 120, 0});
                            tree->InsertNode(tree->GetRoot(), {230, 170, 0});
                            f->AppendLeader(tree);
                            RDxComputeContext ctx;
                            sheet->Recompute(ctx);
                        }))
                         .Failed());
        ASSERT_EQ(Frame()->GetNumberOfActiveLeaders(), 2);
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

class LeaderNodeDrag : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }

    // Presses at `from`, moves through `path` and releases at its last point.
    static void Drive(DLxMoveSymLeaderNodeManipulator& m, const WqGePoint3d& from,
                      const std::vector<WqGePoint3d>& path) {
        ASSERT_TRUE(m.StartDrag(from));
        for (const WqGePoint3d& p : path)
            EXPECT_TRUE(m.Drag(p));
        ASSERT_TRUE(m.EndDrag(path.empty() ? from : path.back()));
    }

    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};

// Each hot point's drag, and the request a direct edit would make for it (null: none).
TEST_F(LeaderNodeDrag, EachHotPointEndsInItsOwnRequest) {
    using Make = FWxChangeRequest* (*)(const FrameDoc&);
    const struct {
        const char* name;
        int32_t kind;
        int32_t node;
        WqGePoint3d from;
        std::vector<WqGePoint3d> path;
        Make expected;
    } cases[] = {
        {"end slid along its edge",
         Item::kAnchorItem,
         1,
         {200, 150, 0},
         {{180, 150.5, 0}, {170, 150.5, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Anchor(d.Ref(), 0, 1, DLxIntent::Free({}), false, {170, 150, 0}, true);
         }},
        {"end torn off and dropped on edge 2",
         Item::kAnchorItem,
         1,
         {200, 150, 0},
         {{200, 140, 0}, {259, 175, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             DLxIntent on = DLxIntent::OnEdge(d.view, 2, 0.75);
             on.SetPoint({260, 175, 0});
             return new Anchor(d.Ref(), 0, 1, on, true, {260, 175, 0}, true);
         }},
        {"end torn off and dropped on the sheet",
         Item::kAnchorItem,
         1,
         {200, 150, 0},
         {{200, 140, 0}, {100, 100, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Anchor(d.Ref(), 0, 1, DLxIntent::Free({100, 100, 0}, d.view), true,
                               {100, 100, 0}, true);
         }},
        {"bend",
         Item::kLeaderNodeItem,
         2,
         {206, 171, 0},
         {{210, 171, 0}, {216, 173, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), 0, 2, {215, 172, 0}, true);
         }},
        {"root of the only leader",
         Item::kLeaderNodeItem,
         3,
         {220, 190, 0},
         {{230, 185, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), 0, 3, {230, 185, 0}, true);
         }},
        {"body on a straight edge",
         Item::kSymbolBoxItem,
         -1,
         {240, 195, 0},
         {{250, 200, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), {210, 155, 0}, {210, 150, 0}, false, -1, true, 0.6, true);
         }},
        {"landing end",
         Item::kLandingEndItem,
         -1,
         {230, 190, 0},
         {{240, 195, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), 0, {240, 190, 0}, false, true);
         }},
        {"leader root",
         Item::kLeaderRootItem,
         -1,
         {220, 190, 0},
         {{225, 200, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), {225, 200, 0}, true, true);
         }},
        {"landing attach point",
         Item::kLandingAttachItem,
         -1,
         {230, 190, 0},
         {{232, 190, 0}},
         [](const FrameDoc& d) -> FWxChangeRequest* {
             return new Leader(d.Ref(), 0, {232, 190, 0}, true, true);
         }},
        {"the symbol's own body item",
         Item::kSymbolBodyItem,
         -1,
         {240, 195, 0},
         {{250, 200, 0}},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        FrameDoc dragged;
        const std::vector<uint8_t> before = dragged.Bytes();
        DLxMoveSymLeaderNodeManipulator m(dragged.Ref(), c.kind, 0, c.node, nullptr);
        Drive(m, c.from, c.path);
        // Nothing is written before the request runs.
        EXPECT_EQ(dragged.Bytes(), before);
        const size_t linesBefore = mgr.GetLines().size();
        ASSERT_FALSE(m.ProcessRequest(dragged.doc.get()).Failed());
        EXPECT_EQ(m.GetClonedInstance(), nullptr);
        if (!c.expected) {
            EXPECT_EQ(mgr.GetLines().size(), linesBefore);
            EXPECT_EQ(dragged.Bytes(), before);
            continue;
        }
        ASSERT_EQ(mgr.GetLines().size(), linesBefore + 1);
        const UTxString16 line = mgr.GetLines().back();

        FrameDoc direct;
        ASSERT_FALSE(direct.doc->ProcessChangeRequest(c.expected(direct)).Failed());
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().back()), UTx::ToUtf8(line));
        EXPECT_EQ(direct.Bytes(), dragged.Bytes());

        ASSERT_FALSE(dragged.doc->Undo().Failed());
        EXPECT_EQ(dragged.Bytes(), before);
    }
}

// The drag shows its preview on a copy; cancelled, it leaves the document as it was.
TEST_F(LeaderNodeDrag, ACancelledDragChangesNothing) {
    for (int32_t kind : {int32_t(Item::kAnchorItem), int32_t(Item::kLeaderNodeItem),
                         int32_t(Item::kSymbolBoxItem), int32_t(Item::kLeaderRootItem)}) {
        SCOPED_TRACE(kind);
        FrameDoc d;
        mgr.ClearLines();
        const std::vector<uint8_t> before = d.Bytes();
        const WqGePoint3d storedEnd = d.Frame()->GetFirstAnchor()->GetPoint();
        DLxMoveSymLeaderNodeManipulator m(d.Ref(), kind, 0, kind == Item::kAnchorItem ? 1 : 3,
                                          nullptr);
        ASSERT_TRUE(m.StartDrag({200, 150, 0}));
        ASSERT_TRUE(m.Drag({120, 60, 0}));
        ASSERT_NE(m.GetSymbol(), nullptr);
        EXPECT_NE(m.GetSymbol(), d.Frame());
        ASSERT_NE(m.GetPreviewDisplayList(), nullptr);
        EXPECT_FALSE(m.GetPreviewDisplayList()->IsEmpty());
        m.CancelDrag();
        EXPECT_EQ(m.GetSymbol(), nullptr);
        EXPECT_FALSE(m.EndDrag({120, 60, 0}));
        EXPECT_FALSE(m.ProcessRequest(d.doc.get()).Failed());
        EXPECT_EQ(d.Frame()->GetFirstAnchor()->GetPoint(), storedEnd);
        EXPECT_EQ(d.Bytes(), before);
        EXPECT_TRUE(mgr.GetLines().empty());
    }
}

TEST_F(LeaderNodeDrag, NoDragWhereTheDrawingPermitsNoEdit) {
    FrameDoc d;
    d.doc->locked = true;
    DLxMoveSymLeaderNodeManipulator m(d.Ref(), Item::kAnchorItem, 0, 1, nullptr);
    EXPECT_FALSE(m.StartDrag({200, 150, 0}));
    EXPECT_EQ(m.GetSymbol(), nullptr);
    EXPECT_FALSE(m.EndDrag({210, 150, 0}));
    EXPECT_EQ(m.GetRequest(), nullptr);
}

// Where a dragged leader end goes in the preview, and what the cursor shows.
TEST_F(LeaderNodeDrag, ALeaderEndSlidesTearsOffAndSnaps) {
    const struct {
        const char* name;
        std::vector<WqGePoint3d> path;
        WqGePoint3d end;
        bool onEdge;
        bool inferred;
    } cases[] = {
        {"0.75 from its edge: projected", {{180, 150.75, 0}}, {180, 150, 0}, true, false},
        {"past the edge's end along its line: held at the end",
         {{260.5, 150.5, 0}},
         {250, 150, 0},
         true,
         false},
        {"beyond 0.75: free at the cursor", {{180, 150.76, 0}}, {180, 150.76, 0}, false, false},
        {"free, near edge 2: on it", {{180, 153, 0}, {258.5, 120, 0}}, {260, 120, 0}, false, true},
        {"free, near edge 2's end: the end wins",
         {{180, 153, 0}, {259, 198.5, 0}},
         {260, 200, 0},
         false,
         true},
        {"free, nothing near", {{180, 153, 0}, {300, 250, 0}}, {300, 250, 0}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameDoc d;
        DLxMoveSymLeaderNodeManipulator m(d.Ref(), Item::kAnchorItem, 0, 1, nullptr);
        ASSERT_TRUE(m.StartDrag({200, 150, 0}));
        EXPECT_EQ(m.GetPromptCursor(), DLxMoveSymLeaderNodeManipulator::kDragCursor);
        for (const WqGePoint3d& p : c.path)
            ASSERT_TRUE(m.Drag(p));
        DLxAnchorPoint* a = m.GetAnchorPoint();
        ASSERT_NE(a, nullptr);
        EXPECT_NEAR(a->GetPoint().distanceTo(c.end), 0, 1e-9);
        EXPECT_EQ(a->IsOnEdge(), c.onEdge);
        EXPECT_EQ(m.HasInference(), c.inferred);
        EXPECT_EQ(m.GetPromptCursor(), c.inferred ? m.GetIntent().GetCursorShape()
                                                  : DLxMoveSymLeaderNodeManipulator::kDragCursor);
        // The frame's origin follows the first end of leader 0.
        EXPECT_NEAR(m.GetSymbol()->GetSymState()->GetOrigin().distanceTo(c.end), 0, 1e-9);
        m.CancelDrag();
    }
}

TEST_F(LeaderNodeDrag, PromptsOfAManipulatorThatDragsNothing) {
    FrameDoc d;
    DLxMoveSymLeaderNodeManipulator idle(d.Ref(), 0, 0, 0, nullptr);
    EXPECT_EQ(idle.GetPromptCursor(), DLxMoveSymLeaderNodeManipulator::kIdleCursor);
    EXPECT_EQ(idle.GetPromptText(), 0);
    DLxMoveSymLeaderNodeManipulator end(d.Ref(), Item::kAnchorItem, 0, 1, nullptr);
    EXPECT_EQ(end.GetPromptCursor(), DLxMoveSymLeaderNodeManipulator::kDragCursor);
    EXPECT_EQ(end.GetPromptText(), DLxMoveSymLeaderNodeManipulator::kDragPrompt);
}

// With two leaders the landing's end stays put: a root drag of leader 0 slides its root along
// the landing and shortens or lengthens it, and the landing end cannot be dragged.
TEST_F(LeaderNodeDrag, WithTwoLeadersTheLandingEndStays) {
    FrameDoc d;
    d.AddSecondLeader();
    DUxLeaderNodeTree* tree = d.Frame()->GetLeader(0);
    const DUxLeaderNodeTree::ELandingPos pos = tree->GetLandingPosition();
    ASSERT_NE(pos, DUxLeaderNodeTree::kNoLanding);
    const WqGeVector3d along = DUxLeaderNodeTree::LandingDirection(pos);
    WqGePoint3d end;
    ASSERT_TRUE(d.Frame()->GetLandingEndPoint(end, 0));
    const WqGePoint3d root = tree->GetRoot()->GetPoint();

    DLxMoveSymLeaderNodeManipulator m(d.Ref(), Item::kLeaderNodeItem, 0,
                                      tree->GetRoot()->GetNodeId(), nullptr);
    ASSERT_TRUE(m.StartDrag(root));
    // Across the landing and back along it by 2.
    const WqGePoint3d to = root - along * 2.0 + along.perpVector() * 3.0;
    ASSERT_TRUE(m.Drag(to));
    DUxLeaderNodeTree* preview = m.GetSymbol()->GetLeader(0);
    EXPECT_NEAR(preview->GetLandingLength(), -(to - end).dotProduct(along), 1e-9);
    const WqGePoint3d slid = preview->GetRoot()->GetPoint();
    EXPECT_NEAR((slid - end).crossProduct(along).length(), 0, 1e-9);
    m.CancelDrag();

    const std::vector<uint8_t> before = d.Bytes();
    DLxMoveSymLeaderNodeManipulator landing(d.Ref(), Item::kLandingEndItem, 0, -1, nullptr);
    ASSERT_TRUE(landing.StartDrag(end));
    ASSERT_TRUE(landing.Drag(end + along * 5.0));
    ASSERT_TRUE(landing.EndDrag(end + along * 5.0));
    EXPECT_EQ(landing.GetRequest(), nullptr);
    EXPECT_FALSE(landing.ProcessRequest(d.doc.get()).Failed());
    EXPECT_EQ(d.Bytes(), before);
}

} // namespace

// A press finds the nearest leader hot point within reach, on any leader, and reading the
// points to find it leaves the stored drawing as it was.
TEST_F(LeaderNodeDrag, APressPicksTheNearestHotPointAndChangesNothing) {
    FrameDoc d;
    d.AddSecondLeader();
    const std::vector<uint8_t> before = d.Bytes();
    struct Case {
        WqGePoint3d press;
        bool found;
        int32_t kind, leader; // leader -1: the last one
        WqGePoint3d at;       // where the picked node is
    };
    const Case cases[] = {
        {{200.5, 151, 0}, true, Item::kAnchorItem, 0, {200, 150, 0}},
        {{204, 169, 0}, true, Item::kLeaderNodeItem, 0, {205, 170, 0}},
        {{239, 121, 0}, true, Item::kAnchorItem, -1, {240, 120, 0}}, // the added leader's end
        {{203, 153, 0}, false, 0, 0, {}}, // beyond reach of every hot point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.press.x << "," << c.press.y);
        int32_t kind = 0, leader = -1, node = -1;
        ASSERT_EQ(DLxMoveSymLeaderNodeManipulator::PickHotPoint(d.Frame(), c.press, kind, leader,
                                                                node),
                  c.found);
        if (!c.found) {
            EXPECT_EQ(DLxMoveSymLeaderNodeManipulator::CreateForPress(d.Frame(), c.press, nullptr),
                      nullptr);
            continue;
        }
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(leader, c.leader >= 0 ? c.leader : d.Frame()->GetNumLeaders() - 1);
        DUxLeaderNode* picked = d.Frame()->GetLeader(leader)->FindNode(node);
        ASSERT_NE(picked, nullptr);
        EXPECT_NEAR(picked->GetPoint().x, c.at.x, 1e-9);
        EXPECT_NEAR(picked->GetPoint().y, c.at.y, 1e-9);
    }
    // Read afresh for the comparison: the checks above asked the nodes themselves.
    FrameDoc fresh;
    fresh.AddSecondLeader();
    const std::vector<uint8_t> pressedOnly = [&] {
        int32_t kind = 0, leader = 0, node = 0;
        for (const Case& c : cases)
            (void)DLxMoveSymLeaderNodeManipulator::PickHotPoint(fresh.Frame(), c.press, kind,
                                                                leader, node);
        return fresh.Bytes();
    }();
    EXPECT_EQ(pressedOnly, before);
}

// The preview of a drag draws the whole frame, not its leader alone: a bend dragged inside the
// frame's reach leaves the drawn box where the stored frame's is.
TEST_F(LeaderNodeDrag, ThePreviewDrawsTheFrameItself) {
    FrameDoc d;
    DLxMoveSymLeaderNodeManipulator m(d.Ref(), Item::kLeaderNodeItem, 0, 2, nullptr);
    ASSERT_TRUE(m.StartDrag({205, 170, 0}));
    ASSERT_TRUE(m.Drag({207, 172, 0}));
    ASSERT_NE(m.GetPreviewDisplayList(), nullptr);
    const BBox preview = m.GetPreviewDisplayList()->GetBBox();
    const BBox stored = d.Frame()->GetSheetDisplayList()->GetBBox();
    EXPECT_NEAR(preview.max.x, stored.max.x, 1e-9);
    EXPECT_NEAR(preview.max.y, stored.max.y, 1e-9);
    m.CancelDrag();
}
