#pragma once
// A replay's pick of one kind: the first selection of type S that a pick at `point` makes
// through a filter holding only `item` (which the filter then owns).
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"
#include "sm/SMxTypeFilterItem.h"

template <class S>
SmartPtr<S> DLxPickSelection(FWxSceneDoc* doc, const WqGePoint3d& point, SMxTypeFilterItem* item) {
    constexpr double kPickTolerance = 1e-9;
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(item);
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* found = dynamic_cast<S*>(sel.get())) return SmartPtr<S>(found);
    return nullptr;
}
