#include "ge/BBox.h"

#include "ge/WqGeMatrix3d.h"

#include <algorithm>

BBox::BBox(const WqGePoint3d& a, const WqGePoint3d& b)
    : min{std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}, max{std::max(a.x, b.x),
                                                                           std::max(a.y, b.y),
                                                                           std::max(a.z, b.z)} {}

BBox& BBox::extend(const WqGePoint3d& p) {
    // An emptied box may hold finite inverted corners, so it must not be merged with p.
    if (isEmpty()) {
        min = max = p;
        return *this;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    return *this;
}

BBox& BBox::extend(const BBox& box) {
    if (box.isEmpty()) return *this;
    return extend(box.min).extend(box.max);
}

BBox& BBox::expand(double margin) {
    if (isEmpty()) return *this;
    const WqGeVector3d m{margin, margin, margin};
    min -= m;
    max += m;
    return *this;
}

BBox& BBox::transformBy(const WqGeMatrix3d& m) {
    if (isEmpty()) return *this;
    BBox result;
    for (int i = 0; i < 8; ++i) {
        const WqGePoint3d corner{(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y,
                                 (i & 4) ? max.z : min.z};
        result.extend(m * corner);
    }
    return *this = result;
}

bool BBox::contains(const WqGePoint3d& p, const WqGeTol& tol) const {
    if (isEmpty()) return false;
    const double t = tol.equalPoint();
    return p.x >= min.x - t && p.x <= max.x + t && p.y >= min.y - t && p.y <= max.y + t &&
           p.z >= min.z - t && p.z <= max.z + t;
}

bool BBox::intersects(const BBox& box, const WqGeTol& tol) const {
    if (isEmpty() || box.isEmpty()) return false;
    const double t = tol.equalPoint();
    return box.min.x <= max.x + t && min.x <= box.max.x + t && box.min.y <= max.y + t &&
           min.y <= box.max.y + t && box.min.z <= max.z + t && min.z <= box.max.z + t;
}

WqGePoint3d BBox::center() const {
    if (isEmpty()) return WqGePoint3d::kOrigin;
    return {(min.x + max.x) / 2.0, (min.y + max.y) / 2.0, (min.z + max.z) / 2.0};
}

WqGeVector3d BBox::size() const {
    if (isEmpty()) return WqGeVector3d::kIdentity;
    return max - min;
}
