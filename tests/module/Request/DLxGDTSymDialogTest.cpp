// The feature control frame dialog as a user drives it: what it fills in from the frame, how
// pickers, the top text and the note move the frame's lines, the symbol buttons, symbol-font
// texts that come back unchanged, and OK and Cancel through the frame edit command.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Command/DLxGDTEditCmd.h"
#include "Leader/DLxGDTEditor.h"
#include "Command/DLxGDTSymDialog.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymText.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"

namespace {
using D = DLxGDTSymDialog;
using S = DLxGDTState;

struct Line {
    int code;
    const char16_t* tolA = u"";
    const char16_t* tolB = u"";
    const char16_t* datumA = u"";
    const char16_t* datumB = u"";
    const char16_t* datumC = u"";
    bool framed = true;
};

// An ISO drawing with one frame on a view edge, made by its create request.
struct FrameDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxGDTInstance* frame = nullptr;

    explicit FrameDoc(const std::vector<Line>& lines, const char16_t* datumId = u"") {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxViewInstance* view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        std::vector<UTxString16> fields{datumId};
        std::vector<bool> framed;
        for (const Line& l : lines) {
            fields.push_back(UTx::MakeWideString(std::to_string(l.code)));
            for (const char16_t* t : {l.tolA, l.tolB, l.datumA, l.datumB, l.datumC})
                fields.emplace_back(t);
            framed.push_back(l.framed);
        }
        const SmartPtr<DLxCreateGDTRequest> request = new DLxCreateGDTRequest(
            DLxIntent::OnEdge(view, 1, 0.5), {{200, 150, 0}, {220, 190, 0}}, 28029, true, false,
            fields, std::vector<int32_t>(fields.size(), 3), framed, {}, {});
        EXPECT_FALSE(doc->ProcessChangeRequest(request.get()).Failed());
        frame = request->GetInstance().get();
    }
    S* State() const { return frame->GetGDTState(); }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
    // A dialog open on the frame itself (the edit command gives it a copy).
    std::unique_ptr<D> Open() const {
        auto dlg = std::make_unique<D>(RSeRef<DLxGDTInstance>(frame), nullptr);
        EXPECT_TRUE(dlg->Create());
        return dlg;
    }
};

// Types text at the end of a field, as keys, and lets the dialog hear of it.
void Type(D& dlg, int32_t id, const std::u16string& text) {
    dlg.EditSetFocus(id);
    CGDTRichEditCtrl* e = dlg.Edit(id);
    e->SetSel(-1, -1);
    for (char16_t c : text) e->OnChar(c);
    dlg.EditChanged(id);
}

void ClearField(D& dlg, int32_t id) {
    dlg.EditSetFocus(id);
    dlg.Edit(id)->SetSel(0, -1);
    dlg.Edit(id)->OnChar(8);
    dlg.EditChanged(id);
}
} // namespace

TEST(GDTSymDialog, AFrameWithATextLineAboveOpensOnItsLines) {
    FrameDoc d({{0, u"2X", u"", u"", u"", u"", false},
                {5, u"0.1", u"", u"A", u"B"},
                {9, u"0.2", u"", u"C"},
                {0, u"NOTE", u"", u"", u"", u"", false}},
               u"D");
    auto dlg = d.Open();
    EXPECT_TRUE(dlg->IsTopLinePresent());
    EXPECT_EQ(dlg->Edit(D::kTopText)->Text(), u"2X");
    EXPECT_EQ(dlg->PickerSymbol(D::kPickers[0]), 5);
    EXPECT_EQ(dlg->PickerSymbol(D::kPickers[1]), 9);
    EXPECT_EQ(dlg->PickerSymbol(D::kPickers[2]), 0);
    EXPECT_EQ(dlg->Edit(D::kRowFields[0][3])->Text(), u"B");
    EXPECT_EQ(dlg->Edit(D::kRowFields[1][2])->Text(), u"C");
    EXPECT_EQ(dlg->Edit(D::kNoteText)->Text(), u"NOTE");
    EXPECT_TRUE(dlg->IsNotePresent());
    EXPECT_EQ(dlg->GetNoteLineIndex(), 3);
    // Fields open as the values allow: datum C of row 0 after A and B, the third row not at all.
    EXPECT_TRUE(dlg->Edit(D::kRowFields[0][4])->IsEnabled());
    EXPECT_FALSE(dlg->Edit(D::kRowFields[1][4])->IsEnabled());
    EXPECT_FALSE(dlg->Edit(D::kRowFields[2][0])->IsEnabled());
    // The first picker offers no "none"; the others start with it.
    EXPECT_NE(dlg->GetPicker(D::kPickers[0]).entries.front().code, 0);
    EXPECT_EQ(dlg->GetPicker(D::kPickers[1]).entries.front().bitmapId, D::kNoneBitmap);
    EXPECT_EQ(dlg->GetFocusedField(), D::kRowFields[0][0]);
    // Opening wrote nothing back.
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 3), u"NOTE");
    EXPECT_EQ(dlg->GetRefreshNotices(), 0);
}

