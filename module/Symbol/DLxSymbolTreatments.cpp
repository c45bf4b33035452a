#include "Symbol/DLxSymbolTreatments.h"

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymSelection.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTSelection.h"
#include "Symbol/DLxSymbol.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldSelection.h"
#include "WinMessageBox.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxSceneTagMap.h"
#include "dl/DLxSheet.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "sm/SMxSceneView.h"
#include "utx/UTxResult.h"

namespace {
constexpr uint32_t kDeleteName = 0x600B01CC;
constexpr uint32_t kReattachName = 0x600B01CD;
constexpr uint32_t kAutoReconnectName = 0x600B01FA;
constexpr uint32_t kReattachMessage = 0x600B03EB;
constexpr uint32_t kReattachOriginMessage = 0x600B03EC;

template <class Annotation, class Selection> FWxSelection* SelectionOf(RDxObject* object) {
    auto* annotation = dynamic_cast<Annotation*>(object);
    return annotation ? new Selection(annotation, WqGePoint3d::kOrigin) : nullptr;
}

// The kinds a treatment can select, in the order they are tried.
FWxSelection* (*const kSelectors[])(RDxObject*) = {
    &SelectionOf<DLxBalloonSymInstance, DLxBalloonSymSelection>,
    &SelectionOf<DLxCallOutInstance, DLxCallOutSelection>,
    &SelectionOf<DLxCenterDatumInstance, DLxCenterDatumSelection>,
    &SelectionOf<DLxDatumIdInstance, DLxDatumIdSelection>,
    &SelectionOf<DLxDatumTarget, DLxDatumTargetSelection>,
    &SelectionOf<DLxGDTInstance, DLxGDTSelection>,
    &SelectionOf<DLxLeaderTextInstance, DLxLeaderTextSymbolSelection>,
    &SelectionOf<DLxSurfTXTInstance, DLxSurfTXTSelection>,
    &SelectionOf<DLxWeldInstance, DLxWeldSelection>,
};

// Reattach and reconnect: datum targets of the leader-only kind only (any other target's shape
// itself stands on the geometry); what any other placed symbol answers; older-generation
// symbols; origin indicators.
bool CanReattach(RDxObject* object) {
    if (auto* target = dynamic_cast<DLxDatumTarget*>(object)) return target->GetTargetType() == 0;
    if (auto* symbol = dynamic_cast<DLxSymInstance*>(object))
        return symbol->CanApplySymbolTreatments();
    if (dynamic_cast<DLxSymbol*>(object)) return true;
    return dynamic_cast<DLxCenterDatumInstance*>(object) != nullptr;
}

void PostToActiveView(uint32_t command) {
    if (SMxSceneView* view = SMxSceneUtil::GetActiveView()) view->PostCommand(command);
}
} // namespace

bool SelectSymbolForTreatment(RSeRef<RDxObject> object, FWxSceneDoc* doc) {
    SMxScenePath path;
    SMxSceneNode node;
    if (!DLxSceneTagMap::GetScene(DLxAnnotationUtil::GetActiveSheetInstance(doc),
                                  SMxSceneNode::kAnnotationInstanceNode, node))
        return false;
    path.Push(node);
    RDxObject* target = object.get();
    if (!target) return false;
    SmartPtr<FWxSelection> selection;
    for (auto* select : kSelectors)
        if (FWxSelection* made = select(target)) {
            selection = made;
            break;
        }
    if (!selection) return false;
    if (!DLxSceneTagMap::GetScene(target, SMxSceneNode::kEmblemNode, node)) return false;
    path.Push(node);
    FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(doc);
    if (!sets) return false;
    sets->GetPreSelectionSet()->Add(selection);
    return true;
}

DLxDeleteSymbolTreatment::DLxDeleteSymbolTreatment()
    : UCxTreatment_List(kNumber, {kDeleteName, 0, 0}) {}

bool DLxDeleteSymbolTreatment::CanApply(RSeRef<RDxObject> object, UTxDiagnosis*) {
    RDxObject* target = object.get();
    if (auto* symbol = dynamic_cast<DLxSymInstance*>(target))
        return symbol->CanApplySymbolTreatments();
    return dynamic_cast<DLxSymbol*>(target) != nullptr;
}

void DLxDeleteSymbolTreatment::Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc,
                                     UTxDiagnosis* diagnosis) {
    if (SelectSymbolForTreatment(object, doc)) UCxTreatment::Apply(object, doc, diagnosis);
}

DLxReattachSymbolTreatment::DLxReattachSymbolTreatment()
    : UCxTreatment_List(0, {kReattachName, 0, 0}) {}

bool DLxReattachSymbolTreatment::CanApply(RSeRef<RDxObject> object, UTxDiagnosis*) {
    return CanReattach(object.get());
}

void DLxReattachSymbolTreatment::Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc,
                                       UTxDiagnosis*) {
    if (!SelectSymbolForTreatment(object, doc)) return;
    const UTxString16 caption = UTxResult::GetStringFromId(kReattachName);
    const bool origin = dynamic_cast<DLxCenterDatumInstance*>(object.get()) != nullptr;
    const UTxString16 message =
        UTxResult::GetStringFromId(origin ? kReattachOriginMessage : kReattachMessage);
    MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_OK);
    PostToActiveView(kReattachCommand);
}

DLxAutoReconnectSymbolTreatment::DLxAutoReconnectSymbolTreatment()
    : UCxTreatment_List(0, {kAutoReconnectName, 0, 0}) {}

bool DLxAutoReconnectSymbolTreatment::CanApply(RSeRef<RDxObject> object, UTxDiagnosis*) {
    return CanReattach(object.get());
}

void DLxAutoReconnectSymbolTreatment::Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc,
                                            UTxDiagnosis*) {
    if (!SelectSymbolForTreatment(object, doc)) return;
    PostToActiveView(kReconnectCommand);
    PostToActiveView(DLxReattachSymbolTreatment::kReattachCommand);
}
