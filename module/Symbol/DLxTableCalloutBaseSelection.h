#pragma once
// The selection base of table callouts: a symbol selection that adds nothing but its kind.
#include "Symbol/DLxSymSelection.h"

class DLxGetDataItem;
class DLxTableCalloutSymInstance;

class DLxTableCalloutBaseSelection : public DLxSymSelection {
public:
    DLxTableCalloutBaseSelection(DLxTableCalloutSymInstance* callout, const WqGePoint3d& point);
    // Null once the callout is gone.
    DLxTableCalloutSymInstance* GetTableCalloutSymbol() const;
    // A callout's selection makes no pick-request item.
    virtual DLxGetDataItem* GetDataItem(int32_t) const { return nullptr; }
};
