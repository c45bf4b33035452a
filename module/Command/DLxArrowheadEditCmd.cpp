#include "Command/DLxArrowheadEditCmd.h"

#include "Leader/DUxArrowHeadDialog.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Symbol/DLxSymInstance.h"
#include "WinMessageBox.h"
#include "du/DUxArrowHead.h"
#include "du/DUxArrowheadService.h"
#include "du/DUxEmblemSelection.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"
#include "rse/RSeTransaction.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(DLxArrowheadEditCmd::kCommandId,
                                                       "DrawingChangeArrowheadCtxCmd", 1);
} // namespace

DLxArrowheadEditCmd::~DLxArrowheadEditCmd() = default;

const DLxSymInstance* DLxArrowheadEditCmd::ArrowheadSymbol(const RDxInstance* instance) {
    const auto* symbol = dynamic_cast<const DLxSymInstance*>(instance);
    return symbol && symbol->GetArrowHeadState(kArrowHead, kLeader) ? symbol : nullptr;
}

bool DLxArrowheadEditCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id == DUxArrowHeadDialog::kChoiceChanged && code == FWxCmd::kNotify) {
        if (!GetPreview() || !extra) return false;
        OnArrowheadChanged(*static_cast<const uint32_t*>(extra));
        return true;
    }
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdate(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

// The item is for the selection the menu was built on: the last one pre-selected.
void DLxArrowheadEditCmd::OnUpdate(FWxCmdUI& ui) const {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    const FWxSelectionSet* set = mgr ? mgr->GetPreSelectionSet() : nullptr;
    if (!set || set->IsEmpty()) return;
    const auto* selection =
        dynamic_cast<const DUxEmblemSelection*>(set->GetAt(set->Count() - 1).get());
    RSeReadOnlyScope reading;
    if (selection && ArrowheadSymbol(selection->Emblem())) ui.Enable(true);
}

void DLxArrowheadEditCmd::OnCommand() {
    if (!OnInitialize()) return;
    uint32_t current = 0;
    {
        RSeReadOnlyScope reading;
        const DLxSymInstance* symbol = ArrowheadSymbol(GetInstance().Read());
        if (!symbol) {
            // Started on something without an arrowhead (by id, not from the menu): nothing to
            // choose for.
            OnTerminate(1);
            return;
        }
        const DUxArrowHeadTemplate* t = symbol->GetArrowHeadRef(kArrowHead, kLeader);
        current = t ? t->id : DUxStandardUtil::kDefaultArrowHead;
    }
    // Each run starts from the symbol's own arrowhead, so that OK without a choice keeps it.
    m_chosen = current;
    if (const DUxCArrowService* service = DUxArrowheadService::GetArrowService(current))
        m_arrowType = service->arrowType;
    // Without views the chooser opens at the sheet's corner.
    DUxArrowHeadDialog chooser(nullptr, 0, 0, current, this, 0);
    const int32_t result = chooser.DoModal();
    if (result == IDOK) {
        m_arrowType = chooser.GetArrowType();
        OnTerminate(0);
    } else {
        OnTerminate(1);
    }
}

void DLxArrowheadEditCmd::OnArrowheadChanged(uint32_t templateId) {
    if (templateId == 0) return;
    if (const DUxCArrowService* service = DUxArrowheadService::GetArrowService(templateId)) {
        m_chosen = templateId;
        m_arrowType = service->arrowType;
    } else {
        m_chosen = DUxStandardUtil::kDefaultArrowHead;
        m_arrowType = DUxArrowHeadDialog::kDefaultArrowType;
    }
    if (auto* clone = dynamic_cast<DLxSymInstance*>(GetTransientInstance())) {
        clone->SetArrowHeadRef(DUxArrowHeadTemplate::Find(m_chosen), kArrowHead, kLeader);
        RecomputePreview();
    }
}

bool DLxArrowheadEditCmd::PostEditRequest() {
    const RSeRef<DLxSymInstance> symbol(GetInstance());
    if (!symbol.HasTarget() || m_chosen == 0) return false;
    SmartPtr<FWxChangeRequest> request(
        new DLxSymArrowHeadRequest(symbol, m_chosen, kArrowHead, kLeader));
    return !GetDocument()->ProcessChangeRequest(request).Failed();
}
