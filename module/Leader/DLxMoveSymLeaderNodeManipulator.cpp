#include "Leader/DLxMoveSymLeaderNodeManipulator.h"

#include <cmath>
#include <limits>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxSymInstance.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxContext.h"
#include "dl/DLxSheet.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

namespace {
// Commands that change the document.
constexpr int32_t kChangeClassification = 1;

WqGePoint3d Flat(const WqGePoint3d& p) {
    return {p.x, p.y, 0};
}

// The closest point of the edge's unbounded line to p; false for an anchor not on a valid
// straight edge.
bool ProjectOnEdgeLine(const DLxAnchorPoint* anchor, const WqGePoint3d& p, WqGePoint3d& foot) {
    const DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
    DUxLineGeometry line;
    if (!proxy || !proxy->IsValid() || !proxy->isLinearEdge() || !proxy->GetLineOfEntity(line))
        return false;
    const WqGeVector3d d = line.end - line.start;
    const double len2 = d.dotProduct(d);
    const double t = len2 > 0 ? (p - line.start).dotProduct(d) / len2 : 0.0;
    foot = line.start + d * t;
    return true;
}
} // namespace

DLxMoveSymLeaderNodeManipulator::DLxMoveSymLeaderNodeManipulator(
    const RSeRef<DLxSymInstance>& symbol, int32_t kind, int32_t leader, int32_t node,
    FWxSelection* selection, FWxSceneDoc* doc)
    : DLxInstanceManipulator(symbol, kClassHotPoint, selection, doc),
      m_intent(DLxIntent::Free(WqGePoint3d())), m_kind(kind), m_leader(leader), m_node(node) {}

DLxSymInstance* DLxMoveSymLeaderNodeManipulator::GetSymbol() const {
    return dynamic_cast<DLxSymInstance*>(GetClonedInstance());
}

DLxSymInstance* DLxMoveSymLeaderNodeManipulator::GetStoredSymbol() const {
    return dynamic_cast<DLxSymInstance*>(GetInstance());
}

int32_t DLxMoveSymLeaderNodeManipulator::GetPromptCursor() const {
    if (m_kind == 0) return kIdleCursor;
    return m_intent.HasInferences() ? m_intent.GetCursorShape() : m_cursor;
}

int32_t DLxMoveSymLeaderNodeManipulator::GetPromptText() const {
    return m_kind != 0 ? kDragPrompt : 0;
}

DLxAnchorPoint* DLxMoveSymLeaderNodeManipulator::FindDraggedAnchor(DLxSymInstance* sym) const {
    DUxLeaderNodeTree* tree = sym ? sym->GetLeader(m_leader) : nullptr;
    auto* end = tree ? dynamic_cast<DLxTerminalLeaderNode*>(tree->FindNode(m_node)) : nullptr;
    return end ? end->GetAnchorPoint() : nullptr;
}

