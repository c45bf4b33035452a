#include "BofM/DLxComponentPropertyDT.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <type_traits>

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxComponentDocument.h"
#include "dl/DLxComponentProxy.h"
#include "rd/RDxComponent.h"
#include "rse/RSeTransaction.h"

UTxString16 DLxNoDocumentText() {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, 8160) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}

namespace {

DLxComponentDocument ComponentDocument(const RSeRef<RDxComponent>& component) {
    return DLxComponentDocument::Of(component.get());
}

DLxComponentDocument ProxyDocument(const RSeRef<DLxComponentProxy>& proxy) {
    return DLxComponentDocument::Of(proxy.get());
}

// The proxy as a custom part, when it stands on one.
DLxComponentProxyCustom* CustomOf(const RSeRef<DLxComponentProxy>& proxy) {
    DLxComponentProxy* p = proxy.get();
    return p && p->isCustom() ? dynamic_cast<DLxComponentProxyCustom*>(p) : nullptr;
}

// 0 equal, 1 when the source's text sorts before the cached one, else -1.
int32_t Compare(const UTxString16& source, const UTxString16& cached) {
    if (source == cached) return 0;
    return source < cached ? 1 : -1;
}

UTxString16 Widen(const char* s) {
    UTxString16 out;
    for (; *s; ++s)
        out.push_back(char16_t(static_cast<unsigned char>(*s)));
    return out;
}

// The text as wide characters for the C library's conversions.
std::wstring Wide(const UTxString16& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

// ---- general

DLxComponentPropertyGeneralDT::DLxComponentPropertyGeneralDT(int32_t generalId,
                                                             const RSeRef<DLxComponentProxy>& proxy,
                                                             bool refresh)
    : m_generalId(generalId), m_proxy(proxy) {
    if (refresh) DLxComponentPropertyGeneralDT::RefreshFromSource();
}

DLxComponentPropertyGeneralDT::DLxComponentPropertyGeneralDT(int32_t generalId,
                                                             const RSeRef<DLxComponentProxy>& proxy)
    : DLxComponentPropertyGeneralDT(generalId, proxy, true) {}

void DLxComponentPropertyGeneralDT::SetCache(const UTxString16& value, ValueType type) {
    if (value == m_value && type == m_type) return;
    RSe::PrepareWrite(this);
    m_value = value;
    m_type = type;
}

UTxString16 DLxComponentPropertyGeneralDT::GetValue(const RSeRef<RDxComponent>& component, bool,
                                                    ValueType& type) {
    const DLxComponentDocument doc = ComponentDocument(component);
    if (!doc) {
        type = 1;
        return DLxNoDocumentText();
    }
    type = doc.GetValueType(m_generalId);
    return doc.GetValueString(m_generalId);
}

DLxComponentProperty::ResultWord
DLxComponentPropertyGeneralDT::SetValueString(const UTxString16& text) {
    SetCache(text, m_type);
    return 0;
}

int32_t DLxComponentPropertyGeneralDT::CompareWithSource() {
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    return doc ? Compare(doc.GetValueString(m_generalId), m_value) : -1;
}

DLxComponentProperty::ResultWord DLxComponentPropertyGeneralDT::WriteToSource() {
    DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc) doc.SetValueString(m_generalId, m_value);
    return 0;
}

DLxComponentProperty::ResultWord DLxComponentPropertyGeneralDT::RefreshFromSource() {
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc)
        SetCache(doc.GetValueString(m_generalId), doc.GetValueType(m_generalId));
    else
        SetCache(DLxNoDocumentText(), 1);
    return 0;
}

// ---- general, transparent

DLxComponentPropertyGeneralDTTransparent::DLxComponentPropertyGeneralDTTransparent(
    int32_t generalId, const RSeRef<DLxComponentProxy>& proxy)
    : DLxComponentPropertyGeneralDT(generalId, proxy, false) {
    // Starts as text, so that an object made without custom part or document has a type.
    DLxComponentPropertyGeneralDTTransparent::RefreshFromSource();
}

