// Table styles: their own column copies, the wrappers' choice of style, the escaping of cell
// texts and storage.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "TstDocWriter.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxObjectEditRecord.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

class DUxTableStyleTest : public ::testing::Test {
protected:
    RSeSegment* Seg() { return RSe::SegmentOf(doc.GetRSeDb()); }
    DUxTableStylePartsListColumn* NewColumn(const char16_t* id, double width) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(Seg());
        c->GetPropertyID()->SetPropertyID(id);
        c->SetWidth(width);
        return c;
    }
    bool Exists(uint32_t id) { return doc.GetRSeDb()->FindObject(id) != nullptr; }
    DLxDrawingDoc doc;
};

TEST_F(DUxTableStyleTest, ColumnsGoInAndOutAsCopies) {
    DUxTableStylePartsList* style = DUxTableStylePartsList::CreateStyle(Seg(), u"ISO");
    EXPECT_EQ(style->GetStyleName(), u"ISO");
    DUxTableStylePartsListColumn* item = NewColumn(u"1", 10);
    DUxTableStylePartsListColumn* name = NewColumn(u"2", 40);
    style->SetColumns({RSeRef<DUxTableStyleColumn>(item), RSeRef<DUxTableStyleColumn>(name)});
    ASSERT_EQ(style->GetColumns().size(), 2u);
    DUxTableStyleColumn* own = style->GetColumns()[0].get();
    EXPECT_NE(own, item);
    EXPECT_EQ(own->GetPropertyID()->GetPropertyID(), u"1");
    const uint32_t firstOwn = own->GetId();

    // The style's own list given back: the copies are made before the old ones go.
    style->SetColumns({style->GetColumns()[1]});
    ASSERT_EQ(style->GetColumns().size(), 1u);
    EXPECT_EQ(style->GetColumns()[0].get()->GetWidth(), 40.0);
    EXPECT_FALSE(Exists(firstOwn));

    DUxTableColumnList copies = style->GetCopyOfColumns(nullptr);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(RSe::SegmentOf(copies[0].get()), RSe::TransientSegment());
    EXPECT_NE(dynamic_cast<DUxTableStylePartsListColumn*>(copies[0].get()), nullptr);
    DUxTableStyle::ClearColumns(copies);
    EXPECT_TRUE(copies.empty());

    style->SetGroupKeys({RSeRef<DUxTableStylePartsListColumn>(item)});
    ASSERT_EQ(style->GetGroupKeys().size(), 1u);
    EXPECT_NE(style->GetGroupKeys()[0].get(), item);
    EXPECT_EQ(style->GetGroupKeys()[0].get()->GetWidth(), 10.0);
}

TEST_F(DUxTableStyleTest, WrappersReadTheExplicitStyleElseTheStatesOwn) {
    auto* state = new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)), Seg())
        DUxTableStateBase();
    const RSeRef<DUxTableStateBase> stateRef(state);
    DUxTableStylePartsListWrapper none(stateRef, RSeRef<DUxTableStyle>());
    EXPECT_EQ(none.Style().get(), nullptr);
    EXPECT_EQ(none.GetTitle(), u"");
    EXPECT_EQ(none.GetRotation(), DUxTableStyle::eRot0);
    EXPECT_EQ(none.FilterList(), nullptr);
    EXPECT_TRUE(none.GetCopyOfColumns(nullptr).empty());

    DUxTableStylePartsList* own = DUxTableStylePartsList::CreateStyle(Seg(), u"Own");
    own->SetTitle(u"PARTS LIST");
    own->SetRotation(DUxTableStyle::eRot90);
    none.SetPrimaryStyle(RSeRef<DUxTableStyle>(own));
    EXPECT_EQ(state->GetStyle(), own);
    DUxTableStylePartsListWrapper wrapper(stateRef, RSeRef<DUxTableStyle>());
    EXPECT_EQ(wrapper.Style().get(), own);
    EXPECT_EQ(wrapper.GetTitle(), u"PARTS LIST");
    EXPECT_EQ(wrapper.GetRotation(), DUxTableStyle::eRot90);
    wrapper.SetTitle(u"BOM");
    EXPECT_EQ(own->GetTitle(), u"BOM");

    auto* plain =
        new (RSe::_GetMeta(static_cast<const DUxTableStyle*>(nullptr)), Seg()) DUxTableStyle();
    plain->SetHeading(DUxTableStyle::eNoHeading);
    DUxTableStylePartsListWrapper explicitPlain(stateRef, RSeRef<DUxTableStyle>(plain));
    EXPECT_EQ(explicitPlain.GetHeading(), DUxTableStyle::eNoHeading); // the explicit one wins
    EXPECT_EQ(explicitPlain.Style().get(), nullptr); // but it is no parts-list style
}

