#include "BofM/DLxItemRangeStringParser.h"

#include <cwctype>

namespace {
bool IsDigit(char16_t c) {
    return std::iswdigit(wint_t(c)) != 0;
}
bool IsAlpha(char16_t c) {
    return std::iswalpha(wint_t(c)) != 0;
}

// The cuts of `text` (from `offset` in the cleaned string) at `sep`; false with the index of
// the offending separator when a part would be empty.
bool SplitAtSeparator(const UTxString16& text, char16_t sep, std::vector<UTxString16>& parts,
                      std::vector<int32_t>& starts, int32_t& errorAt) {
    parts.clear();
    starts.clear();
    size_t begin = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != sep) continue;
        if (i == begin) {
            errorAt = int32_t(i);
            return false;
        }
        parts.push_back(text.substr(begin, i - begin));
        starts.push_back(int32_t(begin));
        begin = i + 1;
    }
    return true;
}

bool AllOf(const UTxString16& s, bool (*test)(char16_t)) {
    for (char16_t c : s)
        if (!test(c)) return false;
    return true;
}
} // namespace

bool DLxItemRangeStringParser::Parse(const UTxString16& text) {
    m_ranges.clear();
    m_errorStart = m_errorEnd = 0;
    m_cleaned.clear();
    for (char16_t c : text)
        if (c != u' ') m_cleaned.push_back(c);
    size_t first = 0;
    while (first < m_cleaned.size() && m_cleaned[first] == u',')
        ++first;
    size_t last = m_cleaned.size();
    while (last > first && m_cleaned[last - 1] == u',')
        --last;
    m_cleaned = m_cleaned.substr(first, last - first);

    std::vector<UTxString16> tokens;
    std::vector<int32_t> starts;
    int32_t errorAt = 0;
    if (!SplitAtSeparator(m_cleaned, u',', tokens, starts, errorAt)) {
        m_errorStart = m_errorEnd = errorAt;
        return false;
    }
    std::vector<Range> ranges;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const UTxString16& token = tokens[t];
        // A failing token is reported by its whole span, whatever part of it failed.
        const auto fail = [&] {
            m_errorStart = starts[t];
            m_errorEnd = starts[t] + int32_t(token.size()) - 1;
            return false;
        };
        std::vector<UTxString16> parts;
        std::vector<int32_t> partStarts;
        if (!SplitAtSeparator(token, u'-', parts, partStarts, errorAt) || parts.size() > 2)
            return fail();
        bool (*test)(char16_t) = IsDigit(parts[0][0]) ? &IsDigit : &IsAlpha;
        for (const UTxString16& part : parts)
            if (!AllOf(part, test)) return fail();
        Range range(parts.front(), parts.back());
        if (CompareItemNumbers(range.first, range.second) > 0) return fail();
        ranges.push_back(std::move(range));
    }
    m_ranges = std::move(ranges);
    return true;
}

int32_t DLxItemRangeStringParser::CompareItemNumbers(const UTxString16& a, const UTxString16& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Runs compare by value without reading it into an integer: an item number may
            // hold more digits than any integer does.
            size_t ie = i;
            while (ie < a.size() && IsDigit(a[ie]))
                ++ie;
            size_t je = j;
            while (je < b.size() && IsDigit(b[je]))
                ++je;
            size_t ia = i;
            while (ia + 1 < ie && a[ia] == u'0')
                ++ia;
            size_t jb = j;
            while (jb + 1 < je && b[jb] == u'0')
                ++jb;
            if (ie - ia != je - jb) return ie - ia < je - jb ? -1 : 1;
            for (; ia < ie; ++ia, ++jb)
                if (a[ia] != b[jb]) return a[ia] < b[jb] ? -1 : 1;
            i = ie;
            j = je;
            continue;
        }
        const wint_t ca = std::towlower(wint_t(a[i]));
        const wint_t cb = std::towlower(wint_t(b[j]));
        if (ca != cb) return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    return int32_t(a.size()) - int32_t(b.size());
}
