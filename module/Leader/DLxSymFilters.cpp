#include "Leader/DLxSymFilters.h"

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxBalloonSymSelection.h"

DLxBalloonSymFilter::DLxBalloonSymFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxBalloonSymFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* balloon = dynamic_cast<DLxBalloonSymInstance*>(&object);
    if (!balloon) return nullptr;
    return SmartPtr<FWxSelection>(new DLxBalloonSymSelection(balloon, point));
}

DLxCallOutFilter::DLxCallOutFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxCallOutFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* symbol = dynamic_cast<DLxCallOutInstance*>(&object);
    if (!symbol) return nullptr;
    return SmartPtr<FWxSelection>(new DLxCallOutSelection(symbol, point));
}

DLxDatumIdFilter::DLxDatumIdFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxDatumIdFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* identifier = dynamic_cast<DLxDatumIdInstance*>(&object);
    if (!identifier) return nullptr;
    return SmartPtr<FWxSelection>(new DLxDatumIdSelection(identifier, point));
}

DLxCenterDatumFilter::DLxCenterDatumFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxCenterDatumFilter::Select(RSeIDed& object,
                                                    const WqGePoint3d& point) const {
    auto* indicator = dynamic_cast<DLxCenterDatumInstance*>(&object);
    if (!indicator) return nullptr;
    return SmartPtr<FWxSelection>(new DLxCenterDatumSelection(indicator, point));
}

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

SmartPtr<FWxSelection> DLxLeaderTextSymbolFilter::Select(RSeIDed& object,
                                                         const WqGePoint3d& point) const {
    auto* text = dynamic_cast<DLxLeaderTextInstance*>(&object);
    if (!text) return nullptr;
    return SmartPtr<FWxSelection>(new DLxLeaderTextSymbolSelection(text, point));
}

DLxWeldFilter::DLxWeldFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}
