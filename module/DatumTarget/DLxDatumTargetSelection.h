#pragma once
// The selection of a datum target.
#include "du/DUxEmblemSelection.h"

class DLxDatumTarget;

class DLxDatumTargetSelection : public DUxEmblemSelection {
public:
    DLxDatumTargetSelection(DLxDatumTarget* target, const WqGePoint3d& point);
    DLxDatumTarget* GetDatumTarget() const;
};
