// Member columns, item sequencing, custom rows and cell checks of the parts-list table state.
#include <algorithm>
#include <map>
#include <string>

#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxColumnIDPropBased.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeTransaction.h"

namespace {
DUxTableStylePartsListColumn* PartsListColumn(DUxTableStyleColumn* column) {
    return dynamic_cast<DUxTableStylePartsListColumn*>(column);
}

bool SameProperty(const DUxStyleFormatColumnPropertyID& a,
                  const DUxStyleFormatColumnPropertyID& b) {
    auto lower = [](UTxString16 s) {
        for (char16_t& c : s)
            if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
        return s;
    };
    return a.IsPropertySet(b.GetPropertySet()) &&
           lower(a.GetPropertyID()) == lower(b.GetPropertyID());
}

bool EqualNoCase(const UTxString16& a, const UTxString16& b) {
    DUxStyleFormatColumnPropertyID x, y;
    x.SetPropertySet(a);
    return x.IsPropertySet(b);
}

const DLxTableRowIDLocalBOM* LocalBOMID(const DUxTableRowBase* row) {
    return row ? dynamic_cast<const DLxTableRowIDLocalBOM*>(row->RowID()) : nullptr;
}

DUxTableColumnList CopyColumns(const DUxTableColumnList& columns, RSeSegment* segment,
                               bool partsListOnly) {
    std::vector<RSeVMeta*> sources;
    for (const RSeRef<DUxTableStyleColumn>& c : columns)
        if (DUxTableStyleColumn* p = c.get(); p && (!partsListOnly || PartsListColumn(p)))
            sources.push_back(p);
    DUxTableColumnList copies;
    if (sources.empty()) return copies;
    RSeCloneCommander cc(segment);
    if (cc.Clone(sources).Failed()) return copies;
    for (RSeVMeta* src : sources)
        if (auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(src)))
            copies.emplace_back(copy);
    return copies;
}

// The name a property goes by: the default name of a parts-list property, the name of a user
// property, else the external name the column carries.
UTxString16 DisplayName(const DUxStyleFormatColumnPropertyID& property) {
    const UTxString16& id = property.GetPropertyID();
    if (property.IsPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet()) &&
        id.size() == 1 && id[0] >= u'1' && id[0] <= u'9') {
        DLxPartListPropertyId* named = DLxPartListPropertyId::New(
            RSe::TransientSegment(), DLxPartListPropertyId::PropertyType(id[0] - u'1' + 3), -1);
        const UTxString16 name = named ? named->GetDisplayName() : UTxString16();
        if (named) RSe::DeleteObject(named);
        if (!name.empty()) return name;
    }
    if (property.IsPropertySet(u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}")) return id;
    return property.GetPropertyExternalName();
}
} // namespace

bool DLxTableStatePartlist::IsMemberSpecific(const DUxTableStylePartsListColumn* column) const {
    DLxLocalBOMColumn bc;
    return !m_selectedMembers.empty() && LocalBOM() && column &&
           DLxLocalBOMColumn::FromPropertyID(*column->GetPropertyID(), bc) &&
           LocalBOM()->IsMemberSpecificProperty(bc, (m_flags & kSeveralMembers) != 0);
}

