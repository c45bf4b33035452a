#include "Symbol/DLxGDTInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxGDTInstanceONKTranslator g_translator;
} // namespace

bool DLxGDTInstanceONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* frame = dynamic_cast<const DLxGDTInstance*>(&obj);
    if (frame) key = frame->GetKeyPoint();
    return frame;
}

const char16_t* DLxGDTInstanceONKTranslator::NotOfTheKind() const {
    return u"not a feature control frame";
}

RSeIDed* DLxGDTInstanceONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxGDTSelection>
DLxGDTInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxGDTFilter(DLxGDTFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* frame = dynamic_cast<DLxGDTSelection*>(sel.get()))
            return SmartPtr<DLxGDTSelection>(frame);
    return nullptr;
}

DLxGDTInstance* DLxGDTInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    SmartPtr<DLxGDTSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxGDTInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxGDTInstance", &g_translator);
}
