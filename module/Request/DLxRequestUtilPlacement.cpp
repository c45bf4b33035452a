// The placing side of DLxRequestUtil, apart from the transcript side: the intent's helpers
// share the DLxUtil name with the request helpers that file uses.
#include "Request/DLxRequestUtil.h"

#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeTransaction.h"

RDxFragment* DLxRequestUtil::SheetFor(FWxSceneDoc* doc, const DLxIntent& intent) {
    // Finding the sheet changes nothing; what placing the symbol changes on it (its node list)
    // records itself, so the history keeps no image of the sheet with every symbol.
    RSeReadOnlyScope finding;
    if (DLxViewInstance* view = intent.GetView())
        if (RDxFragment* f = view->GetFragment().get()) return f;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}

UTxResult DLxRequestUtil::RecomputeChanged(RDxNode* symbol) {
    RDxComputeContext ctx;
    ctx.SetInt(u"DUxPersistantComputeContextAttr", 1);
    symbol->MarkEdited(true);
    // A compute records what it writes on the sheet itself.
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = symbol->GetFragment().get();
    }
    if (!fragment) return {};
    UTxResult r;
    for (int pass = 0; pass < 3 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
        r = fragment->Recompute(ctx);
    return r.Failed() ? UTxResult() : r;
}
