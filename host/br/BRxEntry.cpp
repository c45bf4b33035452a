#include "br/BRxEntry.h"

#include <algorithm>

BRxEntry::BRxEntry(const RSeRefBase& subject, BRxEntry* parent) {
    m_subject = RSeRef<RSeIDed>(subject);
    SetParent(parent);
}

BRxEntry::~BRxEntry() {
    StopObservingSubject();
    SetParent(nullptr);
    for (BRxEntry* child : m_children)
        child->m_parent = nullptr;
}

void BRxEntry::SetParent(BRxEntry* parent) {
    if (m_parent) std::erase(m_parent->m_children, this);
    m_parent = parent;
    if (!parent) return;
    auto at = parent->m_children.end();
    if (ListsFirst())
        at = std::find_if(parent->m_children.begin(), parent->m_children.end(),
                          [](const BRxEntry* e) { return !e->ListsFirst(); });
    parent->m_children.insert(at, this);
    m_parentSubject = RSeRef<RSeIDed>(parent->Subject());
}

void BRxEntry::ReorderChildren(const std::vector<BRxEntry*>& order) {
    std::vector<BRxEntry*> arranged;
    arranged.reserve(m_children.size());
    for (BRxEntry* e : order)
        if (std::find(m_children.begin(), m_children.end(), e) != m_children.end() &&
            std::find(arranged.begin(), arranged.end(), e) == arranged.end())
            arranged.push_back(e);
    for (BRxEntry* e : m_children)
        if (std::find(arranged.begin(), arranged.end(), e) == arranged.end()) arranged.push_back(e);
    m_children = std::move(arranged);
}

void BRxEntry::SetSubject(const RSeRefBase& subject) {
    m_subject = RSeRef<RSeIDed>(subject);
}

void BRxEntry::StartObservingSubject() {
    int32_t timing = 0;
    const RSeNotifierEventMask mask = GetEventSet(timing);
    RSeNotifier::EraseObserverOf(m_subject, this);
    RSeNotifier::NotifyOnEventTo(m_subject, mask, this, timing);
    m_observing = true;
}

void BRxEntry::StopObservingSubject() {
    if (!m_observing) return;
    RSeNotifier::EraseObserverOf(m_subject, this);
    m_observing = false;
}

RSeNotifierEventMask BRxEntry::GetEventSet(int32_t& timing) const {
    timing = 0;
    return {};
}
