// The table framework's state, rows and cells: rows found and made by id, removed with their
// parts, flags, column copies and their cells, and storage of the whole table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/FBxLayerStyle.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include <cstring>

namespace {

// Remembers the rows it was told about.
class TstTableState : public DUxTableStateBase {
public:
    TstTableState() = default;
    explicit TstTableState(const RSeStream* s) : DUxTableStateBase(s) {}
    RSeMetaType* GetMeta() const override;
    void OnRowRemoved(DUxTableRowBase* row) override { removed.push_back(row); }
    std::vector<DUxTableRowBase*> removed;
};

void TstStateGuid(UTxGUID& g) {
    g = UTxGUID(0x7e570002, 0x1, 0x2, 0x3);
}
RSeMetaType* TstStateMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<TstTableState>(u"TstTableState", &TstStateGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const DUxTableStateBase*>(nullptr)));
    return mt;
}
RSeMetaType* TstTableState::GetMeta() const {
    return TstStateMeta();
}

class DUxTableStateBaseTest : public ::testing::Test {
protected:
    RSeSegment* Seg() { return RSe::SegmentOf(doc.GetRSeDb()); }
    TstTableState* NewState() { return new (TstStateMeta(), Seg()) TstTableState(); }
    DUxTableStylePartsListColumn* NewColumn(const char16_t* set, const char16_t* id) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(Seg());
        c->GetPropertyID()->SetPropertySet(set);
        c->GetPropertyID()->SetPropertyID(id);
        return c;
    }
    DLxDrawingDoc doc;
};

TEST_F(DUxTableStateBaseTest, RowsAreFoundByIdMadeWhereAskedAndRemovedWithTheirParts) {
    TstTableState* state = NewState();
    const DUxTableRowID one(1), two(2), three(3);
    EXPECT_EQ(state->GetRow(one, false, -1), nullptr);
    DUxTableRowBase* r1 = state->GetRow(one, true, -1);
    DUxTableRowBase* r3 = state->GetRow(three, true, -1);
    DUxTableRowBase* r2 = state->GetRow(two, true, 1);
    ASSERT_TRUE(r1 && r2 && r3);
    EXPECT_EQ(state->GetRows(), (std::vector<DUxTableRowBase*>{r1, r2, r3}));
    EXPECT_EQ(state->GetRow(two, true, 0), r2); // found, not made again
    EXPECT_EQ(state->GetRowCount(), 3);
    // The row holds its own copy of the id, in the state's segment.
    ASSERT_NE(r2->RowID(), nullptr);
    EXPECT_NE(r2->RowID(), &two);
    EXPECT_TRUE(r2->RowID()->IsEqual(two));
    EXPECT_EQ(r2->GetState(), state);

    DUxTableStylePartsListColumn* column = NewColumn(u"{S}", u"1");
    DUxTableRowData_Base* cell = r2->GetValueRaw(column, true);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(r2->GetValueRaw(column, false), cell);
    cell->UpdateData(u"Bolt", false, column);
    EXPECT_EQ(r2->GetValue(column), u"Bolt");
    const uint32_t rowId = r2->GetId(), cellId = cell->GetId(), idId = r2->RowID()->GetId();

    ASSERT_TRUE(state->RemoveRow(1));
    EXPECT_EQ(state->removed, (std::vector<DUxTableRowBase*>{r2}));
    RSeDatabase* db = doc.GetRSeDb();
    EXPECT_EQ(db->FindObject(rowId), nullptr);
    EXPECT_EQ(db->FindObject(cellId), nullptr);
    EXPECT_EQ(db->FindObject(idId), nullptr);
    EXPECT_EQ(state->GetRows(), (std::vector<DUxTableRowBase*>{r1, r3}));

    // A kept row leaves the table and stays whole, to be put back.
    ASSERT_TRUE(state->RemoveRow(0, true));
    EXPECT_EQ(state->removed.back(), r1);
    EXPECT_TRUE(r1->RowID()->IsEqual(one));
    state->InsertRow(r1, 5);
    EXPECT_EQ(state->GetRows(), (std::vector<DUxTableRowBase*>{r3, r1}));
    EXPECT_FALSE(state->RemoveRow(2));
}

