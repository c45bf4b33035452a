#include "DatumId/DLxDatumIdSelection.h"

#include "DatumId/DLxDatumIdInstance.h"

DLxDatumIdSelection::DLxDatumIdSelection(DLxDatumIdInstance* identifier, const WqGePoint3d& point)
    : DLxSymSelection(identifier, point) {}

DLxDatumIdInstance* DLxDatumIdSelection::GetInstance() const {
    return dynamic_cast<DLxDatumIdInstance*>(Emblem());
}
