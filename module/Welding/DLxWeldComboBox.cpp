#include "Welding/DLxWeldComboBox.h"

#include "WinResourceTable.h"
#include "Welding/DLxWeldBitmapButton.h"

int32_t DLxWeldComboBox::AddEntry(const KorvuResBitmap* bitmap, int32_t id) {
    m_entries.push_back(std::make_unique<CContourData>(CContourData{bitmap, id}));
    return int32_t(m_entries.size()) - 1;
}

bool DLxWeldComboBox::SelectId(int32_t id) {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->id == id) {
            m_sel = int32_t(i);
            return true;
        }
    return false;
}

int32_t DLxWeldComboBox::GetSelectedId() const {
    const CContourData* data = GetItemData(m_sel);
    return data ? data->id : 0;
}

bool DLxWeldComboBox::HasId(int32_t id) const {
    for (const auto& e : m_entries)
        if (e->id == id) return true;
    return false;
}

void DLxWeldComboBox::SetCurSel(int32_t index) {
    m_sel = index >= 0 && index < GetCount() ? index : -1;
}

const CContourData* DLxWeldComboBox::GetItemData(int32_t index) const {
    return index >= 0 && index < GetCount() ? m_entries[size_t(index)].get() : nullptr;
}

void DLxWeldComboBox::ResetContent() {
    m_entries.clear();
    m_sel = -1;
}

DLxWeldComboDrawing DLxWeldComboBox::DrawItem(int32_t index, int32_t left, int32_t top,
                                              uint32_t itemState) const {
    DLxWeldComboDrawing d;
    const bool selected = (itemState & DLxOwnerDraw::kSelected) != 0;
    if (selected) {
        d.background = kColorHighlight;
        d.line = kColorHighlightText;
    } else if (itemState & DLxOwnerDraw::kDisabled) {
        d.background = kColorDisabledBack;
        d.line = kColorGrayText;
    } else {
        d.background = kColorWindow;
        d.line = kColorWindowText;
    }
    d.focusRect = (itemState & DLxOwnerDraw::kFocus) != 0;
    // Index -1 is the empty edit part of a combo with nothing selected.
    const CContourData* data = index == -1 ? nullptr : GetItemData(index);
    if (data && data->bitmap) {
        d.image = data->bitmap->id;
        d.imageX = left + kImageLeft;
        d.imageY = top;
        // A selected picture is inverted on white, so its white turns black and drops out.
        d.inverted = selected;
        d.transparent = selected ? 0x000000 : 0xFFFFFF;
    }
    return d;
}
