#include "BofM/DLxPartListComponentPropertiesTable.h"

#include <algorithm>

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxTableComponentBinder.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxPartListComponentPropertiesTable::DLxPartListComponentPropertiesTable(
    const RSeRef<DLxPartListColumnHeaders>& headers, const RSeRef<DLxPartListComponentGroup>& group,
    const RSeRef<DLxPartListItemIdRanges>& ranges, bool structured)
    : m_headers(headers), m_group(group), m_ranges(ranges), m_structured(structured) {}

DLxPartListComponentPropertiesTable::~DLxPartListComponentPropertiesTable() {
    DLxTagManager* tm = GetTagManager().get();
    if (RSeIDed* t = m_headers.GetTarget()) RSe::DeleteObject(t);
    for (RSeRef<DLxTableComponentBinder>& ref : m_binders) {
        DLxTableComponentBinder* b = ref.get();
        if (!b) continue;
        if (b->IsExpanded()) b->ReleaseChildren(false, true);
        RSe::DeleteObject(b);
    }
    if (RSeIDed* t = m_group.GetTarget()) RSe::DeleteObject(t);
    if (RSeIDed* t = m_ranges.GetTarget()) RSe::DeleteObject(t);
    if (tm) tm->ClearCachedNodes();
}

RSeRef<DLxTagManager> DLxPartListComponentPropertiesTable::GetTagManager() const {
    if (m_tagManager) return m_tagManager;
    for (const RSeRef<DLxTableComponentBinder>& b : m_binders)
        if (const DLxTableComponentBinder* binder = b.Read())
            if (RSeRef<DLxTagManager> tm = binder->GetTagManager()) return tm;
    // The structure the group's data source stands on: its configuration keeps it.
    const DLxPartListComponentGroup* group = m_group.Read();
    const DLxBOMProxy* bomProxy = group ? group->GetBOMProxy().Read() : nullptr;
    const DLxDataSourceProxy* source = bomProxy ? bomProxy->GetDataSource().Read() : nullptr;
    const DLxStructureNode* node = source ? source->GetStructureNode().Read() : nullptr;
    return RSeRef<DLxTagManager>(node ? node->GetTagManager() : nullptr);
}

void DLxPartListComponentPropertiesTable::GetColumns(
    std::list<RSeRef<DLxPartListColumn>>& out) const {
    const DLxPartListColumnHeaders* headers = m_headers.Read();
    if (!headers) return;
    for (int32_t i = 0; i < headers->GetDisplayedCount(); ++i)
        out.push_back(headers->GetDisplayedColumn(i));
}

std::vector<UTxString16> DLxPartListComponentPropertiesTable::GetRow(int32_t i) const {
    return i >= 0 && size_t(i) < m_rows.size() ? m_rows[size_t(i)] : std::vector<UTxString16>();
}

void DLxPartListComponentPropertiesTable::ClearRows() {
    if (m_rows.empty()) return;
    RSe::PrepareWrite(this);
    m_rows.clear();
}

void DLxPartListComponentPropertiesTable::CreateBinders(BinderList& out) {
    DLxPartListComponentGroup* group = m_group.get();
    if (!group) return;
    DLxPartListComponent::List components;
    group->CreateComponents(components, m_structured, GetTagManager());
    const DLxPartListItemIdRanges* ranges = m_ranges.Read();
    for (RSeRef<DLxPartListComponent>& ref : components) {
        DLxPartListComponent* c = ref.get();
        if (!c) continue;
        const bool shown = c->GetCachedComponentQuantity(m_structured) > 0 &&
                           (!ranges || ranges->ContainsItemId(c->GetComponentTag(m_structured)));
        if (!shown) {
            RSe::DeleteObject(c);
            continue;
        }
        out.emplace_back(new (RSe::_GetMeta(static_cast<const DLxTableComponentBinder*>(nullptr)),
                              GetSegment()) DLxTableComponentBinder(ref));
    }
}

