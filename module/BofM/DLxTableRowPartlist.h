#pragma once
// The rows of a parts list computed from the drawing's local bill of materials: a row is named
// by a DLxTableRowIDLocalBOM (the cookie of its bill row), takes its flags and values from that
// bill row at every refresh, and keeps in its cells (DUxTableRowData_Partlist) the values the
// user typed that the bill does not hold.
#include <cstdint>

#include "dl/DLxLocalBOMCookie.h"
#include "du/DUxTableStateBase.h"

class DLxLocalBOMColumn;
class DLxLocalBOMRow;
class DLxTableStatePartlist;

// A row id naming a row of the local bill of materials.
class DLxTableRowIDLocalBOM : public DUxTableRowID {
public:
    DLxTableRowIDLocalBOM() = default;
    explicit DLxTableRowIDLocalBOM(const DLxLocalBOMCookie& cookie) : m_cookie(cookie) {}
    explicit DLxTableRowIDLocalBOM(const RSeStream* s) : DUxTableRowID(s) {}
    RSeMetaType* GetMeta() const override;

    const DLxLocalBOMCookie& Cookie() const { return m_cookie; }
    // The base's comparison and the cookie.
    bool IsEqual(const DUxTableRowID& other) const override;
    DUxTableRowID* Copy(RSeSegment* segment) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxTableRowIDLocalBOM* target, RSeCloneCommander* cc) const;

private:
    DLxLocalBOMCookie m_cookie;
};

class DLxTableRowPartlist : public DUxTableRowBase {
public:
    static constexpr uint32_t HiddenRowFlag = 0x1;
    static constexpr uint32_t CustomRowFlag = 0x8;
    static constexpr uint32_t GroupRowFlag = 0x10;
    static constexpr uint32_t ExpandableRowFlag = 0x20;
    static constexpr uint32_t ExpandedRowFlag = 0x40;
    static constexpr uint32_t KeptGapRowFlag = 0x80;
    static constexpr uint32_t BOMHiddenRowFlag = 0x100;
    // The bill's grouped-row mark, copied at every refresh.
    static constexpr uint32_t BOMGroupedRowFlag = 0x200;

    DLxTableRowPartlist() = default;
    DLxTableRowPartlist(DUxTableRowID* id, DUxTableStateBase* state) : DUxTableRowBase(id, state) {}
    explicit DLxTableRowPartlist(const RSeStream* s) : DUxTableRowBase(s) {}
    RSeMetaType* GetMeta() const override;

    // Hidden, or an expanded row while its table groups rows: its sub-rows stand for it.
    bool Invisible() const override;
    // Refresh from a DLxLocalBOMRow; false for any other result row.
    bool UpdateData(DUxTableDataQueryResultRow* data, const DUxTableColumnList& columns) override;
    DUxTableRowData_Base* CreateRowData(RSeSegment* segment) override;

    // The local-BOM id of the row; null for another id.
    const DLxTableRowIDLocalBOM* LocalBOMID() const;
    DLxTableStatePartlist* PartlistState() const;
    // true hides the row for the bill (flags 0x1 and 0x100); false shows it again only when
    // the bill hid it.
    void SetHiddenByBOM(bool hidden);
    // The bill row's status word; 0 when the row has no bill row.
    int32_t QueryLocalBOMRow() const;
    bool GetCellOverride(DUxTableStyleColumn* column, UTxString16& text);
    // Whether another shown row has the same item number; never for a group row.
    bool CompareItemNumberWithOtherRows();
    bool DropRedundantOverrides(const DLxLocalBOMRow& bomRow, const DUxTableColumnList& columns);
    void ClearLocalOverrides(const DUxTableColumnList& columns);

    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
};

// A cell of a parts-list row: the host's cell and the user's local value.
class DUxTableRowData_Partlist : public DUxTableRowData_Base {
public:
    DUxTableRowData_Partlist() = default;
    DUxTableRowData_Partlist(DUxTableStateBase* state, DUxTableRowBase* row)
        : DUxTableRowData_Base(state, row) {}
    explicit DUxTableRowData_Partlist(const RSeStream* s) : DUxTableRowData_Base(s) {}
    RSeMetaType* GetMeta() const override;

    // Writes the bill (or, in a legacy bill, the local override); see the row's contract.
    bool SetValue(const UTxString16& text, DUxTableStyleColumn* column, bool freeze) override;
    bool ClearOverride(DUxTableStyleColumn* column) override;

    bool GetOverride(UTxString16& text) const;
    bool HasOverride() const { return m_overrideSet; }
    void SetOverride(const UTxString16& text);
    void ClearLocalOverride();
    // Drops the local override when the bill now holds the same value.
    bool DropIfEqual(const DLxLocalBOMRow& bomRow, DUxTableStyleColumn* column);
    void FillFromBOMRow(const DLxLocalBOMRow& bomRow, DUxTableStyleColumn* column);
    // The same with the column's bill column known (null: it shows none).
    void FillFromBOMRow(const DLxLocalBOMRow& bomRow, DUxTableStyleColumn* column,
                        const DLxLocalBOMColumn* bill);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowData_Partlist* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_override;
    bool m_overrideSet = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableRowIDLocalBOM*);
RSeMetaType* _GetMeta(const DLxTableRowIDLocalBOM*);
RSeMetaType* _InitMeta(const DLxTableRowPartlist*);
RSeMetaType* _GetMeta(const DLxTableRowPartlist*);
RSeMetaType* _InitMeta(const DUxTableRowData_Partlist*);
RSeMetaType* _GetMeta(const DUxTableRowData_Partlist*);
} // namespace RSe
