// The weld dialog, driven as a user would: which side each row edits, the records each change
// appends, the preview they give, the stack buttons, and the symbol the records make when the
// request replays them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "WeldTestDoc.h"
#include "WinModule.h"
#include "Welding/DLxWeldDialog.h"
#include "fw/FWxTranscriptValue.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
using namespace weldtest;
using D = DLxWeldDialog;

// Keys of the records appended from `from` on, with their first value as text.
std::vector<std::string> Keys(const Records& records, size_t from) {
    std::vector<std::string> out;
    for (size_t i = from; i < records.size(); ++i) {
        const FBxObjectEditRecord& r = records[i];
        std::string text = UTx::ToUtf8(r.GetKey());
        const FWxTranscriptValue& v = r.GetValue(0);
        if (v.GetKind() == FWxTranscriptValue::kBool)
            text += v.GetBool() ? " true" : " false";
        else if (v.GetKind() == FWxTranscriptValue::kString)
            text += " " + UTx::ToUtf8(v.GetText());
        else
            text += " " + std::to_string(r.GetInt(0));
        out.push_back(text);
    }
    return out;
}

// The dialog takes its template from the resource module, which the module loads with it.
struct Session {
    HMODULE module = LoadLibraryW(
        UTx::MakeWideString(
            (std::filesystem::path(KORVU_BIN).parent_path() / "libkorvu.so").string())
            .c_str());
    WeldDoc d;
    Records records;
    std::unique_ptr<D> dlg;
    explicit Session(const char16_t* standard = u"ISO", const Records& made = {}) : d(standard) {
        EXPECT_FALSE(d.Create(made).Failed());
        dlg = std::make_unique<D>(RSeRef<DLxWeldInstance>(d.Weld()), nullptr, records);
        EXPECT_TRUE(dlg->Create());
    }
    ~Session() {
        dlg.reset();
        if (module) FreeLibrary(module);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    void Type(int32_t id, const char16_t* text) {
        dlg->SetDlgItemText(id, text);
        dlg->OnKillFocus(id);
    }
    // Picks the picture of a weld type in a row's weld popup (0: "no weld").
    void ChooseWeld(int32_t row, uint32_t type) {
        dlg->OnChoose(D::kRows[row].weldPopup, int32_t(Picture(row, type)));
    }
    static uint32_t Picture(int32_t row, uint32_t type) {
        for (const DUxWeldSrvUtils::Desc& d : DUxWeldSrvUtils::GetWelds(row == 0))
            if (d.weldType == type) return d.bitmap;
        return DUxWeldSrvUtils::kNoWeldBitmap;
    }
    // A press and release of the left button in the middle of a control.
    static void MouseClick(DLxWeldBitmapButton& b) {
        b.OnLButtonDown(1, 1);
        b.OnLButtonUp(1, 1);
    }
};

TEST(WeldDialog, ItsTemplateHoldsEveryControlItDrives) {
    Session s;
    std::vector<int32_t> ids = {D::kFieldWeld, D::kAllAround,  D::kSwap,          D::kSpacer,
                                D::kIdentLine, D::kStagger,    D::kNoteBox,       D::kNoteText,
                                D::kAddSubWeld, D::kDeleteSubWeld, D::kNextSubWeld,
                                D::kPreviousSubWeld, UCxDialog::kIdOK, UCxDialog::kIdCancel};
    for (const D::Row& row : D::kRows) {
        for (int32_t i : {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14})
            ids.push_back(row.firstValueEdit + i);
        for (int32_t id : {row.prefixEdit, row.weldPopup, row.secondaryButton, row.primaryContour,
                           row.secondaryContour, row.brazing, row.primaryFinish,
                           row.secondaryFinish})
            ids.push_back(id);
    }
    for (int32_t id : ids)
        EXPECT_TRUE(s.dlg->HasControl(id)) << id;
}

TEST(WeldDialog, TheTopRowEditsTheArrowSideWhenItIsAboveTheLine) {
    Session s(u"ISO"); // arrow side above the line
    ASSERT_TRUE(s.dlg->IsArrowSideOnTop());
    s.Type(D::kRows[0].firstValueEdit + 0, u"a5");
    EXPECT_EQ(Keys(s.records, 0), (std::vector<std::string>{"WeldPrimaryValuePositions true",
                                                            "WeldValueIndex 0", "WeldValue a5"}));
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].weldOnArrowSide(true)->values[DUxCWeld::kSize],
              u"a5");
    // The bottom row has no weld: a value typed there goes nowhere but says which side.
    EXPECT_FALSE(s.dlg->IsItemVisible(D::kRows[1].firstValueEdit));
    s.Type(D::kRows[1].firstValueEdit + 0, u"3");
    EXPECT_EQ(Keys(s.records, 3), (std::vector<std::string>{"WeldPrimaryValuePositions false"}));
    EXPECT_EQ(s.dlg->GetFocusItem(), D::kRows[1].weldPopup);

    // Swapped, the top row edits the other side.
    s.dlg->ClickButton(D::kSwap);
    EXPECT_FALSE(s.dlg->IsArrowSideOnTop());
    EXPECT_EQ(s.dlg->GetDlgItemText(D::kRows[1].firstValueEdit), u"a5");
    s.ChooseWeld(0, DUxCWeld::kV);
    const size_t before = s.records.size();
    s.Type(D::kRows[0].firstValueEdit + DUxCWeld::kAngle, u"60");
    EXPECT_EQ(Keys(s.records, before),
              (std::vector<std::string>{"WeldPrimaryValuePositions false", "WeldValueIndex 4",
                                        "WeldValue 60"}));
    const DUxCSubWelding& sub = s.dlg->GetPreview().subWeldings[0];
    ASSERT_NE(sub.weldOnOtherSide(true), nullptr);
    EXPECT_EQ(sub.weldOnOtherSide(true)->values[DUxCWeld::kAngle], u"60");
}

