#pragma once
// The parts-list test command's states and dialog (the command itself is declared with its
// group). The dialog's pick button starts a view selection; each accepted view gets a
// structured parts list at (5, 5) on its sheet, made directly, outside any request (a
// developer's tool: nothing is journalled and nothing can be undone). OK ends the command.
#include <cstdint>
#include <memory>

#include "fw/FWxState.h"
#include "rse/RSeRef.h"
#include "uc/UCxDialog.h"
#include "uc/UCxSelectorState.h"

class DLxBomTestCmd;
class DLxBomTestCmdState;
class DLxDrawingDoc;
class DLxPartListTable;
class DLxViewInstance;

class DLxBomTestViewSelectorState : public UCxSelectorState {
public:
    static constexpr int32_t kViewFilterType = 1;
    DLxBomTestViewSelectorState(DLxBomTestCmdState* parent, FWxSceneDoc* doc);
    void OnTerminate(int32_t code) override;
    int32_t OnAccept(FWxSelectionSet& set, const FWxEvent& event) override;
    DLxViewInstance* GetPickedView() const;
    void ForgetPick();

private:
    DLxBomTestCmdState* m_parent;
    RSeRef<DLxViewInstance> m_picked;
};

class DLxBomTestDlg : public UCxDialog {
public:
    static constexpr int32_t kTemplateId = 7655;
    static constexpr int32_t kPickButton = 7896;
    explicit DLxBomTestDlg(DLxBomTestCmdState* state);
    // The pick button asks the state for a view selection, as a focus change.
    void OnClicked(int32_t id) override;
};

class DLxBomTestCmdState : public FWxComplexState {
public:
    explicit DLxBomTestCmdState(DLxBomTestCmd* owner) : m_owner(owner) {}
    ~DLxBomTestCmdState() override;
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    FWxState* OnNextState() override { return m_next; }
    FWxState* OnPreviousState() override { return nullptr; }
    void OnChildFinished(FWxState* child, int32_t code) override;

    int32_t OnDialogFocusChange(const UCxDialogFocusChangeData& data);
    int32_t OnDialogOK();
    // The test parts list of a view; null when a piece is missing or no table was made.
    static DLxPartListTable* PlaceTestPartsList(DLxDrawingDoc* doc, DLxViewInstance* view);

    DLxBomTestDlg* GetDialog() const { return m_dialog.get(); }
    DLxBomTestViewSelectorState* GetViewSelState() const { return m_viewSel.get(); }
    FWxState* GetInertState() const { return m_inert.get(); }

private:
    DLxBomTestCmd* m_owner;
    std::unique_ptr<DLxBomTestDlg> m_dialog;
    std::unique_ptr<DLxBomTestViewSelectorState> m_viewSel;
    std::unique_ptr<FWxState> m_inert;
    FWxState* m_next = nullptr;
    bool m_firstActivation = true;
};
