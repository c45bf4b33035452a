#pragma once

#include <cstdint>
#include <string>

// Base of the selection filters, each accepting one type of object. Filters are shared by
// counted reference: a new filter starts with one reference, owned by whoever created it, and
// deletes itself when the last reference is released. Delete one only through Release.
class SMxTypeFilterItem {
public:
    explicit SMxTypeFilterItem(int32_t type);
    virtual ~SMxTypeFilterItem();
    SMxTypeFilterItem(const SMxTypeFilterItem&) = delete;
    SMxTypeFilterItem& operator=(const SMxTypeFilterItem&) = delete;

    int32_t GetType() const { return mType; }
    // For diagnostics.
    virtual std::string GetFilterName() const;

    // Const so that holders of a const filter can share it too.
    void AddRef() const;
    // Returns the references left; at zero the filter is gone.
    int32_t Release() const;
    int32_t GetRefCount() const { return mRefCount; }

private:
    int32_t mType;
    mutable int32_t mRefCount = 1;
};
