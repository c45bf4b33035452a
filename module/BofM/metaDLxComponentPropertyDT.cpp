// Storage of the document value kinds, after the base record:
//   general and general transparent (version 1): general id, value, proxy, value type;
//   text (version 1): name, value, proxy, value type;
//   text transparent (version 1): name, proxy, value, value type;
//   integer (version 0): name, value, proxy;   real (version 0): name, value, proxy.
// The proxy belongs to the component that owns the property: it is referred to, not owned.
#include "BofM/DLxComponentPropertyDT.h"
#include "BofM/DLxPersistUtil.h"
#include "dl/DLxComponentProxy.h"
#include "rse/RSeMeta.h"

namespace {
RSeMetaType* Base() {
    return RSe::_InitMeta(static_cast<const DLxComponentProperty*>(nullptr));
}
} // namespace

#define KORVU_NAME(Class) u"" #Class
#define KORVU_COMPONENT_PROPERTY_META(Class, w0, w1, w2, w3, version)                              \
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

KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyGeneralDT, 0x039838C6, 0xA4E211D2, 0x8BCD0800,
                              0x09DB8810, 1)
KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyGeneralDTTransparent, 0x66DD88D5, 0xBBCD11D2,
                              0x8BCE0800, 0x09DB8810, 1)
KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyStringDT, 0x2C0D60DB, 0x5D9011D2, 0x8BC30800,
                              0x09DB8810, 1)
KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyStringDTTransparent, 0x52481794, 0x6F9A11D2,
                              0x8BC70800, 0x09DB8810, 1)
KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyIntegerDT, 0x2C0D60DF, 0x5D9011D2, 0x8BC30800,
                              0x09DB8810, 0)
KORVU_COMPONENT_PROPERTY_META(DLxComponentPropertyRealDT, 0x2C0D60E5, 0x5D9011D2, 0x8BC30800,
                              0x09DB8810, 0)

// ---- general

void DLxComponentPropertyGeneralDT::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_generalId);
    s.Read(m_value);
    s.Read(m_proxy);
    s.Read(m_type);
}

void DLxComponentPropertyGeneralDT::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_generalId);
    s.Read(m_value);
    s.Read(m_proxy);
    m_type = 1;
}

void DLxComponentPropertyGeneralDT::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_generalId << m_value;
    s.Write(m_proxy);
    s << m_type;
}

void DLxComponentPropertyGeneralDT::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
}

UTxResult DLxComponentPropertyGeneralDT::Clone(DLxComponentPropertyGeneralDT* target,
                                               RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_generalId = m_generalId;
    target->m_type = m_type;
    target->m_value = m_value;
    cc->CloneRef(m_proxy, target->m_proxy);
    return {};
}

// ---- named text

void DLxComponentPropertyStringDT::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_name);
    s.Read(m_value);
    s.Read(m_proxy);
    s.Read(m_type);
}

void DLxComponentPropertyStringDT::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_name);
    s.Read(m_value);
    s.Read(m_proxy);
    m_type = 1;
}

void DLxComponentPropertyStringDT::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_name << m_value;
    s.Write(m_proxy);
    s << m_type;
}

void DLxComponentPropertyStringDT::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
}

UTxResult DLxComponentPropertyStringDT::Clone(DLxComponentPropertyStringDT* target,
                                              RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_type = m_type;
    target->m_name = m_name;
    target->m_value = m_value;
    cc->CloneRef(m_proxy, target->m_proxy);
    return {};
}

void DLxComponentPropertyStringDTTransparent::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_name);
    s.Read(m_proxy);
    s.Read(m_value);
    s.Read(m_type);
}

void DLxComponentPropertyStringDTTransparent::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_name);
    s.Read(m_proxy);
    m_value.clear();
    m_type = 1;
}

void DLxComponentPropertyStringDTTransparent::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_name;
    s.Write(m_proxy);
    s << m_value << m_type;
}

// ---- integer and real

template <class T> void DLxComponentPropertyNumberDT<T>::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_name);
    s.Read(m_value);
    s.Read(m_proxy);
}

template <class T> void DLxComponentPropertyNumberDT<T>::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_name << m_value;
    s.Write(m_proxy);
}

template <class T> void DLxComponentPropertyNumberDT<T>::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
}

template <class T>
UTxResult DLxComponentPropertyNumberDT<T>::CloneInto(DLxComponentPropertyNumberDT* target,
                                                     RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_name = m_name;
    target->m_value = m_value;
    cc->CloneRef(m_proxy, target->m_proxy);
    return {};
}

template void DLxComponentPropertyNumberDT<int32_t>::Load(RSeStream&);
template void DLxComponentPropertyNumberDT<int32_t>::Save(RSeStream&) const;
template void DLxComponentPropertyNumberDT<int32_t>::FixPtrs(RSeMetaContext&);
template UTxResult DLxComponentPropertyNumberDT<int32_t>::CloneInto(DLxComponentPropertyNumberDT*,
                                                              RSeCloneCommander*) const;
template void DLxComponentPropertyNumberDT<double>::Load(RSeStream&);
template void DLxComponentPropertyNumberDT<double>::Save(RSeStream&) const;
template void DLxComponentPropertyNumberDT<double>::FixPtrs(RSeMetaContext&);
template UTxResult DLxComponentPropertyNumberDT<double>::CloneInto(DLxComponentPropertyNumberDT*,
                                                              RSeCloneCommander*) const;
