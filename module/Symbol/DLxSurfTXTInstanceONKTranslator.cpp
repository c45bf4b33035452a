#include "Symbol/DLxSurfTXTInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxSurfTXTInstanceONKTranslator g_translator;
} // namespace

bool DLxSurfTXTInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* symbol = dynamic_cast<const DLxSurfTXTInstance*>(&obj);
    if (symbol) key = symbol->GetKeyPoint();
    return symbol;
}

const char16_t* DLxSurfTXTInstanceONKTranslator::NotOfTheKind() const {
    return u"not a surface-texture symbol";
}

RSeIDed* DLxSurfTXTInstanceONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxSurfTXTSelection>
DLxSurfTXTInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxSurfTXTFilter(DLxSurfTXTFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* symbol = dynamic_cast<DLxSurfTXTSelection*>(sel.get()))
            return SmartPtr<DLxSurfTXTSelection>(symbol);
    return nullptr;
}

DLxSurfTXTInstance* DLxSurfTXTInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    SmartPtr<DLxSurfTXTSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxSurfTXTInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxSurfTXTInstance", &g_translator);
}
