// The edit records of rows, cells, columns and headers of a parts list.
//
// Attributes are read in the order given here, each with the record's throwing conversions: a
// record that lacks one ends the replay (FBxObjectEditRecord::exception), except the "value" of
// "ChangeVisibility", whose absence toggles the row. Columns built from records live in the
// transient segment only until the record is applied.
#include <cstdint>
#include <vector>

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPropertyUtil.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxPartListEditReplay.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {

using Replay = DLxPartListEditReplay;
using Result = DLxRecordReplay;

// Objects built from records, deleted however the record ends.
class Built {
public:
    Built() = default;
    Built(const Built&) = delete;
    Built& operator=(const Built&) = delete;
    ~Built() {
        for (RSeIDed* o : m_objects)
            if (o) RSe::DeleteObject(o);
    }
    template <class T> T* Keep(T* o) {
        m_objects.push_back(o);
        return o;
    }

private:
    std::vector<RSeIDed*> m_objects;
};

// The number of sub-records a count attribute announces; a negative count announces none.
int32_t Count(const FBxObjectEditRecord& record, const char16_t* name) {
    const int32_t n = record[name].as_int();
    return n > 0 ? n : 0;
}

// The next `count` sub-records as the table's columns.
DUxTableColumnList TakeColumns(Replay& replay, int32_t count, Built& built) {
    DUxTableColumnList columns;
    for (int32_t i = 0; i < count; ++i) {
        const FBxObjectEditRecord& sub = replay.TakeSubRecord();
        columns.emplace_back(built.Keep(DUxTableStylePartsListColumn::New(nullptr, sub)));
    }
    return columns;
}

// An older-form column of a record turned into a style column item.
DUxTableStylePartsListColumn* OlderColumnItem(const FBxObjectEditRecord& record, Built& built) {
    DLxPartListColumn* older = built.Keep(DLxPartListColumn::New(nullptr, record));
    RSeRef<DUxTableStylePartsListColumn> item =
        DLxPropertyUtil::createStyleItemFromColumn(older, RSe::TransientSegment());
    return built.Keep(item.get());
}

// After a cell changed: every row when the change needs them, else the cell's own row.
void RefreshAfterCell(Replay& replay, int32_t row, int32_t col, const UTxString16& name) {
    if (replay.IsFullUpdateNecessary(uint32_t(row), uint32_t(col), name))
        replay.Rebuild();
    else
        replay.UpdateRow(row);
}

using ColumnEdit = void (*)(DUxTableStyleColumn&, int32_t);

// The columns from startCol to endCol take the edit, one copy at a time; the first index
// without a column ends the run.
Result EditColumns(Replay& replay, ColumnEdit edit) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t startCol = r[u"startCol"].as_int();
    const int32_t endCol = r[u"endCol"].as_int();
    const int32_t value = r[u"alignment"].as_int();
    DLxTableStatePartlist& state = replay.State();
    for (int32_t col = startCol; col <= endCol; ++col) {
        Built built;
        DUxTableStyleColumn* copy = built.Keep(state.GetColumn(col, nullptr));
        if (!copy) break;
        edit(*copy, value);
        state.FormatColumnChanged(copy);
    }
    return Result::kApplied;
}

// ---- rows and cells

Result ExpandOrCollapse(Replay& replay, bool expand) {
    const int32_t row = replay.Current()[u"row"].as_int();
    if (replay.State().ExpandRow(row, expand)) replay.Rebuild();
    return Result::kApplied;
}

Result StaticValue(Replay& replay, const UTxString16& name) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t row = r[u"row"].as_int();
    const int32_t col = r[u"col"].as_int();
    const bool value = r[u"value"].as_bool();
    DLxTableStatePartlist& state = replay.State();
    if (value) {
        // The text shown now stays, whatever the bill says later.
        state.SetValue(row, col, state.GetValue(row, col), true);
        return Result::kApplied;
    }
    // Numbering a cell afresh needs item numbers the model keeps on every level.
    (void)replay.CheckAndUpdateToSchemaStructuredAllLevels(col, false);
    state.ClearOverride(row, col);
    RefreshAfterCell(replay, row, col, name);
    return Result::kApplied;
}

Result EditCell(Replay& replay, const UTxString16& name) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t row = r[u"row"].as_int();
    const int32_t col = r[u"col"].as_int();
    const UTxString16 value = r[u"value"].as_UTxString16();
    replay.State().SetValue(row, col, value, false);
    RefreshAfterCell(replay, row, col, name);
    return Result::kApplied;
}

