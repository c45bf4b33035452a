#include "dl/DLxUIUtil.h"

#include "dl/DLxDrawingDoc.h"

bool DLxUIUtil::IsDocDeferred(const FWxSceneDoc* doc) {
    const auto* drawing = dynamic_cast<const DLxDrawingDoc*>(doc);
    return drawing && drawing->IsDocDeferred();
}
