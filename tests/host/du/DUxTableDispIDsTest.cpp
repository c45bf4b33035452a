// Table item ids: every family reads back what it was made from, the families never meet, and
// values out of range give no id rather than another item's.
#include <gtest/gtest.h>

#include "du/DUxTableDispIDs.h"

namespace {

TEST(DUxTableDispIDs, LineAndTextIdsReadBackAndNeverMeetEachOtherOrHotPoints) {
    struct Line {
        int32_t a, b, c, d;
    };
    const Line lines[] = {{0, 0, 0, 0}, {1, 3, 0, 7}, {3, 31, 16383, 255}, {2, 0, 9999, 1}};
    for (const Line& l : lines) {
        SCOPED_TRACE(testing::Message() << l.a << "," << l.b << "," << l.c << "," << l.d);
        const int32_t id = DUxTableDispIDs::MakeLineItemId(l.a, l.b, l.c, l.d);
        ASSERT_NE(id, DUxTableDispIDs::kNoId);
        EXPECT_FALSE(DUxTableDispIDs::IsHotPointId(id));
        int32_t a = -1, b = -1, c = -1, d = -1;
        ASSERT_TRUE(DUxTableDispIDs::InterpretLineItemId(id, a, b, c, d));
        EXPECT_EQ(a, l.a);
        EXPECT_EQ(b, l.b);
        EXPECT_EQ(c, l.c);
        EXPECT_EQ(d, l.d);
        EXPECT_FALSE(DUxTableDispIDs::InterpretTextItemId(id, a, b, c));
    }
    struct Text {
        int32_t type, row, column;
    };
    const Text texts[] = {{DUxTableDispIDs::eTitleText, 0, 0},
                          {DUxTableDispIDs::eHeadingText, 0, 12},
                          {DUxTableDispIDs::eCellText, 65535, 2047},
                          {0, 0, 0}};
    for (const Text& t : texts) {
        SCOPED_TRACE(testing::Message() << t.type << "," << t.row << "," << t.column);
        const int32_t id = DUxTableDispIDs::MakeTextItemId(t.type, t.row, t.column);
        ASSERT_NE(id, DUxTableDispIDs::kNoId);
        EXPECT_FALSE(DUxTableDispIDs::IsHotPointId(id));
        int32_t type = -1, row = -1, column = -1, fourth = -1;
        ASSERT_TRUE(DUxTableDispIDs::InterpretTextItemId(id, type, row, column));
        EXPECT_EQ(type, t.type);
        EXPECT_EQ(row, t.row);
        EXPECT_EQ(column, t.column);
        EXPECT_FALSE(DUxTableDispIDs::InterpretLineItemId(id, type, row, column, fourth));
    }
    // Hot points and the sub-list ids of other annotations are neither.
    for (int32_t id : {0, 7, -20, 2000}) {
        SCOPED_TRACE(id);
        int32_t a = 0, b = 0, c = 0, d = 0;
        EXPECT_FALSE(DUxTableDispIDs::InterpretTextItemId(id, a, b, c));
        EXPECT_FALSE(DUxTableDispIDs::InterpretLineItemId(id, a, b, c, d));
    }
    EXPECT_TRUE(DUxTableDispIDs::IsHotPointId(7));
    EXPECT_FALSE(DUxTableDispIDs::IsHotPointId(8));
}

TEST(DUxTableDispIDs, ValuesOutOfRangeGiveNoId) {
    EXPECT_EQ(DUxTableDispIDs::MakeLineItemId(4, 0, 0, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeLineItemId(0, 32, 0, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeLineItemId(0, 0, 16384, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeLineItemId(0, 0, 0, 256), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeLineItemId(0, -1, 0, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeTextItemId(8, 0, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeTextItemId(3, 65536, 0), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeTextItemId(3, 0, 2048), DUxTableDispIDs::kNoId);
    EXPECT_EQ(DUxTableDispIDs::MakeTextItemId(3, -1, 0), DUxTableDispIDs::kNoId);
}

} // namespace
