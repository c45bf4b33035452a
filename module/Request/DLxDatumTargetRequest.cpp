#include "Request/DLxDatumTargetRequest.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "Request/DLxRequestUtil.h"
#include "Standard/DLxCTarget.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxDatumTargetLeaderMoveRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxDatumTargetOrientAttachRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxDatumTargetAttachRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxDatumTargetRemoveRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxDatumTargetMoveAltUnitRequest, FWxChangeRequest)

using namespace DLxDatumTargetRequestUtil;

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
constexpr char16_t kTargetKey[] = u"DatumTarget";
constexpr char16_t kBalloonPrefix[] = u"TranscriptingBalloon";
// Vertex indices a drag journals: leader and shape vertices, then attached balloons.
constexpr int32_t kLastVertexIndex = DLxDatumTarget::kAltUnitHotPoint - 1;

UTxString16 Number(int32_t n) {
    return UTx::MakeWideString(std::to_string(n));
}

// The target as its key text, a quoted string (the leader move's form). A text that names
// nothing, or an object of another kind, reads as no target.
void ExchangeTargetString(UCxTranscriptDataExchange& tdx, RSeRef<DLxDatumTarget>& target,
                          UTxString16& text) {
    if (tdx.HasFailed()) return;
    if (!_TDX_String(tdx, kTargetKey, text, true) || tdx.IsWriting() || tdx.HasFailed()) return;
    RSeRefBase read;
    const UTxResult r = tdx.GetTranscriptMgr().RefFromString(tdx.GetDocument(), text, read);
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    target = RSeRef<DLxDatumTarget>(read);
}
} // namespace

// ---- leader move

DLxDatumTargetLeaderMoveRequest::DLxDatumTargetLeaderMoveRequest()
    : m_intent(DLxIntent::Free(WqGePoint3d())) {}

DLxDatumTargetLeaderMoveRequest::DLxDatumTargetLeaderMoveRequest(
    const RSeRef<DLxDatumTarget>& target, int32_t vertex, const WqGeVector3d& offset,
    bool isArrowhead, const DLxIntent& intent)
    : m_target(target), m_vertex(vertex), m_offset(offset), m_intent(intent),
      m_isArrowhead(isArrowhead), m_targetText(KeyText(target)) {}

UTxStringResource DLxDatumTargetLeaderMoveRequest::GetRequestIdentity() const {
    return {0x600B01B3, 11, 0};
}

UTxResult DLxDatumTargetLeaderMoveRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxDatumTargetLeaderMoveRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                              const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDatumTargetLeaderMoveRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckTarget(m_target, kTargetKey, m_targetText); r.Failed()) return r;
    if (m_vertex < 0 || m_vertex > kLastVertexIndex)
        return UTxResult::Refusal(kRefused, u"VertexIndex: no vertex " + Number(m_vertex));
    return {};
}

UTxResult DLxDatumTargetLeaderMoveRequest::_Execute(FWxSceneDoc* doc) {
    m_targetText = KeyText(m_target);
    DLxDatumTarget* target = m_target.get();
    if (m_intent.HasInferences())
        target->SetLeaderVertexFromIntent(m_vertex, m_intent);
    else
        target->MoveLeaderVertices({m_vertex}, m_offset);
    // The arrowhead end picked on other geometry hangs on it from now on.
    if (m_intent.HasInferences() && m_isArrowhead)
        if (DLxAnchorPoint* anchor = target->GetAnchor())
            if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed())
                return r;
    return Recompute(target);
}

UTxResult DLxDatumTargetLeaderMoveRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTargetString(tdx, m_target, m_targetText);
    DLxTDXUtil::Transcript(tdx, u"VertexIndex", m_vertex, true);
    DLxTDXUtil::Transcript(tdx, u"VertexOffset", m_offset, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"IsArrowhead", m_isArrowhead, true);
    return tdx.GetResult();
}

// ---- re-orient

DLxDatumTargetOrientAttachRequest::DLxDatumTargetOrientAttachRequest() = default;

DLxDatumTargetOrientAttachRequest::DLxDatumTargetOrientAttachRequest(
    const RSeRef<DLxDatumTarget>& target, const WqGeVector3d& direction)
    : m_target(target), m_direction(direction) {}

UTxStringResource DLxDatumTargetOrientAttachRequest::GetRequestIdentity() const {
    return {0x600B01A7, 11, 0};
}

UTxResult DLxDatumTargetOrientAttachRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxDatumTargetOrientAttachRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                                const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDatumTargetOrientAttachRequest::ValidateInputs(FWxSceneDoc*) {
    return CheckTarget(m_target, kTargetKey, m_targetText);
}

UTxResult DLxDatumTargetOrientAttachRequest::_Execute(FWxSceneDoc*) {
    m_targetText = KeyText(m_target);
    DLxDatumTarget* target = m_target.get();
    target->ArrangeBalloons(m_direction);
    return Recompute(target);
}

UTxResult
DLxDatumTargetOrientAttachRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTarget(tdx, kTargetKey, m_target, m_targetText);
    DLxTDXUtil::Transcript(tdx, u"AttachVector", m_direction, true);
    return tdx.GetResult();
}

// ---- attach

DLxDatumTargetAttachRequest::DLxDatumTargetAttachRequest()
    : m_balloon(new (RSe::_GetMeta(static_cast<const DLxCTargetBalloon*>(nullptr)),
                     RSe::TransientSegment()) DLxCTargetBalloon()) {}

DLxDatumTargetAttachRequest::DLxDatumTargetAttachRequest(const RSeRef<DLxDatumTarget>& target,
                                                         const WqGePoint3d& origin)
    : DLxDatumTargetAttachRequest() {
    m_target = target;
    m_origin = origin;
    m_balloon->SetOrigin(origin);
}

