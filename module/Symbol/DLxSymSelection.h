#pragma once
// The selection of one placed symbol picked at a point; the kinds' selections derive from it.
#include "du/DUxEmblemSelection.h"

class DLxSymInstance;
class DLxViewInstance;

class DLxSymSelection : public DUxEmblemSelection {
public:
    DLxSymSelection(DLxSymInstance* symbol, const WqGePoint3d& point);
    // Null once the symbol is gone.
    DLxSymInstance* GetSymbol() const;
    // The view the symbol belongs to; null without one.
    DLxViewInstance* GetView() const;
};
