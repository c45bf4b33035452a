#pragma once
// Selection filter admitting 3D weld annotations: a pick on one selects it with the drawn item
// nearest the pick. Type 1 is the ordinary filter (the leader vertex drag uses it too).
#include "sm/SMxTypeFilterItem.h"

class DLxAnnoWeldInstanceFilter : public SMxTypeFilterItem {
public:
    enum EType : int32_t { kDefault = 1 };
    static constexpr int32_t kFilterType = 0x400C;
    DLxAnnoWeldInstanceFilter() : DLxAnnoWeldInstanceFilter(kDefault) {}
    explicit DLxAnnoWeldInstanceFilter(EType value);
    // A new filter of the same type, with no owner yet.
    DLxAnnoWeldInstanceFilter(const DLxAnnoWeldInstanceFilter& other) = default;
    EType GetType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxAnnoWeldInstanceFilter"; }
    // A DLxAnnoWeldInstanceSelection of a 3D weld annotation; null for anything else.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    EType m_value;
};
