#include "Request/DLxCreateDatumIdRequest.h"

#include <cmath>

#include "DatumId/DLxDatumIdInstance.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxDatumIdState.h"
#include "du/DUxIdStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fb/FBxLayerStyle.h"
#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTextFormatter.h"

IMPLEMENT_DYNCREATE(DLxCreateDatumIdRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
// Far beyond any sheet; larger values would only lose the exactness of positions.
constexpr double kMaxCoordinate = 1.0e6;

bool Sane(const WqGePoint3d& p) {
    for (double v : {p.x, p.y, p.z})
        if (!std::isfinite(v) || std::fabs(v) > kMaxCoordinate) return false;
    return true;
}

// The sheet a new identifier goes on: that of the intent's view, else the document's first.
RDxFragment* FragmentFor(FWxSceneDoc* doc, const DLxIntent& intent) {
    RSeReadOnlyScope finding;
    if (DLxViewInstance* view = intent.GetView())
        if (RDxFragment* f = view->GetFragment().get()) return f;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}

// A style reference: always written; read only when the line has it, so that records without
// it take the drawing's style. A key naming an object of another kind reads as null and is
// noted, for ValidateInputs to refuse.
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
// The identifier's own text: what the record carries of the given one (its formatted text and
// look), so that a replay places the same text as the session did.
RDxString* CopyText(RDxFragment* fragment, const RDxString& from) {
    RDxString* to = DLxDatumIdInstance::NewString(fragment);
    if (!to) return nullptr;
    to->SetFormattedValue(from.GetFormattedValue(), 0);
    to->SetSimpleValue(to->GetDisplayText());
    to->SetFontId(from.GetFontId());
    to->SetTextHeight(from.GetTextHeight());
    to->SetHorizontalJustification(from.GetHorizontalJustification());
    to->SetVerticalJustification(from.GetVerticalJustification());
    to->SetRotation(from.GetRotation());
    to->SetLineSpacing(from.GetLineSpacingType(), from.GetLineSpacing());
    to->SetColor(from.GetColor());
    to->SetNoColor(from.GetNoColor());
    return to;
}
} // namespace

DLxCreateDatumIdRequest::DLxCreateDatumIdRequest() = default;

DLxCreateDatumIdRequest::DLxCreateDatumIdRequest(
    const DLxIntent& intent, const RSeRef<RDxString>& text, const std::vector<WqGePoint3d>& points,
    const WqGePoint3d& landingPoint, uint32_t arrowId, bool displayLeader, bool horizontal,
    bool feature, const RSeRef<DUxIdStyle>& style, const RSeRef<FBxLayerStyle>& layer)
    : m_arrowId(arrowId), m_intent(intent), m_points(points), m_landingPoint(landingPoint),
      m_displayLeader(displayLeader), m_text(text), m_horizontal(horizontal), m_feature(feature),
      m_style(style), m_layer(layer) {}

DLxCreateDatumIdRequest::~DLxCreateDatumIdRequest() {
    if (m_ownsText)
        if (RDxString* s = m_text.get()) RSe::DeleteObject(s);
}

UTxStringResource DLxCreateDatumIdRequest::GetRequestIdentity() const {
    return {0x600B01C7, 11, 0};
}

UTxResult DLxCreateDatumIdRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateDatumIdSymbol");
}

UTxResult DLxCreateDatumIdRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateDatumIdRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc) || !DLxRequestUtil::AllowRequestExecution(doc))
        return UTxResult::Refusal(kBadInput, u"the document takes no identifiers now");
    if (!m_misread.empty()) return UTxResult::Refusal(kBadInput, m_misread);
    if (!m_text.HasTarget()) return UTxResult::Refusal(kBadInput, u"String: no text");
    // A height no layout can place would frame the text in a box without bounds.
    const double height = m_text.Read()->GetTextHeight();
    if (!std::isfinite(height) || height < 0 || height > UCxTextFormatter::kMaxHeight)
        return UTxResult::Refusal(kBadInput, u"String_Height: not a text height");
    if (!std::isfinite(m_text.Read()->GetRotation()))
        return UTxResult::Refusal(kBadInput, u"String_Rotation: not an angle");
    if (!Sane(m_landingPoint)) return UTxResult::Refusal(kBadInput, u"EndLand: off any sheet");
    for (const WqGePoint3d& p : m_points)
        if (!Sane(p)) return UTxResult::Refusal(kBadInput, u"LeaderPoints: off any sheet");
    if (!FragmentFor(doc, m_intent))
        return UTxResult::Refusal(kBadInput, u"Intent: the document has no sheet");
    return {};
}

UTxResult DLxCreateDatumIdRequest::_Execute(FWxSceneDoc* doc) {
    RDxFragment* fragment = FragmentFor(doc, m_intent);
    // The identifier shows a copy: the request's own string stays the request's.
    RDxString* copy = CopyText(fragment, *m_text.Read());
    std::vector<WqGePoint3d> points = m_points;
    DLxDatumIdInstance* inst =
        DLxDatumIdInstance::CreateFromString(copy, points, m_landingPoint, m_arrowId, m_feature,
                                             m_style.Read(), m_layer.Read(), nullptr);
    m_instance = RSeRef<DLxDatumIdInstance>(inst);
    if (!inst) return {};
    inst->SetDisplayLeaders(m_displayLeader);
    inst->SetAlwaysHorizontal(m_horizontal);

    DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
    DLxAnchorPoint* anchor = inst->GetFirstAnchor();
    if (anchor)
        if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    if (leader0 && leader0->GetRoot()) inst->MoveSymbolBox(leader0->GetRoot()->GetPoint(), 0);
    if (DUxDatumIdState* state = inst->GetDatumIdState(); state && anchor) {
        state->SetOrigin(anchor->GetBrokenPoint());
        DLxViewInstance* view = anchor->GetViewInstance();
        state->SetScale(view ? view->GetViewScale() : 1.0);
    }

    RDxComputeContext ctx;
    ctx.SetInt(kPersistantAttr, 1);
    inst->MarkEdited(true);
    // A first compute settles the leader's landing, which the next one follows.
    for (int pass = 0; pass < 3 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
        fragment->Recompute(ctx);
    new DLxCreateDatumIdInstanceBulletin(doc, RSeRefBase(inst));
    return {};
}

UTxResult DLxCreateDatumIdRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"Arrow", m_arrowId, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTranscriptVector(tdx, u"LeaderPoints", m_points, true,
                        [](UCxTranscriptDataExchange& t, const char16_t* k, WqGePoint3d& p,
                           bool r) { _TDX_Point3(t, k, p, r); });
    DLxTDXUtil::Transcript(tdx, u"EndLand", m_landingPoint, true);
    DLxTDXUtil::Transcript(tdx, u"DispLeader", m_displayLeader, true);
    const bool hadText = m_text.HasTarget();
    DLxTDXUtil::Transcript(tdx, u"String", m_text, true);
    if (tdx.IsReading() && !hadText) m_ownsText = m_text.HasTarget();
    DLxTDXUtil::Transcript(tdx, u"Horizontal", m_horizontal, true);
    DLxTDXUtil::Transcript(tdx, u"Feature", m_feature, true);
    ExchangeStyle(tdx, u"DatumIDStyle", m_style, m_misread);
    ExchangeStyle(tdx, u"LayerStyle", m_layer, m_misread);
    return tdx.GetResult();
}
