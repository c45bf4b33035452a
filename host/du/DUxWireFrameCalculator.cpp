#include "du/DUxWireFrameCalculator.h"

#include <cmath>

namespace {
constexpr double kZeroLength = 1e-12;

// A unit vector square to `d` in the xy plane, turned a quarter counter-clockwise from it.
WqGeVector3d Square(const WqGeVector3d& d) {
    return WqGeVector3d(-d.y, d.x, 0.0);
}
} // namespace

DUxWireFrameCalculator::DUxWireFrameCalculator(const WqGePoint3d& p0, int32_t mode,
                                               const WqGePoint3d& p1, const WqGePoint3d& p3,
                                               const WqGePoint3d& p2)
    : m_origin(p0), m_mode(mode) {
    const WqGeVector3d a = p1 - p0, b = p3 - p0;
    m_e1 = a.length();
    m_e2 = b.length();
    const bool hasA = m_e1 > kZeroLength, hasB = m_e2 > kZeroLength;
    // The second edge lies to the left or right of the first; a collapsed edge is put on the
    // side where point 2 lies, so that the frame keeps its orientation.
    const WqGeVector3d diag = p2 - p0;
    if (hasA) m_u = a / m_e1;
    if (hasB) m_v = b / m_e2;
    if (hasA && !hasB) {
        m_v = Square(m_u);
        if (m_v.dotProduct(diag) < 0) m_v = -m_v;
    } else if (!hasA && hasB) {
        m_u = -Square(m_v);
        if (m_u.dotProduct(diag) < 0) m_u = -m_u;
    } else if (!hasA && !hasB) {
        m_u = WqGeVector3d::kXAxis;
        m_v = WqGeVector3d::kYAxis;
    }
    if (!hasA) m_e1 = 0.0;
    if (!hasB) m_e2 = 0.0;
}

WqGePoint3d DUxWireFrameCalculator::Point(int32_t index) const {
    switch (index & 3) {
    case 0: return m_origin;
    case 1: return m_origin + m_u * m_e1;
    case 2: return m_origin + m_u * m_e1 + m_v * m_e2;
    default: return m_origin + m_v * m_e2;
    }
}

void DUxWireFrameCalculator::Move(const WqGePoint3d& from, const WqGePoint3d& to) {
    m_origin += to - from;
}

void DUxWireFrameCalculator::ApplyResizePoint(const WqGePoint3d& to) {
    const WqGeVector3d d = to - m_origin;
    if (m_mode == kFirstEdge || m_mode == kBoth) m_e1 = d.dotProduct(m_u);
    if (m_mode == kSecondEdge || m_mode == kBoth) m_e2 = d.dotProduct(m_v);
}
