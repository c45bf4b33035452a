#pragma once
// The host's table framework: a table state holds a table's columns (its own copies of style
// columns), its rows in table order, its row filters, sort definition, origin and flag word.
// Rows are named by row ids and hold cells, one per column they were given a value for.
//
// Contract:
// - Rows, their ids and their cells live in the state's segment and belong to it. A row leaves
//   the table only through RemoveRow, which tells the state (OnRowRemoved) before it deletes
//   the row (unless asked to keep it), its id and its cells.
// - GetRow by id finds the first row whose id IsEqual to the given one; with creation a missing
//   row is made by the state's CreateRow and inserted at the position (the end for -1).
// - SetColumns replaces the columns by copies made in the state's segment; the old copies are
//   deleted, each row first losing its cell of that column (OnColumnRemoved).
// - Flags of a row: SetFlag(flag, false) turns the flag on, SetFlag(flag, true) turns it off.
//   The base reads one flag itself: 0x1, a hidden row (Invisible).
// - The kept row gap of a row is -1.0 when there is none.
// - A row's drawing stamp changes with every change of its flags, height or cells' values, and
//   GenGraphics draws again only the rows whose stamps changed when nothing else its drawing
//   reads changed (style looks, columns, bands, origin, flag word, display option, the shown
//   rows and their order) and the list still holds its last drawing (SMxDisplayList
//   generation, RSe::RestoreCount). A kind of table whose texts depend on more must change a
//   row's stamp (TouchDrawing) or the flag word when that changes.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "dc/RDxState.h"
// Held by reference in the state, so complete wherever the state is.
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxStyle.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class BBox;
class DUxTableDataQueryResultRow;
class DUxTableRowBase;
class DUxTableStateBase;
class RDxString;
class SMxDisplayList;
class WqGeVector3d;

using DUxTableColumnList = std::vector<RSeRef<DUxTableStyleColumn>>;

// The name of a row. The base is a number; the kinds of table add what names their rows.
class DUxTableRowID : public RSeIDed {
public:
    DUxTableRowID() = default;
    explicit DUxTableRowID(int32_t number) : m_number(number) {}
    explicit DUxTableRowID(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetNumber() const { return m_number; }
    // The same class and number; subclasses compare what they add too.
    virtual bool IsEqual(const DUxTableRowID& other) const;
    // A new id equal to this one in the segment.
    virtual DUxTableRowID* Copy(RSeSegment* segment) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowID* target, RSeCloneCommander* cc) const;

protected:
    int32_t m_number = 0;
};

// A cell: its column, value text and whether the value is the user's (overridden).
class DUxTableRowData_Base : public RSeIDed {
public:
    DUxTableRowData_Base() = default;
    DUxTableRowData_Base(DUxTableStateBase* state, DUxTableRowBase* row);
    explicit DUxTableRowData_Base(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    DUxTableStateBase* GetState() const;
    DUxTableRowBase* GetRow() const;
    bool IsOverridden() const { return m_overridden != 0; }

    virtual const UTxString16& GetValue() const { return m_value; }
    // The user's value: stored and marked overridden. `freeze` is the caller's (kept for the
    // kinds of cell); the base always accepts.
    virtual bool SetValue(const UTxString16& text, DUxTableStyleColumn* column, bool freeze);
    // The value alone, its mark unchanged.
    virtual void SetString(const UTxString16& text);
    // Drops the overridden mark; the value stays until the next refresh.
    virtual bool ClearOverride(DUxTableStyleColumn* column);
    // A refresh from the table's data.
    void UpdateData(const UTxString16& value, bool overridden, DUxTableStyleColumn* column);

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowData_Base* target, RSeCloneCommander* cc) const;

protected:
    void SetOverriddenMark(bool on);

private:
    RSeRef<DUxTableStateBase> m_state;
    RSeRef<DUxTableRowBase> m_row;
    uint8_t m_overridden = 0;
    UTxString16 m_value;
};

class DUxTableRowBase : public RSeIDed {
public:
    static constexpr uint32_t kHiddenFlag = 0x1;
    // The last row of a section of a wrapped table.
    static constexpr uint32_t kSectionEndFlag = 0x2;

