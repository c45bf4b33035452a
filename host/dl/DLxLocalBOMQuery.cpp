#include "dl/DLxLocalBOMQuery.h"

#include "du/DUxTableRowFilter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <utility>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "dl/GBxBOMDescriptor.h"
#include "dl/GBxBOMEditDescriptor.h"
#include "du/DUxTableRowFilter.h"

namespace {

std::u16string Number(int64_t v) {
    std::u16string out;
    for (char c : std::to_string(v))
        out.push_back(char16_t(c));
    return out;
}

// A custom row's quantity: its leading digits; 1 while it has none set.
int32_t ParseQuantity(const std::u16string& text) {
    if (text.empty()) return 1;
    int64_t v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        v = std::min<int64_t>(v * 10 + (c - u'0'), INT32_MAX);
    }
    return int32_t(v);
}

// A sort key: numbers compare as numbers, texts as texts.
struct SortValue {
    bool numeric = false;
    double number = 0.0;
    std::u16string text;
};

SortValue MakeSortValue(std::u16string text) {
    SortValue v;
    if (!text.empty() && text.size() < 64) {
        std::string narrow;
        bool ascii = true;
        for (char16_t c : text) {
            if (c >= 128) ascii = false;
            narrow.push_back(char(c));
        }
        char* end = nullptr;
        if (ascii) {
            const double d = std::strtod(narrow.c_str(), &end);
            if (end && *end == 0) {
                v.numeric = true;
                v.number = d;
            }
        }
    }
    v.text = std::move(text);
    return v;
}

int Compare(const SortValue& a, const SortValue& b) {
    if (a.numeric) return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    return a.text.compare(b.text);
}

} // namespace

DLxLocalBOMRow::~DLxLocalBOMRow() = default;

int32_t DLxLocalBOMRow::GetItemCode() const {
    if (IsGroupRow()) return m_participants.empty() ? kItemPart : m_participants[0]->GetItemCode();
    if (IsCustom()) return kItemCustom;
    const DLxAssemblyComponent* c = m_bom->FindComponent(m_component);
    return c && c->purchased ? kItemPurchased : kItemPart;
}

bool DLxLocalBOMRow::PathContains(int32_t component) const {
    if (component == m_component) return true;
    const std::vector<int32_t>& path = m_cookie.path();
    return std::find(path.begin(), path.end(), component) != path.end();
}

bool DLxLocalBOMRow::SetExpanded(bool expand, bool persist) {
    if (!m_expandable) return false;
    m_expanded = expand;
    if (persist && !IsGroupRow()) m_bom->SetExpanded(m_cookie, expand);
    return true;
}

bool DLxLocalBOMRow::GetCellText(const DLxLocalBOMColumn& column, std::u16string& text) const {
    if (m_settings && m_settings->GetCellOverride(m_cookie, column, text)) return true;
    if (column.GetKind() == DLxLocalBOMColumn::Item && m_settings &&
        !m_settings->GetDisplayItemNumbers()) {
        text.clear();
        return true;
    }
    return GetCellValue(column, text, nullptr);
}

int32_t DLxLocalBOMRow::GetRowStatus() const {
    return int32_t(m_bom->GetBOMStatus());
}

bool DLxLocalBOMRow::SetCellValue(const DLxLocalBOMColumn& column, const std::u16string& text) {
    if (!m_bom->SetCellOverride(m_cookie, column, text)) return false;
    if (IsCustom() && column.IsQuantity()) m_quantity = ParseQuantity(text);
    return true;
}

