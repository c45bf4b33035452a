#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "rse/RSeBulkMemory.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class RSeVMeta;
class RSeIDed;
class RSeSegment;
class UTxGUID;

// Every value in a stream carries a one-byte mark of its kind, so that a reader that disagrees
// with the writer stops at the first value instead of reading garbage.
enum class RSeTag : uint8_t {
    Bool = 1,
    Char,
    Short,
    Long,
    ULong,
    Float,
    Double,
    String,
    Ref,
    Ptr,
    TypeMark,
    Embedded,
    Guid,
    Point2d,
    Vector2d,
    Point3d,
    Vector3d,
    Matrix3d,
};

// A container type code as the stream stores it.
struct RSeTypeCode {
    static constexpr uint32_t kInvalid = 0x80000000u;
    static constexpr uint32_t kVector = 0x30000002u;
    static constexpr uint32_t kMap = 0x30000006u;
    uint32_t code = kInvalid;
};

// What a saving stream asks of the save that drives it.
class RSeSaveSite {
public:
    virtual ~RSeSaveSite() = default;
    // Stored index of an object, or UINT32_MAX when the object is not part of the save.
    virtual uint32_t ObjectIndex(const RSeVMeta* obj) = 0;
    // The same for the target of a reference.
    virtual uint32_t RefIndex(const RSeIDed* obj);
    // What a reference is written as: its target's index (the default), or UINT32_MAX for null.
    virtual uint32_t RefValue(const RSeRefBase& ref);
    // The same, told where in the output the reference's 4 bytes go (`at`): a save may answer
    // UINT32_MAX and write the value there itself later.
    virtual uint32_t RefValueAt(const RSeRefBase& ref, size_t at) { return RefValue(ref); }
    virtual uint32_t MetaIndex(const RSeMetaType* mt) = 0;
};

// What a loading stream asks of the load that drives it.
class RSeLoadSite {
public:
    virtual ~RSeLoadSite() = default;
    // The meta type that reads objects stored under table index `index`, or null.
    virtual RSeMetaType* LoadMetaAt(uint32_t index) = 0;
};

// The write half: typed writes and the per-type counts of the values written through the
// counting insertions.
class RSeBaseStream {
public:
    explicit RSeBaseStream(std::vector<uint8_t>* out) : m_out(out) {}
    virtual ~RSeBaseStream() = default;

    RSeBaseStream& Write(const bool& v);
    RSeBaseStream& Write(const char& v);
    RSeBaseStream& Write(const int16_t& v);
    RSeBaseStream& Write(const int32_t& v);
    RSeBaseStream& Write(const uint32_t& v);
    RSeBaseStream& Write(const float& v);
    RSeBaseStream& Write(const double& v);
    RSeBaseStream& Write(const UTxString16& v);

    // Counts of values written, by type.
    uint32_t m_boolCount = 0;
    uint32_t m_ulongCount = 0;
    uint32_t m_charCount = 0;
    uint32_t m_shortCount = 0;
    uint32_t m_longCount = 0;
    uint32_t m_floatCount = 0;
    uint32_t m_doubleCount = 0;
    uint32_t m_stringCount = 0;

protected:
    void Put(RSeTag tag, const void* data, size_t n) {
        const size_t at = m_out->size();
        m_out->resize(at + 1 + n);
        (*m_out)[at] = uint8_t(tag);
        std::memcpy(m_out->data() + at + 1, data, n);
    }
    std::vector<uint8_t>* m_out;
};

// The stream that save and load callbacks see. A saving stream appends to a buffer; a loading
// stream reads one stored object's bytes and refuses to read past them.
class RSeStream : public RSeBaseStream {
public:
    // Saving into `out`.
    RSeStream(std::vector<uint8_t>* out, RSeSaveSite* site);
    // Loading from [begin, end).
    RSeStream(const uint8_t* begin, const uint8_t* end, RSeLoadSite* site, RSeSegment* segment,
              RSeMetaContext* ctx);

    using RSeBaseStream::Write;
    RSeStream& Write(const RSeRefBase& ref);
    RSeStream& Write(const RSeVMeta* ptr);
    RSeStream& Write(const UTxGUID& guid);
    void WriteTypeMark(const RSeMetaType* mt);
    static constexpr uint32_t kNoTypeMark = 0xFFFFFFFFu;
    // The type mark of elements that have no meta type of their own (as WriteTypeMark and
    // ReadTypeMark of the void meta type); every stored container has one, so it is inline.
    void WriteNoTypeMark() { Put(RSeTag::TypeMark, &kNoTypeMark, 4); }
    void ReadNoTypeMark() {
        uint32_t v;
        std::memcpy(&v, Take(RSeTag::TypeMark, 4), 4);
        if (v != kNoTypeMark) [[unlikely]]
            TypeMarkMismatch();
    }
    // A reference slot that holds a plain 32-bit value: older formats kept keys in reference
    // form. The value is written and read as it is, never resolved.
    void WriteRefSlotValue(uint32_t v) { Put(RSeTag::Ref, &v, 4); }
    void ReadRefSlotValue(uint32_t& v) { std::memcpy(&v, Take(RSeTag::Ref, 4), 4); }
    void WriteEmbeddedMark(const RSeMetaType* mt);
    void WriteGeometry(RSeTag tag, const double* v, size_t n);

