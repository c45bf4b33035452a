#pragma once
// The selection of a feature control frame.
#include "du/DUxEmblemSelection.h"

class DLxGDTInstance;

class DLxGDTSelection : public DUxEmblemSelection {
public:
    DLxGDTSelection(DLxGDTInstance* frame, const WqGePoint3d& point);
    DLxGDTInstance* GetInstance() const;
};
