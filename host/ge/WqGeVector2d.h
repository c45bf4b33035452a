#pragma once

#include "ge/WqGeTol.h"

#include <type_traits>

class WqGeVector2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr WqGeVector2d() = default;
    constexpr WqGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const WqGeVector2d kIdentity; // the zero vector
    static const WqGeVector2d kXAxis;
    static const WqGeVector2d kYAxis;

    constexpr WqGeVector2d operator+(const WqGeVector2d& v) const { return {x + v.x, y + v.y}; }
    constexpr WqGeVector2d operator-(const WqGeVector2d& v) const { return {x - v.x, y - v.y}; }
    constexpr WqGeVector2d operator-() const { return {-x, -y}; }
    constexpr WqGeVector2d operator*(double s) const { return {x * s, y * s}; }
    constexpr WqGeVector2d operator/(double s) const { return {x / s, y / s}; }
    constexpr WqGeVector2d& operator+=(const WqGeVector2d& v) {
        x += v.x;
        y += v.y;
        return *this;
    }
    constexpr WqGeVector2d& operator-=(const WqGeVector2d& v) {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    constexpr WqGeVector2d& operator*=(double s) {
        x *= s;
        y *= s;
        return *this;
    }
    constexpr bool operator==(const WqGeVector2d&) const = default;

    constexpr double dotProduct(const WqGeVector2d& v) const { return x * v.x + y * v.y; }
    // z component of the 3d cross product: positive when v lies counter-clockwise of this.
    constexpr double crossProduct(const WqGeVector2d& v) const { return x * v.y - y * v.x; }
    constexpr double lengthSqrd() const { return x * x + y * y; }
    double length() const;

    // Unit copy; a zero-length vector (see isZeroLength) gives the zero vector.
    WqGeVector2d normal(const WqGeTol& tol = WqGeContext::gTol) const;
    WqGeVector2d& normalize(const WqGeTol& tol = WqGeContext::gTol);
    // This vector turned 90 degrees counter-clockwise.
    constexpr WqGeVector2d perpVector() const { return {-y, x}; }

    bool isZeroLength(const WqGeTol& tol = WqGeContext::gTol) const;
    bool isEqualTo(const WqGeVector2d& v, const WqGeTol& tol = WqGeContext::gTol) const;
    // Same or opposite direction; false when either vector is zero-length.
    bool isParallelTo(const WqGeVector2d& v, const WqGeTol& tol = WqGeContext::gTol) const;
    bool isPerpendicularTo(const WqGeVector2d& v, const WqGeTol& tol = WqGeContext::gTol) const;

    // Angle from the X axis in (-pi, pi]; 0 for the zero vector.
    double angle() const;
    // Unsigned angle between the two vectors in [0, pi]; 0 when either is zero.
    double angleTo(const WqGeVector2d& v) const;
};

constexpr WqGeVector2d operator*(double s, const WqGeVector2d& v) {
    return v * s;
}

inline constexpr WqGeVector2d WqGeVector2d::kIdentity{0.0, 0.0};
inline constexpr WqGeVector2d WqGeVector2d::kXAxis{1.0, 0.0};
inline constexpr WqGeVector2d WqGeVector2d::kYAxis{0.0, 1.0};

// Written to disk member by member.
static_assert(sizeof(WqGeVector2d) == 2 * sizeof(double));
static_assert(std::is_standard_layout_v<WqGeVector2d> &&
              std::is_trivially_copyable_v<WqGeVector2d>);
