// Lays out and emits a three-line feature control frame with datums: time per frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "Standard/DLxCfcfImp.h"
#include "Symbol/DLxGDTState.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"

namespace {

void BM_FcfLayoutThreeLines(benchmark::State& state) {
    FWxSceneDoc doc;
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    auto* style = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), seg)
        DUxFeatureControlFrameStyle();
    style->SetTextStyle(DUxTextStyleWrapper(1, 2, 3.5));
    style->SetWhiteSpace(0.1);
    style->SetEndPadding(true);
    auto* gdt = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)), seg)
        DLxGDTState(RSeRef<RDxFragment>());
    const DUxFeatureControlFrameStyleWrapper wrapper{RSeRef<DUxFeatureControlFrameStyle>(style),
                                                     RSeRef<RDxObject>(gdt)};
    for (auto _ : state) {
        DLxCfcfImpSymbol lay(wrapper);
        for (int i = 0; i < 3; ++i)
            lay.AddLine()->m_symbolLine = i == 0;
        lay.AddCompositeSymbolBoxes(10, 10, true, 0, &doc);
        lay.AddCompositeSymbolBoxes(10, 9, true, 1, &doc);
        lay.AddCompositeTextBoxes(u"{\\FKVGDT.TTF;n}0.2{\\FKVGDT.TTF;m}", u"0.1", true, 0, &doc,
                                  false);
        lay.AddCompositeTextBoxes(u"0.1", u"0.05", true, 1, &doc, false);
        lay.AddCompositeTextBoxes(u"A", u"A", true, 0, &doc, false);
        lay.AddCompositeTextBoxes(u"A", u"B", true, 1, &doc, false);
        lay.AddCompositeTextBoxes(u"B{\\FKVGDT.TTF;m}", u"C", true, 0, &doc, false);
        lay.AddCompositeTextBoxes(u"C", u"D", true, 1, &doc, false);
        DUxCAuxEntArray first, second;
        lay.GenerateEntities(first, second);
        benchmark::DoNotOptimize(second.GetSize());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FcfLayoutThreeLines);

} // namespace

BENCHMARK_MAIN();
