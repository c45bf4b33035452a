#pragma once
// The document's annotation commands: made with the group, owned by it.
#include "fw/FWxDocCmd.h"

class DLxSymbolDocCmdGroup : public FWxDocCommandGroup {
public:
    explicit DLxSymbolDocCmdGroup(FWxSceneDoc* doc);
};
