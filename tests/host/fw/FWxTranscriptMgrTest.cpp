// The transcript's line format, its file, and references written as object name keys.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>

#include "KorvuTestSupport.h"
#include "TstStoredClasses.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {

using Value = FWxTranscriptValue;

std::string U8(const UTxString16& s) {
    return UTx::ToUtf8(s);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The file's lines, read back the way a replay reads them.
std::vector<UTxString16> ReadLines(const std::string& path) {
    std::vector<UTxString16> lines;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);)
        lines.push_back(UTx::MakeWideString(line));
    return lines;
}

UTxResult Parse(const UTxString16& line, FWxTranscriptLine& out) {
    return FWxTranscriptMgr::ParseLine(line, out);
}

UTxString16 Repeat(std::u16string_view s, size_t n) {
    UTxString16 out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

UTxString16 Num(size_t i) {
    return UTx::MakeWideString(std::to_string(i));
}

TEST(FWxTranscriptLiterals, RealsReadBackBitForBit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        const char* literal; // null: any literal that reads back
    };
    const Case cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {2.0, "2.0"},
        {-12.0, "-12.0"},
        {123456789.0, "123456789.0"},
        {0.1, "0.1"},
        {1e+300, "1e+300"},
        {1e21, "1e+21"},
        {5e-324, "5e-324"},
        {1.0 / 3.0, nullptr},
        {DBL_MAX, nullptr},
        {-DBL_MIN, nullptr},
        {HUGE_VAL, "inf"},
        {-HUGE_VAL, "-inf"},
        {nan, "nan"},
        {-nan, "-nan"},
        {std::bit_cast<double>(0x7FF0000000000001ull), "nan(0x7ff0000000000001)"},
        {std::bit_cast<double>(0xFFF80000000ABCDEull), "nan(0xfff80000000abcde)"},
    };
    for (const Case& c : cases) {
        UTxString16 line = u"Req";
        ASSERT_TRUE(
            FWxTranscriptMgr::Get().PutValue(line, u"x", Value::MakeReal(c.value)).IsEmpty());
        SCOPED_TRACE(U8(line));
        if (c.literal) {
            EXPECT_EQ(U8(line), std::string("Req x=") + c.literal);
        }
        FWxTranscriptLine parsed;
        ASSERT_TRUE(Parse(line, parsed).IsEmpty());
        const Value* v = parsed.Find(u"x");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->GetKind(), Value::kReal); // never taken for an integer
        EXPECT_EQ(std::bit_cast<uint64_t>(v->GetReal()), std::bit_cast<uint64_t>(c.value));
    }
}

TEST(FWxTranscriptLiterals, StringsSurviveTheFile) {
    const UTxString16 cases[] = {
        u"",
        u"plain",
        u"a \"b\" \\ \n",
        u"key=value [1,2] (1,2,3) @\"x\" null",
        u"tab\tcr\r\nlf \x01 \x7f \x85",
        u"\\u0041 is not an escape here",
        u"Caf\u00e9 \u00d8 \u00b1 \u2300",
        u"\U0001F600",                    // a surrogate pair
        u"\xD800",                        // lone high surrogate
        u"x\xDC00y",                      // lone low surrogate
        u"\xDC00\xD800",                  // a pair the wrong way round
        u"\xD83D",                        // a pair cut short
        UTxString16(3, u'\0') + u"after", // NUL
    };
    KorvuTempDir dir;
    FWxTranscriptMgr mgr;
    ASSERT_TRUE(mgr.OpenFile(dir.File("strings.txt")).IsEmpty());
    for (const UTxString16& s : cases) {
        UTxString16 line = u"Req";
        mgr.PutValue(line, u"s", Value::MakeString(s));
        mgr.PutValue(line, u"after", Value::MakeInt(7));
        ASSERT_TRUE(mgr.WriteLine(line).IsEmpty());
    }
    ASSERT_TRUE(mgr.CloseFile().IsEmpty());

    const std::vector<UTxString16> lines = ReadLines(dir.File("strings.txt"));
    ASSERT_EQ(lines.size(), std::size(cases));
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(U8(lines[i]));
        EXPECT_EQ(lines[i], mgr.GetLines()[i]); // UTF-8 loses nothing
        FWxTranscriptLine parsed;
        ASSERT_TRUE(Parse(lines[i], parsed).IsEmpty());
        ASSERT_EQ(parsed.pairs.size(), 2u);
        EXPECT_EQ(parsed.pairs[0].value.GetKind(), Value::kString);
        EXPECT_EQ(parsed.pairs[0].value.GetText(), cases[i]);
        EXPECT_EQ(parsed.pairs[1].value.GetInt(), 7);
    }
    EXPECT_EQ(U8(mgr.GetLines()[2]), R"(Req s="a \"b\" \\ \n" after=7)");
    EXPECT_EQ(mgr.GetLines()[8], u"Req s=\"\\uD800\" after=7");
}

