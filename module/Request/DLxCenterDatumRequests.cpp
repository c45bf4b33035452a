#include "Request/DLxCenterDatumRequests.h"

#include <cmath>

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumState.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxUIUtil.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateCenterDatumRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCenterDatumShowHideRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCenterDatumArrowHeadRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCenterDatumEditRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCenterDatumChangeAnchorRequest, FWxChangeRequest)

namespace {
// The common result of refused inputs.
constexpr UTxResultCode kRefused = 0xE009033C;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
// Far beyond any sheet; larger values would only lose the exactness of positions.
constexpr double kMaxCoordinate = 1.0e6;

bool Sane(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

bool Sane(const WqGePoint3d& p) {
    return Sane(p.x) && Sane(p.y) && Sane(p.z);
}

// Where an indicator may be anchored: a drawing that takes requests, no sketch being edited,
// and an edge of a view that the view has.
UTxResult CheckPlacement(FWxSceneDoc* doc, const DLxIntent& intent, const WqGePoint3d& point) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc) || !DLxRequestUtil::AllowRequestExecution(doc))
        return UTxResult::Refusal(kRefused, u"the document takes no origin indicators now");
    if (DLxUIUtil::IsSketchActive(doc))
        return UTxResult::Refusal(kRefused, u"a sketch is being edited");
    if (!intent.IsOnEdge()) return UTxResult::Refusal(kRefused, u"Intent: no edge of a view");
    {
        RSeReadOnlyScope finding;
        if (!intent.GetView()->FindEdge(intent.GetEdgeId()))
            return UTxResult::Refusal(kRefused, u"Intent: the view has no such edge");
    }
    if (!Sane(point)) return UTxResult::Refusal(kRefused, u"Point: off any sheet");
    return {};
}

// A style reference: always written; read only when the line has it. A key naming an object
// of another kind reads as null and is noted, for ValidateInputs to refuse.
template <class T>
void ExchangeRef(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& ref,
                 UTxString16& misread, bool required) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), key, ref);
        return;
    }
    if (!required && !mgr.ArgumentExists(tdx.GetLine(), key)) return;
    RSeRefBase read;
    tdx.GetResult() = mgr.GetRSeRef(tdx.GetLine(), key, tdx.GetDocument(), read);
    ref = RSeRef<T>(read);
    if (read.HasTarget() && !ref.HasTarget() && misread.empty())
        misread = UTxString16(key) + u": " + mgr.StringFromRef(read) + u" is of another kind";
}

UTxResult CheckIndicator(const RSeRef<DLxCenterDatumInstance>& indicator,
                         const UTxString16& misread, const char16_t* key) {
    if (!misread.empty()) return UTxResult::Refusal(kRefused, misread);
    if (!indicator.HasTarget())
        return UTxResult::Refusal(kRefused, UTxString16(key) + u": no origin indicator");
    return {};
}

RDxFragment* FragmentOf(const RDxNode* node) {
    RSeReadOnlyScope finding;
    return node ? node->GetFragment().get() : nullptr;
}

// The anchor's view scale, 1.0 without a view.
double ViewScale(const DLxAnchorPoint* anchor) {
    DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
    return view ? view->GetViewScale() : 1.0;
}

void Compute(DLxCenterDatumInstance* indicator) {
    RDxFragment* fragment = FragmentOf(indicator);
    if (!fragment) return;
    RDxComputeContext ctx;
    ctx.SetInt(kPersistantAttr, 1);
    indicator->MarkEdited(true);
    // The executions succeed whatever the compute reports: its diagnoses say why.
    fragment->Recompute(ctx);
}
} // namespace

// ---- create

DLxCreateCenterDatumRequest::DLxCreateCenterDatumRequest() = default;

DLxCreateCenterDatumRequest::DLxCreateCenterDatumRequest(const DLxIntent& intent,
                                                         const WqGePoint3d& point,
                                                         uint32_t arrowType,
                                                         const RSeRef<DUxLeaderStyle>& leaderStyle,
                                                         const RSeRef<FBxLayerStyle>& layer,
                                                         bool viewConstraintOnly)
    : m_arrowType(arrowType), m_intent(intent), m_point(point),
      m_viewConstraintOnly(viewConstraintOnly), m_leaderStyle(leaderStyle), m_layer(layer) {}

UTxStringResource DLxCreateCenterDatumRequest::GetRequestIdentity() const {
    return {0x600B01C9, 11, 0};
}

UTxResult DLxCreateCenterDatumRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateCenterDatumSymbol");
}

UTxResult DLxCreateCenterDatumRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                          const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateCenterDatumRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!m_misread.empty()) return UTxResult::Refusal(kRefused, m_misread);
    return CheckPlacement(doc, m_intent, m_point);
}

UTxResult DLxCreateCenterDatumRequest::_Execute(FWxSceneDoc* doc) {
    RDxFragment* fragment = FragmentOf(m_intent.GetView());
    DLxCenterDatumInstance* indicator = DLxCenterDatumInstance::CreateInstance(
        fragment, m_point, m_arrowType, m_leaderStyle.Read(), m_layer.Read());
    m_instance = RSeRef<DLxCenterDatumInstance>(indicator);
    if (!indicator) return UTxResult::Refusal(kRefused, u"the indicator could not be made");
    DLxAnchorPoint* anchor = indicator->GetAnchorPoint();
    if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    if (DLxCenterDatumState* state = indicator->GetCenterDatumState()) {
        state->SetOrigin(anchor->GetBrokenPoint());
        state->SetScale(ViewScale(anchor));
    }
    indicator->RecordWithView();
    Compute(indicator);
    new DLxCreateSymbolInstanceBulletin(doc, RSeRefBase(indicator));
    return {};
}

UTxResult DLxCreateCenterDatumRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"ArrowId", m_arrowType, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"ViewConstraintOnly", m_viewConstraintOnly, true);
    ExchangeRef(tdx, u"LeaderStyle", m_leaderStyle, m_misread, false);
    ExchangeRef(tdx, u"LayerStyle", m_layer, m_misread, false);
    return tdx.GetResult();
}

// ---- the requests on an indicator

DLxCenterDatumInstanceRequest::DLxCenterDatumInstanceRequest(
    const RSeRef<DLxCenterDatumInstance>& indicator)
    : m_instance(indicator) {}

UTxResult DLxCenterDatumInstanceRequest::ValidateInputs(FWxSceneDoc*) {
    return CheckIndicator(m_instance, m_misread, u"SymInstance");
}

void DLxCenterDatumInstanceRequest::ExchangeInstance(UCxTranscriptDataExchange& tdx) {
    ExchangeRef(tdx, u"SymInstance", m_instance, m_misread, true);
}

void DLxCenterDatumInstanceRequest::Recompute(DLxCenterDatumInstance* indicator) {
    Compute(indicator);
}

DLxCenterDatumShowHideRequest::DLxCenterDatumShowHideRequest(
    const RSeRef<DLxCenterDatumInstance>& indicator, bool hide)
    : DLxCenterDatumInstanceRequest(indicator), m_hide(hide) {}

UTxStringResource DLxCenterDatumShowHideRequest::GetRequestIdentity() const {
    return {0x600B01CE, 11, 0};
}

UTxResult DLxCenterDatumShowHideRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ShowHideCenterDatum");
}

UTxResult DLxCenterDatumShowHideRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                            const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCenterDatumShowHideRequest::_Execute(FWxSceneDoc*) {
    DLxCenterDatumInstance* indicator = m_instance.get();
    indicator->SetHideSymbol(m_hide);
    Recompute(indicator);
    return {};
}

UTxResult DLxCenterDatumShowHideRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeInstance(tdx);
    DLxTDXUtil::Transcript(tdx, u"Hide", m_hide, true);
    return tdx.GetResult();
}

DLxCenterDatumArrowHeadRequest::DLxCenterDatumArrowHeadRequest(
    const RSeRef<DLxCenterDatumInstance>& indicator, uint32_t arrowHead)
    : DLxCenterDatumInstanceRequest(indicator), m_arrowHead(arrowHead) {}

UTxStringResource DLxCenterDatumArrowHeadRequest::GetRequestIdentity() const {
    return {0x600B01CB, 11, 0};
}

UTxResult DLxCenterDatumArrowHeadRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeCenterDatumSymbol");
}

UTxResult DLxCenterDatumArrowHeadRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                             const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCenterDatumArrowHeadRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (UTxResult r = DLxCenterDatumInstanceRequest::ValidateInputs(doc); r.Failed()) return r;
    if (!DUxArrowHeadTemplate::Find(m_arrowHead))
        return UTxResult::Refusal(kRefused, u"ArrowHead: no such arrowhead");
    return {};
}

UTxResult DLxCenterDatumArrowHeadRequest::_Execute(FWxSceneDoc*) {
    DLxCenterDatumInstance* indicator = m_instance.get();
    indicator->SetArrowHeadTemplate(DUxArrowHeadTemplate::Find(m_arrowHead));
    Recompute(indicator);
    return {};
}

UTxResult DLxCenterDatumArrowHeadRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeInstance(tdx);
    DLxTDXUtil::Transcript(tdx, u"ArrowHead", m_arrowHead, true);
    return tdx.GetResult();
}

DLxCenterDatumEditRequest::DLxCenterDatumEditRequest(
    const RSeRef<DLxCenterDatumInstance>& indicator, double relX, double relY)
    : DLxCenterDatumInstanceRequest(indicator), m_relX(relX), m_relY(relY) {}

UTxStringResource DLxCenterDatumEditRequest::GetRequestIdentity() const {
    return {0x600B01CF, 11, 0};
}

UTxResult DLxCenterDatumEditRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"EditCenterDatumSymbol");
}

UTxResult DLxCenterDatumEditRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCenterDatumEditRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (UTxResult r = DLxCenterDatumInstanceRequest::ValidateInputs(doc); r.Failed()) return r;
    if (!Sane(m_relX) || !Sane(m_relY))
        return UTxResult::Refusal(kRefused, u"RelX, RelY: not an offset on a sheet");
    return {};
}

UTxResult DLxCenterDatumEditRequest::_Execute(FWxSceneDoc*) {
    DLxCenterDatumInstance* indicator = m_instance.get();
    if (DLxCenterDatumState* state = indicator->GetCenterDatumState()) {
        state->SetRelXValue(m_relX);
        state->SetRelYValue(m_relY);
    }
    Recompute(indicator);
    return {};
}

UTxResult DLxCenterDatumEditRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeInstance(tdx);
    DLxTDXUtil::Transcript(tdx, u"RelX", m_relX, true);
    DLxTDXUtil::Transcript(tdx, u"RelY", m_relY, true);
    return tdx.GetResult();
}

// ---- anchor change

DLxCenterDatumChangeAnchorRequest::DLxCenterDatumChangeAnchorRequest(
    const RSeRef<DLxCenterDatumInstance>& indicator, const DLxIntent& intent, bool infer,
    const WqGePoint3d& point, const RSeRef<DLxViewInstance>& view)
    : m_instance(indicator), m_intent(intent), m_infer(infer), m_point(point), m_view(view),
      m_instanceText(FWxUtil::GetTranscriptMgr().StringFromRef(indicator)) {}

UTxStringResource DLxCenterDatumChangeAnchorRequest::GetRequestIdentity() const {
    return {0x600B01CA, 11, 0};
}

UTxResult DLxCenterDatumChangeAnchorRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"MoveCenterDatumAnchor");
}

UTxResult DLxCenterDatumChangeAnchorRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                                const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCenterDatumChangeAnchorRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (UTxResult r = CheckIndicator(m_instance, UTxString16(), u"CenterDatumInstance"); r.Failed())
        return r;
    return CheckPlacement(doc, m_intent, m_point);
}

UTxResult DLxCenterDatumChangeAnchorRequest::_Execute(FWxSceneDoc* doc) {
    DLxCenterDatumInstance* indicator = m_instance.get();
    if (DLxAnchorPoint* anchor = indicator->GetAnchorPoint()) {
        DLxViewInstance* before = anchor->GetViewInstance();
        if (m_infer) {
            if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed())
                return r;
        } else {
            // The anchor slides along the edge it is on to the point.
            int32_t edge = 0;
            DLxViewInstance* view = anchor->GetViewInstance();
            const DLxViewEdge* e = view && anchor->GetEdgeId(edge) ? view->FindEdge(edge) : nullptr;
            if (e)
                anchor->SetParameter(view->ProjectEdge(*e).ParamOf(m_point));
            else
                anchor->SetPoint(m_point);
        }
        if (DLxCenterDatumState* state = indicator->GetCenterDatumState()) {
            state->SetOrigin(anchor->GetPoint());
            state->SetScale(ViewScale(anchor));
            // Moving the anchor clears the offset.
            state->SetRelXValue(0.0);
            state->SetRelYValue(0.0);
        }
        if (DLxViewInstance* view = m_view.get()) anchor->SetViewInstance(view);
        // Moved onto another view, the indicator marks that view's origin.
        if (anchor->GetViewInstance() != before) indicator->RecordWithView(before);
    }
    Compute(indicator);
    return {};
}

UTxResult
DLxCenterDatumChangeAnchorRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"CenterDatumInstance", m_instanceText, m_instance);
    UTxString16 misread;
    ExchangeRef(tdx, u"ViewInstance", m_view, misread, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"Infer", m_infer, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    return tdx.GetResult();
}
