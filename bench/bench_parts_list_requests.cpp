// Parts lists changed as a user changes them: through their requests, processed by the
// document (validated, run in a transaction, journalled, undoable), on a drawing of a generated
// assembly of N parts (N = 100, 1 000, 10 000) whose parts list shows every part. Measured:
// - the creation of the parts list ("CreatePartListLocalBOM"), its undo paused;
// - one cell overridden ("EditPartList" with one "EditCell" record): what one row costs;
// - the table moved ("EditPartList" with a new origin);
// - the rows sorted by part number ("EditPartList" with one "SortRows_Rev1" record);
// - the undo of one cell's edit;
// - rows added by the user ("EditPartList" with N "AddCustomRow" records, each at the end) to the
//   list of a 100-part assembly, its undo paused: what each added row costs as the list grows.
// A one-row edit should stay near flat as the list grows; the creation and the sort grow with
// the rows they make or order.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchAssembly.h"
#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxPartListEditRequest.h"
#include "Standard/DLxStdStyles.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "ge/WqGePoint3d.h"

namespace {

using Value = FWxTranscriptValue;

// An ISO drawing of the generated assembly on one A0 sheet, with its parts-list styles.
struct Drawing {
    explicit Drawing(int32_t parts) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        if (!doc->SetAssembly(BenchGeneratedAssembly(parts))) return;
        sheet = doc->CreateSheet(u"Sheet 1", 1189, 841);
        DLxStdStyles::AddDocumentStyles(doc.get());
        doc->SetActiveSheet(sheet);
    }
    UTxResult Create() {
        DLxPartListData data(doc.get());
        data.SetFilename(u"root.asm");
        data.SetSheetInstance(RSeRef<DLxSheet>(sheet));
        data.SetOrigin(WqGePoint3d(20, 820, 0));
        SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(data));
        const UTxResult r = doc->ProcessChangeRequest(req);
        table = req->GetPartList();
        FWxTranscriptMgr::Get().ClearLines();
        return r;
    }
    int32_t ColumnOf(DLxLocalBOMColumn::Kind kind) const {
        DLxTableStatePartlist* state = table->GetPartListTableState().get();
        for (int32_t c = 0; c < int32_t(state->GetOriginalColumns().size()); ++c) {
            DLxLocalBOMColumn bc;
            const DUxTableStyleColumn* column = state->GetColumn(c);
            if (column && DLxLocalBOMColumn::FromPropertyID(*column->GetPropertyID(), bc) &&
                bc.GetKind() == kind)
                return c;
        }
        return -1;
    }
    UTxResult Edit(const FBxObjectEditRecordList& records) {
        SmartPtr<DLxPartListEditRequest> req(new DLxPartListEditRequest(table, records));
        const UTxResult r = doc->ProcessChangeRequest(req);
        FWxTranscriptMgr::Get().ClearLines();
        return r;
    }
    int32_t Rows() const { return table.get()->GetPartListTableState().get()->GetRowCount(); }

    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    RSeRef<DLxPartListTable> table;
};

FBxObjectEditRecord EditCell(int32_t row, int32_t col, const UTxString16& text) {
    FBxObjectEditRecord r(u"EditCell");
    r.SetAttribute(u"row", Value::MakeInt(row))
        .SetAttribute(u"col", Value::MakeInt(col))
        .SetAttribute(u"value", Value::MakeString(text));
    return r;
}

// A drawing whose parts list stands, or the reason it does not.
const char* Prepare(Drawing& d) {
    if (!d.sheet) return "no drawing";
    if (d.Create().Failed() || !d.table.HasTarget()) return "no parts list";
    return nullptr;
}

void BM_CreatePartList(benchmark::State& state) {
    Drawing d(int32_t(state.range(0)));
    if (!d.sheet) return state.SkipWithError("no drawing");
    for (auto _ : state) {
        if (d.Create().Failed()) return state.SkipWithError("creation failed");
        state.PauseTiming();
        state.counters["rows"] = double(d.Rows());
        if (d.doc->Undo().Failed()) return state.SkipWithError("undo failed");
        state.ResumeTiming();
    }
}

