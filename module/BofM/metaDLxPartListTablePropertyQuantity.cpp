// Storage of a row's quantity property (version 1), after the property's own record: binder,
// the component's quantity value, override text, overridden. Version 0 had no override.
#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxPartListTablePropertyQuantity.h"
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableComponentBinder.h"
#include "rse/RSeMeta.h"

namespace {
// {66dd8905-bbcd-11d2-8bce-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x66DD8905, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListTablePropertyQuantity*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListTablePropertyQuantity>(
        u"DLxPartListTablePropertyQuantity", &InitGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxPartListProperty*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListTablePropertyQuantity* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListTablePropertyQuantity::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListTablePropertyQuantity::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_binder);
    s.Read(m_quantityValue);
    s.Read(m_override);
    s.Read(m_overridden);
}

void DLxPartListTablePropertyQuantity::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_binder);
    s.Read(m_quantityValue);
    m_override.clear();
    m_overridden = false;
}

void DLxPartListTablePropertyQuantity::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_binder);
    s.Write(m_quantityValue);
    s << m_override << m_overridden;
}

void DLxPartListTablePropertyQuantity::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_binder.FixAddress(ctx);
    m_quantityValue.FixAddress(ctx);
}

UTxResult DLxPartListTablePropertyQuantity::Clone(DLxPartListTablePropertyQuantity* target,
                                                  RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    cc->CloneRef(m_binder, target->m_binder);
    cc->CloneRef(m_quantityValue, target->m_quantityValue);
    target->m_override = m_override;
    target->m_overridden = m_overridden;
    return {};
}
