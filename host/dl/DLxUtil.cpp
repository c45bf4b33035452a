#include "dl/DLxUtil.h"

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "rse/RSe.h"

bool DLxUtil::AllowRequestExecution(FWxSceneDoc* doc, DLxSheet* sheet) {
    if (!doc) return false;
    if (auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc); drawing && drawing->IsDocDeferred())
        return false;
    return !sheet || RSe::DatabaseOf(sheet) == doc->GetRSeDb();
}
