// Storage of an older parts list's component properties table (version 4), after the base
// record: row order, column headers, component group, binders, item-id ranges, structured.
//   version 0: the same without the structured flag (false);
//   version 1: the older column headers in place of the headers, which the load converts;
//   version 2: the current form;
//   version 3: the current form, then the custom rows (a vector of text vectors), kept for the
//              upgrade that turns them into custom parts.
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListComponentPropertiesTable.h"
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableComponentBinder.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeMeta.h"

namespace {
// {abd81c28-58bb-11d2-8bc3-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xABD81C28, 0x58BB11D2, 0x8BC30800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListComponentPropertiesTable*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListComponentPropertiesTable>(
        u"DLxPartListComponentPropertiesTable", &InitGuid, 4, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListComponentPropertiesTable* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListComponentPropertiesTable::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListComponentPropertiesTable::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    DLxPersistUtil::ReadVector(s, m_rowOrder);
    s.Read(m_headers);
    s.Read(m_group);
    DLxPersistUtil::ReadVector(s, m_binders);
    s.Read(m_ranges);
    s.Read(m_structured);
}

void DLxPartListComponentPropertiesTable::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 3) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    DLxPersistUtil::ReadVector(s, m_rowOrder);
    if (version == 1)
        s.Read(m_oldHeaders);
    else
        s.Read(m_headers);
    s.Read(m_group);
    DLxPersistUtil::ReadVector(s, m_binders);
    s.Read(m_ranges);
    m_structured = false;
    if (version >= 1) s.Read(m_structured);
    m_rows.clear();
    if (version == 3) DLxPersistUtil::ReadVector(s, m_rows);
}

void DLxPartListComponentPropertiesTable::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_rowOrder);
    s.Write(m_headers);
    s.Write(m_group);
    DLxPersistUtil::WriteVector(s, m_binders);
    s.Write(m_ranges);
    s << m_structured;
}

void DLxPartListComponentPropertiesTable::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_headers.FixAddress(ctx);
    m_group.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_binders, ctx);
    m_ranges.FixAddress(ctx);
}

void DLxPartListComponentPropertiesTable::FixPtrsMigrate(RSeMetaContext& ctx) {
    FixPtrs(ctx);
    m_oldHeaders.FixAddress(ctx);
}

UTxResult DLxPartListComponentPropertiesTable::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    // Tables of version 1 get headers of the current kind, converted from the older ones
    // (which the upgrade of the parts-list data deletes later).
    if (DLxPersistUtil::StoredVersion(ctx) == 1 && !m_headers) {
        DLxPartListColumnHeaders* headers = DLxPartListColumnHeaders::New(GetSegment(), false);
        if (const DLxColumnHeaders* old = m_oldHeaders.Read())
            old->ConvertToPartListColumns(*headers);
        m_headers = headers;
    }
    return {};
}

UTxResult DLxPartListComponentPropertiesTable::Clone(DLxPartListComponentPropertiesTable* target,
                                                     RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_oldHeaders = nullptr;
    DLxPersistUtil::CloneOwned(cc, m_headers, target->m_headers);
    DLxPersistUtil::CloneOwned(cc, m_group, target->m_group);
    target->m_rowOrder = m_rowOrder;
    target->m_tags = m_tags;
    DLxPersistUtil::CloneOwned(cc, m_ranges, target->m_ranges);
    DLxPersistUtil::CloneOwnedVector(m_binders, target->m_binders, cc);
    target->m_structured = m_structured;
    target->m_rows = m_rows;
    target->m_tagManager = nullptr;
    return {};
}
