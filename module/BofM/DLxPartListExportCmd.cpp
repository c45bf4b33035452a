#include "BofM/DLxPartListExportCmd.h"

#include "BofM/DLxExportDialog.h"
#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(44084, "DrawingPartsListExportCtxCmd", 1);
} // namespace

bool DLxPartListExportCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateUI(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

void DLxPartListExportCmd::OnCommand() {
    if (OnInitialize()) OnExecute();
}

RSeRef<DLxPartListTable> DLxPartListExportCmd::GetSelectedInstance() {
    m_partList = GetSelectedPartList(GetDocument());
    return m_partList;
}

int32_t DLxPartListExportCmd::OnInitialize() {
    GetSelectedInstance();
    return 1;
}

void DLxPartListExportCmd::OnUpdateUI(FWxCmdUI& ui) {
    if (GetSelectedInstance()) ui.Enable(true);
}

int32_t DLxPartListExportCmd::OnExecute() {
    if (!GetSelectedInstance()) return 0;
    RunExport();
    return 1;
}

void DLxPartListExportCmd::RunExport() {
    DLxPartListTable* table = m_partList.get();
    RSeRef<DUxTableStateBase> state(table ? table->GetPartListTableState().get() : nullptr);
    DLxExportDialog dialog(false, nullptr, nullptr,
                           DLxExportDialog::kOFN_EXPLORER | DLxExportDialog::kOFN_ENABLETEMPLATE |
                               DLxExportDialog::kOFN_HIDEREADONLY |
                               DLxExportDialog::kOFN_OVERWRITEPROMPT,
                           kFilterTextId, nullptr, state, nullptr, DLxExportDialog::kPartsList, u"");
    dialog.DoModal();
    DLxPartListCmdUtil::ClearSelection(GetDocument());
}
