#include "Request/DLxCreateBalloonSymRequest.h"

#include <string>

#include "BofM/DLxPartListData.h"
#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "Standard/DLxCBalloon.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxTagManager.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/SmartPtr.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateBalloonSymLocalBOMRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCreateBalloonSymRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;

bool IsDirection(uint32_t d) {
    switch (d) {
    case DLxBomStdInfo::kLeft:
    case DLxBomStdInfo::kUp:
    case DLxBomStdInfo::kDown:
    case DLxBomStdInfo::kRight:
    case DLxBomStdInfo::kUpRight:
    case DLxBomStdInfo::kDownRight:
        return true;
    default:
        return false;
    }
}

// The leader points as a counted list: "<key>_Count", then "<key>_<i in lower-case hex>".
void ExchangePoints(UCxTranscriptDataExchange& tdx, const char16_t* key,
                    std::vector<WqGePoint3d>& points) {
    DLxTranscriptVector(tdx, key, points, true,
                        [](UCxTranscriptDataExchange& t, const char16_t* k, WqGePoint3d& p,
                           bool r) { _TDX_Point3(t, k, p, r); });
}

// A style reference: always written; read only when the line has it, so that older records
// keep the default style. A key naming an object of another kind reads as null and is noted in
// `misread`, for ValidateInputs to refuse.
template <class T>
void ExchangeStyle(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& ref,
                   UTxString16& misread) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), key, ref);
        return;
    }
    if (!mgr.ArgumentExists(tdx.GetLine(), key)) return;
    RSeRefBase read;
    tdx.GetResult() = mgr.GetRSeRef(tdx.GetLine(), key, tdx.GetDocument(), read);
    ref = RSeRef<T>(read);
    if (read.HasTarget() && !ref.HasTarget() && misread.empty())
        misread = UTxString16(key) + u": " + mgr.StringFromRef(read) + u" is of another kind";
}

// What both requests refuse before anything changes: a document that is no drawing, a pick
// without a view (the replayed view key named none), a key read as an object of another kind,
// a direction outside the stacking directions.
UTxResult CheckCommon(FWxSceneDoc* doc, const DLxIntent& intent, const UTxString16& misread,
                      uint32_t direction) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc))
        return UTxResult::Refusal(kBadInput, u"the document is no drawing");
    if (!misread.empty()) return UTxResult::Refusal(kBadInput, misread);
    if (!intent.GetView()) return UTxResult::Refusal(kBadInput, u"Intent: no drawing view");
    if (!IsDirection(direction))
        return UTxResult::Refusal(kBadInput, u"Direction: " +
                                                 UTx::MakeWideString(std::to_string(direction)) +
                                                 u" is no stacking direction");
    return {};
}

UTxResult Stop(const char16_t* why) {
    return UTxResult::Refusal(kBadInput, UTxString16(u"the balloon could not be placed: ") + why);
}
} // namespace

// ---- the local-bill request

DLxCreateBalloonSymLocalBOMRequest::DLxCreateBalloonSymLocalBOMRequest()
    : m_data(std::make_unique<DLxPartListData>()) {}

DLxCreateBalloonSymLocalBOMRequest::DLxCreateBalloonSymLocalBOMRequest(
    const DLxIntent& intent, const std::vector<WqGePoint3d>& points, uint32_t arrowType,
    const DLxPartListData* data, DLxBomStdInfo::EDirection direction,
    const DLxLocalBOMCookie& cookie, const RSeRef<DUxBalloonStyle>& balloonStyle,
    const RSeRef<FBxLayerStyle>& layerStyle, bool reportModelDoc, bool snap)
    : m_balloonStyle(balloonStyle), m_layerStyle(layerStyle), m_intent(intent), m_points(points),
      m_arrowType(arrowType), m_direction(direction), m_cookie(cookie),
      m_data(data ? std::make_unique<DLxPartListData>(*data) : std::make_unique<DLxPartListData>()),
      m_reportModelDoc(reportModelDoc), m_snap(snap) {}

DLxCreateBalloonSymLocalBOMRequest::~DLxCreateBalloonSymLocalBOMRequest() = default;

UTxStringResource DLxCreateBalloonSymLocalBOMRequest::GetRequestIdentity() const {
    return {0x600B01F6, 11, 0};
}

UTxResult DLxCreateBalloonSymLocalBOMRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateBalloonSymbolLocalBOM");
}

UTxResult DLxCreateBalloonSymLocalBOMRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                                 const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateBalloonSymLocalBOMRequest::ValidateInputs(FWxSceneDoc* doc) {
    return CheckCommon(doc, m_intent, m_misread, uint32_t(m_direction));
}

