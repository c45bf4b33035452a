#pragma once
// The layer style an annotation answers for itself (DUxObjectStyleInterface): whether the
// annotation is shown, the colour its layer gives to what is drawn by layer, and the look the
// object's own style gives it. The base is a visible layer in black whose objects are drawn by
// layer with the default pen.
#include <cstdint>

#include "fw/SmartPtr.h"
#include "sm/SMxColor.h"

class DUxLayerStyleAbstract : public CountedCObj {
public:
    virtual bool GetVisible() const { return true; }
    virtual SMxColor GetLayerColor() const { return SMxColor(); }
    // The object's own colour: the layer's unless its style says otherwise.
    virtual SMxColor GetColor() const { return GetLayerColor(); }
    // Line weight (hundredths of a millimetre) and line type of the object; 0 is the default.
    virtual int32_t GetLineWeight() const { return 0; }
    virtual int32_t GetLineType() const { return 0; }
};
