// Edit records: typed access by position, and whole lists journalled under one transcript key.
#include <gtest/gtest.h>

#include <limits>

#include "TstStoredClasses.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

using Value = FWxTranscriptValue;

std::string U8(const UTxString16& s) {
    return UTx::ToUtf8(s);
}

TEST(FBxObjectEditRecord, TypedAccessByPosition) {
    FWxSceneDoc doc;
    TstNode* node = TstNew<TstNode>(RSe::SegmentOf(doc.GetRSeDb()));
    FBxObjectEditRecord rec(u"Move");
    rec.AddInt(-4).AddDouble(2.5).AddBool(true).AddString(u"s").AddPoint({1, 2, 3});
    rec.AddVector({0, 0, 1}).AddRef(RSeRef<TstNode>(node)).AddList({Value::MakeInt(7)});
    ASSERT_EQ(rec.GetValueCount(), 8);
    EXPECT_EQ(rec.GetInt(0), -4);
    EXPECT_EQ(rec.GetDouble(0), -4.0); // integers widen
    EXPECT_EQ(rec.GetDouble(1), 2.5);
    EXPECT_TRUE(rec.GetBool(2));
    EXPECT_EQ(rec.GetString(3), u"s");
    EXPECT_EQ(rec.GetPoint(4), WqGePoint3d(1, 2, 3));
    EXPECT_EQ(rec.GetVector(5), WqGeVector3d(0, 0, 1));
    EXPECT_EQ(rec.GetRefAs<TstNode>(6).get(), node);
    EXPECT_FALSE(rec.GetRefAs<TstZero>(6).HasTarget());
    EXPECT_EQ(rec.GetList(7), std::vector<Value>{Value::MakeInt(7)});

    // Another kind or a position past the end reads as the kind's zero, never out of bounds.
    EXPECT_EQ(rec.GetInt(1), 0);
    EXPECT_EQ(rec.GetString(0), u"");
    EXPECT_FALSE(rec.GetRef(-1).HasTarget());
    EXPECT_TRUE(rec.GetList(99).empty());
    EXPECT_TRUE(rec.IsKind(4, Value::kTriple));
    EXPECT_FALSE(rec.IsKind(8, Value::kInt));

    // Setting replaces, appends at the end, and refuses a gap.
    EXPECT_TRUE(rec.SetString(0, u"x"));
    EXPECT_TRUE(rec.SetInt(8, 1));
    EXPECT_FALSE(rec.SetInt(10, 1));
    EXPECT_FALSE(rec.SetInt(-1, 1));
    EXPECT_EQ(rec.GetValueCount(), 9);
    EXPECT_EQ(rec.GetString(0), u"x");
}

TEST(FBxObjectEditRecord, EqualityIsExactPerKind) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FBxObjectEditRecord(u"k").AddDouble(nan), FBxObjectEditRecord(u"k").AddDouble(nan));
    EXPECT_NE(FBxObjectEditRecord(u"k").AddDouble(0.0), FBxObjectEditRecord(u"k").AddDouble(-0.0));
    EXPECT_NE(FBxObjectEditRecord(u"k").AddInt(1), FBxObjectEditRecord(u"k").AddDouble(1.0));
    EXPECT_NE(FBxObjectEditRecord(u"k"), FBxObjectEditRecord(u"j"));
    EXPECT_NE(FBxObjectEditRecord(u"k").AddInt(1), FBxObjectEditRecord(u"k").AddInt(1).AddInt(1));
    // A point and a vector are both triples.
    EXPECT_EQ(FBxObjectEditRecord(u"k").AddPoint({1, 2, 3}),
              FBxObjectEditRecord(u"k").AddVector({1, 2, 3}));
}

class FBxEditRecordTranscript : public ::testing::Test {
public:
    UTxResult Write(FBxObjectEditRecordList& list, UTxString16& line) {
        line = u"TstRequest";
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        _TDX_FBxObjectEditRecordList(tdx, u"edits", list, true);
        return result;
    }
    UTxResult Read(UTxString16 line, FBxObjectEditRecordList& list, bool required = true) {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        _TDX_FBxObjectEditRecordList(tdx, u"edits", list, required);
        return result;
    }
    RSeSegment* Segment() { return RSe::SegmentOf(m_doc.GetRSeDb()); }

    FWxSceneDoc m_doc;
};

