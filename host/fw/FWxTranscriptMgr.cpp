#include "fw/FWxTranscriptMgr.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

#include "fw/FBxObjectNameKey.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"

namespace {

struct Messages {
    Messages() {
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptMissing),
                             u"Transcript value missing");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptWrongType),
                             u"Transcript value of the wrong type");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptUnresolved),
                             u"Transcript reference does not resolve");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptMalformed),
                             u"Transcript line is malformed");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptOutOfRange),
                             u"Transcript value out of range");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrTranscriptFile),
                             u"The transcript file cannot be written");
    }
} g_messages;

constexpr uint64_t kQuietNaN = 0x7FF8000000000000ull;
constexpr uint64_t kSignBit = 0x8000000000000000ull;
// Lists may hold lists; a bound keeps hostile input from exhausting the stack.
constexpr int kMaxDepth = kFWxTranscriptMaxDepth;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}
bool IsIdentChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

void AppendAscii(UTxString16& out, std::string_view s) {
    // Widened in place rather than a unit at a time: every number of a line comes through here.
    const size_t at = out.size();
    out.resize(at + s.size());
    char16_t* to = out.data() + at;
    for (char c : s)
        *to++ = char16_t(uint8_t(c));
}

void AppendHex4(UTxString16& out, char16_t c) {
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(char16_t(hex[(c >> shift) & 0xF]));
}

// An integer-looking shortest form gets ".0" so that it reads back as a real.
void AppendShortest(UTxString16& out, std::string_view digits) {
    AppendAscii(out, digits);
    if (digits.find_first_of(".e") == std::string_view::npos) AppendAscii(out, ".0");
}

void AppendReal(UTxString16& out, double d) {
    if (std::isnan(d)) {
        const uint64_t bits = std::bit_cast<uint64_t>(d);
        if (bits == kQuietNaN) {
            AppendAscii(out, "nan");
        } else if (bits == (kQuietNaN | kSignBit)) {
            AppendAscii(out, "-nan");
        } else {
            // Any other payload is kept whole, so that even NaNs read back bit for bit.
            char buf[40];
            auto r = std::to_chars(buf, buf + sizeof buf, bits, 16);
            AppendAscii(out, "nan(0x");
            AppendAscii(out, std::string(size_t(16 - (r.ptr - buf)), '0'));
            AppendAscii(out, std::string_view(buf, size_t(r.ptr - buf)));
            AppendAscii(out, ")");
        }
    } else if (std::isinf(d)) {
        AppendAscii(out, d < 0 ? "-inf" : "inf");
    } else {
        char buf[40];
        auto r = std::to_chars(buf, buf + sizeof buf, d);
        AppendShortest(out, std::string_view(buf, size_t(r.ptr - buf)));
    }
}

void AppendFloat(UTxString16& out, float f) {
    if (std::isfinite(f)) {
        // The float's own shortest form reads as a double that need not narrow back to the same
        // float; use it only when it does.
        char buf[40];
        auto r = std::to_chars(buf, buf + sizeof buf, f);
        double back = 0;
        std::from_chars(buf, r.ptr, back);
        if (std::bit_cast<uint32_t>(float(back)) == std::bit_cast<uint32_t>(f)) {
            AppendShortest(out, std::string_view(buf, size_t(r.ptr - buf)));
            return;
        }
    }
    AppendReal(out, double(f));
}

// Whether a unit goes on a line as it is: not a quote, a backslash, a control or a surrogate.
bool IsPlainUnit(char16_t c) {
    return c >= 0x20 && c != u'"' && c != u'\\' && !(c >= 0x7F && c <= 0x9F) &&
           !(c >= 0xD800 && c <= 0xDFFF);
}

void AppendString(UTxString16& out, std::u16string_view s) {
    out.push_back(u'"');
    for (size_t i = 0; i < s.size(); ++i) {
        // A run without escapes is appended whole: the string's own push_back is not inlined.
        size_t run = i;
        while (run < s.size() && IsPlainUnit(s[run]))
            ++run;
        if (run != i) {
            out.append(s.substr(i, run - i));
            i = run;
            if (i == s.size()) break;
        }
        const char16_t c = s[i];
        switch (c) {
        case u'"':
            out += u"\\\"";
            continue;
        case u'\\':
            out += u"\\\\";
            continue;
        case u'\n':
            out += u"\\n";
            continue;
        case u'\r':
            out += u"\\r";
            continue;
        case u'\t':
            out += u"\\t";
            continue;
        default:
            break;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            out.push_back(c);
            out.push_back(s[++i]);
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF)) {
            // Controls would be invisible or break the line; a lone surrogate has no UTF-8 form.
            out += u"\\u";
            AppendHex4(out, c);
        } else {
            out.push_back(c);
        }
    }
    out.push_back(u'"');
}

UTxString16 DescribeChar(char16_t c) {
    if (c >= 0x21 && c < 0x7F) return UTxString16(u"'") + c + u"'";
    UTxString16 s = u"U+";
    AppendHex4(s, c);
    return s;
}

