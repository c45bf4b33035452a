#pragma once
#include "rse/RSeRef.h"

class FWxStyle;

// What a document does after one of its styles changed: the annotations that take their look
// from the style are brought up to date and redrawn.
class IFxObjectStyleSupport {
public:
    virtual ~IFxObjectStyleSupport() = default;
    virtual void PostUpdateStyle(const RSeRef<FWxStyle>& style, bool postUpdate) = 0;
};
