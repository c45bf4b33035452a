// Copy and paste of general notes through the clipboard, as the host routes them: copy puts
// the selected notes on the clipboard, paste starts the location command, and the click
// there pastes. Between two drawings, onto another sheet, after notes were deleted, with a
// block of another session; the paste's transcript line replays to the same bytes and undo
// gives the bytes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "COleDataObject.h"
#include "Clipboard.h"
#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "GeneralNote/DLxNoteLocationCmd.h"
#include "GlobalMemory.h"
#include "NoteTestDoc.h"
#include "Request/DLxPasteGeneralNoteRequest.h"
#include "dl/DLxCopyPasteGeneralNoteData.h"
#include "dl/DLxSheetInstanceSelection.h"
#include "du/DUxSymState.h"
#include "du/DUxTextStyle.h"
#include "fw/FWxClipboardRecords.h"
#include "fw/FWxCommand.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "sm/SMxDisplayItem.h"
#include "utx/UTxString16.h"

namespace {
constexpr double kDegree = 0.01745329251994;

struct PasteDoc : NoteTestDoc {
    PasteDoc() {
        AddCommands();
        WinClipboardResetForTests();
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    ~PasteDoc() { FWxUtil::GetTranscriptMgr().ClearLines(); }

    // The copy command's answer to `operation` for these selections; a rendered block goes
    // onto the clipboard as the host puts it there.
    bool Copy(const std::vector<SmartPtr<FWxSelection>>& selections,
              int32_t operation = FWxCopyRecord::kRender) {
        FWxSelectionSet set;
        for (const auto& s : selections) set.Add(s);
        FWxCopyRecord record;
        record.selectionSet = &set;
        record.operation = operation;
        const bool done =
            doc->OnCmdMsg(DLxCopyPasteGeneralNoteCmd::kCopyCommand, FWxCmd::kNotify, &record);
        EXPECT_EQ(record.handled, done);
        if (done && record.data) {
            EXPECT_EQ(record.format, uint16_t(RegisterClipboardFormatW(
                                         kDLxGeneralNoteClipboardFormat)));
            EXPECT_EQ(record.medium, FWxCopyRecord::kGlobalMedium);
            EXPECT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            EXPECT_TRUE(SetClipboardData(record.format, record.data));
            CloseClipboard();
        }
        return done;
    }
    bool CopyNotes(std::vector<DLxGeneralNote*> notes) {
        std::vector<SmartPtr<FWxSelection>> selections;
        for (DLxGeneralNote* n : notes)
            selections.emplace_back(new DLxGeneralNoteSelection(n, {}));
        return Copy(selections);
    }
    // The paste command's answer; `perform` false only asks.
    bool Paste(bool perform, FWxPasteRecord* out = nullptr,
               SmartPtr<FWxSelection> target = nullptr) {
        COleDataObject clip;
        clip.AttachClipboard();
        FWxPasteRecord record;
        record.dataObject = &clip;
        record.perform = perform;
        record.operation = FWxPasteRecord::kPaste;
        record.target = target;
        const bool done =
            doc->OnCmdMsg(DLxCopyPasteGeneralNoteCmd::kPasteCommand, FWxCmd::kNotify, &record);
        if (out) *out = record;
        return done;
    }
    // The user moves to `at` and clicks there while the location command runs.
    void ClickAt(WqGePoint3d at) {
        FWxDocStateCmd* cmd = doc->GetActiveCommand();
        ASSERT_TRUE(dynamic_cast<DLxNoteLocationCmd*>(cmd));
        FWxEvent e;
        e.point = at;
        cmd->GetResolver()->MouseMove(e);
        cmd->GetResolver()->LButtonDown(e);
        cmd->GetResolver()->LButtonUp(e);
        EXPECT_FALSE(doc->GetActiveCommand());
    }
    size_t NoteCount(DLxSheet* on = nullptr) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : (on ? on : sheet)->GetNodes())
            n += dynamic_cast<DLxGeneralNote*>(r.GetTarget()) != nullptr;
        return n;
    }
    DLxGeneralNote* NoteOn(DLxSheet* on, size_t i) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : on->GetNodes())
            if (auto* note = dynamic_cast<DLxGeneralNote*>(r.GetTarget()))
                if (n++ == i) return note;
        return nullptr;
    }
    DUxTextStyle* TextStyle(const UTxString16& name) const {
        return dynamic_cast<DUxTextStyle*>(
            doc->FindStyle(RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)), name));
    }
};

