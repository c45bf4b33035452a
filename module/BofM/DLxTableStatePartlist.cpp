#include "BofM/DLxTableStatePartlist.h"

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxStringWrap.h"
#include "BofM/DLxTableRowPartlist.h"
#include "dl/DLxLocalBOM.h"
#include "du/DUxColumnIDPropBased.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/WqGeVector3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {
using Cookie = DLxLocalBOMCookie;

const DUxTableStylePartsListColumn* PartsListColumn(const DUxTableStyleColumn* column) {
    return dynamic_cast<const DUxTableStylePartsListColumn*>(column);
}

bool BOMColumnOf(const DUxTableStyleColumn* column, DLxLocalBOMColumn& out) {
    const DUxTableStylePartsListColumn* c = PartsListColumn(column);
    return c && DLxLocalBOMColumn::FromPropertyID(*c->GetPropertyID(), out);
}

const DLxTableRowIDLocalBOM* LocalBOMID(const DUxTableRowBase* row) {
    return row ? dynamic_cast<const DLxTableRowIDLocalBOM*>(row->RowID()) : nullptr;
}

// Whether the bill can be read: a descriptor, and no unresolved or failed status.
bool BOMReady(const DLxLocalBOM* bom) {
    if (!bom || !bom->GetDescriptor()) return false;
    return (bom->GetBOMStatus(false) &
            (DLxLocalBOM::kStatusUnresolved | DLxLocalBOM::kStatusError)) == 0;
}

const DUxTableStyle* TableStyle(const DUxTableStateBase* state) {
    return dynamic_cast<const DUxTableStyle*>(state->GetStyle());
}
} // namespace

DLxTableStatePartlist* DLxTableStatePartlist::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DLxTableStatePartlist*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DLxTableStatePartlist();
}

struct DLxTableStatePartlist::WrapMemo {
    struct Key {
        UTxString16 text;
        double width = 0.0;
        double height = 0.0;
        int32_t font = 0;
        bool noSpaceBreaks = false;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        size_t operator()(const Key& k) const {
            size_t h = std::hash<UTxString16>()(k.text);
            for (size_t v : {std::hash<double>()(k.width), std::hash<double>()(k.height),
                             std::hash<int32_t>()(k.font), size_t(k.noSpaceBreaks)})
                h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
            return h;
        }
    };
    struct Wrapped {
        UTxString16 joined;
        int32_t count = 0;
    };
    // A bound on what texts the table no longer shows can hold.
    static constexpr size_t kMost = 1 << 18;
    std::unordered_map<Key, Wrapped, Hash> wrapped;
};

DLxTableStatePartlist::DLxTableStatePartlist() = default;

DLxTableStatePartlist::DLxTableStatePartlist(const RSeStream* s) : DUxTableStateBase(s) {}

DLxTableStatePartlist::~DLxTableStatePartlist() {
    m_selectedMembers.clear();
    m_groupKeys.clear();
}

const char* DLxTableStatePartlist::GetInternalName() {
    static const char* const name = "PartsList";
    return name;
}

DUxTableRowFilter* DLxTableStatePartlist::NewFilter(DUxTableRowFilter::FilterType type,
                                                    RSeSegment* segment,
                                                    FBxObjectEditRecord* record) {
    if (!InterestedInFilter(type)) return nullptr;
    return DLxNewPartlistFilter(type, segment, record);
}

bool DLxTableStatePartlist::InterestedInFilter(DUxTableRowFilter::FilterType type) {
    return type >= 1 && type <= 5;
}

DLxLocalBOM* DLxTableStatePartlist::LocalBOM() const {
    return m_localBOM.get();
}

void DLxTableStatePartlist::Prepare() {
    BeginValueChange();
}

void DLxTableStatePartlist::SetLocalBOM(const RSeRef<DLxLocalBOM>& bom) {
    if (bom == m_localBOM) return;
    Prepare();
    m_localBOM = bom;
}

void DLxTableStatePartlist::SetFlagBit(uint32_t bit, bool on) {
    const uint32_t flags = on ? (m_flags | bit) : (m_flags & ~bit);
    if (flags == m_flags) return;
    Prepare();
    m_flags = flags;
}

