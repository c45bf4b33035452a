#include "dl/DLxEdgeGeometryProxy.h"

#include <cmath>
#include <numbers>

#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "ge/WqArray.h"
#include "rse/RSeSegment.h"

DLxEdgeGeometryProxy* DLxEdgeGeometryProxy::Create(DLxViewInstance* view, int32_t edgeId) {
    if (!view || !view->GetSegment()) return nullptr;
    auto* proxy = new (RSe::_GetMeta(static_cast<const DLxEdgeGeometryProxy*>(nullptr)),
                       view->GetSegment()) DLxEdgeGeometryProxy();
    proxy->m_view = view;
    proxy->m_edgeId = edgeId;
    return proxy;
}

DLxViewInstance* DLxEdgeGeometryProxy::GetViewInstance() const {
    return m_view.get();
}

std::vector<int32_t> DLxEdgeGeometryProxy::GetOccurrencePath() const {
    const auto* view = static_cast<const DLxViewInstance*>(m_view.GetTarget());
    const DLxViewEdge* edge = view ? view->FindEdge(m_edgeId) : nullptr;
    return edge ? edge->occurrence : std::vector<int32_t>();
}

bool DLxEdgeGeometryProxy::GetSheetCurve(DLxSheetCurve& curve) const {
    // Queries only read the view: it is taken without noting a write.
    const auto* view = static_cast<const DLxViewInstance*>(m_view.GetTarget());
    const DLxViewEdge* edge = view ? view->FindEdge(m_edgeId) : nullptr;
    if (!edge) return false;
    curve = view->ProjectEdge(*edge);
    return true;
}

bool DLxEdgeGeometryProxy::IsValid() const {
    DLxSheetCurve c;
    return GetSheetCurve(c);
}

DUxCurveKind DLxEdgeGeometryProxy::GetCurveKind() const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return DUxCurveKind::None;
    if (c.kind == DLxEdgeKind::Line) return DUxCurveKind::Line;
    return c.circular ? DUxCurveKind::CircArc : DUxCurveKind::EllipArc;
}

bool DLxEdgeGeometryProxy::GetLineOfEntity(DUxLineGeometry& line) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c) || c.kind != DLxEdgeKind::Line) return false;
    line.start = c.start;
    line.end = c.end;
    return true;
}

bool DLxEdgeGeometryProxy::GetCircArcOfEntity(DUxArcGeometry& arc) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c) || c.kind != DLxEdgeKind::Arc || !c.circular) return false;
    arc.center = c.center;
    arc.normal = WqGeVector3d::kZAxis;
    c.GetCircle(arc.refVector, arc.radius, arc.startAngle, arc.endAngle);
    return true;
}

bool DLxEdgeGeometryProxy::GetEllipArcOfEntity(DUxEllipArcGeometry& arc) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c) || c.kind != DLxEdgeKind::Arc || c.circular) return false;
    // The sheet's ellipse c + a cos(theta) + b sin(theta) with conjugate a and b: turned by phi
    // its axes are square, the longer one first.
    const double phi =
        0.5 * std::atan2(2.0 * c.a.dotProduct(c.b), c.a.lengthSqrd() - c.b.lengthSqrd());
    const WqGeVector3d u = c.a * std::cos(phi) + c.b * std::sin(phi);
    const WqGeVector3d v = c.b * std::cos(phi) - c.a * std::sin(phi);
    arc.center = c.center;
    arc.normal = WqGeVector3d::kZAxis;
    arc.majorRadius = u.length();
    arc.minorRadius = v.length();
    arc.majorAxis = u.normal();
    arc.minorAxis = WqGeVector3d::kZAxis.crossProduct(arc.majorAxis);
    double start = c.theta0 - phi;
    // Seen from behind its plane the curve runs clockwise: mirror its angles.
    if (u.x * v.y - u.y * v.x < 0.0) start = -(start + c.sweep);
    start = std::fmod(start, 2.0 * std::numbers::pi);
    if (start < 0.0) start += 2.0 * std::numbers::pi;
    arc.startAngle = start;
    arc.endAngle = start + c.sweep;
    return true;
}

bool DLxEdgeGeometryProxy::GetPolylineCurveOfEntity(WqArray<WqGePoint3d>& points) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return false;
    c.Sample(points);
    return true;
}

bool DLxEdgeGeometryProxy::DistanceTo(const WqGePoint3d& point, double& distance) const {
    WqGePoint3d closest;
    if (!ClosestPointTo(point, closest)) return false;
    distance = closest.distanceTo(WqGePoint3d(point.x, point.y, 0.0));
    return true;
}

bool DLxEdgeGeometryProxy::ClosestPointTo(const WqGePoint3d& point, WqGePoint3d& closest) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return false;
    closest = c.PointAt(c.ClosestParam(point));
    return true;
}

bool DLxEdgeGeometryProxy::GetNormalAtPointOnEntity(const WqGePoint3d& point,
                                                    WqGeVector3d& normal) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return false;
    normal = c.NormalAt(c.ClosestParam(point));
    return !normal.isZeroLength();
}

bool DLxEdgeGeometryProxy::ParamOf(const WqGePoint3d& point, double& param) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return false;
    param = c.ParamOf(point);
    return true;
}

bool DLxEdgeGeometryProxy::EvalPoint(double param, WqGePoint3d& point) const {
    DLxSheetCurve c;
    if (!GetSheetCurve(c)) return false;
    point = c.PointAt(param);
    return true;
}
