#include "Standard/DLxCPartList.h"

#include <algorithm>

void DLxCPartList::SetAutomaticSections(int32_t n) {
    if (n < 0) return;
    m_sectionBreaks.assign(size_t(n), -1);
}

bool DLxCPartList::IsSectionBreak(int32_t row) const {
    const std::vector<int32_t> breaks = GetSectionBreaks();
    return std::find(breaks.begin(), breaks.end(), row) != breaks.end();
}

std::vector<int32_t> DLxCPartList::GetSectionBreaks() const {
    if (HasAutomaticSections()) return {};
    return m_sectionBreaks;
}
