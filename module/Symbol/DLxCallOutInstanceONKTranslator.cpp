#include "Symbol/DLxCallOutInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxCallOutInstanceONKTranslator g_translator;
} // namespace

bool DLxCallOutInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* symbol = dynamic_cast<const DLxCallOutInstance*>(&obj);
    if (symbol) key = symbol->GetKeyPoint();
    return symbol;
}

const char16_t* DLxCallOutInstanceONKTranslator::NotOfTheKind() const {
    return u"not a sketched symbol";
}

RSeIDed* DLxCallOutInstanceONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxCallOutSelection>
DLxCallOutInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxCallOutFilter(DLxCallOutFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* symbol = dynamic_cast<DLxCallOutSelection*>(sel.get()))
            return SmartPtr<DLxCallOutSelection>(symbol);
    return nullptr;
}

DLxCallOutInstance* DLxCallOutInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                                     const WqGePoint3d& point) {
    SmartPtr<DLxCallOutSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxCallOutInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxCallOutInstance", &g_translator);
}
