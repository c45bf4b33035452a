#include "Command/DLxSymbolDocCmdGroup.h"

#include "BofM/DLxPartListCmd.h"

// Each annotation command is added here as its kind is built.
DLxSymbolDocCmdGroup::DLxSymbolDocCmdGroup(FWxSceneDoc* doc) : FWxDocCommandGroup(doc) {
    Add(new DLxPartListCmd(doc));
    Add(new DLxPartListContextCmd(doc));
}
