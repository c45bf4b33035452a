// The edit request of a placed parts list: what a failed edit leaves, the request of the
// finishing steps and the move, the questions it answers the host, and the records of rows,
// cells, columns and headers, each journalled and replayed on a fresh drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPropertyUtil.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuPartListFixture.h"
#include "Request/DLxPartListEditReplay.h"
#include "Request/DLxPartListEditRequest.h"
#include "dl/DLxAssemblyData.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxUtil.h"

namespace {

using KorvuPartList::Bytes;
using KorvuPartList::Drawing;
using KorvuPartList::Options;
using Record = FBxObjectEditRecord;
using Value = FWxTranscriptValue;

Record Rec(const char16_t* name, std::vector<std::pair<const char16_t*, Value>> attributes = {}) {
    Record r(name);
    for (auto& [key, value] : attributes)
        r.SetAttribute(key, value);
    return r;
}
Value Int(int32_t v) {
    return Value::MakeInt(v);
}
Value Bool(bool v) {
    return Value::MakeBool(v);
}
Value Real(double v) {
    return Value::MakeReal(v);
}
Value Text(const char16_t* v) {
    return Value::MakeString(v);
}

// The index of the first column showing the item number (or, with `item` false, the first
// column that shows neither the item number nor the quantity); -1 when there is none.
int32_t ColumnIndex(const DLxTableStatePartlist& state, bool item) {
    for (int32_t i = 0; i < state.GetColumnCount(); ++i) {
        const DUxStyleFormatColumnPropertyID* id = state.GetColumn(i)->GetPropertyID();
        if (item ? id->IsItem() : !id->IsItem() && !id->IsQuantity()) return i;
    }
    return -1;
}

// A whole export record's attributes.
const std::vector<std::pair<const char16_t*, Value>>& ExportAttributes() {
    static const std::vector<std::pair<const char16_t*, Value>> attributes = {
        {u"connect", Text(u"")},
        {u"separator", Text(u";")},
        {u"tableName", Text(u"Parts")},
        {u"dlgName", Text(u"Export")},
        {u"bBomEdit", Bool(false)},
        {u"bUnicode", Bool(true)},
        {u"pathFile", Text(u"/tmp/p.csv")},
        {u"onlyPath", Text(u"/tmp")},
        {u"fileName", Text(u"p.csv")},
        {u"filesType", Text(u"csv")},
        {u"typeId", Int(8)},
    };
    return attributes;
}

// A model whose root is a lone part: its bill lists no assembly.
DLxAssemblyData PartModel() {
    DLxAssemblyData a;
    a.root = 1;
    DLxAssemblyComponent part;
    part.id = 1;
    part.kind = DLxAssemblyComponent::Kind::Part;
    part.name = u"plate";
    part.path = u"parts/plate.part";
    part.partNumber = u"PL-1";
    part.representations = {u"Default"};
    a.components.push_back(part);
    a.scheme.structuredEnabled = false;
    a.scheme.partsOnlyEnabled = true;
    return a;
}

class EditPartListRequest : public KorvuPartList::ModuleTest {};

// ---- the request ---------------------------------------------------------------------------

TEST_F(EditPartListRequest, AFailedEditLeavesTheDrawingAsItWasAndJournalsNothing) {
    struct Case {
        std::string name;
        FBxObjectEditRecordList records;
    };
    Drawing probe;
    ASSERT_NE(probe.State(), nullptr);
    Record column = dynamic_cast<DUxTableStylePartsListColumn*>(probe.State()->GetColumn(0))
                        ->MakeEditRecord(u"Column");
    Record columnWithoutWidth(u"Column");
    for (int32_t i = 0; i + 1 < column.GetValueCount(); i += 2)
        if (column.GetString(i) != u"width")
            columnWithoutWidth.SetAttribute(column.GetString(i), column.GetValue(i + 1));
    std::vector<Case> cases = {
        {"no records", {}},
        // Records before the faulty one are rolled back with it.
        {"a row record without its row", {Rec(u"UpdateAll"), Rec(u"ExpandRow")}},
        {"a cell record with a row of the wrong kind",
         {Rec(u"EditCell", {{u"row", Text(u"0")}, {u"col", Int(0)}, {u"value", Text(u"x")}})}},
        {"fewer column records than announced",
         {Rec(u"SetTableColHeaders", {{u"used", Int(2)}}), column}},
        {"a column record without its width",
         {Rec(u"SetTableColHeaders", {{u"used", Int(1)}}), columnWithoutWidth}},
    };
    // An export record is checked whole, though nothing is done with it.
    for (const auto& [missing, value] : ExportAttributes()) {
        Record r(u"ExportPartList");
        for (const auto& [key, v] : ExportAttributes())
            if (UTxString16(key) != missing) r.SetAttribute(key, v);
        cases.push_back({"an export record without " + UTx::ToUtf8(missing), {r}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        ASSERT_NE(d.State(), nullptr);
        const Bytes before = d.Save();
        const size_t depth = d.Doc()->GetUndoDepth();
        const UTxResult r = d.Edit(c.records);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), DLxPartListEditRequest::kReplayFailed);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.Doc()->GetUndoDepth(), depth);
        EXPECT_EQ(d.Save(), before);
    }
}

