#include "Leader/DLxCLeaderNode.h"

#include <algorithm>

#include "Leader/DLxCLeader.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"

DLxCLeaderNode* DLxCLeaderNode::New(RSeSegment* segment, DLxCLeader* leader,
                                    const WqGePoint3d& point) {
    auto* node = new (RSe::_GetMeta(static_cast<const DLxCLeaderNode*>(nullptr)), segment)
        DLxCLeaderNode();
    node->m_leader = leader;
    node->m_point = point;
    return node;
}

void DLxCLeaderNode::DeleteTree(DLxCLeaderNode* node) {
    if (!node) return;
    const std::vector<RSeRef<DLxCLeaderNode>> children = node->m_children;
    for (const RSeRef<DLxCLeaderNode>& c : children)
        DeleteTree(c.get());
    RSe::DeleteObject(node);
}

DLxCLeader* DLxCLeaderNode::GetLeader() const {
    return m_leader.get();
}

void DLxCLeaderNode::SetPoint(const WqGePoint3d& point) {
    RSe::PrepareWrite(this);
    m_point = point;
}

void DLxCLeaderNode::SetParent(DLxCLeaderNode* parent) {
    RSe::PrepareWrite(this);
    m_parent = parent;
}

void DLxCLeaderNode::SetLeader(DLxCLeader* leader) {
    RSe::PrepareWrite(this);
    m_leader = leader;
}

void DLxCLeaderNode::AddChild(DLxCLeaderNode* child) {
    if (!child) return;
    RSe::PrepareWrite(this);
    m_children.emplace_back(child);
    child->SetParent(this);
}

void DLxCLeaderNode::CollectPreOrder(std::vector<DLxCLeaderNode*>& out) const {
    out.push_back(const_cast<DLxCLeaderNode*>(this));
    for (const RSeRef<DLxCLeaderNode>& c : m_children)
        if (const DLxCLeaderNode* child = c.Read()) child->CollectPreOrder(out);
}

void DLxCLeaderNode::TransformSubtree(const WqGeMatrix3d& m) {
    std::vector<DLxCLeaderNode*> nodes;
    CollectPreOrder(nodes);
    for (DLxCLeaderNode* n : nodes)
        n->SetPoint(WqGePoint3d(n->m_point).transformBy(m));
}