bool DLxMoveSymLeaderNodeManipulator::StartDrag(const WqGePoint3d& point) {
    m_startSelection = point;
    m_last = point;
    FWxSceneDoc* doc = GetDocument();
    if (doc && !doc->PermittedCommand(kChangeClassification)) return false;
    m_cursor = kDragCursor;
    m_anchor = nullptr;
    m_intent = DLxIntent::Free(WqGePoint3d());
    if (!DLxInstanceManipulator::StartDrag(point)) return false;
    m_dragging = true;
    m_views.clear();
    if (DLxSymInstance* stored = GetStoredSymbol()) {
        RSeReadOnlyScope reading;
        if (auto* sheet = dynamic_cast<DLxSheet*>(stored->GetFragment().get()))
            m_views = sheet->GetViews();
    }
    DLxSymInstance* sym = GetSymbol();
    if (!sym) return true;
    if (auto* text = dynamic_cast<DLxLeaderTextInstance*>(sym))
        text->SetSymFlag(kDraggedLeaderTextFlag);
    else if (dynamic_cast<DLxGDTInstance*>(sym))
        if (auto* state = dynamic_cast<DLxGDTState*>(sym->GetSymState())) {
            state->SetFlag(kDraggedFrameStateFlag);
            state->TakeDocumentStyle(GetDocument());
        }

    switch (m_kind) {
    case DUxLeaderNodeTree::kAnchorItem:
        m_anchor = FindDraggedAnchor(sym);
        if (m_anchor) {
            // On a straight edge the end slides along it; on anything else it is free.
            const DUxGeometryProxy* proxy = m_anchor->GetGeometryProxy();
            double t = 0.0;
            if (proxy && proxy->IsValid() && proxy->isLinearEdge() &&
                proxy->ParamOf(m_anchor->GetPoint(), t))
                m_anchor->SetParameter(t);
            else
                m_anchor->Detach();
        }
        break;
    case DUxLeaderNodeTree::kLeaderNodeItem: {
        DUxLeaderNodeTree* tree = sym->GetLeader(m_leader);
        DUxLeaderNode* node = tree ? tree->FindNode(m_node) : nullptr;
        m_startSymbol = node ? node->GetPoint() : m_startSelection;
        m_point = m_startSymbol;
        break;
    }
    case DUxLeaderNodeTree::kSymbolBoxItem:
        m_startSymbol = sym->GetSymbolOrigin();
        m_point = m_startSymbol;
        break;
    default:
        break;
    }
    return true;
}

void DLxMoveSymLeaderNodeManipulator::InferFreeEnd(DLxSymInstance*, WqGePoint3d& q) {
    if (DLxInferUtil::InferOnViewEdges(m_views, q, kInferTolerance, m_intent)) {
        q = m_intent.GetPoint();
        m_cursor = m_intent.GetCursorShape();
        return;
    }
    m_intent = DLxIntent::Free(q, m_anchor ? m_anchor->GetViewInstance() : nullptr);
    m_cursor = kDragCursor;
}

void DLxMoveSymLeaderNodeManipulator::FollowFirstAnchor(DLxSymInstance* sym) {
    if (m_leader != 0 || !m_anchor) return;
    if (DLxLeaderUtils::GetAnchorPointIndex(sym->GetLeader(0), m_anchor) != 0) return;
    if (DUxSymState* state = sym->GetSymState()) state->SetOrigin(m_anchor->GetBrokenPoint());
}

void DLxMoveSymLeaderNodeManipulator::DragEnd(DLxSymInstance* sym, const WqGePoint3d& current) {
    if (!m_anchor) return;
    WqGePoint3d q = Flat(current);
    WqGePoint3d u = m_anchor->BrokenToUnbroken(q);
    if (m_anchor->IsOnEdge()) {
        WqGePoint3d foot;
        if (ProjectOnEdgeLine(m_anchor, u, foot)) {
            if (foot.distanceTo(u) > kTearOffDistance) {
                m_anchor->Detach();
            } else {
                u = foot;
                DLxSymChangeLeaderRequest::RebindAlongEdge(m_anchor, u);
            }
        }
        m_anchor->SetPoint(u);
    } else {
        InferFreeEnd(sym, q);
        m_anchor->SetPoint(m_anchor->BrokenToUnbroken(q));
    }
    FollowFirstAnchor(sym);
}

void DLxMoveSymLeaderNodeManipulator::DragNode(DLxSymInstance* sym, DUxLeaderNodeTree* tree,
                                               const WqGePoint3d& point) {
    DUxLeaderNode* node = tree->FindNode(m_node);
    if (!node) return;
    if (node != tree->GetRoot()) {
        tree->SetNodePoint(m_node, point);
        return;
    }
    if (sym->GetNumberOfActiveLeaders() <= 1) {
        sym->MoveSymbolBox(point, m_leader);
        return;
    }
    // With several leaders the landing's end stays: the root slides along the landing.
    const WqGeVector3d d = DUxLeaderNodeTree::LandingDirection(tree->GetLandingPosition());
    WqGePoint3d end;
    if (!sym->GetLandingEndPoint(end, m_leader)) return;
    tree->SetLandingLength(-(point - end).dotProduct(d));
    if (m_leader == 0) node->SetPoint(end + d * (point - end).dotProduct(d));
}

