// Requests exchange their fields with transcript lines: both directions through one list of calls.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

#include "TstStoredClasses.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "ge/WqArray.h"
#include "rse/RSe.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

std::string U8(const UTxString16& s) {
    return UTx::ToUtf8(s);
}

// Every kind a request can exchange, in the order it exchanges them.
struct Record {
    bool flag = false;
    int32_t count = 0;
    int16_t small = 0;
    uint32_t mask = 0;
    double length = 0;
    float ratio = 0;
    UTxString16 text;
    WqGePoint3d origin;
    WqGeVector3d axis;
    std::vector<bool> flags;
    std::vector<int32_t> counts;
    std::vector<uint32_t> ids;
    std::vector<UTxString16> texts;
    std::vector<WqGePoint3d> corners;
    WqArray<WqGePoint3d> path;
    RSeRef<TstNode> target;
    RSeRef<TstNode> spare;

    void Exchange(UCxTranscriptDataExchange& tdx) {
        _TDX_Bool(tdx, u"flag", flag, true);
        _TDX_Int(tdx, u"count", count, true);
        _TDX_Int(tdx, u"small", small, true);
        _TDX_Int(tdx, u"mask", mask, true);
        _TDX_Double(tdx, u"length", length, true);
        _TDX_Float(tdx, u"ratio", ratio, true);
        _TDX_String(tdx, u"text", text, true);
        _TDX_Point3(tdx, u"origin", origin, true);
        _TDX_Vector3(tdx, u"axis", axis, true);
        _TDX_BoolVect(tdx, u"flags", flags, true);
        _TDX_IntVect(tdx, u"counts", counts, true);
        _TDX_Uint32Vect(tdx, u"ids", ids, true);
        _TDX_StringVect(tdx, u"texts", texts, true);
        _TDX_Point3Vect(tdx, u"corners", corners, true);
        _TDX_Point3Array(tdx, u"path", path, false);
        _TDX_RSeRef(tdx, u"target", target, true);
        _TDX_RSeRef(tdx, u"spare", spare, false);
    }
};

const char16_t* const kRecordKeys[] = {
    u"flag",  u"count",  u"small", u"mask",  u"length",  u"ratio", u"text",   u"origin", u"axis",
    u"flags", u"counts", u"ids",   u"texts", u"corners", u"path",  u"target", u"spare"};

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
bool SamePoint(const WqGePoint3d& a, const WqGePoint3d& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}

void ExpectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.flag, b.flag);
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.small, b.small);
    EXPECT_EQ(a.mask, b.mask);
    EXPECT_TRUE(SameBits(a.length, b.length)) << a.length << " " << b.length;
    EXPECT_EQ(std::bit_cast<uint32_t>(a.ratio), std::bit_cast<uint32_t>(b.ratio));
    EXPECT_EQ(a.text, b.text);
    EXPECT_TRUE(SamePoint(a.origin, b.origin));
    EXPECT_TRUE(SameBits(a.axis.x, b.axis.x) && SameBits(a.axis.y, b.axis.y) &&
                SameBits(a.axis.z, b.axis.z));
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.counts, b.counts);
    EXPECT_EQ(a.ids, b.ids);
    EXPECT_EQ(a.texts, b.texts);
    ASSERT_EQ(a.corners.size(), b.corners.size());
    for (size_t i = 0; i < a.corners.size(); ++i)
        EXPECT_TRUE(SamePoint(a.corners[i], b.corners[i]));
    ASSERT_EQ(a.path.length(), b.path.length());
    for (int32_t i = 0; i < a.path.length(); ++i)
        EXPECT_TRUE(SamePoint(a.path[i], b.path[i]));
    EXPECT_EQ(a.target.get(), b.target.get());
    EXPECT_EQ(a.spare.get(), b.spare.get());
}