// The wrapper's setters reach the table's style, and only when there is one; a text style
// gives its look, and no text style leaves the look.
TEST_F(DUxTableStyleTest, WrapperSettersChangeTheStyleWhenThereIsOne) {
    auto* state = new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)), Seg())
        DUxTableStateBase();
    const RSeRef<DUxTableStateBase> stateRef(state);
    DUxTextStyle* small = DUxTextStyle::CreateStyle(Seg(), u"Small");
    small->SetFontId(3);
    small->SetHeight(2.5);
    auto setAll = [&](DUxTableStylePartsListWrapper& w) {
        w.SetUseTitle(false);
        w.SetRotation(DUxTableStyle::eRot180);
        w.SetDirection(DUxTableStyle::eBottomUp);
        w.SetHeading(DUxTableStyle::eHeadingBottom);
        w.SetLineSpacing(4);
        w.SetTextStyle(small);
        w.SetTitleTextStyle(nullptr);
        w.SetHeadingTextStyle(small);
    };
    DUxTableStylePartsListWrapper none(stateRef, RSeRef<DUxTableStyle>());
    setAll(none);
    EXPECT_EQ(none.GetRotation(), DUxTableStyle::eRot0);
    EXPECT_TRUE(none.UseTitle());
    EXPECT_EQ(none.GetTextStyle(), DUxTableStyle::TextLook());

    DUxTableStylePartsList* own = DUxTableStylePartsList::CreateStyle(Seg(), u"Own");
    own->SetTitleTextStyle({7, 6.0});
    none.SetPrimaryStyle(RSeRef<DUxTableStyle>(own));
    DUxTableStylePartsListWrapper w(stateRef, RSeRef<DUxTableStyle>());
    setAll(w);
    EXPECT_FALSE(own->UseTitle());
    EXPECT_EQ(own->GetRotation(), DUxTableStyle::eRot180);
    EXPECT_EQ(own->GetDirection(), DUxTableStyle::eBottomUp);
    EXPECT_EQ(own->GetHeading(), DUxTableStyle::eHeadingBottom);
    EXPECT_EQ(own->GetLineSpacing(), 4);
    EXPECT_EQ(own->GetTextStyle(), (DUxTableStyle::TextLook{3, 2.5}));
    EXPECT_EQ(own->GetTitleTextStyle(), (DUxTableStyle::TextLook{7, 6.0}));
    EXPECT_EQ(own->GetHeadingTextStyle(), (DUxTableStyle::TextLook{3, 2.5}));
}

// Text styles belong to the drawing: found by name and class, saved and loaded with it.
TEST(DUxTextStyle, FoundByNameSavedAndLoadedWithTheDrawing) {
    DLxDrawingDoc doc;
    DLxDrawing* drawing = doc.GetDrawing();
    DUxTextStyle* large = DUxTextStyle::CreateStyle(drawing->GetSegment(), u"Large");
    large->SetFontId(2);
    large->SetHeight(5.0);
    ASSERT_TRUE(drawing->AddStyle(large));
    const RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr));
    EXPECT_EQ(doc.FindStyle(meta, u"Large"), large);
    EXPECT_EQ(doc.FindStyle(meta, u"Small"), nullptr);
    EXPECT_EQ(doc.FindStyle(RSe::_GetMeta(static_cast<const DUxTableStyle*>(nullptr)), u"Large"),
              nullptr);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    DLxDrawingDoc reopened(std::move(back));
    const auto* loaded = dynamic_cast<const DUxTextStyle*>(reopened.FindStyle(meta, u"Large"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetFontId(), 2);
    EXPECT_EQ(loaded->GetHeight(), 5.0);
    std::vector<uint8_t> again;
    ASSERT_FALSE(reopened.GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

TEST_F(DUxTableStyleTest, BandHeightsComeFromTheTablesStyle) {
    auto* state = new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)), Seg())
        DUxTableStateBase();
    EXPECT_EQ(state->GetMinBandHeight(3, false), 0.0); // no style yet
    DUxTableStylePartsList* style = DUxTableStylePartsList::CreateStyle(Seg(), u"S");
    style->SetTitleTextStyle({0, 5.0});
    style->SetTitleGap(1.5);
    style->SetHeadingTextStyle({0, 3.5});
    style->SetHeadingGap(1.0);
    style->SetTextStyle({0, 2.5});
    style->SetRowGap(0.5);
    style->SetLineSpacing(2);
    state->SetStyle(style);
    struct Case {
        int32_t band;
        bool multiLine;
        double height;
    };
    const Case cases[] = {{1, false, 5.0 + 3.0},        {2, false, 3.5 + 2.0},
                          {3, false, 2.5 + 1.0},        {3, true, 2.5 * 3 + 0.5 * 4},
                          {2, true, 3.5 * 3 + 1.0 * 4}, {4, false, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.band << (c.multiLine ? " multi-line" : ""));
        EXPECT_DOUBLE_EQ(state->GetMinBandHeight(c.band, c.multiLine), c.height);
    }
}

