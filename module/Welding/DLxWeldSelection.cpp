#include "Welding/DLxWeldSelection.h"

#include "Welding/DLxWeldInstance.h"

DLxWeldSelection::DLxWeldSelection(DLxWeldInstance* weld, const WqGePoint3d& point)
    : DUxEmblemSelection(weld, point) {}

DLxWeldInstance* DLxWeldSelection::GetInstance() const {
    return dynamic_cast<DLxWeldInstance*>(Emblem());
}