// FNV-1a over the key's units, then mixed so that keys differing only in their last units
// (Fields_1a, Fields_1b, ...) spread over the low bits the table uses.
size_t HashKey(std::u16string_view key) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (char16_t c : key) {
        h ^= c;
        h *= 0x100000001B3ull;
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return size_t(h);
}

// Why a value cannot go on a line, read from `depth` lists deep: lists nested deeper than a line
// may hold them, or a live reference without a name key.
UTxResult WriteProblem(const FWxTranscriptValue& v, int depth) {
    if (v.IsLiveRef()) {
        UTxString16 keyText;
        return FWxTranscriptMgr::NameRef(v.GetRef(), keyText);
    }
    if (v.GetKind() != FWxTranscriptValue::kList) return {};
    if (depth >= kMaxDepth) return UTxResult(kFWxErrTranscriptMalformed, u"lists nested too deeply");
    for (const FWxTranscriptValue& item : v.GetList()) {
        UTxResult r = WriteProblem(item, depth + 1);
        if (r.Failed()) return r;
    }
    return {};
}

// Whether every list in `v` holds one kind, as the reader wants it.
bool ListsOfOneKind(const FWxTranscriptValue& v) {
    if (v.GetKind() != FWxTranscriptValue::kList) return true;
    const std::vector<FWxTranscriptValue>& items = v.GetList();
    for (const FWxTranscriptValue& item : items)
        if (!FWxTranscriptValue::ShareAList(item.GetKind(), items.front().GetKind()) ||
            !ListsOfOneKind(item))
            return false;
    return true;
}

// Recursive-descent reader of a line or of a single literal. The first problem is kept with its
// column and the key whose value was being read.
class Reader {
public:
    explicit Reader(std::u16string_view s) : m_s(s) {}

    bool AtEnd() const { return m_pos >= m_s.size(); }
    char16_t Peek() const { return AtEnd() ? 0 : m_s[m_pos]; }
    size_t Pos() const { return m_pos; }
    void Rewind(size_t pos) { m_pos = pos; }
    void Skip() { ++m_pos; }
    void SetKey(std::u16string_view key) { m_key = key; }

    bool Fail(std::u16string_view problem, size_t pos) {
        if (m_problem.empty()) {
            m_problem = problem;
            m_problemPos = pos;
        }
        return false;
    }
    bool Fail(std::u16string_view problem) { return Fail(problem, m_pos); }

    // "<key>: <problem> (column N)", the key left out outside a pair.
    UTxString16 Problem() const {
        UTxString16 text;
        if (!m_key.empty()) {
            text = m_key;
            text += u": ";
        }
        text += m_problem;
        text += u" (column ";
        AppendAscii(text, std::to_string(m_problemPos + 1));
        text += u")";
        return text;
    }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(m_s[m_pos]))
            ++m_pos;
    }

    std::u16string_view ReadIdentView() {
        const size_t start = m_pos;
        while (!AtEnd() && IsIdentChar(m_s[m_pos]))
            ++m_pos;
        return m_s.substr(start, m_pos - start);
    }
    UTxString16 ReadIdent() { return UTxString16(ReadIdentView()); }

    bool ReadValue(FWxTranscriptValue& out, int depth) {
        if (AtEnd() || IsBlank(Peek())) return Fail(u"missing value");
        const char16_t c = Peek();
        if (c == u'"') {
            UTxString16 text;
            if (!ReadString(text)) return false;
            out = FWxTranscriptValue::MakeString(std::move(text));
            return true;
        }
        if (c == u'@') {
            ++m_pos;
            UTxString16 text;
            if (Peek() != u'"') return Fail(u"a reference is @ and a quoted name key");
            if (!ReadString(text)) return false;
            out = FWxTranscriptValue::MakeRef(std::move(text));
            return true;
        }
        if (c == u'(') return ReadTriple(out, depth);
        if (c == u'[') return ReadList(out, depth);
        if (c == u'-' || c == u'.' || IsDigit(c)) return ReadNumber(out);
        if (IsIdentChar(c)) return ReadWord(out, false);
        return Fail(u"unexpected character " + DescribeChar(c));
    }

