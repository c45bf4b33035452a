#include "dl/DLxUtil.h"

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDocUtil.h"

bool DLxUtil::AllowRequestExecution(const FWxSceneDoc* doc, const DLxSheet* sheet) {
    const auto* drawing = dynamic_cast<const DLxDrawingDoc*>(doc);
    if (!drawing || drawing->IsDocDeferred()) return false;
    return !sheet || FWxDocUtil::DocumentOf(sheet) == doc;
}
