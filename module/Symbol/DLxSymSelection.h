#pragma once
// The selection of one placed symbol picked at a point; the kinds' selections derive from it.
#include "du/DUxEmblemSelection.h"

class BBox;
class DLxSymInstance;
class DLxViewInstance;
class DUxLayerStyleAbstract;

class DLxSymSelection : public DUxEmblemSelection {
public:
    DLxSymSelection(DLxSymInstance* symbol, const WqGePoint3d& point);
    // Null once the symbol is gone.
    DLxSymInstance* GetSymbol() const;
    // The view the symbol belongs to; null without one.
    DLxViewInstance* GetView() const;

    // A selection of the same class naming the same symbol, wherever either was picked (and,
    // for a balloon, whichever balloon of its stack).
    virtual bool IsEqual(const FWxSelection* other) const;
    // What the symbol draws on its sheet; empty once it is gone.
    BBox BoundingBox() const;
    // The symbol's layer and style, as its object-style interface gives them; nothing once it
    // is gone.
    void GetLayer(SmartPtr<DUxLayerStyleAbstract>& layer) const;
};
