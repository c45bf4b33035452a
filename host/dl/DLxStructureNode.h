#pragma once
// One node of the drawing's assembly structure: the root, or one occurrence of a component,
// named by its occurrence path (the occurrence ids from the root's child down to it). A
// balloon keeps the node of the component it numbers; the tag manager makes the nodes and
// answers their children and their rows in the bill. A node keeps its path, component and
// kind as stored values, so it still names its occurrence when the model is not at hand.
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"

class DLxConfiguration;
class DLxTagManager;

class DLxStructureNode : public RDxObject {
public:
    // Kinds as the parts-list code tests them: 1 a part, 2 an assembly.
    static constexpr int32_t kPartNode = 1;
    static constexpr int32_t kAssemblyNode = 2;

    DLxStructureNode() = default;
    explicit DLxStructureNode(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The occurrence ids from the root's child down to this node; empty for the root.
    const std::vector<int32_t>& GetRDxPassivePath() const { return m_path; }
    int32_t GetComponentId() const { return m_component; }
    int32_t GetKind() const { return m_kind; }
    bool IsAssemblyNode() const { return m_kind == kAssemblyNode; }
    bool IsRoot() const { return m_path.empty(); }
    // This host's models have no reference components.
    bool IsReference() const { return false; }
    // Nor components left out of the bill: every occurrence is listed.
    bool IsExcludedFromBOM() const { return false; }
    DLxTagManager* GetTagManager() const;
    // Its tag manager's configuration; null when it has none.
    DLxConfiguration* GetConfiguration() const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxStructureNode* target, RSeCloneCommander* cc) const;

private:
    friend class DLxTagManager;
    std::vector<int32_t> m_path;
    int32_t m_component = 0;
    int32_t m_kind = kPartNode;
    RSeRef<DLxTagManager> m_manager;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxStructureNode*);
RSeMetaType* _GetMeta(const DLxStructureNode*);
} // namespace RSe
