#include "Leader/DLxGDTEditor.h"

#include "Command/DLxGDTEditCmd.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "fw/FWxSceneDoc.h"

DLxGDTEditor::DLxGDTEditor(const RSeRefBase& symbol, FWxSelection* selection, FWxSceneDoc* doc)
    : DLxInstanceManipulator(symbol, kSelectionClass, selection, doc) {}

DLxGDTInstance* DLxGDTEditor::GetStoredSymbol() const {
    return dynamic_cast<DLxGDTInstance*>(GetInstance());
}

bool DLxGDTEditor::StartDialog() {
    DLxGDTInstance* stored = GetStoredSymbol();
    if (!stored) return false;
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !doc->PermittedCommand(kClassification)) return true;
    // The edit command's own run: the dialog on a copy, one edit request on OK. A refusal says
    // why in its result; the dialog has ended either way.
    (void)DLxGDTEditCmd::EditInstance(stored, doc);
    return true;
}
