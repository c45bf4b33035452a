// A parts list of 10 000 parts (the generated assembly, every level listed) exported to each
// text type, against the same number of bytes written to the same folder the same way (a
// temporary file renamed over the target): the goal is the export within 2x of that.
// The spreadsheet and database types join when their writers exist.
#include <benchmark/benchmark.h>

#include "BenchAssembly.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "BofM/DLxExportDialog.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "ge/WqGePoint3d.h"
#include "utx/UTxFileWriter.h"

namespace {
namespace fs = std::filesystem;

struct PartsList {
    explicit PartsList(int32_t parts) {
        doc.GetDrawing()->SetStandardName(u"ISO");
        if (!doc.SetAssembly(BenchGeneratedAssembly(parts))) return;
        sheet = doc.CreateSheet(u"Sheet 1", 1189, 841);
        DLxLocalBOM* b = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
        RSeRef<DUxTableStylePartsList> style(DLxStdStyles::GetPartsListStyle(&doc));
        table = DLxPartListTable::Create(sheet, WqGePoint3d(20, 820, 0), RSeRef<DLxLocalBOM>(b),
                                         style, RSeRef<FBxLayerStyle>())
                    .get();
        if (!table) return;
        table->RegisterAnnotation(sheet);
        table->SetPendingRefresh(true);
        table->MarkEdited(true);
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    RSeRef<DUxTableStateBase> State() const {
        return RSeRef<DUxTableStateBase>(table ? table->GetPartListTableState().get() : nullptr);
    }
    bool Ready() const { return State() && State()->GetRowCount() > 0; }

    DLxDrawingDoc doc;
    DLxSheet* sheet = nullptr;
    DLxPartListTable* table = nullptr;
};

fs::path Folder() {
    const fs::path dir =
        fs::temp_directory_path() / ("korvu-bench-export-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

const char* kFiles[] = {"", "", "", "", "", "list.txt", "list.csv", "list-u.txt", "list-u.csv"};

void BM_ExportText(benchmark::State& state) {
    static PartsList p(10000);
    if (!p.Ready()) return state.SkipWithError("no parts list");
    const int32_t type = int32_t(state.range(0));
    const fs::path path = Folder() / kFiles[type];
    for (auto _ : state) {
        DLxExportDialog dialog(false, nullptr, nullptr, 0, 8139, nullptr, p.State(), nullptr,
                               DLxExportDialog::kPartsList, u"");
        if (dialog.SaveData(path.u16string(), u"", type) != 0)
            return state.SkipWithError("not written");
    }
    state.counters["rows"] = double(p.State()->GetRowCount());
    state.counters["bytes"] = double(fs::file_size(path));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(path)));
}

// The disk's own speed for a file of the same size, written the same way.
void BM_WriteSameBytes(benchmark::State& state) {
    const fs::path path = Folder() / "plain.bin";
    const std::string bytes(size_t(state.range(0)), 'x');
    for (auto _ : state) {
        std::string why;
        const bool ok = UTx::WriteFileAtomically(
            path.string(),
            [&](std::FILE* f, std::string&) {
                return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
            },
            why);
        if (!ok) return state.SkipWithError(why.c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

} // namespace

BENCHMARK(BM_ExportText)->Arg(5)->Arg(6)->Arg(7)->Arg(8)->Unit(benchmark::kMillisecond);
// About the sizes of the 8-bit and the UTF-16 files of the 10 000-row list.
BENCHMARK(BM_WriteSameBytes)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
