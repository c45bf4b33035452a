#include "rse/RSeStream.h"

#include <limits>
#include <string>

#include "rse/RSeErrors.h"
#include "rse/RSeIDed.h"
#include "rse/RSeVMeta.h"
#include "utx/UTxGUID.h"

namespace {
constexpr uint32_t kVoidMark = 0xFFFFFFFFu;
static_assert(kVoidMark == RSeStream::kNoTypeMark);

template <class T> T LoadLE(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v); // the host is little-endian, as the file is
    return v;
}

const char16_t* TagName(uint8_t t) {
    static const char16_t* names[] = {
        u"nothing",  u"bool",      u"char",      u"short",     u"long",      u"unsigned", u"float",
        u"double",   u"string",    u"reference", u"pointer",   u"type mark", u"embedded", u"GUID",
        u"2D point", u"2D vector", u"3D point",  u"3D vector", u"matrix"};
    return t < sizeof names / sizeof names[0] ? names[t] : u"unknown value";
}

// "a bool", "an unsigned", "an unknown value".
UTxString16 WithArticle(const char16_t* name) {
    const std::u16string_view vowels = u"aeiou";
    return UTxString16(vowels.find(name[0]) != std::u16string_view::npos ? u"an " : u"a ") + name;
}
} // namespace

// ---- writing ----------------------------------------------------------------------------

RSeBaseStream& RSeBaseStream::Write(const bool& v) {
    const uint8_t b = v ? 1 : 0;
    Put(RSeTag::Bool, &b, 1);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const char& v) {
    Put(RSeTag::Char, &v, 1);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const int16_t& v) {
    Put(RSeTag::Short, &v, 2);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const int32_t& v) {
    Put(RSeTag::Long, &v, 4);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const uint32_t& v) {
    Put(RSeTag::ULong, &v, 4);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const float& v) {
    Put(RSeTag::Float, &v, 4);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const double& v) {
    Put(RSeTag::Double, &v, 8);
    return *this;
}
RSeBaseStream& RSeBaseStream::Write(const UTxString16& v) {
    const uint32_t n = uint32_t(v.size());
    const size_t at = m_out->size();
    m_out->resize(at + 5 + 2 * size_t(n));
    uint8_t* p = m_out->data() + at;
    p[0] = uint8_t(RSeTag::String);
    std::memcpy(p + 1, &n, 4);
    if (n) std::memcpy(p + 5, v.data(), 2 * size_t(n));
    return *this;
}

RSeStream::RSeStream(std::vector<uint8_t>* out, RSeSaveSite* site)
    : RSeBaseStream(out), m_saveSite(site), m_ctx(&m_ownCtx) {}

RSeStream::RSeStream(const uint8_t* begin, const uint8_t* end, RSeLoadSite* site,
                     RSeSegment* segment, RSeMetaContext* ctx)
    : RSeBaseStream(nullptr), m_loadSite(site), m_pos(begin), m_end(end), m_segment(segment),
      m_loading(true), m_ctx(ctx ? ctx : &m_ownCtx) {}

RSeStream& RSeStream::Write(const RSeRefBase& ref) {
    uint32_t v = 0;
    const uint32_t index = m_saveSite ? m_saveSite->RefValueAt(ref, m_out->size() + 1) : UINT32_MAX;
    if (index < 0x7FFFFFFFu) v = 2 * index + 1;
    Put(RSeTag::Ref, &v, 4);
    return *this;
}

RSeStream& RSeStream::Write(const RSeVMeta* ptr) {
    uint32_t v = 0;
    if (ptr) {
        const uint32_t index = m_saveSite ? m_saveSite->ObjectIndex(ptr) : UINT32_MAX;
        if (index < UINT32_MAX) v = index + 1;
    }
    Put(RSeTag::Ptr, &v, 4);
    return *this;
}

RSeStream& RSeStream::Write(const UTxGUID& guid) {
    uint32_t w[4] = {guid.Word(0), guid.Word(1), guid.Word(2), guid.Word(3)};
    Put(RSeTag::Guid, w, 16);
    return *this;
}

void RSeStream::WriteTypeMark(const RSeMetaType* mt) {
    const uint32_t v =
        (!mt || mt == RSe::_GetMeta(static_cast<const void*>(nullptr)) || !m_saveSite)
            ? kVoidMark
            : m_saveSite->MetaIndex(mt);
    Put(RSeTag::TypeMark, &v, 4);
}

void RSeStream::WriteEmbeddedMark(const RSeMetaType* mt) {
    const uint32_t v = m_saveSite && mt ? m_saveSite->MetaIndex(mt) : kVoidMark;
    Put(RSeTag::Embedded, &v, 4);
}

void RSeStream::WriteGeometry(RSeTag tag, const double* v, size_t n) {
    Put(tag, v, n * sizeof(double));
}

// ---- reading ----------------------------------------------------------------------------

void RSeStream::Overrun() const {
    RSe::ThrowDamaged(u"a stored object reads past the end of its record");
}

void RSeStream::Mismatch(RSeTag want, uint8_t got) const {
    RSe::ThrowDamaged(WithArticle(TagName(uint8_t(want))) + u" was expected where " +
                      WithArticle(TagName(got)) + u" is stored");
}