TEST(FWxTranscriptLines, KeepKindsAndOrder) {
    const UTxString16 line =
        u"Req i=-12 r=2.0 b=true s=\"a b=c\" p=(1.0,2.5,-3.0) l=[1,2,3] e=[] "
        u"sl=[\"x\",\"y, z\"] pl=[(0.0,0.0,0.0),(1.0,0.0,0.0)] ref=@\"TstNode#12\" n=null "
        u"bl=[true,false] big=-9223372036854775808";
    FWxTranscriptLine parsed;
    ASSERT_TRUE(Parse(line, parsed).IsEmpty());
    EXPECT_EQ(parsed.name, u"Req");
    struct Expect {
        const char16_t* key;
        Value::Kind kind;
    };
    const Expect expected[] = {
        {u"i", Value::kInt},    {u"r", Value::kReal},  {u"b", Value::kBool}, {u"s", Value::kString},
        {u"p", Value::kTriple}, {u"l", Value::kList},  {u"e", Value::kList}, {u"sl", Value::kList},
        {u"pl", Value::kList},  {u"ref", Value::kRef}, {u"n", Value::kNull}, {u"bl", Value::kList},
        {u"big", Value::kInt},
    };
    ASSERT_EQ(parsed.pairs.size(), std::size(expected));
    for (size_t i = 0; i < parsed.pairs.size(); ++i) {
        EXPECT_EQ(parsed.pairs[i].key, expected[i].key);
        EXPECT_EQ(parsed.pairs[i].value.GetKind(), expected[i].kind) << U8(expected[i].key);
    }
    EXPECT_EQ(parsed.Find(u"s")->GetText(), u"a b=c");
    EXPECT_EQ(parsed.Find(u"p")->GetTriple()[1], 2.5);
    EXPECT_EQ(parsed.Find(u"sl")->GetList()[1].GetText(), u"y, z");
    EXPECT_EQ(parsed.Find(u"ref")->GetText(), u"TstNode#12");
    EXPECT_EQ(parsed.Find(u"big")->GetInt(), std::numeric_limits<int64_t>::min());
    EXPECT_TRUE(parsed.Find(u"e")->GetList().empty());
    EXPECT_EQ(parsed.ToText(), line);

    // Read leniently: blanks around list items, runs of blanks, a Windows line end.
    FWxTranscriptLine loose;
    ASSERT_TRUE(
        Parse(u"  Req\t i=-12   p=( 1, 2.5 ,-3.0 ) l=[ 1 , 2,3 ] e=[ ]\r", loose).IsEmpty());
    EXPECT_EQ(loose.ToText(), u"Req i=-12 p=(1.0,2.5,-3.0) l=[1,2,3] e=[]");

    // A line of pairs only, as an exchange writes before the request is named.
    FWxTranscriptLine pairsOnly;
    ASSERT_TRUE(Parse(u"a=1 b=2", pairsOnly).IsEmpty());
    EXPECT_TRUE(pairsOnly.name.empty());
    EXPECT_EQ(pairsOnly.pairs.size(), 2u);
}

// A line taken apart keeps its keys whatever becomes of the text it was given, and taking
// another line apart in the same room leaves nothing of the first.
TEST(FWxTranscriptLines, KeysOutliveTheTextTheyWereReadFrom) {
    FWxTranscriptLine parsed;
    {
        UTxString16 text = u"Req FirstLongKeyName=1 SecondLongKeyName=\"two\"";
        ASSERT_TRUE(Parse(text, parsed).IsEmpty());
        text.assign(text.size(), u'x');
    }
    ASSERT_EQ(parsed.pairs.size(), 2u);
    EXPECT_EQ(parsed.pairs[0].key, u"FirstLongKeyName");
    EXPECT_EQ(parsed.Find(u"SecondLongKeyName")->GetText(), u"two");

    FWxTranscriptMgr mgr;
    std::shared_ptr<const FWxTranscriptLine> index;
    ASSERT_TRUE(mgr.IndexLine(u"Req AnotherLongKeyName=1 YetAnotherKeyName=2", index).IsEmpty());
    index.reset(); // nobody else holds it: the next line is taken apart in its room
    ASSERT_TRUE(mgr.IndexLine(u"Req ShortKey=3 AnotherLongKeyName=4", index).IsEmpty());
    EXPECT_EQ(index->ToText(), u"Req ShortKey=3 AnotherLongKeyName=4");
    EXPECT_EQ(index->Find(u"AnotherLongKeyName")->GetInt(), 4);
    EXPECT_FALSE(index->Has(u"YetAnotherKeyName"));
}

