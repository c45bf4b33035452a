#include "ge/WqGePoint3d.h"

#include "ge/WqGeMatrix3d.h"

double WqGePoint3d::distanceTo(const WqGePoint3d& p) const {
    return (*this - p).length();
}

bool WqGePoint3d::isEqualTo(const WqGePoint3d& p, const WqGeTol& tol) const {
    return distanceTo(p) <= tol.equalPoint();
}

WqGePoint3d& WqGePoint3d::transformBy(const WqGeMatrix3d& m) {
    return *this = m * *this;
}
