#include "dl/DLxAnnotationUtil.h"

#include <algorithm>
#include <vector>

#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxInstance.h"
#include "dc/RDxState.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxEmblem.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"

void DLxAnnotationUtil::SetAnnotationSickColor(SMxDisplayList& list) {
    list.RemoveAttributes(SMxAttributes::kHighlight);
    SMxAttributes sick;
    sick.source = SMxAttributes::kHighlight;
    sick.hasColor = true;
    sick.color = kSickColor;
    list.PushAttributes(sick);
}

void DLxAnnotationUtil::UnsetAnnotationSickColor(SMxDisplayList& list) {
    list.RemoveAttributes(SMxAttributes::kHighlight);
}

bool DLxAnnotationUtil::IsAnnotationSickColored(const SMxDisplayList& list) {
    const auto& attrs = list.GetAttributes();
    return std::any_of(attrs.begin(), attrs.end(), [](const SMxAttributes& a) {
        return a.source == SMxAttributes::kHighlight && a.color == kSickColor;
    });
}

int32_t DLxAnnotationUtil::DimCleanup(DLxViewInstance* view) {
    RSeSegment* segment = view ? view->GetSegment() : nullptr;
    if (!segment) return 0;
    static const RSeMetaType* const proxyKind =
        RSe::_InitMeta(static_cast<const DLxDimGeometryProxy*>(nullptr));
    std::vector<DUxEmblem*> dimensions;
    for (RSeVMeta* obj : segment->GetObjectsOfKind(proxyKind)) {
        auto* proxy = static_cast<DLxDimGeometryProxy*>(obj);
        auto* dim = dynamic_cast<DUxEmblem*>(proxy->GetAnnotationInstance());
        if (dim && std::find(dimensions.begin(), dimensions.end(), dim) == dimensions.end())
            dimensions.push_back(dim);
    }
    for (DUxEmblem* dim : dimensions)
        dim->CleanupArrowHeadExtLines();
    return int32_t(dimensions.size());
}

DLxSheet* DLxAnnotationUtil::GetActiveSheetInstance(FWxSceneDoc* doc) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    return drawing ? drawing->GetActiveSheet() : nullptr;
}

DLxSheet* DLxAnnotationUtil::GetContainingSheetInstance(RDxFragment* fragment) {
    return dynamic_cast<DLxSheet*>(fragment);
}

UTxResult DLxAnnotationUtil::UpdateActiveSheet(FWxSceneDoc* doc, int32_t kind) {
    DLxSheet* sheet = GetActiveSheetInstance(doc);
    if (!sheet) return {};
    RDxComputeContext ctx;
    ctx.SetInt(RDxComputeContext::AttributeId(u"DLxSheetChangeTypeAttr"), kind);
    return sheet->Recompute(ctx);
}

void DLxAnnotationUtil::DeleteWithStates(RDxInstance* instance) {
    std::vector<RDxState*> states;
    for (uint32_t i = 0; i < instance->GetInputStateCount(); ++i)
        if (RDxState* state = instance->GetInputState(i)) states.push_back(state);
    RDxFragment* fragment = instance->GetFragment().get();
    for (RDxState* state : states)
        if (!fragment || !fragment->DeleteNode(state)) RSe::DeleteObject(state);
    if (!fragment || !fragment->DeleteNode(instance)) RSe::DeleteObject(instance);
}
