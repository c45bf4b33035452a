#pragma once
// Names a feature control frame in a transcript by the centre of its placed frame and its id
// ("DLxGDTInstance#<x>,<y>#<id>"); a point typed by hand is picked at with a frame filter: the
// first frame selection in the pick's order (the document's sheets and their emblems).
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxGDTInstance;
class DLxGDTSelection;

class DLxGDTInstanceONKTranslator : public DLxPointKeyTranslator {
public:

    // The selection of the frame a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxGDTSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its frame; null when none.
    static DLxGDTInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxGDTInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
