#pragma once

#include "ge/WqGeTol.h"
#include "ge/WqGeVector2d.h"

#include <type_traits>

class WqGePoint2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr WqGePoint2d() = default;
    constexpr WqGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const WqGePoint2d kOrigin;

    constexpr WqGePoint2d operator+(const WqGeVector2d& v) const { return {x + v.x, y + v.y}; }
    constexpr WqGePoint2d operator-(const WqGeVector2d& v) const { return {x - v.x, y - v.y}; }
    constexpr WqGeVector2d operator-(const WqGePoint2d& p) const { return {x - p.x, y - p.y}; }
    constexpr WqGePoint2d& operator+=(const WqGeVector2d& v) {
        x += v.x;
        y += v.y;
        return *this;
    }
    constexpr WqGePoint2d& operator-=(const WqGeVector2d& v) {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    constexpr bool operator==(const WqGePoint2d&) const = default;

    double distanceTo(const WqGePoint2d& p) const;
    bool isEqualTo(const WqGePoint2d& p, const WqGeTol& tol = WqGeContext::gTol) const;
    constexpr WqGeVector2d asVector() const { return {x, y}; }
};

inline constexpr WqGePoint2d WqGePoint2d::kOrigin{0.0, 0.0};

// Written to disk member by member.
static_assert(sizeof(WqGePoint2d) == 2 * sizeof(double));
static_assert(std::is_standard_layout_v<WqGePoint2d> && std::is_trivially_copyable_v<WqGePoint2d>);
