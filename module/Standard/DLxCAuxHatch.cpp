#include "Standard/DLxCAuxHatch.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
// A hatch of a huge area in a tiny spacing stays drawable.
constexpr int kMaxLines = 10000;
} // namespace

void DLxCAuxHatch::AddLine(SMxDisplayList& list, const WqGePoint3d& a, const WqGePoint3d& b) const {
    list.Append(std::make_unique<SMxLineItem>(m_transform * a, m_transform * b));
}

void DLxCAuxCircularHatch::Draw(SMxDisplayList& list) const {
    if (m_spacing <= 0 || m_radius <= 0) return;
    const WqGeVector3d d(std::cos(m_angle), std::sin(m_angle), 0);
    const WqGeVector3d n(-d.y, d.x, 0);
    for (int side : {1, -1}) {
        for (int k = side > 0 ? 0 : 1; k < kMaxLines; ++k) {
            const double offset = side * k * m_spacing;
            if (std::fabs(offset) >= m_radius) break;
            const double half = std::sqrt(m_radius * m_radius - offset * offset);
            const WqGePoint3d mid = WqGePoint3d::kOrigin + n * offset;
            AddLine(list, mid - d * half, mid + d * half);
        }
    }
}

void DLxCAuxLinearHatch::Draw(SMxDisplayList& list) const {
    if (m_spacing <= 0 || m_halfWidth <= 0 || m_halfHeight <= 0) return;
    const WqGeMatrix3d turn = WqGeMatrix3d::rotation(m_rotation, WqGeVector3d::kZAxis);
    WqGePoint3d corners[4] = {{m_halfWidth, m_halfHeight, 0},
                              {-m_halfWidth, m_halfHeight, 0},
                              {-m_halfWidth, -m_halfHeight, 0},
                              {m_halfWidth, -m_halfHeight, 0}};
    for (WqGePoint3d& c : corners)
        c = turn * c;
    const WqGeVector3d d(std::cos(m_angle), std::sin(m_angle), 0);
    const WqGeVector3d n(-d.y, d.x, 0);
    double lo = 0, hi = 0;
    for (const WqGePoint3d& c : corners) {
        const double t = (c - WqGePoint3d::kOrigin).dotProduct(n);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    // Each line p + s d, clipped by the convex rectangle: the range of s inside every edge.
    auto clip = [&](double offset) {
        const WqGePoint3d p = WqGePoint3d::kOrigin + n * offset;
        double s0 = -1e300, s1 = 1e300;
        for (int i = 0; i < 4; ++i) {
            const WqGePoint3d& a = corners[i];
            const WqGePoint3d& b = corners[(i + 1) % 4];
            const WqGeVector3d e = b - a;
            // Inside is to the left of each counter-clockwise edge.
            const WqGeVector3d inward(-e.y, e.x, 0);
            const double num = (p - a).dotProduct(inward);
            const double den = d.dotProduct(inward);
            if (std::fabs(den) < 1e-15) {
                if (num < 0) return;
                continue;
            }
            const double s = -num / den;
            if (den > 0)
                s0 = std::max(s0, s);
            else
                s1 = std::min(s1, s);
        }
        if (s1 - s0 > 1e-12) AddLine(list, p + d * s0, p + d * s1);
    };
    for (int k = 0; k < kMaxLines && k * m_spacing < hi; ++k)
        clip(k * m_spacing);
    for (int k = 1; k < kMaxLines && -k * m_spacing > lo; ++k)
        clip(-k * m_spacing);
}