// Built with the table alone, the request only tells the bill's annotations and recomputes the
// sheet; its line carries no records and replays the same way.
TEST_F(EditPartListRequest, ATableOnlyRequestRunsTheFinishingStepsAndItsLineReplays) {
    SmartPtr<DLxPartListEditRequest> request;
    KorvuPartList::ExpectJournalled(
        Options(),
        [&](Drawing& d) {
            request = new DLxPartListEditRequest(d.TableRef());
            return request;
        },
        [&](Drawing&, Drawing&) {
            EXPECT_TRUE(request->GetRecords().empty());
            const UTxString16 line = FWxUtil::GetTranscriptMgr().GetLines()[0];
            EXPECT_NE(line.find(u"Records=[]"), UTxString16::npos) << UTx::ToUtf8(line);
        });
}

TEST_F(EditPartListRequest, AMoveJournalsReplaysAndUndoes) {
    const WqGePoint3d to(120.5, 80.25, 0);
    KorvuPartList::ExpectJournalled(
        Options(),
        [&](Drawing& d) {
            return SmartPtr<DLxPartListEditRequest>(new DLxPartListEditRequest(d.TableRef(), to));
        },
        [&](Drawing& edited, Drawing& unedited) {
            EXPECT_EQ(edited.State()->GetOrigin(), to);
            EXPECT_NE(unedited.State()->GetOrigin(), to);
        });
}