TEST_F(FBxEditRecordTranscript, ListsReadBackExactly) {
    TstNode* node = TstNew<TstNode>(Segment());
    TstDerived* derived = TstNew<TstDerived>(Segment());
    const RSeRef<TstNode> nodeRef(node);
    const RSeRef<TstDerived> derivedRef(derived);
    FBxObjectEditRecord everyKind(u"Every \"kind\" [x]");
    everyKind.AddInt(std::numeric_limits<int32_t>::min())
        .AddInt(std::numeric_limits<int32_t>::max())
        .AddDouble(-0.0)
        .AddDouble(1.0 / 3.0)
        .AddDouble(-std::numeric_limits<double>::max())
        .AddDouble(2.0) // stays a real
        .AddBool(false)
        .AddString(u"a, \"b\"] \\ \n \U0001F600 caf\u00e9")
        .AddString(u"")
        .AddPoint({1e-300, -1e12, 5e-324}) // as far out as a coordinate goes
        .AddVector({0, 1, 0})
        .AddRef(nodeRef)
        .AddRef(derivedRef)
        .AddRef(RSeRefBase())
        .AddList({})
        .AddList({Value::MakeInt(1), Value::MakeReal(1.0), Value::MakeInt(-2)})
        .AddList({Value::MakeRef(nodeRef), Value::MakeRef(RSeRefBase())})
        .AddList({Value::MakeString(u"x"), Value::MakeString(u"")})
        .AddList({Value::MakeTriple(0, 0, 0), Value::MakeTriple(1, 2, 3)})
        .AddList({Value::MakeList({Value::MakeInt(1)}), Value::MakeList({})});

    const FBxObjectEditRecordList cases[] = {
        {},
        {FBxObjectEditRecord(u"NoValues")},
        {FBxObjectEditRecord(u"")},
        {everyKind, FBxObjectEditRecord(u"Second").AddBool(true), everyKind},
    };
    for (FBxObjectEditRecordList list : cases) {
        UTxString16 line;
        UTxResult r = Write(list, line);
        ASSERT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
        SCOPED_TRACE(U8(line));
        ASSERT_TRUE(FWxTranscriptMgr::Get().EndDocRequest(line).IsEmpty());

        FBxObjectEditRecordList back = {FBxObjectEditRecord(u"stale")};
        r = Read(line, back);
        ASSERT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
        EXPECT_EQ(back, list);
    }
}

TEST_F(FBxEditRecordTranscript, ARecordIsAListOfOneElementListsKeyFirst) {
    FBxObjectEditRecordList list = {
        FBxObjectEditRecord(u"StretchTable").AddDouble(1.5).AddVector({0, 1, 0}).AddInt(3),
        FBxObjectEditRecord(u"Hide").AddList({Value::MakeInt(3), Value::MakeInt(4)})};
    UTxString16 line;
    ASSERT_TRUE(Write(list, line).IsEmpty());
    EXPECT_EQ(U8(line), "TstRequest edits=[[[\"StretchTable\"],[1.5],[(0.0,1.0,0.0)],[3]],"
                        "[[\"Hide\"],[[3,4]]]]");
}

