// Storage of the sketched-symbol browser entries (version 0): the folder keeps, after its
// fixed entry's part, the references to its entries in their order; a symbol's entry keeps
// nothing of its own.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void FolderGuid(UTxGUID& g) {
    g = UTxGUID(0x6263ECBE, 0xE1BE42C3, 0xA759EA2C, 0x243A90DA);
}
void EntryGuid(UTxGUID& g) {
    g = UTxGUID(0xF5F3D48F, 0x865141AD, 0x9EA25B69, 0x2DF470E6);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutFolderEntry*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCallOutFolderEntry>(
        u"DLxCallOutFolderEntry", &FolderGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const BRxFixedEntry*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCallOutFolderEntry* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxCallOutInstEntry*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCallOutInstEntry>(
        u"DLxCallOutInstEntry", &EntryGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const BRxFixedEntry*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCallOutInstEntry* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCallOutFolderEntry::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCallOutInstEntry::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCallOutFolderEntry::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 4);
    m_order.assign(n, {});
    for (RSeRef<BRxEntry>& e : m_order)
        s.Read(e);
}

void DLxCallOutFolderEntry::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(uint32_t(m_order.size()));
    for (const RSeRef<BRxEntry>& e : m_order)
        s.Write(e);
}

void DLxCallOutFolderEntry::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    for (RSeRef<BRxEntry>& e : m_order)
        e.FixAddress(ctx);
}

UTxResult DLxCallOutFolderEntry::Clone(DLxCallOutFolderEntry* target,
                                       RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_order.assign(m_order.size(), {});
    for (size_t i = 0; i < m_order.size(); ++i)
        cc->CloneRef(m_order[i], target->m_order[i]);
    return {};
}
