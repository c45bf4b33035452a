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

bool DLxCLeaderNode::RemoveChild(const DLxCLeaderNode* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [&](const RSeRef<DLxCLeaderNode>& c) { return c.GetTarget() == child; });
    if (!child || it == m_children.end()) return false;
    RSe::PrepareWrite(this);
    m_children.erase(it);
    return true;
}

bool DLxCLeaderNode::LiftChildren(DLxCLeaderNode* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [&](const RSeRef<DLxCLeaderNode>& c) { return c.GetTarget() == child; });
    if (!child || it == m_children.end()) return false;
    RSe::PrepareWrite(this);
    RSe::PrepareWrite(child);
    std::vector<RSeRef<DLxCLeaderNode>> lifted = std::move(child->m_children);
    child->m_children.clear();
    for (const RSeRef<DLxCLeaderNode>& c : lifted)
        if (DLxCLeaderNode* grandchild = c.get()) grandchild->SetParent(this);
    it = m_children.erase(it);
    m_children.insert(it, lifted.begin(), lifted.end());
    return true;
}

bool DLxCLeaderNode::ReplaceChild(const DLxCLeaderNode* child, DLxCLeaderNode* replacement) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [&](const RSeRef<DLxCLeaderNode>& c) { return c.GetTarget() == child; });
    if (!child || !replacement || it == m_children.end()) return false;
    RSe::PrepareWrite(this);
    *it = replacement;
    return true;
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
