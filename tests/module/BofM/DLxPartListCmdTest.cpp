// The placement command of a new parts list, driven as a user would: the command run by its id
// from the document's command group, a view picked by a click, the dialog confirmed, the
// preview moved about and placed by a click. Only the click journals anything; every other
// way out leaves the document as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListCreateDlg.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "KorvuBOMFixture.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxUtil.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableStyle.h"
#include "ge/BBox.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The bracket assembly's drawing: an A3 sheet (border 10 inside its edges, title block 180 by
// 56 in the border's bottom-right corner) with one view, a 60 x 60 square around (100, 200).
struct CmdDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    DLxPartListCmd* cmd = nullptr;

    explicit CmdDoc(bool withModel = true) {
        if (withModel) {
            EXPECT_TRUE(doc->SetAssembly(KorvuBOM::BracketAssembly()));
        }
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter(WqGePoint3d(100, 200, 0));
        const WqGePoint3d a(-30, -30, 0), b(30, -30, 0), c(30, 30, 0), d(-30, 30, 0);
        EXPECT_TRUE(view->SetEdges({DLxViewEdge::Line(1, a, b), DLxViewEdge::Line(2, b, c),
                                    DLxViewEdge::Line(3, c, d), DLxViewEdge::Line(4, d, a)}));
        DLxStdStyles::AddDocumentStyles(doc.get());
        doc->SetActiveSheet(sheet);
        auto* group = new DLxSymbolDocCmdGroup(doc.get());
        doc->AddCommand(group);
        for (size_t i = 0; i < group->GetCommandCount() && !cmd; ++i)
            cmd = dynamic_cast<DLxPartListCmd*>(group->GetCommand(i));
        EXPECT_NE(cmd, nullptr);
    }
    ~CmdDoc() { doc->TerminateActiveContext(4); }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    DLxPartListCmdState& Root() { return cmd->GetRootState(); }
    DLxPartListCreateDlg* Dialog() { return Root().GetDialog(); }
    FWxTargetStateResolver& Resolver() { return *cmd->GetResolver(); }
    static FWxEvent At(double x, double y) {
        FWxEvent e;
        e.point = WqGePoint3d(x, y, 0);
        e.worldSelectionTol = 1.0;
        return e;
    }
    void Click(double x, double y) { Resolver().LButtonDown(At(x, y)); }
    void Move(double x, double y) { Resolver().MouseMove(At(x, y)); }
    // Run, pick the view, confirm the dialog: the placement runs.
    void StartPlacing() {
        ASSERT_TRUE(doc->RunCommand(DLxPartListCmd::kCommandId));
        Click(100, 200);
        ASSERT_NE(Dialog(), nullptr);
        Dialog()->ClickButton(UCxDialog::kIdOK);
        ASSERT_NE(Root().GetPlacementState(), nullptr);
        ASSERT_TRUE(Root().GetPlacementState()->IsRunning());
    }
    std::vector<DLxPartListTable*> Tables() const {
        std::vector<DLxPartListTable*> tables;
        RSe::SegmentOf(sheet)->ForEachObject([&](RSeVMeta* o) {
            if (auto* t = dynamic_cast<DLxPartListTable*>(o)) tables.push_back(t);
        });
        return tables;
    }
};

