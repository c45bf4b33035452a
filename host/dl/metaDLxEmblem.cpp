#include "dl/DLxEmblem.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b10, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxEmblem*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxEmblem>(u"DLxEmblem", &InitGuid, 0, RSeMetaType::kAbstractClass,
                               RSe::_InitMeta(static_cast<const DUxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxEmblem* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr));

RSeMetaType* DLxEmblem::GetMeta() const {
    return RSe::_GetMeta(this);
}
