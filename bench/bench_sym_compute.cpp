// Compute of placed symbols: a sheet of 10 000 symbols of two leaders each, computed whole,
// and one symbol moved and recomputed on that sheet (which should not cost more with more
// symbols around it).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/DLxSymInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxSymState.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayItem.h"

namespace {

// A symbol that draws a box and a text, as the smallest real kinds do.
class BenchSymState : public DUxSymState {
public:
    BenchSymState() = default;
    explicit BenchSymState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t, const UTxGUID&,
                     bool, int32_t) override {
        WqArray<WqGePoint3d> box;
        box.append({-2, -1, 0});
        box.append({2, -1, 0});
        box.append({2, 1, 0});
        box.append({-2, 1, 0});
        symbolList.Append(std::make_unique<SMxPolylineItem>(box, true));
        textList.Append(std::make_unique<SMxTextItem>(u"B7", WqGePoint3d(), WqGeVector3d::kXAxis,
                                                      1.0, SMxTextAlign::MiddleCenter));
    }
};

class BenchSym : public DLxSymInstance {
public:
    BenchSym(RDxFragment* fragment, DUxSymState* state) : DLxSymInstance(fragment, state) {}
    explicit BenchSym(const RSeStream* s) : DLxSymInstance(s) {}
    RSeMetaType* GetMeta() const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override { return nullptr; }
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override { return nullptr; }
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override { return nullptr; }
};

void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x5a11e002, 0x00010001, 0x80000000, 0x00000001);
}
void SymGuid(UTxGUID& g) {
    g = UTxGUID(0x5a11e002, 0x00010001, 0x80000000, 0x00000002);
}
RSeMetaType* StateMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<BenchSymState>(u"BenchSymState", &StateGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* SymMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<BenchSym>(u"BenchSym", &SymGuid, 0, RSeMetaType::kClass,
                              RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* BenchSymState::GetMeta() const {
    return StateMeta();
}
RSeMetaType* BenchSym::GetMeta() const {
    return SymMeta();
}

// A sheet with one view of 100 edges and `count` symbols, each with two leaders ending on two
// of the edges; computed once.
struct Sheet {
    explicit Sheet(int count) {
        sheet = doc.CreateSheet(u"Big", 1189, 841);
        view = sheet->CreateView(u"V");
        view->SetViewCenter({600, 420, 0});
        std::vector<DLxViewEdge> edges;
        for (int e = 0; e < 100; ++e)
            edges.push_back(
                DLxViewEdge::Line(e + 1, {-500.0 + 10 * e, -300, 0}, {-500.0 + 10 * e, 300, 0}));
        view->SetEdges(std::move(edges));
        generator = DLxTerminalNodeGenerator::Create(sheet);
        for (int i = 0; i < count; ++i) {
            auto* state = new (StateMeta(), sheet->GetSegment()) BenchSymState();
            sheet->AddNode(state);
            auto* sym = new (SymMeta(), sheet->GetSegment()) BenchSym(sheet, state);
            const WqGePoint3d root(100.0 + (i % 100) * 10, 120.0 + (i / 100) * 6, 0);
            for (int l = 0; l < 2; ++l) {
                DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(sheet, generator, {});
                auto* end = dynamic_cast<DLxTerminalLeaderNode*>(tree->GetRoot());
                end->GetAnchorPoint()->AttachToEdge(view, (i + l * 7) % 100 + 1, 0.1 + 0.8 * l);
                tree->InsertNode(end, root);
                sym->AppendLeader(tree);
            }
            state->SetOrigin(sym->GetFirstAnchor()->GetPoint());
            symbols.push_back(sym);
        }
        Recompute();
        Recompute(); // what the first pass set settles
    }
    void Recompute() {
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    DLxTerminalNodeGenerator* generator = nullptr;
    std::vector<BenchSym*> symbols;
};

void BM_ComputeSheetOfSymbols(benchmark::State& state) {
    Sheet s(int(state.range(0)));
    for (auto _ : state) {
        for (BenchSym* sym : s.symbols)
            sym->MarkEdited();
        s.Recompute();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ComputeSheetOfSymbols)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RecomputeOneSymbol(benchmark::State& state) {
    Sheet s(int(state.range(0)));
    BenchSym* sym = s.symbols[s.symbols.size() / 2];
    DUxLeaderNode* root = sym->GetLeader(0)->GetRoot();
    const WqGePoint3d home = root->GetPoint();
    int step = 0;
    for (auto _ : state) {
        root->SetPoint(home + WqGeVector3d(0, (++step % 2) * 0.5, 0));
        sym->GetLeader(0)->MarkEdited();
        s.Recompute();
    }
}
BENCHMARK(BM_RecomputeOneSymbol)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
