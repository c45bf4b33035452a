// Feature control frames through their real requests on sheets that already hold 100 to
// 100 000 frames: one CreateGDTSymbol, one RotateGDTSymbol, one undo of a create, and the undo
// history each leaves; then a replay of transcripts of CreateGDTSymbol lines. A request should
// cost what it changes, not what the sheet holds: the per-request figures should stay flat as
// the sheet grows, and replay should grow linearly with its lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchFrameSheet.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "utx/UTxString16.h"

namespace {

using namespace BenchFrames;

void ReportHistory(benchmark::State& state, FrameSheet& s, size_t steps) {
    state.counters["history_bytes_per_request"] =
        double(s.doc->GetHistoryByteSize(steps)) / double(steps);
    FWxTranscriptMgr::Get().ClearLines();
}

void BM_CreateGDTSymbol(benchmark::State& state) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    size_t made = 0;
    for (auto _ : state) {
        if (s.Create(int(made)).Failed()) {
            state.SkipWithError("create failed");
            break;
        }
        ++made;
        state.PauseTiming();
        // Keep the sheet at its size: the frame goes again, its history with it.
        if (made % 64 == 0) {
            ReportHistory(state, s, 64);
            for (int u = 0; u < 64; ++u)
                s.doc->Undo();
        }
        state.ResumeTiming();
    }
    for (size_t u = 0; u < made % 64; ++u)
        s.doc->Undo();
    FWxTranscriptMgr::Get().ClearLines();
}

void BM_RotateGDTSymbol(benchmark::State& state) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    size_t turns = 0;
    for (auto _ : state) {
        // Back and forth, so that the frame stays where it was.
        const UTxResult r =
            s.doc->ProcessChangeRequest(new DLxGDTRotateRequest(s.turned, turns % 2 == 0));
        if (r.Failed()) {
            state.SkipWithError("rotate failed");
            break;
        }
        ++turns;
        state.PauseTiming();
        if (turns % 64 == 0) {
            ReportHistory(state, s, 64);
            for (int u = 0; u < 64; ++u)
                s.doc->Undo();
        }
        state.ResumeTiming();
    }
    for (size_t u = 0; u < turns % 64; ++u)
        s.doc->Undo();
    FWxTranscriptMgr::Get().ClearLines();
}

void BM_UndoCreate(benchmark::State& state) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (s.Create(i++).Failed()) state.SkipWithError("create failed");
        state.ResumeTiming();
        if (s.doc->Undo().Failed()) state.SkipWithError("undo failed");
    }
    FWxTranscriptMgr::Get().ClearLines();
}

// A transcript of `lines` CreateGDTSymbol lines, as `korvu run` reads it.
std::string WriteTranscript(int lines) {
    const std::string path = "/tmp/korvu_bench_replay_" + std::to_string(lines) + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "w");
    for (int i = 0; i < lines; ++i) {
        const WqGePoint3d r = RootOf(i);
        std::fprintf(f,
                     "CreateGDTSymbol TDXVersion=1 Arrow=28029 Intent=@\"DLxViewInstance#Sheet "
                     "1/Front\" Intent_Edge=%d Intent_Param=0.5 Intent_Point=(0,0,0) "
                     "Points=[(%d,420,0),(%g,%g,0)] AllAround=false DisplayLeader=true "
                     "Fields_Count=7 Fields_0=\"\" Fields_1=\"5\" Fields_2=\"0.01\" Fields_3=\"\" "
                     "Fields_4=\"A\" Fields_5=\"B\" Fields_6=\"\" "
                     "FieldsVisibility=[3,3,3,3,3,3,3] LinesFramed=[true] Create=true "
                     "LayerStyle=null FCFStyle=@\"DUxFeatureControlFrameStyle#ISO\"\n",
                     i % 20 + 1, 200 + 40 * (i % 20), r.x, r.y);
    }
    std::fclose(f);
    return path;
}

void BM_ReplayCreateLines(benchmark::State& state) {
    const int lines = int(state.range(0));
    const std::string path = WriteTranscript(lines);
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<FrameSheet>(0);
        state.ResumeTiming();
        int32_t done = 0;
        // As the program replays: nothing kept of the lines but the drawing.
        FWxTranscriptMgr::Get().SetKeepLines(false);
        const UTxResult r = FWxTranscriptMgr::Get().ReplayFile(s->doc.get(), path, &done);
        FWxTranscriptMgr::Get().SetKeepLines(true);
        if (r.Failed() || done != lines) state.SkipWithError("replay failed");
        state.PauseTiming();
        FWxTranscriptMgr::Get().ClearLines();
        s.reset();
        state.ResumeTiming();
    }
    state.counters["requests_per_second"] =
        benchmark::Counter(double(lines), benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(lines);
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_CreateGDTSymbol)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RotateGDTSymbol)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoCreate)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplayCreateLines)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
