#include "dc/RDxConstraint.h"

#include "dc/RDxErrors.h"
#include "dc/RDxState.h"
#include "rse/RSeTransaction.h"

RDxState* RDxConstraint::GetInputState(uint32_t index) const {
    return index < m_inputs.size() ? m_inputs[index].get() : nullptr;
}

void RDxConstraint::AddInputState(RDxState* state) {
    RSe::PrepareWrite(this);
    m_inputs.emplace_back(state);
    MarkEdited(true);
}

bool RDxConstraint::SetInputState(uint32_t index, RDxState* state) {
    if (index >= m_inputs.size()) return false;
    if (m_inputs[index].GetTarget() == state) return true;
    RSe::PrepareWrite(this);
    m_inputs[index] = state;
    MarkEdited(true);
    return true;
}

bool RDxConstraint::RemoveInputState(uint32_t index) {
    if (index >= m_inputs.size()) return false;
    RSe::PrepareWrite(this);
    m_inputs.erase(m_inputs.begin() + index);
    MarkEdited(true);
    return true;
}

RDxState* RDxConstraint::GetOutputState(uint32_t index) const {
    return index < m_outputs.size() ? m_outputs[index].get() : nullptr;
}

bool RDxConstraint::WritesState(const RDxState* state) const {
    if (!state) return false;
    for (const RSeRef<RDxState>& r : m_outputs)
        if (r.GetTarget() == state) return true;
    return false;
}

UTxResult RDxConstraint::AddOutputState(RDxState* state) {
    if (!state || WritesState(state)) return UTxResult(kRDxErrBadOutput);
    if (IsDirected()) {
        std::vector<RDxNode*> writers;
        state->RDxNode::CollectDependencies(writers);
        for (RDxNode* w : writers) {
            auto* c = dynamic_cast<RDxConstraint*>(w);
            if (c && c != this && c->IsDirected() && c->WritesState(state))
                return UTxResult(kRDxErrTwoWriters);
        }
    }
    RSe::PrepareWrite(this);
    m_outputs.emplace_back(state);
    state->AddDependency(this);
    MarkEdited(true);
    return {};
}

bool RDxConstraint::RemoveOutputState(RDxState* state) {
    for (size_t i = 0; i < m_outputs.size(); ++i) {
        if (m_outputs[i].GetTarget() != state || !state) continue;
        RSe::PrepareWrite(this);
        m_outputs.erase(m_outputs.begin() + i);
        state->RemoveDependency(this);
        return true;
    }
    return false;
}

void RDxConstraint::CollectDependencies(std::vector<RDxNode*>& out) const {
    RDxNode::CollectDependencies(out);
    for (const RSeRef<RDxState>& r : m_inputs)
        if (RSeIDed* t = r.GetTarget()) out.push_back(static_cast<RDxState*>(t));
}
