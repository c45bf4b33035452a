#include "dl/DLxComponentProxy.h"

#include <algorithm>
#include <climits>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rd/RDxComponent.h"
#include "rse/RSeTransaction.h"

namespace {

// A custom part's own values, apart from the names of its properties.
const std::u16string kPathKey = u"#Path";
const std::u16string kMassKey = u"#Mass";
const std::u16string kMaterialKey = u"#Material";
const std::u16string kQuantityKey = u"#Quantity";
const std::u16string kTagKey = u"#Item";

std::u16string GeneralKey(int32_t id) {
    std::u16string key = u"General:";
    for (char c : std::to_string(id))
        key.push_back(char16_t(c));
    return key;
}

} // namespace

std::u16string DLxCustomSurrogate::GetValue(const std::u16string& key) const {
    auto it = m_values.find(key);
    return it == m_values.end() ? std::u16string() : it->second;
}

void DLxCustomSurrogate::SetValue(const std::u16string& key, const std::u16string& text) {
    auto it = m_values.find(key);
    if (text.empty() ? it == m_values.end() : it != m_values.end() && it->second == text) return;
    RSe::PrepareWrite(this);
    if (text.empty())
        m_values.erase(it);
    else
        m_values[key] = text;
}

int32_t DLxComponentProxy::getInstanceCount(bool structured) const {
    return getCachedComponentQuantity(structured);
}

std::u16string DLxComponentProxy::getComponentTag(bool) const {
    return {};
}

bool DLxComponentProxy::setComponentTag(const std::u16string&, bool, bool) {
    return false;
}

void DLxComponentProxy::cacheComponentQuantity(int32_t quantity, bool structured) {
    if (m_cached[structured] == quantity) return;
    RSe::PrepareWrite(this);
    m_cached[structured] = quantity;
}

int32_t DLxComponentProxy::getCachedComponentQuantity(bool structured) const {
    return m_cached[structured];
}

std::u16string DLxComponentProxy::getDataSourcePathString(bool) const {
    return {};
}

std::u16string DLxComponentProxy::getDataSourceNameString() const {
    return {};
}

bool DLxComponentProxy::isDataSourceEqual(const DLxComponentProxy* other, bool structured) const {
    if (!other || other->isCustom()) return false;
    const std::u16string path = getDataSourcePathString(structured);
    return !path.empty() && path == other->getDataSourcePathString(structured);
}

std::vector<DLxComponentProxy*> DLxComponentProxy::createSubComponentProxies(bool) {
    return {};
}

bool DLxComponentProxy::audit(int32_t) const {
    return false;
}

bool DLxComponentProxy::restoreDataSourceConnection(bool) {
    return audit(0);
}

void DLxComponentProxy::SetMarker(bool on) {
    if (on == m_marker) return;
    RSe::PrepareWrite(this);
    m_marker = on;
}

std::u16string DLxComponentProxy::getComponentMass() const {
    return {};
}

std::u16string DLxComponentProxy::getComponentMaterial() const {
    return {};
}

// On a structure node.

DLxComponentProxyNode::DLxComponentProxyNode(DLxStructureNode* node, DLxTagManager* manager)
    : m_node(node), m_manager(manager) {}

namespace {
DLxLocalBOM* BillOf(const RSeRef<DLxTagManager>& manager) {
    DLxTagManager* tm = manager.get();
    return tm ? tm->GetLocalBOM() : nullptr;
}
} // namespace

const DLxAssemblyComponent* DLxComponentProxyNode::getTargetDocument() const {
    DLxLocalBOM* bom = BillOf(m_manager);
    DLxStructureNode* node = m_node.get();
    return bom && node ? bom->FindComponent(node->GetComponentId()) : nullptr;
}

int32_t DLxComponentProxyNode::getInstanceCount(bool structured) const {
    DLxLocalBOM* bom = BillOf(m_manager);
    DLxStructureNode* node = m_node.get();
    if (!bom || !bom->GetAssembly() || !node || node->IsRoot()) return 0;
    if (!structured) return bom->TotalQuantity(node->GetComponentId());
    // The parent is the component of the occurrence above, or the root.
    const std::vector<int32_t>& path = node->GetRDxPassivePath();
    int32_t parent = bom->GetAssembly()->root;
    if (path.size() > 1)
        if (const DLxAssemblyOccurrence* o = bom->FindOccurrence(path[path.size() - 2]))
            parent = o->component;
    return bom->QuantityUnder(parent, node->GetComponentId());
}

