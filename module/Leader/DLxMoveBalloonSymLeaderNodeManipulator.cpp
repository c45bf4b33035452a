#include "Leader/DLxMoveBalloonSymLeaderNodeManipulator.h"

#include <cmath>

#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxBalloonSymChangeLeaderRequest.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Standard/DLxBomStdInfo.h"
#include "Standard/DLxCTableCallout.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
// Past its segment's ends by more than this (in parameter) an end leaves its edge.
constexpr double kEdgeParamTol = 1e-8;
// Under this the first leader segment counts as vertical: the stack may turn either way.
constexpr double kVerticalTol = 1e-5;

WqGePoint3d Flat(const WqGePoint3d& p) {
    return {p.x, p.y, 0};
}

DLxBalloonSymInstance* AsBalloon(DLxSymInstance* sym) {
    return dynamic_cast<DLxBalloonSymInstance*>(sym);
}

WqGePoint3d OriginOf(const RSeRef<DLxCTableCallout>& entry) {
    const DLxCTableCallout* e = entry.Read();
    return e ? e->origin() : WqGePoint3d();
}
} // namespace

DLxMoveBalloonSymLeaderNodeManipulator::DLxMoveBalloonSymLeaderNodeManipulator(
    const RSeRef<DLxBalloonSymInstance>& balloon, int32_t kind, int32_t leader, int32_t arrow,
    int32_t node, FWxSelection* selection, FWxSceneDoc* doc)
    : DLxMoveSymLeaderNodeManipulator(RSeRef<DLxSymInstance>(balloon.get()), kind, leader, node,
                                      selection, doc),
      m_arrow(arrow) {}

bool DLxMoveBalloonSymLeaderNodeManipulator::OwnKind() const {
    const int32_t kind = GetItemKind();
    return kind == DUxLeaderNodeTree::kAnchorItem || kind == DUxLeaderNodeTree::kLeaderNodeItem ||
           kind == DUxLeaderNodeTree::kBalloonStackItem;
}

bool DLxMoveBalloonSymLeaderNodeManipulator::StartDrag(const WqGePoint3d& point) {
    // What the stored end is, before the copy's end is freed for the drag.
    DLxSymInstance* stored = GetStoredSymbol();
    if (stored && GetItemKind() == DUxLeaderNodeTree::kAnchorItem) {
        RSeReadOnlyScope reading;
        const DUxArrowHeadTemplate* tmpl = stored->GetArrowHeadRef(m_arrow, GetLeaderIndex());
        m_arrowType = tmpl ? int32_t(tmpl->id) : 0;
        const DLxAnchorPoint* anchor = FindDraggedAnchor(stored);
        const DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
        m_startedFree = !(proxy && proxy->IsValid());
    }
    if (!DLxMoveSymLeaderNodeManipulator::StartDrag(point)) return false;
    DLxBalloonSymInstance* balloon = AsBalloon(GetSymbol());
    if (!balloon) return true;
    switch (GetItemKind()) {
    case DUxLeaderNodeTree::kAnchorItem:
        // An end at or past its edge's ends starts free.
        if (m_anchor && m_anchor->IsOnEdge()) {
            const double t = m_anchor->GetParameter();
            if (!(t > 0 && t < 1)) m_anchor->Detach();
        }
        break;
    case DUxLeaderNodeTree::kBalloonStackItem:
        m_direction =
            (OriginOf(balloon->GetAttachedBalloon(0)) - OriginOf(balloon->GetBalloon())).normal();
        break;
    default:
        break;
    }
    return true;
}

void DLxMoveBalloonSymLeaderNodeManipulator::DragEnd(DLxSymInstance* sym,
                                                     const WqGePoint3d& current) {
    if (!m_anchor) return;
    WqGePoint3d q = Flat(current);
    WqGePoint3d u = m_anchor->BrokenToUnbroken(q);
    const DUxGeometryProxy* proxy = m_anchor->GetGeometryProxy();
    DUxLineGeometry line;
    if (proxy && proxy->IsValid() && proxy->isLinearEdge() && proxy->GetLineOfEntity(line)) {
        // Along its edge only between the edge's ends and near its line.
        const WqGeVector3d d = line.end - line.start;
        const double len2 = d.dotProduct(d);
        const double t = len2 > 0 ? (u - line.start).dotProduct(d) / len2 : 0.0;
        const WqGePoint3d foot = line.start + d * t;
        if (t < -kEdgeParamTol || t > 1 + kEdgeParamTol || foot.distanceTo(u) > kTearOffDistance)
            m_anchor->Detach();
        else
            m_anchor->SetParameter(t);
        m_anchor->SetPoint(foot);
    } else {
        InferFreeEnd(sym, q);
        m_anchor->SetPoint(m_anchor->BrokenToUnbroken(q));
    }
    FollowFirstAnchor(sym);
}

