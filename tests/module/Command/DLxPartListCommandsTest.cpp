// The commands on a placed parts list, driven as a user would: the parts list selected, the
// menu entry asked and chosen, the questions answered, the editor and dialogs played by a modal
// runner; what reaches the document is checked in its saved bytes and its journal.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxCPartslistEditor.h"
#include "BofM/DLxExportDialog.h"
#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListConvertToBomCmd.h"
#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxPartListExportCmd.h"
#include "BofM/DLxPartListPushbackIDsCmd.h"
#include "BofM/DLxPartListUpdateCmd.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "CDialog.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxPartListEditRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinMessageBox.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxSheet.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A drawing of the bracket assembly with one parts list on its first sheet, and the module's
// commands.
struct PartListDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet1 = nullptr;
    DLxSheet* sheet2 = nullptr;
    RSeRef<DLxPartListTable> table;

    explicit PartListDoc(const DLxAssemblyData& model = KorvuBOM::BracketAssembly()) {
        EXPECT_TRUE(doc->SetAssembly(model));
        sheet1 = doc->CreateSheet(u"Sheet 1", 420, 297);
        sheet2 = doc->CreateSheet(u"Sheet 2", 420, 297);
        sheet1->CreateView(u"Front");
        DLxStdStyles::AddDocumentStyles(doc.get());
        doc->SetActiveSheet(sheet1);
        DLxPartListData data(doc.get());
        data.SetFilename(u"bracket-assembly.asm");
        data.SetSheetInstance(RSeRef<DLxSheet>(sheet1));
        data.SetOrigin(WqGePoint3d(300, 250, 0));
        SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(data));
        const UTxResult r = doc->ProcessChangeRequest(req);
        EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
        table = req->GetPartList();
        doc->AddCommand(new DLxSymbolDocCmdGroup(doc.get()));
        // The journal holds what the test does from here on.
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    FWxSelectionSet& DrawSet() const {
        return *FWxSelectionSetMgr::Get(doc.get())->GetDrawSelectionSet();
    }
    void SelectTable() const {
        DrawSet().RemoveAll();
        DrawSet().Add(SmartPtr<FWxSelection>(new DLxPartListSelection(table.get(), {})));
    }
    // The entry as the menu shows it, starting from the host's own enabling.
    bool Enabled(int32_t id, bool hostEnabled) const {
        FWxCmdUI ui;
        ui.id = id;
        ui.enabled = hostEnabled;
        EXPECT_TRUE(doc->OnCmdMsg(id, FWxCmd::kUpdateUI, &ui)) << id;
        return ui.enabled;
    }
    void Run(int32_t id) const { EXPECT_TRUE(doc->OnCmdMsg(id, FWxCmd::kCommand, nullptr)) << id; }
    DLxTableStatePartlist* State() const { return table->GetPartListTableState().get(); }
    DLxLocalBOM* Bill() const { return State()->GetLocalBOM().get(); }
    // Gives the first row of the bill an item number and a description of the drawing's own,
    // as edits would: what a push-back writes into the model.
    void OverrideFirstItemNumber() const {
        DLxLocalBOMQuery q(Bill(), nullptr, 0, false);
        ASSERT_TRUE(q.Execute(false));
        ASSERT_GT(q.RowCount(), 0u);
        doc->GetRSeDb()->BeginTxn();
        EXPECT_TRUE(Bill()->SetItemNumber(q.RowAt(0)->Cookie(), u"11"));
        EXPECT_TRUE(Bill()->SetCellOverride(q.RowAt(0)->Cookie(),
                                            DLxLocalBOMColumn(DLxLocalBOMColumn::Description),
                                            u"Welded base"));
        doc->GetRSeDb()->CommitTxn();
    }
};

FBxObjectEditRecord EditCell(int32_t row, int32_t col, const char16_t* value) {
    FBxObjectEditRecord r(u"EditCell");
    r.SetAttribute(u"row", FWxTranscriptValue::MakeInt(row));
    r.SetAttribute(u"col", FWxTranscriptValue::MakeInt(col));
    r.SetAttribute(u"value", FWxTranscriptValue::MakeString(value));
    return r;
}

FBxObjectEditRecord ColumnWidth(int32_t col, double width) {
    FBxObjectEditRecord r(u"ChangeColumnWidth");
    r.SetAttribute(u"startCol", FWxTranscriptValue::MakeInt(col));
    r.SetAttribute(u"endCol", FWxTranscriptValue::MakeInt(col));
    r.SetAttribute(u"width", FWxTranscriptValue::MakeReal(width));
    return r;
}

