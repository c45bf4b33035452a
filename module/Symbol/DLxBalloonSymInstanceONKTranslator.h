#pragma once
// Names a balloon in a transcript by the centre of its primary entry
// ("DLxBalloonSymInstance#<x>,<y>"), and finds it again by picking at that point with a balloon
// filter: the first balloon selection in the pick's order (the document's sheets and their
// emblems).
#include "fw/FBxObjectNameKey.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxBalloonSymInstance;
class DLxSymSelection;

class DLxBalloonSymInstanceONKTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override;
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                         RSeIDed*& out) const override;

    // The selection of the balloon a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxSymSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its balloon; null when none.
    static DLxBalloonSymInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxBalloonSymInstance when the module starts.
    static void Register();
};
