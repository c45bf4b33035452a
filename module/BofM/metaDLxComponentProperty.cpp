// Storage of the abstract value object: the base record only; the kinds store their own fields.
#include "BofM/DLxComponentProperty.h"
#include "rse/RSeMeta.h"

namespace {
// {18b1fe09-57de-11d2-8bc3-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x18B1FE09, 0x57DE11D2, 0x8BC30800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxComponentProperty*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxComponentProperty>(
        u"DLxComponentProperty", &InitGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxComponentProperty* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxComponentProperty::GetMeta() const {
    return RSe::_GetMeta(this);
}
