#include "sm/SMxTypeFilterItem.h"

SMxTypeFilterItem::SMxTypeFilterItem(int32_t type) : mType(type) {}

SMxTypeFilterItem::~SMxTypeFilterItem() = default;

std::string SMxTypeFilterItem::GetFilterName() const {
    return "SMxTypeFilterItem";
}
