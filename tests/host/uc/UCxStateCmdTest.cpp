// The host's state commands, driven as a user would: a command started by its id, views picked
// by clicks at sheet points, a dialog's buttons, re-activations and escape. Each state writes
// what happens to it into a log, so that the order of activations, ends and terminations is
// what the tests read.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxViewSelection.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxState.h"
#include "uc/UCxDialog.h"
#include "uc/UCxSelectorState.h"

namespace {

using Log = std::vector<std::string>;

class PickState : public UCxSelectorState {
public:
    PickState(FWxSceneDoc* doc, Log& log) : UCxSelectorState(doc, u"TestSet", 10), m_log(log) {
        GetSelectionFilter().Add(new DLxViewFilter(144));
    }
    int32_t OnAccept(FWxSelectionSet& set, const FWxEvent& event) override {
        auto* sel = dynamic_cast<DLxViewSelection*>(set.GetAt(0).get());
        picked = sel ? sel->View() : nullptr;
        m_log.push_back("accept " + (picked ? std::string("view") : std::string("none")));
        return picked ? UCxSelectorState::OnAccept(set, event) : 16;
    }
    void OnTerminate(int32_t code) override {
        m_log.push_back("pick ends " + std::to_string(code));
        UCxSelectorState::OnTerminate(code);
    }
    DLxViewInstance* picked = nullptr;

private:
    Log& m_log;
};

class IdleState : public UCxInertTargetState {
public:
    explicit IdleState(Log& log) : m_log(log) {}
    FWxEventTarget* OnActivate() override {
        m_log.push_back("idle runs");
        return UCxInertTargetState::OnActivate();
    }
    void OnTerminate(int32_t code) override { m_log.push_back("idle ends " + std::to_string(code)); }

private:
    Log& m_log;
};

// Picks a view, then idles; dialog OK ends the command, its focus change picks again.
class RootState : public FWxComplexState {
public:
    RootState(FWxSceneDoc* doc, Log& log) : pick(doc, log), idle(log), m_log(log) {}
    FWxState* OnNextState() override { return next; }
    void OnChildFinished(FWxState* child, int32_t code) override {
        m_log.push_back(std::string(child == &pick ? "pick" : child == &idle ? "idle" : "none") +
                        " finished " + std::to_string(code));
        if (child == &pick && code == 8 && next == &pick) {
            view = pick.picked;
            next = &idle;
        }
        FWxComplexState::OnChildFinished(child, code);
    }
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override {
        if (code != FWxCmd::kNotify) return false;
        if (id == UCxDialog::kNotifyOK) {
            next = nullptr;
            GetResolver()->ReActivate(this, 8);
            return true;
        }
        if (id == UCxDialog::kNotifyFocusChange &&
            static_cast<UCxDialogFocusChangeData*>(extra)->newFocus == 7952) {
            next = &pick;
            GetResolver()->ReActivate(this, 32);
            return true;
        }
        return false;
    }
    void OnTerminate(int32_t code) override { m_log.push_back("root ends " + std::to_string(code)); }

