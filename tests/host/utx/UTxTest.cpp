#include <gtest/gtest.h>

#include "utx/UTxException.h"
#include "utx/UTxGUID.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

namespace {

TEST(UTxGUID, ParsesAndPrintsItsWords) {
    struct Case {
        const char* text;
        bool ok;
        UTxGUID guid;
    };
    const Case cases[] = {
        {"{96E536F1-0D3C-11D2-BA80-080009DB8810}", true,
         UTxGUID(0x96e536f1, 0x0d3c11d2, 0xba800800, 0x09db8810)},
        {"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}", true,
         UTxGUID(0xbeb6b91c, 0xaf444f9b, 0xad9e1e05, 0x70a168f9)},
        {"d5cdd505-2e9c-101b-9397-08002b2cf9ae", true,
         UTxGUID(0xd5cdd505, 0x2e9c101b, 0x93970800, 0x2b2cf9ae)},
        {"{96E536F1-0D3C-11D2-BA80-080009DB881}", false, {}},
        {"{96E536F1-0D3C-11D2-BA80-080009DB881G}", false, {}},
        {"96E536F1-0D3C-11D2-BA80+080009DB8810", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        UTxGUID g;
        ASSERT_EQ(UTxGUID::Parse(std::string_view(c.text), g), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(g, c.guid);
        UTxGUID back;
        ASSERT_TRUE(UTxGUID::Parse(g.ToString16(), back));
        EXPECT_EQ(back, g);
    }
    EXPECT_EQ(UTxGUID(0x96e536f1, 0x0d3c11d2, 0xba800800, 0x09db8810).ToString(),
              "{96E536F1-0D3C-11D2-BA80-080009DB8810}");
    EXPECT_TRUE(UTxGUID::c_nil.IsNil());
    UTxGUID a(UTxGUID::E_Create), b(UTxGUID::E_Create);
    EXPECT_NE(a, b);
    EXPECT_FALSE(a.IsNil());
    EXPECT_TRUE(UTxGUID(1, 0, 0, 0) < UTxGUID(1, 0, 0, 1));
}

TEST(UTxResult, CodesCarrySeverityLibraryAndId) {
    struct Case {
        UTxSeverity sev;
        uint32_t lib, id;
        UTxResultCode code;
    };
    const Case cases[] = {
        {UTxSeverityError, 2, 1005, 0xE00203ED},
        {UTxSeveritySuccess, 11, 0x320, 0x200B0320},
        {UTxSeverityWarning, 11, 0x3E9, 0xA00B03E9},
        {UTxSeverityInfo, 11, 0x1CC, 0x600B01CC},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UTxResult::MakeCode(c.sev, c.lib, c.id), c.code);
        EXPECT_EQ(UTxResult::SeverityOf(c.code), c.sev);
        EXPECT_EQ(UTxResult::LibraryOf(c.code), c.lib);
        EXPECT_EQ(UTxResult::IdOf(c.code), c.id);
    }
    EXPECT_TRUE(UTxResult().IsEmpty());
    EXPECT_TRUE(UTxResult(0xA00B03E9).Succeeded()); // a warning still succeeds
    EXPECT_TRUE(UTxResult(0xE00203ED).Failed());
}

TEST(UTxResult, MessagesComeFromTheLibraryTableWithTheDetail) {
    UTx::RegisterMessage(11, 0x7777, u"Anchor is invalid");
    UTxResult r(0xA00B7777, "Symbol/DLxSymInstance", 12);
    EXPECT_EQ(r.GetMessage(), u"Anchor is invalid");
    UTxResult copy = r;
    copy.SetDetail(u"leader 2");
    EXPECT_EQ(copy.GetMessage(), u"Anchor is invalid: leader 2");
    EXPECT_EQ(r.GetMessage(), u"Anchor is invalid"); // copies do not share later changes
    EXPECT_EQ(copy.GetFile(), "Symbol/DLxSymInstance");
    EXPECT_EQ(UTxResult(0xE00B7778).GetMessage(), u"Error 0xE00B7778");
    EXPECT_EQ(UTx::LoadUTxMessage(0x600B7777), u"Anchor is invalid");
}

TEST(UTxException, ThrowCarriesTheResult) {
    try {
        UTxException::Throw(UTxError{0xE00203ED, "BofM/metaDLxTableComponentBinder", 147});
        FAIL();
    } catch (const UTxException& e) {
        EXPECT_EQ(e.GetResult().GetCode(), 0xE00203EDu);
        EXPECT_EQ(e.GetResult().GetLine(), 147);
        EXPECT_EQ(e.GetResult().GetFile(), "BofM/metaDLxTableComponentBinder");
    }
}

TEST(UTxString16, Utf8RoundTripsAndReplacesBadInput) {
    const std::string texts[] = {"", "plain", "\xC3\x98 40 \xE2\x8C\x80", "\xF0\x9F\x98\x80"};
    for (const std::string& t : texts)
        EXPECT_EQ(UTx::ToUtf8(UTx::MakeWideString(t)), t);
    EXPECT_EQ(UTx::MakeWideString("\xF0\x9F\x98\x80").size(), 2u); // a surrogate pair
    EXPECT_EQ(UTx::MakeWideString("a\xFF"
                                  "b"),
              u"a\uFFFDb");
    EXPECT_EQ(UTx::MakeWideString("\xE2\x8C"), u"\uFFFD\uFFFD");
    EXPECT_EQ(UTx::ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
