#include "ge/WqGePoint2d.h"

double WqGePoint2d::distanceTo(const WqGePoint2d& p) const {
    return (*this - p).length();
}

bool WqGePoint2d::isEqualTo(const WqGePoint2d& p, const WqGeTol& tol) const {
    return distanceTo(p) <= tol.equalPoint();
}
