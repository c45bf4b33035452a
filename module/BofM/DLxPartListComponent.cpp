#include "BofM/DLxPartListComponent.h"

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxTagManager.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxPartListComponent::DLxPartListComponent(const RSeRef<DLxComponentProxy>& proxy, bool transparent)
    : m_proxy(proxy), m_transparent(transparent) {}

DLxPartListComponent::~DLxPartListComponent() {
    if (RSeIDed* t = m_proxy.GetTarget()) RSe::DeleteObject(t);
    for (RSeRef<DLxPartListProperty>& p : m_properties)
        if (RSeIDed* t = p.GetTarget()) RSe::DeleteObject(t);
}

int32_t DLxPartListComponent::GetCachedComponentQuantity(bool structured) const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p ? p->getCachedComponentQuantity(structured) : 0;
}

void DLxPartListComponent::CacheComponentQuantity(int32_t quantity, bool structured) {
    if (DLxComponentProxy* p = m_proxy.get()) p->cacheComponentQuantity(quantity, structured);
}

bool DLxPartListComponent::IsDataSourceEqual(const DLxPartListComponent* other,
                                             bool structured) const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p && other && p->isDataSourceEqual(other->m_proxy.Read(), structured);
}

bool DLxPartListComponent::AuditComponent(int32_t kind) const {
    const DLxComponentProxy* p = m_proxy.Read();
    if (!p || kind < 0 || kind > 2) return false;
    return p->audit(kind + 2);
}

bool DLxPartListComponent::RestoreDataSourceConnection(bool restore) {
    DLxComponentProxy* p = m_proxy.get();
    return p && p->restoreDataSourceConnection(restore);
}

bool DLxPartListComponent::IsComposite() const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p && p->isComposite();
}

bool DLxPartListComponent::IsCustom() const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p && p->isCustom();
}

RSeRef<DLxTagManager> DLxPartListComponent::GetComponentTagManager() const {
    const DLxComponentProxy* p = m_proxy.Read();
    return RSeRef<DLxTagManager>(p ? p->GetTagManager() : nullptr);
}

UTxString16 DLxPartListComponent::GetComponentTag(bool structured) const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p ? p->getComponentTag(structured) : UTxString16();
}

bool DLxPartListComponent::GetProxyMarker() const {
    const DLxComponentProxy* p = m_proxy.Read();
    return p && p->GetMarker();
}

void DLxPartListComponent::SetProxyMarker(bool on) {
    if (DLxComponentProxy* p = m_proxy.get()) p->SetMarker(on);
}

int32_t DLxPartListComponent::FindProperty(const DLxPartListPropertyId& id) const {
    for (size_t i = 0; i < m_properties.size(); ++i) {
        const DLxPartListProperty* p = m_properties[i].Read();
        const DLxPartListPropertyId* own = p ? p->GetPropertyId().Read() : nullptr;
        if (own && own->IsSameProperty(id)) return int32_t(i);
    }
    return -1;
}

void DLxPartListComponent::FindOrAddMember(RSeRef<DLxPartListProperty>& out,
                                           const DLxPartListPropertyId& id) {
    if (const int32_t i = FindProperty(id); i >= 0) {
        out = m_properties[size_t(i)];
        return;
    }
    out = id.CreateComponentProperty(RSeRef<RSeIDed>(m_proxy), GetSegment(), m_transparent);
    RSe::PrepareWrite(this);
    m_properties.push_back(out);
}

void DLxPartListComponent::CreateSubComponents(List& out, bool structured) {
    DLxComponentProxy* p = m_proxy.get();
    if (!p) return;
    for (DLxComponentProxy* sub : p->createSubComponentProxies(structured))
        out.emplace_back(
            new (RSe::_GetMeta(static_cast<const DLxPartListComponent*>(nullptr)), GetSegment())
                DLxPartListComponent(RSeRef<DLxComponentProxy>(sub), false));
}

// ---- group

DLxPartListComponentGroup::DLxPartListComponentGroup(const RSeRef<DLxBOMProxy>& bomProxy,
                                                     bool transparent)
    : m_bomProxy(bomProxy), m_transparent(transparent) {}

DLxPartListComponentGroup::~DLxPartListComponentGroup() {
    if (RSeIDed* t = m_bomProxy.GetTarget()) RSe::DeleteObject(t);
}

void DLxPartListComponentGroup::SetDataSourceProxy(const RSeRef<DLxStructureNode>& node) {
    if (DLxBOMProxy* proxy = m_bomProxy.get()) proxy->SetDataSource(node);
}

void DLxPartListComponentGroup::CreateComponents(DLxPartListComponent::List& out, bool structured,
                                                 const RSeRef<DLxTagManager>& tagManager) {
    DLxBOMProxy* bomProxy = m_bomProxy.get();
    if (!bomProxy) return;
    DLxDataSourceProxy::ProxyList proxies;
    bomProxy->CreateComponentProxies(proxies, structured, tagManager);
    for (const RSeRef<DLxComponentProxy>& proxy : proxies)
        out.emplace_back(new (RSe::_GetMeta(static_cast<const DLxPartListComponent*>(nullptr)),
                              GetSegment()) DLxPartListComponent(proxy, m_transparent));
}
