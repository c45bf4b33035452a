#pragma once
// The dialog that edits a surface-texture symbol: its values, subtype, lay and the forced-tail,
// majority and all-around options. It edits the state it is given (a preview copy's) live;
// which values it shows, where, with which labels, and which may be edited is the standard's
// call (the standard of the symbol's style), which the dialog follows after every change. After
// each change it tells its target (command 3530) so that the caller can refresh its preview.
#include <array>
#include <cstdint>
#include <vector>

#include "uc/UCxDialog.h"

class DLxCSurfTextStd;
class DUxSurfTXTState;

class DLxSurfTXTDialog : public UCxDialog {
public:
    static constexpr int32_t kTemplateId = 7666;
    // Edit of dialog index i (0 to 9, index 4 being the lay's combo) and its label.
    static constexpr int32_t kFirstEdit = 7970;
    static constexpr int32_t kFirstLabel = 8218;
    static constexpr int32_t kLayCombo = 400;
    static constexpr int32_t kLayIndex = 4;
    // Buttons.
    static constexpr int32_t kSubType0 = 7980;
    static constexpr int32_t kSubType1 = 7727;
    static constexpr int32_t kSubType2 = 7728;
    static constexpr int32_t kForcedTail = 7754;
    static constexpr int32_t kMajority = 7756;
    static constexpr int32_t kAllAround = 7758;
    // The notice sent to the target after every change.
    static constexpr int32_t kChangeNotice = 3530;

    DLxSurfTXTDialog(DUxSurfTXTState* state, FWxState* target);

    bool OnInitDialog() override;
    // A button the user clicked, its check already set as the user left it.
    void OnClicked(int32_t id) override;
    // The user typed in the edit `id`; EditLostFocus only stores the text.
    void EditChanged(int32_t id);
    void EditLostFocus(int32_t id);
    // The user chose the lay combo's entry `entry` (0 no lay, then the offered lays in order).
    void LayChosen(int32_t entry);

    // The lay types of the combo's entries, and the one selected (-1 none).
    const std::vector<int32_t>& GetLayEntries() const { return m_layEntries; }
    int32_t GetLaySelection() const { return m_laySelection; }
    // Whether the field of a dialog index is shown.
    bool IsFieldShown(int32_t index) const;
    // The value number in a dialog index; -1 for an empty slot.
    int32_t ValueAt(int32_t index) const;
    int32_t GetChangeNotices() const { return m_notices; }

private:
    static int32_t ControlOf(int32_t index) {
        return index == kLayIndex ? kLayCombo : kFirstEdit + index;
    }
    void CheckVisibility();
    void ShowFields();
    void EnableFields();
    // Writes the state into the controls; `editing` (a dialog index, -1 none) is left as typed.
    void Fill(int32_t editing);
    void Notify();

    DUxSurfTXTState* m_state;
    DLxCSurfTextStd* m_standard = nullptr;
    std::array<int32_t, 12> m_slots; // value number by dialog index, -1 empty
    std::array<bool, 12> m_shown{};
    std::vector<int32_t> m_layEntries;
    int32_t m_laySelection = -1;
    bool m_ready = false;
    int32_t m_notices = 0;
};