private:
    bool ReadString(UTxString16& out) {
        const size_t start = m_pos++;
        while (!AtEnd()) {
            // A run without escapes is taken whole.
            size_t run = m_pos;
            while (run < m_s.size() && m_s[run] != u'"' && m_s[run] != u'\\')
                ++run;
            out.append(m_s.substr(m_pos, run - m_pos));
            m_pos = run;
            if (AtEnd()) break;
            if (m_s[m_pos++] == u'"') return true;
            if (AtEnd()) break;
            const char16_t e = m_s[m_pos++];
            switch (e) {
            case u'"':
            case u'\\':
                out.push_back(e);
                break;
            case u'n':
                out.push_back(u'\n');
                break;
            case u'r':
                out.push_back(u'\r');
                break;
            case u't':
                out.push_back(u'\t');
                break;
            case u'u': {
                uint32_t v = 0;
                for (int i = 0; i < 4; ++i) {
                    const char16_t h = Peek();
                    uint32_t digit;
                    if (IsDigit(h))
                        digit = h - u'0';
                    else if (h >= u'a' && h <= u'f')
                        digit = h - u'a' + 10;
                    else if (h >= u'A' && h <= u'F')
                        digit = h - u'A' + 10;
                    else
                        return Fail(u"\\u takes four hex digits");
                    v = v * 16 + digit;
                    ++m_pos;
                }
                out.push_back(char16_t(v));
                break;
            }
            default:
                return Fail(u"unknown escape \\" + UTxString16(1, e), m_pos - 2);
            }
        }
        return Fail(u"unterminated string", start);
    }

    bool ReadNumber(FWxTranscriptValue& out) {
        if (Peek() == u'-' && m_pos + 1 < m_s.size() && IsIdentChar(m_s[m_pos + 1]) &&
            !IsDigit(m_s[m_pos + 1])) {
            ++m_pos;
            return ReadWord(out, true);
        }
        Number n;
        if (!ReadNumeral(n)) return false;
        out = n.real ? FWxTranscriptValue::MakeReal(n.d) : FWxTranscriptValue::MakeInt(n.i);
        return true;
    }

    struct Number {
        bool real = false;
        double d = 0;
        int64_t i = 0;
    };

    // A number that is digits, signs, '.' and exponents (not a word such as inf or nan).
    bool ReadNumeral(Number& out) {
        const size_t start = m_pos;
        if (Peek() == u'-') ++m_pos;
        while (!AtEnd()) {
            const char16_t c = m_s[m_pos];
            if (c == u'.' || c == u'e' || c == u'E')
                out.real = true;
            else if (!IsDigit(c) && c != u'+' && c != u'-')
                break;
            ++m_pos;
        }
        // Narrowed on the stack: numbers are read by the hundred on every line.
        const std::u16string_view text = m_s.substr(start, m_pos - start);
        char small[40];
        std::string large;
        char* first = small;
        if (text.size() > sizeof small) {
            large.resize(text.size());
            first = large.data();
        }
        for (size_t k = 0; k < text.size(); ++k)
            first[k] = char(text[k]);
        const char* last = first + text.size();
        std::from_chars_result r;
        if (out.real)
            r = std::from_chars(first, last, out.d, std::chars_format::general);
        else
            r = std::from_chars(first, last, out.i);
        if (r.ec == std::errc::result_out_of_range)
            return Fail(u"number out of range " + UTxString16(text), start);
        if (r.ec != std::errc() || r.ptr != last)
            return Fail(u"malformed number " + UTxString16(text), start);
        return true;
    }

    bool ReadWord(FWxTranscriptValue& out, bool negative) {
        const size_t start = negative ? m_pos - 1 : m_pos;
        const UTxString16 word = ReadIdent();
        const double sign = negative ? -1.0 : 1.0;
        if (!negative && (word == u"true" || word == u"false")) {
            out = FWxTranscriptValue::MakeBool(word == u"true");
        } else if (!negative && word == u"null") {
            out = FWxTranscriptValue();
        } else if (word == u"inf") {
            out = FWxTranscriptValue::MakeReal(sign * HUGE_VAL);
        } else if (word == u"nan" && Peek() == u'(' && !negative) {
            return ReadNaNBits(out, start);
        } else if (word == u"nan") {
            out = FWxTranscriptValue::MakeReal(
                std::bit_cast<double>(kQuietNaN | (negative ? kSignBit : 0)));
        } else {
            return Fail(u"unknown word " + UTxString16(m_s.substr(start, m_pos - start)), start);
        }
        return true;
    }

    // nan(0x<16 hex digits>): every bit of the NaN.
    bool ReadNaNBits(FWxTranscriptValue& out, size_t start) {
        std::string hex;
        const std::u16string_view rest = m_s.substr(m_pos);
        if (rest.size() >= 20 && rest.substr(0, 3) == u"(0x" && rest[19] == u')')
            for (size_t i = 3; i < 19; ++i)
                hex.push_back(rest[i] < 0x80 ? char(rest[i]) : '?');
        uint64_t bits = 0;
        auto r = std::from_chars(hex.data(), hex.data() + hex.size(), bits, 16);
        if (hex.size() != 16 || r.ec != std::errc() || r.ptr != hex.data() + hex.size() ||
            !std::isnan(std::bit_cast<double>(bits)))
            return Fail(u"nan(...) takes 0x and the 16 hex digits of a NaN", start);
        m_pos += 20;
        out = FWxTranscriptValue::MakeReal(std::bit_cast<double>(bits));
        return true;
    }

    // A plain number is read as it is; anything else as a value that must turn out a number.
    bool ReadCoordinate(double& out, int depth) {
        const size_t at = m_pos;
        const char16_t c = Peek();
        const bool word = c == u'-' && m_pos + 1 < m_s.size() && IsIdentChar(m_s[m_pos + 1]) &&
                          !IsDigit(m_s[m_pos + 1]);
        if (!word && (c == u'-' || c == u'.' || IsDigit(c))) {
            Number n;
            if (!ReadNumeral(n)) return false;
            out = n.real ? n.d : double(n.i);
            return true;
        }
        FWxTranscriptValue v;
        if (!ReadValue(v, depth + 1)) return false;
        if (!v.IsNumber()) return Fail(u"a point's coordinates are numbers", at);
        out = v.GetReal();
        return true;
    }

    bool ReadTriple(FWxTranscriptValue& out, int depth) {
        double xyz[3];
        ++m_pos;
        for (int i = 0; i < 3; ++i) {
            SkipBlanks();
            const size_t at = m_pos;
            // Refused before reading it: a point in a point would nest without bound.
            if (Peek() == u'(' || Peek() == u'[')
                return Fail(u"a point's coordinates are numbers", at);
            if (!ReadCoordinate(xyz[i], depth)) return false;
            SkipBlanks();
            const char16_t want = i < 2 ? u',' : u')';
            if (Peek() != want)
                return Fail(i < 2 ? u"a point has three coordinates, separated by ','"
                                  : u"a point has three coordinates, then ')'");
            ++m_pos;
        }
        out = FWxTranscriptValue::MakeTriple(xyz[0], xyz[1], xyz[2]);
        return true;
    }

    bool ReadList(FWxTranscriptValue& out, int depth) {
        if (depth >= kMaxDepth) return Fail(u"lists nested too deeply");
        ++m_pos;
        std::vector<FWxTranscriptValue> items;
        SkipBlanks();
        if (Peek() == u']') {
            ++m_pos;
            out = FWxTranscriptValue::MakeList(std::move(items));
            return true;
        }
        for (;;) {
            SkipBlanks();
            const size_t at = m_pos;
            FWxTranscriptValue v;
            if (!ReadValue(v, depth + 1)) return false;
            if (!items.empty() &&
                !FWxTranscriptValue::ShareAList(v.GetKind(), items.front().GetKind()))
                return Fail(UTxString16(u"a list holds one type: ") +
                                FWxTranscriptValue::KindName(v.GetKind()) + u" after " +
                                FWxTranscriptValue::KindName(items.front().GetKind()),
                            at);
            items.push_back(std::move(v));
            SkipBlanks();
            if (Peek() == u',') {
                ++m_pos;
                continue;
            }
            if (Peek() == u']') {
                ++m_pos;
                break;
            }
            return Fail(AtEnd() ? u"unterminated list" : u"expected ',' or ']' in a list");
        }
        out = FWxTranscriptValue::MakeList(std::move(items));
        return true;
    }

    std::u16string_view m_s;
    size_t m_pos = 0;
    std::u16string_view m_key; // into the line read
    UTxString16 m_problem;
    size_t m_problemPos = 0;
};

} // namespace

