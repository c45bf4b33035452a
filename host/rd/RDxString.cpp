#include "rd/RDxString.h"

#include "rse/RSeTransaction.h"

void RDxString::SetSimpleValue(const UTxString16& value) {
    if (m_value == value) return;
    BeginValueChange();
    m_value = value;
}

void RDxString::SetFormattedValue(const UTxString16& text, int32_t format) {
    if (m_formatted == text && m_format == format) return;
    BeginValueChange();
    m_formatted = text;
    m_format = format;
    m_paragraphValid = false;
}

void RDxString::SetFontId(int32_t id) {
    if (m_fontId == id) return;
    BeginValueChange();
    m_fontId = id;
}

void RDxString::SetTextHeight(double h) {
    if (m_height == h) return;
    BeginValueChange();
    m_height = h;
}

void RDxString::SetParagraphStringInvalid() {
    if (!m_paragraphValid) return;
    RSe::PrepareWrite(this);
    m_paragraphValid = false;
}

UTxString16 RDxString::GetDisplayText() const {
    if (m_formatted.empty()) return m_value;
    UTxString16 out;
    for (size_t i = 0; i < m_formatted.size(); ++i) {
        char16_t c = m_formatted[i];
        if (c == u'\\' && i + 1 < m_formatted.size()) {
            if (m_formatted[i + 1] == u'F') {
                const size_t end = m_formatted.find(u';', i + 2);
                if (end != UTxString16::npos) {
                    i = end;
                    continue;
                }
            }
            c = m_formatted[++i];
        }
        out += c;
    }
    return out;
}
