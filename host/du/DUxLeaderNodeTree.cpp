#include "du/DUxLeaderNodeTree.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dc/RDxFragment.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxLeaderNode.h"
#include "ge/WqArray.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"
#include "utx/UTxCast.h"

namespace {
// Item id fields, low bits first: node id + 1, arrowhead index + 1, leader, kind.
constexpr int kNodeBits = 12, kArrowBits = 8, kLeaderBits = 7, kKindBits = 5;
constexpr uint32_t Mask(int bits) {
    return (1u << bits) - 1;
}

double SegmentDistance(const WqGePoint3d& p, const WqGePoint3d& a, const WqGePoint3d& b) {
    const WqGeVector3d ab = b - a;
    const double len2 = ab.lengthSqrd();
    if (len2 == 0.0) return p.distanceTo(a);
    const double t = std::clamp((p - a).dotProduct(ab) / len2, 0.0, 1.0);
    return p.distanceTo(a + ab * t);
}
} // namespace

DUxLeaderNodeTree* DUxLeaderNodeTree::Create(RDxFragment* fragment,
                                             DUxBaseTerminalNodeGenerator* generator,
                                             const WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                             uint32_t arrowId) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* tree = new (RSe::_GetMeta(static_cast<const DUxLeaderNodeTree*>(nullptr)),
                      fragment->GetSegment()) DUxLeaderNodeTree();
    tree->InitRoot(fragment, generator, point, arrowHead, arrowId);
    return tree;
}

void DUxLeaderNodeTree::InitRoot(RDxFragment* fragment, DUxBaseTerminalNodeGenerator* generator,
                                 const WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                 uint32_t arrowId) {
    fragment->AddNode(this);
    m_generator = generator;
    WqGePoint3d p = point;
    DUxBaseTerminalLeaderNode* root =
        generator ? generator->CreateTerminalNode(this, nullptr, p, arrowHead, arrowId)
                  : DUxBaseTerminalLeaderNode::Create(fragment, nullptr, p, 1);
    if (root) {
        m_nodeCounter = std::max(m_nodeCounter, root->GetNodeId());
        m_root = root;
        m_nodes.emplace_back(root);
    }
}

DUxBaseTerminalNodeGenerator* DUxLeaderNodeTree::GetTerminalNodeGenerator() const {
    return m_generator.get();
}

void DUxLeaderNodeTree::SetTerminalNodeGenerator(DUxBaseTerminalNodeGenerator* generator) {
    if (m_generator.GetTarget() == generator) return;
    BeginValueChange();
    m_generator = generator;
}

DUxLeaderNode* DUxLeaderNodeTree::GetRoot() const {
    return m_root.get();
}

DUxLeaderNode* DUxLeaderNodeTree::GetNodeAtIndex(int32_t index) const {
    if (index < 0 || index >= GetNumNodes()) return nullptr;
    return m_nodes[size_t(index)].get();
}

int32_t DUxLeaderNodeTree::GetIndexOfNode(const DUxLeaderNode* node) const {
    if (!node) return -1;
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].GetTarget() == node) return int32_t(i);
    return -1;
}

DUxLeaderNode* DUxLeaderNodeTree::FindNode(int32_t nodeId) const {
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (DUxLeaderNode* n = r.get(); n && n->GetNodeId() == nodeId) return n;
    return nullptr;
}

int32_t DUxLeaderNodeTree::GetNumBranches() const {
    int32_t count = 0;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (UTx::Cast<DUxBaseTerminalLeaderNode>(r.get())) ++count;
    return count;
}

DUxBaseTerminalLeaderNode* DUxLeaderNodeTree::GetTerminalNode(int32_t branch) const {
    if (branch < 0) return nullptr;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (auto* t = UTx::Cast<DUxBaseTerminalLeaderNode>(r.get()))
            if (branch-- == 0) return t;
    return nullptr;
}

int32_t DUxLeaderNodeTree::GetBranchIndex(const DUxLeaderNode* node) const {
    int32_t branch = 0;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (auto* t = UTx::Cast<DUxBaseTerminalLeaderNode>(r.get())) {
            if (t == node) return branch;
            ++branch;
        }
    return -1;
}

