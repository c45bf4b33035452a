#pragma once
// Selection filter admitting datum targets.
#include "sm/SMxTypeFilterItem.h"

class DLxDatumTargetFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t { kDefault = 1 };
    static constexpr int32_t kFilterType = 0x4001;
    DLxDatumTargetFilter() : DLxDatumTargetFilter(kDefault) {}
    explicit DLxDatumTargetFilter(ESubType value);
    // A new filter of the same subtype, with no owner yet.
    DLxDatumTargetFilter(const DLxDatumTargetFilter& other) = default;
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxDatumTargetFilter"; }
    // A DLxDatumTargetSelection of a datum target; null for anything else.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};
