// Storage of the 3D weld annotation: the emblem part (its anchor among the inputs), then the
// weld property bits and the model weld feature id, each an unsigned 32-bit value.
#include "BofM/DLxPersistUtil.h"
#include "Welding/DLxAnnoWeldInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {3c5e71a2-9b04-4d6f-a1e8-57c2b9d04e1f}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x3c5e71a2, 0x9b044d6f, 0xa1e857c2, 0xb9d04e1f);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnnoWeldInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxAnnoWeldInstance>(
        u"DLxAnnoWeldInstance", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxAnnoWeldInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxAnnoWeldInstance*>(nullptr));

RSeMetaType* DLxAnnoWeldInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxAnnoWeldInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_props);
    s.Read(m_featureId);
}

void DLxAnnoWeldInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_props);
    s.Write(m_featureId);
}

UTxResult DLxAnnoWeldInstance::Clone(DLxAnnoWeldInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_props = m_props;
    target->m_featureId = m_featureId;
    return {};
}