Result ChangeVisibility(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t index = r[u"row"].as_int();
    DUxTableRowBase* row = replay.State().GetRow(index);
    if (!row) return Result::kApplied;
    bool visible;
    try {
        visible = r[u"value"].as_bool();
    } catch (const FBxObjectEditRecord::exception&) {
        // Without a value the record toggles the row.
        visible = row->Invisible();
    }
    row->SetFlag(DUxTableRowBase::kHiddenFlag, visible);
    if (replay.GroupingInForce() || row->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag))
        replay.Rebuild();
    return Result::kApplied;
}

Result AddCustomRow(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t index = r[u"index"].as_int();
    const bool addBefore = r[u"addBefore"].as_bool();
    const int32_t position = addBefore && index > 0 ? index - 1 : index;
    replay.State().AddCustomRow(position);
    if (replay.GroupingInForce())
        replay.Rebuild();
    else
        replay.UpdateRow(position);
    return Result::kApplied;
}

Result RemoveCustomRow(Replay& replay) {
    const int32_t index = replay.Current()[u"row"].as_int();
    DLxTableStatePartlist& state = replay.State();
    const DUxTableRowBase* row = state.GetRow(index);
    // Only rows the user added may go; the model's rows stay.
    if (row && row->IsFlagOn(DLxTableRowPartlist::CustomRowFlag)) state.RemoveRow(index);
    return Result::kApplied;
}

Result DragDropRow(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t firstRow = r[u"firstRow"].as_int();
    const int32_t lastRow = r[u"lastRow"].as_int();
    const int32_t destRow = r[u"destRow"].as_int();
    replay.State().MoveRows(firstRow, lastRow - firstRow + 1, destRow);
    return Result::kApplied;
}

// ---- columns and headers

Result DragDropColumn(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t firstCol = r[u"firstCol"].as_int();
    const int32_t lastCol = r[u"lastCol"].as_int();
    const int32_t destCol = r[u"destCol"].as_int();
    replay.State().MoveColumns(firstCol, lastCol - firstCol + 1, destCol);
    return Result::kApplied;
}

Result SetTableColHeaders(Replay& replay) {
    const int32_t used = Count(replay.Current(), u"used");
    Built built;
    const DUxTableColumnList columns = TakeColumns(replay, used, built);
    replay.State().SetColumns(columns);
    replay.Rebuild();
    return Result::kApplied;
}

Result SetTableCustomColHeaders(Replay& replay) {
    const int32_t used = Count(replay.Current(), u"used");
    Built built;
    const DUxTableColumnList columns = TakeColumns(replay, used, built);
    DLxTableStatePartlist& state = replay.State();
    const DUxTableStylePartsListWrapper wrapper{RSeRef<DUxTableStateBase>(&state),
                                                RSeRef<DUxTableStyle>()};
    if (DUxTableStylePartsList* style = wrapper.Style().get()) style->SetCustomColumns(columns);
    return Result::kApplied;
}

Result SetHeadersRev1(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t destroyed = Count(r, u"destroyed");
    const int32_t created = Count(r, u"created");
    const int32_t used = Count(r, u"used");
    Built built;
    // The editor's account of removed and added columns: read, and of no further use here.
    for (int32_t i = 0; i < destroyed + created; ++i)
        built.Keep(DUxPartsListStyleColumnItem::New(nullptr, replay.TakeSubRecord()));
    const DUxTableColumnList columns = TakeColumns(replay, used, built);
    replay.State().SetColumns(columns);
    replay.Rebuild();
    return Result::kApplied;
}

Result SetHeadersOlder(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t destroyed = Count(r, u"destroyed");
    const int32_t created = Count(r, u"created");
    const int32_t used = Count(r, u"used");
    Built built;
    for (int32_t i = 0; i < destroyed + created; ++i)
        OlderColumnItem(replay.TakeSubRecord(), built);
    DUxTableColumnList columns;
    for (int32_t i = 0; i < used; ++i)
        if (DUxTableStylePartsListColumn* item = OlderColumnItem(replay.TakeSubRecord(), built))
            columns.emplace_back(item);
    replay.State().SetColumns(columns);
    return Result::kApplied;
}

Result ChangeColumnFormat(Replay& replay) {
    Built built;
    DUxTableStylePartsListColumn* column =
        built.Keep(DUxTableStylePartsListColumn::New(nullptr, replay.Current()));
    replay.State().FormatColumnChanged(column);
    replay.Rebuild();
    return Result::kApplied;
}

