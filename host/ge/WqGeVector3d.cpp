#include "ge/WqGeVector3d.h"

#include "ge/WqGeMatrix3d.h"

#include <cmath>
#include <numbers>

double WqGeVector3d::length() const {
    return std::sqrt(lengthSqrd());
}

WqGeVector3d WqGeVector3d::normal(const WqGeTol& tol) const {
    const double len = length();
    if (len <= tol.equalVector()) return {};
    return {x / len, y / len, z / len};
}

WqGeVector3d& WqGeVector3d::normalize(const WqGeTol& tol) {
    return *this = normal(tol);
}

WqGeVector3d WqGeVector3d::perpVector() const {
    if (lengthSqrd() == 0.0) return {};
    // Cross with the world axis least aligned with this vector, preferring Y x v for vectors
    // near Z so that the Z axis gets the X axis back.
    const double ax = std::abs(x), ay = std::abs(y), az = std::abs(z);
    const WqGeVector3d other = (az >= ax && az >= ay) ? kYAxis : kZAxis;
    const WqGeVector3d p = other.crossProduct(*this);
    const double len = p.length();
    return {p.x / len, p.y / len, p.z / len};
}

bool WqGeVector3d::isZeroLength(const WqGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool WqGeVector3d::isEqualTo(const WqGeVector3d& v, const WqGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}

bool WqGeVector3d::isParallelTo(const WqGeVector3d& v, const WqGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
    // Compared on unit vectors so the test does not depend on the vectors' lengths.
    return normal(tol).crossProduct(v.normal(tol)).length() <= tol.equalVector();
}

bool WqGeVector3d::isCodirectionalTo(const WqGeVector3d& v, const WqGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
    return normal(tol).isEqualTo(v.normal(tol), tol);
}

bool WqGeVector3d::isPerpendicularTo(const WqGeVector3d& v, const WqGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
    return std::abs(normal(tol).dotProduct(v.normal(tol))) <= tol.equalVector();
}

double WqGeVector3d::angleTo(const WqGeVector3d& v) const {
    // atan2 of |cross| and dot stays accurate near 0 and pi, where acos of the dot does not.
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double WqGeVector3d::angleTo(const WqGeVector3d& v, const WqGeVector3d& reference) const {
    const double a = angleTo(v);
    if (crossProduct(v).dotProduct(reference) >= 0.0) return a;
    const double turned = 2.0 * std::numbers::pi - a;
    return turned >= 2.0 * std::numbers::pi ? 0.0 : turned;
}

WqGeVector3d& WqGeVector3d::transformBy(const WqGeMatrix3d& m) {
    return *this = m * *this;
}
