#pragma once
// The computed state of a parts list whose rows come from the drawing's local bill of
// materials. It keeps the settings that shape the bill's query (grouping and its keys,
// participants, item numbers, selected family members, hidden zero-quantity rows), answers
// that query as its group settings, and turns the results into DLxTableRowPartlist rows that
// keep their identity across rebuilds through their cookies. Rows come and go only through
// RebuildRows, AddCustomRow and the base's row creation and removal.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "dl/DLxLocalBOMQuery.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStateBase.h"

class DLxLocalBOM;
class FBxObjectEditRecord;

class DLxTableStatePartlist : public DUxTableStateBase, public DLxLocalBOMGroupSettings {
public:
    static constexpr uint32_t kGroupingEnabled = 0x1;
    static constexpr uint32_t kDisplayParticipants = 0x2;
    static constexpr uint32_t kDisplayItemNumbers = 0x4;
    static constexpr uint32_t kHideZeroQuantityRows = 0x8;
    // Several selected members stay on a bill that is not assembly based (older documents).
    static constexpr uint32_t kSeveralMembers = 0x10;

    DLxTableStatePartlist();
    explicit DLxTableStatePartlist(const RSeStream* s);
    ~DLxTableStatePartlist() override;
    RSeMetaType* GetMeta() const override;
    static DLxTableStatePartlist* New(RSeSegment* segment);

    static const char* GetInternalName();
    static DUxTableRowFilter* NewFilter(DUxTableRowFilter::FilterType type, RSeSegment* segment,
                                        FBxObjectEditRecord* record = nullptr);
    static bool InterestedInFilter(DUxTableRowFilter::FilterType type);

    // Settings.
    RSeRef<DLxLocalBOM> GetLocalBOM() const { return m_localBOM; }
    DLxLocalBOM* LocalBOM() const;
    void SetLocalBOM(const RSeRef<DLxLocalBOM>& bom);
    uint32_t GetFlags() const { return m_flags; }
    void SetGroupingEnabled(bool on) { SetFlagBit(kGroupingEnabled, on); }
    void SetDisplayParticipants(bool on) { SetFlagBit(kDisplayParticipants, on); }
    void SetDisplayItemNumbers(bool on) { SetFlagBit(kDisplayItemNumbers, on); }
    void SetFlagBit(uint32_t bit, bool on);
    void SetGroupKeys(const std::vector<RSeRef<DUxTableStylePartsListColumn>>& keys);
    const std::vector<RSeRef<DUxTableStylePartsListColumn>>& GetGroupKeys() const {
        return m_groupKeys;
    }
    uint32_t GetBOMStatus() const { return m_bomStatus; }
    const std::vector<UTxString16>& GetSelectedMembers() const { return m_selectedMembers; }
    void SetSelectedMembers(const std::vector<UTxString16>& members, bool hideZeroQuantityRows);
    // Sets the columns; with selected members every member-specific column is repeated per
    // member. `reuseHeadings` keeps the headings of member copies the table already has.
    bool SetColumns(const DUxTableColumnList& columns, bool reuseHeadings);
    bool SetColumns(const DUxTableColumnList& columns) override {
        return SetColumns(columns, true);
    }

    // The query of the bill under this state's settings; custom rows listed.
    std::unique_ptr<DLxLocalBOMQuery> NewQuery() const;
    // Whether the table's own queries list the rows it hides (its rebuilds and refreshes do).
    bool ListsHiddenRows() const { return m_listHidden; }

    // Rows. Each does nothing, or answers false, without a local bill.
    void RebuildRows(const RSeRefBase& notify);
    void RequeryRows();
    void SortRows(const SortDef& keys);
    void UpdateRow(int32_t index);
    bool ExpandRow(int32_t index, bool expand);
    void SequenceTags();
    bool DropRedundantOverrides();
    static void RemoveEntityBasedRowOverrides(DLxTableStatePartlist* state);
    bool GetLocalBOMCellFlag(int32_t column, int32_t row) const;
    bool CanPushbackItemNumbers(const std::set<int32_t>* rows) const;
    bool AnyRowWithBothFlags() const;
    bool HasVisibleDescendant(const DLxLocalBOMRow& row) const;