int32_t DUxLeaderNodeTree::NextNodeId() {
    RSe::PrepareWrite(this);
    return ++m_nodeCounter;
}

void DUxLeaderNodeTree::Adopt(DUxLeaderNode* node, DUxLeaderNode* parent) {
    RSe::PrepareWrite(this);
    m_nodeCounter = std::max(m_nodeCounter, node->GetNodeId());
    m_nodes.emplace_back(node);
    node->SetParent(parent);
    if (parent) parent->AddChild(node);
    MarkEdited(true);
}

DUxLeaderNode* DUxLeaderNodeTree::AddNode(DUxLeaderNode* parent, const WqGePoint3d& point) {
    if (GetIndexOfNode(parent) < 0) return nullptr;
    DUxLeaderNode* node =
        DUxLeaderNode::Create(GetFragmentForNodes(), parent, point, m_nodeCounter + 1);
    if (!node) return nullptr;
    NextNodeId();
    Adopt(node, parent);
    return node;
}

DUxBaseTerminalLeaderNode* DUxLeaderNodeTree::AddTerminalNode(DUxLeaderNode* parent,
                                                              const WqGePoint3d& point,
                                                              DUxArrowHeadState* arrowHead,
                                                              uint32_t arrowId) {
    if (GetIndexOfNode(parent) < 0) return nullptr;
    WqGePoint3d p = point;
    DUxBaseTerminalNodeGenerator* generator = m_generator.get();
    DUxBaseTerminalLeaderNode* node =
        generator ? generator->CreateTerminalNode(this, parent, p, arrowHead, arrowId)
                  : DUxBaseTerminalLeaderNode::Create(GetFragmentForNodes(), parent, p,
                                                      m_nodeCounter + 1);
    if (!node) return nullptr;
    Adopt(node, parent);
    return node;
}

DUxLeaderNode* DUxLeaderNodeTree::InsertNode(DUxLeaderNode* node, const WqGePoint3d& point) {
    if (GetIndexOfNode(node) < 0) return nullptr;
    DUxLeaderNode* parent = node->GetParent();
    DUxLeaderNode* inserted =
        DUxLeaderNode::Create(GetFragmentForNodes(), parent, point, m_nodeCounter + 1);
    if (!inserted) return nullptr;
    NextNodeId();
    if (parent) {
        // The new node takes the child's place among the parent's children.
        RSe::PrepareWrite(parent);
        for (RSeRef<DUxLeaderNode>& c : parent->m_children)
            if (c.GetTarget() == node) c = inserted;
        inserted->SetParent(parent);
        RSe::PrepareWrite(this);
        m_nodes.emplace_back(inserted);
        MarkEdited(true);
    } else {
        Adopt(inserted, nullptr);
        m_root = inserted;
    }
    node->SetParent(inserted);
    inserted->AddChild(node);
    return inserted;
}

void DUxLeaderNodeTree::DeleteSubtree(DUxLeaderNode* node) {
    std::vector<RSeRef<DUxLeaderNode>> children = node->GetChildren();
    for (const RSeRef<DUxLeaderNode>& c : children)
        if (DUxLeaderNode* child = c.get()) DeleteSubtree(child);
    auto it = std::find(m_nodes.begin(), m_nodes.end(), RSeRef<DUxLeaderNode>(node));
    if (it != m_nodes.end()) m_nodes.erase(it);
    node->DeleteOwnedObjects();
    RDxFragment* fragment = node->GetFragment().get();
    if (!fragment || !fragment->DeleteNode(node)) RSe::DeleteObject(node);
}

bool DUxLeaderNodeTree::RemoveNode(DUxLeaderNode* node) {
    if (GetIndexOfNode(node) < 0 || node == m_root.GetTarget()) return false;
    RSe::PrepareWrite(this);
    if (DUxLeaderNode* parent = node->GetParent()) parent->RemoveChild(node);
    DeleteSubtree(node);
    MarkEdited(true);
    return true;
}

