#include "fw/FWxTranscriptValue.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <new>

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

FWxTranscriptValue::FWxTranscriptValue(const FWxTranscriptValue& o)
    : m_kind(o.m_kind), m_float(o.m_float), m_live(o.m_live) {
    switch (o.HeldMember()) {
    case kHeldPlain:
        std::copy(std::begin(o.m_xyz), std::end(o.m_xyz), m_xyz);
        break;
    case kHeldText:
        new (&m_text) UTxString16(o.m_text);
        break;
    case kHeldRef:
        new (&m_ref) RSeRefBase(o.m_ref);
        break;
    case kHeldList:
        new (&m_list) std::vector<FWxTranscriptValue>(o.m_list);
        break;
    }
}

// Through a copy, so that `o` may be part of this value (an item of its list).
FWxTranscriptValue& FWxTranscriptValue::operator=(const FWxTranscriptValue& o) {
    if (this != &o) {
        FWxTranscriptValue copy(o);
        Reset();
        TakeFrom(copy);
    }
    return *this;
}

FWxTranscriptValue& FWxTranscriptValue::operator=(FWxTranscriptValue&& o) noexcept {
    // A value holding no member cannot hold `o` either: taken directly, as a reader fills the
    // null values it starts from.
    if (HeldMember() == kHeldPlain) {
        if (this != &o) TakeFrom(o);
        return *this;
    }
    if (this != &o) {
        FWxTranscriptValue taken(std::move(o));
        Reset();
        TakeFrom(taken);
    }
    return *this;
}

void FWxTranscriptValue::Reset() {
    switch (HeldMember()) {
    case kHeldPlain:
        break;
    case kHeldText:
        m_text.~UTxString16();
        break;
    case kHeldRef:
        m_ref.~RSeRefBase();
        break;
    case kHeldList:
        m_list.~vector();
        break;
    }
    m_kind = kNull;
    m_float = false;
    m_live = false;
    m_int = 0;
}

void FWxTranscriptValue::TakeFrom(FWxTranscriptValue& o) noexcept {
    m_kind = o.m_kind;
    m_float = o.m_float;
    m_live = o.m_live;
    switch (o.HeldMember()) {
    case kHeldPlain:
        std::copy(std::begin(o.m_xyz), std::end(o.m_xyz), m_xyz);
        break;
    case kHeldText:
        new (&m_text) UTxString16(std::move(o.m_text));
        break;
    case kHeldRef:
        new (&m_ref) RSeRefBase(std::move(o.m_ref));
        break;
    case kHeldList:
        new (&m_list) std::vector<FWxTranscriptValue>(std::move(o.m_list));
        break;
    }
    o.Reset();
}

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
    return HeldMember() == kHeldText ? m_text : kNoText;
}

const RSeRefBase& FWxTranscriptValue::GetRef() const {
    return HeldMember() == kHeldRef ? m_ref : kNoRef;
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
        if (a.m_live != b.m_live) return false;
        return a.m_live ? a.m_ref == b.m_ref : a.m_text == b.m_text;
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
