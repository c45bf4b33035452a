#include "Request/DLxCallOutRequest.h"

#include <cmath>

#include "Request/DLxRequestUtil.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateCallOutRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxCallOutSymEditRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0xE009033C;
constexpr UTxResultCode kNoSketch = 0xE009032D;
constexpr double kRotationLimit = 32767.0;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

UTxResult Refuse(const UTxString16& why) {
    return UTxResult::Refusal(kBadInput, why);
}

// Scale and rotation a symbol can be drawn with: finite, the scale above zero, the rotation
// strictly within the range the dialog offers.
UTxResult CheckTurnAndSize(double rotation, double scale, const char16_t* rotationKey,
                           const char16_t* scaleKey) {
    if (!(rotation > -kRotationLimit && rotation < kRotationLimit))
        return Refuse(UTxString16(rotationKey) + u": not strictly between -32767 and 32767");
    if (!std::isfinite(scale) || scale <= 0)
        return Refuse(UTxString16(scaleKey) + u": not a finite number above 0");
    return {};
}

// A placement of the sketch on the sheet, its prompted texts filled with `prompts` when there
// is exactly one string for each of them (otherwise they keep the sketch's own values).
DLxSketchInstance* PlaceSketch(DLxSheet* sheet, DLxSketch* sketch,
                               const std::vector<UTxString16>& prompts) {
    DLxSketchInstance* inst = DLxSketchInstance::Create(sheet, sketch);
    if (!inst) return nullptr;
    const std::vector<int32_t> prompted = sketch->GetAllPromptParameters();
    if (prompted.size() == prompts.size())
        for (size_t i = 0; i < prompted.size(); ++i)
            inst->SetTextString(prompted[i], prompts[i]);
    return inst;
}

UTxResult Recompute(DLxCallOutInstance* inst) {
    RDxComputeContext ctx;
    ctx.SetInt(kPersistantAttr, 1);
    inst->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = inst->GetFragment().get();
    }
    if (!fragment) return {};
    // A first compute settles the leader's landing, which the next one follows.
    UTxResult r;
    for (int pass = 0; pass < 3 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
        r = fragment->Recompute(ctx);
    return r.Failed() ? UTxResult() : r;
}

void PutSymbolText(UCxTranscriptDataExchange& tdx, const RSeRef<DLxCallOutInstance>& symbol,
                   const UTxString16& before) {
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (before.empty())
        tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), u"Callout", symbol);
    else
        tdx.GetResult() =
            mgr.PutValue(tdx.GetLine(), u"Callout", FWxTranscriptValue::MakeRef(before));
}

// A key that names no sketched symbol (none there, or an object of another kind) reads as none
// and keeps its text for ValidateInputs to say which; a malformed key ends the exchange.
void ReadSymbol(UCxTranscriptDataExchange& tdx, RSeRef<DLxCallOutInstance>& symbol,
                UTxString16& text) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    FWxTranscriptValue v;
    UTxResult r = mgr.GetValue(tdx.GetLine(), u"Callout", v);
    if (r.Failed()) {
        tdx.Fail(r);
        return;
    }
    RSeRefBase read;
    r = mgr.ResolveRSeRef(u"Callout", v, tdx.GetDocument(), read);
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    symbol = RSeRef<DLxCallOutInstance>(read);
    text = symbol.HasTarget() ? UTxString16() : v.GetText();
}

// A reference that may be null. Read, a value that names an object of another kind reads as
// null too: its key goes to `wrongKind`, for ValidateInputs to refuse.
template <class T>
void Reference(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& ref, bool required,
               std::vector<UTxString16>& wrongKind) {
    const bool present = TranscriptRSeRefArgument(tdx, key, ref, required);
    if (!tdx.IsReading() || !present || tdx.HasFailed() || ref.HasTarget()) return;
    FWxTranscriptValue v;
    if (!tdx.GetTranscriptMgr().GetValue(tdx.GetLine(), key, v).Failed() &&
        v.GetKind() == FWxTranscriptValue::kRef)
        wrongKind.emplace_back(key);
}

