// Dragging a general note: the pick decides between a reshape from one of the eight handles
// and a move; the drag ends in one resize request, which the tests run in the drawing and read
// back from the note's box.
#include <gtest/gtest.h>

#include <cmath>

#include "GeneralNote/DLxGeneralNoteFilter.h"
#include "GeneralNote/DLxGeneralNoteManipulator.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "NoteTestDoc.h"
#include "dl/DLxSheetInstanceSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTextFormater.h"

namespace {
constexpr double kDegree = 0.01745329251994;

// A note whose box is 50 by 20 with its upper-left corner at (100, 200): room for its line.
struct BoxDoc : NoteTestDoc {
    DLxGeneralNote* note = nullptr;
    explicit BoxDoc(double rotation = 0.0) {
        EXPECT_FALSE(
            Create(u"box", {100, 200, 0}, 50, {150, 180, 0}, 0, 0, rotation).Failed());
        note = Note();
    }
    // A drag of `handle` from `from` to `to`, run in the drawing.
    UTxResult Drag(int32_t handle, WqGePoint3d from, WqGePoint3d to, bool several = false) {
        DLxGeneralNoteManipulator m(RSeRef<DLxGeneralNote>(note), handle,
                                    DLxManipulator::kClassHotPoint, nullptr);
        m.SetMultipleSelections(several);
        EXPECT_TRUE(m.StartDrag(from));
        EXPECT_TRUE(m.Drag({(from.x + to.x) / 2, (from.y + to.y) / 2, 0}));
        EXPECT_TRUE(m.EndDrag(to));
        EXPECT_TRUE(m.GetRequest());
        return m.ProcessRequest(doc.get());
    }
};

void ExpectBox(const BBox& box, double x0, double y0, double x1, double y1) {
    EXPECT_NEAR(box.min.x, x0, 1e-9);
    EXPECT_NEAR(box.min.y, y0, 1e-9);
    EXPECT_NEAR(box.max.x, x1, 1e-9);
    EXPECT_NEAR(box.max.y, y1, 1e-9);
}

// Each handle reshapes its own edges; the others stay. A corner pulled over the opposite one
// turns the box inside out, and the request still carries the true upper-left corner and a
// positive size. A move keeps the size.
TEST(GeneralNoteManipulator, EachHandleReshapesItsEdgesOnly) {
    struct Case {
        int32_t handle;
        WqGePoint3d from, to;
        double x0, y0, x1, y1; // the box after the drag
    };
    const Case cases[] = {
        {5, {150, 190, 0}, {170, 195, 0}, 100, 180, 170, 200}, // right side: width only
        {1, {100, 190, 0}, {90, 150, 0}, 90, 180, 150, 200},   // left side
        {3, {125, 200, 0}, {0, 210, 0}, 100, 180, 150, 210},   // top side: height only
        {7, {125, 180, 0}, {125, 170, 0}, 100, 170, 150, 200}, // bottom side
        {4, {150, 200, 0}, {160, 205, 0}, 100, 180, 160, 205}, // maximum corner
        {2, {100, 200, 0}, {90, 205, 0}, 90, 180, 150, 205},   // corner (x0, y1)
        {6, {150, 180, 0}, {160, 170, 0}, 100, 170, 160, 200}, // corner (x1, y0)
        {0, {100, 180, 0}, {170, 210, 0}, 150, 200, 170, 210}, // minimum corner, flipped over
        {8, {120, 190, 0}, {130, 180, 0}, 110, 170, 160, 190}, // a move
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        BoxDoc d;
        ASSERT_FALSE(d.Drag(c.handle, c.from, c.to).Failed());
        ExpectBox(NoteTestDoc::Box(d.note), c.x0, c.y0, c.x1, c.y1);
    }
}

// With several objects dragged together every handle moves the note, and shows the move's
// cursor and prompt.
TEST(GeneralNoteManipulator, SeveralSelectedObjectsOnlyMove) {
    BoxDoc d;
    ASSERT_FALSE(d.Drag(5, {150, 190, 0}, {160, 185, 0}, true).Failed());
    ExpectBox(NoteTestDoc::Box(d.note), 110, 175, 160, 195);
    DLxGeneralNoteManipulator m(RSeRef<DLxGeneralNote>(d.note), 4, 1, nullptr);
    m.SetMultipleSelections(true);
    EXPECT_EQ(m.GetHandle(), DLxGeneralNoteManipulator::kMoveHandle);
    EXPECT_EQ(m.GetPromptCursor(), DLxGeneralNoteManipulator::kMoveCursor);
    EXPECT_EQ(m.GetPromptText(), DLxGeneralNoteManipulator::kMovePrompt);
}

// A note turned a quarter is reshaped in its turned frame: its right side now points up, and
// pulling it up widens the box while the anchored corner stays.
TEST(GeneralNoteManipulator, ATurnedNoteIsReshapedInItsFrame) {
    BoxDoc d(90 * kDegree);
    ASSERT_FALSE(d.Drag(5, {120, 250, 0}, {125, 260, 0}).Failed());
    ExpectBox(NoteTestDoc::Box(d.note), 100, 180, 160, 200);
    EXPECT_NEAR(d.note->GetStringData()->GetRotation(), 90 * kDegree, 1e-12);
}

// The cursor turns with the note: each 45 degrees moves every handle one cursor on, and a
// negative turn shows what the turn half a circle on shows.
TEST(GeneralNoteManipulator, CursorsFollowTheTurn) {
    struct Case {
        double degrees;
        int32_t handle;
        int32_t cursor;
    };
    const Case cases[] = {
        {0, 5, 30986},   {0, 1, 30986},  {0, 4, 30984},  {0, 0, 30984},  {0, 3, 30985},
        {0, 7, 30985},   {0, 2, 30983},  {0, 6, 30983},  {45, 5, 30984}, {-45, 5, 30983},
        {135, 5, 30983}, {90, 5, 30985}, {0, 8, 30987},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.degrees << " degrees, handle " << c.handle);
        BoxDoc d(c.degrees * kDegree);
        DLxGeneralNoteManipulator m(RSeRef<DLxGeneralNote>(d.note), c.handle, 1, nullptr);
        EXPECT_EQ(m.GetPromptCursor(), c.cursor);
    }
}

