#include "Request/DLxLeaderRequests.h"

#include <string>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxLeaderEditData.h"
#include "Request/DLxRequestUtil.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Symbol/DLxSymbol.h"
#include "dl/DLxTDXUtil.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"

IMPLEMENT_DYNCREATE(DLxLeaderAddRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxLeaderAddVertexRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxLeaderMoveRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxLeaderChangeArrowheadRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr char16_t kSymbolKey[] = u"rSymbol";
constexpr char16_t kKind[] = u"older symbol";

UTxString16 Number(int64_t n) {
    return UTx::MakeWideString(std::to_string(n));
}

// The symbol under "rSymbol" by its name key; a key naming nothing or another kind reads as
// no symbol, keeping its text for the refusal.
void ExchangeSymbol(UCxTranscriptDataExchange& tdx, RSeRef<DLxSymbol>& symbol, UTxString16& text) {
    RSeRefBase ref = symbol;
    DLxSymChangeLeaderRequest::ExchangeInstance(tdx, kSymbolKey, ref, text);
    if (tdx.IsReading()) {
        symbol = RSeRef<DLxSymbol>(ref);
        if (symbol.HasTarget()) text.clear();
    }
}

UTxResult CheckSymbol(const RSeRef<DLxSymbol>& symbol, const UTxString16& text) {
    return DLxLeaderRequestCheck::Target(symbol, text, kSymbolKey, kKind);
}

// A replayed add request has no edit command: it works on edit data of its own whose scratch
// leader holds the journalled points (first picked to root).
std::unique_ptr<DLxLeaderEditData> ReplayData(DLxSymbol* symbol,
                                              const std::vector<WqGePoint3d>& points) {
    auto data = std::make_unique<DLxLeaderEditData>(symbol);
    if (DLxCLeaderGeneral* scratch = data->GetScratchRecord()) (void)scratch->AddVertices(points);
    return data;
}
} // namespace

// ---- a new leader, or a new branch on a leader

DLxLeaderAddRequest::DLxLeaderAddRequest() = default;
DLxLeaderAddRequest::~DLxLeaderAddRequest() = default;

DLxLeaderAddRequest::DLxLeaderAddRequest(DLxLeaderEditData* data, const WqGePoint3d& point,
                                         const std::vector<WqGePoint3d>& branch,
                                         const WqGePoint3d& attach)
    : m_data(data), m_point(point), m_branch(branch), m_attach(attach) {
    if (data) {
        m_symbol = RSeRef<DLxSymbol>(data->GetSymbol());
        m_leaderPoints = data->GetLeaderPoints();
    }
}

UTxStringResource DLxLeaderAddRequest::GetRequestIdentity() const {
    return {0x600B01A1, 11, 0};
}

UTxResult DLxLeaderAddRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"AddLeader");
}

UTxResult DLxLeaderAddRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxLeaderAddRequest::ValidateInputs(FWxSceneDoc*) {
    if (m_data && m_data->GetSymbol() != m_symbol.GetTarget())
        return UTxResult::Refusal(kBadInput, u"rSymbol: not the symbol being edited");
    return CheckSymbol(m_symbol, m_symbolText);
}

UTxResult DLxLeaderAddRequest::_Execute(FWxSceneDoc*) {
    DLxSymbol* symbol = m_symbol.get();
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    if (!m_data) {
        m_ownData = ReplayData(symbol, m_leaderPoints);
        m_data = m_ownData.get();
    }
    if (symbol->GetDisplayLeaders()) {
        (void)m_data->AddVertexAtPoint(m_point);
    } else {
        symbol->SetDisplayLeaders(true);
        const std::vector<WqGePoint3d> points = m_data->GetLeaderPoints();
        if (!points.empty()) {
            (void)symbol->RemoveLeader(0);
            (void)symbol->AddLeader(points);
        }
    }
    (void)DLxRequestUtil::RecomputeChanged(symbol);
    return {};
}

UTxResult DLxLeaderAddRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeSymbol(tdx, m_symbol, m_symbolText);
    DLxTDXUtil::Transcript(tdx, u"point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"LeaderPoints", m_leaderPoints, true);
    return tdx.GetResult();
}

// ---- a vertex on a leader

DLxLeaderAddVertexRequest::DLxLeaderAddVertexRequest() = default;
DLxLeaderAddVertexRequest::~DLxLeaderAddVertexRequest() = default;

DLxLeaderAddVertexRequest::DLxLeaderAddVertexRequest(DLxLeaderEditData* data,
                                                     const WqGePoint3d& point)
    : m_data(data), m_point(point) {
    if (data) m_symbol = RSeRef<DLxSymbol>(data->GetSymbol());
}

UTxStringResource DLxLeaderAddVertexRequest::GetRequestIdentity() const {
    return {0x600B01A4, 11, 0};
}

UTxResult DLxLeaderAddVertexRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"AddLeaderVertex");
}

UTxResult DLxLeaderAddVertexRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                        const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxLeaderAddVertexRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckSymbol(m_symbol, m_symbolText); r.Failed()) return r;
    if (m_data && m_data->GetSymbol() != m_symbol.GetTarget())
        return UTxResult::Refusal(kBadInput, u"rSymbol: not the symbol being edited");
    if (!DLxLeaderEditData(m_symbol.get()).CanTakePoint(m_point))
        return UTxResult::Refusal(kBadInput, u"point: on no leader of the symbol");
    return {};
}

