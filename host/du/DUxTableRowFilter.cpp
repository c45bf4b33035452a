#include "du/DUxTableRowFilter.h"

#include "fb/FBxObjectEditRecord.h"
#include "fb/FBxXmlElement.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"

namespace {
const char16_t kFiltersKey[] = u"Filters";
const char16_t kFilterKey[] = u"Filter";
} // namespace

DUxTableRowFilter::DUxTableRowFilter(const FBxObjectEditRecord* record) {
    // A record's first value is its kind; the base's part follows it.
    if (record) m_active = record->GetBool(1);
}

void DUxTableRowFilter::SetActive(bool active) {
    PrepareWrite();
    m_active = active;
}

void DUxTableRowFilter::PrepareWrite() {
    RSe::PrepareWrite(this);
}

DUxTableRowFilter& DUxTableRowFilter::operator=(const DUxTableRowFilter& other) {
    if (&other != this && m_active != other.m_active) SetActive(other.m_active);
    return *this;
}

bool DUxTableRowFilter::operator==(const DUxTableRowFilter& other) const {
    return GetFilterType() == other.GetFilterType() && m_active == other.m_active;
}

void DUxTableRowFilter::Init() {
    m_active = true;
}

void DUxTableRowFilter::InitObjectEditRecord(FBxObjectEditRecord* record) const {
    if (record) record->AddBool(m_active);
}

void DUxTableRowFilter::LoadAttributes(const FBxXmlElement& element, int32_t) {
    bool active = m_active;
    if (element.GetAttributeBool(u"Active", active) && active != m_active) SetActive(active);
}

int32_t DUxTableRowFilter::SaveAttributes(FBxXmlElement& element,
                                          std::vector<FBxXmlElement*>*) const {
    element.SetAttributeBool(u"Active", m_active);
    return 0;
}

DUxTableRowFilterList* DUxTableRowFilterList::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxTableRowFilterList*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxTableRowFilterList();
}

DUxTableRowFilter* DUxTableRowFilterList::GetAt(int32_t index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return m_filters[size_t(index)].get();
}

DUxTableRowFilter* DUxTableRowFilterList::GetFilterOfType(DUxTableRowFilter::FilterType type,
                                                          bool activeOnly) const {
    for (const RSeRef<DUxTableRowFilter>& f : m_filters) {
        DUxTableRowFilter* p = f.get();
        if (p && p->GetFilterType() == type && (!activeOnly || p->IsActive())) return p;
    }
    return nullptr;
}

int32_t DUxTableRowFilterList::IndexForFilterAdd(DUxTableRowFilter::FilterType type) const {
    int32_t index = 0;
    for (int32_t i = 0; i < GetCount(); ++i) {
        const DUxTableRowFilter* p = GetAt(i);
        if (p && p->GetFilterType() <= type) index = i + 1;
    }
    return index;
}

void DUxTableRowFilterList::InsertAt(int32_t index, DUxTableRowFilter* filter) {
    if (!filter) return;
    RSe::PrepareWrite(this);
    if (index < 0 || index > GetCount()) index = GetCount();
    m_filters.insert(m_filters.begin() + index, RSeRef<DUxTableRowFilter>(filter));
}

bool DUxTableRowFilterList::RemoveAt(int32_t index) {
    if (index < 0 || index >= GetCount()) return false;
    RSe::PrepareWrite(this);
    DUxTableRowFilter* p = m_filters[size_t(index)].get();
    m_filters.erase(m_filters.begin() + index);
    if (p) RSe::DeleteObject(p);
    return true;
}

void DUxTableRowFilterList::RemoveAll() {
    while (RemoveAt(GetCount() - 1)) {
    }
}

bool DUxTableRowFilterList::HasActiveFilters() const {
    for (const RSeRef<DUxTableRowFilter>& f : m_filters)
        if (f.get() && f.get()->IsActive()) return true;
    return false;
}

