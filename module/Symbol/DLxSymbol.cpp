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

void DLxSymbol::DeleteAndVacuumClean() {
    DLxAnnotationUtil::DeleteWithStates(this);
}
