#include "DatumId/DLxDatumIdInstance.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xf3f435a0, 0x725d11d4, 0xb7660060, 0xb0fbb682);
}
} // namespace

// Nothing is stored after the placed-symbol part.
namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumIdInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxDatumIdInstance>(
        u"DLxDatumIdInstance", &InitGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDatumIdInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDatumIdInstance*>(nullptr));

RSeMetaType* DLxDatumIdInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}
