#include "dl/DLxViewInstance.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_set>

#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxSheet.h"
#include "ge/BBox.h"
#include "ge/WqArray.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

namespace {
// The view's frame seen along the normal of an arc: square-on when the normal lies along the
// frame's z to this much.
constexpr double kSquareOn = 1e-9;

bool Finite(const WqGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A finite band of some width, of a known direction.
bool BreakValid(const DLxViewBreak& brk) {
    if (!std::isfinite(brk.from) || !std::isfinite(brk.to) || !(brk.from < brk.to)) return false;
    return brk.direction == DLxViewBreak::kHorizontal || brk.direction == DLxViewBreak::kVertical;
}

// A valid band clear of the bands of its direction.
bool BreakFits(const DLxViewBreak& brk, const std::vector<DLxViewBreak>& breaks) {
    if (!BreakValid(brk)) return false;
    return std::none_of(breaks.begin(), breaks.end(), [&](const DLxViewBreak& b) {
        return b.direction == brk.direction && brk.from < b.to && b.from < brk.to;
    });
}

bool ValidEdges(const std::vector<DLxViewEdge>& edges) {
    std::unordered_set<int32_t> ids;
    for (const DLxViewEdge& e : edges)
        if (!e.IsWellFormed() || !ids.insert(e.id).second) return false;
    return true;
}
} // namespace

void DLxViewInstance::BeginChange() {
    RSe::PrepareWrite(this);
    MarkEdited(true);
}

void DLxViewInstance::SetName(const UTxString16& name) {
    if (name == m_name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

DLxSheet* DLxViewInstance::GetSheet() const {
    return dynamic_cast<DLxSheet*>(GetFragment().GetTarget());
}

bool DLxViewInstance::SetViewScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0.0) return false;
    if (scale != m_scale) {
        BeginChange();
        m_scale = scale;
    }
    return true;
}

bool DLxViewInstance::SetViewCenter(const WqGePoint3d& center) {
    const WqGePoint3d c(center.x, center.y, 0.0);
    if (!Finite(c)) return false;
    if (c != m_center) {
        BeginChange();
        for (DLxViewBreak& b : m_breaks) {
            const double d =
                b.direction == DLxViewBreak::kHorizontal ? c.x - m_center.x : c.y - m_center.y;
            b.from += d;
            b.to += d;
        }
        m_center = c;
    }
    return true;
}

bool DLxViewInstance::AddBreak(const DLxViewBreak& brk) {
    if (!BreakFits(brk, m_breaks)) return false;
    BeginChange();
    m_breaks.push_back(brk);
    return true;
}

std::pair<int64_t, int64_t> DLxViewBreak::FirstOverlap(const std::vector<DLxViewBreak>& breaks) {
    // The bands so far, clear of each other, by their start for each direction: their ends
    // increase with their starts, so those a new band overlaps lie together just before the
    // first that starts at or beyond its end.
    std::map<double, size_t> clear[2];
    for (size_t i = 0; i < breaks.size(); ++i) {
        const DLxViewBreak& b = breaks[i];
        std::map<double, size_t>& bands = clear[b.direction == kVertical ? 1 : 0];
        auto it = bands.lower_bound(b.to);
        int64_t first = -1;
        while (it != bands.begin()) {
            --it;
            if (!(breaks[it->second].to > b.from)) break;
            if (first < 0 || int64_t(it->second) < first) first = int64_t(it->second);
        }
        if (first >= 0) return {int64_t(i), first};
        bands.emplace(b.from, i);
    }
    return {-1, -1};
}

bool DLxViewInstance::SetBreaks(std::vector<DLxViewBreak> breaks) {
    if (!std::all_of(breaks.begin(), breaks.end(), BreakValid)) return false;
    if (DLxViewBreak::FirstOverlap(breaks).first >= 0) return false;
    if (breaks != m_breaks) {
        BeginChange();
        m_breaks = std::move(breaks);
    }
    return true;
}

namespace {
// One coordinate from the unbroken view to the drawn one, over the bands of one direction.
double CloseUp(double v, const std::vector<DLxViewBreak>& breaks,
               DLxViewBreak::Direction direction) {
    double shift = 0.0;
    for (const DLxViewBreak& b : breaks) {
        if (b.direction != direction) continue;
        if (v >= b.to)
            shift += b.Width();
        else if (v > b.from)
            shift += v - b.from; // inside: to where the band closes up
    }
    return v - shift;
}

// Its inverse: bands are opened from the lowest up, each pushing what lies above it.
double OpenUp(double v, const std::vector<DLxViewBreak>& breaks,
              DLxViewBreak::Direction direction) {
    std::vector<const DLxViewBreak*> sorted;
    for (const DLxViewBreak& b : breaks)
        if (b.direction == direction) sorted.push_back(&b);
    std::sort(sorted.begin(), sorted.end(),
              [](const DLxViewBreak* a, const DLxViewBreak* b) { return a->from < b->from; });
    for (const DLxViewBreak* b : sorted)
        if (v > b->from) v += b->Width();
    return v;
}
} // namespace

WqGePoint3d DLxViewInstance::UnbrokenToBroken(const WqGePoint3d& point) const {
    if (m_breaks.empty()) return point;
    return {CloseUp(point.x, m_breaks, DLxViewBreak::kHorizontal),
            CloseUp(point.y, m_breaks, DLxViewBreak::kVertical), point.z};
}

WqGePoint3d DLxViewInstance::BrokenToUnbroken(const WqGePoint3d& point) const {
    if (m_breaks.empty()) return point;
    return {OpenUp(point.x, m_breaks, DLxViewBreak::kHorizontal),
            OpenUp(point.y, m_breaks, DLxViewBreak::kVertical), point.z};
}

bool DLxViewInstance::IsUnbrokenPointRemoved(const WqGePoint3d& point) const {
    return std::any_of(m_breaks.begin(), m_breaks.end(), [&](const DLxViewBreak& b) {
        const double v = b.Along(point);
        return v > b.from && v < b.to;
    });
}

bool DLxViewInstance::SetModelOrigin(const WqGePoint3d& origin) {
    if (!Finite(origin)) return false;
    if (origin != m_modelOrigin) {
        BeginChange();
        m_modelOrigin = origin;
    }
    return true;
}

bool DLxViewInstance::SetOrientation(const WqGeVector3d& direction, const WqGeVector3d& up,
                                     double rotation) {
    if (!std::isfinite(rotation)) return false;
    const WqGeVector3d z = (-direction).normal();
    if (z.isZeroLength()) return false;
    const WqGeVector3d y = (up - z * up.dotProduct(z)).normal();
    if (y.isZeroLength() || up.isParallelTo(direction)) return false;
    const WqGeVector3d x = y.crossProduct(z);
    // Rows are the view's axes in model terms, so the matrix takes the model into the view.
    WqGeMatrix3d frame;
    const WqGeVector3d rows[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        frame.entry[i][0] = rows[i].x;
        frame.entry[i][1] = rows[i].y;
        frame.entry[i][2] = rows[i].z;
    }
    const WqGeMatrix3d r = WqGeMatrix3d::rotation(rotation, WqGeVector3d::kZAxis) * frame;
    if (r != m_orientation) {
        BeginChange();
        m_orientation = r;
    }
    return true;
}

WqGeVector3d DLxViewInstance::GetViewDirection() const {
    return m_orientation.transpose() * WqGeVector3d(0.0, 0.0, -1.0);
}

const DLxViewEdge* DLxViewInstance::FindEdge(int32_t id) const {
    auto it = std::find_if(m_edges.begin(), m_edges.end(),
                           [id](const DLxViewEdge& e) { return e.id == id; });
    return it == m_edges.end() ? nullptr : &*it;
}

bool DLxViewInstance::SetEdges(std::vector<DLxViewEdge> edges) {
    if (!ValidEdges(edges)) return false;
    if (edges != m_edges) {
        BeginChange();
        m_edges = std::move(edges);
    }
    return true;
}

const DLxModelWeld* DLxViewInstance::FindModelWeld(int32_t id) const {
    for (const DLxModelWeld& w : m_welds)
        if (w.id == id) return &w;
    return nullptr;
}

bool DLxViewInstance::SetModelWelds(std::vector<DLxModelWeld> welds) {
    for (size_t i = 0; i < welds.size(); ++i) {
        if (welds[i].id <= 0) return false;
        for (size_t j = 0; j < i; ++j)
            if (welds[j].id == welds[i].id) return false;
    }
    if (welds != m_welds) {
        BeginChange();
        m_welds = std::move(welds);
    }
    return true;
}

void DLxViewInstance::SetWeldSymbolsVisible(bool visible) {
    if (visible == m_weldSymbolsVisible) return;
    BeginChange();
    m_weldSymbolsVisible = visible;
}

DLxEmblem* DLxViewInstance::GetCenterDatum() const {
    return m_centerDatum.get();
}

void DLxViewInstance::SetCenterDatum(DLxEmblem* indicator) {
    if (indicator == m_centerDatum.get()) return;
    BeginChange();
    m_centerDatum = RSeRef<DLxEmblem>(indicator);
}

void DLxViewInstance::SetSuppressed(bool suppressed) {
    if (suppressed == m_suppressed) return;
    BeginChange();
    m_suppressed = suppressed;
}

bool DLxViewInstance::AddEdge(const DLxViewEdge& edge) {
    if (!edge.IsWellFormed() || FindEdge(edge.id)) return false;
    BeginChange();
    m_edges.push_back(edge);
    return true;
}

bool DLxViewInstance::RemoveEdge(int32_t id) {
    const DLxViewEdge* edge = FindEdge(id);
    if (!edge) return false;
    const auto at = m_edges.begin() + (edge - m_edges.data());
    BeginChange();
    m_edges.erase(at);
    return true;
}

WqGeMatrix3d DLxViewInstance::GetModelToSheet() const {
    SheetXform& x = m_sheetXform;
    const auto same = [](const auto& a, const auto& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    if (x.valid && same(x.scale, m_scale) && same(x.center, m_center) &&
        same(x.modelOrigin, m_modelOrigin) && same(x.orientation.entry, m_orientation.entry))
        return x.modelToSheet;
    WqGeMatrix3d m = WqGeMatrix3d::scaling(m_scale) * m_orientation *
                     WqGeMatrix3d::translation(WqGePoint3d::kOrigin - m_modelOrigin);
    m.preMultBy(WqGeMatrix3d::translation(m_center.asVector()));
    // Onto the sheet: depth is dropped.
    for (double& v : m.entry[2])
        v = 0.0;
    x = {true, m_scale, m_center, m_modelOrigin, m_orientation, m};
    return m;
}

WqGePoint3d DLxViewInstance::ModelToSheet(const WqGePoint3d& model) const {
    return GetModelToSheet() * model;
}

WqGePoint3d DLxViewInstance::SheetToModel(const WqGePoint3d& sheet) const {
    const WqGeVector3d inView((sheet.x - m_center.x) / m_scale, (sheet.y - m_center.y) / m_scale,
                              0.0);
    return m_modelOrigin + m_orientation.transpose() * inView;
}

DLxSheetCurve DLxViewInstance::ProjectEdge(const DLxViewEdge& edge) const {
    const WqGeMatrix3d m = GetModelToSheet();
    DLxSheetCurve c;
    c.kind = edge.kind;
    if (edge.kind == DLxEdgeKind::Line) {
        c.start = m * edge.start;
        c.end = m * edge.end;
        return c;
    }
    c.center = m * edge.center;
    c.a = m * (edge.refVector * edge.radius);
    c.b = m * (edge.normal.crossProduct(edge.refVector) * edge.radius);
    c.theta0 = edge.startAngle;
    c.sweep = edge.Sweep();
    c.circular = std::abs((m_orientation * edge.normal).z) >= 1.0 - kSquareOn;
    return c;
}

DLxEdgeGeometryProxy* DLxViewInstance::FindEdgeProxy(int32_t id) {
    for (const RSeRef<DLxEdgeGeometryProxy>& r : m_proxies)
        if (RSeIDed* t = r.GetTarget())
            if (static_cast<DLxEdgeGeometryProxy*>(t)->GetEdgeId() == id)
                return static_cast<DLxEdgeGeometryProxy*>(t);
    if (!FindEdge(id)) return nullptr;
    DLxEdgeGeometryProxy* proxy = DLxEdgeGeometryProxy::Create(this, id);
    RSe::PrepareWrite(this);
    m_proxies.emplace_back(proxy);
    return proxy;
}

namespace {
// The parameter intervals of the segment a-b that no band removes, in order along it. Pieces
// shorter than this (in parameter) are dropped.
constexpr double kTinyPiece = 1e-12;

std::vector<std::pair<double, double>> KeptPieces(const WqGePoint3d& a, const WqGePoint3d& b,
                                                  const std::vector<DLxViewBreak>& breaks) {
    std::vector<std::pair<double, double>> removed;
    for (const DLxViewBreak& brk : breaks) {
        const double va = brk.Along(a), vb = brk.Along(b);
        if (va == vb) {
            if (va > brk.from && va < brk.to) removed.emplace_back(0.0, 1.0);
            continue;
        }
        double t0 = (brk.from - va) / (vb - va), t1 = (brk.to - va) / (vb - va);
        if (t0 > t1) std::swap(t0, t1);
        t0 = std::max(t0, 0.0);
        t1 = std::min(t1, 1.0);
        if (t1 > t0) removed.emplace_back(t0, t1);
    }
    std::sort(removed.begin(), removed.end());
    std::vector<std::pair<double, double>> kept;
    double at = 0.0;
    for (const auto& [from, to] : removed) {
        if (from - at > kTinyPiece) kept.emplace_back(at, from);
        at = std::max(at, to);
    }
    if (1.0 - at > kTinyPiece) kept.emplace_back(at, 1.0);
    return kept;
}

// Whether any band reaches into the box's extent across it.
bool TouchesBreak(const BBox& box, const std::vector<DLxViewBreak>& breaks) {
    return std::any_of(breaks.begin(), breaks.end(), [&](const DLxViewBreak& b) {
        const double lo = b.Along(box.min), hi = b.Along(box.max);
        return b.from < hi && lo < b.to;
    });
}
} // namespace

void DLxViewInstance::BuildDisplayList(SMxDisplayList& list) const {
    if (m_suppressed) return;
    SMxDisplayListBuilder builder(list);
    WqArray<WqGePoint3d> points;
    // A kept piece of a segment does not cross a band: one shift carries all of it.
    auto shiftOf = [this](const WqGePoint3d& p, const WqGePoint3d& q) {
        const WqGePoint3d mid = p + (q - p) * 0.5;
        return UnbrokenToBroken(mid) - mid;
    };
    // The kept pieces of a chain of points, as polylines of the drawn view; pieces that meet
    // stay one polyline.
    auto addBroken = [&](const WqArray<WqGePoint3d>& chain) {
        WqArray<WqGePoint3d> run;
        bool open = false;
        auto flush = [&] {
            if (run.length() >= 2) {
                if (run.length() == 2)
                    builder.AddLine(run[0], run[1]);
                else
                    builder.AddPolyline(run);
            }
            run.setLogicalLength(0);
        };
        for (int32_t i = 0; i + 1 < chain.length(); ++i) {
            const WqGePoint3d& p = chain[i];
            const WqGeVector3d d = chain[i + 1] - p;
            for (const auto& [t0, t1] : KeptPieces(p, chain[i + 1], m_breaks)) {
                const WqGePoint3d a = p + d * t0, b = p + d * t1;
                const WqGeVector3d shift = shiftOf(a, b);
                if (!open || t0 > 0.0) {
                    flush();
                    run.append(a + shift);
                }
                run.append(b + shift);
                open = t1 >= 1.0;
            }
            if (!open) flush();
        }
        flush();
    };
    for (const DLxViewEdge& edge : m_edges) {
        builder.SetItemId(edge.id);
        const DLxSheetCurve c = ProjectEdge(edge);
        if (c.kind == DLxEdgeKind::Line) {
            if (m_breaks.empty()) {
                builder.AddLine(c.start, c.end);
            } else {
                points.setLogicalLength(0);
                points.append(c.start).append(c.end);
                addBroken(points);
            }
            continue;
        }
        c.Sample(points);
        if (c.IsFullCircle()) points.append(points[0]);
        BBox extent;
        for (const WqGePoint3d& p : points)
            extent.extend(p);
        // Between its points the arc bulges out by less than this.
        extent.expand(std::max(c.a.length(), c.b.length()) * 1e-3);
        // An arc clear of every band moves whole.
        const bool whole = m_breaks.empty() || !TouchesBreak(extent, m_breaks);
        const WqGeVector3d shift = whole ? shiftOf(points[0], points[0]) : WqGeVector3d();
        if (whole && c.circular) {
            WqGeVector3d ref;
            double radius = 0, start = 0, end = 0;
            c.GetCircle(ref, radius, start, end);
            builder.AddArc(c.center + shift, WqGeVector3d::kZAxis, ref, radius, start, end);
        } else if (whole) {
            if (c.IsFullCircle()) points.setLogicalLength(points.length() - 1);
            for (WqGePoint3d& p : points)
                p += shift;
            builder.AddPolyline(points, c.IsFullCircle());
        } else {
            addBroken(points);
        }
    }
}

BBox DLxViewInstance::GetSheetBBox() const {
    SMxDisplayList list;
    BuildDisplayList(list);
    return list.GetBBox();
}
