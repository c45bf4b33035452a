#include "fw/FWxTranscriptValue.h"

#include <bit>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

namespace {
const UTxString16 kNoText;
const RSeRefBase kNoRef;
const std::vector<FWxTranscriptValue> kNoList;
const double kNoTriple[3] = {};

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
} // namespace

FWxTranscriptValue FWxTranscriptValue::MakeInt(int64_t v) {
    FWxTranscriptValue r;
    r.m_kind = kInt;
    r.m_int = v;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeReal(double v) {
    FWxTranscriptValue r;
    r.m_kind = kReal;
    r.m_xyz[0] = v;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeFloat(float v) {
    FWxTranscriptValue r = MakeReal(v);
    r.m_float = true;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeBool(bool v) {
    FWxTranscriptValue r;
    r.m_kind = kBool;
    r.m_bool = v;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeString(UTxString16 v) {
    FWxTranscriptValue r;
    r.m_kind = kString;
    r.m_text = std::move(v);
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeRef(UTxString16 keyText) {
    FWxTranscriptValue r;
    r.m_kind = kRef;
    r.m_text = std::move(keyText);
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeRef(const RSeRefBase& ref) {
    FWxTranscriptValue r;
    r.m_kind = kRef;
    r.m_live = true;
    r.m_ref = ref;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakeTriple(double x, double y, double z) {
    FWxTranscriptValue r;
    r.m_kind = kTriple;
    r.m_xyz[0] = x;
    r.m_xyz[1] = y;
    r.m_xyz[2] = z;
    return r;
}
FWxTranscriptValue FWxTranscriptValue::MakePoint(const WqGePoint3d& p) {
    return MakeTriple(p.x, p.y, p.z);
}
FWxTranscriptValue FWxTranscriptValue::MakeVector(const WqGeVector3d& v) {
    return MakeTriple(v.x, v.y, v.z);
}
FWxTranscriptValue FWxTranscriptValue::MakeList(std::vector<FWxTranscriptValue> items) {
    FWxTranscriptValue r;
    r.m_kind = kList;
    r.m_list = std::move(items);
    return r;
}

double FWxTranscriptValue::GetReal() const {
    if (m_kind == kInt) return double(m_int);
    return m_kind == kReal ? m_xyz[0] : 0.0;
}

const UTxString16& FWxTranscriptValue::GetText() const {
    return m_kind == kString || m_kind == kRef ? m_text : kNoText;
}

const RSeRefBase& FWxTranscriptValue::GetRef() const {
    return m_kind == kRef ? m_ref : kNoRef;
}

const double* FWxTranscriptValue::GetTriple() const {
    return m_kind == kTriple ? m_xyz : kNoTriple;
}

WqGePoint3d FWxTranscriptValue::GetPoint() const {
    const double* xyz = GetTriple();
    return {xyz[0], xyz[1], xyz[2]};
}

WqGeVector3d FWxTranscriptValue::GetVector() const {
    const double* xyz = GetTriple();
    return {xyz[0], xyz[1], xyz[2]};
}

const std::vector<FWxTranscriptValue>& FWxTranscriptValue::GetList() const {
    return m_kind == kList ? m_list : kNoList;
}

bool operator==(const FWxTranscriptValue& a, const FWxTranscriptValue& b) {
    if (a.m_kind != b.m_kind) return false;
    switch (a.m_kind) {
    case FWxTranscriptValue::kNull:
        return true;
    case FWxTranscriptValue::kInt:
        return a.m_int == b.m_int;
    case FWxTranscriptValue::kReal:
        return SameBits(a.m_xyz[0], b.m_xyz[0]);
    case FWxTranscriptValue::kBool:
        return a.m_bool == b.m_bool;
    case FWxTranscriptValue::kString:
        return a.m_text == b.m_text;
    case FWxTranscriptValue::kRef:
        return a.m_live == b.m_live && a.m_ref == b.m_ref && a.m_text == b.m_text;
    case FWxTranscriptValue::kTriple:
        return SameBits(a.m_xyz[0], b.m_xyz[0]) && SameBits(a.m_xyz[1], b.m_xyz[1]) &&
               SameBits(a.m_xyz[2], b.m_xyz[2]);
    case FWxTranscriptValue::kList:
        return a.m_list == b.m_list;
    }
    return false;
}

const char16_t* FWxTranscriptValue::KindName(Kind kind) {
    switch (kind) {
    case kNull:
        return u"null";
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

bool FWxTranscriptValue::ShareAList(Kind a, Kind b) {
    auto group = [](Kind k) {
        if (k == kInt) return kReal;
        return k == kNull ? kRef : k;
    };
    return group(a) == group(b);
}
