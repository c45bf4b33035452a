// Storage of an attaching-point set: the state set's part, nothing of its own.
#include "dl/DLxAttachingPointStateSet.h"
#include "rse/RSeMeta.h"

namespace {
// {5b2e8c42-7a3d-11d1-9d4b-080009d9311e}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x5b2e8c42, 0x7a3d11d1, 0x9d4b0800, 0x09d9311e);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxAttachingPointStateSet*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxAttachingPointStateSet>(
        u"DLxAttachingPointStateSet", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxStateSet*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxAttachingPointStateSet* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxAttachingPointStateSet*>(nullptr));

RSeMetaType* DLxAttachingPointStateSet::GetMeta() const {
    return RSe::_GetMeta(this);
}
