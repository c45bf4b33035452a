#include "Symbol/DLxGDTSelection.h"

#include "Symbol/DLxGDTInstance.h"

DLxGDTSelection::DLxGDTSelection(DLxGDTInstance* frame, const WqGePoint3d& point)
    : DLxSymSelection(frame, point) {}

DLxGDTInstance* DLxGDTSelection::GetInstance() const {
    return dynamic_cast<DLxGDTInstance*>(Emblem());
}
