#include "rd/RDxUnit.h"

RDxUnitSystemManager::RDxUnitSystemManager() {
    m_systems.emplace_back(RDxUnitComplex(std::make_shared<RDxUnitMeter>(0.01)));
}

size_t RDxUnitSystemManager::Add(RDxUnitSystem system) {
    m_systems.push_back(std::move(system));
    return m_systems.size() - 1;
}

void RDxUnitSystemManager::SetCurrent(size_t index) {
    if (index < m_systems.size()) m_current = index;
}
