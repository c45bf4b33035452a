// Changing the arrowhead of a selected placed symbol from its context menu: the item is offered
// and enabled for a symbol whose first leader ends in an arrowhead, the chooser's choices show
// on a preview only, OK ends in one "AddArrowHead" request that undoes to the bytes before, and
// Cancel leaves the document as it was.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Command/DLxArrowheadEditCmd.h"
#include "Command/DLxExtendSymbolContextCmd.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "Leader/DUxArrowHeadDialog.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "KorvuLoadedModule.h"
#include "Symbol/DLxGDTSelection.h"
#include "TstFrameDoc.h"
#include "WinMessageBox.h"
#include "dl/DLxViewSelection.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxCommand.h"
#include "fw/FWxMenuContext.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxString16.h"

namespace {

struct Runner {
    explicit Runner(std::function<void(DUxArrowHeadDialog&)> play) {
        CDialog::SetModalRunner([play, this](CDialog& d) {
            ++runs;
            play(dynamic_cast<DUxArrowHeadDialog&>(d));
        });
    }
    ~Runner() { CDialog::SetModalRunner(nullptr); }
    int runs = 0;
};

// The frame document with the annotation commands, its frame selected and pre-selected.
struct CmdDoc : KorvuLoadedModule, TstFrameDoc {
    DLxSymbolDocCmdGroup* group = nullptr;
    DLxArrowheadEditCmd* cmd = nullptr;

    CmdDoc() {
        group = new DLxSymbolDocCmdGroup(doc.get());
        doc->AddCommand(group);
        for (size_t i = 0; i < group->GetCommandCount(); ++i)
            if (auto* c = dynamic_cast<DLxArrowheadEditCmd*>(group->GetCommand(i))) cmd = c;
    }
    void Select(FWxSelection* selection) {
        FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(doc.get());
        sets->GetDrawSelectionSet()->RemoveAll();
        sets->GetPreSelectionSet()->RemoveAll();
        if (!selection) return;
        sets->GetDrawSelectionSet()->Add(SmartPtr<FWxSelection>(selection));
        sets->GetPreSelectionSet()->Add(SmartPtr<FWxSelection>(selection));
    }
    void SelectFrame() { Select(new DLxGDTSelection(Frame(), {220, 190, 0})); }
    bool Enabled() const {
        FWxCmdUI ui;
        ui.id = DLxArrowheadEditCmd::kCommandId;
        group->OnCmdMsg(ui.id, FWxCmd::kUpdateUI, &ui);
        return ui.enabled;
    }
    void Choose() { EXPECT_TRUE(doc->OnCmdMsg(DLxArrowheadEditCmd::kCommandId, FWxCmd::kCommand, nullptr)); }
};

class ArrowheadEditCmd : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};

} // namespace

TEST_F(ArrowheadEditCmd, TheMenuOffersTheItemForASymbolWithAnArrowhead) {
    CmdDoc d;
    ASSERT_NE(d.cmd, nullptr);
    EXPECT_FALSE(d.Enabled());
    d.SelectFrame();
    EXPECT_TRUE(d.Enabled());

    FWxSelectionSet set;
    set.Add(SmartPtr<FWxSelection>(new DLxGDTSelection(d.Frame(), {220, 190, 0})));
    FWxMenuContext menu;
    FWxCtxMenuExtender extender(&menu, &set);
    ASSERT_TRUE(d.doc->OnCmdMsg(DLxExtendSymbolContextCmd::kExtendMenuNotification,
                                FWxCmd::kNotify, &extender));
    std::vector<int32_t> items;
    for (const FWxMenuEntry& e : menu.GetEntries())
        if (e.kind == FWxMenuEntry::Kind::Item) items.push_back(e.id);
    EXPECT_EQ(items, std::vector<int32_t>{DLxArrowheadEditCmd::kCommandId});
}

