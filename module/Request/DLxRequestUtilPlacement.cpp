// The placing side of DLxRequestUtil, apart from the transcript side: the intent's helpers
// share the DLxUtil name with the request helpers that file uses.
#include "Request/DLxRequestUtil.h"

#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxNode.h"
#include "dl/DLxIntent.h"
#include "rse/RSeTransaction.h"

RDxFragment* DLxRequestUtil::SheetFor(FWxSceneDoc* doc, const DLxIntent& intent) {
    return SheetFragmentFor(doc, intent.GetView());
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