void DLxTableStatePartlist::SetGroupKeys(
    const std::vector<RSeRef<DUxTableStylePartsListColumn>>& keys) {
    Prepare();
    std::vector<DUxTableStylePartsListColumn*> sources;
    for (const auto& k : keys)
        if (DUxTableStylePartsListColumn* p = k.get()) sources.push_back(p);
    // Copies first: the keys given may be this state's own.
    std::vector<RSeRef<DUxTableStylePartsListColumn>> copies;
    RSeCloneCommander cc(RSe::SegmentOf(this));
    std::vector<RSeVMeta*> metas(sources.begin(), sources.end());
    if (metas.empty() || !cc.Clone(metas).Failed())
        for (RSeVMeta* src : metas)
            if (auto* copy = dynamic_cast<DUxTableStylePartsListColumn*>(cc.CloneOf(src)))
                copies.emplace_back(copy);
    for (auto& k : m_groupKeys)
        if (DUxTableStylePartsListColumn* p = k.get()) RSe::DeleteObject(p);
    m_groupKeys = std::move(copies);
}

std::unique_ptr<DLxLocalBOMQuery> DLxTableStatePartlist::NewQuery() const {
    return std::make_unique<DLxLocalBOMQuery>(LocalBOM(), this, 1, true);
}

void DLxTableStatePartlist::Reindex() const {
    m_lastRow = nullptr;
    m_rowIndex.clear();
    m_rowIndex.reserve(size_t(GetRowCount()));
    m_indexShared = false;
    for (int32_t i = 0; i < GetRowCount(); ++i)
        if (const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(i)))
            if (!m_rowIndex.emplace(id->Cookie(), RSeRef<DUxTableRowBase>(GetRow(i))).second)
                m_indexShared = true;
    m_indexedCount = GetRowCount();
}

void DLxTableStatePartlist::IndexRow(const DLxLocalBOMCookie& cookie, DUxTableRowBase* row) const {
    m_lastRow = nullptr;
    auto [at, added] = m_rowIndex.try_emplace(cookie, RSeRef<DUxTableRowBase>(row));
    if (added || at->second.get() == row) return;
    if (at->second.get() && IndexOfRow(at->second.get()) >= 0) m_indexShared = true;
    at->second = RSeRef<DUxTableRowBase>(row);
}

DUxTableRowBase* DLxTableStatePartlist::FindRow(const DLxLocalBOMCookie& cookie) const {
    // Rows come and go through the base too: a changed count, or an entry that no longer names
    // its row, sends the index back to the rows.
    // An undo may put back another set of rows of the same count: a cookie the index does not
    // know is looked for among the rows before the answer is no.
    if (m_indexedCount != GetRowCount()) Reindex();
    if (m_indexTrusted && m_lastRow && m_lastCookie == cookie) return m_lastRow;
    auto it = m_rowIndex.find(cookie);
    if (it != m_rowIndex.end()) {
        DUxTableRowBase* row = it->second.get();
        const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
        if (row && id && id->Cookie() == cookie && row->GetState() == this) {
            if (m_indexTrusted) {
                m_lastCookie = cookie;
                m_lastRow = row;
            }
            return row;
        }
    } else if (m_indexTrusted && !m_indexShared) {
        return nullptr;
    }
    for (int32_t i = 0; i < GetRowCount(); ++i) {
        const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(i));
        if (id && id->Cookie() == cookie) {
            Reindex();
            return GetRow(i);
        }
    }
    return nullptr;
}

void DLxTableStatePartlist::PlaceRow(DUxTableRowBase* row, int32_t at) {
    const bool inStep = m_indexedCount == GetRowCount();
    InsertRow(row, at);
    const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
    if (!inStep || !id) {
        m_indexedCount = -1;
        return;
    }
    IndexRow(id->Cookie(), row);
    m_indexedCount = GetRowCount();
}