class UCxTranscriptExchange : public ::testing::Test {
public:
    // Writes a record as a named request line, the way a processed request is scripted.
    UTxString16 Write(Record& rec) {
        FWxTranscriptMgr& mgr = FWxTranscriptMgr::Get();
        UTxString16 line;
        EXPECT_TRUE(mgr.BeginDocRequest(line, &m_doc).IsEmpty());
        EXPECT_TRUE(mgr.PutDocRequestName(line, u"TstRequest").IsEmpty());
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        EXPECT_TRUE(tdx.IsWriting());
        rec.Exchange(tdx);
        EXPECT_TRUE(result.IsEmpty()) << result.GetMessageUtf8();
        EXPECT_TRUE(mgr.EndDocRequest(line).IsEmpty());
        return line;
    }
    UTxResult Read(UTxString16 line, Record& rec) {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        rec.Exchange(tdx);
        return result;
    }
    // Reads one key of `line` with `read`; the result and whether the value changed.
    template <class T>
    UTxResult ReadOne(const UTxString16& line, T& value,
                      bool (*read)(UCxTranscriptDataExchange&, const char16_t*, T&, bool)) {
        UTxString16 text = line;
        UTxResult result;
        UCxTranscriptDataExchange tdx(text, result, &m_doc, false);
        read(tdx, u"k", value, true);
        return result;
    }

    RSeSegment* Segment() { return RSe::SegmentOf(m_doc.GetRSeDb()); }

    FWxSceneDoc m_doc;
};

TEST_F(UCxTranscriptExchange, RecordsReadBackExactlyWithKeysInExchangeOrder) {
    TstNode* node = TstNew<TstNode>(Segment());
    TstDerived* derived = TstNew<TstDerived>(Segment());

    Record full;
    full.flag = true;
    full.count = std::numeric_limits<int32_t>::min();
    full.small = std::numeric_limits<int16_t>::min();
    full.mask = std::numeric_limits<uint32_t>::max();
    full.length = -0.0;
    full.ratio = 0.1f;
    full.text = u"say \"=\" [x] \\ \n\t\U0001F600 \xD800 caf\u00e9";
    full.origin = {1e-300, -2.5, 1.0 / 3.0};
    full.axis = {0.0, -0.0, -1e12}; // as far out as a coordinate goes
    full.flags = {true, false, true};
    full.counts = {0, -1, std::numeric_limits<int32_t>::max()};
    full.ids = {0, 4000000000u};
    full.texts = {u"", u"a, b", u"]\"["};
    full.corners = {{0, 0, 0}, {1e12, -DBL_MIN, 5e-324}};
    full.path = {{1, 2, 3}};
    full.target = node;
    full.spare = derived;

    Record sparse; // empty lists and a null reference
    sparse.ratio = FLT_MAX;
    sparse.length = -DBL_MAX;

    for (Record* rec : {&full, &sparse}) {
        const UTxString16 line = Write(*rec);
        SCOPED_TRACE(U8(line));
        FWxTranscriptLine parsed;
        ASSERT_TRUE(FWxTranscriptMgr::ParseLine(line, parsed).IsEmpty());
        EXPECT_EQ(parsed.name, u"TstRequest");
        ASSERT_EQ(parsed.pairs.size(), std::size(kRecordKeys));
        for (size_t i = 0; i < parsed.pairs.size(); ++i)
            EXPECT_EQ(parsed.pairs[i].key, kRecordKeys[i]);

        Record back;
        back.spare = node; // a null in the line clears it
        UTxResult r = Read(line, back);
        ASSERT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
        ExpectSame(*rec, back);
    }
    EXPECT_NE(Write(full).find(u"ratio=0.1 "), UTxString16::npos); // no float noise
}