TEST(GDTSymDialog, PickersAddAndDropFramedLines) {
    FrameDoc d({{5, u"0.1"}});
    auto dlg = d.Open();
    // The pickers of lines still to come can be used.
    EXPECT_TRUE(dlg->IsItemEnabled(D::kPickers[1]));
    // Picker 3 refuses a symbol while picker 2 shows none.
    dlg->ChooseSymbol(D::kPickers[2], 1);
    EXPECT_EQ(dlg->PickerSymbol(D::kPickers[2]), 0);
    EXPECT_EQ(d.State()->GetNumberOfLines(), 1);
    dlg->ChooseSymbol(D::kPickers[1], 2);
    dlg->ChooseSymbol(D::kPickers[2], 1);
    ASSERT_EQ(d.State()->GetNumberOfLines(), 3);
    EXPECT_EQ(d.State()->GetLineSymbolCode(2), 1);
    EXPECT_EQ(dlg->GetFocusedField(), D::kRowFields[2][0]);
    EXPECT_TRUE(dlg->Edit(D::kRowFields[2][0])->IsEnabled());
    // None in picker 2 clears picker 3 and the third line's symbol too.
    dlg->ChooseSymbol(D::kPickers[1], 0);
    EXPECT_EQ(dlg->PickerSymbol(D::kPickers[2]), 0);
    EXPECT_EQ(d.State()->GetLineSymbolCode(1), 0);
    EXPECT_EQ(d.State()->GetLineSymbolCode(2), 0);
    EXPECT_FALSE(dlg->Edit(D::kRowFields[1][0])->IsEnabled());
    dlg->ChooseSymbol(D::kPickers[0], 7);
    EXPECT_EQ(d.State()->GetLineSymbolCode(0), 7);
    EXPECT_EQ(dlg->GetRefreshNotices(), 4);
}

TEST(GDTSymDialog, ANoteGoesBelowTheLastFramedLineAndClearsWhatFollows) {
    FrameDoc d({{5, u"0.1"}, {9, u"0.2", u"", u"A"}, {2, u"0.3"}});
    auto dlg = d.Open();
    // Dropping the third line, then typing a note: it becomes line 2, unframed.
    dlg->ChooseSymbol(D::kPickers[2], 0);
    Type(*dlg, D::kNoteText, u"ALL OVER");
    EXPECT_EQ(dlg->GetNoteLineIndex(), 2);
    EXPECT_FALSE(d.State()->IsFramed(2));
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 2), u"ALL OVER");
    EXPECT_EQ(d.State()->GetLineSymbolCode(2), 0);
    EXPECT_EQ(d.State()->Value(S::kDatumA, 1), u"A");
    // Picking a symbol for that line again makes it a framed line with the note after it; its
    // tolerance is what its field shows.
    dlg->ChooseSymbol(D::kPickers[2], 3);
    EXPECT_TRUE(d.State()->IsFramed(2));
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 2), dlg->Edit(D::kRowFields[2][0])->Text());
    ASSERT_EQ(d.State()->GetNumberOfLines(), 4);
    EXPECT_FALSE(d.State()->IsFramed(3));
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 3), u"ALL OVER");
    // Emptying the note frames its line again.
    ClearField(*dlg, D::kNoteText);
    EXPECT_FALSE(dlg->IsNotePresent());
    EXPECT_TRUE(d.State()->IsFramed(3));
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 3), u"");
}

