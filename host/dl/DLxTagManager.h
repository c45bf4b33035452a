#pragma once
// The structure of the assembly a bill of materials lists, as nodes that annotations can keep:
// it makes a node for an occurrence path once and finds it again, answers a node's children
// and parts, and ties a node to its row of the bill (its row key). It reads the model through
// its bill, so its answers need the bill's model attached; the nodes it made are stored.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dc/RDxObject.h"
#include "dl/DLxLocalBOMCookie.h"
#include "rse/RSeRef.h"

class DLxComponentProxy;
class DLxConfiguration;
class DLxCustomSurrogate;
class DLxLocalBOM;
class DLxStructureNode;
class RSeSegment;

class DLxTagManager : public RDxObject {
public:
    DLxTagManager() = default;
    explicit DLxTagManager(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // A tag manager of the bill in the bill's segment.
    static DLxTagManager* Create(DLxLocalBOM* bom);
    DLxLocalBOM* GetLocalBOM() const;
    // The configuration whose structure it is; null for one made on its own.
    DLxConfiguration* GetConfiguration() const;
    void SetConfiguration(DLxConfiguration* configuration);

    // The node of that occurrence path (the root for an empty one), made on first asking;
    // null when the path does not go down the model.
    DLxStructureNode* FindNode(const std::vector<int32_t>& path);
    DLxStructureNode* GetRootNode() { return FindNode({}); }
    // The node of that path when the manager made it already; never makes one (a reader that
    // must not change the document, such as a dump, asks this).
    DLxStructureNode* FindExistingNode(const std::vector<int32_t>& path) const;
    // The nodes of the occurrences directly under a node's component, in model order.
    std::vector<DLxStructureNode*> GetStructureChildren(DLxStructureNode* node);
    // Every part below the node, depth first (each assembly's parts before its next sibling)
    // or level by level.
    std::vector<DLxStructureNode*> GetAllPartStructureNodes(DLxStructureNode* node,
                                                            bool depthFirst);
    // The bill's row of the node, and that row's stored key (the row key tag): nodes of one
    // row share it, so callers use it to list a row once. Empty for the root or a node the
    // bill has no row for.
    DLxLocalBOMCookie GetRowCookie(const DLxStructureNode* node) const;
    std::u16string GetRowKeyTag(const DLxStructureNode* node) const;
    // A new custom part, in the tag manager's segment.
    DLxCustomSurrogate* CreateNewCustom();
    // Top-level rows that the structure does not give (custom parts of structured lists),
    // with their node type; the proxies stay their makers'.
    void AddRootNode(DLxComponentProxy* proxy, int32_t nodeType, int32_t flags);
    std::vector<DLxComponentProxy*> GetRootNodes() const;
    // Forgets the nodes made so far (deleting them).
    void ClearCachedNodes();

    bool IsDepthFirst() const { return m_depthFirst; }
    void SetDepthFirst(bool on);
    // How structured lists take their first level apart (0, 1 or 2), and the list mode byte
    // (1: quantities per structure).
    int32_t GetTagMode() const { return m_tagMode; }
    void SetTagMode(int32_t mode);
    uint8_t GetListMode() const { return m_listMode; }
    void SetListMode(uint8_t mode);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxTagManager* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxLocalBOM> m_bom;
    RSeRef<DLxConfiguration> m_configuration;
    std::vector<RSeRef<DLxStructureNode>> m_nodes; // in the order they were made
    std::vector<RSeRef<DLxComponentProxy>> m_roots;
    std::vector<int32_t> m_rootTypes;
    // Not stored: where each path's node is in m_nodes, built on first use after a load (an
    // undo loads the list again) and kept by FindNode and ClearCachedNodes.
    std::map<std::vector<int32_t>, size_t> m_index;
    bool m_indexed = false;
    bool m_depthFirst = true;
    int32_t m_tagMode = 0;
    uint8_t m_listMode = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTagManager*);
RSeMetaType* _GetMeta(const DLxTagManager*);
} // namespace RSe