WqGeVector3d Offset(const DLxGeneralNote* a, const DLxGeneralNote* b) {
    return DLxPasteGeneralNoteRequest::ShownMinCorner(*b) -
           DLxPasteGeneralNoteRequest::ShownMinCorner(*a);
}

// Copy takes general notes and nothing else: a query leaves the clipboard alone, a render
// puts the notes' block on it; an empty selection, or one with anything but a note, is not
// copied by either.
TEST(GeneralNoteCopy, OnlyGeneralNotesAreCopied) {
    PasteDoc d;
    ASSERT_FALSE(d.Create(u"copied").Failed());
    SmartPtr<FWxSelection> note(new DLxGeneralNoteSelection(d.Note(), {}));
    SmartPtr<FWxSelection> sheet(new DLxSheetInstanceSelection(d.sheet));
    const uint32_t format = RegisterClipboardFormatW(kDLxGeneralNoteClipboardFormat);
    for (int32_t op : {FWxCopyRecord::kQuery, FWxCopyRecord::kRender}) {
        SCOPED_TRACE(op);
        EXPECT_FALSE(d.Copy({note, sheet}, op));
        EXPECT_FALSE(d.Copy({}, op));
    }
    EXPECT_FALSE(d.Copy({note}, 2));
    EXPECT_TRUE(d.Copy({note}, FWxCopyRecord::kQuery));
    EXPECT_FALSE(IsClipboardFormatAvailable(format));
    EXPECT_TRUE(d.Copy({note}, FWxCopyRecord::kRender));
    EXPECT_TRUE(IsClipboardFormatAvailable(format));
}

// Notes copied in one drawing paste into another where the user clicks: the first note's
// smallest corner on the click, the others where they lay from it, each with the text it had
// and with the destination's style of the same name. The source drawing does not change.
TEST(GeneralNotePaste, BetweenTwoDrawings) {
    PasteDoc src;
    PasteDoc dest; // made before the copy: a new test drawing starts with an empty clipboard
    ASSERT_FALSE(src.Create(u"first\\Psecond line", {100, 200, 0}).Failed());
    RSeRef<RDxString> text = NoteTestDoc::Text(u"styled", 1, 0);
    ASSERT_FALSE(src.doc
                     ->ProcessChangeRequest(new DLxGeneralNoteRequest(
                         text, {160, 150, 0}, RSeRef<DUxTextStyle>(src.TextStyle(u"ANSI")), {},
                         40, {200, 130, 0}))
                     .Failed());
    RSe::DeleteObject(text.get());
    const std::vector<uint8_t> srcBytes = src.Bytes();
    ASSERT_TRUE(src.CopyNotes({src.Note(0), src.Note(1)}));

    FWxPasteRecord asked;
    EXPECT_TRUE(dest.Paste(false, &asked));
    EXPECT_TRUE(asked.accepted);
    EXPECT_EQ(asked.queryEffect, FWxPasteRecord::kEffectCopy);
    EXPECT_EQ(dest.NoteCount(), 0u);
    ASSERT_TRUE(dest.Paste(true));
    const SmartPtr<DLxPasteGeneralNoteRequest>& parked =
        DLxCopyPasteGeneralNoteCmd::GetParkedRequest();
    ASSERT_TRUE(parked);
    EXPECT_TRUE(parked->IsAcrossDocuments());
    EXPECT_FALSE(parked->IsWithinDocument());
    dest.ClickAt({20, 40, 0});

    ASSERT_EQ(dest.NoteCount(), 2u);
    const DLxGeneralNote* a = dest.Note(0);
    const DLxGeneralNote* b = dest.Note(1);
    const WqGePoint3d corner = DLxPasteGeneralNoteRequest::ShownMinCorner(*a);
    EXPECT_NEAR(corner.x, 20, 1e-9);
    EXPECT_NEAR(corner.y, 40, 1e-9);
    const WqGeVector3d was = Offset(src.Note(0), src.Note(1)), is = Offset(a, b);
    EXPECT_NEAR(is.x, was.x, 1e-9);
    EXPECT_NEAR(is.y, was.y, 1e-9);
    EXPECT_EQ(a->GetStringData()->GetOriginalValue(), u"first\\Psecond line");
    EXPECT_EQ(b->GetStringData()->GetOriginalValue(), u"styled");
    EXPECT_EQ(b->GetStyleOverrides(), src.Note(1)->GetStyleOverrides());
    EXPECT_EQ(b->GetSymState()->GetStyle(), dest.TextStyle(u"ANSI"));
    EXPECT_EQ(a->GetSymState()->GetStyle(), nullptr);
    EXPECT_EQ(src.Bytes(), srcBytes);
}

