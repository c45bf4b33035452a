#include "Symbol/DLxSymbol.h"

#include <algorithm>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxAttachingPointStateSet.h"
#include "dl/DLxSymAttachingPoint.h"
#include "ge/WqGePlane.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

DLxSymbol::DLxSymbol(const RSeStream* s) : DLxEmblem(s) {}

// The symbol owns its leader records, and they their node trees.
DLxSymbol::~DLxSymbol() {
    for (const RSeRef<DLxCLeader>& leader : m_leaders)
        DLxCLeader::Delete(static_cast<DLxCLeader*>(leader.GetTarget()));
}

DLxCLeader* DLxSymbol::GetLeader(int16_t index) const {
    if (index < 0 || index >= GetNumLeaders()) return nullptr;
    return m_leaders[size_t(index)].get();
}

std::vector<WqGePoint3d> DLxSymbol::GetFirstLeaderPoints() const {
    std::vector<WqGePoint3d> points;
    if (const auto* leader = dynamic_cast<const DLxCLeaderGeneral*>(GetLeader(0)))
        leader->DLxCLeaderGeneral::CollectVertices(points);
    return points;
}

WqGePlane DLxSymbol::GetPlane() const {
    const WqGeVector3d normal = m_xAxis.crossProduct(m_yAxis);
    return WqGePlane(m_origin, normal.isZeroLength() ? WqGeVector3d::kZAxis : normal);
}

WqGePoint3d DLxSymbol::ProjectOntoSymbolPlane(const WqGePoint3d& point) const {
    const WqGePlane plane = GetPlane();
    WqGePoint3d out;
    if (m_zAxis.isZeroLength() || !plane.intersectWith(point, m_zAxis, out))
        out = plane.closestPointTo(point);
    return out;
}

WqGeVector3d DLxSymbol::ProjectOntoSymbolPlane(const WqGeVector3d& v) const {
    const WqGeVector3d n = m_zAxis.normal();
    return n.isZeroLength() ? v : v - n * v.dotProduct(n);
}

DLxAttachingPointStateSet* DLxSymbol::GetAttachingPoints(int32_t leader) const {
    if (leader < 0) return nullptr;
    return UTx::Cast<DLxAttachingPointStateSet>(
        GetInputState(kFirstAttachingPointState + uint32_t(leader)));
}

DLxSymAttachingPoint* DLxSymbol::GetFirstAttachingPoint() const {
    const DLxAttachingPointStateSet* set = GetAttachingPoints(0);
    return set ? set->GetAttachingPoint(0) : nullptr;
}

void DLxSymbol::AdoptLeaders() {
    for (const RSeRef<DLxCLeader>& leader : m_leaders)
        if (auto* record = dynamic_cast<DLxCLeaderGeneral*>(leader.GetTarget()))
            record->SetOwner(RSeRef<DLxSymbol>(this));
}

uint32_t DLxSymbol::ArrowTemplateOf(int32_t arrowType) {
    switch (arrowType) {
    case 0:
        return 28028;
    case 11:
        return 28025;
    case 13:
        return 28023;
    case 14:
        return 28022;
    case 15:
        return 28127;
    case 19:
        return 28054;
    default:
        return 28029;
    }
}

// The leaders' node trees go too: an upgraded document would otherwise keep saving the nodes of
// leaders that are gone. (A copy of the symbol copies its records' nodes, so each symbol owns
// the trees it deletes.)
void DLxSymbol::DeleteAndVacuumClean() {
    // What the symbol's states and the symbol itself hold goes first: nothing else keeps them.
    std::vector<RDxNode*> held;
    for (uint32_t i = 0; i < GetInputStateCount(); ++i)
        if (auto* set = UTx::Cast<DLxAttachingPointStateSet>(GetInputState(i)))
            for (uint32_t k = 0; k < set->GetCount(); ++k)
                if (RDxState* member = set->GetState(k)) held.push_back(member);
    if (auto* arrowHead = dynamic_cast<RDxNode*>(m_arrowheadState.GetTarget()))
        held.push_back(arrowHead);
    // A damaged file may name the symbol itself, or one object twice: each goes once, and the
    // symbol only at the end.
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
    std::erase(held, static_cast<RDxNode*>(this));
    RDxFragment* fragment = GetFragment().get();
    for (RDxNode* node : held)
        if (!fragment || !fragment->DeleteNode(node)) RSe::DeleteObject(node);

    RSe::PrepareWrite(this);
    for (const RSeRef<DLxCLeader>& leader : m_leaders)
        DLxCLeader::Delete(leader.get());
    m_leaders.clear();
    DLxAnnotationUtil::DeleteWithStates(this);
}
