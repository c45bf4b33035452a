// Save and load of a document of 100 000 small objects with references and vectors, next to a
// plain memcpy of the same bytes. Aim: load within 10x of memcpy.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "BenchStoredClasses.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeSegment.h"

namespace {

constexpr int kObjects = 100000;

std::unique_ptr<RSeDatabase> MakeDocument() {
    auto db = std::make_unique<RSeDatabase>();
    RSeSegment* seg = db->CreateSegment(u"Sheet");
    std::vector<BenchNode*> nodes;
    nodes.reserve(kObjects);
    for (int i = 0; i < kObjects; ++i) {
        auto* n = new (BenchMeta(), seg) BenchNode();
        n->m_value = i;
        n->m_weight = i * 0.5;
        n->m_codes = {i, i + 1};
        nodes.push_back(n);
    }
    for (int i = 0; i < kObjects; ++i) {
        nodes[i]->m_next = nodes[(i + 1) % kObjects];
        nodes[i]->m_links = {RSeRef<BenchNode>(nodes[(i * 7) % kObjects]),
                             RSeRef<BenchNode>(nodes[(i * 13) % kObjects])};
    }
    return db;
}

const std::vector<uint8_t>& DocumentBytes() {
    static std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b;
        MakeDocument()->SaveToBuffer(b);
        return b;
    }();
    return bytes;
}

// Seconds per memcpy of the document's bytes, measured in the same run.
double MemcpySeconds() {
    const std::vector<uint8_t>& src = DocumentBytes();
    std::vector<uint8_t> dst(src.size());
    const int reps = 50;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < reps; ++i) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / reps;
}

void Report(benchmark::State& state, double seconds) {
    const double per = seconds / double(state.iterations());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(DocumentBytes().size()));
    state.counters["objects/s"] = benchmark::Counter(double(kObjects) * double(state.iterations()),
                                                     benchmark::Counter::kIsRate);
    state.counters["x_memcpy"] = per / MemcpySeconds();
}

void BM_Save(benchmark::State& state) {
    auto db = MakeDocument();
    std::vector<uint8_t> out;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        db->SaveToBuffer(out);
        benchmark::DoNotOptimize(out.data());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Report(state, seconds);
}

void BM_Load(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = DocumentBytes();
    double seconds = 0;
    for (auto _ : state) {
        std::unique_ptr<RSeDatabase> db;
        const auto t0 = std::chrono::steady_clock::now();
        RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        db.reset(); // closing the document is not part of the load
        state.ResumeTiming();
    }
    Report(state, seconds);
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<uint8_t>& src = DocumentBytes();
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