void DLxTableStatePartlist::ReorderRows(const std::vector<DUxTableRowBase*>& order,
                                        const std::vector<DUxTableRowBase*>& moved,
                                        const std::vector<DUxTableRowBase*>& placed) {
    // The index ends as if the moved rows had left the table one by one and come back in the
    // order placed: an entry of a row that left goes, a row that comes back takes its cookie's
    // entry, and a cookie held by another row standing in the table at that time is shared.
    const bool inStep = m_indexedCount == GetRowCount();
    m_lastRow = nullptr;
    SetRowOrder(order);
    if (!inStep) {
        m_indexedCount = -1;
        return;
    }
    for (DUxTableRowBase* row : moved)
        if (const DLxTableRowIDLocalBOM* id = LocalBOMID(row)) {
            auto at = m_rowIndex.find(id->Cookie());
            if (at != m_rowIndex.end() && at->second.get() == row) m_rowIndex.erase(at);
        }
    std::unordered_set<const DUxTableRowBase*> away(moved.begin(), moved.end());
    for (DUxTableRowBase* row : placed) {
        away.erase(row);
        const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
        if (!id) continue;
        auto [at, added] = m_rowIndex.try_emplace(id->Cookie(), RSeRef<DUxTableRowBase>(row));
        if (added || at->second.get() == row) continue;
        const DUxTableRowBase* other = at->second.get();
        if (other && !away.count(other) && IndexOfRow(other) >= 0) m_indexShared = true;
        at->second = RSeRef<DUxTableRowBase>(row);
    }
    m_indexedCount = GetRowCount();
}

DUxTableRowBase* DLxTableStatePartlist::RowForResult(DUxTableDataQueryResultRow* result) {
    const auto* r = dynamic_cast<const DLxLocalBOMRow*>(result);
    return r ? FindRow(r->Cookie()) : nullptr;
}

// --- group settings ---

bool DLxTableStatePartlist::IsGroupingEnabled() const {
    const DLxLocalBOM* bom = LocalBOM();
    return bom && !bom->IsLegacyBOM() && (m_flags & kGroupingEnabled) && !m_groupKeys.empty();
}

bool DLxTableStatePartlist::GroupKey(size_t index, DLxLocalBOMColumn& key) const {
    if (index >= m_groupKeys.size()) return false;
    return BOMColumnOf(m_groupKeys[index].get(), key);
}

bool DLxTableStatePartlist::IsRowHidden(const DLxLocalBOMCookie& cookie, bool* bomHidden) const {
    if (bomHidden) *bomHidden = false;
    const DUxTableRowBase* row = FindRow(cookie);
    if (!row) return false;
    if (bomHidden) *bomHidden = row->IsFlagOn(DLxTableRowPartlist::BOMHiddenRowFlag);
    if (m_listHidden) return false;
    if (!row->IsFlagOn(DLxTableRowPartlist::BOMGroupedRowFlag)) return row->Invisible();
    if (row->IsFlagOn(DLxTableRowPartlist::HiddenRowFlag)) return true;
    return IsGroupingEnabled() && row->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag) &&
           row->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag);
}

bool DLxTableStatePartlist::PassBillColumn(size_t k, const DUxTableStyleColumn* column,
                                           const DLxLocalBOMColumn*& bill) const {
    if (!m_indexTrusted || k >= m_passColumns.size() || m_passColumns[k].column != column)
        return false;
    bill = m_passColumns[k].isBill ? &m_passColumns[k].bill : nullptr;
    return true;
}

bool DLxTableStatePartlist::GetCellOverride(const DLxLocalBOMCookie& cookie,
                                            const DLxLocalBOMColumn& column,
                                            std::u16string& text) const {
    if (m_indexTrusted) {
        if (!m_passAnyOverride) return false;
        for (const PassColumn& c : m_passColumns) {
            if (!c.isBill || !(c.bill == column)) continue;
            if (!c.hasTarget) return false;
            auto* row = dynamic_cast<DLxTableRowPartlist*>(FindRow(cookie));
            return row && row->GetCellOverride(c.column, text);
        }
        return false;
    }
    // The table's column of that bill column.
    for (const RSeRef<DUxTableStyleColumn>& c : GetOriginalColumns()) {
        DLxLocalBOMColumn bc;
        if (!BOMColumnOf(c.get(), bc) || !(bc == column)) continue;
        if (!DUxColumnIDPropBased::Of(c.get()).HasTarget()) return false;
        auto* row = dynamic_cast<DLxTableRowPartlist*>(FindRow(cookie));
        return row && row->GetCellOverride(c.get(), text);
    }
    return false;
}

void DLxTableStatePartlist::GetQuantityColumns(DUxTableColumnList& out) const {
    out.clear();
    for (const RSeRef<DUxTableStyleColumn>& c : GetOriginalColumns())
        if (c.get() && c.get()->GetPropertyID()->IsQuantity()) out.push_back(c);
}

// --- rows ---

