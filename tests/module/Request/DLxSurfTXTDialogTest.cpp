// The surface-texture dialog as a user drives it: the fields the standard offers, typing that
// unlocks dependent fields, the subtype, option and lay controls.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Command/DLxSurfTXTDialog.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxSurfTXTState.h"

namespace {
using S = DUxSurfTXTState;
using D = DLxSurfTXTDialog;

// A DIN drawing with one symbol on a view edge, and the dialog open on its state.
struct DialogDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    S* state = nullptr;
    std::unique_ptr<D> dlg;

    explicit DialogDoc(const char16_t* standard = u"DIN") {
        doc->GetDrawing()->SetStandardName(standard);
        DLxSheet* sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxViewInstance* view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        std::vector<UTxString16> values(S::kValueCount);
        EXPECT_FALSE(doc->ProcessChangeRequest(
                            new DLxCreateSurfTXTRequest(DLxIntent::OnEdge(view, 1, 0.5), {},
                                                        {200, 160, 0}, 28029, values, {}, 1, 0,
                                                        0.0, {}, {}, {}))
                         .Failed());
        for (const RSeRef<RDxNode>& n : sheet->GetNodes())
            if (auto* s = dynamic_cast<DLxSurfTXTInstance*>(n.GetTarget()))
                state = s->GetSurfTXTState();
        dlg = std::make_unique<D>(state, nullptr);
        EXPECT_TRUE(dlg->Create());
    }
    int32_t IndexOf(int32_t variable) const {
        for (int32_t i = 0; i < 12; ++i)
            if (dlg->ValueAt(i) == variable) return i;
        return -1;
    }
    void Type(int32_t variable, const char16_t* text) {
        const int32_t id = D::kFirstEdit + IndexOf(variable);
        dlg->SetDlgItemText(id, text);
        dlg->EditChanged(id);
    }
    bool Enabled(int32_t variable) const {
        const int32_t i = IndexOf(variable);
        return dlg->IsItemEnabled(i == D::kLayIndex ? D::kLayCombo : D::kFirstEdit + i);
    }
};
} // namespace

TEST(SurfTXTDialog, FieldsSitWhereTheStandardPutsThemAndUnlockAsTheyFill) {
    DialogDoc d;
    // DIN places: RaMax, RaMin, Allowance, Production2, Lay, Cutoff, SampLength, OtherValue,
    // OtherMin, Production.
    EXPECT_EQ(d.IndexOf(S::kProduction2), 3);
    EXPECT_EQ(d.IndexOf(S::kLay), D::kLayIndex);
    EXPECT_EQ(d.IndexOf(S::kProduction), 9);
    EXPECT_FALSE(d.Enabled(S::kRaMin));
    EXPECT_TRUE(d.dlg->IsFieldShown(d.IndexOf(S::kRaMin)));

    // Typing the maximum unlocks the minimum; the field typed in keeps its text as typed.
    d.dlg->SetDlgItemText(D::kFirstEdit + d.IndexOf(S::kRaMin), u"stale");
    d.Type(S::kRaMax, u"Ra 3.2");
    EXPECT_TRUE(d.Enabled(S::kRaMin));
    EXPECT_EQ(d.state->GetValue(S::kRaMax), u"Ra 3.2");
    EXPECT_EQ(d.dlg->GetDlgItemText(D::kFirstEdit + d.IndexOf(S::kRaMin)), u"");
    EXPECT_EQ(d.dlg->GetChangeNotices(), 1);

    // Emptying the maximum again wipes the minimum.
    d.Type(S::kRaMin, u"Ra 1.6");
    d.Type(S::kRaMax, u"");
    EXPECT_TRUE(d.state->IsEmpty(S::kRaMin));
    EXPECT_FALSE(d.Enabled(S::kRaMin));
}

TEST(SurfTXTDialog, SubtypeAndOptionButtons) {
    DialogDoc d;
    EXPECT_TRUE(d.dlg->IsDlgButtonChecked(D::kSubType1));
    // Unchecking the checked subtype button leaves it checked and the subtype as it was.
    d.dlg->CheckDlgButton(D::kSubType1, false);
    d.dlg->ClickButton(D::kSubType1);
    EXPECT_TRUE(d.dlg->IsDlgButtonChecked(D::kSubType1));
    EXPECT_EQ(d.state->GetSubType(), 1);
    // Prohibiting material removal clears the lay and locks its combo.
    d.dlg->LayChosen(2);
    EXPECT_EQ(d.state->GetDirectionLay(), 2);
    d.dlg->CheckDlgButton(D::kSubType2, true);
    d.dlg->ClickButton(D::kSubType2);
    EXPECT_EQ(d.state->GetSubType(), 2);
    EXPECT_FALSE(d.dlg->IsDlgButtonChecked(D::kSubType1));
    EXPECT_EQ(d.state->GetDirectionLay(), 0);
    EXPECT_FALSE(d.Enabled(S::kLay));
    d.dlg->LayChosen(3); // a locked lay ignores the choice
    EXPECT_EQ(d.state->GetDirectionLay(), 0);

    // All around turns the forced tail on; turning it off leaves the tail.
    d.dlg->CheckDlgButton(D::kAllAround, true);
    d.dlg->ClickButton(D::kAllAround);
    EXPECT_TRUE(d.state->IsAllAround());
    EXPECT_TRUE(d.state->IsForcedTail());
    EXPECT_TRUE(d.dlg->IsDlgButtonChecked(D::kForcedTail));
    d.dlg->CheckDlgButton(D::kAllAround, false);
    d.dlg->ClickButton(D::kAllAround);
    EXPECT_FALSE(d.state->IsAllAround());
    EXPECT_TRUE(d.state->IsForcedTail());
    d.dlg->CheckDlgButton(D::kMajority, true);
    d.dlg->ClickButton(D::kMajority);
    EXPECT_TRUE(d.state->IsMajority());
}

TEST(SurfTXTDialog, TheLayComboListsWhatTheStandardOffers) {
    DialogDoc bsi(u"BSI");
    EXPECT_EQ(bsi.dlg->GetLayEntries(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(bsi.dlg->GetLaySelection(), 0);
    bsi.dlg->LayChosen(6);
    EXPECT_EQ(bsi.state->GetDirectionLay(), 6);
    DialogDoc din;
    EXPECT_EQ(din.dlg->GetLayEntries().size(), 8u);
}
