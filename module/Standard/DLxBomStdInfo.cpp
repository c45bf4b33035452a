#include "Standard/DLxBomStdInfo.h"

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

DLxBomStdInfo::EDirection DLxBomStdInfo::BalloonDirection(const WqGePoint3d& a,
                                                          const WqGePoint3d& b) {
    return (a - b).dotProduct(WqGeVector3d::kXAxis) >= 0.0 ? kRight : kLeft;
}

DLxBomStdInfo::EDirection DLxBomStdInfo::FlipDirection(EDirection d) {
    return static_cast<EDirection>(d >= kRight ? d - kRight : d + kRight);
}
