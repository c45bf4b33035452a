#pragma once
// The selection of a datum or feature identifier.
#include "Symbol/DLxSymSelection.h"

class DLxDatumIdInstance;

class DLxDatumIdSelection : public DLxSymSelection {
public:
    DLxDatumIdSelection(DLxDatumIdInstance* identifier, const WqGePoint3d& point);
    // Null once the identifier is gone.
    DLxDatumIdInstance* GetInstance() const;
};