void DLxPartListComponentPropertiesTable::CollectNodes(std::vector<NodeRecord>& out) const {
    auto add = [&out](const RSeRef<DLxTableComponentBinder>& ref) {
        const DLxTableComponentBinder* b = ref.Read();
        const DLxPartListComponent* c = b ? b->GetComponent().Read() : nullptr;
        const int32_t kind = !c ? 4 : c->IsComposite() ? 2 : c->IsCustom() ? 3 : 1;
        out.push_back({int32_t(out.size()), kind, ref});
    };
    for (const RSeRef<DLxTableComponentBinder>& ref : m_binders) {
        add(ref);
        if (const DLxTableComponentBinder* b = ref.Read()) {
            DLxTableComponentBinder::Binders children;
            b->CollectChildren(children);
            for (const RSeRef<DLxTableComponentBinder>& child : children)
                add(child);
        }
    }
}

DLxTableComponentBinder* DLxPartListComponentPropertiesTable::CreateCustomComponents(
    int32_t, int32_t, const RSeRef<DLxTagManager>& tagManager) {
    DLxTagManager* tm = tagManager ? tagManager.get() : GetTagManager().get();
    if (!tm) return nullptr;
    DLxCustomSurrogate* surrogate = tm->CreateNewCustom();
    RSeSegment* seg = GetSegment();
    auto* proxy = new (RSe::_GetMeta(static_cast<const DLxComponentProxyCustom*>(nullptr)), seg)
        DLxComponentProxyCustom(surrogate);
    auto* component = new (RSe::_GetMeta(static_cast<const DLxPartListComponent*>(nullptr)), seg)
        DLxPartListComponent(RSeRef<DLxComponentProxy>(proxy), true);
    auto* binder = new (RSe::_GetMeta(static_cast<const DLxTableComponentBinder*>(nullptr)), seg)
        DLxTableComponentBinder(RSeRef<DLxPartListComponent>(component));
    component->CacheComponentQuantity(1, m_structured);
    RSe::PrepareWrite(this);
    m_binders.emplace_back(binder);
    if (m_structured) {
        auto* root = new (RSe::_GetMeta(static_cast<const DLxComponentProxyCustom*>(nullptr)),
                          tm->GetSegment()) DLxComponentProxyCustom(surrogate);
        tm->AddRootNode(root, 1, 1);
    }
    m_rowOrder.push_back(int32_t(m_rowOrder.size()));
    m_tags.insert(proxy->getComponentTag(true));
    return binder;
}

namespace {

DLxComponentProxy* ProxyOf(const DLxTableComponentBinder* b) {
    const DLxPartListComponent* c = b ? b->GetComponent().Read() : nullptr;
    return c ? c->GetProxy().get() : nullptr;
}

DLxStructureNode* NodeOf(const DLxTableComponentBinder* b) {
    DLxComponentProxy* p = ProxyOf(b);
    return p ? p->GetStructureNode() : nullptr;
}

} // namespace

