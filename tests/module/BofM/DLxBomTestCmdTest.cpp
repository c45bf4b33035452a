// The parts-list test command of the test toolbar, driven as a developer would: the dialog's
// pick button, a click on a view, OK. The list it places is made directly, outside any request.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "BofM/DLxBomTestCmd.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxSymTestCmdGroup.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeSegment.h"
#include "uc/UCxUtil.h"
#include "utx/UTxUtil.h"

namespace {

// A drawing whose second sheet, the active one, has a view: a 40 x 40 square around (200, 150).
struct TestDoc {
    DLxDrawingDoc doc;
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    explicit TestDoc(bool withModel) {
        if (withModel) {
            EXPECT_TRUE(doc.SetAssembly(KorvuBOM::BracketAssembly()));
        }
        doc.CreateSheet(u"Sheet 1", 420, 297);
        sheet = doc.CreateSheet(u"Sheet 2", 420, 297);
        view = sheet->CreateView(u"Top");
        view->SetViewCenter(WqGePoint3d(200, 150, 0));
        const WqGePoint3d a(-20, -20, 0), b(20, -20, 0), c(20, 20, 0), d(-20, 20, 0);
        EXPECT_TRUE(view->SetEdges({DLxViewEdge::Line(1, a, b), DLxViewEdge::Line(2, b, c),
                                    DLxViewEdge::Line(3, c, d), DLxViewEdge::Line(4, d, a)}));
        DLxStdStyles::AddDocumentStyles(&doc);
        doc.SetActiveSheet(sheet);
    }
    ~TestDoc() { doc.TerminateActiveContext(4); }
    std::vector<DLxPartListTable*> Tables() const {
        std::vector<DLxPartListTable*> tables;
        for (DLxSheet* s : doc.GetSheets())
            RSe::SegmentOf(s)->ForEachObject([&](RSeVMeta* o) {
                if (auto* t = dynamic_cast<DLxPartListTable*>(o)) tables.push_back(t);
            });
        return tables;
    }
};

class BomTestCmd : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    void TearDown() override {
        UCxUtil::SetAllowTestToolbar(false);
        FWxUtil::GetTranscriptMgr().ClearLines();
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

TEST_F(BomTestCmd, WithoutTheTestToolbarTheGroupMakesNoCommand) {
    for (bool allow : {false, true}) {
        SCOPED_TRACE(allow ? "toolbar allowed" : "no toolbar");
        UCxUtil::SetAllowTestToolbar(allow);
        TestDoc d(true);
        d.doc.AddCommand(new DLxSymTestCmdGroup(&d.doc, 1));
        EXPECT_EQ(d.doc.GetCommandCount(), allow ? 3u : 1u);
        EXPECT_EQ(d.doc.RunCommand(DLxBomTestCmd::kCommandId), allow);
        EXPECT_EQ(d.doc.IsCommandEnabled(DLxBomTestCmd::kCommandId), allow);
    }
}

TEST_F(BomTestCmd, APickedViewGetsAStructuredPartsListAtTheFixedPointOfItsSheet) {
    struct Case {
        const char* name;
        bool withModel;
        size_t tables;
    };
    const Case cases[] = {{"a view of the drawing's model", true, 1},
                          {"a drawing without a model", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UCxUtil::SetAllowTestToolbar(true);
        TestDoc d(c.withModel);
        d.doc.AddCommand(new DLxSymTestCmdGroup(&d.doc, 1));
        ASSERT_TRUE(d.doc.RunCommand(DLxBomTestCmd::kCommandId));
        auto* cmd = dynamic_cast<DLxBomTestCmd*>(d.doc.GetActiveCommand());
        ASSERT_NE(cmd, nullptr);
        DLxBomTestCmdState& root = cmd->GetRootState();
        FWxTargetStateResolver& resolver = *cmd->GetResolver();
        ASSERT_NE(root.GetDialog(), nullptr);
        EXPECT_TRUE(root.GetDialog()->IsWindowVisible());
        EXPECT_TRUE(root.GetInertState()->IsRunning());

        FWxEvent click;
        click.point = WqGePoint3d(205, 140, 0);
        // Idle: a click picks nothing.
        resolver.LButtonDown(click);
        EXPECT_TRUE(d.Tables().empty());
        root.GetDialog()->ClickButton(DLxBomTestDlg::kPickButton);
        ASSERT_TRUE(root.GetViewSelState()->IsRunning());
        resolver.LButtonDown(click);
        EXPECT_TRUE(root.GetInertState()->IsRunning());

        const std::vector<DLxPartListTable*> tables = d.Tables();
        ASSERT_EQ(tables.size(), c.tables);
        if (!tables.empty()) {
            DLxPartListTable* t = tables[0];
            EXPECT_EQ(RSe::SegmentOf(t), RSe::SegmentOf(d.sheet));
            DLxTableStatePartlist* state = t->GetPartListTableState().get();
            ASSERT_NE(state, nullptr);
            EXPECT_EQ(state->GetOrigin(), WqGePoint3d(5, 5, 0));
            ASSERT_NE(state->GetLocalBOM().get(), nullptr);
            EXPECT_EQ(state->GetLocalBOM()->GetSchemeID(), 1);
            EXPECT_GT(state->GetRowCount(), 0);
            EXPECT_NE(d.doc.GetEntry(t), nullptr);
        }
        // Outside any request: nothing journalled, nothing to undo.
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_FALSE(d.doc.CanUndo());

        root.GetDialog()->ClickButton(UCxDialog::kIdOK);
        EXPECT_EQ(d.doc.GetActiveCommand(), nullptr);
        EXPECT_FALSE(root.IsRunning());
        EXPECT_EQ(d.Tables().size(), c.tables);
    }
}

} // namespace
