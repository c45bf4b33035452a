#pragma once
// The model repository's side of a component, as commands that open the model ask about it.
// The documents of this host's models are the components of the assembly a drawing documents,
// so a component is named by its drawing and its id, and its representation is found in that
// drawing's assembly. All three are short-lived values: each use looks the component up again,
// since a change of the drawing's assembly replaces its components.
//
// A table-driven family is a factory component of the assembly: the drawing places it as its
// active member, so its document is a member of the family, and its link to the factory (the
// instance to the factory) names that member.
#include <cstdint>
#include <optional>
#include <string>

class DLxDrawingDoc;
class FWxSceneDoc;
class RDxComponent;
class DLxStructureNode;
struct DLxAssemblyComponent;

class UFRxComponent {
public:
    UFRxComponent() = default;
    UFRxComponent(DLxDrawingDoc* doc, int32_t id) : m_doc(doc), m_id(id) {}
    // The component a stored component object or a structure node stands for.
    static UFRxComponent Of(const RDxComponent* component);
    static UFRxComponent Of(const DLxStructureNode* node);

    DLxDrawingDoc* GetDrawing() const { return m_doc; }
    int32_t GetId() const { return m_id; }
    // A reference with a target: a drawing and an id.
    explicit operator bool() const { return m_doc && m_id != 0; }
    // The component in its drawing's assembly; null when the assembly no longer has it.
    const DLxAssemblyComponent* Model() const;
    // The scene document that holds the component's model (the drawing); null without a
    // target. The load option is the host's and changes nothing here.
    FWxSceneDoc* SceneDoc(int32_t loadOption) const;

private:
    DLxDrawingDoc* m_doc = nullptr;
    int32_t m_id = 0;
};

class UFRxDocument {
public:
    explicit UFRxDocument(const DLxAssemblyComponent* model) : m_model(model) {}
    // The document shows one member of a table-driven family.
    bool IsFactoryMember() const;

private:
    const DLxAssemblyComponent* m_model;
};

class UFRxRep {
public:
    // The link of a member's representation to its factory: the factory's component and the
    // member it shows.
    struct InstanceToFactory {
        UFRxComponent factory;
        std::u16string memberName;
        const UFRxComponent& RefdComponent() const { return factory; }
    };

    UFRxRep(UFRxComponent component, const DLxAssemblyComponent* model)
        : m_component(component), m_model(model) {}
    UFRxDocument Document() const { return UFRxDocument(m_model); }
    // None unless the document is a family member whose active member the family lists.
    std::optional<InstanceToFactory> GetInstanceToFactory() const;

private:
    UFRxComponent m_component;
    const DLxAssemblyComponent* m_model;
};

namespace UFRx {
// The representation the drawing shows of the component; none without a target or for a
// component its drawing's assembly does not have.
std::optional<UFRxRep> RepOf(const UFRxComponent& component);
// The document of a component's model; none when its representation is missing.
std::optional<UFRxDocument> DocumentOf(const UFRxComponent& component);
} // namespace UFRx
