#include "Leader/DLxLeaderUtils.h"

#include "Leader/DLxTerminalNodeGenerator.h"

#include "Leader/DLxTerminalLeaderNode.h"
#include "Symbol/DLxSymInstance.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "du/DUxEmblem.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMetaType.h"
#include "utx/UTxCast.h"

namespace {
template <class F> void ForEachTerminal(DUxLeaderNodeTree* tree, F f) {
    const int32_t n = tree->GetNumNodes();
    for (int32_t i = 0; i < n; ++i)
        if (auto* t = UTx::Cast<DLxTerminalLeaderNode>(tree->GetNodeAtIndex(i)))
            if (!f(t)) return;
}

// Boxes are for placed symbols whose leaders are shown.
bool ShowsLeaders(DUxEmblem* emblem) {
    auto* symbol = dynamic_cast<DLxSymInstance*>(emblem);
    return symbol && symbol->DisplayLeaders();
}

RDxFragment* MakeFragment(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)), segment) RDxFragment();
}
} // namespace

DLxViewInstance* DLxLeaderUtils::GetViewInstance(DUxLeaderNodeTree* tree) {
    if (!tree) return nullptr;
    DLxViewInstance* view = nullptr;
    ForEachTerminal(tree, [&](DLxTerminalLeaderNode* t) {
        DLxAnchorPoint* anchor = t->GetAnchorPoint();
        view = anchor ? anchor->GetViewInstance() : nullptr;
        return view == nullptr;
    });
    return view;
}

int32_t DLxLeaderUtils::GetAnchorPointIndex(DUxLeaderNodeTree* tree, DLxAnchorPoint* anchor) {
    if (!tree || !anchor) return -1;
    int32_t index = -1;
    bool found = false;
    ForEachTerminal(tree, [&](DLxTerminalLeaderNode* t) {
        ++index;
        found = t->GetAnchorPoint() == anchor;
        return !found;
    });
    return index; // not found: the last terminal's index
}

DLxAnchorPoint* DLxLeaderUtils::GetAnchorPoint(DUxLeaderNodeTree* tree, int32_t i) {
    if (!tree) return nullptr;
    DLxAnchorPoint* anchor = nullptr;
    ForEachTerminal(tree, [&](DLxTerminalLeaderNode* t) {
        if (--i >= 0) return true;
        anchor = t->GetAnchorPoint();
        return false;
    });
    return anchor;
}

DUxLeaderNodeTree* DLxLeaderUtils::MakeTransientCopy(DUxLeaderNodeTree* tree) {
    if (!tree) return nullptr;
    RSeSegment* segment = RSe::TransientSegment(true);
    RDxFragment* fragment = MakeFragment(segment);
    // The tree with everything it owns; the view, sheet and geometry stay the real ones.
    std::vector<RSeVMeta*> sources = {tree};
    if (auto* generator = tree->GetTerminalNodeGenerator()) sources.push_back(generator);
    for (int32_t i = 0; i < tree->GetNumNodes(); ++i) {
        DUxLeaderNode* node = tree->GetNodeAtIndex(i);
        if (!node) continue;
        sources.push_back(node);
        node->GetOwnedObjects(sources);
    }
    RSeCloneCommander cc(segment);
    if (cc.Clone(sources).Failed()) return nullptr;
    for (RSeVMeta* src : sources)
        if (auto* node = dynamic_cast<RDxNode*>(cc.CloneOf(src))) fragment->AddNode(node);
    return dynamic_cast<DUxLeaderNodeTree*>(cc.CloneOf(tree));
}

void DLxLeaderUtils::GetArrowHeadBoxes(DUxLeaderNodeTree* tree, DUxEmblem* emblem,
                                       std::vector<DUxArrowHeadBox>& boxes) {
    if (!tree || !ShowsLeaders(emblem)) return;
    AppendArrowHeadBoxes(tree, emblem, boxes);
}

void DLxLeaderUtils::AppendArrowHeadBoxes(DUxLeaderNodeTree* tree, DUxEmblem* emblem,
                                          std::vector<DUxArrowHeadBox>& boxes) {
    if (!tree || tree->GetNumNodes() == 1) return;
    // The boxes are the arrowheads as drawn: sized by the symbol's leader style.
    auto* symbol = dynamic_cast<DLxSymInstance*>(emblem);
    const SmartPtr<DUxLeaderStyleWrapper> style =
        symbol ? symbol->GetLeaderStyleWrapper() : nullptr;
    ForEachTerminal(tree, [&](DLxTerminalLeaderNode* t) {
        DUxLeaderNode* parent = t->GetParent();
        const WqGePoint3d base = parent ? parent->GetPoint() : WqGePoint3d();
        DLxAnchorPoint* anchor = t->GetAnchorPoint();
        DUxArrowHeadState* state = t->GetArrowHeadState();
        if (!anchor || !state) return true;
        const WqGePoint3d tip = anchor->GetBrokenPoint();
        WqGeVector3d direction = tip - base;
        if (direction.isZeroLength()) direction = WqGeVector3d::kXAxis;
        WqGeVector3d vector;
        state->GetArrowHeadVector(tip, direction, vector);
        std::vector<WqGePoint3d> outline;
        state->GetArrowHeadPoints(tip, vector, outline, style.get());
        DUxLineGeometry ext;
        if (DUxGeometryProxy* proxy = anchor->GetGeometryProxy())
            if (!proxy->GetLineOfEntity(ext)) ext = DUxLineGeometry();
        boxes.emplace_back(std::move(outline), emblem, ext, false, false);
        return true;
    });
}

DUxLeaderNodeTree* DLxLeaderUtils::MakeLeader(RDxFragment* fragment,
                                              const std::vector<WqGePoint3d>& points,
                                              DUxArrowHeadState* arrow) {
    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    const WqGePoint3d end = points.empty() ? WqGePoint3d() : points.front();
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, generator, end, arrow);
    if (!tree) return tree;
    DUxLeaderNode* node = tree->GetRoot();
    for (size_t i = 1; i < points.size() && node; ++i)
        node = tree->InsertNode(node, points[i]);
    return tree;
}
