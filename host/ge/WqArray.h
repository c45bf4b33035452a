#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

// Growable array with 32-bit lengths and indices. Index arguments are checked by assert in debug
// builds only.
template <typename T> class WqArray {
    static_assert(!std::is_same_v<T, bool>, "std::vector<bool> has no contiguous storage");

public:
    using value_type = T;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    WqArray() = default;
    WqArray(std::initializer_list<T> items) : mItems(items) {}

    int32_t length() const { return static_cast<int32_t>(mItems.size()); }
    int32_t logicalLength() const { return length(); }
    // Grows with default-constructed elements or truncates.
    WqArray& setLogicalLength(int32_t n) {
        assert(n >= 0);
        mItems.resize(static_cast<std::size_t>(n));
        return *this;
    }
    int32_t physicalLength() const { return static_cast<int32_t>(mItems.capacity()); }
    // Reserves room for n elements; never drops elements.
    WqArray& setPhysicalLength(int32_t n) {
        assert(n >= 0);
        mItems.reserve(static_cast<std::size_t>(n));
        return *this;
    }
    bool isEmpty() const { return mItems.empty(); }

    WqArray& append(const T& value) {
        mItems.push_back(value);
        return *this;
    }
    WqArray& append(const WqArray& other) {
        // Indexed so that appending an array to itself works.
        const std::size_t n = other.mItems.size();
        mItems.reserve(mItems.size() + n);
        for (std::size_t i = 0; i < n; ++i)
            mItems.push_back(other.mItems[i]);
        return *this;
    }
    // index may equal length() to append.
    WqArray& insertAt(int32_t index, const T& value) {
        assert(index >= 0 && index <= length());
        mItems.insert(mItems.begin() + index, value);
        return *this;
    }
    WqArray& removeAt(int32_t index) {
        assert(index >= 0 && index < length());
        mItems.erase(mItems.begin() + index);
        return *this;
    }
    WqArray& removeLast() {
        assert(!mItems.empty());
        mItems.pop_back();
        return *this;
    }
    WqArray& reverse() {
        std::reverse(mItems.begin(), mItems.end());
        return *this;
    }

    T& at(int32_t index) {
        assert(index >= 0 && index < length());
        return mItems[static_cast<std::size_t>(index)];
    }
    const T& at(int32_t index) const {
        assert(index >= 0 && index < length());
        return mItems[static_cast<std::size_t>(index)];
    }
    T& operator[](int32_t index) { return at(index); }
    const T& operator[](int32_t index) const { return at(index); }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }

    bool contains(const T& value) const {
        return std::find(mItems.begin(), mItems.end(), value) != mItems.end();
    }
    // Index of the first element equal to value at or after start; index is untouched when
    // there is none.
    bool find(const T& value, int32_t& index, int32_t start = 0) const {
        assert(start >= 0);
        for (int32_t i = start; i < length(); ++i)
            if (mItems[static_cast<std::size_t>(i)] == value) {
                index = i;
                return true;
            }
        return false;
    }

    T* asArrayPtr() { return mItems.data(); }
    const T* asArrayPtr() const { return mItems.data(); }

    iterator begin() { return mItems.begin(); }
    iterator end() { return mItems.end(); }
    const_iterator begin() const { return mItems.begin(); }
    const_iterator end() const { return mItems.end(); }

    bool operator==(const WqArray&) const = default;

private:
    std::vector<T> mItems;
};
