#pragma once
// The weld symbol dialog, headless: two rows of weld controls (the top row edits the arrow side
// when the current sub-welding has its arrow side above the line, else the other side), the
// field-weld, all-around, swap, spacer, identification-line and stagger controls, the note and
// its box, and the stack of sub-weldings. Every change appends weld edit records to the
// caller's list; the dialog shows their effect on a preview of the symbol's content (the
// records replayed onto a copy), and the symbol itself changes only when the caller processes
// the weld symbol request with the list.
//
// The owner-drawn controls are the dialog's own objects: the secondary-weld buttons
// (CWeldArrowButton), the swap and spacer toggles (CWeldToggleButton), the contour combos
// (DLxWeldComboBox) and the picture popups (UCxBitmapPopup) of the welds, the identification
// line and the stagger. What they show is what the dialog reads back.
//
// As the framework would, a caller (a test, a modal runner) clicks buttons (ClickButton: a
// keyboard click; or the mouse on a control), puts text into edits and leaves them
// (SetDlgItemText, OnKillFocus), and chooses in popups and combos (OnChoose: a popup takes the
// bitmap id of one of its pictures, a contour combo a contour type of one of its entries).
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "Welding/DLxWeldBitmapButton.h"
#include "Welding/DLxWeldComboBox.h"
#include "du/DUxWeldState.h"
#include "rse/RSeRef.h"
#include "uc/UCxBitmapPopup.h"
#include "uc/UCxDialog.h"

class DLxWeldInstance;
class FBxObjectEditRecord;
using FBxObjectEditRecordList = std::vector<FBxObjectEditRecord>;

class DLxWeldDialog : public UCxDialog {
public:
    static constexpr int32_t kTemplate = 7700;
    // Sent to the command target after every change.
    static constexpr int32_t kNotifyChanged = 3583;

    // Controls of a row, top then bottom.
    struct Row {
        int32_t firstValueEdit;  // value i (0 .. 14) at firstValueEdit + i
        int32_t prefixEdit;
        int32_t weldPopup;
        int32_t secondaryButton;
        int32_t primaryContour;
        int32_t secondaryContour;
        int32_t brazing;
        // The finishing methods of the primary and the secondary weld's contours.
        int32_t primaryFinish;
        int32_t secondaryFinish;
    };
    static constexpr Row kRows[2] = {{7625, 7640, 8332, 8187, 7576, 7577, 7622, 7641, 7642},
                                     {8053, 8068, 8426, 8186, 7574, 7575, 8050, 8069, 8070}};
    static constexpr int32_t kFieldWeld = 8425;
    static constexpr int32_t kAllAround = 8421;
    static constexpr int32_t kSwap = 7828;
    static constexpr int32_t kSpacer = 8196;
    static constexpr int32_t kIdentLine = 3822;
    static constexpr int32_t kStagger = 8198;
    static constexpr int32_t kNoteBox = 8047;
    static constexpr int32_t kNoteText = 7981;
    static constexpr int32_t kAddSubWeld = 8384;
    static constexpr int32_t kDeleteSubWeld = 8385;
    static constexpr int32_t kNextSubWeld = 8386;
    static constexpr int32_t kPreviousSubWeld = 8387;
    static constexpr size_t kMaxText = 256;
    // Statics showing icons.
    static constexpr int32_t kIconStatics[2] = {8419, 8048};
    // Pictures of the identification-line popup (none, below, above) and the stagger popup.
    static constexpr uint32_t kIdentLineBitmaps[3] = {3080, 3081, 3082};
    static constexpr uint32_t kNoStaggerBitmap = 3319;
    // Welds of these types go through both plates: no weld on the other side.
    static bool TakesBothSides(uint32_t type);

    // `records` is the caller's: records are appended, never removed.
    DLxWeldDialog(const RSeRef<DLxWeldInstance>& weld, FWxState* target,
                  FBxObjectEditRecordList& records);

    // False when the resource module lacks the dialog's template.
    bool OnInitDialog() override;
    void OnClicked(int32_t id) override;
    void OnKillFocus(int32_t id);
    void OnChoose(int32_t id, int32_t value);

    // The symbol's content with the records so far.
    const DUxWeldContent& GetPreview() const { return m_preview; }
    int32_t GetCurrentIndex() const { return m_current; }
    bool IsArrowSideOnTop() const { return m_arrowOnTop; }
    // Whether the dialog's template has a control of that id.
    bool HasControl(int32_t id) const { return m_templateIds.count(id) != 0; }

    // The owner-drawn controls; row 0 top, 1 bottom.
    CWeldArrowButton& SecondaryButton(int32_t row) { return *m_secondary[row]; }
    CWeldToggleButton& SwapButton() { return m_swap; }
    CWeldToggleButton& SpacerButton() { return m_spacer; }
    DLxWeldComboBox& ContourCombo(int32_t row, bool primary) {
        return *m_contour[row][primary ? 0 : 1];
    }
    UCxBitmapPopup& WeldPopup(int32_t row) { return *m_weldPopup[row]; }
    UCxBitmapPopup& IdentLinePopup() { return m_identPopup; }
    UCxBitmapPopup& StaggerPopup() { return m_staggerPopup; }
    // The entries of a finishing-method combo (the methods, then an empty entry for none).
    std::vector<UTxString16> GetComboChoices(int32_t id) const;
    // The tooltip a control shows; empty when it has none.
    UTxString16 GetToolTip(int32_t id) const;
    // The icon a button or static shows (a resource id); 0 when none.
    uint32_t GetItemIcon(int32_t id) const;

private:
    void InitControls();
    void FillWeldPopup(int32_t row);
    void SetToolTip(int32_t id, uint32_t stringId);
    void OnPopupChoice(UCxBitmapPopup& popup, uint32_t bitmap);
    void OnContourChoice(int32_t row, bool primary);
    const DUxCSubWelding* Current() const;
    // Whether row r (0 top, 1 bottom) shows the arrow side.
    bool RowIsArrowSide(int32_t row) const { return (row == 0) == m_arrowOnTop; }
    const DUxCWeld* RowWeld(int32_t row, bool primary) const;
    // Appends a record and replays the list onto the preview; then the change is told.
    void Record(const FBxObjectEditRecord& record);
    void Changed();
    void RefreshRow(int32_t row);
    void GeneralUpdate();
    void UpdateStackButtons();
    void ChooseWeld(int32_t row, uint32_t type);
    void ToggleSecondary(int32_t row);
    void CommitValue(int32_t row, int32_t index);
    int32_t StandardType() const;

    RSeRef<DLxWeldInstance> m_weld;
    FBxObjectEditRecordList& m_records;
    std::set<int32_t> m_templateIds;
    DUxWeldContent m_original;
    DUxWeldContent m_preview;
    int32_t m_current = 0;
    bool m_arrowOnTop = true;

    std::unique_ptr<CWeldArrowButton> m_secondary[2];
    CWeldToggleButton m_swap;
    CWeldToggleButton m_spacer;
    std::unique_ptr<DLxWeldComboBox> m_contour[2][2];
    std::unique_ptr<UCxBitmapPopup> m_weldPopup[2];
    UCxBitmapPopup m_identPopup;
    UCxBitmapPopup m_staggerPopup;
    std::map<int32_t, UTxString16> m_tooltips;
    std::map<int32_t, uint32_t> m_icons;
    std::map<int32_t, std::vector<UTxString16>> m_choices;
};
