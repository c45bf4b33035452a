#include "Leader/DLxMoveDatumIdNodeManipulator.h"

#include "DatumId/DLxDatumIdInstance.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr int32_t kChangeClassification = 1;
} // namespace

DLxMoveDatumIdNodeManipulator::DLxMoveDatumIdNodeManipulator(DLxDatumIdInstance* identifier,
                                                             FWxSceneDoc* doc)
    : DLxMoveSymLeaderNodeManipulator(RSeRef<DLxSymInstance>(identifier),
                                      DUxLeaderNodeTree::kAnchorItem, 0, 0, nullptr, doc),
      m_doc(doc) {}

DLxDatumIdInstance* DLxMoveDatumIdNodeManipulator::GetIdentifier() const {
    return dynamic_cast<DLxDatumIdInstance*>(GetStoredSymbol());
}

bool DLxMoveDatumIdNodeManipulator::StartDrag(const WqGePoint3d&) {
    DLxDatumIdInstance* id = GetIdentifier();
    if (!id || !m_doc || !m_doc->PermittedCommand(kChangeClassification)) return false;
    RSeReadOnlyScope reading;
    DUxLeaderNodeTree* tree = id->GetLeader(0);
    DUxLeaderNode* end = tree ? tree->GetTerminalNode(0) : nullptr;
    if (!end) return false;
    m_nodeId = end->GetNodeId();
    m_end = end->GetPoint();
    DUxLeaderNode* parent = end->GetParent();
    m_movesRoot = parent && end != tree->GetRoot();
    m_root = parent ? parent->GetPoint() : m_end;
    const WqGeVector3d d = m_root - m_end;
    m_length = d.length();
    m_direction = d.isZeroLength() ? d : d.normal();
    m_intent = DLxIntent::Free(m_end);
    m_inferred = false;
    m_request = nullptr;
    m_dragging = true;
    return true;
}

bool DLxMoveDatumIdNodeManipulator::Drag(const WqGePoint3d& point) {
    if (!m_dragging) return false;
    DLxDatumIdInstance* id = GetIdentifier();
    const WqGePoint3d q{point.x, point.y, 0};
    m_end = q;
    m_inferred = false;
    m_intent = DLxIntent::Free(q);
    RSeReadOnlyScope reading;
    DLxAnchorPoint* anchor = id ? id->GetFirstAnchor() : nullptr;
    DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
    if (view) {
        // The nearest edge within the tolerance; its normal at the end turns the segment.
        double best = kInferTolerance;
        for (const DLxViewEdge& edge : view->GetEdges()) {
            const DLxSheetCurve curve = view->ProjectEdge(edge);
            const double t = curve.ClosestParam(q);
            const WqGePoint3d p = curve.PointAt(t);
            const double dist = p.distanceTo(q);
            if (dist > best || (m_inferred && dist == best)) continue;
            best = dist;
            m_inferred = true;
            m_intent = DLxIntent::OnEdge(view, edge.id, t);
            m_end = {p.x, p.y, 0};
            const WqGeVector3d n = curve.NormalAt(t);
            if (!n.isZeroLength()) m_direction = n.dotProduct(m_direction) > 0 ? n : -n;
        }
        m_intent.SetPoint(m_end);
    }
    if (m_movesRoot) m_root = m_end + m_direction * m_length;
    return true;
}

bool DLxMoveDatumIdNodeManipulator::EndDrag(const WqGePoint3d&) {
    if (!m_dragging) return false;
    m_dragging = false;
    DLxDatumIdInstance* id = GetIdentifier();
    if (!id || !m_doc) return true;
    m_request = new DLxSymChangeAnchorRequest(RSeRef<DLxSymInstance>(id), 0, m_nodeId, m_intent,
                                              m_inferred, m_end, m_root, true);
    m_doc->ProcessChangeRequest(m_request);
    return true;
}

void DLxMoveDatumIdNodeManipulator::CancelDrag() {
    m_dragging = false;
    m_inferred = false;
}
