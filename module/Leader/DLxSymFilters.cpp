#include "Leader/DLxSymFilters.h"

#include <optional>

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymSelection.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTSelection.h"
#include "Symbol/DLxTableCalloutBaseSelection.h"
#include "Symbol/KorvuModule.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldSelection.h"
#include "WinModule.h"

bool DLxSymFilterBase::PreQualify(const std::type_info& type) const {
    return IsEnabled() && type == m_selectionType;
}

bool DLxSymFilterBase::GetString(int32_t index, std::u16string& text) const {
    return index == 0 && GetString(text);
}

bool DLxSymFilterBase::GetString(std::u16string& text) const {
    HMODULE res = KorvuGetResourceHandle();
    auto found = res ? FindStringResource(res, m_nameId) : std::nullopt;
    if (!found) return false;
    text = std::u16string(*found);
    return true;
}

DLxBalloonSymFilter::DLxBalloonSymFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxBalloonSymSelection), 7629), m_value(value) {}

bool DLxBalloonSymFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxBalloonSymSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxBalloonSymFilter::Select(RSeIDed& object,
                                                   const WqGePoint3d& point) const {
    auto* balloon = dynamic_cast<DLxBalloonSymInstance*>(&object);
    if (!balloon || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxBalloonSymSelection(balloon, point));
}

DLxCallOutFilter::DLxCallOutFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxCallOutSelection), 8029), m_value(value) {}

bool DLxCallOutFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxCallOutSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxCallOutFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* symbol = dynamic_cast<DLxCallOutInstance*>(&object);
    if (!symbol || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxCallOutSelection(symbol, point));
}

DLxDatumIdFilter::DLxDatumIdFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxDatumIdSelection), 8032), m_value(value) {}

bool DLxDatumIdFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxDatumIdSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxDatumIdFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* identifier = dynamic_cast<DLxDatumIdInstance*>(&object);
    if (!identifier || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxDatumIdSelection(identifier, point));
}

DLxCenterDatumFilter::DLxCenterDatumFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxCenterDatumSelection), 8157), m_value(value) {}

bool DLxCenterDatumFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxCenterDatumSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxCenterDatumFilter::Select(RSeIDed& object,
                                                    const WqGePoint3d& point) const {
    auto* indicator = dynamic_cast<DLxCenterDatumInstance*>(&object);
    if (!indicator || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxCenterDatumSelection(indicator, point));
}

DLxGDTFilter::DLxGDTFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxGDTSelection), 8142), m_value(value) {}

bool DLxGDTFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxGDTSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxGDTFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* frame = dynamic_cast<DLxGDTInstance*>(&object);
    if (!frame || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxGDTSelection(frame, point));
}

DLxSurfTXTFilter::DLxSurfTXTFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxSurfTXTFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* symbol = dynamic_cast<DLxSurfTXTInstance*>(&object);
    if (!symbol || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxSurfTXTSelection(symbol, point));
}

DLxLeaderTextSymbolFilter::DLxLeaderTextSymbolFilter(ESubType value)
    : DLxSymFilterBase(kFilterType, typeid(DLxLeaderTextSymbolSelection), 15717), m_value(value) {}

bool DLxLeaderTextSymbolFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxLeaderTextSymbolSelection*>(selection) != nullptr;
}

SmartPtr<FWxSelection> DLxLeaderTextSymbolFilter::Select(RSeIDed& object,
                                                         const WqGePoint3d& point) const {
    auto* text = dynamic_cast<DLxLeaderTextInstance*>(&object);
    if (!text || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxLeaderTextSymbolSelection(text, point));
}

DLxWeldFilter::DLxWeldFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxWeldFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* weld = dynamic_cast<DLxWeldInstance*>(&object);
    if (!weld || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxWeldSelection(weld, point));
}
