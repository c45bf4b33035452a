// Table layout and drawing: band and row sizes against their minimums, where the table stands
// for each heading position, wrap direction and rotation, sections, stretching, what is drawn
// for each display option and the ids it carries, storage of the layout values, and a table
// drawn to a picture.
#include <gtest/gtest.h>

#include "KorvuTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableDispIDs.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGeVector3d.h"
#include "rd/RDxString.h"
#include "render/RNxRenderer.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

constexpr double kEps = 1e-9;

// Bands of the fixture's style: text 2.5 and title 3.5 high, every gap 1.
constexpr double kRow = 4.5, kHeading = 4.5, kTitle = 5.5;

// A kind of table with its own text hooks: cells cut every 8 characters, headings cut to 3,
// heading anchors moved 0.25 down into their cell.
class TstHookState : public DUxTableStateBase {
public:
    TstHookState() = default;
    explicit TstHookState(const RSeStream* s) : DUxTableStateBase(s) {}
    RSeMetaType* GetMeta() const override;
    bool UsesFormatCodes() const override { return false; }
    int32_t WrapCellText(RDxString& text, double) override {
        const UTxString16 value = text.GetSimpleValue();
        UTxString16 out;
        for (size_t i = 0; i < value.size(); i += 8)
            out += (i ? u"\n" : u"") + value.substr(i, 8);
        text.SetSimpleValue(out);
        return std::max<int32_t>(1, int32_t((value.size() + 7) / 8));
    }
    void FitColumnHeading(RDxString& heading, DUxTableStyleColumn*) override {
        heading.SetSimpleValue(heading.GetSimpleValue().substr(0, 3));
    }
    void PlaceHeadingText(RDxString&, WqGePoint3d& corner, const WqGeVector3d& extents) override {
        corner.y += 0.25;
        lastExtents = extents;
    }
    WqGeVector3d lastExtents;
};

void TstHookStateGuid(UTxGUID& g) {
    g = UTxGUID(0x7e570003, 0x1, 0x2, 0x3);
}
RSeMetaType* TstHookStateMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<TstHookState>(u"TstHookState", &TstHookStateGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const DUxTableStateBase*>(nullptr)));
    return mt;
}
RSeMetaType* TstHookState::GetMeta() const {
    return TstHookStateMeta();
}

class DUxTableStateLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        Make(new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)), Seg())
                 DUxTableStateBase());
    }
    void Make(DUxTableStateBase* made) {
        style = DUxTableStylePartsList::CreateStyle(Seg(), u"Layout");
        style->SetTitle(u"PARTS LIST");
        style->SetUseTitle(true);
        style->SetTextStyle({0, 2.5});
        style->SetHeadingTextStyle({0, 2.5});
        style->SetTitleTextStyle({0, 3.5});
        state = made;
        state->SetStyle(style);
        DUxTableColumnList columns{Column(u"ITEM", 10.0, 1), Column(u"DESCRIPTION", 30.0, 0)};
        state->SetColumns(columns);
        DUxTableStyle::ClearColumns(columns);
        AddRow(1, u"1", u"Base plate");
        AddRow(2, u"2", u"Hex bolt");
        AddRow(3, u"3", u"Washer");
    }

    RSeSegment* Seg() { return RSe::SegmentOf(doc.GetRSeDb()); }
    RSeRef<DUxTableStyleColumn> Column(const char16_t* heading, double width, int32_t align) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(Seg());
        c->GetPropertyID()->SetPropertyExternalName(heading);
        c->SetWidth(width);
        c->SetColumnAlignment(align);
        c->SetHeadingAlignment(1);
        return RSeRef<DUxTableStyleColumn>(c);
    }
    DUxTableRowBase* AddRow(int32_t id, const char16_t* item, const char16_t* description) {
        DUxTableRowBase* row = state->GetRow(DUxTableRowID(id), true, -1);
        row->GetValueRaw(state->GetColumn(0), true)->UpdateData(item, false, nullptr);
        row->GetValueRaw(state->GetColumn(1), true)->UpdateData(description, false, nullptr);
        return row;
    }
    static void ExpectBox(const BBox& box, double x0, double y0, double x1, double y1) {
        EXPECT_NEAR(box.min.x, x0, kEps);
        EXPECT_NEAR(box.min.y, y0, kEps);
        EXPECT_NEAR(box.max.x, x1, kEps);
        EXPECT_NEAR(box.max.y, y1, kEps);
    }
    static double Width(const BBox& b) { return b.max.x - b.min.x; }
    static double Height(const BBox& b) { return b.max.y - b.min.y; }

    template <class T> static std::vector<const T*> Items(const SMxDisplayList& list) {
        std::vector<const T*> out;
        for (const SMxDisplayItem& item : list)
            if (const T* t = item.As<T>()) out.push_back(t);
        return out;
    }
    struct TextId {
        int32_t type = -1, row = -1, column = -1;
    };
    static TextId Decode(const SMxDisplayItem& item) {
        TextId t;
        EXPECT_TRUE(DUxTableDispIDs::InterpretTextItemId(item.GetId(), t.type, t.row, t.column));
        return t;
    }

    DLxDrawingDoc doc;
    DUxTableStylePartsList* style = nullptr;
    DUxTableStateBase* state = nullptr;
};

