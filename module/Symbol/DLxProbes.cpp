#include "Symbol/DLxProbes.h"

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
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldSelection.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxSceneTagMap.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "sm/SMxScenePath.h"
#include "sm/SMxSceneView.h"

namespace {
// What is shown. The set is found again through its document when the display is taken back,
// so that a document closed in between leaves nothing to reach.
struct ProbeState {
    SmartPtr<FWxSelection> selection;
    uint64_t document = 0;
};
ProbeState& State() {
    static ProbeState state;
    return state;
}

FWxSelectionSet* PreSelectionSetOf(FWxSceneDoc* doc) {
    FWxSelectionSetMgr* sets = doc ? FWxSelectionSetMgr::Get(doc) : nullptr;
    return sets ? sets->GetPreSelectionSet() : nullptr;
}

void Hide() {
    ProbeState& state = State();
    if (state.selection)
        if (FWxSelectionSet* set =
                PreSelectionSetOf(FWxDocUtil::DocumentOfSerial(state.document)))
            set->Remove(state.selection.get());
    state.selection = nullptr;
    state.document = 0;
}

template <class Annotation, class Selection>
void ProbeAnchors(UTxDiagnosis* diagnosis, bool show) {
    auto* sick = dynamic_cast<DLxDiagEmblemInvalidAnchorPoint*>(diagnosis);
    if (show) {
        Annotation* annotation = sick ? dynamic_cast<Annotation*>(sick->GetEmblem()) : nullptr;
        if (!annotation) return;
        SMxScenePath path;
        SMxSceneNode node;
        if (DLxProbes::GetScenePath(annotation, path, node)) {
            FWxSceneDoc* doc = FWxDocUtil::DocumentOf(annotation);
            FWxSelectionSet* set = PreSelectionSetOf(doc);
            if (!set) return;
            // The selection shown before stays in its set: only its hold is given up.
            ProbeState& state = State();
            state.selection = SmartPtr<FWxSelection>(new Selection(annotation, WqGePoint3d::kOrigin));
            state.document = doc->GetSerial();
            set->Add(state.selection);
        }
    } else {
        Hide();
    }
    DLxProbes::InvalidateSceneViews();
    if (show)
        if (const DLxAnchorPoint* anchor = sick->GetAnchorPoint(0))
            DLxProbes::AnimateSetCamera(anchor->GetPoint());
}
} // namespace

void BalloonSymProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxBalloonSymInstance, DLxBalloonSymSelection>(diagnosis, show);
}
void CalloutSymbolProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxCallOutInstance, DLxCallOutSelection>(diagnosis, show);
}
void CenterDatumSymbolProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxCenterDatumInstance, DLxCenterDatumSelection>(diagnosis, show);
}
void DatumIdSymbolProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxDatumIdInstance, DLxDatumIdSelection>(diagnosis, show);
}
void DatumTargetProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxDatumTarget, DLxDatumTargetSelection>(diagnosis, show);
}
void GDTSymbolProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxGDTInstance, DLxGDTSelection>(diagnosis, show);
}
void LeaderTextProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxLeaderTextInstance, DLxLeaderTextSymbolSelection>(diagnosis, show);
}
void SurfaceTextureProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxSurfTXTInstance, DLxSurfTXTSelection>(diagnosis, show);
}
void WeldInstanceProbeFn(UTxDiagnosis* diagnosis, bool show) {
    ProbeAnchors<DLxWeldInstance, DLxWeldSelection>(diagnosis, show);
}

namespace DLxProbes {

void AnimateSetCamera(const WqGePoint3d& point) {
    SMxSceneView* view = SMxSceneUtil::GetActiveView();
    if (!view) return;
    SMxCamera& camera = view->GetCamera();
    const SMxCamera before = camera;
    camera.Translate(point - camera.GetTarget());
    view->AnimateCameraTransition(before, camera);
}

void InvalidateSceneViews() {
    SMxSceneView* view = SMxSceneUtil::GetActiveView();
    if (!view) return;
    view->InvalidateView(4, true);
    if (FWxView* browser = FWxView::GetBrowserView(SMxSceneUtil::GetActiveDocument()))
        browser->InvalidateView(4, true);
}

bool GetScenePath(const DLxEmblem* emblem, SMxScenePath& path, SMxSceneNode& node) {
    const DLxSheet* sheet =
        emblem ? DLxAnnotationUtil::GetContainingSheetInstance(emblem->GetFragment().get())
               : nullptr;
    SMxSceneNode sheetNode;
    if (!DLxSceneTagMap::GetScene(sheet, SMxSceneNode::kAnnotationInstanceNode, sheetNode))
        return false;
    path.Push(sheetNode);
    if (!DLxSceneTagMap::GetScene(emblem, SMxSceneNode::kEmblemNode, node)) return false;
    path.Push(node);
    return true;
}

const SmartPtr<FWxSelection>& GetProbeSelection() {
    return State().selection;
}

FWxSelectionSet* GetProbeSelectionSet() {
    return State().selection ? PreSelectionSetOf(FWxDocUtil::DocumentOfSerial(State().document))
                             : nullptr;
}

} // namespace DLxProbes
