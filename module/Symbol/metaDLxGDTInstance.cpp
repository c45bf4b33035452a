#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxAllAroundMigrator.h"
#include "Symbol/DLxGDTInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {502678e6-9b54-11d4-abae-0010b547d27d}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x502678e6, 0x9b5411d4, 0xabae0010, 0xb547d27d);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxGDTInstance>(u"DLxGDTInstance", &InitGuid, 4, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxGDTInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxGDTInstance*>(nullptr));

RSeMetaType* DLxGDTInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The base part, then the attachment-rule byte.
void DLxGDTInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_attachmentRule);
}

// Versions 0 to 3 stored only the placed-symbol part; their frames attach by the older rule
// until the host marks them.
void DLxGDTInstance::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    m_attachmentRule = false;
}

UTxResult DLxGDTInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    m_attachmentRule = false;
    // Versions 0 to 2 kept no all-around diameter.
    if (DLxPersistUtil::StoredVersion(ctx) <= 2)
        if (DLxAllAroundMigrateContext* all = DLxAllAroundMigrateContext::Find(this))
            all->AddGDTInstance(RSeRef<DLxSymInstance>(this));
    return {};
}

void DLxGDTInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_attachmentRule;
}

UTxResult DLxGDTInstance::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

UTxResult DLxGDTInstance::Clone(DLxGDTInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_attachmentRule = m_attachmentRule;
    return {};
}
