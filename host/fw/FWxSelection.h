#pragma once
// What a pick found: selections (one per picked object, of the kind's own selection class) and
// the set they are collected in, in the order they were found. The filter that decides which
// objects may be picked (FWxSelectionFilter) lives with its items in sm/SMxTypeFilterItem.h.
#include <cstddef>
#include <vector>

#include "fw/SmartPtr.h"

class FWxSelection : public CountedCObj {
public:
    ~FWxSelection() override;
};

class FWxSelectionSet {
public:
    void Add(const SmartPtr<FWxSelection>& selection) { m_items.push_back(selection); }
    // Takes out the entry that is this very selection (the first, should it be there twice);
    // false when the set does not hold it.
    bool Remove(const FWxSelection* selection);
    void RemoveAll() { m_items.clear(); }
    bool IsEmpty() const { return m_items.empty(); }
    size_t Count() const { return m_items.size(); }
    const SmartPtr<FWxSelection>& GetAt(size_t i) const { return m_items[i]; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<SmartPtr<FWxSelection>> m_items;
};
