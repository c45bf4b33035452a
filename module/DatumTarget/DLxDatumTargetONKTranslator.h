#pragma once
// Names a datum target in a transcript by its default balloon's centre and its id
// ("DLxDatumTarget#<x>,<y>#<id>"); a point typed by hand is picked at with a datum-target
// filter: the first datum-target selection in the pick's order.
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxDatumTarget;
class DLxDatumTargetSelection;

class DLxDatumTargetONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the datum target a pick at `point` finds in the document; null when
    // none.
    static SmartPtr<DLxDatumTargetSelection> SelectionFromPoint(FWxSceneDoc* doc,
                                                                const WqGePoint3d& point);
    // Its datum target; null when none.
    static DLxDatumTarget* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxDatumTarget when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