    DUxTableRowBase() = default;
    // Takes the id over (it lives in the state's segment).
    DUxTableRowBase(DUxTableRowID* id, DUxTableStateBase* state);
    explicit DUxTableRowBase(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    DUxTableRowID* RowID() const;
    DUxTableStateBase* GetState() const;

    bool IsFlagOn(uint32_t flag) const { return (m_flags & flag) == flag; }
    // false turns the flag on, true turns it off.
    void SetFlag(uint32_t flag, bool off);
    uint32_t GetFlags() const { return m_flags; }

    // The row's natural gap (what its texts need), set by layout.
    double GetRowGap() const { return m_rowGap; }
    void SetRowGap(double gap);
    double GetKeptRowGap() const { return m_keptGap; }
    void SetKeptRowGap(double gap);
    // The user's height of the row; layout never draws it lower than its texts need
    // (DUxTableStateBase::GetMinRowHeight). 0 for none.
    double GetHeight() const { return m_height; }
    void SetHeight(double height);

    virtual bool Invisible() const { return IsFlagOn(kHiddenFlag); }
    // A refresh from the table's data; the base takes nothing and answers true.
    virtual bool UpdateData(DUxTableDataQueryResultRow* data, const DUxTableColumnList& columns);
    // Deletes the cell of the column.
    virtual void OnColumnRemoved(DUxTableStyleColumn* column);
    // A new cell of this row's kind, in the segment.
    virtual DUxTableRowData_Base* CreateRowData(RSeSegment* segment);

    // The cell of the column; with `create` a missing one is made by CreateRowData.
    DUxTableRowData_Base* GetValueRaw(DUxTableStyleColumn* column, bool create);
    // The cell's value text; empty without a cell. Valid until the cell changes or goes.
    const UTxString16& GetValue(DUxTableStyleColumn* column) const;
    int32_t GetCellCount() const { return int32_t(m_cells.size()); }
    // Deletes the cells and the id: the row is going.
    void DeleteParts();
    // Changes with every change of what the row draws (its flags, height and cells' values)
    // and differs between any two rows ever made: a drawing of the row with the same stamp is
    // still right, unless objects were put back since (RSe::RestoreCount). Not stored.
    uint64_t DrawStamp() const { return m_drawStamp; }
    void TouchDrawing() { m_drawStamp = NewDrawStamp(); }

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableRowBase* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DUxTableRowID> m_id;
    RSeRef<DUxTableStateBase> m_state;
    uint32_t m_flags = 0;
    double m_rowGap = 0.0;
    double m_keptGap = -1.0;
    double m_height = 0.0;
    static uint64_t NewDrawStamp();
    uint64_t m_drawStamp = NewDrawStamp();
    // Cells by column, in the order they were made.
    std::vector<std::pair<RSeRef<DUxTableStyleColumn>, RSeRef<DUxTableRowData_Base>>> m_cells;
};

class DUxTableStateBase : public RDxState {
public:
    enum ESortOrder : int32_t { eAscending = 0, eDescending = 1 };
    using SortDef = std::vector<std::pair<int16_t, ESortOrder>>;

    DUxTableStateBase();
    explicit DUxTableStateBase(const RSeStream* s);
    // The rows (with their cells), the columns and the filter list are the state's own and go
    // with it.
    ~DUxTableStateBase() override;
    RSeMetaType* GetMeta() const override;

    // Rows.
    int32_t GetRowCount() const { return int32_t(m_rows.size()); }
    // Null past the end.
    DUxTableRowBase* GetRow(int32_t index) const;
    DUxTableRowBase* GetRow(const DUxTableRowID& id, bool create, int32_t position);
    int32_t IndexOfRow(const DUxTableRowBase* row) const;
    std::vector<DUxTableRowBase*> GetRows() const;
    // Takes the row over; an index out of range appends.
    void InsertRow(DUxTableRowBase* row, int32_t index);
    // False past the end. With `keep` the row only leaves the table (it may come back).
    bool RemoveRow(int32_t index, bool keep = false);
    // The same rows in another order, set at once (a value change even when the order is the
    // same): moving rows one by one through the list costs the square of its length.
    void SetRowOrder(const std::vector<DUxTableRowBase*>& rows);
    // The row for an id, of the table's kind: the base makes a DUxTableRowBase with a copy of
    // the id; null refuses the id.
    virtual DUxTableRowBase* CreateRow(const DUxTableRowID& id, DUxTableStateBase* state,
                                       RSeSegment* segment);
    // Called by RemoveRow before the row goes.
    virtual void OnRowRemoved(DUxTableRowBase*) {}

