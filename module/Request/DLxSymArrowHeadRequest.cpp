#include "Request/DLxSymArrowHeadRequest.h"

#include <string>

#include "Request/DLxRequestUtil.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Symbol/DLxSymInstance.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

IMPLEMENT_DYNCREATE(DLxArrowHeadRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxSymArrowHeadRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

UTxString16 Number(int64_t n) {
    return UTx::MakeWideString(std::to_string(n));
}

UTxResult CheckService(uint32_t arrowHead) {
    if (DUxArrowHeadTemplate::Find(arrowHead)) return {};
    return UTxResult::Refusal(kBadInput, u"ArrowHead: no arrowhead service " + Number(arrowHead));
}

// The arrowhead service travels by its id; this host writes it so under both record versions,
// and the version is kept so that a record reads back as it was written.
void ExchangeService(UCxTranscriptDataExchange& tdx, const char16_t* key, uint32_t& arrowHead,
                     DLxTDXUtil::eTranscriptRequestVersion) {
    DLxTDXUtil::Transcript(tdx, key, arrowHead, true);
}

// The text the record names its target by, taken before the edit.
void ExchangeTarget(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRefBase& target,
                    UTxString16& text) {
    DLxSymChangeLeaderRequest::ExchangeInstance(tdx, key, target, text);
}
} // namespace

// ---- an instance's own arrowhead state

DLxArrowHeadRequest::DLxArrowHeadRequest() = default;

DLxArrowHeadRequest::DLxArrowHeadRequest(const RSeRef<RDxInstance>& instance, uint32_t stateIndex,
                                         uint32_t arrowHead)
    : m_arrowHead(arrowHead), m_stateIndex(stateIndex), m_instance(instance) {}

UTxStringResource DLxArrowHeadRequest::GetRequestIdentity() const {
    return {0x600B01C0, 11, 0};
}

UTxResult DLxArrowHeadRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ArrowHeadRequest");
}

UTxResult DLxArrowHeadRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxArrowHeadRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = DLxLeaderRequestCheck::Target(m_instance, m_instanceText,
                                                    u"InstanceToCompute", u"annotation");
        r.Failed())
        return r;
    const RDxInstance* inst = m_instance.Read();
    if (m_stateIndex >= inst->GetInputStateCount() ||
        !UTx::Cast<DUxArrowHeadState>(inst->GetInputState(m_stateIndex)))
        return UTxResult::Refusal(kBadInput, u"ArrowHeadStateIndex: the annotation has no "
                                             u"arrowhead state " +
                                                 Number(m_stateIndex));
    return CheckService(m_arrowHead);
}

UTxResult DLxArrowHeadRequest::_Execute(FWxSceneDoc*) {
    RDxInstance* inst = m_instance.get();
    m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    auto* arrow = UTx::Cast<DUxArrowHeadState>(inst->GetInputState(m_stateIndex));
    arrow->SetTemplateRef(DUxArrowHeadTemplate::Find(m_arrowHead));
    if (auto* symbol = dynamic_cast<DLxSymInstance*>(inst))
        return DLxSymChangeLeaderRequest::Recompute(symbol, nullptr);
    inst->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = inst->GetFragment().get();
    }
    if (fragment) {
        RDxComputeContext ctx;
        ctx.SetInt(kPersistantAttr, 1);
        // The change stands whatever the compute reports: its diagnoses say why.
        (void)fragment->Recompute(ctx);
    }
    return {};
}

UTxResult DLxArrowHeadRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRefBase instance = m_instance;
    ExchangeTarget(tdx, u"InstanceToCompute", instance, m_instanceText);
    if (tdx.IsReading()) {
        m_instance = RSeRef<RDxInstance>(instance);
        if (m_instance.HasTarget()) m_instanceText.clear();
    }
    ExchangeService(tdx, u"NewArrowHeadStyle", m_arrowHead, DLxTDXUtil::eTranscriptRequestVersion1);
    DLxTDXUtil::Transcript(tdx, u"ArrowHeadStateIndex", m_stateIndex, true);
    return tdx.GetResult();
}

// ---- one end of a placed symbol's leader

DLxSymArrowHeadRequest::DLxSymArrowHeadRequest() = default;

DLxSymArrowHeadRequest::DLxSymArrowHeadRequest(const RSeRef<DLxSymInstance>& symbol,
                                               uint32_t arrowHead, int32_t arrow, int32_t leader,
                                               DLxTDXUtil::eTranscriptRequestVersion version)
    : m_symbol(symbol), m_arrow(arrow), m_leader(leader), m_arrowHead(arrowHead),
      m_version(version) {}

UTxStringResource DLxSymArrowHeadRequest::GetRequestIdentity() const {
    return {0x600B01C0, 11, 0};
}

UTxResult DLxSymArrowHeadRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"AddArrowHead");
}

UTxResult DLxSymArrowHeadRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    m_version = DLxTDXUtil::eTranscriptRequestVersion0;
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSymArrowHeadRequest::ValidateInputs(FWxSceneDoc*) {
    using namespace DLxLeaderRequestCheck;
    if (UTxResult r = Target(m_symbol, m_symbolText, u"Sym", u"placed symbol"); r.Failed())
        return r;
    const DLxSymInstance* symbol = m_symbol.Read();
    if (UTxResult r = Leader(symbol, m_leader, u"LeaderIndex"); r.Failed()) return r;
    if (!symbol->GetArrowHeadState(m_arrow, m_leader))
        return UTxResult::Refusal(kBadInput, u"ArrowIndex: leader " + Number(m_leader) +
                                                 u" has no arrowhead " + Number(m_arrow));
    return CheckService(m_arrowHead);
}

UTxResult DLxSymArrowHeadRequest::_Execute(FWxSceneDoc*) {
    DLxSymInstance* symbol = m_symbol.get();
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    symbol->SetArrowHeadRef(DUxArrowHeadTemplate::Find(m_arrowHead), m_arrow, m_leader);
    return DLxSymChangeLeaderRequest::Recompute(symbol, nullptr);
}

UTxResult DLxSymArrowHeadRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRefBase symbol = m_symbol;
    ExchangeTarget(tdx, u"Sym", symbol, m_symbolText);
    if (tdx.IsReading()) {
        m_symbol = RSeRef<DLxSymInstance>(symbol);
        if (m_symbol.HasTarget()) m_symbolText.clear();
    }
    DLxTDXUtil::Transcript(tdx, u"ArrowIndex", m_arrow, true);
    DLxTDXUtil::Transcript(tdx, u"LeaderIndex", m_leader, true);
    DLxTDXUtil::TranscriptAsInt(tdx, u"ArrowHeadRequestVersion", m_version, tdx.IsWriting());
    ExchangeService(tdx, u"ArrowHead", m_arrowHead, m_version);
    return tdx.GetResult();
}
