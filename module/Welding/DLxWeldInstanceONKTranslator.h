#pragma once
// Names a weld symbol in a transcript by its key point (the root of its reference line, or the
// middle of the root and the leader's first bend) and its id ("DLxWeldInstance#<x>,<y>#<id>");
// a point typed by hand is picked at with a weld filter: the first weld selection in the pick's
// order.
#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxWeldInstance;
class DLxWeldSelection;

class DLxWeldInstanceONKTranslator : public DLxPointKeyTranslator {
public:
    // The selection of the weld symbol a pick at `point` finds in the document; null when none.
    static SmartPtr<DLxWeldSelection> SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its weld symbol; null when none.
    static DLxWeldInstance* ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxWeldInstance when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;
};
