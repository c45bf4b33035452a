#pragma once
#include <cstdint>
#include <vector>

#include "dc/RDxState.h"

// An ordered set of states, itself a state: what reads the set is brought up to date after
// any of its members. A state is in the set once; the order is the order of adding.
class RDxStateSet : public RDxState {
public:
    RDxStateSet() = default;
    explicit RDxStateSet(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    const std::vector<RSeRef<RDxState>>& GetStates() const { return m_states; }
    uint32_t GetCount() const { return uint32_t(m_states.size()); }
    // Null when `index` is out of range or the member has gone.
    RDxState* GetState(uint32_t index) const;
    int32_t IndexOf(const RDxState* state) const; // -1 when absent
    bool Contains(const RDxState* state) const { return IndexOf(state) >= 0; }

    // False when the state is null, the set itself or a member already.
    bool Add(RDxState* state);
    bool Remove(RDxState* state);
    void Clear();

    void CollectDependencies(std::vector<RDxNode*>& out) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(RDxStateSet* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<RDxState>> m_states;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxStateSet*);
RSeMetaType* _GetMeta(const RDxStateSet*);
} // namespace RSe
