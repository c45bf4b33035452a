#include "rd/RDxString.h"

#include <algorithm>

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

void RDxString::SetLocation(const WqGePoint3d& p) {
    if (m_location.x == p.x && m_location.y == p.y && m_location.z == p.z) return;
    BeginValueChange();
    m_location = p;
}

void RDxString::SetRotation(double angle) {
    if (m_rotation == angle) return;
    BeginValueChange();
    m_rotation = angle;
}

void RDxString::SetHorizontalJustification(int32_t j) {
    if (m_hJust == j) return;
    BeginValueChange();
    m_hJust = j;
}

void RDxString::SetVerticalJustification(int32_t j) {
    if (m_vJust == j) return;
    BeginValueChange();
    m_vJust = j;
}

void RDxString::SetAttachment(int32_t code) {
    if (m_attachment == code) return;
    BeginValueChange();
    m_attachment = code;
}

void RDxString::SetMarker(int32_t marker) {
    if (m_marker == marker) return;
    BeginValueChange();
    m_marker = marker;
}

void RDxString::SetFontFlags(int32_t flags) {
    if (m_fontFlags == flags) return;
    BeginValueChange();
    m_fontFlags = flags;
}

void RDxString::SetLineSpacing(int32_t type, float value) {
    if (m_spacingType == type && m_spacing == value) return;
    BeginValueChange();
    m_spacingType = type;
    m_spacing = value;
}

void RDxString::SetColor(const float rgba[4]) {
    if (std::equal(rgba, rgba + 4, m_color)) return;
    BeginValueChange();
    std::copy(rgba, rgba + 4, m_color);
}

void RDxString::SetNoColor(bool on) {
    if (m_noColor == on) return;
    BeginValueChange();
    m_noColor = on;
}

void RDxString::SetParagraphValue(const UTxString16& text, bool valid) {
    if (m_paragraph == text && m_paragraphValid == valid) return;
    RSe::PrepareWrite(this);
    m_paragraph = text;
    m_paragraphValid = valid;
}

void RDxString::CopyValues(const RDxString& o) {
    if (&o == this) return;
    BeginValueChange();
    m_value = o.m_value;
    m_formatted = o.m_formatted;
    m_format = o.m_format;
    m_fontId = o.m_fontId;
    m_height = o.m_height;
    m_paragraphValid = o.m_paragraphValid;
    m_location = o.m_location;
    m_rotation = o.m_rotation;
    m_hJust = o.m_hJust;
    m_vJust = o.m_vJust;
    m_attachment = o.m_attachment;
    m_marker = o.m_marker;
    m_fontFlags = o.m_fontFlags;
    m_spacingType = o.m_spacingType;
    m_spacing = o.m_spacing;
    std::copy(o.m_color, o.m_color + 4, m_color);
    m_noColor = o.m_noColor;
    m_paragraph = o.m_paragraph;
}
