#include "BofM/DLxPartListPushbackIDsCmd.h"

#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxPartlistPushbackIDsRequest.h"
#include "Symbol/KorvuModule.h"
#include "WinMessageBox.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(40056, "DrawingPartsListPushbackIDsCmd", 1);
} // namespace

namespace {
// Status bits of the bill that push-back reads.
constexpr uint32_t kStatusError = 0x2;
constexpr uint32_t kStatusBlocked = 0x4;
} // namespace

void DLxPartListPushbackIDsCmd::OnUpdateUI(FWxCmdUI& ui) {
    DLxPartListTable* table = GetSelectedInstance().get();
    RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    const DLxLocalBOM* bom = state ? state->GetLocalBOM().get() : nullptr;
    bool enabled = bom && !bom->IsLegacyBOM() && bom->IsAssemblyBased() &&
                   bom->IsAnyOfDetailIDsOverriden();
    if (enabled) {
        const uint32_t status = bom->GetBOMStatus(true);
        if (status & kStatusBlocked) enabled = false;
        else if ((status & kStatusError) && !bom->GetAssembly()) enabled = false;
    }
    ui.Enable(enabled);
}

int32_t DLxPartListPushbackIDsCmd::OnExecute() {
    DLxPartListTable* table = GetSelectedInstance().get();
    RSeRef<DLxTableStatePartlist> stateRef =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxTableStatePartlist* state = stateRef.get();
    if (!state) return 0;
    if (!DLxLocalBOMMgr::CanUpdateMasterRep(DLxPartListCmdUtil::SourceModelOf(table))) return 0;
    if (state->CanPushbackItemNumbers(nullptr)) {
        std::u16string text;
        if (HMODULE res = KorvuGetResourceHandle())
            if (auto found = FindStringResource(res, kConfirmId)) text = *found;
        if (MessageBoxW(nullptr, text.c_str(), u"Parts list", MB_OKCANCEL) != IDOK) return 0;
    }
    PushBack();
    return 1;
}

bool DLxPartListPushbackIDsCmd::PushBack() {
    DLxPartListTable* table = m_partList.get();
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(table);
    if (!doc) return false;
    SmartPtr<DLxPartlistPushbackIDsRequest> request(new DLxPartlistPushbackIDsRequest(m_partList, true));
    if (doc->ProcessChangeRequest(request).Failed()) return false;
    DLxLocalBOMMgr::PromptSaveMasterRep(DLxPartListCmdUtil::SourceModelOf(table));
    DLxPartListCmdUtil::ActivateSheetOf(table);
    return true;
}
