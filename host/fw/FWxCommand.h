#pragma once
// A command of the user interface. Messages reach it through one routing operation, as in the
// host's command targets: a command id with code kCommand runs it, with code kUpdateUI it
// reports whether its entry is enabled (extra: an FWxCmdUI), and code kNotify carries a
// notification whose extra data the sender chose. A target answers whether it handled the
// message; an unhandled one goes on to the next target of the route.
#include <cstdint>

#include "Afx.h"

namespace FWxCmd {
constexpr int32_t kCommand = 0;
constexpr int32_t kUpdateUI = -1;
constexpr int32_t kNotify = 0xFFFF;
} // namespace FWxCmd

// What the user interface shows of a command's entry.
struct FWxCmdUI {
    int32_t id = 0;
    bool enabled = false;
    // A check mark beside the entry.
    bool checked = false;
    void Enable(bool on) { enabled = on; }
    void SetCheck(bool on) { checked = on; }
};

class FWxCommand : public CCmdTarget {
public:
    ~FWxCommand() override;
    // The routing of one message; the base handles nothing.
    virtual bool OnCmdMsg(int32_t id, int32_t code, void* extra);
    // What the base does for its command id: a state command starts its root state.
    virtual void OnCommand() {}
    // The host's own enabling: an entry is enabled unless a subclass says otherwise.
    virtual void OnUpdateCommand(FWxCmdUI& ui) { ui.Enable(true); }
};
