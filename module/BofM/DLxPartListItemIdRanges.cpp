#include "BofM/DLxPartListItemIdRanges.h"

#include <algorithm>
#include <cstdint>

namespace {
// The leading decimal digits as a number, 0 when there are none (after optional blanks and a
// sign), as the older lists read their item numbers; saturates instead of overflowing.
int64_t LeadingNumber(const UTxString16& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - u'0'), INT32_MAX);
    return negative ? -value : value;
}
} // namespace

bool DLxPartListItemIdRanges::ContainsItemId(const UTxString16& item) const {
    if (m_singleIds.empty() && m_rangeBounds.empty()) return true;
    if (std::find(m_singleIds.begin(), m_singleIds.end(), item) != m_singleIds.end()) return true;
    const int64_t number = LeadingNumber(item);
    for (size_t k = 0; k + 1 < m_rangeBounds.size(); k += 2)
        if (LeadingNumber(m_rangeBounds[k]) <= number && number <= LeadingNumber(m_rangeBounds[k + 1]))
            return true;
    return false;
}