TEST(WeldDialog, ASecondaryWeldsValuesTakeTheirOwnPositions) {
    Session s;
    ASSERT_TRUE(s.dlg->IsItemVisible(D::kRows[0].secondaryButton));
    s.dlg->ClickButton(D::kRows[0].secondaryButton);
    EXPECT_TRUE(s.dlg->SecondaryButton(0).GetState());
    EXPECT_TRUE(s.dlg->SecondaryButton(0).IsDrawnPressed());
    const size_t before = s.records.size();
    s.Type(D::kRows[0].firstValueEdit + 10, u"3");
    EXPECT_EQ(Keys(s.records, before),
              (std::vector<std::string>{"WeldSecondaryValuePositions true", "WeldValueIndex 10",
                                        "WeldValue 3"}));
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].weldOnArrowSide(false)->values[DUxCWeld::kSize],
              u"3");
}

TEST(WeldDialog, AWeldThroughBothPlatesClearsTheOtherSide) {
    Session s(u"ISO", {Weld(u"AddPrimaryOtherWeld", DUxCWeld::kFillet)});
    s.ChooseWeld(0, DUxCWeld::kSpot);
    EXPECT_EQ(Keys(s.records, 0), (std::vector<std::string>{"AddPrimaryArrowWeld 8",
                                                            "AddPrimaryOtherWeld 0"}));
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].weldOnOtherSide(true), nullptr);
    EXPECT_FALSE(s.dlg->IsItemVisible(D::kRows[1].weldPopup));
    EXPECT_FALSE(s.dlg->IsItemVisible(D::kRows[0].secondaryButton));
}