bool DLxTableStatePartlist::ExpandMemberColumns(DUxTableColumnList& columns, bool reuseHeadings,
                                                int32_t previousCount) {
    const int32_t count = int32_t(m_selectedMembers.size());
    if (previousCount == -1) previousCount = count;
    const bool sameMode = reuseHeadings && ((previousCount < 2) == (count < 2));
    const bool wasSingle = previousCount < 2;
    DUxTableColumnList work = std::move(columns);
    columns.clear();
    std::vector<DUxStyleFormatColumnPropertyID> handled;
    for (auto it = work.begin(); it != work.end();) {
        DUxTableStylePartsListColumn* column = PartsListColumn(it->get());
        if (!column || column->GetPropertyID()->GetPropertyID().empty()) {
            ++it;
            continue;
        }
        DUxStyleFormatColumnPropertyID* property = column->GetPropertyID();
        bool seen = false;
        for (const auto& h : handled)
            seen |= SameProperty(h, *property);
        if (seen) {
            ++it;
            continue;
        }
        const UTxString16 display = DisplayName(*property);
        handled.push_back(*property);
        if (!IsMemberSpecific(column)) {
            if (!property->GetMemberID().empty()) {
                RSe::PrepareWrite(column);
                property->SetMemberID(u"");
                column->GetSubstitutePropertyID()->SetMemberID(u"");
                if (previousCount > 1) property->SetPropertyExternalName(display);
            }
            columns.push_back(*it);
            it = work.erase(it);
            continue;
        }
        const UTxString16 base = property->GetMemberID().empty() || wasSingle
                                     ? property->GetPropertyExternalName()
                                     : display;
        // Members already shown keep their places; the others follow in selection order.
        std::vector<UTxString16> order;
        for (const RSeRef<DUxTableStyleColumn>& c : GetOriginalColumns()) {
            const DUxTableStyleColumn* o = c.get();
            if (!o || !SameProperty(*o->GetPropertyID(), *property)) continue;
            const UTxString16& m = o->GetPropertyID()->GetMemberID();
            if (std::find(m_selectedMembers.begin(), m_selectedMembers.end(), m) !=
                    m_selectedMembers.end() &&
                std::find(order.begin(), order.end(), m) == order.end())
                order.push_back(m);
        }
        for (const UTxString16& m : m_selectedMembers)
            if (std::find(order.begin(), order.end(), m) == order.end()) order.push_back(m);
        for (const UTxString16& member : order) {
            RSeCloneCommander cc(RSe::SegmentOf(column));
            if (cc.Clone({column}).Failed()) continue;
            auto* copy = dynamic_cast<DUxTableStylePartsListColumn*>(cc.CloneOf(column));
            if (!copy) continue;
            copy->GetSubstitutePropertyID()->SetMemberID(member);
            copy->GetPropertyID()->SetMemberID(member);
            const DUxColumnIDPropBased id = DUxColumnIDPropBased::Of(copy);
            const DUxTableStyleColumn* existing = nullptr;
            if (sameMode)
                for (const RSeRef<DUxTableStyleColumn>& c : GetOriginalColumns())
                    if (DUxColumnIDPropBased::Of(c.get()).IsEqual(id)) existing = c.get();
            if (existing) {
                copy->GetPropertyID()->SetPropertyExternalName(
                    existing->GetPropertyID()->GetPropertyExternalName());
            } else {
                UTxString16 heading = base;
                if (!heading.empty() && count > 1) {
                    if (EqualNoCase(heading, u" "))
                        heading.clear();
                    else if (heading.back() != u' ')
                        heading += u' ';
                }
                if (count > 1) heading += member;
                copy->GetPropertyID()->SetPropertyExternalName(heading);
            }
            columns.emplace_back(copy);
        }
        ++it;
    }
    DUxTableStyle::ClearColumns(work);
    return true;
}

bool DLxTableStatePartlist::SetColumns(const DUxTableColumnList& columns, bool reuseHeadings) {
    if (m_selectedMembers.empty()) return DUxTableStateBase::SetColumns(columns);
    DUxTableColumnList copies = CopyColumns(columns, RSe::TransientSegment(), true);
    ExpandMemberColumns(copies, reuseHeadings, -1);
    // What the caller learns is whether the columns were applied; freeing the copies cannot fail.
    const bool applied = DUxTableStateBase::SetColumns(copies);
    DUxTableStyle::ClearColumns(copies);
    return applied;
}

bool DLxTableStatePartlist::AddColumn(DUxTableStyleColumn* column, int32_t index) {
    DUxTableStylePartsListColumn* pl = PartsListColumn(column);
    if (m_selectedMembers.empty() || !pl) return DUxTableStateBase::AddColumn(column, index);
    if (pl->GetPropertyID()->GetPropertyID().empty())
        return DUxTableStateBase::AddColumn(column, -1);
    DUxTableColumnList copies =
        CopyColumns({RSeRef<DUxTableStyleColumn>(column)}, RSe::TransientSegment(), true);
    ExpandMemberColumns(copies, true, -1);
    bool all = true;
    for (const RSeRef<DUxTableStyleColumn>& c : copies) {
        all &= DUxTableStateBase::AddColumn(c.get(), index);
        if (index != -1) ++index;
    }
    DUxTableStyle::ClearColumns(copies);
    return all;
}

bool DLxTableStatePartlist::RemoveColumn(DUxTableStyleColumn* column) {
    DUxTableStylePartsListColumn* pl = PartsListColumn(column);
    if (m_selectedMembers.empty() || !pl || pl->GetPropertyID()->GetMemberID().empty())
        return DUxTableStateBase::RemoveColumn(column);
    bool all = true;
    for (const UTxString16& member : m_selectedMembers) {
        pl->GetPropertyID()->SetMemberID(member);
        all &= DUxTableStateBase::RemoveColumn(column);
    }
    return all;
}

