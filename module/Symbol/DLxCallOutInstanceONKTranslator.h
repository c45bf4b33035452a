#pragma once
// Names a sketched symbol in a transcript by the centre of its placed box and its id
// ("DLxCallOutInstance#<x>,<y>#<id>"); a point typed by hand is picked at with a sketched-symbol
// filter: the first sketched-symbol selection in the pick's order.
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxCallOutInstance;
class DLxCallOutSelection;

class DLxCallOutInstanceONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the symbol a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxCallOutSelection> SelectionFromPoint(FWxSceneDoc* doc,
                                                            const WqGePoint3d& point);
    // Its symbol; null when none.
    static DLxCallOutInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxCallOutInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
