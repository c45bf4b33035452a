#include "dl/DLxViewEdge.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ge/WqArray.h"

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// The sampling step along an arc: fine enough that a drawn polyline stays within a few
// hundredths of a millimetre of an arc of 20 mm radius.
constexpr double kSampleStep = std::numbers::pi / 36.0;

bool Finite(const WqGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
bool Finite(const WqGeVector3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
WqGePoint3d Flat(const WqGePoint3d& p) {
    return {p.x, p.y, 0.0};
}
double Wrap(double angle) {
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    return a;
}
} // namespace

DLxViewEdge DLxViewEdge::Line(int32_t id, const WqGePoint3d& start, const WqGePoint3d& end) {
    DLxViewEdge e;
    e.id = id;
    e.kind = DLxEdgeKind::Line;
    e.start = start;
    e.end = end;
    return e;
}

DLxViewEdge DLxViewEdge::Arc(int32_t id, const WqGePoint3d& center, const WqGeVector3d& normal,
                             double radius, double startAngle, double endAngle,
                             const WqGeVector3d& refVector) {
    DLxViewEdge e;
    e.id = id;
    e.kind = DLxEdgeKind::Arc;
    e.center = center;
    e.normal = normal.normal();
    WqGeVector3d ref = refVector - e.normal * refVector.dotProduct(e.normal);
    if (ref.isZeroLength()) ref = e.normal.perpVector();
    e.refVector = ref.normal();
    e.radius = radius;
    e.startAngle = startAngle;
    e.endAngle = endAngle;
    return e;
}

double DLxViewEdge::Sweep() const {
    const double sweep = endAngle - startAngle;
    if (sweep >= kTwoPi) return kTwoPi;
    return Wrap(sweep);
}

bool DLxViewEdge::IsWellFormed() const {
    for (const DLxEdgeWeldData& d : cosmeticWelds) {
        if (d.intervals.empty() || d.intervals.size() % 2 != 0) return false;
        for (double v : d.intervals)
            if (!std::isfinite(v)) return false;
    }
    if (kind == DLxEdgeKind::Line) return Finite(start) && Finite(end) && !start.isEqualTo(end);
    if (kind != DLxEdgeKind::Arc) return false;
    return Finite(center) && Finite(normal) && Finite(refVector) && std::isfinite(radius) &&
           std::isfinite(startAngle) && std::isfinite(endAngle) && radius > 0.0 &&
           !normal.isZeroLength() && !refVector.isZeroLength() && Sweep() > 0.0;
}

WqGePoint3d DLxViewEdge::PointAt(double t) const {
    if (kind == DLxEdgeKind::Line) return start + (end - start) * t;
    const double angle = startAngle + t * Sweep();
    const WqGeVector3d v = normal.crossProduct(refVector);
    return center + refVector * (radius * std::cos(angle)) + v * (radius * std::sin(angle));
}

WqGePoint3d DLxSheetCurve::PointAt(double t) const {
    if (kind == DLxEdgeKind::Line) return start + (end - start) * t;
    const double theta = theta0 + t * sweep;
    return center + a * std::cos(theta) + b * std::sin(theta);
}

WqGeVector3d DLxSheetCurve::TangentAt(double t) const {
    if (kind == DLxEdgeKind::Line) return end - start;
    const double theta = theta0 + t * sweep;
    return (b * std::cos(theta) - a * std::sin(theta)) * sweep;
}

bool DLxSheetCurve::IsFullCircle() const {
    return kind == DLxEdgeKind::Arc && sweep >= kTwoPi;
}

double DLxSheetCurve::ParamOf(const WqGePoint3d& p) const {
    if (kind != DLxEdgeKind::Line) return ClosestParam(p);
    const WqGeVector3d d = end - start;
    const double len2 = d.lengthSqrd();
    return len2 > 0.0 ? (Flat(p) - start).dotProduct(d) / len2 : 0.0;
}

double DLxSheetCurve::ClosestParam(const WqGePoint3d& p) const {
    const WqGePoint3d q = Flat(p);
    if (kind == DLxEdgeKind::Line) return std::clamp(ParamOf(q), 0.0, 1.0);
    if (circular) {
        const WqGeVector3d v = q - center;
        if (v.isZeroLength()) return 0.0;
        const double rel =
            Wrap(std::atan2(v.dotProduct(b.normal()), v.dotProduct(a.normal())) - theta0);
        if (rel <= sweep) return rel / sweep;
        // Off the arc: the nearer end by angle is the nearer end by distance.
        return rel - sweep < kTwoPi - rel ? 1.0 : 0.0;
    }
    // An ellipse seen obliquely: the best of a coarse sampling, refined by golden-section search
    // around it, where the distance has a single minimum.
    auto dist2 = [&](double t) { return (PointAt(t) - q).lengthSqrd(); };
    constexpr int32_t kSamples = 128;
    int32_t best = 0;
    double bestD = dist2(0.0);
    for (int32_t i = 1; i <= kSamples; ++i) {
        const double d = dist2(double(i) / kSamples);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    auto refine = [&](double lo, double hi) {
        constexpr double kGolden = 0.6180339887498949;
        double x1 = hi - kGolden * (hi - lo), x2 = lo + kGolden * (hi - lo);
        double f1 = dist2(x1), f2 = dist2(x2);
        for (int32_t k = 0; k < 100 && hi - lo > 1e-15; ++k) {
            if (f1 < f2) {
                hi = x2;
                x2 = x1;
                f2 = f1;
                x1 = hi - kGolden * (hi - lo);
                f1 = dist2(x1);
            } else {
                lo = x1;
                x1 = x2;
                f1 = f2;
                x2 = lo + kGolden * (hi - lo);
                f2 = dist2(x2);
            }
        }
        return 0.5 * (lo + hi);
    };
    const double h = 1.0 / kSamples;
    const double tb = double(best) / kSamples;
    double t = refine(std::max(0.0, tb - h), std::min(1.0, tb + h));
    if (IsFullCircle() && (best == 0 || best == kSamples)) {
        // The closed curve's minimum may sit on either side of the seam.
        const double other = best == 0 ? refine(1.0 - h, 1.0) : refine(0.0, h);
        if (dist2(other) < dist2(t)) t = other;
    }
    // The search ends where the distance is too flat to tell: Newton's steps on the tangent's
    // squareness to the way to p finish it to the precision of the coordinates.
    for (int32_t k = 0; k < 4; ++k) {
        const WqGeVector3d off = PointAt(t) - q;
        const WqGeVector3d tangent = TangentAt(t);
        const double theta = theta0 + t * sweep;
        const WqGeVector3d bend = (a * std::cos(theta) + b * std::sin(theta)) * (-sweep * sweep);
        const double slope = bend.dotProduct(off) + tangent.lengthSqrd();
        if (!(slope > 0.0)) break;
        const double next = t - tangent.dotProduct(off) / slope;
        if (!(next >= 0.0 && next <= 1.0) || dist2(next) > dist2(t)) break;
        t = next;
    }
    // The ends themselves may beat the refinement at the edge of its bracket.
    for (double bound : {0.0, 1.0})
        if (dist2(bound) < dist2(t)) t = bound;
    return t;
}

WqGeVector3d DLxSheetCurve::NormalAt(double t) const {
    const WqGeVector3d tangent = TangentAt(t);
    WqGeVector3d n = WqGeVector3d(-tangent.y, tangent.x, 0.0).normal();
    if (kind == DLxEdgeKind::Line) return n;
    const WqGeVector3d out = PointAt(t) - center;
    if (n.isZeroLength()) return out.normal();
    return n.dotProduct(out) < 0.0 ? -n : n;
}

void DLxSheetCurve::GetCircle(WqGeVector3d& refVector, double& radius, double& startAngle,
                              double& endAngle) const {
    refVector = a.normal();
    radius = a.length();
    // Seen from behind the arc's plane, the arc runs clockwise: mirror its angles.
    const bool counterClockwise = a.x * b.y - a.y * b.x >= 0.0;
    const double first = counterClockwise ? theta0 : -(theta0 + sweep);
    startAngle = Wrap(first);
    endAngle = startAngle + sweep;
}

void DLxSheetCurve::Sample(WqArray<WqGePoint3d>& points) const {
    points.setLogicalLength(0);
    if (kind == DLxEdgeKind::Line) {
        points.append(start).append(end);
        return;
    }
    // The count comes from the sweep taken into [0, 2*pi] (NaN as 0): a curve made of damaged
    // numbers gives wrong points, never an undefined conversion or an endless array.
    const double span = sweep >= 0.0 ? std::min(sweep, kTwoPi) : 0.0;
    const int32_t n = std::max(1, int32_t(std::ceil(span / kSampleStep - 1e-9)));
    const int32_t count = IsFullCircle() ? n : n + 1;
    points.setPhysicalLength(count);
    for (int32_t i = 0; i < count; ++i)
        points.append(PointAt(double(i) / n));
}
