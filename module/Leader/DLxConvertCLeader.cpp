#include "Leader/DLxConvertCLeader.h"

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Symbol/DLxSymbol.h"
#include "dl/DLxAttachingPointStateSet.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxSymAttachingPoint.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxZoneUtilSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqArray.h"
#include "utx/UTxCast.h"

namespace {
// How far an end may lie from its geometry and still be on it.
constexpr double kOnGeometryTol = 0.001;
// Landing components below this do not decide the side.
constexpr double kLandingSideTol = 0.01;

// The arrowhead service of the old symbol's arrowhead; the default arrow type's without one.
uint32_t EndArrowId(const DLxSymbol& symbol) {
    if (const auto* state = dynamic_cast<const DUxArrowHeadState*>(symbol.GetArrowheadState().Read()))
        if (DUxArrowHeadTemplate::Find(state->GetTemplateId())) return state->GetTemplateId();
    return DLxSymbol::ArrowTemplateOf(DLxSymbol::kDefaultArrowType);
}

void ApplyLanding(DUxLeaderNodeTree& tree, const DLxCLeader& record) {
    const WqGeVector3d v = record.GetLandingVector();
    DUxLeaderNodeTree::ELandingPos pos = DUxLeaderNodeTree::kNoLanding;
    if (!v.isZeroLength()) {
        const double length = v.length();
        tree.SetLandingLength(length);
        if (tree.GetReferenceLandingLength() > length) tree.SetReferenceLandingLength(length);
        if (v.x < -kLandingSideTol)
            pos = DUxLeaderNodeTree::kNegX;
        else if (v.y > kLandingSideTol)
            pos = DUxLeaderNodeTree::kPosY;
        else if (v.y < -kLandingSideTol)
            pos = DUxLeaderNodeTree::kNegY;
        else
            pos = DUxLeaderNodeTree::kPosX;
    }
    tree.SetLandingPosition(pos);
}

// The attachment's parameter moves to where the end now is; an end that left its geometry
// loses it (the host has no stand-in for geometry that is gone) and becomes free.
void RefitConstraint(DLxAnchorPoint& attached, const WqGePoint3d& end) {
    const DUxGeometryProxy* proxy = attached.GetGeometryProxy();
    if (!proxy || !proxy->IsValid()) return;
    double distance = 0.0;
    if (!proxy->DistanceTo(end, distance)) return;
    if (distance > kOnGeometryTol) {
        attached.SetConstraint({});
        return;
    }
    double param = 0.0;
    WqGePoint3d closest;
    if (proxy->isPolylineEdge()) {
        WqArray<WqGePoint3d> points;
        if (proxy->GetPolylineCurveOfEntity(points) && points.length() > 1 &&
            proxy->ClosestPointTo(end, closest))
            proxy->ParamOf(closest, param);
    } else if (!proxy->ClosestPointTo(end, closest) || !proxy->ParamOf(closest, param)) {
        return;
    }
    attached.SetParameter(param);
}

// The attaching point an end at `point` was attached to: the first whose broken point is
// there, else the symbol's first attaching point; null when it has none.
DLxSymAttachingPoint* FindAttachingPoint(const DLxSymbol& symbol, const WqGePoint3d& point) {
    DLxSymAttachingPoint* found = nullptr;
    for (uint32_t i = DLxSymbol::kFirstAttachingPointState; i < symbol.GetInputStateCount(); ++i) {
        const auto* set = UTx::Cast<DLxAttachingPointStateSet>(symbol.GetInputState(i));
        for (uint32_t k = 0; set && k < set->GetCount(); ++k) {
            DLxSymAttachingPoint* candidate = set->GetAttachingPoint(k);
            if (!candidate) continue;
            if (!found) found = candidate;
            if (candidate->GetBrokenPoint().isEqualTo(point)) return candidate;
        }
    }
    return found;
}

void ConvertLeaderNode(DUxLeaderNodeTree& tree, DUxLeaderNode* parent,
                       const DLxCLeaderNode& oldNode, const DLxSymbol& symbol, uint32_t arrowId) {
    const WqGePoint3d point = oldNode.GetPoint();
    if (!oldNode.IsEnd()) {
        DUxLeaderNode* inner = tree.AddNode(parent, point);
        if (!inner) return;
        for (const RSeRef<DLxCLeaderNode>& child : oldNode.GetChildren())
            if (const DLxCLeaderNode* c = child.Read()) ConvertLeaderNode(tree, inner, *c, symbol, arrowId);
        return;
    }
    auto* end = UTx::Cast<DLxTerminalLeaderNode>(tree.AddTerminalNode(parent, point, nullptr, arrowId));
    DLxAnchorPoint* anchor = end ? end->GetAnchorPoint() : nullptr;
    if (!anchor) return;
    DLxSymAttachingPoint* attached = FindAttachingPoint(symbol, end->GetPoint());
    if (!attached) {
        anchor->SetPoint(point);
        return;
    }
    DLxViewInstance* view = attached->GetViewInstance();
    anchor->SetViewInstance(view);
    const WqGePoint3d unbroken =
        DLxZoneUtilSheet::BrokenToUnbroken(view, WqGePoint3d(point.x, point.y, 0.0));
    anchor->SetPoint(unbroken);
    // A dimension's line keeps its own parameter: the dimension places it.
    if (!dynamic_cast<const DLxDimGeometryProxy*>(attached->GetGeometryProxy()))
        RefitConstraint(*attached, unbroken);
    anchor->SetConstraint(attached->RelinquishConstraint());
}

// The old symbol sat on its attachment without a leader of its own: the new leader's first end
// takes the attachment, at the attaching point, or at the old root when that point is unusable.
void TakeOverAttachment(DUxLeaderNodeTree& tree, const DLxCLeaderNode& oldRoot,
                        DLxSymbol& symbol) {
    auto* end = UTx::Cast<DLxTerminalLeaderNode>(tree.GetTerminalNode(0));
    DLxAnchorPoint* anchor = end ? end->GetAnchorPoint() : nullptr;
    if (!anchor) return;
    DLxSymAttachingPoint* attached = symbol.GetFirstAttachingPoint();
    if (!attached) {
        anchor->SetPoint(oldRoot.GetPoint());
        return;
    }
    WqGePoint3d p = attached->GetPoint();
    const DLxViewInstance* view = attached->GetViewInstance();
    const bool atViewCentre = view && symbol.GetFirstLeaderPoints().size() == 1 &&
                              p.x == view->GetViewCenter().x && p.y == view->GetViewCenter().y;
    if (oldRoot.GetLeader() && (p == WqGePoint3d() || atViewCentre)) p = oldRoot.GetPoint();
    anchor->SetConstraint(attached->RelinquishConstraint());
    anchor->SetViewInstance(attached->GetViewInstance());
    anchor->SetPoint(p);
}
} // namespace

