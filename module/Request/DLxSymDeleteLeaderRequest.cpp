#include "Request/DLxSymDeleteLeaderRequest.h"

#include <string>

#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxRequestUtil.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxSymInstance.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxZoneUtilSheet.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/WqGePoint3d.h"

IMPLEMENT_DYNCREATE(DLxSymDeleteLeaderRequest, FWxChangeRequest)

namespace {
// The common result of refused inputs.
constexpr UTxResultCode kRefused = 0xE009033C;
} // namespace

DLxSymDeleteLeaderRequest::DLxSymDeleteLeaderRequest() = default;

DLxSymDeleteLeaderRequest::DLxSymDeleteLeaderRequest(const RSeRef<DLxSymInstance>& symbol,
                                                     int32_t leader, int32_t nodeId,
                                                     bool deleteNode)
    : m_symbol(symbol), m_leader(leader), m_nodeId(nodeId), m_deleteNode(deleteNode) {}

UTxStringResource DLxSymDeleteLeaderRequest::GetRequestIdentity() const {
    return {0x600B01C6, 11, 0};
}

UTxResult DLxSymDeleteLeaderRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"DeleteSymLeader");
}

UTxResult DLxSymDeleteLeaderRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                        const UTxString16& line) {
    m_deleteNode = false;
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSymDeleteLeaderRequest::ValidateInputs(FWxSceneDoc* doc) {
    using namespace DLxLeaderRequestCheck;
    if (!doc) return UTxResult::Refusal(kRefused, u"no document");
    if (UTxResult r = Target(m_symbol, m_symbolText, u"Instance", u"placed symbol"); r.Failed())
        return r;
    const DLxSymInstance* symbol = m_symbol.Read();
    if (symbol->GetNumberOfActiveLeaders() <= 0)
        return UTxResult::Refusal(kRefused, u"Instance: the symbol shows no leader");
    if (UTxResult r = Leader(symbol, m_leader, u"LeaderNum"); r.Failed()) return r;
    const DUxLeaderNodeTree* tree = symbol->GetLeader(m_leader);
    if (UTxResult r = Node(tree, m_nodeId, u"NodeId"); r.Failed()) return r;
    if (tree->FindNode(m_nodeId) == tree->GetRoot())
        return UTxResult::Refusal(kRefused, u"NodeId: the root of a leader stays");
    return {};
}

void DLxSymDeleteLeaderRequest::KeepFirstLeader(DLxSymInstance* symbol, int32_t firstEndId,
                                                const WqGePoint3d& attach,
                                                DLxViewInstance* view) {
    if (symbol->GetLeader(0)->GetNumNodes() == 1)
        for (int32_t i = 1; i < symbol->GetNumLeaders(); ++i)
            if (symbol->GetLeader(i)->GetNumNodes() > 1) {
                symbol->SwapLeaders(0, i);
                break;
            }
    DUxLeaderNodeTree* leader0 = symbol->GetLeader(0);
    DUxBaseTerminalLeaderNode* end = leader0->GetTerminalNode(0);
    DUxSymState* state = symbol->GetSymState();
    DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader0, 0);
    if (leader0->GetNumNodes() == 1) {
        // No leader with a path is left: the symbol stays put and its anchor comes to it.
        leader0->SetLandingLength(leader0->GetReferenceLandingLength());
        if (!state) return;
        if (end) end->SetPoint(attach);
        state->SetOrigin(attach);
        if (!anchor) return;
        DLxViewInstance* had = anchor->GetViewInstance();
        if (!had && view) anchor->SetViewInstance(view);
        anchor->SetPoint(had ? DLxZoneUtilSheet::BrokenToUnbroken(had, attach) : attach);
        state->SetScale(had ? had->GetViewScale() : 1.0);
        return;
    }
    if (!state || !end || end->GetNodeId() == firstEndId) return;
    // Another end leads now: the symbol's origin and scale follow it.
    state->SetOrigin(end->GetPoint());
    if (anchor) DLxSymChangeLeaderRequest::TakeViewScale(symbol, anchor);
}

UTxResult DLxSymDeleteLeaderRequest::_Execute(FWxSceneDoc* doc) {
    if (UTxResult r = ValidateInputs(doc); r.Failed()) return r;
    DLxSymInstance* symbol = m_symbol.get();
    // The record names the symbol as it was found, before the deletion moves it.
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    DLxViewInstance* oldView = symbol->GetView();
    DUxLeaderNodeTree* tree = symbol->GetLeader(m_leader);
    DLxViewInstance* view = DLxLeaderUtils::GetViewInstance(tree);
    // Node ids are never reused, so the id tells whether the first end is still the same.
    DUxBaseTerminalLeaderNode* firstEnd = DLxSymChangeLeaderRequest::FirstEnd(symbol);
    const int32_t firstEndId = firstEnd ? firstEnd->GetNodeId() : -1;
    WqGePoint3d attach = symbol->GetSymbolOrigin();
    symbol->GetAttachPointIfNoLeader(attach);

    DUxLeaderNode* node = tree->FindNode(m_nodeId);
    if (m_deleteNode)
        tree->DeleteNode(node);
    else
        tree->DeleteBranch(node);
    if (m_leader == 0) KeepFirstLeader(symbol, firstEndId, attach, view);

    // A frame lays itself out anew after any change of its leaders.
    if (auto* frame = dynamic_cast<DLxGDTInstance*>(symbol))
        if (DLxGDTState* state = frame->GetGDTState()) state->SetFlag(DLxGDTState::kNewStateFlag);
    return DLxSymChangeLeaderRequest::Recompute(symbol, oldView);
}

UTxResult DLxSymDeleteLeaderRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRefBase symbol = m_symbol;
    DLxSymChangeLeaderRequest::ExchangeInstance(tdx, u"Instance", symbol, m_symbolText);
    if (tdx.IsReading()) {
        m_symbol = RSeRef<DLxSymInstance>(symbol);
        if (m_symbol.HasTarget()) m_symbolText.clear();
    }
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    DLxTDXUtil::Transcript(tdx, u"NodeId", m_nodeId, true);
    DLxTDXUtil::Transcript(tdx, u"DeleteNode", m_deleteNode, tdx.IsWriting());
    return tdx.GetResult();
}
