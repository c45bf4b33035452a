#pragma once
// A state that names the instance owning it, so that a template's compute, which sees only
// states, finds the instance it computes.
#include "dc/RDxState.h"
#include "rse/RSeRef.h"

class RDxFragment;

class DUxWhoAmIState : public RDxState {
public:
    DUxWhoAmIState() = default;
    explicit DUxWhoAmIState(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to it, naming `owner`.
    static DUxWhoAmIState* Create(RDxFragment* fragment, RSeIDed* owner);

    // Null when the owner has gone.
    RSeIDed* GetWhoIAm() const { return m_owner.get(); }
    void SetWhoIAm(RSeIDed* owner);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxWhoAmIState* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RSeIDed> m_owner;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxWhoAmIState*);
RSeMetaType* _GetMeta(const DUxWhoAmIState*);
} // namespace RSe