// Pasted into the drawing it came from, onto another sheet named by the host: a paste within
// the document. Its transcript line replays on the drawing it started from to the same bytes,
// and undo gives back the bytes from before the paste.
TEST(GeneralNotePaste, WithinADrawingReplaysAndUndoes) {
    PasteDoc d;
    DLxSheet* second = d.doc->CreateSheet(u"Sheet 2", 420, 297);
    ASSERT_FALSE(d.Create(u"turned", {100, 200, 0}, 0, {}, 0, 0, 90 * kDegree).Failed());
    ASSERT_FALSE(d.Create(u"plain", {150, 100, 0}).Failed());
    // The drawing before the paste, as a replay builds it.
    const std::vector<UTxString16> before = FWxUtil::GetTranscriptMgr().GetLines();
    const std::vector<uint8_t> beforeBytes = d.Bytes();
    ASSERT_TRUE(d.CopyNotes({d.Note(0), d.Note(1)}));
    ASSERT_TRUE(d.Paste(true, nullptr, new DLxSheetInstanceSelection(second)));
    EXPECT_TRUE(DLxCopyPasteGeneralNoteCmd::GetParkedRequest()->IsWithinDocument());
    d.ClickAt({30, 30, 0});
    ASSERT_EQ(d.NoteCount(second), 2u);
    const WqGePoint3d corner = DLxPasteGeneralNoteRequest::ShownMinCorner(*d.NoteOn(second, 0));
    EXPECT_NEAR(corner.x, 30, 1e-9);
    EXPECT_NEAR(corner.y, 30, 1e-9);
    EXPECT_NEAR(d.NoteOn(second, 0)->GetStringData()->GetRotation(), 90 * kDegree, 1e-12);
    const std::vector<uint8_t> after = d.Bytes();

    const std::vector<UTxString16> lines = FWxUtil::GetTranscriptMgr().GetLines();
    ASSERT_EQ(lines.size(), before.size() + 1);
    const std::string paste = UTx::ToUtf8(lines.back());
    EXPECT_EQ(paste.rfind("PasteGeneralNote SrcSheet=", 0), 0u) << paste;
    for (const char* key : {"DestSheet=", "AcrossDoc=false", "WithinDoc=true",
                            "LocationSpecified=true", "AnchorPt=(30.0,30.0,0.0)", "SrcNotes_Count=2",
                            "SrcNotes_0=", "SrcNotes_1="})
        EXPECT_NE(paste.find(key), std::string::npos) << key << " in " << paste;

    PasteDoc replay;
    replay.doc->CreateSheet(u"Sheet 2", 420, 297);
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), after);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), beforeBytes);
    while (d.doc->CanUndo()) ASSERT_FALSE(d.doc->Undo().Failed());
    NoteTestDoc empty;
    empty.doc->CreateSheet(u"Sheet 2", 420, 297);
    EXPECT_EQ(d.Bytes(), empty.Bytes());
}

