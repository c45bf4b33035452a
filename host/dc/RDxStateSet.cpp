#include "dc/RDxStateSet.h"

#include "rse/RSeTransaction.h"

RDxState* RDxStateSet::GetState(uint32_t index) const {
    return index < m_states.size() ? m_states[index].get() : nullptr;
}

int32_t RDxStateSet::IndexOf(const RDxState* state) const {
    if (!state) return -1;
    for (size_t i = 0; i < m_states.size(); ++i)
        if (m_states[i].GetTarget() == state) return int32_t(i);
    return -1;
}

bool RDxStateSet::Add(RDxState* state) {
    if (!state || state == this || Contains(state)) return false;
    BeginValueChange();
    m_states.emplace_back(state);
    return true;
}

bool RDxStateSet::Remove(RDxState* state) {
    const int32_t i = IndexOf(state);
    if (i < 0) return false;
    BeginValueChange();
    m_states.erase(m_states.begin() + i);
    return true;
}

void RDxStateSet::Clear() {
    if (m_states.empty()) return;
    BeginValueChange();
    m_states.clear();
}

void RDxStateSet::CollectDependencies(std::vector<RDxNode*>& out) const {
    RDxState::CollectDependencies(out);
    for (const RSeRef<RDxState>& r : m_states)
        if (RSeIDed* t = r.GetTarget()) out.push_back(static_cast<RDxState*>(t));
}
