#include "Symbol/DLxCFCF.h"

#include "rse/RSeTransaction.h"

DLxCFCF::DLxCFCF(const RSeStream* s) : RSeIDed(s) {}

// The record owns its values.
DLxCFCF::~DLxCFCF() {
    for (const RSeRef<DUxValue>& value : m_values)
        if (RSeIDed* t = value.GetTarget()) RSe::DeleteObject(t);
}

int32_t DLxCFCF::ValueIndex(DLxSym::Variable variable, bool second) {
    int32_t pair = -1;
    switch (variable) {
    case DLxSym::kDatumA:
        pair = 0;
        break;
    case DLxSym::kDatumB:
        pair = 1;
        break;
    case DLxSym::kDatumC:
        pair = 2;
        break;
    case DLxSym::kSymbolValue:
        pair = 3;
        break;
    case DLxSym::kToleranceA:
        pair = 4;
        break;
    case DLxSym::kToleranceB:
        pair = 5;
        break;
    default:
        return 0;
    }
    return 1 + 2 * pair + (second ? 1 : 0);
}

DUxValue* DLxCFCF::GetValue(DLxSym::Variable variable, bool second) const {
    return static_cast<DUxValue*>(m_values[ValueIndex(variable, second)].GetTarget());
}

DUxValue::EVisibility DLxCFCF::ValueVisibility(DLxSym::Variable variable, bool second) const {
    const DUxValue* value = GetValue(variable, second);
    return value ? value->GetVisibility() : DUxValue::kWithdrawn;
}
