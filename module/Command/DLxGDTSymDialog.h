#pragma once
// The feature control frame dialog, headless: up to three framed lines (a symbol picker and five
// symbol-font edit fields each), a text line above the frame, a note line below it, the datum
// identifier, the all-around flag of leader 0 and twelve buttons that type modifying symbols.
//
// The dialog edits the frame it is given live: every change is written straight into its state
// (lines added, framed or cleared as the rules below say), and its command target hears
// kRefreshNotice so that it can redraw. The frame is therefore a preview copy; the caller turns
// the copy's state into one edit request after OK (MakeEditRequest) and throws it away after
// Cancel.
//
// A framed line r (0, 1, 2) of the dialog is state line m + r, where m is 1 while a text line
// above the frame exists (state line 0, unframed) and 0 otherwise. The note is the unframed line
// after the last line that has a symbol.
//
// As the framework would, a caller (a test, a modal runner) types into a field (Edit(id), then
// EditChanged(id)), focuses one (EditSetFocus), picks a symbol (PickerChanged with a bitmap id,
// or ChooseSymbol with a code), clicks the all-around check box or a symbol button
// (ClickButton), shows or hides the dialog (OnShowWindow) and ends it with OK or Cancel.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Symbol/DLxGDTRichEditCtrl.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "uc/UCxDialog.h"
#include "utx/UTxString16.h"

class DLxCreateGDTRequest;
class DLxGDTInstance;
class DLxGDTState;

class DLxGDTSymDialog : public UCxDialog {
public:
    static constexpr int32_t kTemplateId = 7665;
    // Symbol pickers of framed lines 0, 1, 2.
    static constexpr int32_t kPickers[3] = {8017, 8018, 8019};
    static constexpr int32_t kAllAround = 7814;
    // The row fields by row: tolerance A, tolerance B, datum A, datum B, datum C.
    static constexpr int32_t kRowFields[3][5] = {{8020, 8021, 7993, 7994, 7995},
                                                 {8022, 8023, 7996, 7997, 7998},
                                                 {8024, 8025, 7999, 8000, 8001}};
    static constexpr int32_t kTopText = 8003;
    static constexpr int32_t kNoteText = 8004;
    static constexpr int32_t kDatumIdentifier = 8002;
    static constexpr int32_t kFirstSymbolButton = 8005;
    static constexpr int32_t kLastSymbolButton = 8016;
    // Told to the command target after every change.
    static constexpr int32_t kRefreshNotice = 3534;
    // The picker's "no symbol" entry: its picture and tooltip.
    static constexpr int32_t kNoneBitmap = 7680;
    static constexpr int32_t kNoneToolTip = 8225;
    // Text limits of the fields.
    static constexpr int kToleranceLimit = 48;
    static constexpr int kDatumLimit = 16;
    static constexpr int kLineTextLimit = 100;

    // One entry of a symbol picker.
    struct PickerEntry {
        int32_t bitmapId = 0;
        int32_t nameId = 0;
        int32_t code = 0;
    };
    struct Picker {
        std::vector<PickerEntry> entries;
        int32_t current = 0; // the bitmap id shown
        int32_t columns = 1;
        int32_t toolTip = 0; // string id, 0 for none
    };
    // A button that types a modifying symbol: in text mode a letter in the dialog's font,
    // otherwise the symbol's glyph in the symbol font.
    struct SymbolButton {
        bool textMode = true;
        std::u16string text;
        int32_t bitmapId = 0;
        UTxString16 toolTip;
    };

    DLxGDTSymDialog(const RSeRef<DLxGDTInstance>& frame, FWxState* target);
    ~DLxGDTSymDialog() override;

    bool OnInitDialog() override;
    // The all-around check box (its check already as the user left it) and the symbol buttons.
    void OnClicked(int32_t id) override;
    void OnOK() override;
    // Typing: the field gets the focus, the keys go in at its end, the change is heard.
    void OnUserType(int32_t id, const std::u16string& text) override;
    // A picker: the symbol of that code (ChooseSymbol).
    void OnUserChoose(int32_t id, int32_t value) override { ChooseSymbol(id, value); }

    // ---- what the user does
    // A picker's selection changed to the entry of bitmap `bitmapId`.
    void PickerChanged(int32_t pickerId, int32_t bitmapId);
    // The same, by symbol code (0 the none entry); ignored for a code the picker does not offer.
    void ChooseSymbol(int32_t pickerId, int32_t code);
    // A field got the focus.
    void EditSetFocus(int32_t id);
    // A field's text changed (after typing, pasting, deleting).
    void EditChanged(int32_t id);
    void OnShowWindow(bool show);
    // The private message the dialog posts itself when shown: the focus goes back to the field
    // that had it, caret at the end.
    void OnRestoreFocus();

    // ---- what the dialog shows
    // Null for an id that is not one of the eighteen fields.
    CGDTRichEditCtrl* Edit(int32_t id);
    const Picker& GetPicker(int32_t pickerId) const;
    // The symbol code a picker shows: its current bitmap looked up in its list (0 when absent).
    int32_t PickerSymbol(int32_t pickerId) const;
    const SymbolButton& GetSymbolButton(int32_t id) const;
    int32_t GetFocusedField() const { return m_focused; }
    bool IsTopLinePresent() const { return m_topPresent; }
    bool IsNotePresent() const { return m_notePresent; }
    int32_t GetNoteLineIndex() const { return m_noteLine; }
    int32_t GetRefreshNotices() const { return m_notices; }
    const UTxString16& GetTextFont() const { return m_parent.textFace; }

    // The edit of `stored` that gives it the values of `edited` (its preview copy): every line
    // with its six values, visibilities and framed flag, the datum identifier, the all-around
    // flag of leader 0 and the state's layer style.
    static SmartPtr<DLxCreateGDTRequest> MakeEditRequest(const RSeRef<DLxGDTInstance>& stored,
                                                         const DLxGDTInstance& edited);

private:
    struct Field {
        int32_t id;
        std::unique_ptr<CGDTRichEditCtrl> ctrl;
    };
    DLxGDTState* State() const;
    int32_t Offset() const { return m_topPresent ? 1 : 0; }
    // Row and column of a row field; false for any other id.
    bool RowOf(int32_t id, int32_t& row, int32_t& column) const;
    int32_t PickerIndex(int32_t pickerId) const;
    void FillPicker(Picker& picker, int32_t current, bool withNone);
    void SetPickerCode(Picker& picker, int32_t code);
    void StoreControlText(int32_t id, int32_t variable, int32_t line, bool framed);
    void LoadControlText(int32_t id, int32_t variable, int32_t line);
    // Stores the field as the table says: a row field at its line, the top text as line 0, the
    // note through UpdateNoteLine, the datum identifier.
    void StoreField(int32_t id);
    void StoreRow(int32_t row);
    void UpdateControls();
    void UpdateNoteLine();
    void TopTextChanged();
    void Refresh();
    void Tell();
    void ShowField(int32_t id, int32_t visibility);
    void InsertSymbol(int32_t buttonId);

    RSeRef<DLxGDTInstance> m_frame;
    DLxGDTEditParent m_parent;
    std::vector<Field> m_fields;
    std::array<Picker, 3> m_pickers;
    std::array<SymbolButton, 12> m_buttons;
    std::array<int32_t, 15> m_variables{};
    bool m_active = false;
    int32_t m_focused = 0;
    int32_t m_hiddenFocus = 0;
    bool m_topPresent = false;
    bool m_notePresent = false;
    int32_t m_noteLine = -1;
    int32_t m_notices = 0;
};
