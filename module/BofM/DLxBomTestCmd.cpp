#include "BofM/DLxBomTestCmd.h"

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxSymTestCmdGroup.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMSetup.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxViewSelection.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxSceneDoc.h"

namespace {
constexpr int32_t kSelectorFlags = 2;
constexpr double kTestX = 5.0;
constexpr double kTestY = 5.0;
} // namespace

// ---- command

DLxBomTestCmd::DLxBomTestCmd(FWxSceneDoc* doc, int32_t option)
    : FWxDocStateCmd(doc, option), m_option(option),
      m_root(std::make_unique<DLxBomTestCmdState>(this)),
      m_resolver(std::make_unique<FWxTargetStateResolver>(m_root.get())) {}

DLxBomTestCmd::~DLxBomTestCmd() {
    if (m_resolver->IsRunning()) m_resolver->Terminate(FWxStateCode::kEnd);
}

bool DLxBomTestCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

// ---- view selection

DLxBomTestViewSelectorState::DLxBomTestViewSelectorState(DLxBomTestCmdState* parent,
                                                         FWxSceneDoc* doc)
    : UCxSelectorState(doc, u"", kSelectorFlags), m_parent(parent) {
    GetSelectionFilter().Add(new DLxViewFilter(kViewFilterType));
}

void DLxBomTestViewSelectorState::OnTerminate(int32_t code) {
    GetSelectionSet().RemoveAll();
    UpdateViews(2);
    UCxSelectorState::OnTerminate(code);
}

int32_t DLxBomTestViewSelectorState::OnAccept(FWxSelectionSet& set, const FWxEvent& event) {
    if (set.Count() != 1) return FWxStateCode::kCancelled;
    auto* sel = dynamic_cast<DLxViewSelection*>(set.GetAt(0).get());
    if (!sel) return FWxStateCode::kCancelled;
    m_picked = RSeRef<DLxViewInstance>(sel->View());
    return m_picked.HasTarget() ? UCxSelectorState::OnAccept(set, event) : FWxStateCode::kCancelled;
}

DLxViewInstance* DLxBomTestViewSelectorState::GetPickedView() const {
    return m_picked.get();
}

void DLxBomTestViewSelectorState::ForgetPick() {
    m_picked = RSeRef<DLxViewInstance>();
}

// ---- dialog

DLxBomTestDlg::DLxBomTestDlg(DLxBomTestCmdState* state) : UCxDialog(kTemplateId, state, nullptr, 1) {}

void DLxBomTestDlg::OnClicked(int32_t id) {
    if (id != kPickButton) return;
    UCxDialogFocusChangeData data{-1, kPickButton};
    NotifyTarget(kNotifyFocusChange, &data);
}

// ---- root state

DLxBomTestCmdState::~DLxBomTestCmdState() = default;

FWxEventTarget* DLxBomTestCmdState::OnActivate() {
    if (m_firstActivation) {
        m_viewSel = std::make_unique<DLxBomTestViewSelectorState>(this, GetActiveDocument());
        m_inert = std::make_unique<UCxInertTargetState>();
        m_next = m_inert.get();
        m_dialog = std::make_unique<DLxBomTestDlg>(this);
        m_dialog->Create();
        m_dialog->ShowWindow(true);
        m_firstActivation = false;
    }
    return FWxComplexState::OnActivate();
}

void DLxBomTestCmdState::OnTerminate(int32_t code) {
    m_viewSel.reset();
    m_inert.reset();
    if (m_dialog) m_dialog->DestroyWindow();
    m_dialog.reset();
    m_next = nullptr;
    m_firstActivation = true;
    FWxComplexState::OnTerminate(code);
}

bool DLxBomTestCmdState::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code != FWxCmd::kNotify) return false;
    if (id == UCxDialog::kNotifyFocusChange && extra) {
        OnDialogFocusChange(*static_cast<const UCxDialogFocusChangeData*>(extra));
        return true;
    }
    if (id == UCxDialog::kNotifyOK) {
        OnDialogOK();
        return true;
    }
    return false;
}

int32_t DLxBomTestCmdState::OnDialogFocusChange(const UCxDialogFocusChangeData& data) {
    if (data.newFocus == DLxBomTestDlg::kPickButton && m_next != m_viewSel.get()) {
        m_next = m_viewSel.get();
        if (GetResolver()) GetResolver()->ReActivate(this, FWxStateCode::kReActivate);
    }
    return 0;
}

int32_t DLxBomTestCmdState::OnDialogOK() {
    m_next = nullptr;
    if (GetResolver()) GetResolver()->ReActivate(this, FWxStateCode::kFinished);
    return 1;
}

void DLxBomTestCmdState::OnChildFinished(FWxState* child, int32_t code) {
    // A pick of its own, not the end that OK forces on a running selection (next is gone then).
    if (code == FWxStateCode::kFinished && child && child == m_viewSel.get() &&
        m_next == m_viewSel.get()) {
        PlaceTestPartsList(dynamic_cast<DLxDrawingDoc*>(GetActiveDocument()),
                           m_viewSel->GetPickedView());
        m_next = m_inert.get();
    } else if (code == FWxStateCode::kReActivateReset && m_viewSel) {
        m_viewSel->ForgetPick();
    }
    FWxComplexState::OnChildFinished(child, code);
}

DLxPartListTable* DLxBomTestCmdState::PlaceTestPartsList(DLxDrawingDoc* doc, DLxViewInstance* view) {
    DLxSheet* sheet = view ? view->GetSheet() : nullptr;
    const DLxAssemblyData* model = DLxLocalBOMMgr::GetAssemblyRepFromView(doc, view);
    if (!sheet || !model || !doc->GetDrawing()) return nullptr;
    DLxLocalBOMSetup setup;
    setup.SetSchemeIDRaw(1);
    RSeRef<DLxLocalBOM> bom(DLxLocalBOMMgr::GetLocalBOM(doc->GetRSeDb(), *model, setup, true));
    RSeRef<DLxPartListTable> table =
        DLxPartListTable::Create(sheet, WqGePoint3d(kTestX, kTestY, 0.0), bom,
                                 RSeRef<DUxTableStylePartsList>(), RSeRef<FBxLayerStyle>());
    DLxPartListTable* t = table.get();
    if (!t) return nullptr;
    t->AddDLBrowserEntry(sheet);
    t->SetPendingRefresh(true);
    RDxComputeContext ctx;
    (void)sheet->Recompute(ctx);
    return t;
}
