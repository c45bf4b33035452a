// Storage of the legacy leader text, after the legacy symbol part: the text (reference).
// Versions 0 to 3 share this layout; a text of version 0 is queued for the leader-text upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxLeaderText.h"
#include "rd/RDxString.h"
#include "rse/RSeMeta.h"

namespace {
// {c858d150-3306-11d2-91c4-0060b0570379}
void LeaderTextGuid(UTxGUID& g) {
    g = UTxGUID(0xc858d150, 0x330611d2, 0x91c40060, 0xb0570379);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderText*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxLeaderText>(u"DLxLeaderText", &LeaderTextGuid, 3, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxLeaderText* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxLeaderText::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxLeaderText::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_text);
}

void DLxLeaderText::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_text);
}

void DLxLeaderText::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_text.FixAddress(ctx);
}

UTxResult DLxLeaderText::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0) QueueForUpgrade();
    return {};
}

UTxResult DLxLeaderText::Clone(DLxLeaderText* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_text, t->m_text);
    return {};
}
