// The datum-target placement commands driven by scripted picks as a user would click: each
// command places its kind of target, refuses to finish early, drops a leader too short for its
// balloon, takes picks back, snaps the balloon's leader to the sheet's axes, and leaves nothing
// behind when it ends.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CDialog.h"
#include "Command/DLxDatumBl.h"
#include "Command/DLxDatumTargetCmd.h"
#include "Command/DLxDatumTargetEditCmd.h"
#include "Command/DLxDatumTargetHideLeaderCmd.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"

namespace {

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250.
struct CmdDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    CmdDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    std::vector<DLxDatumTarget*> Targets() const {
        std::vector<DLxDatumTarget*> found;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* t = dynamic_cast<DLxDatumTarget*>(r.GetTarget())) found.push_back(t);
        return found;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

TEST(DatumTargetCmd, EachCommandPlacesItsTargetFromScriptedPicks) {
    struct Case {
        std::unique_ptr<DLxDatumTargetCmd> (*make)(FWxSceneDoc*);
        int32_t type;
        std::vector<WqGePoint3d> picks; // the target's, then the leader's out to the balloon
        WqGePoint3d leaderEnd;          // where the leader meets the target
    };
    auto cmd = [](auto* tag) {
        using T = std::remove_pointer_t<decltype(tag)>;
        return +[](FWxSceneDoc* d) -> std::unique_ptr<DLxDatumTargetCmd> {
            return std::make_unique<T>(d);
        };
    };
    const Case cases[] = {
        {cmd((DLxDatumTargetLeaderCmd*)nullptr), 0, {{210, 150, 0}, {200, 200, 0}}, {210, 150, 0}},
        {cmd((DLxDatumTargetPointCmd*)nullptr), 2, {{210, 150, 0}, {200, 200, 0}}, {210, 150, 0}},
        // A line's leader starts at its middle.
        {cmd((DLxDatumTargetLineCmd*)nullptr),
         3,
         {{200, 150, 0}, {220, 150, 0}, {190, 190, 0}},
         {210, 150, 0}},
        // A circle's leader meets its rim.
        {cmd((DLxDatumTargetCircleCmd*)nullptr),
         4,
         {{210, 150, 0}, {215, 150, 0}, {260, 150, 0}, {260, 200, 0}},
         {215, 150, 0}},
        // A rectangle's leader meets the corner nearest its last bend.
        {cmd((DLxDatumTargetRectCmd*)nullptr),
         5,
         {{210, 150, 0}, {216, 154, 0}, {230, 200, 0}},
         {216, 154, 0}},
    };
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        mgr.ClearLines();
        CmdDoc d;
        std::unique_ptr<DLxDatumTargetCmd> command = c.make(d.doc.get());
        ASSERT_TRUE(command->OnInitialize());
        const DLxIntent onEdge = DLxIntent::OnEdge(d.view, 1, (c.picks[0].x - 150) / 100);
        for (size_t i = 0; i < c.picks.size(); ++i) {
            // The leader needs a vertex past the target before the command may finish.
            EXPECT_EQ(command->CanFinish(), i > (c.type >= 3 ? 2u : 1u)) << i;
            command->MoveCursor(c.picks[i]);
            command->Pick(c.picks[i], onEdge);
        }
        ASSERT_TRUE(command->Done());
        const std::vector<DLxDatumTarget*> targets = d.Targets();
        ASSERT_EQ(targets.size(), 1u);
        DLxDatumTarget* t = targets[0];
        EXPECT_EQ(command->GetCreated().GetTarget(), t);
        EXPECT_EQ(t->GetTargetType(), c.type);
        const std::vector<WqGePoint3d> leader = t->GetFirstLeaderPoints();
        ASSERT_EQ(leader.size(), c.picks.size() - (c.type >= 3 ? 1 : 0));
        EXPECT_EQ(leader.front(), c.picks.back());
        EXPECT_EQ(t->GetKeyPoint(), c.picks.back());
        EXPECT_NEAR(leader.back().distanceTo(c.leaderEnd), 0, 1e-9);
        // The anchor is where the first pick's intent put it.
        EXPECT_NEAR(t->GetAnchor()->GetPoint().distanceTo({c.picks[0].x, 150, 0}), 0, 1e-9);
        // The command starts over; its placement replays to the same drawing.
        EXPECT_TRUE(command->IsActive());
        EXPECT_FALSE(command->CanFinish());
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines()[0];
        CmdDoc replay;
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed());
        EXPECT_EQ(replay.Bytes(), d.Bytes());
        command->OnTerminate();
        EXPECT_FALSE(command->IsActive());
    }
}

