#include "Request/DLxCreateSymbolRequest.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxSymState.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateSymbolRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxSymbolEditRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
constexpr char16_t kTransientPrefix[] = u"TransientDatumTarget";

// The sheet a new target goes on: that of the intent's view, else the document's first.
RDxFragment* FragmentFor(FWxSceneDoc* doc, const DLxIntent& intent) {
    RSeReadOnlyScope finding;
    if (DLxViewInstance* view = intent.GetView())
        if (RDxFragment* f = view->GetFragment().get()) return f;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}
} // namespace

// ---- shared

namespace DLxDatumTargetRequestUtil {
DLxDatumTarget* MakeTransient(RDxFragment*& fragment) {
    RSeSegment* segment = RSe::TransientSegment();
    fragment = new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)), segment) RDxFragment();
    return DLxDatumTarget::Create(fragment, 0);
}

void DeleteTransient(DLxDatumTarget*& target, RDxFragment*& fragment) {
    if (target) target->DeleteAndVacuumClean();
    if (fragment) RSe::DeleteObject(fragment);
    target = nullptr;
    fragment = nullptr;
}

DLxDatumTarget* MakeTransientCopy(const DLxDatumTarget& from, FWxSceneDoc* doc,
                                  RDxFragment*& fragment) {
    DLxDatumTarget* copy = MakeTransient(fragment);
    if (!copy) return nullptr;
    UTxString16 line = u"Copy";
    UTxResult result;
    {
        UCxTranscriptDataExchange out(line, result, doc, true);
        const_cast<DLxDatumTarget&>(from).Transcript(out, u"T", true);
    }
    UTxResult read;
    {
        UCxTranscriptDataExchange in(line, read, doc, false);
        copy->Transcript(in, u"T", true);
    }
    if (result.Failed() || read.Failed()) DeleteTransient(copy, fragment);
    return copy;
}

UTxString16 KeyText(const RSeRef<DLxDatumTarget>& target) {
    return target.HasTarget() ? FWxUtil::GetTranscriptMgr().StringFromRef(target) : UTxString16();
}

void ExchangeTarget(UCxTranscriptDataExchange& tdx, const char16_t* key,
                    RSeRef<DLxDatumTarget>& target, UTxString16& before) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        if (before.empty())
            tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), key, target);
        else
            tdx.GetResult() =
                mgr.PutValue(tdx.GetLine(), key, FWxTranscriptValue::MakeRef(before));
        return;
    }
    FWxTranscriptValue v;
    UTxResult r = mgr.GetValue(tdx.GetLine(), key, v);
    if (r.Failed()) {
        tdx.Fail(r);
        return;
    }
    RSeRefBase read;
    r = mgr.ResolveRSeRef(key, v, tdx.GetDocument(), read);
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    target = RSeRef<DLxDatumTarget>(read);
    before = target.HasTarget() ? UTxString16() : v.GetText();
}

UTxResult CheckTarget(const RSeRef<DLxDatumTarget>& target, const char16_t* key,
                      const UTxString16& text) {
    if (target.HasTarget()) return {};
    return UTxResult::Refusal(kRefused, UTxString16(key) + u": " +
                                            (text.empty() ? UTxString16(u"no datum target")
                                                          : u"no datum target at " + text));
}

UTxResult Recompute(DLxDatumTarget* target) {
    RDxComputeContext ctx;
    ctx.SetInt(kPersistantAttr, 1);
    target->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = target->GetFragment().get();
    }
    if (!fragment) return target->Compute(ctx);
    const UTxResult r = fragment->Recompute(ctx);
    return r.Failed() ? UTxResult() : r;
}
} // namespace DLxDatumTargetRequestUtil

using namespace DLxDatumTargetRequestUtil;

// ---- create

DLxCreateSymbolRequest::DLxCreateSymbolRequest() : m_intent(DLxIntent::Free(WqGePoint3d())) {}

DLxCreateSymbolRequest::DLxCreateSymbolRequest(DLxDatumTarget* transient, const DLxIntent& intent,
                                               const RSeRef<DUxDatumTargetStyle>& style,
                                               const RSeRef<FBxLayerStyle>& layer)
    : m_transient(transient), m_intent(intent), m_style(style), m_layer(layer) {}

