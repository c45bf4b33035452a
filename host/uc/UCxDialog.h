#pragma once
// The host's dialog base, headless. A dialog is a model of its controls by item id (text,
// check, enabled) that a test fills in and clicks, as a user would. Its window exists between
// Create and DestroyWindow. It reports to its command target (a command state) by notification
// (FWxCmd::kNotify): OnOK sends 39272 and OnCancel 39271; a control that asks for the focus
// sends 39096 with a UCxDialogFocusChangeData.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "Afx.h"

class FWxState;

struct UCxDialogFocusChangeData {
    int32_t oldFocus = -1;
    int32_t newFocus = -1;
};

class UCxDialog : public CCmdTarget {
public:
    static constexpr int32_t kNotifyOK = 39272;
    static constexpr int32_t kNotifyCancel = 39271;
    static constexpr int32_t kNotifyFocusChange = 39096;
    static constexpr int32_t kIdOK = 1;
    static constexpr int32_t kIdCancel = 2;

    UCxDialog(int32_t templateId, FWxState* target, CCmdTarget* parent = nullptr,
              int32_t option = 1);
    ~UCxDialog() override;

    int32_t GetTemplateId() const { return m_templateId; }
    FWxState* GetCommandTarget() const { return m_target; }

    using ModalRunner = std::function<void(UCxDialog&)>;
    // A modal run: the window is made (OnInitDialog) and handed to the process's modal runner,
    // which plays the user and ends the run with a click on OK or Cancel; the window goes when
    // the run ends. Answers kIdOK or kIdCancel (kIdCancel when the runner left the dialog open,
    // or when no runner is installed: nobody is there to answer).
    int32_t DoModal();
    bool IsModalEnded() const { return m_modalEnded; }
    // Installs the runner of every modal run that starts from now on; answers the one before.
    static ModalRunner SetModalRunner(ModalRunner runner);

    // Window lifetime: Create runs OnInitDialog; a made window starts hidden.
    bool Create();
    bool HasWindow() const { return m_hasWindow; }
    void ShowWindow(bool show) { m_visible = show && m_hasWindow; }
    bool IsWindowVisible() const { return m_visible; }
    void DestroyWindow();
    virtual bool OnInitDialog() { return true; }

    // Controls.
    void SetDlgItemText(int32_t id, const std::u16string& text) { m_controls[id].text = text; }
    std::u16string GetDlgItemText(int32_t id) const;
    void CheckDlgButton(int32_t id, bool checked) { m_controls[id].checked = checked; }
    bool IsDlgButtonChecked(int32_t id) const;
    void EnableItem(int32_t id, bool enabled) { m_controls[id].enabled = enabled; }
    bool IsItemEnabled(int32_t id) const;
    // Shown unless hidden.
    void ShowItem(int32_t id, bool shown) { m_controls[id].shown = shown; }
    bool IsItemVisible(int32_t id) const;
    void SetFocusItem(int32_t id) { m_focus = id; }
    int32_t GetFocusItem() const { return m_focus; }

    // A click on a button: OK and Cancel by their ids, any other to OnClicked. Nothing happens
    // without a window or on a disabled control.
    void ClickButton(int32_t id);
    virtual void OnClicked(int32_t /*id*/) {}
    virtual void OnOK();
    virtual void OnCancel();

    // What a user does in a field or a chooser, in the dialog's own terms: text typed at the
    // end of field `id` (here: appended to the control's text), a value chosen in chooser `id`
    // (here: nothing). Dialogs with richer controls answer as their controls would.
    virtual void OnUserType(int32_t id, const std::u16string& text);
    virtual void OnUserChoose(int32_t /*id*/, int32_t /*value*/) {}

    // A dialog that a command opens itself and runs to its end is played by the same user as
    // a modal run: a test or the program's scripted input; without one nobody answers and the
    // dialog stays as it opened (its caller treats that as Cancel).
    using UserRunner = ModalRunner;
    static UserRunner SetUserRunner(UserRunner runner) { return SetModalRunner(std::move(runner)); }
    static void RunUser(UCxDialog& dialog);

    // A notification to the command target; false when the target did not handle it.
    bool NotifyTarget(int32_t id, void* extra);

private:
    struct Control {
        std::u16string text;
        bool checked = false;
        bool enabled = true;
        bool shown = true;
    };
    int32_t m_templateId;
    FWxState* m_target;
    std::map<int32_t, Control> m_controls;
    int32_t m_focus = 0;
    bool m_hasWindow = false;
    bool m_visible = false;
    bool m_modal = false;
    bool m_modalEnded = false;
    int32_t m_modalResult = kIdCancel;
};
