// 1 000 small change requests processed and then undone, on documents of 1 000 and of 100 000
// stored objects, per request. Aim: the cost at 100 000 objects within 2x of that at 1 000.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchStoredClasses.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeSegment.h"

namespace {

// Moves a value along one object and its neighbour.
class NudgeRequest : public FWxChangeRequest {
public:
    explicit NudgeRequest(RSeRef<BenchNode> node) : m_node(std::move(node)) {}
    UTxResult _Execute(FWxSceneDoc*) override {
        m_node->m_value += 1;
        m_node->m_next->m_weight += 0.5;
        return {};
    }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    RSeRef<BenchNode> m_node;
};

void BM_ProcessAndUndo(benchmark::State& state) {
    const int objects = int(state.range(0));
    constexpr int kRequests = 1000;
    FWxSceneDoc doc;
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    std::vector<BenchNode*> nodes;
    for (int i = 0; i < objects; ++i) {
        auto* n = new (BenchMeta(), seg) BenchNode();
        n->m_value = i;
        n->m_codes = {i, i + 1, i + 2};
        nodes.push_back(n);
    }
    for (int i = 0; i < objects; ++i)
        nodes[i]->m_next = nodes[(i + 1) % objects];
    for (auto _ : state) {
        for (int k = 0; k < kRequests; ++k) {
            SmartPtr<FWxChangeRequest> req(new NudgeRequest(nodes[(k * 7919) % objects]));
            doc.ProcessChangeRequest(req);
        }
        for (int k = 0; k < kRequests; ++k)
            doc.Undo();
    }
    state.counters["per_request"] =
        benchmark::Counter(double(state.iterations()) * kRequests,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ProcessAndUndo)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
