// Storage of the row filters and their list, each version 0.
//   DUxTableRowFilter: the active flag (bool); the subclasses' fields follow.
//   DUxTableRowFilterList: the number of filters (unsigned long), then each filter's reference, in
//   order.
#include "du/DUxTableRowFilter.h"

#include "dc/RDxPersist.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void FilterGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c20, 0x8e5f4a21, 0x9c0d1e2f, 0x30415210);
}
void FilterListGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c21, 0x8e5f4a21, 0x9c0d1e2f, 0x30415211);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableRowFilter*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTableRowFilter>(u"DUxTableRowFilter", &FilterGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowFilter* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableRowFilterList*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableRowFilterList>(
        u"DUxTableRowFilterList", &FilterListGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowFilterList* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_filterMeta =
    RSe::_InitMeta(static_cast<const DUxTableRowFilter*>(nullptr));
static RSeMetaType* const s_filterListMeta =
    RSe::_InitMeta(static_cast<const DUxTableRowFilterList*>(nullptr));

RSeMetaType* DUxTableRowFilter::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableRowFilterList::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxTableRowFilter::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_active);
}

void DUxTableRowFilter::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_active);
}

UTxResult DUxTableRowFilter::Clone(DUxTableRowFilter* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_active = m_active;
    return {};
}

void DUxTableRowFilterList::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_filters);
}

void DUxTableRowFilterList::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_filters, ctx);
}

void DUxTableRowFilterList::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_filters);
}

UTxResult DUxTableRowFilterList::Clone(DUxTableRowFilterList* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    RDxPersist::CloneRefs(m_filters, t->m_filters, cc);
    return {};
}
