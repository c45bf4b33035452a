#include "Leader/DLxSymFilters.h"

#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxTableCalloutBaseSelection.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldSelection.h"

DLxBalloonSymFilter::DLxBalloonSymFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxBalloonSymFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* balloon = dynamic_cast<DLxBalloonSymInstance*>(&object);
    if (!balloon) return nullptr;
    return SmartPtr<FWxSelection>(new DLxTableCalloutBaseSelection(balloon, point));
}

DLxCallOutFilter::DLxCallOutFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxDatumIdFilter::DLxDatumIdFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxCenterDatumFilter::DLxCenterDatumFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxGDTFilter::DLxGDTFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxGDTFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* frame = dynamic_cast<DLxGDTInstance*>(&object);
    if (!frame) return nullptr;
    return SmartPtr<FWxSelection>(new DLxGDTSelection(frame, point));
}

DLxSurfTXTFilter::DLxSurfTXTFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxLeaderTextSymbolFilter::DLxLeaderTextSymbolFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxWeldFilter::DLxWeldFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxWeldFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* weld = dynamic_cast<DLxWeldInstance*>(&object);
    if (!weld) return nullptr;
    return SmartPtr<FWxSelection>(new DLxWeldSelection(weld, point));
}
