#include "Symbol/DLxSurfTXTSelection.h"

#include "Symbol/DLxSurfTXTInstance.h"

DLxSurfTXTSelection::DLxSurfTXTSelection(DLxSurfTXTInstance* symbol, const WqGePoint3d& point)
    : DUxEmblemSelection(symbol, point) {}

DLxSurfTXTInstance* DLxSurfTXTSelection::GetInstance() const {
    return dynamic_cast<DLxSurfTXTInstance*>(Emblem());
}
