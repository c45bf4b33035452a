#include "DatumId/DLxCenterDatumInstance.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xf5a6ed78, 0x7c6911d4, 0xb7690060, 0xb0fbb682);
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
