#include "BofM/DLxPartListCmdUtil.h"

#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "WinMessageBox.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"

RSeRef<DLxPartListTable> GetSelectedPartList(FWxSceneDoc* doc) {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(doc);
    FWxSelectionSet* set = mgr ? mgr->GetDrawSelectionSet() : nullptr;
    if (!set || set->IsEmpty()) return {};
    auto* selection = dynamic_cast<DLxPartListSelection*>(set->GetAt(0).get());
    return RSeRef<DLxPartListTable>(selection ? selection->GetInstance() : nullptr);
}

namespace DLxPartListCmdUtil {
const DLxAssemblyData* SourceModelOf(const DLxPartListTable* table) {
    RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxLocalBOM* bom = state ? state->GetLocalBOM().get() : nullptr;
    return bom ? bom->GetAssembly() : nullptr;
}

void ClearSelection(FWxSceneDoc* doc) {
    if (FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(doc)) mgr->EmptySelectionSets();
}

void ActivateSheetOf(const DLxPartListTable* table) {
    DLxSheet* sheet = table ? table->GetObjectNameKeyParent() : nullptr;
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(table));
    if (doc && sheet) doc->SetActiveSheet(sheet);
}

void ReportFailure(const char16_t* what, const char16_t* why) {
    std::u16string text = what;
    if (why && *why) text += std::u16string(u"\n") + why;
    MessageBoxW(nullptr, text.c_str(), u"Parts list", MB_OK | MB_ICONEXCLAMATION);
}
} // namespace DLxPartListCmdUtil
