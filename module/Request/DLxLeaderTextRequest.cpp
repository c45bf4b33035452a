#include "Request/DLxLeaderTextRequest.h"

#include <cmath>

#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderTextState.h"
#include "du/DUxStandardStyle.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxLayerStyle.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTextFormatter.h"

IMPLEMENT_DYNCREATE(DLxLeaderTextRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kNotADrawing = 0xE009033C;
constexpr UTxResultCode kDefinitionActive = 0xE00B025A;
constexpr UTxResultCode kBadInput = 0x200B0323;
// Far beyond any sheet; larger values would only lose the exactness of positions.
constexpr double kMaxCoordinate = 1.0e6;
// The format code a text read back from the journal has.
constexpr int32_t kJournalledFormat = 0x131;

// A style reference as TranscriptRSeRefArgument exchanges it (optional when reading); `other`
// tells whether a record named an object that is not a T, which the request then refuses
// rather than take the default style for it.
template <class T>
void ExchangeStyle(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& ref,
                   bool& other) {
    if (tdx.IsWriting() || tdx.HasFailed()) {
        TranscriptRSeRefArgument(tdx, key, ref, tdx.IsWriting());
        return;
    }
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (!mgr.ArgumentExists(tdx.GetLine(), key)) return;
    RSeRefBase read;
    tdx.GetResult() = mgr.GetRSeRef(tdx.GetLine(), key, tdx.GetDocument(), read);
    ref = RSeRef<T>(read);
    other = read.GetTarget() && !ref.HasTarget();
}

bool Sane(const WqGePoint3d& p) {
    auto ok = [](double v) { return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate; };
    return ok(p.x) && ok(p.y) && ok(p.z);
}
} // namespace

DLxLeaderTextRequest::DLxLeaderTextRequest() = default;

DLxLeaderTextRequest::DLxLeaderTextRequest(const DLxIntent& intent, const RSeRef<RDxString>& text,
                                           const std::vector<WqGePoint3d>& points,
                                           const WqGePoint3d& landingPoint, uint32_t arrowId,
                                           bool displayLeader, bool horizontal,
                                           const RSeRef<DUxDimensionStyle>& dimensionStyle,
                                           const RSeRef<FBxLayerStyle>& layerStyle,
                                           int32_t overrideFlags)
    : m_arrowId(arrowId), m_intent(intent), m_points(points), m_landingPoint(landingPoint),
      m_displayLeader(displayLeader), m_text(text), m_horizontal(horizontal),
      m_overrideFlags(overrideFlags), m_dimensionStyle(dimensionStyle), m_layerStyle(layerStyle) {}

DLxLeaderTextRequest::DLxLeaderTextRequest(const DLxIntent& intent, const RSeRef<RDxString>& text,
                                           const std::vector<WqGePoint3d>& points,
                                           const RSeRef<DUxDimensionStyle>& dimensionStyle,
                                           const RSeRef<FBxLayerStyle>& layerStyle)
    : DLxLeaderTextRequest(intent, text, points, WqGePoint3d(),
                           DUxLeaderNodeTree::kDefaultArrowHeadId, true, true, dimensionStyle,
                           layerStyle, 0) {}

DLxLeaderTextRequest::~DLxLeaderTextRequest() {
    if (m_ownsText)
        if (RDxString* s = m_text.get()) RSe::DeleteObject(s);
}

UTxStringResource DLxLeaderTextRequest::GetRequestIdentity() const {
    return {0x600B01D1, 11, 0};
}

UTxResult DLxLeaderTextRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateLeaderTextSymbol");
}

UTxResult DLxLeaderTextRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxLeaderTextRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc))
        return UTxResult::Refusal(kNotADrawing, u"the document is not a drawing");
    if (!DLxRequestUtil::AllowRequestExecution(doc))
        return UTxResult::Refusal(kDefinitionActive, u"the drawing takes no annotations now");
    for (const WqGePoint3d& p : m_points)
        if (!Sane(p)) return UTxResult::Refusal(kBadInput, u"Points: a point lies off any sheet");
    if (m_otherDimensionStyle)
        return UTxResult::Refusal(kBadInput, u"DimensionStyle: not a dimension style");
    if (m_otherLayerStyle) return UTxResult::Refusal(kBadInput, u"LayerStyle: not a layer");
    if (!Sane(m_landingPoint))
        return UTxResult::Refusal(kBadInput, u"LandingPoint: the point lies off any sheet");
    if (const RDxString* text = m_text.Read()) {
        const double h = text->GetTextHeight();
        if (!std::isfinite(h) || h < 0 || h > UCxTextFormatter::kMaxHeight)
            return UTxResult::Refusal(kBadInput, u"String_Height: not a text height");
    }
    return {};
}