TEST_F(DUxTableStateBaseTest, RowFlagsAndCellOverrides) {
    TstTableState* state = NewState();
    DUxTableRowBase* row = state->GetRow(DUxTableRowID(7), true, -1);
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->Invisible());
    row->SetFlag(DUxTableRowBase::kHiddenFlag | 0x40, false); // false turns flags on
    EXPECT_TRUE(row->IsFlagOn(0x40));
    EXPECT_TRUE(row->Invisible());
    row->SetFlag(DUxTableRowBase::kHiddenFlag, true);
    EXPECT_FALSE(row->Invisible());
    EXPECT_EQ(row->GetFlags(), 0x40u);
    EXPECT_EQ(row->GetKeptRowGap(), -1.0);

    DUxTableStylePartsListColumn* column = NewColumn(u"{S}", u"2");
    DUxTableRowData_Base* cell = row->GetValueRaw(column, true);
    EXPECT_TRUE(cell->SetValue(u"mine", column, false));
    EXPECT_TRUE(cell->IsOverridden());
    EXPECT_TRUE(cell->ClearOverride(column));
    EXPECT_FALSE(cell->IsOverridden());
    EXPECT_EQ(cell->GetValue(), u"mine");
}

TEST_F(DUxTableStateBaseTest, ColumnsAreTheStatesOwnCopiesAndRowsLoseCellsOfDroppedOnes) {
    TstTableState* state = NewState();
    DUxTableStylePartsListColumn* item = NewColumn(u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}", u"1");
    item->SetWidth(12.5);
    DUxTableStylePartsListColumn* qty = NewColumn(u"{Q}", u"9");
    ASSERT_TRUE(
        state->SetColumns({RSeRef<DUxTableStyleColumn>(item), RSeRef<DUxTableStyleColumn>(qty)}));
    ASSERT_EQ(state->GetOriginalColumns().size(), 2u);
    DUxTableStyleColumn* copy = state->GetColumn(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, item);
    EXPECT_EQ(copy->GetWidth(), 12.5);
    EXPECT_EQ(dynamic_cast<DUxTableStylePartsListColumn*>(copy) != nullptr, true);

    DUxStyleFormatColumnPropertyID wanted;
    wanted.SetPropertySet(u"{beb6b91c-af44-4F9B-ad9e-1e0570a168f9}"); // case does not matter
    wanted.SetPropertyID(u"1");
    EXPECT_EQ(state->FindOriginalColumn(wanted), copy);
    wanted.SetPropertyID(u"2");
    EXPECT_EQ(state->FindOriginalColumn(wanted), nullptr);

    DUxTableRowBase* row = state->GetRow(DUxTableRowID(1), true, -1);
    DUxTableRowData_Base* cell = row->GetValueRaw(copy, true);
    cell->UpdateData(u"1", false, copy);
    EXPECT_EQ(state->GetValue(0, 0), u"1");
    EXPECT_EQ(state->GetValue(0, 1), u""); // no cell of that column
    EXPECT_EQ(state->GetValue(1, 0), u"");
    DUxTableColumnList copies = state->GetColumns(nullptr);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_NE(copies[0].get(), copy);
    EXPECT_EQ(copies[0].get()->GetWidth(), 12.5);
    EXPECT_EQ(RSe::SegmentOf(copies[1].get()), RSe::TransientSegment());
    for (RSeRef<DUxTableStyleColumn>& c : copies)
        RSe::DeleteObject(c.get());
    const uint32_t cellId = cell->GetId(), copyId = copy->GetId();
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(qty)}));
    EXPECT_EQ(row->GetCellCount(), 0);
    EXPECT_EQ(doc.GetRSeDb()->FindObject(cellId), nullptr);
    EXPECT_EQ(doc.GetRSeDb()->FindObject(copyId), nullptr);
    ASSERT_EQ(state->GetOriginalColumns().size(), 1u);
    EXPECT_EQ(state->GetColumn(0)->GetPropertyID()->GetPropertyID(), u"9");
}

