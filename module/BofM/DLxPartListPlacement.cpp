#include "BofM/DLxPartListPlacement.h"

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "ge/WqGePoint3d.h"

bool DLxPartListPlacement::PlaceModelPartsLists(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawingDoc) return false;
    const std::vector<DLxDrawingDoc::PartsListPlacement> placements =
        drawingDoc->TakePartsListPlacements();
    if (placements.empty()) return true;
    const DLxAssemblyData* assembly = drawingDoc->GetAssembly();
    if (!assembly) return false;
    // The structured bill when the model enables it, else the parts-only one.
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(drawingDoc->GetRSeDb(), *assembly, 1, true);
    if (!bom) bom = DLxLocalBOMMgr::GetLocalBOM(drawingDoc->GetRSeDb(), *assembly, 2, true);
    if (!bom) return false;
    RSeRef<DUxTableStylePartsList> style(DLxStdStyles::GetPartsListStyle(doc));
    for (const DLxDrawingDoc::PartsListPlacement& p : placements) {
        RSeRef<DLxPartListTable> table =
            DLxPartListTable::Create(p.sheet, WqGePoint3d(p.x, p.y, 0.0),
                                     RSeRef<DLxLocalBOM>(bom), style, RSeRef<FBxLayerStyle>());
        if (!table.get()) return false;
        if (p.hasTitle) table->SetTitle(p.title);
        table->RegisterAnnotation(p.sheet);
        table->SetPendingRefresh(true);
    }
    for (const DLxDrawingDoc::PartsListPlacement& p : placements) {
        RDxComputeContext ctx;
        p.sheet->Recompute(ctx);
    }
    return true;
}
