// General notes through their requests: create, edit, resize and quarter turns on a real
// drawing, their transcript lines replayed, undo and redo by the saved bytes, and the refusal
// of replayed requests whose note is gone or is something else.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "NoteTestDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "uc/UCxStringUtil.h"

namespace {

constexpr double kAdv = UCxStringUtil::kAdvanceRatio * 5.0; // one character at height 5
constexpr double kDegree = 0.01745329251994;

// Without a fixed width the box fits the text; with one it is that wide from the upper-left
// point and the text wraps in it.
TEST(GeneralNoteRequest, ACreatedBoxFitsTheTextOrTheFixedWidth) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"one two three", {10, 50, 0}).Failed());
    ASSERT_FALSE(d.Create(u"one two three", {10, 150, 0}, 50, {60, 140, 0}).Failed());
    const BBox natural = NoteTestDoc::Box(d.Note(0));
    EXPECT_DOUBLE_EQ(natural.min.x, 10);
    EXPECT_DOUBLE_EQ(natural.max.x, 10 + 13 * kAdv);
    EXPECT_DOUBLE_EQ(natural.max.y, 50);
    EXPECT_FALSE(d.Note(0)->IsFixedWidth());
    const BBox fixed = NoteTestDoc::Box(d.Note(1));
    EXPECT_DOUBLE_EQ(fixed.min.x, 10);
    EXPECT_DOUBLE_EQ(fixed.max.x, 60);
    EXPECT_DOUBLE_EQ(fixed.max.y, 150);
    EXPECT_TRUE(d.Note(1)->IsFixedWidth());
    // 50 units hold 16 characters: "one two three" is 13 and stays on one line; a longer
    // text wraps.
    ASSERT_FALSE(d.Edit(d.Note(1), u"one two three four five").Failed());
    EXPECT_EQ(d.Note(1)->GetStringData()->GetParagraphValue(), u"one two three\nfour five");
}

// Clockwise from 0: 270, 180, 90, 0 degrees; counter-clockwise from 270 exactly 0.
TEST(GeneralNoteRequest, QuarterTurnsComeBackToTheStart) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"turn").Failed());
    DLxGeneralNote* note = d.Note();
    for (double want : {270.0, 180.0, 90.0, 0.0}) {
        SCOPED_TRACE(want);
        ASSERT_FALSE(d.Rotate(note, true).Failed());
        EXPECT_NEAR(note->GetStringData()->GetRotation() / kDegree, want, 1e-4);
        EXPECT_EQ((note->GetStyleOverrides() & DLxGeneralNote::kOwnRotation) != 0, want != 0.0);
    }
    EXPECT_EQ(DLxGeneralNoteRotateRequest::NextAngle(270 * kDegree, false), 0.0);
    EXPECT_NEAR(DLxGeneralNoteRotateRequest::NextAngle(0, false), 90 * kDegree, 1e-12);
}

// A resize to the same size is a move: the fixed-width flag stays as it was and the resize
// state follows whether the text fits; a new size makes the width fixed.
TEST(GeneralNoteRequest, AResizeToTheSameSizeIsAMove) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"ABCD", {100, 200, 0}).Failed());
    DLxGeneralNote* note = d.Note();
    const double w = 4 * kAdv;
    ASSERT_FALSE(d.Resize(note, {20, 40, 0}, w, 5).Failed());
    EXPECT_FALSE(note->IsFixedWidth());
    BBox box = NoteTestDoc::Box(note);
    EXPECT_DOUBLE_EQ(box.min.x, 20);
    EXPECT_DOUBLE_EQ(box.max.y, 40);
    EXPECT_NEAR(note->GetStringData()->GetLocation().x, 20, 1e-12);

    ASSERT_FALSE(d.Resize(note, {20, 40, 0}, 30, 12).Failed());
    EXPECT_TRUE(note->IsFixedWidth());
    box = NoteTestDoc::Box(note);
    EXPECT_DOUBLE_EQ(box.max.x - box.min.x, 30);
    EXPECT_DOUBLE_EQ(box.max.y - box.min.y, 12);
    EXPECT_EQ(note->GetStringData()->GetMarker(), 0);
}