DUxTableRowFilterList& DUxTableRowFilterList::operator=(const DUxTableRowFilterList& other) {
    if (&other == this) return *this;
    RemoveAll();
    RSeSegment* segment = RSe::SegmentOf(this);
    for (const RSeRef<DUxTableRowFilter>& f : other.m_filters) {
        const DUxTableRowFilter* src = f.get();
        if (!src) continue;
        auto* copy = dynamic_cast<DUxTableRowFilter*>(src->GetMeta()->Construct(segment));
        if (!copy) continue;
        copy->Init();
        *copy = *src;
        Add(copy);
    }
    return *this;
}

bool DUxTableRowFilterList::operator==(const DUxTableRowFilterList& other) const {
    if (GetCount() != other.GetCount()) return false;
    for (int32_t i = 0; i < GetCount(); ++i) {
        const DUxTableRowFilter* a = GetAt(i);
        const DUxTableRowFilter* b = other.GetAt(i);
        if (!a || !b) {
            if (a != b) return false;
            continue;
        }
        if (a->GetMeta() != b->GetMeta() || !(*a == *b)) return false;
    }
    return true;
}

std::vector<bool>
DUxTableRowFilterList::FilterOut(const std::vector<DUxTableDataQueryResultRow*>& rows) const {
    std::vector<DUxTableRowFilter*> active;
    for (const RSeRef<DUxTableRowFilter>& f : m_filters)
        if (DUxTableRowFilter* p = f.get(); p && p->IsActive()) active.push_back(p);
    std::vector<bool> hidden(rows.size(), false);
    if (active.empty()) return hidden;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (DUxTableRowFilter* p : active) {
            p->PreFilterOut(rows[i]);
            if (p->FilterOut(rows[i])) hidden[i] = true;
        }
    }
    for (DUxTableRowFilter* p : active)
        p->PostFilterOut();
    return hidden;
}

void DUxTableRowFilterList::CreateFiltersRecords(std::vector<FBxObjectEditRecord>& records) const {
    int32_t count = 0;
    for (const RSeRef<DUxTableRowFilter>& f : m_filters)
        if (f.get()) ++count;
    records.push_back(FBxObjectEditRecord(kFiltersKey).AddInt(count));
    for (const RSeRef<DUxTableRowFilter>& f : m_filters) {
        const DUxTableRowFilter* p = f.get();
        if (!p) continue;
        FBxObjectEditRecord record(kFilterKey);
        record.AddInt(int32_t(p->GetFilterType()));
        p->InitObjectEditRecord(&record);
        records.push_back(std::move(record));
    }
}

bool DUxTableRowFilterList::InitFromObjectEditRecordList(
    const std::vector<FBxObjectEditRecord>& records, int32_t& position,
    DUxTableRowFilterFactory factory) {
    if (!factory || position < 0 || size_t(position) >= records.size()) return false;
    const FBxObjectEditRecord& head = records[size_t(position)];
    if (head.GetKey() != kFiltersKey) return false;
    const int32_t count = head.GetInt(0);
    if (count < 0 || size_t(position) + size_t(count) >= records.size() + (count == 0 ? 1 : 0))
        return false;
    // Build every filter first, so that a refused record leaves the list as it was.
    RSeSegment* segment = RSe::SegmentOf(this);
    std::vector<DUxTableRowFilter*> made;
    bool ok = true;
    for (int32_t i = 1; i <= count && ok; ++i) {
        const FBxObjectEditRecord& r = records[size_t(position + i)];
        DUxTableRowFilter* f =
            r.GetKey() == kFilterKey
                ? factory(DUxTableRowFilter::FilterType(r.GetInt(0)), segment, &r)
                : nullptr;
        if (f)
            made.push_back(f);
        else
            ok = false;
    }
    if (!ok) {
        for (DUxTableRowFilter* f : made)
            RSe::DeleteObject(f);
        return false;
    }
    RemoveAll();
    for (DUxTableRowFilter* f : made)
        Add(f);
    position += count;
    return true;
}