TEST(FWxTranscriptLines, MalformedLinesFailNamingTheKeyAndProblem) {
    struct Case {
        UTxString16 line;
        const char* message; // a part of the message
    };
    const Case cases[] = {
        {u"Req s=\"abc", "s: unterminated string (column 7)"},
        {u"Req a 1", "a: expected '=' after the key, found U+0020"},
        {u"Req a", "a: expected '=' after the key"},
        {u"Req a=%%", "a: unexpected character '%'"},
        {u"Req a=1x", "a: unexpected 'x' after the value"},
        {u"Req a=\"x\"b=1", "a: unexpected 'b' after the value"},
        {u"Req a=", "a: missing value"},
        {u"Req a= 1", "a: missing value"},
        {u"Req =1", "expected a key, found '='"},
        {u"Req a=1 a=2", "a: the key is given twice"},
        {u"Req a=(1.0,2.0)", "a: a point has three coordinates"},
        {u"Req a=(1.0,\"x\",2.0)", "a: a point's coordinates are numbers"},
        {u"Req a=[1,\"x\"]", "a: a list holds one type: a string after an integer"},
        {u"Req a=[1,", "a: missing value"},
        {u"Req a=[1", "a: unterminated list"},
        {u"Req a=[1 2]", "a: expected ',' or ']' in a list"},
        {u"Req a=\"\\q\"", "a: unknown escape \\q"},
        {u"Req a=\"\\u12G4\"", "a: \\u takes four hex digits"},
        {u"Req a=1e400", "a: number out of range 1e400"},
        {u"Req a=99999999999999999999", "a: number out of range"},
        {u"Req a=1.2.3", "a: malformed number 1.2.3"},
        {u"Req a=-", "a: malformed number -"},
        {u"Req a=yes", "a: unknown word yes"},
        {u"Req a=-true", "a: unknown word -true"},
        {u"Req a=@x", "a: a reference is @ and a quoted name key"},
        {u"Req a=nan(0x12)", "a: nan(...) takes"},
        {u"Req a=nan(0x0000000000000001)", "a: nan(...) takes"},
        {u"Req a=\u00e9", "a: unexpected character U+00E9"},
        {u"Req a=1\nb=2", "a: unexpected U+000A after the value"},
        {u"", "the line is empty"},
        {u"   ", "the line is empty"},
        {u"\"Req\" a=1", "a line starts with the request name"},
        {u"Req! a=1", "unexpected character '!' after the request name"},
        {UTxString16(u"Req a=") + UTxString16(5000, u'[') + UTxString16(5000, u']'),
         "a: lists nested too deeply"},
        // Deep nesting of any kind fails where it goes wrong, never by exhausting the stack.
        {UTxString16(u"Req a=") + UTxString16(10000, u'('),
         "a: a point's coordinates are numbers (column 8)"},
        {u"Req a=1 b=" + Repeat(u"[(", 5000), "b: a point's coordinates are numbers (column 13)"},
        {u"Req a=1 b=" + Repeat(u"[", 5000) + Repeat(u"(", 5000),
         "b: lists nested too deeply (column 27)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(U8(c.line).substr(0, 60));
        FWxTranscriptLine parsed;
        UTxResult r = Parse(c.line, parsed);
        ASSERT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
        EXPECT_NE(r.GetMessageUtf8().find(c.message), std::string::npos) << r.GetMessageUtf8();
    }
}

// What is written nests as deep as a line may and no deeper: the writer refuses what the reader
// would.
TEST(FWxTranscriptLines, ListsNestSixteenDeepAndNoDeeper) {
    auto nested = [](int depth) {
        Value v = Value::MakeTriple(1, 2, 3);
        for (int i = 0; i < depth; ++i)
            v = Value::MakeList({v});
        return v;
    };
    FWxTranscriptMgr mgr;
    UTxString16 line = u"Req";
    ASSERT_TRUE(mgr.PutValue(line, u"x", nested(kFWxTranscriptMaxDepth)).IsEmpty());
    FWxTranscriptLine parsed;
    ASSERT_TRUE(Parse(line, parsed).IsEmpty()) << U8(line);
    EXPECT_EQ(parsed.ToText(), line);

    const UTxString16 before = line;
    UTxResult r = mgr.PutValue(line, u"y", nested(kFWxTranscriptMaxDepth + 1));
    EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
    EXPECT_NE(r.GetMessageUtf8().find("y: lists nested too deeply"), std::string::npos);
    EXPECT_EQ(line, before);
    r = Parse(u"Req y=" + nested(kFWxTranscriptMaxDepth + 1).ToLiteral(), parsed);
    EXPECT_NE(r.GetMessageUtf8().find("y: lists nested too deeply"), std::string::npos);
}

// Every key of a long line is found, wherever it is and in whatever order it is asked for; keys
// it lacks are not; a key given twice is refused even far apart.
TEST(FWxTranscriptLines, LongLinesFindEveryKey) {
    for (size_t pairs : {size_t(20000), size_t(120000)}) {
        SCOPED_TRACE(pairs);
        UTxString16 line = u"Req";
        for (size_t i = 0; i < pairs; ++i)
            line += u" k" + Num(i) + u"=" + (i % 2 ? Num(i) : u"\"" + Num(i) + u"\"");
        FWxTranscriptLine parsed;
        ASSERT_TRUE(Parse(line, parsed).IsEmpty());
        ASSERT_EQ(parsed.pairs.size(), pairs);
        size_t wrong = 0;
        for (size_t n = 0; n < pairs; ++n) {
            const size_t i = (n * 7919) % pairs; // every key once, out of order
            const Value* v = parsed.Find(u"k" + Num(i));
            if (!v || (i % 2 ? v->GetInt() != int64_t(i) : v->GetText() != Num(i))) ++wrong;
        }
        EXPECT_EQ(wrong, 0u);
        for (const UTxString16& absent : {u"k" + Num(pairs), UTxString16(u"k"), UTxString16(u"K0"),
                                          UTxString16(u"k00"), UTxString16(u"Req")})
            EXPECT_EQ(parsed.Find(absent), nullptr) << U8(absent);

        // The manager reads the same line, and a copy of it, alike.
        FWxTranscriptMgr mgr;
        Value v;
        ASSERT_TRUE(mgr.GetValue(line, u"k" + Num(pairs - 1), v).IsEmpty());
        EXPECT_EQ(v.GetInt(), int64_t(pairs - 1));
        ASSERT_TRUE(mgr.GetValue(UTxString16(line), u"k0", v).IsEmpty());
        EXPECT_EQ(v.GetText(), u"0");

        // The next line taken apart, a short one, knows only its own keys.
        const UTxString16 shortLine = u"Req k1=\"short\" other=2";
        ASSERT_TRUE(mgr.GetValue(shortLine, u"k1", v).IsEmpty());
        EXPECT_EQ(v.GetText(), u"short");
        EXPECT_FALSE(mgr.ArgumentExists(shortLine, u"k0"));
        EXPECT_FALSE(mgr.ArgumentExists(shortLine, u"k" + Num(pairs - 1)));
        EXPECT_TRUE(mgr.ArgumentExists(shortLine, u"other"));
        EXPECT_FALSE(mgr.ArgumentExists(u"Req a=1", u"k1"));
        EXPECT_FALSE(mgr.ArgumentExists(u"Req a=1", u"other"));
        EXPECT_TRUE(mgr.ArgumentExists(u"Req a=1", u"a"));

        // A line taken apart into the room of an earlier one finds none of the earlier keys.
        FWxTranscriptLine reused;
        ASSERT_TRUE(Parse(u"Req k1=1 other=2 third=3", reused).IsEmpty());
        ASSERT_TRUE(Parse(u"Req a=1", reused).IsEmpty());
        for (const char16_t* gone : {u"k1", u"other", u"third"})
            EXPECT_EQ(reused.Find(gone), nullptr) << U8(gone);
        ASSERT_NE(reused.Find(u"a"), nullptr);

        const UTxString16 twice = line + u" k" + Num(pairs / 2) + u"=1";
        UTxResult r = Parse(twice, parsed);
        EXPECT_NE(r.GetMessageUtf8().find("k" + std::to_string(pairs / 2) +
                                          ": the key is given twice (column " +
                                          std::to_string(twice.size()) + ")"),
                  std::string::npos)
            << r.GetMessageUtf8();
    }
}

TEST(FWxTranscriptLines, DamagedLinesNeverCrashAndWhatParsesRewritesStably) {
    // Every prefix of a rich line, and every position overwritten with a troublesome character:
    // the reader must fail cleanly or give pairs that write back to a line reading the same.
    const UTxString16 line =
        u"Req i=-12 r=1e+300 b=false s=\"q\\\"\\\\\\u0001 = [\" p=(1.0,-0.0,nan) "
        u"l=[[1,2],[]] sl=[\"a\",\"\"] ref=@\"TstNode#3\" n=null f=nan(0x7ff0000000000001)";
    const char16_t troublemakers[] = {u'"', u'\\', u'[', u']', u'(', u')',  u'@',
                                      u' ', u'=',  u',', u'-', u'e', u'\0', char16_t(0xD800)};
    std::vector<UTxString16> damaged;
    for (size_t n = 0; n <= line.size(); ++n)
        damaged.push_back(line.substr(0, n));
    for (size_t i = 0; i < line.size(); ++i)
        for (char16_t c : troublemakers) {
            damaged.push_back(line);
            damaged.back()[i] = c;
        }
    size_t parsedCount = 0;
    for (const UTxString16& text : damaged) {
        FWxTranscriptLine parsed;
        if (Parse(text, parsed).Failed()) continue;
        ++parsedCount;
        const UTxString16 rewritten = parsed.ToText();
        FWxTranscriptLine again;
        ASSERT_TRUE(Parse(rewritten, again).IsEmpty()) << U8(rewritten);
        EXPECT_EQ(again.ToText(), rewritten);
    }
    EXPECT_GT(parsedCount, 0u);
}

TEST(FWxTranscriptFile, RequestsAreWrittenLineByLineInUtf8) {
    KorvuTempDir dir;
    FWxTranscriptMgr mgr;
    ASSERT_TRUE(mgr.OpenFile(dir.File("session.txt")).IsEmpty());

    UTxString16 line = u"left over";
    ASSERT_TRUE(mgr.BeginDocRequest(line, nullptr).IsEmpty());
    EXPECT_TRUE(line.empty());
    // Pairs may come before the name; the name always leads the line.
    mgr.PutValue(line, u"label", Value::MakeString(u"Caf\u00e9 \U0001F600"));
    ASSERT_TRUE(mgr.PutDocRequestName(line, u"First").IsEmpty());
    mgr.PutValue(line, u"n", Value::MakeInt(3));
    ASSERT_TRUE(mgr.PutDocRequestName(line, u"CreateNote").IsEmpty());
    ASSERT_TRUE(mgr.EndDocRequest(line).IsEmpty());
    EXPECT_EQ(line, u"CreateNote label=\"Caf\u00e9 \U0001F600\" n=3");
    ASSERT_TRUE(mgr.WriteLine(line).IsEmpty());
    // Flushed with each line: a crash later loses nothing written so far.
    EXPECT_EQ(ReadFile(dir.File("session.txt")), U8(line) + "\n");

    ASSERT_TRUE(mgr.WriteLine(u"Second").IsEmpty());
    ASSERT_TRUE(mgr.CloseFile().IsEmpty());
    EXPECT_TRUE(mgr.WriteLine(u"Third").IsEmpty()); // kept in memory only
    EXPECT_EQ(ReadFile(dir.File("session.txt")), U8(line) + "\nSecond\n");
    EXPECT_EQ(mgr.GetLines(), (std::vector<UTxString16>{line, u"Second", u"Third"}));

    ASSERT_TRUE(mgr.OpenFile(dir.File("session.txt"), true).IsEmpty());
    ASSERT_TRUE(mgr.WriteLine(u"Fourth").IsEmpty());
    ASSERT_TRUE(mgr.CloseFile().IsEmpty());
    EXPECT_EQ(ReadFile(dir.File("session.txt")), U8(line) + "\nSecond\nFourth\n");
    mgr.ClearLines();
    EXPECT_TRUE(mgr.GetLines().empty());

    // A program journalling to its file keeps nothing of a long session in memory.
    mgr.SetKeepLines(false);
    ASSERT_TRUE(mgr.OpenFile(dir.File("session.txt"), true).IsEmpty());
    ASSERT_TRUE(mgr.WriteLine(u"Fifth").IsEmpty());
    ASSERT_TRUE(mgr.CloseFile().IsEmpty());
    EXPECT_EQ(ReadFile(dir.File("session.txt")), U8(line) + "\nSecond\nFourth\nFifth\n");
    EXPECT_TRUE(mgr.GetLines().empty());

    UTxString16 name;
    ASSERT_TRUE(FWxTranscriptMgr::GetRequestName(line, name).IsEmpty());
    EXPECT_EQ(name, u"CreateNote");
}

// A line holds at most 16 MiB: of UTF-8 in the file (its line end not counted), of UTF-16 units
// in memory. Longer lines are refused before they are taken apart, or written.
TEST(FWxTranscriptFile, LinesLongerThanTheLimitAreRefused) {
    constexpr size_t kMax = kFWxTranscriptMaxLine;
    ASSERT_EQ(kMax, size_t(16) << 20);
    const std::string tooLong = "the line is longer than the limit of 16 MiB";
    {
        // In memory: a string as long as the limit allows still parses.
        const UTxString16 head = u"Req s=\"";
        UTxString16 line = head + UTxString16(kMax - head.size() - 1, u'x') + u"\"";
        FWxTranscriptLine parsed;
        ASSERT_TRUE(Parse(line, parsed).IsEmpty());
        EXPECT_EQ(parsed.Find(u"s")->GetText().size(), kMax - head.size() - 1);
        line.insert(head.size(), u"x");
        UTxResult r = Parse(line, parsed);
        EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
        EXPECT_NE(r.GetMessageUtf8().find(tooLong), std::string::npos) << r.GetMessageUtf8();
    }
    {
        // Written: counted in UTF-8, where U+00E9 takes two bytes.
        KorvuTempDir dir;
        FWxTranscriptMgr mgr;
        ASSERT_TRUE(mgr.OpenFile(dir.File("t.txt")).IsEmpty());
        const UTxString16 head = u"Req s=\"";
        const size_t fits = (kMax - head.size() - 1) / 2;
        const UTxString16 line = head + UTxString16(fits, u'\u00e9') + u"\"";
        ASSERT_EQ(U8(line).size(), kMax);
        UTxResult r = mgr.WriteLine(line + u"\u00e9");
        EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
        EXPECT_NE(r.GetMessageUtf8().find(tooLong), std::string::npos);
        EXPECT_TRUE(mgr.GetLines().empty());
        ASSERT_TRUE(mgr.WriteLine(line).IsEmpty());
        ASSERT_TRUE(mgr.CloseFile().IsEmpty());
        EXPECT_EQ(ReadFile(dir.File("t.txt")).size(), kMax + 1);
    }
    // Replayed: the line is refused by its length alone, and named by its number. A line as
    // long as the limit is read (and fails for what it says).
    struct Case {
        const char* name;
        std::string second; // the second line of the file, with its line end
        std::string says;
    };
    const std::string nope = "Nope s=\"";
    const std::string fill(kMax - nope.size() - 1, 'x');
    const Case cases[] = {
        {"at the limit", nope + fill + "\"\n", "line 2: Nope: no request has this name"},
        {"at the limit, CR LF", nope + fill + "\"\r\n", "line 2: Nope: no request has this name"},
        {"a byte over", nope + fill + "x\"\n", "line 2: " + tooLong},
        {"twice the limit", nope + fill + fill + "\n", "line 2: " + tooLong},
        {"a comment over", "#" + fill + fill + "\n", "line 2: " + tooLong},
    };
    FWxSceneDoc doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KorvuTempDir dir;
        std::ofstream(dir.File("t.txt"), std::ios::binary) << "# first\n" << c.second << "Redo\n";
        FWxTranscriptMgr mgr;
        int32_t done = -1;
        UTxResult r = mgr.ReplayFile(&doc, dir.File("t.txt"), &done);
        EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
        EXPECT_NE(r.GetMessageUtf8().find(c.says), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(done, 0);
    }
}

// A line made by the manager's own Puts is not taken apart again to be checked: whatever else
// is done to it, or a key put twice, or a list of two kinds, must still be found.
TEST(FWxTranscriptFile, WrittenLinesAreCheckedWhateverWasDoneToThem) {
    using Build = std::function<void(FWxTranscriptMgr&, UTxString16&)>;
    const auto begin = [](FWxTranscriptMgr& mgr, UTxString16& line) {
        ASSERT_TRUE(mgr.BeginDocRequest(line, nullptr).IsEmpty());
        ASSERT_TRUE(mgr.PutDocRequestName(line, u"Req").IsEmpty());
        ASSERT_TRUE(mgr.PutValue(line, u"n", Value::MakeInt(3)).IsEmpty());
        ASSERT_TRUE(mgr.PutValue(line, u"s", Value::MakeString(u"x")).IsEmpty());
    };
    const auto more = [](FWxTranscriptMgr& mgr, UTxString16& line) {
        ASSERT_TRUE(mgr.PutValue(line, u"m", Value::MakeReal(0.5)).IsEmpty());
    };
    struct Case {
        const char* name;
        Build build;
        const char* says; // nullptr: the line reads back
    };
    const Case cases[] = {
        {"puts only", [&](auto& mgr, auto& line) { begin(mgr, line); more(mgr, line); }, nullptr},
        {"name after the pairs",
         [&](auto& mgr, auto& line) {
             ASSERT_TRUE(mgr.PutValue(line, u"a", Value::MakeInt(1)).IsEmpty());
             ASSERT_TRUE(mgr.PutDocRequestName(line, u"Late").IsEmpty());
             more(mgr, line);
         },
         nullptr},
        {"no name",
         [&](auto& mgr, auto& line) { ASSERT_TRUE(mgr.PutValue(line, u"a", Value::MakeInt(1)).IsEmpty()); },
         "no request name"},
        {"a key twice",
         [&](auto& mgr, auto& line) {
             begin(mgr, line);
             ASSERT_TRUE(mgr.PutValue(line, u"n", Value::MakeInt(4)).IsEmpty());
         },
         "given twice"},
        {"a list of two kinds",
         [&](auto& mgr, auto& line) {
             begin(mgr, line);
             mgr.PutValue(line, u"l", Value::MakeList({Value::MakeInt(1), Value::MakeString(u"a")}));
         },
         "a list holds one type"},
        {"a list of two kinds, nested",
         [&](auto& mgr, auto& line) {
             begin(mgr, line);
             mgr.PutValue(line, u"l",
                          Value::MakeList({Value::MakeList({Value::MakeBool(true),
                                                            Value::MakeTriple(0, 0, 0)})}));
         },
         "a list holds one type"},
        {"text added by hand", [&](auto& mgr, auto& line) { begin(mgr, line); line += u" a=\"open"; },
         "unterminated string"},
        {"a unit changed by hand, then a put",
         [&](auto& mgr, auto& line) {
             begin(mgr, line);
             line[line.find(u'3')] = u'"';
             more(mgr, line);
         },
         "after the value"},
        {"a broken line of the same length in the same string",
         [&](auto& mgr, auto& line) {
             begin(mgr, line);
             ASSERT_TRUE(mgr.EndDocRequest(line).IsEmpty());
             line[line.find(u'3')] = u'?';
         },
         "unexpected character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FWxTranscriptMgr mgr;
        UTxString16 line;
        c.build(mgr, line);
        const UTxResult r = mgr.EndDocRequest(line);
        if (!c.says) {
            EXPECT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
            FWxTranscriptLine parsed;
            EXPECT_TRUE(Parse(line, parsed).IsEmpty()) << U8(line);
            continue;
        }
        EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed) << U8(line);
        EXPECT_NE(r.GetMessageUtf8().find(c.says), std::string::npos) << r.GetMessageUtf8();
    }
}

TEST(FWxTranscriptFile, RefusesWhatCouldNotBeReadBack) {
    KorvuTempDir dir;
    FWxTranscriptMgr mgr;
    UTxResult r = mgr.OpenFile(dir.File("no/such/folder/t.txt"));
    EXPECT_EQ(r.GetCode(), kFWxErrTranscriptFile);
    EXPECT_FALSE(mgr.IsFileOpen());

    EXPECT_EQ(mgr.WriteLine(u"Req s=1\nInjected").GetCode(), kFWxErrTranscriptMalformed);
    EXPECT_TRUE(mgr.GetLines().empty());

    UTxString16 noName = u"a=1";
    EXPECT_TRUE(mgr.EndDocRequest(noName).Failed());
    UTxString16 broken = u"Req a=\"open";
    EXPECT_TRUE(mgr.EndDocRequest(broken).Failed());
    UTxString16 line;
    EXPECT_TRUE(mgr.PutDocRequestName(line, u"Bad name").Failed());
    r = mgr.PutValue(line, u"bad key", Value::MakeInt(1));
    EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMalformed);
    EXPECT_NE(r.GetMessageUtf8().find("bad key"), std::string::npos);
    EXPECT_TRUE(line.empty());

    UTxString16 name;
    EXPECT_TRUE(FWxTranscriptMgr::GetRequestName(u"a=1 b=2", name).Failed());
    EXPECT_TRUE(FWxTranscriptMgr::GetRequestName(u"", name).Failed());
}

