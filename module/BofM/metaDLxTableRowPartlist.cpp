// Storage of the parts-list rows, their ids and cells. Each record is the base class's, then:
//   DLxTableRowIDLocalBOM, version 0: the cookie's path and items (vectors of longs);
//   DLxTableRowPartlist, version 2: nothing of its own. Rows of versions 0 and 1 drop
//     overrides that the bill now keeps for them (PostRestoreMigrate);
//   DUxTableRowData_Partlist, version 0: the local override (text), whether one is set (bool).
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxLocalBOM.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeMeta.h"

namespace {
// The host's family of table-row ids.
void RowIdGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c3a, 0x8e5f4a21, 0x9c0d1e2f, 0x3041522a);
}
void RowGuid(UTxGUID& g) {
    g = UTxGUID(0x030b1304, 0xd90c43a9, 0xbf6bd7a3, 0xa48efcab);
}
void RowDataGuid(UTxGUID& g) {
    g = UTxGUID(0x75f900bb, 0x36044fc1, 0xb165055a, 0x00f34ed5);
}
// Rows, ids and cells are held by counted references, as the host's table rows are: identified
// classes in this host.
constexpr uint32_t kRowFlags = RSeMetaType::kClass;
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableRowIDLocalBOM*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableRowIDLocalBOM>(
        u"DLxTableRowIDLocalBOM", &RowIdGuid, 0, kRowFlags,
        RSe::_InitMeta(static_cast<const DUxTableRowID*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableRowIDLocalBOM* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxTableRowPartlist*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableRowPartlist>(
        u"DLxTableRowPartlist", &RowGuid, 2, kRowFlags,
        RSe::_InitMeta(static_cast<const DUxTableRowBase*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableRowPartlist* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableRowData_Partlist*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableRowData_Partlist>(
        u"DUxTableRowData_Partlist", &RowDataGuid, 0, kRowFlags,
        RSe::_InitMeta(static_cast<const DUxTableRowData_Base*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowData_Partlist* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTableRowIDLocalBOM::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxTableRowPartlist::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableRowData_Partlist::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTableRowIDLocalBOM::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    std::vector<int32_t> path, items;
    DLxPersistUtil::ReadVector(s, path);
    DLxPersistUtil::ReadVector(s, items);
    m_cookie = DLxLocalBOMCookie();
    if (items.empty()) return;
    m_cookie = DLxLocalBOMCookie(std::move(path), items.front());
    for (size_t i = 1; i < items.size(); ++i)
        m_cookie.Add(items[i]);
}
void DLxTableRowIDLocalBOM::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    // Exact copies: the stored capacity must not depend on how the cookie was built.
    const std::vector<int32_t> path(m_cookie.path().begin(), m_cookie.path().end());
    const std::vector<int32_t> items(m_cookie.items().begin(), m_cookie.items().end());
    DLxPersistUtil::WriteVector(s, path);
    DLxPersistUtil::WriteVector(s, items);
}
UTxResult DLxTableRowIDLocalBOM::Clone(DLxTableRowIDLocalBOM* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_cookie = m_cookie;
    return {};
}

UTxResult DLxTableRowPartlist::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    const uint16_t version = DLxPersistUtil::StoredVersion(ctx);
    const bool flagged = IsFlagOn(CustomRowFlag);
    const DLxTableStatePartlist* state = PartlistState();
    const bool legacy = state && state->LocalBOM() && state->LocalBOM()->IsLegacyBOM();
    if (!state) return {};
    // Cells belong to the table's own columns: the item-number cell is that of its item column.
    if (version == 0 && (flagged || legacy)) {
        DUxStyleFormatColumnPropertyID item;
        item.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
        item.SetPropertyID(u"1");
        DUxTableStyleColumn* column = state->FindOriginalColumn(item);
        if (DUxTableRowData_Base* cell = GetValueRaw(column, false))
            cell->DUxTableRowData_Base::ClearOverride(column);
    }
    if (version < 2 && flagged && !legacy) {
        for (const RSeRef<DUxTableStyleColumn>& c : state->GetOriginalColumns()) {
            DUxTableRowData_Base* cell = GetValueRaw(c.get(), false);
            if (!cell) continue;
            cell->DUxTableRowData_Base::ClearOverride(nullptr);
            if (auto* own = dynamic_cast<DUxTableRowData_Partlist*>(cell))
                own->ClearLocalOverride();
        }
    }
    return {};
}

void DUxTableRowData_Partlist::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_override);
    s.Read(m_overrideSet);
}
void DUxTableRowData_Partlist::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_override << m_overrideSet;
}
UTxResult DUxTableRowData_Partlist::Clone(DUxTableRowData_Partlist* target,
                                          RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_override = m_override;
    target->m_overrideSet = m_overrideSet;
    return {};
}
