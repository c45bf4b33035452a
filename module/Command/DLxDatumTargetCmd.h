#pragma once
// The datum-target placement commands, headless: the user picks the target (and, for a line,
// a circle or a rectangle, its second point), then the leader's vertices out to the balloon, and
// finishes with Done or Enter; the command then posts "CreateDatumTarget" with the transient
// target it built and starts over, until it ends. Picks come as the sheet point and the intent
// the inference found there; cursor moves preview the transient target.
//
//   DLxDatumTargetCircleCmd  4 circular area    40041
//   DLxDatumTargetLeaderCmd  0 leader end only  40042
//   DLxDatumTargetLineCmd    3 line             40043
//   DLxDatumTargetPointCmd   2 point            40044
//   DLxDatumTargetRectCmd    5 rectangular area 40045
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxDocCmd.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxDatumTarget;
class DLxDatumTargetBalloonEdit;
class RDxFragment;

class DLxDatumTargetCmd : public FWxDocCmd {
public:
    // The leader context menu; the command whose menu was shown last answers its items.
    static constexpr int32_t kLeaderMenuId = 7545;
    // A leader vertex nearer than this many balloon sizes to the one before is dropped.
    static constexpr double kMinLeaderSpacing = 1.25;

    DLxDatumTargetCmd(FWxSceneDoc* doc, int32_t targetType, int32_t commandId);
    ~DLxDatumTargetCmd() override;
    int32_t GetTargetType() const { return m_type; }
    int32_t GetCommandId() const { return m_commandId; }

    // Notifications (code 0xFFFF) of the leader picking: Done, Cancel and Undo.
    static constexpr int32_t kDoneNotification = 3224;
    static constexpr int32_t kCancelNotification = 3225;
    static constexpr int32_t kUndoNotification = 3226;

    // Its command id starts it; while it runs, the notifications above reach it.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override { OnInitialize(); }

    // Starts the placements: a transient target of the command's type; false without one.
    bool OnInitialize();
    // Ends them: the transient target goes, and the command no longer answers the menu.
    void OnTerminate();
    bool IsActive() const { return m_transient != nullptr; }

    // A click at `point`; the first defines the target (its intent is where the target hangs).
    void Pick(const WqGePoint3d& point, const DLxIntent& intent);
    // The cursor at `point`: the transient target follows it as the next pick would place it.
    void MoveCursor(const WqGePoint3d& point);
    // The leader reaches from the target to a balloon position.
    bool CanFinish() const;
    // Done or Enter: places the target when it can, opens the balloon text dialog on it (OK
    // gives it the texts) and starts over; true when one was placed.
    bool Done();
    // Takes back the last leader vertex; with only the target's own left, the target itself.
    void UndoLastPoint();
    // Before the leader menu shows: this command answers its items.
    void OnPrepareContextMenu(int32_t menuId);
    static DLxDatumTargetCmd* GetActiveSymbolLeaderCmd() { return s_activeLeaderCmd; }
    // Whether the leader menu's Done is enabled: cleared when the menu shows before the leader
    // can finish, set again once the menu has read it.
    static bool s_bSymbolLeaderDoneEnabled;

    DLxDatumTarget* GetTransient() const { return m_transient; }
    // The target the last Done placed.
    const RSeRef<DLxDatumTarget>& GetCreated() const { return m_created; }

private:
    void Restart();
    void Discard();
    // The transient target's leader through the vertices, balloon end first, its shape from
    // the picks.
    void Rebuild(const std::vector<WqGePoint3d>& vertices);
    // Where the leader starts on the target once the target is defined.
    WqGePoint3d LeaderStart() const;

    static DLxDatumTargetCmd* s_activeLeaderCmd;

    int32_t m_type;
    int32_t m_commandId;
    RDxFragment* m_fragment = nullptr;
    DLxDatumTarget* m_transient = nullptr;
    RSeRef<DLxDatumTarget> m_created;
    DLxIntent m_intent;
    // The picks that define the target: its origin, then its second point.
    std::vector<WqGePoint3d> m_targetPicks;
    // The leader's vertices from the target out to the balloon.
    std::vector<WqGePoint3d> m_vertices;
    // While the balloon text dialog of a placed target is open.
    DLxDatumTargetBalloonEdit* m_edit = nullptr;
};

class DLxDatumTargetCircleCmd : public DLxDatumTargetCmd {
public:
    explicit DLxDatumTargetCircleCmd(FWxSceneDoc* doc) : DLxDatumTargetCmd(doc, 4, 40041) {}
};
class DLxDatumTargetLeaderCmd : public DLxDatumTargetCmd {
public:
    explicit DLxDatumTargetLeaderCmd(FWxSceneDoc* doc) : DLxDatumTargetCmd(doc, 0, 40042) {}
};
class DLxDatumTargetLineCmd : public DLxDatumTargetCmd {
public:
    explicit DLxDatumTargetLineCmd(FWxSceneDoc* doc) : DLxDatumTargetCmd(doc, 3, 40043) {}
};
class DLxDatumTargetPointCmd : public DLxDatumTargetCmd {
public:
    explicit DLxDatumTargetPointCmd(FWxSceneDoc* doc) : DLxDatumTargetCmd(doc, 2, 40044) {}
};
class DLxDatumTargetRectCmd : public DLxDatumTargetCmd {
public:
    explicit DLxDatumTargetRectCmd(FWxSceneDoc* doc) : DLxDatumTargetCmd(doc, 5, 40045) {}
};