TEST(WeldDialog, TheStackButtonsFollowTheCurrentSubWelding) {
    Session s;
    EXPECT_FALSE(s.dlg->IsItemEnabled(D::kDeleteSubWeld));
    EXPECT_FALSE(s.dlg->IsItemEnabled(D::kNextSubWeld));
    s.dlg->ClickButton(D::kAddSubWeld);
    s.Type(D::kNoteText, u"141");
    EXPECT_EQ(s.dlg->GetPreview().subWeldings.size(), 2u);
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].notes, u"141"); // the new one is current
    EXPECT_TRUE(s.dlg->IsItemEnabled(D::kDeleteSubWeld));
    EXPECT_TRUE(s.dlg->IsItemEnabled(D::kNextSubWeld));
    EXPECT_FALSE(s.dlg->IsItemEnabled(D::kPreviousSubWeld));
    s.dlg->ClickButton(D::kNextSubWeld);
    EXPECT_EQ(s.dlg->GetCurrentIndex(), 1);
    EXPECT_FALSE(s.dlg->IsItemEnabled(D::kNextSubWeld));
    EXPECT_EQ(s.dlg->GetDlgItemText(D::kNoteText), u"");
    s.dlg->ClickButton(D::kPreviousSubWeld);
    const size_t before = s.records.size();
    s.dlg->ClickButton(D::kDeleteSubWeld); // at index 0
    EXPECT_EQ(Keys(s.records, before),
              (std::vector<std::string>{"DeleteSubweld 0", "SubWeldIndex 0"}));
    EXPECT_EQ(s.dlg->GetCurrentIndex(), 0);
    EXPECT_FALSE(s.dlg->IsItemEnabled(D::kDeleteSubWeld));
    EXPECT_EQ(s.dlg->GetFocusItem(), D::kAddSubWeld);
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].notes, u"");
}

TEST(WeldDialog, AllAroundStepsByTheStandard) {
    struct Case {
        const char16_t* standard;
        std::vector<int32_t> steps;
    };
    const Case cases[] = {{u"ANSI", {1, 0}}, {u"JIS", {2, 8, 0}}, {u"ISO", {4, 0}},
                          {u"BSI", {2, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.standard));
        Session s(c.standard);
        for (int32_t expected : c.steps) {
            s.dlg->ClickButton(D::kAllAround);
            EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].areaDescType, expected);
            EXPECT_EQ(s.dlg->IsDlgButtonChecked(D::kAllAround), expected != 0);
        }
    }
}

// What the dialog shows is what the request makes of its records; the symbol itself waits
// for the request (a cancelled dialog leaves it alone).
TEST(WeldDialog, TheRequestMakesTheSymbolThePreviewShowed) {
    Session s;
    const std::vector<uint8_t> before = s.d.Bytes();
    s.ChooseWeld(1, DUxCWeld::kFillet);
    s.Type(D::kRows[1].firstValueEdit + DUxCWeld::kSize, u"4");
    s.Type(D::kRows[0].prefixEdit, u"a");
    s.dlg->OnChoose(D::kRows[0].primaryContour, DUxCWeld::kConcave);
    s.dlg->ClickButton(D::kFieldWeld);
    s.dlg->ClickButton(D::kNoteBox);
    s.dlg->OnChoose(D::kIdentLine, int32_t(D::kIdentLineBitmaps[2]));
    s.dlg->ClickButton(D::kRows[0].brazing);
    s.dlg->ClickButton(D::kAddSubWeld);
    s.ChooseWeld(0, DUxCWeld::kBack);
    s.dlg->ClickButton(UCxDialog::kIdOK);
    EXPECT_EQ(s.d.Bytes(), before);

    const UTxResult r = s.d.Edit(s.d.Weld(), s.records);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(s.d.State()->GetContent(), s.dlg->GetPreview());
    const DUxCSubWelding& first = *s.d.State()->subWelding(1);
    EXPECT_EQ(first.weldOnOtherSide(true)->values[DUxCWeld::kSize], u"4");
    EXPECT_EQ(first.weldOnArrowSide(true)->prefix, u"a");
    EXPECT_EQ(first.weldOnArrowSide(true)->contourType, DUxCWeld::kConcave);
    EXPECT_TRUE(first.weldOnArrowSide(true)->brazing);
    EXPECT_EQ(first.fieldWeldType, 1);
    EXPECT_TRUE(first.closedTail);
    EXPECT_EQ(s.d.State()->GetIdentLineType(), W::kIdentLineAbove);
    EXPECT_EQ(s.d.State()->subWelding(0)->weldOnArrowSide(true)->weldType, DUxCWeld::kBack);
}

