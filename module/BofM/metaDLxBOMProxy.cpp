// Storage of the BOM proxy (version 0), after the base record: the data source it owns.
#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {48b96bcb-f5bf-11d1-ba7c-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x48B96BCB, 0xF5BF11D1, 0xBA7C0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxBOMProxy*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxBOMProxy>(u"DLxBOMProxy", &InitGuid, 0, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxBOMProxy* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxBOMProxy::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxBOMProxy::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_source);
}

void DLxBOMProxy::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_source);
}

void DLxBOMProxy::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_source.FixAddress(ctx);
}

UTxResult DLxBOMProxy::Clone(DLxBOMProxy* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    // The copy owns a data source of its own.
    DLxPersistUtil::CloneOwned(cc, m_source, target->m_source);
    return {};
}
