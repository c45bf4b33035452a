#include "Request/DLxCreateSurfTXTRequest.h"

#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateSurfTXTRequest, FWxChangeRequest)

namespace {
using S = DUxSurfTXTState;
constexpr UTxResultCode kNoStyle = 0x200B0321;
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
constexpr char16_t kSymbolKey[] = u"SurfTextSymbol";
constexpr double kNudge = 0.001;
constexpr double kTol = 1e-10;

UTxResult Refuse(const UTxString16& why) {
    return UTxResult::Refusal(kBadInput, why);
}

// The sheet a new symbol goes on: that of the intent's view, else the document's first.
RDxFragment* FragmentFor(FWxSceneDoc* doc, const DLxIntent& intent) {
    RSeReadOnlyScope finding;
    if (DLxViewInstance* view = intent.GetView())
        if (RDxFragment* f = view->GetFragment().get()) return f;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}

// The style a request works with: its own, else the document's of the drawing's standard.
DUxSurfaceTextureStyle* StyleFor(FWxSceneDoc* doc, const RSeRef<DUxSurfaceTextureStyle>& own) {
    if (own.HasTarget()) return own.get();
    return DLxStdStyles::GetDocumentSurfaceTextureStyle(doc);
}
} // namespace

DLxCreateSurfTXTRequest::DLxCreateSurfTXTRequest() = default;

DLxCreateSurfTXTRequest::DLxCreateSurfTXTRequest(
    const DLxIntent& intent, const std::vector<WqGePoint3d>& points, const WqGePoint3d& landing,
    uint32_t arrowType, const std::vector<UTxString16>& values, const WqGePoint3d& position,
    int32_t subType, int32_t orientation, double angle, const Flags& flags,
    const RSeRef<DUxSurfaceTextureStyle>& style, const RSeRef<FBxLayerStyle>& layerStyle)
    : m_arrowType(arrowType), m_intent(intent), m_points(points), m_landing(landing),
      m_values(values), m_position(position), m_subType(subType), m_orientation(orientation),
      m_angle(angle), m_flags(flags), m_style(style), m_layerStyle(layerStyle), m_create(true) {}

DLxCreateSurfTXTRequest::DLxCreateSurfTXTRequest(
    const RSeRef<DLxSurfTXTInstance>& symbol, const std::vector<UTxString16>& values,
    const WqGePoint3d& position, int32_t subType, int32_t orientation, double angle,
    const Flags& flags, const RSeRef<DUxSurfaceTextureStyle>& style,
    const RSeRef<FBxLayerStyle>& layerStyle)
    : m_intent(DLxIntent::Free(WqGePoint3d())), m_values(values), m_position(position),
      m_subType(subType), m_orientation(orientation), m_angle(angle), m_flags(flags),
      m_instance(symbol), m_style(style), m_layerStyle(layerStyle), m_create(false) {}

UTxStringResource DLxCreateSurfTXTRequest::GetRequestIdentity() const {
    return {0x600B01D0, 11, 0};
}

UTxResult DLxCreateSurfTXTRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateSurfTXTSymbol");
}

UTxResult DLxCreateSurfTXTRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateSurfTXTRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return Refuse(u"no document");
    if (m_values.size() != size_t(S::kValueCount))
        return Refuse(u"Fields: a surface-texture symbol has 14 values");
    const DUxSurfaceTextureStyle* style = StyleFor(doc, m_style);
    if (!style)
        return UTxResult::Refusal(kNoStyle,
                                  u"SurfaceTextureStyle: the document has no surface-texture style");
    const int32_t standard = style->GetStandardCode();
    const uint32_t mask = style->GetLaySymbolMask();
    auto given = [this](int32_t v) { return !m_values[size_t(v)].empty(); };
    if (given(S::kRaMin) && !given(S::kRaMax)) return Refuse(u"Fields: a minimum without a maximum");
    if (given(S::kProduction2) && !given(S::kProduction))
        return Refuse(u"Fields: a second production line without a first");
    if (!given(S::kOtherValue) && standard != DUxSurfaceTextureStyle::kBSI &&
        standard != DUxSurfaceTextureStyle::kJIS) {
        if (given(S::kOtherMin)) return Refuse(u"Fields: an other minimum without an other value");
        if (given(S::kCutoff) && standard != DUxSurfaceTextureStyle::kGB)
            return Refuse(u"Fields: a cutoff without an other value");
    }
    const int32_t lay = S::LayOf(m_values[S::kLay]);
    if (m_subType == DUxSurfaceStdInfo::kBasic && given(S::kAllowance))
        return Refuse(u"Fields: a basic symbol has no machining allowance");
    if (m_subType == DUxSurfaceStdInfo::kRemovalProhibited && (given(S::kAllowance) || lay != 0))
        return Refuse(u"Fields: a symbol prohibiting material removal has no allowance or lay");
    if (standard == DUxSurfaceTextureStyle::kBSI &&
        m_subType == DUxSurfaceStdInfo::kRemovalProhibited &&
        (given(S::kProduction) || given(S::kProduction2) || given(S::kSampLength) ||
         given(S::kMaxRspac)))
        return Refuse(u"Fields: this symbol takes no production method, sampling length or spacing");
    if (!m_create) {
        if (!m_instance.HasTarget())
            return Refuse(m_instanceText.empty()
                              ? UTxString16(u"SurfTextSymbol: no surface-texture symbol")
                              : u"SurfTextSymbol: no surface-texture symbol at " + m_instanceText);
        const DUxSurfTXTState* state = m_instance->GetSurfTXTState();
        if (!state) return Refuse(u"SurfTextSymbol: the symbol has no state");
        // An edit may keep a lay the style no longer offers.
        if (lay == state->GetDirectionLay()) return {};
    }
    if (lay == 0) return {};
    if (lay >= 1 && lay <= 7 && (mask & (1u << (lay - 1)))) return {};
    return Refuse(u"Fields: the style does not offer lay " +
                  UTx::MakeWideString(std::to_string(lay)));
}

