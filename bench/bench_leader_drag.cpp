// One step of a leader-node drag on a sheet of 100 to 10 000 feature control frames made by
// their real requests: the cursor moves, the preview copy of the dragged frame changes and is
// recomputed, and its display list is drawn anew. Steps of a free leader end (with the search
// for an edge to snap to) and of a leader bend. A step works on the copy alone, so its cost
// should stay flat as the sheet grows; the goal is under 2 ms a step at 10 000 frames.
#include <benchmark/benchmark.h>

#include "BenchFrameSheet.h"
#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "sm/SMxDisplayList.h"

namespace {

using namespace BenchFrames;

void DragSteps(benchmark::State& state, int32_t kind, int32_t node, const WqGePoint3d& from) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    DLxMoveSymLeaderNodeManipulator m(RSeRef<DLxSymInstance>(s.turned.get()), kind, 0, node,
                                      nullptr);
    if (!m.StartDrag(from)) {
        state.SkipWithError("the drag did not start");
        return;
    }
    size_t step = 0;
    size_t items = 0;
    for (auto _ : state) {
        // Back and forth across an edge, so that half the steps snap and half do not.
        const double dx = double(step % 16) * 0.5;
        if (!m.Drag({from.x + dx - 4.0, from.y + 15.0, 0})) {
            state.SkipWithError("a step failed");
            break;
        }
        const SMxDisplayList* list = m.GetPreviewDisplayList();
        items += list ? size_t(list->Count()) : 0;
        ++step;
    }
    benchmark::DoNotOptimize(items);
    m.CancelDrag();
}

void BM_DragLeaderEnd(benchmark::State& state) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    DLxGDTInstance* frame = s.turned.get();
    DUxLeaderNodeTree* tree = frame ? frame->GetLeader(0) : nullptr;
    if (!tree || !tree->GetTerminalNode(0)) {
        state.SkipWithError("no leader");
        return;
    }
    const int32_t end = tree->GetTerminalNode(0)->GetNodeId();
    DragSteps(state, DUxLeaderNodeTree::kAnchorItem, end, tree->GetTerminalNode(0)->GetPoint());
}

void BM_DragLeaderRoot(benchmark::State& state) {
    FrameSheet& s = SheetOf(int(state.range(0)));
    DLxGDTInstance* frame = s.turned.get();
    DUxLeaderNodeTree* tree = frame ? frame->GetLeader(0) : nullptr;
    if (!tree || !tree->GetRoot()) {
        state.SkipWithError("no leader");
        return;
    }
    DragSteps(state, DUxLeaderNodeTree::kLeaderNodeItem, tree->GetRoot()->GetNodeId(),
              tree->GetRoot()->GetPoint());
}

BENCHMARK(BM_DragLeaderEnd)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragLeaderRoot)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
