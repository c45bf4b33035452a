#include "BofM/DLxPartListDataSourceObserver.h"

#include "dc/RDxComponentInstanceEvent.h"
#include "dc/RDxNode.h"

namespace {
bool ComponentInstanceThunk(RSeObjectObserverM& observer, const RSeEvent& event) {
    return static_cast<DLxPartsListAssemblyObserver&>(observer).OnComponentInstanceEvent(event);
}
constexpr RSeObjectObserverM::EventMapEntry kEntries[] = {
    {26, &ComponentInstanceThunk},
    {27, &ComponentInstanceThunk},
    {0, nullptr},
};
} // namespace

const RSeObjectObserverM::EventMap DLxPartsListAssemblyObserver::eventMap{
    &RSeObjectObserverM::eventMap, kEntries};

DLxPartsListAssemblyObserver::DLxPartsListAssemblyObserver(
    const RSeRefBase& observed, DLxPartListAssemblyDataSourceObserver* owner)
    : m_observed(observed), m_owner(owner) {}

bool DLxPartsListAssemblyObserver::OnComponentInstanceEvent(const RSeEvent& event) {
    if (!m_active) return false;
    if (!dynamic_cast<const RDxComponentInstanceEvent*>(&event)) return false;
    if (event.Event() == 26 || event.Event() == 27)
        if (DLxPartListAssemblyDataSourceObserver* owner = m_owner.get()) owner->MarkNodeEdited();
    return false;
}

DLxPartListAssemblyDataSourceObserver::DLxPartListAssemblyDataSourceObserver(
    const RSeRef<RDxNode>& node, const RSeRefBase& observed)
    : m_node(node), m_observed(observed) {}

DLxPartListAssemblyDataSourceObserver::~DLxPartListAssemblyDataSourceObserver() {
    if (m_listener) RSeNotifier::EraseObserverOf(m_observed, m_listener.get());
}

void DLxPartListAssemblyDataSourceObserver::MarkNodeEdited() {
    if (RDxNode* node = m_node.get()) node->MarkEdited(true);
}

RSeNotifierEventMask DLxPartListAssemblyDataSourceObserver::EventSet() {
    return RSeNotifierEventMask::Field(27, 0x15555555u) |
           RSeNotifierEventMask::Field(26, 0x2aaaaaaau);
}

void DLxPartListAssemblyDataSourceObserver::Attach() {
    if (m_listener) return;
    if (!m_observed.GetHandle() || m_observed.IsTargetDeleted() || m_observed.IsTargetBogus())
        return;
    m_listener = std::make_unique<DLxPartsListAssemblyObserver>(m_observed, this);
    RSeNotifier::NotifyOnEventTo(m_observed, EventSet(), m_listener.get(), 1);
}
