#include "fb/FBxXmlElement.h"

void FBxXmlElement::SetAttribute(const std::u16string& key, const std::u16string& value) {
    for (auto& [k, v] : m_attributes)
        if (k == key) {
            v = value;
            return;
        }
    m_attributes.emplace_back(key, value);
}

void FBxXmlElement::SetAttributeBool(const std::u16string& key, bool value) {
    SetAttribute(key, value ? u"1" : u"0");
}

void FBxXmlElement::SetAttributeInt(const std::u16string& key, int32_t value) {
    const std::string digits = std::to_string(value);
    SetAttribute(key, std::u16string(digits.begin(), digits.end()));
}

bool FBxXmlElement::GetAttribute(const std::u16string& key, std::u16string& value) const {
    for (const auto& [k, v] : m_attributes)
        if (k == key) {
            value = v;
            return true;
        }
    return false;
}

bool FBxXmlElement::GetAttributeBool(const std::u16string& key, bool& value) const {
    std::u16string text;
    if (!GetAttribute(key, text)) return false;
    if (text == u"1" || text == u"true") {
        value = true;
        return true;
    }
    if (text == u"0" || text == u"false") {
        value = false;
        return true;
    }
    return false;
}

bool FBxXmlElement::GetAttributeInt(const std::u16string& key, int32_t& value) const {
    std::u16string text;
    if (!GetAttribute(key, text) || text.empty() || text.size() > 11) return false;
    size_t i = text[0] == u'-' ? 1 : 0;
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return false;
        v = v * 10 + (text[i] - u'0');
    }
    if (text[0] == u'-') v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = int32_t(v);
    return true;
}

bool FBxXmlElement::HasAttribute(const std::u16string& key) const {
    std::u16string ignored;
    return GetAttribute(key, ignored);
}

FBxXmlElement& FBxXmlElement::AddChild(FBxXmlElement child) {
    m_children.push_back(std::move(child));
    return m_children.back();
}
