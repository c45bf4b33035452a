// Storage of the rows of older component properties tables, after the base record:
//   DLxPartListPropertiesTableComponent (abstract, version 0): nothing;
//   DLxTableComponentBinder (version 2): component, merged components, their origins,
//     quantity property, expanded, children, parent, shown, text, number;
//     version 0 stopped after expanded (no children, no parent, shown, empty text, number 1);
//     version 1 is the current form; later versions are refused.
// Candidates are not stored: they live only while a row is expanded.
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListTablePropertyQuantity.h"
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableComponentBinder.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
// {66dd88d9-bbcd-11d2-8bce-080009db8810}
void BaseGuid(UTxGUID& g) {
    g = UTxGUID(0x66DD88D9, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810);
}
// {66dd88de-bbcd-11d2-8bce-080009db8810}
void BinderGuid(UTxGUID& g) {
    g = UTxGUID(0x66DD88DE, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListPropertiesTableComponent*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListPropertiesTableComponent>(
        u"DLxPartListPropertiesTableComponent", &BaseGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListPropertiesTableComponent* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxTableComponentBinder*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableComponentBinder>(
        u"DLxTableComponentBinder", &BinderGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxPartListPropertiesTableComponent*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableComponentBinder* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListPropertiesTableComponent::GetMeta() const {
    return RSe::_GetMeta(this);
}

RSeMetaType* DLxTableComponentBinder::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTableComponentBinder::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_component);
    DLxPersistUtil::ReadVector(s, m_merged);
    DLxPersistUtil::ReadVector(s, m_mergedOrigins);
    if (m_mergedOrigins.size() != m_merged.size())
        RSe::ThrowDamaged(u"a row's merged components and their origins differ in number");
    s.Read(m_quantity);
    s.Read(m_expanded);
    DLxPersistUtil::ReadVector(s, m_children);
    s.Read(m_parent);
    s.Read(m_shown);
    s.Read(m_text);
    s.Read(m_number);
}

void DLxTableComponentBinder::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    if (version == 1) {
        Load(s);
        return;
    }
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_component);
    DLxPersistUtil::ReadVector(s, m_merged);
    DLxPersistUtil::ReadVector(s, m_mergedOrigins);
    if (m_mergedOrigins.size() != m_merged.size())
        RSe::ThrowDamaged(u"a row's merged components and their origins differ in number");
    s.Read(m_quantity);
    s.Read(m_expanded);
    m_children.clear();
    m_parent = nullptr;
    m_shown = true;
    m_text.clear();
    m_number = 1;
}

void DLxTableComponentBinder::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_component);
    DLxPersistUtil::WriteVector(s, m_merged);
    DLxPersistUtil::WriteVector(s, m_mergedOrigins);
    s.Write(m_quantity);
    s << m_expanded;
    DLxPersistUtil::WriteVector(s, m_children);
    s.Write(m_parent);
    s << m_shown << m_text << m_number;
}

void DLxTableComponentBinder::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_component.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_merged, ctx);
    DLxPersistUtil::FixVector(m_mergedOrigins, ctx);
    m_quantity.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_children, ctx);
    m_parent.FixAddress(ctx);
}

UTxResult DLxTableComponentBinder::Clone(DLxTableComponentBinder* target,
                                         RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    // What the row owns, the copy owns a copy of; the origins and the parent follow the
    // copies when they are copied too.
    DLxPersistUtil::CloneOwned(cc, m_component, target->m_component);
    DLxPersistUtil::CloneOwnedVector(m_merged, target->m_merged, cc);
    DLxPersistUtil::CloneVector(m_mergedOrigins, target->m_mergedOrigins, cc);
    DLxPersistUtil::CloneOwned(cc, m_quantity, target->m_quantity);
    DLxPersistUtil::CloneOwnedVector(m_children, target->m_children, cc);
    cc->CloneRef(m_parent, target->m_parent);
    target->m_expanded = m_expanded;
    target->m_shown = m_shown;
    target->m_text = m_text;
    target->m_number = m_number;
    return {};
}