TEST_F(UCxTranscriptExchange, EveryRealAndFloatBitPatternReadsBack) {
    uint64_t seed = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    for (int i = 0; i < 4000; ++i) {
        const uint64_t bits = next();
        double d = std::bit_cast<double>(bits);
        float f = std::bit_cast<float>(uint32_t(bits >> 32));
        // Non-finite patterns are refused on reading (see the table of bad values): made finite.
        if (!std::isfinite(d)) d = std::bit_cast<double>(bits & ~(uint64_t(1) << 62));
        if (!std::isfinite(f)) f = std::bit_cast<float>(uint32_t(bits) & 0x807FFFFFu); // small or zero
        // The one float whose shortest form, read as a double, narrows to its neighbour.
        if (i == 0) f = std::bit_cast<float>(0x15AE43FDu);
        UTxString16 line;
        UTxResult result;
        {
            UCxTranscriptDataExchange tdx(line, result, nullptr, true);
            _TDX_Double(tdx, u"d", d, true);
            _TDX_Float(tdx, u"f", f, true);
        }
        double d2 = 1;
        float f2 = 1;
        UCxTranscriptDataExchange tdx(line, result, nullptr, false);
        ASSERT_TRUE(_TDX_Double(tdx, u"d", d2, true)) << U8(line);
        ASSERT_TRUE(_TDX_Float(tdx, u"f", f2, true)) << U8(line);
        ASSERT_EQ(std::bit_cast<uint64_t>(d2), std::bit_cast<uint64_t>(d)) << U8(line);
        ASSERT_EQ(std::bit_cast<uint32_t>(f2), std::bit_cast<uint32_t>(f)) << U8(line);
    }
}

TEST_F(UCxTranscriptExchange, AbsentKeysKeepTheirValueUnlessRequired) {
    UTxString16 line = u"TstRequest a=5";
    UTxResult result;
    UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
    int32_t a = 0;
    int32_t b = 42;
    std::vector<int32_t> list = {7};
    WqGePoint3d p(1, 2, 3);
    EXPECT_FALSE(_TDX_Int(tdx, u"b", b, false));
    EXPECT_FALSE(_TDX_IntVect(tdx, u"list", list, false));
    EXPECT_FALSE(_TDX_Point3(tdx, u"p", p, false));
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_EQ(b, 42);
    EXPECT_EQ(list, std::vector<int32_t>{7});
    EXPECT_EQ(p, WqGePoint3d(1, 2, 3));

    EXPECT_FALSE(_TDX_Int(tdx, u"b", b, true));
    EXPECT_EQ(result.GetCode(), kFWxErrTranscriptMissing);
    EXPECT_EQ(result.GetMessageUtf8(), "Transcript value missing: b");
    EXPECT_EQ(b, 42);

    // Once failed, the exchange does nothing more in either direction.
    EXPECT_FALSE(_TDX_Int(tdx, u"a", a, true));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(result.GetMessageUtf8(), "Transcript value missing: b");

    UTxResult earlier(kFWxErrTranscriptFile);
    UTxString16 out = u"TstRequest";
    UCxTranscriptDataExchange writer(out, earlier, &m_doc, true);
    EXPECT_FALSE(_TDX_Int(writer, u"a", a, true));
    RSeRef<TstNode> ref;
    EXPECT_FALSE(_TDX_RSeRef(writer, u"r", ref, true));
    EXPECT_EQ(out, u"TstRequest");
    EXPECT_EQ(earlier.GetCode(), kFWxErrTranscriptFile);
}

