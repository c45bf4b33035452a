#include "dl/DLxViewInstance.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "dl/DLxEdgeGeometryProxy.h"
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
        m_center = c;
    }
    return true;
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
    WqGeMatrix3d m = WqGeMatrix3d::scaling(m_scale) * m_orientation *
                     WqGeMatrix3d::translation(WqGePoint3d::kOrigin - m_modelOrigin);
    m.preMultBy(WqGeMatrix3d::translation(m_center.asVector()));
    // Onto the sheet: depth is dropped.
    for (double& v : m.entry[2])
        v = 0.0;
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

void DLxViewInstance::BuildDisplayList(SMxDisplayList& list) const {
    SMxDisplayListBuilder builder(list);
    WqArray<WqGePoint3d> points;
    for (const DLxViewEdge& edge : m_edges) {
        builder.SetItemId(edge.id);
        const DLxSheetCurve c = ProjectEdge(edge);
        if (c.kind == DLxEdgeKind::Line) {
            builder.AddLine(c.start, c.end);
        } else if (c.circular) {
            WqGeVector3d ref;
            double radius = 0, start = 0, end = 0;
            c.GetCircle(ref, radius, start, end);
            builder.AddArc(c.center, WqGeVector3d::kZAxis, ref, radius, start, end);
        } else {
            c.Sample(points);
            builder.AddPolyline(points, c.IsFullCircle());
        }
    }
}

BBox DLxViewInstance::GetSheetBBox() const {
    SMxDisplayList list;
    BuildDisplayList(list);
    return list.GetBBox();
}
