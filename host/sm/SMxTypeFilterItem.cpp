#include "sm/SMxTypeFilterItem.h"

#include "fw/FWxSelection.h"

SMxTypeFilterItem::SMxTypeFilterItem(int32_t type) : mType(type) {}

SMxTypeFilterItem::~SMxTypeFilterItem() = default;

std::string SMxTypeFilterItem::GetFilterName() const {
    return "SMxTypeFilterItem";
}

SmartPtr<FWxSelection> SMxTypeFilterItem::Select(RSeIDed&, const WqGePoint3d&) const {
    return nullptr;
}
