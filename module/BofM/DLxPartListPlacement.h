#pragma once
// Parts lists that a new document's model file places on its sheets: each one is made on its
// sheet over the drawing's local bill of materials with the standard's parts-list style,
// registered with the bill and computed.
class FWxSceneDoc;

class DLxPartListPlacement {
public:
    // Makes the parts lists the document holds for placement; false when one cannot be made
    // (no drawing, no assembly, no bill).
    static bool PlaceModelPartsLists(FWxSceneDoc* doc);
};
