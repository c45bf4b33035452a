// Measuring table texts: the auxiliary text's actual size and the published string-extents
// service agree with the monospace model, format codes taking no room.
#include <gtest/gtest.h>

#include "du/DUxCAuxEntArray.h"
#include "du/IFxStringExtUtil.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

namespace {

TEST(DUxTableTextMetrics, CodesTakeNoRoomAndStackedTextsShowBothParts) {
    struct Case {
        const char16_t* text;
        int32_t columns; // characters drawn on the widest line
        int32_t lines;
    };
    const Case cases[] = {
        {u"ABC", 3, 1},        {u"\\H2.5;AB", 2, 1}, {u"\\A1;\\h0.7x;AB", 2, 1},
        {u"\\S12^5;", 4, 1},   // "12/5"
        {u"\\Sa#b;c", 4, 1},   // "a/bc"
        {u"\\F3;W\\\\", 2, 1}, // a font switch, an escaped backslash
        {u"\\H2.5", 4, 1},     // no ';': a backslash escapes the letter
        {u"AB\nCDEF", 4, 2},   {u"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        DUxCAuxText t;
        t.text = c.text;
        t.gdtFontId = -1; // no symbol font: every character is a plain one
        t.height = 2.0;
        EXPECT_DOUBLE_EQ(t.actualWidth(), 2.0 * 0.6 * c.columns);
        EXPECT_DOUBLE_EQ(t.actualHeight(), c.lines == 0 ? 0.0 : 2.0 * c.lines);
        t.height = 0.0;
        EXPECT_EQ(t.actualWidth(), 0.0);
    }
}

TEST(DUxTableTextMetrics, StringExtentsServiceMeasuresTheFormattedValue) {
    IFxStringExtUtil* util = IFxStringExtUtil::Get();
    ASSERT_NE(util, nullptr);
    auto* s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
        RDxString();
    s->SetTextHeight(5.0);
    EXPECT_TRUE(util->GetStringExtents(*s, nullptr).isEmpty());
    s->SetSimpleValue(u"plain");
    BBox box = util->GetStringExtents(*s, nullptr);
    EXPECT_DOUBLE_EQ(box.max.x - box.min.x, 5 * 3.0);
    // The formatted value wins over the simple one, its codes measured as nothing.
    s->SetFormattedValue(u"\\H9;q\\", 0x131);
    box = util->GetStringExtents(*s, nullptr);
    EXPECT_DOUBLE_EQ(box.min.x, 0.0);
    EXPECT_DOUBLE_EQ(box.max.x - box.min.x, 2 * 3.0); // "q\"
    EXPECT_DOUBLE_EQ(box.max.y - box.min.y, 5.0);
    RSe::DeleteObject(s);
}

} // namespace
