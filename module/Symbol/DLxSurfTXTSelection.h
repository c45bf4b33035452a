#pragma once
// The selection of a surface-texture symbol.
#include "du/DUxEmblemSelection.h"

class DLxSurfTXTInstance;

class DLxSurfTXTSelection : public DUxEmblemSelection {
public:
    DLxSurfTXTSelection(DLxSurfTXTInstance* symbol, const WqGePoint3d& point);
    DLxSurfTXTInstance* GetInstance() const;
};
