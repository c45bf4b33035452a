#pragma once
#include "dc/RDxNode.h"

// A node that holds a value. Its subclasses store the value; changing it marks the state
// edited, so that the next recompute brings what reads it up to date. A state that a
// constraint writes depends on that constraint.
class RDxState : public RDxNode {
public:
    RDxState() = default;
    explicit RDxState(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

protected:
    // For value setters: records the state in the open transaction and marks it edited.
    void BeginValueChange();
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxState*);
RSeMetaType* _GetMeta(const RDxState*);
} // namespace RSe
