#include "dc/RDxDirectedConstraint.h"

#include "rse/RSeMeta.h"

namespace {
void InitDirectedGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a15, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxDirectedConstraint*) {
    static RSeMetaType* mt = RSeMakeMeta<RDxDirectedConstraint>(
        u"RDxDirectedConstraint", &InitDirectedGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RDxConstraint*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxDirectedConstraint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_directedMeta =
    RSe::_InitMeta(static_cast<const RDxDirectedConstraint*>(nullptr));

// No fields of its own: the constraint's record is the whole of it.
RSeMetaType* RDxDirectedConstraint::GetMeta() const {
    return RSe::_GetMeta(this);
}