bool DLxLocalBOMRow::GetCellValue(const DLxLocalBOMColumn& column, std::u16string& text,
                                  bool* substituted) const {
    bool subst = false;
    text.clear();
    if (column.GetKind() == DLxLocalBOMColumn::Item) {
        text = m_itemNumber;
        subst = m_itemNumber != m_ownNumber;
    } else if (IsGroupRow()) {
        if (column.IsQuantity()) {
            text = Number(m_quantity);
        } else {
            // The value all participants share; empty when they differ.
            bool first = true;
            for (const DLxLocalBOMRow* p : m_participants) {
                std::u16string v;
                bool s = false;
                p->GetCellValue(column, v, &s);
                subst |= s;
                if (first)
                    text = std::move(v);
                else if (v != text)
                    text.clear();
                first = false;
            }
        }
    } else if (m_bom->HasCellOverrides() && m_bom->FindCellOverride(m_key, column.Key(), text)) {
        subst = true;
    } else if (column.IsQuantity()) {
        text = Number(m_quantity);
    } else if (const DLxAssemblyComponent* c = m_bom->FindComponent(m_component)) {
        text = m_bom->ModelValue(*c, column);
    }
    if (substituted) *substituted = subst;
    return true;
}

bool DLxLocalBOMRow::IsCellOverridden(const DLxLocalBOMColumn& column) const {
    if (column.GetKind() == DLxLocalBOMColumn::Item) return m_itemNumber != m_ownNumber;
    if (IsGroupRow()) {
        for (const DLxLocalBOMRow* p : m_participants)
            if (p->IsCellOverridden(column)) return true;
        return false;
    }
    std::u16string unused;
    return m_bom->HasCellOverrides() && m_bom->FindCellOverride(m_key, column.Key(), unused);
}

bool DLxLocalBOMRow::ClearCellOverride(const DLxLocalBOMColumn& column) {
    if (column.GetKind() == DLxLocalBOMColumn::Item) return SetItemNumber({});
    return SetCellValue(column, {});
}

bool DLxLocalBOMRow::SetItemNumber(const std::u16string& number) {
    if (!m_bom->SetItemNumber(m_cookie, number)) return false;
    // A sub-row's own number starts with the number its parent shows: the sub-rows that show
    // their own numbers follow it.
    auto show = [](auto& self, DLxLocalBOMRow* row, std::u16string shown) -> void {
        const std::u16string before = std::exchange(row->m_itemNumber, std::move(shown));
        if (before == row->m_itemNumber) return;
        for (DLxLocalBOMRow* sub : row->m_subRows) {
            if (sub->m_ownNumber.compare(0, before.size(), before) != 0) continue;
            const bool ownShown = sub->m_itemNumber == sub->m_ownNumber;
            sub->m_ownNumber = row->m_itemNumber + sub->m_ownNumber.substr(before.size());
            if (ownShown) self(self, sub, sub->m_ownNumber);
        }
    };
    show(show, this, number.empty() ? m_ownNumber : number);
    for (DLxLocalBOMRow* p : m_participants)
        show(show, p, number.empty() ? p->m_ownNumber : number);
    return true;
}

bool DLxLocalBOMRow::HasItemNumberToPush(const DLxLocalBOMColumn& column) const {
    if (column.GetKind() != DLxLocalBOMColumn::Item || IsCustom() || IsGroupRow() || !m_component)
        return false;
    std::u16string number;
    if (!m_bom->GetItemNumberOverride(m_cookie, number)) return false;
    const GBxBOMDescriptor* descriptor = m_bom->GetDescriptor();
    if (m_parent && !m_bom->IsPartsOnlyBOM() && (!descriptor || descriptor->DetailIDNotAvailable()))
        return false;
    const DLxAssemblyComponent* component = m_bom->FindComponent(m_component);
    return component &&
           GBxBOMEditDescriptor::ModelItemNumber(*component, m_bom->GetSchemeID()) != m_itemNumber;
}

bool DLxLocalBOMRow::PushItemNumber(GBxBOMEditDescriptor& edit,
                                    const DLxLocalBOMColumn& column) const {
    if (!HasItemNumberToPush(column)) return false;
    edit.SetItemNumber(m_component, m_itemNumber);
    return true;
}

bool DLxLocalBOMRow::CanPushBack() const {
    return !IsCustom() && !IsGroupRow() && m_bom->HasModelOverride(m_key);
}