// A move lays every row out again but changes no cell: the history keeps no image of a cell,
// and what it does keep gives the drawing back.
TEST_F(EditPartListRequest, AMoveKeepsNoImageOfTheCellsItOnlyLaysOut) {
    Drawing d;
    ASSERT_TRUE(d.State());
    const Bytes before = d.Save();
    ASSERT_FALSE(d.Process(SmartPtr<DLxPartListEditRequest>(new DLxPartListEditRequest(
                               d.TableRef(), WqGePoint3d(120.5, 80.25, 0))))
                     .Failed());
    const RSeTxnRecord* record = d.Doc()->GetUndoRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->Holds(d.State()));
    const DUxTableColumnList& columns = d.State()->GetOriginalColumns();
    int32_t cells = 0;
    for (DUxTableRowBase* row : d.State()->GetRows())
        for (const RSeRef<DUxTableStyleColumn>& column : columns)
            if (const DUxTableRowData_Base* cell = row->GetValueRaw(column.get(), false)) {
                ++cells;
                EXPECT_FALSE(record->Holds(cell));
            }
    EXPECT_GT(cells, 0);
    ASSERT_FALSE(d.Doc()->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(EditPartListRequest, ContainsRecordComparesWholeNamesWithCase) {
    struct Case {
        FBxObjectEditRecordList records;
        bool found;
    };
    const std::vector<Case> cases = {
        {{Rec(u"UpdateAll"), Rec(u"PushbackItemNumbers")}, true},
        {{Rec(u"PushBackItemNumbers")}, false},
        {{Rec(u"pushbackItemNumbers")}, false},
        {{Rec(u"PushbackItemNumbers2"), Rec(u"Pushback")}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records.empty() ? std::string("none") : UTx::ToUtf8(c.records[0].GetKey()));
        const DLxPartListEditRequest request(RSeRef<DLxPartListTable>(), c.records);
        EXPECT_EQ(request.ContainsRecord(u"PushbackItemNumbers"), c.found);
    }
}

// The source model here is the drawing's own assembly: it is reported when the host asks on
// behalf of another document, once however many records change it, and never as the
// request's own document.
TEST_F(EditPartListRequest, OtherChangedDocumentsNameTheSourceModelOnceAndNeverTheOwnDocument) {
    Drawing d;
    Drawing other;
    ASSERT_NE(d.State(), nullptr);
    const int32_t item = ColumnIndex(*d.State(), true);
    const int32_t plain = ColumnIndex(*d.State(), false);
    ASSERT_GE(item, 0);
    ASSERT_GE(plain, 0);
    auto staticValue = [](int32_t col) {
        return Rec(u"StaticValue", {{u"row", Int(0)}, {u"col", Int(col)}, {u"value", Bool(false)}});
    };
    struct Case {
        const char* name;
        FBxObjectEditRecordList records;
        bool changesModel;
    };
    const std::vector<Case> cases = {
        {"static values of other columns", {staticValue(plain), staticValue(plain)}, false},
        {"two push-backs", {Rec(u"PushbackItemNumbers"), Rec(u"PushbackItemNumbers")}, true},
        {"a static value of the item number", {staticValue(plain), staticValue(item)}, true},
        {"no records", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxPartListEditRequest request(d.TableRef(), c.records);
        const std::vector<FWxSceneDoc*> expected =
            c.changesModel ? std::vector<FWxSceneDoc*>{d.Doc()} : std::vector<FWxSceneDoc*>{};
        EXPECT_EQ(request.GetOtherChangedDocuments(other.Doc()), expected);
        EXPECT_TRUE(request.GetOtherChangedDocuments(d.Doc()).empty());
    }
}

// Numbering a cell anew needs the model's structured scheme on all levels: only an assembly
// model whose structured scheme is enabled can be switched over.
TEST_F(EditPartListRequest, OnlyAnEnabledStructuredSchemeOfAnAssemblyIsMadeAllLevels) {
    DLxAssemblyData noStructured = KorvuBOM::BracketAssembly();
    noStructured.scheme.structuredEnabled = false;
    noStructured.scheme.partsOnlyEnabled = true;
    struct Case {
        const char* name;
        Options options;
        bool changes;
    };
    std::vector<Case> cases(3);
    cases[0].name = "structured assembly";
    cases[0].changes = true;
    cases[1].name = "a lone part";
    cases[1].options.model = PartModel();
    cases[1].options.scheme = 2;
    cases[2].name = "structured scheme off";
    cases[2].options.model = noStructured;
    cases[2].options.scheme = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d(c.options);
        DLxTableStatePartlist* state = d.State();
        ASSERT_NE(state, nullptr);
        const FBxObjectEditRecordList records = {Rec(u"UpdateAll")};
        DLxPartListEditRequest request(d.TableRef(), records);
        DLxPartListEditReplay replay(request, *d.Table(), *state, records);
        EXPECT_EQ(replay.CheckAndUpdateToSchemaStructuredAllLevels(-1, true), c.changes);
        EXPECT_FALSE(d.Doc()->GetAssembly()->scheme.structuredAllLevels);
        RSeDatabase* db = d.Doc()->GetRSeDb();
        db->BeginTxn();
        EXPECT_EQ(replay.CheckAndUpdateToSchemaStructuredAllLevels(-1, false), c.changes);
        EXPECT_EQ(d.Doc()->GetAssembly()->scheme.structuredAllLevels, c.changes);
        EXPECT_EQ(request.MasterRepEdited(), c.changes);
        db->AbortTxn();
    }
}

// ---- the records of rows, cells, columns and headers ---------------------------------------

// Where the records of a case point, read from a drawing the cases' drawings equal.
struct Layout {
    int32_t columns = 0;
    int32_t item = -1;     // the item-number column
    int32_t quantity = -1; // the quantity column
    int32_t plain = -1;    // a column of neither
    int32_t rows = 0;
    int32_t expandable = -1; // the first expandable row
};

Layout LayoutOf(const Drawing& d) {
    Layout l;
    const DLxTableStatePartlist& s = *d.State();
    l.columns = s.GetColumnCount();
    l.item = ColumnIndex(s, true);
    l.plain = ColumnIndex(s, false);
    for (int32_t i = 0; i < l.columns; ++i)
        if (s.GetColumn(i)->GetPropertyID()->IsQuantity()) l.quantity = i;
    l.rows = s.GetRowCount();
    for (int32_t i = 0; i < l.rows && l.expandable < 0; ++i)
        if (s.GetRow(i)->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag)) l.expandable = i;
    return l;
}

