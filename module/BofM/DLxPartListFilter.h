#pragma once
// Selection filter admitting parts lists: their selections, picked on a sheet or chosen in the
// browser, while the filter is enabled.
#include <string>
#include <typeinfo>

#include "sm/SMxTypeFilterItem.h"

class DLxPartListFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4002;
    explicit DLxPartListFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxPartListFilter"; }

    // The type of a parts-list selection, while enabled.
    bool PreQualify(const std::type_info& type) const;
    // A parts-list selection (a browser one too), while enabled.
    bool Qualify(const FWxSelection* selection) const;
    // The filter's name for the user (string 8165); false when the resource has none.
    bool GetString(int32_t index, std::u16string& text) const;
    bool GetString(std::u16string& text) const;
    int32_t GetCount() const { return 1; }
    // A DLxPartListSelection of a parts-list table, while enabled.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};