TEST_F(DUxTableStateLayoutTest, ExtentsFollowTitleHeadingPositionWrapDirectionAndRotation) {
    struct Case {
        const char* name;
        bool title;
        DUxTableStyle::eHeading heading;
        int32_t wrap;
        DUxTableStyle::eTableRotation rotation;
        double x0, y0, x1, y1; // relative to the origin
    };
    const double full = kTitle + kHeading + 3 * kRow;
    const Case cases[] = {
        {"title, headings on top, to the right", true, DUxTableStyle::eHeadingTop, 1,
         DUxTableStyle::eRot0, 0, -full, 40, 0},
        {"no title", false, DUxTableStyle::eHeadingTop, 1, DUxTableStyle::eRot0, 0,
         -(kHeading + 3 * kRow), 40, 0},
        {"headings at the bottom: the origin stays the top", true, DUxTableStyle::eHeadingBottom, 1,
         DUxTableStyle::eRot0, 0, -full, 40, 0},
        {"no headings hide the title too", true, DUxTableStyle::eNoHeading, 1, DUxTableStyle::eRot0,
         0, -3 * kRow, 40, 0},
        {"wrapping to the left", true, DUxTableStyle::eHeadingTop, 0, DUxTableStyle::eRot0, -40,
         -full, 0, 0},
        {"a quarter turn", true, DUxTableStyle::eHeadingTop, 1, DUxTableStyle::eRot90, 0, 0, full,
         40},
    };
    state->SetOrigin(WqGePoint3d(100, 50, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        style->SetUseTitle(c.title);
        style->SetHeading(c.heading);
        style->SetRotation(c.rotation);
        state->SetWrapDirection(c.wrap);
        ExpectBox(state->GetExtents(false), c.x0, c.y0, c.x1, c.y1);
        ExpectBox(state->GetExtents(true), 100 + c.x0, 50 + c.y0, 100 + c.x1, 50 + c.y1);
    }
}

TEST_F(DUxTableStateLayoutTest, UserSizesWinOnlyAboveTheMinimumTheTextsNeed) {
    EXPECT_NEAR(state->GetMinRowHeight(0), kRow, kEps);
    // A text of two lines needs one more text height.
    state->GetRow(1)
        ->GetValueRaw(state->GetColumn(1), false)
        ->UpdateData(u"Hex bolt\nM6 x 20", false, nullptr);
    EXPECT_NEAR(state->GetMinRowHeight(1), kRow + 2.5, kEps);
    const double base = Height(state->GetExtents(false));

    // What the line drags set: title, headings, a column, a row.
    state->SetTitleHeight(8.0);
    state->SetColumnHeadingHeight(1.0); // below its minimum: drawn at the minimum
    state->SetColumnWidth(1, 50.0);
    state->GetRow(0)->SetHeight(10.0);
    state->GetRow(2)->SetHeight(0.5);
    EXPECT_NEAR(state->GetRowHeight(0), 10.0, kEps);
    EXPECT_NEAR(state->GetRowHeight(2), kRow, kEps);
    const BBox box = state->GetExtents(false);
    EXPECT_NEAR(Width(box), 60.0, kEps);
    EXPECT_NEAR(Height(box), base + (8.0 - kTitle) + (10.0 - kRow), kEps);

    // The heading minimums: the whole heading or its longest word, with two heading gaps.
    EXPECT_NEAR(state->GetMinColumnHeaderWidth(1, true), 11 * 1.5 + 2, kEps);
    state->GetColumn(1)->GetPropertyID()->SetPropertyExternalName(u"PART NUMBER");
    EXPECT_NEAR(state->GetMinColumnHeaderWidth(1, false), 6 * 1.5 + 2, kEps);
}

TEST_F(DUxTableStateLayoutTest, AdjustExtentsRaisesOrSetsWidthsToTheirMinimum) {
    state->SetColumnWidth(0, 2.0);   // narrower than "ITEM" (4 characters) and its gaps
    state->SetColumnWidth(1, 100.0); // wider than anything needs
    state->AdjustExtents(0);
    EXPECT_NEAR(state->GetColumnWidth(0), 4 * 1.5 + 2, kEps);
    EXPECT_NEAR(state->GetColumnWidth(1), 100.0, kEps);
    state->AdjustExtents(1);
    EXPECT_NEAR(state->GetColumnWidth(1), 11 * 1.5 + 2, kEps); // "DESCRIPTION" whole
}

TEST_F(DUxTableStateLayoutTest, StretchScalesWidthsAndRowsNeverBelowTheirMinimum) {
    state->Stretch(40.0, 0.0, 0.0); // twice as wide: each column doubles
    EXPECT_NEAR(state->GetColumnWidth(0), 20.0, kEps);
    EXPECT_NEAR(state->GetColumnWidth(1), 60.0, kEps);
    state->Stretch(0.0, -9.0, 0.0); // 9 taller, shared by the rows
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_NEAR(state->GetRowHeight(i), kRow + 3.0, kEps);

    state->Stretch(-1000.0, 1000.0, 0.0);
    for (int32_t c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        EXPECT_NEAR(state->GetColumnWidth(c), state->GetMinColumnWidth(c), kEps);
        EXPECT_GT(state->GetColumnWidth(c), 0.0);
    }
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_NEAR(state->GetRowHeight(i), kRow, kEps);
}

TEST_F(DUxTableStateLayoutTest, WrappedTableStandsInSectionsEachWithItsHeadings) {
    AddRow(4, u"4", u"Nut");
    AddRow(5, u"5", u"Pin");
    struct Case {
        const char* name;
        int32_t mode, count;
        std::vector<int32_t> ends; // rows marked as section ends
    };
    const Case cases[] = {
        {"three rows a section", DUxTableStateBase::eWrapByRows, 3, {2}},
        {"two sections", DUxTableStateBase::eWrapBySections, 2, {2}},
        {"more sections than rows", DUxTableStateBase::eWrapBySections, 9, {0, 1, 2, 3}},
    };
    state->SetAutomaticWrap(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state->SetWrapMode(c.mode);
        state->SetWrapCount(c.count);
        state->ApplyAutomaticWrapping();
        std::vector<int32_t> ends;
        for (int32_t i = 0; i < state->GetRowCount(); ++i)
            if (state->GetRow(i)->IsFlagOn(DUxTableRowBase::kSectionEndFlag)) ends.push_back(i);
        EXPECT_EQ(ends, c.ends);
    }

    state->SetWrapMode(DUxTableStateBase::eWrapByRows);
    state->SetWrapCount(3);
    state->ApplyAutomaticWrapping();
    state->SetOrigin(WqGePoint3d(10, 100, 0));
    ExpectBox(state->GetExtents(false), 0, -(kTitle + kHeading + 3 * kRow), 80, 0);
    SMxDisplayList list;
    state->GenGraphics(list);
    // Headings repeat per section; row 3 opens the second section, right of the first.
    int32_t headings = 0;
    for (const SMxTextItem* t : Items<SMxTextItem>(list)) {
        const TextId id = Decode(*t);
        if (id.type == DUxTableDispIDs::eHeadingText) {
            ++headings;
            EXPECT_EQ(t->position.x > 50, id.row == 1) << UTx::ToUtf8(t->text);
        }
        if (id.type == DUxTableDispIDs::eCellText && id.column == 1) {
            SCOPED_TRACE(UTx::ToUtf8(t->text));
            EXPECT_EQ(t->position.x > 50, id.row >= 3);
        }
    }
    EXPECT_EQ(headings, 4);

    // Off, the user's section ends stay as they are.
    state->SetAutomaticWrap(false);
    state->GetRow(0)->SetFlag(DUxTableRowBase::kSectionEndFlag, false);
    state->ApplyAutomaticWrapping();
    EXPECT_TRUE(state->GetRow(0)->IsFlagOn(DUxTableRowBase::kSectionEndFlag));
    EXPECT_TRUE(state->GetRow(2)->IsFlagOn(DUxTableRowBase::kSectionEndFlag));
    EXPECT_NEAR(Width(state->GetExtents(false)), 120.0, kEps);
}

TEST_F(DUxTableStateLayoutTest, DrawnItemsDecodeToWhatTheyShowAndTextsStayInTheirCells) {
    state->SetOrigin(WqGePoint3d(20, 150, 0));
    state->GetRow(1)->SetFlag(DUxTableRowBase::kHiddenFlag, false);
    state->GetRow(2)
        ->GetValueRaw(state->GetColumn(1), false)
        ->UpdateData(u"Washer\nDIN 125", false, nullptr);
    SMxDisplayList list;
    state->GenGraphics(list);
    const BBox table = state->GetExtents(true);
    ExpectBox(table, 20, 150 - (kTitle + kHeading + kRow + kRow + 2.5), 60, 150);

    int32_t titles = 0, headings = 0, cells = 0;
    for (const SMxTextItem* t : Items<SMxTextItem>(list)) {
        SCOPED_TRACE(UTx::ToUtf8(t->text));
        const TextId id = Decode(*t);
        const BBox box = t->GetBBox();
        EXPECT_TRUE(table.contains(box.min) && table.contains(box.max));
        switch (id.type) {
        case DUxTableDispIDs::eTitleText:
            ++titles;
            EXPECT_EQ(t->text, u"PARTS LIST");
            EXPECT_DOUBLE_EQ(t->height, 3.5);
            break;
        case DUxTableDispIDs::eHeadingText:
            ++headings;
            EXPECT_EQ(t->text, state->GetColumnHeading(id.column));
            break;
        case DUxTableDispIDs::eCellText: {
            ++cells;
            EXPECT_NE(id.row, 1) << "a hidden row is drawn";
            EXPECT_EQ(t->text, state->GetValue(id.row, id.column));
            // Inside its column, its row gap clear of the lines.
            const double left = id.column == 0 ? 20.0 : 30.0;
            const double right = id.column == 0 ? 30.0 : 60.0;
            EXPECT_GE(box.min.x, left + 1.0 - kEps);
            EXPECT_LE(box.max.x, right - 1.0 + kEps);
            EXPECT_LE(Height(box), state->GetRowHeight(id.row) - 2.0 + kEps);
            break;
        }
        default:
            ADD_FAILURE() << "unknown text kind " << id.type;
        }
    }
    EXPECT_EQ(titles, 1);
    EXPECT_EQ(headings, 2);
    EXPECT_EQ(cells, 4);

    // Every line names its side, band, row and column; the far line of the last drawn row
    // names that row counted from 1, so that a drag of it changes the row before.
    bool lastRowLine = false;
    for (const SMxLineItem* l : Items<SMxLineItem>(list)) {
        int32_t side = -1, category = -1, row = -1, column = -1;
        ASSERT_TRUE(DUxTableDispIDs::InterpretLineItemId(l->GetId(), side, category, row, column));
        EXPECT_TRUE(category >= 1 && category <= 3);
        if (side == 3 && category == 3 && row == 3) {
            lastRowLine = true;
            EXPECT_NEAR(l->start.y, table.min.y, kEps);
        }
    }
    EXPECT_TRUE(lastRowLine);

    const auto points = Items<SMxPointItem>(list);
    ASSERT_EQ(points.size(), 8u);
    for (const SMxPointItem* p : points) {
        SCOPED_TRACE(p->GetId());
        EXPECT_TRUE(DUxTableDispIDs::IsHotPointId(p->GetId()));
        const WqGePoint3d expected = state->GetHotPoint(p->GetId());
        EXPECT_NEAR(p->position.x, expected.x, kEps);
        EXPECT_NEAR(p->position.y, expected.y, kEps);
    }
    const WqGePoint3d tl = state->GetHotPoint(DUxTableStateBase::eTopLeft);
    const WqGePoint3d br = state->GetHotPoint(DUxTableStateBase::eBottomRight);
    const WqGePoint3d rm = state->GetHotPoint(DUxTableStateBase::eRightMiddle);
    EXPECT_NEAR(tl.x, 20, kEps);
    EXPECT_NEAR(tl.y, 150, kEps);
    EXPECT_NEAR(br.x, 60, kEps);
    EXPECT_NEAR(br.y, table.min.y, kEps);
    EXPECT_NEAR(rm.y, (table.min.y + table.max.y) / 2, kEps);
}

TEST_F(DUxTableStateLayoutTest, CellTextsAreDrawnAndMeasuredWithoutTheirCodes) {
    state->GetRow(0)
        ->GetValueRaw(state->GetColumn(1), false)
        ->UpdateData(u"\\H2.5;Base \\{plate\\}", false, nullptr);
    SMxDisplayList list;
    state->GenGraphics(list);
    bool found = false;
    for (const SMxTextItem* t : Items<SMxTextItem>(list)) {
        const TextId id = Decode(*t);
        if (id.type != DUxTableDispIDs::eCellText || id.row != 0 || id.column != 1) continue;
        found = true;
        EXPECT_EQ(t->text, u"Base {plate}");
    }
    EXPECT_TRUE(found);
    // "{plate}" is the longest fragment: 7 characters and two row gaps; "DESCRIPTION" is longer.
    state->GetColumn(1)->GetPropertyID()->SetPropertyExternalName(u"D");
    EXPECT_NEAR(state->GetMinColumnWidth(1), 7 * 1.5 + 2, kEps);
}

TEST_F(DUxTableStateLayoutTest, AKindOfTableWrapsFitsAndPlacesItsOwnTexts) {
    auto* hooks = new (TstHookStateMeta(), Seg()) TstHookState();
    Make(hooks);
    // "Base plate" is 10 characters: two lines; the others one.
    EXPECT_NEAR(state->GetMinRowHeight(0), kRow + 2.5, kEps);
    EXPECT_NEAR(state->GetMinRowHeight(1), kRow, kEps);
    SMxDisplayList list;
    state->GenGraphics(list);
    bool cell = false, heading = false;
    for (const SMxTextItem* t : Items<SMxTextItem>(list)) {
        const TextId id = Decode(*t);
        if (id.type == DUxTableDispIDs::eCellText && id.row == 0 && id.column == 1) {
            cell = true;
            EXPECT_EQ(t->text, u"Base pla\nte");
        }
        if (id.type == DUxTableDispIDs::eHeadingText && id.column == 1) {
            heading = true;
            EXPECT_EQ(t->text, u"DES");
            // Centred in its band, then moved by the hook: 0.25 deeper, so 0.25 lower.
            EXPECT_NEAR(t->position.y, -(kTitle + kHeading / 2 + 0.25), kEps);
            EXPECT_NEAR(t->position.x, 10 + 30 / 2.0, kEps);
        }
    }
    EXPECT_TRUE(cell && heading);
    EXPECT_EQ(hooks->lastExtents, WqGeVector3d(30, kHeading, 0));
    EXPECT_NEAR(Height(state->GetExtents(false)), kTitle + kHeading + 3 * kRow + 2.5, kEps);
}

TEST_F(DUxTableStateLayoutTest, DisplayOptionsAndRowDirection) {
    struct Case {
        int32_t option;
        bool texts;
        size_t lines; // 0: any number above 4
    };
    const Case cases[] = {{0, true, 0}, {1, false, 4}, {2, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        state->SetDisplayOption(c.option);
        SMxDisplayList list;
        state->GenGraphics(list);
        EXPECT_EQ(Items<SMxTextItem>(list).empty(), !c.texts);
        const size_t lines = Items<SMxLineItem>(list).size();
        if (c.lines)
            EXPECT_EQ(lines, c.lines);
        else
            EXPECT_GT(lines, 4u);
        EXPECT_EQ(Items<SMxPointItem>(list).size(), 8u);
    }

    // Headings at the bottom: rows still read from the top down unless the style says up.
    state->SetDisplayOption(0);
    style->SetHeading(DUxTableStyle::eHeadingBottom);
    for (auto direction : {DUxTableStyle::eTopDown, DUxTableStyle::eBottomUp}) {
        SCOPED_TRACE(int32_t(direction));
        style->SetDirection(direction);
        SMxDisplayList list;
        state->GenGraphics(list);
        double y0 = 0, y2 = 0, lowestCell = 1e9, heading = 0, title = 0;
        for (const SMxTextItem* t : Items<SMxTextItem>(list)) {
            const TextId id = Decode(*t);
            if (id.type == DUxTableDispIDs::eHeadingText) heading = t->position.y;
            if (id.type == DUxTableDispIDs::eTitleText) title = t->position.y;
            if (id.type != DUxTableDispIDs::eCellText) continue;
            lowestCell = std::min(lowestCell, t->position.y);
            if (id.column != 0) continue;
            if (id.row == 0) y0 = t->position.y;
            if (id.row == 2) y2 = t->position.y;
        }
        EXPECT_EQ(y0 > y2, direction == DUxTableStyle::eTopDown);
        // From the top: the rows, the headings, the title; the table still hangs from the origin.
        EXPECT_LT(heading, lowestCell);
        EXPECT_LT(title, heading);
        const BBox drawn = list.GetBBox();
        EXPECT_NEAR(drawn.max.y, 0.0, kEps);
        EXPECT_NEAR(drawn.min.y, -(kTitle + kHeading + 3 * kRow), kEps);
    }
}

TEST_F(DUxTableStateLayoutTest, OriginMovesKeepTheFarEdgeAndRowsAndColumnsMove) {
    // A row more: the top goes up by its height, so that the bottom stays; turned a quarter,
    // the top is on the left.
    state->SetOrigin(WqGePoint3d(0, 100, 0));
    state->ApplyOriginMoveDueToRowChanges(4.5);
    EXPECT_EQ(state->GetOrigin(), WqGePoint3d(0, 104.5, 0));
    style->SetRotation(DUxTableStyle::eRot90);
    state->ApplyOriginMoveDueToRowChanges(-4.5);
    EXPECT_EQ(state->GetOrigin(), WqGePoint3d(4.5, 104.5, 0));
    style->SetRotation(DUxTableStyle::eRot0);

    auto ids = [&] {
        std::vector<int32_t> out;
        for (DUxTableRowBase* r : state->GetRows())
            out.push_back(r->RowID()->GetNumber());
        return out;
    };
    ASSERT_TRUE(state->SwapRows(DUxTableRowID(1), DUxTableRowID(3)));
    EXPECT_EQ(ids(), (std::vector<int32_t>{3, 2, 1}));
    EXPECT_FALSE(state->SwapRows(DUxTableRowID(1), DUxTableRowID(9)));
    ASSERT_TRUE(state->MoveRows(0, 2, 1));
    EXPECT_EQ(ids(), (std::vector<int32_t>{1, 3, 2}));
    ASSERT_TRUE(state->MoveRows(2, 1, 0));
    EXPECT_EQ(ids(), (std::vector<int32_t>{2, 1, 3}));
    EXPECT_FALSE(state->MoveRows(2, 2, 0));
    ASSERT_TRUE(state->MoveColumns(1, 0));
    EXPECT_EQ(state->GetColumnHeading(0), u"DESCRIPTION");
    EXPECT_EQ(state->GetValue(0, 0), u"Hex bolt");
}

TEST_F(DUxTableStateLayoutTest, LaidOutTableSavesLoadsAndSavesToTheSameBytes) {
    state->SetTitleHeight(7.25);
    state->SetColumnHeadingHeight(6.5);
    state->SetColumnWidth(1, 33.0);
    state->SetAutomaticWrap(true);
    state->SetWrapMode(DUxTableStateBase::eWrapBySections);
    state->SetWrapDirection(DUxTableStateBase::eWrapLeft);
    state->SetWrapCount(2);
    state->ApplyAutomaticWrapping();
    state->GetRow(2)->SetHeight(9.5);
    const BBox before = state->GetExtents(true);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* loaded = dynamic_cast<DUxTableStateBase*>(back->FindObject(state->GetId()));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetTitleHeight(), 7.25);
    EXPECT_EQ(loaded->GetColumnHeadingHeight(), 6.5);
    EXPECT_EQ(loaded->GetColumnWidth(1), 33.0);
    EXPECT_TRUE(loaded->AutomaticWrap());
    EXPECT_EQ(loaded->GetWrapMode(), DUxTableStateBase::eWrapBySections);
    EXPECT_EQ(loaded->GetWrapDirection(), DUxTableStateBase::eWrapLeft);
    EXPECT_EQ(loaded->GetWrapCount(), 2);
    EXPECT_EQ(loaded->GetRow(2)->GetHeight(), 9.5);
    EXPECT_TRUE(loaded->GetRow(1)->IsFlagOn(DUxTableRowBase::kSectionEndFlag));
    const BBox after = loaded->GetExtents(true);
    EXPECT_EQ(after.min, before.min);
    EXPECT_EQ(after.max, before.max);
    std::vector<uint8_t> again;
    ASSERT_FALSE(back->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

TEST_F(DUxTableStateLayoutTest, LayoutChangesUndoToTheSameBytes) {
    RSeDatabase* db = doc.GetRSeDb();
    auto bytes = [&] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    };
    const std::vector<uint8_t> before = bytes();
    db->BeginTxn();
    state->Stretch(20.0, -6.0, 0.0); // column widths and every row's height
    state->SetTitleHeight(9.0);
    state->SetColumnHeadingHeight(7.0);
    state->SetAutomaticWrap(true);
    state->SetWrapMode(DUxTableStateBase::eWrapBySections);
    state->SetWrapCount(2);
    state->ApplyAutomaticWrapping();
    ASSERT_TRUE(state->MoveColumns(0, 1));
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    const std::vector<uint8_t> after = bytes();
    EXPECT_NE(after, before);
    db->Undo(*record);
    EXPECT_EQ(bytes(), before);
    db->Redo(*record);
    EXPECT_EQ(bytes(), after);
}

TEST_F(DUxTableStateLayoutTest, ARedrawAfterRowChangesEqualsAWholeDrawing) {
    RSeDatabase* db = doc.GetRSeDb();
    SMxDisplayList* drawn = nullptr; // the list of the case at hand
    auto cell = [&](int32_t row, int32_t column) {
        return state->GetRow(row)->GetValueRaw(state->GetColumn(column), false);
    };
    struct Case {
        const char* name;
        std::function<void()> setUp;  // the table's settings, drawn whole
        std::function<void()> change; // after the first drawing
        bool kept;                    // the other rows' items survive the redraw
    };
    const Case cases[] = {
        {"one text", [] {}, [&] { cell(4, 1)->SetString(u"Spacer ring"); }, true},
        {"a text emptied, then another filled", [] {},
         [&] {
             cell(2, 1)->SetString(u"");
             cell(6, 0)->SetString(u"12");
         },
         true},
        {"a text of two lines grows the row", [] {},
         [&] { cell(3, 1)->SetString(u"Spacer\nDIN 988"); }, false},
        {"a row's own height", [] {}, [&] { state->GetRow(5)->SetHeight(12.0); }, false},
        {"a row hidden", [] {},
         [&] { state->GetRow(1)->SetFlag(DUxTableRowBase::kHiddenFlag, false); }, false},
        {"a row removed", [] {}, [&] { state->RemoveRow(7); }, false},
        {"a column wider", [] {}, [&] { state->SetColumnWidth(1, 44.0); }, false},
        {"the style's text higher", [] {},
         [&] {
             style->SetTextStyle({0, 3.0});
         },
         false},
        {"the table moved", [] {}, [&] { state->SetOrigin(WqGePoint3d(5, 60, 0)); }, false},
        {"headings at the bottom", [&] { style->SetHeading(DUxTableStyle::eHeadingBottom); },
         [&] { cell(4, 1)->SetString(u"Spacer ring"); }, true},
        {"rows upward, turned",
         [&] {
             style->SetDirection(DUxTableStyle::eBottomUp);
             style->SetRotation(DUxTableStyle::eRot90);
         },
         [&] { cell(0, 1)->SetString(u"Base"); }, true},
        {"in sections",
         [&] {
             state->SetAutomaticWrap(true);
             state->SetWrapMode(DUxTableStateBase::eWrapByRows);
             state->SetWrapCount(4);
             state->ApplyAutomaticWrapping();
         },
         [&] { cell(6, 1)->SetString(u"Spacer ring"); }, true},
        {"lines only", [&] { state->SetDisplayOption(2); },
         [&] { cell(4, 1)->SetString(u"Spacer ring"); }, true},
        {"the list given a copy of its items", [] {},
         [&] {
             cell(4, 1)->SetString(u"Spacer ring");
             *drawn = SMxDisplayList(*drawn);
         },
         false},
        {"the list's items moved and moved back", [] {},
         [&] {
             cell(4, 1)->SetString(u"Spacer ring");
             drawn->TransformBy(WqGeMatrix3d::translation(WqGeVector3d(1, 0, 0)));
             drawn->TransformBy(WqGeMatrix3d::translation(WqGeVector3d(-1, 0, 0)));
         },
         false},
        {"undone", [] {},
         [&] {
             db->BeginTxn();
             cell(4, 1)->SetString(u"Spacer ring");
             std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
             db->Undo(*record);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp(); // a fresh table of the fixture's three rows and six more
        for (int32_t id = 4; id <= 9; ++id)
            AddRow(id, u"9", u"Spacer");
        c.setUp();
        SMxDisplayList list;
        drawn = &list;
        state->GenGraphics(list);
        // A mark the drawing never sets: it stays on the items that are not drawn again.
        list.GetAt(0).SetStyledColor(SMxColor());
        c.change();
        state->GenGraphics(list);
        EXPECT_EQ(list.GetAt(0).HasStyledColor(), c.kept);
        SMxDisplayList whole;
        state->GenGraphics(whole);
        EXPECT_EQ(KorvuDescribe(list), KorvuDescribe(whole));
        // Drawn again unchanged, it stays what it was.
        state->GenGraphics(list);
        EXPECT_EQ(KorvuDescribe(list), KorvuDescribe(whole));
    }
}

TEST_F(DUxTableStateLayoutTest, DrawnToSvgAndPng) {
    // Kept in the build tree so that a person can look at the picture.
    const std::filesystem::path dir = std::filesystem::current_path() / "out" / "du_table";
    std::filesystem::create_directories(dir);
    state->GetRow(1)
        ->GetValueRaw(state->GetColumn(1), false)
        ->UpdateData(u"Hex bolt\nISO 4017 M6", false, nullptr);
    AddRow(4, u"4", u"Nut");
    AddRow(5, u"5", u"Spring pin");
    state->SetAutomaticWrap(true);
    state->SetWrapCount(3);
    state->ApplyAutomaticWrapping();
    // Headings on top wrapping to the right from the left corner; headings at the bottom
    // wrapping to the left from the right corner.
    const struct {
        const char* name;
        DUxTableStyle::eHeading heading;
        int32_t wrap;
        WqGePoint3d origin;
    } pictures[] = {{"table", DUxTableStyle::eHeadingTop, 1, {10, 90, 0}},
                    {"table_bottom", DUxTableStyle::eHeadingBottom, 0, {100, 90, 0}}};
    for (const auto& picture : pictures) {
        style->SetHeading(picture.heading);
        state->SetWrapDirection(picture.wrap);
        state->SetOrigin(picture.origin);
        SMxDisplayList list;
        state->GenGraphics(list);
        const RNxSheet sheet{u"table", 110.0, 100.0};
        const std::vector<RNxLayer> layers{{&list, WqGeMatrix3d::kIdentity}};
        RNxOptions options;
        options.dotsPerMm = 8.0;
        for (const char* ext : {".svg", ".png"}) {
            const std::string path = (dir / (std::string(picture.name) + ext)).string();
            SCOPED_TRACE(path);
            ASSERT_FALSE(RNx::RenderSheet(sheet, layers, path, options).Failed());
            EXPECT_GT(std::filesystem::file_size(path), 0u);
        }
        std::ifstream in(dir / (std::string(picture.name) + ".svg"));
        std::stringstream svg;
        svg << in.rdbuf();
        for (const char* shown : {"PARTS LIST", "DESCRIPTION", "ISO 4017 M6", "Spring pin"})
            EXPECT_NE(svg.str().find(shown), std::string::npos) << picture.name << ": " << shown;
    }
}

} // namespace
