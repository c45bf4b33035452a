#include "BofM/DLxTableComponentBinder.h"

#include <algorithm>

#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPartListTablePropertyQuantity.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
void Delete(RSeRefBase& ref) {
    if (RSeIDed* t = ref.GetTarget()) RSe::DeleteObject(t);
}
} // namespace

DLxTableComponentBinder::DLxTableComponentBinder(const RSeRef<DLxPartListComponent>& component)
    : m_component(component) {}

DLxTableComponentBinder::DLxTableComponentBinder(DLxTableComponentBinder* parent,
                                                 const RSeRef<DLxPartListComponent>& component)
    : m_component(component), m_parent(parent) {}

DLxTableComponentBinder::DLxTableComponentBinder(const RSeRef<DLxPartListComponent>& merged,
                                                 DLxPartListPropertiesTableComponent* origin)
    : m_merged{merged}, m_mergedOrigins{RSeRef<DLxPartListPropertiesTableComponent>(origin)} {}

DLxTableComponentBinder::~DLxTableComponentBinder() {
    for (RSeRef<DLxTableComponentBinder>& child : m_children)
        Delete(child);
    Delete(m_component);
    Delete(m_quantity);
    for (RSeRef<DLxPartListComponent>& c : m_merged)
        Delete(c);
}

DLxTableComponentBinder* DLxTableComponentBinder::New(RSeSegment* seg,
                                                      DLxTableComponentBinder* parent,
                                                      const RSeRef<DLxPartListComponent>& c) {
    return new (RSe::_GetMeta(static_cast<const DLxTableComponentBinder*>(nullptr)), seg)
        DLxTableComponentBinder(parent, c);
}

DLxTableComponentBinder* DLxTableComponentBinder::GetParent() const {
    return m_parent.get();
}

RSeRef<DLxPartListComponent> DLxTableComponentBinder::GetComponent() const {
    if (m_component) return m_component;
    for (const RSeRef<DLxPartListComponent>& c : m_merged)
        if (c) return c;
    return {};
}

RSeRef<DLxPartListProperty> DLxTableComponentBinder::GetProperty(const DLxPartListPropertyId& id) {
    DLxPartListComponent* component = GetComponent().get();
    if (id.GetType() != DLxPartListPropertyId::eQuantity) {
        RSeRef<DLxPartListProperty> out;
        if (component) component->FindOrAddMember(out, id);
        return out;
    }
    if (!m_quantity) {
        RSeRef<DLxPartListProperty> value;
        if (component) component->FindOrAddMember(value, id);
        RSe::PrepareWrite(this);
        m_quantity =
            new (RSe::_GetMeta(static_cast<const DLxPartListTablePropertyQuantity*>(nullptr)),
                 GetSegment())
                DLxPartListTablePropertyQuantity(this, value ? value->GetValueObject()
                                                             : RSeRef<DLxComponentProperty>());
    }
    return RSeRef<DLxPartListProperty>(m_quantity);
}

int32_t DLxTableComponentBinder::GetCachedQuantity(bool structured) const {
    const DLxPartListComponent* c = m_component.Read();
    return c ? c->GetCachedComponentQuantity(structured) : 0;
}

UTxString16 DLxTableComponentBinder::GetComponentTag(bool structured) const {
    const DLxPartListComponent* c = GetComponent().Read();
    return c ? c->GetComponentTag(structured) : UTxString16();
}

bool DLxTableComponentBinder::CollectSubComponents(bool structured) {
    m_candidates.clear();
    m_candidateOrigins.clear();
    auto collect = [&](DLxPartListComponent* c) {
        if (!c) return;
        DLxPartListComponent::List subs;
        c->CreateSubComponents(subs, structured);
        for (RSeRef<DLxPartListComponent>& sub : subs) {
            m_candidates.push_back(sub);
            m_candidateOrigins.emplace_back(this);
        }
    };
    collect(m_component.get());
    for (const RSeRef<DLxPartListComponent>& c : m_merged)
        collect(c.get());
    return true;
}

bool DLxTableComponentBinder::HandOverSubComponents(DLxPartListPropertiesTableComponent* other,
                                                    bool structured) {
    auto* to = dynamic_cast<DLxTableComponentBinder*>(other);
    if (!to || to == this) return false;
    DLxPartListComponent* target = to->GetComponent().get();
    std::vector<RSeRef<DLxPartListComponent>> kept;
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> keptOrigins;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        if (target && target->IsDataSourceEqual(m_candidates[i].Read(), false)) {
            RSe::PrepareWrite(to);
            to->m_merged.push_back(m_candidates[i]);
            to->m_mergedOrigins.push_back(m_candidateOrigins[i]);
            target->CacheComponentQuantity(to->GetCachedQuantity(structured), false);
        } else {
            kept.push_back(m_candidates[i]);
            keptOrigins.push_back(m_candidateOrigins[i]);
        }
    }
    m_candidates = std::move(kept);
    m_candidateOrigins = std::move(keptOrigins);
    return true;
}

