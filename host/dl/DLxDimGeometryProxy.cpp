#include "dl/DLxDimGeometryProxy.h"

#include <algorithm>

#include "du/DUxEmblem.h"
#include "rse/RSeTransaction.h"

DLxDimGeometryProxy* DLxDimGeometryProxy::Create(RSeSegment* segment, const WqGePoint3d& start,
                                                 const WqGePoint3d& end, int32_t type) {
    if (!segment) return nullptr;
    auto* proxy = new (RSe::_GetMeta(static_cast<const DLxDimGeometryProxy*>(nullptr)), segment)
        DLxDimGeometryProxy();
    proxy->m_start = WqGePoint3d(start.x, start.y, 0);
    proxy->m_end = WqGePoint3d(end.x, end.y, 0);
    proxy->m_type = type;
    return proxy;
}

void DLxDimGeometryProxy::SetLine(const WqGePoint3d& start, const WqGePoint3d& end) {
    RSe::PrepareWrite(this);
    m_start = WqGePoint3d(start.x, start.y, 0);
    m_end = WqGePoint3d(end.x, end.y, 0);
}

void DLxDimGeometryProxy::SetDimension(DUxAnnotationInstance* dimension) {
    RSe::PrepareWrite(this);
    m_dimension = dimension;
}

bool DLxDimGeometryProxy::IsValid() const {
    return m_start != m_end;
}

bool DLxDimGeometryProxy::GetLineOfEntity(DUxLineGeometry& line) const {
    if (!IsValid()) return false;
    line.start = m_start;
    line.end = m_end;
    return true;
}

bool DLxDimGeometryProxy::ParamOf(const WqGePoint3d& point, double& param) const {
    if (!IsValid()) return false;
    const WqGeVector3d d = m_end - m_start;
    const WqGePoint3d p(point.x, point.y, 0);
    param = (p - m_start).dotProduct(d) / d.lengthSqrd();
    return true;
}

bool DLxDimGeometryProxy::EvalPoint(double param, WqGePoint3d& point) const {
    if (!IsValid()) return false;
    point = m_start + (m_end - m_start) * param;
    return true;
}

bool DLxDimGeometryProxy::ClosestPointTo(const WqGePoint3d& point, WqGePoint3d& closest) const {
    double t = 0;
    if (!ParamOf(point, t)) return false;
    return EvalPoint(std::clamp(t, 0.0, 1.0), closest);
}

bool DLxDimGeometryProxy::DistanceTo(const WqGePoint3d& point, double& distance) const {
    WqGePoint3d c;
    if (!ClosestPointTo(point, c)) return false;
    distance = WqGePoint3d(point.x, point.y, 0).distanceTo(c);
    return true;
}

bool DLxDimGeometryProxy::GetNormalAtPointOnEntity(const WqGePoint3d&, WqGeVector3d& normal) const {
    if (!IsValid()) return false;
    const WqGeVector3d d = (m_end - m_start).normal();
    normal = WqGeVector3d(-d.y, d.x, 0);
    return true;
}

DUxAnnotationInstance* DLxDimGeometryProxy::GetAnnotationInstance() const {
    return m_dimension.get();
}
