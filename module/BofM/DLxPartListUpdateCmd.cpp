#include "BofM/DLxPartListUpdateCmd.h"

#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "Request/DLxUpdatePartsListRequest.h"
#include "Symbol/KorvuModule.h"
#include "WinMessageBox.h"
#include "dl/DLxDrawingDoc.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxPrompter.h"
#include "fw/FWxSceneDoc.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(44091, "DrawingPartsListUpdateCtxCmd", 1);
} // namespace

namespace {
FWxPrompter& UpdatePrompter() {
    static FWxPrompter s_prompter(DLxPartListUpdateTarget::kPromptId, 1, 2, 0);
    return s_prompter;
}
} // namespace

int32_t DLxPartListUpdateTarget::OnActivate() {
    if (UpdatePrompter().DoPrompt(KorvuGetResourceHandle()) == IDCANCEL) return kEnded;
    m_partList = GetSelectedPartList(m_doc);
    if (!m_partList) return kEnded;
    UpdatePartList();
    return kDone;
}

void DLxPartListUpdateTarget::UpdatePartList() {
    if (!m_doc) return;
    SmartPtr<DLxUpdatePartsListRequest> request(new DLxUpdatePartsListRequest(m_partList));
    m_doc->ProcessChangeRequest(request);
    if (auto* drawing = dynamic_cast<DLxDrawingDoc*>(m_doc))
        if (auto* entry = dynamic_cast<DLxPartListDwgBrowserEntry*>(drawing->GetEntry(m_partList.get())))
            entry->SetModified(true);
    DLxPartListCmdUtil::ClearSelection(m_doc);
}

int32_t DLxPartListUpdateCmd::OnExecute() {
    m_lastStatus = m_target.OnActivate();
    return m_lastStatus == DLxPartListUpdateTarget::kDone ? 1 : 0;
}

void DLxPartListUpdateCmd::OnUpdateUI(FWxCmdUI& ui) {
    if (DLxPartListTable* table = GetSelectedInstance().get()) ui.Enable(table->CanEdit(true));
}