void BM_EditOneCell(benchmark::State& state) {
    Drawing d(int32_t(state.range(0)));
    if (const char* why = Prepare(d)) return state.SkipWithError(why);
    const int32_t col = d.ColumnOf(DLxLocalBOMColumn::Description);
    if (col < 0) return state.SkipWithError("no description column");
    const int32_t row = d.Rows() / 2;
    int step = 0;
    for (auto _ : state)
        if (d.Edit({EditCell(row, col, ++step % 2 ? u"Changed" : u"Changed again")}).Failed())
            return state.SkipWithError("edit failed");
    state.counters["rows"] = double(d.Rows());
}

void BM_MoveTable(benchmark::State& state) {
    Drawing d(int32_t(state.range(0)));
    if (const char* why = Prepare(d)) return state.SkipWithError(why);
    int step = 0;
    for (auto _ : state) {
        SmartPtr<DLxPartListEditRequest> req(new DLxPartListEditRequest(
            d.table, WqGePoint3d(++step % 2 ? 30 : 20, 820, 0)));
        if (d.doc->ProcessChangeRequest(req).Failed()) return state.SkipWithError("move failed");
        FWxTranscriptMgr::Get().ClearLines();
    }
    state.counters["rows"] = double(d.Rows());
}

void BM_SortRows(benchmark::State& state) {
    Drawing d(int32_t(state.range(0)));
    if (const char* why = Prepare(d)) return state.SkipWithError(why);
    const int32_t col = d.ColumnOf(DLxLocalBOMColumn::PartNumber);
    if (col < 0) return state.SkipWithError("no part-number column");
    int step = 0;
    for (auto _ : state) {
        FBxObjectEditRecord r(u"SortRows_Rev1");
        r.SetAttribute(u"numberOfKeys", Value::MakeInt(1))
            .SetAttribute(u"key1", Value::MakeInt(col))
            .SetAttribute(u"descend1", Value::MakeInt(++step % 2));
        if (d.Edit({r}).Failed()) return state.SkipWithError("sort failed");
    }
    state.counters["rows"] = double(d.Rows());
}

void BM_UndoOneCellEdit(benchmark::State& state) {
    Drawing d(int32_t(state.range(0)));
    if (const char* why = Prepare(d)) return state.SkipWithError(why);
    const int32_t col = d.ColumnOf(DLxLocalBOMColumn::Description);
    if (col < 0) return state.SkipWithError("no description column");
    const int32_t row = d.Rows() / 2;
    for (auto _ : state) {
        state.PauseTiming();
        if (d.Edit({EditCell(row, col, u"Changed")}).Failed())
            return state.SkipWithError("edit failed");
        state.ResumeTiming();
        if (d.doc->Undo().Failed()) return state.SkipWithError("undo failed");
    }
    state.counters["rows"] = double(d.Rows());
}

void BM_AddCustomRows(benchmark::State& state) {
    Drawing d(100);
    if (const char* why = Prepare(d)) return state.SkipWithError(why);
    const int32_t added = int32_t(state.range(0));
    const int32_t first = d.Rows();
    FBxObjectEditRecordList records;
    for (int32_t i = 0; i < added; ++i) {
        FBxObjectEditRecord r(u"AddCustomRow");
        r.SetAttribute(u"index", Value::MakeInt(first + i))
            .SetAttribute(u"addBefore", Value::MakeBool(false));
        records.push_back(r);
    }
    for (auto _ : state) {
        if (d.Edit(records).Failed()) return state.SkipWithError("adding rows failed");
        state.PauseTiming();
        state.counters["rows"] = double(d.Rows());
        if (d.doc->Undo().Failed()) return state.SkipWithError("undo failed");
        state.ResumeTiming();
    }
    state.SetComplexityN(added);
}

} // namespace

BENCHMARK(BM_CreatePartList)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditOneCell)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveTable)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRows)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoOneCellEdit)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddCustomRows)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

BENCHMARK_MAIN();