void RSeStream::TypeMarkMismatch() {
    RSe::ThrowDamaged(u"a stored type mark does not match");
}

void RSeStream::BadBool() {
    RSe::ThrowDamaged(u"a stored boolean is neither true nor false");
}

void RSeStream::Read(UTxString16& v) {
    const uint32_t n = LoadLE<uint32_t>(Take(RSeTag::String, 4));
    if (size_t(n) > Remaining() / 2) Overrun();
    v.resize(n);
    if (n) std::memcpy(v.data(), m_pos, 2 * size_t(n));
    m_pos += 2 * size_t(n);
}

void RSeStream::Read(RSeRefBase& ref) {
    const uint32_t v = LoadLE<uint32_t>(Take(RSeTag::Ref, 4));
    if (v && !(v & 1)) RSe::ThrowDamaged(u"a stored reference is malformed");
    if (v) {
        ref.SetStoredValue(v);
        if (m_refLog) m_refLog->push_back(v >> 1);
    } else {
        ref.Clear();
    }
}

void RSeStream::Read(void*& ptr) {
    const uint32_t v = LoadLE<uint32_t>(Take(RSeTag::Ptr, 4));
    ptr = reinterpret_cast<void*>(uintptr_t(v));
}

void RSeStream::Read(UTxGUID& guid) {
    const uint8_t* p = Take(RSeTag::Guid, 16);
    guid = UTxGUID(LoadLE<uint32_t>(p), LoadLE<uint32_t>(p + 4), LoadLE<uint32_t>(p + 8),
                   LoadLE<uint32_t>(p + 12));
}

namespace {
template <class T>
void BulkRead(const uint8_t*& pos, const uint8_t* end, RSeTag tag, T* v, uint32_t n,
              const RSeStream& s) {
    constexpr size_t step = 1 + sizeof(T);
    if (size_t(n) > size_t(end - pos) / step) s.CheckCount(n, step);
    const uint8_t* p = pos;
    for (uint32_t i = 0; i < n; ++i, p += step) {
        if (*p != uint8_t(tag)) RSe::ThrowDamaged(u"a vector element of another kind is stored");
        std::memcpy(v + i, p + 1, sizeof(T));
    }
    pos = p;
}
} // namespace

void RSeStream::Read(int32_t* v, uint32_t n) {
    BulkRead(m_pos, m_end, RSeTag::Long, v, n, *this);
}
void RSeStream::Read(uint32_t* v, uint32_t n) {
    BulkRead(m_pos, m_end, RSeTag::ULong, v, n, *this);
}
void RSeStream::Read(double* v, uint32_t n) {
    BulkRead(m_pos, m_end, RSeTag::Double, v, n, *this);
}

void RSeStream::Read(RSeRefBase* refs, uint32_t n, size_t stride) {
    constexpr size_t step = 5;
    CheckCount(n, step);
    char* base = reinterpret_cast<char*>(refs);
    const uint8_t* p = m_pos;
    for (uint32_t i = 0; i < n; ++i, p += step) {
        if (*p != uint8_t(RSeTag::Ref))
            RSe::ThrowDamaged(u"a vector element of another kind is stored");
        const uint32_t v = LoadLE<uint32_t>(p + 1);
        if (v && !(v & 1)) RSe::ThrowDamaged(u"a stored reference is malformed");
        RSeRefBase& r = *reinterpret_cast<RSeRefBase*>(base + i * stride);
        if (v) {
            r.SetStoredValue(v);
            if (m_refLog) m_refLog->push_back(v >> 1);
        } else {
            r.Clear();
        }
    }
    m_pos = p;
}

void RSeStream::ReadTypeMark(const RSeMetaType* expected) {
    const uint32_t v = LoadLE<uint32_t>(Take(RSeTag::TypeMark, 4));
    static const RSeMetaType* const voidMeta = RSe::_GetMeta(static_cast<const void*>(nullptr));
    if (!expected || expected == voidMeta) {
        if (v != kVoidMark) TypeMarkMismatch();
        return;
    }
    RSeMetaType* mt = m_loadSite && v != kVoidMark ? m_loadSite->LoadMetaAt(v) : nullptr;
    if (!mt || mt->GetClassMeta() != expected->GetClassMeta()) TypeMarkMismatch();
}

RSeMetaType* RSeStream::ReadEmbeddedMark(RSeMetaType* expected) {
    const uint32_t v = LoadLE<uint32_t>(Take(RSeTag::Embedded, 4));
    RSeMetaType* mt = m_loadSite && v != kVoidMark ? m_loadSite->LoadMetaAt(v) : nullptr;
    if (!mt || (expected && !mt->IsKindOf(expected)))
        RSe::ThrowDamaged(u"a stored embedded object is of another class");
    return mt;
}

void RSeStream::ReadGeometry(RSeTag tag, double* v, size_t n) {
    std::memcpy(v, Take(tag, n * sizeof(double)), n * sizeof(double));
}

uint32_t RSeSaveSite::RefIndex(const RSeIDed* obj) {
    return ObjectIndex(obj);
}

uint32_t RSeSaveSite::RefValue(const RSeRefBase& ref) {
    RSeIDed* t = ref.GetTarget();
    return t ? RefIndex(t) : UINT32_MAX;
}
