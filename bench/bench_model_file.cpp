// Reading model files of growing size: one view of many edges, a drawing of many sheets, a view
// of many breaks. Each case reports its time per element and fits a complexity: a read linear in
// the file's size keeps the time per element flat from the smallest size to the largest.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"

namespace {

std::string Head() {
    return R"({"format": "korvu-model", "version": 1, "sheets": [)";
}

std::string View(const std::string& edges, const std::string& breaks) {
    return R"({"name": "Front", "scale": 1, "center": [200, 150], "orientation": "front", "edges": [)" +
           edges + R"(], "breaks": [)" + breaks + "]}";
}

std::string ManyEdges(int64_t n) {
    std::string edges;
    for (int64_t i = 0; i < n; ++i) {
        if (i) edges += ", ";
        const std::string x = std::to_string(i % 1000), y = std::to_string(i / 1000);
        edges +=
            i % 2 ? R"({"id": )" + std::to_string(i + 1) + R"(, "line": [[)" + x + ", " + y +
                        ", 0], [" + x + ".5, " + y + ".5, 0]]}"
                  : R"({"id": )" + std::to_string(i + 1) + R"(, "arc": {"center": [)" + x + ", " +
                        y + R"(, 0], "normal": [0, 0, 1], "radius": 0.25, "start": 0, "end": 90}})";
    }
    return Head() + R"({"name": "Sheet 1", "width": 420, "height": 297, "views": [)" +
           View(edges, "") + "]}]}";
}

std::string ManySheets(int64_t n) {
    std::string text = Head();
    for (int64_t i = 0; i < n; ++i) {
        if (i) text += ", ";
        text +=
            R"({"name": "Sheet )" + std::to_string(i + 1) + R"(", "width": 420, "height": 297})";
    }
    return text + "]}";
}

std::string ManyBreaks(int64_t n) {
    std::string breaks;
    // Given in an order that is not their order along the view.
    for (int64_t i = 0; i < n; ++i) {
        if (i) breaks += ", ";
        const int64_t at = (i * 7919) % n;
        breaks += R"({"direction": ")" + std::string(i % 2 ? "vertical" : "horizontal") +
                  R"(", "from": )" + std::to_string(at * 2) +
                  ", \"to\": " + std::to_string(at * 2 + 1) + "}";
    }
    return Head() + R"({"name": "Sheet 1", "width": 420, "height": 297, "views": [)" +
           View("", breaks) + "]}]}";
}

void Read(benchmark::State& state, std::string (*make)(int64_t)) {
    const std::string text = make(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::LoadFromString(text, "bench.json", doc);
        if (r.Failed()) {
            state.SkipWithError(r.GetMessageUtf8().c_str());
            return;
        }
        benchmark::DoNotOptimize(doc.get());
    }
    state.SetComplexityN(state.range(0));
    state.counters["per_element"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void BM_ModelEdges(benchmark::State& state) {
    Read(state, ManyEdges);
}
void BM_ModelSheets(benchmark::State& state) {
    Read(state, ManySheets);
}
void BM_ModelBreaks(benchmark::State& state) {
    Read(state, ManyBreaks);
}

} // namespace

BENCHMARK(BM_ModelEdges)
    ->RangeMultiplier(10)
    ->Range(2000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ModelSheets)
    ->RangeMultiplier(10)
    ->Range(200, 20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ModelBreaks)
    ->RangeMultiplier(10)
    ->Range(200, 20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
