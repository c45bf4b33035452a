#pragma once
// Reading a local bill of materials: a query over a DLxLocalBOM, shaped by the group settings
// of the parts list that asks (or by none), gives rows in table order. Each row answers its
// cookie, values per column and whether they are overridden, and passes changes of its cells,
// item number and expansion on to the bill, where they are stored (DLxLocalBOM.h has the
// contract). Rows belong to the query's results: they live until the query executes again or
// goes.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMCookie.h"
#include "du/DUxTableDataQueryResultRow.h"

class DLxLocalBOM;
class DLxLocalBOMQuery;
class GBxBOMEditDescriptor;
class DUxTableRowFilterList;
class DLxStructureNode;

// What a parts list tells the query; the defaults are a plain bill: no grouping, no
// participants, nothing hidden, item numbers shown, zero quantities kept, no table overrides.
class DLxLocalBOMGroupSettings {
public:
    virtual ~DLxLocalBOMGroupSettings() = default;
    virtual bool IsGroupingEnabled() const { return false; }
    // Up to three key columns; false where there is no such key.
    virtual bool GetGroupKey1(DLxLocalBOMColumn&) const { return false; }
    virtual bool GetGroupKey2(DLxLocalBOMColumn&) const { return false; }
    virtual bool GetGroupKey3(DLxLocalBOMColumn&) const { return false; }
    // The single rows of a grouped row follow it in the results.
    virtual bool GetDisplayParticipants() const { return false; }
    // A row the table hides; it and its sub-rows leave the results. The out flag, when
    // given, tells whether the bill itself hides it.
    virtual bool IsRowHidden(const DLxLocalBOMCookie&, bool* bomHidden) const {
        if (bomHidden) *bomHidden = false;
        return false;
    }
    // The table's row filters; the rows they filter out leave the results (after the rows
    // are laid out, so a filtered-out row's sub-rows go only when filtered out themselves).
    virtual const DUxTableRowFilterList* GetRowFilters() const { return nullptr; }
    virtual bool GetDisplayItemNumbers() const { return true; }
    virtual bool GetHideZeroQuantityRows() const { return false; }
    // The table's own value of a cell, which the row's text shows instead of the bill's.
    virtual bool GetCellOverride(const DLxLocalBOMCookie&, const DLxLocalBOMColumn&,
                                 std::u16string&) const {
        return false;
    }
};

class DLxLocalBOMRow : public DUxTableDataQueryResultRow {
public:
    static constexpr uint32_t kHiddenByBOM = 0x2;
    // A grouped row: the table hides it while it is expanded into its participants.
    static constexpr uint32_t kGroupedRow = 0x4;
    // Item codes.
    static constexpr int32_t kItemPart = 1;
    static constexpr int32_t kItemPurchased = 2;
    static constexpr int32_t kItemCustom = 3;

    ~DLxLocalBOMRow() override;

    const DLxLocalBOMCookie& Cookie() const { return m_cookie; }
    DLxLocalBOM* BOM() const { return m_bom; }
    // The sub-assembly row this row lies under; null at the top level.
    DLxLocalBOMRow* Parent() const { return m_parent; }
    uint32_t GetFlags() const { return m_flags; }
    // The rows under an assembly row (grouped and sorted as its siblings), whether it is
    // expanded or not.
    const std::vector<DLxLocalBOMRow*>& SubRows() const { return m_subRows; }
    // The single rows a grouped row merges, in model order.
    const std::vector<DLxLocalBOMRow*>& ParticipantRows() const { return m_participants; }
    int32_t GetItemCode() const;
    // The component of a single model row; 0 for custom and grouped rows.
    int32_t GetComponentId() const { return m_component; }
    int32_t GetQuantity() const { return m_quantity; }
    const std::u16string& GetItemNumber() const { return m_itemNumber; }
    // Whether the row lies under that assembly component (or is it).
    bool PathContains(int32_t component) const;

    virtual bool IsExpandable() const { return m_expandable; }
    virtual bool IsExpanded() const { return m_expanded; }
    // Changes the bill's expansion of the row (stored when `persist`); false for a row that
    // does not expand. The query's results change with the next Execute.
    virtual bool SetExpanded(bool expand, bool persist);
    virtual bool IsCustom() const { return m_cookie.item() < 0; }
    virtual bool IsGroupRow() const { return m_cookie.IsGrouped(); }
    // Custom rows keep their place when the model's rows are sorted.
    virtual bool StaysInPlace() const { return IsCustom(); }
    // The text shown: the table's override, else the value.
    virtual bool GetCellText(const DLxLocalBOMColumn& column, std::u16string& text) const;
    // The bill's status word as it bears on this row.
    virtual int32_t GetRowStatus() const;
    // Stores the text as the row's value (an override of a model row, the value of a custom
    // row); false for the Item column, which SetItemNumber sets.
    virtual bool SetCellValue(const DLxLocalBOMColumn& column, const std::u16string& text);
    // The row's value; `substituted` tells whether it replaces the model's value.
    virtual bool GetCellValue(const DLxLocalBOMColumn& column, std::u16string& text,
                              bool* substituted) const;
    virtual bool IsCellOverridden(const DLxLocalBOMColumn& column) const;
    virtual bool ClearCellOverride(const DLxLocalBOMColumn& column);
    virtual bool SetItemNumber(const std::u16string& number);
    // A model row with an override of a property that push-back writes into the component.
    virtual bool CanPushBack() const;
    // Item numbers pushed into the model (GBxBOMEditDescriptor). The test: for the item column,
    // a model row of one component whose number was set in the drawing and differs from the
    // model's; under a structured scheme that keeps numbers of its top level only
    // (GBxBOMDescriptor::DetailIDNotAvailable), a top-level row. The write puts the row's number
    // into the edit; false when the test does not hold.
    virtual bool HasItemNumberToPush(const DLxLocalBOMColumn& column) const;
    virtual bool PushItemNumber(GBxBOMEditDescriptor& edit, const DLxLocalBOMColumn& column) const;

private:
    friend class DLxLocalBOMQuery;
    DLxLocalBOMCookie m_cookie;
    std::u16string m_key; // the cookie's stored key
    DLxLocalBOM* m_bom = nullptr;
    const DLxLocalBOMGroupSettings* m_settings = nullptr;
    DLxLocalBOMRow* m_parent = nullptr;
    uint32_t m_flags = 0;
    int32_t m_component = 0;
    int32_t m_quantity = 0;
    bool m_expandable = false;
    bool m_expanded = false;
    std::u16string m_itemNumber;
    std::u16string m_ownNumber; // the number the bill gives the row
    std::vector<DLxLocalBOMRow*> m_subRows;
    std::vector<DLxLocalBOMRow*> m_participants;
};

