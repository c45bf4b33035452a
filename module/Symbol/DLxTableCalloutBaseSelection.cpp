#include "Symbol/DLxTableCalloutBaseSelection.h"

#include "Symbol/DLxTableCalloutSymInstance.h"

DLxTableCalloutBaseSelection::DLxTableCalloutBaseSelection(DLxTableCalloutSymInstance* callout,
                                                           const WqGePoint3d& point)
    : DLxSymSelection(callout, point) {}

DLxTableCalloutSymInstance* DLxTableCalloutBaseSelection::GetTableCalloutSymbol() const {
    return dynamic_cast<DLxTableCalloutSymInstance*>(GetSymbol());
}
