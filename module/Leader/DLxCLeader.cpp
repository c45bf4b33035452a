#include "Leader/DLxCLeader.h"
#include "Symbol/DLxSymbol.h"

#include <algorithm>

#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxCLeaderNodeIterator.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGeTol.h"
#include "rse/RSeTransaction.h"

namespace {
std::vector<DLxCLeaderNode*> PreOrder(const DLxCLeaderNode* root) {
    std::vector<DLxCLeaderNode*> nodes;
    if (root) root->CollectPreOrder(nodes);
    return nodes;
}
} // namespace

void DLxCLeader::Delete(DLxCLeader* leader) {
    if (!leader) return;
    if (auto* general = dynamic_cast<DLxCLeaderGeneral*>(leader)) {
        DLxCLeaderNode::DeleteTree(general->m_root.get());
    }
    RSe::DeleteObject(leader);
}

DLxCLeaderNode* DLxCLeaderGeneral::GetRootNode() const {
    return m_root.get();
}

UTxResult DLxCLeaderGeneral::SetArrowType(int32_t type) {
    RSe::PrepareWrite(this);
    m_arrowType = type;
    return {};
}

UTxResult DLxCLeaderGeneral::GetTagNumber(int16_t& tag) const {
    tag = m_tag;
    return m_tag < 0 ? UTxResult(kNoValue) : UTxResult();
}

UTxResult DLxCLeaderGeneral::SetTagNumber(int16_t tag) {
    RSe::PrepareWrite(this);
    m_tag = tag;
    return {};
}

UTxResult DLxCLeaderGeneral::GetGapLength(double& gap) const {
    gap = m_gap;
    return UTxResult(kNotSupported);
}

UTxResult DLxCLeaderGeneral::SetGapLength(double gap) {
    RSe::PrepareWrite(this);
    m_gap = gap;
    return UTxResult(kNotSupported);
}

WqGePoint3d DLxCLeaderGeneral::GetRootPoint() const {
    const DLxCLeaderNode* root = m_root.Read();
    return root ? root->GetPoint() : WqGePoint3d();
}

int32_t DLxCLeaderGeneral::GetNumVertices() const {
    return int32_t(PreOrder(m_root.Read()).size());
}

int32_t DLxCLeaderGeneral::GetNumInnerVertices() const {
    int32_t n = 0;
    for (const DLxCLeaderNode* node : PreOrder(m_root.Read()))
        n += node->IsEnd() ? 0 : 1;
    return n;
}

void DLxCLeaderGeneral::CollectVertices(std::vector<WqGePoint3d>& points) const {
    for (const DLxCLeaderNode* node : PreOrder(m_root.Read()))
        points.push_back(node->GetPoint());
}

void DLxCLeaderGeneral::CollectEndVertexNumbers(int32_t& counter,
                                                std::vector<int32_t>& numbers) const {
    for (const DLxCLeaderNode* node : PreOrder(m_root.Read())) {
        ++counter;
        if (node->IsEnd()) numbers.push_back(counter);
    }
}

UTxResult DLxCLeaderGeneral::TransformBy(const WqGeMatrix3d& m) {
    if (m_notifying) return UTxResult(kRefused);
    RSe::PrepareWrite(this);
    if (m_gap != 0.0) m_gap = WqGeVector3d(m_gap, 0.0, 0.0).transformBy(m).x;
    if (m_landing.length() > 1e-10) m_landing.transformBy(m);
    if (DLxCLeaderNode* root = m_root.get()) root->TransformSubtree(m);
    return {};
}

void DLxCLeaderGeneral::SetRootNode(DLxCLeaderNode* root) {
    if (root == m_root.GetTarget()) return;
    RSe::PrepareWrite(this);
    m_root = root;
}

std::unique_ptr<DLxCLeaderNodeIterator> DLxCLeaderGeneral::CreateNodeIterator() {
    DLxCLeaderNode* root = m_root.get();
    if (!root) return nullptr;
    return std::make_unique<DLxCLeaderNodeIteratorImp>(root, this);
}

void DLxCLeaderGeneral::SetOwner(const RSeRef<DLxSymbol>& owner) {
    if (owner.GetTarget() == m_owner.GetTarget()) return;
    RSe::PrepareWrite(this);
    m_owner = owner;
}

WqGePoint3d DLxCLeaderLand::GetRootPoint() const {
    const DLxCLeaderNode* root = m_root.Read();
    return root ? root->GetPoint() + m_landing : WqGePoint3d();
}