UTxString16
DLxComponentPropertyGeneralDTTransparent::GetValue(const RSeRef<RDxComponent>& component, bool,
                                                   ValueType& type) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        type = 1;
        return custom->getPropertyString(m_generalId);
    }
    const DLxComponentDocument doc = ComponentDocument(component);
    if (!doc) return DLxNoDocumentText();
    type = doc.GetValueType(m_generalId);
    return doc.GetValueString(m_generalId);
}

UTxString16 DLxComponentPropertyGeneralDTTransparent::GetValueString(bool) {
    RefreshFromSource();
    return m_value;
}

DLxComponentProperty::ResultWord
DLxComponentPropertyGeneralDTTransparent::SetValueString(const UTxString16& text) {
    SetCache(text, m_type);
    return WriteToSource();
}

int32_t DLxComponentPropertyGeneralDTTransparent::CompareWithSource() {
    return CustomOf(m_proxy) ? 0 : DLxComponentPropertyGeneralDT::CompareWithSource();
}

DLxComponentProperty::ResultWord DLxComponentPropertyGeneralDTTransparent::WriteToSource() {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        custom->setPropertyString(m_generalId, m_value);
        return 0;
    }
    return DLxComponentPropertyGeneralDT::WriteToSource();
}

DLxComponentProperty::ResultWord DLxComponentPropertyGeneralDTTransparent::RefreshFromSource() {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        SetCache(custom->getPropertyString(m_generalId), 1);
        return 0;
    }
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc)
        SetCache(doc.GetValueString(m_generalId), doc.GetValueType(m_generalId));
    else
        SetCache(DLxNoDocumentText(), m_type);
    return 0;
}

// ---- named text

DLxComponentPropertyStringDT::DLxComponentPropertyStringDT(const UTxString16& name,
                                                           const RSeRef<DLxComponentProxy>& proxy,
                                                           bool refresh)
    : m_name(name), m_proxy(proxy) {
    if (refresh) DLxComponentPropertyStringDT::RefreshFromSource();
}

DLxComponentPropertyStringDT::DLxComponentPropertyStringDT(const UTxString16& name,
                                                           const RSeRef<DLxComponentProxy>& proxy)
    : DLxComponentPropertyStringDT(name, proxy, true) {}

UTxString16 DLxComponentPropertyStringDT::GetValue(const RSeRef<RDxComponent>& component, bool,
                                                   ValueType& type) {
    const DLxComponentDocument doc = ComponentDocument(component);
    if (!doc) {
        type = 1;
        return DLxNoDocumentText();
    }
    type = doc.GetValueTypeS(m_name);
    return doc.GetValueStringS(m_name);
}

DLxComponentProperty::ResultWord
DLxComponentPropertyStringDT::SetValueString(const UTxString16& text) {
    if (text != m_value) {
        RSe::PrepareWrite(this);
        m_value = text;
    }
    return 0;
}

int32_t DLxComponentPropertyStringDT::CompareWithSource() {
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    return doc ? Compare(doc.GetValueStringS(m_name), m_value) : -1;
}

DLxComponentProperty::ResultWord DLxComponentPropertyStringDT::WriteToSource() {
    DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc) doc.SetStringValueS(m_name, m_value);
    return 0;
}

DLxComponentProperty::ResultWord DLxComponentPropertyStringDT::RefreshFromSource() {
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    const UTxString16 value = doc ? UTxString16(doc.GetValueStringS(m_name)) : DLxNoDocumentText();
    const ValueType type = doc ? doc.GetValueTypeS(m_name) : 1;
    if (value != m_value || type != m_type) {
        RSe::PrepareWrite(this);
        m_value = value;
        m_type = type;
    }
    return 0;
}

// ---- named text, transparent

DLxComponentPropertyStringDTTransparent::DLxComponentPropertyStringDTTransparent(
    const UTxString16& name, const RSeRef<DLxComponentProxy>& proxy)
    : DLxComponentPropertyStringDT(name, proxy, false) {}

UTxString16 DLxComponentPropertyStringDTTransparent::GetValue(const RSeRef<RDxComponent>& component,
                                                              bool quantityMode, ValueType& type) {
    type = 1;
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy))
        return custom->getPropertyString(std::u16string(m_name));
    return DLxComponentPropertyStringDT::GetValue(component, quantityMode, type);
}