bool DUxLeaderNodeTree::DeleteNode(DUxLeaderNode* node) {
    if (GetIndexOfNode(node) < 0 || node == m_root.GetTarget()) return false;
    DUxLeaderNode* parent = node->GetParent();
    if (!parent) return false;
    const std::vector<RSeRef<DUxLeaderNode>> children = node->GetChildren();
    // An end, or an inner node that leads nowhere, goes with the path that led to it.
    if (children.empty()) return DeleteBranch(node);
    RSe::PrepareWrite(this);
    RSe::PrepareWrite(parent);
    std::vector<RSeRef<DUxLeaderNode>>& siblings = parent->m_children;
    auto at = std::find(siblings.begin(), siblings.end(), RSeRef<DUxLeaderNode>(node));
    if (at == siblings.end()) return false;
    at = siblings.erase(at);
    siblings.insert(at, children.begin(), children.end());
    RSe::PrepareWrite(node);
    node->m_children.clear();
    for (const RSeRef<DUxLeaderNode>& c : children)
        if (DUxLeaderNode* child = c.get()) child->SetParent(parent);
    DeleteSubtree(node);
    MarkEdited(true);
    return true;
}

bool DUxLeaderNodeTree::DeleteBranch(DUxLeaderNode* node) {
    if (GetIndexOfNode(node) < 0 || node == m_root.GetTarget()) return false;
    // The branch reaches up to the first node that leads elsewhere too.
    DUxLeaderNode* top = node;
    for (DUxLeaderNode* parent = top->GetParent();
         parent && parent != m_root.GetTarget() && parent->GetChildren().size() == 1;
         parent = top->GetParent())
        top = parent;
    std::vector<DUxLeaderNode*> inBranch{top};
    top->GetAllChildren(inBranch);
    int32_t endsInBranch = 0;
    for (DUxLeaderNode* n : inBranch)
        if (UTx::Cast<DUxBaseTerminalLeaderNode>(n)) ++endsInBranch;
    RSe::PrepareWrite(this);
    if (endsInBranch > 0 && endsInBranch == GetNumBranches()) {
        // Nothing would be left to anchor the symbol: keep the first end as the whole tree.
        DUxBaseTerminalLeaderNode* end = GetTerminalNode(0);
        DUxLeaderNode* root = m_root.get();
        if (!end || !root) return false;
        if (DUxLeaderNode* parent = end->GetParent()) parent->RemoveChild(end);
        end->SetParent(nullptr);
        DeleteSubtree(root);
        m_root = RSeRef<DUxLeaderNode>(end);
    } else {
        if (DUxLeaderNode* parent = top->GetParent()) parent->RemoveChild(top);
        DeleteSubtree(top);
    }
    MarkEdited(true);
    return true;
}

bool DUxLeaderNodeTree::SetNodePoint(int32_t nodeId, const WqGePoint3d& point) {
    DUxLeaderNode* node = FindNode(nodeId);
    if (!node) return false;
    if (auto* end = UTx::Cast<DUxBaseTerminalLeaderNode>(node))
        end->SetTerminalPoint(point);
    else
        node->SetPoint(point);
    MarkEdited(true);
    return true;
}

DUxBaseTerminalLeaderNode* DUxLeaderNodeTree::AddBranch(const std::vector<WqGePoint3d>& points,
                                                       const WqGePoint3d& end,
                                                       DUxArrowHeadState* arrowHead,
                                                       bool attachToRoot) {
    DUxLeaderNode* parent = GetRoot();
    if (!parent) return nullptr;
    if (!attachToRoot && !parent->GetChildren().empty())
        if (DUxLeaderNode* first = parent->GetChildren().front().get();
            first && !UTx::Cast<DUxBaseTerminalLeaderNode>(first))
            parent = first;
    for (const WqGePoint3d& p : points)
        if (DUxLeaderNode* added = AddNode(parent, p)) parent = added;
    return AddTerminalNode(parent, end, arrowHead);
}

