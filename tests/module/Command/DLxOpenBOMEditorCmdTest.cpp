// The open-BOM-editor command, driven as a user would: something pre-selected on the drawing,
// the context-menu entry asked, then chosen; what opens is read from the host's BOM utility,
// whose editor is a headless model that records each opening.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxOpenBOMEditorCmd.h"
#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Standard/DLxStdStyles.h"
#include "br/BRxAbsPath.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentSelection.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTagManager.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxViewSelection.h"
#include "dl/IFxBOMUtil.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int32_t kComponent = DLxOpenBOMEditorCmd::kComponentId;
constexpr int32_t kPartList = DLxOpenBOMEditorCmd::kPartListId;
constexpr int32_t kView = DLxOpenBOMEditorCmd::kViewId;
// Occurrences of the bracket assembly: the first bolt, and the cover sub-assembly.
constexpr int32_t kFirstBolt = 105;
constexpr int32_t kCoverOcc = 115;

// The bracket assembly with the bolt, or the root, made a table-driven family.
DLxAssemblyData WithFamily(int32_t componentId) {
    DLxAssemblyData a = KorvuBOM::BracketAssembly();
    for (DLxAssemblyComponent& c : a.components)
        if (c.id == componentId) {
            c.isFactory = true;
            c.factoryMembers = {u"M8x25", u"M8x30"};
            c.activeMember = u"M8x30";
        }
    return a;
}

// A drawing of the model with a view and a parts list on its first sheet, and the module's
// commands.
struct EditorDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet1 = nullptr;
    DLxSheet* sheet2 = nullptr;
    DLxViewInstance* view = nullptr;
    RSeRef<DLxPartListTable> table;

    explicit EditorDoc(const DLxAssemblyData& model = KorvuBOM::BracketAssembly()) {
        EXPECT_TRUE(doc->SetAssembly(model));
        sheet1 = doc->CreateSheet(u"Sheet 1", 420, 297);
        sheet2 = doc->CreateSheet(u"Sheet 2", 420, 297);
        view = sheet1->CreateView(u"Front");
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
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    DLxLocalBOM* Bill() const { return table->GetPartListTableState()->GetLocalBOM().get(); }
    // The structure node of an occurrence (empty path: the root), made as the browser would.
    DLxStructureNode* Node(std::vector<int32_t> path) const {
        doc->GetRSeDb()->BeginTxn();
        DLxStructureNode* n = Bill()->GetConfiguration(true)->GetTagManager(true)->FindNode(path);
        doc->GetRSeDb()->CommitTxn();
        EXPECT_NE(n, nullptr);
        return n;
    }
    FWxSelectionSet& Pre() const { return *FWxSelectionSetMgr::Get(doc.get())->GetPreSelectionSet(); }
    void Pick(FWxSelection* selection) const { Pre().Add(SmartPtr<FWxSelection>(selection)); }
    void PickComponent(std::vector<int32_t> path) const { Pick(new DLxComponentSelection(Node(path))); }
    void PickTable() const { Pick(new DLxPartListSelection(table.get(), {})); }
    void PickView() const { Pick(new DLxViewSelection(view)); }
    // The view's entry in the browser, as a browser pick gives it.
    void PickViewEntry() const { PickEntryOf(view); }
    void PickEntryOf(const RSeIDed* subject) const {
        BRxEntry* entry = doc->GetEntry(subject);
        ASSERT_NE(entry, nullptr);
        BRxAbsPath path(doc->GetBrowser());
        path.Push(entry);
        Pick(new DLxBrowserEntrySelection(entry, path));
    }
    bool Enabled(int32_t id) const {
        FWxCmdUI ui;
        ui.id = id;
        ui.enabled = true;
        EXPECT_TRUE(doc->OnCmdMsg(id, FWxCmd::kUpdateUI, &ui)) << id;
        return ui.enabled;
    }
    void Run(int32_t id) const { EXPECT_TRUE(doc->OnCmdMsg(id, FWxCmd::kCommand, nullptr)) << id; }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    // Takes the drawing's model away: its bill is then unresolved.
    void RemoveModel() const {
        doc->GetRSeDb()->BeginTxn();
        EXPECT_TRUE(doc->SetAssembly(DLxAssemblyData()));
        doc->GetRSeDb()->CommitTxn();
    }
};

class OpenBOMEditorCmd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(IFxBOMUtil::Get(), nullptr);
        IFxBOMUtil::Get()->CloseEditors();
    }
    void TearDown() override { IFxBOMUtil::Get()->CloseEditors(); }
    static const std::vector<IFxBOMUtil::Editor>& Opened() { return IFxBOMUtil::Get()->GetOpenEditors(); }
};

