#include "Symbol/DLxSymSelection.h"

#include "Symbol/DLxSymInstance.h"

DLxSymSelection::DLxSymSelection(DLxSymInstance* symbol, const WqGePoint3d& point)
    : DUxEmblemSelection(symbol, point) {}

DLxSymInstance* DLxSymSelection::GetSymbol() const {
    return dynamic_cast<DLxSymInstance*>(Emblem());
}

DLxViewInstance* DLxSymSelection::GetView() const {
    DLxSymInstance* symbol = GetSymbol();
    return symbol ? symbol->GetView() : nullptr;
}