DLxDatumTargetAttachRequest::~DLxDatumTargetAttachRequest() {
    if (m_balloon) RSe::DeleteObject(m_balloon);
}

UTxStringResource DLxDatumTargetAttachRequest::GetRequestIdentity() const {
    return {0x600B01A6, 11, 0};
}

UTxResult DLxDatumTargetAttachRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxDatumTargetAttachRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                          const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDatumTargetAttachRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckTarget(m_target, kTargetKey, m_targetText); r.Failed()) return r;
    if (m_target->GetNumAttachedBalloons() + 1 >= DLxDatumTarget::kMaxBalloons)
        return UTxResult::Refusal(kRefused, u"DatumTarget: the datum target carries " +
                                                Number(DLxDatumTarget::kMaxBalloons) +
                                                u" balloons already");
    return {};
}

UTxResult DLxDatumTargetAttachRequest::_Execute(FWxSceneDoc*) {
    m_targetText = KeyText(m_target);
    DLxDatumTarget* target = m_target.get();
    DLxCTargetBalloon* added = target->AddBalloon(m_origin);
    if (!added) return UTxResult::Refusal(kRefused, u"DatumTarget: no room for another balloon");
    if (m_fromTranscript) {
        added->CopyFrom(*m_balloon);
    } else {
        // The balloon's texts are edited next; what the journal records is the balloon as
        // attached.
        target->SetBalloonAttached(true);
        target->SetActiveBalloonIndex(target->GetNumAttachedBalloons());
        m_balloon->CopyFrom(*added);
    }
    added->SetOrigin(m_origin);
    return Recompute(target);
}

UTxResult DLxDatumTargetAttachRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTarget(tdx, kTargetKey, m_target, m_targetText);
    DLxTDXUtil::Transcript(tdx, u"BalloonOrigin", m_origin, true);
    if (!tdx.HasFailed()) m_balloon->Transcript(tdx, kBalloonPrefix, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        m_fromTranscript = true;
        m_balloon->SetOrigin(m_origin);
    }
    return tdx.GetResult();
}

// ---- remove

DLxDatumTargetRemoveRequest::DLxDatumTargetRemoveRequest() = default;

DLxDatumTargetRemoveRequest::DLxDatumTargetRemoveRequest(const RSeRef<DLxDatumTarget>& target,
                                                         int32_t index)
    : m_target(target), m_index(index) {}

UTxStringResource DLxDatumTargetRemoveRequest::GetRequestIdentity() const {
    return {0x600B01BB, 11, 0};
}

UTxResult DLxDatumTargetRemoveRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxDatumTargetRemoveRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                          const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDatumTargetRemoveRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckTarget(m_target, kTargetKey, m_targetText); r.Failed()) return r;
    if (m_index > m_target->GetNumAttachedBalloons())
        return UTxResult::Refusal(kRefused, u"BalloonIndex: no balloon " + Number(m_index));
    return {};
}

UTxResult DLxDatumTargetRemoveRequest::_Execute(FWxSceneDoc*) {
    m_targetText = KeyText(m_target);
    DLxDatumTarget* target = m_target.get();
    // The target keeps its only balloon; -1 names none.
    if (target->GetNumAttachedBalloons() > 0 && m_index >= 0) target->RemoveBalloon(m_index);
    return Recompute(target);
}

UTxResult DLxDatumTargetRemoveRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTarget(tdx, kTargetKey, m_target, m_targetText);
    DLxTDXUtil::Transcript(tdx, u"BalloonIndex", m_index, true);
    return tdx.GetResult();
}

// ---- alternate-unit text

DLxDatumTargetMoveAltUnitRequest::DLxDatumTargetMoveAltUnitRequest() = default;

DLxDatumTargetMoveAltUnitRequest::DLxDatumTargetMoveAltUnitRequest(
    const RSeRef<DLxDatumTarget>& target, int32_t hotPoint, double angle)
    : m_target(target), m_hotPoint(hotPoint), m_angle(angle) {}

UTxStringResource DLxDatumTargetMoveAltUnitRequest::GetRequestIdentity() const {
    return {0x600B01DE, 11, 0};
}

UTxResult DLxDatumTargetMoveAltUnitRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, kTranscriptName);
}

UTxResult DLxDatumTargetMoveAltUnitRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                               const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDatumTargetMoveAltUnitRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckTarget(m_target, kTargetKey, m_targetText); r.Failed()) return r;
    const int32_t n = m_hotPoint - DLxDatumTarget::kAltUnitHotPoint;
    if (n < 0 || n > m_target->GetNumAttachedBalloons())
        return UTxResult::Refusal(kRefused, u"Index: no balloon's text at " + Number(m_hotPoint));
    return {};
}

UTxResult DLxDatumTargetMoveAltUnitRequest::_Execute(FWxSceneDoc*) {
    m_targetText = KeyText(m_target);
    DLxDatumTarget* target = m_target.get();
    if (DLxCTargetBalloon* balloon =
            target->GetBalloon(m_hotPoint - DLxDatumTarget::kAltUnitHotPoint))
        balloon->SetAlternateUnitAngle(m_angle);
    return Recompute(target);
}

UTxResult DLxDatumTargetMoveAltUnitRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeTarget(tdx, kTargetKey, m_target, m_targetText);
    DLxTDXUtil::Transcript(tdx, u"Index", m_hotPoint, true);
    DLxTDXUtil::Transcript(tdx, u"Angle", m_angle, true);
    return tdx.GetResult();
}
