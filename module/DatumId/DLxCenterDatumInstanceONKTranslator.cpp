#include "DatumId/DLxCenterDatumInstanceONKTranslator.h"

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "Leader/DLxPickSelection.h"
#include "Leader/DLxSymFilters.h"

namespace {
const DLxCenterDatumInstanceONKTranslator g_translator;
} // namespace

bool DLxCenterDatumInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* indicator = dynamic_cast<const DLxCenterDatumInstance*>(&obj);
    if (indicator) key = indicator->GetCenterPoint();
    return indicator;
}

const char16_t* DLxCenterDatumInstanceONKTranslator::NotOfTheKind() const {
    return u"not an origin indicator";
}

RSeIDed* DLxCenterDatumInstanceONKTranslator::Pick(FWxSceneDoc* doc,
                                                   const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxCenterDatumSelection>
DLxCenterDatumInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc,
                                                        const WqGePoint3d& point) {
    return DLxPickSelection<DLxCenterDatumSelection>(
        doc, point, new DLxCenterDatumFilter(DLxCenterDatumFilter::ESubType(1)));
}

DLxCenterDatumInstance*
DLxCenterDatumInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    SmartPtr<DLxCenterDatumSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxCenterDatumInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxCenterDatumInstance", &g_translator);
}