    PickState pick;
    IdleState idle;
    FWxState* next = &pick;
    DLxViewInstance* view = nullptr;

private:
    Log& m_log;
};

class TestCmd : public FWxDocStateCmd {
public:
    static constexpr int32_t kId = 41000;
    TestCmd(FWxSceneDoc* doc, Log& log) : FWxDocStateCmd(doc), root(doc, log), m_log(log) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override {
        if (id != kId) return false;
        if (code == FWxCmd::kCommand) OnCommand();
        if (code == FWxCmd::kUpdateUI) OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    FWxTargetStateResolver* GetResolver() override { return &m_resolver; }
    void OnTerminate(int32_t code) override {
        m_log.push_back("command ends " + std::to_string(code));
        FWxDocStateCmd::OnTerminate(code);
    }
    RootState root;

private:
    Log& m_log;
    FWxTargetStateResolver m_resolver{&root};
};

// A drawing with one view: a 40 x 40 square of edges centred at (100, 100) on the sheet.
struct Drawing {
    DLxDrawingDoc doc;
    DLxViewInstance* view = nullptr;
    Log log;
    TestCmd* cmd = nullptr;
    Drawing() {
        DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter(WqGePoint3d(100, 100, 0));
        const WqGePoint3d a(-20, -20, 0), b(20, -20, 0), c(20, 20, 0), d(-20, 20, 0);
        EXPECT_TRUE(view->SetEdges({DLxViewEdge::Line(1, a, b), DLxViewEdge::Line(2, b, c),
                                    DLxViewEdge::Line(3, c, d), DLxViewEdge::Line(4, d, a)}));
        auto* group = new FWxDocCommandGroup(&doc);
        cmd = new TestCmd(&doc, log);
        group->Add(cmd);
        doc.AddCommand(group);
    }
    ~Drawing() { doc.TerminateActiveContext(4); }
    FWxTargetStateResolver& Resolver() { return *cmd->GetResolver(); }
    void Click(double x, double y) {
        FWxEvent e;
        e.point = WqGePoint3d(x, y, 0);
        Resolver().LButtonDown(e);
    }
    std::string TakeLog() {
        std::string s;
        for (const std::string& l : log) s += l + "; ";
        log.clear();
        return s;
    }
};

TEST(UCxStateCmd, AClickOnAViewFinishesThePickAndEscapeEndsEveryStateInnermostFirst) {
    Drawing d;
    EXPECT_TRUE(d.doc.IsCommandEnabled(TestCmd::kId));
    EXPECT_FALSE(d.doc.IsCommandEnabled(TestCmd::kId + 1));
    ASSERT_TRUE(d.doc.RunCommand(TestCmd::kId));
    EXPECT_EQ(d.doc.GetActiveCommand(), d.cmd);
    EXPECT_TRUE(d.cmd->root.pick.IsRunning());

    // Off the view (beyond its box and the tolerance): nothing is picked.
    d.Click(130, 100);
    EXPECT_EQ(d.TakeLog(), "");
    EXPECT_TRUE(d.cmd->root.pick.IsRunning());
    // On its edge's box, within the tolerance.
    d.Click(120.05, 100);
    EXPECT_EQ(d.cmd->root.view, d.view);
    EXPECT_EQ(d.TakeLog(), "accept view; pick finished 8; pick ends 8; idle runs; ");
    EXPECT_TRUE(d.cmd->root.idle.IsRunning());
    EXPECT_FALSE(d.cmd->root.pick.IsRunning());

    d.Resolver().Cancel();
    EXPECT_EQ(d.TakeLog(), "idle ends 16; root ends 16; command ends 16; ");
    EXPECT_EQ(d.doc.GetActiveCommand(), nullptr);
    EXPECT_FALSE(d.cmd->root.IsRunning());
}

TEST(UCxStateCmd, DialogNotificationsReActivateTheRootState) {
    Drawing d;
    ASSERT_TRUE(d.doc.RunCommand(TestCmd::kId));
    d.Click(100, 100);
    d.TakeLog();
    UCxDialog dlg(7672, &d.cmd->root);
    // Without a window the dialog's buttons do nothing.
    dlg.ClickButton(UCxDialog::kIdOK);
    EXPECT_EQ(d.TakeLog(), "");
    ASSERT_TRUE(dlg.Create());

    UCxDialogFocusChangeData focus{-1, 7952};
    EXPECT_TRUE(dlg.NotifyTarget(UCxDialog::kNotifyFocusChange, &focus));
    EXPECT_EQ(d.TakeLog(), "idle finished 32; idle ends 32; ");
    EXPECT_TRUE(d.cmd->root.pick.IsRunning());

    dlg.EnableItem(UCxDialog::kIdOK, false);
    dlg.ClickButton(UCxDialog::kIdOK);
    EXPECT_EQ(d.TakeLog(), "");
    dlg.EnableItem(UCxDialog::kIdOK, true);
    dlg.ClickButton(UCxDialog::kIdOK);
    EXPECT_EQ(d.TakeLog(), "pick finished 8; pick ends 8; root ends 8; command ends 8; ");
    EXPECT_EQ(d.doc.GetActiveCommand(), nullptr);
    // The run's context went with it; the command starts afresh.
    ASSERT_TRUE(d.doc.RunCommand(TestCmd::kId));
    EXPECT_TRUE(d.cmd->root.IsRunning());
}

TEST(UCxStateCmd, AReActivationWithCodeFourOrAnotherCommandEndsTheRun) {
    struct Case {
        const char* name;
        void (*act)(Drawing&);
        const char* log;
    };
    const Case cases[] = {
        {"re-activation 4", [](Drawing& d) { d.Resolver().ReActivate(&d.cmd->root, 4); },
         "pick finished 4; pick ends 4; root ends 4; command ends 4; "},
        {"the command started again",
         [](Drawing& d) { d.doc.RunCommand(TestCmd::kId); },
         "pick ends 4; root ends 4; command ends 4; "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        ASSERT_TRUE(d.doc.RunCommand(TestCmd::kId));
        c.act(d);
        const std::string log = d.TakeLog();
        EXPECT_EQ(log.substr(0, std::string(c.log).size()), c.log);
    }
}

} // namespace