// ---- references -----------------------------------------------------------------------------

class FWxTranscriptRefs : public ::testing::Test {
protected:
    RSeSegment* Segment() { return RSe::SegmentOf(m_doc.GetRSeDb()); }
    std::string Id(const RSeIDed* obj) { return std::to_string(obj->GetId()); }

    FWxSceneDoc m_doc;
    FWxTranscriptMgr& m_mgr = FWxTranscriptMgr::Get();
};

TEST_F(FWxTranscriptRefs, ReadBackToTheSameObjects) {
    TstNode* node = TstNew<TstNode>(Segment());
    TstDerived* derived = TstNew<TstDerived>(Segment());
    TstZero* zero = TstNew<TstZero>(Segment());

    UTxString16 line = u"Req";
    ASSERT_TRUE(m_mgr.PutRSeRef(line, u"node", RSeRef<TstNode>(node)).IsEmpty());
    ASSERT_TRUE(m_mgr.PutRSeRef(line, u"derived", RSeRef<TstNode>(derived)).IsEmpty());
    ASSERT_TRUE(m_mgr.PutRSeRef(line, u"zero", RSeRef<TstZero>(zero)).IsEmpty());
    ASSERT_TRUE(m_mgr.PutRSeRef(line, u"none", RSeRef<TstNode>()).IsEmpty());
    EXPECT_EQ(U8(line), "Req node=@\"TstNode#" + Id(node) + "\" derived=@\"TstDerived#" +
                            Id(derived) + "\" zero=@\"TstZero#" + Id(zero) + "\" none=null");
    // A value may hold live references, as edit records do: they are written by their name keys.
    UTxString16 live = u"Req";
    ASSERT_TRUE(m_mgr
                    .PutValue(live, u"refs",
                              FWxTranscriptValue::MakeList(
                                  {FWxTranscriptValue::MakeRef(RSeRef<TstNode>(node)),
                                   FWxTranscriptValue::MakeRef(RSeRefBase())}))
                    .IsEmpty());
    EXPECT_EQ(U8(live), "Req refs=[@\"TstNode#" + Id(node) + "\",null]");

    RSeRefBase out;
    ASSERT_TRUE(m_mgr.GetRSeRef(line, u"node", &m_doc, out).IsEmpty());
    EXPECT_EQ(out.GetTarget(), node);
    ASSERT_TRUE(m_mgr.GetRSeRef(line, u"derived", &m_doc, out).IsEmpty());
    EXPECT_EQ(out.GetTarget(), derived);
    ASSERT_TRUE(m_mgr.GetRSeRef(line, u"zero", &m_doc, out).IsEmpty());
    EXPECT_EQ(out.GetTarget(), zero);
    ASSERT_TRUE(m_mgr.GetRSeRef(line, u"none", &m_doc, out).IsEmpty());
    EXPECT_FALSE(out.HasTarget());

    EXPECT_EQ(U8(m_mgr.StringFromRef(RSeRef<TstZero>(zero))), "TstZero#" + Id(zero));
    EXPECT_TRUE(m_mgr.StringFromRef(RSeRefBase()).empty());
    // A key may name a base class of the object.
    ASSERT_TRUE(
        m_mgr.RefFromString(&m_doc, u"TstNode#" + UTx::MakeWideString(Id(derived)), out).IsEmpty());
    EXPECT_EQ(out.GetTarget(), derived);
}

