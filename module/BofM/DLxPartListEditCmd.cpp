#include "BofM/DLxPartListEditCmd.h"

#include <string>

#include "BofM/DLxCPartslistEditor.h"
#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxPartListEditRequest.h"
#include "WinMessageBox.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeDatabase.h"
#include "uc/UCxUIUtil.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(44078, "DrawingPartsListEditCtxCmd", 1);
} // namespace

DLxPartListEditCmd::DLxPartListEditCmd(FWxSceneDoc* doc)
    : DLxPartListSelectionCmd(doc, kCommandId) {}

DLxPartListEditCmd::~DLxPartListEditCmd() {
    // The dialog refers to the editor.
    m_dialog.reset();
    m_editor.reset();
}

void DLxPartListEditCmd::OnUpdateUI(FWxCmdUI& ui) {
    GetSelectedInstance();
    DLxPartListTable* table = m_partList.get();
    ui.Enable(table && table->CanEdit(false));
}

int32_t DLxPartListEditCmd::OnExecute() {
    FWxSceneDoc* doc = GetDocument();
    if (!doc) return 0;
    // A command that is running ends before the table is edited under it.
    doc->TerminateActiveContext(4);
    GetSelectedInstance();
    DLxPartListTable* table = m_partList.get();
    if (!table || !table->CanEdit(false)) return 0;
    RSeRef<DLxTableStatePartlist> stateRef = table->GetPartListTableState();
    DLxTableStatePartlist* state = stateRef.get();
    if (!state) return 0;

    m_sourceEdited = false;
    m_records.clear();
    if (DLxLocalBOM* bom = state->GetLocalBOM().get(); bom && !bom->IsLegacyBOM()) {
        const int32_t scheme = bom->IsPartsOnlyBOM() ? DLxLocalBOM::kPartsOnly
                                                     : DLxLocalBOM::kStructured;
        const DLxAssemblyData* rep = bom->GetAssembly();
        if (rep && !DLxLocalBOMMgr::HasSchemeEnabled(*rep, scheme)) {
            if (UCxUIUtil::DoBOMErrorMessageBox(0, nullptr) != 1) return 0;
            FBxObjectEditRecord enable(u"EnableBOMView");
            enable.SetAttribute(u"SchemeID", FWxTranscriptValue::MakeInt(scheme));
            m_records.push_back(std::move(enable));
        }
        if (!DLxLocalBOMMgr::CanUpdateMasterRep(rep)) return 0;
    }

    StartEditTxn();
    m_dialog.reset();
    m_editor = std::make_unique<DLxCPartslistEditor>(state, this);
    if (!m_records.empty()) m_editor->ProcessEditRecords(m_records);
    m_records.clear();
    if (!table->CanEdit(true)) {
        AbortEditTxn();
        return 0;
    }
    m_dialog = std::make_unique<DLxTableEditorDlg>(m_editor.get(), this, nullptr);
    const int32_t answer = m_dialog->DoModal();
    AbortEditTxn();
    OnTerminate(answer == IDOK ? 0 : 1);
    return 1;
}

void DLxPartListEditCmd::OnTerminate(int32_t code) {
    if (code == 0) PostEditRequest();
    if (m_sourceEdited)
        DLxLocalBOMMgr::PromptSaveMasterRep(DLxPartListCmdUtil::SourceModelOf(m_partList.get()));
}

bool DLxPartListEditCmd::ApplyEditRecords(const FBxObjectEditRecordList& records) {
    DLxPartListTable* table = m_partList.get();
    if (!table) return true;
    if (!GetDocument()) return false;
    // On the stack and never handed to the document: the change stays inside the open edit
    // transaction and nothing is journalled.
    SmartPtr<DLxPartListEditRequest> request(new DLxPartListEditRequest(m_partList, records));
    bool applied = false;
    std::u16string why;
    try {
        applied = request->ReplayTranscript();
    } catch (const FBxObjectEditRecord::exception& e) {
        const std::string what = e.what();
        why.assign(what.begin(), what.end());
    }
    if (!applied) {
        // A list that stopped half-way left part of itself on the table: back to the edits
        // that did apply, so that what the user sees is what OK will post.
        if (m_editTxnOpen && m_editor) {
            AbortEditTxn();
            StartEditTxn();
            const FBxObjectEditRecordList& done = m_editor->GetCumulatedRecords();
            if (!done.empty()) {
                SmartPtr<DLxPartListEditRequest> again(new DLxPartListEditRequest(m_partList, done));
                try {
                    (void)again->ReplayTranscript();
                } catch (const FBxObjectEditRecord::exception&) {
                }
            }
        }
        DLxPartListCmdUtil::ReportFailure(u"The change could not be applied to the parts list.",
                                          why.c_str());
        return false;
    }
    RSeRef<DLxTableStatePartlist> state = table->GetPartListTableState();
    if (DLxTableStatePartlist* s = state.get()) s->ApplyAutomaticWrapping();
    return true;
}

bool DLxPartListEditCmd::PostEditRequest() {
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !m_editor) return false;
    // The run's own records: the command's list only seeds the run.
    const FBxObjectEditRecordList& records = m_editor->GetCumulatedRecords();
    if (!records.empty()) {
        SmartPtr<DLxPartListEditRequest> request(new DLxPartListEditRequest(m_partList, records));
        const UTxResult r = doc->ProcessChangeRequest(request);
        if (!r.Failed()) {
            if (request->MasterRepEdited()) m_sourceEdited = true;
            if (request->ContainsRecord(u"PushbackItemNumbers"))
                DLxPartListCmdUtil::ActivateSheetOf(m_partList.get());
        }
    }
    m_editor->ClearCumulatedRecords();
    DLxPartListCmdUtil::ClearSelection(doc);
    return true;
}

void DLxPartListEditCmd::CommitEdits() {
    AbortEditTxn();
    PostEditRequest();
    if (GetDocument()) StartEditTxn();
}

void DLxPartListEditCmd::StartEditTxn() {
    FWxSceneDoc* doc = GetDocument();
    RSeDatabase* db = doc ? doc->GetRSeDb() : nullptr;
    if (!db || db->InTxn()) return;
    db->BeginTxn();
    m_editTxnOpen = true;
}

void DLxPartListEditCmd::AbortEditTxn() {
    if (!m_editTxnOpen) return;
    m_editTxnOpen = false;
    FWxSceneDoc* doc = GetDocument();
    if (RSeDatabase* db = doc ? doc->GetRSeDb() : nullptr; db && db->InTxn()) db->AbortTxn();
}
