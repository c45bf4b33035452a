#include "du/DUxArrowHead.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dc/RDxFragment.h"
#include "du/DUxEmblem.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "rse/RSeTransaction.h"

namespace {
const std::vector<DUxArrowHeadTemplate> kTemplates = {
    {28029, DUxArrowHeadShape::ClosedFilled, 3.0, 1.0},
    {28030, DUxArrowHeadShape::Closed, 3.0, 1.0},
    {28031, DUxArrowHeadShape::Open, 3.0, 1.0},
    {28032, DUxArrowHeadShape::Dot, 1.0, 1.0},
    {28033, DUxArrowHeadShape::Slash, 1.5, 1.5},
    {28034, DUxArrowHeadShape::None, 0.0, 0.0},
    // Equilateral datum triangles.
    {28035, DUxArrowHeadShape::DatumFilled, 2.598, 3.0},
    {28036, DUxArrowHeadShape::DatumOpen, 2.598, 3.0},
};

double Cross(const WqGePoint3d& o, const WqGePoint3d& a, const WqGePoint3d& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double EdgeDistance(double x, double y, const WqGePoint3d& a, const WqGePoint3d& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double len2 = ex * ex + ey * ey;
    double t = len2 > 0 ? ((x - a.x) * ex + (y - a.y) * ey) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - a.x - t * ex, y - a.y - t * ey);
}

// Strictly inside: a point on the outline is outside, so that a line along it is kept.
bool InsidePolygon(double x, double y, const std::vector<WqGePoint3d>& poly) {
    for (size_t i = 0; i < poly.size(); ++i)
        if (EdgeDistance(x, y, poly[i], poly[(i + 1) % poly.size()]) <= 1e-12) return false;
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const WqGePoint3d& a = poly[i];
        const WqGePoint3d& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}
} // namespace

const std::vector<DUxArrowHeadTemplate>& DUxArrowHeadTemplate::All() {
    return kTemplates;
}

const DUxArrowHeadTemplate* DUxArrowHeadTemplate::Find(uint32_t id) {
    for (const DUxArrowHeadTemplate& t : kTemplates)
        if (t.id == id) return &t;
    return nullptr;
}

const DUxArrowHeadTemplate* DUxArrowHeadTemplate::Default() {
    return &kTemplates.front();
}

DUxArrowHeadState* DUxArrowHeadState::Create(RDxFragment* fragment, uint32_t templateId) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxArrowHeadState*>(nullptr)),
                       fragment->GetSegment()) DUxArrowHeadState(templateId);
    fragment->AddNode(state);
    return state;
}

const DUxArrowHeadTemplate* DUxArrowHeadState::GetTemplateRef() const {
    const DUxArrowHeadTemplate* t = DUxArrowHeadTemplate::Find(m_templateId);
    return t ? t : DUxArrowHeadTemplate::Default();
}

void DUxArrowHeadState::SetTemplateRef(const DUxArrowHeadTemplate* tmpl) {
    if (!tmpl || tmpl->id == m_templateId) return;
    BeginValueChange();
    m_templateId = tmpl->id;
}

void DUxArrowHeadState::PassValue(DUxArrowHeadState* target, int32_t) const {
    if (!target || target == this || target->m_templateId == m_templateId) return;
    target->BeginValueChange();
    target->m_templateId = m_templateId;
}

bool DUxArrowHeadState::IsFilled() const {
    const DUxArrowHeadShape s = GetTemplateRef()->shape;
    return s == DUxArrowHeadShape::ClosedFilled || s == DUxArrowHeadShape::Dot ||
           s == DUxArrowHeadShape::DatumFilled;
}

bool DUxArrowHeadState::GetArrowHeadVector(const WqGePoint3d&, const WqGeVector3d& direction,
                                           WqGeVector3d& vector) const {
    const DUxArrowHeadTemplate* t = GetTemplateRef();
    if (t->shape == DUxArrowHeadShape::None) {
        vector = {};
        return false;
    }
    const WqGeVector3d d = direction.isZeroLength() ? WqGeVector3d::kXAxis : direction.normal();
    vector = d * t->length;
    return true;
}

void DUxArrowHeadState::GetArrowHeadPoints(const WqGePoint3d& tip, const WqGeVector3d& vector,
                                           std::vector<WqGePoint3d>& points,
                                           const DUxLeaderStyleWrapper* style) const {
    const DUxArrowHeadTemplate* t = GetTemplateRef();
    if (t->shape == DUxArrowHeadShape::None || vector.isZeroLength()) return;
    const WqGeVector3d along = vector.normal();
    const WqGeVector3d across(-along.y, along.x, 0.0);
    // A size from the style scales the service's shape; its proportions stay.
    const double size = style ? style->GetArrowHeadSize() : 0.0;
    const double scale = size > 0.0 && t->length > 0.0 ? size / t->length : 1.0;
    const WqGeVector3d back = scale == 1.0 ? vector : vector * scale;
    const double half = t->width * scale / 2;
    switch (t->shape) {
    case DUxArrowHeadShape::Dot:
        for (int i = 0; i < 12; ++i) {
            const double a = i * std::numbers::pi / 6;
            points.push_back(tip + (along * std::cos(a) + across * std::sin(a)) * half);
        }
        break;
    case DUxArrowHeadShape::Slash: {
        const WqGeVector3d slash = (along + across).normal() * half;
        const WqGeVector3d thin = (along - across).normal() * 0.05;
        points.push_back(tip - slash - thin);
        points.push_back(tip + slash - thin);
        points.push_back(tip + slash + thin);
        points.push_back(tip - slash + thin);
        break;
    }
    case DUxArrowHeadShape::DatumFilled:
    case DUxArrowHeadShape::DatumOpen:
        points.push_back(tip + across * half);
        points.push_back(tip - across * half);
        points.push_back(tip - back);
        break;
    default:
        points.push_back(tip);
        points.push_back(tip - back + across * half);
        points.push_back(tip - back - across * half);
        break;
    }
}