// The editor runs: each step is what the user does while the editor is open.
using EditorStep = std::function<void(DLxTableEditorDlg&)>;

class PartListCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        FWxUtil::GetTranscriptMgr().ClearLines();
        WinMessageBoxes::Reset();
    }
    void TearDown() override {
        CDialog::SetModalRunner(nullptr);
        WinMessageBoxes::Reset();
        FWxUtil::GetTranscriptMgr().ClearLines();
        if (m_module) FreeLibrary(m_module);
    }
    // Plays the editor dialog with the steps, then ends it with `answer`.
    static void PlayEditor(std::vector<EditorStep> steps, int32_t answer) {
        CDialog::SetModalRunner([steps, answer](CDialog& dlg) {
            auto* editor = dynamic_cast<DLxTableEditorDlg*>(&dlg);
            ASSERT_NE(editor, nullptr);
            for (const EditorStep& step : steps)
                step(*editor);
            dlg.EndDialog(answer);
        });
    }
    static EditorStep Edit(FBxObjectEditRecordList records) {
        return [records](DLxTableEditorDlg& dlg) {
            EXPECT_TRUE(dlg.GetEditor()->ProcessEditRecords(records));
        };
    }
    static EditorStep Apply() {
        return [](DLxTableEditorDlg& dlg) { dlg.GetEditor()->Apply(); };
    }
    static const std::vector<UTxString16>& Journal() { return FWxUtil::GetTranscriptMgr().GetLines(); }

    HMODULE m_module = nullptr;
};

// The records of one journalled "EditPartList" line, read back.
FBxObjectEditRecordList RecordsOf(const UTxString16& line, FWxSceneDoc* doc) {
    SmartPtr<DLxPartListEditRequest> req(new DLxPartListEditRequest());
    EXPECT_FALSE(req->InitFromTranscript(doc, line).Failed()) << UTx::ToUtf8(line);
    return req->GetRecords();
}

TEST_F(PartListCommands, EntriesAreEnabledOnlyWhereTheActionCanSucceed) {
    // The export and update entries are asked starting from a host that disabled them, and
    // again from one that enabled them: without a parts list they stay as the host set them.
    struct Case {
        const char* name;
        std::function<void(PartListDoc&)> situation;
        bool edit, exportFromOff, exportFromOn, updateFromOff, updateFromOn, convert, pushback;
    };
    const auto select = [](PartListDoc& d) { d.SelectTable(); };
    const Case cases[] = {
        {"nothing selected", [](PartListDoc&) {}, false, false, true, false, true, false, false},
        {"another kind selected",
         [](PartListDoc& d) {
             d.DrawSet().Add(SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(nullptr, {})));
         },
         false, false, true, false, true, false, false},
        {"the parts list selected", select, true, true, true, true, true, true, false},
        {"the parts list second in the selection",
         [](PartListDoc& d) {
             d.DrawSet().Add(SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(nullptr, {})));
             d.DrawSet().Add(SmartPtr<FWxSelection>(new DLxPartListSelection(d.table.get(), {})));
         },
         false, false, true, false, true, false, false},
        {"the parts list with an item number of the drawing's own",
         [](PartListDoc& d) {
             d.SelectTable();
             d.OverrideFirstItemNumber();
         },
         true, true, true, true, true, true, true},
        {"the parts list of a deferred drawing",
         [](PartListDoc& d) {
             d.SelectTable();
             d.OverrideFirstItemNumber();
             d.doc->SetDocDeferred(true);
         },
         false, true, true, false, false, false, true},
        {"the parts list of a bill in error",
         [](PartListDoc& d) {
             d.SelectTable();
             d.doc->GetRSeDb()->BeginTxn();
             d.Bill()->SetStatusOn(DLxLocalBOM::kStatusError);
             d.doc->GetRSeDb()->CommitTxn();
         },
         true, true, true, false, false, true, false},
        {"the parts list once deleted",
         [](PartListDoc& d) {
             d.SelectTable();
             ASSERT_FALSE(d.doc->Undo().Failed());
         },
         false, false, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartListDoc d;
        c.situation(d);
        EXPECT_EQ(d.Enabled(DLxPartListEditCmd::kCommandId, true), c.edit);
        EXPECT_EQ(d.Enabled(DLxPartListExportCmd::kCommandId, false), c.exportFromOff);
        EXPECT_EQ(d.Enabled(DLxPartListExportCmd::kCommandId, true), c.exportFromOn);
        EXPECT_EQ(d.Enabled(DLxPartListUpdateCmd::kCommandId, false), c.updateFromOff);
        EXPECT_EQ(d.Enabled(DLxPartListUpdateCmd::kCommandId, true), c.updateFromOn);
        EXPECT_EQ(d.Enabled(DLxPartListConvertToBomCmd::kCommandId, true), c.convert);
        EXPECT_EQ(d.Enabled(DLxPartListPushbackIDsCmd::kCommandId, true), c.pushback);
    }
}

