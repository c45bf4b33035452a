#include "du/DUxGeometryProxy.h"

#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0cf1, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxGeometryProxy*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxGeometryProxy>(
        u"DUxGeometryProxy", &InitGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxGeometryProxy* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxGeometryProxy*>(nullptr));

RSeMetaType* DUxGeometryProxy::GetMeta() const {
    return RSe::_GetMeta(this);
}
