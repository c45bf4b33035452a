#pragma once
// Selection filter admitting parts lists.
#include "sm/SMxTypeFilterItem.h"

class DLxPartListFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4002;
    explicit DLxPartListFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxPartListFilter"; }

private:
    ESubType m_value;
};