TEST_F(PartListCommands, OkPostsTheEditsOfTheRunAsOneJournalledRequest) {
    PartListDoc d;
    PartListDoc twin;
    d.SelectTable();
    const FBxObjectEditRecordList first = {EditCell(0, 1, u"Base bracket")};
    const FBxObjectEditRecordList second = {ColumnWidth(1, 42.5), EditCell(1, 1, u"Drive shaft")};
    PlayEditor({Edit(first), Edit(second)}, IDOK);
    d.Run(DLxPartListEditCmd::kCommandId);

    ASSERT_EQ(Journal().size(), 1u);
    FBxObjectEditRecordList all = first;
    all.insert(all.end(), second.begin(), second.end());
    EXPECT_EQ(RecordsOf(Journal()[0], d.doc.get()), all);
    // The same as the records posted directly: nothing of the editor run is left over.
    SmartPtr<DLxPartListEditRequest> direct(new DLxPartListEditRequest(twin.table, all));
    ASSERT_FALSE(twin.doc->ProcessChangeRequest(direct).Failed());
    EXPECT_EQ(d.Save(), twin.Save());
    // One undo step gives back the drawing before the editor run.
    ASSERT_FALSE(d.doc->Undo().Failed());
    ASSERT_FALSE(twin.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), twin.Save());
    // The selection the command acted on is gone.
    EXPECT_TRUE(d.DrawSet().IsEmpty());
}

TEST_F(PartListCommands, CancelLeavesTheDrawingAsItWasAndJournalsNothing) {
    PartListDoc d;
    d.SelectTable();
    const Bytes before = d.Save();
    const size_t undoDepth = d.doc->GetUndoDepth();
    PlayEditor({Edit({EditCell(0, 1, u"Base bracket")}), Edit({ColumnWidth(2, 30.0)})}, IDCANCEL);
    d.Run(DLxPartListEditCmd::kCommandId);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(d.doc->GetUndoDepth(), undoDepth);
    EXPECT_EQ(d.Save(), before);
    EXPECT_FALSE(d.doc->GetRSeDb()->InTxn());
}

TEST_F(PartListCommands, EachApplyPostsTheEditsSinceTheApplyBefore) {
    PartListDoc d;
    d.SelectTable();
    const FBxObjectEditRecordList a = {EditCell(0, 1, u"A")};
    const FBxObjectEditRecordList b = {EditCell(1, 1, u"B"), ColumnWidth(1, 50.0)};
    const FBxObjectEditRecordList c = {EditCell(2, 1, u"C")};
    // The last edit is cancelled: only what was applied stays.
    PlayEditor({Edit(a), Apply(), Edit(b), Apply(), Edit(c)}, IDCANCEL);
    d.Run(DLxPartListEditCmd::kCommandId);
    ASSERT_EQ(Journal().size(), 2u);
    EXPECT_EQ(RecordsOf(Journal()[0], d.doc.get()), a);
    EXPECT_EQ(RecordsOf(Journal()[1], d.doc.get()), b);
    EXPECT_FALSE(d.doc->GetRSeDb()->InTxn());

    // The journal replayed on a fresh drawing gives the same drawing.
    const std::vector<UTxString16> lines = Journal();
    PartListDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(FWxUtil::GetTranscriptMgr().ReplayLine(replay.doc.get(), line).Failed())
            << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Save(), d.Save());
}

