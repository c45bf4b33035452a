#pragma once
#include <cstdint>
#include <vector>

#include "dc/RDxNode.h"

class RDxState;

// A node that reads input states and writes output states. The inputs are ordered and may
// name one state twice; the outputs depend on the constraint, so a recompute brings the
// constraint up to date after its inputs and before its outputs.
class RDxConstraint : public RDxNode {
public:
    RDxConstraint() = default;
    explicit RDxConstraint(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

    // A directed constraint is the only one of its kind that writes its outputs.
    virtual bool IsDirected() const { return false; }

    // Inputs. Changing them marks the constraint edited.
    const std::vector<RSeRef<RDxState>>& GetInputStates() const { return m_inputs; }
    uint32_t GetInputStateCount() const { return uint32_t(m_inputs.size()); }
    // Null when `index` is out of range or the state has gone.
    RDxState* GetInputState(uint32_t index) const;
    void AddInputState(RDxState* state);
    // False when `index` is out of range.
    bool SetInputState(uint32_t index, RDxState* state);
    bool RemoveInputState(uint32_t index);

    // Outputs: each one depends on the constraint from then on.
    const std::vector<RSeRef<RDxState>>& GetOutputStates() const { return m_outputs; }
    uint32_t GetOutputStateCount() const { return uint32_t(m_outputs.size()); }
    RDxState* GetOutputState(uint32_t index) const;
    UTxResult AddOutputState(RDxState* state);
    bool RemoveOutputState(RDxState* state);
    bool WritesState(const RDxState* state) const;

    void CollectDependencies(std::vector<RDxNode*>& out) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(RDxConstraint* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<RDxState>> m_inputs;
    std::vector<RSeRef<RDxState>> m_outputs;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxConstraint*);
RSeMetaType* _GetMeta(const RDxConstraint*);
} // namespace RSe