TEST(GDTSymDialog, ATextLineAboveShiftsTheFramedLinesAndBack) {
    FrameDoc d({{5, u"0.1", u"", u"A"}, {9, u"0.2"}});
    auto dlg = d.Open();
    Type(*dlg, D::kTopText, u"2X");
    S* s = d.State();
    EXPECT_TRUE(dlg->IsTopLinePresent());
    ASSERT_GE(s->GetNumberOfLines(), 3);
    EXPECT_FALSE(s->IsFramed(0));
    EXPECT_EQ(s->Value(S::kToleranceA, 0), u"2X");
    EXPECT_EQ(s->GetLineSymbolCode(0), 0);
    EXPECT_EQ(s->Value(S::kDatumA, 0), u"");
    EXPECT_EQ(s->GetLineSymbolCode(1), 5);
    EXPECT_EQ(s->Value(S::kDatumA, 1), u"A");
    EXPECT_EQ(s->GetLineSymbolCode(2), 9);
    EXPECT_EQ(s->Value(S::kToleranceA, 2), u"0.2");
    // Typing more stays on line 0; a change in row 0 lands on line 1 now.
    Type(*dlg, D::kTopText, u"0");
    EXPECT_EQ(s->Value(S::kToleranceA, 0), u"2X0");
    Type(*dlg, D::kRowFields[0][0], u"5");
    EXPECT_EQ(s->Value(S::kToleranceA, 1), u"0.15");
    // Emptying the top text moves everything back up.
    ClearField(*dlg, D::kTopText);
    EXPECT_FALSE(dlg->IsTopLinePresent());
    EXPECT_TRUE(s->IsFramed(0));
    EXPECT_EQ(s->GetLineSymbolCode(0), 5);
    EXPECT_EQ(s->Value(S::kToleranceA, 0), u"0.15");
    EXPECT_EQ(s->GetLineSymbolCode(1), 9);
    EXPECT_EQ(s->GetLineSymbolCode(2), 0);
}

TEST(GDTSymDialog, SymbolButtonsTypeTheStyleModifiersThenLetters) {
    FrameDoc d({{5, u"0.1"}});
    auto dlg = d.Open();
    // The first button is the first enabled modifier of the style, in the symbol font.
    DLxSymbolStdInfo::DLxSymbolDescs aux;
    d.State()->GetAuxiliarySymbolDescs(aux);
    int32_t firstEnabled = 0, enabled = 0;
    for (const auto& a : aux)
        if (a->m_enabled && !enabled++) firstEnabled = a->m_value;
    ASSERT_GT(enabled, 0);
    const D::SymbolButton& b0 = dlg->GetSymbolButton(D::kFirstSymbolButton);
    EXPECT_FALSE(b0.textMode);
    EXPECT_EQ(b0.text, DLxGDTSymbolGlyph(firstEnabled));
    const D::SymbolButton& letter = dlg->GetSymbolButton(D::kFirstSymbolButton + enabled);
    EXPECT_TRUE(letter.textMode);
    EXPECT_EQ(letter.text, u"A");

    dlg->EditSetFocus(D::kRowFields[0][0]);
    dlg->Edit(D::kRowFields[0][0])->SetSel(0, 0);
    dlg->ClickButton(D::kFirstSymbolButton);
    const std::u16string glyph = DLxGDTSymbolGlyph(firstEnabled);
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 0),
              u"{\\F" + std::u16string(kGDTSymbolFontFile) + u";" + glyph + u"}0.1");
    // A letter goes in the dialog's own font, as typed text.
    dlg->Edit(D::kRowFields[0][0])->SetSel(-1, -1);
    dlg->ClickButton(D::kFirstSymbolButton + enabled);
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 0).back(), u'A');
}

TEST(GDTSymDialog, EverySymbolComesBackUnchangedThroughTheFields) {
    for (int code = 1; code <= 30; ++code) {
        SCOPED_TRACE(code);
        FrameDoc d({{5, u""}});
        auto dlg = d.Open();
        const std::u16string glyph = DLxGDTSymbolGlyph(code);
        const char16_t ch = glyph.back();
        // Plain text around it, braces among it: only the symbol-font characters are wrapped.
        CGDTRichEditCtrl* e = dlg->Edit(D::kRowFields[0][0]);
        dlg->EditSetFocus(D::kRowFields[0][0]);
        e->SetSel(-1, -1);
        e->InsertText(u"{1", u"System", false, false, 0, CGDTRichEditCtrl::kDefaultCharset);
        e->InsertText(std::u16string(1, ch), kGDTSymbolFace, false, false, 0,
                      CGDTRichEditCtrl::kDefaultCharset);
        e->InsertText(u"}", u"System", false, false, 0, CGDTRichEditCtrl::kDefaultCharset);
        dlg->EditChanged(D::kRowFields[0][0]);
        const std::vector<DLxGDTTextChar> want{
            {u'{', false}, {u'1', false}, {ch, true}, {u'}', false}};
        EXPECT_EQ(DLxDecodeGDTText(d.State()->Value(S::kToleranceA, 0)), want);
        // Opened again, the field shows the same characters in the same fonts.
        auto again = d.Open();
        const auto& chars = again->Edit(D::kRowFields[0][0])->Chars();
        ASSERT_EQ(chars.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(chars[i].ch, want[i].ch);
            EXPECT_EQ(chars[i].format.face == kGDTSymbolFace, want[i].symbolFont);
        }
    }
}