    // Columns.
    const DUxTableColumnList& GetOriginalColumns() const { return m_columns; }
    DUxTableStyleColumn* GetColumn(int32_t index) const;
    // A new copy of the column in the segment (the transient one for null), the caller's to
    // delete; null for an index out of range.
    DUxTableStyleColumn* GetColumn(int32_t index, RSeSegment* segment) const;
    virtual bool SetColumns(const DUxTableColumnList& columns);
    // New copies of the columns in the segment (the transient one for null), the caller's to
    // free with DUxTableStyle::ClearColumns.
    DUxTableColumnList GetColumns(RSeSegment* segment) const;
    // The value text of a cell by row and column index; empty for an index out of range or a
    // row without a cell of that column.
    UTxString16 GetValue(int32_t row, int32_t column) const;
    // The user's value of a cell (made when the row has none yet), through the cell's own
    // SetValue; false for an index out of range or a value the cell refuses.
    bool SetValue(int32_t row, int32_t column, const UTxString16& text, bool freeze);
    // Drops the user's value of a cell (the cell's ClearOverride); false for an index out of
    // range or a row without a cell of that column.
    bool ClearOverride(int32_t row, int32_t column);
    // The first column showing that property; null when none does.
    DUxTableStyleColumn* FindOriginalColumn(const DUxStyleFormatColumnPropertyID& id) const;
    virtual void OnColumnRemoved(DUxTableStyleColumn* column);

    // Filters: the state's own list (made on first use), replaced by copies.
    DUxTableRowFilterList* GetFilterList();
    void SetFilterList(const DUxTableRowFilterList& filters);

    const SortDef& GetSortDef() const { return m_sortDef; }
    void SetSortDef(const SortDef& def);
    const WqGePoint3d& GetOrigin() const { return m_origin; }
    void SetOrigin(const WqGePoint3d& origin);
    uint32_t GetFlagWord() const { return m_flagWord; }
    void SetFlagWord(uint32_t flags);
    // 0 full display, 1 outline only, 2 lines only.
    int32_t GetDisplayOption() const { return m_displayOption; }
    void SetDisplayOption(int32_t option);

    // The table's style (a table style of the document); null for none.
    FWxStyle* GetStyle() const;
    void SetStyle(FWxStyle* style);
    // The layer the table is on (DUxStyleUtil); null for none.
    FWxStyle* GetLayerStyle() const;
    void SetLayerStyle(const FWxStyle* layer);

    // Text layout, which the kinds of table refine. Bands: 1 the title, 2 the column headings,
    // 3 the rows.
    // Whether cell texts are read with their format codes.
    virtual bool UsesFormatCodes() const { return true; }
    // The least height of a band: its text height (the style's look of the band) and the
    // band's gap on either side; with `multiLine` the style's further lines and their gaps too.
    // 0 without a table style or for another band.
    virtual double GetMinBandHeight(int32_t band, bool multiLine) const;
    // Fits a cell's text to the width (the base does not wrap); answers its number of lines.
    // The answer may depend on the text, the width, the style and the flag word only: a
    // drawing keeps the rows whose texts did not change.
    virtual int32_t WrapCellText(RDxString& text, double width);
    // Shortens a heading to its column, a title to the width; the base leaves them whole.
    virtual void FitColumnHeading(RDxString& heading, DUxTableStyleColumn* column) {}
    virtual void FitTitle(RDxString& title, double width) {}

