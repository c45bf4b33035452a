// The structure dump: the tree of the drawing's structure data and the rows of a selected item,
// read from a drawing whose bill has a configuration and structure nodes; looking never
// changes the drawing.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxDbgStructMgrDlg.h"
#include "BofM/DLxPartListData.h"
#include "BofM/DLxSymTestCmdGroup.h"
#include "CDialog.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "fw/FWxCommand.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxUtil.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Row = DLxDbgStructMgrDlg::Row;

class StructureDump : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(doc->SetAssembly(KorvuBOM::BracketAssembly()));
        DLxSheet* sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        doc->CreateSheet(u"Sheet 2", 420, 297);
        sheet->CreateView(u"Front");
        DLxStdStyles::AddDocumentStyles(doc.get());
        doc->SetActiveSheet(sheet);
        DLxPartListData data(doc.get());
        data.SetFilename(u"bracket-assembly.asm");
        data.SetSheetInstance(RSeRef<DLxSheet>(sheet));
        SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(data));
        ASSERT_FALSE(doc->ProcessChangeRequest(req).Failed());
        bom = DLxLocalBOMMgr::GetAnyLocalBOM(doc->GetRSeDb());
        ASSERT_NE(bom, nullptr);
    }
    void TearDown() override {
        CDialog::SetModalRunner(nullptr);
        doc.reset();
        if (m_module) FreeLibrary(m_module);
    }
    // The bill's configuration with the nodes of the whole structure, made as the balloons
    // make them: in a transaction.
    DLxConfiguration* MakeStructure() {
        RSeDatabase* db = doc->GetRSeDb();
        db->BeginTxn();
        DLxConfiguration* configuration = bom->GetConfiguration(true);
        DLxStructureNode* root = configuration->GetRootStructureNode();
        configuration->GetTagManager(false)->GetAllPartStructureNodes(root, true);
        db->CommitTxn();
        return configuration;
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    // Every item of the tree, expanded as a user opening each one would.
    static void ExpandAll(DLxDbgStructMgrDlg& dlg, int32_t item = 0) {
        for (int32_t child : std::vector<int32_t>(dlg.GetChildren(item)))
            ExpandAll(dlg, child);
    }
    static bool HasRow(const std::vector<Row>& rows, const Row& row) {
        for (const Row& r : rows)
            if (r == row) return true;
        return false;
    }

    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxLocalBOM* bom = nullptr;
    HMODULE m_module = nullptr;
};

TEST_F(StructureDump, TheTreeFollowsTheStructureDownToTheNodesThatExist) {
    DLxConfiguration* configuration = MakeStructure();
    const Bytes before = Save();
    DLxDbgStructMgrDlg dlg(doc.get(), nullptr);
    ASSERT_TRUE(dlg.OnInitDialog());
    ASSERT_EQ(dlg.GetItemCount(), 1u);
    EXPECT_EQ(dlg.GetItem(0).label, u"DLxDrawing");
    ASSERT_TRUE(dlg.ItemHasChildren(0));
    const std::vector<int32_t> configurations = dlg.GetChildren(0);
    ASSERT_EQ(configurations.size(), 1u);
    EXPECT_EQ(dlg.GetItemData(configurations[0])->object, configuration);
    EXPECT_EQ(dlg.GetItemData(configurations[0])->kind, DLxDbgStructMgrDlg::kConfiguration);
    const std::vector<int32_t> roots = dlg.GetChildren(configurations[0]);
    ASSERT_EQ(roots.size(), 1u);
    const auto* root = static_cast<const DLxStructureNode*>(dlg.GetItemData(roots[0])->object);
    EXPECT_TRUE(root->IsRoot());

    // The root's children are the top-level occurrences in model order; the cover's node
    // has the plate and the gasket under it.
    const DLxAssemblyData model = KorvuBOM::BracketAssembly();
    std::vector<int32_t> topLevel, coverChildren;
    for (const DLxAssemblyOccurrence& o : model.occurrences) {
        if (o.parent == model.root) topLevel.push_back(o.component);
        if (o.parent == KorvuBOM::kCover) coverChildren.push_back(o.component);
    }
    std::vector<int32_t> shown;
    int32_t cover = -1;
    for (int32_t item : dlg.GetChildren(roots[0])) {
        const auto* n = static_cast<const DLxStructureNode*>(dlg.GetItemData(item)->object);
        shown.push_back(n->GetComponentId());
        if (n->GetComponentId() == KorvuBOM::kCover) cover = item;
    }
    EXPECT_EQ(shown, topLevel);
    ASSERT_GE(cover, 0);
    std::vector<int32_t> underCover;
    for (int32_t item : dlg.GetChildren(cover))
        underCover.push_back(
            static_cast<const DLxStructureNode*>(dlg.GetItemData(item)->object)->GetComponentId());
    EXPECT_EQ(underCover, coverChildren);

    ExpandAll(dlg);
    EXPECT_EQ(dlg.GetRecordCount(), dlg.GetItemCount());
    EXPECT_EQ(Save(), before);
}

