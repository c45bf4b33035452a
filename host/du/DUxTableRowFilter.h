#pragma once
// Row filters of a table: each hides the query rows it judges out; a table state (and a table
// style, as the default for new tables) holds them in an ordered DUxTableRowFilterList.
//
// Contract of a filtering pass over rows R1..Rn (DUxTableRowFilterList::FilterOut runs it):
// every active filter in list order gets PreFilterOut(Ri) and FilterOut(Ri); the row is hidden
// when any of them answered true (all of them still see the row, so a filter may gather what it
// needs in PreFilterOut). After the last row, PostFilterOut of every active filter ends the pass.
// An inactive filter takes no part. The kinds of filter are the module's; the list creates them
// from edit records through the factory the module gives.
//
// Edit records: "Filters" with the number of filters, then one record per filter, key "Filter",
// its kind (long) first and then what its InitObjectEditRecord writes (the base: the active
// flag). The list reads them back with InitFromObjectEditRecordList.
//
// XML: a filter writes its settings as attributes of its element (SaveAttributes; the base:
// "Active") and reads them back with LoadAttributes; an attribute that is missing leaves the
// setting as it is, so an element written by an older dialog loads over the defaults.
#include <cstdint>
#include <vector>

#include "du/DUxTableDataQueryResultRow.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class FBxObjectEditRecord;
class FBxXmlElement;
class RSeSegment;

class DUxTableRowFilter : public RSeIDed {
public:
    enum FilterType : int32_t {
        eNoFilter = 0,
        ePurchasedFilter = 1,
        eStandardFilter = 2,
        eBalloonedFilter = 3,
        eItemRangeFilter = 4,
        eDesignViewFilter = 5,
    };

    DUxTableRowFilter() = default;
    explicit DUxTableRowFilter(const RSeStream* s) : RSeIDed(s) {}
    // The base's part of a record written by InitObjectEditRecord.
    explicit DUxTableRowFilter(const FBxObjectEditRecord* record);
    RSeMetaType* GetMeta() const override;

    bool IsActive() const { return m_active; }
    void SetActive(bool active);

    virtual bool OkToDelete() const { return true; }
    // Takes the other's active flag; subclasses add their own settings.
    virtual DUxTableRowFilter& operator=(const DUxTableRowFilter& other);
    virtual bool operator==(const DUxTableRowFilter& other) const;
    // The settings of a new filter: active.
    virtual void Init();
    virtual FilterType GetFilterType() const = 0;
    // Appends the filter's settings (the base: its active flag).
    virtual void InitObjectEditRecord(FBxObjectEditRecord* record) const;
    // `version` is the version of the XML's writer, for subclasses whose keys changed.
    virtual void LoadAttributes(const FBxXmlElement& element, int32_t version);
    // Answers 0; `extra` takes elements a filter writes beside its own (none here).
    virtual int32_t SaveAttributes(FBxXmlElement& element,
                                   std::vector<FBxXmlElement*>* extra) const;
    virtual UTxString16 DisplayName() const = 0;
    // True hides the row.
    virtual bool FilterOut(DUxTableDataQueryResultRow* row) = 0;
    virtual void PreFilterOut(DUxTableDataQueryResultRow*) {}
    virtual void PostFilterOut() {}

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowFilter* target, RSeCloneCommander* cc) const;

protected:
    // For setters of the subclasses: records the filter in the open transaction.
    void PrepareWrite();

private:
    bool m_active = true;
};

// Creates a filter of a kind in a segment, from its record when one is given; null for a kind
// the module does not know.
using DUxTableRowFilterFactory = DUxTableRowFilter* (*)(DUxTableRowFilter::FilterType, RSeSegment*,
                                                        const FBxObjectEditRecord*);

// The filters of a table in the order they are applied. The list owns its filters: they live in
// the list's segment, and whoever deletes the list deletes them first (RemoveAll).
class DUxTableRowFilterList : public RSeIDed {
public:
    DUxTableRowFilterList() = default;
    explicit DUxTableRowFilterList(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxTableRowFilterList* New(RSeSegment* segment);

    // Makes the filters copies of the other's (each a new filter of the same class in this
    // list's segment, given the other's settings through its operator=); the old ones are
    // deleted. A filter class without a load constructor is left out.
    DUxTableRowFilterList& operator=(const DUxTableRowFilterList& other);
    // Same kinds, in the same order, with equal settings.
    bool operator==(const DUxTableRowFilterList& other) const;

    int32_t GetCount() const { return int32_t(m_filters.size()); }
    // Null past the end.
    DUxTableRowFilter* GetAt(int32_t index) const;
    // The first filter of the kind; with activeOnly an inactive one does not count.
    DUxTableRowFilter* GetFilterOfType(DUxTableRowFilter::FilterType type, bool activeOnly) const;
    // Where a new filter of the kind goes: after the last one of a lower or equal kind, so that
    // the list stays in kind order whatever order filters are added in.
    int32_t IndexForFilterAdd(DUxTableRowFilter::FilterType type) const;
    // Takes the filter over (it should live in the list's segment); an index out of range
    // appends.
    void InsertAt(int32_t index, DUxTableRowFilter* filter);
    void Add(DUxTableRowFilter* filter) { InsertAt(GetCount(), filter); }
    // Deletes the filter at the index; false past the end.
    bool RemoveAt(int32_t index);
    void RemoveAll();
    bool HasActiveFilters() const;

    // One filtering pass over the rows (see the top of this file): the rows to hide.
    std::vector<bool> FilterOut(const std::vector<DUxTableDataQueryResultRow*>& rows) const;

    // Appends the "Filters" record and one "Filter" record per filter.
    void CreateFiltersRecords(std::vector<FBxObjectEditRecord>& records) const;
    // Replaces the filters by those of the records from `position` on, which must be a
    // "Filters" record; on success `position` is the last record used. False (and no change)
    // when the records are not filter records or the factory refuses a kind.
    bool InitFromObjectEditRecordList(const std::vector<FBxObjectEditRecord>& records,
                                      int32_t& position, DUxTableRowFilterFactory factory);

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowFilterList* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<DUxTableRowFilter>> m_filters;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableRowFilter*);
RSeMetaType* _GetMeta(const DUxTableRowFilter*);
RSeMetaType* _InitMeta(const DUxTableRowFilterList*);
RSeMetaType* _GetMeta(const DUxTableRowFilterList*);
} // namespace RSe