// ---- values ---------------------------------------------------------------------------------

void FWxTranscriptValue::AppendLiteral(UTxString16& out) const {
    switch (m_kind) {
    case kNull:
        out += u"null";
        break;
    case kInt: {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, m_int);
        AppendAscii(out, std::string_view(buf, size_t(r.ptr - buf)));
        break;
    }
    case kReal:
        if (m_float)
            AppendFloat(out, float(m_xyz[0]));
        else
            AppendReal(out, m_xyz[0]);
        break;
    case kBool:
        out += GetBool() ? u"true" : u"false";
        break;
    case kString:
        AppendString(out, m_text);
        break;
    case kRef:
        if (m_live) {
            UTxString16 keyText;
            if (FWxTranscriptMgr::NameRef(m_ref, keyText).Failed() || !m_ref.HasTarget()) {
                out += u"null";
                break;
            }
            out.push_back(u'@');
            AppendString(out, keyText);
            break;
        }
        out.push_back(u'@');
        AppendString(out, m_text);
        break;
    case kTriple:
        out.push_back(u'(');
        for (int i = 0; i < 3; ++i) {
            if (i) out.push_back(u',');
            AppendReal(out, m_xyz[i]);
        }
        out.push_back(u')');
        break;
    case kList:
        out.push_back(u'[');
        for (size_t i = 0; i < m_list.size(); ++i) {
            if (i) out.push_back(u',');
            m_list[i].AppendLiteral(out);
        }
        out.push_back(u']');
        break;
    }
}

UTxString16 FWxTranscriptValue::ToLiteral() const {
    UTxString16 s;
    AppendLiteral(s);
    return s;
}

UTxResult FWxTranscriptValue::Parse(std::u16string_view text, FWxTranscriptValue& out) {
    Reader r(text);
    FWxTranscriptValue v;
    if (r.ReadValue(v, 0) && (r.AtEnd() || r.Fail(u"unexpected text after the value"))) {
        out = std::move(v);
        return {};
    }
    return UTxResult(kFWxErrTranscriptMalformed, r.Problem());
}

// ---- lines ----------------------------------------------------------------------------------

