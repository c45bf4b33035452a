// Storage of the older parts lists' components, after the base record:
//   DLxPartListComponent (version 1): proxy, properties (reference vector), transparent;
//     version 0 has the same form;
//   DLxPartListComponentGroup (version 0): BOM proxy, references (vector), transparent.
// Both own what their first two fields name, so a copy gets copies of its own.
#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPersistUtil.h"
#include "dl/DLxComponentProxy.h"
#include "rse/RSeMeta.h"

namespace {
// {18b1fe04-57de-11d2-8bc3-080009db8810}
void ComponentGuid(UTxGUID& g) {
    g = UTxGUID(0x18B1FE04, 0x57DE11D2, 0x8BC30800, 0x09DB8810);
}
// {7e66737a-58aa-11d2-8bc3-080009db8810}
void GroupGuid(UTxGUID& g) {
    g = UTxGUID(0x7E66737A, 0x58AA11D2, 0x8BC30800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListComponent*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListComponent>(
        u"DLxPartListComponent", &ComponentGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListComponent* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxPartListComponentGroup*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListComponentGroup>(
        u"DLxPartListComponentGroup", &GroupGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListComponentGroup* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListComponent::GetMeta() const {
    return RSe::_GetMeta(this);
}

RSeMetaType* DLxPartListComponentGroup::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListComponent::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_proxy);
    DLxPersistUtil::ReadVector(s, m_properties);
    s.Read(m_transparent);
}

void DLxPartListComponent::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    Load(s);
}

void DLxPartListComponent::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_proxy);
    DLxPersistUtil::WriteVector(s, m_properties);
    s << m_transparent;
}

void DLxPartListComponent::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_proxy.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_properties, ctx);
}

UTxResult DLxPartListComponent::Clone(DLxPartListComponent* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    DLxPersistUtil::CloneOwned(cc, m_proxy, target->m_proxy);
    DLxPersistUtil::CloneOwnedVector(m_properties, target->m_properties, cc);
    target->m_transparent = m_transparent;
    return {};
}

void DLxPartListComponentGroup::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_bomProxy);
    DLxPersistUtil::ReadVector(s, m_refs);
    s.Read(m_transparent);
}

void DLxPartListComponentGroup::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_bomProxy);
    DLxPersistUtil::WriteVector(s, m_refs);
    s << m_transparent;
}

void DLxPartListComponentGroup::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_bomProxy.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_refs, ctx);
}

UTxResult DLxPartListComponentGroup::Clone(DLxPartListComponentGroup* target,
                                           RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    DLxPersistUtil::CloneOwned(cc, m_bomProxy, target->m_bomProxy);
    DLxPersistUtil::CloneVector(m_refs, target->m_refs, cc);
    target->m_transparent = m_transparent;
    return {};
}
