#pragma once
// The string-extents service that table layout measures formatted texts with, published once
// per process in the static interface set under UTxGuidForIFxStringExtUtil. It measures in the
// one monospace model of layout and drawing (UCxStringUtil), so that a cell sized with it holds
// the drawn text exactly.
#include "ge/BBox.h"
#include "rse/RSeInterface.h"

class FWxSceneDoc;
class RDxString;
class UTxGUID;

const UTxGUID& UTxGuidForIFxStringExtUtil();

class IFxStringExtUtil : public RSeStaticInterface {
public:
    IFxStringExtUtil();
    // The box of the string's drawn text (its formatted value when it has one, codes dropped as
    // DUxPlainText drops them; else its simple value) at its own height, its first baseline
    // along X from the origin. Empty for empty text or height 0. The document does not change
    // the monospace metrics; it is taken for the host's signature.
    virtual BBox GetStringExtents(const RDxString& text, FWxSceneDoc* doc) const;

    // The published instance; null only while the library is being unloaded.
    static IFxStringExtUtil* Get();
};
