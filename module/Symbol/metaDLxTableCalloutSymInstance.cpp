// Storage of the table callout instance: nothing beyond the placed-symbol part. The leader-style
// choice is not stored: every load starts with the primary style.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "rse/RSeMeta.h"

namespace {
void InstanceGuid(UTxGUID& g) {
    g = UTxGUID(0xC46D1C46, 0xC72D42AD, 0x99DB616C, 0x9C20E8DB);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableCalloutSymInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableCalloutSymInstance>(
        u"DLxTableCalloutSymInstance", &InstanceGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableCalloutSymInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTableCalloutSymInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTableCalloutSymInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    m_usesPrimaryLeaderStyle = true;
}

void DLxTableCalloutSymInstance::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    m_usesPrimaryLeaderStyle = true;
}
