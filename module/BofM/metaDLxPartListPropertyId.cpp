// Storage of the property id, version 0: type (long), general id (long), custom id (text).
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {039838c0-a4e2-11d2-8bcd-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x039838C0, 0xA4E211D2, 0x8BCD0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListPropertyId*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListPropertyId>(
        u"DLxPartListPropertyId", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListPropertyId* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListPropertyId::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListPropertyId::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    int32_t type = 0;
    s.Read(type);
    m_type = PropertyType(type);
    s.Read(m_generalId);
    s.Read(m_customId);
}

void DLxPartListPropertyId::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << int32_t(m_type) << m_generalId << m_customId;
}

UTxResult DLxPartListPropertyId::Clone(DLxPartListPropertyId* target,
                                       RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_type = m_type;
    target->m_generalId = m_generalId;
    target->m_customId = m_customId;
    return {};
}
