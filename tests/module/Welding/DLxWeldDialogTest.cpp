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
                           row.secondaryContour, row.brazing})
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
    s.dlg->OnChoose(D::kRows[0].weldPopup, DUxCWeld::kV);
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
    EXPECT_TRUE(s.dlg->IsDlgButtonChecked(D::kRows[0].secondaryButton));
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
    s.dlg->OnChoose(D::kRows[0].weldPopup, DUxCWeld::kSpot);
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
    s.dlg->OnChoose(D::kRows[1].weldPopup, DUxCWeld::kFillet);
    s.Type(D::kRows[1].firstValueEdit + DUxCWeld::kSize, u"4");
    s.Type(D::kRows[0].prefixEdit, u"a");
    s.dlg->OnChoose(D::kRows[0].primaryContour, DUxCWeld::kConcave);
    s.dlg->ClickButton(D::kFieldWeld);
    s.dlg->ClickButton(D::kNoteBox);
    s.dlg->OnChoose(D::kIdentLine, 2);
    s.dlg->ClickButton(D::kRows[0].brazing);
    s.dlg->ClickButton(D::kAddSubWeld);
    s.dlg->OnChoose(D::kRows[0].weldPopup, DUxCWeld::kBack);
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

} // namespace