int32_t DUxLeaderNodeTree::PruneTree() {
    const WqGeTol tol(1e-9, 1e-9);
    int32_t removed = 0;
    // Removing a node may leave its parent without purpose: go on until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (const RSeRef<DUxLeaderNode>& ref : m_nodes) {
            DUxLeaderNode* node = ref.get();
            DUxLeaderNode* parent = node ? node->GetParent() : nullptr;
            if (!parent || node == m_root.GetTarget() || UTx::Cast<DUxBaseTerminalLeaderNode>(node))
                continue;
            const std::vector<RSeRef<DUxLeaderNode>>& children = node->GetChildren();
            DUxLeaderNode* child = children.size() == 1 ? children.front().get() : nullptr;
            if (!children.empty() && !child) continue;
            if (child && !node->GetPoint().isEqualTo(parent->GetPoint(), tol) &&
                !node->GetPoint().isEqualTo(child->GetPoint(), tol))
                continue;
            // The child takes the node's place among the parent's children.
            RSe::PrepareWrite(this);
            if (child) {
                RSe::PrepareWrite(parent);
                for (RSeRef<DUxLeaderNode>& c : parent->m_children)
                    if (c.GetTarget() == node) c = child;
                RSe::PrepareWrite(node);
                node->m_children.clear();
                child->SetParent(parent);
            } else {
                parent->RemoveChild(node);
            }
            DeleteSubtree(node);
            ++removed;
            changed = true;
            break;
        }
    }
    if (removed) MarkEdited(true);
    return removed;
}

void DUxLeaderNodeTree::Delete(DUxLeaderNodeTree* tree) {
    if (!tree) return;
    RSe::PrepareWrite(tree);
    if (DUxLeaderNode* root = tree->m_root.get()) tree->DeleteSubtree(root);
    // Nodes that lost their links still belong to the tree.
    while (!tree->m_nodes.empty()) {
        DUxLeaderNode* n = tree->m_nodes.back().get();
        tree->m_nodes.pop_back();
        if (n) tree->DeleteSubtree(n);
    }
    tree->m_root.Clear();
    RDxFragment* fragment = tree->GetFragment().get();
    if (!fragment || !fragment->DeleteNode(tree)) RSe::DeleteObject(tree);
}

bool DUxLeaderNodeTree::IsOnTree(const WqGePoint3d& p, DUxLeaderNode*& hit, bool& onNode,
                                 double tol) const {
    hit = nullptr;
    onNode = false;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (DUxLeaderNode* n = r.get(); n && n->GetPoint().distanceTo(p) <= tol) {
            hit = n;
            onNode = true;
            return true;
        }
    double best = std::numeric_limits<double>::infinity();
    for (const RSeRef<DUxLeaderNode>& r : m_nodes) {
        DUxLeaderNode* n = r.get();
        DUxLeaderNode* parent = n ? n->GetParent() : nullptr;
        if (!parent) continue;
        const double d = SegmentDistance(p, parent->GetPoint(), n->GetPoint());
        if (d <= tol && d < best) {
            best = d;
            hit = n;
        }
    }
    return hit != nullptr;
}

void DUxLeaderNodeTree::ShiftPoints(const WqGeVector3d& v) {
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (DUxLeaderNode* n = r.get()) n->SetPoint(n->GetStoredPoint() + v);
}

void DUxLeaderNodeTree::ScalePoints(const WqGePoint3d& base, double oldScale, double newScale) {
    if (oldScale == 0.0) return;
    const double f = newScale / oldScale;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes)
        if (DUxLeaderNode* n = r.get()) n->SetPoint(base + (n->GetStoredPoint() - base) * f);
}

void DUxLeaderNodeTree::SetLandingLength(double length) {
    if (length == m_landingLength) return;
    BeginValueChange();
    m_landingLength = length;
}

void DUxLeaderNodeTree::SetReferenceLandingLength(double length) {
    if (length == m_refLandingLength) return;
    BeginValueChange();
    m_refLandingLength = length;
}

void DUxLeaderNodeTree::SetLandingPosition(ELandingPos pos) {
    const int32_t v = (pos >= kNoLanding && pos <= kNegY) ? int32_t(pos) : 0;
    if (v == m_landingPos) return;
    BeginValueChange();
    m_landingPos = v;
}

void DUxLeaderNodeTree::SetSecondLandingDistance(double distance) {
    if (distance == m_secondLanding) return;
    BeginValueChange();
    m_secondLanding = distance;
}