namespace {
// Sets a switch for the time of a pass: the table reading the bill for its own rows, or
// rebuilding them.
struct ListingHidden {
    explicit ListingHidden(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~ListingHidden() { m_flag = m_was; }
    ListingHidden(const ListingHidden&) = delete;
    ListingHidden& operator=(const ListingHidden&) = delete;
    bool& m_flag;
    bool m_was;
};
} // namespace

// Trusts the index for the time of a pass over all rows, read anew first: an undo may have
// put back other rows of the same count since the last pass.
struct TrustedIndex {
    explicit TrustedIndex(const DLxTableStatePartlist& state)
        : m_state(state), m_was(state.m_indexTrusted) {
        m_state.Reindex();
        m_state.m_indexTrusted = true;
        // Nothing but rows changes during the pass: the columns are read once.
        m_state.m_passColumns.clear();
        for (const RSeRef<DUxTableStyleColumn>& c : m_state.GetOriginalColumns()) {
            DLxTableStatePartlist::PassColumn p;
            p.column = c.get();
            p.isBill = BOMColumnOf(p.column, p.bill);
            p.hasTarget = p.isBill && DUxColumnIDPropBased::Of(p.column).HasTarget();
            m_state.m_passColumns.push_back(p);
        }
        m_state.m_passAnyOverride = false;
        std::u16string text;
        for (int32_t i = 0; i < m_state.GetRowCount() && !m_state.m_passAnyOverride; ++i)
            if (auto* row = dynamic_cast<DLxTableRowPartlist*>(m_state.GetRow(i)))
                for (const DLxTableStatePartlist::PassColumn& c : m_state.m_passColumns)
                    if (c.hasTarget && row->GetCellOverride(c.column, text)) {
                        m_state.m_passAnyOverride = true;
                        break;
                    }
    }
    ~TrustedIndex() {
        m_state.m_indexTrusted = m_was;
        m_state.m_lastRow = nullptr;
    }
    TrustedIndex(const TrustedIndex&) = delete;
    TrustedIndex& operator=(const TrustedIndex&) = delete;
    const DLxTableStatePartlist& m_state;
    bool m_was;
};

void DLxTableStatePartlist::RebuildRows(const RSeRefBase& notify) {
    if (!LocalBOM()) return;
    TrustedIndex trusted(*this);
    ListingHidden listing(m_listHidden);
    ListingHidden rebuilding(m_rebuilding);
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    if (!q->Execute(false) || !q->Results()) return;

    // Step 2: the results, the single items of their grouped rows and who is whose parent.
    std::vector<DLxLocalBOMRow*> results;
    std::vector<bool> placed(q->RowCount(), false);
    std::unordered_map<Cookie, size_t, DLxLocalBOMCookieHash> resultOf;
    std::vector<Cookie> resultItems;
    std::unordered_map<Cookie, Cookie, DLxLocalBOMCookieHash> parentOf;
    resultOf.reserve(q->RowCount());
    parentOf.reserve(q->RowCount());
    // The grouped results by path and item, in result order.
    std::map<std::pair<std::vector<int32_t>, int32_t>, std::vector<size_t>> groupedWith;
    for (size_t i = 0; i < q->RowCount(); ++i) {
        DLxLocalBOMRow* r = q->RowAt(i);
        results.push_back(r);
        resultOf.emplace(r->Cookie(), i);
        if (r->Cookie().IsGrouped())
            for (const Cookie& c : r->Cookie().singleItems())
                resultItems.push_back(c);
        parentOf[r->Cookie()] = r->Parent() ? r->Parent()->Cookie() : Cookie();
        if (r->Cookie().IsGrouped())
            for (int32_t item : r->Cookie().items())
                groupedWith[{r->Cookie().path(), item}].push_back(i);
    }
    std::sort(resultItems.begin(), resultItems.end());

    // Step 3: the single items of the table's grouped rows.
    std::vector<int32_t> tableItems;
    for (DUxTableRowBase* row : GetRows())
        if (const DLxTableRowIDLocalBOM* id = LocalBOMID(row); id && id->Cookie().IsGrouped())
            for (int32_t item : id->Cookie().items())
                tableItems.push_back(item);
    std::sort(tableItems.begin(), tableItems.end());

    // Step 4: match the table's rows with the results.
    // Rows set aside under a result's cookie, in table order, with where each stood.
    std::map<Cookie, std::vector<std::pair<DUxTableRowBase*, int32_t>>> setAside;
    for (int32_t p = 0; p < GetRowCount();) {
        DUxTableRowBase* t = GetRow(p);
        const DLxTableRowIDLocalBOM* id = LocalBOMID(t);
        // The first result not yet placed that is the row's, or (both grouped) shares items.
        size_t found = results.size();
        if (id && id->Cookie().IsGrouped()) {
            // Only a grouped result on the row's path that holds one of its items can be the
            // row's; the first of those in result order not yet placed is.
            for (int32_t item : id->Cookie().items()) {
                auto at = groupedWith.find({id->Cookie().path(), item});
                if (at == groupedWith.end()) continue;
                for (size_t i : at->second) {
                    if (i >= found) break;
                    if (!placed[i] && (results[i]->Cookie() == id->Cookie() ||
                                       results[i]->Cookie().matches(id->Cookie()) > 1)) {
                        found = i;
                        break;
                    }
                }
            }
        } else if (id) {
            auto at = resultOf.find(id->Cookie());
            if (at != resultOf.end() && !placed[at->second]) found = at->second;
        }
        if (found == results.size()) {
            RemoveRow(p);
            continue;
        }
        DLxLocalBOMRow* r = results[found];
        if (!id->Cookie().IsGrouped() && !r->StaysInPlace() &&
            std::binary_search(tableItems.begin(), tableItems.end(), id->Cookie().item())) {
            RemoveRow(p, true);
            setAside[r->Cookie()].emplace_back(t, p);
            continue;
        }
        t->UpdateData(r, GetOriginalColumns());
        placed[found] = true;
        ++p;
    }

    // Step 5: place the results no row took.
    auto descendsFrom = [&](const Cookie& cookie, const Cookie& ancestor) {
        auto at = parentOf.find(cookie);
        if (at == parentOf.end()) return true;
        for (int guard = 0; at != parentOf.end() && guard < 1000; ++guard) {
            if (at->second == ancestor) return true;
            if (!at->second.IsValid()) return false;
            at = parentOf.find(at->second);
        }
        return false;
    };
    // The table's rows by cookie, for finding a parent's row: the parent is the first row whose
    // id equals the parent's, so a cookie that two rows share is looked for in table order.
    struct Holder {
        DUxTableRowBase* row = nullptr;
        bool shared = false;
    };
    std::unordered_map<Cookie, Holder, DLxLocalBOMCookieHash> holders;
    holders.reserve(size_t(GetRowCount()) + results.size());
    auto hold = [&holders](DUxTableRowBase* row) {
        if (const DLxTableRowIDLocalBOM* id = LocalBOMID(row)) {
            auto [at, added] = holders.try_emplace(id->Cookie(), Holder{row, false});
            if (!added) at->second.shared = true;
        }
    };
    for (int32_t k = 0; k < GetRowCount(); ++k)
        hold(GetRow(k));
    auto indexOfParent = [&](const DLxTableRowIDLocalBOM& parentId) {
        const int32_t count = GetRowCount();
        auto at = holders.find(parentId.Cookie());
        if (at == holders.end()) return count;
        if (!at->second.shared) {
            DUxTableRowBase* row = at->second.row;
            if (!row->RowID() || !row->RowID()->IsEqual(parentId)) return count;
            // Rows just placed stand near the end, and so mostly does the parent.
            for (int32_t k = count - 1; k >= 0; --k)
                if (GetRow(k) == row) return k;
            return count;
        }
        int32_t k = 0;
        while (k < count && !(GetRow(k)->RowID() && GetRow(k)->RowID()->IsEqual(parentId)))
            ++k;
        return k;
    };
    struct LastUnderParent {
        bool valid = false;
        Cookie parent;
        int32_t placedAt = 0;
    } last;
    for (size_t i = 0; i < results.size(); ++i) {
        if (placed[i]) continue;
        DLxLocalBOMRow* r = results[i];
        DUxTableRowBase* t = nullptr;
        auto aside = setAside.find(r->Cookie());
        if (!r->IsGroupRow() && !r->StaysInPlace() && aside != setAside.end() &&
            !aside->second.empty()) {
            t = aside->second.front().first;
            aside->second.erase(aside->second.begin());
        } else {
            t = CreateRow(DLxTableRowIDLocalBOM(r->Cookie()), this, RSe::SegmentOf(this));
            if (!t) continue;
            // Asked for by its cookie while it is refreshed, before it stands in the table.
            IndexRow(r->Cookie(), t);
        }
        t->UpdateData(r, GetOriginalColumns());
        int32_t at = GetRowCount();
        bool underParent = false;
        if (r->Cookie().IsGrouped()) {
            at = 0;
        } else if (const DLxLocalBOMRow* parent = r->Parent()) {
            // Where the scan for the end of the parent's rows starts; none without the parent.
            int32_t k = -1;
            if (last.valid && last.parent == parent->Cookie()) {
                // The rows between the parent and the row placed last still descend from it.
                k = last.placedAt;
            } else if (const int32_t p = indexOfParent(DLxTableRowIDLocalBOM(parent->Cookie()));
                       p < GetRowCount()) {
                k = p + 1;
            }
            if (k >= 0) {
                for (; k < GetRowCount(); ++k) {
                    const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(k));
                    if (!id || !descendsFrom(id->Cookie(), parent->Cookie())) break;
                }
                at = k;
                underParent = true;
            }
        }
        PlaceRow(t, at);
        hold(t);
        // Rows of one parent mostly come one after the other: the next resumes the scan for
        // the end of the parent's rows where this one went, rather than looking for the parent
        // again and walking all its rows (the cost grew with the square of a parent's rows).
        const DLxTableRowIDLocalBOM* placedId = LocalBOMID(t);
        last.valid = underParent && r->Parent() &&
                     !(placedId && placedId->Cookie() == r->Parent()->Cookie());
        if (last.valid) {
            last.parent = r->Parent()->Cookie();
            last.placedAt = at;
        }
    }
    // A row set aside that no result took (its result became a group row or stays in place,
    // or another row of the same cookie took it) would otherwise be lost: it goes back where
    // it stood, or to the end when that place is gone.
    for (auto& [cookie, rows] : setAside)
        for (auto& [t, at] : rows)
            PlaceRow(t, std::min(at, GetRowCount()));

