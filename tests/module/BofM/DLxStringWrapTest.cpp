// Fitting cell texts: wrapping into lines and trimming headings, measured in the monospace
// model. At this height every character is one unit wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BofM/DLxStringWrap.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableStateBase.h"
#include "rse/RSe.h"
#include "utx/UTxString16.h"

namespace {

constexpr double kHeight = 1.0 / 0.6;

struct Line {
    std::u16string text;
    bool hard = false;
    friend bool operator==(const Line&, const Line&) = default;
};

std::vector<Line> WrapAll(const std::u16string& text, double width, bool noSpaceBreaks,
                          const RSeRef<DUxTableStateBase>& state = {}) {
    DLxStringWrap wrap(text, width, 0, noSpaceBreaks, nullptr, state, kHeight);
    std::vector<Line> lines;
    for (int32_t guard = 0; guard < 100; ++guard) {
        UTxString16 line;
        bool hard = false;
        const bool more = wrap.GetItem(line, hard);
        lines.push_back({line, hard});
        if (!more) break;
    }
    // Used up: every later call gives an empty line and false.
    UTxString16 after = u"x";
    bool hard = true;
    EXPECT_FALSE(wrap.GetItem(after, hard));
    EXPECT_TRUE(after.empty());
    EXPECT_FALSE(hard);
    return lines;
}

TEST(DLxStringWrap, LinesBreakAfterBlanksElseAfterTheLastCharacterThatFits) {
    struct Case {
        const char* name;
        std::u16string text;
        double width;
        bool noSpaceBreaks;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"two words", u"abc def", 5, false, {{u"abc "}, {u"def"}}},
        {"fits whole", u"abc def", 7, false, {{u"abc def"}}},
        {"long word cut", u"abcdefgh", 3, false, {{u"abc"}, {u"def"}, {u"gh"}}},
        {"char wider than the width", u"ab", 0.5, false, {{u"a"}, {u"b"}}},
        {"blank preferred", u"ab cdefg", 4, false, {{u"ab "}, {u"cdef"}, {u"g"}}},
        {"no space breaks", u"ab cdefg", 4, true, {{u"ab c"}, {u"defg"}}},
        {"hard break", u"ab\r\ncd", 10, false, {{u"ab\r\n", true}, {u"cd"}}},
        {"no hard break without space breaks", u"ab\r\ncd", 10, true, {{u"ab\r\ncd"}}},
        {"line feed alone is a break chance",
         u"ab\ncdefgh",
         4,
         false,
         {{u"ab\n"}, {u"cdef"}, {u"gh"}}},
        {"height code never split", u"\\H2;abc def", 5, false, {{u"\\H2;abc "}, {u"def"}}},
        {"stacked code never split", u"\\S1^2;x yz", 5, false, {{u"\\S1^2;x "}, {u"yz"}}},
        {"closing backslash not measured", u"ab\\", 2, false, {{u"ab\\"}}},
        {"empty", u"", 5, false, {{u""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapAll(c.text, c.width, c.noSpaceBreaks), c.lines);
    }
}

// A table that reads its cell texts without format codes.
class TstPlainTextState : public DUxTableStateBase {
public:
    bool UsesFormatCodes() const override { return false; }
};

TEST(DLxStringWrap, WithoutFormatCodesTheTextIsMeasuredAsItRuns) {
    DLxDrawingDoc doc;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)),
                       RSe::SegmentOf(doc.GetRSeDb())) TstPlainTextState();
    const RSeRef<DUxTableStateBase> ref(state);
    struct Case {
        const char* name;
        std::u16string text;
        double width;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"two words", u"abc def", 5, {{u"abc "}, {u"def"}}},
        {"long word cut", u"abcdefgh", 3, {{u"abc"}, {u"def"}, {u"gh"}}},
        {"exactly as wide as the cell", u"abcde", 5, {{u"abcde"}}},
        {"one character too many", u"abcdef", 5, {{u"abcde"}, {u"f"}}},
        {"the rest fits after a break", u"ab cd ef", 6, {{u"ab cd "}, {u"ef"}}},
        {"hard break", u"ab\r\ncd", 10, {{u"ab\r\n", true}, {u"cd"}}},
        {"a code is measured as what it draws", u"a\\H2;bc", 3, {{u"a\\H2;bc"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapAll(c.text, c.width, false, ref), c.lines);
    }
}

TEST(DLxStringTrim, KeepsTheStartOrTheEndAndGivesNothingBelowOneCharacter) {
    struct Case {
        const char* name;
        double width;
        int32_t mode;
        std::u16string expected;
    };
    const Case cases[] = {
        {"fits", 8, 1, u"ABCDEFGH"},      {"start kept", 4.5, 1, u"ABCD"},
        {"end kept", 4.5, 2, u"EFGH"},    {"alignment 0 keeps the start", 3, 0, u"ABC"},
        {"narrower than X", 0.9, 1, u""}, {"as wide as X", 1.0, 1, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            DLxStringTrim(u"ABCDEFGH", c.width, 0, c.mode, nullptr, -1.0, kHeight).GetString(),
            c.expected);
    }
    // Codes take no room: a height code stays with the text it heads.
    EXPECT_EQ(DLxStringTrim(u"\\H2;AB", 2, 0, 2, nullptr, -1.0, kHeight).GetString(), u"\\H2;AB");
}

TEST(DLxStringWrap, WidthsFitWithinTheLayoutTolerance) {
    EXPECT_TRUE(DLxWidthFits(5.0, 5.0));
    EXPECT_TRUE(DLxWidthFits(5.0, 5.0 + 5e-7));
    EXPECT_FALSE(DLxWidthFits(5.0, 5.0 + 1e-5));
    EXPECT_DOUBLE_EQ(MeasureTextWidth(u"\\H2;abc", 0, nullptr, kHeight), 3.0);
    EXPECT_NE(GetIFxStringExtUtil(), nullptr);
}

} // namespace