size_t FWxTranscriptLine::Locate(std::u16string_view key) const {
    if (m_slots.empty() || m_indexed != pairs.size()) {
        for (size_t i = 0; i < pairs.size(); ++i)
            if (pairs[i].key == key) return i;
        return pairs.size();
    }
    // A request reads its keys in the order it wrote them: try the pair after the last found.
    if (m_next < pairs.size() && pairs[m_next].key == key) return m_next++;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = HashKey(key) & mask; m_slots[i]; i = (i + 1) & mask)
        if (pairs[m_slots[i] - 1].key == key) {
            m_next = m_slots[i];
            return m_slots[i] - 1;
        }
    return pairs.size();
}

const FWxTranscriptValue* FWxTranscriptLine::Find(std::u16string_view key) const {
    const size_t i = Locate(key);
    if (i == pairs.size()) return nullptr;
    if (m_read.size() != pairs.size()) m_read.resize(pairs.size(), false);
    m_read[i] = true;
    return &pairs[i].value;
}

bool FWxTranscriptLine::Has(std::u16string_view key) const {
    return Locate(key) != pairs.size();
}

const FWxTranscriptPair* FWxTranscriptLine::FirstUnread() const {
    for (size_t i = 0; i < pairs.size(); ++i)
        if (i >= m_read.size() || !m_read[i]) return &pairs[i];
    return nullptr;
}

void FWxTranscriptLine::Clear() {
    // The room of a line of ordinary length is kept for the next; that of a long one goes.
    constexpr size_t kKeptPairs = 1024;
    name.clear();
    if (m_text.capacity() > 64 * kKeptPairs)
        UTxString16().swap(m_text);
    else
        m_text.clear();
    if (pairs.capacity() > kKeptPairs)
        std::vector<FWxTranscriptPair>().swap(pairs);
    else
        pairs.clear();
    if (m_slots.size() > 4 * kKeptPairs)
        std::vector<uint32_t>().swap(m_slots);
    else
        std::fill(m_slots.begin(), m_slots.end(), 0);
    m_indexed = 0;
    m_next = 0;
    m_read.clear();
}

void FWxTranscriptLine::Reserve(size_t count) {
    pairs.reserve(count);
    size_t slots = 16;
    while (slots < count * 2)
        slots *= 2;
    if (m_slots.size() < slots) m_slots.assign(slots, 0);
}

bool FWxTranscriptLine::IndexLastPair() {
    // At most half full, so that probes stay short; the table's size is a power of two.
    if ((m_indexed + 1) * 2 > m_slots.size()) {
        std::vector<uint32_t> grown(std::max<size_t>(16, m_slots.size() * 2), 0);
        const size_t mask = grown.size() - 1;
        for (uint32_t slot : m_slots) {
            if (!slot) continue;
            size_t i = HashKey(pairs[slot - 1].key) & mask;
            while (grown[i])
                i = (i + 1) & mask;
            grown[i] = slot;
        }
        m_slots.swap(grown);
    }
    const size_t mask = m_slots.size() - 1;
    const std::u16string_view key = pairs.back().key;
    for (size_t i = HashKey(key) & mask;; i = (i + 1) & mask) {
        if (!m_slots[i]) {
            m_slots[i] = uint32_t(pairs.size());
            ++m_indexed;
            return true;
        }
        if (pairs[m_slots[i] - 1].key == key) return false;
    }
}

UTxString16 FWxTranscriptLine::ToText() const {
    UTxString16 text = name;
    for (const FWxTranscriptPair& p : pairs) {
        if (!text.empty()) text.push_back(u' ');
        text += p.key;
        text.push_back(u'=');
        p.value.AppendLiteral(text);
    }
    return text;
}

// ---- the manager ----------------------------------------------------------------------------

FWxTranscriptMgr::~FWxTranscriptMgr() {
    if (m_file) std::fclose(m_file);
}

FWxTranscriptMgr& FWxTranscriptMgr::Get() {
    static FWxTranscriptMgr mgr;
    return mgr;
}

bool FWxTranscriptMgr::IsValidKey(std::u16string_view key) {
    if (key.empty()) return false;
    for (char16_t c : key)
        if (!IsIdentChar(c)) return false;
    return true;
}

UTxResult FWxTranscriptMgr::MakeError(UTxResultCode code, std::u16string_view key,
                                      std::u16string_view problem) {
    UTxString16 detail(key);
    if (!problem.empty()) {
        detail += u": ";
        detail += problem;
    }
    return UTxResult(code, std::move(detail));
}

