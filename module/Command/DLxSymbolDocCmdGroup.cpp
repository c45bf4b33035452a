#include "Command/DLxSymbolDocCmdGroup.h"

#include "BofM/DLxOpenBOMEditorCmd.h"
#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListConvertToBomCmd.h"
#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxPartListExportCmd.h"
#include "BofM/DLxPartListPushbackIDsCmd.h"
#include "BofM/DLxPartListUpdateCmd.h"
#include "Command/DLxArrowheadEditCmd.h"
#include "Command/DLxCenterDatumEditCmd.h"
#include "Command/DLxDatumTargetAttachCmd.h"
#include "Command/DLxDatumTargetCmd.h"
#include "Command/DLxDatumTargetEditCmd.h"
#include "Command/DLxDatumTargetHideLeaderCmd.h"
#include "Command/DLxExtendSymbolContextCmd.h"
#include "Command/DLxSymbolContextCmd.h"
#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteCmd.h"
#include "GeneralNote/DLxNoteLocationCmd.h"
#include "Request/DLxSortSketchedSymbolsRequest.h"

// Messages reach the commands in this order, so it is kept as it is: an earlier command that
// handles an id hides the later ones from it.
DLxSymbolDocCmdGroup::DLxSymbolDocCmdGroup(FWxSceneDoc* doc) : FWxDocCommandGroup(doc) {
    Add(new DLxExtendSymbolContextCmd(doc));
    Add(new DLxSymbolContextCmd(doc));
    Add(new DLxDatumTargetEditCmd(doc));
    Add(new DLxDatumTargetHideLeaderCmd(doc));
    Add(new DLxDatumTargetAttachCmd(doc));
    Add(new DLxPartListCmd(doc));
    Add(new DLxPartListEditCmd(doc));
    Add(new DLxPartListUpdateCmd(doc));
    Add(new DLxPartListExportCmd(doc));
    Add(new DLxPartListConvertToBomCmd(doc));
    Add(new DLxDatumTargetCircleCmd(doc));
    Add(new DLxDatumTargetLeaderCmd(doc));
    Add(new DLxDatumTargetLineCmd(doc));
    Add(new DLxDatumTargetPointCmd(doc));
    Add(new DLxDatumTargetRectCmd(doc));
    Add(new DLxGeneralNoteCmd(doc));
    Add(new DLxGeneralNoteTextEditCmd(doc));
    Add(new DLxArrowheadEditCmd(doc));
    Add(new DLxDatumTargetRemoveCmd(doc));
    Add(new DLxPartListContextCmd(doc));
    Add(new DLxCopyPasteGeneralNoteCmd(doc));
    Add(new DLxNoteLocationCmd(doc));
    Add(new DLxCenterDatumEditCmd(doc));
    Add(new DLxOpenBOMEditorCmd(doc));
    Add(new DLxPartListPushbackIDsCmd(doc));
    Add(new DLxSortSketchedSymbolsCmd(doc));
}