void DUxLeaderNodeTree::SetLandingDirectionFlags(bool first, bool second) {
    if (first == m_dirFlag0 && second == m_dirFlag1) return;
    BeginValueChange();
    m_dirFlag0 = first;
    m_dirFlag1 = second;
}

void DUxLeaderNodeTree::SetAllAround(bool on) {
    if (on == m_allAround) return;
    BeginValueChange();
    m_allAround = on;
}

bool DUxLeaderNodeTree::AdjustRoot(ELandingPos pos, const WqGePoint3d& root, const WqGeVector3d&) {
    DUxLeaderNode* node = GetRoot();
    if (!node) return false;
    SetLandingPosition(pos);
    if (node->GetStoredPoint() != root) node->SetPoint(root);
    return true;
}

WqGeVector3d DUxLeaderNodeTree::LandingDirection(ELandingPos pos) {
    switch (pos) {
    case kPosX:
        return {1, 0, 0};
    case kPosY:
        return {0, 1, 0};
    case kNegX:
        return {-1, 0, 0};
    case kNegY:
        return {0, -1, 0};
    default:
        return {};
    }
}

bool DUxLeaderNodeTree::GetSymbolAttachPoint(bool shortLanding, ELandingPos& pos,
                                             WqGePoint3d& attach, WqGeVector3d& direction) const {
    DUxLeaderNode* root = m_root.get();
    if (!root) return false;
    const WqGePoint3d r = root->GetPoint();
    pos = GetLandingPosition();
    if (pos == kNoLanding && m_dirFlag0 && m_dirFlag1) {
        // Free in both directions: no landing, the symbol meets the leader at its root, on
        // the side the leader comes from.
        direction = WqGeVector3d::kXAxis;
        const auto& children = root->GetChildren();
        if (!children.empty())
            if (DUxLeaderNode* first = children.front().get()) {
                const WqGeVector3d away = r - first->GetPoint();
                if (!away.isZeroLength()) direction = away.normal();
            }
        attach = r;
        return true;
    }
    if (pos == kNoLanding) {
        pos = kPosX;
        const auto& children = root->GetChildren();
        if (!children.empty())
            if (DUxLeaderNode* first = children.front().get())
                pos = r.x - first->GetPoint().x >= 0.0 ? kPosX : kNegX;
    }
    const double length =
        shortLanding ? std::max(m_landingLength, m_refLandingLength) : m_landingLength;
    direction = LandingDirection(pos);
    attach = r + direction * length;
    return true;
}

DUxArrowHeadState* DUxLeaderNodeTree::GetArrowHead(int32_t arrow) const {
    DUxBaseTerminalLeaderNode* t = GetTerminalNode(arrow);
    return t ? t->GetArrowHeadState() : nullptr;
}

void DUxLeaderNodeTree::GetArrowHeadIndexes(std::vector<int32_t>& indexes) const {
    indexes.clear();
    const int32_t n = GetNumBranches();
    for (int32_t i = 0; i < n; ++i)
        if (GetArrowHead(i)) indexes.push_back(i);
}

DUxArrowHeadState* DUxLeaderNodeTree::CreateArrowHeadState(RDxFragment* fragment,
                                                           uint32_t arrowId) {
    return DUxArrowHeadState::Create(fragment, arrowId);
}

int32_t DUxLeaderNodeTree::SynthesizeItemID(int32_t kind, int32_t leader, int32_t arrow,
                                            int32_t nodeId) {
    uint32_t id = uint32_t(nodeId + 1) & Mask(kNodeBits);
    id |= (uint32_t(arrow + 1) & Mask(kArrowBits)) << kNodeBits;
    id |= (uint32_t(leader) & Mask(kLeaderBits)) << (kNodeBits + kArrowBits);
    id |= (uint32_t(kind) & Mask(kKindBits)) << (kNodeBits + kArrowBits + kLeaderBits);
    return int32_t(id);
}

