#pragma once
// Base of the commands that edit a selected annotation: the command posts one request when
// the user confirms (PostEditRequest) and finds its annotation in the document's selection.
#include "fw/FWxDocCmd.h"

class DLxSymbolEditCmd : public FWxDocCmd {
public:
    explicit DLxSymbolEditCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}
    // Hands the edit to the document; false when there was nothing to hand over with.
    virtual bool PostEditRequest() = 0;
};