    // --- Layout and drawing (DUxTableStateLayout.cpp) ---
    // Table coordinates: the origin is the top corner on the side the table grows from (its
    // left one when it wraps to the right, its right one when it wraps to the left), wherever
    // the headings stand; the table lies below it. Sections
    // of a wrapped table stand side by side, each repeating the column headings; the title
    // spans them all. The style's rotation turns the whole table about the origin.
    enum EWrapMode : int32_t { eWrapByRows = 0, eWrapBySections = 1 };
    enum EWrapDirection : int32_t { eWrapLeft = 0, eWrapRight = 1 };
    // Named by their place on the unrotated table.
    enum EHotPointID : int32_t {
        eTopLeft = 0,
        eTopRight = 1,
        eBottomRight = 2,
        eBottomLeft = 3,
        eTopMiddle = 4,
        eRightMiddle = 5,
        eBottomMiddle = 6,
        eLeftMiddle = 7
    };
    // Bit of the flag word: sections are cut by ApplyAutomaticWrapping.
    static constexpr uint32_t kAutomaticWrapFlag = 0x1;

    bool AutomaticWrap() const { return (m_flagWord & kAutomaticWrapFlag) != 0; }
    void SetAutomaticWrap(bool on);
    EWrapMode GetWrapMode() const { return EWrapMode(m_wrapMode); }
    void SetWrapMode(int32_t mode);
    EWrapDirection GetWrapDirection() const { return EWrapDirection(m_wrapDirection); }
    void SetWrapDirection(int32_t direction);
    // Rows per section (by rows) or number of sections (by sections).
    int32_t GetWrapCount() const { return m_wrapCount; }
    void SetWrapCount(int32_t count);
    // With automatic wrapping on, marks the section ends of the visible rows anew (a count
    // below 1 counts as 1); off, the user's section ends stay.
    void ApplyAutomaticWrapping();

    int32_t GetColumnCount() const { return int32_t(m_columns.size()); }
    // Widths are the state's column copies' own; 0 for an index out of range.
    double GetColumnWidth(int32_t column) const;
    void SetColumnWidth(int32_t column, double width);
    // Multiplies every column's width.
    void SetColumnWidthScale(double scale);
    // Multiplies one column's width; nothing for an index out of range or a scale not above 0.
    void SetColumnWidthScale(int32_t column, double scale);
    // Title and heading bands: the user's heights, never drawn below their minimum.
    double GetTitleHeight() const { return m_titleHeight; }
    void SetTitleHeight(double height);
    double GetColumnHeadingHeight() const { return m_headingHeight; }
    void SetColumnHeadingHeight(double height);
    double GetMinTitleHeight() const;
    double GetMinColumnHeaderHeight();
    // What the row's texts need, wrapped in their columns: lines times text height and the
    // row gap on either side; 0 for an index out of range.
    double GetMinRowHeight(int32_t row);
    // The heading text and its heading gaps; with `wholeHeading` false only its longest word.
    double GetMinColumnHeaderWidth(int32_t column, bool wholeHeading);
    // The least width of a column: its longest unbreakable fragment of a value and the row
    // gaps, its heading's longest word and the heading gaps.
    double GetMinColumnWidth(int32_t column);
    // The heading a column shows: its property's external name.
    UTxString16 GetColumnHeading(int32_t column) const;
    // Heights drawn: the larger of the user's and the minimum.
    double GetRowHeight(int32_t row);

    // Swaps the places of the two rows; false when either is missing.
    bool SwapRows(const DUxTableRowID& a, const DUxTableRowID& b);
    // Moves `count` rows from `from` so that the first stands at `to` afterwards.
    bool MoveRows(int32_t from, int32_t count, int32_t to);
    bool MoveColumns(int32_t from, int32_t to);
    // Moves `count` columns from `from` so that the first stands at `to` afterwards.
    bool MoveColumns(int32_t from, int32_t count, int32_t to);

    // The table's box, relative to the origin, or on the sheet with `sheet`.
    BBox GetExtents(bool sheet);
    // 0: widths raised to their minimum, user sizes larger than it kept; 1: widths set to their
    // minimum. Both store the drawn heights of title, headings and rows.
    void AdjustExtents(int32_t mode);
    // Keeps the table's far edge in place when its height changed by dh.
    void ApplyOriginMoveDueToRowChanges(double dh);
    // Grows the table by (dx, -dy): widths and row heights scaled, never below their minimum.
    void Stretch(double dx, double dy, double dz);
    // The hot point on the sheet.
    WqGePoint3d GetHotPoint(int32_t id);
    // Data texts take the style's text look anew; the base's cells hold plain values, so only
    // the drawing is renewed.
    virtual void ApplyTextStyleToDataStrings();
    // Draws the table into the list (cleared first) in sheet coordinates. When the list holds
    // this state's last drawing, untouched since, and only rows' texts changed, without
    // changing their heights, only those rows' items are drawn again.
    virtual void GenGraphics(SMxDisplayList& list);
    // Where a heading text goes: `corner` comes in as the text's anchor in its cell (by the
    // column's heading alignment, centred in the band; x across the table, y the depth from
    // the origin's edge) and `extents` as the cell's width and height. A kind of table may
    // move the anchor or change the text; the base leaves both.
    virtual void PlaceHeadingText(RDxString& heading, WqGePoint3d& corner,
                                  const WqGeVector3d& extents);