UTxResult DLxCreateSurfTXTRequest::_Execute(FWxSceneDoc* doc) {
    DLxSurfTXTInstance* inst = nullptr;
    if (m_create) {
        RDxFragment* fragment = FragmentFor(doc, m_intent);
        if (!fragment) return Refuse(u"Intent: the document has no sheet");
        RSeRef<DUxSurfaceTextureStyle> style(StyleFor(doc, m_style));
        inst = DLxSurfTXTInstance::CreateInstance(fragment, m_points, m_arrowType, style,
                                                  m_layerStyle, {});
        if (!inst) return Refuse(u"the symbol could not be made");
        m_instance = inst;
        inst->SetDisplayLeaders(m_flags.displayLeader);
        DLxAnchorPoint* anchor = inst->GetFirstAnchor();
        if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
        DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
        WqGePoint3d at;
        if (!m_points.empty() && leader0 && leader0->GetRoot()) {
            at = leader0->GetRoot()->GetPoint();
        } else {
            at = anchor->GetBrokenPoint();
            const WqGeVector3d towards = m_landing - at;
            if (towards.length() > kTol) at += towards.normal() * kNudge;
        }
        inst->MoveSymbolBox(at, 0);
        if (DUxSurfTXTState* state = inst->GetSurfTXTState()) {
            state->SetOrigin(anchor->GetBrokenPoint());
            DLxViewInstance* view = anchor->GetViewInstance();
            state->SetScale(view ? view->GetViewScale() : 1.0);
        }
    } else {
        inst = m_instance.get();
        m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    }
    DUxSurfTXTState* state = inst->GetSurfTXTState();
    if (state) {
        for (int32_t i = 0; i < S::kValueCount; ++i)
            state->SetValue(i, m_values[size_t(i)]);
        state->SetSubType(m_subType);
        state->SetOrientation(m_orientation);
        state->SetAngle(m_angle);
        state->SetHasLeader(m_flags.displayLeader);
        state->SetAllAround(m_flags.allAround);
        state->SetMajority(m_flags.majority);
        state->SetForcedTail(m_flags.forcedTail);
        state->SetAutoAdjustment(m_flags.autoAdjustment);
        DUxStyleUtil::SetLayerStyle(state, m_layerStyle.Read());
    }
    RDxComputeContext ctx;
    ctx.SetInt(kPersistantAttr, 1);
    inst->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = inst->GetFragment().get();
    }
    // A first compute settles the leader's landing, which the next one follows.
    if (fragment)
        for (int pass = 0; pass < 3 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
            (void)fragment->Recompute(ctx);
    if (m_create) new DLxCreateSurfTXTInstanceBulletin(doc, RSeRefBase(inst));
    return {};
}

UTxResult DLxCreateSurfTXTRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"DisplayLeader", m_flags.displayLeader, true);
    DLxTDXUtil::Transcript(tdx, u"Create", m_create, true);
    if (m_create) {
        DLxTDXUtil::Transcript(tdx, u"ArrowId", m_arrowType, true);
        DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
        DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
        DLxTDXUtil::Transcript(tdx, u"LandingPoint", m_landing, true);
    } else if (tdx.IsWriting()) {
        // The symbol as it was named before the request changed it (its key follows its
        // graphics), so that a replay finds it where the request found it.
        FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
        if (m_instanceText.empty())
            tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), kSymbolKey, m_instance);
        else
            tdx.GetResult() = mgr.PutValue(tdx.GetLine(), kSymbolKey,
                                           FWxTranscriptValue::MakeRef(m_instanceText));
    } else if (!tdx.HasFailed()) {
        // A key that names no symbol reads as none and keeps its text for the refusal.
        FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
        FWxTranscriptValue v;
        UTxResult r = mgr.GetValue(tdx.GetLine(), kSymbolKey, v);
        if (r.Failed()) {
            tdx.Fail(r);
        } else {
            RSeRefBase read;
            r = mgr.ResolveRSeRef(kSymbolKey, v, tdx.GetDocument(), read);
            if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
                r.GetCode() != kFBxErrNameKeyUnresolved)
                tdx.Fail(r);
            m_instance = RSeRef<DLxSurfTXTInstance>(read);
            m_instanceText = m_instance.HasTarget() ? UTxString16() : v.GetText();
        }
    }
    DLxTranscriptVector(tdx, u"Fields", m_values, true,
                        [](UCxTranscriptDataExchange& t, const char16_t* k, UTxString16& e,
                           bool r) { _TDX_String(t, k, e, r); });
    DLxTDXUtil::Transcript(tdx, u"SubType", m_subType, true);
    DLxTDXUtil::Transcript(tdx, u"Orientation", m_orientation, true);
    DLxTDXUtil::Transcript(tdx, u"Angle", m_angle, true);
    DLxTDXUtil::Transcript(tdx, u"AllAround", m_flags.allAround, true);
    DLxTDXUtil::Transcript(tdx, u"Majority", m_flags.majority, true);
    DLxTDXUtil::Transcript(tdx, u"ForcedTail", m_flags.forcedTail, true);
    DLxTDXUtil::Transcript(tdx, u"AutoAdjustment", m_flags.autoAdjustment, true);
    TranscriptRSeRefArgument(tdx, u"SurfaceTextureStyle", m_style, tdx.IsWriting());
    TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layerStyle, tdx.IsWriting());
    return tdx.GetResult();
}
