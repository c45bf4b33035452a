#include "du/DUxValue.h"

#include <algorithm>
#include <limits>
#include <string>

#include "rse/RSeTransaction.h"

void DUxValue::SetVisibility(EVisibility visibility) {
    if (m_visibility == visibility) return;
    RSe::PrepareWrite(this);
    m_visibility = visibility;
}

void DUxValue::Assign(const DUxValue& other) {
    if (&other == this) return;
    SetText(other.GetText());
    SetVisibility(other.GetVisibility());
}

void DUxStringValue::SetText(const UTxString16& text) {
    if (m_text == text) return;
    RSe::PrepareWrite(this);
    m_text = text;
}

void DUxIntegerValue::SetValue(int32_t value) {
    const std::string digits = std::to_string(value);
    const UTxString16 text(digits.begin(), digits.end());
    if (m_value == value && m_text == text) return;
    RSe::PrepareWrite(this);
    m_value = value;
    m_text = text;
}

void DUxIntegerValue::SetText(const UTxString16& text) {
    // The leading number: an optional sign and decimal digits, held to the 32-bit range.
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        v = v * 10 + (text[i] - u'0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1) break;
    }
    if (negative) v = -v;
    v = std::max<int64_t>(std::min<int64_t>(v, std::numeric_limits<int32_t>::max()),
                          std::numeric_limits<int32_t>::min());
    if (m_text == text && m_value == int32_t(v)) return;
    RSe::PrepareWrite(this);
    m_text = text;
    m_value = int32_t(v);
}