TEST(GDTSymDialog, OkPostsOneEditThatReplaysToTheSameBytesAndCancelChangesNothing) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    FrameDoc d({{5, u"0.1", u"", u"A"}});
    FrameDoc replay({{5, u"0.1", u"", u"A"}});
    const std::vector<uint8_t> before = d.Bytes();
    ASSERT_EQ(before, replay.Bytes());

    DLxGDTEditCmd cmd(d.doc.get());
    cmd.SetInstance(d.frame);
    // Cancel after edits: the frame, its copy's edits and the transcript are left as they were.
    mgr.ClearLines();
    ASSERT_FALSE(cmd.Edit([](D& dlg) {
                        dlg.ChooseSymbol(D::kPickers[1], 2);
                        Type(dlg, D::kNoteText, u"NOTE");
                        dlg.ClickButton(D::kIdCancel);
                    })
                     .Failed());
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(mgr.GetLines().empty());

    // OK: one "CreateGDTSymbol" edit line.
    const UTxResult r = cmd.Edit([](D& dlg) {
        dlg.ChooseSymbol(D::kPickers[1], 2);
        Type(dlg, D::kRowFields[1][0], u"0.05");
        Type(dlg, D::kNoteText, u"NOTE");
        dlg.CheckDlgButton(D::kAllAround, true);
        dlg.ClickButton(D::kAllAround);
        dlg.ClickButton(D::kIdOK);
    });
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 line = mgr.GetLines()[0];
    EXPECT_EQ(line.rfind(u"CreateGDTSymbol ", 0), 0u);
    EXPECT_NE(line.find(u"Create=false"), UTxString16::npos);
    S* s = d.State();
    ASSERT_EQ(s->GetNumberOfLines(), 3) << UTx::ToUtf8(line);
    EXPECT_EQ(s->GetLineSymbolCode(1), 2);
    EXPECT_EQ(s->Value(S::kToleranceA, 1), u"0.05");
    EXPECT_FALSE(s->IsFramed(2));
    EXPECT_EQ(s->Value(S::kToleranceA, 2), u"NOTE");
    EXPECT_TRUE(d.frame->GetLeader(0)->GetAllAround());

    mgr.ClearLines();
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed());
    EXPECT_EQ(replay.Bytes(), d.Bytes());
    mgr.ClearLines();
    // Undo gives back the frame as it was.
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
    mgr.ClearLines();
}

// A double-click on a frame's text: the editor plays the same dialog through the dialog runner;
// OK edits the stored frame with one request, Cancel changes nothing, and another kind of
// symbol gets no dialog.
TEST(GDTSymDialog, TheFramesEditorEditsThroughTheDialogRunner) {
    FrameDoc d({{5, u"0.1", u"", u"A"}});
    const std::vector<uint8_t> before = d.Bytes();
    bool ok = false;
    UCxDialog::UserRunner previous = UCxDialog::SetUserRunner([&](UCxDialog& dialog) {
        auto& dlg = dynamic_cast<D&>(dialog);
        Type(dlg, D::kRowFields[0][0], u"5");
        dlg.ClickButton(ok ? D::kIdOK : D::kIdCancel);
    });
    DLxGDTEditor editor(RSeRef<DLxGDTInstance>(d.frame), nullptr, d.doc.get());
    EXPECT_TRUE(editor.StartDialog());
    EXPECT_EQ(d.Bytes(), before);
    ok = true;
    EXPECT_TRUE(editor.StartDialog());
    EXPECT_EQ(d.State()->Value(S::kToleranceA, 0), u"0.15");
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
    UCxDialog::SetUserRunner(std::move(previous));

    DLxGDTEditor none(RSeRef<DLxGDTInstance>(), nullptr, d.doc.get());
    EXPECT_FALSE(none.StartDialog());
}
