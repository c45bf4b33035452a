#include "du/DUxTableStateBase.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <unordered_map>

#include "du/DUxColumnIDPropBased.h"
#include "du/DUxTableDataQueryResultRow.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxStyle.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxStringUtil.h"

namespace {
template <class T> T* Make(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) T();
}
} // namespace

// --- row ids ---

bool DUxTableRowID::IsEqual(const DUxTableRowID& other) const {
    return GetMeta() == other.GetMeta() && m_number == other.m_number;
}

DUxTableRowID* DUxTableRowID::Copy(RSeSegment* segment) const {
    DUxTableRowID* id = Make<DUxTableRowID>(segment);
    id->m_number = m_number;
    return id;
}

// --- cells ---

DUxTableRowData_Base::DUxTableRowData_Base(DUxTableStateBase* state, DUxTableRowBase* row)
    : m_state(state), m_row(row) {}

DUxTableStateBase* DUxTableRowData_Base::GetState() const {
    return m_state.get();
}

DUxTableRowBase* DUxTableRowData_Base::GetRow() const {
    return m_row.get();
}

void DUxTableRowData_Base::SetOverriddenMark(bool on) {
    if (IsOverridden() == on) return;
    RSe::PrepareWrite(this);
    m_overridden = on ? 1 : 0;
}

bool DUxTableRowData_Base::SetValue(const UTxString16& text, DUxTableStyleColumn*, bool) {
    SetString(text);
    SetOverriddenMark(true);
    return true;
}

void DUxTableRowData_Base::SetString(const UTxString16& text) {
    if (text == m_value) return;
    RSe::PrepareWrite(this);
    m_value = text;
    if (DUxTableRowBase* row = m_row.get()) row->TouchDrawing();
}

bool DUxTableRowData_Base::ClearOverride(DUxTableStyleColumn*) {
    SetOverriddenMark(false);
    return true;
}

void DUxTableRowData_Base::UpdateData(const UTxString16& value, bool overridden,
                                      DUxTableStyleColumn*) {
    SetString(value);
    SetOverriddenMark(overridden);
}

// --- rows ---

DUxTableRowBase::DUxTableRowBase(DUxTableRowID* id, DUxTableStateBase* state)
    : m_id(id), m_state(state) {}

uint64_t DUxTableRowBase::NewDrawStamp() {
    static std::atomic<uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

DUxTableRowID* DUxTableRowBase::RowID() const {
    return m_id.get();
}

DUxTableStateBase* DUxTableRowBase::GetState() const {
    return m_state.get();
}

void DUxTableRowBase::SetFlag(uint32_t flag, bool off) {
    const uint32_t flags = off ? (m_flags & ~flag) : (m_flags | flag);
    if (flags == m_flags) return;
    RSe::PrepareWrite(this);
    m_flags = flags;
    TouchDrawing();
}

void DUxTableRowBase::SetRowGap(double gap) {
    if (gap == m_rowGap) return;
    RSe::PrepareWrite(this);
    m_rowGap = gap;
}

void DUxTableRowBase::SetKeptRowGap(double gap) {
    if (gap == m_keptGap) return;
    RSe::PrepareWrite(this);
    m_keptGap = gap;
}

bool DUxTableRowBase::UpdateData(DUxTableDataQueryResultRow*, const DUxTableColumnList&) {
    return true;
}

void DUxTableRowBase::OnColumnRemoved(DUxTableStyleColumn* column) {
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i].first.get() != column) continue;
        RSe::PrepareWrite(this);
        TouchDrawing();
        DUxTableRowData_Base* cell = m_cells[i].second.get();
        m_cells.erase(m_cells.begin() + std::ptrdiff_t(i));
        if (cell) RSe::DeleteObject(cell);
        return;
    }
}

void DUxTableRowBase::ReplaceColumn(DUxTableStyleColumn* old, DUxTableStyleColumn* replacement) {
    for (auto& cell : m_cells) {
        if (cell.first.get() != old) continue;
        RSe::PrepareWrite(this);
        TouchDrawing();
        cell.first = RSeRef<DUxTableStyleColumn>(replacement);
        return;
    }
}

DUxTableRowData_Base* DUxTableRowBase::CreateRowData(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxTableRowData_Base*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxTableRowData_Base(GetState(), this);
}

DUxTableRowData_Base* DUxTableRowBase::GetValueRaw(DUxTableStyleColumn* column, bool create) {
    if (!column) return nullptr;
    for (auto& [col, cell] : m_cells)
        if (col.get() == column) return cell.get();
    if (!create) return nullptr;
    DUxTableRowData_Base* cell = CreateRowData(RSe::SegmentOf(this));
    if (!cell) return nullptr;
    RSe::PrepareWrite(this);
    TouchDrawing();
    m_cells.emplace_back(RSeRef<DUxTableStyleColumn>(column), RSeRef<DUxTableRowData_Base>(cell));
    return cell;
}

