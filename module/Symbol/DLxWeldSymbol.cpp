#include "Symbol/DLxWeldSymbol.h"

#include "Leader/DLxCLeader.h"

#include "rse/RSeTransaction.h"

DLxWeldSymbol::DLxWeldSymbol(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its sub-weldings.
DLxWeldSymbol::~DLxWeldSymbol() {
    for (const RSeRef<RSeIDed>& sub : m_subWeldings)
        if (RSeIDed* t = sub.GetTarget()) RSe::DeleteObject(t);
}

RSeIDed* DLxWeldSymbol::GetSubWelding(int32_t index) const {
    if (index < 0 || index >= GetNumSubWeldings()) return nullptr;
    return m_subWeldings[size_t(index)].GetTarget();
}

DLxCLeaderGeneral* DLxWeldSymbol::CreateLeaderRecord() {
    if (!GetSegment()) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxCLeaderWelding*>(nullptr)), GetSegment())
        DLxCLeaderWelding(RSeRef<DLxSymbol>(this));
}
