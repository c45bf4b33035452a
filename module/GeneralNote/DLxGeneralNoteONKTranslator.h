#pragma once
// Names a general note in a transcript by its key point, a corner of its box as the note shows
// it ("DLxGeneralNote#<x>,<y>#<id>", see DLxGeneralNote::GetKeyPoint); a pick there with a
// note filter finds a note by a point typed by hand.
#include "dl/DLxPointKeyTranslator.h"

class DLxGeneralNote;

class DLxGeneralNoteONKTranslator : public DLxPointKeyTranslator {
public:

    // The note a pick at `point` finds in the document; null when none.
    static DLxGeneralNote* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxGeneralNote when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
