// The drawing library's overloaded exchange: every kind written and read back through one call
// list, narrow strings as UTF-8, and typed references.
#include <gtest/gtest.h>

#include <limits>

#include "TstStoredClasses.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"

namespace {

using DLxTDXUtil::Transcript;

std::string U8(const UTxString16& s) {
    return UTx::ToUtf8(s);
}

struct Record {
    bool flag = false;
    int32_t count = 0;
    int16_t small = 0;
    uint32_t mask = 0;
    double length = 0;
    std::string narrow;
    UTxString16 wide;
    WqGePoint3d origin;
    WqGeVector3d axis;
    std::vector<bool> flags;
    std::vector<int32_t> counts;
    std::vector<uint32_t> ids;
    std::vector<UTxString16> texts;
    std::vector<WqGePoint3d> corners;
    RSeRef<TstNode> target;
    DLxTDXUtil::eTranscriptRequestVersion version = DLxTDXUtil::eTranscriptRequestVersion0;

    void Exchange(UCxTranscriptDataExchange& tdx) {
        Transcript(tdx, u"flag", flag, true);
        Transcript(tdx, u"count", count, true);
        Transcript(tdx, u"small", small, true);
        Transcript(tdx, u"mask", mask, true);
        Transcript(tdx, u"length", length, true);
        Transcript(tdx, u"narrow", narrow, true);
        Transcript(tdx, u"wide", wide, true);
        Transcript(tdx, u"origin", origin, true);
        Transcript(tdx, u"axis", axis, true);
        Transcript(tdx, u"flags", flags, true);
        Transcript(tdx, u"counts", counts, true);
        Transcript(tdx, u"ids", ids, true);
        Transcript(tdx, u"texts", texts, true);
        Transcript(tdx, u"corners", corners, true);
        Transcript(tdx, u"target", target, true);
        DLxTDXUtil::TranscriptAsInt(tdx, u"version", version, true);
    }
};

class DLxTDXUtilTranscript : public ::testing::Test {
public:
    UTxString16 Write(Record& rec) {
        UTxString16 line = u"TstRequest";
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        rec.Exchange(tdx);
        EXPECT_TRUE(result.IsEmpty()) << result.GetMessageUtf8();
        EXPECT_TRUE(FWxTranscriptMgr::Get().EndDocRequest(line).IsEmpty()) << U8(line);
        return line;
    }
    UTxResult Read(UTxString16 line, Record& rec) {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        rec.Exchange(tdx);
        return result;
    }
    RSeSegment* Segment() { return RSe::SegmentOf(m_doc.GetRSeDb()); }

    FWxSceneDoc m_doc;
};

TEST_F(DLxTDXUtilTranscript, EveryOverloadReadsBack) {
    Record full;
    full.flag = true;
    full.count = std::numeric_limits<int32_t>::min();
    full.small = -32768;
    full.mask = 0xFFFFFFFFu;
    full.length = 1.0 / 3.0;
    full.narrow = "plain";
    full.wide = u"w\u00e9 \"q\"";
    full.origin = {1, -2, 3.5};
    full.axis = {0, 0, -1};
    full.flags = {true, false};
    full.counts = {-1, 0, 7};
    full.ids = {4000000000u};
    full.texts = {u"", u"a, b"};
    full.corners = {{0, 0, 0}, {1, 1, 1}};
    full.target = TstNew<TstDerived>(Segment());
    full.version = DLxTDXUtil::eTranscriptRequestVersion1;

    Record empty; // empty lists and a null reference
    for (Record* rec : {&full, &empty}) {
        const UTxString16 line = Write(*rec);
        SCOPED_TRACE(U8(line));
        Record back;
        back.narrow = "stale";
        back.target = TstNew<TstNode>(Segment()); // a null in the line clears it
        back.version = DLxTDXUtil::eTranscriptRequestVersion1;
        UTxResult r = Read(line, back);
        ASSERT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
        EXPECT_EQ(back.flag, rec->flag);
        EXPECT_EQ(back.count, rec->count);
        EXPECT_EQ(back.small, rec->small);
        EXPECT_EQ(back.mask, rec->mask);
        EXPECT_EQ(back.length, rec->length);
        EXPECT_EQ(back.narrow, rec->narrow);
        EXPECT_EQ(back.wide, rec->wide);
        EXPECT_EQ(back.origin, rec->origin);
        EXPECT_EQ(back.axis, rec->axis);
        EXPECT_EQ(back.flags, rec->flags);
        EXPECT_EQ(back.counts, rec->counts);
        EXPECT_EQ(back.ids, rec->ids);
        EXPECT_EQ(back.texts, rec->texts);
        EXPECT_EQ(back.corners, rec->corners);
        EXPECT_EQ(back.target.get(), rec->target.get());
        EXPECT_EQ(back.version, rec->version);
    }
}

TEST_F(DLxTDXUtilTranscript, NarrowStringsTravelAsUtf16Literals) {
    const char* const texts[] = {"",
                                 "caf\xc3\xa9",              // é
                                 "\xe6\x97\xa5\xe6\x9c\xac", // two CJK ideographs
                                 "smile \xf0\x9f\x98\x80",   // outside the BMP
                                 "quote \" back \\ line\n tab\t"};
    for (const char* text : texts) {
        std::string value = text;
        UTxString16 line = u"TstRequest";
        UTxResult result;
        {
            UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
            Transcript(tdx, u"s", value, true);
        }
        ASSERT_TRUE(result.IsEmpty());
        SCOPED_TRACE(U8(line));
        // The literal is the wide text, so a wide reader sees the same string.
        UTxString16 wide;
        {
            UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
            ASSERT_TRUE(Transcript(tdx, u"s", wide, true));
        }
        EXPECT_EQ(wide, UTx::MakeWideString(text));
        std::string back = "stale";
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        ASSERT_TRUE(Transcript(tdx, u"s", back, true));
        EXPECT_EQ(back, text);
    }
}

TEST_F(DLxTDXUtilTranscript, ReadsKeepTheValueWhenAbsentOrRefused) {
    TstZero* zero = TstNew<TstZero>(Segment());
    TstNode* node = TstNew<TstNode>(Segment());
    UTxString16 line = u"TstRequest";
    UTxResult result;
    {
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        RSeRef<TstZero> z(zero);
        Transcript(tdx, u"zero", z, true);
        std::string n = "x";
        Transcript(tdx, u"n", n, true);
    }
    ASSERT_TRUE(result.IsEmpty());

    UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
    std::string absent = "kept";
    EXPECT_FALSE(Transcript(tdx, u"absent", absent, false));
    EXPECT_EQ(absent, "kept");
    int32_t wrong = 5;
    EXPECT_FALSE(Transcript(tdx, u"n", wrong, true));
    EXPECT_EQ(wrong, 5);
    EXPECT_EQ(result.GetCode(), kFWxErrTranscriptWrongType);

    UTxResult refusal;
    UCxTranscriptDataExchange refs(line, refusal, &m_doc, false);
    RSeRef<TstNode> asNode(node);
    EXPECT_FALSE(Transcript(refs, u"zero", asNode, true));
    EXPECT_EQ(asNode.get(), node);
    EXPECT_EQ(refusal.GetCode(), kFWxErrTranscriptWrongType);
    EXPECT_NE(refusal.GetMessageUtf8().find("zero: "), std::string::npos);
}

} // namespace
