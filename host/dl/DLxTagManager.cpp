#include "dl/DLxTagManager.h"

#include <deque>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxStructureNode.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

DLxTagManager* DLxTagManager::Create(DLxLocalBOM* bom) {
    if (!bom) return nullptr;
    auto* tm = new (RSe::_GetMeta(static_cast<const DLxTagManager*>(nullptr)), bom->GetSegment())
        DLxTagManager();
    tm->m_bom = bom;
    return tm;
}

DLxLocalBOM* DLxTagManager::GetLocalBOM() const {
    return m_bom.get();
}

DLxConfiguration* DLxTagManager::GetConfiguration() const {
    return m_configuration.get();
}

void DLxTagManager::SetConfiguration(DLxConfiguration* configuration) {
    if (configuration == m_configuration.get()) return;
    RSe::PrepareWrite(this);
    m_configuration = configuration;
}

DLxConfiguration* DLxStructureNode::GetConfiguration() const {
    DLxTagManager* tm = m_manager.get();
    return tm ? tm->GetConfiguration() : nullptr;
}

DLxTagManager* DLxStructureNode::GetTagManager() const {
    return m_manager.get();
}

DLxStructureNode* DLxTagManager::FindNode(const std::vector<int32_t>& path) {
    if (!m_indexed) {
        m_index.clear();
        for (size_t i = 0; i < m_nodes.size(); ++i)
            if (DLxStructureNode* n = m_nodes[i].get()) m_index.emplace(n->m_path, i);
        m_indexed = true;
    }
    if (auto it = m_index.find(path); it != m_index.end() && it->second < m_nodes.size())
        if (DLxStructureNode* n = m_nodes[it->second].get(); n && n->m_path == path) return n;
    DLxLocalBOM* bom = m_bom.get();
    if (!bom || !bom->GetAssembly()) return nullptr;
    int32_t component = bom->GetAssembly()->root;
    for (int32_t id : path) {
        const DLxAssemblyOccurrence* o = bom->FindOccurrence(id);
        if (!o || o->parent != component) return nullptr;
        component = o->component;
    }
    RSe::PrepareWrite(this);
    auto* node = new (RSe::_GetMeta(static_cast<const DLxStructureNode*>(nullptr)), GetSegment())
        DLxStructureNode();
    node->m_path = path;
    node->m_component = component;
    node->m_kind = bom->IsAssemblyComponent(component) ? DLxStructureNode::kAssemblyNode
                                                       : DLxStructureNode::kPartNode;
    node->m_manager = this;
    m_index[path] = m_nodes.size();
    m_nodes.emplace_back(node);
    return node;
}

std::vector<DLxStructureNode*> DLxTagManager::GetStructureChildren(DLxStructureNode* node) {
    std::vector<DLxStructureNode*> out;
    DLxLocalBOM* bom = m_bom.get();
    if (!node || !bom || !bom->GetAssembly() || (!node->IsAssemblyNode() && !node->IsRoot()))
        return out;
    std::vector<int32_t> path = node->m_path;
    path.push_back(0);
    for (const DLxAssemblyOccurrence& o : bom->GetAssembly()->occurrences) {
        if (o.parent != node->m_component) continue;
        path.back() = o.id;
        if (DLxStructureNode* child = FindNode(path)) out.push_back(child);
    }
    return out;
}

std::vector<DLxStructureNode*> DLxTagManager::GetAllPartStructureNodes(DLxStructureNode* node,
                                                                       bool depthFirst) {
    std::vector<DLxStructureNode*> out;
    if (depthFirst) {
        // An explicit stack, so that a deep model does not recurse.
        std::vector<DLxStructureNode*> stack{node};
        while (!stack.empty()) {
            DLxStructureNode* n = stack.back();
            stack.pop_back();
            if (!n) continue;
            if (n != node && !n->IsAssemblyNode()) {
                out.push_back(n);
                continue;
            }
            std::vector<DLxStructureNode*> children = GetStructureChildren(n);
            stack.insert(stack.end(), children.rbegin(), children.rend());
        }
        return out;
    }
    std::deque<DLxStructureNode*> queue{node};
    while (!queue.empty()) {
        DLxStructureNode* n = queue.front();
        queue.pop_front();
        if (!n) continue;
        if (n != node && !n->IsAssemblyNode()) {
            out.push_back(n);
            continue;
        }
        for (DLxStructureNode* c : GetStructureChildren(n))
            queue.push_back(c);
    }
    return out;
}

DLxLocalBOMCookie DLxTagManager::GetRowCookie(const DLxStructureNode* node) const {
    const DLxLocalBOM* bom = m_bom.get();
    if (!node || !bom) return {};
    return bom->CookieOfOccurrencePath(node->GetRDxPassivePath());
}

std::u16string DLxTagManager::GetRowKeyTag(const DLxStructureNode* node) const {
    return GetRowCookie(node).Key();
}

void DLxTagManager::ClearCachedNodes() {
    if (m_nodes.empty()) return;
    RSe::PrepareWrite(this);
    for (RSeRef<DLxStructureNode>& ref : m_nodes)
        if (DLxStructureNode* n = ref.get()) RSe::DeleteObject(n);
    m_nodes.clear();
    m_index.clear();
}

void DLxTagManager::SetDepthFirst(bool on) {
    if (on == m_depthFirst) return;
    RSe::PrepareWrite(this);
    m_depthFirst = on;
}

void DLxTagManager::SetTagMode(int32_t mode) {
    if (mode == m_tagMode) return;
    RSe::PrepareWrite(this);
    m_tagMode = mode;
}

void DLxTagManager::SetListMode(uint8_t mode) {
    if (mode == m_listMode) return;
    RSe::PrepareWrite(this);
    m_listMode = mode;
}

DLxCustomSurrogate* DLxTagManager::CreateNewCustom() {
    return new (RSe::_GetMeta(static_cast<const DLxCustomSurrogate*>(nullptr)), GetSegment())
        DLxCustomSurrogate();
}

void DLxTagManager::AddRootNode(DLxComponentProxy* proxy, int32_t nodeType, int32_t) {
    if (!proxy) return;
    RSe::PrepareWrite(this);
    m_roots.emplace_back(proxy);
    m_rootTypes.push_back(nodeType);
}

std::vector<DLxComponentProxy*> DLxTagManager::GetRootNodes() const {
    std::vector<DLxComponentProxy*> out;
    for (const RSeRef<DLxComponentProxy>& r : m_roots)
        if (DLxComponentProxy* p = r.get()) out.push_back(p);
    return out;
}

DLxStructureNode* DLxTagManager::FindExistingNode(const std::vector<int32_t>& path) const {
    for (const auto& ref : m_nodes)
        if (DLxStructureNode* n = ref.get(); n && n->m_path == path) return n;
    return nullptr;
}