std::u16string DLxComponentProxyNode::getComponentTag(bool) const {
    DLxLocalBOM* bom = BillOf(m_manager);
    return bom ? bom->ItemNumberOf(m_manager->GetRowCookie(m_node.get())) : std::u16string();
}

bool DLxComponentProxyNode::setComponentTag(const std::u16string& tag, bool, bool) {
    DLxLocalBOM* bom = BillOf(m_manager);
    return bom && bom->SetItemNumber(m_manager->GetRowCookie(m_node.get()), tag);
}

std::u16string DLxComponentProxyNode::getDataSourcePathString(bool) const {
    const DLxAssemblyComponent* c = getTargetDocument();
    return c ? c->path : std::u16string();
}

std::u16string DLxComponentProxyNode::getDataSourceNameString() const {
    const DLxAssemblyComponent* c = getTargetDocument();
    return c ? c->name : std::u16string();
}

bool DLxComponentProxyNode::isComposite() const {
    DLxStructureNode* node = m_node.get();
    return node && node->IsAssemblyNode();
}

DLxStructureNode* DLxComponentProxyNode::GetStructureNode() const {
    return m_node.get();
}

DLxTagManager* DLxComponentProxyNode::GetTagManager() const {
    return m_manager.get();
}

void DLxComponentProxyNode::SetStructureNode(DLxStructureNode* node) {
    if (node == m_node.get()) return;
    RSe::PrepareWrite(this);
    m_node = node;
}

std::u16string DLxComponentProxyNode::getComponentMass() const {
    const DLxAssemblyComponent* c = getTargetDocument();
    return c ? BillOf(m_manager)->ModelValue(*c, DLxLocalBOMColumn::Mass) : std::u16string();
}

std::u16string DLxComponentProxyNode::getComponentMaterial() const {
    const DLxAssemblyComponent* c = getTargetDocument();
    return c ? c->material : std::u16string();
}

std::vector<DLxComponentProxy*> DLxComponentProxyNode::createSubComponentProxies(bool) {
    std::vector<DLxComponentProxy*> out;
    DLxTagManager* tm = m_manager.get();
    DLxStructureNode* node = m_node.get();
    if (!tm || !node || !node->IsAssemblyNode()) return out;
    for (DLxStructureNode* child : tm->GetStructureChildren(node)) {
        DLxComponentProxy* p = nullptr;
        if (child->IsAssemblyNode())
            p = new (RSe::_GetMeta(static_cast<const DLxComponentProxyAssemblySurrogate*>(nullptr)),
                     GetSegment()) DLxComponentProxyAssemblySurrogate(child, tm);
        else
            p = new (RSe::_GetMeta(static_cast<const DLxComponentProxyPartSurrogate*>(nullptr)),
                     GetSegment()) DLxComponentProxyPartSurrogate(child, tm);
        out.push_back(p);
    }
    return out;
}

bool DLxComponentProxyNode::audit(int32_t) const {
    // The node's occurrence path still goes down the model to its component.
    DLxLocalBOM* bom = BillOf(m_manager);
    const DLxStructureNode* node = m_node.Read();
    if (!bom || !bom->GetAssembly() || !node) return false;
    int32_t component = bom->GetAssembly()->root;
    for (int32_t id : node->GetRDxPassivePath()) {
        const DLxAssemblyOccurrence* o = bom->FindOccurrence(id);
        if (!o || o->parent != component) return false;
        component = o->component;
    }
    return component == node->GetComponentId() && bom->FindComponent(component);
}

bool DLxComponentProxyNode::restoreDataSourceConnection(bool restore) {
    if (audit(0)) return true;
    // Reconnects to the first occurrence of the same component, level by level.
    DLxTagManager* tm = m_manager.get();
    const DLxStructureNode* node = m_node.Read();
    if (!tm || !node) return false;
    const int32_t component = node->GetComponentId();
    std::vector<DLxStructureNode*> level{tm->GetRootNode()};
    while (!level.empty()) {
        std::vector<DLxStructureNode*> next;
        for (DLxStructureNode* n : level) {
            if (!n) continue;
            if (!n->IsRoot() && n->GetComponentId() == component) {
                if (restore) SetStructureNode(n);
                return true;
            }
            for (DLxStructureNode* c : tm->GetStructureChildren(n))
                next.push_back(c);
        }
        level = std::move(next);
    }
    return false;
}

int32_t DLxComponentProxyNode::GetConnectionId() const {
    DLxStructureNode* node = m_node.get();
    return node && !node->IsRoot() ? node->GetRDxPassivePath().back() : 0;
}

// A child of an older assembly list.

