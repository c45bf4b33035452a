#pragma once
// Drags the leader nodes of placed symbols; the balloon kind keeps its balloon group together.
// (The drag behaviour is filled in with the leader-node manipulators.)
#include <cstdint>

#include "Leader/DLxInstanceManipulator.h"
#include "rse/RSeRef.h"

class DLxSymInstance;
class DLxBalloonSymInstance;
class SMxSelection;

class DLxMoveSymLeaderNodeManipulator : public DLxInstanceManipulator {
public:
    DLxMoveSymLeaderNodeManipulator(const RSeRefBase& symbol, int32_t itemId,
                                    SMxSelection* selection, double x, double y, double z);
    const RSeRefBase& GetSymbol() const { return m_symbol; }
    int32_t GetItemId() const { return m_itemId; }
    SMxSelection* GetSelection() const { return m_selection; }
    const double* GetPickPoint() const { return m_pick; }

private:
    RSeRefBase m_symbol;
    int32_t m_itemId;
    SMxSelection* m_selection;
    double m_pick[3];
};

class DLxMoveBalloonSymLeaderNodeManipulator : public DLxMoveSymLeaderNodeManipulator {
public:
    DLxMoveBalloonSymLeaderNodeManipulator(const RSeRefBase& balloon, int32_t itemId,
                                           SMxSelection* selection, double x, double y, double z);
};