TEST_F(FBxEditRecordTranscript, BadContentFailsNamingTheKeyAndKeepsTheList) {
    struct Case {
        const char16_t* value;
        UTxResultCode code;
        const char* message;
    };
    const UTxResultCode kWrong = kFWxErrTranscriptWrongType;
    const UTxResultCode kBad = kFWxErrTranscriptMalformed;
    const Case cases[] = {
        {u"5", kWrong, "edits: expected a list of records, found an integer"},
        {u"[\"k\"]", kWrong, "edits: record 0: expected a record, found a string"},
        {u"[[]]", kBad, "edits: record 0: a record starts with its key"},
        {u"[[[1]]]", kWrong, "edits: record 0: key: expected a string, found an integer"},
        {u"[[\"k\"]]", kWrong, "edits: record 0: key: expected a one-element list, found a"},
        {u"[[[\"k\",\"j\"]]]", kBad, "edits: record 0: key: expected a one-element list"},
        {u"[[[\"k\"],[]]]", kBad, "edits: record 0: value 0: expected a one-element list"},
        {u"[[[\"k\"]],[[\"k\"],[1],[2,3]]]", kBad, "edits: record 1: value 1: expected a one-"},
        {u"[[[\"k\"],7]]", kBad, "edits: a list holds one type"},
        {u"[[[\"k\"],[4294967296]]]", kFWxErrTranscriptOutOfRange,
         "edits: record 0: value 0: 4294967296 does not fit a 32-bit integer"},
        {u"[[[\"k\"],[[1,-2147483649]]]]", kFWxErrTranscriptOutOfRange,
         "edits: record 0: value 0: element 1: -2147483649 does not fit"},
        {u"[[[\"k\"],[@\"TstNode#999999\"]]]", kFWxErrTranscriptUnresolved,
         "edits: record 0: value 0: "},
        {u"[[[\"k\"],[1]", kBad, "edits: unterminated list"},
        {u"[[[\"k\"],[-nan]]]", kFWxErrTranscriptOutOfRange,
         "edits: record 0: value 0: -nan is not a finite number"},
        {u"[[[\"k\"],[[(0,0,2e12)]]]]", kFWxErrTranscriptOutOfRange,
         "edits: record 0: value 0: element 0: 2e+12 is beyond 1e12"},
    };
    for (const Case& c : cases) {
        const UTxString16 line = UTxString16(u"TstRequest edits=") + c.value;
        SCOPED_TRACE(U8(line));
        FBxObjectEditRecordList list = {FBxObjectEditRecord(u"kept")};
        UTxResult r = Read(line, list);
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_NE(r.GetMessageUtf8().find(c.message), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(list, FBxObjectEditRecordList{FBxObjectEditRecord(u"kept")});
    }

    // An absent key keeps the list unless it is required.
    FBxObjectEditRecordList list = {FBxObjectEditRecord(u"kept")};
    EXPECT_TRUE(Read(u"TstRequest other=1", list, false).IsEmpty());
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(Read(u"TstRequest other=1", list, true).GetCode(), kFWxErrTranscriptMissing);
}

TEST_F(FBxEditRecordTranscript, UnwritableRecordsFailNamingTheKey) {
    TstNode* gone = TstNew<TstNode>(Segment());
    const RSeRef<TstNode> goneRef(gone);
    delete gone;
    // A value's lists nest as deep as the line can read them back, below the record's own three.
    auto nested = [](int lists) {
        Value v = Value::MakeInt(1);
        for (int i = 0; i < lists; ++i)
            v = Value::MakeList({v});
        return FBxObjectEditRecord(u"k").AddValue(v);
    };
    {
        FBxObjectEditRecordList deepest = {nested(kFWxTranscriptMaxDepth - 3)}, back;
        UTxString16 line;
        ASSERT_TRUE(Write(deepest, line).IsEmpty());
        ASSERT_TRUE(Read(line, back).IsEmpty()) << UTx::ToUtf8(line);
        EXPECT_EQ(back, deepest);
    }
    struct Case {
        FBxObjectEditRecord record;
        UTxResultCode code;
        const char* message;
    };
    const Case cases[] = {
        {FBxObjectEditRecord(u"k").AddInt(1).AddList({Value::MakeInt(1), Value::MakeString(u"")}),
         kFWxErrTranscriptMalformed,
         "edits: record 0: value 1: element 1: a list holds one type: a string after an integer"},
        {FBxObjectEditRecord(u"k").AddRef(goneRef), kFWxErrTranscriptUnresolved,
         "edits: record 0: value 0: the object no longer exists"},
        // Records hold 32-bit integers: a wider one would not read back.
        {FBxObjectEditRecord(u"k").AddList({Value::MakeInt(int64_t(1) << 32)}),
         kFWxErrTranscriptOutOfRange,
         "edits: record 0: value 0: element 0: 4294967296 does not fit a 32-bit integer"},
        {nested(kFWxTranscriptMaxDepth - 2), kFWxErrTranscriptMalformed,
         "edits: record 0: value 0: element 0: element 0: element 0"},
        {nested(kFWxTranscriptMaxDepth - 2), kFWxErrTranscriptMalformed,
         "element 0: lists nested too deeply"},
    };
    for (const Case& c : cases) {
        FBxObjectEditRecordList list = {c.record};
        UTxString16 line;
        UTxResult r = Write(list, line);
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_NE(r.GetMessageUtf8().find(c.message), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(line, u"TstRequest");
    }
}

// Named attributes: a reader gets the value it asks for, or the exception that says why not.
TEST(FBxObjectEditRecordAttributes, ConversionsAndTheirRefusals) {
    FBxObjectEditRecord r(u"EditCell");
    r.SetAttribute(u"row", Value::MakeInt(3))
        .SetAttribute(u"value", Value::MakeString(u"M8"))
        .SetAttribute(u"scale", Value::MakeInt(2))
        .SetAttribute(u"on", Value::MakeInt(1))
        .SetAttribute(u"big", Value::MakeInt(int64_t(1) << 40))
        .SetAttribute(u"row", Value::MakeInt(4)); // replaces, does not add
    EXPECT_EQ(r.GetValueCount(), 10);
    EXPECT_EQ(r[u"row"].as_int(), 4);
    EXPECT_EQ(r[u"value"].as_UTxString16(), u"M8");
    EXPECT_DOUBLE_EQ(r[u"scale"].as_double(), 2.0);
    EXPECT_TRUE(r[u"on"].as_bool());
    EXPECT_FALSE(r[u"Row"].exists()); // names are case-sensitive
    EXPECT_THROW(r[u"Row"].as_int(), FBxObjectEditRecord::attribute_not_found);
    EXPECT_THROW(r[u"value"].as_int(), FBxObjectEditRecord::exception);
    EXPECT_THROW(r[u"row"].as_UTxString16(), FBxObjectEditRecord::exception);
    EXPECT_THROW(r[u"big"].as_int(), FBxObjectEditRecord::exception);
    EXPECT_THROW(r[u"row"].as_bool(), FBxObjectEditRecord::exception); // 4 is no bool
    EXPECT_THROW(r[u"value"].as_WqGePoint3d(), FBxObjectEditRecord::exception);
}

} // namespace