Result ChangeColumnFormatOlder(Replay& replay) {
    (void)replay.Current()[u"column"].as_int();
    Built built;
    if (DUxTableStylePartsListColumn* item = OlderColumnItem(replay.Current(), built))
        replay.State().FormatColumnChanged(item);
    return Result::kApplied;
}

Result ChangePropertyName(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t startCol = r[u"startCol"].as_int();
    const UTxString16 header = r[u"header"].as_UTxString16();
    DLxTableStatePartlist& state = replay.State();
    Built built;
    DUxTableStyleColumn* copy = built.Keep(state.GetColumn(startCol, nullptr));
    if (!copy) return Result::kApplied;
    // A column is headed by its property's external name.
    copy->GetPropertyID()->SetPropertyExternalName(header);
    state.FormatColumnChanged(copy);
    return Result::kApplied;
}

Result ChangeColumnWidth(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t startCol = r[u"startCol"].as_int();
    (void)r[u"endCol"].as_int();
    const double width = r[u"width"].as_double();
    replay.State().SetColumnWidth(startCol, width);
    return Result::kApplied;
}

Result ColumnWidthScale(Replay& replay) {
    const FBxObjectEditRecord& r = replay.Current();
    const int32_t col = r[u"col"].as_int();
    const double scale = r[u"scale"].as_double();
    replay.State().SetColumnWidthScale(col, scale);
    return Result::kApplied;
}

Result ExportPartList(Replay& replay) {
    // The export itself ran when the record was made; a replay only checks the record whole.
    const FBxObjectEditRecord& r = replay.Current();
    for (const char16_t* text : {u"connect", u"separator", u"tableName", u"dlgName"})
        (void)r[text].as_UTxString16();
    (void)r[u"bBomEdit"].as_bool();
    (void)r[u"bUnicode"].as_bool();
    for (const char16_t* text : {u"pathFile", u"onlyPath", u"fileName", u"filesType"})
        (void)r[text].as_UTxString16();
    (void)r[u"typeId"].as_int();
    return Result::kApplied;
}

} // namespace

DLxRecordReplay DLxReplayRowAndColumnRecord(DLxPartListEditReplay& replay,
                                            const UTxString16& name) {
    if (name == u"UpdateAll") {
        replay.Rebuild();
        return Result::kApplied;
    }
    if (name == u"ExpandRow") return ExpandOrCollapse(replay, true);
    if (name == u"CollapseRow") return ExpandOrCollapse(replay, false);
    if (name == u"SetTableColHeaders") return SetTableColHeaders(replay);
    if (name == u"SetTableCustomColHeaders") return SetTableCustomColHeaders(replay);
    if (name == u"SetHeaders_Rev1") return SetHeadersRev1(replay);
    if (name == u"SetHeaders") return SetHeadersOlder(replay);
    if (name == u"StaticValue" || name == u"FreezeCell") return StaticValue(replay, name);
    if (name == u"ChangeVisibility") return ChangeVisibility(replay);
    if (name == u"SequenceTags") {
        replay.State().SequenceTags();
        replay.Rebuild();
        return Result::kApplied;
    }
    if (name == u"RemoveCustomRow") return RemoveCustomRow(replay);
    if (name == u"AddCustomRow") return AddCustomRow(replay);
    if (name == u"DragDropColumn") return DragDropColumn(replay);
    if (name == u"DragDropRow") return DragDropRow(replay);
    if (name == u"ExportPartList") return ExportPartList(replay);
    if (name == u"ChangePropertyName") return ChangePropertyName(replay);
    if (name == u"ChangeColumnWidth" || name == u"ChangePropertyWidth")
        return ChangeColumnWidth(replay);
    if (name == u"ChangeColumnHeaderAlignment")
        return EditColumns(replay,
                           [](DUxTableStyleColumn& c, int32_t v) { c.SetHeadingAlignment(v); });
    if (name == u"ChangeColumnAlignment")
        return EditColumns(replay,
                           [](DUxTableStyleColumn& c, int32_t v) { c.SetColumnAlignment(v); });
    if (name == u"EditCell") return EditCell(replay, name);
    if (name == u"TableChangeColumnFormat" || name == u"ChangeColumnFormat_Rev1")
        return ChangeColumnFormat(replay);
    if (name == u"ChangeColumnFormat") return ChangeColumnFormatOlder(replay);
    if (name == u"ColumnWidthScale") return ColumnWidthScale(replay);
    // Not a record of rows, cells, columns or headers.
    return Result::kNotMine;
}
