#include "fb/FBxObjectEditRecord.h"

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
