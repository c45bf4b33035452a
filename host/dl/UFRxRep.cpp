#include "dl/UFRxRep.h"

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxStructureNode.h"
#include "fw/FWxDocUtil.h"
#include "rd/RDxComponent.h"

UFRxComponent UFRxComponent::Of(const RDxComponent* component) {
    if (!component) return {};
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(component));
    return UFRxComponent(doc, component->GetComponentId());
}

UFRxComponent UFRxComponent::Of(const DLxStructureNode* node) {
    if (!node) return {};
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(node));
    return UFRxComponent(doc, node->GetComponentId());
}

const DLxAssemblyComponent* UFRxComponent::Model() const {
    const DLxAssemblyData* assembly = m_doc ? m_doc->GetAssembly() : nullptr;
    if (!assembly) return nullptr;
    for (const DLxAssemblyComponent& c : assembly->components)
        if (c.id == m_id) return &c;
    return nullptr;
}

FWxSceneDoc* UFRxComponent::SceneDoc(int32_t) const {
    return *this ? m_doc : nullptr;
}

bool UFRxDocument::IsFactoryMember() const {
    return m_model && m_model->isFactory;
}

std::optional<UFRxRep::InstanceToFactory> UFRxRep::GetInstanceToFactory() const {
    if (!m_model || !m_model->isFactory) return std::nullopt;
    for (const std::u16string& member : m_model->factoryMembers)
        if (member == m_model->activeMember) return InstanceToFactory{m_component, member};
    return std::nullopt;
}

namespace UFRx {
std::optional<UFRxRep> RepOf(const UFRxComponent& component) {
    const DLxAssemblyComponent* model = component ? component.Model() : nullptr;
    if (!model) return std::nullopt;
    return UFRxRep(component, model);
}

std::optional<UFRxDocument> DocumentOf(const UFRxComponent& component) {
    std::optional<UFRxRep> rep = RepOf(component);
    if (!rep) return std::nullopt;
    return rep->Document();
}
} // namespace UFRx
