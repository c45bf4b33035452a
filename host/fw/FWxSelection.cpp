#include "fw/FWxSelection.h"

FWxSelection::~FWxSelection() = default;

bool FWxSelectionSet::Remove(const FWxSelection* selection) {
    for (auto it = m_items.begin(); it != m_items.end(); ++it)
        if (it->get() == selection) {
            m_items.erase(it);
            return true;
        }
    return false;
}
