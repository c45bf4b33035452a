#include "Leader/DLxSurfTXTEditor.h"

#include <vector>

#include "Command/DLxSurfTXTDialog.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "du/DUxSurfTXTState.h"
#include "fb/FBxLayerStyle.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

DLxSurfTXTEditor::DLxSurfTXTEditor(const RSeRefBase& symbol, FWxSelection* selection)
    : DLxInstanceManipulator(symbol, kSelectionClass, selection) {}

DLxSurfTXTInstance* DLxSurfTXTEditor::GetStoredSymbol() const {
    return dynamic_cast<DLxSurfTXTInstance*>(GetInstance());
}

DLxSurfTXTInstance* DLxSurfTXTEditor::GetWorkingSymbol() const {
    return dynamic_cast<DLxSurfTXTInstance*>(GetClonedInstance());
}

bool DLxSurfTXTEditor::StartDialog() {
    const RSeRef<DLxSurfTXTInstance> stored(GetStoredSymbol());
    if (!stored.HasTarget()) return false;
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !doc->PermittedCommand(kClassification)) return true;
    // The dialog edits a copy: the stored symbol changes only through the request.
    if (!DLxInstanceManipulator::StartDrag({})) return true;
    DLxSurfTXTInstance* working = GetWorkingSymbol();
    DUxSurfTXTState* state = working ? working->GetSurfTXTState() : nullptr;
    if (!state) {
        DiscardPreview();
        return true;
    }
    DLxSurfTXTDialog dialog(state, nullptr);
    const int32_t result = dialog.DoModal();
    if (result == DLxSurfTXTDialog::kIdOK) {
        std::vector<UTxString16> values;
        for (int32_t v = 0; v < DUxSurfTXTState::kValueCount; ++v)
            values.push_back(state->GetValue(v));
        DLxCreateSurfTXTRequest::Flags flags;
        flags.allAround = state->IsAllAround();
        flags.majority = state->IsMajority();
        flags.forcedTail = state->IsForcedTail();
        flags.displayLeader = state->GetHasLeader();
        flags.autoAdjustment = state->GetAutoAdjustment();
        // The document's active style and layer when the user chose them; otherwise the
        // symbol keeps its own (an edit must not take its layer away).
        RSeRef<DUxSurfaceTextureStyle> style(
            dynamic_cast<DUxSurfaceTextureStyle*>(DUxStyleUtil::GetDocActiveStyle(doc)));
        FBxLayerStyle* layer = DUxStyleUtil::GetDocActiveLayer(doc);
        if (!layer) {
            RSeReadOnlyScope reading;
            layer = DUxStyleUtil::GetLayerStyle(stored.Read()->GetSurfTXTState());
        }
        SmartPtr<FWxChangeRequest> request(new DLxCreateSurfTXTRequest(
            stored, values, working->GetSymbolOrigin(), state->GetSubType(),
            state->GetOrientation(), state->GetAngle(), flags, style,
            RSeRef<FBxLayerStyle>(layer)));
        // A refusal says why in its result; the dialog has ended either way.
        (void)doc->ProcessChangeRequest(request);
    }
    DiscardPreview();
    return true;
}
