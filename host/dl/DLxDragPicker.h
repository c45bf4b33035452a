#pragma once
// Who drags a placed instance picked at a point: a module registers, per class, a function that
// finds the hot point under the press (a leader end, vertex or root, ...) and makes the drag
// manipulator for it. The host (the program's scripted input) presses on an instance, asks
// Create for the manipulator, moves it and releases it, and the manipulator's request runs in
// the document like any other.
//
// The same way a module registers who edits an instance of a class in its dialog (what a
// double-click on it starts); the dialog's user is UCxDialog's user runner.
//
// A class without a function of its own is served by its nearest base's; none answers null.
// Functions are not owned; a module registers null under the same name before it unloads.
#include <memory>

#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxManipulator;
class FWxSceneDoc;
class RDxInstance;
class WqGePoint3d;

namespace DLxDragPicker {
// Null when nothing of the instance lies within reach of the point.
using Factory = std::unique_ptr<DLxManipulator> (*)(RDxInstance* instance,
                                                    const WqGePoint3d& point, FWxSceneDoc* doc);

void Register(const UTxString16& className, Factory factory);
std::unique_ptr<DLxManipulator> Create(RDxInstance* instance, const WqGePoint3d& point,
                                       FWxSceneDoc* doc);

// Runs the edit; the result of its request, success when it was cancelled.
using Editor = UTxResult (*)(RDxInstance* instance, FWxSceneDoc* doc);
void RegisterEditor(const UTxString16& className, Editor editor);
// Null when no class of the instance has an editor.
Editor FindEditor(const RDxInstance* instance);
} // namespace DLxDragPicker
