// Load, compute and draw to SVG a sheet with 20 views of 2 000 edges each: ms and edges/s.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "render/RNxRenderer.h"
#include "sm/SMxDisplayList.h"

namespace {

constexpr int kViews = 20;
constexpr int kEdges = 2000;

// A model of one A0 sheet of 20 views; each view has lines and arcs around a ring.
const std::string& Model() {
    static const std::string text = [] {
        std::ostringstream m;
        m << R"({"format":"korvu-model","version":1,"standard":"ISO","sheets":[)"
          << R"({"name":"Big","width":1189,"height":841,"views":[)";
        for (int v = 0; v < kViews; ++v) {
            if (v) m << ",";
            m << R"({"name":"V)" << v << R"(","scale":1,"center":[)" << 120 + (v % 5) * 230 << ","
              << 110 + (v / 5) * 200 << R"(],"orientation":"front","edges":[)";
            for (int e = 0; e < kEdges; ++e) {
                if (e) m << ",";
                const double a = 2 * M_PI * e / kEdges, r = 40 + (e % 7) * 8;
                if (e % 4 == 3) {
                    m << R"({"id":)" << e + 1 << R"(,"arc":{"center":[)" << r * std::cos(a) << ","
                      << r * std::sin(a)
                      << R"(,0],"normal":[0,0,1],"radius":3,"start":0,"end":180}})";
                } else {
                    m << R"({"id":)" << e + 1 << R"(,"line":[[)" << r * std::cos(a) << ","
                      << r * std::sin(a) << ",0],[" << (r + 10) * std::cos(a) << ","
                      << (r + 10) * std::sin(a) << ",0]]}";
                }
            }
            m << "]}";
        }
        m << "]}]}";
        return m.str();
    }();
    return text;
}

void BM_LoadComputeRenderSvg(benchmark::State& state) {
    char dir[] = "/tmp/korvu-bench-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(dir) + "/big.svg";
    for (auto _ : state) {
        std::unique_ptr<DLxDrawingDoc> doc;
        if (DLxModelFile::LoadFromString(Model(), "big.json", doc).Failed()) {
            state.SkipWithError("the model does not load");
            break;
        }
        DLxSheet* sheet = doc->GetSheets().front();
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        std::vector<SMxDisplayList> lists(sheet->GetViews().size());
        std::vector<RNxLayer> layers;
        for (size_t i = 0; i < lists.size(); ++i) {
            sheet->GetViews()[i]->BuildDisplayList(lists[i]);
            layers.push_back({&lists[i], WqGeMatrix3d()});
        }
        RNx::RenderSheet({sheet->GetName(), sheet->GetWidth(), sheet->GetHeight()}, layers,
                         RNxFormat::Svg, path);
    }
    std::remove(path.c_str());
    rmdir(dir);
    state.counters["edges/s"] = benchmark::Counter(
        double(kViews) * kEdges * double(state.iterations()), benchmark::Counter::kIsRate);
}

// The three steps alone, to see where the time goes.
void BM_LoadOnly(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<DLxDrawingDoc> doc;
        DLxModelFile::LoadFromString(Model(), "big.json", doc);
        benchmark::DoNotOptimize(doc.get());
    }
}

void BM_RenderOnly(benchmark::State& state) {
    std::unique_ptr<DLxDrawingDoc> doc;
    DLxModelFile::LoadFromString(Model(), "big.json", doc);
    DLxSheet* sheet = doc->GetSheets().front();
    std::vector<SMxDisplayList> lists(sheet->GetViews().size());
    std::vector<RNxLayer> layers;
    for (size_t i = 0; i < lists.size(); ++i) {
        sheet->GetViews()[i]->BuildDisplayList(lists[i]);
        layers.push_back({&lists[i], WqGeMatrix3d()});
    }
    char dir[] = "/tmp/korvu-bench-XXXXXX";
    if (!mkdtemp(dir)) return;
    const std::string path = std::string(dir) + "/big.svg";
    for (auto _ : state)
        RNx::RenderSheet({sheet->GetName(), sheet->GetWidth(), sheet->GetHeight()}, layers,
                         RNxFormat::Svg, path);
    std::remove(path.c_str());
    rmdir(dir);
}

BENCHMARK(BM_LoadComputeRenderSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
