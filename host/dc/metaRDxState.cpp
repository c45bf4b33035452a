#include "dc/RDxState.h"

#include "rse/RSeMeta.h"

namespace {
void InitStateGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a12, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxState>(u"RDxState", &InitStateGuid, 0, RSeMetaType::kAbstractClass,
                              RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_stateMeta = RSe::_InitMeta(static_cast<const RDxState*>(nullptr));

// A state has no fields of its own: its base parts are its whole record.
RSeMetaType* RDxState::GetMeta() const {
    return RSe::_GetMeta(this);
}
