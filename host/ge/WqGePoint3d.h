#pragma once

#include "ge/WqGePoint2d.h"
#include "ge/WqGeTol.h"
#include "ge/WqGeVector3d.h"

#include <type_traits>

class WqGeMatrix3d;

class WqGePoint3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr WqGePoint3d() = default;
    constexpr WqGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const WqGePoint3d kOrigin;

    constexpr WqGePoint3d operator+(const WqGeVector3d& v) const {
        return {x + v.x, y + v.y, z + v.z};
    }
    constexpr WqGePoint3d operator-(const WqGeVector3d& v) const {
        return {x - v.x, y - v.y, z - v.z};
    }
    constexpr WqGeVector3d operator-(const WqGePoint3d& p) const {
        return {x - p.x, y - p.y, z - p.z};
    }
    constexpr WqGePoint3d& operator+=(const WqGeVector3d& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    constexpr WqGePoint3d& operator-=(const WqGeVector3d& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    constexpr bool operator==(const WqGePoint3d&) const = default;

    double distanceTo(const WqGePoint3d& p) const;
    bool isEqualTo(const WqGePoint3d& p, const WqGeTol& tol = WqGeContext::gTol) const;

    WqGePoint3d& transformBy(const WqGeMatrix3d& m);
    constexpr WqGeVector3d asVector() const { return {x, y, z}; }
    constexpr WqGePoint2d convert2d() const { return {x, y}; }
};

inline constexpr WqGePoint3d WqGePoint3d::kOrigin{0.0, 0.0, 0.0};

// Written to disk member by member.
static_assert(sizeof(WqGePoint3d) == 3 * sizeof(double));
static_assert(std::is_standard_layout_v<WqGePoint3d> && std::is_trivially_copyable_v<WqGePoint3d>);