void ConvertCLeaderToLeaderNodeTree(const RSeRef<DUxLeaderNodeTree>& treeRef,
                                    const RSeRef<DLxCLeaderNode>& oldRootRef,
                                    const RSeRef<DLxSymbol>& symbolRef) {
    const DLxCLeaderNode* oldRoot = oldRootRef.Read();
    DUxLeaderNodeTree* tree = treeRef.get();
    DLxSymbol* symbol = symbolRef.get();
    if (!oldRoot || !tree || !symbol) return;
    if (const DLxCLeader* record = oldRoot->GetLeader()) ApplyLanding(*tree, *record);
    if (oldRoot->IsEnd()) {
        TakeOverAttachment(*tree, *oldRoot, *symbol);
        return;
    }
    // The old root becomes the root; what the tree held before goes once the old leader's
    // nodes are in.
    DUxLeaderNode* previous = tree->GetRoot();
    DUxLeaderNode* root = previous ? tree->InsertNode(previous, oldRoot->GetPoint()) : nullptr;
    if (!root) return;
    const uint32_t arrowId = EndArrowId(*symbol);
    for (const RSeRef<DLxCLeaderNode>& child : oldRoot->GetChildren())
        if (const DLxCLeaderNode* c = child.Read()) ConvertLeaderNode(*tree, root, *c, *symbol, arrowId);
    tree->RemoveNode(previous);
}