void DLxTableStatePartlist::FormatColumnChanged(DUxTableStyleColumn* column) {
    DUxTableStylePartsListColumn* pl = PartsListColumn(column);
    if (m_selectedMembers.empty() || !pl) {
        DUxTableStateBase::FormatColumnChanged(column);
        return;
    }
    DUxTableColumnList copies = GetColumns(nullptr);
    DUxTableStylePartsListColumn* found = nullptr;
    for (const RSeRef<DUxTableStyleColumn>& c : copies)
        if (auto* p = PartsListColumn(c.get());
            p && SameProperty(*p->GetPropertyID(), *pl->GetPropertyID())) {
            found = p;
            break;
        }
    if (found && (IsMemberSpecific(found) || IsMemberSpecific(pl))) {
        DUxTableStateBase::FormatColumnChanged(column);
        const UTxString16 heading = found->GetPropertyID()->GetPropertyExternalName();
        const UTxString16 member = found->GetPropertyID()->GetMemberID();
        RSeCloneCommander cc(RSe::TransientSegment());
        if (!cc.Clone({pl}).Failed())
            if (auto* settings = dynamic_cast<DUxTableStylePartsListColumn*>(cc.CloneOf(pl))) {
                settings->GetPropertyID()->SetPropertyExternalName(heading);
                settings->GetPropertyID()->SetMemberID(member);
                for (auto& c : copies)
                    if (c.get() == found) {
                        RSe::DeleteObject(found);
                        c = RSeRef<DUxTableStyleColumn>(settings);
                    }
            }
        SetColumns(copies, true);
    } else {
        DUxTableStateBase::FormatColumnChanged(column);
    }
    DUxTableStyle::ClearColumns(copies);
}

void DLxTableStatePartlist::SetSelectedMembers(const std::vector<UTxString16>& members,
                                               bool hideZeroQuantityRows) {
    const int32_t previous = int32_t(m_selectedMembers.size());
    Prepare();
    m_selectedMembers = members;
    if (members.empty()) {
        m_flags &= ~kHideZeroQuantityRows;
    } else if (!LocalBOM() || LocalBOM()->IsAssemblyBased()) {
        m_flags = hideZeroQuantityRows ? (m_flags | kHideZeroQuantityRows)
                                       : (m_flags & ~kHideZeroQuantityRows);
    } else {
        m_flags &= ~kHideZeroQuantityRows;
        if (!(m_flags & kSeveralMembers)) m_selectedMembers.resize(1);
    }
    DUxTableColumnList copies = GetColumns(nullptr);
    ExpandMemberColumns(copies, true, previous);
    DUxTableStateBase::SetColumns(copies);
    DUxTableStyle::ClearColumns(copies);
}

// --- sequencing, custom rows and cell checks ---

void DLxTableStatePartlist::SequenceTags() {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom) return;
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    if (!q->Execute(false)) return;
    const bool legacy = bom->IsLegacyBOM();
    const DLxLocalBOMColumn item(DLxLocalBOMColumn::Item);
    std::map<const DLxLocalBOMRow*, int32_t> counters;
    auto number = [&](DLxLocalBOMRow* r) {
        const DLxLocalBOMRow* key = legacy ? r->Parent() : nullptr;
        const int32_t value = ++counters[key];
        const std::string digits = std::to_string(value);
        const std::u16string text(digits.begin(), digits.end());
        if (legacy) {
            r->SetItemNumber(text);
            return;
        }
        std::u16string current;
        r->GetCellValue(item, current, nullptr);
        // The bill keeps item numbers apart from the other cells.
        if (current != text) r->SetItemNumber(text);
    };
    for (DUxTableRowBase* row : GetRows()) {
        const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
        if (!id) continue;
        const bool invisible = row->Invisible();
        if (invisible && !(legacy && row->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag) &&
                           row->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag)))
            continue;
        DLxLocalBOMRow* r = q->RowByCookie(id->Cookie());
        if (!r) continue;
        if (invisible && !HasVisibleDescendant(*r)) continue;
        if (r->IsGroupRow()) {
            if (GetDisplayParticipants()) continue;
            for (DLxLocalBOMRow* p : r->ParticipantRows())
                number(p);
        } else {
            number(r);
        }
    }
}

DUxTableRowBase* DLxTableStatePartlist::AddCustomRow(int32_t index) {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom) return nullptr;
    // The bill has just handed out the cookie, so no row holds it yet: the row is made without
    // looking for one among the rows, and placed with the index kept in step.
    const DLxLocalBOMCookie cookie = bom->AddCustom();
    DUxTableRowBase* row = CreateRow(DLxTableRowIDLocalBOM(cookie), this, RSe::SegmentOf(this));
    if (!row) return nullptr;
    PlaceRow(row, index);
    row->SetFlag(DLxTableRowPartlist::CustomRowFlag, false);
    return row;
}