TEST(DUxTableStyleTexts, EscapingStackingAndSimpleValues) {
    struct Case {
        const char16_t* text;
        const char16_t* escaped; // null: unchanged
        bool stacked;
        const char16_t* simple;
    };
    const Case cases[] = {
        {u"M6x20", nullptr, false, u"M6x20"},
        {u"C:\\Parts", u"C:\\\\Parts", false, u"C:Parts"},
        {u"{A}", u"\\{A\\}", false, u"A"},
        {u"\\S1^2;", u"\\\\S1^2;", true, u"1/2"},
        {u"\\\\S1^2;", u"\\\\\\\\S1^2;", false, u"\\S1^2;"}, // an escaped backslash
        {u"\\S1^2", u"\\\\S1^2", false, u"S1^2"},            // no ';': no code
        {u"", nullptr, false, u""},
        {u"Gro\u00DFe \U0001F529 \xD83D", nullptr, false, u"Gro\u00DFe \U0001F529 \xD83D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        UTxString16 escaped;
        EXPECT_EQ(DUxTableStyle::GetEscapedString(c.text, escaped), c.escaped != nullptr);
        EXPECT_EQ(escaped, c.escaped ? c.escaped : c.text);
        EXPECT_EQ(DUxTableStyle::IsStacked(c.text), c.stacked);
        EXPECT_EQ(DUxTableStyle::GetSimpleValue(c.text), c.simple);
        // Read in place: the same text, held by the cell itself when it has no codes.
        const UTxString16 text = c.text;
        UTxString16 scratch;
        const UTxString16& shown = DUxTableStyle::GetSimpleValue(text, scratch);
        EXPECT_EQ(shown, c.simple);
        EXPECT_EQ(&shown == &text, text == c.simple);
        // What escaping gives shows as the text itself.
        EXPECT_EQ(DUxTableStyle::GetSimpleValue(escaped), c.text);
    }
}

TEST(DUxStyleFormatColumnPropertyID, ItemAndQuantityAreKnownByTheirSetInAnyCase) {
    struct Case {
        const char16_t* set;
        const char16_t* id;
        bool item, quantity;
    };
    const Case cases[] = {
        {u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}", u"1", true, false},
        {u"{beb6b91c-af44-4F9B-ad9e-1e0570a168f9}", u"2", false, true},
        {u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}", u"3", false, false},
        {u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}", u"1", false, false}, // a user property
        {u"", u"2", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.set) + " " + UTx::ToUtf8(c.id));
        DUxStyleFormatColumnPropertyID p;
        p.SetPropertySet(c.set);
        p.SetPropertyID(c.id);
        EXPECT_EQ(p.IsItem(), c.item);
        EXPECT_EQ(p.IsQuantity(), c.quantity);
    }
}