// A value holds one kind at a time: copies, moves and assignments across kinds keep exactly the
// value given, and an assignment from a part of the value itself takes the part whole.
TEST_F(FWxTranscriptRefs, ValuesKeepTheirKindThroughCopiesAndAssignments) {
    TstNode* node = TstNew<TstNode>(Segment());
    // Long enough to live outside the string object, so that a shallow copy would show.
    const UTxString16 longText = u"a text longer than any string keeps in place";
    const std::vector<Value> values = {
        Value(),
        Value::MakeInt(-12),
        Value::MakeReal(-0.0),
        Value::MakeFloat(0.1f),
        Value::MakeBool(true),
        Value::MakeString(longText),
        Value::MakeRef(u"TstNode#" + UTx::MakeWideString(Id(node))),
        Value::MakeRef(RSeRef<TstNode>(node)),
        Value::MakeTriple(1.5, -2.0, 1e300),
        Value::MakeList({Value::MakeList({Value::MakeString(longText)}),
                         Value::MakeList({Value::MakeRef(RSeRef<TstNode>(node))})}),
    };
    for (size_t i = 0; i < values.size(); ++i) {
        const Value& a = values[i];
        SCOPED_TRACE(U8(a.ToLiteral()));
        Value copy(a);
        EXPECT_EQ(copy, a);
        EXPECT_EQ(copy.ToLiteral(), a.ToLiteral());
        Value moved(std::move(copy));
        EXPECT_EQ(moved, a);
        EXPECT_EQ(copy.GetKind(), Value::kNull);
        for (const Value& b : values) {
            SCOPED_TRACE(U8(b.ToLiteral()));
            Value assigned(a);
            assigned = b;
            EXPECT_EQ(assigned, b);
            EXPECT_EQ(assigned.GetText(), b.GetText());
            EXPECT_EQ(assigned.GetRef(), b.GetRef());
            EXPECT_EQ(assigned.ToLiteral(), b.ToLiteral());
            Value taken(a);
            Value from(b);
            taken = std::move(from);
            EXPECT_EQ(taken, b);
        }
    }
    Value nested = values.back();
    nested = nested.GetList()[0];
    EXPECT_EQ(nested, values.back().GetList()[0]);
    nested = nested.GetList()[0];
    EXPECT_EQ(nested.GetText(), longText);
}

