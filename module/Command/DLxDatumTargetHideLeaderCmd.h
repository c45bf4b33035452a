#pragma once
// The context item that hides the selected datum target's leader, or shows it again
// ("DrawingDatumTargetHiddenLeaderLineCtxCmd"): it edits a transient copy of the target and
// posts "EditDatumTarget" with it. The item is checked while the leader is hidden.
#include "Command/DLxDatumTargetEditCmd.h"
#include "rse/RSeRef.h"

class DLxDatumTarget;
struct FWxCmdUI;

class DLxDatumTargetHideLeaderCmd : public DLxDatumTargetEditCmd {
public:
    static constexpr int32_t kCommandId = 44048;

    explicit DLxDatumTargetHideLeaderCmd(FWxSceneDoc* doc) : DLxDatumTargetEditCmd(doc) {}
    // Its own item only: the edit command before it in the group answers the balloon items.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    void OnUpdateCommand(FWxCmdUI& ui) override;
    bool PostEditRequest() override;

private:
    RSeRef<DLxDatumTarget> m_target;
    DLxDatumTarget* m_edited = nullptr;
};
