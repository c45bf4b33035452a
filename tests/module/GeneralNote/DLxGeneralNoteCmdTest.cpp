// The note commands as a user drives them: the placement command's click or drag and its
// text-format dialog, the grid snap of its points, and the context commands of a selected
// note. A dialog that is cancelled, or confirmed without a text, changes nothing.
#include <gtest/gtest.h>

#include <functional>

#include "GeneralNote/DLxGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "NoteTestDoc.h"
#include "WinMessageBox.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxSketchPreferences.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "uc/UCxTextFormater.h"

namespace {
constexpr double kDegree = 0.01745329251994;

// What the user does in the text-format dialog: types `text` and confirms, or cancels.
struct Typing {
    CDialog::ModalRunner before;
    int32_t runs = 0;
    Typing(const UTxString16& text, bool ok, std::function<void(UCxTextFormater&)> more = {}) {
        before = CDialog::SetModalRunner([this, text, ok, more](CDialog& dlg) {
            ++runs;
            auto& f = dynamic_cast<UCxTextFormater&>(dlg);
            f.SetFormattedText(text);
            if (more) more(f);
            if (ok)
                f.OnOK();
            else
                f.OnCancel();
        });
    }
    ~Typing() { CDialog::SetModalRunner(before); }
};

struct CmdDoc : NoteTestDoc {
    CmdDoc() {
        AddCommands();
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    ~CmdDoc() {
        FWxUtil::GetTranscriptMgr().ClearLines();
        FWxSketchPreferences::SetGridSnap(false, 0, 0);
    }
    // The placement command: press at `from`, release at `to`; a release elsewhere is a drag.
    void Place(WqGePoint3d from, WqGePoint3d to) {
        ASSERT_TRUE(doc->RunCommand(DLxGeneralNoteCmd::kCommandId));
        FWxDocStateCmd* cmd = doc->GetActiveCommand();
        ASSERT_TRUE(dynamic_cast<DLxGeneralNoteCmd*>(cmd));
        FWxEvent e;
        e.point = from;
        cmd->GetResolver()->MouseMove(e);
        cmd->GetResolver()->LButtonDown(e);
        e.point = to;
        e.buttons = from == to ? 0 : 1;
        cmd->GetResolver()->MouseMove(e);
        cmd->GetResolver()->LButtonUp(e);
        EXPECT_FALSE(doc->GetActiveCommand());
    }
    void Select(DLxGeneralNote* note) {
        FWxSelectionSet* draw = FWxSelectionSetMgr::Get(doc.get())->GetDrawSelectionSet();
        draw->RemoveAll();
        draw->Add(new DLxGeneralNoteSelection(note, {}));
    }
};

// A click places a note whose upper-left corner is the click, sized to its text; the dialog
// offers the drawing's text heights with the style's as the default.
TEST(GeneralNoteCmd, AClickPlacesANoteThere) {
    CmdDoc d;
    Typing typing(u"Placed", true, [](UCxTextFormater& f) {
        EXPECT_FALSE(f.GetHeightTexts().empty());
        EXPECT_FALSE(f.GetDefaultHeightText().empty());
        EXPECT_LE(f.GetFixedWidth(), 0.0);
    });
    d.Place({50, 60, 0}, {50, 60, 0});
    EXPECT_EQ(typing.runs, 1);
    DLxGeneralNote* note = d.Note();
    ASSERT_TRUE(note);
    EXPECT_EQ(note->GetStringData()->GetOriginalValue(), u"Placed");
    EXPECT_FALSE(note->IsFixedWidth());
    const BBox box = NoteTestDoc::Box(note);
    EXPECT_DOUBLE_EQ(box.min.x, 50);
    EXPECT_DOUBLE_EQ(box.max.y, 60);
    ASSERT_EQ(FWxUtil::GetTranscriptMgr().GetLines().size(), 1u);
}

// A drag sets the note's box: its width is fixed when wider than half a unit, and the box is
// the same whichever corner the drag starts from.
TEST(GeneralNoteCmd, ADragFixesTheWidth) {
    struct Case {
        WqGePoint3d from, to;
        bool fixed;
        double x0, x1, yTop;
    };
    const Case cases[] = {
        {{10, 100, 0}, {70, 80, 0}, true, 10, 70, 100},
        {{70, 80, 0}, {10, 100, 0}, true, 10, 70, 100},
        {{10, 100, 0}, {10.6, 80, 0}, true, 10, 10.6, 100},
        {{10, 100, 0}, {10.5, 80, 0}, false, 10, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.to.x);
        CmdDoc d;
        Typing typing(u"dragged", true);
        d.Place(c.from, c.to);
        DLxGeneralNote* note = d.Note();
        ASSERT_TRUE(note);
        EXPECT_EQ(note->IsFixedWidth(), c.fixed);
        const BBox box = NoteTestDoc::Box(note);
        EXPECT_DOUBLE_EQ(box.min.x, c.x0);
        EXPECT_DOUBLE_EQ(box.max.y, c.yTop);
        if (c.fixed) {
            EXPECT_NEAR(box.max.x, c.x1, 1e-12);
        }
    }
}

// Cancel in the dialog, or OK with no text, makes no request: the drawing keeps its bytes and
// the transcript stays empty.
TEST(GeneralNoteCmd, ACancelledOrEmptyDialogChangesNothing) {
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        CmdDoc d;
        const std::vector<uint8_t> before = d.Bytes();
        Typing typing(ok ? u"" : u"not wanted", ok);
        d.Place({50, 60, 0}, {80, 40, 0});
        EXPECT_EQ(typing.runs, 1);
        EXPECT_EQ(d.Bytes(), before);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
    }
}

// With the grid snap on, a point goes to the nearer grid line, also on the negative side; a
// placed note's corner lies on the grid.
TEST(GeneralNoteCmd, PointsSnapToTheSketchGrid) {
    struct Case {
        double x, want;
    };
    for (const Case& c : {Case{-2.9, -2}, Case{-3.1, -4}, Case{2.9, 2}, Case{3.1, 4},
                          Case{3.0, 2}, Case{0.4, 0}}) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(DLxTextCmdTarget::SnapToGrid({c.x, c.x, 0}, 2, 2).x, c.want);
    }
    CmdDoc d;
    FWxSketchPreferences::SetGridSnap(true, 5, 5);
    Typing typing(u"snapped", true);
    d.Place({51.5, 63, 0}, {51.5, 63, 0});
    const BBox box = NoteTestDoc::Box(d.Note());
    EXPECT_DOUBLE_EQ(box.min.x, 50);
    EXPECT_DOUBLE_EQ(box.max.y, 65);
}

