#include "DatumTarget/DLxDatumTargetONKTranslator.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetFilter.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxDatumTargetONKTranslator g_translator;
} // namespace

bool DLxDatumTargetONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* target = dynamic_cast<const DLxDatumTarget*>(&obj);
    if (target) key = target->GetKeyPoint();
    return target;
}

const char16_t* DLxDatumTargetONKTranslator::NotOfTheKind() const {
    return u"not a datum target";
}

RSeIDed* DLxDatumTargetONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
}

SmartPtr<DLxDatumTargetSelection>
DLxDatumTargetONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxDatumTargetFilter(DLxDatumTargetFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* target = dynamic_cast<DLxDatumTargetSelection*>(sel.get()))
            return SmartPtr<DLxDatumTargetSelection>(target);
    return nullptr;
}

DLxDatumTarget* DLxDatumTargetONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    SmartPtr<DLxDatumTargetSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetDatumTarget() : nullptr;
}

void DLxDatumTargetONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxDatumTarget", &g_translator);
}
