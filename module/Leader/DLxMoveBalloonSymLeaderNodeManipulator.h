#pragma once
// Drags the hot points of a balloon. A leader end that changes between free and attached gets
// the plain arrowhead its new state calls for; the leader's root drags the balloon, lining it
// up with another balloon it passes over; the stack handle turns the stack of entries in
// quarter turns. Other hot points drag as any symbol's do.
#include <cstdint>

#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "ge/WqGeVector3d.h"

class DLxBalloonSymInstance;

class DLxMoveBalloonSymLeaderNodeManipulator : public DLxMoveSymLeaderNodeManipulator {
public:
    // The arrowhead of an end whose attachment the drag changed.
    static constexpr int32_t kResetArrowType = 16;
    // How near the cursor must come to another balloon's root line to line up with it.
    static constexpr double kAlignTolerance = 2.0;

    // `arrow` is the arrowhead (branch) index of the picked item.
    DLxMoveBalloonSymLeaderNodeManipulator(const RSeRef<DLxBalloonSymInstance>& balloon,
                                           int32_t kind, int32_t leader, int32_t arrow,
                                           int32_t node, FWxSelection* selection,
                                           FWxSceneDoc* doc = nullptr);

    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    bool EndDrag(const WqGePoint3d& point) override;
    std::string GetManipulatorName() const override {
        return "DLxMoveBalloonSymLeaderNodeManipulator";
    }

    int32_t GetArrowIndex() const { return m_arrow; }
    bool StartedFree() const { return m_startedFree; }
    const WqGeVector3d& GetStackDirection() const { return m_direction; }

private:
    bool OwnKind() const;
    void DragEnd(DLxSymInstance* sym, const WqGePoint3d& current);
    void DragRoot(DLxSymInstance* sym, const WqGePoint3d& current);
    void TurnStack(DLxSymInstance* sym, const WqGePoint3d& current);

    bool m_startedFree = true;
    int32_t m_arrowType = kResetArrowType;
    int32_t m_arrow;
    WqGeVector3d m_direction;
};
