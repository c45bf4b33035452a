#include "sm/SMxTypeFilterItem.h"

#include <cassert>

SMxTypeFilterItem::SMxTypeFilterItem(int32_t type) : mType(type) {}

SMxTypeFilterItem::~SMxTypeFilterItem() = default;

std::string SMxTypeFilterItem::GetFilterName() const {
    return "SMxTypeFilterItem";
}

void SMxTypeFilterItem::AddRef() const {
    ++mRefCount;
}

int32_t SMxTypeFilterItem::Release() const {
    assert(mRefCount > 0 && "released more often than referenced");
    const int32_t left = --mRefCount;
    if (left == 0) delete this;
    return left;
}
