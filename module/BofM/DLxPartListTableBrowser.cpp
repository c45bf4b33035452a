// The parts list's entry in the drawing's browser.
#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeMeta.h"

void DLxPartListTable::AddDLBrowserEntry(DLxSheet* sheet) {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    if (!doc || !sheet || !state || !GetSegment()) return;
    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state.get()), {});
    if (!wrapper.Style()) return;
    // One entry a table: the browser shows each stored entry.
    if (dynamic_cast<DLxPartListDwgBrowserEntry*>(doc->GetEntry(this))) return;
    new (RSe::_GetMeta(static_cast<const DLxPartListDwgBrowserEntry*>(nullptr)), GetSegment())
        DLxPartListDwgBrowserEntry(DLxDrawingDoc::GetEntryType(DLxDrawingDoc::kPartsListEntry),
                                   wrapper.GetTitle(), doc->GetEntry(sheet), RSeRefBase(this),
                                   RSeRefBase(), true);
}
