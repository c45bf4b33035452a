#pragma once
// The handles of a database's identified objects by id. Ids are handed out in sequence, so the
// table is flat, indexed by id; an id far beyond the number of objects (a sparse or damaged
// document) goes to a map instead, so that one large id never makes a large table.
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "rse/RSeBulkMemory.h"

struct RSeHandle;

class RSeIdTable {
public:
    RSeHandle* Find(uint32_t id) const {
        if (id < m_flat.size()) return m_flat[id];
        if (m_sparse.empty()) return nullptr;
        auto it = m_sparse.find(id);
        return it == m_sparse.end() ? nullptr : it->second;
    }

    // `id` must be free.
    void Insert(uint32_t id, RSeHandle* h) {
        ++m_count;
        if (id >= m_flat.size() && !Grow(id, m_count)) {
            m_sparse.emplace(id, h);
            return;
        }
        m_flat[id] = h;
    }

    void Erase(uint32_t id) {
        if (id < m_flat.size()) {
            if (m_flat[id]) --m_count;
            m_flat[id] = nullptr;
        } else if (m_sparse.erase(id)) {
            --m_count;
        }
    }

    // Makes room for ids up to `maxId` when they fit the flat table with `more` objects added.
    void Reserve(uint32_t maxId, size_t more) {
        if (maxId < m_flat.size() || maxId > Limit(m_count + more)) return;
        m_flat.reserve(size_t(maxId) + 1);
        Grow(maxId, m_count + more); // the objects to come count: a load sizes the table once
    }

    template <class F> void ForEach(F&& f) const {
        for (RSeHandle* h : m_flat)
            if (h) f(h);
        for (const auto& [id, h] : m_sparse)
            f(h);
    }

    void Clear() {
        m_flat.clear();
        m_sparse.clear();
        m_count = 0;
    }

private:
    // The largest id the flat table takes for `count` objects.
    static size_t Limit(size_t count) { return 2 * count + 65536; }

    // Makes the flat table take `id`, when that fits `count` objects.
    bool Grow(uint32_t id, size_t count) {
        if (id > Limit(count)) return false;
        const size_t size = std::max(size_t(id) + 1, std::min(2 * m_flat.size(), Limit(count)));
        m_flat.resize(size, nullptr);
        // Ids now inside the flat table leave the map.
        for (auto it = m_sparse.begin(); it != m_sparse.end();) {
            if (it->first < size) {
                m_flat[it->first] = it->second;
                it = m_sparse.erase(it);
            } else {
                ++it;
            }
        }
        return true;
    }

    RSeBulkVector<RSeHandle*> m_flat;
    std::unordered_map<uint32_t, RSeHandle*> m_sparse;
    size_t m_count = 0;
};
