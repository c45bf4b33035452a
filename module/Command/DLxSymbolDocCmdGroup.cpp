#include "Command/DLxSymbolDocCmdGroup.h"

#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxPartListExportCmd.h"

// Each annotation command is added here as its kind is built.
DLxSymbolDocCmdGroup::DLxSymbolDocCmdGroup(FWxSceneDoc* doc) : FWxDocCommandGroup(doc) {
    Add(new DLxPartListCmd(doc));
    Add(new DLxPartListEditCmd(doc));
    Add(new DLxPartListExportCmd(doc));
    Add(new DLxPartListContextCmd(doc));
}
