#include "BofM/DLxPartListColumnHeaders.h"

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListPropertyId.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxDTUtil.h"

namespace {
bool SkippedGeneralId(int32_t id) {
    return id == 20 || id == 38 || id == 39;
}
bool SameProperty(const DLxPartListColumn& a, const DLxPartListColumn& b) {
    const DLxPartListPropertyId* ia = a.GetPropertyId().Read();
    const DLxPartListPropertyId* ib = b.GetPropertyId().Read();
    return ia && ib && ia->IsSameProperty(*ib);
}
} // namespace

DLxPartListColumnHeaders::DLxPartListColumnHeaders(bool withDefaults) {
    if (!withDefaults) return;
    using Id = DLxPartListPropertyId;
    RSeSegment* segment = GetSegment();
    int32_t partNumberAt = -1;
    int32_t descriptionAt = -1;
    for (int32_t id : UCxDTUtil::GetGenPropIDs(2)) {
        if (SkippedGeneralId(id)) continue;
        if (id == 5) partNumberAt = int32_t(m_columns.size());
        if (id == 29) descriptionAt = int32_t(m_columns.size());
        AppendColumn(DLxPartListColumn::New(segment, Id::eGeneral, id, 5.0, 1, 0));
    }
    AppendColumn(DLxPartListColumn::New(segment, Id::ePartName, -1, 5.0, 1, 0));
    m_displayed.push_back(int32_t(m_columns.size()));
    AppendColumn(DLxPartListColumn::New(segment, Id::eItemNumber, -1, 2.0, 1, 1));
    m_displayed.push_back(int32_t(m_columns.size()));
    AppendColumn(DLxPartListColumn::New(segment, Id::eQuantity, -1, 1.5, 1, 1));
    AppendColumn(DLxPartListColumn::New(segment, Id::eMass, -1, 5.0, 1, 0));
    AppendColumn(DLxPartListColumn::New(segment, Id::eMaterial, -1, 5.0, 1, 0));
    if (partNumberAt >= 0) m_displayed.push_back(partNumberAt);
    if (descriptionAt >= 0) m_displayed.push_back(descriptionAt);
    m_firstList = {0, 0, 0};
    m_secondList = {1, 1, 1};
}

DLxPartListColumnHeaders::~DLxPartListColumnHeaders() {
    for (const RSeRef<DLxPartListColumn>& c : m_columns)
        if (RSeIDed* t = c.GetTarget()) RSe::DeleteObject(t);
}

