#pragma once
// Names a balloon in a transcript by the centre of its primary entry
// ("DLxBalloonSymInstance#<x>,<y>#<id>"); a pick at a point typed by hand with a balloon filter
// finds the first balloon selection in the pick's order (the document's sheets and their
// emblems).
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxBalloonSymInstance;
class DLxSymSelection;

class DLxBalloonSymInstanceONKTranslator : public DLxPointKeyTranslator {
public:

    // The selection of the balloon a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxSymSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its balloon; null when none.
    static DLxBalloonSymInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxBalloonSymInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
