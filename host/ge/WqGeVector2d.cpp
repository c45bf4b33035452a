#include "ge/WqGeVector2d.h"

#include <cmath>
#include <numbers>

double WqGeVector2d::length() const {
    return std::hypot(x, y);
}

WqGeVector2d WqGeVector2d::normal(const WqGeTol& tol) const {
    const double len = length();
    if (len <= tol.equalVector()) return {};
    return {x / len, y / len};
}

WqGeVector2d& WqGeVector2d::normalize(const WqGeTol& tol) {
    return *this = normal(tol);
}

bool WqGeVector2d::isZeroLength(const WqGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool WqGeVector2d::isEqualTo(const WqGeVector2d& v, const WqGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}

bool WqGeVector2d::isParallelTo(const WqGeVector2d& v, const WqGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
    // Compared on unit vectors so the test does not depend on the vectors' lengths.
    return std::abs(normal(tol).crossProduct(v.normal(tol))) <= tol.equalVector();
}

bool WqGeVector2d::isPerpendicularTo(const WqGeVector2d& v, const WqGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
    return std::abs(normal(tol).dotProduct(v.normal(tol))) <= tol.equalVector();
}

double WqGeVector2d::angle() const {
    const double a = std::atan2(y, x);
    // atan2 gives -pi for a negative-zero y; keep the range half-open at -pi.
    return a == -std::numbers::pi ? std::numbers::pi : a;
}

double WqGeVector2d::angleTo(const WqGeVector2d& v) const {
    // atan2 of |cross| and dot stays accurate near 0 and pi, where acos of the dot does not.
    return std::atan2(std::abs(crossProduct(v)), dotProduct(v));
}