void DLxTableStatePartlist::OnRowRemoved(DUxTableRowBase* row) {
    const DLxTableRowIDLocalBOM* id = LocalBOMID(row);
    m_lastRow = nullptr;
    // The row has left the rows already.
    if (m_indexedCount == GetRowCount() + 1 && id) {
        auto at = m_rowIndex.find(id->Cookie());
        if (at != m_rowIndex.end() && at->second.get() == row) m_rowIndex.erase(at);
        m_indexedCount = GetRowCount();
    } else {
        m_indexedCount = -1;
    }
    if (id && !m_rebuilding && row->IsFlagOn(DLxTableRowPartlist::CustomRowFlag))
        DLxLocalBOMQuery::RemoveCustom(LocalBOM(), DLxLocalBOMCookie(id->Cookie()));
}

bool DLxTableStatePartlist::CanOverrideCell(DUxTableRowBase* row, DUxTableStyleColumn* column) {
    if (row && row->IsFlagOn(DLxTableRowPartlist::CustomRowFlag)) return false;
    if (!column || !LocalBOM() || !LocalBOM()->IsLegacyBOM()) return true;
    const DUxColumnIDPropBased id = DUxColumnIDPropBased::Of(column);
    return id.HasTarget() && !id.GetPropertyID().IsItem();
}

bool DLxTableStatePartlist::GetLocalBOMCellFlag(int32_t column, int32_t row) const {
    auto* c = dynamic_cast<const DUxTableStylePartsListColumn*>(GetColumn(column));
    DLxLocalBOMColumn bc;
    if (!c || !c->GetSubstitute() || !LocalBOM() ||
        !DLxLocalBOMColumn::FromPropertyID(*c->GetPropertyID(), bc))
        return false;
    const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(row));
    if (!id) return false;
    std::unique_ptr<DLxLocalBOMQuery> q = NewQuery();
    const DLxLocalBOMRow* r = q->QueryRow(id->Cookie());
    if (!r) return false;
    std::u16string text;
    bool substituted = false;
    r->GetCellValue(bc, text, &substituted);
    return substituted;
}

bool DLxTableStatePartlist::CanPushbackItemNumbers(const std::set<int32_t>* rows) const {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom || !bom->IsAssemblyBased()) return false;
    const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
    // The model keeps numbers of its top level only when it cannot take them deeper.
    const bool topOnly = descriptor && descriptor->DetailIDNotAvailable() && bom->GetAssembly() &&
                         DLxLocalBOMMgr::HasSchemeEnabled(*bom->GetAssembly(), 1);
    DLxLocalBOMQuery q(bom, nullptr, 0, false);
    if (!q.Execute(false)) return false;
    const DLxLocalBOMColumn item(DLxLocalBOMColumn::Item);
    auto qualifies = [&](const DLxLocalBOMRow* r) {
        return r && (!topOnly || !r->Parent()) && r->IsCellOverridden(item) && r->CanPushBack();
    };
    if (rows && !rows->empty()) {
        for (int32_t index : *rows) {
            const DLxTableRowIDLocalBOM* id = LocalBOMID(GetRow(index));
            if (!id) continue;
            std::vector<DLxLocalBOMCookie> cookies =
                id->Cookie().IsGrouped() ? id->Cookie().singleItems()
                                         : std::vector<DLxLocalBOMCookie>{id->Cookie()};
            for (const DLxLocalBOMCookie& c : cookies)
                if (qualifies(q.RowByCookie(c))) return true;
        }
        return false;
    }
    for (size_t i = 0; i < q.RowCount(); ++i)
        if (qualifies(q.RowAt(i))) return true;
    return false;
}

bool DLxTableStatePartlist::AnyRowWithBothFlags() const {
    const DLxLocalBOM* bom = LocalBOM();
    if (!bom || bom->IsPartsOnlyBOM() || !bom->IsAssemblyBased()) return false;
    for (DUxTableRowBase* row : GetRows())
        if (dynamic_cast<DLxTableRowPartlist*>(row) &&
            row->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag) &&
            row->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag))
            return true;
    return false;
}

bool DLxTableStatePartlist::HasVisibleDescendant(const DLxLocalBOMRow& row) const {
    for (const DLxLocalBOMRow* sub : row.SubRows()) {
        const DUxTableRowBase* t = FindRow(sub->Cookie());
        if (!t) continue;
        if (!t->Invisible()) return true;
        if (t->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag) &&
            t->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag) && HasVisibleDescendant(*sub))
            return true;
    }
    return false;
}
