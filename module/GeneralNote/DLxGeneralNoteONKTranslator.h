#pragma once
// Names a general note in a transcript by its key point, a corner of its box as the note shows
// it ("DLxGeneralNote#<x>,<y>", see DLxGeneralNote::GetKeyPoint), and finds it again by picking
// there with a note filter: the first note in the pick's order.
#include "fw/FBxObjectNameKey.h"

class DLxGeneralNote;

class DLxGeneralNoteONKTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override;
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                         RSeIDed*& out) const override;

    // The note a pick at `point` finds in the document; null when none.
    static DLxGeneralNote* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxGeneralNote when the module starts.
    static void Register();
};