DUxArrowHeadBox::DUxArrowHeadBox(std::vector<WqGePoint3d> points, DUxEmblem* emblem,
                                 const DUxLineGeometry& extLine, bool ownBox, bool clipOwn)
    : m_points(std::move(points)), m_emblem(emblem), m_extLine(extLine), m_ownBox(ownBox),
      m_clipOwn(clipOwn) {}

DUxEmblem* DUxArrowHeadBox::GetEmblem() const {
    return m_emblem.get();
}

bool DUxArrowHeadBox::Intersects(const WqGePoint3d& a, const WqGePoint3d& b) const {
    if (m_points.empty()) return false;
    double x0 = m_points[0].x, x1 = x0, y0 = m_points[0].y, y1 = y0;
    for (const WqGePoint3d& p : m_points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return std::max(a.x, b.x) >= x0 && std::min(a.x, b.x) <= x1 && std::max(a.y, b.y) >= y0 &&
           std::min(a.y, b.y) <= y1;
}

bool DUxArrowHeadBox::IsColinearWithExtensionLine(const WqGePoint3d& a,
                                                  const WqGePoint3d& b) const {
    if (!HasExtensionLine()) return false;
    const WqGeVector3d d = (m_extLine.end - m_extLine.start).normal();
    const auto off = [&](const WqGePoint3d& p) {
        const WqGeVector3d v = p - m_extLine.start;
        return std::abs(v.x * d.y - v.y * d.x);
    };
    const double tol = WqGeContext::gTol.equalPoint();
    return off(a) <= tol && off(b) <= tol;
}

bool DUxClip2DLineSegment(const WqGePoint3d& a, const WqGePoint3d& b,
                          const std::vector<WqGePoint3d>& polygon,
                          std::vector<WqGePoint3d>& parts) {
    if (polygon.size() < 3 || a == b) {
        parts.push_back(a);
        parts.push_back(b);
        return false;
    }
    // Parameters where the segment crosses an edge, then the midpoint of each span says
    // whether that span lies inside.
    std::vector<double> ts = {0.0, 1.0};
    const double dx = b.x - a.x, dy = b.y - a.y;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const WqGePoint3d& p = polygon[i];
        const WqGePoint3d& q = polygon[(i + 1) % polygon.size()];
        const double ex = q.x - p.x, ey = q.y - p.y;
        const double den = dx * ey - dy * ex;
        if (std::abs(den) < 1e-15) continue;
        const double t = ((p.x - a.x) * ey - (p.y - a.y) * ex) / den;
        const double u = ((p.x - a.x) * dy - (p.y - a.y) * dx) / den;
        if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0) ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    const auto at = [&](double t) { return a + (b - a) * t; };
    bool cut = false;
    bool open = false;
    double from = 0.0;
    for (size_t i = 0; i + 1 < ts.size(); ++i) {
        if (ts[i + 1] - ts[i] <= 0.0) continue;
        const WqGePoint3d mid = at((ts[i] + ts[i + 1]) / 2);
        const bool inside = InsidePolygon(mid.x, mid.y, polygon);
        if (inside) {
            cut = true;
            if (open) {
                parts.push_back(at(from));
                parts.push_back(at(ts[i]));
                open = false;
            }
        } else if (!open) {
            open = true;
            from = ts[i];
        }
    }
    if (open) {
        parts.push_back(from == 0.0 ? a : at(from));
        parts.push_back(b);
    }
    return cut;
}

bool DUxNormalizePolygon(std::vector<WqGePoint3d>& polygon) {
    std::vector<WqGePoint3d> out;
    for (const WqGePoint3d& p : polygon)
        if (out.empty() || !out.back().isEqualTo(p)) out.push_back(p);
    while (out.size() > 1 && out.back().isEqualTo(out.front()))
        out.pop_back();
    polygon = out;
    if (polygon.size() < 3) return false;
    double area = 0.0;
    for (size_t i = 1; i + 1 < polygon.size(); ++i)
        area += Cross(polygon[0], polygon[i], polygon[i + 1]);
    if (std::abs(area) <= 1e-20) return false;
    if (area < 0) std::reverse(polygon.begin() + 1, polygon.end());
    return true;
}