UTxResult DLxCreateBalloonSymLocalBOMRequest::_Execute(FWxSceneDoc* doc) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxViewInstance* view = m_intent.GetView();
    DLxSheet* sheet = nullptr;
    {
        // Finding where the balloon goes changes nothing.
        RSeReadOnlyScope finding;
        sheet = view ? view->GetSheet() : nullptr;
    }
    if (!drawing || !sheet) return Stop(u"the view lies on no sheet");

    // The bill the balloon numbers from: that of the setup's scheme for the drawing's model,
    // made when there is none yet.
    if (!DLxLocalBOMMgr::IsViewOnline(drawing, view)) return Stop(u"the view shows no model");
    m_data->SetDocument(drawing);
    m_data->SetLocalBOM({});
    m_data->SetSourceFromDrawing(false);
    const RSeRef<DLxLocalBOM> bom = m_data->GetLocalBOM(true);
    if (!bom.HasTarget()) return Stop(u"the model has no bill of materials");

    // The row: the cookie's, else that of the component whose edge was picked. A pick on no
    // component's edge numbers nothing, and places nothing.
    DLxLocalBOMCookie cookie;
    RSeRef<DLxStructureNode> node;
    if (m_cookie.IsValid()) {
        if (!bom->HasRow(m_cookie)) return Stop(u"the cookie names no row of the bill");
        cookie = m_cookie;
    } else {
        // Not read-only: the edge's proxy and the component's structure node may be made here,
        // and undo must take them away again.
        DLxEdgeGeometryProxy* edge = m_intent.IsOnEdge() ? view->FindEdgeProxy(m_intent.GetEdgeId())
                                                        : nullptr;
        if (!edge) return {};
        const std::vector<int32_t> occurrence = edge->GetOccurrencePath();
        if (occurrence.empty()) return {};
        DLxConfiguration* config = bom->GetConfiguration(true);
        DLxTagManager* tags = config ? config->GetTagManager(true) : nullptr;
        node = RSeRef<DLxStructureNode>(tags ? tags->FindNode(occurrence) : nullptr);
        if (!node.HasTarget()) return {};
    }

    // No style named: the drawing's own, made on the first balloon's asking. The record keeps
    // null, so that a replay asks again.
    RSeRef<DUxBalloonStyle> style = m_balloonStyle;
    if (!style.HasTarget()) style = RSeRef<DUxBalloonStyle>(DLxStdStyles::GetBalloonStyle(doc));
    if (!style.HasTarget()) return Stop(u"the drawing has no balloon style");
    // The journalled points stay as picked, whatever the creation makes of them.
    std::vector<WqGePoint3d> points = m_points;
    m_instance = DLxBalloonSymInstance::CreateInstance(
        RSeRef<RDxFragment>(sheet), points, m_arrowType, node, cookie, m_direction,
        style, m_layerStyle, RSeRef<DUxStandardStyle>());
    DLxBalloonSymInstance* inst = m_instance.get();
    if (!inst) return Stop(u"the balloon was not made");

    const RSeRef<DLxBalloonSymState> state = inst->GetBalloonSymState();
    if (!state.HasTarget()) return Stop(u"the balloon has no state");
    state->SetLocalBOM(bom);
    const RSeRef<DLxCBalloon> primary = state->GetBalloon();
    DUxLeaderNodeTree* leader = inst->GetLeader(0);
    DLxAnchorPoint* anchor = leader ? DLxLeaderUtils::GetAnchorPoint(leader, 0) : nullptr;
    if (!primary.HasTarget() || !anchor) return Stop(u"the balloon has no entry or no anchor");

    if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    if (DUxLeaderNode* root = leader->GetRoot()) {
        const WqGePoint3d at = root->GetPoint();
        inst->MoveSymbolBox(at, 0);
        primary->setOrigin(at);
    }
    state->SetOrigin(anchor->GetBrokenPoint());
    state->SetScale(view->GetViewScale());
    if (!m_points.empty()) m_direction = DLxBalloonSymUtil::CalcBalloonDirection(inst, m_snap);
    primary->setDirection(m_direction);

    // No scene graph here: the instance keeps its own display list, which compute fills.
    inst->RegisterAnnotation(RSeRef<DLxSheet>(sheet));
    state->UpdateUsedProperties();
    inst->MarkEdited(true);
    bom->MarkDirtyAnnotationsEdited();

    RDxComputeContext ctx;
    if (UTxResult r = sheet->Recompute(ctx); r.Failed()) return r;
    DLxAnnotationUtil::DimCleanup(view);
    new DLxCreateBalloonSymInstanceBulletin(doc, RSeRefBase(inst));
    return {};
}

