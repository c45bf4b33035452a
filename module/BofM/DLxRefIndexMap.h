#pragma once
// An insertion-ordered map from references of stored objects to one small value each, for the
// upgrade contexts that remember what they learned per object while a document loads.
//
// Entries stay where they were appended: an entry's index is its place in the entry array for
// the life of the map, and iteration is the order of first insertion. Up to 15 entries a lookup
// scans them; from the 16th on an open-addressing table of entry indexes (-1 empty, linear
// probing from the key's HashVal, wrapping) finds them, rebuilt whenever the load passes 0.8.
// Keys compare by reference value; the map never reaches a key's target.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "rse/RSeRef.h"

template <class K, class V> class DLxRefIndexMap {
public:
    struct Entry {
        K first;
        V second{};
    };
    using iterator = typename std::vector<Entry>::iterator;
    using const_iterator = typename std::vector<Entry>::const_iterator;

    static constexpr int32_t kLinearLimit = 15;
    static constexpr double kMaxLoad = 0.8;

    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // The number of hash slots, 0 while the map scans.
    size_t SlotCount() const { return m_slots.size(); }
    size_t EntryCapacity() const { return m_entries.capacity(); }

    int32_t IndexOf(const K& key) const {
        if (m_slots.empty()) return FindIndex(key);
        return m_slots[FindSlot(key)];
    }

    iterator Find(const K& key) {
        const int32_t i = IndexOf(key);
        return i < 0 ? end() : begin() + i;
    }
    const_iterator Find(const K& key) const {
        const int32_t i = IndexOf(key);
        return i < 0 ? end() : begin() + i;
    }

    std::pair<iterator, bool> Insert(const Entry& entry) {
        if (!m_slots.empty()) {
            const size_t s = FindSlot(entry.first);
            if (m_slots[s] >= 0) return {begin() + m_slots[s], false};
            const int32_t n = int32_t(m_entries.size());
            m_slots[s] = n;
            Append(entry);
            if (double(n + 1) / double(m_slots.size()) > kMaxLoad) RebuildHash();
            return {begin() + n, true};
        }
        const int32_t i = FindIndex(entry.first);
        if (i >= 0) return {begin() + i, false};
        Append(entry);
        if (int32_t(m_entries.size()) > kLinearLimit) RebuildHash();
        return {end() - 1, true};
    }

    V& operator[](const K& key) { return Insert(Entry{key, V{}}).first->second; }

private:
    int32_t FindIndex(const K& key) const {
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].first.IsSameValue(key)) return int32_t(i);
        return -1;
    }
    // The slot that holds the key, or the empty slot where its probe ends.
    size_t FindSlot(const K& key) const {
        const size_t count = m_slots.size();
        for (size_t s = key.HashVal(count - 1);; s = s + 1 == count ? 0 : s + 1)
            if (m_slots[s] < 0 || m_entries[size_t(m_slots[s])].first.IsSameValue(key)) return s;
    }
    size_t FindFreeSlot(const K& key) const {
        const size_t count = m_slots.size();
        for (size_t s = key.HashVal(count - 1);; s = s + 1 == count ? 0 : s + 1)
            if (m_slots[s] < 0) return s;
    }
    // A full array of n entries grows to 2n + 1, or to n + 1 while n is below one (1, 2, 5,
    // 11, 23, ...): appends stay cheap and the table's size follows the capacity.
    void Append(const Entry& entry) {
        const size_t n = m_entries.size();
        if (n == m_entries.capacity()) m_entries.reserve(1 >= n ? n + 1 : 2 * n + 1);
        m_entries.push_back(entry);
    }
    void RebuildHash() {
        if (int32_t(m_entries.size()) <= kLinearLimit) {
            m_slots.clear();
            return;
        }
        const size_t count = std::max(m_slots.size(), 2 * m_entries.capacity());
        m_slots.assign(count, -1);
        for (size_t i = 0; i < m_entries.size(); ++i)
            m_slots[FindFreeSlot(m_entries[i].first)] = int32_t(i);
    }

    std::vector<Entry> m_entries;
    std::vector<int32_t> m_slots;
};