DLxPartListColumnHeaders* DLxPartListColumnHeaders::New(RSeSegment* segment, bool withDefaults) {
    return new (RSe::_GetMeta(static_cast<const DLxPartListColumnHeaders*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DLxPartListColumnHeaders(withDefaults);
}

void DLxPartListColumnHeaders::AppendColumn(DLxPartListColumn* column) {
    m_columns.emplace_back(column);
    ++m_count;
}

int32_t DLxPartListColumnHeaders::FindSameProperty(const DLxPartListColumn& column) const {
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (const DLxPartListColumn* c = m_columns[i].Read(); c && SameProperty(*c, column))
            return int32_t(i);
    return -1;
}

RSeRef<DLxPartListColumn> DLxPartListColumnHeaders::GetDisplayedColumn(int32_t position) const {
    if (position < 0 || position >= GetDisplayedCount()) return {};
    return GetColumn(m_displayed[size_t(position)]);
}

RSeRef<DLxPartListColumn> DLxPartListColumnHeaders::GetColumn(int32_t position) const {
    if (position < 0 || position >= GetColumnCount()) return {};
    return m_columns[size_t(position)];
}

void DLxPartListColumnHeaders::SetDisplayedColumn(int32_t position,
                                                  const DLxPartListColumn& column) {
    const int32_t found = FindSameProperty(column);
    if (found < 0 || position < 0 || position >= GetDisplayedCount()) return;
    RSe::PrepareWrite(this);
    m_displayed[size_t(position)] = found;
    m_columns[size_t(found)]->Assign(column);
}

std::vector<UTxString16> DLxPartListColumnHeaders::GetDisplayedHeaders() const {
    std::vector<UTxString16> headers;
    for (int32_t i = 0; i < GetDisplayedCount(); ++i)
        if (const DLxPartListColumn* c = GetDisplayedColumn(i).Read())
            headers.push_back(c->GetHeader());
    return headers;
}

int32_t DLxPartListColumnHeaders::SetDisplayedColumns(
    const std::vector<RSeRef<DLxPartListColumn>>& columns) {
    RSe::PrepareWrite(this);
    m_displayed.clear();
    for (const RSeRef<DLxPartListColumn>& given : columns) {
        const DLxPartListColumn* column = given.Read();
        if (!column) continue;
        const int32_t found = FindSameProperty(*column);
        if (found >= 0) {
            m_displayed.push_back(found);
            m_columns[size_t(found)]->Assign(*column);
        } else if (column->IsCustomPropertyColumn() && AddColumn(*column)) {
            m_displayed.push_back(GetColumnCount() - 1);
        }
    }
    return int32_t(columns.size());
}

bool DLxPartListColumnHeaders::RemoveColumn(const DLxPartListColumn* column) {
    if (!column || !column->IsCustomPropertyColumn()) return false;
    const int32_t found = FindSameProperty(*column);
    if (found < 0) return false;
    RSe::PrepareWrite(this);
    RSeIDed* removed = m_columns[size_t(found)].GetTarget();
    m_columns.erase(m_columns.begin() + found);
    if (removed) RSe::DeleteObject(removed);
    std::vector<int32_t> displayed;
    for (int32_t d : m_displayed)
        if (d != found) displayed.push_back(d > found ? d - 1 : d);
    m_displayed = std::move(displayed);
    return true;
}

bool DLxPartListColumnHeaders::AddColumn(const DLxPartListColumn& column) {
    if (FindSameProperty(column) >= 0) return false;
    RSe::PrepareWrite(this);
    AppendColumn(DLxPartListColumn::New(GetSegment(), column, GetSegment()));
    return true;
}

void DLxPartListColumnHeaders::SetFirstList(const std::vector<int32_t>& list) {
    RSe::PrepareWrite(this);
    m_firstList = list;
}

void DLxPartListColumnHeaders::SetSecondList(const std::vector<int32_t>& list) {
    RSe::PrepareWrite(this);
    m_secondList = list;
}

void DLxPartListColumnHeaders::AddMissingGeneralColumns() {
    for (int32_t id : UCxDTUtil::GetGenPropIDs(2)) {
        if (SkippedGeneralId(id)) continue;
        bool present = false;
        for (const RSeRef<DLxPartListColumn>& c : m_columns) {
            const DLxPartListColumn* column = c.Read();
            const DLxPartListPropertyId* pid = column ? column->GetPropertyId().Read() : nullptr;
            if (pid && pid->GetGeneralId() == id) present = true;
        }
        if (present) continue;
        RSe::PrepareWrite(this);
        AppendColumn(DLxPartListColumn::New(GetSegment(), DLxPartListPropertyId::eGeneral, id, 5.0,
                                            1, 0));
    }
}

void DLxPartListColumnHeaders::Rebuild() {
    std::erase_if(m_displayed, [this](int32_t d) { return !GetColumn(d); });
}

// ---- the oldest headers

DLxColumnHeaders::~DLxColumnHeaders() {
    for (const RSeRef<DLxPartListPropertyId>& id : m_propertyIds)
        if (RSeIDed* t = id.GetTarget()) RSe::DeleteObject(t);
}

void DLxColumnHeaders::ConvertToPartListColumns(DLxPartListColumnHeaders& target) const {
    RSe::PrepareWrite(&target);
    for (size_t i = 0; i < m_propertyIds.size(); ++i) {
        const DLxPartListPropertyId* id = m_propertyIds[i].Read();
        // The parallel vectors of a damaged record may be shorter: their defaults stand in.
        const double width = i < m_widths.size() ? m_widths[i] : 0.0;
        const int32_t ha = i < m_headerAlignments.size() ? m_headerAlignments[i] : 0;
        const int32_t ca = i < m_columnAlignments.size() ? m_columnAlignments[i] : 0;
        DLxPartListColumn* column =
            id ? DLxPartListColumn::New(GetSegment(), *id, width, ha, ca)
               : DLxPartListColumn::New(GetSegment(), DLxPartListPropertyId::PropertyType(0), -1,
                                        width, ha, ca);
        target.m_columns.emplace_back(column);
    }
    target.m_firstList.insert(target.m_firstList.end(), m_firstList.begin(), m_firstList.end());
    target.m_secondList.insert(target.m_secondList.end(), m_secondList.begin(), m_secondList.end());
    target.m_displayed = m_displayed;
    target.m_count = m_count;
}
