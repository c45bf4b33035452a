// Storage of the sketched symbol (version 3, after the placed symbol's part): the clip-others
// byte. Versions 0 to 2 did not hold it and read as clip others; version 0 symbols are queued
// for the upgrade of their intermediate leader (DLxUpdateLeaderStateMigrator).
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxCallOutInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x28156908, 0x375D11D4, 0xB7610060, 0xB0FBB682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCallOutInstance>(
        u"DLxCallOutInstance", &InitGuid, 3, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCallOutInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCallOutInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCallOutInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 3) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_clipOthers);
    m_temporary = false;
}

void DLxCallOutInstance::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    if (version > 3) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    m_clipOthers = true;
    m_temporary = false;
}

void DLxCallOutInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_clipOthers);
}

UTxResult DLxCallOutInstance::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

UTxResult DLxCallOutInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    const UTxResult r = DLxSymInstance::PostRestoreMigrate(ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0)
        if (RSeSegmentMigrationContextRSeRef* queue =
                RSe::SegmentMigrationContextRSeRef(GetSegment(), GetMeta(), 0, true))
            queue->Add(RSeRef<RSeIDed>(this));
    return r;
}

UTxResult DLxCallOutInstance::Clone(DLxCallOutInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_clipOthers = m_clipOthers;
    target->m_temporary = m_temporary;
    return {};
}
