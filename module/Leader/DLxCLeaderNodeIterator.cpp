#include "Leader/DLxCLeaderNodeIterator.h"

#include <algorithm>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxCLeaderNodeIteratorImp::DLxCLeaderNodeIteratorImp(DLxCLeaderNode* start,
                                                     DLxCLeaderGeneral* record)
    : m_start(start), m_current(start), m_record(record) {}

DLxCLeaderNode* DLxCLeaderNodeIteratorImp::GetCurrentNode() const {
    return m_current.get();
}

std::vector<DLxCLeaderNode*> DLxCLeaderNodeIteratorImp::PreOrderFromStart() const {
    std::vector<DLxCLeaderNode*> nodes;
    if (const DLxCLeaderNode* start = m_start.Read()) start->CollectPreOrder(nodes);
    return nodes;
}

DLxCLeaderNode* DLxCLeaderNodeIteratorImp::Start(bool endsOnly) {
    m_endsOnly = endsOnly;
    m_done = false;
    m_list.clear();
    m_index = 0;
    if (endsOnly) {
        for (DLxCLeaderNode* n : PreOrderFromStart())
            if (n->IsEnd()) m_list.emplace_back(n);
    } else {
        for (DLxCLeaderNode* n = m_start.get(); n;
             n = n->GetChildren().empty() ? nullptr : n->GetChildren().front().get())
            m_list.emplace_back(n);
    }
    if (m_list.empty()) {
        m_done = true;
        m_current = nullptr;
        return nullptr;
    }
    m_current = m_list.front();
    return m_current.get();
}

void DLxCLeaderNodeIteratorImp::Step(bool backwards) {
    if (backwards ? m_index == 0 : m_index + 1 >= m_list.size()) {
        m_done = true;
        return;
    }
    m_index = backwards ? m_index - 1 : m_index + 1;
    m_current = m_list[m_index];
    m_done = false;
}

bool DLxCLeaderNodeIteratorImp::MoveToParent() {
    const DLxCLeaderNode* current = m_current.Read();
    DLxCLeaderNode* parent = current ? current->GetParent() : nullptr;
    if (!parent) return false;
    m_current = parent;
    return true;
}

UTxResult DLxCLeaderNodeIteratorImp::MoveToPoint(const WqGePoint3d& point) {
    for (DLxCLeaderNode* n : PreOrderFromStart())
        if (n->GetPoint() == point) {
            m_current = n;
            return {};
        }
    return UTxResult(DLxCLeader::kNoNode);
}

UTxResult DLxCLeaderNodeIteratorImp::MoveToNearest(const WqGePoint3d& point) {
    const DLxCLeaderNode* current = m_current.Read();
    if (!current) return UTxResult(DLxCLeader::kNoNode);
    std::vector<DLxCLeaderNode*> nodes;
    current->CollectPreOrder(nodes);
    DLxCLeaderNode* nearest = nodes.front();
    double best = nearest->GetPoint().distanceTo(point);
    for (DLxCLeaderNode* n : nodes)
        if (const double d = n->GetPoint().distanceTo(point); d < best) {
            best = d;
            nearest = n;
        }
    m_current = nearest;
    return {};
}

UTxResult DLxCLeaderNodeIteratorImp::MoveToIndex(int32_t index) {
    const std::vector<DLxCLeaderNode*> nodes = PreOrderFromStart();
    if (index < 0 || size_t(index) >= nodes.size()) return UTxResult(DLxCLeader::kNoNode);
    m_current = nodes[size_t(index)];
    return {};
}

bool DLxCLeaderNodeIteratorImp::IsEnd() const {
    const DLxCLeaderNode* current = m_current.Read();
    return current && current->IsEnd();
}

std::unique_ptr<DLxCLeaderNodeIterator>
DLxCLeaderNodeIteratorImp::CreateChildIterator(int32_t index) const {
    const DLxCLeaderNode* current = m_current.Read();
    if (!current || index < 0 || size_t(index) >= current->GetChildren().size()) return nullptr;
    DLxCLeaderNode* child = current->GetChildren()[size_t(index)].get();
    if (!child) return nullptr;
    auto it = std::make_unique<DLxCLeaderNodeIteratorImp>(child, nullptr);
    it->Start(false);
    return it;
}

