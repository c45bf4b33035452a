#pragma once
// What the user interface of a drawing is doing, as commands ask before they offer themselves.
class FWxSceneDoc;

namespace DLxUIUtil {
// This host has no sketch mode and no overlay views: both are never the case.
inline bool IsSketchActive(const FWxSceneDoc*) { return false; }
inline bool IsOverlayView(const FWxSceneDoc*) { return false; }
// The drawing defers the updates of its annotations (DLxDrawingDoc::IsDocDeferred).
bool IsDocDeferred(const FWxSceneDoc* doc);
} // namespace DLxUIUtil
