#include "Symbol/DLxBalloonSymInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxSymSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxBalloonSymInstanceONKTranslator g_translator;
} // namespace

bool DLxBalloonSymInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* found = dynamic_cast<const DLxBalloonSymInstance*>(&obj);
    if (found) key = found->GetKeyPoint();
    return found;
}

const char16_t* DLxBalloonSymInstanceONKTranslator::NotOfTheKind() const {
    return u"not a balloon";
}

RSeIDed* DLxBalloonSymInstanceONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxSymSelection>
DLxBalloonSymInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxBalloonSymFilter(DLxBalloonSymFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    // The filter admits balloons only; a selection of any other symbol is passed over.
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* symbol = dynamic_cast<DLxSymSelection*>(sel.get()))
            if (dynamic_cast<DLxBalloonSymInstance*>(symbol->GetSymbol()))
                return SmartPtr<DLxSymSelection>(symbol);
    return nullptr;
}

DLxBalloonSymInstance* DLxBalloonSymInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                                           const WqGePoint3d& point) {
    SmartPtr<DLxSymSelection> sel = SelectionFromPoint(doc, point);
    return sel ? dynamic_cast<DLxBalloonSymInstance*>(sel->GetSymbol()) : nullptr;
}

void DLxBalloonSymInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxBalloonSymInstance", &g_translator);
}