    // Step 6: take out the single rows that no longer stand right before their grouped row.
    // The new order is built once: moving each of them through the row vector cost a grouped
    // table of 10 000 rows the square of its length.
    const std::vector<DUxTableRowBase*> before = GetRows();
    std::vector<bool> isMoved(before.size(), false);
    {
        Cookie group;
        for (size_t i = before.size(); i-- > 0;) {
            const DLxTableRowIDLocalBOM* id = LocalBOMID(before[i]);
            if (!id) continue;
            if (id->Cookie().IsGrouped()) {
                group = id->Cookie();
                continue;
            }
            if (!std::binary_search(resultItems.begin(), resultItems.end(), id->Cookie())) continue;
            if (group.matches(id->Cookie()) > 0) continue;
            isMoved[i] = true;
        }
    }
    // In their previous order.
    std::vector<DUxTableRowBase*> moved;
    for (size_t i = 0; i < before.size(); ++i)
        if (isMoved[i]) moved.push_back(before[i]);

    if (!moved.empty()) {
        // Step 7: each goes right before its grouped row, in their previous order. A single
        // row belongs to a grouped row on its path that holds its item: the rows taken out
        // are found by path and item, not tried against every grouped row.
        std::map<std::pair<std::vector<int32_t>, int32_t>, std::vector<size_t>> movedOf;
        for (size_t m = 0; m < moved.size(); ++m)
            if (const DLxTableRowIDLocalBOM* mid = LocalBOMID(moved[m]))
                movedOf[{mid->Cookie().path(), mid->Cookie().item()}].push_back(m);
        std::vector<bool> taken(moved.size(), false);
        size_t left = moved.size();
        std::vector<DUxTableRowBase*> order;
        order.reserve(before.size());
        // The moved rows in the order they are placed.
        std::vector<DUxTableRowBase*> placedOrder;
        placedOrder.reserve(moved.size());
        for (size_t i = 0; i < before.size(); ++i) {
            if (isMoved[i]) continue;
            const DLxTableRowIDLocalBOM* id = LocalBOMID(before[i]);
            if (id && id->Cookie().IsGrouped() && left > 0) {
                std::vector<size_t> mine;
                for (int32_t item : id->Cookie().items()) {
                    auto at = movedOf.find({id->Cookie().path(), item});
                    if (at == movedOf.end()) continue;
                    for (size_t m : at->second)
                        if (!taken[m] && id->Cookie().matches(LocalBOMID(moved[m])->Cookie()) > 0)
                            mine.push_back(m);
                }
                std::sort(mine.begin(), mine.end());
                for (size_t m : mine) {
                    order.push_back(moved[m]);
                    placedOrder.push_back(moved[m]);
                    taken[m] = true;
                    --left;
                }
            }
            order.push_back(before[i]);
        }
        // Rows whose grouped row is gone are not lost either.
        for (size_t m = 0; m < moved.size(); ++m)
            if (!taken[m]) {
                order.push_back(moved[m]);
                placedOrder.push_back(moved[m]);
            }
        ReorderRows(order, moved, placedOrder);
    }

