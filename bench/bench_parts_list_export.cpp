// A parts list placed on a sheet over the bill of a generated assembly of 100, 1 000 and 10 000
// parts (every level listed), exported to each file type the module writes, the way the program's
// export runs it: the export dialog made over the list with the program's presets, then its
// SaveData writing the file through the module's writer (the database types through the host's
// database table). Beside each, the same number of bytes
// written to the same folder the same way (a temporary file renamed over the target): the goal
// is text and comma files within 2x of that, a workbook under 200 ms, at 10 000 rows. The
// database types are measured beside them, without a goal of their own here.
// Arguments: the dialog's file type id, then the number of parts.
#include <benchmark/benchmark.h>

#include "BenchAssembly.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BofM/DLxExcelExportDialog.h"
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
#include "utx/UTxString16.h"
#include "WinModule.h"

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

// The module loaded as the program loads it, so that its resources (the dialog's file types,
// the messages) are there as they are for a user.
bool LoadModule() {
    const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
    static HMODULE module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
    return module != nullptr;
}

// One list per size, built on first use and kept for the whole run.
PartsList& ListOf(int32_t parts) {
    static const bool loaded = LoadModule();
    (void)loaded;
    static std::map<int32_t, std::unique_ptr<PartsList>> lists;
    auto& list = lists[parts];
    if (!list) list = std::make_unique<PartsList>(parts);
    return *list;
}

fs::path Folder() {
    const fs::path dir =
        fs::temp_directory_path() / ("korvu-bench-export-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

fs::path PathOf(int32_t type) {
    switch (type) {
    case DLxExportDialog::kXls: return Folder() / "list.xls";
    case DLxExportDialog::kMdb: return Folder() / "list.mdb";
    case DLxExportDialog::kDbf3: return Folder() / "list3.dbf";
    case DLxExportDialog::kDbf4: return Folder() / "list4.dbf";
    case DLxExportDialog::kTxt: return Folder() / "list.txt";
    case DLxExportDialog::kCsv: return Folder() / "list.csv";
    case DLxExportDialog::kTxtUnicode: return Folder() / "list-u.txt";
    default: return Folder() / "list-u.csv";
    }
}

// Workbooks and databases already at the path gain a sheet or a table rather than being
// replaced: each export starts from no file, as a first export does.
bool AddsToExistingFile(int32_t type) {
    return type == DLxExportDialog::kXls || type == DLxExportDialog::kMdb;
}

// The program's export: text files tab-separated, the other options as the dialog starts.
bool Export(const PartsList& list, int32_t type, const fs::path& path) {
    const bool text = type == DLxExportDialog::kTxt || type == DLxExportDialog::kTxtUnicode;
    DLxExportDialog dialog(false, nullptr, nullptr, 0, 8139, nullptr, list.State(), nullptr,
                           DLxExportDialog::kPartsList, text ? u"\t" : u"");
    dialog.GetExcelExportDialogForAPI()->SetOptions(false, false, false, false);
    // An Access database needs a name for its table; the program takes the list's title.
    const char16_t* table = type == DLxExportDialog::kMdb ? u"Parts" : u"";
    return dialog.SaveData(path.u16string(), table, type) == 0;
}

void BM_Export(benchmark::State& state) {
    const int32_t type = int32_t(state.range(0));
    const PartsList& list = ListOf(int32_t(state.range(1)));
    if (!list.Ready()) return state.SkipWithError("no parts list");
    const fs::path path = PathOf(type);
    const bool remove = AddsToExistingFile(type);
    for (auto _ : state) {
        if (remove) {
            state.PauseTiming();
            fs::remove(path);
            state.ResumeTiming();
        }
        if (!Export(list, type, path)) return state.SkipWithError("not written");
    }
    state.counters["rows"] = double(list.State()->GetRowCount());
    state.counters["bytes"] = double(fs::file_size(path));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(path)));
}

// The disk's own speed for a file of the export's size, written the same way.
void BM_WriteSameBytes(benchmark::State& state) {
    const int32_t type = int32_t(state.range(0));
    const PartsList& list = ListOf(int32_t(state.range(1)));
    if (!list.Ready()) return state.SkipWithError("no parts list");
    const fs::path probe = Folder() / ("probe-" + PathOf(type).filename().string());
    fs::remove(probe);
    if (!Export(list, type, probe)) return state.SkipWithError("not written");
    const std::string bytes(size_t(fs::file_size(probe)), 'x');
    const fs::path path = Folder() / "plain.bin";
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

void Sizes(benchmark::internal::Benchmark* b, std::initializer_list<int64_t> types) {
    for (int64_t type : types)
        for (int64_t parts : {100, 1000, 10000})
            b->Args({type, parts});
    b->ArgNames({"type", "parts"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Export)->Apply([](benchmark::internal::Benchmark* b) {
    Sizes(b, {DLxExportDialog::kXls, DLxExportDialog::kMdb, DLxExportDialog::kDbf3,
              DLxExportDialog::kDbf4, DLxExportDialog::kTxt, DLxExportDialog::kCsv,
              DLxExportDialog::kTxtUnicode, DLxExportDialog::kCsvUnicode});
});
BENCHMARK(BM_WriteSameBytes)->Apply([](benchmark::internal::Benchmark* b) {
    Sizes(b, {DLxExportDialog::kTxt, DLxExportDialog::kCsv, DLxExportDialog::kTxtUnicode,
              DLxExportDialog::kCsvUnicode});
});

BENCHMARK_MAIN();
