#include "Welding/DLxWeldInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxWeldInstanceONKTranslator g_translator;
} // namespace

bool DLxWeldInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* weld = dynamic_cast<const DLxWeldInstance*>(&obj);
    return weld && weld->GetKeyPoint(key);
}

const char16_t* DLxWeldInstanceONKTranslator::NotOfTheKind() const {
    return u"not a weld symbol";
}

RSeIDed* DLxWeldInstanceONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxWeldSelection>
DLxWeldInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxWeldFilter(DLxWeldFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* weld = dynamic_cast<DLxWeldSelection*>(sel.get()))
            return SmartPtr<DLxWeldSelection>(weld);
    return nullptr;
}

DLxWeldInstance* DLxWeldInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                               const WqGePoint3d& point) {
    SmartPtr<DLxWeldSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxWeldInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxWeldInstance", &g_translator);
}
