// Editing the leaders of older symbols: the leader records' own edits (vertices dropped onto
// vertices, the landing), the edit data behind the leader edit command, the four requests
// through the document (journalled, replayed to the same bytes, undone) and their refusals, and
// the leader edit command driven by a user's clicks.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxLeaderEditCmd.h"
#include "Leader/DLxLeaderEditData.h"
#include "Leader/DLxLeaderMove.h"
#include "Leader/DLxOldSymArrowHeadDlgManipulator.h"
#include "OlderSymbolDoc.h"
#include "Request/DLxLeaderRequests.h"
#include "du/DUxArrowHead.h"
#include "du/DUxEmblemSelection.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "Symbol/DLxLeaderText.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {

using Points = std::vector<WqGePoint3d>;

class OlderLeaderEdit : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};

// ---- leader records

// A record edited outside any document: the chain root (10,10) - (10,0) - (0,0), with a
// branch (10,0) - (20,0) for shape kBranch, or only (10,10) - (0,0) for kTwo.
struct Chain {
    enum Shape { kThree, kBranch, kTwo };
    explicit Chain(Shape shape) {
        record = new (RSe::_GetMeta(static_cast<const DLxCLeaderGeneral*>(nullptr)),
                      RSe::TransientSegment()) DLxCLeaderGeneral(RSeRef<DLxSymbol>());
        const Points points = shape == kTwo ? Points{{0, 0, 0}, {10, 10, 0}}
                                            : Points{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
        EXPECT_FALSE(record->AddVertices(points).Failed());
        if (shape == kBranch)
            record->GetRootNode()->GetChildren()[0].get()->AddChild(
                DLxCLeaderNode::New(RSe::TransientSegment(), record, {20, 0, 0}));
    }
    ~Chain() { DLxCLeader::Delete(record); }
    Points Vertices() const {
        Points p;
        record->CollectVertices(p);
        return p;
    }
    DLxCLeaderGeneral* record = nullptr;
};

TEST(OlderLeaderRecord, VerticesDroppedOntoVerticesMergeStayOrGoBack) {
    const Points branched{{10, 10, 0}, {10, 0, 0}, {0, 0, 0}, {20, 0, 0}};
    const struct Case {
        const char* name;
        Chain::Shape shape;
        int32_t index;
        WqGeVector3d offset;
        Points expected;
    } cases[] = {
        {"a free move", Chain::kBranch, 2, {0, -5, 0},
         {{10, 10, 0}, {10, 0, 0}, {0, -5, 0}, {20, 0, 0}}},
        {"one end onto the other: both stay, coinciding", Chain::kBranch, 3, {-20, 0, 0},
         {{10, 10, 0}, {10, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"an end onto the branching node merges into it", Chain::kBranch, 3, {-10, 0, 0},
         {{10, 10, 0}, {10, 0, 0}, {0, 0, 0}}},
        {"the root onto the bend of a three-vertex chain merges", Chain::kThree, 0, {0, -10, 0},
         {{10, 0, 0}, {0, 0, 0}}},
        {"the end onto the root of a two-vertex chain goes back", Chain::kTwo, 1, {10, 10, 0},
         {{10, 10, 0}, {0, 0, 0}}},
        {"an offset under 1e-10 moves nothing", Chain::kBranch, 2, {1e-11, 0, 0}, branched},
        {"an index past the vertices moves nothing", Chain::kBranch, 9, {1, 0, 0}, branched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chain chain(c.shape);
        EXPECT_FALSE(chain.record->MoveVertices({c.index}, c.offset).Failed());
        EXPECT_EQ(chain.Vertices(), c.expected);
    }
}

TEST(OlderLeaderRecord, PrependedPointsLieInTheOwnersPlaneAndChainFromTheRoot) {
    Chain chain(Chain::kThree);
    ASSERT_FALSE(chain.record->PrependVertex({5, 5, 7}).Failed());
    EXPECT_EQ(chain.Vertices(), (Points{{5, 5, 0}, {10, 10, 0}, {10, 0, 0}, {0, 0, 0}}));
}

TEST(OlderLeaderRecord, ALandingRunsAlongTheXAxisAndItsEndIsVertexZero) {
    auto* land = new (RSe::_GetMeta(static_cast<const DLxCLeaderLand*>(nullptr)),
                      RSe::TransientSegment()) DLxCLeaderLand(RSeRef<DLxSymbol>());
    ASSERT_FALSE(land->AddVertices({{0, 0, 0}, {10, 10, 0}}).Failed());
    // Up and slightly left: a landing to the left.
    EXPECT_FALSE(land->SetLandingVector({-3, 10, 0}).Failed());
    EXPECT_EQ(land->GetLandingVector(), WqGeVector3d(-3, 0, 0));
    // Vertex 0, the landing's end, drags the landing; vertex 1 the root node.
    EXPECT_FALSE(land->MoveVertices({0}, {2, 5, 0}).Failed());
    EXPECT_EQ(land->GetLandingVector(), WqGeVector3d(-1, 0, 0));
    EXPECT_FALSE(land->MoveVertices({1}, {0, 2, 0}).Failed());
    Points vertices;
    land->CollectVertices(vertices);
    EXPECT_EQ(vertices, (Points{{9, 12, 0}, {10, 12, 0}, {0, 0, 0}}));
    DLxCLeader::Delete(land);
}

// ---- the document's requests

TEST_F(OlderLeaderEdit, EachRequestEditsReplaysAndUndoes) {
    const struct Case {
        const char* name;
        std::function<FWxChangeRequest*(OlderSymbolDoc&, std::unique_ptr<DLxLeaderEditData>&)> make;
        std::function<void(OlderSymbolDoc&)> check;
    } cases[] = {
        {"a bend moved",
         [](OlderSymbolDoc& x, auto&) {
             return new DLxLeaderMoveRequest(x.Ref(), 1, {0, -4, 0}, false, DLxIntent());
         },
         [](OlderSymbolDoc& x) {
             EXPECT_EQ(x.Symbol()->GetAllLeaderVertices(),
                       (Points{{60, 60, 0}, {60, 46, 0}, {50, 50, 0}}));
         }},
        {"an arrow type that is a service's id takes that service",
         [](OlderSymbolDoc& x, auto&) {
             return new DLxLeaderChangeArrowheadRequest(x.Ref(), 28031, 0);
         },
         [](OlderSymbolDoc& x) {
             EXPECT_EQ(x.Symbol()->GetArrowheadStateObject()->GetTemplateId(), 28031u);
         }},
        {"an arrow type without a service of its own takes the fallback",
         [](OlderSymbolDoc& x, auto&) { return new DLxLeaderChangeArrowheadRequest(x.Ref(), 3, 0); },
         [](OlderSymbolDoc& x) {
             EXPECT_EQ(x.Symbol()->GetArrowheadStateObject()->GetTemplateId(), 28029u);
         }},
        {"a vertex inside the first piece",
         [](OlderSymbolDoc& x, auto& data) {
             data = std::make_unique<DLxLeaderEditData>(x.Symbol());
             return new DLxLeaderAddVertexRequest(data.get(), {60, 55, 0});
         },
         [](OlderSymbolDoc& x) {
             EXPECT_EQ(x.Symbol()->GetAllLeaderVertices(),
                       (Points{{60, 60, 0}, {60, 55, 0}, {60, 50, 0}, {50, 50, 0}}));
         }},
        {"a branch from (80,40) through (70,30) joined at the bend",
         [](OlderSymbolDoc& x, auto& data) {
             data = std::make_unique<DLxLeaderEditData>(x.Symbol());
             DLxCLeaderGeneral* scratch = data->GetScratchRecord();
             EXPECT_FALSE(scratch->AddVertices({{80, 40, 0}, {70, 30, 0}, {60, 50, 0}}).Failed());
             data->PrepareBranch({60, 50, 0});
             return new DLxLeaderAddRequest(data.get(), {60, 50, 0}, data->GetBranchPoints(),
                                            data->GetAttachPoint());
         },
         [](OlderSymbolDoc& x) {
             EXPECT_EQ(x.Symbol()->GetAllLeaderVertices(),
                       (Points{{60, 60, 0}, {60, 50, 0}, {50, 50, 0}, {70, 30, 0}, {80, 40, 0}}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        OlderSymbolDoc d;
        std::unique_ptr<DLxLeaderEditData> data;
        const UTxResult r = d.doc->ProcessChangeRequest(c.make(d, data));
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        c.check(d);
        const std::vector<UTxString16> lines = mgr.GetLines();
        ASSERT_FALSE(lines.empty());
        OlderSymbolDoc replay;
        const UTxResult rr = mgr.ReplayLine(replay.doc.get(), lines.back());
        ASSERT_FALSE(rr.Failed()) << UTx::ToUtf8(lines.back()) << ": " << rr.GetMessageUtf8();
        EXPECT_EQ(replay.Bytes(), d.Bytes()) << UTx::ToUtf8(lines.back());
        ASSERT_FALSE(d.doc->Undo().Failed());
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), d.empty) << "undo gives back the empty drawing";
    }
}

TEST_F(OlderLeaderEdit, RecordsNamingWhatIsNotThereAreRefused) {
    // Lines as the requests write them, then damaged.
    OlderSymbolDoc d;
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxLeaderMoveRequest(d.Ref(), 1, {0, 1, 0}, false,
                                                                      DLxIntent()))
                     .Failed());
    ASSERT_FALSE(
        d.doc->ProcessChangeRequest(new DLxLeaderChangeArrowheadRequest(d.Ref(), 11, 0)).Failed());
    ASSERT_EQ(mgr.GetLines().size(), 2u);
    const std::string move = UTx::ToUtf8(mgr.GetLines()[0]);
    const std::string arrow = UTx::ToUtf8(mgr.GetLines()[1]);
    const std::string sym = UTx::ToUtf8(mgr.StringFromRef(d.Ref()));
    const std::string view = UTx::ToUtf8(mgr.StringFromRef(RSeRefBase(d.view)));
    const auto with = [](std::string line, const std::string& from, const std::string& to) {
        const size_t at = line.find(from);
        EXPECT_NE(at, std::string::npos) << from << " in " << line;
        if (at != std::string::npos) line.replace(at, from.size(), to);
        return line;
    };
    const std::vector<uint8_t> before = d.Bytes();
    const struct Case {
        std::string line;
        const char* why;
    } cases[] = {
        {with(move, sym, view), "rSymbol"},
        {with(move, sym, sym + "999"), "rSymbol"}, // an id nothing has
        {with(move, "index=1", "index=3"), "index"},
        {with(move, "index=1", "index=-1"), "index"},
        {with(arrow, "LeaderNum=0", "LeaderNum=1"), "LeaderNum"},
        {with(arrow, sym, view), "rSymbol"},
        {"AddLeaderVertex rSymbol=\"" + sym + "\" point=(0,0,0)", "point"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const UTxResult r = mgr.ReplayLine(d.doc.get(), UTx::MakeWideString(c.line));
        ASSERT_TRUE(r.Failed());
        EXPECT_NE(r.GetMessageUtf8().find(c.why), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(d.Bytes(), before);
    }
}

// ---- the edit data

TEST_F(OlderLeaderEdit, APointOnALeaderGoesIntoTheFirstLeaderThatTakesIt) {
    OlderSymbolDoc d;
    DLxSymbol* sym = d.Symbol();
    ASSERT_FALSE(d.Edit([&] { (void)sym->AddLeader({{60, 40, 0}, {60, 50, 0}}); })
                     .Failed());
    DLxLeaderEditData data(sym);
    // (60,50) is a node of leader 0 and the root of leader 1: leader 0 holds it, nothing moves.
    EXPECT_TRUE(data.CanTakePoint({60, 50, 0}));
    EXPECT_FALSE(data.CanTakePoint({40, 40, 0}));
    EXPECT_FALSE(d.Edit([&] { EXPECT_TRUE(data.IsPointOnLeaders({60, 50, 0})); }).Failed());
    EXPECT_EQ(sym->GetLeader(0)->GetNumVertices(), 3);
    EXPECT_EQ(sym->GetLeader(1)->GetNumVertices(), 2);
    // (55,50) lies inside leader 0's second piece only.
    EXPECT_FALSE(d.Edit([&] { EXPECT_TRUE(data.IsPointOnLeaders({55, 50, 0})); }).Failed());
    EXPECT_EQ(sym->GetAllLeaderVertices(),
              (Points{{60, 60, 0}, {60, 50, 0}, {55, 50, 0}, {50, 50, 0}, {60, 50, 0}, {60, 40, 0}}));
    EXPECT_TRUE(data.GetLeaderPoints().empty());
}

// ---- the command, driven by clicks

struct EditCommand {
    explicit EditCommand(OlderSymbolDoc& d) : doc(d) {
        FWxSelectionSetMgr::Get(d.doc.get())
            ->GetPreSelectionSet()
            ->Add(SmartPtr<FWxSelection>(new DUxEmblemSelection(d.Symbol(), {60, 60, 0})));
        cmd = std::make_unique<DLxLeaderEditCmd>(d.doc.get());
        cmd->OnCommand();
    }
    int32_t Click(const WqGePoint3d& p) {
        FWxEvent e;
        e.point = p;
        e.worldSelectionTol = 1.0;
        cmd->GetResolver()->MouseMove(e);
        return cmd->GetResolver()->LButtonDown(e);
    }
    OlderSymbolDoc& doc;
    std::unique_ptr<DLxLeaderEditCmd> cmd;
};

TEST_F(OlderLeaderEdit, PicksAwayFromTheLeadersThenOnOneAddABranch) {
    OlderSymbolDoc d;
    EditCommand c(d);
    ASSERT_TRUE(c.cmd->GetResolver()->IsRunning());
    EXPECT_EQ(c.Click({80, 40, 0}), FWxStateCode::kGoOn);
    EXPECT_EQ(c.Click({70, 30, 0}), FWxStateCode::kGoOn);
    EXPECT_FALSE(c.cmd->GetState().GetTipState()->GetTarget().GetPreview().GetDisplayList().IsEmpty());
    EXPECT_TRUE(mgr.GetLines().empty()) << "nothing changes while picking";
    // Near the piece (60,60)-(60,50): the pick snaps onto it at (60,56).
    EXPECT_EQ(c.Click({60.4, 56, 0}), FWxStateCode::kFinished);
    EXPECT_FALSE(c.cmd->GetResolver()->IsRunning());
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_EQ(d.Symbol()->GetAllLeaderVertices(),
              (Points{{60, 60, 0}, {60, 56, 0}, {60, 50, 0}, {50, 50, 0}, {70, 30, 0}, {80, 40, 0}}));
    OlderSymbolDoc replay;
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), mgr.GetLines()[0]).Failed());
    EXPECT_EQ(replay.Bytes(), d.Bytes()) << UTx::ToUtf8(mgr.GetLines()[0]);
}

TEST_F(OlderLeaderEdit, AFirstPickOnALeaderAddsAVertexAndADoubleClickNothing) {
    {
        OlderSymbolDoc d;
        EditCommand c(d);
        EXPECT_EQ(c.Click({55, 50.3, 0}), FWxStateCode::kFinished);
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines()[0]).rfind("AddLeaderVertex ", 0), 0u);
        EXPECT_EQ(d.Symbol()->GetAllLeaderVertices(),
                  (Points{{60, 60, 0}, {60, 50, 0}, {55, 50, 0}, {50, 50, 0}}));
    }
    mgr.ClearLines();
    OlderSymbolDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    {
        // Started with nothing selected: clicks act on no symbol.
        DLxLeaderEditCmd idle(d.doc.get());
        idle.OnCommand();
        FWxEvent e;
        e.point = {55, 50, 0};
        EXPECT_EQ(idle.GetResolver()->LButtonDown(e), FWxStateCode::kGoOn);
        EXPECT_TRUE(idle.GetResolver()->IsRunning());
        idle.GetResolver()->Cancel();
    }
    EditCommand c(d);
    EXPECT_EQ(c.Click({80, 40, 0}), FWxStateCode::kGoOn);
    FWxEvent e;
    EXPECT_EQ(c.cmd->RButtonUp(e), FWxStateCode::kGoOn);
    EXPECT_TRUE(c.cmd->GetResolver()->IsRunning());
    EXPECT_EQ(c.cmd->LButtonDblClk(e), FWxStateCode::kFinished);
    EXPECT_FALSE(c.cmd->GetResolver()->IsRunning());
    EXPECT_TRUE(mgr.GetLines().empty());
    EXPECT_EQ(d.Bytes(), before);
}

// ---- the vertex drag

TEST_F(OlderLeaderEdit, DraggedVerticesSnapAndEndInOneLeaderMove) {
    const struct Case {
        const char* name;
        int32_t index;
        WqGePoint3d to;
        const char* line; // what the journal line holds
        Points expected;
    } cases[] = {
        {"the bend within 3 degrees of the horizontal through the end lands on it", 1,
         {65, 50.2, 0}, "index=1 offset=(5.0,0.0,0.0)", {{60, 60, 0}, {65, 50, 0}, {50, 50, 0}}},
        {"the bend away from every alignment goes where the cursor is", 1, {70, 55, 0},
         "index=1 offset=(10.0,5.0,0.0)", {{60, 60, 0}, {70, 55, 0}, {50, 50, 0}}},
        {"the root near the vertical through the bend lands on it", 0, {60.3, 70, 0},
         "index=0 offset=(0.0,10.0,0.0)", {{60, 70, 0}, {60, 50, 0}, {50, 50, 0}}},
        {"the end follows the cursor", 2, {45, 42, 0}, "index=2 offset=(-5.0,-8.0,0.0)",
         {{60, 60, 0}, {60, 50, 0}, {45, 42, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        OlderSymbolDoc d;
        const std::vector<uint8_t> before = d.Bytes();
        const WqGePoint3d from = d.Symbol()->GetAllLeaderVertices()[size_t(c.index)];
        DLxLeaderMove m(d.Ref(), c.index, from, nullptr);
        ASSERT_TRUE(m.StartDrag(from));
        EXPECT_TRUE(m.Drag({(from.x + c.to.x) / 2, (from.y + c.to.y) / 2, 0}));
        EXPECT_TRUE(m.Drag(c.to));
        EXPECT_EQ(m.GetLeaderPreview().GetDisplayList().Count(), 2);
        EXPECT_EQ(d.Bytes(), before) << "only the preview changes while dragging";
        ASSERT_TRUE(m.EndDrag(c.to));
        ASSERT_FALSE(m.ProcessRequest(d.doc.get()).Failed());
        EXPECT_EQ(d.Symbol()->GetAllLeaderVertices(), c.expected);
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const std::string line = UTx::ToUtf8(mgr.GetLines()[0]);
        EXPECT_EQ(line.rfind("LeaderMove ", 0), 0u) << line;
        EXPECT_NE(line.find(c.line), std::string::npos) << line;
        OlderSymbolDoc replay;
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), mgr.GetLines()[0]).Failed());
        EXPECT_EQ(replay.Bytes(), d.Bytes());
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

TEST_F(OlderLeaderEdit, ACancelledOrRefusedDragChangesNothing) {
    OlderSymbolDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    {
        DLxLeaderMove m(d.Ref(), 1, {60, 50, 0}, nullptr);
        ASSERT_TRUE(m.StartDrag({60, 50, 0}));
        EXPECT_TRUE(m.Drag({80, 20, 0}));
        m.CancelDrag();
        EXPECT_FALSE(m.GetRequest());
    }
    DLxLeaderMove beyond(d.Ref(), 3, {60, 50, 0}, nullptr);
    EXPECT_FALSE(beyond.StartDrag({60, 50, 0})) << "the leader has no vertex 3";
    d.doc->locked = true;
    DLxLeaderMove locked(d.Ref(), 1, {60, 50, 0}, nullptr);
    EXPECT_FALSE(locked.StartDrag({60, 50, 0}));
    EXPECT_TRUE(mgr.GetLines().empty());
    EXPECT_EQ(d.Bytes(), before);
}

// Leader texts (like kinds 0 and 2) number their root 2: index k >= 2 drags the node at k - 2.
TEST_F(OlderLeaderEdit, LeaderTextVerticesCountFromTwo) {
    OlderSymbolDocOf<DLxLeaderText> d;
    EXPECT_FALSE(DLxLeaderMove(d.Ref(), 1, {60, 50, 0}, nullptr).StartDrag({60, 50, 0}));
    DLxLeaderMove m(d.Ref(), 3, {60, 50, 0}, nullptr);
    ASSERT_TRUE(m.StartDrag({60, 50, 0}));
    EXPECT_TRUE(m.Drag({70, 55, 0}));
    ASSERT_TRUE(m.EndDrag({70, 55, 0}));
    ASSERT_FALSE(m.ProcessRequest(d.doc.get()).Failed());
    // A leader text's record is a landing leader: its landing end (here on the root) is its
    // vertex 0, so the journalled index of node 1 is 2.
    EXPECT_EQ(d.Symbol()->GetAllLeaderVertices(),
              (Points{{60, 60, 0}, {60, 60, 0}, {70, 55, 0}, {50, 50, 0}}));
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_NE(UTx::ToUtf8(mgr.GetLines()[0]).find("index=2 "), std::string::npos);
}

TEST_F(OlderLeaderEdit, AnArrowTipPromptsForTheArrowhead) {
    OlderSymbolDoc d;
    const DLxLeaderMove tip(d.Ref(), 2, {50, 50, 0}, nullptr);
    EXPECT_EQ(tip.GetPromptText(), DLxLeaderMove::kTipPrompt);
    EXPECT_EQ(tip.GetPromptCursor(), DLxLeaderMove::kTipCursor);
    const DLxLeaderMove bend(d.Ref(), 1, {60, 50, 0}, nullptr);
    EXPECT_EQ(bend.GetPromptText(), DLxLeaderMove::kVertexPrompt);
    EXPECT_EQ(bend.GetPromptCursor(), DLxLeaderMove::kDragCursor);
}

// ---- the arrowhead chooser

TEST_F(OlderLeaderEdit, ChoicesApplyAtOnceAndACancelBringsBackTheOpeningArrowhead) {
    OlderSymbolDoc d;
    DLxOldSymArrowHeadDlgManipulator m(d.Ref(), nullptr);
    std::vector<uint32_t> seen;
    m.SetChooserRunner([&](DLxOldSymArrowHeadDlgManipulator& self) {
        for (uint32_t service : {28031u, 28030u}) {
            self.ApplyChoice(service);
            seen.push_back(d.Symbol()->GetArrowheadStateObject()->GetTemplateId());
        }
        return DLxOldSymArrowHeadDlgManipulator::kCancel;
    });
    EXPECT_TRUE(m.StartDialog());
    EXPECT_EQ(seen, (std::vector<uint32_t>{28031, 28030}));
    EXPECT_EQ(d.Symbol()->GetArrowheadStateObject()->GetTemplateId(), 28032u);
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(UTx::ToUtf8(lines[2]).find("ArrowType=28032"), std::string::npos);
    OlderSymbolDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());

    // OK keeps the last choice; a locked document opens no chooser.
    mgr.ClearLines();
    m.SetChooserRunner([](DLxOldSymArrowHeadDlgManipulator& self) {
        self.ApplyChoice(28031);
        return 1;
    });
    EXPECT_TRUE(m.StartDialog());
    EXPECT_EQ(d.Symbol()->GetArrowheadStateObject()->GetTemplateId(), 28031u);
    EXPECT_EQ(mgr.GetLines().size(), 1u);
    d.doc->locked = true;
    bool ran = false;
    m.SetChooserRunner([&](DLxOldSymArrowHeadDlgManipulator&) {
        ran = true;
        return 1;
    });
    EXPECT_TRUE(m.StartDialog());
    EXPECT_FALSE(ran);
}

} // namespace
