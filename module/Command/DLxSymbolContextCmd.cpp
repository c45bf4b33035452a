#include "Command/DLxSymbolContextCmd.h"

#include "Command/DLxDatumTargetCmd.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_doneCmd(DLxSymbolContextCmd::kDoneId,
                                                        "DrawingSymOldCtxDone", 1);
const FWxUIManager::CtxMenuCommandInitializer s_cancelCmd(DLxSymbolContextCmd::kCancelId,
                                                          "DrawingSymOldCtxCancel", 1);
const FWxUIManager::CtxMenuCommandInitializer s_undoCmd(DLxSymbolContextCmd::kUndoId,
                                                        "DrawingSymOldCtxUndo", 1);
} // namespace

DLxSymbolContextCmd::~DLxSymbolContextCmd() = default;

bool DLxSymbolContextCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code == FWxCmd::kCommand) {
        switch (id) {
        case kDoneId:
            OnDone();
            return true;
        case kCancelId:
            OnCancel();
            return true;
        case kUndoId:
            OnUndo();
            return true;
        default:
            return false;
        }
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        auto& ui = *static_cast<FWxCmdUI*>(extra);
        if (id == kDoneId) {
            OnUpdateDone(ui);
            return true;
        }
        if (id == kUndoId) {
            OnUpdateUndo(ui);
            return true;
        }
    }
    return false;
}

void DLxSymbolContextCmd::OnDone() {
    if (DLxDatumTargetCmd* cmd = DLxDatumTargetCmd::GetActiveSymbolLeaderCmd()) cmd->Done();
}

void DLxSymbolContextCmd::OnCancel() {
    // The placement is the document's active context while its menu shows: ending it ends
    // the context. The command clears itself as the menu's owner when it ends.
    if (DLxDatumTargetCmd* cmd = DLxDatumTargetCmd::GetActiveSymbolLeaderCmd()) cmd->OnTerminate();
}

void DLxSymbolContextCmd::OnUndo() {
    if (DLxDatumTargetCmd* cmd = DLxDatumTargetCmd::GetActiveSymbolLeaderCmd())
        cmd->UndoLastPoint();
}

void DLxSymbolContextCmd::OnUpdateDone(FWxCmdUI& ui) {
    // Read once per menu: the next menu starts enabled unless the command clears it again.
    ui.Enable(DLxDatumTargetCmd::s_bSymbolLeaderDoneEnabled);
    DLxDatumTargetCmd::s_bSymbolLeaderDoneEnabled = true;
}

void DLxSymbolContextCmd::OnUpdateUndo(FWxCmdUI& ui) {
    const DLxDatumTargetCmd* cmd = DLxDatumTargetCmd::GetActiveSymbolLeaderCmd();
    if (!cmd) return;
    const DLxDatumTarget* transient = cmd->GetTransient();
    ui.Enable(transient && transient->HasLeader());
}
