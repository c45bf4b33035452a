#pragma once

#include <cstdint>
#include <string>

#include "fw/SmartPtr.h"

// Base of the selection filters, each accepting one type of object. Filters are shared by
// counted reference (SmartPtr): a new filter has no owner until one takes it, and goes with the
// release of the last reference.
class SMxTypeFilterItem : public CountedCObj {
public:
    explicit SMxTypeFilterItem(int32_t type);
    ~SMxTypeFilterItem() override;

    int32_t GetType() const { return mType; }
    // For diagnostics.
    virtual std::string GetFilterName() const;

private:
    int32_t mType;
};