    // Group settings, as the bill's query asks them.
    bool IsGroupingEnabled() const override;
    bool GetGroupKey1(DLxLocalBOMColumn& key) const override { return GroupKey(0, key); }
    bool GetGroupKey2(DLxLocalBOMColumn& key) const override { return GroupKey(1, key); }
    bool GetGroupKey3(DLxLocalBOMColumn& key) const override { return GroupKey(2, key); }
    bool GetDisplayParticipants() const override { return m_flags & kDisplayParticipants; }
    bool IsRowHidden(const DLxLocalBOMCookie& cookie, bool* bomHidden) const override;
    bool GetDisplayItemNumbers() const override { return m_flags & kDisplayItemNumbers; }
    bool GetHideZeroQuantityRows() const override { return m_flags & kHideZeroQuantityRows; }
    bool GetCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column,
                         std::u16string& text) const override;
    // While the table reads the bill over all its rows: true when the k-th of the table's
    // columns is `column` as read for the pass, with its bill column (null for none).
    bool PassBillColumn(size_t k, const DUxTableStyleColumn* column,
                        const DLxLocalBOMColumn*& bill) const;
    // The table's quantity columns, in column order.
    void GetQuantityColumns(DUxTableColumnList& out) const;
    const DUxTableRowFilterList* GetRowFilters() const override { return FindFilterList(); }

    // The table state's operations, refined for parts lists.
    bool AddColumn(DUxTableStyleColumn* column, int32_t index) override;
    bool RemoveColumn(DUxTableStyleColumn* column) override;
    void FormatColumnChanged(DUxTableStyleColumn* column) override;
    DUxTableRowBase* AddCustomRow(int32_t index) override;
    bool CanOverrideCell(DUxTableRowBase* row, DUxTableStyleColumn* column) override;
    double GetMinBandHeight(int32_t band, bool multiLine) const override;
    int32_t WrapCellText(RDxString& text, double width) override;
    bool UsesFormatCodes() const override { return false; }
    void FitColumnHeading(RDxString& heading, DUxTableStyleColumn* column) override;
    void FitTitle(RDxString& title, double width) override;
    DUxTableRowBase* CreateRow(const DUxTableRowID& id, DUxTableStateBase* state,
                               RSeSegment* segment) override;
    bool AddColumnUsage(DUxTableStyleColumn* column) override;
    void OnColumnRemoved(DUxTableStyleColumn* column) override;
    bool RemoveColumnUsage(DUxTableStyleColumn* column) override;
    bool RestoreColumnUsage(DUxTableStyleColumn* column) override { return AddColumnUsage(column); }
    void OnRowRemoved(DUxTableRowBase* row) override;
    DUxTableRowBase* RowForResult(DUxTableDataQueryResultRow* result) override;

    // The row of a bill row's cookie; null when the table has none.
    DUxTableRowBase* FindRow(const DLxLocalBOMCookie& cookie) const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxTableStatePartlist* target, RSeCloneCommander* cc) const;

private:
    bool GroupKey(size_t index, DLxLocalBOMColumn& key) const;
    bool ExpandMemberColumns(DUxTableColumnList& columns, bool reuseHeadings,
                             int32_t previousCount);
    bool IsMemberSpecific(const DUxTableStylePartsListColumn* column) const;
    void Prepare();

    // While the table reads the bill for its own rows it lists the rows it hides too: a row
    // keeps its identity (and the user's hidden mark) only while the results name it.
    mutable bool m_listHidden = false;
    // While rebuilding, rows leave the table because the bill no longer lists them (a filter may
    // hide a custom row): the bill keeps its items.
    bool m_rebuilding = false;

    // The rows by cookie, for the bill's query that asks row by row and cell by cell; in step
    // with the table while m_indexedCount is its row count (not stored, never copied).
    void Reindex() const;
    void PlaceRow(DUxTableRowBase* row, int32_t at);
    // Puts the rows in a new order at once, `moved` having left the table and come back in the
    // order `placed`; the index follows as it would have row by row.
    void ReorderRows(const std::vector<DUxTableRowBase*>& order,
                     const std::vector<DUxTableRowBase*>& moved,
                     const std::vector<DUxTableRowBase*>& placed);
    void IndexRow(const DLxLocalBOMCookie& cookie, DUxTableRowBase* row) const;
    mutable std::unordered_map<DLxLocalBOMCookie, RSeRef<DUxTableRowBase>, DLxLocalBOMCookieHash>
        m_rowIndex;
    mutable int32_t m_indexedCount = -1;
    // Two rows of one cookie were indexed: the index names one of them only.
    mutable bool m_indexShared = false;
    // While the table reads the bill over all its rows (rebuild, requery, sort), nothing but the
    // pass changes them and the pass keeps the index in step: a cookie it does not know is in
    // no row, and the bill asks for many such cookies (not stored, never copied).
    mutable bool m_indexTrusted = false;
    friend struct TrustedIndex;
    // While the index is trusted: the row found last (the bill asks for one row's cells one
    // after the other), and each table column's bill column and whether it takes overrides.
    mutable DLxLocalBOMCookie m_lastCookie;
    mutable DUxTableRowBase* m_lastRow = nullptr;
    struct PassColumn {
        DLxLocalBOMColumn bill;
        DUxTableStyleColumn* column = nullptr;
        bool isBill = false;
        bool hasTarget = false;
    };
    mutable std::vector<PassColumn> m_passColumns;
    // While the index is trusted: whether any row holds a table's own override of a cell (the
    // pass sets none), so that the bill's question for one, cell by cell, needs no row.
    mutable bool m_passAnyOverride = true;

    // Wrapped cell texts by what decides them (text, width, font, height, breaks): every compute
    // lays out every row again, and most texts did not change (not stored, never copied).
    struct WrapMemo;
    mutable std::unique_ptr<WrapMemo> m_wrapMemo;

    uint32_t m_flags = 0;
    RSeRef<DLxLocalBOM> m_localBOM;
    std::vector<RSeRef<DUxTableStylePartsListColumn>> m_groupKeys; // owned
    uint32_t m_bomStatus = 0;
    std::vector<UTxString16> m_selectedMembers;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableStatePartlist*);
RSeMetaType* _GetMeta(const DLxTableStatePartlist*);
} // namespace RSe
