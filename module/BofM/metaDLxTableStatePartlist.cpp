// Storage of the parts-list table state, version 2: the table state's record, then the local
// bill (reference), the group keys (vector of references), the flags and the bill status
// (unsigned longs), the selected members (vector of texts).
//   version 1: the same record; version 0: no selected members.
// States of versions 0 and 1 with members on a bill that is not assembly based keep them all
// (flag 0x10).
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxLocalBOM.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x6018a1bd, 0x89c94ceb, 0x8f4173a7, 0x773b31da);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableStatePartlist*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableStatePartlist>(
        u"DLxTableStatePartlist", &StateGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStateBase*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableStatePartlist* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTableStatePartlist::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTableStatePartlist::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_localBOM);
    }
    DLxPersistUtil::ReadVector(s, m_groupKeys);
    s.Read(m_flags);
    s.Read(m_bomStatus);
    DLxPersistUtil::ReadVector(s, m_selectedMembers);
}

void DLxTableStatePartlist::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version == 1) {
        Load(s);
        return;
    }
    if (version != 0) {
        DLxPersistUtil::LoadBase(this, s);
        return;
    }
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_localBOM);
    }
    DLxPersistUtil::ReadVector(s, m_groupKeys);
    s.Read(m_flags);
    s.Read(m_bomStatus);
    m_selectedMembers.clear();
}

void DLxTableStatePartlist::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_localBOM.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_groupKeys, ctx);
}

UTxResult DLxTableStatePartlist::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    const uint16_t version = DLxPersistUtil::StoredVersion(ctx);
    if (version <= 1 && !m_selectedMembers.empty() && LocalBOM() && !LocalBOM()->IsAssemblyBased())
        m_flags |= kSeveralMembers;
    return {};
}

void DLxTableStatePartlist::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_localBOM);
    DLxPersistUtil::WriteVector(s, m_groupKeys);
    s << m_flags << m_bomStatus;
    DLxPersistUtil::WriteVector(s, m_selectedMembers);
}

UTxResult DLxTableStatePartlist::Clone(DLxTableStatePartlist* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    const RSeSegment* segment = target->GetSegment();
    const bool transient = segment && segment->IsTransient();
    if (transient || FWxDocUtil::DocumentOf(this) == FWxDocUtil::DocumentOf(target))
        target->m_localBOM = m_localBOM;
    else
        cc->CloneRef(m_localBOM, target->m_localBOM);
    DLxPersistUtil::CloneOwnedVector(m_groupKeys, target->m_groupKeys, cc);
    target->m_flags = m_flags;
    target->m_bomStatus = m_bomStatus;
    target->m_selectedMembers = m_selectedMembers;
    return {};
}
