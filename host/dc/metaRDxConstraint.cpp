#include "dc/RDxConstraint.h"

#include "dc/RDxPersist.h"
#include "dc/RDxState.h"
#include "rse/RSeMeta.h"

namespace {
void InitConstraintGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a14, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxConstraint*) {
    static RSeMetaType* mt = RSeMakeMeta<RDxConstraint>(
        u"RDxConstraint", &InitConstraintGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxConstraint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_constraintMeta =
    RSe::_InitMeta(static_cast<const RDxConstraint*>(nullptr));

RSeMetaType* RDxConstraint::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxConstraint::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_inputs);
    RDxPersist::LoadRefs(s, m_outputs);
}

void RDxConstraint::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_inputs);
    RDxPersist::SaveRefs(s, m_outputs);
}

void RDxConstraint::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_inputs, ctx);
    RDxPersist::FixRefs(m_outputs, ctx);
}

UTxResult RDxConstraint::Clone(RDxConstraint* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    RDxPersist::CloneRefs(m_inputs, target->m_inputs, cc);
    RDxPersist::CloneRefs(m_outputs, target->m_outputs, cc);
    return {};
}