TEST_F(FWxTranscriptRefs, FailNamingTheKey) {
    TstNode* node = TstNew<TstNode>(Segment());
    TstNode* doomed = TstNew<TstNode>(Segment());
    const std::string nodeId = Id(node);
    const UTxString16 doomedRef = u"@\"" + m_mgr.StringFromRef(RSeRef<TstNode>(doomed)) + u"\"";
    RSeRef<TstNode> kept(doomed);
    delete doomed;

    struct Case {
        UTxString16 value;
        UTxResultCode code;
        const char* message;
    };
    const Case cases[] = {
        {doomedRef, kFWxErrTranscriptUnresolved, "names no object"},
        {u"@\"Nope#1\"", kFWxErrTranscriptUnresolved, "unknown class: Nope"},
        {u"@\"TstValue#1\"", kFWxErrTranscriptUnresolved, "unknown class: TstValue"},
        {u"@\"TstZero#" + UTx::MakeWideString(nodeId) + u"\"", kFWxErrTranscriptUnresolved,
         "the object is a TstNode"},
        {u"@\"TstDerived#" + UTx::MakeWideString(nodeId) + u"\"", kFWxErrTranscriptUnresolved,
         "the object is a TstNode"},
        {u"@\"TstNode#abc\"", kFWxErrTranscriptUnresolved, "malformed: TstNode#abc"},
        {u"@\"TstNode#0" + UTx::MakeWideString(nodeId) + u"\"", kFWxErrTranscriptUnresolved,
         "malformed"},
        {u"@\"TstNode\"", kFWxErrTranscriptUnresolved, "malformed"},
        {u"@\"\"", kFWxErrTranscriptUnresolved, "malformed"},
        {u"\"TstNode#" + UTx::MakeWideString(nodeId) + u"\"", kFWxErrTranscriptWrongType,
         "expected a reference, found a string"},
        {u"7", kFWxErrTranscriptWrongType, "found an integer"},
        {u"@\"unterminated", kFWxErrTranscriptMalformed, "unterminated string"},
    };
    for (const Case& c : cases) {
        const UTxString16 line = u"Req first=1 target=" + c.value;
        SCOPED_TRACE(U8(line));
        RSeRefBase out(node);
        UTxResult r = m_mgr.GetRSeRef(line, u"target", &m_doc, out);
        ASSERT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), c.code);
        const std::string message = r.GetMessageUtf8();
        EXPECT_NE(message.find(": target: "), std::string::npos) << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }

    RSeRefBase out;
    UTxResult r = m_mgr.GetRSeRef(u"Req other=null", u"target", &m_doc, out);
    EXPECT_EQ(r.GetCode(), kFWxErrTranscriptMissing);
    EXPECT_EQ(r.GetMessageUtf8(), "Transcript value missing: target");
    r = m_mgr.GetRSeRef(u"Req target=@\"TstNode#" + UTx::MakeWideString(nodeId) + u"\"", u"target",
                        nullptr, out);
    EXPECT_EQ(r.GetCode(), kFWxErrTranscriptUnresolved);

    // Writing a reference whose object is gone would name nothing on replay.
    UTxString16 line = u"Req";
    const UTxResult refused[] = {
        m_mgr.PutRSeRef(line, u"gone", kept),
        m_mgr.PutValue(line, u"gone",
                       FWxTranscriptValue::MakeList({FWxTranscriptValue::MakeRef(kept)})),
    };
    for (const UTxResult& refusal : refused) {
        EXPECT_EQ(refusal.GetCode(), kFWxErrTranscriptUnresolved);
        EXPECT_NE(refusal.GetMessageUtf8().find("gone: the object no longer exists"),
                  std::string::npos);
    }
    EXPECT_EQ(line, u"Req");
}