// A drag that is cancelled attaches no request and leaves the drawing's bytes alone; its
// preview is gone.
TEST(GeneralNoteManipulator, ACancelledDragChangesNothing) {
    BoxDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    DLxGeneralNoteManipulator m(RSeRef<DLxGeneralNote>(d.note), 4, 1, nullptr);
    ASSERT_TRUE(m.StartDrag({150, 200, 0}));
    ASSERT_TRUE(m.Drag({170, 220, 0}));
    EXPECT_EQ(m.GetPreview().GetDisplayList().Count(), 4);
    m.CancelDrag();
    EXPECT_FALSE(m.GetRequest());
    EXPECT_TRUE(m.GetPreview().GetDisplayList().IsEmpty());
    EXPECT_FALSE(m.Drag({180, 230, 0}));
    EXPECT_FALSE(m.ProcessRequest(d.doc.get()).Failed());
    EXPECT_EQ(d.Bytes(), before);
}

// While the drawing permits no edits (a change still running, say) a drag does not start and a
// double-click opens nothing.
TEST(GeneralNoteManipulator, NoDragWhereTheDrawingPermitsNoEdit) {
    struct LockedDoc : DLxDrawingDoc {
        bool locked = false;
        bool PermittedCommand(int32_t c) const override {
            return !locked && DLxDrawingDoc::PermittedCommand(c);
        }
    };
    NoteTestDoc d;
    auto* locked = new LockedDoc();
    d.doc.reset(locked);
    d.doc->GetDrawing()->SetStandardName(u"ISO");
    d.sheet = d.doc->CreateSheet(u"Sheet 1", 420, 297);
    DLxStdStyles::AddDocumentStyles(d.doc.get());
    d.AddCommands();
    ASSERT_FALSE(d.Create(u"locked", {100, 200, 0}, 50, {150, 180, 0}).Failed());
    DLxGeneralNote* note = d.Note();
    FWxSelectionSetMgr::Get(d.doc.get())
        ->GetDrawSelectionSet()
        ->Add(new DLxGeneralNoteSelection(note, {}));
    locked->locked = true;
    DLxGeneralNoteManipulator m(RSeRef<DLxGeneralNote>(note), 4, 1, nullptr);
    EXPECT_FALSE(m.StartDrag({150, 200, 0}));
    EXPECT_FALSE(m.Drag({160, 210, 0}));
    EXPECT_FALSE(m.EndDrag({160, 210, 0}));
    EXPECT_TRUE(m.GetPreview().GetDisplayList().IsEmpty());
    int32_t runs = 0;
    CDialog::ModalRunner before = CDialog::SetModalRunner([&](CDialog&) { ++runs; });
    EXPECT_TRUE(m.StartDialog());
    CDialog::SetModalRunner(before);
    EXPECT_EQ(runs, 0);
    FWxUtil::GetTranscriptMgr().ClearLines();
}

