#pragma once

#include "ge/WqGePoint3d.h"
#include "ge/WqGeTol.h"
#include "ge/WqGeVector3d.h"

#include <type_traits>

class WqGePlane;

// Affine transform as a 4x4 matrix, row-major and applied to column vectors: p' = M * p, with the
// translation in entry[i][3]. Points and vectors are transformed with the bottom row taken as
// 0 0 0 1.
class WqGeMatrix3d {
public:
    double entry[4][4] = {
        {1.0, 0.0, 0.0, 0.0}, {0.0, 1.0, 0.0, 0.0}, {0.0, 0.0, 1.0, 0.0}, {0.0, 0.0, 0.0, 1.0}};

    constexpr WqGeMatrix3d() = default;

    static const WqGeMatrix3d kIdentity;

    static WqGeMatrix3d translation(const WqGeVector3d& offset);
    // Right-handed rotation by angle (radians) about axis through center; a zero axis gives the
    // identity.
    static WqGeMatrix3d rotation(double angle, const WqGeVector3d& axis,
                                 const WqGePoint3d& center = WqGePoint3d::kOrigin);
    static WqGeMatrix3d scaling(double scale, const WqGePoint3d& center = WqGePoint3d::kOrigin);
    // Maps the first coordinate system onto the second: fromOrigin goes to toOrigin, fromX to
    // toX and so on. The axes need not be orthonormal; a degenerate "from" system gives the
    // identity.
    static WqGeMatrix3d alignCoordSys(const WqGePoint3d& fromOrigin, const WqGeVector3d& fromX,
                                      const WqGeVector3d& fromY, const WqGeVector3d& fromZ,
                                      const WqGePoint3d& toOrigin, const WqGeVector3d& toX,
                                      const WqGeVector3d& toY, const WqGeVector3d& toZ);
    // Rotation taking the world XY plane onto a plane through the origin with this normal (world
    // Z goes to the normal, world X to normal.perpVector()); worldToPlane is its inverse.
    static WqGeMatrix3d planeToWorld(const WqGeVector3d& normal);
    static WqGeMatrix3d worldToPlane(const WqGeVector3d& normal);
    // As above, with the world origin going to the plane's point.
    static WqGeMatrix3d planeToWorld(const WqGePlane& plane);
    static WqGeMatrix3d worldToPlane(const WqGePlane& plane);

    // Composition: (A * B) * p == A * (B * p), i.e. B is applied first.
    WqGeMatrix3d operator*(const WqGeMatrix3d& m) const;
    WqGeMatrix3d& operator*=(const WqGeMatrix3d& m) { return postMultBy(m); }
    // this = m * this (m applied after this).
    WqGeMatrix3d& preMultBy(const WqGeMatrix3d& m);
    // this = this * m (m applied before this).
    WqGeMatrix3d& postMultBy(const WqGeMatrix3d& m);

    // Exact comparison of all entries.
    constexpr bool operator==(const WqGeMatrix3d&) const = default;
    // Translation entries are compared with equalPoint, the others with equalVector.
    bool isEqualTo(const WqGeMatrix3d& m, const WqGeTol& tol = WqGeContext::gTol) const;

    double det() const;
    // Singular when the determinant of the matrix with unit-length columns is within tol of zero,
    // so a matrix that merely scales by a small factor is not singular. For an affine matrix
    // only the linear part counts; a large translation does not make it singular.
    bool isSingular(double tol = WqGeContext::gTol.equalVector()) const;
    // False, leaving out untouched, when the matrix is singular.
    bool inverse(WqGeMatrix3d& out, double tol = WqGeContext::gTol.equalVector()) const;
    // The identity when the matrix is singular; use the bool overload to find out.
    WqGeMatrix3d inverse() const;
    WqGeMatrix3d transpose() const;

    WqGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    WqGeMatrix3d& setTranslation(const WqGeVector3d& offset);
    // Columns of the matrix: the images of the world origin and axes.
    void getCoordSystem(WqGePoint3d& origin, WqGeVector3d& xAxis, WqGeVector3d& yAxis,
                        WqGeVector3d& zAxis) const;
    // Sets the matrix that maps the world frame onto this one (the bottom row becomes 0 0 0 1).
    WqGeMatrix3d& setCoordSystem(const WqGePoint3d& origin, const WqGeVector3d& xAxis,
                                 const WqGeVector3d& yAxis, const WqGeVector3d& zAxis);
    // Largest factor by which the matrix stretches one of the world axes.
    double scale() const;
};

inline constexpr WqGeMatrix3d WqGeMatrix3d::kIdentity{};

WqGePoint3d operator*(const WqGeMatrix3d& m, const WqGePoint3d& p);
// Linear part only.
WqGeVector3d operator*(const WqGeMatrix3d& m, const WqGeVector3d& v);

// Written to disk entry by entry.
static_assert(sizeof(WqGeMatrix3d) == 16 * sizeof(double));
static_assert(std::is_standard_layout_v<WqGeMatrix3d> &&
              std::is_trivially_copyable_v<WqGeMatrix3d>);