UTxResult RefuseWrongKind(const std::vector<UTxString16>& wrongKind) {
    if (wrongKind.empty()) return {};
    return Refuse(wrongKind.front() + u": names an object of another kind");
}

// An optional key: the default first, then the key when the record has it.
void Optional(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value, bool fallback) {
    if (tdx.IsReading()) value = fallback;
    DLxTDXUtil::Transcript(tdx, key, value, false);
}
} // namespace

// ---- create

DLxCreateCallOutRequest::DLxCreateCallOutRequest() : m_intent(DLxIntent::Free(WqGePoint3d())) {}

DLxCreateCallOutRequest::DLxCreateCallOutRequest(
    const RSeRef<DLxSketch>& sketch, const RSeRef<DLxSheet>& sheet,
    const std::vector<UTxString16>& promptStrings, const DLxIntent& intent,
    const std::vector<WqGePoint3d>& points, uint32_t arrowId, bool displayLeader,
    const RSeRef<DUxLeaderStyle>& leaderStyle, const RSeRef<FBxLayerStyle>& layerStyle,
    double rotation, double scale, bool useGeomCenter, bool clipOthers, bool isStatic,
    bool leaderVisible, bool useStackingBehavior)
    : m_sketch(sketch), m_sheet(sheet), m_promptStrings(promptStrings), m_arrowId(arrowId),
      m_intent(intent), m_points(points), m_displayLeader(displayLeader), m_clipOthers(clipOthers),
      m_rotation(rotation), m_scale(scale), m_useGeomCenter(useGeomCenter), m_static(isStatic),
      m_leaderVisible(leaderVisible), m_leaderStyle(leaderStyle), m_layerStyle(layerStyle),
      m_useStackingBehavior(useStackingBehavior) {}

UTxStringResource DLxCreateCallOutRequest::GetRequestIdentity() const {
    return {0x600B01C1, 11, 0};
}

UTxResult DLxCreateCallOutRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateCallOutSymbol");
}

UTxResult DLxCreateCallOutRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateCallOutRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return Refuse(u"no document");
    if (UTxResult r = RefuseWrongKind(m_wrongKind); r.Failed()) return r;
    if (!m_sheet.HasTarget()) return Refuse(u"SketchInstance: no sheet");
    if (!DLxRequestUtil::AllowRequestExecution(doc))
        return Refuse(u"SketchInstance: the sheet takes no changes");
    if (!m_sketch.HasTarget()) return Refuse(u"Sketch: no sketch definition");
    if (FWxDocUtil::DocumentOf(m_sketch.get()) != FWxDocUtil::DocumentOf(m_sheet.get()) ||
        FWxDocUtil::DocumentOf(m_sheet.get()) != doc)
        return Refuse(u"Sketch: the definition and the sheet lie in different documents");
    return CheckTurnAndSize(m_rotation, m_scale, u"Rotation", u"Scale");
}

UTxResult DLxCreateCallOutRequest::_Execute(FWxSceneDoc* doc) {
    m_created = RSeRef<DLxCallOutInstance>();
    DLxSketch* sketch = m_sketch.get();
    if (!sketch) return UTxResult::Refusal(kNoSketch, u"Sketch: no sketch definition");
    DLxSheet* sheet = m_sheet.get();
    DLxSketchInstance* placed = PlaceSketch(sheet, sketch, m_promptStrings);
    if (!placed) return Refuse(u"SketchInstance: the sketch could not be placed");
    DLxCallOutInstance* inst =
        DLxCallOutInstance::CreateInstance(sheet, placed, m_points, m_arrowId, {}, m_leaderStyle,
                                           m_layerStyle, m_leaderVisible);
    if (!inst) return Refuse(u"the symbol could not be made");
    m_created = inst;
    inst->SetEmblemClipOthers(m_clipOthers);
    inst->SetDisplayLeaders(m_displayLeader);

    DLxAnchorPoint* anchor = inst->GetFirstAnchor();
    if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
    if (leader0 && leader0->GetRoot()) inst->MoveSymbolBox(leader0->GetRoot()->GetPoint(), 0);
    DLxCallOutState* state = inst->GetCallOutState();
    if (state && anchor) {
        state->SetOrigin(anchor->GetBrokenPoint());
        DLxViewInstance* view = anchor->GetViewInstance();
        state->DUxSymState::SetScale(view ? view->GetViewScale() : 1.0);
    }
    if (state) {
        state->SetRotation(m_rotation);
        state->SetScale(m_scale);
        state->SetUseGeomCenter(m_useGeomCenter);
        state->SetStatic(m_static);
        state->SetLeaderVisible(m_leaderVisible);
    }
    DLxSymBrowserUtil::AddSheetCallOutChild(sheet, inst);
    return Recompute(inst);
}

