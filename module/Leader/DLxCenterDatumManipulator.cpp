#include "Leader/DLxCenterDatumManipulator.h"

#include "Command/DLxCenterDatumEditDlg.h"
#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumState.h"
#include "Request/DLxCenterDatumRequests.h"
#include "WinMessageBox.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxContext.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

namespace {
// Commands that change the document.
constexpr int32_t kChangeClassification = 1;
} // namespace

DLxCenterDatumManipulator::DLxCenterDatumManipulator(DLxCenterDatumInstance* indicator,
                                                     FWxSceneDoc* doc)
    : DLxInstanceManipulator(RSeRefBase(indicator), kClassHotPoint, nullptr, doc),
      m_indicator(indicator), m_doc(doc), m_intent(DLxIntent::Free(WqGePoint3d())) {}

DLxCenterDatumInstance* DLxCenterDatumManipulator::GetIndicator() const {
    return m_indicator.get();
}

bool DLxCenterDatumManipulator::StartDrag(const WqGePoint3d& point) {
    DLxCenterDatumInstance* indicator = GetIndicator();
    if (!indicator || !m_doc || !m_doc->PermittedCommand(kChangeClassification)) return false;
    {
        RSeReadOnlyScope reading;
        m_view = RSeRef<DLxViewInstance>(indicator->GetView());
    }
    m_point = {point.x, point.y, 0};
    m_intent = DLxIntent::Free(m_point, m_view.get());
    m_inferred = false;
    m_request = nullptr;
    m_dragging = true;
    return true;
}

bool DLxCenterDatumManipulator::Infer(const WqGePoint3d& q) {
    DLxViewInstance* view = nullptr;
    {
        RSeReadOnlyScope reading;
        view = m_view.get();
    }
    if (!view || !DLxInferUtil::InferOnViewEdges({view}, q, kInferTolerance, m_intent))
        return false;
    m_point = m_intent.GetPoint();
    return true;
}

bool DLxCenterDatumManipulator::Drag(const WqGePoint3d& point) {
    if (!m_dragging) return false;
    const WqGePoint3d q{point.x, point.y, 0};
    m_inferred = Infer(q);
    if (!m_inferred) {
        m_point = q;
        m_intent = DLxIntent::Free(q, m_view.get());
    }
    return true;
}

bool DLxCenterDatumManipulator::EndDrag(const WqGePoint3d&) {
    if (!m_dragging) return false;
    m_dragging = false;
    if (!m_inferred || !m_doc) return true;
    m_request = new DLxCenterDatumChangeAnchorRequest(m_indicator, m_intent, true, m_point, m_view);
    m_doc->ProcessChangeRequest(m_request);
    return true;
}

void DLxCenterDatumManipulator::CancelDrag() {
    m_dragging = false;
    m_inferred = false;
}

bool DLxCenterDatumManipulator::StartDialog() {
    DLxCenterDatumInstance* indicator = GetIndicator();
    DLxCenterDatumState* state = indicator ? indicator->GetCenterDatumState() : nullptr;
    if (!state || !m_doc || !m_doc->PermittedCommand(kChangeClassification)) return true;
    DLxCenterDatumEditDlg dlg(state->GetRelXValue(), state->GetRelYValue());
    if (dlg.DoModal() != IDOK) return true;
    m_request = new DLxCenterDatumEditRequest(m_indicator, dlg.GetRelX(), dlg.GetRelY());
    m_doc->ProcessChangeRequest(m_request);
    return true;
}
