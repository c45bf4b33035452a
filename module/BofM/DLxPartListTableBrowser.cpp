// The parts list's entry in the drawing's browser.
#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

void DLxPartListTable::AddDLBrowserEntry(DLxSheet* sheet) {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    if (!doc || !sheet || !state || !GetSegment()) return;
    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state.get()), {});
    if (!wrapper.Style()) return;
    // One entry a table: the browser shows each stored entry.
    if (FindBrowserEntry()) return;
    new (RSe::_GetMeta(static_cast<const DLxPartListDwgBrowserEntry*>(nullptr)), GetSegment())
        DLxPartListDwgBrowserEntry(DLxDrawingDoc::GetEntryType(DLxDrawingDoc::kPartsListEntry),
                                   wrapper.GetTitle(), doc->GetEntry(sheet), RSeRefBase(this),
                                   RSeRefBase(), true);
}

DLxPartListDwgBrowserEntry* DLxPartListTable::FindBrowserEntry() const {
    RSeSegment* segment = GetSegment();
    if (!segment) return nullptr;
    for (RSeVMeta* obj : segment->GetObjectsOfKind(
             RSe::_GetMeta(static_cast<const DLxPartListDwgBrowserEntry*>(nullptr)))) {
        auto* entry = static_cast<DLxPartListDwgBrowserEntry*>(obj);
        if (entry->Subject().GetTarget() == this) return entry;
    }
    return nullptr;
}

void DLxPartListTable::DeleteBrowserEntry() {
    if (DLxPartListDwgBrowserEntry* entry = FindBrowserEntry()) RSe::DeleteObject(entry);
}
