#include "Leader/DLxWeldEditor.h"

#include "Welding/DLxWeldInstance.h"
#include "fw/FWxSceneDoc.h"

bool DLxWeldEditor::StartDialog() {
    if (!dynamic_cast<DLxWeldInstance*>(GetInstance())) return false;
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !doc->PermittedCommand(kClassification)) return true;
    // The copy only confirms that the symbol can be edited as a weld symbol; the host's command
    // works on the selection.
    if (DLxInstanceManipulator::StartDrag({}) && dynamic_cast<DLxWeldInstance*>(GetClonedInstance()))
        doc->PostCommand(kEditCommand);
    DiscardPreview();
    return true;
}
