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

FWxTranscriptValue FWxTranscriptValue::MakeFloat(float v) {
    FWxTranscriptValue r = MakeReal(v);
    r.m_float = true;
    return r;
}

FWxTranscriptValue FWxTranscriptValue::MakePoint(const WqGePoint3d& p) {
    return MakeTriple(p.x, p.y, p.z);
}

FWxTranscriptValue FWxTranscriptValue::MakeVector(const WqGeVector3d& v) {
    return MakePoint({v.x, v.y, v.z});
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

// Copied, not subtracted from the origin, so that every bit reads back.
WqGeVector3d FWxTranscriptValue::GetVector() const {
    const WqGePoint3d p = GetPoint();
    return {p.x, p.y, p.z};
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
    case FWxTranscriptValue::kBool:
        return a.m_int == b.m_int;
    case FWxTranscriptValue::kReal:
        return SameBits(a.m_xyz[0], b.m_xyz[0]);
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
