#pragma once
// Item-range strings of the parts-list row filter ("1-5,8,A-C") and the natural order of item
// numbers they are judged in.
#include <cstdint>
#include <utility>
#include <vector>

#include "utx/UTxString16.h"

class DLxItemRangeStringParser {
public:
    using Range = std::pair<UTxString16, UTxString16>; // (low, high)

    virtual ~DLxItemRangeStringParser() = default;

    // Drops blanks (U+0020 only) and the commas at either end, then reads comma-separated
    // tokens: a single item or "low-high", all digits or all letters, low not above high.
    // On failure ErrorStart/ErrorEnd span (inclusive) the failing part of CleanedString.
    bool Parse(const UTxString16& text);
    const UTxString16& CleanedString() const { return m_cleaned; }
    int32_t ErrorStart() const { return m_errorStart; }
    int32_t ErrorEnd() const { return m_errorEnd; }
    // The ranges of the last successful Parse, in the order of the string.
    const std::vector<Range>& Ranges() const { return m_ranges; }

    // Natural order: digit runs compare by value (of any length), other characters one by one
    // ignoring case; when one string is a prefix of the other the longer is greater, so "007"
    // is above "7".
    static int32_t CompareItemNumbers(const UTxString16& a, const UTxString16& b);

private:
    UTxString16 m_cleaned;
    int32_t m_errorStart = 0;
    int32_t m_errorEnd = 0;
    std::vector<Range> m_ranges;
};
