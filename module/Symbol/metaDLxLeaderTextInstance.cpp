// Storage of the leader-text instance: the placed-symbol part only, at every version. The text
// box outline is derived and not stored. Versions 0 to 3 were written before the current
// layout: their texts keep the older placement (their stored symbol flags lack
// kCurrentLayoutFlag) until an edit marks them, and are queued for the underline upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "du/DUxLeaderTextState.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
// {db06a399-f88b-11d4-abcd-0010b547d27d}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xDB06A399, 0xF88B11D4, 0xABCD0010, 0xB547D27D);
}

// A loaded leader text has a leader-text state; a document that lost it is damaged.
UTxResult CheckLoaded(const DLxLeaderTextInstance* inst, RSeMetaContext& ctx) {
    if (ctx.IsLoading() && !inst->GetLeaderTextState())
        RSe::ThrowDamaged(u"a leader text has no leader-text state");
    return {};
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderTextInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxLeaderTextInstance>(
        u"DLxLeaderTextInstance", &InitGuid, 4, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxLeaderTextInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxLeaderTextInstance*>(nullptr));

RSeMetaType* DLxLeaderTextInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxLeaderTextInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    m_outline.clear();
}

void DLxLeaderTextInstance::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    m_outline.clear();
    // Their underlines come from their leaders now (DLxLeaderTextUnderlineMigrator).
    if (RSeSegmentMigrationContextRSeRef* ctx = RSe::SegmentMigrationContextRSeRef(
            GetSegment(), RSe::_GetMeta(static_cast<const DLxLeaderTextInstance*>(nullptr)), 3,
            true))
        ctx->Add(RSeRef<RSeIDed>(this));
}

void DLxLeaderTextInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
}

UTxResult DLxLeaderTextInstance::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return CheckLoaded(this, ctx);
}

UTxResult DLxLeaderTextInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return CheckLoaded(this, ctx);
}

UTxResult DLxLeaderTextInstance::Clone(DLxLeaderTextInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_outline.clear();
    return {};
}