bool DLxMoveSymLeaderNodeManipulator::Drag(const WqGePoint3d& current) {
    if (!m_dragging) return false;
    m_last = current;
    DLxSymInstance* sym = GetSymbol();
    if (!sym) return DLxInstanceManipulator::Drag(current);
    const WqGeVector3d delta(current.x - m_startSelection.x, current.y - m_startSelection.y, 0);
    DUxLeaderNodeTree* tree = sym->GetLeader(m_leader);
    switch (m_kind) {
    case DUxLeaderNodeTree::kAnchorItem:
        DragEnd(sym, current);
        break;
    case DUxLeaderNodeTree::kLeaderNodeItem:
        if (!tree) break;
        m_point = Flat(m_startSymbol + delta);
        DragNode(sym, tree, m_point);
        break;
    case DUxLeaderNodeTree::kSymbolBoxItem:
        m_point = Flat(m_startSymbol + delta);
        sym->MoveSymbolBox(m_point, m_leader);
        // A symbol sitting on a straight edge slides along it.
        m_anchor = DLxLeaderUtils::GetAnchorPoint(tree, 0);
        if (m_anchor && m_anchor->IsOnEdge())
            DLxSymChangeLeaderRequest::RebindAlongEdge(m_anchor,
                                                       m_anchor->BrokenToUnbroken(m_point));
        break;
    case DUxLeaderNodeTree::kLandingEndItem: {
        if (!tree || m_leader != 0 || sym->GetNumberOfActiveLeaders() != 1) break;
        m_point = Flat(current);
        // A landing that may not run along an axis keeps the root's place across it.
        if (DUxLeaderNode* root = tree->GetRoot()) {
            const WqGePoint3d r = root->GetPoint();
            if (!tree->GetLandingDirectionFlag(0)) m_point.y = r.y;
            if (!tree->GetLandingDirectionFlag(1)) m_point.x = r.x;
        }
        WqGePoint3d p = m_point;
        sym->SetLandingEndPoint(p, m_leader);
        break;
    }
    case DUxLeaderNodeTree::kLeaderRootItem:
        if (!tree) break;
        m_point = Flat(current);
        sym->AdjustLeaderRoot(m_point, m_leader);
        if (DUxLeaderNodeTree* first = sym->GetLeader(0))
            if (DUxLeaderNode* root = first->GetRoot())
                sym->MoveSymbolBox(root->GetPoint(), 0, m_point);
        break;
    case DUxLeaderNodeTree::kLandingAttachItem: {
        if (!tree) break;
        m_point = Flat(current);
        WqGePoint3d p = m_point;
        sym->AdjustLandingAttachPoint(p, m_leader);
        break;
    }
    default:
        break;
    }
    sym->AdjustAnchorPoints();
    return DLxInstanceManipulator::Drag(current);
}