// An edit that changes only the justification moves the text's anchor inside the same box.
TEST(GeneralNoteRequest, AJustificationEditMovesTheAnchorInsideTheBox) {
    struct Case {
        int32_t h, v;
        double x, y;
        int32_t attachment;
    };
    // The box: 100..130 x 190..200, fixed.
    const Case cases[] = {{2, 0, 130, 200, 11}, {1, 1, 115, 195, 7}, {0, 2, 100, 190, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attachment);
        NoteTestDoc d;
        ASSERT_FALSE(d.Create(u"ab", {100, 200, 0}, 30, {130, 190, 0}).Failed());
        DLxGeneralNote* note = d.Note();
        ASSERT_FALSE(d.Edit(note, u"ab", c.h, c.v).Failed());
        const RDxString* s = note->GetStringData();
        EXPECT_EQ(s->GetAttachment(), c.attachment);
        EXPECT_DOUBLE_EQ(s->GetLocation().x, c.x);
        EXPECT_DOUBLE_EQ(s->GetLocation().y, c.y);
        const BBox box = NoteTestDoc::Box(note);
        EXPECT_DOUBLE_EQ(box.min.x, 100);
        EXPECT_DOUBLE_EQ(box.max.x, 130);
        EXPECT_DOUBLE_EQ(box.min.y, 190);
        EXPECT_DOUBLE_EQ(box.max.y, 200);
    }
}

// The lines a session writes replay to the same drawing; each line alone, replayed on the
// drawing it started from, gives the drawing it made.
TEST(GeneralNoteRequest, EveryLineReplaysToTheSameBytes) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    NoteTestDoc d;
    std::vector<std::vector<uint8_t>> states{d.Bytes()};
    ASSERT_FALSE(d.Create(u"Note \\F3;one\\P{\\H2x;two}\\Pthree", {40, 250, 0}).Failed());
    states.push_back(d.Bytes());
    ASSERT_FALSE(d.Create(u"wrapped words here", {200, 100, 0}, 30, {230, 90, 0}, 1, 1).Failed());
    states.push_back(d.Bytes());
    ASSERT_FALSE(d.Edit(d.Note(0), u"Edited\\Pnote", 2, 0).Failed());
    states.push_back(d.Bytes());
    ASSERT_FALSE(d.Resize(d.Note(1), {150, 120, 0}, 45, 20).Failed());
    states.push_back(d.Bytes());
    ASSERT_FALSE(d.Rotate(d.Note(0), true).Failed());
    states.push_back(d.Bytes());
    ASSERT_FALSE(d.Rotate(d.Note(1), false).Failed());
    states.push_back(d.Bytes());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 6u);
    const char16_t* names[6] = {u"CreateGeneralNote ", u"CreateGeneralNote ",
                                u"EditGeneralNote ",   u"ResizeGeneralNote ",
                                u"RotateGeneralNote ", u"RotateGeneralNote "};
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].rfind(names[i], 0), 0u) << UTx::ToUtf8(lines[i]);

    NoteTestDoc replay;
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(UTx::ToUtf8(lines[i]));
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), lines[i]).Failed());
        EXPECT_EQ(replay.Bytes(), states[i + 1]);
    }
    mgr.ClearLines();
}

// Undo takes every request back to the empty drawing and redo brings them all again, twice.
TEST(GeneralNoteRequest, UndoGivesBackTheBytes) {
    NoteTestDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(u"first\\Pnote").Failed());
    ASSERT_FALSE(d.Create(u"second", {20, 20, 0}, 40, {60, 10, 0}).Failed());
    ASSERT_FALSE(d.Edit(d.Note(0), u"first, edited", 1, 1).Failed());
    ASSERT_FALSE(d.Resize(d.Note(1), {25, 30, 0}, 50, 15).Failed());
    ASSERT_FALSE(d.Rotate(d.Note(0), false).Failed());
    const std::vector<uint8_t> full = d.Bytes();
    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// A replayed request whose note key names nothing, or names an object that is no note, is
