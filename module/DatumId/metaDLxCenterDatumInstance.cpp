#include "DatumId/DLxCenterDatumInstance.h"
#include "rse/RSeMeta.h"

namespace {
// {F5A6ED78-11D4-7C69-6000-69B782B6FBB0}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xf5a6ed78, 0x11d47c69, 0x600069b7, 0x82b6fbb0);
}
} // namespace

// Nothing is stored after the emblem part: the values are the state's.
namespace RSe {
RSeMetaType* _InitMeta(const DLxCenterDatumInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCenterDatumInstance>(
        u"DLxCenterDatumInstance", &InitGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCenterDatumInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxCenterDatumInstance*>(nullptr));

RSeMetaType* DLxCenterDatumInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}
