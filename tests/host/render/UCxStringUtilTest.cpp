#include "uc/UCxStringUtil.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayItem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Align = SMxTextAlign;

TEST(UCxStringUtil, TextExtents) {
    struct Case {
        const char* name;
        std::u16string text;
        double height;
        double pitch;
        double width, blockHeight;
        int32_t columns, lines;
    };
    const std::vector<Case> cases = {
        {"empty", u"", 2.5, 1.0, 0.0, 0.0, 0, 0},
        {"single line", u"ABC", 2.5, 1.0, 4.5, 2.5, 3, 1},
        {"two lines, longest counts", u"AB\nCDEF", 2.0, 1.0, 4.8, 4.0, 4, 2},
        {"pitch adds between baselines only", u"AB\nCDEF\nG", 2.0, 1.5, 4.8, 8.0, 4, 3},
        {"pitch leaves one line alone", u"AB", 2.0, 1.5, 2.4, 2.0, 2, 1},
        {"surrogate pair is one character", u"x\U0001F600y", 1.0, 1.0, 1.8, 1.0, 3, 1},
        {"lone surrogate still counts", u"\xD800z", 1.0, 1.0, 1.2, 1.0, 2, 1},
        {"trailing newline opens a line", u"ab\n", 1.0, 1.0, 1.2, 2.0, 2, 2},
        {"carriage return takes no cell", u"ab\r\ncd", 1.0, 1.0, 1.2, 2.0, 2, 2},
        {"a characteristic symbol takes a cell of its own",
         UCxStringUtil::GdtGlyphToUnicode(int32_t(UCxGdtSymbol::Position)) + u"0.1", 5.0, 1.0, 18.5,
         5.0, 4, 1},
        {"modifiers among text take a capital's width and some room", u"\u23000.1\u24C2\n\u00B1",
         1.0, 1.0, 3.8, 2.0, 5, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UCxTextExtent e = UCxStringUtil::GetTextExtent(c.text, c.height, c.pitch);
        EXPECT_NEAR(e.width, c.width, 1e-12);
        EXPECT_NEAR(e.height, c.blockHeight, 1e-12);
        EXPECT_EQ(e.columns, c.columns);
        EXPECT_EQ(e.lines, c.lines);
    }
}

TEST(UCxStringUtil, BoxFollowsAlignment) {
    // "ABCD\nEF" at height 2 is 4.8 wide and 4 high, placed at (10, 20).
    struct Case {
        Align align;
        WqGePoint3d min, max;
    };
    const std::vector<Case> cases = {
        {Align::BottomLeft, {10, 20, 0}, {14.8, 24, 0}},
        {Align::MiddleCenter, {7.6, 18, 0}, {12.4, 22, 0}},
        {Align::TopRight, {5.2, 16, 0}, {10, 20, 0}},
        {Align::MiddleLeft, {10, 18, 0}, {14.8, 22, 0}},
        {Align::BottomCenter, {7.6, 20, 0}, {12.4, 24, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.align));
        const BBox box = UCxStringUtil::GetBBox(u"ABCD\nEF", 2.0, 1.0, c.align, {10, 20, 0},
                                                WqGeVector3d::kXAxis);
        EXPECT_NEAR(box.min.x, c.min.x, 1e-12);
        EXPECT_NEAR(box.min.y, c.min.y, 1e-12);
        EXPECT_NEAR(box.max.x, c.max.x, 1e-12);
        EXPECT_NEAR(box.max.y, c.max.y, 1e-12);
    }
    // Along a vertical baseline the width runs up the sheet.
    const BBox up = UCxStringUtil::GetBBox(u"ABCD", 2.0, 1.0, Align::BottomLeft, {0, 0, 0},
                                           WqGeVector3d::kYAxis);
    EXPECT_NEAR(up.min.x, -2.0, 1e-12);
    EXPECT_NEAR(up.max.y, 4.8, 1e-12);
    EXPECT_TRUE(UCxStringUtil::GetBBox(u"", 2.0, 1.0, Align::BottomLeft, {}, {1, 0, 0}).isEmpty());
}

// Layout sizes frames with the engine while items report their own boxes: both must agree to
// the last bit, in any placement.
TEST(UCxStringUtil, AgreesWithTextItems) {
    const std::vector<std::u16string> texts = {u"",
                                               u"A",
                                               u"Ø25 H7\nR12",
                                               u"\U0001D400\n\n x\r",
                                               u"\xDC00\xD800",
                                               u"\u2316\n\u23000.1\u24C2"};
    struct Placement {
        WqGeVector3d direction, normal;
    };
    const std::vector<Placement> placements = {
        {{1, 0, 0}, {0, 0, 1}}, {{0.6, 0.8, 0}, {0, 0, 1}}, {{1, 1, 1}, {0, 0, -1}},
        {{0, 0, 1}, {1, 2, 3}}, {{0, 0, 0}, {0, 0, 0}}, // degenerate frame still has a box
    };
    for (const std::u16string& text : texts)
        for (const Placement& p : placements)
            for (int a = 0; a < 9; ++a) {
                SMxTextItem item(text, {3.5, -7.25, 1.0}, p.direction, 3.5, Align(a));
                item.normal = p.normal;
                int32_t columns = 0, lines = 0;
                item.GetTextExtent(columns, lines);
                const UCxTextExtent extent = UCxStringUtil::GetTextExtent(text, 3.5);
                ASSERT_EQ(extent.columns, columns);
                ASSERT_EQ(extent.lines, lines);
                const BBox mine = UCxStringUtil::GetBBox(text, 3.5, 1.0, Align(a), item.position,
                                                         p.direction, p.normal);
                const BBox theirs = item.GetBBox();
                ASSERT_EQ(mine.isEmpty(), theirs.isEmpty());
                if (mine.isEmpty()) continue;
                ASSERT_EQ(mine.min, theirs.min) << "alignment " << a;
                ASSERT_EQ(mine.max, theirs.max) << "alignment " << a;
            }
}

TEST(UCxStringUtil, CellsSitOnBaselinesInsideTheBox) {
    // Two lines at height 1, centred on the origin: the box is 1.8 x 2, the second line is
    // shorter and centred under the first.
    const auto cells =
        UCxStringUtil::LayoutCells(u"ABC\n\U0001F600", 1.0, 1.0, Align::MiddleCenter);
    ASSERT_EQ(cells.size(), 4u);
    const double baseline = UCxStringUtil::kBaselineRatio;
    EXPECT_NEAR(cells[0].x, -0.9, 1e-12);
    EXPECT_NEAR(cells[0].y, 0.0 + baseline, 1e-12);
    EXPECT_NEAR(cells[2].x, 0.3, 1e-12);
    EXPECT_EQ(cells[3].code, U'\U0001F600');
    EXPECT_NEAR(cells[3].x, -0.3, 1e-12);
    EXPECT_NEAR(cells[3].y, -1.0 + baseline, 1e-12);

    // Symbols advance by their own cells; a centred line of them still centres.
    const auto symbols =
        UCxStringUtil::LayoutCells(u"\u2316A\u24C2", 2.0, 1.0, Align::BottomCenter);
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_NEAR(symbols[0].x, -3.5, 1e-12); // 1.9 + 0.6 + 1.0 heights, 7 wide
    EXPECT_NEAR(symbols[0].advance, 3.8, 1e-12);
    EXPECT_NEAR(symbols[1].x, 0.3, 1e-12);
    EXPECT_NEAR(symbols[1].advance, 1.2, 1e-12);
    EXPECT_NEAR(symbols[2].x, 1.5, 1e-12);
    EXPECT_NEAR(symbols[2].advance, 2.0, 1e-12);

    // A wider pitch moves later baselines down, right-aligned lines end at the position.
    const auto right = UCxStringUtil::LayoutCells(u"AB\nC", 2.0, 1.5, Align::TopRight);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_NEAR(right[0].x, -2.4, 1e-12);
    EXPECT_NEAR(right[0].y, -2.0 + 2.0 * baseline, 1e-12);
    EXPECT_NEAR(right[2].x, -1.2, 1e-12);
    EXPECT_NEAR(right[2].y, -5.0 + 2.0 * baseline, 1e-12);
}

TEST(UCxStringUtil, GdtGlyphs) {
    const std::vector<std::pair<UCxGdtSymbol, std::u16string>> cases = {
        {UCxGdtSymbol::Flatness, u"\u23E5"},
        {UCxGdtSymbol::Straightness, u"\u23E4"},
        {UCxGdtSymbol::Position, u"\u2316"},
        {UCxGdtSymbol::Perpendicularity, u"\u27C2"},
        {UCxGdtSymbol::Diameter, u"\u2300"},
        {UCxGdtSymbol::Mmc, u"\u24C2"},
        {UCxGdtSymbol::Lmc, u"\u24C1"},
        {UCxGdtSymbol::TotalRunout, u"\u2330"},
        {UCxGdtSymbol::Statistical, u"\u27E8ST\u27E9"},
    };
    for (const auto& [symbol, text] : cases)
        EXPECT_EQ(UCxStringUtil::GdtGlyphToUnicode(int32_t(symbol)), text) << int32_t(symbol);

    std::set<std::u16string> seen;
    for (int32_t s = int32_t(UCxGdtSymbol::Straightness); s <= int32_t(UCxGdtSymbol::PlusMinus);
         ++s) {
        const std::u16string text = UCxStringUtil::GdtGlyphToUnicode(s);
        EXPECT_FALSE(text.empty()) << s;
        EXPECT_TRUE(seen.insert(text).second) << "symbol " << s << " maps like another";
    }
    EXPECT_TRUE(UCxStringUtil::GdtGlyphToUnicode(0).empty());
    EXPECT_TRUE(UCxStringUtil::GdtGlyphToUnicode(int32_t(UCxGdtSymbol::PlusMinus) + 1).empty());
}

} // namespace
