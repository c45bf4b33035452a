#include "dl/DLxSceneTagMap.h"

#include <algorithm>

#include "dc/RDxFragment.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDocUtil.h"
#include "sm/SMxDisplayList.h"

namespace {
bool IsDrawnSheet(const DLxSheet* sheet) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(sheet));
    if (!drawing) return false;
    const auto& sheets = drawing->GetSheets();
    return std::find(sheets.begin(), sheets.end(), sheet) != sheets.end();
}
} // namespace

bool DLxSceneTagMap::GetScene(const RSeIDed* tag, SMxSceneNode::Kind kind, SMxSceneNode& node) {
    bool found = false;
    switch (kind) {
    case SMxSceneNode::kAnnotationInstanceNode:
        if (auto* sheet = dynamic_cast<const DLxSheet*>(tag)) found = IsDrawnSheet(sheet);
        break;
    case SMxSceneNode::kEmblemNode:
        if (auto* emblem = dynamic_cast<const DLxEmblem*>(tag)) {
            const DLxSheet* sheet =
                DLxAnnotationUtil::GetContainingSheetInstance(emblem->GetFragment().get());
            const SMxDisplayList* list = emblem->GetSheetDisplayList();
            found = sheet && IsDrawnSheet(sheet) && list && !list->IsEmpty();
        }
        break;
    }
    if (found) node = {tag, kind};
    return found;
}
