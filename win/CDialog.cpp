#include "CDialog.h"

#include <utility>

#include "WinMessageBox.h"

namespace {
CDialog::ModalRunner& Runner() {
    static CDialog::ModalRunner s_runner;
    return s_runner;
}
} // namespace

CDialog::~CDialog() = default;

int32_t CDialog::DoModal() {
    m_ended = false;
    m_result = IDCANCEL;
    m_hasWindow = true;
    if (OnInitDialog()) {
        // A copy: the runner may install another one for a dialog it opens.
        if (ModalRunner runner = Runner()) runner(*this);
    }
    OnDestroy();
    m_hasWindow = false;
    PostNcDestroy();
    return m_result;
}

void CDialog::EndDialog(int32_t result) {
    m_result = result;
    m_ended = true;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

CDialog::ModalRunner CDialog::SetModalRunner(ModalRunner runner) {
    return std::exchange(Runner(), std::move(runner));
}