struct EnableCase {
    const char* name;
    DLxAssemblyData model;
    std::function<void(const EditorDoc&)> pick;
    bool component, partList, view;
};

TEST_F(OpenBOMEditorCmd, EntriesAreEnabledOnlyForWhatTheyCanOpen) {
    const DLxAssemblyData bracket = KorvuBOM::BracketAssembly();
    const std::vector<EnableCase> cases = {
        {"nothing pre-selected", bracket, [](const EditorDoc&) {}, false, false, false},
        {"a part", bracket, [](const EditorDoc& d) { d.PickComponent({kFirstBolt}); }, true, false,
         false},
        {"a sub-assembly", bracket, [](const EditorDoc& d) { d.PickComponent({kCoverOcc}); }, true,
         false, false},
        {"two components", bracket,
         [](const EditorDoc& d) {
             d.PickComponent({kFirstBolt});
             d.PickComponent({kCoverOcc});
         },
         false, false, false},
        {"a family member placed as its active member", WithFamily(KorvuBOM::kBolt),
         [](const EditorDoc& d) { d.PickComponent({kFirstBolt}); }, true, false, false},
        {"the parts list", bracket, [](const EditorDoc& d) { d.PickTable(); }, false, true, false},
        {"the parts list and a view", bracket,
         [](const EditorDoc& d) {
             d.PickTable();
             d.PickView();
         },
         false, false, false},
        {"the parts list of a family", WithFamily(KorvuBOM::kRoot),
         [](const EditorDoc& d) { d.PickTable(); }, false, false, false},
        // What the cursor highlights counts, not what was selected before.
        {"the parts list selected, nothing pre-selected", bracket,
         [](const EditorDoc& d) {
             FWxSelectionSetMgr::Get(d.doc.get())
                 ->GetDrawSelectionSet()
                 ->Add(SmartPtr<FWxSelection>(new DLxPartListSelection(d.table.get(), {})));
         },
         false, false, false},
        {"a view", bracket, [](const EditorDoc& d) { d.PickView(); }, false, false, true},
        {"a view, then the parts list", bracket,
         [](const EditorDoc& d) {
             d.PickView();
             d.PickTable();
         },
         false, false, true},
        {"a view of a family", WithFamily(KorvuBOM::kRoot),
         [](const EditorDoc& d) { d.PickView(); }, false, false, true},
        {"the view's browser entry", bracket, [](const EditorDoc& d) { d.PickViewEntry(); }, false,
         false, true},
        {"a sheet's browser entry", bracket, [](const EditorDoc& d) { d.PickEntryOf(d.sheet1); },
         false, false, false},
        {"everything, with the model gone", bracket,
         [](const EditorDoc& d) {
             d.PickComponent({kFirstBolt});
             d.RemoveModel();
         },
         false, false, false},
        {"the parts list, with the model gone", bracket,
         [](const EditorDoc& d) {
             d.RemoveModel();
             d.PickTable();
         },
         false, false, false},
        {"a view, with the model gone", bracket,
         [](const EditorDoc& d) {
             d.RemoveModel();
             d.PickView();
         },
         false, false, false},
    };
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDoc d(c.model);
        c.pick(d);
        const Bytes before = d.Save();
        EXPECT_EQ(d.Enabled(kComponent), c.component);
        EXPECT_EQ(d.Enabled(kPartList), c.partList);
        EXPECT_EQ(d.Enabled(kView), c.view);
        // Asking changes nothing of the drawing.
        EXPECT_EQ(d.Save(), before);
    }
}

struct RunCase {
    const char* name;
    DLxAssemblyData model;
    std::function<void(const EditorDoc&)> pick;
    int32_t id;
    std::vector<std::u16string> members;   // of the editors that open, in order
};