// Notes deleted since the copy are left out of the paste; with none left the paste is
// refused, and so is a block another session wrote, even under the right format.
TEST(GeneralNotePaste, GoneNotesAndOtherSessionsAreRefused) {
    PasteDoc d;
    ASSERT_FALSE(d.Create(u"kept").Failed());
    ASSERT_FALSE(d.Create(u"undone", {20, 20, 0}).Failed());
    ASSERT_TRUE(d.CopyNotes({d.Note(0), d.Note(1)}));
    ASSERT_FALSE(d.doc->Undo().Failed());
    ASSERT_TRUE(d.Paste(true));
    EXPECT_EQ(DLxCopyPasteGeneralNoteCmd::GetParkedRequest()->GetSourceNotes().size(), 1u);
    d.doc->TerminateActiveContext(FWxStateCode::kEnd);
    ASSERT_FALSE(d.doc->Undo().Failed());
    FWxPasteRecord record;
    EXPECT_FALSE(d.Paste(false, &record));
    EXPECT_FALSE(record.accepted);

    ASSERT_FALSE(d.doc->Redo().Failed());
    ASSERT_TRUE(d.CopyNotes({d.Note(0)}));
    EXPECT_TRUE(d.Paste(false));
    // The same block with another session's token.
    const uint32_t format = RegisterClipboardFormatW(kDLxGeneralNoteClipboardFormat);
    COleDataObject clip;
    clip.AttachClipboard();
    HGLOBAL block = clip.GetGlobalData(format);
    ASSERT_TRUE(block);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
    bytes[DLxCopyPasteGeneralNoteData::kSessionOffset] ^= 0x5A;
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardData(format, block));
    CloseClipboard();
    EXPECT_FALSE(d.Paste(false));
    EXPECT_FALSE(d.Paste(true));
}

// While the user looks for the place, one outline per note follows the cursor: the first
// with its smallest corner on it, the next where it lay from the first. The cancel entry ends
// the command and the drawing stays as it was.
TEST(GeneralNotePaste, ThePreviewFollowsTheCursorAndCancelChangesNothing) {
    PasteDoc d;
    ASSERT_FALSE(d.Create(u"abc", {100, 200, 0}, 30, {130, 180, 0}).Failed());
    ASSERT_FALSE(d.Create(u"de", {150, 100, 0}, 20, {170, 90, 0}).Failed());
    const std::vector<uint8_t> before = d.Bytes();
    ASSERT_TRUE(d.CopyNotes({d.Note(0), d.Note(1)}));
    ASSERT_TRUE(d.Paste(true));
    auto* cmd = dynamic_cast<DLxNoteLocationCmd*>(d.doc->GetActiveCommand());
    ASSERT_TRUE(cmd);
    FWxEvent e;
    e.point = {10, 20, 0};
    cmd->GetResolver()->MouseMove(e);
    auto* target = &cmd->GetState().GetChild()->GetTarget();
    const SMxDisplayList& preview = target->GetPreview().GetDisplayList();
    ASSERT_EQ(preview.Count(), 8);
    BBox first = preview.GetAt(0).GetBBox();
    BBox second = preview.GetAt(4).GetBBox();
    for (int i = 1; i < 4; ++i) {
        first.extend(preview.GetAt(i).GetBBox());
        second.extend(preview.GetAt(4 + i).GetBBox());
    }
    EXPECT_NEAR(first.min.x, 10, 1e-9);
    EXPECT_NEAR(first.min.y, 20, 1e-9);
    EXPECT_NEAR(first.max.x, 40, 1e-9);
    EXPECT_NEAR(first.max.y, 40, 1e-9);
    EXPECT_NEAR(second.min.x, 60, 1e-9);
    EXPECT_NEAR(second.min.y, -70, 1e-9);
    EXPECT_NEAR(second.max.x, 80, 1e-9);
    EXPECT_TRUE(d.doc->OnCmdMsg(DLxNoteLocationCmd::kCancelCommand, FWxCmd::kCommand, nullptr));
    EXPECT_FALSE(d.doc->GetActiveCommand());
    EXPECT_EQ(d.Bytes(), before);
}

