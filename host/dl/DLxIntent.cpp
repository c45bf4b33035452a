#include "dl/DLxIntent.h"

#include "dl/DLxAnchorPoint.h"
#include "dl/DLxContext.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "uc/UCxTranscriptDataExchange.h"

DLxIntent DLxIntent::OnEdge(DLxViewInstance* view, int32_t edgeId, double param) {
    DLxIntent i;
    i.m_view = view;
    i.m_edge = edgeId;
    i.m_param = param;
    return i;
}

DLxIntent DLxIntent::Free(const WqGePoint3d& point, DLxViewInstance* view) {
    DLxIntent i;
    i.m_view = view;
    i.m_point = point;
    return i;
}

DLxViewInstance* DLxIntent::GetView() const {
    return static_cast<DLxViewInstance*>(m_view.GetTarget());
}

bool DLxIntent::operator==(const DLxIntent& o) const {
    return m_view.GetTarget() == o.m_view.GetTarget() && m_edge == o.m_edge &&
           m_param == o.m_param && m_point == o.m_point;
}

UTxResult DLxUtil::SetAnchorFromIntent(FWxSceneDoc*, const DLxIntent& intent,
                                       DLxAnchorPoint* anchor) {
    if (!anchor) return UTxResult(0xE009033C, u"Intent: no anchor to place");
    if (intent.GetEdgeId() != 0) {
        if (!intent.GetView() ||
            !anchor->AttachToEdge(intent.GetView(), intent.GetEdgeId(), intent.GetParameter()))
            return UTxResult::Refusal(0x200B0324, u"Intent: the view has no such edge");
        return {};
    }
    anchor->Detach();
    anchor->SetViewInstance(intent.GetView());
    anchor->SetPoint(intent.GetPoint());
    return {};
}

bool DLxTDXUtil::Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, DLxIntent& value,
                            bool required) {
    if (tdx.HasFailed()) return true;
    const UTxString16 k(key);
    const UTxString16 edgeKey = k + u"_Edge", paramKey = k + u"_Param", pointKey = k + u"_Point";
    if (tdx.IsWriting()) {
        RSeRef<DLxViewInstance> view(value.GetView());
        int32_t edge = value.GetEdgeId();
        double param = value.GetParameter();
        WqGePoint3d point = value.GetPoint();
        _TDX_RSeRef(tdx, key, view, true);
        _TDX_Int(tdx, edgeKey.c_str(), edge, true);
        _TDX_Double(tdx, paramKey.c_str(), param, true);
        _TDX_Point3(tdx, pointKey.c_str(), point, true);
        return true;
    }
    if (!required && !tdx.GetTranscriptMgr().ArgumentExists(tdx.GetLine(), key)) return false;
    RSeRef<DLxViewInstance> view;
    int32_t edge = 0;
    double param = 0;
    WqGePoint3d point;
    _TDX_RSeRef(tdx, key, view, true);
    _TDX_Int(tdx, edgeKey.c_str(), edge, true);
    _TDX_Double(tdx, paramKey.c_str(), param, true);
    _TDX_Point3(tdx, pointKey.c_str(), point, true);
    if (tdx.HasFailed()) return true;
    value =
        edge != 0 ? DLxIntent::OnEdge(view.get(), edge, param) : DLxIntent::Free(point, view.get());
    return true;
}

DLxIntent::DLxIntent(const WqGePoint3d& at, double tol, const std::vector<int32_t>* types)
    : m_point(at), m_pick(at), m_tol(tol), m_allTypes(types == nullptr) {
    if (types) m_types = *types;
}

bool DLxIntent::WantsType(int32_t type) const {
    if (m_allTypes) return true;
    for (int32_t t : m_types)
        if (t == type) return true;
    return false;
}

void DLxIntent::AddInference(const DLxInference& inference) {
    if (!WantsType(inference.type)) return;
    for (DLxInference& kept : m_inferences) {
        if (kept.type != inference.type) continue;
        if (m_pick.distanceTo(inference.point) < m_pick.distanceTo(kept.point)) kept = inference;
        return;
    }
    m_inferences.push_back(inference);
}

const DLxInference* DLxIntent::GetInference(int32_t type) const {
    for (const DLxInference& i : m_inferences)
        if (i.type == type) return &i;
    return nullptr;
}

int32_t DLxIntent::GetCursorShape() const {
    return m_inferences.empty() ? DLxInferUtil::kCursorPlain
                                : DLxInferUtil::CursorOf(m_inferences.front().type);
}