DLxCreateSymbolRequest::~DLxCreateSymbolRequest() {
    if (m_fromTranscript) DeleteTransient(m_transient, m_ownFragment);
}

UTxStringResource DLxCreateSymbolRequest::GetRequestIdentity() const {
    return {0x600B0190, 11, 0};
}

UTxResult DLxCreateSymbolRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxCreateSymbolRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateSymbolRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return UTxResult::Refusal(kRefused, u"no document");
    if (!m_transient)
        return UTxResult::Refusal(kRefused, u"TransientDatumTarget: no datum target to place");
    return {};
}

UTxResult DLxCreateSymbolRequest::_Execute(FWxSceneDoc* doc) {
    RDxFragment* fragment = FragmentFor(doc, m_intent);
    if (!fragment) return UTxResult::Refusal(kRefused, u"Intent: the document has no sheet");
    DLxDatumTarget* made = m_transient->CreateInDocument(doc, fragment, m_style, m_layer);
    if (!made) return UTxResult::Refusal(kRefused, u"the datum target could not be made");
    m_created = made;
    DLxAnchorPoint* anchor = made->GetAnchor();
    if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
    // The target starts where its anchor is; it follows the anchor's moves from here.
    if (DUxSymState* state = made->GetSymState()) state->SetOrigin(anchor->GetBrokenPoint());
    const UTxResult result = Recompute(made);
    new DLxCreateSymbolInstanceBulletin(doc, RSeRefBase(made));
    return result;
}

UTxResult DLxCreateSymbolRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        if (m_fromTranscript) DeleteTransient(m_transient, m_ownFragment);
        m_fromTranscript = true;
        m_transient = MakeTransient(m_ownFragment);
        m_created.Clear();
    }
    if (m_transient && !tdx.HasFailed()) m_transient->Transcript(tdx, kTransientPrefix, true);
    TranscriptRSeRefArgument(tdx, u"SymbolStyle", m_style, tdx.IsWriting());
    TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layer, tdx.IsWriting());
    return tdx.GetResult();
}

// ---- edit

DLxSymbolEditRequest::DLxSymbolEditRequest() = default;

DLxSymbolEditRequest::DLxSymbolEditRequest(const RSeRef<DLxDatumTarget>& placed,
                                           DLxDatumTarget* transient)
    : m_placed(placed), m_transient(transient) {}

DLxSymbolEditRequest::~DLxSymbolEditRequest() {
    if (m_fromTranscript) DeleteTransient(m_transient, m_ownFragment);
}

UTxStringResource DLxSymbolEditRequest::GetRequestIdentity() const {
    return {0x600B0191, 11, 0};
}

UTxResult DLxSymbolEditRequest::Script(FWxSceneDoc* doc) {
    if (m_skipScript) {
        m_skipScript = false;
        return {};
    }
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxSymbolEditRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSymbolEditRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckTarget(m_placed, u"DatumTarget", m_placedText); r.Failed()) return r;
    if (!m_transient)
        return UTxResult::Refusal(kRefused, u"TransientDatumTarget: no edited datum target");
    // Every balloon of the placed target takes the values of the edited one's.
    if (m_transient->GetNumAttachedBalloons() < m_placed->GetNumAttachedBalloons())
        return UTxResult::Refusal(
            kRefused, u"TransientDatumTarget: fewer balloons than the placed datum target has");
    return {};
}

UTxResult DLxSymbolEditRequest::_Execute(FWxSceneDoc*) {
    m_placedText = KeyText(m_placed);
    DLxDatumTarget* placed = m_placed.get();
    placed->CopyValuesFrom(*m_transient);
    return Recompute(placed);
}

UTxResult DLxSymbolEditRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTarget(tdx, u"DatumTarget", m_placed, m_placedText);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        if (m_fromTranscript) DeleteTransient(m_transient, m_ownFragment);
        m_fromTranscript = true;
        m_transient = MakeTransient(m_ownFragment);
    }
    if (m_transient && !tdx.HasFailed()) m_transient->Transcript(tdx, kTransientPrefix, true);
    return tdx.GetResult();
}