const UTxString16& DUxTableRowBase::GetValue(DUxTableStyleColumn* column) const {
    static const UTxString16 kNone;
    // Every reference to a live object holds that object's handle: comparing handles finds the
    // cell without reaching each column (exports read every cell of large tables). The cell is
    // only read: an open transaction need not keep an image of it (a layout reads every cell).
    if (const RSeHandle* handle = column ? column->GetHandle() : nullptr) {
        for (const auto& [col, cell] : m_cells)
            if (col.GetHandle() == handle)
                if (const DUxTableRowData_Base* data = cell.Read()) return data->GetValue();
        return kNone;
    }
    for (const auto& [col, cell] : m_cells)
        if (col.Read() == column && cell.Read()) return cell.Read()->GetValue();
    return kNone;
}

void DUxTableRowBase::DeleteParts() {
    RSe::PrepareWrite(this);
    TouchDrawing();
    for (auto& entry : m_cells)
        if (DUxTableRowData_Base* cell = entry.second.get()) RSe::DeleteObject(cell);
    m_cells.clear();
    if (DUxTableRowID* id = m_id.get()) RSe::DeleteObject(id);
    m_id = RSeRef<DUxTableRowID>();
}

// --- the state ---

DUxTableRowBase* DUxTableStateBase::GetRow(int32_t index) const {
    if (index < 0 || index >= GetRowCount()) return nullptr;
    return m_rows[size_t(index)].get();
}

DUxTableRowBase* DUxTableStateBase::GetRow(const DUxTableRowID& id, bool create, int32_t position) {
    for (const RSeRef<DUxTableRowBase>& r : m_rows) {
        DUxTableRowBase* row = r.get();
        if (row && row->RowID() && row->RowID()->IsEqual(id)) return row;
    }
    if (!create) return nullptr;
    DUxTableRowBase* row = CreateRow(id, this, RSe::SegmentOf(this));
    if (row) InsertRow(row, position);
    return row;
}

int32_t DUxTableStateBase::IndexOfRow(const DUxTableRowBase* row) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].get() == row) return int32_t(i);
    return -1;
}

std::vector<DUxTableRowBase*> DUxTableStateBase::GetRows() const {
    std::vector<DUxTableRowBase*> rows;
    rows.reserve(m_rows.size());
    for (const RSeRef<DUxTableRowBase>& r : m_rows)
        rows.push_back(r.get());
    return rows;
}

void DUxTableStateBase::InsertRow(DUxTableRowBase* row, int32_t index) {
    if (!row) return;
    BeginValueChange();
    if (index < 0 || index > GetRowCount()) index = GetRowCount();
    m_rows.insert(m_rows.begin() + index, RSeRef<DUxTableRowBase>(row));
}

bool DUxTableStateBase::RemoveRow(int32_t index, bool keep) {
    if (index < 0 || index >= GetRowCount()) return false;
    BeginValueChange();
    DUxTableRowBase* row = m_rows[size_t(index)].get();
    m_rows.erase(m_rows.begin() + index);
    if (!row) return true;
    OnRowRemoved(row);
    if (!keep) {
        row->DeleteParts();
        RSe::DeleteObject(row);
    }
    return true;
}

void DUxTableStateBase::SetRowOrder(const std::vector<DUxTableRowBase*>& rows) {
    assert(rows.size() == m_rows.size());
    BeginValueChange();
    for (size_t i = 0; i < rows.size(); ++i)
        m_rows[i] = RSeRef<DUxTableRowBase>(rows[i]);
}

DUxTableRowBase* DUxTableStateBase::CreateRow(const DUxTableRowID& id, DUxTableStateBase* state,
                                              RSeSegment* segment) {
    DUxTableRowID* copy = id.Copy(segment);
    if (!copy) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DUxTableRowBase*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxTableRowBase(copy, state);
}

DUxTableStyleColumn* DUxTableStateBase::GetColumn(int32_t index) const {
    if (index < 0 || size_t(index) >= m_columns.size()) return nullptr;
    return m_columns[size_t(index)].get();
}

bool DUxTableStateBase::SetColumns(const DUxTableColumnList& columns) {
    BeginValueChange();
    // Copies first: a column may be given back to the state it came from.
    std::vector<RSeVMeta*> sources;
    for (const RSeRef<DUxTableStyleColumn>& c : columns)
        if (DUxTableStyleColumn* p = c.get()) sources.push_back(p);
    RSeCloneCommander cc(RSe::SegmentOf(this));
    if (!sources.empty() && cc.Clone(sources).Failed()) return false;
    DUxTableColumnList copies;
    for (RSeVMeta* src : sources)
        if (auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(src)))
            copies.emplace_back(copy);
    for (const RSeRef<DUxTableStyleColumn>& old : m_columns) {
        DUxTableStyleColumn* p = old.get();
        if (!p) continue;
        OnColumnRemoved(p);
        RSe::DeleteObject(p);
    }
    m_columns = std::move(copies);
    return true;
}

