#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxSymInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {2ed478de-370c-11d4-b761-0060b0fbb682}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x2ed478de, 0x370c11d4, 0xb7610060, 0xb0fbb682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSymInstance>(u"DLxSymInstance", &InitGuid, 7, 0x8F18,
                                    RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSymInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxSymInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSymInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 7) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_displayLeaders);
    s.Read(m_reverseSide);
    s.Read(m_alwaysHorizontal);
    s.Read(m_alignment);
    s.Read(m_outlineType);
    s.Read(m_symFlags);
}

void DLxSymInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_displayLeaders << m_reverseSide << m_alwaysHorizontal << m_alignment << m_outlineType
      << m_symFlags;
}

UTxResult DLxSymInstance::Clone(DLxSymInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_outlineType = m_outlineType;
    target->m_symFlags = m_symFlags;
    target->m_displayLeaders = m_displayLeaders;
    target->m_reverseSide = m_reverseSide;
    target->m_alwaysHorizontal = m_alwaysHorizontal;
    target->m_alignment = m_alignment;
    return {};
}
