#include "ge/WqGeMatrix3d.h"

#include "ge/WqGePlane.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Determinant by Gaussian elimination with partial pivoting; a is destroyed.
double eliminationDet(double a[4][4]) {
    double det = 1.0;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col])) pivot = r;
        if (a[pivot][col] == 0.0) return 0.0;
        if (pivot != col) {
            std::swap(a[pivot], a[col]);
            det = -det;
        }
        det *= a[col][col];
        for (int r = col + 1; r < 4; ++r) {
            const double f = a[r][col] / a[col][col];
            for (int c = col; c < 4; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    return det;
}

bool isAffine(const WqGeMatrix3d& m) {
    return m.entry[3][0] == 0.0 && m.entry[3][1] == 0.0 && m.entry[3][2] == 0.0 &&
           m.entry[3][3] == 1.0;
}

} // namespace

WqGeMatrix3d WqGeMatrix3d::translation(const WqGeVector3d& offset) {
    WqGeMatrix3d m;
    m.setTranslation(offset);
    return m;
}

WqGeMatrix3d WqGeMatrix3d::rotation(double angle, const WqGeVector3d& axis,
                                    const WqGePoint3d& center) {
    WqGeMatrix3d m;
    const WqGeVector3d k = axis.normal();
    if (k.lengthSqrd() == 0.0) return m;

    // Rodrigues: R = cos I + sin [k]x + (1 - cos) k k^T.
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    m.entry[0][0] = c + k.x * k.x * t;
    m.entry[0][1] = k.x * k.y * t - k.z * s;
    m.entry[0][2] = k.x * k.z * t + k.y * s;
    m.entry[1][0] = k.y * k.x * t + k.z * s;
    m.entry[1][1] = c + k.y * k.y * t;
    m.entry[1][2] = k.y * k.z * t - k.x * s;
    m.entry[2][0] = k.z * k.x * t - k.y * s;
    m.entry[2][1] = k.z * k.y * t + k.x * s;
    m.entry[2][2] = c + k.z * k.z * t;
    // Keep the centre fixed: p' = R (p - c) + c.
    m.setTranslation(center.asVector() - m * center.asVector());
    return m;
}

WqGeMatrix3d WqGeMatrix3d::scaling(double scale, const WqGePoint3d& center) {
    WqGeMatrix3d m;
    for (int i = 0; i < 3; ++i)
        m.entry[i][i] = scale;
    m.setTranslation(center.asVector() * (1.0 - scale));
    return m;
}

WqGeMatrix3d WqGeMatrix3d::alignCoordSys(const WqGePoint3d& fromOrigin, const WqGeVector3d& fromX,
                                         const WqGeVector3d& fromY, const WqGeVector3d& fromZ,
                                         const WqGePoint3d& toOrigin, const WqGeVector3d& toX,
                                         const WqGeVector3d& toY, const WqGeVector3d& toZ) {
    WqGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromX, fromY, fromZ);
    to.setCoordSystem(toOrigin, toX, toY, toZ);
    WqGeMatrix3d fromInv;
    if (!from.inverse(fromInv)) return kIdentity;
    return to * fromInv;
}

WqGeMatrix3d WqGeMatrix3d::planeToWorld(const WqGeVector3d& normal) {
    WqGeMatrix3d m;
    const WqGeVector3d z = normal.normal();
    if (z.lengthSqrd() == 0.0) return m;
    const WqGeVector3d x = z.perpVector();
    m.setCoordSystem(WqGePoint3d::kOrigin, x, z.crossProduct(x), z);
    return m;
}

WqGeMatrix3d WqGeMatrix3d::worldToPlane(const WqGeVector3d& normal) {
    // A pure rotation: its inverse is its transpose.
    return planeToWorld(normal).transpose();
}

WqGeMatrix3d WqGeMatrix3d::planeToWorld(const WqGePlane& plane) {
    WqGeMatrix3d m = planeToWorld(plane.normal());
    m.setTranslation(plane.pointOnPlane().asVector());
    return m;
}

WqGeMatrix3d WqGeMatrix3d::worldToPlane(const WqGePlane& plane) {
    return worldToPlane(plane.normal()) * translation(-plane.pointOnPlane().asVector());
}

WqGeMatrix3d WqGeMatrix3d::operator*(const WqGeMatrix3d& m) const {
    WqGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = sum;
        }
    return r;
}

WqGeMatrix3d& WqGeMatrix3d::preMultBy(const WqGeMatrix3d& m) {
    return *this = m * *this;
}

WqGeMatrix3d& WqGeMatrix3d::postMultBy(const WqGeMatrix3d& m) {
    return *this = *this * m;
}

