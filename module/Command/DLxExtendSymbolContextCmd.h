#pragma once
// Fills the context menu that the host builds for the current selection with the annotation
// items: a datum target's edit, leader and balloon items (one pop-up item per attached balloon),
// a general note's edit items, a parts list's items (with the bill-of-materials editor or the
// conversion of an older bill where they apply), and, for several general notes that share
// their text, the item that links them.
#include <cstdint>

#include "fw/FWxDocCmd.h"

class FWxCtxMenuExtender;

class DLxExtendSymbolContextCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 44085;
    // The host's notification that a context menu is being built (extra: FWxCtxMenuExtender).
    static constexpr int32_t kExtendMenuNotification = 35824;

    explicit DLxExtendSymbolContextCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}
    ~DLxExtendSymbolContextCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    // Always 0: the host goes on to the other libraries' extenders.
    int32_t ExtendContextMenu(FWxCtxMenuExtender* extender);

    // The item of attached balloon `balloon` (2 to 19) of a datum target.
    static int32_t BalloonItemId(int32_t balloon);
};
