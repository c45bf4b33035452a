#include "fb/FBxObjectEditRecord.h"

#include <bit>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

namespace {
const UTxString16 kNoString;
const RSeRefBase kNoRef;
const std::vector<FBxEditValue> kNoList;
const FBxEditValue kNoValue;

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
} // namespace

FBxEditValue FBxEditValue::MakeInt(int32_t v) {
    FBxEditValue r;
    r.m_kind = kInt;
    r.m_int = v;
    return r;
}

FBxEditValue FBxEditValue::MakeReal(double v) {
    FBxEditValue r;
    r.m_kind = kReal;
    r.m_xyz[0] = v;
    return r;
}

FBxEditValue FBxEditValue::MakeBool(bool v) {
    FBxEditValue r;
    r.m_kind = kBool;
    r.m_bool = v;
    return r;
}

FBxEditValue FBxEditValue::MakeString(UTxString16 v) {
    FBxEditValue r;
    r.m_kind = kString;
    r.m_text = std::move(v);
    return r;
}

FBxEditValue FBxEditValue::MakeRef(const RSeRefBase& v) {
    FBxEditValue r;
    r.m_kind = kRef;
    r.m_ref = v;
    return r;
}

FBxEditValue FBxEditValue::MakeTriple(double x, double y, double z) {
    FBxEditValue r;
    r.m_kind = kTriple;
    r.m_xyz[0] = x;
    r.m_xyz[1] = y;
    r.m_xyz[2] = z;
    return r;
}

FBxEditValue FBxEditValue::MakePoint(const WqGePoint3d& p) {
    return MakeTriple(p.x, p.y, p.z);
}

FBxEditValue FBxEditValue::MakeVector(const WqGeVector3d& v) {
    return MakeTriple(v.x, v.y, v.z);
}

FBxEditValue FBxEditValue::MakeList(std::vector<FBxEditValue> items) {
    FBxEditValue r;
    r.m_kind = kList;
    r.m_list = std::move(items);
    return r;
}

double FBxEditValue::GetReal() const {
    if (m_kind == kInt) return m_int;
    return m_kind == kReal ? m_xyz[0] : 0.0;
}

const UTxString16& FBxEditValue::GetString() const {
    return m_kind == kString ? m_text : kNoString;
}

const RSeRefBase& FBxEditValue::GetRef() const {
    return m_kind == kRef ? m_ref : kNoRef;
}

WqGePoint3d FBxEditValue::GetPoint() const {
    if (m_kind != kTriple) return {};
    return {m_xyz[0], m_xyz[1], m_xyz[2]};
}

WqGeVector3d FBxEditValue::GetVector() const {
    if (m_kind != kTriple) return {};
    return {m_xyz[0], m_xyz[1], m_xyz[2]};
}

const std::vector<FBxEditValue>& FBxEditValue::GetList() const {
    return m_kind == kList ? m_list : kNoList;
}

bool operator==(const FBxEditValue& a, const FBxEditValue& b) {
    if (a.m_kind != b.m_kind) return false;
    switch (a.m_kind) {
    case FBxEditValue::kInt:
        return a.m_int == b.m_int;
    case FBxEditValue::kReal:
        return SameBits(a.m_xyz[0], b.m_xyz[0]);
    case FBxEditValue::kBool:
        return a.m_bool == b.m_bool;
    case FBxEditValue::kString:
        return a.m_text == b.m_text;
    case FBxEditValue::kRef:
        return a.m_ref == b.m_ref;
    case FBxEditValue::kTriple:
        return SameBits(a.m_xyz[0], b.m_xyz[0]) && SameBits(a.m_xyz[1], b.m_xyz[1]) &&
               SameBits(a.m_xyz[2], b.m_xyz[2]);
    case FBxEditValue::kList:
        return a.m_list == b.m_list;
    }
    return false;
}

const char16_t* FBxEditValue::KindName(Kind kind) {
    switch (kind) {
    case kInt:
        return u"an integer";
    case kReal:
        return u"a real number";
    case kBool:
        return u"a boolean";
    case kString:
        return u"a string";
    case kRef:
        return u"a reference";
    case kTriple:
        return u"a point";
    case kList:
        return u"a list";
    }
    return u"a value";
}

// ---- the record -----------------------------------------------------------------------------

const FBxEditValue& FBxObjectEditRecord::GetValue(int32_t i) const {
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

WqGePoint3d FBxObjectEditRecord::GetPoint(int32_t i) const {
    return GetValue(i).GetPoint();
}

WqGeVector3d FBxObjectEditRecord::GetVector(int32_t i) const {
    return GetValue(i).GetVector();
}
