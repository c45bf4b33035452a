#include "Command/DLxCenterDatumEditDlg.h"

#include <charconv>
#include <cmath>

#include "utx/UTxString16.h"

DLxCenterDatumEditDlg::DLxCenterDatumEditDlg(double relX, double relY, HWND parent)
    : CDialog(kTemplateId, parent), m_relX(relX), m_relY(relY) {}

const std::u16string& DLxCenterDatumEditDlg::GetItemText(int32_t id) const {
    static const std::u16string none;
    return id == kRelXId ? m_relXText : id == kRelYId ? m_relYText : none;
}

void DLxCenterDatumEditDlg::SetItemText(int32_t id, const std::u16string& text) {
    if (id == kRelXId) m_relXText = text;
    if (id == kRelYId) m_relYText = text;
}

bool DLxCenterDatumEditDlg::OnInitDialog() {
    m_relXText = Format(m_relX);
    m_relYText = Format(m_relY);
    return true;
}

void DLxCenterDatumEditDlg::OnOK() {
    double v = 0.0;
    if (Parse(m_relXText, v)) m_relX = v;
    if (Parse(m_relYText, v)) m_relY = v;
    CDialog::OnOK();
}

std::u16string DLxCenterDatumEditDlg::Format(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return UTx::MakeWideString(std::string(buf, r.ptr));
}

bool DLxCenterDatumEditDlg::Parse(const std::u16string& text, double& value) {
    std::string s = UTx::ToUtf8(text);
    const size_t first = s.find_first_not_of(" \t");
    const size_t last = s.find_last_not_of(" \t");
    if (first == std::string::npos) return false;
    s = s.substr(first, last - first + 1);
    if (!s.empty() && s.front() == '+') s.erase(0, 1);
    double v = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}
