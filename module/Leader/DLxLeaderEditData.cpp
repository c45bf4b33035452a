#include "Leader/DLxLeaderEditData.h"

#include <cmath>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderEnt.h"
#include "Leader/DLxCLeaderNodeIterator.h"
#include "Symbol/DLxSymbol.h"

namespace {
// Whether p lies on the segment a..b within `tol`.
bool IsOn(const WqGePoint3d& a, const WqGePoint3d& b, const WqGePoint3d& p, double tol) {
    const WqGeVector3d d = b - a;
    const double len2 = d.dotProduct(d);
    if (len2 <= 0.0) return p.distanceTo(a) <= tol;
    double t = (p - a).dotProduct(d) / len2;
    if (t < 0.0 || t > 1.0) {
        // Beyond an end it may still be within the tolerance of that end.
        t = t < 0.0 ? 0.0 : 1.0;
    }
    return p.distanceTo(a + d * t) <= tol;
}
} // namespace

DLxLeaderEditData::DLxLeaderEditData(DLxSymbol* symbol)
    : m_symbol(symbol), m_scratch(std::make_unique<DLxCLeaderEnt>(symbol)) {}

DLxLeaderEditData::~DLxLeaderEditData() = default;

DLxSymbol* DLxLeaderEditData::GetSymbol() const {
    return m_symbol.get();
}

DLxCLeaderGeneral* DLxLeaderEditData::GetScratchRecord() const {
    return m_scratch->GetRecord();
}

std::vector<WqGePoint3d> DLxLeaderEditData::GetLeaderPoints() const {
    std::vector<WqGePoint3d> points;
    DLxCLeaderGeneral* record = GetScratchRecord();
    std::unique_ptr<DLxCLeaderNodeIterator> it = record ? record->CreateNodeIterator() : nullptr;
    if (!it) return points;
    for (it->Start(false); !it->IsDone(); it->Step(false))
        points.insert(points.begin(), it->GetPoint());
    return points;
}

bool DLxLeaderEditData::InsertVertexOnLeader(DLxCLeader* leader, const WqGePoint3d& p) const {
    auto* record = dynamic_cast<DLxCLeaderGeneral*>(leader);
    const DLxSymbol* symbol = GetSymbol();
    if (!record || !symbol) return false;
    const bool hasLanding = record->GetLandingVector().length() > 1e-10;
    const std::vector<DLxLeaderSegment> pieces = symbol->CreateLeaderSegments(record, false);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!IsOn(pieces[i].a, pieces[i].b, p, kOnLeaderTol)) continue;
        // The landing's far end is no node: a point on the landing takes no vertex.
        if (i == 0 && hasLanding) return false;
        std::unique_ptr<DLxCLeaderNodeIterator> it = record->CreateNodeIterator();
        if (!it || !it->MoveToPoint(pieces[i].b).IsEmpty()) return false;
        if (it->InsertVertexBefore(p).IsEmpty()) return true;
    }
    return false;
}

bool DLxLeaderEditData::IsPointOnLeaders(const WqGePoint3d& p) const {
    const DLxSymbol* symbol = GetSymbol();
    if (!symbol) return false;
    for (int16_t i = 0; i < symbol->GetNumLeaders(); ++i) {
        auto* record = dynamic_cast<DLxCLeaderGeneral*>(symbol->GetLeader(i));
        std::unique_ptr<DLxCLeaderNodeIterator> it = record ? record->CreateNodeIterator() : nullptr;
        if (!it) continue;
        it->Start(false);
        if (it->MoveToPoint(p).IsEmpty()) return true;
        if (InsertVertexOnLeader(record, p)) return true;
    }
    return false;
}

bool DLxLeaderEditData::CanTakePoint(const WqGePoint3d& p) const {
    const DLxSymbol* symbol = GetSymbol();
    if (!symbol) return false;
    for (int16_t i = 0; i < symbol->GetNumLeaders(); ++i) {
        const auto* record = dynamic_cast<const DLxCLeaderGeneral*>(symbol->GetLeader(i));
        if (!record || !record->GetRootNode()) continue;
        std::vector<WqGePoint3d> nodes;
        record->DLxCLeaderGeneral::CollectVertices(nodes); // nodes only, not a landing end
        for (const WqGePoint3d& n : nodes)
            if (n == p) return true;
        const bool hasLanding = record->GetLandingVector().length() > 1e-10;
        const std::vector<DLxLeaderSegment> pieces = symbol->CreateLeaderSegments(record, false);
        for (size_t k = 0; k < pieces.size(); ++k)
            if (IsOn(pieces[k].a, pieces[k].b, p, kOnLeaderTol)) {
                if (k == 0 && hasLanding) break;
                return true;
            }
    }
    return false;
}

void DLxLeaderEditData::PrepareBranch(const WqGePoint3d& p) {
    m_attach = p;
    const std::vector<WqGePoint3d> points = GetLeaderPoints();
    // Root first, without the root: the point just picked on the leader.
    m_branch.assign(points.rbegin(), points.rend());
    if (!m_branch.empty()) m_branch.erase(m_branch.begin());
}

bool DLxLeaderEditData::AddVertexAtPoint(const WqGePoint3d& p) {
    m_attach = p;
    const DLxSymbol* symbol = GetSymbol();
    if (!symbol) return false;
    std::unique_ptr<DLxCLeaderNodeIterator> found;
    for (int16_t i = 0; i < symbol->GetNumLeaders() && !found; ++i) {
        auto* record = dynamic_cast<DLxCLeaderGeneral*>(symbol->GetLeader(i));
        std::unique_ptr<DLxCLeaderNodeIterator> it = record ? record->CreateNodeIterator() : nullptr;
        if (!it) continue;
        it->Start(false);
        if (it->MoveToPoint(p).IsEmpty() ||
            (InsertVertexOnLeader(record, p) && it->MoveToPoint(p).IsEmpty()))
            found = std::move(it);
    }
    if (!found) return false;
    PrepareBranch(p);
    return found->AppendVertices(m_branch).IsEmpty();
}