TEST_F(DUxTableStateBaseTest, ATableSavesAndLoadsToTheSameBytes) {
    TstTableState* state = NewState();
    DUxTableStylePartsListColumn* column = NewColumn(u"{S}", u"3");
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(column)}));
    DUxTableStyleColumn* own = state->GetColumn(0);
    DUxTableRowBase* row = state->GetRow(DUxTableRowID(4), true, -1);
    row->SetFlag(0x88, false);
    row->SetKeptRowGap(5.0);
    row->GetValueRaw(own, true)->SetValue(u"Ø 6 × 20", own, false);
    state->GetRow(DUxTableRowID(5), true, -1);
    state->SetSortDef({{0, DUxTableStateBase::eDescending}, {2, DUxTableStateBase::eAscending}});
    state->SetOrigin(WqGePoint3d(10, 20, 0));
    state->SetFlagWord(0x2);
    state->SetDisplayOption(1);
    DUxTableRowFilterList* filters = DUxTableRowFilterList::New(nullptr);
    state->SetFilterList(*filters); // empty: the state's own list stays empty
    RSe::DeleteObject(filters);
    EXPECT_EQ(state->GetFilterList()->GetCount(), 0);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* loaded = dynamic_cast<TstTableState*>(back->FindObject(state->GetId()));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->GetRowCount(), 2);
    DUxTableRowBase* r = loaded->GetRow(0);
    ASSERT_TRUE(r && r->RowID());
    EXPECT_TRUE(r->RowID()->IsEqual(DUxTableRowID(4)));
    EXPECT_EQ(r->GetState(), loaded);
    EXPECT_EQ(r->GetFlags(), 0x88u);
    EXPECT_EQ(r->GetKeptRowGap(), 5.0);
    DUxTableRowData_Base* cell = r->GetValueRaw(loaded->GetColumn(0), false);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetValue(), u"Ø 6 × 20");
    EXPECT_TRUE(cell->IsOverridden());
    EXPECT_EQ(cell->GetRow(), r);
    EXPECT_EQ(loaded->GetSortDef(), state->GetSortDef());
    EXPECT_EQ(loaded->GetOrigin(), WqGePoint3d(10, 20, 0));
    EXPECT_EQ(loaded->GetFlagWord(), 0x2u);
    EXPECT_EQ(loaded->GetDisplayOption(), 1);
    std::vector<uint8_t> again;
    ASSERT_FALSE(back->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

// A state stored before tables had a layer: the meta table says version 0 and the record ends
// before the layer's reference (a tag and four bytes).
TEST_F(DUxTableStateBaseTest, AStateOfVersionZeroLoadsOnNoLayer) {
    auto* layer =
        new (RSe::_GetMeta(static_cast<const FBxLayerStyle*>(nullptr)), Seg()) FBxLayerStyle();
    TstTableState* state = NewState();
    state->SetOrigin(WqGePoint3d(10, 20, 0));
    state->SetWrapCount(3);
    DUxStyleUtil::SetLayerStyle(state, layer);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    {
        std::unique_ptr<RSeDatabase> back;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
        auto* loaded = dynamic_cast<TstTableState*>(back->FindObject(state->GetId()));
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(DUxStyleUtil::GetLayerStyle(loaded), back->FindObject(layer->GetId()));
    }

    const auto u32 = [&](size_t pos) {
        uint32_t v = 0;
        std::memcpy(&v, &bytes[pos], 4);
        return v;
    };
    size_t at = 16;
    const uint32_t metas = u32(at);
    at += 4;
    uint32_t stateMeta = UINT32_MAX;
    for (uint32_t m = 0; m < metas; ++m) {
        const uint32_t length = u32(at);
        std::u16string name(length, u'\0');
        std::memcpy(name.data(), &bytes[at + 4], 2 * length);
        at += 4 + 2 * length + 16;
        if (name == u"DUxTableStateBase") bytes[at] = 0, bytes[at + 1] = 0;
        if (name == u"TstTableState") stateMeta = m;
        at += 4;
    }
    const uint32_t segments = u32(at);
    at += 4;
    for (uint32_t g = 0; g < segments; ++g) {
        at += 4 + 2 * u32(at);
        const uint32_t records = u32(at);
        at += 4;
        for (uint32_t r = 0; r < records; ++r) {
            const uint32_t length = u32(at + 8);
            if (u32(at) == stateMeta) {
                const uint32_t shorter = length - 5;
                std::memcpy(&bytes[at + 8], &shorter, 4);
                const auto end = bytes.begin() + ptrdiff_t(at + 12 + length);
                bytes.erase(end - 5, end);
                at += 12 + shorter;
            } else {
                at += 12 + length;
            }
        }
    }
    std::unique_ptr<RSeDatabase> back;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* loaded = dynamic_cast<TstTableState*>(back->FindObject(state->GetId()));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetLayerStyle(), nullptr);
    EXPECT_EQ(loaded->GetOrigin(), WqGePoint3d(10, 20, 0));
    EXPECT_EQ(loaded->GetWrapCount(), 3);
}