// The properties the columns show, in column order ("set|id", the set in lower case).
std::vector<std::string> ColumnIds(const DUxTableColumnList& columns) {
    std::vector<std::string> out;
    for (const RSeRef<DUxTableStyleColumn>& c : columns) {
        std::string set = UTx::ToUtf8(c.get()->GetPropertyID()->GetPropertySet());
        for (char& ch : set)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        out.push_back(set + "|" + UTx::ToUtf8(c.get()->GetPropertyID()->GetPropertyID()));
    }
    return out;
}
std::vector<std::string> ColumnIds(const Drawing& d) {
    return ColumnIds(d.State()->GetOriginalColumns());
}

// The texts of one column over the rows, in row order.
std::vector<UTxString16> ColumnTexts(const Drawing& d, int32_t col) {
    std::vector<UTxString16> out;
    for (int32_t r = 0; r < d.State()->GetRowCount(); ++r)
        out.push_back(d.State()->GetValue(r, col));
    return out;
}

bool Overridden(const Drawing& d, int32_t row, int32_t col) {
    DUxTableRowBase* r = d.State()->GetRow(row);
    DUxTableRowData_Base* cell = r ? r->GetValueRaw(d.State()->GetColumn(col), false) : nullptr;
    return cell && cell->IsOverridden();
}

std::vector<int32_t> CustomRows(const Drawing& d) {
    std::vector<int32_t> out;
    for (int32_t r = 0; r < d.State()->GetRowCount(); ++r)
        if (d.State()->GetRow(r)->IsFlagOn(DLxTableRowPartlist::CustomRowFlag)) out.push_back(r);
    return out;
}

// Column `col` of the drawing's table as a column record named `key`, changed by `edit` first.
Record ColumnRecord(const Drawing& d, int32_t col, const char16_t* key,
                    const std::function<void(DUxTableStylePartsListColumn&)>& edit = {}) {
    auto* c = dynamic_cast<DUxTableStylePartsListColumn*>(d.State()->GetColumn(col, nullptr));
    EXPECT_NE(c, nullptr);
    if (!c) return Record(key);
    if (edit) edit(*c);
    Record r = c->MakeEditRecord(key);
    RSe::DeleteObject(c);
    return r;
}

// The same column in the older form's record, with its own width.
Record OlderColumnRecord(const Drawing& d, int32_t col, const char16_t* key, double width) {
    auto* c = dynamic_cast<DUxTableStylePartsListColumn*>(d.State()->GetColumn(col, nullptr));
    EXPECT_NE(c, nullptr);
    if (!c) return Record(key);
    DLxPartListColumn* older = DLxPropertyUtil::createColumnFromStyleItem(c, nullptr);
    EXPECT_NE(older, nullptr);
    Record r(key);
    if (older) {
        older->SetWidth(width);
        r = older->MakeEditRecord();
        r.SetKey(key);
        RSe::DeleteObject(older);
    }
    RSe::DeleteObject(c);
    return r;
}

struct RecordCase {
    const char* name;
    FBxObjectEditRecordList records;
    KorvuPartList::Check check;
};