TEST_F(UCxTranscriptExchange, WrongTypesFailNamingTheKeyAndKeepTheValue) {
    struct Case {
        UTxString16 value;
        UTxResultCode code;
        const char* message;
        std::function<UTxResult(UCxTranscriptExchange&, const UTxString16&)> read;
    };
    // Each reader checks that a failed read left its value alone.
    auto asInt = [](UCxTranscriptExchange& t, const UTxString16& line) {
        int32_t v = 99;
        UTxResult r = t.ReadOne<int32_t>(line, v, &_TDX_Int);
        EXPECT_EQ(v, 99);
        return r;
    };
    auto asShort = [](UCxTranscriptExchange& t, const UTxString16& line) {
        int16_t v = 99;
        UTxResult r = t.ReadOne<int16_t>(line, v, &_TDX_Int);
        EXPECT_EQ(v, 99);
        return r;
    };
    auto asUnsigned = [](UCxTranscriptExchange& t, const UTxString16& line) {
        uint32_t v = 99;
        UTxResult r = t.ReadOne<uint32_t>(line, v, &_TDX_Int);
        EXPECT_EQ(v, 99u);
        return r;
    };
    auto asFloat = [](UCxTranscriptExchange& t, const UTxString16& line) {
        float v = 99;
        UTxResult r = t.ReadOne<float>(line, v, &_TDX_Float);
        EXPECT_EQ(v, 99.0f);
        return r;
    };
    auto asDouble = [](UCxTranscriptExchange& t, const UTxString16& line) {
        double v = 99;
        UTxResult r = t.ReadOne<double>(line, v, &_TDX_Double);
        EXPECT_EQ(v, 99.0);
        return r;
    };
    auto asBool = [](UCxTranscriptExchange& t, const UTxString16& line) {
        bool v = true;
        UTxResult r = t.ReadOne<bool>(line, v, &_TDX_Bool);
        EXPECT_TRUE(v);
        return r;
    };
    auto asString = [](UCxTranscriptExchange& t, const UTxString16& line) {
        UTxString16 v = u"kept";
        UTxResult r = t.ReadOne<UTxString16>(line, v, &_TDX_String);
        EXPECT_EQ(v, u"kept");
        return r;
    };
    auto asPoint = [](UCxTranscriptExchange& t, const UTxString16& line) {
        WqGePoint3d v(9, 9, 9);
        UTxResult r = t.ReadOne<WqGePoint3d>(line, v, &_TDX_Point3);
        EXPECT_EQ(v, WqGePoint3d(9, 9, 9));
        return r;
    };
    auto asInts = [](UCxTranscriptExchange& t, const UTxString16& line) {
        std::vector<int32_t> v = {9};
        UTxResult r = t.ReadOne<std::vector<int32_t>>(line, v, &_TDX_IntVect);
        EXPECT_EQ(v, std::vector<int32_t>{9});
        return r;
    };
    auto asUnsigneds = [](UCxTranscriptExchange& t, const UTxString16& line) {
        std::vector<uint32_t> v = {9};
        UTxResult r = t.ReadOne<std::vector<uint32_t>>(line, v, &_TDX_Uint32Vect);
        EXPECT_EQ(v, std::vector<uint32_t>{9});
        return r;
    };
    auto asPath = [](UCxTranscriptExchange& t, const UTxString16& line) {
        WqArray<WqGePoint3d> v = {{9, 9, 9}};
        UTxResult r = t.ReadOne<WqArray<WqGePoint3d>>(line, v, &_TDX_Point3Array);
        EXPECT_EQ(v.length(), 1);
        return r;
    };
    const UTxResultCode kWrong = kFWxErrTranscriptWrongType;
    const UTxResultCode kRange = kFWxErrTranscriptOutOfRange;
    const Case cases[] = {
        {u"\"12\"", kWrong, "k: expected an integer, found a string", asInt},
        {u"2.0", kWrong, "k: expected an integer, found a real number", asInt},
        {u"true", kWrong, "k: expected an integer, found a boolean", asInt},
        {u"2147483648", kRange, "k: 2147483648 does not fit a 32-bit integer", asInt},
        {u"-2147483649", kRange, "k: -2147483649 does not fit", asInt},
        {u"32768", kRange, "k: 32768 does not fit a 16-bit integer", asShort},
        {u"-1", kRange, "k: -1 does not fit an unsigned 32-bit integer", asUnsigned},
        {u"4294967296", kRange, "k: 4294967296 does not fit", asUnsigned},
        {u"1e+300", kRange, "k: the value does not fit a float", asFloat},
        {u"\"1.5\"", kWrong, "k: expected a number, found a string", asFloat},
        // Nothing on a drawing is infinite, not a number, or farther out than 1e12.
        {u"nan", kRange, "k: nan is not a finite number", asDouble},
        {u"nan(0x7ff0000000000001)", kRange, "k: nan(0x7ff0000000000001) is not a finite",
         asDouble},
        {u"-inf", kRange, "k: -inf is not a finite number", asFloat},
        {u"(1.0,inf,0.0)", kRange, "k: inf is not a finite number", asPoint},
        {u"(1e13,0,0)", kRange, "k: 1e+13 is beyond 1e12, the limit of a coordinate", asPoint},
        {u"[(0,0,0),(0,-1.000001e12,0)]", kRange, "k: element 1: -1.000001e+12 is beyond",
         asPath},
        {u"1", kWrong, "k: expected a boolean, found an integer", asBool},
        {u"null", kWrong, "k: expected a string, found null", asString},
        {u"@\"TstNode#1\"", kWrong, "k: expected a string, found a reference", asString},
        {u"[1.0,2.0,3.0]", kWrong, "k: expected a point, found a list", asPoint},
        {u"(1.0,2.0,3.0)", kWrong, "k: expected a list, found a point", asInts},
        {u"[1,2.5]", kWrong, "k: element 1: expected an integer, found a real number", asInts},
        {u"[1,-2]", kRange, "k: element 1: -2 does not fit", asUnsigneds},
        {u"[(1.0,2.0,3.0),[]]", kFWxErrTranscriptMalformed, "k: a list holds one type", asPath},
        {u"[[1]]", kWrong, "k: element 0: expected an integer, found a list", asInts},
        {u"\"open", kFWxErrTranscriptMalformed, "k: unterminated string", asString},
    };
    for (const Case& c : cases) {
        const UTxString16 line = u"TstRequest other=1 k=" + c.value;
        SCOPED_TRACE(U8(line));
        UTxResult r = c.read(*this, line);
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_NE(r.GetMessageUtf8().find(c.message), std::string::npos) << r.GetMessageUtf8();
    }
}

