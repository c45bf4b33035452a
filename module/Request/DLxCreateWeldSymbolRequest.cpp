#include "Request/DLxCreateWeldSymbolRequest.h"

#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "Standard/DLxStdStyles.h"
#include "Welding/DLxWeldInstance.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxWeldState.h"
#include "du/DUxWeldStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateWeldSymbolRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxWeldSymbolVisibilityRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
// How far a symbol without leader points sits off its anchor.
constexpr double kOffAnchor = 0.001;
constexpr double kZeroLength = 1e-10;

// The symbol as its name string. A name that names no weld symbol (none there, or an object of
// another kind) reads as no symbol and keeps its text, so that ValidateInputs refuses the
// request and says which; a malformed name ends the exchange.
void ReadOrWriteWeld(UCxTranscriptDataExchange& tdx, UTxString16& text,
                     RSeRef<DLxWeldInstance>& weld) {
    if (tdx.HasFailed()) return;
    if (!_TDX_String(tdx, u"WeldSymbolInstance", text, true) || tdx.IsWriting() ||
        tdx.HasFailed())
        return;
    RSeRefBase read;
    const UTxResult r = tdx.GetTranscriptMgr().RefFromString(tdx.GetDocument(), text, read);
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    weld = RSeRef<DLxWeldInstance>(read);
}
// "WeldStyle": written always (null for the drawing's), optional when read, so that records
// older than the key replay with the drawing's style. A name that resolves to a style of
// another kind sets `other`.
void ExchangeWeldStyle(UCxTranscriptDataExchange& tdx, RSeRef<DUxWeldStyle>& style, bool& other) {
    if (tdx.IsWriting() || tdx.HasFailed()) {
        TranscriptRSeRefArgument(tdx, u"WeldStyle", style, tdx.IsWriting());
        return;
    }
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (!mgr.ArgumentExists(tdx.GetLine(), u"WeldStyle")) return;
    RSeRefBase read;
    tdx.GetResult() = mgr.GetRSeRef(tdx.GetLine(), u"WeldStyle", tdx.GetDocument(), read);
    style = RSeRef<DUxWeldStyle>(read);
    other = read.GetTarget() && !style.HasTarget();
}
} // namespace

DLxCreateWeldSymbolRequest::DLxCreateWeldSymbolRequest() = default;

DLxCreateWeldSymbolRequest::DLxCreateWeldSymbolRequest(const DLxIntent& intent,
                                                       const std::vector<WqGePoint3d>& points,
                                                       const WqGePoint3d& landingPoint,
                                                       const RSeRef<DUxWeldStyle>& weldStyle,
                                                       const RSeRef<FBxLayerStyle>& layerStyle,
                                                       const FBxObjectEditRecordList& records)
    : m_intent(intent), m_landingPoint(landingPoint), m_points(points), m_records(records),
      m_weldStyle(weldStyle), m_layerStyle(layerStyle), m_create(true) {}

DLxCreateWeldSymbolRequest::DLxCreateWeldSymbolRequest(const RSeRef<DLxWeldInstance>& weld,
                                                       const FBxObjectEditRecordList& records)
    : m_intent(DLxIntent::Free(WqGePoint3d())), m_weld(weld), m_records(records) {}

UTxStringResource DLxCreateWeldSymbolRequest::GetRequestIdentity() const {
    return {0x600B01DF, 11, 0};
}

UTxResult DLxCreateWeldSymbolRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateWeldSymbol");
}

UTxResult DLxCreateWeldSymbolRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                         const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateWeldSymbolRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return UTxResult::Refusal(kBadInput, u"no document");
    int32_t subWeldings = 1;
    if (m_create) {
        if (!DLxRequestUtil::SheetFor(doc, m_intent))
            return UTxResult::Refusal(kBadInput, u"WeldIntent: the document has no sheet");
        if (m_otherWeldStyle)
            return UTxResult::Refusal(kBadInput, u"WeldStyle: not a weld style");
    } else {
        if (!m_weld.HasTarget())
            return UTxResult::Refusal(
                kBadInput, u"WeldSymbolInstance: " + (m_weldText.empty()
                                                          ? UTxString16(u"no weld symbol")
                                                          : u"no weld symbol at " + m_weldText));
        const DUxWeldState* state = m_weld->GetWeldState();
        if (!state) return UTxResult::Refusal(kBadInput, u"WeldSymbolInstance: no weld state");
        subWeldings = state->numOfSubWeldings();
    }
    const UTxString16 wrong = DLxWeldInstance::CheckEditRecords(m_records, subWeldings);
    if (!wrong.empty()) return UTxResult::Refusal(kBadInput, u"ObjectRecordList: " + wrong);
    return {};
}

