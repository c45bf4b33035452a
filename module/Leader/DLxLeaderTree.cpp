#include "Leader/DLxLeaderTree.h"

#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeTransaction.h"

namespace {
void DeleteFromFragment(RDxNode* node) {
    if (!node) return;
    RDxFragment* fragment = node->GetFragment().get();
    if (!fragment || !fragment->DeleteNode(node)) RSe::DeleteObject(node);
}

template <class T> T* CreateIn(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* obj = new (RSe::_GetMeta(static_cast<const T*>(nullptr)), fragment->GetSegment()) T();
    fragment->AddNode(obj);
    return obj;
}

// The end of a branch as the tree knew it, in the scale of the anchor's view about its centre.
WqGePoint3d BranchEnd(const DLxAnchorPoint& anchor) {
    WqGePoint3d end = anchor.GetPoint();
    if (const DLxViewInstance* view = anchor.GetViewInstance()) {
        const WqGePoint3d& centre = view->GetViewCenter();
        double scale = view->GetViewScale();
        if (scale < 1e-10) scale = 1.0;
        end.x = centre.x + (end.x - centre.x) / scale;
        end.y = centre.y + (end.y - centre.y) / scale;
    }
    return end;
}
} // namespace

DLxLeaderBranch* DLxLeaderBranch::Create(RDxFragment* fragment) {
    return CreateIn<DLxLeaderBranch>(fragment);
}

void DLxLeaderBranch::SetVertexKeys(const std::vector<uint32_t>& keys) {
    RSe::PrepareWrite(this);
    m_keys = keys;
}

DLxAnchorPoint* DLxLeaderBranch::GetAnchorPoint() const {
    return m_anchor.get();
}

void DLxLeaderBranch::SetAnchorPoint(DLxAnchorPoint* anchor) {
    RSe::PrepareWrite(this);
    m_anchor = anchor;
}

DUxArrowHeadState* DLxLeaderBranch::GetArrowHead() const {
    return m_arrowHead.get();
}

void DLxLeaderBranch::SetArrowHead(DUxArrowHeadState* arrowHead) {
    RSe::PrepareWrite(this);
    m_arrowHead = arrowHead;
}

void DLxLeaderBranch::PassValue(DLxLeaderBranch* target) const {
    if (!target || target == this) return;
    target->SetVertexKeys(m_keys);
    RDxFragment* fragment = GetFragmentForNodes();
    if (const DLxAnchorPoint* anchor = m_anchor.Read()) {
        if (!target->m_anchor) target->SetAnchorPoint(DLxAnchorPoint::Create(fragment));
        if (DLxAnchorPoint* mine = target->m_anchor.get()) anchor->PassValue(mine, 0);
    } else if (target->m_anchor.GetTarget()) {
        DeleteFromFragment(target->m_anchor.get());
        target->SetAnchorPoint(nullptr);
    }
    if (const DUxArrowHeadState* arrowHead = m_arrowHead.Read()) {
        if (!target->m_arrowHead)
            target->SetArrowHead(CreateIn<DUxArrowHeadState>(fragment));
        if (DUxArrowHeadState* mine = target->m_arrowHead.get()) arrowHead->PassValue(mine, 0);
    } else if (target->m_arrowHead.GetTarget()) {
        DeleteFromFragment(target->m_arrowHead.get());
        target->SetArrowHead(nullptr);
    }
}

DLxLeaderTree* DLxLeaderTree::Create(RDxFragment* fragment) {
    return CreateIn<DLxLeaderTree>(fragment);
}

void DLxLeaderTree::Delete(DLxLeaderTree* tree) {
    if (!tree) return;
    for (const RSeRef<DLxLeaderBranch>& b : tree->m_branches)
        DeleteFromFragment(b.get());
    DeleteFromFragment(tree);
}

DLxLeaderBranch* DLxLeaderTree::GetBranch(int32_t index) const {
    return index >= 0 && index < GetNumBranches() ? m_branches[size_t(index)].get() : nullptr;
}

