#pragma once
// The selection of a weld symbol.
#include "du/DUxEmblemSelection.h"

class DLxWeldInstance;

class DLxWeldSelection : public DUxEmblemSelection {
public:
    DLxWeldSelection(DLxWeldInstance* weld, const WqGePoint3d& point);
    // Null once the symbol is gone.
    DLxWeldInstance* GetInstance() const;
};
