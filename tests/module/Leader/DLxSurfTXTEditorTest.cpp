// A double-click on a surface-texture symbol: the dialog edits a copy, OK ends in exactly the
// edit request a direct edit makes (same journal line, same document, undone to the bytes
// before), Cancel leaves the document as it was, a locked document opens no dialog.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "Command/DLxSurfTXTDialog.h"
#include "Leader/DLxSurfTXTEditor.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxSurfTXTState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"

namespace {
using S = DUxSurfTXTState;
using D = DLxSurfTXTDialog;

// A DIN drawing with one surface-texture symbol on a view edge; its journal starts after.
struct SurfDoc {
    class Doc : public DLxDrawingDoc {
    public:
        bool PermittedCommand(int32_t c) const override {
            return !locked && DLxDrawingDoc::PermittedCommand(c);
        }
        bool locked = false;
    };
    std::unique_ptr<Doc> doc = std::make_unique<Doc>();
    DLxSheet* sheet = nullptr;

    SurfDoc() {
        doc->GetDrawing()->SetStandardName(u"DIN");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxViewInstance* view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        EXPECT_FALSE(doc->ProcessChangeRequest(
                            new DLxCreateSurfTXTRequest(DLxIntent::OnEdge(view, 1, 0.5), {},
                                                        {200, 160, 0}, 28029,
                                                        std::vector<UTxString16>(S::kValueCount),
                                                        {}, 1, 0, 0.0, {}, {}, {}))
                         .Failed());
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    RSeRef<DLxSurfTXTInstance> Symbol() const {
        RSeReadOnlyScope reading;
        for (const RSeRef<RDxNode>& n : sheet->GetNodes())
            if (auto* s = dynamic_cast<DLxSurfTXTInstance*>(n.GetTarget()))
                return RSeRef<DLxSurfTXTInstance>(s);
        return {};
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

// Plays the user in the dialog: types `text` into the field of `variable`, then clicks `button`.
struct Runner {
    Runner(int32_t variable, const char16_t* text, int32_t button) {
        UCxDialog::SetModalRunner([=, this](UCxDialog& u) {
            ++runs;
            auto& dlg = dynamic_cast<D&>(u);
            for (int32_t i = 0; i < 12; ++i)
                if (dlg.ValueAt(i) == variable) {
                    dlg.SetDlgItemText(D::kFirstEdit + i, text);
                    dlg.EditChanged(D::kFirstEdit + i);
                }
            dlg.ClickButton(button);
        });
    }
    ~Runner() { UCxDialog::SetModalRunner(nullptr); }
    int runs = 0;
};

class SurfTXTEditor : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};
} // namespace

TEST_F(SurfTXTEditor, OkPostsTheEditOfTheCopyAndCancelNothing) {
    SurfDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    {
        Runner runner(S::kRaMax, u"Ra 3.2", D::kIdCancel);
        DLxSurfTXTEditor editor(d.Symbol(), nullptr);
        EXPECT_TRUE(editor.StartDialog());
        EXPECT_EQ(runner.runs, 1);
        EXPECT_EQ(editor.GetWorkingSymbol(), nullptr);
        EXPECT_EQ(d.Bytes(), before);
        EXPECT_TRUE(mgr.GetLines().empty());
    }
    Runner runner(S::kRaMax, u"Ra 3.2", D::kIdOK);
    DLxSurfTXTEditor editor(d.Symbol(), nullptr);
    EXPECT_TRUE(editor.StartDialog());
    {
        RSeReadOnlyScope reading;
        EXPECT_EQ(d.Symbol().Read()->GetSurfTXTState()->GetValue(S::kRaMax), u"Ra 3.2");
    }
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 line = mgr.GetLines().back();

    SurfDoc direct;
    std::vector<UTxString16> values(S::kValueCount);
    values[S::kRaMax] = u"Ra 3.2";
    WqGePoint3d origin;
    {
        RSeReadOnlyScope reading;
        origin = direct.Symbol().Read()->GetSymbolOrigin();
    }
    ASSERT_FALSE(direct.doc
                     ->ProcessChangeRequest(new DLxCreateSurfTXTRequest(
                         direct.Symbol(), values, origin, 1, 0, 0.0, {}, {}, {}))
                     .Failed());
    EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().back()), UTx::ToUtf8(line));
    EXPECT_EQ(direct.Bytes(), d.Bytes());

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
}

TEST_F(SurfTXTEditor, OpensNoDialogOnALockedDocumentOrAnotherKind) {
    SurfDoc d;
    Runner runner(S::kRaMax, u"Ra 3.2", D::kIdOK);
    DLxSurfTXTEditor onSheet(RSeRef<DLxSheet>(d.sheet), nullptr);
    EXPECT_FALSE(onSheet.StartDialog());
    d.doc->locked = true;
    DLxSurfTXTEditor editor(d.Symbol(), nullptr);
    EXPECT_TRUE(editor.StartDialog());
    EXPECT_EQ(runner.runs, 0);
    EXPECT_TRUE(mgr.GetLines().empty());
}
