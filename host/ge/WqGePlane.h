#pragma once

#include "ge/WqGePoint3d.h"
#include "ge/WqGeTol.h"
#include "ge/WqGeVector3d.h"

#include <optional>

// Infinite plane through a point, with a unit normal.
class WqGePlane {
public:
    static const WqGePlane kXYPlane;

    // The XY plane.
    constexpr WqGePlane() = default;
    // The normal is stored normalised; it must not be zero (asserted in debug builds;
    // release builds keep the zero normal rather than produce NaNs).
    WqGePlane(const WqGePoint3d& pointOnPlane, const WqGeVector3d& normal);
    // The plane through three points, normal (b - a) x (c - a); nullopt when the points are
    // coincident or collinear within tol.
    static std::optional<WqGePlane> throughPoints(const WqGePoint3d& a, const WqGePoint3d& b,
                                                  const WqGePoint3d& c,
                                                  const WqGeTol& tol = WqGeContext::gTol);

    const WqGePoint3d& pointOnPlane() const { return mPoint; }
    const WqGeVector3d& normal() const { return mNormal; }

    // Positive on the side the normal points to.
    double signedDistanceTo(const WqGePoint3d& p) const;
    double distanceTo(const WqGePoint3d& p) const;
    // Orthogonal projection of p onto the plane.
    WqGePoint3d closestPointTo(const WqGePoint3d& p) const;
    bool isOn(const WqGePoint3d& p, const WqGeTol& tol = WqGeContext::gTol) const;
    // Intersection with the line through linePoint along direction; false when the line is
    // parallel to the plane (or direction is zero-length), leaving out untouched.
    bool intersectWith(const WqGePoint3d& linePoint, const WqGeVector3d& direction,
                       WqGePoint3d& out, const WqGeTol& tol = WqGeContext::gTol) const;

private:
    WqGePoint3d mPoint;
    WqGeVector3d mNormal = WqGeVector3d::kZAxis;
};

inline constexpr WqGePlane WqGePlane::kXYPlane{};
