#pragma once

#include "ge/WqGeTol.h"
#include "ge/WqGeVector2d.h"

#include <type_traits>

class WqGeMatrix3d;

class WqGeVector3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr WqGeVector3d() = default;
    constexpr WqGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const WqGeVector3d kIdentity; // the zero vector
    static const WqGeVector3d kXAxis;
    static const WqGeVector3d kYAxis;
    static const WqGeVector3d kZAxis;

    constexpr WqGeVector3d operator+(const WqGeVector3d& v) const {
        return {x + v.x, y + v.y, z + v.z};
    }
    constexpr WqGeVector3d operator-(const WqGeVector3d& v) const {
        return {x - v.x, y - v.y, z - v.z};
    }
    constexpr WqGeVector3d operator-() const { return {-x, -y, -z}; }
    constexpr WqGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    constexpr WqGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    constexpr WqGeVector3d& operator+=(const WqGeVector3d& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    constexpr WqGeVector3d& operator-=(const WqGeVector3d& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    constexpr WqGeVector3d& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    constexpr bool operator==(const WqGeVector3d&) const = default;

    constexpr double dotProduct(const WqGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    // Right-handed: kXAxis x kYAxis == kZAxis.
    constexpr WqGeVector3d crossProduct(const WqGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    constexpr double lengthSqrd() const { return x * x + y * y + z * z; }
    double length() const;

    // Unit copy; a zero-length vector (see isZeroLength) gives the zero vector.
    WqGeVector3d normal(const WqGeTol& tol = WqGeContext::gTol) const;
    WqGeVector3d& normalize(const WqGeTol& tol = WqGeContext::gTol);
    // A unit vector perpendicular to this one, chosen deterministically (kXAxis for kZAxis);
    // zero for a zero-length vector.
    WqGeVector3d perpVector() const;

    bool isZeroLength(const WqGeTol& tol = WqGeContext::gTol) const;
    bool isEqualTo(const WqGeVector3d& v, const WqGeTol& tol = WqGeContext::gTol) const;
    // Same or opposite direction; false when either vector is zero-length.
    bool isParallelTo(const WqGeVector3d& v, const WqGeTol& tol = WqGeContext::gTol) const;
    // Same direction only.
    bool isCodirectionalTo(const WqGeVector3d& v, const WqGeTol& tol = WqGeContext::gTol) const;
    bool isPerpendicularTo(const WqGeVector3d& v, const WqGeTol& tol = WqGeContext::gTol) const;

    // Unsigned angle between the two vectors in [0, pi]; 0 when either is zero.
    double angleTo(const WqGeVector3d& v) const;
    // Angle turning this vector into v counter-clockwise about reference, in [0, 2*pi).
    double angleTo(const WqGeVector3d& v, const WqGeVector3d& reference) const;

    // Applies the matrix's linear part; translation does not move a vector.
    WqGeVector3d& transformBy(const WqGeMatrix3d& m);
    constexpr WqGeVector2d convert2d() const { return {x, y}; }
};

constexpr WqGeVector3d operator*(double s, const WqGeVector3d& v) {
    return v * s;
}

inline constexpr WqGeVector3d WqGeVector3d::kIdentity{0.0, 0.0, 0.0};
inline constexpr WqGeVector3d WqGeVector3d::kXAxis{1.0, 0.0, 0.0};
inline constexpr WqGeVector3d WqGeVector3d::kYAxis{0.0, 1.0, 0.0};
inline constexpr WqGeVector3d WqGeVector3d::kZAxis{0.0, 0.0, 1.0};

// Written to disk member by member.
static_assert(sizeof(WqGeVector3d) == 3 * sizeof(double));
static_assert(std::is_standard_layout_v<WqGeVector3d> &&
              std::is_trivially_copyable_v<WqGeVector3d>);