int32_t DLxCLeaderNodeIteratorImp::GetNumChildren() const {
    const DLxCLeaderNode* current = m_current.Read();
    return current ? int32_t(current->GetChildren().size()) : 0;
}

UTxResult DLxCLeaderNodeIteratorImp::AppendVertices(const std::vector<WqGePoint3d>& points) {
    DLxCLeaderNode* current = m_current.get();
    if (!current || points.empty()) return UTxResult(DLxCLeader::kNoNode);
    DLxCLeaderNode* parent = current;
    for (const WqGePoint3d& p : points) {
        DLxCLeaderNode* node =
            DLxCLeaderNode::New(RSe::SegmentOf(current), current->GetLeader(), p);
        parent->AddChild(node);
        parent = node;
    }
    return {};
}

void DLxCLeaderNodeIteratorImp::DropFromList(const DLxCLeaderNode* node) {
    auto it = std::find_if(m_list.begin(), m_list.end(),
                           [&](const RSeRef<DLxCLeaderNode>& r) { return r.GetTarget() == node; });
    if (it == m_list.end()) return;
    const size_t at = size_t(it - m_list.begin());
    m_list.erase(it);
    if (m_index > at || m_index >= m_list.size()) m_index = m_index ? m_index - 1 : 0;
}

UTxResult DLxCLeaderNodeIteratorImp::DetachFromParent() {
    DLxCLeaderNode* current = m_current.get();
    DLxCLeaderNode* parent = current ? current->GetParent() : nullptr;
    if (!parent) return UTxResult(DLxCLeader::kRefused);
    DropFromList(current);
    parent->RemoveChild(current);
    current->SetParent(nullptr);
    m_current = parent;
    return {};
}

UTxResult DLxCLeaderNodeIteratorImp::InsertVertexBefore(const WqGePoint3d& point) {
    DLxCLeaderNode* current = m_current.get();
    DLxCLeaderNode* parent = current ? current->GetParent() : nullptr;
    if (!parent) return UTxResult(DLxCLeader::kNoNode);
    DLxCLeaderNode* node = DLxCLeaderNode::New(RSe::SegmentOf(current), current->GetLeader(), point);
    parent->ReplaceChild(current, node);
    node->SetParent(parent);
    node->AddChild(current);
    return {};
}

UTxResult DLxCLeaderNodeIteratorImp::DeleteVertex() {
    DLxCLeaderNode* current = m_current.get();
    if (!current) {
        m_start = nullptr;
        m_current = nullptr;
        return {};
    }
    DLxCLeaderNode* parent = current->GetParent();
    const std::vector<RSeRef<DLxCLeaderNode>> children = current->GetChildren();
    if (!parent && children.empty()) return UTxResult(DLxCLeader::kNoNode);
    DropFromList(current);
    if (parent) {
        parent->LiftChildren(current);
        m_current = parent;
    } else {
        // The first child becomes the start, the others hang below it.
        DLxCLeaderNode* first = children.front().get();
        for (const RSeRef<DLxCLeaderNode>& c : children)
            current->RemoveChild(c.Read());
        if (first) {
            first->SetParent(nullptr);
            for (size_t i = 1; i < children.size(); ++i)
                first->AddChild(children[i].get());
        }
        if (m_start.GetTarget() == current) m_start = first;
        // The record must not keep a deleted root.
        if (DLxCLeaderGeneral* record = m_record.get(); record && record->GetRootNode() == current)
            record->SetRootNode(first);
        m_current = first;
    }
    RSe::DeleteObject(current);
    return {};
}

WqGePoint3d DLxCLeaderNodeIteratorImp::GetPoint() const {
    const DLxCLeaderNode* current = m_current.Read();
    return current ? current->GetPoint() : WqGePoint3d();
}

UTxResult DLxCLeaderNodeIteratorImp::SetPoint(const WqGePoint3d& point) {
    DLxCLeaderNode* current = m_current.get();
    if (!current) return UTxResult(DLxCLeader::kNoNode);
    current->SetPoint(point);
    return {};
}

UTxResult DLxCLeaderNodeIteratorImp::TransformBy(const WqGeMatrix3d& m) {
    DLxCLeaderNode* current = m_current.get();
    if (!current) return UTxResult(DLxCLeader::kNotSupported);
    current->TransformSubtree(m);
    return {};
}
