// The general note on a real drawing: its layout in the box (natural size, wrapping, growth
// away from the justified edge), its hot points and name key, picking, and its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "GeneralNote/DLxGeneralNoteFilter.h"
#include "GeneralNote/DLxGeneralNoteONKTranslator.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "KorvuTestSupport.h"
#include "NoteTestDoc.h"
#include "du/DUxSymState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {

constexpr double kAdv = UCxStringUtil::kAdvanceRatio * 5.0; // one character at height 5
constexpr double kQuarter = 1.5707963267946;

std::vector<const SMxTextItem*> Texts(const DLxGeneralNote* note) {
    std::vector<const SMxTextItem*> out;
    for (const SMxDisplayItem& item : *note->GetSheetDisplayList())
        if (auto* t = item.As<SMxTextItem>()) out.push_back(t);
    return out;
}

// A note at natural size fits its text: lines stacked down from the upper-left point, each run
// in its font, and the box is the text's box.
TEST(GeneralNote, ANaturalNoteFitsItsFormattedLines) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"AB\\PC\\F7;DE", {100, 200, 0}).Failed());
    DLxGeneralNote* note = d.Note();
    ASSERT_NE(note, nullptr);
    const BBox box = NoteTestDoc::Box(note);
    EXPECT_DOUBLE_EQ(box.min.x, 100);
    EXPECT_DOUBLE_EQ(box.max.x, 100 + 3 * kAdv);
    EXPECT_DOUBLE_EQ(box.max.y, 200);
    EXPECT_DOUBLE_EQ(box.min.y, 190);
    const auto texts = Texts(note);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, u"AB");
    EXPECT_DOUBLE_EQ(texts[0]->position.y, 195);
    EXPECT_EQ(texts[1]->text, u"C");
    EXPECT_EQ(texts[2]->text, u"DE");
    EXPECT_EQ(texts[2]->fontId, 7);
    EXPECT_DOUBLE_EQ(texts[2]->position.x, 100 + kAdv);
    EXPECT_TRUE(note->GetResizeState());
    EXPECT_FALSE(note->IsFixedWidth());
}

// A fixed width wraps the text in the box; text taller than the box grows it away from the
// justified edge: a top-justified note downward, a bottom one upward, a middle one both ways.
TEST(GeneralNote, TallTextGrowsTheBoxAwayFromItsJustifiedEdge) {
    struct Case {
        int32_t vJust;
        double minY, maxY;
    };
    // Box 100..116.5 x 190..200 (10 high); "aaa bbb ccc" wraps in 5.5 characters to three
    // lines of 5.
    const Case cases[] = {{0, 185, 200}, {2, 190, 205}, {1, 187.5, 202.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vJust);
        NoteTestDoc d;
        const double width = 5.5 * kAdv;
        ASSERT_FALSE(
            d.Create(u"aaa bbb ccc", {100, 200, 0}, width, {100 + width, 190, 0}, 0, c.vJust)
                .Failed());
        DLxGeneralNote* note = d.Note();
        EXPECT_TRUE(note->IsFixedWidth());
        EXPECT_EQ(note->GetStringData()->GetParagraphValue(), u"aaa\nbbb\nccc");
        const BBox box = NoteTestDoc::Box(note);
        EXPECT_DOUBLE_EQ(box.min.y, c.minY);
        EXPECT_DOUBLE_EQ(box.max.y, c.maxY);
        EXPECT_DOUBLE_EQ(box.max.x - box.min.x, width);
    }
}

// A box narrower than half a unit is not wrapped to: the text is drawn as typed.
TEST(GeneralNote, ANarrowBoxIsNotWrappedTo) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"aaa bbb", {100, 200, 0}, 0.4, {100.4, 190, 0}).Failed());
    const auto texts = Texts(d.Note());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, u"aaa bbb");
}

// Eight hot points in their order around the box, with ids 0 to 7, turned with the note.
TEST(GeneralNote, HotPointsGoRoundTheBoxAndTurnWithTheNote) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"ABCD", {100, 200, 0}).Failed());
    DLxGeneralNote* note = d.Note();
    const double x1 = 100 + 4 * kAdv;
    const WqGePoint3d want[8] = {
        {100, 195, 0}, {100, 197.5, 0}, {100, 200, 0}, {(100 + x1) / 2, 200, 0},
        {x1, 200, 0},  {x1, 197.5, 0},  {x1, 195, 0},  {(100 + x1) / 2, 195, 0}};
    for (int turned = 0; turned < 2; ++turned) {
        SCOPED_TRACE(turned);
        std::vector<const SMxPointItem*> points;
        for (const SMxDisplayItem& item : *note->GetSheetDisplayList())
            if (auto* p = item.As<SMxPointItem>()) points.push_back(p);
        ASSERT_EQ(points.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(points[i]->GetId(), i);
            // A quarter turn counter-clockwise about the upper-left point (100, 200).
            const double x = turned ? 100 - (want[i].y - 200) : want[i].x;
            const double y = turned ? 200 + (want[i].x - 100) : want[i].y;
            EXPECT_NEAR(points[i]->position.x, x, 1e-9) << i;
            EXPECT_NEAR(points[i]->position.y, y, 1e-9) << i;
        }
        if (!turned) {
            ASSERT_FALSE(d.Rotate(note, false).Failed());
        }
    }
}

