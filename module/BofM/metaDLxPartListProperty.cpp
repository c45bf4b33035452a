// Storage of the older row's property.
//   version 2: value reference, property-id reference, detached (bool);
//   version 1: the same; a parts-list property (types 3 to 7) was wrongly stored detached and
//              is attached again after the load;
//   version 0: the two references only (not detached).
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {b610ef8c-6546-11d2-8bc5-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xB610EF8C, 0x654611D2, 0x8BC50800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListProperty*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListProperty>(
        u"DLxPartListProperty", &InitGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListProperty* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListProperty::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListProperty::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_value);
    s.Read(m_id);
    s.Read(m_detached);
}

void DLxPartListProperty::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_value);
    s.Read(m_id);
    m_detached = false;
    if (version == 1) s.Read(m_detached);
}

void DLxPartListProperty::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_value);
    s.Write(m_id);
    s << m_detached;
}

void DLxPartListProperty::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_value.FixAddress(ctx);
    m_id.FixAddress(ctx);
}

UTxResult DLxPartListProperty::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 1) {
        const RSeRef<DLxPartListPropertyId> id = GetPropertyId();
        const int32_t type = id ? id.Read()->GetType() : 0;
        if (type >= DLxPartListPropertyId::eItemNumber &&
            type <= DLxPartListPropertyId::eMaterial)
            m_detached = false;
    }
    return {};
}

UTxResult DLxPartListProperty::Clone(DLxPartListProperty* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    DLxPersistUtil::CloneOwned(cc, m_value, target->m_value);
    DLxPersistUtil::CloneOwned(cc, m_id, target->m_id);
    target->m_detached = m_detached;
    return {};
}