class PartListCmd : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    void TearDown() override {
        FWxUtil::GetTranscriptMgr().ClearLines();
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

TEST_F(PartListCmd, PickConfirmMoveAndClickPlaceExactlyOneJournalledPartsList) {
    CmdDoc d;
    const Bytes before = d.Save();
    d.doc->SetDocDeferred(true);
    EXPECT_FALSE(d.doc->IsCommandEnabled(DLxPartListCmd::kCommandId));
    d.doc->SetDocDeferred(false);
    EXPECT_TRUE(d.doc->IsCommandEnabled(DLxPartListCmd::kCommandId));

    ASSERT_TRUE(d.doc->RunCommand(DLxPartListCmd::kCommandId));
    DLxPartListCreateDlg* dlg = d.Dialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_TRUE(dlg->IsDlgButtonChecked(DLxPartListCreateDlg::kPickView));
    EXPECT_FALSE(dlg->IsItemEnabled(UCxDialog::kIdOK)); // no source yet
    dlg->ClickButton(UCxDialog::kIdOK);
    EXPECT_FALSE(d.Root().GetPlacementState()->IsRunning());

    d.Click(300, 200); // beside the view: nothing
    EXPECT_TRUE(d.Root().GetViewSelState()->IsRunning());
    d.Click(129.5, 200); // on the view's right edge
    EXPECT_TRUE(d.Root().GetInertState()->IsRunning());
    EXPECT_EQ(GetPartListData(&d.Root())->GetFilename(), u"bracket-assembly.asm");
    EXPECT_FALSE(dlg->IsDlgButtonChecked(DLxPartListCreateDlg::kPickView));
    EXPECT_EQ(dlg->GetDlgItemText(DLxPartListCreateDlg::kSource), u"bracket-assembly.asm");
    ASSERT_TRUE(dlg->IsItemEnabled(UCxDialog::kIdOK));
    dlg->ClickButton(UCxDialog::kIdOK);
    DLxPartListPlacementState* placement = d.Root().GetPlacementState();
    ASSERT_TRUE(placement->IsRunning());

    // The preview lives outside the document and follows the cursor.
    d.Move(150, 150);
    DLxPartListTable* preview = placement->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(RSe::SegmentOf(preview)->GetDatabase(), RSe::TransientSegment(true)->GetDatabase());
    EXPECT_EQ(placement->GetCurrentOrigin(), WqGePoint3d(150, 150, 0));
    EXPECT_FALSE(placement->GetPreviewExtents().isEmpty());
    EXPECT_TRUE(d.Tables().empty());
    // Near the border's top-left corner: the preview's top-left corner snaps onto it.
    const BBox e = placement->GetPreviewExtents();
    const double left = e.min.x - 150, top = e.max.y - 150;
    d.Move(10.4 - left, 286.7 - top);
    const WqGePoint3d snapped(10 - left, 287 - top, 0);
    EXPECT_EQ(placement->GetCurrentOrigin(), snapped);

    d.Click(10.4 - left, 286.7 - top);
    EXPECT_EQ(d.doc->GetActiveCommand(), nullptr);
    EXPECT_FALSE(d.Root().IsRunning());
    EXPECT_FALSE(d.Root().GetCreateResult().Failed());
    const std::vector<DLxPartListTable*> tables = d.Tables();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0]->GetPartListTableState()->GetOrigin(), snapped);
    const std::vector<UTxString16>& lines = FWxUtil::GetTranscriptMgr().GetLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(u"CreatePartListLocalBOM ", 0), 0u);
    EXPECT_EQ(d.doc->GetUndoDepth(), 1u);
    const Bytes after = d.Save();

    // The journalled line makes the same drawing; undo gives the one before.
    CmdDoc replay;
    ASSERT_FALSE(FWxUtil::GetTranscriptMgr().ReplayLine(replay.doc.get(), lines[0]).Failed());
    EXPECT_EQ(replay.Save(), after);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(PartListCmd, LeavingAtAnyStageLeavesTheDocumentAsItWas) {
    struct Case {
        const char* name;
        std::function<void(CmdDoc&)> upTo;
        std::function<void(CmdDoc&)> leave;
    };
    const auto escape = [](CmdDoc& d) { d.Resolver().Cancel(); };
    const auto run = [](CmdDoc& d) { d.doc->RunCommand(DLxPartListCmd::kCommandId); };
    const auto picked = [](CmdDoc& d) {
        d.doc->RunCommand(DLxPartListCmd::kCommandId);
        d.Click(100, 200);
    };
    const auto moved = [](CmdDoc& d) {
        d.StartPlacing();
        d.Move(200, 150);
        d.Move(10.2, 150);
    };
    const Case cases[] = {
        {"escape while picking a view", run, escape},
        {"escape in the dialog after the pick", picked, escape},
        {"dialog cancelled after the pick",
         picked, [](CmdDoc& d) { d.Dialog()->ClickButton(UCxDialog::kIdCancel); }},
        {"escape before the first move", [](CmdDoc& d) { d.StartPlacing(); }, escape},
        {"escape with the preview out", moved, escape},
        {"the host ends the context", moved,
         [](CmdDoc& d) {
             bool active = false;
             d.doc->OnCmdMsg(DLxPartListCmd::kNotifyContext, FWxCmd::kNotify, &active);
         }},
        {"another run of the command", moved, run},
        // The bill cannot be made for a file the drawing does not document: OK ends the run.
        {"dialog confirmed with a source the drawing does not hold",
         [](CmdDoc& d) {
             d.doc->RunCommand(DLxPartListCmd::kCommandId);
             d.Dialog()->SetDlgItemText(DLxPartListCreateDlg::kSource, u"x.asm");
             d.Dialog()->ClickButton(DLxPartListCreateDlg::kSource);
         },
         [](CmdDoc& d) {
             ASSERT_TRUE(d.Dialog()->IsItemEnabled(UCxDialog::kIdOK));
             d.Dialog()->ClickButton(UCxDialog::kIdOK);
             EXPECT_EQ(d.doc->GetActiveCommand(), nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FWxUtil::GetTranscriptMgr().ClearLines();
        CmdDoc d;
        const Bytes before = d.Save();
        c.upTo(d);
        c.leave(d);
        d.doc->TerminateActiveContext(4);
        EXPECT_FALSE(d.Root().IsRunning());
        EXPECT_FALSE(d.doc->GetRSeDb()->InTxn());
        EXPECT_TRUE(d.Tables().empty());
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_FALSE(d.doc->CanUndo());
        EXPECT_EQ(d.Save(), before);
    }
}

// Corners snap to the border and the title block: end points before lines, and within a kind
// the corners in the order top-left, bottom-left, bottom-right, top-right. Positions are of the
// preview's corners, relative to the box it had at (200, 150).
TEST_F(PartListCmd, ThePreviewsCornersSnapToTheBorderAndTitleBlock) {
    CmdDoc d;
    d.StartPlacing();
    d.Move(200, 150);
    DLxPartListPlacementState* placement = d.Root().GetPlacementState();
    ASSERT_NE(placement->GetPreview(), nullptr);
    const BBox e = placement->GetPreviewExtents();
    const double l = e.min.x - 200, r = e.max.x - 200, b = e.min.y - 150, t = e.max.y - 150;
    ASSERT_LT(r - l, 180.0) << "the cases below assume the table is narrower than the title block";

    struct Case {
        const char* name;
        WqGePoint3d cursor;   // where the cursor goes
        WqGePoint3d expected; // where the origin ends up
    };
    const Case cases[] = {
        {"free on the sheet", {200, 150, 0}, {200, 150, 0}},
        {"top-left on the border's corner", {10.5 - l, 286.6 - t, 0}, {10 - l, 287 - t, 0}},
        {"bottom-left on the border's corner", {10.3 - l, 10.8 - b, 0}, {10 - l, 10 - b, 0}},
        {"top-right on the border's corner", {409.2 - r, 286.5 - t, 0}, {410 - r, 287 - t, 0}},
        // Its top-right corner lies on the border's right side too: the end point wins.
        {"bottom-right on the title block's top corner", {409.5 - r, 66.4 - b, 0},
         {410 - r, 66 - b, 0}},
        {"bottom-left on the title block's top-left corner", {230.6 - l, 65.5 - b, 0},
         {230 - l, 66 - b, 0}},
        {"left side on the border's left line", {10.7 - l, 150, 0}, {10 - l, 150, 0}},
        {"bottom side on the title block's top line", {300, 66.8 - b, 0}, {300, 66 - b, 0}},
        {"just beyond the tolerance", {11.2 - l, 150, 0}, {11.2 - l, 150, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.Move(c.cursor.x, c.cursor.y);
        const WqGePoint3d o = placement->GetCurrentOrigin();
        EXPECT_NEAR(o.x, c.expected.x, 1e-9);
        EXPECT_NEAR(o.y, c.expected.y, 1e-9);
        // The preview went where the origin did.
        const BBox now = placement->GetPreviewExtents();
        EXPECT_NEAR(now.min.x - o.x, l, 1e-9);
        EXPECT_NEAR(now.max.y - o.y, t, 1e-9);
    }
}

TEST_F(PartListCmd, TheContextEntriesAreRegisteredAndAlwaysEnabled) {
    CmdDoc d;
    const FWxUIManager& ui = FWxUIManager::Get();
    ASSERT_NE(ui.FindCtxMenuCommand(u"DrawingPartListContinueCtxCmd"), nullptr);
    EXPECT_EQ(ui.FindCtxMenuCommand(u"DrawingPartListContinueCtxCmd")->id, 44116);
    ASSERT_NE(ui.FindCtxMenuCommand(u"DrawingPartListDoneCtxCmd"), nullptr);
    EXPECT_EQ(ui.FindCtxMenuCommand(u"DrawingPartListDoneCtxCmd")->id, 44115);
    d.StartPlacing();
    EXPECT_TRUE(d.doc->IsCommandEnabled(DLxPartListContextCmd::kContinueId));
    EXPECT_TRUE(d.doc->RunCommand(DLxPartListContextCmd::kDoneId));
    // They run nothing: the placement goes on.
    EXPECT_TRUE(d.Root().GetPlacementState()->IsRunning());
}

} // namespace

namespace {
// The dialog keeps the wrap settings it is confirmed with, and stays open on a count that is
// not a positive integer; a view whose model is not at hand cannot be picked at all.
TEST_F(PartListCmd, TheDialogRefusesABadRowCountAndAViewWithoutModelIsNotPicked) {
    struct Case {
        const char16_t* rows;
        int32_t message; // 0: accepted
    };
    const Case cases[] = {{u"0", 8111}, {u"abc", 8111}, {u"-3", 8111}, {u"4x", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.rows));
        CmdDoc d;
        ASSERT_TRUE(d.doc->RunCommand(DLxPartListCmd::kCommandId));
        d.Click(100, 200);
        DLxPartListCreateDlg* dlg = d.Dialog();
        dlg->CheckDlgButton(DLxPartListCreateDlg::kWrap, true);
        dlg->ClickButton(DLxPartListCreateDlg::kWrap);
        dlg->CheckDlgButton(DLxPartListCreateDlg::kWrapBySections, false);
        dlg->CheckDlgButton(DLxPartListCreateDlg::kWrapByRows, true);
        dlg->ClickButton(DLxPartListCreateDlg::kWrapByRows);
        EXPECT_TRUE(dlg->IsItemEnabled(DLxPartListCreateDlg::kRows));
        EXPECT_FALSE(dlg->IsItemEnabled(DLxPartListCreateDlg::kSections));
        dlg->SetDlgItemText(DLxPartListCreateDlg::kRows, c.rows);
        dlg->ClickButton(UCxDialog::kIdOK);
        const DLxPartListData* data = GetPartListData(&d.Root());
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(dlg->GetLastMessage(), c.message);
        EXPECT_TRUE(data->IsWrapEnabled());
        if (c.message) {
            EXPECT_EQ(dlg->GetFocusItem(), DLxPartListCreateDlg::kRows);
            EXPECT_TRUE(d.Root().GetInertState()->IsRunning());
            EXPECT_EQ(data->GetWrapRowCount(), 10);
        } else {
            EXPECT_TRUE(d.Root().GetPlacementState()->IsRunning());
            EXPECT_EQ(data->GetWrapMode(), 0);
            EXPECT_EQ(data->GetWrapRowCount(), 4);
        }
    }

    CmdDoc noModel(false);
    ASSERT_TRUE(noModel.doc->RunCommand(DLxPartListCmd::kCommandId));
    noModel.Click(100, 200);
    EXPECT_TRUE(noModel.Root().GetViewSelState()->IsRunning());
    EXPECT_TRUE(GetPartListData(&noModel.Root())->GetFilename().empty());
    EXPECT_FALSE(noModel.Dialog()->IsItemEnabled(UCxDialog::kIdOK));
}
} // namespace

namespace {
// The active style chosen while placing rebinds the preview at once; a choice that is not a
// parts-list style gives the preview the document's own again.
TEST_F(PartListCmd, ChangingTheActiveStyleWhilePlacingRebindsThePreview) {
    CmdDoc d;
    DUxTableStylePartsList* standard = DLxStdStyles::GetPartsListStyle(d.doc.get());
    ASSERT_NE(standard, nullptr);
    DUxTableStylePartsList* bare =
        DUxTableStylePartsList::CreateStyle(d.doc->GetDrawing()->GetSegment(), u"Bare");
    ASSERT_NE(bare, nullptr);
    d.StartPlacing();
    d.Move(200, 150);
    DLxPartListPlacementState* placement = d.Root().GetPlacementState();
    const auto boundStyle = [&]() -> DUxTableStylePartsList* {
        DLxPartListTable* preview = placement->GetPreview();
        if (!preview) return nullptr;
        RSeRef<DUxTableStateBase> state(preview->GetPartListTableState().get());
        return DUxTableStylePartsListWrapper(state, {}).Style().get();
    };
    ASSERT_EQ(boundStyle(), standard);
    const BBox before = placement->GetPreviewExtents();

    struct Case {
        const char* name;
        FWxStyle* active;
        DUxTableStylePartsList* bound;
    };
    const Case cases[] = {{"a style without columns", bare, bare},
                          {"no style chosen", nullptr, standard}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DUxStyleUtil::SetDocActiveStyle(d.doc.get(), c.active);
        ASSERT_TRUE(d.doc->OnCmdMsg(DLxPartListCmd::kNotifyActiveStyle, FWxCmd::kNotify, nullptr));
        EXPECT_EQ(boundStyle(), c.bound);
        // The record names the chosen style, or falls back on the document's.
        EXPECT_EQ(GetPartListData(&d.Root())->GetSymbolStyle().get(), c.bound);
        // The preview stays where it was; its size is the style's.
        EXPECT_EQ(placement->GetCurrentOrigin(), WqGePoint3d(200, 150, 0));
        const BBox now = placement->GetPreviewExtents();
        EXPECT_EQ(now.max.x - now.min.x == before.max.x - before.min.x, c.bound == standard);
    }
}
} // namespace
