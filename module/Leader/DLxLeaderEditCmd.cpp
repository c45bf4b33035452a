#include "Leader/DLxLeaderEditCmd.h"

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderEnt.h"
#include "Leader/DLxCLeaderNodeIterator.h"
#include "Leader/DLxLeaderEditData.h"
#include "Request/DLxLeaderRequests.h"
#include "Symbol/DLxSymbol.h"
#include "du/DUxEmblemSelection.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"

namespace {
double Tolerance(const FWxEvent& event) {
    return event.worldSelectionTol > 0.0 ? event.worldSelectionTol
                                         : DLxLeaderEditTarget::kDefaultTolerance;
}
} // namespace

// ---- event target

FWxSceneDoc* DLxLeaderEditTarget::Document() const {
    return m_state ? m_state->GetActiveDocument() : nullptr;
}

void DLxLeaderEditTarget::Post(FWxChangeRequest* request) const {
    SmartPtr<FWxChangeRequest> owned(request);
    // What the request answers is not the pick's business: a refused edit changes nothing.
    if (FWxSceneDoc* doc = Document()) (void)doc->ProcessChangeRequest(owned);
}

void DLxLeaderEditTarget::OnActivate(FWxState* state) {
    m_state = state;
    m_statusText = kStartText;
}

void DLxLeaderEditTarget::OnTerminate(int32_t) {
    m_drawing = false;
    m_highlight = false;
    m_preview.RemoveAll();
}

void DLxLeaderEditTarget::DrawPreview() {
    m_preview.RemoveAll();
    m_data->GetScratchLeader().Draw(m_preview.GetDisplayList());
}

int32_t DLxLeaderEditTarget::OnMouseMove(const FWxEvent& event) {
    if (!m_drawing) return FWxStateCode::kGoOn;
    const DLxSymbol* symbol = m_data->GetSymbol();
    if (event.hasDrawTarget && symbol) {
        WqGePoint3d point = event.point;
        WqGePoint3d foot;
        m_highlight = symbol->HitTestLeaders(point, Tolerance(event), foot);
        if (m_highlight) point = foot;
        if (DLxCLeaderGeneral* scratch = m_data->GetScratchRecord())
            if (std::unique_ptr<DLxCLeaderNodeIterator> it = scratch->CreateNodeIterator()) {
                it->Start(false);
                (void)it->SetPoint(point);
            }
    }
    DrawPreview();
    return FWxStateCode::kGoOn;
}

int32_t DLxLeaderEditTarget::OnLButtonDown(const FWxEvent& event) {
    const DLxSymbol* symbol = m_data->GetSymbol();
    DLxCLeaderGeneral* scratch = m_data->GetScratchRecord();
    if (!symbol || !scratch) return FWxStateCode::kGoOn;
    m_cursor = event.point;
    WqGePoint3d foot;
    const bool onLeader = symbol->HitTestLeaders(m_cursor, Tolerance(event), foot);
    if (!m_drawing) {
        if (onLeader && m_data->CanTakePoint(foot)) {
            Post(new DLxLeaderAddVertexRequest(m_data, foot));
            return FWxStateCode::kFinished;
        }
        // A fixed first point and a root that follows the cursor.
        (void)scratch->PrependVertex(m_cursor);
        (void)scratch->PrependVertex(m_cursor);
        m_drawing = true;
        m_statusText = kNextPointText;
        DrawPreview();
        return FWxStateCode::kGoOn;
    }
    if (onLeader) {
        m_data->PrepareBranch(foot);
        Post(new DLxLeaderAddRequest(m_data, foot, m_data->GetBranchPoints(),
                                     m_data->GetAttachPoint()));
        return FWxStateCode::kFinished;
    }
    (void)scratch->PrependVertex(m_cursor);
    DrawPreview();
    return FWxStateCode::kGoOn;
}

// ---- command state

DLxLeaderEditCmdState::DLxLeaderEditCmdState() = default;
DLxLeaderEditCmdState::~DLxLeaderEditCmdState() = default;

FWxEventTarget* DLxLeaderEditCmdState::OnActivate() {
    DLxSymbol* symbol = nullptr;
    if (FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetActiveDocument()))
        if (FWxSelectionSet* pre = mgr->GetPreSelectionSet(); pre && !pre->IsEmpty())
            if (auto* sel = dynamic_cast<DUxEmblemSelection*>(pre->GetAt(0).get()))
                symbol = dynamic_cast<DLxSymbol*>(sel->Emblem());
    m_data = std::make_unique<DLxLeaderEditData>(symbol);
    m_tip = std::make_unique<DLxLeaderTipState>(m_data.get());
    m_tipRan = false;
    return FWxComplexState::OnActivate();
}

FWxState* DLxLeaderEditCmdState::OnNextState() {
    if (m_tipRan) return nullptr;
    m_tipRan = true;
    return m_tip.get();
}

void DLxLeaderEditCmdState::OnTerminate(int32_t code) {
    FWxComplexState::OnTerminate(code);
    // The tip state's target points at the edit data: it goes first.
    m_tip.reset();
    m_data.reset();
}

// ---- command

DLxLeaderEditCmd::DLxLeaderEditCmd(FWxSceneDoc* doc)
    : FWxDocStateCmd(doc, 1), m_resolver(std::make_unique<FWxTargetStateResolver>(&m_state)) {}

DLxLeaderEditCmd::~DLxLeaderEditCmd() {
    if (m_resolver->IsRunning()) m_resolver->Terminate(FWxStateCode::kEnd);
}

void DLxLeaderEditCmd::OnTerminate(int32_t code) {
    if (FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument())) mgr->EmptySelectionSets();
    FWxDocStateCmd::OnTerminate(code);
}

int32_t DLxLeaderEditCmd::RButtonUp(const FWxEvent& event) {
    DLxLeaderTipState* tip = m_state.GetTipState();
    if (!tip || !tip->IsRunning()) return FWxStateCode::kGoOn;
    return tip->GetTarget().OnRButtonUp(event);
}

int32_t DLxLeaderEditCmd::LButtonDblClk(const FWxEvent& event) {
    DLxLeaderTipState* tip = m_state.GetTipState();
    if (!tip || !tip->IsRunning()) return FWxStateCode::kGoOn;
    const int32_t status = tip->GetTarget().OnLButtonDblClk(event);
    if (status == FWxStateCode::kFinished) m_resolver->Finish(tip, status);
    return status;
}