std::vector<RecordCase> RecordCases(const Drawing& probe) {
    constexpr uint32_t kExpanded = DLxTableRowPartlist::ExpandedRowFlag;
    const Layout l = LayoutOf(probe);
    const int32_t item = l.item;
    const int32_t plain = l.plain;
    auto col = [&](int32_t i, const char16_t* key) { return ColumnRecord(probe, i, key); };
    auto sameTable = [](Drawing& e, Drawing& u) {
        EXPECT_EQ(ColumnIds(e), ColumnIds(u));
        EXPECT_EQ(ColumnTexts(e, 0), ColumnTexts(u, 0));
    };
    auto formatCase = [&](const char* name, const char16_t* key, double width) {
        return RecordCase{name,
                          {ColumnRecord(probe, plain, key,
                                        [&](DUxTableStylePartsListColumn& c) {
                                            c.SetWidth(width);
                                            c.SetLinearPrecision(4);
                                        })},
                          [=](Drawing& e, Drawing&) {
                              EXPECT_EQ(e.State()->GetColumnWidth(plain), width);
                              EXPECT_EQ(e.State()->GetColumn(plain)->GetLinearPrecision(), 4);
                          }};
    };
    auto alignmentCase = [&](const char* name, const char16_t* key, bool heading) {
        auto of = [heading](const Drawing& d, int32_t c) {
            const DUxTableStyleColumn* column = d.State()->GetColumn(c);
            return heading ? column->GetHeadingAlignment() : column->GetColumnAlignment();
        };
        return RecordCase{
            name,
            {Rec(key, {{u"startCol", Int(0)}, {u"endCol", Int(1)}, {u"alignment", Int(2)}})},
            [=](Drawing& e, Drawing& u) {
                EXPECT_EQ(of(e, 0), 2);
                EXPECT_EQ(of(e, 1), 2);
                EXPECT_EQ(of(e, 2), of(u, 2));
            }};
    };
    auto widthCase = [&](const char* name, const char16_t* key, double width) {
        return RecordCase{name,
                          {Rec(key, {{u"startCol", Int(plain)},
                                     {u"endCol", Int(plain + 5)},
                                     {u"width", Real(width)}})},
                          [=](Drawing& e, Drawing& u) {
                              EXPECT_EQ(e.State()->GetColumnWidth(plain), width);
                              EXPECT_EQ(e.State()->GetColumnWidth(plain + 1),
                                        u.State()->GetColumnWidth(plain + 1));
                          }};
    };
    auto staticCase = [&](const char* name, const char16_t* key) {
        return RecordCase{
            name,
            {Rec(key, {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Bool(true)}})},
            [=](Drawing& e, Drawing& u) {
                EXPECT_TRUE(Overridden(e, 0, plain));
                EXPECT_FALSE(Overridden(u, 0, plain));
                EXPECT_EQ(e.State()->GetValue(0, plain), u.State()->GetValue(0, plain));
            }};
    };
    const Record editCell =
        Rec(u"EditCell", {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Text(u"Edited")}});
    const Record addCustom =
        Rec(u"AddCustomRow", {{u"index", Int(0)}, {u"addBefore", Bool(false)}});

    std::vector<RecordCase> cases = {
        {"UpdateAll", {Rec(u"UpdateAll")}, sameTable},
        {"ExpandRow",
         {Rec(u"ExpandRow", {{u"row", Int(l.expandable)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_TRUE(e.State()->GetRow(l.expandable)->IsFlagOn(kExpanded));
             EXPECT_GT(e.State()->GetRowCount(), u.State()->GetRowCount());
         }},
        {"CollapseRow",
         {Rec(u"ExpandRow", {{u"row", Int(l.expandable)}}),
          Rec(u"CollapseRow", {{u"row", Int(l.expandable)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_FALSE(e.State()->GetRow(l.expandable)->IsFlagOn(kExpanded));
             EXPECT_EQ(e.State()->GetRowCount(), u.State()->GetRowCount());
         }},
        {"SetTableColHeaders",
         {Rec(u"SetTableColHeaders", {{u"used", Int(2)}}), col(item, u"Column"),
          col(plain, u"Column")},
         [=](Drawing& e, Drawing& u) {
             const std::vector<std::string> ids = ColumnIds(u);
             EXPECT_EQ(ColumnIds(e), (std::vector<std::string>{ids[item], ids[plain]}));
             EXPECT_EQ(ColumnTexts(e, 0), ColumnTexts(u, item));
         }},
        {"SetTableCustomColHeaders",
         {Rec(u"SetTableCustomColHeaders", {{u"used", Int(1)}}), col(plain, u"Column")},
         [=](Drawing& e, Drawing& u) {
             auto style = [](const Drawing& d) {
                 return DUxTableStylePartsListWrapper{
                     RSeRef<DUxTableStateBase>(d.State()), RSeRef<DUxTableStyle>()}
                     .Style();
             };
             ASSERT_TRUE(style(e).get());
             EXPECT_EQ(ColumnIds(style(e).get()->GetCustomColumns()),
                       std::vector<std::string>{ColumnIds(u)[plain]});
             EXPECT_TRUE(style(u).get()->GetCustomColumns().empty());
             EXPECT_EQ(ColumnIds(e), ColumnIds(u));
         }},
        {"SetHeaders_Rev1",
         {Rec(u"SetHeaders_Rev1",
              {{u"destroyed", Int(1)}, {u"created", Int(1)}, {u"used", Int(2)}}),
          col(l.quantity, u"Destroyed"), col(plain, u"Created"), col(item, u"Used"),
          col(plain, u"Used")},
         [=](Drawing& e, Drawing& u) {
             const std::vector<std::string> ids = ColumnIds(u);
             EXPECT_EQ(ColumnIds(e), (std::vector<std::string>{ids[item], ids[plain]}));
         }},
        {"SetHeaders",
         {Rec(u"SetHeaders", {{u"destroyed", Int(1)}, {u"created", Int(0)}, {u"used", Int(2)}}),
          OlderColumnRecord(probe, l.quantity, u"Destroyed", 10),
          OlderColumnRecord(probe, plain, u"Used", 31), OlderColumnRecord(probe, item, u"Used", 9)},
         [=](Drawing& e, Drawing& u) {
             const std::vector<std::string> ids = ColumnIds(u);
             EXPECT_EQ(ColumnIds(e), (std::vector<std::string>{ids[plain], ids[item]}));
             EXPECT_EQ(e.State()->GetColumnWidth(0), 31);
         }},
        staticCase("StaticValue true", u"StaticValue"),
        staticCase("FreezeCell true", u"FreezeCell"),
        {"StaticValue false",
         {editCell,
          Rec(u"StaticValue", {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Bool(false)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_EQ(e.State()->GetValue(0, plain), u.State()->GetValue(0, plain));
         }},
        // Numbered anew, an item number needs the model's numbers on every level: the model
        // changes with the request, in its replay and in its undo.
        {"StaticValue false on the item number",
         {Rec(u"StaticValue", {{u"row", Int(0)}, {u"col", Int(item)}, {u"value", Bool(false)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_TRUE(e.Doc()->GetAssembly()->scheme.structuredAllLevels);
             EXPECT_FALSE(u.Doc()->GetAssembly()->scheme.structuredAllLevels);
         }},
        {"EditCell", {editCell},
         [=](Drawing& e, Drawing& u) {
             EXPECT_EQ(e.State()->GetValue(0, plain), u"Edited");
             EXPECT_NE(u.State()->GetValue(0, plain), u"Edited");
         }},
        {"ChangeVisibility",
         {Rec(u"ChangeVisibility", {{u"row", Int(1)}, {u"value", Bool(false)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_TRUE(e.State()->GetRow(1)->Invisible());
             EXPECT_FALSE(u.State()->GetRow(1)->Invisible());
         }},
        {"SequenceTags",
         {Rec(u"EditCell", {{u"row", Int(0)}, {u"col", Int(item)}, {u"value", Text(u"42")}}),
          Rec(u"SequenceTags")},
         [=](Drawing& e, Drawing& u) { EXPECT_EQ(ColumnTexts(e, item), ColumnTexts(u, item)); }},
        {"AddCustomRow", {addCustom},
         [=](Drawing& e, Drawing& u) {
             EXPECT_EQ(e.State()->GetRowCount(), u.State()->GetRowCount() + 1);
             EXPECT_EQ(CustomRows(e), std::vector<int32_t>{0});
         }},
        {"RemoveCustomRow", {addCustom, Rec(u"RemoveCustomRow", {{u"row", Int(0)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_EQ(ColumnTexts(e, item), ColumnTexts(u, item));
             EXPECT_TRUE(CustomRows(e).empty());
         }},
        // Rows of the model stay.
        {"RemoveCustomRow on a model row", {Rec(u"RemoveCustomRow", {{u"row", Int(0)}})},
         [=](Drawing& e, Drawing& u) { EXPECT_EQ(ColumnTexts(e, item), ColumnTexts(u, item)); }},
        {"DragDropColumn",
         {Rec(u"DragDropColumn",
              {{u"firstCol", Int(0)}, {u"lastCol", Int(1)}, {u"destCol", Int(2)}})},
         [=](Drawing& e, Drawing& u) {
             const std::vector<std::string> before = ColumnIds(u);
             const std::vector<std::string> after = ColumnIds(e);
             ASSERT_EQ(after.size(), before.size());
             EXPECT_EQ(after[0], before[2]);
             EXPECT_EQ(after[2], before[0]);
             EXPECT_EQ(after[3], before[1]);
         }},
        {"DragDropRow",
         {Rec(u"DragDropRow", {{u"firstRow", Int(0)}, {u"lastRow", Int(1)}, {u"destRow", Int(2)}})},
         [=](Drawing& e, Drawing& u) {
             const std::vector<UTxString16> before = ColumnTexts(u, item);
             const std::vector<UTxString16> after = ColumnTexts(e, item);
             ASSERT_EQ(after.size(), before.size());
             EXPECT_EQ(after[0], before[2]);
             EXPECT_EQ(after[2], before[0]);
             EXPECT_EQ(after[3], before[1]);
         }},
        {"ExportPartList", {Rec(u"ExportPartList", ExportAttributes())}, sameTable},
        {"ChangePropertyName",
         {Rec(u"ChangePropertyName", {{u"startCol", Int(plain)}, {u"header", Text(u"Renamed")}})},
         [=](Drawing& e, Drawing&) { EXPECT_EQ(e.State()->GetColumnHeading(plain), u"Renamed"); }},
        widthCase("ChangeColumnWidth", u"ChangeColumnWidth", 33.5),
        widthCase("ChangePropertyWidth", u"ChangePropertyWidth", 21.25),
        alignmentCase("ChangeColumnHeaderAlignment", u"ChangeColumnHeaderAlignment", true),
        alignmentCase("ChangeColumnAlignment", u"ChangeColumnAlignment", false),
        // Two columns only: the run stops at the first missing column.
        {"ChangeColumnHeaderAlignment past the last column",
         {Rec(u"SetTableColHeaders", {{u"used", Int(2)}}), col(item, u"Column"),
          col(plain, u"Column"),
          Rec(u"ChangeColumnHeaderAlignment",
              {{u"startCol", Int(1)}, {u"endCol", Int(3)}, {u"alignment", Int(2)}})},
         [=](Drawing& e, Drawing& u) {
             ASSERT_EQ(e.State()->GetColumnCount(), 2);
             EXPECT_EQ(e.State()->GetColumn(0)->GetHeadingAlignment(),
                       u.State()->GetColumn(item)->GetHeadingAlignment());
             EXPECT_EQ(e.State()->GetColumn(1)->GetHeadingAlignment(), 2);
         }},
        formatCase("TableChangeColumnFormat", u"TableChangeColumnFormat", 41),
        formatCase("ChangeColumnFormat_Rev1", u"ChangeColumnFormat_Rev1", 43),
        {"ChangeColumnFormat",
         {[&] {
             Record r = OlderColumnRecord(probe, plain, u"ChangeColumnFormat", 27);
             r.SetAttribute(u"column", Int(plain));
             return r;
         }()},
         [=](Drawing& e, Drawing&) { EXPECT_EQ(e.State()->GetColumnWidth(plain), 27); }},
        {"ColumnWidthScale",
         {Rec(u"ColumnWidthScale", {{u"col", Int(plain)}, {u"scale", Real(2)}})},
         [=](Drawing& e, Drawing& u) {
             EXPECT_EQ(e.State()->GetColumnWidth(plain), 2 * u.State()->GetColumnWidth(plain));
             EXPECT_EQ(e.State()->GetColumnWidth(item), u.State()->GetColumnWidth(item));
         }},
        // A record of no known name is skipped.
        {"an unknown record", {Rec(u"NoSuchRecord", {{u"row", Int(0)}})}, sameTable},
    };
    return cases;
}

TEST_F(EditPartListRequest, EachRecordChangesTheTableJournalsAndReplays) {
    Drawing probe;
    ASSERT_NE(probe.State(), nullptr);
    const Layout l = LayoutOf(probe);
    ASSERT_GE(l.item, 0);
    ASSERT_GE(l.plain, 0);
    ASSERT_GE(l.quantity, 0);
    ASSERT_GE(l.expandable, 0);
    ASSERT_GE(l.columns, std::max(l.plain + 2, 4));
    ASSERT_GE(l.rows, 4);
    for (const RecordCase& c : RecordCases(probe)) {
        SCOPED_TRACE(c.name);
        KorvuPartList::ExpectJournalledEdit(Options(), c.records, c.check);
    }
}

// The records that follow a record of columns are its columns, whatever they are called.
TEST_F(EditPartListRequest, SubRecordsAreNotTakenForRecords) {
    Drawing probe;
    ASSERT_NE(probe.State(), nullptr);
    const Layout l = LayoutOf(probe);
    const FBxObjectEditRecordList records = {
        Rec(u"SetTableColHeaders", {{u"used", Int(2)}}),
        ColumnRecord(probe, l.item, u"AddCustomRow"),
        ColumnRecord(probe, l.plain, u"ExpandRow"),
        Rec(u"EditCell", {{u"row", Int(0)}, {u"col", Int(0)}, {u"value", Text(u"7")}}),
        Rec(u"SequenceTags"),
    };
    KorvuPartList::ExpectJournalledEdit(Options(), records, [&](Drawing& e, Drawing& u) {
        EXPECT_EQ(e.State()->GetColumnCount(), 2);
        EXPECT_TRUE(CustomRows(e).empty());
        EXPECT_EQ(e.State()->GetRowCount(), u.State()->GetRowCount());
        EXPECT_EQ(ColumnTexts(e, 0), ColumnTexts(u, l.item));
    });
}

// True freezes the text shown; false drops the user's value, whether one row or, while rows
// are grouped, every row is refreshed.
TEST_F(EditPartListRequest, AStaticValueFreezesTheShownTextOrDropsTheUsersValue) {
    for (const bool grouping : {false, true}) {
        Options options;
        options.groupByMaterial = grouping;
        Drawing probe(options);
        ASSERT_NE(probe.State(), nullptr);
        const int32_t plain = LayoutOf(probe).plain;
        const Record edit =
            Rec(u"EditCell", {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Text(u"Mine")}});
        for (const bool value : {true, false}) {
            SCOPED_TRACE(std::string(grouping ? "grouped, " : "") + (value ? "true" : "false"));
            const Record staticValue = Rec(
                u"StaticValue", {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Bool(value)}});
            KorvuPartList::ExpectJournalledEdit(
                options, {edit, staticValue}, [&](Drawing& e, Drawing& u) {
                    EXPECT_EQ(e.State()->GetValue(0, plain),
                              value ? UTxString16(u"Mine") : u.State()->GetValue(0, plain));
                    EXPECT_EQ(Overridden(e, 0, plain), value);
                });
        }
    }
}

TEST_F(EditPartListRequest, AVisibilityRecordWithoutAValueTogglesTheRow) {
    const Record hide = Rec(u"ChangeVisibility", {{u"row", Int(1)}, {u"value", Bool(false)}});
    const Record show = Rec(u"ChangeVisibility", {{u"row", Int(1)}, {u"value", Bool(true)}});
    const Record toggle = Rec(u"ChangeVisibility", {{u"row", Int(1)}});
    struct Case {
        const char* name;
        FBxObjectEditRecordList records;
        bool hidden;
    };
    const std::vector<Case> cases = {
        {"toggle a shown row", {toggle}, true},
        {"toggle a hidden row", {hide, toggle}, false},
        {"toggle twice", {toggle, toggle}, false},
        {"show a hidden row", {hide, show}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KorvuPartList::ExpectJournalledEdit(Options(), c.records, [&](Drawing& e, Drawing&) {
            EXPECT_EQ(e.State()->GetRow(1)->Invisible(), c.hidden);
        });
    }
}

TEST_F(EditPartListRequest, ACustomRowGoesBeforeOrAtItsIndex) {
    struct Case {
        int32_t index;
        bool addBefore;
        int32_t position;
    };
    for (const Case& c :
         {Case{0, true, 0}, Case{3, true, 2}, Case{3, false, 3}, Case{0, false, 0}}) {
        SCOPED_TRACE(std::to_string(c.index) + (c.addBefore ? " before" : " at"));
        const Record add =
            Rec(u"AddCustomRow", {{u"index", Int(c.index)}, {u"addBefore", Bool(c.addBefore)}});
        KorvuPartList::ExpectJournalledEdit(Options(), {add}, [&](Drawing& e, Drawing&) {
            EXPECT_EQ(CustomRows(e), std::vector<int32_t>{c.position});
        });
    }
}

// Undo and redo put back the list's fields; what it draws follows them when the sheet is shown
// again (as the program shows it: what draws nothing is drawn, then the sheet recomputes).
TEST_F(EditPartListRequest, UndoAndRedoRedrawTheList) {
    Drawing d;
    ASSERT_NE(d.Table(), nullptr);
    auto drawn = [&] {
        for (const RSeRef<RDxNode>& node : d.Sheet()->GetNodes())
            if (auto* emblem = dynamic_cast<DLxEmblem*>(node.get()))
                if (const SMxDisplayList* list = emblem->GetSheetDisplayList();
                    !list || list->IsEmpty())
                    emblem->MarkEdited(true);
        RDxComputeContext ctx;
        EXPECT_FALSE(d.Sheet()->Recompute(ctx).Failed());
        std::vector<UTxString16> texts;
        for (const SMxDisplayItem& item : *d.Table()->GetSheetDisplayList())
            if (const auto* text = item.As<SMxTextItem>()) texts.push_back(text->text);
        return texts;
    };
    const std::vector<UTxString16> before = drawn();
    const int32_t plain = LayoutOf(d).plain;
    ASSERT_FALSE(
        d.Edit({Rec(u"EditCell", {{u"row", Int(0)}, {u"col", Int(plain)}, {u"value", Text(u"Mine")}})})
            .Failed());
    const std::vector<UTxString16> after = drawn();
    ASSERT_NE(after, before);
    ASSERT_FALSE(d.Doc()->Undo().Failed());
    EXPECT_EQ(drawn(), before);
    ASSERT_FALSE(d.Doc()->Redo().Failed());
    EXPECT_EQ(drawn(), after);
}

} // namespace