TEST_F(PartListCommands, TheEditorDoesNotStartWithoutAnEditableParts) {
    struct Case {
        const char* name;
        std::function<void(PartListDoc&)> situation;
    };
    const Case cases[] = {
        {"nothing selected", [](PartListDoc&) {}},
        {"a deferred drawing",
         [](PartListDoc& d) {
             d.SelectTable();
             d.doc->SetDocDeferred(true);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartListDoc d;
        c.situation(d);
        bool ran = false;
        CDialog::SetModalRunner([&](CDialog&) { ran = true; });
        const Bytes before = d.Save();
        d.Run(DLxPartListEditCmd::kCommandId);
        EXPECT_FALSE(ran);
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(Journal().empty());
    }
}

TEST_F(PartListCommands, ASchemeSwitchedOffInTheModelIsAskedForAndEnabledByTheRun) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    PartListDoc d(model);
    d.SelectTable();
    model.scheme.structuredEnabled = false;
    ASSERT_TRUE(d.doc->SetAssembly(model));

    // Refused: the editor does not start.
    WinMessageBoxes::QueueAnswer(IDCANCEL);
    bool ran = false;
    CDialog::SetModalRunner([&](CDialog&) { ran = true; });
    const Bytes before = d.Save();
    d.Run(DLxPartListEditCmd::kCommandId);
    EXPECT_FALSE(ran);
    EXPECT_EQ(WinMessageBoxes::GetShown().size(), 1u);
    EXPECT_EQ(d.Save(), before);

    // Accepted: the run starts with "EnableBOMView" for the structured scheme, posted on OK.
    WinMessageBoxes::Reset();
    d.SelectTable();
    WinMessageBoxes::QueueAnswer(IDOK);
    PlayEditor({}, IDOK);
    d.Run(DLxPartListEditCmd::kCommandId);
    ASSERT_EQ(Journal().size(), 1u);
    const FBxObjectEditRecordList posted = RecordsOf(Journal()[0], d.doc.get());
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].GetKey(), u"EnableBOMView");
    EXPECT_EQ(posted[0][u"SchemeID"].as_int(), DLxLocalBOM::kStructured);
}

TEST_F(PartListCommands, ExportRunsTheSaveDialogOverTheSelectedTable) {
    PartListDoc d;
    d.SelectTable();
    const Bytes before = d.Save();
    std::vector<int32_t> typeIds;
    DLxExportDialog* seen = nullptr;
    CDialog::SetModalRunner([&](CDialog& dlg) {
        auto* e = dynamic_cast<DLxExportDialog*>(&dlg);
        ASSERT_NE(e, nullptr);
        seen = e;
        EXPECT_FALSE(e->IsOpenFileDialog());
        EXPECT_EQ(e->GetFlags(), 0x80046u);
        EXPECT_EQ(e->GetFilterId(), 8139u);
        EXPECT_TRUE(e->GetDefaultExt().empty());
        EXPECT_TRUE(e->GetPathName().empty());
        EXPECT_EQ(e->GetSourceType(), DLxExportDialog::kPartsList);
        EXPECT_EQ(e->GetTable().get(), static_cast<DUxTableStateBase*>(d.State()));
        EXPECT_TRUE(e->IsSpreadsheet());
        dlg.EndDialog(IDCANCEL);
    });
    d.Run(DLxPartListExportCmd::kCommandId);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(d.Save(), before);
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(d.DrawSet().IsEmpty());

    // Without a parts list nothing is shown.
    seen = nullptr;
    d.Run(DLxPartListExportCmd::kCommandId);
    EXPECT_EQ(seen, nullptr);
}

