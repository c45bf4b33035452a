#include "dl/DLxAnchorPoint.h"

#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
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

bool DLxAnchorPoint::IsValid() const {
    if (m_proxy.IsNull()) return !m_proxy.IsTargetDeleted();
    return static_cast<const DUxGeometryProxy*>(m_proxy.GetTarget())->IsValid();
}

DLxViewInstance* DLxAnchorPoint::GetViewInstance() const {
    return m_view.get();
}

void DLxAnchorPoint::SetViewInstance(DLxViewInstance* view) {
    if (IsOnEdge() || m_view.GetTarget() == view) return;
    BeginValueChange();
    m_view = view;
}

DUxGeometryProxy* DLxAnchorPoint::GetGeometryProxy() const {
    return m_proxy.get();
}

void DLxAnchorPoint::SetParameter(double param) {
    if (param == m_param) return;
    BeginValueChange();
    m_param = param;
}

bool DLxAnchorPoint::AttachToEdge(DLxViewInstance* view, int32_t edgeId, double param) {
    DLxEdgeGeometryProxy* proxy = view ? view->FindEdgeProxy(edgeId) : nullptr;
    if (!proxy) return false;
    BeginValueChange();
    m_view = view;
    m_proxy = proxy;
    m_param = param;
    EdgePoint(m_point);
    return true;
}

bool DLxAnchorPoint::AttachToGeometry(DUxGeometryProxy* proxy, double param) {
    if (!proxy) return false;
    BeginValueChange();
    m_proxy = proxy;
    m_param = param;
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
    if (IsOnEdge())
        if (RSeIDed* view = m_view.GetTarget()) out.push_back(static_cast<DLxViewInstance*>(view));
}
