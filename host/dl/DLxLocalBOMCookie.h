#pragma once
// The name of one row of a local bill of materials, kept by tables and balloons across
// rebuilds. A row lies under a path of assembly components (empty at the top level and in a
// parts-only bill) and stands for one item, or for several sibling items when rows are merged
// by key columns (a grouped row). Items are component ids; custom rows have negative ids.
#include <cstdint>
#include <string>
#include <vector>

class DLxLocalBOMCookie {
public:
    DLxLocalBOMCookie() = default;
    DLxLocalBOMCookie(std::vector<int32_t> path, int32_t item);

    bool IsValid() const { return !m_items.empty(); }
    bool IsGrouped() const { return m_items.size() > 1; }
    // The first item (the only one of a single row); 0 for an empty cookie.
    int32_t item() const { return m_items.empty() ? 0 : m_items.front(); }
    const std::vector<int32_t>& items() const { return m_items; }
    const std::vector<int32_t>& path() const { return m_path; }
    // One single cookie per item, in item order.
    std::vector<DLxLocalBOMCookie> singleItems() const;
    // Adds an item (kept sorted, once); a cookie of two or more items is grouped.
    void Add(int32_t item);

    // 3: the same row; 2: both grouped and sharing an item (the group changed members); 1: the
    // other is a single row whose item belongs to this group; 0 otherwise or on another path.
    int matches(const DLxLocalBOMCookie& other) const;

    bool operator==(const DLxLocalBOMCookie& o) const = default;
    bool operator<(const DLxLocalBOMCookie& o) const;

    // The key under which a single row's state is stored: the path and the item, "10/12", a
    // custom row as "c3". Empty for a grouped or empty cookie.
    std::u16string Key() const;
    // The single cookie of a key that Key gave; false for any other text.
    static bool FromKey(const std::u16string& key, DLxLocalBOMCookie& out);

private:
    std::vector<int32_t> m_path;
    std::vector<int32_t> m_items; // sorted, distinct
};

// For unordered containers: a table of 10 000 rows looks cookies up by the hundred thousand,
// and ordering compares their paths element by element.
struct DLxLocalBOMCookieHash {
    size_t operator()(const DLxLocalBOMCookie& cookie) const noexcept;
};
