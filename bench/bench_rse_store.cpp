// Save and load of a document of small objects with references and vectors, next to a plain
// memcpy of the same bytes, at 100 000 and 1 000 000 objects (or the sizes given with
// --objects=N[,N...]). Aims: load within 10x of memcpy; save linear in the number of objects
// (its ns/object stays flat as the document grows).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchStoredClasses.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeSegment.h"

namespace {

std::unique_ptr<RSeDatabase> MakeDocument(int64_t count) {
    const int n = int(count);
    auto db = std::make_unique<RSeDatabase>();
    RSeSegment* seg = db->CreateSegment(u"Sheet");
    std::vector<BenchNode*> nodes;
    nodes.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        auto* node = new (BenchMeta(), seg) BenchNode();
        node->m_value = i;
        node->m_weight = i * 0.5;
        node->m_codes = {i, i + 1};
        nodes.push_back(node);
    }
    for (int i = 0; i < n; ++i) {
        nodes[i]->m_next = nodes[(i + 1) % n];
        nodes[i]->m_links = {RSeRef<BenchNode>(nodes[(int64_t(i) * 7) % n]),
                             RSeRef<BenchNode>(nodes[(int64_t(i) * 13) % n])};
    }
    return db;
}

const std::vector<uint8_t>& DocumentBytes(int64_t count) {
    static std::map<int64_t, std::vector<uint8_t>> bytes;
    std::vector<uint8_t>& b = bytes[count];
    if (b.empty()) MakeDocument(count)->SaveToBuffer(b);
    return b;
}

// Seconds per memcpy of the document's bytes into a buffer already in use (the faster, and so
// the stricter, yardstick), measured once per size in the same run.
double MemcpySeconds(int64_t count) {
    static std::map<int64_t, double> cache;
    if (double s = cache[count]) return s;
    const std::vector<uint8_t>& src = DocumentBytes(count);
    std::vector<uint8_t> dst(src.size());
    const int reps = count > 200000 ? 20 : 100;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < reps; ++i) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    return cache[count] =
               std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / reps;
}

void Report(benchmark::State& state, double seconds) {
    const int64_t count = state.range(0);
    const double per = seconds / double(state.iterations());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(DocumentBytes(count).size()));
    state.counters["ns/object"] = per * 1e9 / double(count);
    // Throughput as a fraction of memcpy's on the same bytes (the aim for load: 0.1 or more).
    state.counters["of_memcpy"] = MemcpySeconds(count) / per;
}

void BM_Save(benchmark::State& state) {
    auto db = MakeDocument(state.range(0));
    double seconds = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out; // a fresh buffer each time, as a save has
        const auto t0 = std::chrono::steady_clock::now();
        db->SaveToBuffer(out);
        benchmark::DoNotOptimize(out.data());
        const double dt =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(dt);
        seconds += dt;
    }
    Report(state, seconds);
}

void BM_Load(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = DocumentBytes(state.range(0));
    double seconds = 0;
    for (auto _ : state) {
        std::unique_ptr<RSeDatabase> db;
        const auto t0 = std::chrono::steady_clock::now();
        RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        const double dt =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(dt);
        seconds += dt;
        if (!db) state.SkipWithError("the document did not load");
        db.reset(); // closing the document is not part of the load
    }
    Report(state, seconds);
}

std::string TempPath(const char* what) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/bench_rse_store_" + what + "_" +
           std::to_string(getpid()) + ".korvu";
}

// The same through files: the whole path of `korvu open` and of saving a drawing.
void BM_SaveFile(benchmark::State& state) {
    auto db = MakeDocument(state.range(0));
    const std::string path = TempPath("save");
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (db->Save(path).Failed()) state.SkipWithError("the document did not save");
        const double dt =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(dt);
        seconds += dt;
    }
    std::remove(path.c_str());
    Report(state, seconds);
}

void BM_LoadFile(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = DocumentBytes(state.range(0));
    const std::string path = TempPath("load");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    double seconds = 0;
    for (auto _ : state) {
        std::unique_ptr<RSeDatabase> db;
        const auto t0 = std::chrono::steady_clock::now();
        RSeDatabase::Load(path, db);
        const double dt =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(dt);
        seconds += dt;
        if (!db) state.SkipWithError("the document did not load");
        db.reset();
    }
    std::remove(path.c_str());
    Report(state, seconds);
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<uint8_t>& src = DocumentBytes(state.range(0));
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

// Sizes from --objects=N[,N...], taken out of the arguments before the library sees them.
std::vector<int64_t> TakeSizes(int& argc, char** argv) {
    std::vector<int64_t> sizes;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, "--objects=", 10) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        for (const char* p = a + 10; *p;) {
            char* end = nullptr;
            const long long n = std::strtoll(p, &end, 10);
            if (end == p || n < 1 || n > 100000000) {
                std::fprintf(stderr, "bench_rse_store: bad object count in %s\n", a);
                std::exit(2);
            }
            sizes.push_back(n);
            p = *end == ',' ? end + 1 : end;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    if (sizes.empty()) sizes = {100000, 1000000};
    return sizes;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<int64_t> sizes = TakeSizes(argc, argv);
    using Fn = void (*)(benchmark::State&);
    const std::pair<const char*, Fn> programs[] = {{"BM_Memcpy", BM_Memcpy},
                                                   {"BM_Load", BM_Load},
                                                   {"BM_Save", BM_Save},
                                                   {"BM_LoadFile", BM_LoadFile},
                                                   {"BM_SaveFile", BM_SaveFile}};
    for (const auto& [name, fn] : programs)
        for (int64_t n : sizes)
            benchmark::RegisterBenchmark(name, fn)
                ->Arg(n)
                ->ArgName("objects")
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
