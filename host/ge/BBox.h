#pragma once

#include "ge/WqGePoint3d.h"
#include "ge/WqGeTol.h"
#include "ge/WqGeVector3d.h"

#include <limits>

class WqGeMatrix3d;

// Axis-aligned box. Empty when any max coordinate is below the matching min coordinate; the
// default box is empty with min at +huge and max at -huge, so extending it by a point gives
// exactly that point.
class BBox {
public:
    static constexpr double kHuge = std::numeric_limits<double>::max();

    WqGePoint3d min{kHuge, kHuge, kHuge};
    WqGePoint3d max{-kHuge, -kHuge, -kHuge};

    constexpr BBox() = default;
    // The box spanned by two opposite corners, in any order.
    BBox(const WqGePoint3d& a, const WqGePoint3d& b);

    bool isEmpty() const { return max.x < min.x || max.y < min.y || max.z < min.z; }
    BBox& setEmpty() { return *this = BBox(); }

    BBox& extend(const WqGePoint3d& p);
    // Extending by an empty box changes nothing.
    BBox& extend(const BBox& box);
    // Grows every side by margin (shrinks for a negative one, possibly to empty); an empty box
    // stays empty.
    BBox& expand(double margin);
    // The box around the eight transformed corners; an empty box stays empty.
    BBox& transformBy(const WqGeMatrix3d& m);

    // Boundaries count as inside, with tol.equalPoint() of slack; an empty box contains nothing.
    bool contains(const WqGePoint3d& p, const WqGeTol& tol = WqGeContext::gTol) const;
    // Touching boxes intersect; an empty box intersects nothing.
    bool intersects(const BBox& box, const WqGeTol& tol = WqGeContext::gTol) const;

    // The origin for an empty box.
    WqGePoint3d center() const;
    // Edge lengths; zero for an empty box.
    WqGeVector3d size() const;
};