UTxResult DLxLeaderAddVertexRequest::_Execute(FWxSceneDoc*) {
    DLxSymbol* symbol = m_symbol.get();
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    if (!m_data) {
        m_ownData = std::make_unique<DLxLeaderEditData>(symbol);
        m_data = m_ownData.get();
    }
    (void)m_data->IsPointOnLeaders(m_point);
    (void)DLxRequestUtil::RecomputeChanged(symbol);
    return {};
}

UTxResult DLxLeaderAddVertexRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeSymbol(tdx, m_symbol, m_symbolText);
    DLxTDXUtil::Transcript(tdx, u"point", m_point, true);
    return tdx.GetResult();
}

// ---- a dragged vertex

DLxLeaderMoveRequest::DLxLeaderMoveRequest() = default;

DLxLeaderMoveRequest::DLxLeaderMoveRequest(const RSeRef<DLxSymbol>& symbol, int32_t index,
                                           const WqGeVector3d& offset, bool isArrowhead,
                                           const DLxIntent& intent)
    : m_symbol(symbol), m_index(index), m_offset(offset), m_intent(intent),
      m_isArrowhead(isArrowhead) {}

UTxStringResource DLxLeaderMoveRequest::GetRequestIdentity() const {
    return {0x600B01A2, 11, 0};
}

UTxResult DLxLeaderMoveRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"LeaderMove");
}

UTxResult DLxLeaderMoveRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxLeaderMoveRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckSymbol(m_symbol, m_symbolText); r.Failed()) return r;
    const size_t count = m_symbol.Read()->GetAllLeaderVertices().size();
    if (m_index < 0 || size_t(m_index) >= count)
        return UTxResult::Refusal(kBadInput, u"index: the symbol has no leader vertex " +
                                                 Number(m_index) + u" (it has " +
                                                 Number(int64_t(count)) + u")");
    return DLxLeaderRequestCheck::Intent(m_intent, u"intent");
}

UTxResult DLxLeaderMoveRequest::_Execute(FWxSceneDoc*) {
    DLxSymbol* symbol = m_symbol.get();
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    (void)symbol->MoveLeaderVertices({m_index}, m_offset);
    (void)DLxRequestUtil::RecomputeChanged(symbol);
    return {};
}

UTxResult DLxLeaderMoveRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeSymbol(tdx, m_symbol, m_symbolText);
    DLxTDXUtil::Transcript(tdx, u"index", m_index, true);
    DLxTDXUtil::Transcript(tdx, u"offset", m_offset, true);
    DLxTDXUtil::Transcript(tdx, u"intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"isArrowhead", m_isArrowhead, true);
    return tdx.GetResult();
}

// ---- the symbol's arrowhead

DLxLeaderChangeArrowheadRequest::DLxLeaderChangeArrowheadRequest() = default;

DLxLeaderChangeArrowheadRequest::DLxLeaderChangeArrowheadRequest(const RSeRef<DLxSymbol>& symbol,
                                                                 int32_t arrowType, int32_t leader)
    : m_symbol(symbol), m_arrowType(arrowType), m_leader(leader) {}

uint32_t DLxLeaderChangeArrowheadRequest::ServiceOfType(int32_t arrowType) {
    if (arrowType > 0 && DUxArrowHeadTemplate::Find(uint32_t(arrowType))) return uint32_t(arrowType);
    const uint32_t older = DLxSymbol::ArrowTemplateOf(arrowType);
    return DUxArrowHeadTemplate::Find(older) ? older : kFallbackArrowHead;
}

int32_t DLxLeaderChangeArrowheadRequest::TypeOfService(uint32_t service) {
    return DUxArrowHeadTemplate::Find(service) ? int32_t(service) : DLxSymbol::kDefaultArrowType;
}

UTxStringResource DLxLeaderChangeArrowheadRequest::GetRequestIdentity() const {
    return {0x600B01A3, 11, 0};
}

UTxResult DLxLeaderChangeArrowheadRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeArrowhead");
}

UTxResult DLxLeaderChangeArrowheadRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                              const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxLeaderChangeArrowheadRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckSymbol(m_symbol, m_symbolText); r.Failed()) return r;
    const DLxSymbol* symbol = m_symbol.Read();
    if (!symbol->GetArrowheadStateObject())
        return UTxResult::Refusal(kBadInput, u"rSymbol: the symbol has no arrowhead");
    // A symbol without leaders still has its one arrowhead, named by leader 0.
    const int32_t leaders = symbol->GetNumLeaders() > 0 ? symbol->GetNumLeaders() : 1;
    if (m_leader < 0 || m_leader >= leaders)
        return UTxResult::Refusal(kBadInput, u"LeaderNum: the symbol has no leader " +
                                                 Number(m_leader));
    return {};
}

UTxResult DLxLeaderChangeArrowheadRequest::_Execute(FWxSceneDoc*) {
    DLxSymbol* symbol = m_symbol.get();
    m_symbolText = FWxUtil::GetTranscriptMgr().StringFromRef(m_symbol);
    symbol->GetArrowheadStateObject()->SetTemplateRef(
        DUxArrowHeadTemplate::Find(ServiceOfType(m_arrowType)));
    (void)DLxRequestUtil::RecomputeChanged(symbol);
    return {};
}

UTxResult DLxLeaderChangeArrowheadRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    ExchangeSymbol(tdx, m_symbol, m_symbolText);
    DLxTDXUtil::TranscriptAsInt(tdx, u"ArrowType", m_arrowType, true);
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    return tdx.GetResult();
}
