#include "DatumId/DLxCenterDatumSelection.h"

#include "DatumId/DLxCenterDatumInstance.h"

DLxCenterDatumSelection::DLxCenterDatumSelection(DLxCenterDatumInstance* indicator,
                                                 const WqGePoint3d& point)
    : DUxEmblemSelection(indicator, point) {}

DLxCenterDatumInstance* DLxCenterDatumSelection::GetInstance() const {
    return dynamic_cast<DLxCenterDatumInstance*>(Emblem());
}
