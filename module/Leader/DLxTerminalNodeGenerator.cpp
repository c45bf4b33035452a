#include "Leader/DLxTerminalNodeGenerator.h"

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxLeaderNodeTree.h"

DLxTerminalNodeGenerator* DLxTerminalNodeGenerator::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* generator = new (RSe::_GetMeta(static_cast<const DLxTerminalNodeGenerator*>(nullptr)),
                           fragment->GetSegment()) DLxTerminalNodeGenerator(fragment);
    fragment->AddNode(generator);
    return generator;
}

DUxBaseTerminalLeaderNode*
DLxTerminalNodeGenerator::CreateTerminalNode(DUxLeaderNodeTree* tree, DUxLeaderNode* parent,
                                             WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                             uint32_t arrowId) {
    if (!tree) return nullptr;
    RDxFragment* fragment = tree->GetFragmentForNodes();
    if (!fragment || !fragment->GetSegment()) return nullptr;
    if (!arrowHead) arrowHead = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowId);
    DLxAnchorPoint* anchor = DLxAnchorPoint::Create(fragment);
    DLxViewInstance* view = DLxLeaderUtils::GetViewInstance(tree);
    anchor->SetViewInstance(view);
    anchor->Detach(); // a new end is free, not on geometry
    // The picked point is where the view draws it; the anchor keeps the unbroken one.
    anchor->SetPoint(view ? anchor->BrokenToUnbroken(point) : point);
    auto* node = new (RSe::_GetMeta(static_cast<const DLxTerminalLeaderNode*>(nullptr)),
                      fragment->GetSegment())
        DLxTerminalLeaderNode(parent, point, tree->GetNodeCounter() + 1, anchor, arrowHead);
    fragment->AddNode(node);
    return node;
}
