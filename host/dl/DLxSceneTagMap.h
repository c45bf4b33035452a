#pragma once
// Which scene nodes a drawing has, found from the objects they show: a sheet of a drawing
// document has its annotation node; an annotation (an emblem) lying on a sheet has its emblem
// node once it has drawn there (its display list holds something). Nothing else has a node of these classes.
#include "sm/SMxScenePath.h"

class RSeIDed;

class DLxSceneTagMap {
public:
    // The node of class `kind` that shows `tag`; false (leaving `node` alone) when there is none.
    static bool GetScene(const RSeIDed* tag, SMxSceneNode::Kind kind, SMxSceneNode& node);
};