UTxResult DLxCreateCallOutRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    if (tdx.IsReading()) m_wrongKind.clear();
    Reference(tdx, u"Sketch", m_sketch, true, m_wrongKind);
    Reference(tdx, u"SketchInstance", m_sheet, true, m_wrongKind);
    DLxTDXUtil::Transcript(tdx, u"PromptStrings", m_promptStrings, true);
    DLxTDXUtil::Transcript(tdx, u"ArrowId", m_arrowId, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
    DLxTDXUtil::Transcript(tdx, u"DisplayLeader", m_displayLeader, true);
    Optional(tdx, u"EmblemClipping", m_clipOthers, true);
    DLxTDXUtil::Transcript(tdx, u"Rotation", m_rotation, true);
    DLxTDXUtil::Transcript(tdx, u"Scale", m_scale, true);
    DLxTDXUtil::Transcript(tdx, u"UseGeomCenter", m_useGeomCenter, true);
    Reference(tdx, u"LeaderStyle", m_leaderStyle, tdx.IsWriting(), m_wrongKind);
    Reference(tdx, u"LayerStyle", m_layerStyle, tdx.IsWriting(), m_wrongKind);
    Optional(tdx, u"Static", m_static, false);
    Optional(tdx, u"LeaderVisible", m_leaderVisible, true);
    Optional(tdx, u"UseStackingBehavior", m_useStackingBehavior, true);
    return tdx.GetResult();
}

// ---- edit

DLxCallOutSymEditRequest::DLxCallOutSymEditRequest() = default;

DLxCallOutSymEditRequest::DLxCallOutSymEditRequest(const RSeRef<DLxCallOutInstance>& symbol,
                                                   const RSeRef<DLxSketch>& newSketch,
                                                   double rotation, double scale, bool showLeader,
                                                   bool clipOthers, bool isStatic,
                                                   bool leaderVisible)
    : m_symbol(symbol), m_newSketch(newSketch), m_rotation(rotation), m_scale(scale),
      m_showLeader(showLeader), m_clipOthers(clipOthers), m_changeType(kChangeAll),
      m_static(isStatic), m_leaderVisible(leaderVisible) {}

DLxCallOutSymEditRequest::DLxCallOutSymEditRequest(const RSeRef<DLxCallOutInstance>& symbol,
                                                   double value, ESymChangeType type)
    : m_symbol(symbol), m_rotation(value), m_scale(value), m_showLeader(false),
      m_clipOthers(true), m_changeType(type) {}

UTxStringResource DLxCallOutSymEditRequest::GetRequestIdentity() const {
    return {0x600B01E8, 11, 0};
}

UTxResult DLxCallOutSymEditRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"EditCallOutSymbol");
}

UTxResult DLxCallOutSymEditRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCallOutSymEditRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (UTxResult r = RefuseWrongKind(m_wrongKind); r.Failed()) return r;
    if (!m_symbol.HasTarget())
        return Refuse(u"Callout: " + (m_symbolText.empty()
                                          ? UTxString16(u"no sketched symbol")
                                          : u"no sketched symbol at " + m_symbolText));
    if (!m_symbol->GetCallOutState()) return Refuse(u"Callout: the symbol has no state");
    switch (m_changeType) {
    case kChangeAll:
        // A new definition goes on the symbol's sheet, from the symbol's drawing.
        if (m_newSketch.HasTarget() && !dynamic_cast<DLxSheet*>(m_symbol->GetSheet()))
            return Refuse(u"Callout: the symbol lies on no sheet");
        if (m_newSketch.HasTarget() && FWxDocUtil::DocumentOf(m_newSketch.get()) != doc)
            return Refuse(u"NewSketch: a definition of another drawing");
        return CheckTurnAndSize(m_rotation, m_scale, u"CalloutRotation", u"CalloutScale");
    case kChangeScale:
        return CheckTurnAndSize(0.0, m_scale, u"ScaleOrRotationVal", u"ScaleOrRotationVal");
    case kChangeRotation:
        return CheckTurnAndSize(m_rotation, 1.0, u"ScaleOrRotationVal", u"ScaleOrRotationVal");
    }
    return {};
}