UTxString16 DLxComponentPropertyStringDTTransparent::GetValueString(bool) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy))
        return custom->getPropertyString(std::u16string(m_name));
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    return doc ? UTxString16(doc.GetValueStringS(m_name)) : DLxNoDocumentText();
}

DLxComponentProperty::ResultWord
DLxComponentPropertyStringDTTransparent::SetValueString(const UTxString16& text) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        custom->setPropertyString(std::u16string(m_name), text);
        return 0;
    }
    DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc) doc.SetStringValueS(m_name, text);
    return 0;
}

DLxComponentProperty::ResultWord DLxComponentPropertyStringDTTransparent::RefreshFromSource() {
    UTxString16 value;
    ValueType type = m_type;
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        value = custom->getPropertyString(std::u16string(m_name));
        type = 1;
    } else if (const DLxComponentDocument doc = ProxyDocument(m_proxy)) {
        value = doc.GetValueStringS(m_name);
        type = doc.GetValueTypeS(m_name);
    } else {
        value = DLxNoDocumentText();
    }
    if (value != m_value || type != m_type) {
        RSe::PrepareWrite(this);
        m_value = value;
        m_type = type;
    }
    return 0;
}

// ---- integer and real

namespace {
UTxString16 Format(int32_t v) {
    return Widen(std::to_string(v).c_str());
}
UTxString16 Format(double v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", v);
    return Widen(buf);
}
// As the C library reads it: leading blanks, a sign and digits; 0 when there are none.
void Parse(const UTxString16& text, int32_t& out) {
    const std::wstring w = Wide(text);
    const long long v = std::wcstoll(w.c_str(), nullptr, 10);
    out = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
}
void Parse(const UTxString16& text, double& out) {
    const std::wstring w = Wide(text);
    out = std::wcstod(w.c_str(), nullptr);
}
void Read(const DLxComponentDocument& doc, const UTxString16& name, int32_t& out) {
    out = doc.GetIntValueS(name);
}
void Read(const DLxComponentDocument& doc, const UTxString16& name, double& out) {
    out = doc.GetDoubleValueS(name);
}
void Write(DLxComponentDocument& doc, const UTxString16& name, int32_t v) {
    doc.SetIntValueS(name, v);
}
void Write(DLxComponentDocument& doc, const UTxString16& name, double v) {
    doc.SetDoubleValueS(name, v);
}
} // namespace

template <class T>
DLxComponentProperty::ValueType DLxComponentPropertyNumberDT<T>::GetValueType() const {
    return std::is_same_v<T, int32_t> ? 2 : 3;
}

template <class T>
UTxString16 DLxComponentPropertyNumberDT<T>::GetValue(const RSeRef<RDxComponent>& component,
                                                      bool, ValueType& type) {
    const DLxComponentDocument doc = ComponentDocument(component);
    if (!doc) {
        type = 1;
        return DLxNoDocumentText();
    }
    type = GetValueType();
    T value{};
    Read(doc, m_name, value);
    return Format(value);
}

template <class T> UTxString16 DLxComponentPropertyNumberDT<T>::GetValueString(bool) {
    return Format(m_value);
}

template <class T> void DLxComponentPropertyNumberDT<T>::Set(T value) {
    if (value != m_value) {
        RSe::PrepareWrite(this);
        m_value = value;
    }
}

template <class T>
DLxComponentProperty::ResultWord
DLxComponentPropertyNumberDT<T>::SetValueString(const UTxString16& text) {
    T value{};
    Parse(text, value);
    Set(value);
    return 0;
}

template <class T>
DLxComponentProperty::ResultWord DLxComponentPropertyNumberDT<T>::WriteToSource() {
    DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (doc) Write(doc, m_name, m_value);
    return 0;
}

template <class T>
DLxComponentProperty::ResultWord DLxComponentPropertyNumberDT<T>::RefreshFromSource() {
    const DLxComponentDocument doc = ProxyDocument(m_proxy);
    if (!doc) return 0;
    T value{};
    Read(doc, m_name, value);
    Set(value);
    return 0;
}

// Their storage is in metaDLxComponentPropertyDT.cpp.
template class DLxComponentPropertyNumberDT<int32_t>;
template class DLxComponentPropertyNumberDT<double>;
