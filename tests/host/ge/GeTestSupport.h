#pragma once

#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeTol.h"
#include "ge/WqGeVector3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

// Readable failure messages; found by ADL from gtest.
inline void PrintTo(const WqGePoint3d& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}
inline void PrintTo(const WqGeVector3d& v, std::ostream* os) {
    *os << "<" << v.x << ", " << v.y << ", " << v.z << ">";
}
inline void PrintTo(const WqGeMatrix3d& m, std::ostream* os) {
    for (const auto& row : m.entry)
        *os << "[" << row[0] << " " << row[1] << " " << row[2] << " " << row[3] << "]";
}

inline ::testing::AssertionResult near3(double ax, double ay, double az, double bx, double by,
                                        double bz, double tol) {
    if (std::abs(ax - bx) <= tol && std::abs(ay - by) <= tol && std::abs(az - bz) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << ax << ", " << ay << ", " << az << ") vs (" << bx
                                         << ", " << by << ", " << bz << ")";
}
inline ::testing::AssertionResult isNear(const WqGePoint3d& a, const WqGePoint3d& b,
                                         double tol = 1e-12) {
    return near3(a.x, a.y, a.z, b.x, b.y, b.z, tol);
}
inline ::testing::AssertionResult isNear(const WqGeVector3d& a, const WqGeVector3d& b,
                                         double tol = 1e-12) {
    return near3(a.x, a.y, a.z, b.x, b.y, b.z, tol);
}
inline ::testing::AssertionResult isNear(const WqGeMatrix3d& a, const WqGeMatrix3d& b,
                                         double tol = 1e-12) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (!(std::abs(a.entry[i][j] - b.entry[i][j]) <= tol))
                return ::testing::AssertionFailure()
                       << "entry[" << i << "][" << j << "]: " << a.entry[i][j] << " vs "
                       << b.entry[i][j];
    return ::testing::AssertionSuccess();
}

// Restores the global tolerance when a test that changed it ends, even on failure.
class GlobalTolGuard {
public:
    GlobalTolGuard() : mSaved(WqGeContext::gTol) {}
    ~GlobalTolGuard() { WqGeContext::gTol = mSaved; }
    GlobalTolGuard(const GlobalTolGuard&) = delete;
    GlobalTolGuard& operator=(const GlobalTolGuard&) = delete;

private:
    WqGeTol mSaved;
};
