#include "DatumId/DLxDatumIdSymbolONKTranslator.h"

#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "Leader/DLxPickSelection.h"
#include "Leader/DLxSymFilters.h"

namespace {
const DLxDatumIdSymbolONKTranslator g_translator;
} // namespace

bool DLxDatumIdSymbolONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* identifier = dynamic_cast<const DLxDatumIdInstance*>(&obj);
    if (identifier) key = identifier->GetKeyPoint();
    return identifier;
}

const char16_t* DLxDatumIdSymbolONKTranslator::NotOfTheKind() const {
    return u"not a datum identifier";
}

RSeIDed* DLxDatumIdSymbolONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxDatumIdSelection>
DLxDatumIdSymbolONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    return DLxPickSelection<DLxDatumIdSelection>(
        doc, point, new DLxDatumIdFilter(DLxDatumIdFilter::ESubType(1)));
}

DLxDatumIdInstance* DLxDatumIdSymbolONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                                   const WqGePoint3d& point) {
    SmartPtr<DLxDatumIdSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxDatumIdSymbolONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxDatumIdInstance", &g_translator);
}
