#include "Command/DLxSurfTXTDialog.h"

#include "Standard/DLxCSurfTextStd.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxState.h"

namespace {
using S = DUxSurfTXTState;
} // namespace

DLxSurfTXTDialog::DLxSurfTXTDialog(DUxSurfTXTState* state, FWxState* target)
    : UCxDialog(kTemplateId, target), m_state(state) {
    m_slots.fill(-1);
}

bool DLxSurfTXTDialog::OnInitDialog() {
    const bool result = UCxDialog::OnInitDialog();
    m_ready = false;
    if (!m_state) return result;
    const DUxSurfaceTextureStyle* style = m_state->GetSurfaceTextureStyle();
    // A preview copy lives outside the document; its style is the document's.
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(m_state);
    if (!doc && style) doc = FWxDocUtil::DocumentOf(style);
    m_standard = dynamic_cast<DLxCSurfTextStd*>(DUxSurfTextStdServices::Find(
        doc,
        style ? style->GetStandardCode() : int32_t(DUxSurfaceTextureStyle::kISO)));
    std::vector<int32_t> values;
    if (m_standard) (void)m_standard->GetDialogValues(m_state, values);
    for (int32_t v : values) {
        const int32_t index = m_state->GetPresentation(v).dlgIndex;
        if (index >= 0 && index < int32_t(m_slots.size())) m_slots[size_t(index)] = v;
    }
    for (int32_t id : {kSubType0, kSubType1, kSubType2, kForcedTail, kMajority, kAllAround})
        CheckDlgButton(id, id == kSubType0);
    // The lay combo: no lay, then every lay the standard offers (or the symbol has).
    m_layEntries = {0};
    if (m_standard) {
        DLxCSurfTextStd::DLxSymbolDescs list;
        m_standard->GetLaySymbols(list, m_state);
        for (const auto& desc : list)
            if (desc->m_enabled) m_layEntries.push_back(desc->m_value);
    }
    ShowFields();
    EnableFields();
    Fill(-1);
    return result;
}

int32_t DLxSurfTXTDialog::ValueAt(int32_t index) const {
    return index >= 0 && index < int32_t(m_slots.size()) ? m_slots[size_t(index)] : -1;
}

bool DLxSurfTXTDialog::IsFieldShown(int32_t index) const {
    return index >= 0 && index < int32_t(m_shown.size()) && m_shown[size_t(index)];
}

void DLxSurfTXTDialog::CheckVisibility() {
    if (m_standard) (void)m_standard->SetValueVisibility(m_state);
}

void DLxSurfTXTDialog::ShowFields() {
    for (int32_t i = 0; i < int32_t(m_slots.size()); ++i) {
        const int32_t v = m_slots[size_t(i)];
        m_shown[size_t(i)] = v >= 0 && m_state->GetVariableStatus(v) != DUxValue::kVisibilityDefault;
        SetDlgItemText(kFirstLabel + i,
                       m_shown[size_t(i)] ? m_state->GetPresentation(v).label : u"");
    }
}

void DLxSurfTXTDialog::EnableFields() {
    for (int32_t i = 0; i < int32_t(m_slots.size()); ++i) {
        const int32_t v = m_slots[size_t(i)];
        EnableItem(ControlOf(i), v >= 0 && m_state->GetVariableStatus(v) == DUxValue::kOffered);
    }
}

void DLxSurfTXTDialog::Fill(int32_t editing) {
    m_ready = false;
    for (int32_t i = 0; i < int32_t(m_slots.size()); ++i) {
        const int32_t v = m_slots[size_t(i)];
        if (v < 0 || i == kLayIndex || i == editing) continue;
        SetDlgItemText(kFirstEdit + i, m_state->GetValue(v));
    }
    if (editing != kLayIndex) {
        m_laySelection = -1;
        for (size_t k = 0; k < m_layEntries.size(); ++k)
            if (m_layEntries[k] == m_state->GetDirectionLay()) m_laySelection = int32_t(k);
    }
    m_ready = true;
    const int32_t subType = m_state->GetSubType();
    CheckDlgButton(kSubType0, subType == 0);
    CheckDlgButton(kSubType1, subType == 1);
    CheckDlgButton(kSubType2, subType == 2);
    CheckDlgButton(kForcedTail, m_state->IsForcedTail());
    CheckDlgButton(kMajority, m_state->IsMajority());
    CheckDlgButton(kAllAround, m_state->IsAllAround());
}

void DLxSurfTXTDialog::Notify() {
    ++m_notices;
    NotifyTarget(kChangeNotice, nullptr);
}

void DLxSurfTXTDialog::EditLostFocus(int32_t id) {
    const int32_t v = ValueAt(id - kFirstEdit);
    if (!m_ready || v < 0 || id - kFirstEdit == kLayIndex) return;
    m_state->SetValue(v, GetDlgItemText(id));
}

void DLxSurfTXTDialog::EditChanged(int32_t id) {
    const int32_t index = id - kFirstEdit;
    const int32_t v = ValueAt(index);
    if (!m_ready || v < 0 || index == kLayIndex) return;
    m_state->SetValue(v, GetDlgItemText(id));
    CheckVisibility();
    ShowFields();
    Fill(index);
    EnableFields();
    Notify();
}

void DLxSurfTXTDialog::LayChosen(int32_t entry) {
    if (!m_ready || m_state->GetVariableStatus(S::kLay) != DUxValue::kOffered) return;
    if (entry < 0 || entry >= int32_t(m_layEntries.size())) return;
    const int32_t lay = m_layEntries[size_t(entry)];
    m_state->SetValue(S::kLay, lay ? UTx::MakeWideString(std::to_string(lay)) : UTxString16());
    m_laySelection = entry;
    CheckVisibility();
    Notify();
}

void DLxSurfTXTDialog::OnClicked(int32_t id) {
    if (!m_state) return;
    switch (id) {
    case kSubType0:
    case kSubType1:
    case kSubType2: {
        const int32_t k = id == kSubType0 ? 0 : id == kSubType1 ? 1 : 2;
        // The button's check is the user's; a click that unchecks the subtype button
        // that was checked leaves it checked (filling below sets the checks from the state).
        if (IsDlgButtonChecked(id)) m_state->SetSubType(k);
        CheckVisibility();
        ShowFields();
        Fill(-1);
        EnableFields();
        Notify();
        return;
    }
    case kForcedTail:
        m_state->SetForcedTail(IsDlgButtonChecked(id));
        break;
    case kMajority:
        m_state->SetMajority(IsDlgButtonChecked(id));
        break;
    case kAllAround:
        m_state->SetAllAround(IsDlgButtonChecked(id));
        if (IsDlgButtonChecked(id)) {
            m_state->SetForcedTail(true);
            CheckDlgButton(kForcedTail, true);
        }
        break;
    default:
        return;
    }
    Notify();
}