UTxResult FWxTranscriptMgr::ParseLine(const UTxString16& line, FWxTranscriptLine& out) {
    out.Clear();
    // No more units than the file's limit in bytes: a UTF-8 byte makes at most one unit.
    if (line.size() > kFWxTranscriptMaxLine)
        return UTxResult(kFWxErrTranscriptMalformed, kFWxTranscriptTooLong);
    // Read from the line's own copy, which its keys point into.
    out.m_text.assign(line);
    const std::u16string_view text = out.m_text;
    Reader r(text);
    auto failed = [&] { return UTxResult(kFWxErrTranscriptMalformed, r.Problem()); };

    r.SkipBlanks();
    const size_t start = r.Pos();
    UTxString16 word = r.ReadIdent();
    if (word.empty()) {
        r.Fail(r.AtEnd() ? u"the line is empty" : u"a line starts with the request name");
        return failed();
    }
    if (r.Peek() == u'=') {
        r.Rewind(start); // no name: the line is pairs only
    } else if (r.AtEnd() || IsBlank(r.Peek())) {
        out.name = std::move(word);
    } else {
        r.Fail(u"unexpected character " + DescribeChar(r.Peek()) + u" after the request name");
        return failed();
    }

    // Room for the pairs at once: each has an '=', and most lines are short.
    const size_t equals = size_t(std::count(line.begin(), line.end(), u'='));
    out.Reserve(std::min<size_t>(equals, 1024));
    for (;;) {
        r.SkipBlanks();
        if (r.AtEnd()) break;
        r.SetKey({});
        const std::u16string_view key = r.ReadIdentView();
        if (key.empty()) {
            r.Fail(u"expected a key, found " + DescribeChar(r.Peek()));
            return failed();
        }
        r.SetKey(key);
        if (r.Peek() != u'=') {
            r.Fail(r.AtEnd() ? u"expected '=' after the key"
                             : u"expected '=' after the key, found " + DescribeChar(r.Peek()));
            return failed();
        }
        r.Skip();
        const size_t at = r.Pos();
        // Read in place: a value is large, and moving it twice a pair showed.
        FWxTranscriptPair& pair = out.pairs.emplace_back();
        pair.key = key;
        if (!r.ReadValue(pair.value, 0)) {
            out.pairs.pop_back();
            return failed();
        }
        if (!r.AtEnd() && !IsBlank(r.Peek())) {
            out.pairs.pop_back();
            r.Fail(u"unexpected " + DescribeChar(r.Peek()) + u" after the value");
            return failed();
        }
        if (!out.IndexLastPair()) {
            out.pairs.pop_back();
            r.Fail(u"the key is given twice", at);
            return failed();
        }
    }
    return {};
}

UTxResult FWxTranscriptMgr::GetRequestName(const UTxString16& line, UTxString16& name) {
    Reader r(line);
    r.SkipBlanks();
    UTxString16 word = r.ReadIdent();
    if (word.empty() || !(r.AtEnd() || IsBlank(r.Peek()))) {
        r.Fail(u"the line does not start with a request name");
        return UTxResult(kFWxErrTranscriptMalformed, r.Problem());
    }
    name = std::move(word);
    return {};
}

namespace {

// FNV-1a, continued from `h`, so that the text of a line is hashed as it grows.
uint64_t HashText(uint64_t h, std::u16string_view text) {
    for (char16_t c : text) {
        h ^= c;
        h *= 0x100000001B3ull;
    }
    return h;
}
constexpr uint64_t kHashStart = 0xCBF29CE484222325ull;

} // namespace

void FWxTranscriptMgr::StartWritten(const UTxString16& line, bool named) {
    Written& w = m_written;
    w.line = &line;
    w.size = line.size();
    w.hash = HashText(kHashStart, line);
    w.named = named;
    w.clean = true;
    // Room for the keys of an ordinary line; a long line's grown table goes.
    constexpr size_t kSlots = 64;
    if (w.keys.size() != kSlots)
        w.keys.assign(kSlots, 0);
    else
        std::fill(w.keys.begin(), w.keys.end(), 0);
    w.keyCount = 0;
}

bool FWxTranscriptMgr::IsWritten(const UTxString16& line) const {
    return m_written.line == &line && m_written.size == line.size();
}

void FWxTranscriptMgr::NoteWrittenKey(std::u16string_view key) {
    Written& w = m_written;
    if ((w.keyCount + 1) * 2 > w.keys.size()) {
        std::vector<uint64_t> grown(w.keys.size() * 2, 0);
        for (uint64_t h : w.keys) {
            if (!h) continue;
            size_t i = size_t(h) & (grown.size() - 1);
            while (grown[i])
                i = (i + 1) & (grown.size() - 1);
            grown[i] = h;
        }
        w.keys.swap(grown);
    }
    const uint64_t h = std::max<uint64_t>(HashKey(key), 1);
    const size_t mask = w.keys.size() - 1;
    for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
        if (!w.keys[i]) {
            w.keys[i] = h;
            ++w.keyCount;
            return;
        }
        if (w.keys[i] == h) {
            w.clean = false; // maybe twice: the reader decides
            return;
        }
    }
}

UTxResult FWxTranscriptMgr::BeginDocRequest(UTxString16& line, FWxSceneDoc* doc) {
    line.clear();
    StartWritten(line, false);
    return {};
}

