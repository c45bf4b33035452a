#include "BofM/DLxTableRowPartlist.h"

#include <cmath>
#include <memory>

#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMQuery.h"
#include "du/DUxColumnIDPropBased.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
const DUxTableStylePartsListColumn* PartsListColumn(const DUxTableStyleColumn* column) {
    return dynamic_cast<const DUxTableStylePartsListColumn*>(column);
}

// The bill's column a parts-list column shows; false for any other column.
bool BOMColumnOf(const DUxTableStyleColumn* column, DLxLocalBOMColumn& out) {
    const DUxTableStylePartsListColumn* c = PartsListColumn(column);
    return c && DLxLocalBOMColumn::FromPropertyID(*c->GetPropertyID(), out);
}

bool IsLegacy(const DLxLocalBOM* bom) {
    return bom && bom->IsLegacyBOM();
}
} // namespace

// --- the row id ---

bool DLxTableRowIDLocalBOM::IsEqual(const DUxTableRowID& other) const {
    if (!DUxTableRowID::IsEqual(other)) return false;
    const auto* o = dynamic_cast<const DLxTableRowIDLocalBOM*>(&other);
    return o && o->m_cookie == m_cookie;
}

DUxTableRowID* DLxTableRowIDLocalBOM::Copy(RSeSegment* segment) const {
    auto* id = new (RSe::_GetMeta(static_cast<const DLxTableRowIDLocalBOM*>(nullptr)),
                    segment ? segment : RSe::TransientSegment()) DLxTableRowIDLocalBOM(m_cookie);
    id->m_number = m_number;
    return id;
}

// --- the row ---

const DLxTableRowIDLocalBOM* DLxTableRowPartlist::LocalBOMID() const {
    return dynamic_cast<const DLxTableRowIDLocalBOM*>(RowID());
}

DLxTableStatePartlist* DLxTableRowPartlist::PartlistState() const {
    return dynamic_cast<DLxTableStatePartlist*>(GetState());
}

bool DLxTableRowPartlist::Invisible() const {
    if (DUxTableRowBase::Invisible()) return true;
    // The flags first: most rows are not expanded groups, and the state's cast is not free.
    if (!IsFlagOn(ExpandableRowFlag) || !IsFlagOn(ExpandedRowFlag)) return false;
    const DLxTableStatePartlist* state = PartlistState();
    return state && state->IsGroupingEnabled();
}

void DLxTableRowPartlist::SetHiddenByBOM(bool hidden) {
    if (hidden)
        SetFlag(HiddenRowFlag | BOMHiddenRowFlag, false);
    else if (IsFlagOn(BOMHiddenRowFlag))
        SetFlag(HiddenRowFlag | BOMHiddenRowFlag, true);
}

bool DLxTableRowPartlist::UpdateData(DUxTableDataQueryResultRow* data,
                                     const DUxTableColumnList& columns) {
    auto* r = dynamic_cast<DLxLocalBOMRow*>(data);
    if (!r) return false;
    DUxTableRowBase::UpdateData(data, columns);
    const bool keep = IsFlagOn(KeptGapRowFlag);
    const double saved = keep ? (GetKeptRowGap() >= 0.0 ? GetKeptRowGap() : GetRowGap()) : -1.0;
    SetKeptRowGap(-1.0);

    auto follow = [this](uint32_t flag, bool on) { SetFlag(flag, !on); };
    follow(CustomRowFlag, r->IsCustom());
    follow(ExpandableRowFlag, r->IsExpandable());
    follow(ExpandedRowFlag, r->IsExpanded());
    follow(GroupRowFlag, r->IsGroupRow());
    SetHiddenByBOM((r->GetFlags() & DLxLocalBOMRow::kHiddenByBOM) != 0);
    follow(BOMGroupedRowFlag, (r->GetFlags() & DLxLocalBOMRow::kGroupedRow) != 0);

    const DLxTableStatePartlist* state = PartlistState();
    for (size_t k = 0; k < columns.size(); ++k) {
        DUxTableStyleColumn* column = columns[k].get();
        if (!PartsListColumn(column)) continue;
        auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(GetValueRaw(column, true));
        if (!cell) continue;
        // A pass over all rows read each column's bill column once.
        const DLxLocalBOMColumn* bill = nullptr;
        if (state && state->PassBillColumn(k, column, bill))
            cell->FillFromBOMRow(*r, column, bill);
        else
            cell->FillFromBOMRow(*r, column);
    }

    // A user's gap survives only while it is not smaller than what the row needs.
    const double natural = GetRowGap();
    if (keep && (saved > natural || std::fabs(natural - saved) < 1e-10)) {
        SetKeptRowGap(saved);
        SetFlag(KeptGapRowFlag, false);
    } else {
        SetFlag(KeptGapRowFlag, true);
    }
    return true;
}

