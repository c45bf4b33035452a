#include "Command/DLxCenterDatumEditCmd.h"

#include "Command/DLxCenterDatumEditDlg.h"
#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumState.h"
#include "Request/DLxCenterDatumRequests.h"
#include "WinMessageBox.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_editCmd(DLxCenterDatumEditCmd::kEditId,
                                                        "DrawingEditOriginIndicatorCtxCmd", 1);
const FWxUIManager::CtxMenuCommandInitializer s_hideCmd(DLxCenterDatumEditCmd::kToggleHideId,
                                                        "DrawingHideOriginIndicatorCtxCmd", 64);
} // namespace

void DLxCenterDatumEditCmd::SetInstance(DUxEmblem* emblem) {
    m_emblem = RSeRef<DUxEmblem>(emblem);
}

DLxCenterDatumInstance* DLxCenterDatumEditCmd::GetInstance() const {
    return dynamic_cast<DLxCenterDatumInstance*>(m_emblem.get());
}

bool DLxCenterDatumEditCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code == FWxCmd::kCommand && id == kToggleHideId) {
        OnToggleHide();
        return true;
    }
    if (code == FWxCmd::kCommand && id == kEditId) {
        OnEdit();
        return true;
    }
    return FWxDocCmd::OnCmdMsg(id, code, extra);
}

void DLxCenterDatumEditCmd::OnToggleHide() {
    DLxCenterDatumInstance* indicator = GetInstance();
    FWxSceneDoc* doc = GetDocument();
    if (!indicator || !doc) return;
    doc->ProcessChangeRequest(new DLxCenterDatumShowHideRequest(
        RSeRef<DLxCenterDatumInstance>(indicator), !indicator->GetHideSymbol()));
}

void DLxCenterDatumEditCmd::OnEdit() {
    DLxCenterDatumInstance* indicator = GetInstance();
    FWxSceneDoc* doc = GetDocument();
    DLxCenterDatumState* state = indicator ? indicator->GetCenterDatumState() : nullptr;
    if (!state || !doc) return;
    DLxCenterDatumEditDlg dlg(state->GetRelXValue(), state->GetRelYValue());
    if (dlg.DoModal() != IDOK) return;
    doc->ProcessChangeRequest(new DLxCenterDatumEditRequest(
        RSeRef<DLxCenterDatumInstance>(indicator), dlg.GetRelX(), dlg.GetRelY()));
}
