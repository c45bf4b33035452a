#pragma once
// The layer style an annotation answers for itself (DUxObjectStyleInterface): whether the
// annotation is shown, and the colour its layer gives to what is drawn by layer. Annotations
// rely only on these two answers; the base is a visible layer in black.
#include "fw/SmartPtr.h"
#include "sm/SMxColor.h"

class DUxLayerStyleAbstract : public CountedCObj {
public:
    virtual bool GetVisible() const { return true; }
    virtual SMxColor GetLayerColor() const { return SMxColor(); }
};
