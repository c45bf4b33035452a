#pragma once
// What a pick found: selections (one per picked object, of the kind's own selection class), the
// set they are collected in, in the order they were found, and the filter of type filter items
// that decides which objects may be picked and makes their selections.
#include <cstddef>
#include <vector>

#include "fw/SmartPtr.h"
#include "sm/SMxTypeFilterItem.h"

class FWxSelection : public CountedCObj {
public:
    ~FWxSelection() override;
};

class FWxSelectionSet {
public:
    void Add(const SmartPtr<FWxSelection>& selection) { m_items.push_back(selection); }
    bool IsEmpty() const { return m_items.empty(); }
    size_t Count() const { return m_items.size(); }
    const SmartPtr<FWxSelection>& GetAt(size_t i) const { return m_items[i]; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<SmartPtr<FWxSelection>> m_items;
};

class FWxSelectionFilter {
public:
    void Clear() { m_items.clear(); }
    // Takes a new item (or shares one).
    void Add(SMxTypeFilterItem* item) { m_items.emplace_back(item); }
    const std::vector<SmartPtr<SMxTypeFilterItem>>& GetItems() const { return m_items; }

private:
    std::vector<SmartPtr<SMxTypeFilterItem>> m_items;
};
