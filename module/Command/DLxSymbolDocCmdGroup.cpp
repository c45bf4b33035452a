#include "Command/DLxSymbolDocCmdGroup.h"

// Each annotation command is added here as its kind is built.
DLxSymbolDocCmdGroup::DLxSymbolDocCmdGroup(FWxSceneDoc* doc) : FWxDocCommandGroup(doc) {}
