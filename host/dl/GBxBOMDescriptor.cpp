#include "dl/GBxBOMDescriptor.h"

#include "dl/DLxAssemblyData.h"

bool GBxBOMDescriptor::IsBOMSchemeEnabled(int32_t scheme) const {
    if (scheme == 1) return m_assembly.scheme.structuredEnabled;
    if (scheme == 2) return m_assembly.scheme.partsOnlyEnabled;
    return false;
}

int32_t GBxBOMDescriptor::GetBOMStructuredFormat() const {
    return m_assembly.scheme.structuredFormat;
}

int32_t GBxBOMDescriptor::GetBOMAllPartsFormat() const {
    return m_assembly.scheme.partsOnlyFormat;
}

const std::u16string& GBxBOMDescriptor::GetBOMStructuredDelimiter() const {
    return m_assembly.scheme.structuredDelimiter;
}

bool GBxBOMDescriptor::IsBOMStructuredAllLevels() const {
    return m_assembly.scheme.structuredAllLevels;
}

bool GBxBOMDescriptor::IsBOMUpdatePending() const {
    return m_assembly.scheme.updatePending;
}

bool GBxBOMDescriptor::DetailIDNotAvailable() const {
    return !m_assembly.scheme.structuredAllLevels;
}

const DLxAssemblyComponent* GBxBOMDescriptor::Document(const std::u16string& path) const {
    for (const DLxAssemblyComponent& c : m_assembly.components)
        if (path.empty() ? c.id == m_assembly.root : c.path == path) return &c;
    return nullptr;
}

bool GBxBOMDescriptor::IsBOMFactory(const std::u16string& path) const {
    const DLxAssemblyComponent* c = Document(path);
    return c && c->isFactory;
}

std::vector<std::u16string>
GBxBOMDescriptor::GetBOMFactoryMembers(const std::u16string& path) const {
    const DLxAssemblyComponent* c = Document(path);
    return c && c->isFactory ? c->factoryMembers : std::vector<std::u16string>();
}

std::u16string GBxBOMDescriptor::GetActiveFactoryMember(const std::u16string& path) const {
    const DLxAssemblyComponent* c = Document(path);
    return c && c->isFactory ? c->activeMember : std::u16string();
}
