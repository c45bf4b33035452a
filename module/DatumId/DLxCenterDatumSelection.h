#pragma once
// The selection of an origin indicator.
#include "du/DUxEmblemSelection.h"

class DLxCenterDatumInstance;

class DLxCenterDatumSelection : public DUxEmblemSelection {
public:
    DLxCenterDatumSelection(DLxCenterDatumInstance* indicator, const WqGePoint3d& point);
    // Null once the indicator is gone.
    DLxCenterDatumInstance* GetInstance() const;
};