DLxComponentProxyDT::DLxComponentProxyDT(RDxComponent* assembly, RDxComponent* child,
                                         std::u16string tag)
    : m_assembly(assembly), m_child(child), m_tag(std::move(tag)) {}

RDxComponent* DLxComponentProxyDT::GetAssembly() const {
    return m_assembly.get();
}

RDxComponent* DLxComponentProxyDT::GetChild() const {
    return m_child.get();
}

bool DLxComponentProxyDT::audit(int32_t) const {
    return m_child.Read() != nullptr;
}

bool DLxComponentProxyDT::setComponentTag(const std::u16string& tag, bool, bool) {
    if (tag != m_tag) {
        RSe::PrepareWrite(this);
        m_tag = tag;
    }
    return true;
}

std::u16string DLxComponentProxyDT::getDataSourcePathString(bool) const {
    RDxComponent* c = m_child.get();
    return c ? c->GetPath() : std::u16string();
}

std::u16string DLxComponentProxyDT::getDataSourceNameString() const {
    RDxComponent* c = m_child.get();
    return c ? c->GetName() : std::u16string();
}

bool DLxComponentProxyDT::isComposite() const {
    RDxComponent* c = m_child.get();
    return c && c->GetKind() == RDxComponent::kAssembly;
}

std::u16string DLxComponentProxyDT::getComponentMass() const {
    RDxComponent* c = m_child.get();
    return c ? c->GetProperty(u"Mass") : std::u16string();
}

std::u16string DLxComponentProxyDT::getComponentMaterial() const {
    RDxComponent* c = m_child.get();
    return c ? c->GetProperty(u"Material") : std::u16string();
}

// A custom part.

std::u16string DLxComponentProxyCustom::Value(const std::u16string& key) const {
    DLxCustomSurrogate* s = m_surrogate.get();
    return s ? s->GetValue(key) : std::u16string();
}

void DLxComponentProxyCustom::SetValue(const std::u16string& key, const std::u16string& text) {
    if (DLxCustomSurrogate* s = m_surrogate.get()) s->SetValue(key, text);
}

bool DLxComponentProxyCustom::isDataSourceEqual(const DLxComponentProxy* other, bool) const {
    auto* custom = dynamic_cast<const DLxComponentProxyCustom*>(other);
    return custom && custom->m_surrogate.get() && custom->m_surrogate.get() == m_surrogate.get();
}

bool DLxComponentProxyCustom::audit(int32_t) const {
    return m_surrogate.Read() != nullptr;
}

std::u16string DLxComponentProxyCustom::getQuantityString() const {
    return Value(kQuantityKey);
}

void DLxComponentProxyCustom::setQuantityString(const std::u16string& text) {
    SetValue(kQuantityKey, text);
}

int32_t DLxComponentProxyCustom::getInstanceCount(bool) const {
    const std::u16string text = getQuantityString();
    if (text.empty()) return 1;
    int64_t v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        v = std::min<int64_t>(v * 10 + (c - u'0'), INT32_MAX);
    }
    return int32_t(v);
}

std::u16string DLxComponentProxyCustom::getComponentTag(bool) const {
    return Value(kTagKey);
}

bool DLxComponentProxyCustom::setComponentTag(const std::u16string& tag, bool, bool) {
    SetValue(kTagKey, tag);
    return m_surrogate.get() != nullptr;
}

std::u16string DLxComponentProxyCustom::getPropertyString(int32_t generalId) const {
    return Value(GeneralKey(generalId));
}

std::u16string DLxComponentProxyCustom::getPropertyString(const std::u16string& name) const {
    return Value(name);
}

void DLxComponentProxyCustom::setPropertyString(int32_t generalId, const std::u16string& text) {
    SetValue(GeneralKey(generalId), text);
}

void DLxComponentProxyCustom::setPropertyString(const std::u16string& name,
                                                const std::u16string& text) {
    SetValue(name, text);
}

std::u16string DLxComponentProxyCustom::getDataSourcePathString(bool) const {
    return Value(kPathKey);
}

void DLxComponentProxyCustom::setComponentDataSourcePathString(const std::u16string& text) {
    SetValue(kPathKey, text);
}

std::u16string DLxComponentProxyCustom::getComponentMass() const {
    return Value(kMassKey);
}

void DLxComponentProxyCustom::setComponentMass(const std::u16string& text) {
    SetValue(kMassKey, text);
}

std::u16string DLxComponentProxyCustom::getComponentMaterial() const {
    return Value(kMaterialKey);
}

void DLxComponentProxyCustom::setComponentMaterial(const std::u16string& text) {
    SetValue(kMaterialKey, text);
}
