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
    parent->m_children.push_back(this);
    m_parentSubject = RSeRef<RSeIDed>(parent->Subject());
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