UTxResult DLxCallOutSymEditRequest::_Execute(FWxSceneDoc*) {
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    DLxCallOutInstance* symbol = m_symbol.get();
    DLxCallOutState* state = symbol->GetCallOutState();
    switch (m_changeType) {
    case kChangeAll:
        return ChangeAll();
    case kChangeScale:
        state->SetScale(m_scale);
        return Recompute(symbol);
    case kChangeRotation:
        state->SetRotation(m_rotation);
        return Recompute(symbol);
    }
    return {};
}

UTxResult DLxCallOutSymEditRequest::ChangeAll() {
    DLxCallOutInstance* symbol = m_symbol.get();
    DLxCallOutState* state = symbol->GetCallOutState();
    RDxFragment* sheet = symbol->GetSheet();
    if (state->GetStatic() != m_static) DLxSymBrowserUtil::UpdateCallOutInstEntry(sheet, symbol);
    state->SetRotation(m_rotation);
    state->SetScale(m_scale);
    state->SetStatic(m_static);
    state->SetLeaderVisible(m_leaderVisible);
    symbol->SetEmblemClipOthers(m_clipOthers);
    symbol->SetDisableSelfClippingFlag(m_disableSelfClipping);
    if (DLxSketch* sketch = m_newSketch.get()) {
        auto* onSheet = dynamic_cast<DLxSheet*>(sheet);
        if (DLxSketchInstance* placed = PlaceSketch(onSheet, sketch, m_promptStrings)) {
            placed->SetOwnerInstance(symbol);
            symbol->SetSketchInstance(placed, DLxCallOutInstance::kReplaceAndRegister);
            if (DLxCallOutInstEntry* entry = DLxSymBrowserUtil::FindCallOutInstEntry(sheet, symbol)) {
                entry->Rename(sketch->GetName());
                entry->SetModified();
            }
        }
    }
    return Recompute(symbol);
}

UTxResult DLxCallOutSymEditRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    if (tdx.IsWriting())
        PutSymbolText(tdx, m_symbol, m_symbolText);
    else
        ReadSymbol(tdx, m_symbol, m_symbolText);
    int32_t type = int32_t(m_changeType);
    DLxTDXUtil::Transcript(tdx, u"CalloutChangeType", type, true);
    if (tdx.IsReading()) m_changeType = ESymChangeType(type);
    switch (type) {
    case kChangeAll:
        if (tdx.IsReading()) m_wrongKind.clear();
        Reference(tdx, u"NewSketch", m_newSketch, true, m_wrongKind);
        DLxTDXUtil::Transcript(tdx, u"PromptStrings", m_promptStrings, true);
        DLxTDXUtil::Transcript(tdx, u"CalloutRotation", m_rotation, true);
        DLxTDXUtil::Transcript(tdx, u"CalloutScale", m_scale, true);
        DLxTDXUtil::Transcript(tdx, u"ShowLeader", m_showLeader, true);
        Optional(tdx, u"EmblemClipping", m_clipOthers, true);
        Optional(tdx, u"Static", m_static, false);
        Optional(tdx, u"LeaderVisible", m_leaderVisible, true);
        Optional(tdx, u"DisableSelfClipping", m_disableSelfClipping, false);
        break;
    case kChangeScale:
        DLxTDXUtil::Transcript(tdx, u"ScaleOrRotationVal", m_scale, true);
        break;
    case kChangeRotation:
        DLxTDXUtil::Transcript(tdx, u"ScaleOrRotationVal", m_rotation, true);
        break;
    default:
        break;
    }
    return tdx.GetResult();
}