// The key point: under a right-angle turn the x of the turned minimum corner and the y of the
// turned maximum one, at any other angle the turned minimum corner; a pick there finds the note.
TEST(GeneralNote, TheNameKeyPointFollowsTheTurn) {
    struct Case {
        double angle;
        double x, y;
    };
    // Box 100..112 x 195..200 turned about (100, 200).
    const double c = std::cos(0.7853981633974483), s = std::sin(0.7853981633974483);
    const Case cases[] = {
        {0.0, 100, 200}, {kQuarter, 105, 212}, {0.7853981633974483, 100 + 5 * s, 200 - 5 * c}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.angle);
        NoteTestDoc d;
        ASSERT_FALSE(d.Create(u"ABCD", {100, 200, 0}, 0, {}, 0, 0, k.angle).Failed());
        DLxGeneralNote* note = d.Note();
        const WqGePoint3d p = note->GetKeyPoint();
        EXPECT_NEAR(p.x, k.x, 1e-9);
        EXPECT_NEAR(p.y, k.y, 1e-9);
        const UTxString16 key = FWxUtil::GetTranscriptMgr().StringFromRef(RSeRefBase(note));
        EXPECT_EQ(key.rfind(u"DLxGeneralNote#", 0), 0u) << UTx::ToUtf8(key);
        RSeRefBase found;
        ASSERT_FALSE(FWxUtil::GetTranscriptMgr().RefFromString(d.doc.get(), key, found).Failed());
        EXPECT_EQ(found.GetTarget(), note);
    }
}

// The note filter admits notes and nothing else.
TEST(GeneralNote, TheNoteFilterAdmitsNotesOnly) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"N1").Failed());
    DLxGeneralNoteFilter filter(DLxGeneralNoteFilter::ESubType(1));
    SmartPtr<FWxSelection> picked = filter.Select(*d.Note(), {101, 199, 0});
    auto* sel = dynamic_cast<DLxGeneralNoteSelection*>(picked.get());
    ASSERT_NE(sel, nullptr);
    EXPECT_EQ(sel->GetGeneralNote(), d.Note());
    EXPECT_EQ(filter.Select(*d.sheet, {101, 199, 0}).get(), nullptr);
    EXPECT_EQ(DLxGeneralNoteONKTranslator::ObjectFromPoint(d.doc.get(), {101, 199, 0}), d.Note());
    EXPECT_EQ(DLxGeneralNoteONKTranslator::ObjectFromPoint(d.doc.get(), {300, 50, 0}), nullptr);
}

// Saved and opened, a note keeps every input and its flags, saves to the same bytes and draws
// the same again.
TEST(GeneralNote, ANoteComesBackFromItsFile) {
    NoteTestDoc d;
    ASSERT_FALSE(
        d.Create(u"Line one\\PLine {\\H2x;two}", {50, 100, 0}, 30, {80, 90, 0}, 1, 1).Failed());
    ASSERT_FALSE(d.Rotate(d.Note(), true).Failed());
    const std::vector<std::string> drawn = KorvuDescribe(*d.Note()->GetSheetDisplayList());
    KorvuTempDir dir;
    const std::string path = dir.File("note.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, d.Bytes());

    DLxSheet* sheet = loaded->GetSheets().front();
    DLxGeneralNote* note = nullptr;
    for (const RSeRef<RDxNode>& n : sheet->GetNodes())
        if (auto* g = dynamic_cast<DLxGeneralNote*>(n.GetTarget())) note = g;
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetInputStateCount(), uint32_t(DLxGeneralNote::kInputCount));
    EXPECT_EQ(note->GetStyleOverrides(), d.Note()->GetStyleOverrides());
    EXPECT_EQ(note->GetStringData()->GetOriginalValue(), u"Line one\\PLine {\\H2x;two}");
    note->MarkEdited(true);
    RDxComputeContext ctx;
    EXPECT_FALSE(sheet->Recompute(ctx).Failed());
    EXPECT_EQ(KorvuDescribe(*note->GetSheetDisplayList()), drawn);
}

// The stored version of the note class as the file's meta table declares it: after the class's
// name (UTF-16) and its 16-byte GUID.
size_t NoteVersionOffset(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> name;
    for (char16_t c : std::u16string(u"DLxGeneralNote")) {
        name.push_back(uint8_t(c & 0xff));
        name.push_back(uint8_t(c >> 8));
    }
    auto it = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    EXPECT_NE(it, bytes.end());
    return size_t(it - bytes.begin()) + name.size() + 16;
}

// A note stored at version 0 is refused and the load fails cleanly; one stored at version 3
// (the flags, no more) loads with its flags and saves at the current version.
TEST(GeneralNote, OlderStoredVersionsLoadOrAreRefused) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"kept", {100, 200, 0}, 30, {130, 190, 0}).Failed());
    const std::vector<uint8_t> current = d.Bytes();
    const size_t at = NoteVersionOffset(current);
    ASSERT_EQ(current[at] | current[at + 1] << 8, 4);
    struct Case {
        uint8_t version;
        bool loads;
    };
    for (const Case c : {Case{0, false}, Case{3, true}}) {
        SCOPED_TRACE(int(c.version));
        std::vector<uint8_t> old = current;
        old[at] = c.version;
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
        EXPECT_EQ(r.Failed(), !c.loads) << r.GetMessageUtf8();
        if (!c.loads) {
            EXPECT_EQ(r.GetCode(), UTxResultCode(0xE00203ED));
            continue;
        }
        std::vector<uint8_t> again;
        ASSERT_FALSE(db->SaveToBuffer(again).Failed());
        EXPECT_EQ(again, current);
    }
}

} // namespace
