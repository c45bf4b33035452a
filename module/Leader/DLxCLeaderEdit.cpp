// Editing operations of the older leader records: the root, prepended vertices, vertex moves
// and the landing. They work in the owner's plane and report root moves to the owner while
// notify owner is set; `m_notifying` guards against an owner that edits the record back while
// it hears of a change.
#include <algorithm>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Symbol/DLxSymbol.h"
#include "ge/WqGeTol.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr double kShortOffset = 1e-10;
constexpr double kLandingTol = 1e-9;

std::vector<DLxCLeaderNode*> PreOrder(const DLxCLeaderNode* root) {
    std::vector<DLxCLeaderNode*> nodes;
    if (root) root->CollectPreOrder(nodes);
    return nodes;
}

// The component of v along the unit direction of `axis` (zero for a zero axis).
WqGeVector3d AlongAxis(const WqGeVector3d& v, const WqGeVector3d& axis) {
    const WqGeVector3d unit = axis.normal();
    return unit * v.dotProduct(unit);
}

// Switches a record's owner notification off for a scope and back to what it was.
class Quiet {
public:
    explicit Quiet(DLxCLeaderGeneral* record) : m_record(record), m_was(record->GetNotifyOwner()) {
        record->SetNotifyOwner(false);
    }
    ~Quiet() { m_record->SetNotifyOwner(m_was); }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    DLxCLeaderGeneral* m_record;
    bool m_was;
};
} // namespace

WqGePoint3d DLxCLeaderGeneral::OntoPlane(const WqGePoint3d& p) const {
    const DLxSymbol* owner = m_owner.Read();
    const WqGePoint3d origin = owner ? owner->GetOrigin() : WqGePoint3d();
    const WqGeVector3d z = owner ? owner->GetZAxis() : WqGeVector3d(0, 0, 1);
    return p - z * (p - origin).dotProduct(z);
}

WqGeVector3d DLxCLeaderGeneral::OntoPlane(const WqGeVector3d& v) const {
    const DLxSymbol* owner = m_owner.Read();
    const WqGeVector3d z = owner ? owner->GetZAxis() : WqGeVector3d(0, 0, 1);
    return v - z * v.dotProduct(z);
}

UTxResult DLxCLeaderGeneral::NotifyRootMoved(const WqGeVector3d& offset) {
    return Report(false, offset);
}

UTxResult DLxCLeaderGeneral::NotifyLandingChanged(const WqGeVector3d& offset) {
    return Report(true, offset);
}

UTxResult DLxCLeaderGeneral::Report(bool landing, const WqGeVector3d& offset) {
    DLxSymbol* owner = m_owner.get();
    if (!owner) return {};
    m_notifying = true;
    const UTxResult r =
        landing ? owner->OnLandingChanged(offset, this) : owner->MoveToLeader(offset, this);
    m_notifying = false;
    return r;
}

UTxResult DLxCLeaderGeneral::SetRootPoint(const WqGePoint3d& point) {
    if (m_notifying) return UTxResult(kBusyNotifying);
    DLxCLeaderNode* root = m_root.get();
    if (!root) {
        root = DLxCLeaderNode::New(RSe::SegmentOf(this), this, WqGePoint3d());
        if (!root) return UTxResult(kNoNode);
        SetRootNode(root);
    }
    const WqGePoint3d old = GetRootPoint();
    root->SetPoint(point);
    if (m_notifyOwner) NotifyRootMoved(point - old);
    return {};
}

UTxResult DLxCLeaderGeneral::PrependVertex(const WqGePoint3d& point) {
    DLxCLeaderNode* node = DLxCLeaderNode::New(RSe::SegmentOf(this), this, OntoPlane(point));
    if (!node) return UTxResult(kNoNode);
    DLxCLeaderNode* old = m_root.get();
    const WqGePoint3d oldPoint = old ? old->GetPoint() : WqGePoint3d();
    if (old) node->AddChild(old);
    SetRootNode(node);
    if (m_notifyOwner) NotifyRootMoved(point - oldPoint);
    return {};
}

