#include "uc/UCxDialog.h"

#include "fw/FWxCommand.h"
#include "fw/FWxState.h"

#include <utility>

namespace {
UCxDialog::ModalRunner& Runner() {
    static UCxDialog::ModalRunner s_runner;
    return s_runner;
}
} // namespace

UCxDialog::UCxDialog(int32_t templateId, FWxState* target, CCmdTarget*, int32_t)
    : m_templateId(templateId), m_target(target) {}

UCxDialog::~UCxDialog() = default;

bool UCxDialog::Create() {
    if (m_hasWindow) return true;
    m_hasWindow = true;
    return OnInitDialog();
}

int32_t UCxDialog::DoModal() {
    m_modal = true;
    m_modalEnded = false;
    m_modalResult = kIdCancel;
    if (Create()) {
        ShowWindow(true);
        // A copy: the runner may install another one for a dialog it opens.
        if (ModalRunner runner = Runner()) runner(*this);
    }
    DestroyWindow();
    m_modal = false;
    return m_modalResult;
}

UCxDialog::ModalRunner UCxDialog::SetModalRunner(ModalRunner runner) {
    std::swap(Runner(), runner);
    return runner;
}

void UCxDialog::DestroyWindow() {
    m_hasWindow = false;
    m_visible = false;
}

std::u16string UCxDialog::GetDlgItemText(int32_t id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? std::u16string() : it->second.text;
}

bool UCxDialog::IsDlgButtonChecked(int32_t id) const {
    auto it = m_controls.find(id);
    return it != m_controls.end() && it->second.checked;
}

bool UCxDialog::IsItemEnabled(int32_t id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() || it->second.enabled;
}

bool UCxDialog::IsItemVisible(int32_t id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() || it->second.shown;
}

void UCxDialog::ClickButton(int32_t id) {
    if (!m_hasWindow || !IsItemEnabled(id)) return;
    if (id == kIdOK || id == kIdCancel) {
        // A modal run ends with its first OK or Cancel; the window stays until it returns.
        if (m_modal && !m_modalEnded) {
            m_modalEnded = true;
            m_modalResult = id;
        }
        if (id == kIdOK)
            OnOK();
        else
            OnCancel();
    } else {
        OnClicked(id);
    }
}

void UCxDialog::OnOK() {
    NotifyTarget(kNotifyOK, nullptr);
}

void UCxDialog::OnCancel() {
    NotifyTarget(kNotifyCancel, nullptr);
}

void UCxDialog::RunUser(UCxDialog& dialog) {
    // A copy: the runner may install another while it plays.
    if (ModalRunner runner = Runner()) runner(dialog);
}

void UCxDialog::OnUserType(int32_t id, const std::u16string& text) {
    if (!m_hasWindow || !IsItemEnabled(id)) return;
    SetDlgItemText(id, GetDlgItemText(id) + text);
}

bool UCxDialog::NotifyTarget(int32_t id, void* extra) {
    return m_target && m_target->OnCmdMsg(id, FWxCmd::kNotify, extra);
}