UTxResult DLxLeaderTextRequest::_Execute(FWxSceneDoc* doc) {
    RDxFragment* fragment = DLxRequestUtil::SheetFragmentFor(doc, m_intent.GetView());
    if (!fragment) return UTxResult::Refusal(kBadInput, u"Intent: the document has no sheet");
    // The drawing's leader-text style, made the first time a leader text needs it.
    DUxDimensionStyle* docStyle = DLxStdStyles::GetLeaderTextStyle(doc);
    // Naming the drawing's own style is following it: the text keeps following it (and a
    // replay, which reads that name as no style, makes the same).
    if (m_dimensionStyle.GetTarget() == docStyle) m_dimensionStyle = {};

    const DUxDimensionStyle* style =
        m_dimensionStyle.HasTarget() ? m_dimensionStyle.Read() : docStyle;
    if (!m_text.HasTarget()) {
        // No text given: an empty one in the style's look, journalled as the request's own.
        auto* empty = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                           RSe::TransientSegment()) RDxString();
        DLxLeaderTextInstance::ApplyDimStyleToString(doc, empty, style);
        m_text = RSeRef<RDxString>(empty);
        m_ownsText = true;
    }
    // The sheet's copy, which the instance owns, takes what the journal keeps of the text, so
    // that a replay makes the same; the leader places it, about its middle and unturned.
    const RDxString* given = m_text.Read();
    auto* text = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), fragment->GetSegment())
        RDxString();
    fragment->AddNode(text);
    text->SetFormattedValue(given->GetFormattedValue(), kJournalledFormat);
    text->SetFontId(given->GetFontId());
    text->SetTextHeight(given->GetTextHeight());
    text->SetHorizontalJustification(given->GetHorizontalJustification());
    text->SetVerticalJustification(given->GetVerticalJustification());
    text->SetLineSpacing(given->GetLineSpacingType(), given->GetLineSpacing());
    text->SetColor(given->GetColor());
    text->SetNoColor(given->GetNoColor());
    if (text->GetTextHeight() <= 0.0)
        DLxLeaderTextInstance::ApplyDimStyleToString(doc, text, style);
    text->SetRotation(0.0);
    text->SetAttachment(DLxLeaderTextInstance::kStringAttachment);

    DLxLeaderTextInstance* inst = DLxLeaderTextInstance::CreateInstance(
        fragment, text, m_points, m_landingPoint, m_arrowId, RSeRef<DUxStandardStyle>(),
        m_dimensionStyle, m_layerStyle);
    if (!inst) return UTxResult::Refusal(kBadInput, u"the leader text could not be made");
    m_instance = inst;
    inst->SetDisplayLeaders(m_displayLeader);
    inst->SetAlwaysHorizontal(m_horizontal);
    DUxLeaderTextState* state = inst->GetLeaderTextState();
    state->SetModificationFlags(state->GetModificationFlags() | uint32_t(m_overrideFlags));
    // The layer's colour unless the user gave the text its own.
    if (!(m_overrideFlags & DUxLeaderTextState::kColorModified)) text->SetNoColor(true);

    DLxAnchorPoint* anchor = inst->GetFirstAnchor();
    if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
    if (leader0 && leader0->GetRoot()) inst->MoveSymbolBox(leader0->GetRoot()->GetPoint(), 0);
    if (anchor) {
        state->SetOrigin(anchor->GetBrokenPoint());
        DLxViewInstance* view = anchor->GetViewInstance();
        state->SetScale(view ? view->GetViewScale() : 1.0);
    }
    UTxResult result = DLxSymChangeLeaderRequest::Recompute(inst, nullptr);
    new DLxCreateLeaderTextInstanceBulletin(doc, RSeRefBase(inst));
    return result;
}

UTxResult DLxLeaderTextRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"ArrowId", m_arrowId, true);
    DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
    DLxTDXUtil::Transcript(tdx, u"LandingPoint", m_landingPoint, true);
    DLxTDXUtil::Transcript(tdx, u"DisplayLeader", m_displayLeader, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    const bool hadText = m_text.HasTarget();
    DLxTDXUtil::Transcript(tdx, u"String", m_text, true);
    if (tdx.IsReading() && !hadText) m_ownsText = m_text.HasTarget();
    DLxTDXUtil::Transcript(tdx, u"Horizontal", m_horizontal, true);
    DLxTDXUtil::Transcript(tdx, u"LeaderTextOverrideFlags", m_overrideFlags, true);
    ExchangeStyle(tdx, u"DimensionStyle", m_dimensionStyle, m_otherDimensionStyle);
    ExchangeStyle(tdx, u"LayerStyle", m_layerStyle, m_otherLayerStyle);
    // A record naming the drawing's own leader-text style means the default.
    if (tdx.IsReading() && !tdx.HasFailed() && m_dimensionStyle.HasTarget() &&
        m_dimensionStyle.GetTarget() ==
            DUxDimensionStyleWrapper::GetDocumentStyle(tdx.GetDocument()))
        m_dimensionStyle = {};
    return tdx.GetResult();
}
