// Storage of the column headers, version 0: displayed positions, columns (refs), first list,
// second list (vectors), then the count of columns created (long). After a load, positions
// that name no column are dropped.
#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {de09c149-7758-11d3-8672-0060b087236c}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xDE09C149, 0x775811D3, 0x86720060, 0xB087236C);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListColumnHeaders*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListColumnHeaders>(
        u"DLxPartListColumnHeaders", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListColumnHeaders* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListColumnHeaders::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListColumnHeaders::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    DLxPersistUtil::ReadVector(s, m_displayed);
    DLxPersistUtil::ReadVector(s, m_columns);
    DLxPersistUtil::ReadVector(s, m_firstList);
    DLxPersistUtil::ReadVector(s, m_secondList);
    s.Read(m_count);
}

void DLxPartListColumnHeaders::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_displayed);
    DLxPersistUtil::WriteVector(s, m_columns);
    DLxPersistUtil::WriteVector(s, m_firstList);
    DLxPersistUtil::WriteVector(s, m_secondList);
    s << m_count;
}

void DLxPartListColumnHeaders::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    DLxPersistUtil::FixVector(m_columns, ctx);
}

UTxResult DLxPartListColumnHeaders::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    Rebuild();
    return {};
}

UTxResult DLxPartListColumnHeaders::Clone(DLxPartListColumnHeaders* t,
                                          RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_displayed = m_displayed;
    DLxPersistUtil::CloneOwnedVector(m_columns, t->m_columns, cc);
    t->m_firstList = m_firstList;
    t->m_secondList = m_secondList;
    t->m_count = m_count;
    return {};
}