bool DLxPartListComponentPropertiesTable::MatchTagManagerNodes() {
    DLxTagManager* tm = GetTagManager().get();
    if (!tm) return false;
    RSe::PrepareWrite(this);
    std::vector<NodeRecord> before;
    CollectNodes(before);
    std::vector<const DLxTableComponentBinder*> noted;
    for (int32_t entry : m_rowOrder)
        noted.push_back(entry >= 0 && size_t(entry) < before.size()
                            ? before[size_t(entry)].binder.Read()
                            : nullptr);
    BinderList fresh;
    CreateBinders(fresh);

    // Takes the first fresh row that `matches`, handing its node to the stored row's proxy.
    auto takeMatch = [&fresh](DLxComponentProxy* proxy, auto matches) {
        for (auto it = fresh.begin(); it != fresh.end(); ++it) {
            DLxStructureNode* node = NodeOf(it->Read());
            if (!node || !matches(node)) continue;
            proxy->SetStructureNode(node);
            RSe::DeleteObject(it->get());
            fresh.erase(it);
            return true;
        }
        return false;
    };

    std::vector<RSeRef<DLxTableComponentBinder>> kept;
    if (m_structured) {
        for (RSeRef<DLxTableComponentBinder>& ref : m_binders) {
            DLxTableComponentBinder* b = ref.get();
            if (!b) continue;
            if (b->IsCustom()) {
                kept.push_back(ref);
                continue;
            }
            DLxComponentProxy* proxy = ProxyOf(b);
            const int32_t id = proxy ? proxy->GetConnectionId() : 0;
            if (id && takeMatch(proxy, [id](const DLxStructureNode* n) {
                    return !n->IsRoot() && n->GetRDxPassivePath().back() == id;
                }))
                kept.push_back(ref);
            else
                RSe::DeleteObject(b);
        }
        for (RSeRef<DLxTableComponentBinder>& f : fresh)
            kept.push_back(f);
        m_binders = std::move(kept);
        for (RSeRef<DLxTableComponentBinder>& ref : m_binders)
            if (DLxTableComponentBinder* b = ref.get(); b && !b->IsCustom())
                b->AttachTagManagerNode(RSeRef<DLxStructureNode>(NodeOf(b)));

        // The stored rows keep their places; what is new follows; children follow their row.
        std::vector<NodeRecord> after;
        CollectNodes(after);
        std::vector<bool> taken(after.size(), false);
        std::vector<int32_t> order;
        for (const DLxTableComponentBinder* b : noted)
            for (size_t i = 0; i < after.size(); ++i)
                if (!taken[i] && b && after[i].binder.Read() == b) {
                    taken[i] = true;
                    order.push_back(int32_t(i));
                    break;
                }
        for (size_t i = 0; i < after.size(); ++i)
            if (!taken[i]) order.push_back(int32_t(i));
        std::vector<int32_t> arranged;
        std::vector<bool> placed(after.size(), false);
        auto place = [&](auto& self, int32_t i) -> void {
            placed[size_t(i)] = true;
            arranged.push_back(i);
            const DLxTableComponentBinder* b = after[size_t(i)].binder.Read();
            for (int32_t j : order)
                if (!placed[size_t(j)] && b && after[size_t(j)].binder.Read() &&
                    after[size_t(j)].binder.Read()->GetParent() == b)
                    self(self, j);
        };
        for (int32_t i : order) {
            const DLxTableComponentBinder* b = after[size_t(i)].binder.Read();
            if (!placed[size_t(i)] && (!b || !b->GetParent())) place(place, i);
        }
        for (int32_t i : order)
            if (!placed[size_t(i)]) place(place, i);
        m_rowOrder = std::move(arranged);
        return true;
    }

    // Parts only: a stored row takes the fresh row of the same bill row (an occurrence of its
    // part); one whose part has no row any more goes, with its entries in the row order.
    for (RSeRef<DLxTableComponentBinder>& ref : m_binders) {
        DLxTableComponentBinder* b = ref.get();
        if (!b) continue;
        if (b->IsCustom()) {
            kept.push_back(ref);
            continue;
        }
        DLxComponentProxy* proxy = ProxyOf(b);
        const DLxStructureNode* stored = NodeOf(b);
        DLxStructureNode* current = stored ? tm->FindNode(stored->GetRDxPassivePath()) : nullptr;
        const std::u16string key = current ? tm->GetRowKeyTag(current) : std::u16string();
        if (proxy && !key.empty() && takeMatch(proxy, [&](const DLxStructureNode* n) {
                return tm->GetRowKeyTag(n) == key;
            })) {
            kept.push_back(ref);
            continue;
        }
        const auto position = int32_t(kept.size());
        RSe::DeleteObject(b);
        std::vector<int32_t> order;
        for (int32_t entry : m_rowOrder)
            if (entry != position) order.push_back(entry > position ? entry - 1 : entry);
        m_rowOrder = std::move(order);
    }
    for (RSeRef<DLxTableComponentBinder>& f : fresh) {
        kept.push_back(f);
        m_rowOrder.push_back(int32_t(kept.size()) - 1);
    }
    m_binders = std::move(kept);
    return true;
}
