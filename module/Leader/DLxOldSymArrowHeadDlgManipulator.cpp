#include "Leader/DLxOldSymArrowHeadDlgManipulator.h"

#include "Request/DLxLeaderRequests.h"
#include "Symbol/DLxSymbol.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxSceneDoc.h"

DLxOldSymArrowHeadDlgManipulator::DLxOldSymArrowHeadDlgManipulator(const RSeRef<DLxSymbol>& symbol,
                                                                   FWxSelection* selection,
                                                                   FWxSceneDoc* doc)
    : DLxInstanceManipulator(symbol, kClassHotPoint, selection, doc) {}

DLxSymbol* DLxOldSymArrowHeadDlgManipulator::GetStoredSymbol() const {
    return dynamic_cast<DLxSymbol*>(GetInstance());
}

void DLxOldSymArrowHeadDlgManipulator::Post(int32_t arrowType) {
    FWxSceneDoc* doc = GetDocument();
    DLxSymbol* symbol = GetStoredSymbol();
    if (!doc || !symbol) return;
    m_arrowType = arrowType;
    // What the request answers is the chooser's business no more: a refused change is none.
    (void)doc->ProcessChangeRequest(new DLxLeaderChangeArrowheadRequest(
        RSeRef<DLxSymbol>(symbol), arrowType, 0));
}

void DLxOldSymArrowHeadDlgManipulator::CallBack(uint32_t service) {
    Post(DLxLeaderChangeArrowheadRequest::TypeOfService(service));
}

bool DLxOldSymArrowHeadDlgManipulator::StartDialog() {
    FWxSceneDoc* doc = GetDocument();
    const DLxSymbol* symbol = GetStoredSymbol();
    if (!doc || !doc->PermittedCommand(1) || !symbol) return true;
    const DUxArrowHeadState* state = symbol->GetArrowheadStateObject();
    const int32_t opening = state ? DLxLeaderChangeArrowheadRequest::TypeOfService(
                                        state->GetTemplateId())
                                  : DLxSymbol::kDefaultArrowType;
    m_arrowType = opening;
    const int32_t answer = m_runner ? m_runner(*this) : kCancel;
    if (answer == kCancel) Post(opening);
    return true;
}