DUxTableColumnList DUxTableStateBase::GetColumns(RSeSegment* segment) const {
    std::vector<RSeVMeta*> sources;
    for (const RSeRef<DUxTableStyleColumn>& c : m_columns)
        if (DUxTableStyleColumn* p = c.get()) sources.push_back(p);
    DUxTableColumnList copies;
    if (sources.empty()) return copies;
    RSeCloneCommander cc(segment ? segment : RSe::TransientSegment());
    if (cc.Clone(sources).Failed()) return copies;
    for (RSeVMeta* src : sources)
        if (auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(src)))
            copies.emplace_back(copy);
    return copies;
}

UTxString16 DUxTableStateBase::GetValue(int32_t row, int32_t column) const {
    const DUxTableRowBase* r = GetRow(row);
    DUxTableStyleColumn* c = GetColumn(column);
    return r && c ? r->GetValue(c) : UTxString16();
}

DUxTableStyleColumn* DUxTableStateBase::GetColumn(int32_t index, RSeSegment* segment) const {
    DUxTableStyleColumn* c = GetColumn(index);
    if (!c) return nullptr;
    RSeCloneCommander cc(segment ? segment : RSe::TransientSegment());
    if (cc.Clone({c}).Failed()) return nullptr;
    return dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(c));
}

bool DUxTableStateBase::SetValue(int32_t row, int32_t column, const UTxString16& text,
                                 bool freeze) {
    DUxTableRowBase* r = GetRow(row);
    DUxTableStyleColumn* c = GetColumn(column);
    DUxTableRowData_Base* cell = r && c ? r->GetValueRaw(c, true) : nullptr;
    return cell && cell->SetValue(text, c, freeze);
}

bool DUxTableStateBase::ClearOverride(int32_t row, int32_t column) {
    DUxTableRowBase* r = GetRow(row);
    DUxTableStyleColumn* c = GetColumn(column);
    DUxTableRowData_Base* cell = r && c ? r->GetValueRaw(c, false) : nullptr;
    return cell && cell->ClearOverride(c);
}

void DUxTableStateBase::OnColumnRemoved(DUxTableStyleColumn* column) {
    for (const RSeRef<DUxTableRowBase>& r : m_rows)
        if (DUxTableRowBase* row = r.get()) row->OnColumnRemoved(column);
}

DUxTableStyleColumn*
DUxTableStateBase::FindOriginalColumn(const DUxStyleFormatColumnPropertyID& id) const {
    for (const RSeRef<DUxTableStyleColumn>& c : m_columns) {
        DUxTableStyleColumn* p = c.get();
        if (p && p->GetPropertyID()->IsPropertySet(id.GetPropertySet()) &&
            p->GetPropertyID()->GetPropertyID() == id.GetPropertyID())
            return p;
    }
    return nullptr;
}

DUxTableRowFilterList* DUxTableStateBase::GetFilterList() {
    if (DUxTableRowFilterList* list = m_filters.get()) return list;
    BeginValueChange();
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(RSe::SegmentOf(this));
    m_filters = RSeRef<DUxTableRowFilterList>(list);
    return list;
}

void DUxTableStateBase::SetFilterList(const DUxTableRowFilterList& filters) {
    DUxTableRowFilterList* list = GetFilterList();
    if (list == &filters || *list == filters) return;
    BeginValueChange();
    *list = filters;
}

void DUxTableStateBase::SetSortDef(const SortDef& def) {
    if (def == m_sortDef) return;
    BeginValueChange();
    m_sortDef = def;
}

void DUxTableStateBase::SetOrigin(const WqGePoint3d& origin) {
    if (origin == m_origin) return;
    BeginValueChange();
    m_origin = origin;
}

void DUxTableStateBase::SetFlagWord(uint32_t flags) {
    if (flags == m_flagWord) return;
    BeginValueChange();
    m_flagWord = flags;
}

void DUxTableStateBase::SetDisplayOption(int32_t option) {
    if (option == m_displayOption) return;
    BeginValueChange();
    m_displayOption = option;
}

FWxStyle* DUxTableStateBase::GetStyle() const {
    return m_style.get();
}

void DUxTableStateBase::SetStyle(FWxStyle* style) {
    if (style == m_style.get()) return;
    BeginValueChange();
    m_style = RSeRef<FWxStyle>(style);
}

FWxStyle* DUxTableStateBase::GetLayerStyle() const {
    return m_layerStyle.get();
}

