#pragma once
// Diagnosis probes: to show where an annotation's problem is, the host's diagnosis framework
// calls the probe of the annotation's kind with the diagnosis and true; to take the display
// back, with false. Showing pre-selects the annotation (the host draws it highlighted),
// redraws the views and pans the active view to the first sick anchor. One problem is shown at
// a time: the probe state below is shared by every probe. A probe whose diagnosis or
// annotation is of another kind does nothing at all.
//
// The host finds the probes by these names; nothing in the module calls them.
#include "fw/SmartPtr.h"

class DLxEmblem;
class FWxSelection;
class FWxSelectionSet;
class SMxScenePath;
class UTxDiagnosis;
struct SMxSceneNode;
class WqGePoint3d;

void BalloonSymProbeFn(UTxDiagnosis* diagnosis, bool show);
void CalloutSymbolProbeFn(UTxDiagnosis* diagnosis, bool show);
void CenterDatumSymbolProbeFn(UTxDiagnosis* diagnosis, bool show);
void DatumIdSymbolProbeFn(UTxDiagnosis* diagnosis, bool show);
void DatumTargetProbeFn(UTxDiagnosis* diagnosis, bool show);
void GDTSymbolProbeFn(UTxDiagnosis* diagnosis, bool show);
void LeaderTextProbeFn(UTxDiagnosis* diagnosis, bool show);
void SurfaceTextureProbeFn(UTxDiagnosis* diagnosis, bool show);
void WeldInstanceProbeFn(UTxDiagnosis* diagnosis, bool show);

namespace DLxProbes {
// Pans the active scene view so that its camera looks at `point`, animated; nothing without an
// active view.
void AnimateSetCamera(const WqGePoint3d& point);
// Redraws the active scene view and the browser view of its document (update state 4).
void InvalidateSceneViews();
// The path from the node of the sheet that holds the emblem down to the emblem's own node. False
// when the sheet has no annotation node (the path stays empty) or the emblem has no node of its
// own (the path keeps the sheet's node, `node` is left alone).
bool GetScenePath(const DLxEmblem* emblem, SMxScenePath& path, SMxSceneNode& node);

// The selection the last show added and the set it went into; null when nothing is shown.
const SmartPtr<FWxSelection>& GetProbeSelection();
FWxSelectionSet* GetProbeSelectionSet();
} // namespace DLxProbes