int32_t DLxCLeaderLand::GetNumVertices() const {
    return DLxCLeaderGeneral::GetNumVertices() + 1;
}

int32_t DLxCLeaderLand::GetNumInnerVertices() const {
    return DLxCLeaderGeneral::GetNumInnerVertices() + 1;
}

void DLxCLeaderLand::CollectVertices(std::vector<WqGePoint3d>& points) const {
    if (!m_root.GetTarget()) return;
    points.push_back(GetRootPoint());
    DLxCLeaderGeneral::CollectVertices(points);
}

UTxResult DLxCLeaderLand::QueryLandingVector(WqGeVector3d& landing) const {
    landing = m_landing;
    return {};
}

std::unique_ptr<DLxCLeaderNodeIterator> DLxCLeaderLand::CreateVertexIterator() {
    return CreateNodeIterator();
}

UTxResult DLxCLeaderDatumTgt::QueryLeaderFlag(int16_t& flag) const {
    flag = 1;
    return {};
}

void DLxCLeaderBalloon::StoreArrowType(int32_t type) {
    RSe::PrepareWrite(this);
    m_arrowType = type;
}

// ---- Edits that report to the owner symbol ----

namespace {
constexpr double kShortOffset = 1e-10;
constexpr double kLandingTol = 1e-9;

// The component of v along the unit direction of `axis` (zero for a zero axis).
WqGeVector3d AlongAxis(const WqGeVector3d& v, const WqGeVector3d& axis) {
    const WqGeVector3d unit = axis.normal();
    return unit * v.dotProduct(unit);
}
} // namespace

template <class F> UTxResult DLxCLeaderGeneral::WithNotify(bool on, bool after, F f) {
    m_notifyOwner = on;
    const UTxResult r = f();
    m_notifyOwner = after;
    return r;
}

WqGeVector3d DLxCLeaderGeneral::ProjectOffset(const WqGeVector3d& v) const {
    const DLxSymbol* owner = m_owner.Read();
    return owner ? owner->ProjectOntoSymbolPlane(v) : v;
}

UTxResult DLxCLeaderGeneral::NotifyRootMoved(const WqGeVector3d& offset) {
    DLxSymbol* owner = m_owner.get();
    if (!owner) return {};
    m_notifying = true;
    const UTxResult r = owner->MoveToLeader(offset, this);
    m_notifying = false;
    return r;
}

UTxResult DLxCLeaderGeneral::NotifyLandingChanged(const WqGeVector3d& offset) {
    DLxSymbol* owner = m_owner.get();
    if (!owner) return {};
    m_notifying = true;
    const UTxResult r = owner->OnLandingChanged(offset, this);
    m_notifying = false;
    return r;
}

UTxResult DLxCLeaderGeneral::SetRootPoint(const WqGePoint3d& point) {
    if (m_notifying) return UTxResult(kBusyNotifying);
    DLxCLeaderNode* root = m_root.get();
    if (!root) {
        if (!GetSegment()) return UTxResult(kNoNode);
        root = DLxCLeaderNode::New(GetSegment(), this, WqGePoint3d());
        SetRootNode(root);
    }
    const WqGePoint3d old = GetRootPoint();
    root->SetPoint(point);
    if (m_notifyOwner) NotifyRootMoved(point - old);
    return {};
}

UTxResult DLxCLeaderGeneral::SetLandingVector(const WqGeVector3d& landing) {
    if (m_notifying) return UTxResult(kBusyNotifying);
    const WqGeVector3d old = m_landing;
    RSe::PrepareWrite(this);
    m_landing = landing;
    if (m_notifyOwner) NotifyLandingChanged(landing - old);
    return UTxResult(kNotSupported);
}

UTxResult DLxCLeaderGeneral::PrependVertex(const WqGePoint3d& point) {
    const DLxSymbol* owner = m_owner.Read();
    const WqGePoint3d projected = owner ? owner->ProjectOntoSymbolPlane(point) : point;
    if (!GetSegment()) return UTxResult(kNoNode);
    DLxCLeaderNode* node = DLxCLeaderNode::New(GetSegment(), this, projected);
    DLxCLeaderNode* old = m_root.get();
    const WqGePoint3d oldPoint = old ? old->GetPoint() : WqGePoint3d();
    if (old) node->AddChild(old);
    SetRootNode(node);
    if (m_notifyOwner) NotifyRootMoved(point - oldPoint);
    return {};
}