// refused before it runs and leaves the drawing as it was; so is a create without its text.
TEST(GeneralNoteRequest, RequestsWithoutTheirNoteAreRefused) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"here", {100, 200, 0}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 sheetKey = mgr.StringFromRef(RSeRefBase(d.sheet));
    const std::vector<uint8_t> before = d.Bytes();
    const UTxString16 targets[] = {u"DLxGeneralNote#300,10", sheetKey};
    const UTxString16 lines[] = {
        u"EditGeneralNote GeneralNoteInstance=\"@\" String=\"x\"",
        u"ResizeGeneralNote GeneralNote=\"@\" NewUpperLeftPoint=(1,2,0) ResizeWidth=3 "
        u"ResizeHeight=4",
        u"RotateGeneralNote GeneralNote=\"@\" RotationDirection=true",
    };
    for (const UTxString16& target : targets)
        for (UTxString16 line : lines) {
            line.replace(line.find(u'@'), 1, target);
            SCOPED_TRACE(UTx::ToUtf8(line));
            EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), line).Failed());
            EXPECT_EQ(d.Bytes(), before);
        }
    const UTxResult r =
        d.doc->ProcessChangeRequest(new DLxGeneralNoteRequest({}, {0, 0, 0}, {}, {}, 0, {}));
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.GetCode(), kDLxErrNoteInput);
    EXPECT_EQ(d.Bytes(), before);
    mgr.ClearLines();
}

// Values no layout can place are refused before anything changes: text heights beyond any
// sheet, boxes far off it, sizes that are no sizes.
TEST(GeneralNoteRequest, ValuesNoLayoutCanPlaceAreRefused) {
    NoteTestDoc d;
    ASSERT_FALSE(d.Create(u"here", {100, 200, 0}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const std::vector<uint8_t> before = d.Bytes();
    const char16_t* create = u"CreateGeneralNote String=\"x\" NoteUpperLeftPoint=(1,2,0) "
                             u"NoteFixedWidth=0 NoteLowerRightPoint=(1,2,0) ";
    const UTxString16 lines[] = {
        create + UTxString16(u"String_Height=1e300"),
        UTxString16(u"CreateGeneralNote String=\"x\" NoteUpperLeftPoint=(1e7,2,0) "
                    u"NoteFixedWidth=0 NoteLowerRightPoint=(1,2,0)"),
        UTxString16(u"CreateGeneralNote String=\"x\" NoteUpperLeftPoint=(1,2,0) "
                    u"NoteFixedWidth=1e300 NoteLowerRightPoint=(1,2,0)"),
        UTxString16(u"EditGeneralNote GeneralNoteInstance=\"DLxGeneralNote#100,200\" "
                    u"String=\"x\" String_Height=20000"),
        UTxString16(u"ResizeGeneralNote GeneralNote=\"DLxGeneralNote#100,200\" "
                    u"NewUpperLeftPoint=(1,2,0) ResizeWidth=1e300 ResizeHeight=4"),
        UTxString16(u"ResizeGeneralNote GeneralNote=\"DLxGeneralNote#100,200\" "
                    u"NewUpperLeftPoint=(1,2,0) ResizeWidth=-3 ResizeHeight=4"),
    };
    for (const UTxString16& line : lines) {
        SCOPED_TRACE(UTx::ToUtf8(line));
        const UTxResult r = mgr.ReplayLine(d.doc.get(), line);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), kDLxErrNoteInput);
        EXPECT_EQ(d.Bytes(), before);
    }
    mgr.ClearLines();
}

} // namespace
