// Storage of the oldest column headers, version 0: displayed positions (longs), property ids
// (refs), widths (doubles), header alignments, column alignments, first list, second list
// (longs), each a vector, then the count (long).
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {62e92e01-58b2-11d2-8bc3-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x62E92E01, 0x58B211D2, 0x8BC30800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxColumnHeaders*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxColumnHeaders>(u"DLxColumnHeaders", &InitGuid, 0, RSeMetaType::kClass,
                                      RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxColumnHeaders* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxColumnHeaders::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxColumnHeaders::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    DLxPersistUtil::ReadVector(s, m_displayed);
    DLxPersistUtil::ReadVector(s, m_propertyIds);
    DLxPersistUtil::ReadVector(s, m_widths);
    DLxPersistUtil::ReadVector(s, m_headerAlignments);
    DLxPersistUtil::ReadVector(s, m_columnAlignments);
    DLxPersistUtil::ReadVector(s, m_firstList);
    DLxPersistUtil::ReadVector(s, m_secondList);
    s.Read(m_count);
}

void DLxColumnHeaders::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_displayed);
    DLxPersistUtil::WriteVector(s, m_propertyIds);
    DLxPersistUtil::WriteVector(s, m_widths);
    DLxPersistUtil::WriteVector(s, m_headerAlignments);
    DLxPersistUtil::WriteVector(s, m_columnAlignments);
    DLxPersistUtil::WriteVector(s, m_firstList);
    DLxPersistUtil::WriteVector(s, m_secondList);
    s << m_count;
}

void DLxColumnHeaders::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    DLxPersistUtil::FixVector(m_propertyIds, ctx);
}

UTxResult DLxColumnHeaders::Clone(DLxColumnHeaders* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_displayed = m_displayed;
    DLxPersistUtil::CloneOwnedVector(m_propertyIds, t->m_propertyIds, cc);
    t->m_widths = m_widths;
    t->m_headerAlignments = m_headerAlignments;
    t->m_columnAlignments = m_columnAlignments;
    t->m_firstList = m_firstList;
    t->m_secondList = m_secondList;
    t->m_count = m_count;
    return {};
}