UTxResult DLxCLeaderGeneral::AddVertices(const std::vector<WqGePoint3d>& points) {
    const DLxCLeaderNode* root = m_root.Read();
    const DLxSymbol* owner = m_owner.Read();
    const WqGePoint3d base =
        root ? root->GetPoint() : (owner ? owner->GetOrigin() : WqGePoint3d());
    for (const WqGePoint3d& p : points)
        if (UTxResult r = WithNotify(false, true, [&] { return PrependVertex(p); }); r.Failed())
            return r;
    if (!points.empty()) NotifyRootMoved(points.back() - base);
    return {};
}

UTxResult DLxCLeaderFCF::AddVertices(const std::vector<WqGePoint3d>& points) {
    const DLxCLeaderNode* root = m_root.Read();
    const DLxSymbol* owner = m_owner.Read();
    const bool fewLeaders = !owner || owner->GetNumLeaders() <= 2;
    const WqGePoint3d base = fewLeaders && root ? root->GetPoint() : WqGePoint3d();
    const bool notify = m_notifyOwner;
    for (const WqGePoint3d& p : points)
        if (UTxResult r = WithNotify(false, notify, [&] { return PrependVertex(p); });
            r.Failed())
            return r;
    if (!points.empty() && m_notifyOwner) NotifyRootMoved(points.back() - base);
    return {};
}

UTxResult DLxCLeaderGeneral::RemoveRootVertex() {
    DLxCLeaderNode* root = m_root.get();
    if (!root || root->GetChildren().size() != 1) return UTxResult(kNoNode);
    DLxCLeaderNode* child = root->GetChildren().front().get();
    if (!child) return UTxResult(kNoNode);
    const WqGePoint3d oldPoint = root->GetPoint();
    root->RemoveChild(child);
    child->SetParent(nullptr);
    SetRootNode(child);
    DLxCLeaderNode::DeleteTree(root);
    if (m_notifyOwner) NotifyRootMoved(child->GetPoint() - oldPoint);
    return {};
}

UTxResult DLxCLeaderGeneral::MoveVertices(const std::vector<int32_t>& indices,
                                          const WqGeVector3d& offset) {
    return MoveNodes(indices, offset);
}

UTxResult DLxCLeaderGeneral::MoveNodes(const std::vector<int32_t>& indices,
                                       const WqGeVector3d& offset) {
    DLxCLeaderNode* root = m_root.get();
    if (offset.length() < kShortOffset || !root || indices.empty()) return {};
    const std::vector<DLxCLeaderNode*> nodes = PreOrder(root);
    const int32_t first = indices.front();
    if (first < 0 || size_t(first) >= nodes.size()) return UTxResult(kNoNode);
    DLxCLeaderNode* moved = nodes[size_t(first)];
    const WqGePoint3d rootBefore = root->GetPoint();
    const WqGePoint3d from = moved->GetPoint();
    moved->SetPoint(from + ProjectOffset(offset));

    std::vector<DLxCLeaderNode*> together;
    bool anyInner = false;
    for (DLxCLeaderNode* n : nodes)
        if (n->GetPoint() == moved->GetPoint()) {
            together.push_back(n);
            anyInner = anyInner || !n->IsEnd();
        }
    // Ends dropped on each other stay so, and the owner is not told.
    if (!anyInner && together.size() >= 2) return {};
    if (anyInner && (together.size() >= 3 || (together.size() == 2 && nodes.size() == 2))) {
        moved->SetPoint(from);
    } else if (anyInner && together.size() == 2) {
        DLxCLeaderNode* earlier = together[0];
        DLxCLeaderNode* later = together[1];
        // The chain of single-child nodes that led to the later node goes with it.
        DLxCLeaderNode* top = later;
        for (DLxCLeaderNode* up = later->GetParent();
             up && up != earlier && up->GetChildren().size() < 2; up = up->GetParent())
            top = up;
        const std::vector<RSeRef<DLxCLeaderNode>> children = later->GetChildren();
        for (const RSeRef<DLxCLeaderNode>& c : children)
            if (DLxCLeaderNode* child = c.get()) {
                later->RemoveChild(child);
                earlier->AddChild(child);
            }
        if (DLxCLeaderNode* parent = top->GetParent()) parent->RemoveChild(top);
        DLxCLeaderNode::DeleteTree(top);
    }
    if (first == 0 && m_notifyOwner) NotifyRootMoved(m_root.get()->GetPoint() - rootBefore);
    return {};
}