std::vector<RSeRef<DLxPartListPropertiesTableComponent>>
DLxTableComponentBinder::CreateSubBinders() {
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> out;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        bool accepted = false;
        for (RSeRef<DLxPartListPropertiesTableComponent>& row : out)
            accepted |= row->MergeComponent(m_candidates[i], m_candidateOrigins[i].get());
        if (!accepted)
            out.emplace_back(
                new (RSe::_GetMeta(static_cast<const DLxTableComponentBinder*>(nullptr)),
                     GetSegment())
                    DLxTableComponentBinder(m_candidates[i], m_candidateOrigins[i].get()));
    }
    m_candidates.clear();
    m_candidateOrigins.clear();
    return out;
}

UTxString16 DLxTableComponentBinder::GetExpandMarker() const {
    const DLxPartListComponent* c = GetComponent().Read();
    if (!c || !c->IsComposite()) return {};
    return m_expanded ? u"-" : u"+";
}

void DLxTableComponentBinder::Expand() {
    if (m_expanded) return;
    RSe::PrepareWrite(this);
    m_expanded = true;
}

void DLxTableComponentBinder::Collapse() {
    if (!m_expanded) return;
    RSe::PrepareWrite(this);
    m_expanded = false;
}

bool DLxTableComponentBinder::RemoveMergedFrom(DLxPartListPropertiesTableComponent* other) {
    if (!dynamic_cast<DLxTableComponentBinder*>(other) || other == this) return true;
    std::vector<RSeRef<DLxPartListComponent>> merged;
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> origins;
    for (size_t i = 0; i < m_merged.size(); ++i) {
        if (m_mergedOrigins[i].GetTarget() == other) {
            RSe::PrepareWrite(this);
            Delete(m_merged[i]);
            continue;
        }
        merged.push_back(m_merged[i]);
        origins.push_back(m_mergedOrigins[i]);
    }
    if (merged.size() != m_merged.size()) {
        m_merged = std::move(merged);
        m_mergedOrigins = std::move(origins);
    }
    return bool(GetComponent());
}

bool DLxTableComponentBinder::MergeComponent(const RSeRef<DLxPartListComponent>& component,
                                             DLxPartListPropertiesTableComponent* origin) {
    if (!dynamic_cast<DLxTableComponentBinder*>(origin)) return false;
    const DLxPartListComponent* own = GetComponent().Read();
    if (!own || !own->IsDataSourceEqual(component.Read(), false)) return false;
    RSe::PrepareWrite(this);
    m_merged.push_back(component);
    m_mergedOrigins.emplace_back(origin);
    return true;
}

bool DLxTableComponentBinder::Audit(bool restore) {
    DLxPartListComponent* component = GetComponent().get();
    if (!component) return false;
    if (component->AuditComponent(0)) {
        for (const RSeRef<DLxPartListComponent>& c : m_merged)
            if (!c || !c->AuditComponent(0)) return false;
        return true;
    }
    if (!component->RestoreDataSourceConnection(restore)) return false;
    RSe::PrepareWrite(this);
    for (RSeRef<DLxPartListComponent>& c : m_merged)
        Delete(c);
    m_merged.clear();
    m_mergedOrigins.clear();
    Delete(m_quantity);
    m_quantity = nullptr;
    m_expanded = false;
    return true;
}

bool DLxTableComponentBinder::IsSameDataSource(
    const DLxPartListPropertiesTableComponent* other) const {
    auto* binder = dynamic_cast<const DLxTableComponentBinder*>(other);
    if (!binder) return false;
    const DLxPartListComponent* own = GetComponent().Read();
    return own && own->IsDataSourceEqual(binder->GetComponent().Read(), false);
}

bool DLxTableComponentBinder::IsShown(bool withChildren) const {
    const DLxPartListComponent* own = m_component.Read();
    if (own && own->GetProxyMarker()) return true;
    if (withChildren && m_expanded)
        for (const RSeRef<DLxTableComponentBinder>& child : m_children)
            if (child && child.Read()->IsShown(true)) return true;
    return own ? false : m_shown;
}

void DLxTableComponentBinder::SetShown(bool shown) {
    if (DLxPartListComponent* own = m_component.get()) own->SetProxyMarker(shown);
    if (shown == m_shown) return;
    RSe::PrepareWrite(this);
    m_shown = shown;
}

