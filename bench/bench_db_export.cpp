// The database export table writing a parts list of 10 000 rows and six text columns (item,
// part number, description with accented letters, material, quantity, a path) as dBASE III,
// dBASE IV (arguments 5, 4) and Access (2) files: the rows handed over one by one, then the file
// encoded and written atomically. Beside it, a file of the dBASE size written plainly through the
// same atomic writer, for the share of the time that is the disk's. Goal: each type under 20 ms.
#include <benchmark/benchmark.h>

#include "bom/BqxBomDbTable.h"
#include "utx/UTxFileWriter.h"
#include "utx/UTxString16.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;

std::string Folder() {
    std::string dir = "/tmp/korvu_bench_db_XXXXXX";
    return mkdtemp(dir.data()) ? dir : "/tmp";
}

std::vector<std::vector<std::u16string>> PartsRows() {
    std::vector<std::vector<std::u16string>> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const std::u16string n = UTx::MakeWideString(std::to_string(i + 1));
        rows.push_back({n, u"PN-" + n, u"Tr\u00e4ger geschwei\u00dft, Teil " + n,
                        i % 2 ? u"S235JR" : u"AlMg3",
                        UTx::MakeWideString(std::to_string(i % 9 + 1)),
                        u"C:\\models\\parts\\part_" + n + u".prt"});
    }
    return rows;
}

void BM_DatabaseExport(benchmark::State& state) {
    const auto rows = PartsRows();
    const std::string folder = Folder();
    const std::string path = folder + "/parts.dbf";
    for (auto _ : state) {
        BqxBomDbTable table;
        table.SetTableName(u"Parts");
        table.InsertInitialColumns(
            {u"ITEM NO.", u"PART NUMBER", u"DESCRIPTION", u"MATERIAL", u"QTY", u"FILE"});
        for (const auto& row : rows)
            table.AppendRow(row);
        if (!table.ExportTable(UTx::MakeWideString(path), static_cast<int32_t>(state.range(0))))
            state.SkipWithError(table.LastError().c_str());
    }
    struct stat info {};
    stat(path.c_str(), &info);
    state.SetBytesProcessed(state.iterations() * info.st_size);
    std::remove(path.c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_DatabaseExport)
    ->Arg(BqxBomDbTable::kDBase3)
    ->Arg(BqxBomDbTable::kDBase4)
    ->Arg(BqxBomDbTable::kAccess)
    ->Unit(benchmark::kMillisecond);

// The disk's speed for a file of the dBASE export's size.
void BM_PlainWrite(benchmark::State& state) {
    const std::string folder = Folder();
    const std::string probe = folder + "/probe.dbf";
    {
        BqxBomDbTable table;
        table.InsertInitialColumns(
            {u"ITEM NO.", u"PART NUMBER", u"DESCRIPTION", u"MATERIAL", u"QTY", u"FILE"});
        for (const auto& row : PartsRows())
            table.AppendRow(row);
        table.ExportTable(UTx::MakeWideString(probe), BqxBomDbTable::kDBase4);
    }
    struct stat info {};
    stat(probe.c_str(), &info);
    std::remove(probe.c_str());
    const std::string bytes(static_cast<size_t>(info.st_size), 'x');
    const std::string path = folder + "/plain.bin";
    for (auto _ : state) {
        std::string why;
        UTx::WriteFileAtomically(
            path,
            [&](std::FILE* out, std::string&) {
                return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
            },
            why);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    std::remove(path.c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
