#include "BofM/DLxPartListCreateDlg.h"

#include <string>

#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListData.h"

namespace {
std::u16string Decimal(int32_t v) {
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

// Leading digits, 0 when there are none.
int32_t ReadCount(const std::u16string& text) {
    int64_t v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        v = v * 10 + (c - u'0');
        if (v > INT32_MAX) return INT32_MAX;
    }
    return int32_t(v);
}
} // namespace

DLxPartListCreateDlg::DLxPartListCreateDlg(DLxPartListCmdState* state)
    : UCxDialog(kTemplateId, state, nullptr, 1), m_state(state), m_data(GetPartListData(state)) {}

DLxPartListCreateDlg* DLxPartListCreateDlg::Create(DLxPartListCmdState* state) {
    auto* dlg = new DLxPartListCreateDlg(state);
    dlg->UCxDialog::Create();
    dlg->ShowWindow(true);
    return dlg;
}

bool DLxPartListCreateDlg::OnInitDialog() {
    const bool result = UCxDialog::OnInitDialog();
    if (m_data) {
        SetDlgItemText(kRows, Decimal(m_data->GetWrapRowCount()));
        SetDlgItemText(kSections, Decimal(m_data->GetWrapSectionCount()));
    }
    RefreshControls();
    return result;
}

void DLxPartListCreateDlg::RefreshControls() {
    m_picking = m_state && m_state->OnNextState() &&
                m_state->OnNextState() == m_state->GetViewSelState();
    CheckDlgButton(kPickView, m_picking);
    if (!m_data) return;
    SetDlgItemText(kSource, m_data->GetFilename());
    CheckDlgButton(kWrapDir0, m_data->GetWrapDirection() == 0);
    CheckDlgButton(kWrapDir1, m_data->GetWrapDirection() == 1);
    CheckDlgButton(kWrapByRows, m_data->GetWrapMode() == 0);
    CheckDlgButton(kWrapBySections, m_data->GetWrapMode() == 1);
    const bool wrap = m_data->IsWrapEnabled();
    EnableItem(kRows, wrap && m_data->GetWrapMode() == 0);
    EnableItem(kSections, wrap && m_data->GetWrapMode() == 1);
    EnableItem(kWrapByRows, wrap);
    EnableItem(kWrapBySections, wrap);
    EnableItem(kIdOK, !m_data->GetFilename().empty());
}

void DLxPartListCreateDlg::OnClicked(int32_t id) {
    if (!m_data && id != kPickView) return;
    switch (id) {
    case kPickView: OnPickView(); return;
    case kWrap: m_data->SetIsWrapEnabled(IsDlgButtonChecked(kWrap)); break;
    case kWrapDir0:
    case kWrapDir1: m_data->SetWrapDirection(IsDlgButtonChecked(kWrapDir1) ? 1 : 0); break;
    case kWrapByRows:
        if (IsDlgButtonChecked(kWrapByRows)) m_data->SetWrapMode(0);
        break;
    case kWrapBySections:
        if (IsDlgButtonChecked(kWrapBySections)) m_data->SetWrapMode(1);
        break;
    case kSource: OnSourceSelected(); return;
    default: return;
    }
    RefreshControls();
}

void DLxPartListCreateDlg::OnPickView() {
    m_picking = IsDlgButtonChecked(kPickView);
    UCxDialogFocusChangeData data{-1, kPickView};
    NotifyTarget(kNotifyFocusChange, &data);
}

void DLxPartListCreateDlg::OnSourceSelected() {
    const std::u16string text = GetDlgItemText(kSource);
    if (!text.empty()) {
        m_data->SetMemberName(u"");
        m_data->SetDesignView(u"");
        m_data->SetFilename(text);
        if (m_state && m_state->GetResolver())
            m_state->GetResolver()->ReActivate(m_state, FWxStateCode::kReActivate);
    }
    RefreshControls();
}

void DLxPartListCreateDlg::OnOK() {
    m_lastMessage = 0;
    if (m_data) {
        if (IsDlgButtonChecked(kWrap)) {
            m_data->SetIsWrapEnabled(true);
            m_data->SetWrapDirection(IsDlgButtonChecked(kWrapDir0) ? 0 : 1);
            const bool byRows = IsDlgButtonChecked(kWrapByRows);
            m_data->SetWrapMode(byRows ? 0 : 1);
            const int32_t id = byRows ? kRows : kSections;
            const int32_t count = ReadCount(GetDlgItemText(id));
            if (count <= 0) {
                m_lastMessage = byRows ? kMsgBadRows : kMsgBadSections;
                SetFocusItem(id);
                return;
            }
            if (byRows)
                m_data->SetWrapRowCount(count);
            else
                m_data->SetWrapSectionCount(count);
        } else {
            m_data->SetIsWrapEnabled(false);
        }
    }
    UCxDialog::OnOK();
}
