#include "du/DUxLineStyleTable.h"

#include "rse/RSeTransaction.h"

const DUxLineStyle* DUxLineStyleTable::FindStyle(int32_t id, const UTxGUID& standard) const {
    const auto it = m_styles.find({id, standard});
    return it == m_styles.end() ? nullptr : &it->second;
}

void DUxLineStyleTable::SetStyle(int32_t id, const UTxGUID& standard, const DUxLineStyle& style) {
    const DUxLineStyle* now = FindStyle(id, standard);
    if (now && *now == style) return;
    RSe::PrepareWrite(this);
    m_styles[{id, standard}] = style;
}

const DUxLineStyle* DUxLineStyleTable::FindOverload(uint32_t objectId) const {
    const auto it = m_overloads.find(objectId);
    return it == m_overloads.end() ? nullptr : &it->second;
}

void DUxLineStyleTable::SetOverload(uint32_t objectId, const DUxLineStyle& style) {
    const DUxLineStyle* now = FindOverload(objectId);
    if (now && *now == style) return;
    RSe::PrepareWrite(this);
    m_overloads[objectId] = style;
}

void DUxLineStyleTable::ClearOverload(uint32_t objectId) {
    if (!FindOverload(objectId)) return;
    RSe::PrepareWrite(this);
    m_overloads.erase(objectId);
}