DUxTableRowData_Base* DLxTableRowPartlist::CreateRowData(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxTableRowData_Partlist*>(nullptr)),
                segment ? segment : RSe::TransientSegment())
        DUxTableRowData_Partlist(GetState(), this);
}

int32_t DLxTableRowPartlist::QueryLocalBOMRow() const {
    DLxTableStatePartlist* state = PartlistState();
    const DLxTableRowIDLocalBOM* id = LocalBOMID();
    if (!state || !state->LocalBOM() || !id) return 0;
    std::unique_ptr<DLxLocalBOMQuery> q = state->NewQuery();
    const DLxLocalBOMRow* r = q->QueryRow(id->Cookie());
    return r ? r->GetRowStatus() : 0;
}

bool DLxTableRowPartlist::GetCellOverride(DUxTableStyleColumn* column, UTxString16& text) {
    if (!DUxColumnIDPropBased::Of(column).HasTarget()) return false;
    auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(GetValueRaw(column, false));
    return cell && cell->GetOverride(text);
}

bool DLxTableRowPartlist::CompareItemNumberWithOtherRows() {
    if (IsFlagOn(GroupRowFlag) || Invisible()) return false;
    DUxTableStateBase* state = GetState();
    if (!state || !RowID()) return false;
    DUxStyleFormatColumnPropertyID item;
    item.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    item.SetPropertyID(u"1");
    // Cells belong to the table's own columns: the item column is found among them.
    DUxTableStyleColumn* column = state->FindOriginalColumn(item);
    if (!column) return false;
    const UTxString16 mine = GetValue(column);
    for (int32_t i = 0; i < state->GetRowCount(); ++i) {
        DUxTableRowBase* other = state->GetRow(i);
        if (!other || other->IsFlagOn(BOMGroupedRowFlag)) continue;
        if (!other->RowID() || other->RowID()->IsEqual(*RowID())) continue;
        if (other->GetValue(column) == mine) return true;
    }
    return false;
}

bool DLxTableRowPartlist::DropRedundantOverrides(const DLxLocalBOMRow& bomRow,
                                                 const DUxTableColumnList& columns) {
    bool dropped = false;
    for (const RSeRef<DUxTableStyleColumn>& c : columns) {
        DUxTableStyleColumn* column = c.get();
        if (!PartsListColumn(column)) continue;
        if (auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(GetValueRaw(column, false)))
            dropped |= cell->DropIfEqual(bomRow, column);
    }
    return dropped;
}

void DLxTableRowPartlist::ClearLocalOverrides(const DUxTableColumnList& columns) {
    for (const RSeRef<DUxTableStyleColumn>& c : columns)
        if (auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(GetValueRaw(c.get(), false)))
            cell->ClearLocalOverride();
}

// --- cells ---

bool DUxTableRowData_Partlist::GetOverride(UTxString16& text) const {
    if (!m_overrideSet) return false;
    text = m_override;
    return true;
}

void DUxTableRowData_Partlist::SetOverride(const UTxString16& text) {
    RSe::PrepareWrite(this);
    m_override = text;
    m_overrideSet = true;
    SetOverriddenMark(true);
}

void DUxTableRowData_Partlist::ClearLocalOverride() {
    if (!m_overrideSet) return;
    RSe::PrepareWrite(this);
    m_override.clear();
    m_overrideSet = false;
    SetOverriddenMark(false);
}

