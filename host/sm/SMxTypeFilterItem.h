#pragma once

#include <cstdint>
#include <string>

#include "fw/SmartPtr.h"

class FWxSelection;
class RSeIDed;
class WqGePoint3d;

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
    // The selection of `object` picked at `point` when the filter admits it; null otherwise
    // (the base admits nothing).
    virtual SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const;

private:
    int32_t mType;
};
