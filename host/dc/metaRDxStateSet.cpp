#include "dc/RDxStateSet.h"

#include "dc/RDxPersist.h"
#include "rse/RSeMeta.h"

namespace {
void InitStateSetGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a13, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxStateSet*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxStateSet>(u"RDxStateSet", &InitStateSetGuid, 0, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxStateSet* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_stateSetMeta = RSe::_InitMeta(static_cast<const RDxStateSet*>(nullptr));

RSeMetaType* RDxStateSet::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxStateSet::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_states);
}

void RDxStateSet::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_states);
}

void RDxStateSet::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_states, ctx);
}

UTxResult RDxStateSet::Clone(RDxStateSet* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    RDxPersist::CloneRefs(m_states, target->m_states, cc);
    return {};
}