// The context commands of a selected note: the edit opens its text and writes what is typed,
// cancel keeps it; the quarter turns turn it either way. Without a selected note they do
// nothing.
TEST(GeneralNoteCmd, TheContextCommandsEditAndTurnTheSelectedNote) {
    CmdDoc d;
    ASSERT_FALSE(d.Create(u"original").Failed());
    DLxGeneralNote* note = d.Note();
    {
        Typing typing(u"ignored", true);
        EXPECT_TRUE(d.doc->RunCommand(DLxGeneralNoteTextEditCmd::kEditCommand));
        EXPECT_EQ(typing.runs, 0);
    }
    d.Select(note);
    {
        Typing typing(u"dropped", false);
        d.doc->RunCommand(DLxGeneralNoteTextEditCmd::kEditCommand);
        EXPECT_EQ(note->GetStringData()->GetOriginalValue(), u"original");
    }
    {
        Typing typing(u"edited", true, [](UCxTextFormater& f) { f.SetJustification(2, 0); });
        d.doc->RunCommand(DLxGeneralNoteTextEditCmd::kEditCommand);
        EXPECT_EQ(typing.runs, 1);
    }
    EXPECT_EQ(note->GetStringData()->GetOriginalValue(), u"edited");
    EXPECT_EQ(note->GetStringData()->GetHorizontalJustification(), 2);
    d.doc->RunCommand(DLxGeneralNoteTextEditCmd::kRotateClockwiseCommand);
    EXPECT_NEAR(note->GetStringData()->GetRotation() / kDegree, 270, 1e-4);
    d.doc->RunCommand(DLxGeneralNoteTextEditCmd::kRotateCounterClockwiseCommand);
    EXPECT_NEAR(note->GetStringData()->GetRotation(), 0, 1e-12);
}

// The placement command keeps its selection set while it runs and ends at its cancel entry
// without a note.
TEST(GeneralNoteCmd, TheCancelEntryEndsThePlacement) {
    CmdDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(d.doc.get());
    ASSERT_TRUE(d.doc->RunCommand(DLxGeneralNoteCmd::kCommandId));
    ASSERT_TRUE(d.doc->GetActiveCommand());
    EXPECT_TRUE(sets->Find(DLxTextCmdState::kSelectionSetName));
    EXPECT_TRUE(d.doc->RunCommand(DLxGeneralNoteCmd::kCancelCommand));
    EXPECT_FALSE(d.doc->GetActiveCommand());
    EXPECT_FALSE(sets->Find(DLxTextCmdState::kSelectionSetName));
    EXPECT_EQ(d.Bytes(), before);
}

} // namespace
