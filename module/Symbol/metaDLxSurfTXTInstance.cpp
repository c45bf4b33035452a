#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxAllAroundMigrator.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {0025EEA5-11D4-F08F-1000-CDAB7DD247B5}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x0025EEA5, 0x11D4F08F, 0x1000CDAB, 0x7DD247B5);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSurfTXTInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSurfTXTInstance>(u"DLxSurfTXTInstance", &InitGuid, 3, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSurfTXTInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxSurfTXTInstance*>(nullptr));

RSeMetaType* DLxSurfTXTInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The placed-symbol part only.
void DLxSurfTXTInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
}

void DLxSurfTXTInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
}

UTxResult DLxSurfTXTInstance::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

// Every version stored the placed-symbol part alone. Version 0 also kept an all-around flag on
// the leader; the symbol's own flag is the one that draws the mark, so the leader's is cleared.
UTxResult DLxSurfTXTInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0)
        if (DUxLeaderNodeTree* leader = GetLeader(0)) leader->SetAllAround(false);
    // Versions 0 to 2 kept no all-around diameter.
    if (DLxPersistUtil::StoredVersion(ctx) <= 2)
        if (DLxAllAroundMigrateContext* all = DLxAllAroundMigrateContext::Find(this))
            all->AddSurfTXTInstance(RSeRef<DLxSymInstance>(this));
    return {};
}

UTxResult DLxSurfTXTInstance::Clone(DLxSurfTXTInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    return {};
}
