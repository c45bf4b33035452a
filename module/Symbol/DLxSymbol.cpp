#include "Symbol/DLxSymbol.h"

#include "Leader/DLxCLeader.h"
#include "dl/DLxAnnotationUtil.h"
#include "rse/RSeTransaction.h"

DLxSymbol::DLxSymbol(const RSeStream* s) : DLxEmblem(s) {}

// The symbol owns its leader records.
DLxSymbol::~DLxSymbol() {
    for (const RSeRef<DLxCLeader>& leader : m_leaders)
        if (RSeIDed* record = leader.GetTarget()) RSe::DeleteObject(record);
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
// leaders that are gone. (A copy's records share their nodes with the original's, so only the
// deletion of the symbol itself takes them.)
void DLxSymbol::DeleteAndVacuumClean() {
    RSe::PrepareWrite(this);
    for (const RSeRef<DLxCLeader>& leader : m_leaders)
        DLxCLeader::Delete(leader.get());
    m_leaders.clear();
    DLxAnnotationUtil::DeleteWithStates(this);
}
