#include "dl/DLxAnchorPoint.h"

#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxZoneUtilSheet.h"
#include "rse/RSeTransaction.h"

namespace {
DLxAnchorPoint* MakeAnchor(RSeSegment* segment, RDxFragment* fragment) {
    auto* anchor =
        new (RSe::_GetMeta(static_cast<const DLxAnchorPoint*>(nullptr)), segment) DLxAnchorPoint();
    if (fragment) fragment->AddNode(anchor);
    return anchor;
}
} // namespace

DLxAnchorPoint* DLxAnchorPoint::CreateFree(DLxSheet* sheet, const WqGePoint3d& point) {
    if (!sheet || !sheet->GetSegment()) return nullptr;
    DLxAnchorPoint* anchor = MakeAnchor(sheet->GetSegment(), sheet);
    anchor->m_point = WqGePoint3d(point.x, point.y, 0.0);
    return anchor;
}

DLxAnchorPoint* DLxAnchorPoint::CreateOnEdge(DLxViewInstance* view, int32_t edgeId, double param) {
    if (!view || !view->GetSegment() || !view->FindEdge(edgeId)) return nullptr;
    DLxAnchorPoint* anchor = MakeAnchor(view->GetSegment(), view->GetFragment().get());
    anchor->AttachToEdge(view, edgeId, param);
    return anchor;
}

bool DLxAnchorPoint::EdgePoint(WqGePoint3d& point) const {
    const auto* proxy = static_cast<const DUxGeometryProxy*>(m_proxy.GetTarget());
    return proxy && proxy->EvalPoint(m_param, point);
}

DLxAnchorPoint* DLxAnchorPoint::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    return MakeAnchor(fragment->GetSegment(), fragment);
}

void DLxAnchorPoint::PassValue(DLxAnchorPoint* target, int32_t) const {
    if (!target || target == this) return;
    target->BeginValueChange();
    target->m_point = m_point;
    target->m_view = m_view;
    target->m_proxy = m_proxy;
    target->m_param = m_param;
    target->m_hasEdge = m_hasEdge;
    target->m_edgeId = m_edgeId;
}

WqGePoint3d DLxAnchorPoint::GetPoint() const {
    WqGePoint3d p;
    return EdgePoint(p) ? p : m_point;
}

void DLxAnchorPoint::SetPoint(const WqGePoint3d& point) {
    const auto* proxy = static_cast<const DUxGeometryProxy*>(m_proxy.GetTarget());
    WqGePoint3d onEdge;
    double param = 0.0;
    if (proxy && proxy->ClosestPointTo(point, onEdge) && proxy->ParamOf(onEdge, param)) {
        SetParameter(param);
        return;
    }
    const WqGePoint3d p(point.x, point.y, 0.0);
    if (p == m_point) return;
    BeginValueChange();
    m_point = p;
}

WqGePoint3d DLxAnchorPoint::GetBrokenPoint() const {
    return UnbrokenToBroken(GetPoint());
}

WqGePoint3d DLxAnchorPoint::BrokenToUnbroken(const WqGePoint3d& point) const {
    return DLxZoneUtilSheet::BrokenToUnbroken(m_view.Read(), point);
}

WqGePoint3d DLxAnchorPoint::UnbrokenToBroken(const WqGePoint3d& point) const {
    return DLxZoneUtilSheet::UnbrokenToBroken(m_view.Read(), point);
}

bool DLxAnchorPoint::IsUnbrokenPointRemoved() const {
    return DLxZoneUtilSheet::IsUnbrokenPointRemoved(m_view.Read(), GetPoint());
}

bool DLxAnchorPoint::GetEdgeId(int32_t& id) const {
    if (m_hasEdge) {
        id = m_edgeId;
        return true;
    }
    const auto* edge = dynamic_cast<const DLxEdgeGeometryProxy*>(m_proxy.GetTarget());
    if (!edge) return false;
    id = edge->GetEdgeId();
    return true;
}

bool DLxAnchorPoint::ReConnect(bool force) {
    int32_t id = 0;
    if (!GetEdgeId(id)) return IsValid();
    if (IsValid() && !force) return true;
    DLxViewInstance* view = m_view.get();
    DLxEdgeGeometryProxy* proxy = view ? view->FindEdgeProxy(id) : nullptr;
    if (!proxy) return IsValid();
    WqGePoint3d p;
    proxy->EvalPoint(m_param, p);
    if (m_proxy.GetTarget() != proxy || m_proxy.IsTargetDeleted() || !m_hasEdge || p != m_point) {
        BeginValueChange();
        m_proxy = proxy;
        m_hasEdge = true;
        m_edgeId = id;
        m_point = p;
    }
    return true;
}