TEST_F(OpenBOMEditorCmd, RunningOpensTheEditorOnTheModelBehindThePick) {
    const DLxAssemblyData bracket = KorvuBOM::BracketAssembly();
    auto showMembers = [](std::vector<UTxString16> members) {
        return [members](const EditorDoc& d) {
            d.doc->GetRSeDb()->BeginTxn();
            d.table->GetPartListTableState()->SetSelectedMembers(members, false);
            d.doc->GetRSeDb()->CommitTxn();
            d.PickTable();
        };
    };
    const std::vector<RunCase> cases = {
        {"a part", bracket, [](const EditorDoc& d) { d.PickComponent({kFirstBolt}); }, kComponent,
         {u""}},
        {"a family member", WithFamily(KorvuBOM::kBolt),
         [](const EditorDoc& d) { d.PickComponent({kFirstBolt}); }, kComponent, {u"M8x30"}},
        {"the parts list", bracket, [](const EditorDoc& d) { d.PickTable(); }, kPartList, {u""}},
        {"the parts list showing members", bracket, showMembers({u"M8x25", u"M8x30"}), kPartList,
         {u"M8x25"}},
        {"a view", bracket, [](const EditorDoc& d) { d.PickView(); }, kView, {u""}},
        {"a view of a family", WithFamily(KorvuBOM::kRoot),
         [](const EditorDoc& d) { d.PickView(); }, kView, {u"M8x30"}},
        {"the view's browser entry", bracket, [](const EditorDoc& d) { d.PickViewEntry(); }, kView,
         {u""}},
        // Unrecognised picks run with nothing to open.
        {"the component entry on a view", bracket, [](const EditorDoc& d) { d.PickView(); },
         kComponent, {}},
        {"the view entry on a parts list", bracket, [](const EditorDoc& d) { d.PickTable(); }, kView,
         {}},
        {"the parts-list entry on two parts lists", bracket,
         [](const EditorDoc& d) {
             d.PickTable();
             d.PickTable();
         },
         kPartList, {}},
        // A model that cannot be found or prepared stops the handler: nothing opens.
        {"a part of a model that is gone", bracket,
         [](const EditorDoc& d) {
             d.PickComponent({kFirstBolt});
             d.RemoveModel();
         },
         kComponent, {}},
        {"the parts list of a model that is gone", bracket,
         [](const EditorDoc& d) {
             d.RemoveModel();
             d.PickTable();
         },
         kPartList, {}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        IFxBOMUtil::Get()->CloseEditors();
        EditorDoc d(c.model);
        d.doc->SetActiveSheet(d.sheet2);
        c.pick(d);
        const Bytes before = d.Save();
        d.Run(c.id);
        std::vector<std::u16string> members;
        for (const IFxBOMUtil::Editor& e : Opened()) {
            members.push_back(e.memberName);
            EXPECT_EQ(e.document, d.doc->GetSerial());
            EXPECT_NE(e.handle, 0u);
        }
        EXPECT_EQ(members, c.members);
        // Opening the editor is no change of the drawing, and the user stays on their sheet.
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.doc->GetActiveSheet(), d.sheet2);
    }
}

TEST_F(OpenBOMEditorCmd, EachRunOpensOnlyWhatItQueuedAndPassesTheModelSettingsOn) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    EditorDoc d(model);
    d.PickComponent({kFirstBolt});
    d.Run(kComponent);
    d.Pre().RemoveAll();
    d.PickView();
    d.Run(kView);
    // An empty run opens nothing again.
    d.Pre().RemoveAll();
    d.Run(kComponent);
    ASSERT_EQ(Opened().size(), 2u);
    EXPECT_NE(Opened()[0].handle, Opened()[1].handle);
    for (const IFxBOMUtil::Editor& e : Opened()) {
        EXPECT_TRUE(e.structured);
        EXPECT_FALSE(e.partsOnly);
    }
    auto* cmd = [&]() -> DLxOpenBOMEditorCmd* {
        for (size_t i = 0; i < d.doc->GetCommandCount(); ++i)
            if (auto* group = dynamic_cast<DLxSymbolDocCmdGroup*>(d.doc->GetCommand(i)))
                for (size_t j = 0; j < group->GetCommandCount(); ++j)
                    if (auto* c = dynamic_cast<DLxOpenBOMEditorCmd*>(group->GetCommand(j))) return c;
        return nullptr;
    }();
    ASSERT_NE(cmd, nullptr);
    EXPECT_TRUE(cmd->GetPendingEntries().empty());
}

// The context menus find the entries by these names; a clash of id or name would leave one
// unregistered.
TEST_F(OpenBOMEditorCmd, TheEntriesAreRegisteredForTheContextMenus) {
    const struct {
        const char16_t* name;
        int32_t id;
    } entries[] = {
        {u"DrawOpenBOMEditorComponentCmd", kComponent},
        {u"DrawOpenBOMEditorPartListCmd", kPartList},
        {u"DrawOpenBOMEditorViewCmd", kView},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.id);
        const FWxUIManager::CtxMenuCommand* cmd = FWxUIManager::Get().FindCtxMenuCommand(e.name);
        ASSERT_NE(cmd, nullptr);
        EXPECT_EQ(cmd->id, e.id);
        EXPECT_EQ(cmd->classification, 2);
    }
}

} // namespace