void DUxLeaderNodeTree::AnalyzeItemID(int32_t id, int32_t& kind, int32_t& leader, int32_t& arrow,
                                      int32_t& nodeId) {
    const uint32_t v = uint32_t(id);
    nodeId = int32_t(v & Mask(kNodeBits)) - 1;
    arrow = int32_t((v >> kNodeBits) & Mask(kArrowBits)) - 1;
    leader = int32_t((v >> (kNodeBits + kArrowBits)) & Mask(kLeaderBits));
    kind = int32_t((v >> (kNodeBits + kArrowBits + kLeaderBits)) & Mask(kKindBits));
}

void DUxLeaderNodeTree::GenGraphics(SMxDisplayList*, SMxDisplayList& leaderList, int32_t leader,
                                    bool shortLanding, bool command,
                                    const DUxLeaderStyleWrapper* leaderStyle,
                                    const DUxTextStyleWrapper*, bool, bool canDrawArrowHead,
                                    bool canDrawRootHotPoints) {
    DUxLeaderNode* root = m_root.get();
    if (!root || GetNumNodes() < 2) return;
    SMxDisplayListBuilder b(leaderList);
    int32_t branch = 0;
    for (const RSeRef<DUxLeaderNode>& r : m_nodes) {
        DUxLeaderNode* n = r.get();
        if (!n) continue;
        auto* terminal = dynamic_cast<DUxBaseTerminalLeaderNode*>(n);
        const int32_t arrow = terminal ? branch++ : -1;
        const WqGePoint3d p = n->GetPoint();
        if (DUxLeaderNode* parent = n->GetParent()) {
            const WqGePoint3d base = parent->GetPoint();
            b.SetItemId(SynthesizeItemID(kLeaderNodeItem, leader, arrow, n->GetNodeId()));
            b.AddLine(base, p);
            DUxArrowHeadState* state = terminal ? terminal->GetArrowHeadState() : nullptr;
            if (state && canDrawArrowHead) {
                WqGeVector3d v;
                std::vector<WqGePoint3d> outline;
                state->GetArrowHeadVector(p, p - base, v);
                state->GetArrowHeadPoints(p, v, outline, leaderStyle);
                if (!outline.empty()) {
                    WqArray<WqGePoint3d> pts;
                    for (const WqGePoint3d& q : outline)
                        pts.append(q);
                    b.SetItemId(SynthesizeItemID(kArrowHeadItem, leader, arrow, n->GetNodeId()));
                    if (state->IsFilled())
                        b.AddFill(pts);
                    else
                        b.AddPolyline(pts, outline.size() > 2);
                }
            }
        }
        if (command && n != root) {
            b.SetItemId(SynthesizeItemID(terminal ? kAnchorItem : kLeaderNodeItem, leader, arrow,
                                         n->GetNodeId()));
            b.AddPoint(p);
        }
    }
    ELandingPos pos = kNoLanding;
    WqGePoint3d end;
    WqGeVector3d dir;
    const WqGePoint3d rp = root->GetPoint();
    bool landing = false;
    if (GetLandingPosition() != kNoLanding && GetSymbolAttachPoint(shortLanding, pos, end, dir) &&
        end != rp) {
        landing = true;
        b.SetItemId(SynthesizeItemID(kLeaderNodeItem, leader, -1, root->GetNodeId()));
        b.AddLine(rp, end);
        if (command) {
            b.SetItemId(SynthesizeItemID(kLandingEndItem, leader, -1, root->GetNodeId()));
            b.AddPoint(end);
        }
    }
    // The all-around circle sits at the bend, where the leader meets its landing. A leader
    // without a landing runs into its symbol, whose outline the tree does not know: no circle.
    const double diameter = leaderStyle ? leaderStyle->GetAllAroundDiameter() : 0.0;
    if (m_allAround && landing && diameter > 0.0) {
        b.SetItemId(SynthesizeItemID(kLeaderNodeItem, leader, -1, root->GetNodeId()));
        b.AddCircle(rp, WqGeVector3d::kZAxis, diameter / 2);
    }
    if (command && canDrawRootHotPoints) {
        b.SetItemId(SynthesizeItemID(kLeaderRootItem, leader, -1, root->GetNodeId()));
        b.AddPoint(rp);
    }
}