RSeRef<DLxTagManager> DLxTableComponentBinder::GetTagManager() const {
    const DLxPartListComponent* own = m_component.Read();
    return own ? own->GetComponentTagManager() : RSeRef<DLxTagManager>();
}

bool DLxTableComponentBinder::IsCustom() const {
    const DLxPartListComponent* own = m_component.Read();
    return own && own->IsCustom();
}

void DLxTableComponentBinder::CollectChildren(Binders& out) const {
    if (!m_expanded) return;
    for (const RSeRef<DLxTableComponentBinder>& child : m_children) {
        out.push_back(child);
        if (const DLxTableComponentBinder* c = child.Read()) c->CollectChildren(out);
    }
}

bool DLxTableComponentBinder::ReleaseChildren(bool remove, bool collapseNodes) {
    if (!m_expanded && !remove) return false;
    if (collapseNodes) {
        const DLxPartListComponent* own = m_component.Read();
        DLxTagManager* tm = GetTagManager().get();
        DLxComponentProxy* proxy = own ? own->GetProxy().get() : nullptr;
        DLxLocalBOM* bom = tm ? tm->GetLocalBOM() : nullptr;
        if (bom && proxy && proxy->GetStructureNode())
            bom->SetExpanded(tm->GetRowCookie(proxy->GetStructureNode()), false);
    }
    RSe::PrepareWrite(this);
    for (RSeRef<DLxTableComponentBinder>& child : m_children) {
        if (DLxTableComponentBinder* c = child.get()) {
            c->ReleaseChildren(remove, collapseNodes);
            if (remove) RSe::DeleteObject(c);
        }
    }
    if (remove) m_children.clear();
    m_expanded = false;
    return true;
}

void DLxTableComponentBinder::AttachTagManagerNode(const RSeRef<DLxStructureNode>& nodeRef) {
    DLxStructureNode* node = nodeRef.get();
    if (!node || !m_expanded) return;
    DLxTagManager* tm = node->GetTagManager();
    if (!tm) return;
    // Custom parts are the tag manager's root nodes, never structure children.
    std::vector<DLxStructureNode*> nodes = tm->GetStructureChildren(node);
    RSe::PrepareWrite(this);
    Binders kept;
    for (RSeRef<DLxTableComponentBinder>& childRef : m_children) {
        DLxTableComponentBinder* child = childRef.get();
        if (!child) continue;
        if (child->IsCustom()) {
            kept.push_back(childRef);
            continue;
        }
        const DLxPartListComponent* c = child->m_component.Read();
        DLxComponentProxy* proxy = c ? c->GetProxy().get() : nullptr;
        const int32_t id = proxy ? proxy->GetConnectionId() : 0;
        auto found = std::find_if(nodes.begin(), nodes.end(), [id](const DLxStructureNode* n) {
            return id && !n->IsRoot() && n->GetRDxPassivePath().back() == id;
        });
        if (found == nodes.end()) {
            RSe::DeleteObject(child);
            continue;
        }
        proxy->SetStructureNode(*found);
        nodes.erase(found);
        kept.push_back(childRef);
    }
    m_children = std::move(kept);
    for (DLxStructureNode* n : nodes) {
        DLxComponentProxy* proxy = nullptr;
        if (n->IsAssemblyNode())
            proxy =
                new (RSe::_GetMeta(static_cast<const DLxComponentProxyAssemblySurrogate*>(nullptr)),
                     GetSegment()) DLxComponentProxyAssemblySurrogate(n, tm);
        else
            proxy = new (RSe::_GetMeta(static_cast<const DLxComponentProxyPartSurrogate*>(nullptr)),
                         GetSegment()) DLxComponentProxyPartSurrogate(n, tm);
        auto* component =
            new (RSe::_GetMeta(static_cast<const DLxPartListComponent*>(nullptr)), GetSegment())
                DLxPartListComponent(RSeRef<DLxComponentProxy>(proxy), false);
        m_children.emplace_back(New(GetSegment(), this, RSeRef<DLxPartListComponent>(component)));
    }
    for (RSeRef<DLxTableComponentBinder>& childRef : m_children) {
        DLxTableComponentBinder* child = childRef.get();
        if (!child || child->IsCustom() || !child->m_expanded) continue;
        const DLxPartListComponent* c = child->m_component.Read();
        DLxComponentProxy* proxy = c ? c->GetProxy().get() : nullptr;
        if (DLxStructureNode* below = proxy ? proxy->GetStructureNode() : nullptr)
            child->AttachTagManagerNode(RSeRef<DLxStructureNode>(below));
    }
}