bool DLxAnchorPoint::IsSuppressed() const {
    const DLxViewInstance* view = GetViewInstance();
    return view && view->IsSuppressed();
}

bool DLxAnchorPoint::IsValid() const {
    if (m_proxy.IsNull()) return !m_proxy.IsTargetDeleted();
    return static_cast<const DUxGeometryProxy*>(m_proxy.GetTarget())->IsValid();
}

DLxViewInstance* DLxAnchorPoint::GetViewInstance() const {
    // Every change of a view records the view first, so reaching it records nothing: a view
    // and its edges join the history only when they change.
    return const_cast<DLxViewInstance*>(m_view.Read());
}

void DLxAnchorPoint::SetViewInstance(DLxViewInstance* view) {
    if (IsOnEdge() || m_view.GetTarget() == view) return;
    BeginValueChange();
    m_view = view;
}

DUxGeometryProxy* DLxAnchorPoint::GetGeometryProxy() const {
    // As the view: every change of a proxy records it first, so reaching it records nothing.
    // An edge's proxy serves every annotation on that edge, and was kept in the history of each.
    return const_cast<DUxGeometryProxy*>(m_proxy.Read());
}

void DLxAnchorPoint::SetParameter(double param) {
    if (param == m_param) return;
    BeginValueChange();
    m_param = param;
}

DLxAnchorPoint::Constraint DLxAnchorPoint::RelinquishConstraint() {
    Constraint held;
    if (!m_proxy.HasTarget()) return held;
    held.proxy = m_proxy;
    held.param = m_param;
    held.hasEdge = m_hasEdge;
    held.edgeId = m_edgeId;
    Detach();
    return held;
}

void DLxAnchorPoint::SetConstraint(const Constraint& constraint) {
    if (constraint.IsNull()) {
        Detach();
        return;
    }
    BeginValueChange();
    m_proxy = constraint.proxy;
    m_param = constraint.param;
    m_hasEdge = constraint.hasEdge;
    m_edgeId = constraint.edgeId;
    // An edge belongs to its view: the anchor goes with it.
    if (auto* edge = dynamic_cast<DLxEdgeGeometryProxy*>(m_proxy.GetTarget()))
        if (DLxViewInstance* view = edge->GetViewInstance()) m_view = view;
    EdgePoint(m_point);
}

bool DLxAnchorPoint::AttachToEdge(DLxViewInstance* view, int32_t edgeId, double param) {
    DLxEdgeGeometryProxy* proxy = view ? view->FindEdgeProxy(edgeId) : nullptr;
    if (!proxy) return false;
    BeginValueChange();
    m_view = view;
    m_proxy = proxy;
    m_param = param;
    m_hasEdge = true;
    m_edgeId = edgeId;
    EdgePoint(m_point);
    return true;
}

bool DLxAnchorPoint::AttachToGeometry(DUxGeometryProxy* proxy, double param) {
    if (!proxy) return false;
    BeginValueChange();
    m_proxy = proxy;
    m_param = param;
    m_hasEdge = false;
    EdgePoint(m_point);
    return true;
}

void DLxAnchorPoint::Detach() {
    if (m_proxy.IsNull() && !m_proxy.IsTargetDeleted()) return;
    const WqGePoint3d p = GetPoint();
    BeginValueChange();
    m_point = p;
    m_proxy.Clear();
    m_param = 0.0;
    m_hasEdge = false;
}

UTxResult DLxAnchorPoint::Compute(RDxComputeContext&) {
    WqGePoint3d p;
    if (EdgePoint(p) && p != m_point) {
        RSe::PrepareWrite(this);
        m_point = p;
    }
    return {};
}

void DLxAnchorPoint::CollectDependencies(std::vector<RDxNode*>& out) const {
    RDxState::CollectDependencies(out);
    // An anchor that lost its edge still waits on its view, which may bring the edge back.
    if (IsOnEdge() || m_hasEdge)
        if (RSeIDed* view = m_view.GetTarget()) out.push_back(static_cast<DLxViewInstance*>(view));
}