UTxResult DLxCLeaderWelding::MoveVertices(const std::vector<int32_t>& indices,
                                          const WqGeVector3d& offset) {
    const UTxResult r = MoveNodes(indices, offset);
    if (!indices.empty() && indices.front() == 1 && m_notifyOwner) NotifyRootMoved(offset);
    return r;
}

UTxResult DLxCLeaderLand::SetRootPoint(const WqGePoint3d& point) {
    DLxCLeaderNode* root = m_root.get();
    if (!root) return UTxResult(kNoNode);
    const WqGeVector3d offset = point - GetRootPoint();
    root->SetPoint(root->GetPoint() + offset);
    NotifyRootMoved(offset);
    return {};
}

bool DLxCLeaderLand::IsLandingUnchanged(const WqGeVector3d& landing) const {
    return m_root.GetTarget() && m_landing.isEqualTo(landing, WqGeTol(kLandingTol, kLandingTol));
}

UTxResult DLxCLeaderLand::SetLandingVector(const WqGeVector3d& landing) {
    if (IsLandingUnchanged(landing)) return {};
    const WqGeVector3d projected = ProjectOffset(landing);
    WqGeVector3d result = projected;
    if (!projected.isZeroLength()) {
        const DLxSymbol* owner = m_owner.Read();
        result = AlongAxis(projected, owner ? owner->GetXAxis() : WqGeVector3d::kXAxis);
    }
    DLxCLeaderGeneral::SetLandingVector(result);
    return {};
}

UTxResult DLxCLeaderLand::MoveVertices(const std::vector<int32_t>& indices,
                                       const WqGeVector3d& offset) {
    if (offset.length() < kShortOffset || !m_root.GetTarget() || indices.empty()) return {};
    const WqGeVector3d projected = ProjectOffset(offset);
    std::vector<int32_t> moved = indices;
    const DLxSymbol* owner = m_owner.Read();
    if (owner && !owner->GetDisplayLeaders())
        moved.front() = 1;
    else if (std::find(moved.begin(), moved.end(), 0) != moved.end())
        moved.front() = 0;
    const int32_t first = moved.front();
    if (first == 0) {
        SetLandingVector(m_landing + projected);
        return {};
    }
    std::vector<int32_t> nodes = moved;
    for (int32_t& i : nodes)
        --i;
    if (first == 1) return MoveNodes(nodes, projected);
    return WithNotify(false, true, [&] { return MoveNodes(nodes, projected); });
}

WqGeVector3d DLxCLeaderDatumId::SnapLanding(const WqGeVector3d& projected) const {
    const DLxSymbol* owner = m_owner.Read();
    if (!owner || !owner->GetDisplayLeaders()) return projected;
    const WqGeVector3d x = owner->GetXAxis(), y = owner->GetYAxis();
    const WqGeVector3d axes[] = {x, y, -x, -y};
    const WqGeVector3d* best = &axes[0];
    for (const WqGeVector3d& a : axes)
        if (a.angleTo(projected) < best->angleTo(projected)) best = &a;
    return AlongAxis(projected, *best);
}

WqGeVector3d DLxCLeaderFeatId::SnapLanding(const WqGeVector3d& projected) const {
    const DLxSymbol* owner = m_owner.Read();
    const WqGeVector3d y = owner ? owner->GetYAxis() : WqGeVector3d::kYAxis;
    const WqGeVector3d landing = AlongAxis(projected, y);
    const WqGeTol tol(kLandingTol, kLandingTol);
    if (!landing.isZeroLength(tol) && !landing.isCodirectionalTo(y, tol)) return WqGeVector3d();
    return landing;
}

UTxResult DLxCLeaderDatumId::SetLandingVector(const WqGeVector3d& landing) {
    if (IsLandingUnchanged(landing)) return {};
    const WqGePoint3d rootBefore = GetRootPoint();
    const WqGeVector3d projected = ProjectOffset(landing);
    const WqGeVector3d result =
        m_root.GetTarget() && !projected.isZeroLength() ? SnapLanding(projected) : projected;
    m_notifyOwner = true;
    DLxCLeaderGeneral::SetLandingVector(result);
    NotifyRootMoved(GetRootPoint() - rootBefore);
    return {};
}