UTxResult DLxCreateWeldSymbolRequest::_Execute(FWxSceneDoc* doc) {
    DLxWeldInstance* weld = nullptr;
    if (m_create) {
        RDxFragment* sheet = DLxRequestUtil::SheetFor(doc, m_intent);
        auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
        const UTxString16 standard =
            drawing ? drawing->GetDrawing()->GetStandardName() : UTxString16();
        // The drawing's weld style, made the first time a weld symbol needs it. Naming it is
        // following it: the symbol keeps following it, as a replay (which reads null) does.
        const DUxWeldStyle* docStyle = DLxStdStyles::GetWeldStyle(doc);
        if (m_weldStyle.GetTarget() == docStyle) m_weldStyle = {};
        weld = DLxWeldInstance::CreateInstance(sheet, m_points, m_weldStyle, m_layerStyle,
                                               standard);
        if (!weld) return UTxResult::Refusal(kBadInput, u"the weld symbol could not be made");
        m_weld = weld;
        DLxAnchorPoint* anchor = weld->GetFirstAnchor();
        if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed())
            return r;
        const WqGePoint3d broken = anchor->GetBrokenPoint();
        WqGePoint3d at = broken;
        DUxLeaderNodeTree* leader0 = weld->GetLeader(0);
        if (!m_points.empty() && leader0 && leader0->GetRoot()) {
            at = leader0->GetRoot()->GetPoint();
        } else {
            const WqGeVector3d toward = m_landingPoint - broken;
            if (toward.length() > kZeroLength) at = broken + toward.normal() * kOffAnchor;
        }
        weld->MoveSymbolBox(at, 0);
        if (DUxWeldState* state = weld->GetWeldState()) {
            state->SetOrigin(broken);
            DLxViewInstance* view = anchor->GetViewInstance();
            state->SetScale(view ? view->GetViewScale() : 1.0);
        }
    } else {
        weld = m_weld.get();
        // The name the symbol had before this request changed it.
        m_weldText = FWxUtil::GetTranscriptMgr().StringFromRef(m_weld);
    }
    if (!m_records.empty()) weld->ApplyEditRecords(m_records);
    // A symbol made on a weld bead of the model shows the model's weld symbol.
    if (m_create) weld->RecoverFromModelWeld();
    const UTxResult result = DLxRequestUtil::RecomputeChanged(weld);
    if (m_create) new DLxCreateWeldInstanceBulletin(doc, RSeRefBase(weld));
    return result;
}

UTxResult DLxCreateWeldSymbolRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"Create", m_create, true);
    if (m_create) {
        DLxTDXUtil::Transcript(tdx, u"WeldIntent", m_intent, true);
        DLxTDXUtil::Transcript(tdx, u"LandingPoint", m_landingPoint, true);
        DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
        ExchangeWeldStyle(tdx, m_weldStyle, m_otherWeldStyle);
        TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layerStyle, tdx.IsWriting());
    } else {
        if (tdx.IsWriting() && m_weldText.empty())
            m_weldText = tdx.GetTranscriptMgr().StringFromRef(m_weld);
        ReadOrWriteWeld(tdx, m_weldText, m_weld);
    }
    // A create journals its records only when it has some.
    if (tdx.IsReading() || !m_create || !m_records.empty())
        _TDX_FBxObjectEditRecordList(tdx, u"ObjectRecordList", m_records, !m_create);
    return tdx.GetResult();
}

// ---- visibility

DLxWeldSymbolVisibilityRequest::DLxWeldSymbolVisibilityRequest() = default;

DLxWeldSymbolVisibilityRequest::DLxWeldSymbolVisibilityRequest(const RSeRef<DLxViewInstance>& view,
                                                               bool visible)
    : m_view(view), m_visible(visible) {}

UTxStringResource DLxWeldSymbolVisibilityRequest::GetRequestIdentity() const {
    return {0x600B01E9, 11, 0};
}

UTxResult DLxWeldSymbolVisibilityRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"WeldSymbolVisibility");
}

UTxResult DLxWeldSymbolVisibilityRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                             const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxWeldSymbolVisibilityRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return UTxResult::Refusal(kBadInput, u"no document");
    if (!m_view.HasTarget()) return UTxResult::Refusal(kBadInput, u"View: no drawing view");
    return {};
}

UTxResult DLxWeldSymbolVisibilityRequest::_Execute(FWxSceneDoc*) {
    DLxViewInstance* view = m_view.get();
    view->SetWeldSymbolsVisible(m_visible);
    // The view's recovered weld symbols draw again, shown or hidden.
    RDxFragment* sheet = nullptr;
    {
        RSeReadOnlyScope finding;
        sheet = view->GetFragment().get();
    }
    if (!sheet) return {};
    DLxWeldInstance* last = nullptr;
    for (const RSeRef<RDxNode>& node : sheet->GetNodes())
        if (auto* weld = dynamic_cast<DLxWeldInstance*>(node.GetTarget()))
            if (weld->IsRecovered() && weld->GetView() == view) {
                weld->MarkEdited(true);
                last = weld;
            }
    return last ? DLxRequestUtil::RecomputeChanged(last) : UTxResult();
}

UTxResult DLxWeldSymbolVisibilityRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"IsVisible", m_visible, true);
    TranscriptRSeRefArgument(tdx, u"View", m_view, true);
    return tdx.GetResult();
}