TEST_F(DUxTableStateBaseTest, RemovingRowsAndReplacingColumnsUndoesToTheSameBytes) {
    RSeDatabase* db = doc.GetRSeDb();
    auto bytes = [&] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    };
    TstTableState* state = NewState();
    DUxTableStylePartsListColumn* a = NewColumn(u"{S}", u"1");
    DUxTableStylePartsListColumn* b = NewColumn(u"{S}", u"2");
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(a)}));
    for (int32_t i = 0; i < 3; ++i) {
        DUxTableRowBase* row = state->GetRow(DUxTableRowID(i), true, -1);
        row->GetValueRaw(state->GetColumn(0), true)->UpdateData(u"v", false, nullptr);
    }
    const std::vector<uint8_t> before = bytes();

    db->BeginTxn();
    ASSERT_TRUE(state->RemoveRow(1));
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(b)}));
    state->GetRow(DUxTableRowID(9), true, 0);
    state->SetOrigin(WqGePoint3d(1, 2, 0));
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    const std::vector<uint8_t> after = bytes();
    EXPECT_NE(after, before);

    db->Undo(*record);
    EXPECT_EQ(bytes(), before);
    ASSERT_EQ(state->GetRowCount(), 3);
    EXPECT_EQ(state->GetRow(1)->GetValue(state->GetColumn(0)), u"v");
    db->Redo(*record);
    EXPECT_EQ(bytes(), after);
}

TEST_F(DUxTableStateBaseTest, ADeletedStateTakesItsRowsColumnsAndFiltersAndUndoGivesThemBack) {
    RSeDatabase* db = doc.GetRSeDb();
    auto bytes = [&] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    };
    DUxTableStylePartsListColumn* source = NewColumn(u"{S}", u"1");
    const size_t unstated = Seg()->GetObjectCount();
    TstTableState* state = NewState();
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(source)}));
    RSeRef<DUxTableStyleColumn> column(state->GetColumn(0));
    std::vector<RSeRef<RSeIDed>> parts{RSeRef<RSeIDed>(column.get()),
                                       RSeRef<RSeIDed>(state->GetFilterList())};
    for (int32_t i = 0; i < 2; ++i) {
        DUxTableRowBase* row = state->GetRow(DUxTableRowID(i), true, -1);
        DUxTableRowData_Base* cell = row->GetValueRaw(column.get(), true);
        cell->UpdateData(u"v", false, nullptr);
        parts.insert(parts.end(),
                     {RSeRef<RSeIDed>(row), RSeRef<RSeIDed>(cell), RSeRef<RSeIDed>(row->RowID())});
    }
    const std::vector<uint8_t> before = bytes();

    db->BeginTxn();
    RSe::DeleteObject(state);
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    for (const RSeRef<RSeIDed>& part : parts)
        EXPECT_FALSE(part.get());
    // The column the state copied is not its own and stays.
    EXPECT_EQ(Seg()->GetObjectCount(), unstated);
    const std::vector<uint8_t> after = bytes();

    db->Undo(*record);
    EXPECT_EQ(bytes(), before);
    for (const RSeRef<RSeIDed>& part : parts)
        EXPECT_TRUE(part.get());
    db->Redo(*record);
    EXPECT_EQ(bytes(), after);
}

TEST_F(DUxTableStateBaseTest, ColumnsAreAddedRemovedAndReformattedByTheirIds) {
    TstTableState* state = NewState();
    ASSERT_TRUE(state->SetColumns({RSeRef<DUxTableStyleColumn>(NewColumn(u"{S}", u"1"))}));
    DUxTableStylePartsListColumn* m8 = NewColumn(u"{s}", u"2");
    m8->GetPropertyID()->SetMemberID(u"M8");
    DUxTableStylePartsListColumn* m10 = NewColumn(u"{S}", u"2");
    m10->GetPropertyID()->SetMemberID(u"M10");
    ASSERT_TRUE(state->AddColumn(m10, -1));
    ASSERT_TRUE(state->AddColumn(m8, 1)); // a copy, before the other member's
    ASSERT_EQ(state->GetOriginalColumns().size(), 3u);
    EXPECT_NE(state->GetColumn(1), m8);
    EXPECT_EQ(state->GetColumn(1)->GetPropertyID()->GetMemberID(), u"M8");
    EXPECT_EQ(state->GetColumn(2)->GetPropertyID()->GetMemberID(), u"M10");
    EXPECT_FALSE(state->AddColumn(nullptr, 0));

    // A changed column reaches the table's column with its id, and only that one.
    m10->SetWidth(17.0);
    state->FormatColumnChanged(m10);
    EXPECT_EQ(state->GetColumn(2)->GetWidth(), 17.0);
    EXPECT_NE(state->GetColumn(1)->GetWidth(), 17.0);

    DUxTableRowBase* row = state->GetRow(DUxTableRowID(1), true, -1);
    row->GetValueRaw(state->GetColumn(1), true)->UpdateData(u"v", false, nullptr);
    ASSERT_TRUE(state->RemoveColumn(m8));
    EXPECT_EQ(row->GetCellCount(), 0); // its cell went with it
    ASSERT_EQ(state->GetOriginalColumns().size(), 2u);
    EXPECT_EQ(state->GetColumn(1)->GetPropertyID()->GetMemberID(), u"M10");
    EXPECT_FALSE(state->RemoveColumn(m8));
}

} // namespace

