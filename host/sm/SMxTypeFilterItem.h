#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
    // A disabled filter admits nothing; a new one is enabled.
    bool IsEnabled() const { return mEnabled; }
    void SetEnabled(bool enabled) { mEnabled = enabled; }
    // For diagnostics.
    virtual std::string GetFilterName() const;
    // The selection of `object` picked at `point` when the filter admits it; null otherwise
    // (the base admits nothing).
    virtual SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const;

private:
    int32_t mType;
    bool mEnabled = true;
};

// The filter of a pick: the type filter items that decide which objects may be picked and make
// their selections. It lives with its items, above the framework that declares selections.
class FWxSelectionFilter {
public:
    void Clear() { m_items.clear(); }
    // Takes a new item (or shares one).
    void Add(SMxTypeFilterItem* item) { m_items.emplace_back(item); }
    const std::vector<SmartPtr<SMxTypeFilterItem>>& GetItems() const { return m_items; }

private:
    std::vector<SmartPtr<SMxTypeFilterItem>> m_items;
};