UTxResult FWxTranscriptMgr::PutDocRequestName(UTxString16& line, const UTxString16& name) {
    if (!IsValidKey(name))
        return MakeError(kFWxErrTranscriptMalformed, name, u"not a valid request name");
    size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    const bool empty = pos == line.size();
    const bool ours = IsWritten(line) && m_written.clean;
    UTxString16 old;
    if (!empty && GetRequestName(line, old).Succeeded())
        line.replace(pos, old.size(), name);
    else
        line = name + (!empty ? u" " + line.substr(pos) : UTxString16());
    if (empty) {
        StartWritten(line, true);
    } else if (ours) {
        m_written.size = line.size();
        m_written.hash = HashText(kHashStart, line);
        m_written.named = true;
    } else {
        m_written.line = &line;
        m_written.clean = false;
    }
    return {};
}

UTxResult FWxTranscriptMgr::EndDocRequest(UTxString16& line) {
    while (!line.empty() && IsBlank(line.back()))
        line.pop_back();
    const Written& w = m_written;
    if (IsWritten(line) && w.clean && w.named && line.size() <= kFWxTranscriptMaxLine &&
        HashText(kHashStart, line) == w.hash)
        return {};
    // Replaying, the line written back is most often the very line read: taken apart already.
    std::shared_ptr<const FWxTranscriptLine> parsed;
    UTxResult r = IndexLine(line, parsed);
    if (r.Failed()) return r;
    if (parsed->name.empty())
        return UTxResult(kFWxErrTranscriptMalformed, u"the line has no request name");
    return {};
}

UTxResult FWxTranscriptMgr::WriteLine(const UTxString16& line) {
    if (std::any_of(line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }))
        return UTxResult(kFWxErrTranscriptMalformed, u"a transcript line holds no line break");
    // A unit takes at most three bytes of UTF-8: only a long line needs its bytes counted.
    std::string text;
    if (m_file || line.size() > kFWxTranscriptMaxLine / 3) text = UTx::ToUtf8(line);
    if (text.size() > kFWxTranscriptMaxLine)
        return UTxResult(kFWxErrTranscriptMalformed, kFWxTranscriptTooLong);
    if (m_keepLines) m_lines.push_back(line);
    if (m_file) {
        text.push_back('\n');
        if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size() ||
            std::fflush(m_file) != 0)
            return UTxResult(kFWxErrTranscriptFile, UTx::MakeWideString(std::strerror(errno)));
    }
    return {};
}

UTxResult FWxTranscriptMgr::OpenFile(const std::string& path, bool append) {
    UTxResult closed = CloseFile();
    if (closed.Failed()) return closed;
    m_file = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!m_file)
        return MakeError(kFWxErrTranscriptFile, UTx::MakeWideString(path),
                         UTx::MakeWideString(std::strerror(errno)));
    return {};
}

UTxResult FWxTranscriptMgr::CloseFile() {
    if (!m_file) return {};
    const int rc = std::fclose(m_file);
    m_file = nullptr;
    if (rc != 0) return UTxResult(kFWxErrTranscriptFile, UTx::MakeWideString(std::strerror(errno)));
    return {};
}

UTxResult FWxTranscriptMgr::PutValue(UTxString16& line, std::u16string_view key,
                                     const FWxTranscriptValue& value) {
    if (!IsValidKey(key)) return MakeError(kFWxErrTranscriptMalformed, key, u"not a valid key");
    UTxResult r = WriteProblem(value, 0);
    if (r.Failed()) return MakeError(r.GetCode(), key, r.GetDetail());
    if (line.empty()) {
        StartWritten(line, false);
    } else if (!IsWritten(line)) {
        m_written.line = &line;
        m_written.clean = false;
    }
    const size_t from = line.size();
    // The separator, key and '=' grown at once.
    const bool space = !line.empty() && !IsBlank(line.back());
    line.resize(from + (space ? 1 : 0) + key.size() + 1);
    char16_t* to = line.data() + from;
    if (space) *to++ = u' ';
    to = std::copy(key.begin(), key.end(), to);
    *to = u'=';
    value.AppendLiteral(line);
    Written& w = m_written;
    w.size = line.size();
    if (w.clean) {
        w.hash = HashText(w.hash, std::u16string_view(line).substr(from));
        if (!ListsOfOneKind(value)) w.clean = false;
        NoteWrittenKey(key);
    }
    return {};
}

UTxResult FWxTranscriptMgr::GetValue(const UTxString16& line, std::u16string_view key,
                                     FWxTranscriptValue& out) {
    std::shared_ptr<const FWxTranscriptLine> parsed;
    UTxResult r = IndexLine(line, parsed);
    if (r.Failed()) return r;
    const FWxTranscriptValue* v = parsed->Find(key);
    if (!v) return MakeError(kFWxErrTranscriptMissing, key);
    out = *v;
    return {};
}

bool FWxTranscriptMgr::ArgumentExists(const UTxString16& line, std::u16string_view key) {
    std::shared_ptr<const FWxTranscriptLine> parsed;
    // Asking is not reading: an old layout's key that a request only asks after is still unread.
    return IndexLine(line, parsed).Succeeded() && parsed->Has(key);
}

