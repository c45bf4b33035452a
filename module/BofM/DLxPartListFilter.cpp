#include "BofM/DLxPartListFilter.h"

#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"

DLxPartListFilter::DLxPartListFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

bool DLxPartListFilter::PreQualify(const std::type_info& type) const {
    return IsEnabled() && type == typeid(DLxPartListSelection);
}

bool DLxPartListFilter::Qualify(const FWxSelection* selection) const {
    return IsEnabled() && dynamic_cast<const DLxPartListSelection*>(selection) != nullptr;
}

bool DLxPartListFilter::GetString(int32_t index, std::u16string& text) const {
    return index == 0 && GetString(text);
}

bool DLxPartListFilter::GetString(std::u16string& text) const {
    HMODULE res = KorvuGetResourceHandle();
    auto found = res ? FindStringResource(res, 8165) : std::nullopt;
    if (!found) return false;
    text = std::u16string(*found);
    return true;
}

SmartPtr<FWxSelection> DLxPartListFilter::Select(RSeIDed& object, const WqGePoint3d& point) const {
    auto* table = dynamic_cast<DLxPartListTable*>(&object);
    if (!table || !IsEnabled()) return nullptr;
    return SmartPtr<FWxSelection>(new DLxPartListSelection(table, point));
}
