#pragma once
// The component properties table of an older parts list: its column headers, the component
// group that reaches the assembly, one binder per top-level row, the order its rows are shown
// in and the item numbers it shows. Current code makes none; it reads and upgrades stored ones
// (rows for the assembly's components, custom rows).
#include <cstdint>
#include <list>
#include <set>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxColumnHeaders;
class DLxPartListColumn;
class DLxPartListColumnHeaders;
class DLxPartListComponentGroup;
class DLxPartListItemIdRanges;
class DLxTableComponentBinder;
class DLxTagManager;

class DLxPartListComponentPropertiesTable : public RSeIDed {
public:
    using BinderList = std::list<RSeRef<DLxTableComponentBinder>>;
    // A shown row: its position among the records, what it stands on (1 a part, 2 a composite
    // component, 3 a custom part, 4 no component) and its binder.
    struct NodeRecord {
        int32_t position;
        int32_t kind;
        RSeRef<DLxTableComponentBinder> binder;
    };

    DLxPartListComponentPropertiesTable(const RSeRef<DLxPartListColumnHeaders>& headers,
                                        const RSeRef<DLxPartListComponentGroup>& group,
                                        const RSeRef<DLxPartListItemIdRanges>& ranges,
                                        bool structured);
    explicit DLxPartListComponentPropertiesTable(const RSeStream*) {}
    ~DLxPartListComponentPropertiesTable() override;
    RSeMetaType* GetMeta() const override;

    const RSeRef<DLxPartListComponentGroup>& GetPartListComponentGroup() const { return m_group; }
    const RSeRef<DLxPartListColumnHeaders>& GetColumnHeaders() const { return m_headers; }
    const std::vector<RSeRef<DLxTableComponentBinder>>& GetBinders() const { return m_binders; }
    const std::vector<int32_t>& GetRowOrder() const { return m_rowOrder; }
    const std::set<UTxString16>& GetTags() const { return m_tags; }
    bool IsStructured() const { return m_structured; }

    // The tag manager: the cached one, else the first a binder's component has, else the one
    // of the structure the group's data source stands on. Not cached.
    RSeRef<DLxTagManager> GetTagManager() const;
    // The displayed columns, in display order.
    void GetColumns(std::list<RSeRef<DLxPartListColumn>>& out) const;
    // A copy of a stored custom row (one text per column); empty past the end.
    std::vector<UTxString16> GetRow(int32_t i) const;
    size_t RowCount() const { return m_rows.size(); }
    void ClearRows();

    // A new binder for each component of the group with a quantity whose tag the item ranges
    // show; the other components are deleted.
    void CreateBinders(BinderList& out);
    // Each binder, then its collected children, in order.
    void CollectNodes(std::vector<NodeRecord>& out) const;
    // Rebinds the stored rows to the current structure (the upgrade of older parts lists):
    // stored rows take the nodes of the occurrences (structured) or rows (parts only) they
    // stood on, rows of nothing left go, new components get rows at the end, and the row order
    // keeps the stored rows' places with each row's children after it. False without a tag
    // manager.
    bool MatchTagManagerNodes();
    // Adds a custom row (quantity 1) and answers its binder; null without a tag manager. A
    // structured list also lists the custom part among the tag manager's root nodes.
    DLxTableComponentBinder* CreateCustomComponents(int32_t, int32_t,
                                                    const RSeRef<DLxTagManager>& tagManager);

    void Load(RSeStream& s);
    // Versions 0 to 3: see the storage unit.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListComponentPropertiesTable* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxColumnHeaders> m_oldHeaders;      // stored before version 3 only
    RSeRef<DLxPartListColumnHeaders> m_headers; // owned
    RSeRef<DLxPartListComponentGroup> m_group;  // owned
    std::vector<int32_t> m_rowOrder;
    std::set<UTxString16> m_tags;                           // not stored
    RSeRef<DLxPartListItemIdRanges> m_ranges;               // owned
    std::vector<RSeRef<DLxTableComponentBinder>> m_binders; // owned
    bool m_structured = true;
    std::vector<std::vector<UTxString16>> m_rows; // custom rows of version-3 tables
    RSeRef<DLxTagManager> m_tagManager;           // a cache, not stored
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListComponentPropertiesTable*);
RSeMetaType* _GetMeta(const DLxPartListComponentPropertiesTable*);
} // namespace RSe
