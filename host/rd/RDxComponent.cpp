#include "rd/RDxComponent.h"

#include "rse/RSeTransaction.h"

std::u16string RDxComponent::GetProperty(const std::u16string& key) const {
    auto it = m_props.find(key);
    return it == m_props.end() ? std::u16string() : it->second;
}

void RDxComponent::Set(int32_t component, Kind kind, const std::u16string& name,
                       const std::u16string& path,
                       const std::map<std::u16string, std::u16string>& properties) {
    if (component == m_component && kind == m_kind && name == m_name && path == m_path &&
        properties == m_props)
        return;
    RSe::PrepareWrite(this);
    m_component = component;
    m_kind = kind;
    m_name = name;
    m_path = path;
    m_props = properties;
}