DLxLocalBOMRow* DLxLocalBOMRows::RowByCookie(const DLxLocalBOMCookie& cookie) const {
    if (m_byCookie.empty()) {
        m_byCookie.reserve(m_all.size());
        for (const auto& row : m_all)
            m_byCookie.emplace(row->Cookie(), row.get());
    }
    auto it = m_byCookie.find(cookie);
    return it == m_byCookie.end() ? nullptr : it->second;
}

DLxLocalBOMQuery::DLxLocalBOMQuery(DLxLocalBOM* bom, const DLxLocalBOMGroupSettings* settings,
                                   int32_t customParts, bool)
    : m_bom(bom), m_settings(settings), m_customParts(customParts) {}

DLxLocalBOMQuery::DLxLocalBOMQuery(DLxLocalBOM* bom, const std::vector<int32_t>& occurrencePath,
                                   const std::u16string&, bool)
    : m_bom(bom), m_settings(nullptr), m_customParts(0), m_single(true),
      m_occurrence(occurrencePath) {}

DLxLocalBOMQuery::~DLxLocalBOMQuery() = default;

std::u16string DLxLocalBOMQuery::GetMemberName(const DLxStructureNode* node) {
    DLxTagManager* tm = node ? node->GetTagManager() : nullptr;
    DLxLocalBOM* bom = tm ? tm->GetLocalBOM() : nullptr;
    const DLxAssemblyComponent* c = bom ? bom->FindComponent(node->GetComponentId()) : nullptr;
    return c && c->isFactory ? c->activeMember : std::u16string();
}

DLxLocalBOMRow* DLxLocalBOMQuery::VisibleRowByCookie(const DLxLocalBOMCookie& cookie) {
    if (!m_rows && !Execute(false)) return nullptr;
    DLxLocalBOMRow* row = m_rows->RowByCookie(cookie);
    if (!row) return nullptr;
    std::set<const DLxLocalBOMRow*> shown(m_rows->m_visible.begin(), m_rows->m_visible.end());
    for (; row; row = row->Parent()) {
        if (shown.count(row)) return row;
        // A merged row shows as its group, when the group is in the results.
        for (DLxLocalBOMRow* v : m_rows->m_visible)
            if (v->IsGroupRow() && v->Cookie().matches(row->Cookie()) == 1) return v;
    }
    return nullptr;
}

DLxLocalBOMCookie DLxLocalBOMQuery::VisibleCookieByCookie(const DLxLocalBOMCookie& cookie) {
    DLxLocalBOMRow* row = VisibleRowByCookie(cookie);
    return row ? row->Cookie() : DLxLocalBOMCookie();
}

void DLxLocalBOMQuery::AddSortKey(const DLxLocalBOMColumn& column, bool ascending) {
    m_sortKeys.emplace_back(column, ascending);
}

bool DLxLocalBOMQuery::RemoveCustom(DLxLocalBOM* bom, const DLxLocalBOMCookie& cookie) {
    return bom && bom->RemoveCustom(cookie);
}

DLxLocalBOMRow* DLxLocalBOMQuery::RowByCookie(const DLxLocalBOMCookie& cookie) {
    if (!m_rows && !Execute(false)) return nullptr;
    return m_rows->RowByCookie(cookie);
}

DLxLocalBOMRow* DLxLocalBOMQuery::NewRow() {
    m_rows->m_all.push_back(std::make_unique<DLxLocalBOMRow>());
    DLxLocalBOMRow* row = m_rows->m_all.back().get();
    row->m_bom = m_bom;
    row->m_settings = m_settings;
    return row;
}

// What every reading of the bill starts with: the status, and the settings it reads by.
bool DLxLocalBOMQuery::Begin() {
    m_rows.reset();
    m_status = m_bom ? m_bom->GetBOMStatus() : DLxLocalBOM::kStatusUnresolved;
    if (!m_bom || (m_status & (DLxLocalBOM::kStatusUnresolved | DLxLocalBOM::kStatusError)))
        return false;
    m_delimiter = m_bom->GetDescriptor()->GetBOMStructuredDelimiter();
    m_rows = std::make_unique<DLxLocalBOMRows>();
    return true;
}