void DLxMoveBalloonSymLeaderNodeManipulator::DragRoot(DLxSymInstance* sym,
                                                      const WqGePoint3d& current) {
    DUxLeaderNodeTree* tree = sym->GetLeader(GetLeaderIndex());
    DUxLeaderNode* node = tree ? tree->FindNode(GetNodeId()) : nullptr;
    if (!node) return;
    WqGePoint3d point = Flat(current);
    if (node == tree->GetRoot()) {
        // Over another balloon, the root lines up with that balloon's root across or along.
        DLxSymInstance* stored = GetStoredSymbol();
        DLxSheet* sheet = nullptr;
        {
            RSeReadOnlyScope reading;
            sheet = stored ? dynamic_cast<DLxSheet*>(stored->GetFragment().get()) : nullptr;
        }
        if (sheet) {
            RSeReadOnlyScope reading;
            for (const RSeRef<RDxNode>& r : sheet->GetNodes()) {
                auto* other = dynamic_cast<DLxBalloonSymInstance*>(r.GetTarget());
                if (!other || other == stored || !other->HitTest(point, kAlignTolerance)) continue;
                DUxLeaderNodeTree* otherTree = other->GetLeader(0);
                DUxLeaderNode* root = otherTree ? otherTree->GetRoot() : nullptr;
                if (!root) continue;
                const WqGePoint3d rp = root->GetPoint();
                const double dx = std::fabs(point.x - rp.x), dy = std::fabs(point.y - rp.y);
                if (dy <= dx && dy <= kAlignTolerance)
                    point.y = rp.y;
                else if (dx < dy && dx <= kAlignTolerance)
                    point.x = rp.x;
                break;
            }
        }
        sym->MoveSymbolBox(point, GetLeaderIndex());
    }
    tree->SetNodePoint(GetNodeId(), point);
    SetPoint(point);
}

void DLxMoveBalloonSymLeaderNodeManipulator::TurnStack(DLxSymInstance* sym,
                                                       const WqGePoint3d& current) {
    DLxBalloonSymInstance* balloon = AsBalloon(sym);
    if (!balloon || m_direction.isZeroLength()) return;
    const WqGeVector3d v = Flat(current) - Flat(OriginOf(balloon->GetBalloon()));
    const double a = m_direction.angleTo(v, WqGeVector3d::kZAxis);
    double turn = 0;
    if (a > 45 * kDegree && a < 135 * kDegree)
        turn = 90;
    else if (a > 135 * kDegree && a < 225 * kDegree)
        turn = 180;
    else if (a > 225 * kDegree && a < 315 * kDegree)
        turn = -90;
    if (turn == 0) return;
    WqGeVector3d d = m_direction;
    d.transformBy(WqGeMatrix3d::rotation(turn * kDegree, WqGeVector3d::kZAxis, WqGePoint3d()));
    // The stack never turns back into its leader.
    if (DUxLeaderNodeTree* tree = balloon->GetLeader(0))
        if (DUxLeaderNode* root = tree->GetRoot(); root && root->GetNumberOfChildren() > 0) {
            const WqGePoint3d r = root->GetPoint();
            const DUxLeaderNode* child = root->GetChildren().front().get();
            const WqGePoint3d c = child ? const_cast<DUxLeaderNode*>(child)->GetPoint() : r;
            if (std::fabs(r.x - c.x) >= kVerticalTol) {
                const bool right = DLxBomStdInfo::BalloonDirection(r, c) == DLxBomStdInfo::kRight;
                const WqGeVector3d back = right ? -WqGeVector3d::kXAxis : WqGeVector3d::kXAxis;
                if (d.isEqualTo(back, WqGeTol(1e-6, 1e-6))) return;
            }
        }
    m_direction = WqGeVector3d(std::round(d.x * 1e12) / 1e12, std::round(d.y * 1e12) / 1e12, 0);
    balloon->AlignBalloons(m_direction);
}

bool DLxMoveBalloonSymLeaderNodeManipulator::Drag(const WqGePoint3d& current) {
    if (!OwnKind()) return DLxMoveSymLeaderNodeManipulator::Drag(current);
    if (!m_dragging) return false;
    m_last = current;
    m_intent = DLxIntent::Free(WqGePoint3d());
    if (DLxSymInstance* sym = GetSymbol()) {
        switch (GetItemKind()) {
        case DUxLeaderNodeTree::kAnchorItem:
            DragEnd(sym, current);
            break;
        case DUxLeaderNodeTree::kLeaderNodeItem:
            DragRoot(sym, current);
            break;
        default:
            TurnStack(sym, current);
            break;
        }
    }
    return !RecomputePreview().Failed();
}

bool DLxMoveBalloonSymLeaderNodeManipulator::EndDrag(const WqGePoint3d& point) {
    if (!OwnKind()) return DLxMoveSymLeaderNodeManipulator::EndDrag(point);
    if (!m_dragging) return false;
    if (!(point == m_last)) Drag(point);
    m_dragging = false;
    SetRequest(nullptr);
    const RSeRef<DLxBalloonSymInstance> balloon(AsBalloon(GetStoredSymbol()));
    if (!GetDocument() || !balloon.HasTarget()) return true;
    FWxChangeRequest* request = nullptr;
    switch (GetItemKind()) {
    case DUxLeaderNodeTree::kBalloonStackItem:
        if (!m_direction.isZeroLength())
            request = new DLxBalloonSymChangeLeaderRequest(balloon, m_direction);
        break;
    case DUxLeaderNodeTree::kLeaderNodeItem:
        request = new DLxBalloonSymChangeLeaderRequest(balloon, GetLeaderIndex(), GetNodeId(),
                                                       GetPoint());
        break;
    default: {
        if (!m_anchor) break;
        const bool free = !m_anchor->IsOnEdge();
        const bool attached = !free || m_intent.IsOnEdge();
        // An end that changed between free and attached takes the plain arrowhead; any other
        // keeps its own.
        const uint32_t arrowHead = attached == m_startedFree
                                       ? DUxLeaderNodeTree::kDefaultArrowHeadId
                                       : uint32_t(m_arrowType);
        request =
            new DLxBalloonSymChangeAnchorRequest(balloon, GetLeaderIndex(), m_arrow, GetNodeId(),
                                                 m_intent, free, m_anchor->GetPoint(), arrowHead);
        break;
    }
    }
    SetRequest(request);
    return true;
}
