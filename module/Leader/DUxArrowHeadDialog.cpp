#include "Leader/DUxArrowHeadDialog.h"

#include "du/DUxArrowheadService.h"
#include "fw/FWxCommand.h"
#include "sm/SMxManipulator.h"

namespace {
// The categories the chooser offers, in list order.
constexpr int32_t kCategories[] = {28000, 28013, 28016, 28040};
} // namespace

// ---- the list

void DUxArrowHeadComboBox::ResetContent() {
    m_items.clear();
    m_cursel = -1;
}

int32_t DUxArrowHeadComboBox::AddString(const std::u16string& text) {
    m_items.push_back({text, 0});
    return GetCount() - 1;
}

void DUxArrowHeadComboBox::SetItemData(int32_t item, uint32_t data) {
    if (item >= 0 && item < GetCount()) m_items[size_t(item)].data = data;
}

uint32_t DUxArrowHeadComboBox::GetItemData(int32_t item) const {
    return item >= 0 && item < GetCount() ? m_items[size_t(item)].data : 0;
}

std::u16string DUxArrowHeadComboBox::GetItemText(int32_t item) const {
    return item >= 0 && item < GetCount() ? m_items[size_t(item)].text : std::u16string();
}

void DUxArrowHeadComboBox::DeleteString(int32_t item) {
    if (item < 0 || item >= GetCount()) return;
    m_items.erase(m_items.begin() + item);
    // The selection follows its item; a deleted selected item leaves none.
    if (m_cursel == item)
        m_cursel = -1;
    else if (m_cursel > item)
        --m_cursel;
}

void DUxArrowHeadComboBox::SetCurSel(int32_t item) {
    m_cursel = item >= 0 && item < GetCount() ? item : -1;
}

uint32_t DUxArrowHeadComboBox::GetEntry(int32_t i) const {
    return i >= 0 && size_t(i) < m_entries.size() ? m_entries[size_t(i)] : 0;
}

bool DUxArrowHeadComboBox::GetItemDrawing(int32_t i, uint32_t& bitmap,
                                          std::u16string& name) const {
    bitmap = 0;
    name.clear();
    if (i > kLastDrawnItem) return false;
    const DUxCArrowService* service = DUxArrowheadService::GetArrowService(GetEntry(i));
    if (!service) return false;
    bitmap = service->bitmapId;
    name = service->name;
    return true;
}

// ---- the dialog

DUxArrowHeadDialog::DUxArrowHeadDialog(SMxManipulator* manipulator, HWND parent, int32_t x,
                                       int32_t y, uint32_t current, uint32_t extra)
    : CDialog(kTemplateId, parent), m_x(x), m_y(y), m_current(current), m_extra(extra),
      m_manipulator(manipulator) {}

DUxArrowHeadDialog::DUxArrowHeadDialog(HWND parent, int32_t x, int32_t y, uint32_t current,
                                       FWxCommand* target, uint32_t extra)
    : CDialog(kTemplateId, parent), m_x(x), m_y(y), m_current(current), m_extra(extra),
      m_target(target) {}

void DUxArrowHeadDialog::UpdateArrowType(uint32_t chosen) {
    if (chosen == 0) return;
    const DUxCArrowService* service = DUxArrowheadService::GetArrowService(chosen);
    m_arrowType = service ? service->arrowType : kDefaultArrowType;
}

bool DUxArrowHeadDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_okIcon = kOkIcon;
    m_windowX = m_x + kOffset;
    m_windowY = m_y + kOffset;

    m_entries.clear();
    m_placeholder = false;
    for (int32_t category : kCategories) {
        const std::vector<uint32_t> ids = DUxStandardUtil::GetServiceRefsOfCategory(category);
        m_entries.insert(m_entries.end(), ids.begin(), ids.end());
    }
    if (m_extra != 0) {
        if (m_current != 0) {
            m_entries.insert(m_entries.begin() + (m_entries.empty() ? 0 : 1), m_extra);
        } else {
            m_entries.insert(m_entries.begin(), m_extra);
            m_placeholder = true;
        }
    }

    m_list.ResetContent();
    int32_t selected = -1;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const DUxCArrowService* service = DUxArrowheadService::GetArrowService(m_entries[i]);
        const int32_t item = m_list.AddString(service ? service->name : u"");
        m_list.SetItemData(item, service ? service->bitmapId : 0);
        if (m_current != 0 && m_entries[i] == m_current) selected = int32_t(i);
    }
    m_list.SetEntries(m_entries);
    m_list.SetCurSel(selected >= 0 ? selected : 0);
    UpdateArrowType(m_current);
    return true;
}

void DUxArrowHeadDialog::ChooseItem(int32_t item) {
    if (!HasWindow()) return;
    m_list.SetCurSel(item);
    OnSelChange();
}

void DUxArrowHeadDialog::OnSelChange() {
    const int32_t i = m_list.GetCurSel();
    if (i < 0) return;
    uint32_t chosen = m_list.GetEntry(i);
    if (m_manipulator) m_manipulator->CallBack(&chosen);
    UpdateArrowType(chosen);
    // The placeholder stands for "no arrowhead yet": choosing it again is no change.
    if (!m_target || (i == 0 && m_placeholder)) return;
    m_target->OnCmdMsg(kChoiceChanged, FWxCmd::kNotify, &chosen);
    if (m_placeholder) {
        m_entries.erase(m_entries.begin());
        m_list.SetEntries(m_entries);
        m_list.DeleteString(0);
        m_placeholder = false;
    }
}
