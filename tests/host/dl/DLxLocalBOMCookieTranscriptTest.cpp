// Rows of a local bill of materials in a transcript line: every kind of cookie reads back as
// written, and a text that names no row, or items on different paths, fails the exchange and
// leaves the value as it was.
#include <gtest/gtest.h>

#include "dl/DLxLocalBOMCookie.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "utx/UTxUtil.h"

namespace {

DLxLocalBOMCookie Grouped(std::vector<int32_t> path, std::vector<int32_t> items) {
    DLxLocalBOMCookie c(path, items.front());
    for (int32_t i : items)
        c.Add(i);
    return c;
}

class LocalBOMCookieTranscript : public ::testing::Test {
protected:
    UTxResult Exchange(UTxString16& line, DLxLocalBOMCookie& cookie, bool writing) {
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, writing);
        DLxTDXUtil::Transcript(tdx, u"Row", cookie, true);
        return result;
    }
    FWxSceneDoc m_doc;
};

TEST_F(LocalBOMCookieTranscript, EveryKindOfRowReadsBack) {
    struct Case {
        const char* name;
        DLxLocalBOMCookie cookie;
        const char16_t* text;
    };
    const std::vector<Case> cases = {
        {"empty", DLxLocalBOMCookie(), u"Row=\"\""},
        {"top level", DLxLocalBOMCookie({}, 2), u"Row=\"2\""},
        {"sub-row", DLxLocalBOMCookie({9, 12}, 10), u"Row=\"9/12/10\""},
        {"custom", DLxLocalBOMCookie({}, -3), u"Row=\"c3\""},
        {"grouped", Grouped({}, {7, 5}), u"Row=\"5+7\""},
        {"grouped sub-rows", Grouped({9}, {11, 10}), u"Row=\"9/10+9/11\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UTxString16 line = u"TstRequest";
        DLxLocalBOMCookie written = c.cookie;
        ASSERT_FALSE(Exchange(line, written, true).Failed());
        EXPECT_NE(line.find(c.text), UTxString16::npos) << UTx::ToUtf8(line);
        DLxLocalBOMCookie read({}, 99);
        ASSERT_FALSE(Exchange(line, read, false).Failed()) << UTx::ToUtf8(line);
        EXPECT_EQ(read, c.cookie);
    }
}

TEST_F(LocalBOMCookieTranscript, ATextThatNamesNoRowFailsAndKeepsTheValue) {
    for (const char16_t* text : {u"5+x", u"9/10+11", u"c3/4", u"5++7", u"0"}) {
        SCOPED_TRACE(UTx::ToUtf8(text));
        UTxString16 line = u"TstRequest Row=\"" + UTxString16(text) + u"\"";
        DLxLocalBOMCookie read({}, 99);
        EXPECT_TRUE(Exchange(line, read, false).Failed());
        EXPECT_EQ(read, DLxLocalBOMCookie({}, 99));
    }
}

} // namespace
