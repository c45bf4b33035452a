#pragma once

// Tolerances used by the geometry comparisons. equalPoint is a distance (model units), equalVector
// a dimensionless bound applied to unit vectors (roughly the sine of an angle, or a length ratio).
class WqGeTol {
public:
    constexpr WqGeTol() = default;
    constexpr WqGeTol(double equalPoint, double equalVector)
        : mEqualPoint(equalPoint), mEqualVector(equalVector) {}

    constexpr double equalPoint() const { return mEqualPoint; }
    constexpr double equalVector() const { return mEqualVector; }
    constexpr void setEqualPoint(double tol) { mEqualPoint = tol; }
    constexpr void setEqualVector(double tol) { mEqualVector = tol; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-10;
};

class WqGeContext {
public:
    // The tolerance every comparison uses when the caller passes none. Read at call time, so
    // changing it affects all later comparisons.
    static WqGeTol gTol;
};