TEST_F(ArrowheadEditCmd, OkPostsTheChoiceOnceAndCancelNothing) {
    const struct {
        const char* name;
        std::vector<int32_t> picks;
        int32_t result;
        uint32_t expected; // 0: no request
        int32_t arrowType;
    } cases[] = {
        {"OK after choices", {4, 2}, IDOK, 28031, 18},
        {"OK without a choice keeps the arrowhead", {}, IDOK, 28029, 16},
        {"Cancel after choices", {1, 7}, IDCANCEL, 0, 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        CmdDoc d;
        d.SelectFrame();
        const std::vector<uint8_t> before = d.Bytes();
        Runner runner([&](DUxArrowHeadDialog& chooser) {
            EXPECT_EQ(chooser.GetList().GetCurSel(), 0); // the frame's own arrow
            for (int32_t item : c.picks) {
                chooser.ChooseItem(item);
                RSeReadOnlyScope reading;
                auto* clone = dynamic_cast<DLxSymInstance*>(d.cmd->GetTransientInstance());
                ASSERT_NE(clone, nullptr);
                EXPECT_EQ(clone->GetArrowHeadRef(0, 0)->id, chooser.GetEntries()[size_t(item)]);
            }
            EXPECT_EQ(d.Bytes(), before);
            chooser.EndDialog(c.result);
        });
        d.Choose();
        EXPECT_EQ(runner.runs, 1);
        EXPECT_EQ(d.cmd->GetTransientInstance(), nullptr);
        EXPECT_EQ(d.cmd->GetArrowType(), c.arrowType);
        if (c.expected == 0) {
            EXPECT_EQ(d.Bytes(), before);
            EXPECT_TRUE(mgr.GetLines().empty());
            continue;
        }
        EXPECT_EQ(d.ArrowHead(), c.expected);
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines().back();
        TstFrameDoc direct;
        ASSERT_FALSE(direct.doc
                         ->ProcessChangeRequest(
                             new DLxSymArrowHeadRequest(direct.Ref(), c.expected, 0, 0))
                         .Failed());
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().back()), UTx::ToUtf8(line));
        EXPECT_EQ(direct.Bytes(), d.Bytes());
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

// The command lives as long as the document: a second run must not apply the first run's choice
// to a symbol the user did not change.
TEST_F(ArrowheadEditCmd, ASecondRunStartsFromTheSymbolsOwnArrowhead) {
    CmdDoc d;
    d.SelectFrame();
    {
        Runner runner([](DUxArrowHeadDialog& chooser) {
            chooser.ChooseItem(3);
            chooser.EndDialog(IDCANCEL);
        });
        d.Choose();
    }
    const std::vector<uint8_t> before = d.Bytes();
    Runner runner([](DUxArrowHeadDialog& chooser) { chooser.EndDialog(IDOK); });
    d.Choose();
    EXPECT_EQ(d.ArrowHead(), 28029u);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
}

// The item is for the last pre-selected object, the command edits the first selected one.
TEST_F(ArrowheadEditCmd, TheItemReadsTheLastPreSelectionTheCommandTheFirstSelection) {
    CmdDoc d;
    FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(d.doc.get());
    const SmartPtr<FWxSelection> frame(new DLxGDTSelection(d.Frame(), {220, 190, 0}));
    const SmartPtr<FWxSelection> view(new DLxViewSelection(d.view));
    sets->GetPreSelectionSet()->Add(frame);
    sets->GetPreSelectionSet()->Add(view);
    EXPECT_FALSE(d.Enabled());
    sets->GetPreSelectionSet()->RemoveAll();
    sets->GetPreSelectionSet()->Add(view);
    sets->GetPreSelectionSet()->Add(frame);
    EXPECT_TRUE(d.Enabled());

    sets->GetDrawSelectionSet()->Add(view);
    sets->GetDrawSelectionSet()->Add(frame);
    const std::vector<uint8_t> before = d.Bytes();
    Runner runner([](DUxArrowHeadDialog& chooser) { chooser.EndDialog(IDOK); });
    d.Choose();
    EXPECT_EQ(runner.runs, 0);
    EXPECT_EQ(d.Bytes(), before);
}

TEST_F(ArrowheadEditCmd, NothingSelectedOpensNoChooser) {
    CmdDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    Runner runner([](DUxArrowHeadDialog& chooser) { chooser.EndDialog(IDOK); });
    d.Choose();
    EXPECT_EQ(runner.runs, 0);
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(mgr.GetLines().empty());
}
