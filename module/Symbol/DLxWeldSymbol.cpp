#include "Symbol/DLxWeldSymbol.h"

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
