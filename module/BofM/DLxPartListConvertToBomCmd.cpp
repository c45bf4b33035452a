#include "BofM/DLxPartListConvertToBomCmd.h"

#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxConvertToBOMRequest.h"
#include "Symbol/KorvuModule.h"
#include "WinMessageBox.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/GBxBOMDescriptor.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxPrompter.h"
#include "fw/FWxSceneDoc.h"
#include "uc/UCxUIUtil.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(44117, "DrawingPartsListConvertToBOMCtxCmd", 1);
} // namespace

namespace {
FWxPrompter& ConvertPrompter() {
    static FWxPrompter s_prompter(DLxPartListConvertToBomCmd::kPromptId, 4, 0, 0);
    return s_prompter;
}
} // namespace

void DLxPartListConvertToBomCmd::OnUpdateUI(FWxCmdUI& ui) {
    DLxPartListTable* table = GetSelectedInstance().get();
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(table));
    const DLxLocalBOM* bom = table ? DLxLocalBOMMgr::GetLocalBOM(table) : nullptr;
    // The bill must be resolved: its rows are what the conversion writes.
    ui.Enable(table && doc && !doc->IsDocDeferred() && bom &&
              !(bom->GetBOMStatus() & DLxLocalBOM::kStatusUnresolved));
}

int32_t DLxPartListConvertToBomCmd::OnExecute() {
    DLxPartListTable* table = GetSelectedInstance().get();
    RSeRef<DLxTableStatePartlist> stateRef =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxTableStatePartlist* state = stateRef.get();
    if (!state) return 0;
    ConvertPrompter().SetPrompterTitle(u"");
    if (HMODULE res = KorvuGetResourceHandle())
        if (auto title = FindStringResource(res, kTitleId))
            ConvertPrompter().SetPrompterTitle(UTxString16(*title));
    if (ConvertPrompter().DoPrompt(KorvuGetResourceHandle()) != IDYES) return 0;

    DLxLocalBOM* bom = state->GetLocalBOM().get();
    const DLxAssemblyData* rep = bom ? bom->GetAssembly() : nullptr;
    if (bom) {
        const int32_t scheme = bom->IsPartsOnlyBOM() ? DLxLocalBOM::kPartsOnly
                                                     : DLxLocalBOM::kStructured;
        bool enabled = rep && DLxLocalBOMMgr::HasSchemeEnabled(*rep, scheme);
        // Expanded sub-assembly rows convert only into a bill that lists every level.
        if (enabled && scheme == DLxLocalBOM::kStructured && state->AnyRowWithBothFlags()) {
            const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
            if (!descriptor || !descriptor->IsBOMStructuredAllLevels()) enabled = false;
        }
        if (!enabled) {
            if (UCxUIUtil::DoBOMErrorMessageBox(0, nullptr) != 1) return 0;
            if (!DLxLocalBOMMgr::CanUpdateMasterRep(rep)) return 0;
        }
    }
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(table);
    if (!doc) return 0;
    SmartPtr<DLxConvertToBOMRequest> request(new DLxConvertToBOMRequest(m_partList));
    if (doc->ProcessChangeRequest(request).Failed()) return 0;
    if (request->MasterRepEdited()) DLxLocalBOMMgr::PromptSaveMasterRep(rep);
    return 1;
}