TEST(FWxTranscriptArguments, ExistOnlyAsKeysOfAWellFormedLine) {
    FWxTranscriptMgr& mgr = FWxTranscriptMgr::Get();
    const UTxString16 line = u"Req alpha=1 s=\"beta=2 gamma\" list=[\"delta=3\"]";
    EXPECT_TRUE(mgr.ArgumentExists(line, u"alpha"));
    EXPECT_TRUE(mgr.ArgumentExists(line, u"list"));
    for (const char16_t* absent : {u"alph", u"beta", u"gamma", u"delta", u"Req", u""})
        EXPECT_FALSE(mgr.ArgumentExists(line, absent)) << U8(absent);
    EXPECT_FALSE(mgr.ArgumentExists(u"Req alpha=1 bad=\"", u"alpha"));
}

// ---- name keys ------------------------------------------------------------------------------

// Names nodes by their text, as a module names its objects by something a user sees.
class TextTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        rest = static_cast<const TstNode&>(obj).m_text;
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc*,
                         RSeIDed*& out) const override {
        RSe::SegmentOf(&db)->ForEachObject([&](RSeVMeta* o) {
            if (auto* n = dynamic_cast<TstNode*>(o); n && n->m_text == rest) out = n;
        });
        return {};
    }
};

TEST(FBxObjectNameKeys, TranslatorOfABaseServesDerivedClasses) {
    static const TextTranslator translator;
    struct Registration {
        Registration() { FBxObjectNameKey::RegisterTranslator(u"TstNode", &translator); }
        ~Registration() { FBxObjectNameKey::RegisterTranslator(u"TstNode", nullptr); }
    };
    FWxSceneDoc doc;
    RSeDatabase& db = *doc.GetRSeDb();
    TstNode* node = TstNew<TstNode>(RSe::SegmentOf(&db));
    node->m_text = u"alpha #1";
    TstDerived* derived = TstNew<TstDerived>(RSe::SegmentOf(&db));
    derived->m_text = u"beta";
    TstZero* zero = TstNew<TstZero>(RSe::SegmentOf(&db));

    auto keyOf = [](const RSeIDed* obj) {
        FBxObjectNameKey key;
        EXPECT_TRUE(FBxObjectNameKey::FromObject(obj, key).IsEmpty());
        return key.GetText();
    };
    auto find = [&](const UTxString16& text, RSeIDed*& out) {
        return FBxObjectNameKey(text).FindObject(db, &doc, out);
    };
    RSeIDed* found = nullptr;
    {
        Registration registered;
        EXPECT_EQ(keyOf(node), u"TstNode#alpha #1");
        EXPECT_EQ(keyOf(derived), u"TstDerived#beta");
        EXPECT_EQ(keyOf(zero), u"TstZero#" + UTx::MakeWideString(std::to_string(zero->GetId())));
        EXPECT_EQ(FBxObjectNameKey(u"TstDerived#beta").GetClassName(), u"TstDerived");

        ASSERT_TRUE(find(u"TstNode#alpha #1", found).IsEmpty());
        EXPECT_EQ(found, node);
        ASSERT_TRUE(find(u"TstDerived#beta", found).IsEmpty());
        EXPECT_EQ(found, derived);
        ASSERT_TRUE(find(u"TstNode#beta", found).IsEmpty());
        EXPECT_EQ(found, derived);
        // The translator finds the node, but a node is no TstDerived.
        UTxResult r = find(u"TstDerived#alpha #1", found);
        EXPECT_EQ(r.GetCode(), kFBxErrNameKeyUnresolved);
        EXPECT_EQ(found, nullptr);
        EXPECT_EQ(find(u"TstNode#gamma", found).GetCode(), kFBxErrNameKeyUnresolved);
    }
    // Back to ids once the translator is gone.
    EXPECT_EQ(keyOf(node), u"TstNode#" + UTx::MakeWideString(std::to_string(node->GetId())));
    EXPECT_EQ(find(u"TstNode#alpha #1", found).GetCode(), kFBxErrNameKeyMalformed);

    TstZero loose; // in no database: nothing could find it again
    FBxObjectNameKey key;
    EXPECT_EQ(FBxObjectNameKey::FromObject(&loose, key).GetCode(), kFBxErrNameKeyNone);
    EXPECT_EQ(FBxObjectNameKey::FromObject(nullptr, key).GetCode(), kFBxErrNameKeyNone);
}

} // namespace
