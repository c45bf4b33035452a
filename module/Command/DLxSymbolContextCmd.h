#pragma once
// The Done, Cancel and Undo items of the leader context menu that a datum-target placement
// shows while the user picks leader points. The items act on the command that showed the menu
// last (DLxDatumTargetCmd::GetActiveSymbolLeaderCmd); with none running they do nothing.
#include <cstdint>

#include "fw/FWxDocCmd.h"

struct FWxCmdUI;

class DLxSymbolContextCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCancelId = 44093;
    static constexpr int32_t kDoneId = 44094;
    static constexpr int32_t kUndoId = 44097;

    explicit DLxSymbolContextCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}
    ~DLxSymbolContextCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;

private:
    void OnDone();
    void OnCancel();
    void OnUndo();
    void OnUpdateDone(FWxCmdUI& ui);
    void OnUpdateUndo(FWxCmdUI& ui);
};
