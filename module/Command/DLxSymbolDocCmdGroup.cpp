#include "Command/DLxSymbolDocCmdGroup.h"

#include "BofM/DLxOpenBOMEditorCmd.h"
#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListConvertToBomCmd.h"
#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxPartListExportCmd.h"
#include "BofM/DLxPartListPushbackIDsCmd.h"
#include "BofM/DLxPartListUpdateCmd.h"
#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteCmd.h"
#include "GeneralNote/DLxNoteLocationCmd.h"
#include "Request/DLxSortSketchedSymbolsRequest.h"
#include "Command/DLxDatumTargetCmd.h"
#include "Command/DLxDatumTargetEditCmd.h"
#include "Command/DLxDatumTargetHideLeaderCmd.h"

// Each annotation command is added here as its kind is built.
DLxSymbolDocCmdGroup::DLxSymbolDocCmdGroup(FWxSceneDoc* doc) : FWxDocCommandGroup(doc) {
    Add(new DLxPartListCmd(doc));
    Add(new DLxPartListEditCmd(doc));
    Add(new DLxPartListUpdateCmd(doc));
    Add(new DLxPartListExportCmd(doc));
    Add(new DLxPartListConvertToBomCmd(doc));
    Add(new DLxPartListContextCmd(doc));
    Add(new DLxOpenBOMEditorCmd(doc));
    Add(new DLxPartListPushbackIDsCmd(doc));
    // General notes.
    Add(new DLxGeneralNoteCmd(doc));
    Add(new DLxGeneralNoteTextEditCmd(doc));
    Add(new DLxCopyPasteGeneralNoteCmd(doc));
    Add(new DLxNoteLocationCmd(doc));
    Add(new DLxSortSketchedSymbolsCmd(doc));
    // Datum targets.
    Add(new DLxDatumTargetCircleCmd(doc));
    Add(new DLxDatumTargetLeaderCmd(doc));
    Add(new DLxDatumTargetLineCmd(doc));
    Add(new DLxDatumTargetPointCmd(doc));
    Add(new DLxDatumTargetRectCmd(doc));
    Add(new DLxDatumTargetEditCmd(doc));
    Add(new DLxDatumTargetHideLeaderCmd(doc));
}
