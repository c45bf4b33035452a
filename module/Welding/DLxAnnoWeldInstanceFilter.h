#pragma once
// Selection filter admitting 3D weld annotations.
#include "sm/SMxTypeFilterItem.h"

class DLxAnnoWeldInstanceFilter : public SMxTypeFilterItem {
public:
    enum EType : int32_t {};
    static constexpr int32_t kFilterType = 0x400C;
    explicit DLxAnnoWeldInstanceFilter(EType value);
    EType GetType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxAnnoWeldInstanceFilter"; }

private:
    EType m_value;
};
