#pragma once
// The selection of a feature control frame.
#include "Symbol/DLxSymSelection.h"

class DLxGDTInstance;

class DLxGDTSelection : public DLxSymSelection {
public:
    DLxGDTSelection(DLxGDTInstance* frame, const WqGePoint3d& point);
    DLxGDTInstance* GetInstance() const;
};