void DLxLeaderTree::AddBranch(DLxLeaderBranch* branch) {
    if (!branch) return;
    BeginValueChange();
    m_branches.emplace_back(branch);
}

DLxAnchorPoint* DLxLeaderTree::GetBranchAnchorPoint(int32_t index) const {
    const DLxLeaderBranch* branch = GetBranch(index);
    return branch ? branch->GetAnchorPoint() : nullptr;
}

bool DLxLeaderTree::CollectBranchPoints(const DLxLeaderBranch* branch,
                                        std::vector<WqGePoint3d>& out) const {
    out.clear();
    if (!branch || branch->GetVertexKeys().empty()) return false;
    for (uint32_t key : branch->GetVertexKeys()) {
        auto it = m_points.find(int32_t(key));
        if (it == m_points.end()) {
            out.clear();
            return false;
        }
        out.push_back(it->second);
    }
    return true;
}

bool DLxLeaderTree::ConvertToLeaderNodeTree(RSeRef<DUxLeaderNodeTree>& out) const {
    out = nullptr;
    RDxFragment* fragment = GetFragmentForNodes();
    DLxTerminalNodeGenerator* generator = DLxTerminalNodeGenerator::Create(fragment);
    if (!generator) return false;

    // The root sits at the symbol end of the first branch that can be converted.
    std::vector<WqGePoint3d> points;
    WqGePoint3d root;
    for (const RSeRef<DLxLeaderBranch>& b : m_branches)
        if (CollectBranchPoints(b.Read(), points)) {
            root = points.front();
            break;
        }
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, generator, root);
    if (!tree) return false;
    out = tree;

    bool converted = false;
    for (const RSeRef<DLxLeaderBranch>& b : m_branches) {
        const DLxLeaderBranch* branch = b.Read();
        DLxAnchorPoint* anchor = branch ? branch->GetAnchorPoint() : nullptr;
        const DUxArrowHeadState* arrowHead = branch ? branch->GetArrowHead() : nullptr;
        if (!anchor || !arrowHead || !CollectBranchPoints(branch, points)) continue;
        DUxArrowHeadState* fresh =
            DUxLeaderNodeTree::CreateArrowHeadState(fragment, DUxLeaderNodeTree::kDefaultArrowHeadId);
        if (!fresh) continue;
        arrowHead->PassValue(fresh, 0);
        // The branch's first vertex is the root itself when it lies there: no zero segment.
        if (points.front() == root) points.erase(points.begin());
        const WqGePoint3d end = BranchEnd(*anchor);
        DUxBaseTerminalLeaderNode* added = tree->AddBranch(points, end, fresh, true);
        converted = true;
        // The new end takes over the branch's attachment: its geometry, its view, then the end.
        auto* node = dynamic_cast<DLxTerminalLeaderNode*>(added);
        DLxAnchorPoint* target = node ? node->GetAnchorPoint() : nullptr;
        if (!target) continue;
        DLxViewInstance* view = anchor->GetViewInstance();
        anchor->PassValue(target, 0);
        anchor->Detach();
        target->SetViewInstance(view);
        target->SetPoint(end);
    }
    return converted;
}

void DLxLeaderTree::PassValue(DLxLeaderTree* target) const {
    if (!target || target == this) return;
    target->BeginValueChange();
    target->m_first = m_first;
    target->m_value1 = m_value1;
    target->m_value2 = m_value2;
    target->m_direction = m_direction;
    target->m_points = m_points;
    while (target->m_branches.size() > m_branches.size()) {
        DeleteFromFragment(target->m_branches.back().get());
        target->m_branches.pop_back();
    }
    for (size_t i = 0; i < target->m_branches.size(); ++i)
        if (const DLxLeaderBranch* mine = m_branches[i].Read())
            mine->PassValue(target->m_branches[i].get());
    target->m_last = m_last;
}