TEST(DatumTargetCmd, PicksAreCheckedAndTakenBack) {
    CmdDoc d;
    DLxDatumTargetCircleCmd command(d.doc.get());
    ASSERT_TRUE(command.OnInitialize());
    const DLxIntent onEdge = DLxIntent::OnEdge(d.view, 1, 0.6);
    EXPECT_FALSE(command.Done());
    command.Pick({210, 150, 0}, onEdge);
    // The rim point on the centre: the circle stays drawable.
    command.Pick({210, 150, 0}, onEdge);
    auto* circle = dynamic_cast<DLxCTargetCircularArea*>(command.GetTransient()->GetTargetShape());
    EXPECT_DOUBLE_EQ(circle->GetRadius(), 0.0001);
    EXPECT_FALSE(command.CanFinish());
    // Too near the start for a balloon (1.25 balloon sizes): dropped.
    const double size = command.GetTransient()->GetBalloonSize();
    ASSERT_GT(size, 0);
    command.Pick({210 + size, 150, 0}, onEdge);
    EXPECT_FALSE(command.CanFinish());
    command.Pick({210, 200, 0}, onEdge);
    EXPECT_TRUE(command.CanFinish());
    // Undo takes the leader vertex back, then the rim point, then the target.
    command.UndoLastPoint();
    EXPECT_FALSE(command.CanFinish());
    command.UndoLastPoint();
    command.Pick({215, 150, 0}, onEdge);
    EXPECT_DOUBLE_EQ(circle->GetRadius(), 5);
    command.UndoLastPoint();
    command.UndoLastPoint();
    EXPECT_FALSE(command.GetTransient()->HasLeader());
    EXPECT_FALSE(command.Done());
    EXPECT_TRUE(d.Targets().empty());
}

TEST(DatumTargetCmd, TheBalloonLeaderSnapsToTheSheetsAxes) {
    CmdDoc d;
    DLxDatumTargetPointCmd command(d.doc.get());
    ASSERT_TRUE(command.OnInitialize());
    command.Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    struct Case {
        WqGePoint3d cursor;
        WqGePoint3d balloon;
    };
    const Case cases[] = {
        {{212, 190, 0}, {210, 190, 0}}, // 2.9 degrees off vertical
        {{250, 152, 0}, {250, 150, 0}}, // 2.9 degrees off horizontal
        {{214, 190, 0}, {214, 190, 0}}, // 5.7 degrees off: as it is
    };
    for (const Case& c : cases) {
        command.MoveCursor(c.cursor);
        EXPECT_NEAR(command.GetTransient()->GetSymbolOrigin().distanceTo(c.balloon), 0, 1e-9)
            << c.cursor.x << "," << c.cursor.y;
    }
    // A preview changes nothing in the drawing.
    EXPECT_TRUE(d.Targets().empty());
}

