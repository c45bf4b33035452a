#include "Symbol/DLxLeaderTextInstanceONKTranslator.h"

#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxLeaderTextInstanceONKTranslator g_translator;
} // namespace

bool DLxLeaderTextInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* text = dynamic_cast<const DLxLeaderTextInstance*>(&obj);
    if (text) key = text->GetKeyPoint();
    return text;
}

const char16_t* DLxLeaderTextInstanceONKTranslator::NotOfTheKind() const {
    return u"not a leader text";
}

RSeIDed* DLxLeaderTextInstanceONKTranslator::Pick(FWxSceneDoc* doc,
                                                  const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxLeaderTextSymbolSelection>
DLxLeaderTextInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxLeaderTextSymbolFilter(DLxLeaderTextSymbolFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* text = dynamic_cast<DLxLeaderTextSymbolSelection*>(sel.get()))
            return SmartPtr<DLxLeaderTextSymbolSelection>(text);
    return nullptr;
}

DLxLeaderTextInstance*
DLxLeaderTextInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    SmartPtr<DLxLeaderTextSymbolSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetLeaderTextSymbol() : nullptr;
}

void DLxLeaderTextInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxLeaderTextInstance", &g_translator);
}
