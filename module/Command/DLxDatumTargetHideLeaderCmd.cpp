#include "Command/DLxDatumTargetHideLeaderCmd.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(DLxDatumTargetHideLeaderCmd::kCommandId,
                                                       "DrawingDatumTargetHiddenLeaderLineCtxCmd",
                                                       64);
} // namespace

bool DLxDatumTargetHideLeaderCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

void DLxDatumTargetHideLeaderCmd::OnUpdateCommand(FWxCmdUI& ui) {
    ui.Enable(true);
    if (const RSeRef<DLxDatumTarget> target = GetSelectedInstance(); target.HasTarget())
        ui.SetCheck(target.Read()->IsHiddenLeader());
}

void DLxDatumTargetHideLeaderCmd::OnCommand() {
    m_target = GetSelectedInstance();
    if (!m_target.HasTarget()) return;
    RDxFragment* fragment = nullptr;
    m_edited = DLxDatumTargetRequestUtil::MakeTransientCopy(*m_target.Read(), GetDocument(),
                                                           fragment);
    if (m_edited) {
        m_edited->SetHiddenLeader(!m_edited->IsHiddenLeader());
        PostEditRequest();
    }
    DLxDatumTargetRequestUtil::DeleteTransient(m_edited, fragment);
    m_target = RSeRef<DLxDatumTarget>();
}

bool DLxDatumTargetHideLeaderCmd::PostEditRequest() {
    if (!m_target.HasTarget() || !m_edited) return false;
    return !GetDocument()
                ->ProcessChangeRequest(new DLxSymbolEditRequest(m_target, m_edited))
                .Failed();
}