TEST_F(StructureDump, LookingMakesNoStructure) {
    // A configuration whose nodes were never made shows none, and gets none made.
    RSeDatabase* db = doc->GetRSeDb();
    db->BeginTxn();
    bom->GetConfiguration(true);
    db->CommitTxn();
    const Bytes before = Save();
    DLxDbgStructMgrDlg dlg(doc.get(), nullptr);
    ASSERT_TRUE(dlg.OnInitDialog());
    ASSERT_EQ(dlg.GetChildren(0).size(), 1u);
    EXPECT_FALSE(dlg.ItemHasChildren(dlg.GetChildren(0)[0]));
    for (int32_t item = 0; item < int32_t(dlg.GetItemCount()); ++item)
        dlg.SelectItem(item);
    EXPECT_EQ(Save(), before);
}

TEST_F(StructureDump, RowsOfEachKindWithBoldHeaders) {
    MakeStructure();
    doc->SetDocDeferred(true);
    DLxDbgStructMgrDlg dlg(doc.get(), nullptr);
    ASSERT_TRUE(dlg.OnInitDialog());
    struct Case {
        const char* name;
        int32_t item;
        std::vector<Row> expected;
    };
    const int32_t configuration = dlg.GetChildren(0)[0];
    const int32_t root = dlg.GetChildren(configuration)[0];
    int32_t cover = -1;
    for (int32_t item : dlg.GetChildren(root))
        if (static_cast<const DLxStructureNode*>(dlg.GetItemData(item)->object)->GetComponentId() ==
            KorvuBOM::kCover)
            cover = item;
    ASSERT_GE(cover, 0);
    const Case cases[] = {
        {"drawing",
         0,
         {{u"---- DLxDrawing ----", u"", 1},
          {u"NumSheets", u"2", 0},
          {u"---- DLxDrawingOptions ----", u"", 1},
          {u"DeferViewUpdates", u"True", 0},
          {u"IsTransient", u"False", 0}}},
        {"configuration",
         configuration,
         {{u"---- DLxConfiguration ----", u"", 1}, {u"IsResolved", u"True", 0}}},
        {"root node",
         root,
         {{u"---- DLxStructureNode ----", u"", 1},
          {u"Passive Occ Path", u"[]", 0},
          {u"IsReference", u"False", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.SelectItem(c.item);
        const std::vector<Row>& rows = dlg.GetRows();
        ASSERT_FALSE(rows.empty());
        // Every block starts with the object's header, then its address.
        EXPECT_EQ(rows[0].itemData, 1);
        EXPECT_EQ(rows[1].name, u"Address");
        EXPECT_EQ(rows[1].value.rfind(u"0x", 0), 0u);
        for (const Row& r : c.expected)
            EXPECT_TRUE(HasRow(rows, r)) << UTx::ToUtf8(r.name) << " " << UTx::ToUtf8(r.value);
        for (const Row& r : rows)
            EXPECT_EQ(r.itemData == 1, r.name.rfind(u"---- ", 0) == 0) << UTx::ToUtf8(r.name);
    }
    // A node below the cover names its occurrence path from the root's child down.
    const int32_t plate = dlg.GetChildren(cover)[0];
    const auto* node = static_cast<const DLxStructureNode*>(dlg.GetItemData(plate)->object);
    dlg.SelectItem(plate);
    const std::vector<int32_t>& path = node->GetRDxPassivePath();
    ASSERT_EQ(path.size(), 2u);
    EXPECT_TRUE(HasRow(dlg.GetRows(),
                       {u"Passive Occ Path",
                        u"[" + UTx::MakeWideString(std::to_string(path[0]) + ":" +
                                                   std::to_string(path[1])) +
                            u"]",
                        0}));
}

TEST_F(StructureDump, TheCommandRunsTheDialogAndItsRecordsGoWithTheWindow) {
    MakeStructure();
    UCxUtil::SetAllowTestToolbar(true);
    doc->AddCommand(new DLxSymTestCmdGroup(doc.get(), 1));
    UCxUtil::SetAllowTestToolbar(false);
    DLxDbgStructMgrDlg* shown = nullptr;
    size_t items = 0;
    CDialog::SetModalRunner([&](CDialog& d) {
        shown = dynamic_cast<DLxDbgStructMgrDlg*>(&d);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->IsLayoutReady());
        ExpandAll(*shown);
        items = shown->GetItemCount();
        d.OnOK();
    });
    EXPECT_TRUE(doc->OnCmdMsg(DLxDbgStructMgrCmd::kCommandId, FWxCmd::kCommand, nullptr));
    ASSERT_NE(shown, nullptr);
    EXPECT_GT(items, 3u);
}

} // namespace