// The rows of one execution, in table order.
class DLxLocalBOMRows {
public:
    size_t RowCount() const { return m_visible.size(); }
    // Null past the end.
    DLxLocalBOMRow* RowAt(size_t index) const {
        return index < m_visible.size() ? m_visible[index] : nullptr;
    }
    // Any row of the bill by its cookie, in the results or under a collapsed row; null when
    // there is none.
    DLxLocalBOMRow* RowByCookie(const DLxLocalBOMCookie& cookie) const;

private:
    friend class DLxLocalBOMQuery;
    std::vector<std::unique_ptr<DLxLocalBOMRow>> m_all;
    std::vector<DLxLocalBOMRow*> m_visible;
    mutable std::unordered_map<DLxLocalBOMCookie, DLxLocalBOMRow*, DLxLocalBOMCookieHash>
        m_byCookie;
};

class DLxLocalBOMQuery {
public:
    // `customParts` 1 lists the bill's custom rows after the model's, 0 leaves them out; 3 (the
    // conversion's setting) lists them as 1 does.
    DLxLocalBOMQuery(DLxLocalBOM* bom, const DLxLocalBOMGroupSettings* settings,
                     int32_t customParts, bool flag = true);
    // A query for the one row of an occurrence (by its occurrence path, see
    // DLxLocalBOM::CookieOfOccurrencePath): its results hold that row alone, or nothing. The
    // member name is the family-table member the row is read for.
    DLxLocalBOMQuery(DLxLocalBOM* bom, const std::vector<int32_t>& occurrencePath,
                     const std::u16string& memberName, bool flag = true);
    // The family-table member a node's component is shown as; empty when it is no factory.
    static std::u16string GetMemberName(const DLxStructureNode* node);
    ~DLxLocalBOMQuery();

    // Rows of each level are sorted by the keys, in the order they were added, when Execute
    // is asked to sort; custom rows stay after them.
    void AddSortKey(const DLxLocalBOMColumn& column, bool ascending);
    // False without a bill or without an attached model (status bit 0x1 or 0x2).
    bool Execute(bool sort = false);
    // Null until an Execute succeeded.
    const DLxLocalBOMRows* Results() const { return m_rows.get(); }
    size_t RowCount() const { return m_rows ? m_rows->RowCount() : 0; }
    DLxLocalBOMRow* RowAt(size_t index) const { return m_rows ? m_rows->RowAt(index) : nullptr; }
    // Executes first when no execution has run yet.
    DLxLocalBOMRow* RowByCookie(const DLxLocalBOMCookie& cookie);
    // The row of one cookie as RowByCookie answers it after a full execution, read without
    // the rest of the bill: only the row and the sub-assembly rows above it are made (a
    // grouped cookie, which depends on its siblings, executes the whole query). Results() then
    // lists no rows. Null when the bill has no such row or cannot be read.
    DLxLocalBOMRow* QueryRow(const DLxLocalBOMCookie& cookie);
    // The row that shows a row of the bill: itself when it is in the results, else the
    // grouped row that merges it, else its nearest ancestor in the results; null when none
    // is (a hidden row). Executes first when no execution has run yet.
    DLxLocalBOMRow* VisibleRowByCookie(const DLxLocalBOMCookie& cookie);
    DLxLocalBOMCookie VisibleCookieByCookie(const DLxLocalBOMCookie& cookie);
    // The bill's status when the query last executed.
    uint32_t GetStatus() const { return m_status; }
    static bool RemoveCustom(DLxLocalBOM* bom, const DLxLocalBOMCookie& cookie);

private:
    std::vector<DLxLocalBOMRow*> BuildLevel(const std::vector<int32_t>& path,
                                            DLxLocalBOMRow* parent, bool top);
    void Shape(std::vector<DLxLocalBOMRow*>& rows);
    void Emit(const std::vector<DLxLocalBOMRow*>& rows);
    DLxLocalBOMRow* NewRow();
    bool Begin();
    bool ListsCustoms() const { return m_customParts == 1 || m_customParts == 3; }

    DLxLocalBOM* m_bom;
    const DLxLocalBOMGroupSettings* m_settings;
    int32_t m_customParts;
    bool m_sort = false;
    uint32_t m_status = 0;
    std::vector<std::pair<DLxLocalBOMColumn, bool>> m_sortKeys;
    std::vector<DLxLocalBOMColumn> m_groupKeys;
    std::u16string m_delimiter;
    bool m_single = false; // a query for one occurrence
    std::vector<int32_t> m_occurrence;
    std::unique_ptr<DLxLocalBOMRows> m_rows;
};
