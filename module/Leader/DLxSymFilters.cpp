#include "Leader/DLxSymFilters.h"

#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTSelection.h"
#include "Symbol/DLxTableCalloutBaseSelection.h"

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

SmartPtr<FWxSelection> DLxSurfTXTFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* symbol = dynamic_cast<DLxSurfTXTInstance*>(&object);
    if (!symbol) return nullptr;
    return SmartPtr<FWxSelection>(new DLxSurfTXTSelection(symbol, point));
}

DLxLeaderTextSymbolFilter::DLxLeaderTextSymbolFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxWeldFilter::DLxWeldFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}
