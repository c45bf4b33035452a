// Reading long transcript lines back: one request whose record is a vector of strings, each
// element under its own key (the way a frame writes its fields), read through the exchange a
// replay uses. Lines of 100 to 120 000 pairs; the cost per pair should stay flat (O(N)).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Request/DLxRequestUtil.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeIDed.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

class BenchFieldsRequest : public FWxChangeRequest {
public:
    UTxResult _Execute(FWxSceneDoc*) override { return {}; }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        int32_t version = 1;
        DLxRequestUtil::ExchangeVersion(tdx, version, 1);
        DLxTranscriptVector(tdx, u"Fields", m_fields, true,
                            [](UCxTranscriptDataExchange& t, const char16_t* k, UTxString16& e,
                               bool r) { _TDX_String(t, k, e, r); });
        // Absent from the line: asked for through the manager, as optional references are.
        TranscriptRSeRefArgument(tdx, u"Style", m_style, tdx.IsWriting());
        return tdx.GetResult();
    }

    std::vector<UTxString16> m_fields;
    RSeRef<RSeIDed> m_style;
};

// A line of `pairs` pairs: the version, the count and pairs - 2 fields.
UTxString16 MakeLine(int64_t pairs) {
    BenchFieldsRequest request;
    for (int64_t i = 0; i + 2 < pairs; ++i)
        request.m_fields.push_back(u"F" + UTx::MakeWideString(std::to_string(i)));
    FWxTranscriptMgr& mgr = FWxTranscriptMgr::Get();
    UTxString16 line;
    UTxResult r = mgr.PutDocRequestName(line, u"BenchFields");
    UCxTranscriptDataExchange tdx(line, r, nullptr, true);
    request.DoTranscriptDataExchange(tdx);
    if (r.Failed()) line.clear();
    return line;
}

void BM_ReadLongLine(benchmark::State& state) {
    const int64_t pairs = state.range(0);
    const UTxString16 line = MakeLine(pairs);
    if (line.empty()) {
        state.SkipWithError("the line could not be written");
        return;
    }
    for (auto _ : state) {
        BenchFieldsRequest request;
        UTxResult r = DLxRequestUtil::InitFromTranscriptWithoutDoc(request, line);
        if (r.Failed() || int64_t(request.m_fields.size()) != pairs - 2) {
            state.SkipWithError("the line did not read back");
            break;
        }
        benchmark::DoNotOptimize(request.m_fields.data());
    }
    state.SetComplexityN(pairs);
    state.counters["per_pair"] =
        benchmark::Counter(double(state.iterations()) * double(pairs),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ReadLongLine)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(20000)
    ->Arg(120000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