bool DUxTableRowData_Partlist::DropIfEqual(const DLxLocalBOMRow& bomRow,
                                           DUxTableStyleColumn* column) {
    if (!m_overrideSet) return false;
    DLxLocalBOMColumn bc;
    if (!BOMColumnOf(column, bc)) return false;
    UTxString16 value;
    bomRow.GetCellValue(bc, value, nullptr);
    if (value != m_override) return false;
    ClearLocalOverride();
    return true;
}

void DUxTableRowData_Partlist::FillFromBOMRow(const DLxLocalBOMRow& bomRow,
                                              DUxTableStyleColumn* column) {
    DLxLocalBOMColumn bc;
    FillFromBOMRow(bomRow, column, BOMColumnOf(column, bc) ? &bc : nullptr);
}

void DUxTableRowData_Partlist::FillFromBOMRow(const DLxLocalBOMRow& bomRow,
                                              DUxTableStyleColumn* column,
                                              const DLxLocalBOMColumn* bill) {
    UTxString16 value;
    bool overridden = m_overrideSet;
    if (bill) {
        // The text the row shows: the table's own value (answered to the query by the state)
        // before the bill's.
        bomRow.GetCellText(*bill, value);
        overridden = bomRow.IsCellOverridden(*bill) || m_overrideSet;
    }
    if (!overridden) {
        UTxString16 escaped;
        if (DUxTableStyle::GetEscapedString(value, escaped)) value = escaped;
    }
    UpdateData(value, overridden, column);
}

bool DUxTableRowData_Partlist::SetValue(const UTxString16& text, DUxTableStyleColumn* column,
                                        bool freeze) {
    auto* state = dynamic_cast<DLxTableStatePartlist*>(GetState());
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    const auto* plColumn = PartsListColumn(column);
    auto* row = dynamic_cast<DLxTableRowPartlist*>(GetRow());
    if (!bom || !plColumn || !row) return false;
    const bool custom = row->IsFlagOn(DLxTableRowPartlist::CustomRowFlag);
    const bool item = plColumn->GetPropertyID()->IsItem();
    if (IsLegacy(bom) && !item && !custom) {
        SetOverride(text);
        return DUxTableRowData_Base::SetValue(text, column, freeze);
    }
    const DLxTableRowIDLocalBOM* id = row->LocalBOMID();
    if (!id) return false;
    std::unique_ptr<DLxLocalBOMQuery> q = state->NewQuery();
    DLxLocalBOMRow* r = q->QueryRow(id->Cookie());
    DLxLocalBOMColumn bc;
    if (!r || !BOMColumnOf(column, bc)) return false;
    // The bill keeps item numbers apart from the other cells.
    if (item)
        r->SetItemNumber(text);
    else
        r->SetCellValue(bc, text);
    const bool result = DUxTableRowData_Base::SetValue(text, column, freeze);
    if (custom || (IsLegacy(bom) && item)) SetOverriddenMark(false);
    return result;
}

bool DUxTableRowData_Partlist::ClearOverride(DUxTableStyleColumn* column) {
    DUxTableRowData_Base::ClearOverride(column);
    auto* state = dynamic_cast<DLxTableStatePartlist*>(GetState());
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    if (!bom) return false;
    auto* row = dynamic_cast<DLxTableRowPartlist*>(GetRow());
    if (IsLegacy(bom)) {
        ClearLocalOverride();
        return !(row && row->IsFlagOn(DLxTableRowPartlist::CustomRowFlag));
    }
    DLxLocalBOMColumn bc;
    const DLxTableRowIDLocalBOM* id = row ? row->LocalBOMID() : nullptr;
    if (!BOMColumnOf(column, bc) || !id) return false;
    std::unique_ptr<DLxLocalBOMQuery> q = state->NewQuery();
    DLxLocalBOMRow* r = q->QueryRow(id->Cookie());
    if (!r) return false;
    r->ClearCellOverride(bc);
    return true;
}
