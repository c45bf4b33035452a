// Storage of an older symbol's attaching point: the anchor point's part, then the location
// (point).
#include "dl/DLxSymAttachingPoint.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {5b2e8c41-7a3d-11d1-9d4b-080009d9311e}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x5b2e8c41, 0x7a3d11d1, 0x9d4b0800, 0x09d9311e);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymAttachingPoint*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxSymAttachingPoint>(
        u"DLxSymAttachingPoint", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxAnchorPoint*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSymAttachingPoint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxSymAttachingPoint*>(nullptr));

RSeMetaType* DLxSymAttachingPoint::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSymAttachingPoint::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_location);
}

void DLxSymAttachingPoint::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_location);
}

UTxResult DLxSymAttachingPoint::Clone(DLxSymAttachingPoint* target,
                                      RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_location = m_location;
    return {};
}
