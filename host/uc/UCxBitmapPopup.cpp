#include "uc/UCxBitmapPopup.h"

void UCxBitmapPopup::SetEntries(std::vector<Entry> entries, int32_t columns) {
    m_entries = std::move(entries);
    m_columns = columns < 1 ? 1 : columns;
}

uint32_t UCxBitmapPopup::GetCurrentTooltip() const {
    for (const Entry& e : m_entries)
        if (e.bitmap == m_current) return e.tooltip;
    return 0;
}

bool UCxBitmapPopup::Choose(uint32_t bitmap) {
    bool found = false;
    for (const Entry& e : m_entries) found = found || e.bitmap == bitmap;
    if (!found) return false;
    m_current = bitmap;
    if (onChoice) onChoice(*this, bitmap);
    return true;
}