namespace {

// What the table editor's records reach by index: cells, copies of columns, runs of columns and
// one column's width. Indices out of range change nothing.
TEST_F(DUxTableStateBaseTest, CellsAndColumnsByIndex) {
    TstTableState* state = NewState();
    DUxTableColumnList columns;
    for (const char16_t* id : {u"1", u"2", u"3", u"4"}) {
        DUxTableStylePartsListColumn* c = NewColumn(u"{S}", id);
        c->SetWidth(10);
        columns.emplace_back(c);
    }
    ASSERT_TRUE(state->SetColumns(columns));
    for (int32_t n : {1, 2})
        ASSERT_NE(state->GetRow(DUxTableRowID(n), true, -1), nullptr);
    auto ids = [&] {
        std::u16string out;
        for (int32_t i = 0; i < state->GetColumnCount(); ++i)
            out += state->GetColumn(i)->GetPropertyID()->GetPropertyID();
        return out;
    };

    // A cell is made for its first value; clearing drops the mark and keeps the text.
    EXPECT_TRUE(state->SetValue(1, 2, u"typed", false));
    DUxTableRowData_Base* cell = state->GetRow(1)->GetValueRaw(state->GetColumn(2), false);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->IsOverridden());
    EXPECT_EQ(state->GetValue(1, 2), u"typed");
    EXPECT_TRUE(state->ClearOverride(1, 2));
    EXPECT_FALSE(cell->IsOverridden());
    EXPECT_EQ(state->GetValue(1, 2), u"typed");
    EXPECT_FALSE(state->ClearOverride(0, 2)); // no cell yet
    EXPECT_EQ(state->GetRow(0)->GetCellCount(), 0);
    for (auto [row, col] : {std::pair{2, 0}, std::pair{0, 4}, std::pair{-1, 0}, std::pair{0, -1}}) {
        SCOPED_TRACE(std::to_string(row) + "," + std::to_string(col));
        EXPECT_FALSE(state->SetValue(row, col, u"x", false));
        EXPECT_FALSE(state->ClearOverride(row, col));
    }

    // A copy is the caller's, in the segment asked for.
    DUxTableStyleColumn* copy = state->GetColumn(3, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, state->GetColumn(3));
    EXPECT_EQ(RSe::SegmentOf(copy), RSe::TransientSegment());
    EXPECT_EQ(copy->GetPropertyID()->GetPropertyID(), u"4");
    EXPECT_NE(dynamic_cast<DUxTableStylePartsListColumn*>(copy), nullptr);
    RSe::DeleteObject(copy);
    EXPECT_EQ(state->GetColumn(4, nullptr), nullptr);

    // A run of columns moves so that its first stands at the place given, either way.
    ASSERT_TRUE(state->MoveColumns(0, 2, 2));
    EXPECT_EQ(ids(), u"3412");
    ASSERT_TRUE(state->MoveColumns(2, 2, 0));
    EXPECT_EQ(ids(), u"1234");
    ASSERT_TRUE(state->MoveColumns(3, 1, 1));
    EXPECT_EQ(ids(), u"1423");
    for (auto [from, count, to] :
         {std::tuple{0, 2, 3}, std::tuple{3, 2, 0}, std::tuple{0, 0, 1}, std::tuple{-1, 1, 0}}) {
        SCOPED_TRACE(std::to_string(from) + "," + std::to_string(count) + "," + std::to_string(to));
        EXPECT_FALSE(state->MoveColumns(from, count, to));
        EXPECT_EQ(ids(), u"1423");
    }

    // One column's width scales; the others and a scale not above 0 leave widths alone.
    state->SetColumnWidthScale(1, 2.5);
    EXPECT_EQ(state->GetColumnWidth(1), 25.0);
    EXPECT_EQ(state->GetColumnWidth(0), 10.0);
    for (double scale : {0.0, -1.0})
        state->SetColumnWidthScale(1, scale);
    state->SetColumnWidthScale(4, 2.0);
    EXPECT_EQ(state->GetColumnWidth(1), 25.0);
}

} // namespace