TEST(DatumTargetCmd, TheCommandGroupStartsACommandByItsIdAndPassesItsNotifications) {
    CmdDoc d;
    DLxSymbolDocCmdGroup group(d.doc.get());
    DLxDatumTargetCmd* point = nullptr;
    for (size_t i = 0; i < group.GetCommandCount(); ++i)
        if (auto* c = dynamic_cast<DLxDatumTargetPointCmd*>(group.GetCommand(i))) point = c;
    ASSERT_NE(point, nullptr);
    EXPECT_FALSE(point->IsActive());
    ASSERT_TRUE(group.OnCmdMsg(40044, FWxCmd::kCommand, nullptr));
    ASSERT_TRUE(point->IsActive());
    point->Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    point->Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
    ASSERT_TRUE(group.OnCmdMsg(DLxDatumTargetCmd::kUndoNotification, FWxCmd::kNotify, nullptr));
    EXPECT_FALSE(point->CanFinish());
    point->Pick({190, 200, 0}, DLxIntent::Free({190, 200, 0}));
    ASSERT_TRUE(group.OnCmdMsg(DLxDatumTargetCmd::kDoneNotification, FWxCmd::kNotify, nullptr));
    ASSERT_EQ(d.Targets().size(), 1u);
    EXPECT_EQ(d.Targets()[0]->GetKeyPoint(), WqGePoint3d(190, 200, 0));
    ASSERT_TRUE(group.OnCmdMsg(DLxDatumTargetCmd::kCancelNotification, FWxCmd::kNotify, nullptr));
    EXPECT_FALSE(point->IsActive());
}

TEST(DatumTargetCmd, HidingTheLeaderTwiceShowsItAgainAndTheItemFollows) {
    CmdDoc d;
    DLxDatumTargetPointCmd place(d.doc.get());
    ASSERT_TRUE(place.OnInitialize());
    place.Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    place.Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
    ASSERT_TRUE(place.Done());
    DLxDatumTarget* t = d.Targets()[0];
    DLxSymbolDocCmdGroup group(d.doc.get());
    auto check = [&] {
        FWxCmdUI ui;
        EXPECT_TRUE(group.OnCmdMsg(DLxDatumTargetHideLeaderCmd::kCommandId, FWxCmd::kUpdateUI, &ui));
        return ui.checked;
    };
    // Without a selected datum target the item does nothing.
    const std::vector<uint8_t> before = d.Bytes();
    ASSERT_TRUE(group.OnCmdMsg(DLxDatumTargetHideLeaderCmd::kCommandId, FWxCmd::kCommand, nullptr));
    EXPECT_EQ(d.Bytes(), before);
    FWxSelectionSetMgr::Get(d.doc.get())
        ->GetDrawSelectionSet()
        ->Add(SmartPtr<FWxSelection>(new DLxDatumTargetSelection(t, {200, 200, 0})));
    for (bool hidden : {true, false}) {
        ASSERT_TRUE(
            group.OnCmdMsg(DLxDatumTargetHideLeaderCmd::kCommandId, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(t->IsHiddenLeader(), hidden);
        EXPECT_EQ(check(), hidden);
    }
    // Each toggle is one undoable edit.
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_TRUE(t->IsHiddenLeader());
}

// A user at the balloon text dialog: types the texts given and confirms, or cancels.
struct BalloonTyping {
    const char16_t* size;
    const char16_t* label;
    bool ok;
    int shown = 0;
    UTxString16 shownSize, shownLabel;
    BalloonTyping(const char16_t* s, const char16_t* l, bool confirm) : size(s), label(l), ok(confirm) {
        CDialog::SetModalRunner([this](CDialog& d) {
            auto* dialog = dynamic_cast<DLxDatumBl*>(&d);
            ASSERT_NE(dialog, nullptr);
            ++shown;
            shownSize = dialog->GetEditText(DLxDatumBl::kSizeEdit);
            shownLabel = dialog->GetEditText(DLxDatumBl::kTargetEdit);
            dialog->SetEditText(DLxDatumBl::kSizeEdit, size);
            dialog->SetEditText(DLxDatumBl::kTargetEdit, label);
            if (ok)
                dialog->OnOK();
            else
                dialog->OnCancel();
        });
    }
    ~BalloonTyping() { CDialog::SetModalRunner(nullptr); }
};

TEST(DatumTargetCmd, APlacedTargetTakesTheTextsTypedIntoItsBalloonDialog) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (bool ok : {true, false}) {
        mgr.ClearLines();
        CmdDoc d;
        DLxDatumTargetCircleCmd place(d.doc.get());
        ASSERT_TRUE(place.OnInitialize());
        BalloonTyping user(u"%%c10", u"A12345", ok);
        place.Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
        place.Pick({215, 150, 0}, DLxIntent::Free({215, 150, 0}));
        place.Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
        ASSERT_TRUE(place.Done());
        EXPECT_EQ(user.shown, 1);
        // The dialog opens on the new target's default texts.
        EXPECT_EQ(user.shownSize, u"1");
        EXPECT_EQ(user.shownLabel, u"A");
        const DLxCTargetBalloon* balloon = d.Targets()[0]->GetBalloon(0);
        // The label keeps four characters.
        EXPECT_EQ(balloon->GetSizeTextValue(), ok ? u"%%c10" : u"1");
        EXPECT_EQ(balloon->GetTargetText(), ok ? u"A123" : u"A");
        EXPECT_EQ(mgr.GetLines().size(), ok ? 2u : 1u);
        // The placement with its texts replays to the same drawing.
        const std::vector<UTxString16> lines = mgr.GetLines();
        CmdDoc replay;
        for (const UTxString16& line : lines)
            ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed());
        EXPECT_EQ(replay.Bytes(), d.Bytes());
    }
}