TEST_F(UCxTranscriptExchange, NumbersWidenButNeverNarrowSilently) {
    double d = 0;
    ASSERT_TRUE(ReadOne<double>(u"R k=-7", d, &_TDX_Double).IsEmpty());
    EXPECT_EQ(d, -7.0);
    float f = 0;
    ASSERT_TRUE(ReadOne<float>(u"R k=3.4028235e+38", f, &_TDX_Float).IsEmpty());
    EXPECT_EQ(f, FLT_MAX);
    ASSERT_TRUE(ReadOne<float>(u"R k=-3.4028235e+38", f, &_TDX_Float).IsEmpty());
    EXPECT_EQ(f, -FLT_MAX);
    WqGePoint3d p;
    ASSERT_TRUE(ReadOne<WqGePoint3d>(u"R k=(1,-2,3)", p, &_TDX_Point3).IsEmpty());
    EXPECT_EQ(p, WqGePoint3d(1, -2, 3));
    std::vector<uint32_t> ids = {5};
    ASSERT_TRUE(ReadOne<std::vector<uint32_t>>(u"R k=[]", ids, &_TDX_Uint32Vect).IsEmpty());
    EXPECT_TRUE(ids.empty());
}

TEST_F(UCxTranscriptExchange, AMalformedLineFailsNamingOnlyTheFaultyKey) {
    UTxString16 line = u"TstRequest a=1 b=\"oops";
    UTxResult result;
    UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
    int32_t a = 0;
    EXPECT_FALSE(_TDX_Int(tdx, u"a", a, true));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(result.GetCode(), kFWxErrTranscriptMalformed);
    const char* expected = "Transcript line is malformed: b: unterminated string (column 18)";
    EXPECT_EQ(result.GetMessageUtf8(), expected);
    // The same through the manager, for the line of the exchange and for a copy of it.
    FWxTranscriptValue v;
    EXPECT_EQ(FWxTranscriptMgr::Get().GetValue(tdx.GetLine(), u"a", v).GetMessageUtf8(), expected);
    EXPECT_EQ(FWxTranscriptMgr::Get().GetValue(UTxString16(line), u"a", v).GetMessageUtf8(),
              expected);
}