TEST_F(DUxTableStyleTest, AStyleSavesAndLoadsToTheSameBytes) {
    DUxTableStylePartsList* style = DUxTableStylePartsList::CreateStyle(Seg(), u"JIS");
    style->SetTitle(u"部品表");
    style->SetUseTitle(false);
    style->SetDirection(DUxTableStyle::eBottomUp);
    style->SetRotation(DUxTableStyle::eRot270);
    style->SetHeading(DUxTableStyle::eHeadingBottom);
    style->SetLineSpacing(2);
    style->SetRowGap(0.75);
    style->SetHeadingTextStyle({4, 5.0});
    style->SetColumns({RSeRef<DUxTableStyleColumn>(NewColumn(u"1", 12))});
    style->SetCustomColumns({RSeRef<DUxTableStyleColumn>(NewColumn(u"7", 30))});
    style->SetGroupKeys({RSeRef<DUxTableStylePartsListColumn>(NewColumn(u"2", 1))});
    style->EnsureFilterList();

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* loaded = dynamic_cast<DUxTableStylePartsList*>(back->FindObject(style->GetId()));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetStyleName(), u"JIS");
    EXPECT_EQ(loaded->GetTitle(), u"部品表");
    EXPECT_FALSE(loaded->UseTitle());
    EXPECT_EQ(loaded->GetDirection(), DUxTableStyle::eBottomUp);
    EXPECT_EQ(loaded->GetRotation(), DUxTableStyle::eRot270);
    EXPECT_EQ(loaded->GetHeading(), DUxTableStyle::eHeadingBottom);
    EXPECT_EQ(loaded->GetLineSpacing(), 2);
    EXPECT_EQ(loaded->GetRowGap(), 0.75);
    EXPECT_EQ(loaded->GetHeadingTextStyle(), (DUxTableStyle::TextLook{4, 5.0}));
    ASSERT_EQ(loaded->GetColumns().size(), 1u);
    EXPECT_EQ(loaded->GetColumns()[0].get()->GetWidth(), 12.0);
    ASSERT_EQ(loaded->GetCustomColumns().size(), 1u);
    ASSERT_EQ(loaded->GetGroupKeys().size(), 1u);
    EXPECT_NE(loaded->FilterList(), nullptr);
    std::vector<uint8_t> again;
    ASSERT_FALSE(back->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

// Parts-list columns stored before they could show a family-table member show none.
TEST(DUxTableStylePartsListColumnStorage, AColumnOfVersionZeroShowsNoMember) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"DUxTableStyleColumn", 0);
    const uint32_t meta = w.AddClass(u"DUxTableStylePartsListColumn", 0);
    w.BeginSegment(u"Styles");
    RSeStream& s = w.BeginRecord(meta, 1);
    auto units = [&s] {
        s.Write(int32_t(1));
        s.Write(true);
        s.Write(false);
        s.Write(true);
        s.Write(int32_t(3));
        s.Write(false);
    };
    s.Write(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    s.Write(UTxString16(u"5"));
    s.Write(UTxString16(u"MATERIAL"));
    s.Write(int32_t(2));
    s.Write(int32_t(0));
    s.Write(30.0);
    s.Write(int32_t(0));
    s.Write(int32_t(1));
    units();
    s.Write(int32_t(0));
    s.Write(0.0);
    s.Write(true);
    s.Write(UTxString16(u"{S}"));
    s.Write(UTxString16(u"7"));
    s.Write(UTxString16(u"Stock"));
    s.Write(int32_t(1));
    s.Write(int32_t(0));
    s.Write(int32_t(1));
    units();
    w.EndRecord();
    const std::vector<uint8_t> bytes = w.Finish(2);
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const auto* column = dynamic_cast<DUxTableStylePartsListColumn*>(db->FindObject(1));
    ASSERT_TRUE(column);
    EXPECT_EQ(column->GetPropertyID()->GetPropertyExternalName(), u"MATERIAL");
    EXPECT_EQ(column->GetWidth(), 30.0);
    EXPECT_TRUE(column->GetSubstitute());
    EXPECT_EQ(column->GetSubstitutePropertyID()->GetPropertyExternalName(), u"Stock");
    EXPECT_EQ(column->GetSubstituteUnits().linearPrecision, 3);
    EXPECT_TRUE(column->GetPropertyID()->GetMemberID().empty());
    EXPECT_TRUE(column->GetSubstitutePropertyID()->GetMemberID().empty());
}

} // namespace

