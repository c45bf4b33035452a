#include "Symbol/DLxCallOutSelection.h"

#include "Symbol/DLxCallOutInstance.h"

DLxCallOutSelection::DLxCallOutSelection(DLxCallOutInstance* symbol, const WqGePoint3d& point)
    : DLxSymSelection(symbol, point) {}

DLxCallOutInstance* DLxCallOutSelection::GetInstance() const {
    return dynamic_cast<DLxCallOutInstance*>(Emblem());
}
