#pragma once
// Names a datum or feature identifier in a transcript by the centre of its placed frame and its
// id ("DLxDatumIdInstance#<x>,<y>#<id>"); a point typed by hand is picked at with an identifier
// filter: the first identifier selection in the pick's order.
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxDatumIdInstance;
class DLxDatumIdSelection;

class DLxDatumIdSymbolONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the identifier a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxDatumIdSelection> SelectionFromPoint(FWxSceneDoc* doc,
                                                            const WqGePoint3d& point);
    static DLxDatumIdInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxDatumIdInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
