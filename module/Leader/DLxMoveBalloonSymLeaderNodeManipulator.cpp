#include "Leader/DLxMoveBalloonSymLeaderNodeManipulator.h"

DLxMoveSymLeaderNodeManipulator::DLxMoveSymLeaderNodeManipulator(const RSeRefBase& symbol,
                                                                 int32_t itemId,
                                                                 SMxSelection* selection, double x,
                                                                 double y, double z)
    : m_symbol(symbol), m_itemId(itemId), m_selection(selection), m_pick{x, y, z} {}

DLxMoveBalloonSymLeaderNodeManipulator::DLxMoveBalloonSymLeaderNodeManipulator(
    const RSeRefBase& balloon, int32_t itemId, SMxSelection* selection, double x, double y,
    double z)
    : DLxMoveSymLeaderNodeManipulator(balloon, itemId, selection, x, y, z) {}