TEST(DatumTargetCmd, EachBalloonItemEditsItsBalloon) {
    struct Row {
        int32_t id;
        int32_t balloon;
    };
    for (const Row& r : {Row{44053, 0}, Row{44064, 1}, Row{44071, 8}, Row{44054, 9},
                         Row{44063, 18}, Row{44072, 0}, Row{44048, 0}})
        EXPECT_EQ(DLxDatumTargetEditCmd::BalloonIndexOfItem(r.id), r.balloon) << r.id;

    CmdDoc d;
    DLxDatumTargetPointCmd place(d.doc.get());
    ASSERT_TRUE(place.OnInitialize());
    place.Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    place.Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
    ASSERT_TRUE(place.Done());
    DLxDatumTarget* t = d.Targets()[0];
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxDatumTargetAttachRequest(
                                               RSeRef<DLxDatumTarget>(t), {215, 200, 0}))
                     .Failed());
    DLxSymbolDocCmdGroup group(d.doc.get());
    FWxSelectionSetMgr::Get(d.doc.get())
        ->GetDrawSelectionSet()
        ->Add(SmartPtr<FWxSelection>(new DLxDatumTargetSelection(t, {200, 200, 0})));
    {
        BalloonTyping user(u"", u"B", true);
        ASSERT_TRUE(group.OnCmdMsg(44064, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(user.shown, 1);
        EXPECT_EQ(t->GetBalloon(1)->GetTargetText(), u"B");
        EXPECT_EQ(t->GetBalloon(0)->GetTargetText(), u"A");
        // The item of a balloon the target does not have opens nothing.
        ASSERT_TRUE(group.OnCmdMsg(44065, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(user.shown, 1);
        // "Edit" opens the default balloon.
        ASSERT_TRUE(group.OnCmdMsg(DLxDatumTargetEditCmd::kCommandId, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(user.shown, 2);
        EXPECT_EQ(t->GetBalloon(0)->GetTargetText(), u"B");
    }
}

TEST(DatumTargetCmd, AnEndedCommandNoLongerAnswersTheLeaderMenu) {
    CmdDoc d;
    auto command = std::make_unique<DLxDatumTargetLineCmd>(d.doc.get());
    ASSERT_TRUE(command->OnInitialize());
    command->OnPrepareContextMenu(DLxDatumTargetCmd::kLeaderMenuId);
    EXPECT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), command.get());
    command->OnTerminate();
    EXPECT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), nullptr);
    // Nor does a destroyed one.
    auto other = std::make_unique<DLxDatumTargetRectCmd>(d.doc.get());
    ASSERT_TRUE(other->OnInitialize());
    other->OnPrepareContextMenu(DLxDatumTargetCmd::kLeaderMenuId);
    other.reset();
    EXPECT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), nullptr);
}

} // namespace
