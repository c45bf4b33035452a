#include "du/DUxLeaderNode.h"

#include <algorithm>

#include "dc/RDxFragment.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeTransaction.h"

namespace {
template <class T> T* AddToFragment(RDxFragment* fragment, T* node) {
    if (node) fragment->AddNode(node);
    return node;
}
} // namespace

DUxLeaderNode::DUxLeaderNode(DUxLeaderNode* parent, const WqGePoint3d& point, int32_t nodeId)
    : m_point(point), m_parent(parent), m_nodeId(nodeId) {}

DUxLeaderNode* DUxLeaderNode::Create(RDxFragment* fragment, DUxLeaderNode* parent,
                                     const WqGePoint3d& point, int32_t nodeId) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    return AddToFragment(fragment,
                         new (RSe::_GetMeta(static_cast<const DUxLeaderNode*>(nullptr)),
                              fragment->GetSegment()) DUxLeaderNode(parent, point, nodeId));
}

WqGePoint3d DUxLeaderNode::GetPoint() {
    return m_point;
}

void DUxLeaderNode::SetPoint(const WqGePoint3d& point) {
    if (point == m_point) return;
    RSe::PrepareWrite(this);
    m_point = point;
    MarkEdited(true);
}

void DUxLeaderNode::CachePoint(const WqGePoint3d& point) {
    if (point == m_point) return;
    RSe::PrepareWrite(this);
    m_point = point;
}

void DUxLeaderNode::AddChild(DUxLeaderNode* child) {
    if (!child || child == this) return;
    if (std::find(m_children.begin(), m_children.end(), RSeRef<DUxLeaderNode>(child)) !=
        m_children.end())
        return;
    RSe::PrepareWrite(this);
    m_children.emplace_back(child);
}

void DUxLeaderNode::RemoveChild(DUxLeaderNode* child) {
    auto it = std::find(m_children.begin(), m_children.end(), RSeRef<DUxLeaderNode>(child));
    if (!child || it == m_children.end()) return;
    RSe::PrepareWrite(this);
    m_children.erase(it);
}

const std::vector<RSeRef<DUxLeaderNode>>& DUxLeaderNode::GetChildren() const {
    return m_children;
}

void DUxLeaderNode::GetAllChildren(std::vector<DUxLeaderNode*>& out) const {
    for (const RSeRef<DUxLeaderNode>& c : m_children)
        if (DUxLeaderNode* child = c.get()) {
            out.push_back(child);
            child->GetAllChildren(out);
        }
}

int32_t DUxLeaderNode::GetNumberOfChildren() const {
    return int32_t(m_children.size());
}

void DUxLeaderNode::PassValue(DUxLeaderNode* target) {
    if (!target || target == this) return;
    RSe::PrepareWrite(target);
    target->m_point = m_point;
    target->m_nodeId = m_nodeId;
    target->MarkEdited(true);
}

void DUxLeaderNode::SetParent(DUxLeaderNode* parent) {
    if (m_parent.GetTarget() == parent) return;
    RSe::PrepareWrite(this);
    m_parent = parent;
}

DUxBaseTerminalLeaderNode* DUxBaseTerminalLeaderNode::Create(RDxFragment* fragment,
                                                             DUxLeaderNode* parent,
                                                             const WqGePoint3d& point,
                                                             int32_t nodeId) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    return AddToFragment(
        fragment, new (RSe::_GetMeta(static_cast<const DUxBaseTerminalLeaderNode*>(nullptr)),
                       fragment->GetSegment()) DUxBaseTerminalLeaderNode(parent, point, nodeId));
}

DUxBaseTerminalNodeGenerator::DUxBaseTerminalNodeGenerator(RDxFragment* fragment) {
    (void)fragment; // the creator adds the generator to the fragment once it is placed
}

DUxBaseTerminalNodeGenerator* DUxBaseTerminalNodeGenerator::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    return AddToFragment(
        fragment, new (RSe::_GetMeta(static_cast<const DUxBaseTerminalNodeGenerator*>(nullptr)),
                       fragment->GetSegment()) DUxBaseTerminalNodeGenerator(fragment));
}

DUxBaseTerminalLeaderNode*
DUxBaseTerminalNodeGenerator::CreateTerminalNode(DUxLeaderNodeTree* tree, DUxLeaderNode* parent,
                                                 WqGePoint3d& point, DUxArrowHeadState*, uint32_t) {
    if (!tree) return nullptr;
    return DUxBaseTerminalLeaderNode::Create(tree->GetFragment().get(), parent, point,
                                             tree->GetNodeCounter() + 1);
}