UTxResult FWxTranscriptMgr::IndexLine(const UTxString16& line,
                                      std::shared_ptr<const FWxTranscriptLine>& out) {
    for (auto pin = m_pins.rbegin(); pin != m_pins.rend(); ++pin)
        if (pin->line == &line) {
            out = pin->index;
            return {};
        }
    // A copy of a pinned line (a request reads its own copy of the line replayed) shares its
    // index, so that what the copy's reader read is known.
    // Compared as bytes: the units' own comparison goes one by one, and a copy is equal whole.
    for (auto pin = m_pins.rbegin(); pin != m_pins.rend(); ++pin)
        if (pin->line->size() == line.size() &&
            std::memcmp(pin->line->data(), line.data(), line.size() * sizeof(char16_t)) == 0) {
            out = pin->index;
            return {};
        }
    const bool known = (m_indexed || m_indexedError.Failed()) && line == m_indexedText;
    if (!known) {
        // Nobody else reads the last line taken apart: its room serves this one.
        std::shared_ptr<FWxTranscriptLine> parsed =
            m_indexed && m_indexed.use_count() == 1 ? std::move(m_indexed)
                                                    : std::make_shared<FWxTranscriptLine>();
        m_indexedError = ParseLine(line, *parsed);
        m_indexed = m_indexedError.Failed() ? nullptr : std::move(parsed);
        m_indexedText = line;
    }
    out = m_indexed;
    return m_indexedError;
}

void FWxTranscriptMgr::PinLine(const UTxString16* line,
                               std::shared_ptr<const FWxTranscriptLine> index) {
    m_pins.push_back({line, std::move(index)});
}

void FWxTranscriptMgr::UnpinLine(const UTxString16* line) {
    for (auto pin = m_pins.rbegin(); pin != m_pins.rend(); ++pin)
        if (pin->line == line) {
            m_pins.erase(std::next(pin).base());
            return;
        }
}

UTxResult FWxTranscriptMgr::PutRSeRef(UTxString16& line, std::u16string_view key,
                                      const RSeRefBase& ref) {
    // Named here once, rather than checked and then named again as the value is written.
    UTxString16 keyText;
    UTxResult r = NameRef(ref, keyText);
    if (r.Failed()) return MakeError(r.GetCode(), key, r.GetDetail());
    return PutValue(line, key,
                    ref.HasTarget() ? FWxTranscriptValue::MakeRef(std::move(keyText))
                                    : FWxTranscriptValue());
}

UTxResult FWxTranscriptMgr::NameRef(const RSeRefBase& ref, UTxString16& keyText) {
    keyText.clear();
    const RSeIDed* target = ref.GetTarget();
    if (!target) {
        if (ref.IsTargetDeleted() || ref.IsTargetBogus())
            return UTxResult(kFWxErrTranscriptUnresolved, u"the object no longer exists");
        return {};
    }
    FBxObjectNameKey name;
    UTxResult r = FBxObjectNameKey::FromObject(target, name);
    if (r.Failed()) return UTxResult(kFWxErrTranscriptUnresolved, r.GetMessage());
    keyText = name.GetText();
    return {};
}

UTxResult FWxTranscriptMgr::GetRSeRef(const UTxString16& line, std::u16string_view key,
                                      FWxSceneDoc* doc, RSeRefBase& out) {
    FWxTranscriptValue value;
    UTxResult r = GetValue(line, key, value);
    if (r.Failed()) return r;
    return ResolveRSeRef(key, value, doc, out);
}

UTxResult FWxTranscriptMgr::ResolveRSeRef(std::u16string_view key, const FWxTranscriptValue& value,
                                          FWxSceneDoc* doc, RSeRefBase& out) {
    if (value.GetKind() == FWxTranscriptValue::kNull) {
        out.Clear();
        return {};
    }
    if (value.GetKind() != FWxTranscriptValue::kRef)
        return MakeError(kFWxErrTranscriptWrongType, key,
                         UTxString16(u"expected a reference, found ") +
                             FWxTranscriptValue::KindName(value.GetKind()));
    UTxResult r = RefFromString(doc, value.GetText(), out);
    if (r.Failed()) return MakeError(kFWxErrTranscriptUnresolved, key, r.GetMessage());
    return {};
}

UTxString16 FWxTranscriptMgr::StringFromRef(const RSeRefBase& ref) {
    UTxString16 keyText;
    NameRef(ref, keyText);
    return keyText;
}

UTxResult FWxTranscriptMgr::RefFromString(FWxSceneDoc* doc, const UTxString16& text,
                                          RSeRefBase& out) {
    RSeDatabase* db = doc ? doc->GetRSeDb() : nullptr;
    if (!db) return UTxResult(kFBxErrNameKeyUnresolved, text + u": no document");
    RSeIDed* obj = nullptr;
    UTxResult r = FBxObjectNameKey(text).FindObject(*db, doc, obj);
    if (r.Failed()) return r;
    out.SetTarget(obj);
    return {};
}
