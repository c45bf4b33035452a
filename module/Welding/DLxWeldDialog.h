#pragma once
// The weld symbol dialog, headless: two rows of weld controls (the top row edits the arrow side
// when the current sub-welding has its arrow side above the line, else the other side), the
// field-weld, all-around, swap, spacer, identification-line and stagger controls, the note and
// its box, and the stack of sub-weldings. Every change appends weld edit records to the
// caller's list; the dialog shows their effect on a preview of the symbol's content (the
// records replayed onto a copy), and the symbol itself changes only when the caller processes
// the weld symbol request with the list.
//
// As the framework would, a caller (a test, a modal runner) clicks buttons (ClickButton), puts
// text into edits and leaves them (SetDlgItemText, OnKillFocus), and chooses in popups and
// combos (OnChoose: the weld popups take a weld type, the contour combos a contour type, the
// identification-line popup a line type, the stagger popup an association type).
#include <cstdint>
#include <set>
#include <vector>

#include "du/DUxWeldState.h"
#include "rse/RSeRef.h"
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
    };
    static constexpr Row kRows[2] = {{7625, 7640, 8332, 8187, 7576, 7577, 7622},
                                     {8053, 8068, 8426, 8186, 7574, 7575, 8050}};
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

private:
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
};