    // --- Column edits, custom rows, column usage, heading placement and refreshes from a whole
    // query: the kinds of table refine what they need.
    // Adds a copy of the column at the index (the end for -1 or past it); false for null.
    virtual bool AddColumn(DUxTableStyleColumn* column, int32_t index);
    // Removes the column with the same column id (DUxColumnIDPropBased); false when none has it.
    virtual bool RemoveColumn(DUxTableStyleColumn* column);
    // The column with the changed column's id takes its settings (heading included).
    virtual void FormatColumnChanged(DUxTableStyleColumn* column);
    // A row the user adds at the index; the base table has no such rows.
    virtual DUxTableRowBase* AddCustomRow(int32_t) { return nullptr; }
    // Whether the user may type a value into the cell; the base lets every cell be.
    virtual bool CanOverrideCell(DUxTableRowBase*, DUxTableStyleColumn*) { return true; }
    // Tells the table's data source that a column shows (or no longer shows) its property;
    // answers whether the source took note. The base has no data source.
    virtual bool AddColumnUsage(DUxTableStyleColumn*) { return false; }
    virtual bool RemoveColumnUsage(DUxTableStyleColumn*) { return false; }
    virtual bool RestoreColumnUsage(DUxTableStyleColumn*) { return false; }
    // Refreshes the rows that the results name (RowForResult) from them and puts those rows in
    // the results' order; rows that no result names keep their order after them.
    void UpdateData(const std::vector<DUxTableDataQueryResultRow*>& results);
    // The row a query's result row stands for; the base tells none.
    virtual DUxTableRowBase* RowForResult(DUxTableDataQueryResultRow*) { return nullptr; }
    // The filter list when the state has one; null, without making one, when not.
    const DUxTableRowFilterList* FindFilterList() const { return m_filters.get(); }

    void Load(RSeStream& s);
    // Version 0: on no layer.
    void LoadMigrate(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableStateBase* target, RSeCloneCommander* cc) const;

private:
    struct Layout;
    // Answers false when it only patched the rows that changed in the list's last drawing.
    bool ComputeLayout(Layout& out, SMxDisplayList* draw);
    // The last drawing: what it depended on and where each row's items stand in the list
    // (not stored, never copied).
    struct Drawn;
    std::unique_ptr<Drawn> m_drawn;

    double m_titleHeight = 0.0;
    double m_headingHeight = 0.0;
    int32_t m_wrapMode = eWrapByRows;
    int32_t m_wrapDirection = eWrapRight;
    int32_t m_wrapCount = 1;

    std::vector<RSeRef<DUxTableRowBase>> m_rows;
    DUxTableColumnList m_columns;
    RSeRef<DUxTableRowFilterList> m_filters;
    RSeRef<FWxStyle> m_style;
    RSeRef<FWxStyle> m_layerStyle;
    SortDef m_sortDef;
    WqGePoint3d m_origin;
    uint32_t m_flagWord = 0;
    int32_t m_displayOption = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableRowID*);
RSeMetaType* _GetMeta(const DUxTableRowID*);
RSeMetaType* _InitMeta(const DUxTableRowData_Base*);
RSeMetaType* _GetMeta(const DUxTableRowData_Base*);
RSeMetaType* _InitMeta(const DUxTableRowBase*);
RSeMetaType* _GetMeta(const DUxTableRowBase*);
RSeMetaType* _InitMeta(const DUxTableStateBase*);
RSeMetaType* _GetMeta(const DUxTableStateBase*);
} // namespace RSe
