#pragma once
// What annotations know of the geometry they are attached to: a proxy answers, in sheet
// coordinates, what curve the geometry is and where on it a point lies, whatever the geometry
// really is (a view edge, a dimension line, a sketch curve).
#include <cstdint>

#include "dc/RDxObject.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

template <typename T> class WqArray;
class DUxAnnotationInstance;

enum class DUxCurveKind : int32_t { None = 0, Line, CircArc, Polyline, EllipArc };

struct DUxLineGeometry {
    WqGePoint3d start;
    WqGePoint3d end;
};

// Counter-clockwise about the normal from startAngle to endAngle (radians), the angles measured
// from refVector.
struct DUxArcGeometry {
    WqGePoint3d center;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    WqGeVector3d refVector = WqGeVector3d::kXAxis;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
};

// center + majorAxis * majorRadius * cos(t) + minorAxis * minorRadius * sin(t), counter-clockwise
// about the normal (majorAxis x minorAxis) for t from startAngle to endAngle (radians). The axes
// are unit length and square to each other; an ellipse seen edge on has a minor radius of 0.
struct DUxEllipArcGeometry {
    WqGePoint3d center;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    WqGeVector3d majorAxis = WqGeVector3d::kXAxis;
    WqGeVector3d minorAxis = WqGeVector3d::kYAxis;
    double majorRadius = 0.0;
    double minorRadius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;

    WqGePoint3d PointAt(double angle) const;
};

// The base answers as geometry that has gone: no curve, and false from every query. Points are
// taken in the sheet plane (their z is ignored). Curve parameters run from 0 at the curve's
// start to 1 at its end.
class DUxGeometryProxy : public RDxObject {
public:
    DUxGeometryProxy() = default;
    explicit DUxGeometryProxy(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The geometry still exists.
    virtual bool IsValid() const;
    virtual DUxCurveKind GetCurveKind() const;
    bool isLinearEdge() const { return GetCurveKind() == DUxCurveKind::Line; }
    bool isCircularEdge() const { return GetCurveKind() == DUxCurveKind::CircArc; }
    bool isPolylineEdge() const { return GetCurveKind() == DUxCurveKind::Polyline; }
    bool isEllipticalEdge() const { return GetCurveKind() == DUxCurveKind::EllipArc; }

    // The curve, when it is of that kind.
    virtual bool GetLineOfEntity(DUxLineGeometry& line) const;
    virtual bool GetCircArcOfEntity(DUxArcGeometry& arc) const;
    virtual bool GetEllipArcOfEntity(DUxEllipArcGeometry& arc) const;
    // Any curve as points along it.
    virtual bool GetPolylineCurveOfEntity(WqArray<WqGePoint3d>& points) const;

    virtual bool DistanceTo(const WqGePoint3d& point, double& distance) const;
    virtual bool ClosestPointTo(const WqGePoint3d& point, WqGePoint3d& closest) const;
    // The unit normal in the sheet plane at the curve's point closest to `point`: left of a
    // line's direction, away from the centre of a curve.
    virtual bool GetNormalAtPointOnEntity(const WqGePoint3d& point, WqGeVector3d& normal) const;
    // A line answers the parameter of the foot of the perpendicular, beyond [0, 1] off its
    // ends; other curves the parameter of their closest point.
    virtual bool ParamOf(const WqGePoint3d& point, double& param) const;
    virtual bool EvalPoint(double param, WqGePoint3d& point) const;
    // The annotation the geometry belongs to, when it is another annotation's (a dimension
    // line, a leader); null for model and sheet geometry.
    virtual DUxAnnotationInstance* GetAnnotationInstance() const { return nullptr; }
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxGeometryProxy*);
RSeMetaType* _GetMeta(const DUxGeometryProxy*);
} // namespace RSe
