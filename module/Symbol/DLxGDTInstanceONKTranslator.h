#pragma once
// Names a feature control frame in a transcript by the centre of its placed frame
// ("DLxGDTInstance#<x>,<y>"), and finds it again by picking at that point with a frame filter:
// the first frame selection in the pick's order (the document's sheets and their emblems).
#include "fw/FBxObjectNameKey.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxGDTInstance;
class DLxGDTSelection;

class DLxGDTInstanceONKTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override;
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                         RSeIDed*& out) const override;

    // The selection of the frame a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxGDTSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its frame; null when none.
    static DLxGDTInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxGDTInstance when the module starts.
    static void Register();
};