DLxLocalBOMRow* DLxLocalBOMQuery::QueryRow(const DLxLocalBOMCookie& cookie) {
    if (cookie.IsGrouped() || m_single)
        return Execute(false) ? m_rows->RowByCookie(cookie) : nullptr;
    if (!cookie.IsValid() || !Begin()) return nullptr;
    // Each level as BuildLevel numbers it: the first entry of a component is the row its
    // cookie names, numbered by its place among its siblings; custom rows follow the model's
    // rows of the top level.
    const bool partsOnly = m_bom->IsPartsOnlyBOM();
    const std::vector<int32_t>& path = cookie.path();
    if (partsOnly && !path.empty()) return nullptr;
    DLxLocalBOMRow* parent = nullptr;
    std::vector<int32_t> at;
    at.reserve(path.size());
    for (size_t level = 0; level <= path.size(); ++level) {
        const bool last = level == path.size();
        const int32_t item = last ? cookie.item() : path[level];
        const bool top = level == 0;
        static const std::vector<DLxLocalBOM::Entry> kNone;
        const std::vector<DLxLocalBOM::Entry>& entries =
            partsOnly ? (top ? m_bom->AllParts() : kNone)
                      : m_bom->ChildrenOf(at.empty() ? m_bom->GetAssembly()->root : at.back());
        int64_t position = 0;
        const DLxLocalBOM::Entry* entry = nullptr;
        for (const DLxLocalBOM::Entry& e : entries) {
            ++position;
            if (e.component == item) {
                entry = &e;
                break;
            }
        }
        DLxLocalBOMRow* row = nullptr;
        if (entry) {
            row = NewRow();
            row->m_cookie = DLxLocalBOMCookie(at, item);
            row->m_component = item;
            row->m_quantity = entry->quantity;
            if (!partsOnly && m_bom->IsAssemblyComponent(item)) {
                row->m_expandable = true;
                row->m_expanded = m_bom->IsExpanded(row->m_cookie);
            }
        } else if (top && last && ListsCustoms() && item < 0) {
            const size_t custom = m_bom->CustomIndex(item);
            if (custom < m_bom->NumOfCustoms()) {
                position = int64_t(entries.size() + custom + 1);
                row = NewRow();
                row->m_cookie = cookie;
                std::u16string quantity;
                m_bom->FindCellOverride(row->m_cookie.Key(),
                                        DLxLocalBOMColumn(DLxLocalBOMColumn::Quantity).Key(),
                                        quantity);
                row->m_quantity = ParseQuantity(quantity);
            }
        }
        if (!row) return nullptr;
        row->m_parent = parent;
        row->m_key = row->m_cookie.Key();
        row->m_ownNumber =
            (parent ? parent->m_itemNumber + m_delimiter : std::u16string()) + Number(position);
        if (!m_bom->FindItemNumber(row->m_key, row->m_itemNumber))
            row->m_itemNumber = row->m_ownNumber;
        if (m_bom->IsRowHidden(row->m_cookie)) row->m_flags |= DLxLocalBOMRow::kHiddenByBOM;
        if (last) return row;
        // Only an expandable row has rows under it.
        if (!row->m_expandable) return nullptr;
        at.push_back(item);
        parent = row;
    }
    return nullptr;
}

