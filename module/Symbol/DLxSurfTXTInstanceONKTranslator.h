#pragma once
// Names a surface-texture symbol in a transcript by the centre of its placed symbol and its id
// ("DLxSurfTXTInstance#<x>,<y>#<id>"); a point typed by hand is picked at with a symbol filter: the
// first symbol selection in the pick's order (the document's sheets and their emblems).
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class DLxSurfTXTInstance;
class DLxSurfTXTSelection;

class DLxSurfTXTInstanceONKTranslator : public DLxPointKeyTranslator {
public:

    // The selection of the symbol a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxSurfTXTSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its symbol; null when none.
    static DLxSurfTXTInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxSurfTXTInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