    // Step 8.
    if (notify.GetTarget() && q->GetStatus() != m_bomStatus) {
        Prepare();
        m_bomStatus = q->GetStatus();
        RSeNotifier::Notify(RSeEvent(3, notify));
    }
}

void DLxTableStatePartlist::RequeryRows() {
    if (!BOMReady(LocalBOM())) return;
    TrustedIndex trusted(*this);
    ListingHidden listing(m_listHidden);
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    if (!q->Execute(false)) return;
    std::vector<DUxTableDataQueryResultRow*> results;
    for (size_t i = 0; i < q->RowCount(); ++i)
        results.push_back(q->RowAt(i));
    UpdateData(results);
}

void DLxTableStatePartlist::SortRows(const SortDef& keys) {
    if (!BOMReady(LocalBOM())) return;
    TrustedIndex trusted(*this);
    ListingHidden listing(m_listHidden);
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    bool any = false;
    for (const auto& [index, order] : keys) {
        if (index < 0 || size_t(index) >= GetOriginalColumns().size()) continue;
        DLxLocalBOMColumn bc;
        if (!BOMColumnOf(GetColumn(index), bc)) continue;
        q->AddSortKey(bc, order == eAscending);
        any = true;
    }
    if (!q->Execute(any)) return;
    SetSortDef(keys);
    std::vector<DUxTableDataQueryResultRow*> results;
    for (size_t i = 0; i < q->RowCount(); ++i)
        results.push_back(q->RowAt(i));
    UpdateData(results);
}

