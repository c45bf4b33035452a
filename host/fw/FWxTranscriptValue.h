#pragma once
// One typed value: what a transcript line holds under a key, and what an edit record
// (FBxObjectEditRecord) holds at a position, so that a request journals its records as they are.
// The literals are those of the transcript grammar (FWxTranscriptMgr.h); they are written and
// read beside the line reader, in FWxTranscriptMgr.cpp.
//
// A reference is either the name-key text a line gives (MakeRef(text), resolved in a document
// by FWxTranscriptMgr::ResolveRSeRef) or a live reference an editor holds (MakeRef(ref), written
// by its name key, FWxTranscriptMgr::NameRef). A null live reference stays a reference, so that
// a record keeps the kind of each position; on a line it is null.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class WqGePoint3d;
class WqGeVector3d;

class FWxTranscriptValue {
public:
    // Points and vectors are one kind: a triple.
    enum Kind : uint8_t { kNull, kInt, kReal, kBool, kString, kRef, kTriple, kList };

    // Null.
    FWxTranscriptValue() {}
    FWxTranscriptValue(const FWxTranscriptValue& o);
    FWxTranscriptValue(FWxTranscriptValue&& o) noexcept { TakeFrom(o); }
    FWxTranscriptValue& operator=(const FWxTranscriptValue& o);
    FWxTranscriptValue& operator=(FWxTranscriptValue&& o) noexcept;
    ~FWxTranscriptValue() {
        if (HeldMember() != kHeldPlain) Reset();
    }
    static FWxTranscriptValue MakeInt(int64_t v) { return FWxTranscriptValue(kInt, v); }
    static FWxTranscriptValue MakeReal(double v) { return FWxTranscriptValue(kReal, v, 0, 0); }
    // Written in the shortest form that still reads back to the same float.
    static FWxTranscriptValue MakeFloat(float v);
    static FWxTranscriptValue MakeBool(bool v) { return FWxTranscriptValue(kBool, v ? 1 : 0); }
    static FWxTranscriptValue MakeString(UTxString16 v) {
        return FWxTranscriptValue(kString, std::move(v));
    }
    // A reference by its name-key text.
    static FWxTranscriptValue MakeRef(UTxString16 keyText) {
        return FWxTranscriptValue(kRef, std::move(keyText));
    }
    // A live reference.
    static FWxTranscriptValue MakeRef(const RSeRefBase& ref) { return FWxTranscriptValue(ref); }
    static FWxTranscriptValue MakeTriple(double x, double y, double z) {
        return FWxTranscriptValue(kTriple, x, y, z);
    }
    static FWxTranscriptValue MakePoint(const WqGePoint3d& p);
    static FWxTranscriptValue MakeVector(const WqGeVector3d& v);
    // A line holds lists of one kind (see ShareAList).
    static FWxTranscriptValue MakeList(std::vector<FWxTranscriptValue> items) {
        return FWxTranscriptValue(std::move(items));
    }

    // A value of another kind reads as the kind's zero.
    Kind GetKind() const { return m_kind; }
    bool IsNumber() const { return m_kind == kInt || m_kind == kReal; }
    int64_t GetInt() const { return m_kind == kInt ? m_int : 0; }
    // Integers too.
    double GetReal() const;
    bool GetBool() const { return m_kind == kBool && m_int != 0; }
    // The string, or the name-key text of a reference.
    const UTxString16& GetText() const;
    // Whether a reference is a live one rather than a name-key text.
    bool IsLiveRef() const { return m_kind == kRef && m_live; }
    // The live reference; null for a reference by text.
    const RSeRefBase& GetRef() const;
    // Three zeros for another kind.
    const double* GetTriple() const;
    WqGePoint3d GetPoint() const;
    WqGeVector3d GetVector() const;
    const std::vector<FWxTranscriptValue>& GetList() const;

    // Reals compare by their bits, so that equality means "reads back as written"; how a real
    // is written (MakeFloat) is not part of it.
    friend bool operator==(const FWxTranscriptValue& a, const FWxTranscriptValue& b);

    // A live reference is written by its name key, null for a null reference (PutValue refuses
    // one that has no name key).
    void AppendLiteral(UTxString16& out) const;
    UTxString16 ToLiteral() const;
    // One literal making up all of `text`.
    static UTxResult Parse(std::u16string_view text, FWxTranscriptValue& out);
    // "an integer", "a string", ... for messages.
    static const char16_t* KindName(Kind kind);
    // Whether items of these kinds may share a list: integers and reals are numbers, null is a
    // missing reference.
    static bool ShareAList(Kind a, Kind b);

private:
    // A boolean is kept as the integer 0 or 1.
    FWxTranscriptValue(Kind kind, int64_t i) : m_kind(kind), m_int(i) {}
    FWxTranscriptValue(Kind kind, double x, double y, double z)
        : m_kind(kind), m_xyz{x, y, z} {}
    FWxTranscriptValue(Kind kind, UTxString16 text) : m_kind(kind), m_text(std::move(text)) {}
    explicit FWxTranscriptValue(const RSeRefBase& ref) : m_kind(kRef), m_live(true), m_ref(ref) {}
    explicit FWxTranscriptValue(std::vector<FWxTranscriptValue> items)
        : m_kind(kList), m_list(std::move(items)) {}

    // Which member of the union the kind keeps.
    enum Held : uint8_t { kHeldPlain, kHeldText, kHeldRef, kHeldList };
    Held HeldMember() const {
        if (m_kind == kString || (m_kind == kRef && !m_live)) return kHeldText;
        if (m_kind == kRef) return kHeldRef;
        return m_kind == kList ? kHeldList : kHeldPlain;
    }
    // Ends the held member and leaves null.
    void Reset();
    // Takes `o`'s kind and member while null; `o` is left null.
    void TakeFrom(FWxTranscriptValue& o) noexcept;

    Kind m_kind = kNull;
    bool m_float = false;
    bool m_live = false;
    // One member per kind: lines are parsed into thousands of values, and a value carrying a
    // string, a reference and a list at once was most of what parsing and copying cost.
    union {
        int64_t m_int = 0;
        double m_xyz[3];
        UTxString16 m_text;
        RSeRefBase m_ref;
        std::vector<FWxTranscriptValue> m_list;
    };
};
