#include "du/DUxGeometryProxy.h"

#include <cmath>

WqGePoint3d DUxEllipArcGeometry::PointAt(double angle) const {
    return center + majorAxis * (majorRadius * std::cos(angle)) +
           minorAxis * (minorRadius * std::sin(angle));
}

bool DUxGeometryProxy::IsValid() const {
    return false;
}

DUxCurveKind DUxGeometryProxy::GetCurveKind() const {
    return DUxCurveKind::None;
}

bool DUxGeometryProxy::GetLineOfEntity(DUxLineGeometry&) const {
    return false;
}

bool DUxGeometryProxy::GetCircArcOfEntity(DUxArcGeometry&) const {
    return false;
}

bool DUxGeometryProxy::GetEllipArcOfEntity(DUxEllipArcGeometry&) const {
    return false;
}

bool DUxGeometryProxy::GetPolylineCurveOfEntity(WqArray<WqGePoint3d>&) const {
    return false;
}

bool DUxGeometryProxy::DistanceTo(const WqGePoint3d&, double&) const {
    return false;
}

bool DUxGeometryProxy::ClosestPointTo(const WqGePoint3d&, WqGePoint3d&) const {
    return false;
}

bool DUxGeometryProxy::GetNormalAtPointOnEntity(const WqGePoint3d&, WqGeVector3d&) const {
    return false;
}

bool DUxGeometryProxy::ParamOf(const WqGePoint3d&, double&) const {
    return false;
}

bool DUxGeometryProxy::EvalPoint(double, WqGePoint3d&) const {
    return false;
}