// The location command started with no paste waiting, or with one parked for a drawing that
// has since been closed, places nothing where the user clicks.
TEST(GeneralNotePaste, AClickWithoutAPasteForThisDrawingPlacesNothing) {
    PasteDoc d;
    {
        PasteDoc closed;
        ASSERT_FALSE(closed.Create(u"gone").Failed());
        ASSERT_TRUE(closed.CopyNotes({closed.Note()}));
        ASSERT_TRUE(closed.Paste(true));
        closed.doc->TerminateActiveContext(FWxStateCode::kEnd);
    }
    const std::vector<uint8_t> before = d.Bytes();
    for (bool parked : {true, false}) {
        SCOPED_TRACE(parked);
        if (!parked) DLxCopyPasteGeneralNoteCmd::ParkRequest(nullptr);
        ASSERT_TRUE(d.doc->RunCommand(DLxNoteLocationCmd::kCommandId));
        d.ClickAt({10, 10, 0});
        EXPECT_EQ(d.Bytes(), before);
    }
}

// A replayed paste whose notes or sheets name nothing or something else, or whose flags say
// the notes came from another drawing that is not open, is refused and changes nothing;
// seventeen notes number their keys in hexadecimal.
TEST(GeneralNotePaste, ReplayedPastesWithoutTheirTargetsAreRefused) {
    PasteDoc d;
    ASSERT_FALSE(d.Create(u"only").Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    SmartPtr<DLxPasteGeneralNoteRequest> many(new DLxPasteGeneralNoteRequest());
    many->SetSourceSheet(RSeRef<DLxSheet>(d.sheet));
    many->SetDestinationSheet(RSeRef<DLxSheet>(d.sheet));
    many->SetSourceNotes(
        std::vector<RSeRef<DLxGeneralNote>>(17, RSeRef<DLxGeneralNote>(d.Note())));
    many->SetAcrossDocuments(false);
    many->SetAnchorPoint({0, 300, 0});
    mgr.ClearLines();
    ASSERT_FALSE(d.doc->ProcessChangeRequest(many).Failed());
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 written = mgr.GetLines()[0];
    const std::string text = UTx::ToUtf8(written);
    for (const char* key : {"SrcNotes_Count=17 ", "SrcNotes_f=", "SrcNotes_10="})
        EXPECT_NE(text.find(key), std::string::npos) << key;
    ASSERT_FALSE(d.doc->Undo().Failed());
    const std::vector<uint8_t> before = d.Bytes();

    // The values as the line writes them.
    auto value = [&](const UTxString16& key) {
        const size_t at = written.find(key) + key.size();
        // A quoted value may hold spaces.
        const size_t end = written[at] == u'"' ? written.find(u'"', at + 1) + 1
                                               : written.find(u' ', at);
        return written.substr(at, end - at);
    };
    const UTxString16 sheet = value(u"SrcSheet="), note = value(u"SrcNotes_0=");
    auto replaced = [&](UTxString16 line, const UTxString16& from, const UTxString16& to) {
        for (size_t at = line.find(from); at != UTxString16::npos; at = line.find(from, at + to.size()))
            line.replace(at, from.size(), to);
        return line;
    };
    const UTxString16 lines[] = {
        replaced(written, u"SrcNotes_a=" + note, u"SrcNotes_a=" + sheet), // not a note
        replaced(written, u"SrcSheet=" + sheet, u"SrcSheet=" + note),     // not a sheet
        replaced(replaced(written, u"AcrossDoc=false", u"AcrossDoc=true"), u"WithinDoc=true",
                 u"WithinDoc=false"), // from a drawing that is not open
    };
    for (const UTxString16& l : lines) {
        SCOPED_TRACE(UTx::ToUtf8(l));
        ASSERT_NE(l, written);
        EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), l).Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
    // No note where the key says.
    PasteDoc bare;
    EXPECT_TRUE(mgr.ReplayLine(bare.doc.get(), written).Failed());
    EXPECT_EQ(bare.NoteCount(), 0u);
    ASSERT_FALSE(mgr.ReplayLine(d.doc.get(), written).Failed());
    EXPECT_EQ(d.NoteCount(), 18u);
}

} // namespace
