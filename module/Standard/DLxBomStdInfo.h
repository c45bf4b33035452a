#pragma once
// Stacking directions of balloons. A stack grows from its primary balloon: 0 to the left,
// 4 to the right, 2 and 6 upwards, 3 and 7 downwards. The 4-bit tells the leader's side: set
// when the leader arrives from the left, so that a horizontal stack grows away from it.
#include <cstdint>

class WqGePoint3d;

struct DLxBomStdInfo {
    enum EDirection : int32_t {
        kLeft = 0,
        kUp = 2,
        kDown = 3,
        kRight = 4,
        kUpRight = 6,
        kDownRight = 7,
    };

    // 4 when (a - b) points along +X or across it (a lies at or right of b), else 0.
    static EDirection BalloonDirection(const WqGePoint3d& a, const WqGePoint3d& b);
    // The direction on the leader's other side: codes 4 and above lose 4, the others gain 4.
    static EDirection FlipDirection(EDirection d);
};
