#pragma once
// The projected edges of a drawing view: what the model gives (a line segment or a circular arc
// in model coordinates) and what the sheet shows of it.
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

template <typename T> class WqArray;

enum class DLxEdgeKind : int32_t { Line = 1, Arc = 2 };

// A cosmetic weld laid along part of an edge: the model weld feature (DLxModelWeld) and the
// stretches of the edge it covers, as pairs of edge parameters (0 at the start, 1 at the end;
// either order).
struct DLxEdgeWeldData {
    int32_t weld = 0;
    std::vector<double> intervals;

    bool operator==(const DLxEdgeWeldData&) const = default;
};

// An edge in model coordinates. The id is the edge's name for as long as the model keeps it:
// anchors and display items refer to the edge by it.
struct DLxViewEdge {
    int32_t id = 0;
    DLxEdgeKind kind = DLxEdgeKind::Line;
    // Line: from start to end.
    WqGePoint3d start;
    WqGePoint3d end;
    // Arc: counter-clockwise about the unit normal from startAngle to endAngle (radians), the
    // angles measured from the unit refVector, which lies in the arc's plane.
    WqGePoint3d center;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    WqGeVector3d refVector = WqGeVector3d::kXAxis;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
    // The occurrence of the assembly's component the edge belongs to: occurrence ids from the
    // root down (see DLxAssemblyCheck); empty when the model does not say.
    std::vector<int32_t> occurrence;
    // The model weld feature whose bead the edge belongs to (DLxModelWeld); 0 for none.
    int32_t weld = 0;
    // The cosmetic welds laid along the edge of a part, in the model's order.
    std::vector<DLxEdgeWeldData> cosmeticWelds;

    static DLxViewEdge Line(int32_t id, const WqGePoint3d& start, const WqGePoint3d& end);
    // The normal is made unit length and the reference is taken into the arc's plane; without a
    // usable reference (zero or along the normal) the normal's perpVector() serves.
    static DLxViewEdge Arc(int32_t id, const WqGePoint3d& center, const WqGeVector3d& normal,
                           double radius, double startAngle, double endAngle,
                           const WqGeVector3d& refVector = WqGeVector3d::kIdentity);

    // Arc sweep in [0, 2*pi]: an end angle below the start wraps around once, and a difference
    // of 2*pi or more is a full circle.
    double Sweep() const;
    // Finite values, a line of some length, an arc with a radius, a normal and a sweep; the
    // cosmetic welds' intervals in pairs of finite parameters.
    bool IsWellFormed() const;
    // 0 at the start, 1 at the end: along the segment, or along the arc's sweep.
    WqGePoint3d PointAt(double t) const;

    bool operator==(const DLxViewEdge&) const = default;
};

// An edge as a sheet shows it (z = 0). A line runs from start to end; an arc is the ellipse
// center + a cos(theta) + b sin(theta) for theta from theta0 to theta0 + sweep, a circle of
// radius |a| when the view looks square onto the arc's plane (circular).
struct DLxSheetCurve {
    DLxEdgeKind kind = DLxEdgeKind::Line;
    WqGePoint3d start;
    WqGePoint3d end;
    WqGePoint3d center;
    WqGeVector3d a;
    WqGeVector3d b;
    double theta0 = 0.0;
    double sweep = 0.0;
    bool circular = false;

    // t from 0 at the start to 1 at the end, as for the model edge.
    WqGePoint3d PointAt(double t) const;
    // Derivative of PointAt.
    WqGeVector3d TangentAt(double t) const;
    bool IsFullCircle() const;
    // A line: the parameter of the foot of the perpendicular, beyond [0, 1] off the segment's
    // ends. An arc: the parameter of its closest point, in [0, 1].
    double ParamOf(const WqGePoint3d& p) const;
    // The parameter of the closest point, in [0, 1].
    double ClosestParam(const WqGePoint3d& p) const;
    // Unit normal in the sheet plane at t: left of a line's direction; away from an arc's
    // centre.
    WqGeVector3d NormalAt(double t) const;
    // A circular arc counter-clockwise about +Z: its reference axis and angles, the start angle
    // in [0, 2*pi).
    void GetCircle(WqGeVector3d& refVector, double& radius, double& startAngle,
                   double& endAngle) const;
    // Points along an arc, at most 5 degrees of the model arc apart; both ends included except
    // that a full circle does not repeat its first point.
    void Sample(WqArray<WqGePoint3d>& points) const;
};
