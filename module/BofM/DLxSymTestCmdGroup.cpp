#include "BofM/DLxSymTestCmdGroup.h"

#include "fw/FWxSceneDoc.h"
#include "uc/UCxUtil.h"

DLxSymTestCmdGroup::DLxSymTestCmdGroup(FWxSceneDoc* doc, int32_t option) : FWxDocCommandGroup(doc) {
    if (!UCxUtil::AllowTestToolbar() || !doc) return;
    doc->AddCommand(new DLxDbgStructMgrCmd(doc, 1));
    doc->AddCommand(new DLxBomTestCmd(doc, 1));
    (void)option;
}