bool WqGeMatrix3d::isEqualTo(const WqGeMatrix3d& m, const WqGeTol& tol) const {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const double t = (j == 3 && i < 3) ? tol.equalPoint() : tol.equalVector();
            if (!(std::abs(entry[i][j] - m.entry[i][j]) <= t)) return false;
        }
    return true;
}

double WqGeMatrix3d::det() const {
    double a[4][4];
    std::copy(&entry[0][0], &entry[0][0] + 16, &a[0][0]);
    return eliminationDet(a);
}

bool WqGeMatrix3d::isSingular(double tol) const {
    double a[4][4];
    std::copy(&entry[0][0], &entry[0][0] + 16, &a[0][0]);
    // Scale each column to unit length (Hadamard's bound then makes |det| <= 1). The translation
    // column of an affine matrix is left alone: it does not affect the determinant.
    const int cols = isAffine(*this) ? 3 : 4;
    for (int c = 0; c < cols; ++c) {
        double len = 0.0;
        for (int r = 0; r < 4; ++r)
            len = std::hypot(len, a[r][c]);
        if (len == 0.0) return true;
        for (int r = 0; r < 4; ++r)
            a[r][c] /= len;
    }
    return !(std::abs(eliminationDet(a)) > tol);
}

bool WqGeMatrix3d::inverse(WqGeMatrix3d& out, double tol) const {
    if (isSingular(tol)) return false;
    // Gauss-Jordan with partial pivoting on [a | inv].
    double a[4][4];
    std::copy(&entry[0][0], &entry[0][0] + 16, &a[0][0]);
    WqGeMatrix3d inv;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col])) pivot = r;
        if (a[pivot][col] == 0.0) return false;
        std::swap(a[pivot], a[col]);
        std::swap(inv.entry[pivot], inv.entry[col]);
        const double p = a[col][col];
        for (int c = 0; c < 4; ++c) {
            a[col][c] /= p;
            inv.entry[col][c] /= p;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0) continue;
            const double f = a[r][col];
            for (int c = 0; c < 4; ++c) {
                a[r][c] -= f * a[col][c];
                inv.entry[r][c] -= f * inv.entry[col][c];
            }
        }
    }
    out = inv;
    return true;
}

WqGeMatrix3d WqGeMatrix3d::inverse() const {
    WqGeMatrix3d inv;
    return inverse(inv) ? inv : kIdentity;
}

WqGeMatrix3d WqGeMatrix3d::transpose() const {
    WqGeMatrix3d t;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            t.entry[i][j] = entry[j][i];
    return t;
}

WqGeMatrix3d& WqGeMatrix3d::setTranslation(const WqGeVector3d& offset) {
    entry[0][3] = offset.x;
    entry[1][3] = offset.y;
    entry[2][3] = offset.z;
    return *this;
}

void WqGeMatrix3d::getCoordSystem(WqGePoint3d& origin, WqGeVector3d& xAxis, WqGeVector3d& yAxis,
                                  WqGeVector3d& zAxis) const {
    origin = {entry[0][3], entry[1][3], entry[2][3]};
    xAxis = {entry[0][0], entry[1][0], entry[2][0]};
    yAxis = {entry[0][1], entry[1][1], entry[2][1]};
    zAxis = {entry[0][2], entry[1][2], entry[2][2]};
}

WqGeMatrix3d& WqGeMatrix3d::setCoordSystem(const WqGePoint3d& origin, const WqGeVector3d& xAxis,
                                           const WqGeVector3d& yAxis, const WqGeVector3d& zAxis) {
    const WqGeVector3d cols[4] = {xAxis, yAxis, zAxis, origin.asVector()};
    for (int c = 0; c < 4; ++c) {
        entry[0][c] = cols[c].x;
        entry[1][c] = cols[c].y;
        entry[2][c] = cols[c].z;
        entry[3][c] = c == 3 ? 1.0 : 0.0;
    }
    return *this;
}

double WqGeMatrix3d::scale() const {
    double largest = 0.0;
    for (int c = 0; c < 3; ++c)
        largest = std::max(largest, WqGeVector3d(entry[0][c], entry[1][c], entry[2][c]).length());
    return largest;
}

WqGePoint3d operator*(const WqGeMatrix3d& m, const WqGePoint3d& p) {
    const auto& e = m.entry;
    return {e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3],
            e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3],
            e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3]};
}

WqGeVector3d operator*(const WqGeMatrix3d& m, const WqGeVector3d& v) {
    const auto& e = m.entry;
    return {e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z,
            e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
            e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z};
}
