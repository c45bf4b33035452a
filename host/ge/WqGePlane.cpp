#include "ge/WqGePlane.h"

#include <cassert>
#include <cmath>

WqGePlane::WqGePlane(const WqGePoint3d& pointOnPlane, const WqGeVector3d& normal)
    : mPoint(pointOnPlane) {
    const double len = normal.length();
    assert(len > 0.0 && "plane normal must not be zero");
    mNormal = len > 0.0 ? normal / len : WqGeVector3d::kIdentity;
}

std::optional<WqGePlane> WqGePlane::throughPoints(const WqGePoint3d& a, const WqGePoint3d& b,
                                                  const WqGePoint3d& c, const WqGeTol& tol) {
    const WqGeVector3d ab = b - a, ac = c - a;
    if (ab.length() <= tol.equalPoint() || ac.length() <= tol.equalPoint()) return std::nullopt;
    // Collinearity judged on unit edges, so it does not depend on the triangle's size.
    const WqGeVector3d n = ab.normal(tol).crossProduct(ac.normal(tol));
    if (n.isZeroLength(tol)) return std::nullopt;
    return WqGePlane(a, n);
}

double WqGePlane::signedDistanceTo(const WqGePoint3d& p) const {
    return mNormal.dotProduct(p - mPoint);
}

double WqGePlane::distanceTo(const WqGePoint3d& p) const {
    return std::abs(signedDistanceTo(p));
}

WqGePoint3d WqGePlane::closestPointTo(const WqGePoint3d& p) const {
    return p - mNormal * signedDistanceTo(p);
}

bool WqGePlane::isOn(const WqGePoint3d& p, const WqGeTol& tol) const {
    return distanceTo(p) <= tol.equalPoint();
}

bool WqGePlane::intersectWith(const WqGePoint3d& linePoint, const WqGeVector3d& direction,
                              WqGePoint3d& out, const WqGeTol& tol) const {
    const WqGeVector3d d = direction.normal(tol);
    const double cosine = mNormal.dotProduct(d);
    if (d.lengthSqrd() == 0.0 || std::abs(cosine) <= tol.equalVector()) return false;
    out = linePoint - d * (signedDistanceTo(linePoint) / cosine);
    return true;
}
