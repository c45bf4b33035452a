#pragma once
// Names a leader text in a transcript by the centre of its placed text and its id
// ("DLxLeaderTextInstance#<x>,<y>#<id>"); a point typed by hand is picked at with a leader-text
// filter: the first leader-text selection in the pick's order (the document's sheets and their
// emblems).
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxLeaderTextInstance;
class DLxLeaderTextSymbolSelection;
class WqGePoint3d;

class DLxLeaderTextInstanceONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the leader text a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxLeaderTextSymbolSelection> SelectionFromPoint(FWxSceneDoc* doc,
                                                                     const WqGePoint3d& point);
    // Its leader text; null when none.
    static DLxLeaderTextInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxLeaderTextInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