void DLxTableStatePartlist::UpdateRow(int32_t index) {
    DUxTableRowBase* row = GetRow(index);
    const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
    if (!LocalBOM() || !id) return;
    ListingHidden listing(m_listHidden);
    // The row alone: reading the whole bill for one row cost a table of 10 000 rows 30 ms.
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    if (DLxLocalBOMRow* r = q->QueryRow(id->Cookie())) row->UpdateData(r, GetOriginalColumns());
}

bool DLxTableStatePartlist::ExpandRow(int32_t index, bool expand) {
    const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(index));
    if (!LocalBOM() || !id) return false;
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    DLxLocalBOMRow* r = q->QueryRow(id->Cookie());
    if (!r) return false;
    r->SetExpanded(expand, true);
    return true;
}

DUxTableRowBase* DLxTableStatePartlist::CreateRow(const DUxTableRowID& id, DUxTableStateBase* state,
                                                  RSeSegment* segment) {
    if (!dynamic_cast<const DLxTableRowIDLocalBOM*>(&id)) return nullptr;
    DUxTableRowID* copy = id.Copy(segment);
    return new (RSe::_GetMeta(static_cast<const DLxTableRowPartlist*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DLxTableRowPartlist(copy, state);
}

bool DLxTableStatePartlist::DropRedundantOverrides() {
    if (!LocalBOM()) return false;
    DLxLocalBOMQuery q(LocalBOM(), nullptr, 1, true);
    if (!q.Execute(false) || !q.Results()) return false;
    bool dropped = false;
    for (DUxTableRowBase* row : GetRows()) {
        auto* r = dynamic_cast<DLxTableRowPartlist*>(row);
        const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
        if (!r || !id) continue;
        if (const DLxLocalBOMRow* bomRow = q.RowByCookie(id->Cookie()))
            dropped |= r->DropRedundantOverrides(*bomRow, GetOriginalColumns());
    }
    return dropped;
}

void DLxTableStatePartlist::RemoveEntityBasedRowOverrides(DLxTableStatePartlist* state) {
    if (!state) return;
    for (DUxTableRowBase* row : state->GetRows())
        if (auto* r = dynamic_cast<DLxTableRowPartlist*>(row))
            r->ClearLocalOverrides(state->GetOriginalColumns());
}

// --- column usage ---

bool DLxTableStatePartlist::AddColumnUsage(DUxTableStyleColumn* column) {
    DLxLocalBOMColumn bc;
    if (!LocalBOM() || !BOMColumnOf(column, bc)) return false;
    return LocalBOM()->AddPropID2Usage(bc);
}

bool DLxTableStatePartlist::RemoveColumnUsage(DUxTableStyleColumn* column) {
    DLxLocalBOMColumn bc;
    if (!LocalBOM() || !BOMColumnOf(column, bc)) return false;
    return LocalBOM()->RemovePropIDFromUsage(bc);
}

void DLxTableStatePartlist::OnColumnRemoved(DUxTableStyleColumn* column) {
    DUxTableStateBase::OnColumnRemoved(column);
    RemoveColumnUsage(column);
}

// --- text layout ---

double DLxTableStatePartlist::GetMinBandHeight(int32_t band, bool multiLine) const {
    // The monospace text engine's height of a line is the text height the style gives.
    return DUxTableStateBase::GetMinBandHeight(band, multiLine);
}

int32_t DLxTableStatePartlist::WrapCellText(RDxString& text, double width) {
    const DUxTableStyle* style = TableStyle(this);
    const double gap = style ? style->GetRowGap() : 0.0;
    const int32_t font = style ? style->GetTextStyle().fontId : 0;
    const double height = style ? style->GetTextStyle().height : text.GetTextHeight();
    const UTxString16 source =
        text.GetFormattedValue().empty() ? text.GetSimpleValue() : text.GetFormattedValue();
    if (!m_wrapMemo) m_wrapMemo = std::make_unique<WrapMemo>();
    WrapMemo::Key key{source, width - 2.0 * gap, height, font, (GetFlagWord() & 0x2) != 0};
    auto known = m_wrapMemo->wrapped.find(key);
    if (known == m_wrapMemo->wrapped.end()) {
        RSeSegment* segment = RSe::SegmentOf(this);
        DLxStringWrap wrap(source, key.width, font, key.noSpaceBreaks,
                           segment ? segment : RSe::TransientSegment(),
                           RSeRef<DUxTableStateBase>(this), height);
        UTxString16 joined, line;
        bool hard = false, more = true;
        int32_t count = 0;
        while (more) {
            more = wrap.GetItem(line, hard);
            if (count > 0 && !joined.empty() && joined.back() != u'\n') joined += u'\n';
            joined += line;
            ++count;
        }
        if (hard) ++count;
        if (m_wrapMemo->wrapped.size() >= WrapMemo::kMost) m_wrapMemo->wrapped.clear();
        known = m_wrapMemo->wrapped.emplace(std::move(key), WrapMemo::Wrapped{joined, count}).first;
    }
    const UTxString16& joined = known->second.joined;
    const int32_t count = known->second.count;
    if (text.GetFormattedValue().empty())
        text.SetSimpleValue(joined);
    else
        text.SetFormattedValue(joined, text.GetFormatCode());
    return count;
}

void DLxTableStatePartlist::FitColumnHeading(RDxString& heading, DUxTableStyleColumn* column) {
    if (!column) return;
    const DUxTableStyle* style = TableStyle(this);
    const double gap = style ? style->GetHeadingGap() : 0.0;
    const int32_t font = style ? style->GetHeadingTextStyle().fontId : 0;
    const double height = style ? style->GetHeadingTextStyle().height : heading.GetTextHeight();
    DLxStringTrim trim(heading.GetSimpleValue(), column->GetWidth() - 2.0 * gap, font,
                       column->GetHeadingAlignment(), RSe::SegmentOf(this), gap, height);
    heading.SetSimpleValue(trim.GetString());
}

void DLxTableStatePartlist::FitTitle(RDxString& title, double width) {
    const DUxTableStyle* style = TableStyle(this);
    const double gap = style ? style->GetTitleGap() : 0.0;
    const int32_t font = style ? style->GetTitleTextStyle().fontId : 0;
    const double height = style ? style->GetTitleTextStyle().height : title.GetTextHeight();
    DLxStringTrim trim(title.GetSimpleValue(), width - 2.0 * gap, font, 1, RSe::SegmentOf(this),
                       -1.0, height);
    title.SetSimpleValue(trim.GetString());
}

