// A parts list placed on a sheet, as a user gets one, over the local bill of a generated
// assembly of N distinct parts (N = 100, 1 000, 10 000): the first 100 parts directly under the
// root, the others in sub-assemblies of 100 parts, every level listed; part numbers in an order
// that is not the model's, materials from a set of 20. Measured:
// - the whole compute: rows rebuilt from the bill, sorted by part number, laid out and drawn
//   into the table's display list (goal under 20 ms at 10 000 rows), also grouped by material
//   with the participants listed, and from an empty table (every row made anew);
// - one part's description changed in the bill and that row updated, laid out and drawn again
//   (goal under 1 ms).
#include <benchmark/benchmark.h>

#include "BenchAssembly.h"

#include <string>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/FBxLayerStyle.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"

namespace {

// An ISO drawing of the generated assembly with a parts list placed on its sheet and computed.
struct PartsList {
    explicit PartsList(int32_t parts, bool grouped = false) {
        doc.GetDrawing()->SetStandardName(u"ISO");
        if (!doc.SetAssembly(BenchGeneratedAssembly(parts))) return;
        sheet = doc.CreateSheet(u"Sheet 1", 1189, 841);
        DLxLocalBOM* b = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
        bom = b;
        RSeRef<DUxTableStylePartsList> style(DLxStdStyles::GetPartsListStyle(&doc));
        table = DLxPartListTable::Create(sheet, WqGePoint3d(20, 820, 0), RSeRef<DLxLocalBOM>(b),
                                         style, RSeRef<FBxLayerStyle>())
                    .get();
        if (!table) return;
        table->RegisterAnnotation(sheet);
        state = table->GetPartListTableState().get();
        for (int32_t c = 0; c < int32_t(state->GetOriginalColumns().size()); ++c) {
            DLxLocalBOMColumn bc;
            const DUxTableStyleColumn* column = state->GetColumn(c);
            if (column && DLxLocalBOMColumn::FromPropertyID(*column->GetPropertyID(), bc) &&
                bc.GetKind() == DLxLocalBOMColumn::PartNumber)
                partNumber = int16_t(c);
        }
        if (grouped) {
            // The material, which the standard's columns do not show, as the key.
            DUxTableStylePartsListColumn* key =
                DUxTableStylePartsListColumn::New(RSe::TransientSegment());
            key->GetPropertyID()->SetPropertySet(
                DUxStyleFormatColumnPropertyID::PartsListPropertySet());
            key->GetPropertyID()->SetPropertyID(u"5");
            state->SetGroupKeys({RSeRef<DUxTableStylePartsListColumn>(key)});
            RSe::DeleteObject(key);
            state->SetGroupingEnabled(true);
            state->SetDisplayParticipants(true);
        }
        Rebuild();
    }
    bool Ready() const { return table && state && partNumber >= 0 && state->GetRowCount() > 0; }
    // The whole compute: rebuilt, sorted, laid out and drawn.
    void Rebuild() {
        table->SetPendingRefresh(true);
        if (partNumber >= 0) state->SortRows({{partNumber, DUxTableStateBase::eAscending}});
        Recompute();
    }
    void Recompute() {
        table->MarkEdited(true);
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    size_t Drawn() const {
        const SMxDisplayList* list = table->GetDisplayList();
        return list ? list->Count() : 0;
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = nullptr;
    DLxLocalBOM* bom = nullptr;
    DLxPartListTable* table = nullptr;
    DLxTableStatePartlist* state = nullptr;
    int16_t partNumber = -1;
};

void Report(benchmark::State& state, const PartsList& p) {
    state.counters["rows"] = double(p.state->GetRowCount());
    state.counters["drawn"] = double(p.Drawn());
}

void BM_ComputeWhole(benchmark::State& state) {
    PartsList p(int32_t(state.range(0)));
    if (!p.Ready()) return state.SkipWithError("no parts list");
    for (auto _ : state)
        p.Rebuild();
    Report(state, p);
}

void BM_ComputeWholeGroupedWithParticipants(benchmark::State& state) {
    PartsList p(int32_t(state.range(0)), true);
    if (!p.Ready()) return state.SkipWithError("no parts list");
    for (auto _ : state)
        p.Rebuild();
    Report(state, p);
}

// Every row made anew: the table's first compute after placing it.
void BM_ComputeFromEmptyTable(benchmark::State& state) {
    PartsList p(int32_t(state.range(0)));
    if (!p.Ready()) return state.SkipWithError("no parts list");
    for (auto _ : state) {
        state.PauseTiming();
        while (p.state->GetRowCount() > 0)
            p.state->RemoveRow(p.state->GetRowCount() - 1);
        state.ResumeTiming();
        p.Rebuild();
    }
    Report(state, p);
}

void BM_ChangeOneRow(benchmark::State& state) {
    PartsList p(int32_t(state.range(0)));
    if (!p.Ready()) return state.SkipWithError("no parts list");
    const int32_t index = p.state->GetRowCount() / 2;
    const auto* id = dynamic_cast<const DLxTableRowIDLocalBOM*>(p.state->GetRow(index)->RowID());
    if (!id) return state.SkipWithError("no bill row");
    const DLxLocalBOMCookie cookie = id->Cookie();
    int step = 0;
    for (auto _ : state) {
        p.bom->SetCellOverride(cookie, DLxLocalBOMColumn::Description,
                               ++step % 2 ? u"Changed description" : u"Another description");
        p.state->UpdateRow(index);
        p.Recompute();
    }
    Report(state, p);
}

} // namespace

BENCHMARK(BM_ComputeWhole)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeWholeGroupedWithParticipants)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeFromEmptyTable)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeOneRow)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