UTxResult DLxCLeaderGeneral::AddVertices(const std::vector<WqGePoint3d>& points) {
    const DLxSymbol* owner = m_owner.Read();
    const DLxCLeaderNode* root = m_root.Read();
    const WqGePoint3d base = root ? root->GetPoint() : owner ? owner->GetOrigin() : WqGePoint3d();
    for (const WqGePoint3d& p : points) {
        UTxResult r;
        {
            Quiet quiet(this);
            r = PrependVertex(p);
        }
        if (!r.IsEmpty()) return r;
    }
    if (!points.empty() && m_notifyOwner) NotifyRootMoved(points.back() - base);
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

UTxResult DLxCLeaderGeneral::MoveVertices(const std::vector<int32_t>& indices,
                                          const WqGeVector3d& offset) {
    return MoveNode(indices, offset);
}

// The node at the first index moves. Dropped onto other nodes it is: kept there when all of
// them are ends (two ends may meet); merged with the one other node when that makes no
// loop of a leader that keeps at least three vertices; else put back.
UTxResult DLxCLeaderGeneral::MoveNode(const std::vector<int32_t>& indices,
                                      const WqGeVector3d& offset) {
    if (offset.length() < kShortOffset || !m_root.GetTarget() || indices.empty()) return {};
    const WqGeVector3d move = OntoPlane(offset);
    const std::vector<DLxCLeaderNode*> nodes = PreOrder(m_root.get());
    const int32_t first = indices.front();
    if (first < 0 || size_t(first) >= nodes.size()) return {};
    DLxCLeaderNode* moved = nodes[size_t(first)];
    const WqGePoint3d rootBefore = GetRootPoint();
    const WqGePoint3d from = moved->GetPoint();
    moved->SetPoint(from + move);

    std::vector<DLxCLeaderNode*> same;
    for (DLxCLeaderNode* n : nodes)
        if (n->GetPoint() == moved->GetPoint()) same.push_back(n);
    const bool allEnds =
        std::all_of(same.begin(), same.end(), [](const DLxCLeaderNode* n) { return n->IsEnd(); });
    if (allEnds) {
        if (same.size() >= 2) return {};
    } else if (same.size() >= 3 || (same.size() == 2 && GetNumVertices() == 2)) {
        moved->SetPoint(from);
    } else if (same.size() == 2) {
        DLxCLeaderNode* earlier = same[0];
        DLxCLeaderNode* later = same[1];
        // The chain of single-child nodes above the later node goes with it.
        DLxCLeaderNode* chainTop = later;
        DLxCLeaderNode* stop = later->GetParent();
        while (stop && stop != earlier && stop->GetChildren().size() < 2) {
            chainTop = stop;
            stop = stop->GetParent();
        }
        const std::vector<RSeRef<DLxCLeaderNode>> children = later->GetChildren();
        for (const RSeRef<DLxCLeaderNode>& c : children) {
            DLxCLeaderNode* child = c.get();
            if (!child) continue;
            later->RemoveChild(child);
            earlier->AddChild(child);
        }
        if (stop) stop->RemoveChild(chainTop);
        DLxCLeaderNode::DeleteTree(chainTop);
    }
    if (first == 0) NotifyRootMoved(GetRootPoint() - rootBefore);
    return {};
}

UTxResult DLxCLeaderWelding::MoveVertices(const std::vector<int32_t>& indices,
                                          const WqGeVector3d& offset) {
    const UTxResult r = MoveNode(indices, offset);
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
    WqGeVector3d result(0, 0, 0);
    {
        Quiet quiet(this);
        const WqGeVector3d request = OntoPlane(landing);
        if (request.length() > 0.0) {
            const DLxSymbol* owner = m_owner.Read();
            const WqGeVector3d x = owner ? owner->GetXAxis() : WqGeVector3d(1, 0, 0);
            // Of X and -X the one nearer the request (X on a tie); the landing is the request
            // projected onto that line, which is the same line either way.
            result = x * request.dotProduct(x);
        }
    }
    DLxCLeaderGeneral::SetLandingVector(result);
    return {};
}

UTxResult DLxCLeaderLand::MoveVertices(const std::vector<int32_t>& indices,
                                       const WqGeVector3d& offset) {
    if (offset.length() < kShortOffset || !m_root.GetTarget() || indices.empty()) return {};
    const WqGeVector3d move = OntoPlane(offset);
    std::vector<int32_t> work = indices;
    const DLxSymbol* owner = m_owner.Read();
    if (owner && !owner->GetDisplayLeaders())
        work.front() = 1;
    else if (std::find(work.begin(), work.end(), 0) != work.end())
        work.front() = 0;
    const int32_t first = work.front();
    if (first == 0) return SetLandingVector(m_landing + move);
    std::vector<int32_t> nodeIndex{first - 1};
    if (first > 1) {
        Quiet quiet(this);
        return MoveNode(nodeIndex, move);
    }
    return MoveNode(nodeIndex, move);
}

UTxResult DLxCLeaderFCF::AddVertices(const std::vector<WqGePoint3d>& points) {
    const DLxCLeaderNode* root = m_root.Read();
    const DLxSymbol* owner = m_owner.Read();
    const bool fewLeaders = !owner || owner->GetNumLeaders() <= 2;
    const WqGePoint3d base = fewLeaders && root ? root->GetPoint() : WqGePoint3d();
    for (const WqGePoint3d& p : points) {
        UTxResult r;
        {
            Quiet quiet(this);
            r = PrependVertex(p);
        }
        if (r.Failed()) return r;
    }
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
    const WqGeVector3d projected = OntoPlane(landing);
    const WqGeVector3d result =
        m_root.GetTarget() && !projected.isZeroLength() ? SnapLanding(projected) : projected;
    m_notifyOwner = true;
    DLxCLeaderGeneral::SetLandingVector(result);
    NotifyRootMoved(GetRootPoint() - rootBefore);
    return {};
}
