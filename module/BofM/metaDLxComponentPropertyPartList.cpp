// Storage of the parts-list value kinds, after the base record:
//   item, quantity, part name (version 0): proxy;
//   mass (version 1): proxy, cached mass;
//   material (version 2): proxy, value, override, overridden.
// The proxy belongs to the component that owns the property: it is referred to, not owned.
#include "BofM/DLxComponentPropertyPartList.h"
#include "BofM/DLxPersistUtil.h"
#include "dl/DLxComponentProxy.h"
#include "rse/RSeMeta.h"

namespace {
RSeMetaType* Base() {
    return RSe::_InitMeta(static_cast<const DLxComponentProperty*>(nullptr));
}
} // namespace

#define KORVU_NAME(Class) u"" #Class
#define KORVU_PART_LIST_PROPERTY_META(Class, w0, w1, w2, w3, version)                              \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Class*) {                                                         \
        static RSeMetaType* mt = RSeMakeMeta<Class>(                                               \
            KORVU_NAME(Class), [](UTxGUID& g) { g = UTxGUID(w0, w1, w2, w3); }, version,           \
            RSeMetaType::kClass, Base());                                                          \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Class* p) {                                                        \
        return _InitMeta(p);                                                                       \
    }                                                                                              \
    }                                                                                              \
    RSeMetaType* Class::GetMeta() const {                                                          \
        return RSe::_GetMeta(this);                                                                \
    }

// The kinds that store the proxy alone.
#define KORVU_PROXY_ONLY_STORAGE(Class)                                                            \
    void Class::Load(RSeStream& s) {                                                               \
        DLxPersistUtil::LoadBase(this, s);                                                         \
        RSeIRefAllocDisable guard(s.GetSegment());                                                 \
        s.Read(m_proxy);                                                                           \
    }                                                                                              \
    void Class::Save(RSeStream& s) const {                                                         \
        DLxPersistUtil::SaveBase(this, s);                                                         \
        s.Write(m_proxy);                                                                          \
    }                                                                                              \
    void Class::FixPtrs(RSeMetaContext& ctx) {                                                     \
        DLxPersistUtil::FixPtrsBase(this, ctx);                                                    \
        m_proxy.FixAddress(ctx);                                                                   \
    }                                                                                              \
    UTxResult Class::Clone(Class* target, RSeCloneCommander* cc) const {                           \
        DLxPersistUtil::CloneBase(this, target, cc);                                               \
        cc->CloneRef(m_proxy, target->m_proxy);                                                    \
        return {};                                                                                 \
    }

KORVU_PART_LIST_PROPERTY_META(DLxComponentPropertyPartListItem, 0x66DD88FB, 0xBBCD11D2, 0x8BCE0800,
                              0x09DB8810, 0)
KORVU_PART_LIST_PROPERTY_META(DLxComponentPropertyPartListQuantity, 0x66DD8901, 0xBBCD11D2,
                              0x8BCE0800, 0x09DB8810, 0)
KORVU_PART_LIST_PROPERTY_META(DLxComponentPropertyPartListPartName, 0xCD32F3E9, 0xED2911D2,
                              0x8BCF0800, 0x09DB8810, 0)
KORVU_PART_LIST_PROPERTY_META(DLxComponentPropertyPartListPartMass, 0xFF41B0F4, 0x0CAB11D3,
                              0xB2FF0060, 0xB087BCEC, 1)
KORVU_PART_LIST_PROPERTY_META(DLxComponentPropertyPartListPartMaterial, 0xA5624C60, 0x0CAB11D3,
                              0xB2FF0060, 0xB087BCEC, 2)

KORVU_PROXY_ONLY_STORAGE(DLxComponentPropertyPartListItem)
KORVU_PROXY_ONLY_STORAGE(DLxComponentPropertyPartListQuantity)
KORVU_PROXY_ONLY_STORAGE(DLxComponentPropertyPartListPartName)

void DLxComponentPropertyPartListPartMass::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_proxy);
    s.Read(m_mass);
}

void DLxComponentPropertyPartListPartMass::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_proxy);
    m_mass.clear();
}

void DLxComponentPropertyPartListPartMass::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_proxy);
    s << m_mass;
}

void DLxComponentPropertyPartListPartMass::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
}

UTxResult DLxComponentPropertyPartListPartMass::Clone(DLxComponentPropertyPartListPartMass* target,
                                                      RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    cc->CloneRef(m_proxy, target->m_proxy);
    target->m_mass = m_mass;
    return {};
}

void DLxComponentPropertyPartListPartMaterial::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_proxy);
    s.Read(m_value);
    s.Read(m_override);
    s.Read(m_overridden);
}

void DLxComponentPropertyPartListPartMaterial::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_proxy);
    m_value.clear();
    if (version == 1) s.Read(m_value);
    m_override.clear();
    m_overridden = false;
}

void DLxComponentPropertyPartListPartMaterial::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_proxy);
    s << m_value << m_override << m_overridden;
}

void DLxComponentPropertyPartListPartMaterial::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
}

UTxResult
DLxComponentPropertyPartListPartMaterial::Clone(DLxComponentPropertyPartListPartMaterial* target,
                                                RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    cc->CloneRef(m_proxy, target->m_proxy);
    target->m_value = m_value;
    target->m_override = m_override;
    target->m_overridden = m_overridden;
    return {};
}
