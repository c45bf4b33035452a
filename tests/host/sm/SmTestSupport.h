#pragma once

#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

inline void PrintTo(const WqGePoint3d& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

inline ::testing::AssertionResult isNear(const WqGePoint3d& a, const WqGePoint3d& b,
                                         double tol = 1e-9) {
    if (std::abs(a.x - b.x) <= tol && std::abs(a.y - b.y) <= tol && std::abs(a.z - b.z) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

inline ::testing::AssertionResult boxIs(const BBox& box, const WqGePoint3d& min,
                                        const WqGePoint3d& max, double tol = 1e-9) {
    if (box.isEmpty()) return ::testing::AssertionFailure() << "box is empty";
    if (auto r = isNear(box.min, min, tol); !r) return r << " at min";
    if (auto r = isNear(box.max, max, tol); !r) return r << " at max";
    return ::testing::AssertionSuccess();
}