UTxResult
DLxCreateBalloonSymLocalBOMRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    if (tdx.HasFailed()) return tdx.GetResult();
    if (tdx.IsReading()) m_data = std::make_unique<DLxPartListData>();
    DLxTDXUtil::Transcript(tdx, u"Arrow", m_arrowType, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    ExchangePoints(tdx, u"LeaderPoints", m_points);
    uint32_t direction = uint32_t(m_direction);
    if (DLxTDXUtil::Transcript(tdx, u"Direction", direction, true) && tdx.IsReading())
        m_direction = DLxBomStdInfo::EDirection(int32_t(direction));
    DLxTDXUtil::Transcript(tdx, u"Cookie", m_cookie, true);
    ExchangeStyle(tdx, u"BalloonStyle", m_balloonStyle, m_misread);
    ExchangeStyle(tdx, u"LayerStyle", m_layerStyle, m_misread);
    if (!tdx.HasFailed()) m_data->DoTranscriptDataExchangeLocalBOM(tdx);
    if (tdx.IsWriting() || tdx.GetTranscriptMgr().ArgumentExists(tdx.GetLine(), u"Snap"))
        DLxTDXUtil::Transcript(tdx, u"Snap", m_snap, true);
    return tdx.GetResult();
}

// ---- the older record

DLxCreateBalloonSymRequest::DLxCreateBalloonSymRequest() = default;

int32_t DLxCreateBalloonSymRequest::SchemeFor(uint32_t partListMode, bool balloonMode) {
    return partListMode == 2 || (partListMode == 0 && !balloonMode) ? 2 : 1;
}

UTxStringResource DLxCreateBalloonSymRequest::GetRequestIdentity() const {
    return {0x600B01D4, 11, 0};
}

UTxResult DLxCreateBalloonSymRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateBalloonSymbol");
}

UTxResult DLxCreateBalloonSymRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                         const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateBalloonSymRequest::ValidateInputs(FWxSceneDoc* doc) {
    return CheckCommon(doc, m_intent, m_misread, m_direction);
}

UTxResult DLxCreateBalloonSymRequest::_Execute(FWxSceneDoc* doc) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    const int32_t scheme = SchemeFor(m_partListMode, m_balloonMode);
    DLxPartListData data(drawing);
    data.SetDelimiter(u".");
    data.SetInheritance(true);
    data.SetSchemeIDRaw(scheme);
    data.SetLegacyOptions(0);

    DLxLocalBOMCookie cookie;
    if (m_isCustom) {
        // The custom row at the journalled index of the drawing's bill. A bill made now would
        // have no custom rows, so none is made: an index outside the rows there places nothing.
        const DLxAssemblyData* model =
            drawing ? DLxLocalBOMMgr::GetAssemblyRepFromView(drawing, m_intent.GetView()) : nullptr;
        DLxLocalBOM* bom = model ? DLxLocalBOMMgr::GetAnyLocalBOM(drawing->GetRSeDb()) : nullptr;
        if (!bom || m_customIndex < 0 || size_t(m_customIndex) >= bom->NumOfCustoms()) return {};
        cookie = bom->CustomAt(size_t(m_customIndex));
    }
    SmartPtr<DLxCreateBalloonSymLocalBOMRequest> request(new DLxCreateBalloonSymLocalBOMRequest(
        m_intent, m_points, m_arrowType, &data, DLxBomStdInfo::EDirection(int32_t(m_direction)),
        cookie, m_balloonStyle, m_layerStyle, false, true));
    const UTxResult r = request->Execute(doc);
    m_instance = request->GetInstance();
    return r;
}

UTxResult DLxCreateBalloonSymRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    if (tdx.HasFailed()) return tdx.GetResult();
    DLxTDXUtil::Transcript(tdx, u"Arrow", m_arrowType, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    ExchangePoints(tdx, u"LeaderPoints", m_points);
    DLxTDXUtil::Transcript(tdx, u"PartListMode", m_partListMode, true);
    DLxTDXUtil::Transcript(tdx, u"BalloonMode", m_balloonMode, true);
    DLxTDXUtil::Transcript(tdx, u"Direction", m_direction, true);
    DLxTDXUtil::Transcript(tdx, u"IsCustom", m_isCustom, true);
    _TDX_Int(tdx, u"CustomIndex", m_customIndex, true);
    ExchangeStyle(tdx, u"BalloonStyle", m_balloonStyle, m_misread);
    ExchangeStyle(tdx, u"LayerStyle", m_layerStyle, m_misread);
    return tdx.GetResult();
}
