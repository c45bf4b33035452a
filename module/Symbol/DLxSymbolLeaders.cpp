// The leader operations of the older symbols: their leader list, vertices counted over all
// leaders, arrow tips, the drawn pieces of a leader and hit tests on them.
#include <cmath>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Symbol/DLxSymbol.h"
#include "du/DUxArrowHead.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

namespace {
constexpr double kShortOffset = 1e-10;

void CollectPieces(const DLxCLeaderNode* node, std::vector<DLxLeaderSegment>& out) {
    for (const RSeRef<DLxCLeaderNode>& c : node->GetChildren()) {
        const DLxCLeaderNode* child = c.Read();
        if (!child) continue;
        out.push_back({node->GetPoint(), child->GetPoint()});
        CollectPieces(child, out);
    }
}

double XYLength(const DLxLeaderSegment& s) {
    return std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
}
} // namespace

void DLxSymbol::SetDisplayLeaders(bool on) {
    if (m_displayLeaders == on) return;
    RSe::PrepareWrite(this);
    m_displayLeaders = on;
}

void DLxSymbol::SetArrowheadVertexIndices(const std::vector<int32_t>& indices) {
    RSe::PrepareWrite(this);
    m_arrowheadVertices = indices;
}

DUxArrowHeadState* DLxSymbol::GetArrowheadStateObject() const {
    return UTx::Cast<DUxArrowHeadState>(m_arrowheadState.GetTarget());
}

void DLxSymbol::SetArrowheadState(RSeIDed* state) {
    RSe::PrepareWrite(this);
    m_arrowheadState = state;
}

DLxCLeaderGeneral* DLxSymbol::CreateLeaderRecord() {
    if (!RSe::SegmentOf(this)) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxCLeaderGeneral*>(nullptr)),
                RSe::SegmentOf(this)) DLxCLeaderGeneral(RSeRef<DLxSymbol>(this));
}

UTxResult DLxSymbol::AddLeader(const std::vector<WqGePoint3d>& points) {
    const bool had = !m_leaders.empty();
    DLxCLeaderGeneral* record = CreateLeaderRecord();
    if (!record) return UTxResult(DLxCLeader::kNoNode);
    RSe::PrepareWrite(this);
    m_leaders.emplace_back(record);
    (void)record->AddVertices(points);
    return had ? UTxResult(DLxCLeader::kNotSupported) : UTxResult();
}

UTxResult DLxSymbol::RemoveLeader(int16_t index) {
    if (index < 0 || index >= GetNumLeaders()) return UTxResult(DLxCLeader::kRefused);
    RSe::PrepareWrite(this);
    DLxCLeader* record = m_leaders[size_t(index)].get();
    m_leaders.erase(m_leaders.begin() + index);
    DLxCLeader::Delete(record);
    return {};
}

std::vector<WqGePoint3d> DLxSymbol::GetAllLeaderVertices() const {
    std::vector<WqGePoint3d> points;
    for (const RSeRef<DLxCLeader>& r : m_leaders)
        if (const DLxCLeader* leader = r.Read()) leader->CollectVertices(points);
    return points;
}

UTxResult DLxSymbol::MoveLeaderVertices(const std::vector<int32_t>& indices,
                                        const WqGeVector3d& offset) {
    if (offset.length() < kShortOffset) return {};
    const WqGeVector3d move = offset - m_zAxis * offset.dotProduct(m_zAxis);
    int32_t before = 0;
    for (const RSeRef<DLxCLeader>& r : m_leaders) {
        auto* leader = dynamic_cast<DLxCLeaderGeneral*>(r.get());
        if (!leader) continue;
        const int32_t count = leader->GetNumVertices();
        std::vector<int32_t> local;
        for (int32_t i : indices)
            if (i - before >= 0 && i - before < count) local.push_back(i - before);
        if (!local.empty()) (void)leader->MoveVertices(local, move);
        before += count;
    }
    return {};
}

bool DLxSymbol::IsArrowTip(const WqGePoint3d& point) const {
    const std::vector<WqGePoint3d> vertices = GetAllLeaderVertices();
    for (int32_t index : m_arrowheadVertices) {
        if (index < 0 || size_t(index) >= vertices.size()) break;
        if (index > 0 && vertices[size_t(index)] == point) return true;
    }
    return false;
}

std::vector<DLxLeaderSegment> DLxSymbol::CreateLeaderSegments(const DLxCLeader* leader,
                                                              bool trim) const {
    std::vector<DLxLeaderSegment> pieces;
    const DLxCLeaderNode* root = leader ? leader->GetRootNode() : nullptr;
    if (!root) return pieces;
    const WqGeVector3d landing = leader->GetLandingVector();
    if (landing.length() > kShortOffset) pieces.push_back({root->GetPoint(), root->GetPoint() + landing});
    CollectPieces(root, pieces);
    double gap = 0.0;
    if (auto* general = dynamic_cast<const DLxCLeaderGeneral*>(leader))
        (void)general->GetGapLength(gap);
    const std::vector<WqGePoint3d> all = GetAllLeaderVertices();
    if (!trim || gap == 0.0 || all.empty()) return pieces;
    std::vector<DLxLeaderSegment> trimmed;
    for (DLxLeaderSegment s : pieces) {
        if (s.a == all.front() || s.b == all.front()) {
            const double length = XYLength(s);
            if (length <= gap) continue;
            s.a = s.a + (s.b - s.a) * (gap / length);
        }
        trimmed.push_back(s);
    }
    return trimmed;
}

bool DLxSymbol::HitTestLeaders(const WqGePoint3d& point, double tol, WqGePoint3d& foot) const {
    for (const RSeRef<DLxCLeader>& r : m_leaders) {
        for (const DLxLeaderSegment& s : CreateLeaderSegments(r.Read(), true)) {
            const WqGeVector3d d(s.b.x - s.a.x, s.b.y - s.a.y, 0.0);
            const double len2 = d.dotProduct(d);
            if (len2 <= 0.0) continue;
            const double t = ((point.x - s.a.x) * d.x + (point.y - s.a.y) * d.y) / len2;
            if (t < 0.0 || t > 1.0) continue;
            const WqGePoint3d f = s.a + (s.b - s.a) * t;
            if (std::hypot(point.x - f.x, point.y - f.y) < tol) {
                foot = f;
                return true;
            }
        }
    }
    return false;
}