// Reads through the manager of the line a reading exchange holds answer from the exchange's
// index while it lives, and from the line's text again once it has ended.
TEST_F(UCxTranscriptExchange, ReadsThroughTheManagerFollowTheExchangesLine) {
    FWxTranscriptMgr& mgr = FWxTranscriptMgr::Get();
    UTxString16 line = u"TstRequest a=1 b=[2,3]";
    FWxTranscriptValue v;
    {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        int32_t a = 0;
        ASSERT_TRUE(_TDX_Int(tdx, u"a", a, true));
        EXPECT_EQ(a, 1);
        ASSERT_TRUE(mgr.GetValue(tdx.GetLine(), u"b", v).IsEmpty());
        EXPECT_EQ(v.GetList().size(), 2u);
        EXPECT_TRUE(mgr.ArgumentExists(tdx.GetLine(), u"a"));
        EXPECT_FALSE(mgr.ArgumentExists(tdx.GetLine(), u"c"));
        // Another line read meanwhile does not disturb the exchange.
        ASSERT_TRUE(mgr.GetValue(u"Other a=5", u"a", v).IsEmpty());
        EXPECT_EQ(v.GetInt(), 5);
        std::vector<int32_t> b;
        ASSERT_TRUE(_TDX_IntVect(tdx, u"b", b, true));
        EXPECT_EQ(b, (std::vector<int32_t>{2, 3}));
    }
    ASSERT_TRUE(mgr.GetValue(line, u"a", v).IsEmpty());
    EXPECT_EQ(v.GetInt(), 1);
    line[13] = u'7'; // the same string, changed in place once the exchange has ended
    ASSERT_TRUE(mgr.GetValue(line, u"a", v).IsEmpty());
    EXPECT_EQ(v.GetInt(), 7);
    line[13] = u'"';
    EXPECT_FALSE(mgr.ArgumentExists(line, u"b"));
    EXPECT_EQ(mgr.GetValue(line, u"a", v).GetCode(), kFWxErrTranscriptMalformed);
}

TEST_F(UCxTranscriptExchange, TypedReferencesRefuseObjectsOfAnotherClass) {
    TstZero* zero = TstNew<TstZero>(Segment());
    TstDerived* derived = TstNew<TstDerived>(Segment());
    UTxString16 line = u"TstRequest";
    {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        RSeRef<TstZero> z(zero);
        RSeRef<TstDerived> d(derived);
        _TDX_RSeRef(tdx, u"zero", z, true);
        _TDX_RSeRef(tdx, u"derived", d, true);
        ASSERT_TRUE(result.IsEmpty());
    }
    UTxResult result;
    UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
    RSeRef<TstNode> asNode;
    EXPECT_TRUE(_TDX_RSeRef(tdx, u"derived", asNode, true));
    EXPECT_EQ(asNode.get(), derived);
    EXPECT_FALSE(_TDX_RSeRef(tdx, u"zero", asNode, true));
    EXPECT_EQ(asNode.get(), derived);
    EXPECT_EQ(result.GetCode(), kFWxErrTranscriptWrongType);
    EXPECT_NE(result.GetMessageUtf8().find("zero: the object TstZero#"), std::string::npos)
        << result.GetMessageUtf8();

    // Without a document nothing can be found again.
    UTxResult noDocResult;
    UCxTranscriptDataExchange noDoc(line, noDocResult, nullptr, false);
    EXPECT_FALSE(_TDX_RSeRef(noDoc, u"derived", asNode, true));
    EXPECT_EQ(noDocResult.GetCode(), kFWxErrTranscriptUnresolved);
}

} // namespace