bool DLxMoveSymLeaderNodeManipulator::EndDrag(const WqGePoint3d& point) {
    if (!m_dragging) return false;
    if (!(point == m_last)) Drag(point);
    m_dragging = false;
    SetRequest(nullptr);
    DLxSymInstance* sym = GetSymbol();
    DLxSymInstance* stored = GetStoredSymbol();
    if (!GetDocument() || !stored) return true;
    const RSeRef<DLxSymInstance> ref(stored);
    FWxChangeRequest* request = nullptr;
    switch (m_kind) {
    case DUxLeaderNodeTree::kAnchorItem:
        // A free end is bound to what the drag inferred; one on its edge keeps the edge.
        if (m_anchor)
            request = new DLxSymChangeAnchorRequest(
                ref, m_leader, m_node, m_intent, !m_anchor->IsOnEdge(), m_anchor->GetPoint(), true);
        break;
    case DUxLeaderNodeTree::kLeaderNodeItem:
        request = new DLxSymChangeLeaderRequest(ref, m_leader, m_node, m_point, true);
        break;
    case DUxLeaderNodeTree::kSymbolBoxItem:
        if (m_anchor) {
            const bool onEdge = m_anchor->IsOnEdge();
            request = new DLxSymChangeLeaderRequest(ref, m_point, m_anchor->GetBrokenPoint(), false,
                                                    -1, onEdge,
                                                    onEdge ? m_anchor->GetParameter() : 0.0, true);
        }
        break;
    case DUxLeaderNodeTree::kLandingEndItem:
        if (sym && m_leader == 0 && sym->GetNumberOfActiveLeaders() == 1)
            request = new DLxSymChangeLeaderRequest(ref, m_leader, m_point, false, true);
        break;
    case DUxLeaderNodeTree::kLeaderRootItem:
        request = new DLxSymChangeLeaderRequest(ref, m_point, true, true);
        break;
    case DUxLeaderNodeTree::kLandingAttachItem:
        request = new DLxSymChangeLeaderRequest(ref, m_leader, m_point, true, true);
        break;
    default:
        break;
    }
    SetRequest(request);
    return true;
}

void DLxMoveSymLeaderNodeManipulator::CancelDrag() {
    m_dragging = false;
    m_anchor = nullptr;
    DLxInstanceManipulator::CancelDrag();
}

bool DLxMoveSymLeaderNodeManipulator::PostRequest() {
    m_anchor = nullptr;
    return DLxInstanceManipulator::PostRequest();
}

bool DLxMoveSymLeaderNodeManipulator::PickHotPoint(DLxSymInstance* symbol,
                                                   const WqGePoint3d& point, int32_t& kind,
                                                   int32_t& leader, int32_t& node) {
    if (!symbol) return false;
    double best = std::numeric_limits<double>::infinity();
    for (int32_t i = 0; i < symbol->GetNumLeaders(); ++i) {
        DUxLeaderNodeTree* tree = symbol->GetLeader(i);
        if (!tree) continue;
        for (int32_t n = 0; n < tree->GetNumNodes(); ++n) {
            DUxLeaderNode* at = tree->GetNodeAtIndex(n);
            if (!at) continue;
            // An end is read from its anchor: asking the node would cache the point in the
            // stored node, which a press must not change.
            const auto* end = dynamic_cast<const DLxTerminalLeaderNode*>(at);
            const DLxAnchorPoint* anchor = end ? end->GetAnchorPoint() : nullptr;
            if (end && !anchor) continue;
            const WqGePoint3d p = anchor ? anchor->GetBrokenPoint() : at->GetPoint();
            const double d = std::hypot(p.x - point.x, p.y - point.y);
            if (d > kPickTolerance || d >= best) continue;
            best = d;
            kind = at->GetChildren().empty() && at != tree->GetRoot()
                       ? int32_t(DUxLeaderNodeTree::kAnchorItem)
                       : int32_t(DUxLeaderNodeTree::kLeaderNodeItem);
            leader = i;
            node = at->GetNodeId();
        }
    }
    return best <= kPickTolerance;
}

std::unique_ptr<DLxManipulator> DLxMoveSymLeaderNodeManipulator::CreateForPress(
    RDxInstance* instance, const WqGePoint3d& point, FWxSceneDoc* doc) {
    auto* symbol = dynamic_cast<DLxSymInstance*>(instance);
    int32_t kind = 0, leader = 0, node = 0;
    if (!PickHotPoint(symbol, point, kind, leader, node)) return nullptr;
    return std::make_unique<DLxMoveSymLeaderNodeManipulator>(RSeRef<DLxSymInstance>(symbol), kind,
                                                             leader, node, nullptr, doc);
}
