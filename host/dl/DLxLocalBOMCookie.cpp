#include "dl/DLxLocalBOMCookie.h"

#include <algorithm>
#include <climits>

DLxLocalBOMCookie::DLxLocalBOMCookie(std::vector<int32_t> path, int32_t item)
    : m_path(std::move(path)), m_items{item} {}

std::vector<DLxLocalBOMCookie> DLxLocalBOMCookie::singleItems() const {
    std::vector<DLxLocalBOMCookie> out;
    out.reserve(m_items.size());
    for (int32_t i : m_items)
        out.emplace_back(m_path, i);
    return out;
}

void DLxLocalBOMCookie::Add(int32_t item) {
    auto at = std::lower_bound(m_items.begin(), m_items.end(), item);
    if (at == m_items.end() || *at != item) m_items.insert(at, item);
}

int DLxLocalBOMCookie::matches(const DLxLocalBOMCookie& other) const {
    if (m_path != other.m_path || m_items.empty() || other.m_items.empty()) return 0;
    if (m_items == other.m_items) return 3;
    if (!IsGrouped()) return 0;
    if (!other.IsGrouped())
        return std::binary_search(m_items.begin(), m_items.end(), other.m_items.front()) ? 1 : 0;
    // Both sorted: any common item makes them the same group under new membership.
    auto a = m_items.begin();
    auto b = other.m_items.begin();
    while (a != m_items.end() && b != other.m_items.end()) {
        if (*a == *b) return 2;
        if (*a < *b)
            ++a;
        else
            ++b;
    }
    return 0;
}

size_t DLxLocalBOMCookieHash::operator()(const DLxLocalBOMCookie& cookie) const noexcept {
    uint64_t h = 0x9e3779b97f4a7c15ULL ^ cookie.path().size();
    auto mix = [&h](int32_t v) {
        h ^= uint64_t(uint32_t(v)) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    };
    for (int32_t v : cookie.path())
        mix(v);
    mix(-1); // where the path ends
    for (int32_t v : cookie.items())
        mix(v);
    return size_t(h);
}

bool DLxLocalBOMCookie::operator<(const DLxLocalBOMCookie& o) const {
    if (m_path != o.m_path) return m_path < o.m_path;
    return m_items < o.m_items;
}

namespace {
void AppendNumber(std::u16string& out, int32_t v) {
    for (char c : std::to_string(v))
        out.push_back(char16_t(c));
}
} // namespace

bool DLxLocalBOMCookie::FromKey(const std::u16string& key, DLxLocalBOMCookie& out) {
    std::vector<int32_t> parts;
    bool custom = false;
    int64_t v = 0;
    size_t digits = 0;
    for (size_t i = 0; i <= key.size(); ++i) {
        const char16_t c = i < key.size() ? key[i] : u'/';
        if (c == u'/') {
            // Components are positive; a custom item only stands alone, last.
            if (!digits || v == 0 || (custom && i != key.size())) return false;
            parts.push_back(custom ? -int32_t(v) : int32_t(v));
            v = 0;
            digits = 0;
        } else if (c == u'c' && !digits && !custom && i + 1 < key.size() &&
                   (i == 0 || key[i - 1] == u'/')) {
            custom = true;
        } else if (c >= u'0' && c <= u'9' && digits < 10) {
            v = v * 10 + (c - u'0');
            ++digits;
            if (v > INT32_MAX) return false;
        } else {
            return false;
        }
    }
    if (custom && parts.size() != 1) return false;
    const int32_t item = parts.back();
    parts.pop_back();
    out = DLxLocalBOMCookie(std::move(parts), item);
    return true;
}

std::u16string DLxLocalBOMCookie::Key() const {
    if (m_items.size() != 1) return {};
    std::u16string key;
    for (int32_t p : m_path) {
        AppendNumber(key, p);
        key.push_back(u'/');
    }
    if (m_items.front() < 0) {
        key.push_back(u'c');
        AppendNumber(key, -m_items.front());
    } else {
        AppendNumber(key, m_items.front());
    }
    return key;
}
