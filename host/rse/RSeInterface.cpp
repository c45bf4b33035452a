#include "rse/RSeInterface.h"

RSeInterface* RSeDatabaseInterfaces::Find(const UTxGUID& guid) const {
    auto it = m_byGuid.find(guid);
    return it == m_byGuid.end() ? nullptr : it->second;
}

void RSeDatabaseInterfaces::Register(const UTxGUID& guid, RSeInterface* itf) {
    m_byGuid[guid] = itf;
}

void RSeDatabaseInterfaces::Unregister(const UTxGUID& guid, RSeInterface* itf) {
    auto it = m_byGuid.find(guid);
    if (it != m_byGuid.end() && it->second == itf) m_byGuid.erase(it);
}

RSeInterface::RSeInterface(RSeDatabaseInterfaces* set, const UTxGUID& guid)
    : m_set(set), m_guid(guid) {
    if (m_set) m_set->Register(m_guid, this);
}

RSeInterface::~RSeInterface() {
    if (m_set) m_set->Unregister(m_guid, this);
}

RSeStaticInterface* RSeStaticInterfaceSet::Find(const UTxGUID& guid) const {
    auto it = m_byGuid.find(guid);
    return it == m_byGuid.end() ? nullptr : it->second;
}

void RSeStaticInterfaceSet::Register(const UTxGUID& guid, RSeStaticInterface* itf) {
    m_byGuid[guid] = itf;
}

void RSeStaticInterfaceSet::Unregister(const UTxGUID& guid, RSeStaticInterface* itf) {
    auto it = m_byGuid.find(guid);
    if (it != m_byGuid.end() && it->second == itf) m_byGuid.erase(it);
}

RSeStaticInterface::RSeStaticInterface(const UTxGUID& guid) : m_guid(guid) {
    Interfaces().Register(m_guid, this);
}

RSeStaticInterface::~RSeStaticInterface() {
    Interfaces().Unregister(m_guid, this);
}

RSeStaticInterfaceSet& RSeStaticInterface::Interfaces() {
    return RSe::StaticInterfaceSet();
}

namespace RSe {
RSeStaticInterfaceSet& StaticInterfaceSet() {
    static RSeStaticInterfaceSet set;
    return set;
}
} // namespace RSe
