// Storage of the legacy balloon, after the legacy symbol part: the balloon record (reference),
// then the stacked balloons (vector of references). Versions 0 and 1 share this layout; a
// balloon of version 0 is queued for the balloon upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloon.h"
#include "rse/RSeMeta.h"

namespace {
// {68ffe9d5-8d73-11d1-b564-0060b087bcec}
void BalloonGuid(UTxGUID& g) {
    g = UTxGUID(0x68ffe9d5, 0x8d7311d1, 0xb5640060, 0xb087bcec);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloon*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxBalloon>(u"DLxBalloon", &BalloonGuid, 1, RSeMetaType::kClass,
                                RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxBalloon* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxBalloon::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxBalloon::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_balloonData);
    }
    DLxPersistUtil::ReadVector(s, m_attached);
}

void DLxBalloon::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_balloonData);
    DLxPersistUtil::WriteVector(s, m_attached);
}

void DLxBalloon::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_balloonData.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_attached, ctx);
}

UTxResult DLxBalloon::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0) QueueForUpgrade();
    return {};
}

UTxResult DLxBalloon::Clone(DLxBalloon* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_balloonData, t->m_balloonData);
    DLxPersistUtil::CloneOwnedVector(m_attached, t->m_attached, cc);
    return {};
}
