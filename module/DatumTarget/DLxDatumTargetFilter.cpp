#include "DatumTarget/DLxDatumTargetFilter.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"

DLxDatumTargetFilter::DLxDatumTargetFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxDatumTargetFilter::Select(RSeIDed& object,
                                                    const WqGePoint3d& point) const {
    auto* target = dynamic_cast<DLxDatumTarget*>(&object);
    if (!target) return nullptr;
    return SmartPtr<FWxSelection>(new DLxDatumTargetSelection(target, point));
}