    void Read(bool& v) {
        const uint8_t b = *Take(RSeTag::Bool, 1);
        if (b > 1) [[unlikely]]
            BadBool();
        v = b != 0;
    }
    void Read(char& v) { v = char(*Take(RSeTag::Char, 1)); }
    void Read(int16_t& v) { Scalar(RSeTag::Short, v); }
    void Read(int32_t& v) { Scalar(RSeTag::Long, v); }
    void Read(uint32_t& v) { Scalar(RSeTag::ULong, v); }
    void Read(float& v) { Scalar(RSeTag::Float, v); }
    void Read(double& v) { Scalar(RSeTag::Double, v); }
    void Read(UTxString16& v);
    void Read(RSeRefBase& ref);
    void Read(void*& ptr);
    void Read(UTxGUID& guid);
    void Read(RSeTypeCode& code) { Read(code.code); }
    // Bulk reads of n values written one by one with the matching Write.
    void Read(int32_t* v, uint32_t n);
    void Read(uint32_t* v, uint32_t n);
    void Read(double* v, uint32_t n);
    void Read(RSeRefBase* refs, uint32_t n, size_t stride = sizeof(RSeRefBase));
    template <class T> void Read(RSeRef<T>* refs, uint32_t n) {
        Read(static_cast<RSeRefBase*>(refs), n, sizeof(RSeRef<T>));
    }
    // Reads a type mark and checks that it names `expected`.
    void ReadTypeMark(const RSeMetaType* expected);
    // Reads an embedded-object mark; answers the meta type that reads the stored object, which
    // must be `expected` or derive from it.
    RSeMetaType* ReadEmbeddedMark(RSeMetaType* expected);
    void ReadGeometry(RSeTag tag, double* v, size_t n);

    // Fails the load unless `count` items of at least `minBytes` each can still follow.
    void CheckCount(uint32_t count, size_t minBytes) const {
        if (minBytes && size_t(count) > Remaining() / minBytes) Overrun();
    }
    size_t Remaining() const { return size_t(m_end - m_pos); }
    bool AtEnd() const { return m_pos == m_end; }

    // Moves a loading stream on to the next stored object's bytes.
    void SetRecord(const uint8_t* begin, const uint8_t* end, RSeSegment* segment) {
        m_pos = begin;
        m_end = end;
        m_segment = segment;
    }

    // Load support: every stored reference read is also noted here (its object index), so that
    // the load can look ahead at what the next objects' references will touch.
    void SetReferenceLog(RSeBulkVector<uint32_t>* log) { m_refLog = log; }

    bool IsLoading() const { return m_loading; }
    RSeMetaContext& GetMetaContext() { return *m_ctx; }
    RSeSegment* GetSegment() const { return m_segment; }

private:
    // The n bytes of a value marked `tag`; every read checks the mark and the record's end.
    const uint8_t* Take(RSeTag tag, size_t n) {
        if (size_t(m_end - m_pos) < n + 1) [[unlikely]]
            Overrun();
        if (*m_pos != uint8_t(tag)) [[unlikely]]
            Mismatch(tag, *m_pos);
        const uint8_t* p = m_pos + 1;
        m_pos += n + 1;
        return p;
    }
    // The host is little-endian, as the file is.
    template <class T> void Scalar(RSeTag tag, T& v) {
        std::memcpy(&v, Take(tag, sizeof(T)), sizeof(T));
    }
    [[noreturn]] void Overrun() const;
    [[noreturn]] static void TypeMarkMismatch();
    [[noreturn]] static void BadBool();
    [[noreturn]] void Mismatch(RSeTag want, uint8_t got) const;

    RSeSaveSite* m_saveSite = nullptr;
    RSeLoadSite* m_loadSite = nullptr;
    const uint8_t* m_pos = nullptr;
    const uint8_t* m_end = nullptr;
    RSeSegment* m_segment = nullptr;
    bool m_loading = false;
    RSeMetaContext* m_ctx;
    RSeMetaContext m_ownCtx;
    RSeBulkVector<uint32_t>* m_refLog = nullptr;
};

// Guards a stretch of reference reads; references here allocate nothing while they are read,
// so the guard only marks the place.
class RSeIRefAllocDisable {
public:
    explicit RSeIRefAllocDisable(RSeSegment*) {}
};