// A mouse click flips a toggle before the dialog hears of it; a keyboard click does not, and the
// dialog flips it. Either way the toggle shows what the records made.
TEST(WeldDialog, TogglesFollowMouseAndKeyboardClicksAlike) {
    Session s(u"ISO", {Weld(u"AddPrimaryArrowWeld", DUxCWeld::kV)});
    ASSERT_TRUE(s.dlg->IsItemVisible(D::kSpacer));
    ASSERT_FALSE(s.dlg->SpacerButton().GetState());
    Session::MouseClick(s.dlg->SpacerButton());
    EXPECT_EQ(Keys(s.records, 0), (std::vector<std::string>{"WeldAssociationType 1"}));
    EXPECT_TRUE(s.dlg->SpacerButton().GetState());
    s.dlg->ClickButton(D::kSpacer);
    s.dlg->ClickButton(D::kSpacer);
    EXPECT_EQ(Keys(s.records, 1),
              (std::vector<std::string>{"WeldAssociationType 0", "WeldAssociationType 1"}));
    EXPECT_TRUE(s.dlg->SpacerButton().IsDrawnPressed());
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].associationType, 1);

    const bool top = s.dlg->IsArrowSideOnTop();
    Session::MouseClick(s.dlg->SwapButton());
    EXPECT_EQ(s.dlg->IsArrowSideOnTop(), !top);
    EXPECT_EQ(s.dlg->SwapButton().GetState(), !top);
    s.dlg->ClickButton(D::kSwap);
    EXPECT_EQ(s.dlg->IsArrowSideOnTop(), top);
    EXPECT_EQ(s.dlg->SwapButton().GetState(), top);
    EXPECT_FALSE(s.dlg->SwapButton().WasClickedByMouse());
}

// The popups and combos show the pictures of what the symbol holds and answer choices of their
// own pictures only.
TEST(WeldDialog, PopupsAndCombosShowAndTakePictures) {
    Session s;
    UCxBitmapPopup& top = s.dlg->WeldPopup(0);
    // "No weld" first, then every weld type: eleven pictures, three columns.
    ASSERT_EQ(top.GetEntries().size(), 11u);
    EXPECT_EQ(top.GetEntries()[0].bitmap, DUxWeldSrvUtils::kNoWeldBitmap);
    EXPECT_EQ(top.GetColumns(), 3);
    EXPECT_EQ(top.GetCurrentBitmap(), Session::Picture(0, DUxCWeld::kFillet));
    EXPECT_EQ(s.dlg->WeldPopup(1).GetCurrentBitmap(), DUxWeldSrvUtils::kNoWeldBitmap);
    EXPECT_NE(Session::Picture(0, DUxCWeld::kFillet), Session::Picture(1, DUxCWeld::kFillet));

    // A picture of the other row's popup is none of this one's.
    s.dlg->OnChoose(D::kRows[0].weldPopup, int32_t(Session::Picture(1, DUxCWeld::kV)));
    EXPECT_TRUE(s.records.empty());

    DLxWeldComboBox& contour = s.dlg->ContourCombo(0, true);
    EXPECT_EQ(contour.GetSelectedId(), DUxCWeld::kNoContour);
    s.dlg->OnChoose(D::kRows[0].primaryContour, 7); // no such contour
    EXPECT_TRUE(s.records.empty());
    s.dlg->OnChoose(D::kRows[0].primaryContour, DUxCWeld::kConvex);
    EXPECT_EQ(Keys(s.records, 0), (std::vector<std::string>{"ArrowContourType 2"}));
    EXPECT_EQ(contour.GetSelectedId(), DUxCWeld::kConvex);
    EXPECT_EQ(s.dlg->GetToolTip(D::kRows[0].primaryContour), u"Convex contour");

    s.ChooseWeld(0, 0);
    EXPECT_EQ(Keys(s.records, 1), (std::vector<std::string>{"AddPrimaryArrowWeld 0"}));
    EXPECT_EQ(top.GetCurrentBitmap(), DUxWeldSrvUtils::kNoWeldBitmap);
    EXPECT_FALSE(s.dlg->IsItemVisible(D::kRows[0].primaryContour));

    s.ChooseWeld(0, DUxCWeld::kV);
    s.ChooseWeld(1, DUxCWeld::kV);
    ASSERT_TRUE(s.dlg->IsItemEnabled(D::kStagger));
    EXPECT_EQ(s.dlg->StaggerPopup().GetCurrentBitmap(), D::kNoStaggerBitmap);
    s.dlg->OnChoose(D::kStagger, 3341);
    EXPECT_EQ(s.dlg->GetPreview().subWeldings[0].associationType, 4);
    EXPECT_EQ(s.dlg->StaggerPopup().GetCurrentBitmap(), 3341u);
}

