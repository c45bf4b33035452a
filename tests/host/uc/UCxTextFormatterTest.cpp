// Format codes read into lines of runs, their measure and wrapping, and the plain text that
// table cells show through the same reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "du/DUxCAuxEntArray.h"
#include "uc/UCxStringUtil.h"
#include "uc/UCxTextFormatter.h"
#include "utx/UTxString16.h"

namespace {

// A line written as "text@font@height|..." with '*' after the height for a stacked run.
std::string Describe(const UCxFormattedText& t) {
    std::string out;
    for (size_t l = 0; l < t.lines.size(); ++l) {
        if (l) out += " / ";
        for (size_t r = 0; r < t.lines[l].runs.size(); ++r) {
            const UCxTextRun& run = t.lines[l].runs[r];
            if (r) out += "|";
            char h[32];
            std::snprintf(h, sizeof h, "%g", run.height);
            out += UTx::ToUtf8(run.text) + "@" + std::to_string(run.fontId) + "@" + h +
                   (run.stacked ? "*" : "");
        }
    }
    return out;
}

TEST(UCxTextFormatter, CodesBecomeRunsAndLines) {
    struct Case {
        std::u16string in;
        std::string runs;
    };
    const Case cases[] = {
        {u"", ""},
        {u"plain", "plain@1@2"},
        {u"one\\Ptwo", "one@1@2 / two@1@2"},
        {u"one\ntwo\\P", "one@1@2 / two@1@2 / "},
        {u"a\\F7;b", "a@1@2|b@7@2"},
        {u"a\\FKVGDT.TTF;b", "a@1@2|b@9@2"},
        {u"a\\FArial.ttf;b", "ab@1@2"},
        {u"a\\H3;b\\H0.5x;c", "a@1@2|b@1@3|c@1@1.5"},
        {u"a{\\F5;\\H4;b}c", "a@1@2|b@5@4|c@1@2"},
        {u"\\S1^2;mm", "1/2@1@2*|mm@1@2"},
        {u"\\A1;x", "x@1@2"},
        {u"\\\\ \\{ \\}", "\\ { }@1@2"},
        // codes missing their ';' and unknown codes are characters
        {u"\\F7", "F7@1@2"},
        {u"\\Habc;x", "x@1@2"},
        // heights beyond the limit are not taken, however they are reached
        {u"a\\H1e300;b\\H20000;c{\\H6000;\\H2x;d}", "abc@1@2|d@1@6000"},
        {u"\\Qx", "Qx@1@2"},
        {u"end\\", "end\\@1@2"},
        {u"a}b{", "a}b@1@2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.in));
        EXPECT_EQ(Describe(UCxTextFormatter::Parse(c.in, 1, 2.0, 9)), c.runs);
    }
}

TEST(UCxTextFormatter, MeasuresRunsAtTheirOwnHeight) {
    const UCxFormattedText t = UCxTextFormatter::Parse(u"ab\\H4;cd\\Pe", 0, 2.0);
    ASSERT_EQ(t.lines.size(), 2u);
    const double adv = UCxStringUtil::kAdvanceRatio;
    EXPECT_DOUBLE_EQ(t.lines[0].Width(), 2 * adv * 2.0 + 2 * adv * 4.0);
    EXPECT_DOUBLE_EQ(t.Width(), t.lines[0].Width());
    // the second line keeps the height the first ended at
    EXPECT_DOUBLE_EQ(t.Height(1.5), 4.0 + 1.5 * 4.0);
    EXPECT_EQ(t.PlainText(), u"abcd\ne");
}

TEST(UCxTextFormatter, WrapsAtSpacesToTheWidth) {
    const double adv = UCxStringUtil::kAdvanceRatio; // height 1: one character is adv wide
    struct Case {
        std::u16string in;
        double columns; // width in characters
        std::u16string out;
    };
    const Case cases[] = {
        {u"aaa bbb ccc", 7, u"aaa bbb\nccc"}, {u"aaa bbb ccc", 6.99, u"aaa\nbbb\nccc"},
        {u"aaa   bbb", 3, u"aaa\nbbb"},       {u"longword b", 3, u"longword\nb"},
        {u"  lead it", 7, u"  lead\nit"},     {u"one\\Ptwo three", 9, u"one\ntwo three"},
        {u"a\\~b c", 3, u"a\u00a0b\nc"},      {u"fits", 0, u"fits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.in));
        const UCxFormattedText wrapped =
            UCxTextFormatter::Wrap(UCxTextFormatter::Parse(c.in, 0, 1.0), c.columns * adv);
        EXPECT_EQ(wrapped.PlainText(), c.out);
    }
}

TEST(UCxTextFormatter, WrapKeepsEachCharactersRun) {
    const UCxFormattedText wrapped = UCxTextFormatter::Wrap(
        UCxTextFormatter::Parse(u"ab \\F3;cd ef", 0, 1.0), 5 * UCxStringUtil::kAdvanceRatio);
    EXPECT_EQ(Describe(wrapped), "ab @0@1|cd@3@1 / ef@3@1");
}

TEST(UCxTextFormatter, CellTextsReadTheSameCodes) {
    // The symbol font's letters become their symbols; everything else as the formatter reads it.
    EXPECT_EQ(DUxPlainText(u"\\F9;u\\F1;5", 9, 1), UCxStringUtil::GdtGlyphToUnicode(1) + u"5");
    // A cell's "\P" and "\~" stay letters; its line breaks are its own.
    EXPECT_EQ(DUxPlainText(u"C:\\Parts\\~\nx", -1, 0), u"C:Parts~\nx");
    EXPECT_EQ(DUxPlainText(u"\\S1#2;", -1, 0), u"1/2");
}

} // namespace
