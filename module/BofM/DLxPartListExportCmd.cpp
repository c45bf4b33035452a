#include "BofM/DLxPartListExportCmd.h"

#include "BofM/DLxExcelExportDialog.h"
#include "BofM/DLxExportDialog.h"
#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxCommand.h"
#include "fw/FWxTableExport.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxUtil.h"
#include "WinMessageBox.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(44084, "DrawingPartsListExportCtxCmd", 1);

constexpr UTxResultCode kRefused = 0xE009033C;

// An export without a user: the dialog over the named parts list, its options preset, written
// at once. The writer's message, when it shows one, is the failure's text.
UTxResult ExportNamedPartList(FWxSceneDoc* doc, const FWxTableExportRequest& request) {
    RSeRef<DLxPartListTable> table;
    const UTxResult found = FWxUtil::GetTranscriptMgr().RefFromString(doc, request.table, table);
    if (found.Failed() || !table)
        return UTxResult::Refusal(kRefused, u"no parts list named \"" + request.table + u"\": " +
                                                UTx::MakeWideString(found.GetMessageUtf8()));
    RSeRef<DUxTableStateBase> state(table->GetPartListTableState().get());
    // Text files are tab-separated, as the interactive export writes them.
    const bool text = request.typeId == DLxExportDialog::kTxt ||
                      request.typeId == DLxExportDialog::kTxtUnicode;
    DLxExportDialog dialog(false, nullptr, nullptr, 0, DLxPartListExportCmd::kFilterTextId,
                           nullptr, state, nullptr, DLxExportDialog::kPartsList,
                           text ? u"\t" : u"");
    DLxExcelExportDialog* options = dialog.GetExcelExportDialogForAPI();
    if (!request.columns.empty() && !options->SelectColumns(request.columns))
        return UTxResult::Refusal(kRefused, u"the parts list has no such column");
    options->SetOptions(false, false, false, request.title);
    const size_t shown = WinMessageBoxes::GetShown().size();
    // The table or sheet is named as the dialog names it before the user changes it.
    const UTxString16 tableName = DUxTableStyleWrapper(state, {}).GetTitle();
    if (dialog.SaveData(request.path, tableName, request.typeId) == 0) return {};
    const auto& boxes = WinMessageBoxes::GetShown();
    if (boxes.size() > shown) return UTxResult::Refusal(kRefused, boxes.back().text);
    if (!dialog.GetLastFailure().empty())
        return UTxResult::Refusal(kRefused, dialog.GetLastFailure());
    return UTxResult::Refusal(kRefused, request.path + u": the file was not written");
}

// Registered while the module is loaded.
struct ExporterRegistration {
    ExporterRegistration() { FWxSetTableExporter(ExportNamedPartList); }
    ~ExporterRegistration() { FWxSetTableExporter({}); }
} s_exporter;
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
