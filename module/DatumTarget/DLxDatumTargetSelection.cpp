#include "DatumTarget/DLxDatumTargetSelection.h"

#include "DatumTarget/DLxDatumTarget.h"

DLxDatumTargetSelection::DLxDatumTargetSelection(DLxDatumTarget* target, const WqGePoint3d& point)
    : DUxEmblemSelection(target, point) {}

DLxDatumTarget* DLxDatumTargetSelection::GetDatumTarget() const {
    return dynamic_cast<DLxDatumTarget*>(Emblem());
}
