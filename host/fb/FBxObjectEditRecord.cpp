#include "fb/FBxObjectEditRecord.h"

#include <string>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

namespace {
const UTxString16 kNoString;
const FWxTranscriptValue kNoValue = FWxTranscriptValue::MakeInt(0);
} // namespace

// ---- the record -----------------------------------------------------------------------------

const FWxTranscriptValue& FBxObjectEditRecord::GetValue(int32_t i) const {
    return InRange(i) ? At(i) : kNoValue;
}

FBxObjectEditRecord& FBxObjectEditRecord::AddValue(Value v) {
    m_values.push_back(std::move(v));
    return *this;
}

bool FBxObjectEditRecord::SetValue(int32_t i, Value v) {
    if (InRange(i)) {
        m_values[size_t(i)] = std::move(v);
        return true;
    }
    if (i < 0 || size_t(i) != m_values.size()) return false;
    m_values.push_back(std::move(v));
    return true;
}

const UTxString16& FBxObjectEditRecord::GetString(int32_t i) const {
    return IsKind(i, Value::kString) ? At(i).GetText() : kNoString;
}

WqGePoint3d FBxObjectEditRecord::GetPoint(int32_t i) const {
    return GetValue(i).GetPoint();
}

WqGeVector3d FBxObjectEditRecord::GetVector(int32_t i) const {
    return GetValue(i).GetVector();
}

// ---- named attributes -----------------------------------------------------------------------

FBxObjectEditRecord& FBxObjectEditRecord::SetAttribute(const UTxString16& name, Value v) {
    for (size_t i = 0; i + 1 < m_values.size(); i += 2)
        if (m_values[i].GetKind() == Value::kString && m_values[i].GetText() == name) {
            m_values[i + 1] = std::move(v);
            return *this;
        }
    m_values.push_back(Value::MakeString(name));
    m_values.push_back(std::move(v));
    return *this;
}

const FWxTranscriptValue* FBxObjectEditRecord::FindAttribute(const UTxString16& name) const {
    for (size_t i = 0; i + 1 < m_values.size(); i += 2)
        if (m_values[i].GetKind() == Value::kString && m_values[i].GetText() == name)
            return &m_values[i + 1];
    return nullptr;
}

namespace {
std::string Narrow(const UTxString16& s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x80 ? char(c) : '?');
    return out;
}
} // namespace

const FWxTranscriptValue& FBxObjectEditRecord::attribute::Need() const {
    if (!m_value) throw attribute_not_found("edit record has no attribute \"" + Narrow(m_name) + "\"");
    return *m_value;
}

void FBxObjectEditRecord::attribute::Wrong(const char* kind) const {
    throw exception("edit record attribute \"" + Narrow(m_name) + "\" is not " + kind);
}

int32_t FBxObjectEditRecord::attribute::as_int() const {
    const Value& v = Need();
    if (v.GetKind() != Value::kInt) Wrong("an integer");
    const int64_t i = v.GetInt();
    if (i < INT32_MIN || i > INT32_MAX) Wrong("a 32-bit integer");
    return int32_t(i);
}

bool FBxObjectEditRecord::attribute::as_bool() const {
    const Value& v = Need();
    if (v.GetKind() == Value::kBool) return v.GetBool();
    if (v.GetKind() == Value::kInt && (v.GetInt() == 0 || v.GetInt() == 1)) return v.GetInt() != 0;
    Wrong("a bool");
}

double FBxObjectEditRecord::attribute::as_double() const {
    const Value& v = Need();
    if (!v.IsNumber()) Wrong("a number");
    return v.GetReal();
}

UTxString16 FBxObjectEditRecord::attribute::as_UTxString16() const {
    const Value& v = Need();
    if (v.GetKind() != Value::kString) Wrong("a text");
    return v.GetText();
}

WqGePoint3d FBxObjectEditRecord::attribute::as_WqGePoint3d() const {
    const Value& v = Need();
    if (v.GetKind() != Value::kTriple) Wrong("a point");
    return v.GetPoint();
}