// The one-shot commands that ask first: each answer that declines leaves the drawing as it was
// and journals nothing; the answer that goes on journals the command's one request.
TEST_F(PartListCommands, UpdateConvertAndPushBackAskFirstAndThenPostTheirRequest) {
    struct Case {
        const char* name;
        int32_t command;
        int32_t decline, accept;
        const char16_t* request;
        bool itemNumber; // an item number of the drawing's own, for push-back to carry
    };
    const Case cases[] = {
        {"update", DLxPartListUpdateCmd::kCommandId, IDCANCEL, IDOK, u"UpdatePartsList", false},
        {"convert", DLxPartListConvertToBomCmd::kCommandId, IDNO, IDYES, u"ConvertToBOM", false},
        {"push back", DLxPartListPushbackIDsCmd::kCommandId, IDCANCEL, IDOK,
         u"PartlistPushbackIDs", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartListDoc d;
        if (c.itemNumber) d.OverrideFirstItemNumber();
        const Bytes before = d.Save();
        WinMessageBoxes::Reset();
        d.SelectTable();
        WinMessageBoxes::QueueAnswer(c.decline);
        d.Run(c.command);
        EXPECT_EQ(WinMessageBoxes::GetShown().size(), 1u);
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(Journal().empty());

        d.SelectTable();
        WinMessageBoxes::QueueAnswer(c.accept);
        d.Run(c.command);
        ASSERT_EQ(Journal().size(), 1u);
        EXPECT_EQ(Journal()[0].rfind(UTxString16(c.request) + u" ", 0), 0u)
            << UTx::ToUtf8(Journal()[0]);
        EXPECT_EQ(WinMessageBoxes::PendingAnswers(), 0u);
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
}

TEST_F(PartListCommands, PushBackOffersToSaveTheModelAndShowsTheSheetOfTheList) {
    PartListDoc d;
    d.OverrideFirstItemNumber();
    d.doc->SetActiveSheet(d.sheet2);
    d.SelectTable();
    WinMessageBoxes::QueueAnswer(IDOK);
    d.Run(DLxPartListPushbackIDsCmd::kCommandId);
    ASSERT_EQ(Journal().size(), 1u);
    EXPECT_EQ(d.doc->GetActiveSheet(), d.sheet1);
    // The confirmation, then the offer to save the source model it wrote into.
    ASSERT_EQ(WinMessageBoxes::GetShown().size(), 2u);
    EXPECT_EQ(WinMessageBoxes::GetShown()[1].type & 0xF, uint32_t(MB_YESNO));

    // Nothing selected: nothing asked, nothing done.
    d.DrawSet().RemoveAll();
    WinMessageBoxes::Reset();
    FWxUtil::GetTranscriptMgr().ClearLines();
    d.Run(DLxPartListPushbackIDsCmd::kCommandId);
    d.Run(DLxPartListConvertToBomCmd::kCommandId);
    d.Run(DLxPartListUpdateCmd::kCommandId);
    EXPECT_TRUE(Journal().empty());
    // The update asks before it looks at the selection.
    EXPECT_EQ(WinMessageBoxes::GetShown().size(), 1u);
}

TEST_F(PartListCommands, TheExportFileTypeDecidesExtensionConnectTextAndKind) {
    PartListDoc d;
    DLxExportDialog dlg(false, nullptr, nullptr, 0, 8139, nullptr, {}, nullptr,
                        DLxExportDialog::kPartsList, u"");
    struct Case {
        int32_t id;
        const char16_t* extension;
        const char16_t* connect;
        bool spreadsheet, access, dbase, text, comma, unicode;
    };
    const Case cases[] = {
        {1, u".xls", u"Excel 8.0;", true, false, false, false, false, false},
        {2, u".mdb", u"", false, true, false, false, false, false},
        {3, u".dbf", u"dBASE III;", false, false, true, false, false, false},
        {4, u".dbf", u"dBASE IV;", false, false, true, false, false, false},
        {5, u".txt", u"", false, false, false, true, false, false},
        {6, u".csv", u"", false, false, false, false, true, false},
        {7, u".txt", u"", false, false, false, true, false, true},
        {8, u".csv", u"", false, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_TRUE(dlg.SelectFileType(c.id));
        EXPECT_EQ(dlg.GetExtension(), c.extension);
        EXPECT_EQ(dlg.GetConnect(), c.connect);
        EXPECT_EQ(dlg.IsSpreadsheet(), c.spreadsheet);
        EXPECT_EQ(dlg.IsAccessDatabase(), c.access);
        EXPECT_EQ(dlg.IsDBase(), c.dbase);
        EXPECT_EQ(dlg.IsPlainText(), c.text);
        EXPECT_EQ(dlg.IsCommaText(), c.comma);
        EXPECT_EQ(dlg.IsUnicode(), c.unicode);
    }
    // An id outside the table changes nothing.
    for (int32_t id : {0, 9, -1}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(dlg.SelectFileType(id));
        EXPECT_EQ(dlg.GetFileTypeId(), 8);
        EXPECT_EQ(dlg.GetExtension(), u".csv");
    }
    // dBASE IV comes before dBASE III in the type box.
    EXPECT_EQ(DLxExportDialog::GetTypeIds(), (std::vector<int32_t>{1, 2, 4, 3, 5, 6, 7, 8}));
}

} // namespace
