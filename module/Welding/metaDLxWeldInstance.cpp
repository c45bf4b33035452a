// Storage of the weld symbol: the placed-symbol part, then the ids of the model weld features
// shown on the arrow side and on the other side (version 4; version 0 had
// no ids).
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxAllAroundMigrator.h"
#include "Welding/DLxWeldInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {8a4d2c3e-1f6b-4e0a-b5c7-2d9e8f1a3b64}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x8a4d2c3e, 0x1f6b4e0a, 0xb5c72d9e, 0x8f1a3b64);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxWeldInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxWeldInstance>(u"DLxWeldInstance", &InitGuid, 4, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxWeldInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxWeldInstance*>(nullptr));

RSeMetaType* DLxWeldInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxWeldInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_arrowID);
    s.Read(m_otherID);
}

// Version 0 kept no feature ids; versions 1 to 3 differ from 4 in the placed-symbol part only.
void DLxWeldInstance::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    m_arrowID = kNoFeature;
    m_otherID = kNoFeature;
    if (DLxPersistUtil::StoredVersion(s) == 0) return;
    s.Read(m_arrowID);
    s.Read(m_otherID);
}

void DLxWeldInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_arrowID);
    s.Write(m_otherID);
}

UTxResult DLxWeldInstance::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

// Versions 0 to 2 kept no all-around diameter.
UTxResult DLxWeldInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) <= 2)
        if (DLxAllAroundMigrateContext* all = DLxAllAroundMigrateContext::Find(this))
            all->AddWeldInstance(RSeRef<DLxWeldInstance>(this));
    return {};
}

UTxResult DLxWeldInstance::Clone(DLxWeldInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_arrowID = m_arrowID;
    target->m_otherID = m_otherID;
    return {};
}
