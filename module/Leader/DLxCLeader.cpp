#include "Leader/DLxCLeader.h"
#include "Symbol/DLxSymbol.h"

#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxCLeaderNodeIterator.h"
#include "ge/WqGeMatrix3d.h"
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