bool DLxLocalBOMQuery::Execute(bool sort) {
    if (!Begin()) return false;
    m_groupKeys.clear();
    if (m_settings && m_settings->IsGroupingEnabled()) {
        DLxLocalBOMColumn key;
        if (m_settings->GetGroupKey1(key)) {
            m_groupKeys.push_back(key);
            if (m_settings->GetGroupKey2(key)) {
                m_groupKeys.push_back(key);
                if (m_settings->GetGroupKey3(key)) m_groupKeys.push_back(key);
            }
        }
    }
    m_sort = sort && !m_sortKeys.empty();
    std::vector<DLxLocalBOMRow*> top = BuildLevel({}, nullptr, true);
    if (m_single) {
        if (DLxLocalBOMRow* row = m_rows->RowByCookie(m_bom->CookieOfOccurrencePath(m_occurrence)))
            m_rows->m_visible.push_back(row);
        return true;
    }
    Emit(top);
    if (const DUxTableRowFilterList* filters = m_settings ? m_settings->GetRowFilters() : nullptr) {
        const std::vector<DUxTableDataQueryResultRow*> rows(m_rows->m_visible.begin(),
                                                            m_rows->m_visible.end());
        const std::vector<bool> out = filters->FilterOut(rows);
        std::vector<DLxLocalBOMRow*> kept;
        kept.reserve(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            if (i >= out.size() || !out[i]) kept.push_back(m_rows->m_visible[i]);
        m_rows->m_visible.swap(kept);
    }
    return true;
}

std::vector<DLxLocalBOMRow*> DLxLocalBOMQuery::BuildLevel(const std::vector<int32_t>& path,
                                                          DLxLocalBOMRow* parent, bool top) {
    const bool partsOnly = m_bom->IsPartsOnlyBOM();
    static const std::vector<DLxLocalBOM::Entry> kNone;
    const std::vector<DLxLocalBOM::Entry>& entries =
        partsOnly ? (top ? m_bom->AllParts() : kNone)
                  : m_bom->ChildrenOf(path.empty() ? m_bom->GetAssembly()->root : path.back());
    std::vector<DLxLocalBOMRow*> rows;
    rows.reserve(entries.size() + (top ? m_bom->NumOfCustoms() : 0));
    const std::u16string prefix = parent ? parent->m_itemNumber + m_delimiter : std::u16string();
    int64_t position = 0;
    auto number = [&](DLxLocalBOMRow* row) {
        row->m_key = row->m_cookie.Key();
        row->m_ownNumber = prefix + Number(++position);
        if (!m_bom->FindItemNumber(row->m_key, row->m_itemNumber))
            row->m_itemNumber = row->m_ownNumber;
        if (m_bom->IsRowHidden(row->m_cookie)) row->m_flags |= DLxLocalBOMRow::kHiddenByBOM;
    };
    for (const DLxLocalBOM::Entry& e : entries) {
        DLxLocalBOMRow* row = NewRow();
        row->m_cookie = DLxLocalBOMCookie(path, e.component);
        row->m_parent = parent;
        row->m_component = e.component;
        row->m_quantity = e.quantity;
        number(row);
        if (!partsOnly && m_bom->IsAssemblyComponent(e.component)) {
            row->m_expandable = true;
            row->m_expanded = m_bom->IsExpanded(row->m_cookie);
            std::vector<int32_t> below = path;
            below.push_back(e.component);
            row->m_subRows = BuildLevel(below, row, false);
        }
        rows.push_back(row);
    }
    if (top && ListsCustoms()) {
        for (size_t i = 0; i < m_bom->NumOfCustoms(); ++i) {
            DLxLocalBOMRow* row = NewRow();
            row->m_cookie = m_bom->CustomAt(i);
            number(row);
            std::u16string quantity;
            m_bom->FindCellOverride(row->m_key,
                                    DLxLocalBOMColumn(DLxLocalBOMColumn::Quantity).Key(), quantity);
            row->m_quantity = ParseQuantity(quantity);
            rows.push_back(row);
        }
    }
    Shape(rows);
    return rows;
}

// Merges siblings by the group keys and sorts them; custom rows stay after the model's.
void DLxLocalBOMQuery::Shape(std::vector<DLxLocalBOMRow*>& rows) {
    if (!m_groupKeys.empty()) {
        std::map<std::vector<std::u16string>, size_t> groupOf;
        std::vector<std::vector<DLxLocalBOMRow*>> groups;
        std::vector<size_t> rowGroup(rows.size(), SIZE_MAX);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i]->IsCustom()) continue;
            std::vector<std::u16string> values(m_groupKeys.size());
            bool blank = true;
            for (size_t k = 0; k < m_groupKeys.size(); ++k) {
                rows[i]->GetCellText(m_groupKeys[k], values[k]);
                blank &= values[k].empty();
            }
            // Empty keys say nothing alike about two rows: such a row stays single.
            if (blank) continue;
            auto [at, added] = groupOf.emplace(std::move(values), groups.size());
            if (added) groups.emplace_back();
            groups[at->second].push_back(rows[i]);
            rowGroup[i] = at->second;
        }
        std::vector<DLxLocalBOMRow*> merged;
        merged.reserve(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rowGroup[i] == SIZE_MAX) {
                merged.push_back(rows[i]);
                continue;
            }
            const std::vector<DLxLocalBOMRow*>& members = groups[rowGroup[i]];
            if (members.size() == 1) {
                merged.push_back(rows[i]);
                continue;
            }
            if (members.front() != rows[i]) continue;
            DLxLocalBOMRow* group = NewRow();
            group->m_cookie = members.front()->m_cookie;
            bool allHidden = true;
            int64_t quantity = 0;
            for (DLxLocalBOMRow* m : members) {
                group->m_cookie.Add(m->m_cookie.item());
                quantity += m->m_quantity;
                allHidden &= (m->m_flags & DLxLocalBOMRow::kHiddenByBOM) != 0;
            }
            group->m_parent = members.front()->m_parent;
            group->m_quantity = int32_t(std::min<int64_t>(quantity, INT32_MAX));
            group->m_participants = members;
            group->m_flags =
                DLxLocalBOMRow::kGroupedRow | (allHidden ? DLxLocalBOMRow::kHiddenByBOM : 0u);
            group->m_expandable = true;
            group->m_expanded = m_settings->GetDisplayParticipants();
            group->m_itemNumber = members.front()->m_itemNumber;
            group->m_ownNumber = members.front()->m_ownNumber;
            merged.push_back(group);
        }
        rows.swap(merged);
    }
    if (!m_sort) return;
    const auto end = std::stable_partition(
        rows.begin(), rows.end(), [](const DLxLocalBOMRow* r) { return !r->StaysInPlace(); });
    struct Keyed {
        std::vector<SortValue> keys;
        DLxLocalBOMRow* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(end - rows.begin()));
    for (auto it = rows.begin(); it != end; ++it) {
        Keyed k{{}, *it};
        k.keys.reserve(m_sortKeys.size());
        for (const auto& [column, ascending] : m_sortKeys) {
            std::u16string text;
            (*it)->GetCellText(column, text);
            k.keys.push_back(MakeSortValue(std::move(text)));
        }
        keyed.push_back(std::move(k));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [this](const Keyed& a, const Keyed& b) {
        for (size_t i = 0; i < m_sortKeys.size(); ++i) {
            // Numbers come before texts (and empty cells) in either direction.
            if (a.keys[i].numeric != b.keys[i].numeric) return a.keys[i].numeric;
            const int c = Compare(a.keys[i], b.keys[i]);
            if (c) return m_sortKeys[i].second ? c < 0 : c > 0;
        }
        return false;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        rows[i] = keyed[i].row;
}

void DLxLocalBOMQuery::Emit(const std::vector<DLxLocalBOMRow*>& rows) {
    const bool hideZero = m_settings && m_settings->GetHideZeroQuantityRows();
    for (DLxLocalBOMRow* row : rows) {
        if (hideZero && row->m_quantity == 0) continue;
        if (m_settings && m_settings->IsRowHidden(row->m_cookie, nullptr)) continue;
        m_rows->m_visible.push_back(row);
        if (row->IsGroupRow()) {
            if (row->m_expanded) Emit(row->m_participants);
        } else if (row->m_expanded) {
            Emit(row->m_subRows);
        }
    }
}