namespace {

// A parts-list column written to an edit record and read back is the same column, as the
// older styles' column item too; a record that lacks a setting, or holds one of another kind,
// is refused and leaves the column it was read into as it was.
TEST(DUxTableStylePartsListColumnRecord, AColumnReadsBackItsRecordAndRefusesAnIncompleteOne) {
    DUxTableStylePartsListColumn* column = DUxTableStylePartsListColumn::New(nullptr);
    DUxStyleFormatColumnPropertyID* id = column->GetPropertyID();
    id->SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    id->SetPropertyID(u"5");
    id->SetPropertyExternalName(u"MATERIAL");
    id->SetMemberID(u"B");
    column->SetHeadingAlignment(2);
    column->SetColumnAlignment(1);
    column->SetWidth(31.25);
    column->SetFormatMode(3);
    column->SetOutputUnitType(4);
    column->SetDecimalMarker(1);
    column->SetShowUnitString(true);
    column->SetShowTrailingZero(true);
    column->SetLinearPrecision(5);
    column->SetFractionalFormat(true);
    column->SetSubstitute(true);
    column->GetSubstitutePropertyID()->SetPropertySet(u"{S}");
    column->GetSubstitutePropertyID()->SetPropertyID(u"Stock");
    column->GetSubstitutePropertyID()->SetPropertyExternalName(u"STOCK");
    column->SetSubstituteBehavior(2);
    column->SetSubstituteFormatMode(1);
    column->SetSubstituteOutputUnitType(6);
    DUxColumnUnitSettings units;
    units.showLeadingZero = true;
    units.linearPrecision = 1;
    column->SetSubstituteUnits(units);

    const FBxObjectEditRecord record = column->MakeEditRecord(u"Column");
    EXPECT_EQ(record.GetKey(), u"Column");
    DUxTableStylePartsListColumn* back = DUxTableStylePartsListColumn::New(nullptr, record);
    DUxPartsListStyleColumnItem* item = DUxPartsListStyleColumnItem::New(nullptr, record);
    for (DUxTableStylePartsListColumn* read :
         {back, static_cast<DUxTableStylePartsListColumn*>(item)}) {
        EXPECT_EQ(*read->GetPropertyID(), *id);
        EXPECT_EQ(read->GetWidth(), 31.25);
        EXPECT_EQ(read->GetLinearPrecision(), 5);
        EXPECT_TRUE(read->GetFractionalFormat());
        EXPECT_EQ(*read->GetSubstitutePropertyID(), *column->GetSubstitutePropertyID());
        EXPECT_EQ(read->GetSubstituteUnits(), units);
        EXPECT_EQ(read->MakeEditRecord(u"Column"), record);
    }
    EXPECT_EQ(RSe::SegmentOf(item), RSe::TransientSegment());

    // Every setting is needed: the record without any one of its named values is refused.
    DUxTableStylePartsListColumn* fresh = DUxTableStylePartsListColumn::New(nullptr);
    const FBxObjectEditRecord untouched = fresh->MakeEditRecord(u"Column");
    const int32_t count = record.GetValueCount();
    ASSERT_EQ(count % 2, 0);
    for (int32_t drop = 0; drop < count; drop += 2) {
        const UTxString16 name = record.GetString(drop);
        SCOPED_TRACE(UTx::ToUtf8(name));
        FBxObjectEditRecord lacking(u"Column");
        FBxObjectEditRecord mistyped(u"Column");
        for (int32_t i = 0; i < count; i += 2) {
            if (i != drop) lacking.SetAttribute(record.GetString(i), record.GetValue(i + 1));
            mistyped.SetAttribute(record.GetString(i),
                                  i == drop ? FWxTranscriptValue::MakePoint(WqGePoint3d())
                                            : record.GetValue(i + 1));
        }
        EXPECT_THROW(DUxTableStylePartsListColumn::New(nullptr, lacking),
                     FBxObjectEditRecord::attribute_not_found);
        EXPECT_THROW(DUxPartsListStyleColumnItem::New(nullptr, mistyped),
                     FBxObjectEditRecord::exception);
        EXPECT_THROW(fresh->ReadEditRecord(mistyped), FBxObjectEditRecord::exception);
        EXPECT_EQ(fresh->MakeEditRecord(u"Column"), untouched);
    }
    for (RSeIDed* o : std::initializer_list<RSeIDed*>{column, back, item, fresh})
        RSe::DeleteObject(o);
}

} // namespace
