// Storage of the parts-list row filters. Each record is the row filter's (its active flag),
// then:
//   DLxPartlistFilterPurchased, version 0: purchased-only (bool);
//   DLxPartlistFilterStandard, version 0: standard-only (bool);
//   DLxPartlistFilterBallooned, version 0: nothing of its own;
//   DLxPartlistFilterItemRange, version 0: the range string (text);
//   DLxPartlistFilterDesignView, version 1: the parts list it follows (reference);
//                                version 0: the design-view name (text).
// Parsed ranges, balloon cookies and resolved design views belong to a filtering pass.
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
// {c1a8be95-9c32-4607-a032-986350ebf6dd}
void PurchasedGuid(UTxGUID& g) {
    g = UTxGUID(0xC1A8BE95, 0x9C324607, 0xA0329863, 0x50EBF6DD);
}
// {1d5d31d1-0cf6-4b44-8d2c-50aafc5ed229}
void StandardGuid(UTxGUID& g) {
    g = UTxGUID(0x1D5D31D1, 0x0CF64B44, 0x8D2C50AA, 0xFC5ED229);
}
// {7a7ae222-8ca9-4095-a0cf-ad5732219cd2}
void BalloonedGuid(UTxGUID& g) {
    g = UTxGUID(0x7A7AE222, 0x8CA94095, 0xA0CFAD57, 0x32219CD2);
}
// {8f0fb7b4-f2c9-4f33-a92e-9f1fed18e01c}
void ItemRangeGuid(UTxGUID& g) {
    g = UTxGUID(0x8F0FB7B4, 0xF2C94F33, 0xA92E9F1F, 0xED18E01C);
}
// {e4e8ae81-39ad-44bc-8573-ff306a223a24}
void DesignViewGuid(UTxGUID& g) {
    g = UTxGUID(0xE4E8AE81, 0x39AD44BC, 0x8573FF30, 0x6A223A24);
}

RSeMetaType* FilterBase() {
    return RSe::_InitMeta(static_cast<const DUxTableRowFilter*>(nullptr));
}

bool InTransient(const RSeVMeta* obj) {
    const RSeSegment* segment = obj->GetSegment();
    return segment && segment->IsTransient();
}
} // namespace

namespace RSe {
#define DLX_FILTER_META(Class, guid, version)                                                      \
    RSeMetaType* _InitMeta(const Class*) {                                                         \
        static RSeMetaType* mt =                                                                   \
            RSeMakeMeta<Class>(u## #Class, &guid, version, RSeMetaType::kClass, FilterBase());     \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Class* p) {                                                        \
        return _InitMeta(p);                                                                       \
    }
DLX_FILTER_META(DLxPartlistFilterPurchased, PurchasedGuid, 0)
DLX_FILTER_META(DLxPartlistFilterStandard, StandardGuid, 0)
DLX_FILTER_META(DLxPartlistFilterBallooned, BalloonedGuid, 0)
DLX_FILTER_META(DLxPartlistFilterItemRange, ItemRangeGuid, 0)
DLX_FILTER_META(DLxPartlistFilterDesignView, DesignViewGuid, 1)
#undef DLX_FILTER_META
} // namespace RSe

RSeMetaType* DLxPartlistFilterPurchased::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartlistFilterStandard::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartlistFilterBallooned::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartlistFilterItemRange::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartlistFilterDesignView::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartlistFilterPurchased::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_purchasedOnly);
}
void DLxPartlistFilterPurchased::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_purchasedOnly;
}
UTxResult DLxPartlistFilterPurchased::Clone(DLxPartlistFilterPurchased* target,
                                            RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_purchasedOnly = m_purchasedOnly;
    return {};
}

void DLxPartlistFilterStandard::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_standardOnly);
}
void DLxPartlistFilterStandard::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_standardOnly;
}
UTxResult DLxPartlistFilterStandard::Clone(DLxPartlistFilterStandard* target,
                                           RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_standardOnly = m_standardOnly;
    return {};
}

void DLxPartlistFilterItemRange::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_rangeString);
}
void DLxPartlistFilterItemRange::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_rangeString;
}
UTxResult DLxPartlistFilterItemRange::Clone(DLxPartlistFilterItemRange* target,
                                            RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_rangeString = m_rangeString;
    return {};
}

void DLxPartlistFilterDesignView::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_table);
}
void DLxPartlistFilterDesignView::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) != 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_name);
}
void DLxPartlistFilterDesignView::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_table.FixAddress(ctx);
}
void DLxPartlistFilterDesignView::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_table);
}
UTxResult DLxPartlistFilterDesignView::Clone(DLxPartlistFilterDesignView* target,
                                             RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    // Outside the document a copy cannot hold the table: it keeps the name as text.
    if (InTransient(this) || InTransient(target)) {
        target->m_name = DesignView();
        target->m_table = RSeRef<RSeIDed>();
    } else {
        cc->CloneRef(m_table, target->m_table);
    }
    return {};
}