// A pick on a hot point reshapes from it (class 1); anywhere else on the note it moves it
// (class 5). Two picks of one note are equal, picks of two notes are not, and a disabled
// filter picks nothing.
TEST(GeneralNotePicking, APickOnAHandleReshapesElsewhereItMoves) {
    BoxDoc d;
    ASSERT_FALSE(d.Create(u"other", {10, 50, 0}).Failed());
    DLxGeneralNoteFilter filter(DLxGeneralNoteFilter::ESubType(1));
    struct Case {
        WqGePoint3d at;
        int32_t handle;
        int32_t cls;
    };
    const Case cases[] = {
        {{150.3, 200.2, 0}, 4, 1}, {{99.5, 180.4, 0}, 0, 1}, {{125, 199.6, 0}, 3, 1},
        {{150, 190.5, 0}, 5, 1},   {{120, 190, 0}, 8, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        SmartPtr<FWxSelection> sel = filter.Select(*d.note, c.at);
        auto* picked = dynamic_cast<DLxGeneralNoteSelection*>(sel.get());
        ASSERT_TRUE(picked);
        ASSERT_TRUE(picked->GetManipulator());
        EXPECT_EQ(picked->GetManipulator()->GetHandle(), c.handle);
        EXPECT_EQ(picked->Classify(), c.cls);
    }
    SmartPtr<FWxSelection> a = filter.Select(*d.note, {120, 190, 0});
    SmartPtr<FWxSelection> b = filter.Select(*d.note, {150, 200, 0});
    SmartPtr<FWxSelection> other = filter.Select(*d.Note(1), {12, 48, 0});
    DLxSheetInstanceSelection sheet(d.sheet);
    auto* sa = static_cast<DLxGeneralNoteSelection*>(a.get());
    EXPECT_TRUE(sa->IsEqual(b.get()));
    EXPECT_FALSE(sa->IsEqual(other.get()));
    EXPECT_FALSE(sa->IsEqual(&sheet));
    EXPECT_FALSE(sa->BoundingBox().isEmpty());
    // The highlight is drawn over a copy: the note's own list stays as it is.
    SMxDisplayList lit;
    ASSERT_TRUE(sa->Draw(lit, true));
    ASSERT_EQ(lit.GetAttributes().size(), d.note->GetSheetDisplayList()->GetAttributes().size() + 1);
    EXPECT_EQ(lit.GetAttributes().back().source, SMxAttributes::kHighlight);
    EXPECT_EQ(lit.Count(), d.note->GetSheetDisplayList()->Count());
    ASSERT_TRUE(sa->Draw(lit, false));
    EXPECT_EQ(lit.GetAttributes().size(), d.note->GetSheetDisplayList()->GetAttributes().size());
    filter.SetEnabled(false);
    EXPECT_FALSE(filter.Select(*d.note, {120, 190, 0}));
}

// A double-click on a picked note opens its text in the text-format dialog; what is typed
// there goes to the note.
TEST(GeneralNotePicking, ADoubleClickEditsTheText) {
    BoxDoc d;
    d.AddCommands();
    DLxGeneralNoteFilter filter(DLxGeneralNoteFilter::ESubType(1));
    SmartPtr<FWxSelection> sel = filter.Select(*d.note, {120, 190, 0});
    FWxSelectionSetMgr::Get(d.doc.get())->GetDrawSelectionSet()->Add(sel);
    CDialog::ModalRunner before = CDialog::SetModalRunner([](CDialog& dlg) {
        auto& f = dynamic_cast<UCxTextFormater&>(dlg);
        EXPECT_EQ(f.GetFormattedText(), u"box");
        f.SetFormattedText(u"edited");
        f.OnOK();
    });
    EXPECT_TRUE(static_cast<DLxGeneralNoteSelection*>(sel.get())->GetManipulator()->StartDialog());
    CDialog::SetModalRunner(before);
    EXPECT_EQ(d.note->GetStringData()->GetOriginalValue(), u"edited");
    FWxUtil::GetTranscriptMgr().ClearLines();
}

} // namespace
