#pragma once
#include "dc/RDxConstraint.h"

// A constraint that computes its outputs from its inputs alone. It is the only directed
// constraint that writes each of its outputs, so a state has one directed source.
class RDxDirectedConstraint : public RDxConstraint {
public:
    RDxDirectedConstraint() = default;
    explicit RDxDirectedConstraint(const RSeStream* s) : RDxConstraint(s) {}
    RSeMetaType* GetMeta() const override;

    bool IsDirected() const override { return true; }
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxDirectedConstraint*);
RSeMetaType* _GetMeta(const RDxDirectedConstraint*);
} // namespace RSe
