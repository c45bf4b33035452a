#pragma once
// Names an origin indicator in a transcript by its anchor's point and its id
// ("DLxCenterDatumInstance#<x>,<y>#<id>"); a point typed by hand is picked at with an
// origin-indicator filter: the first indicator selection in the pick's order.
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxCenterDatumInstance;
class DLxCenterDatumSelection;

class DLxCenterDatumInstanceONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the indicator a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxCenterDatumSelection> SelectionFromPoint(FWxSceneDoc* doc,
                                                                const WqGePoint3d& point);
    static DLxCenterDatumInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxCenterDatumInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