TEST(WeldDialog, IconsAndTooltipsFollowTheSymbol) {
    Session s(u"ANSI");
    EXPECT_EQ(s.dlg->GetToolTip(D::kSwap), u"Swap the arrow side and the other side");
    EXPECT_EQ(s.dlg->GetToolTip(D::kAllAround), u"Weld all around");
    EXPECT_EQ(s.dlg->GetToolTip(D::kRows[1].firstValueEdit + 3), u" ");
    EXPECT_EQ(s.dlg->GetItemIcon(D::kIconStatics[0]), 7801u);
    EXPECT_EQ(s.dlg->GetItemIcon(D::kFieldWeld), 2806u);
    s.dlg->ClickButton(D::kFieldWeld);
    EXPECT_EQ(s.dlg->GetItemIcon(D::kFieldWeld), 2807u);
    // All around under ANSI: 0, 1, 0.
    EXPECT_EQ(s.dlg->GetItemIcon(D::kAllAround), 2813u);
    s.dlg->ClickButton(D::kAllAround);
    EXPECT_EQ(s.dlg->GetItemIcon(D::kAllAround), 2800u);
    s.dlg->ClickButton(D::kAllAround);
    EXPECT_EQ(s.dlg->GetItemIcon(D::kAllAround), 2813u);
}

// A contoured weld offers its finishing methods; the choice travels as the weld's value 15 (17
// for a secondary weld), and the symbol draws it beyond the contour.
TEST(WeldDialog, AContouredWeldTakesAFinishingMethod) {
    Session s;
    const D::Row& top = D::kRows[0];
    EXPECT_FALSE(s.dlg->IsItemVisible(top.primaryFinish));
    s.dlg->OnChoose(top.primaryContour, DUxCWeld::kFlush);
    ASSERT_TRUE(s.dlg->IsItemVisible(top.primaryFinish));
    const std::vector<UTxString16> choices = s.dlg->GetComboChoices(top.primaryFinish);
    ASSERT_EQ(choices.size(), 7u);
    EXPECT_EQ(choices.back(), u"");
    const size_t before = s.records.size();
    s.dlg->OnChoose(top.primaryFinish, 1); // "G"
    EXPECT_EQ(Keys(s.records, before),
              (std::vector<std::string>{"WeldPrimaryValuePositions true", "WeldValueIndex 15",
                                        "WeldValue G"}));
    EXPECT_EQ(s.dlg->GetDlgItemText(top.primaryFinish), u"G");
    s.dlg->OnChoose(top.primaryFinish, 7); // no such entry
    EXPECT_EQ(s.records.size(), before + 3);

    s.dlg->ClickButton(top.secondaryButton);
    s.dlg->OnChoose(top.secondaryContour, DUxCWeld::kConvex);
    const size_t second = s.records.size();
    s.dlg->OnChoose(top.secondaryFinish, 3); // "M"
    EXPECT_EQ(Keys(s.records, second),
              (std::vector<std::string>{"WeldSecondaryValuePositions true", "WeldValueIndex 17",
                                        "WeldValue M"}));
    const DUxCSubWelding& sub = s.dlg->GetPreview().subWeldings[0];
    EXPECT_EQ(sub.weldOnArrowSide(true)->finish, u"G");
    EXPECT_EQ(sub.weldOnArrowSide(false)->finish, u"M");

    ASSERT_FALSE(s.d.Edit(s.d.Weld(), s.records).Failed());
    SMxDisplayList lines, texts;
    s.d.State()->GenGraphics(lines, texts, 0, UTxGUID(), false, 0);
    bool drawn = false;
    for (const SMxDisplayItem& i : texts)
        if (const auto* text = dynamic_cast<const SMxTextItem*>(&i))
            drawn = drawn || text->text == u"G";
    EXPECT_TRUE(drawn);
}

} // namespace