void DUxTableStateBase::SetLayerStyle(const FWxStyle* layer) {
    if (layer == m_layerStyle.get()) return;
    BeginValueChange();
    m_layerStyle = RSeRef<FWxStyle>(layer);
}

double DUxTableStateBase::GetMinBandHeight(int32_t band, bool multiLine) const {
    const auto* style = dynamic_cast<const DUxTableStyle*>(GetStyle());
    if (!style) return 0.0;
    double h = 0.0, gap = 0.0;
    switch (band) {
    case 1:
        h = style->GetTitleTextStyle().height;
        gap = style->GetTitleGap();
        break;
    case 2:
        h = style->GetHeadingTextStyle().height;
        gap = style->GetHeadingGap();
        break;
    case 3:
        h = style->GetTextStyle().height;
        gap = style->GetRowGap();
        break;
    default:
        return 0.0;
    }
    if (!multiLine) return h + 2.0 * gap;
    const double n = style->GetLineSpacing();
    return h * (n + 1.0) + gap * (n + 2.0);
}

int32_t DUxTableStateBase::WrapCellText(RDxString& text, double) {
    const UTxString16& shown =
        text.GetFormattedValue().empty() ? text.GetSimpleValue() : text.GetFormattedValue();
    return std::max<int32_t>(1, int32_t(UCxStringUtil::SplitLines(shown).size()));
}

// --- column edits and refreshes from a whole query ---

namespace {
int32_t FindColumnById(const DUxTableColumnList& columns, const DUxTableStyleColumn* column) {
    const DUxColumnIDPropBased id = DUxColumnIDPropBased::Of(column);
    for (size_t i = 0; i < columns.size(); ++i)
        if (DUxColumnIDPropBased::Of(columns[i].get()).IsEqual(id)) return int32_t(i);
    return -1;
}
} // namespace

bool DUxTableStateBase::AddColumn(DUxTableStyleColumn* column, int32_t index) {
    if (!column) return false;
    RSeCloneCommander cc(RSe::SegmentOf(this));
    if (cc.Clone({column}).Failed()) return false;
    auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(column));
    if (!copy) return false;
    BeginValueChange();
    if (index < 0 || size_t(index) > m_columns.size()) index = int32_t(m_columns.size());
    m_columns.insert(m_columns.begin() + index, RSeRef<DUxTableStyleColumn>(copy));
    return true;
}

bool DUxTableStateBase::RemoveColumn(DUxTableStyleColumn* column) {
    const int32_t at = FindColumnById(m_columns, column);
    if (at < 0) return false;
    BeginValueChange();
    DUxTableStyleColumn* old = m_columns[size_t(at)].get();
    m_columns.erase(m_columns.begin() + at);
    if (old) {
        OnColumnRemoved(old);
        RSe::DeleteObject(old);
    }
    return true;
}

void DUxTableStateBase::FormatColumnChanged(DUxTableStyleColumn* column) {
    const int32_t at = FindColumnById(m_columns, column);
    if (at < 0 || m_columns[size_t(at)].get() == column) return;
    RSeCloneCommander cc(RSe::SegmentOf(this));
    if (cc.Clone({column}).Failed()) return;
    auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(column));
    if (!copy) return;
    // Only the changed column is replaced, and the rows' cells of it move to the copy: a
    // change of how a column shows keeps what the rows hold.
    BeginValueChange();
    DUxTableStyleColumn* old = m_columns[size_t(at)].get();
    m_columns[size_t(at)] = RSeRef<DUxTableStyleColumn>(copy);
    if (!old) return;
    for (const RSeRef<DUxTableRowBase>& r : m_rows)
        if (DUxTableRowBase* row = r.get()) row->ReplaceColumn(old, copy);
    RSe::DeleteObject(old);
}

void DUxTableStateBase::UpdateData(const std::vector<DUxTableDataQueryResultRow*>& results) {
    std::vector<RSeRef<DUxTableRowBase>> ordered;
    ordered.reserve(m_rows.size());
    std::vector<bool> taken(m_rows.size(), false);
    // Where each row stands, looked up once: asking the list row by row costs the square.
    std::unordered_map<const DUxTableRowBase*, size_t> where;
    where.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        where.emplace(m_rows[i].get(), i);
    for (DUxTableDataQueryResultRow* result : results) {
        DUxTableRowBase* row = result ? RowForResult(result) : nullptr;
        const auto found = row ? where.find(row) : where.end();
        if (found == where.end() || taken[found->second]) continue;
        const size_t at = found->second;
        taken[at] = true;
        row->UpdateData(result, m_columns);
        ordered.emplace_back(row);
    }
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (!taken[i]) ordered.push_back(m_rows[i]);
    if (ordered == m_rows) return;
    BeginValueChange();
    m_rows = std::move(ordered);
}
