#include "BofM/DLxDataSourceProxy.h"

#include <algorithm>
#include <string>
#include <utility>

#include "dl/DLxComponentProxy.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rd/RDxComponent.h"
#include "rse/RSeTransaction.h"

namespace {

// A new proxy with its quantities cached, as the rows made from it read them (a parts list
// lists only what has a quantity).
template <class T, class... A> RSeRef<DLxComponentProxy> MakeProxy(RSeSegment* seg, A&&... a) {
    T* p = new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
    for (bool structured : {false, true})
        p->cacheComponentQuantity(p->getInstanceCount(structured), structured);
    return RSeRef<DLxComponentProxy>(p);
}

// Row key tags already listed: a node whose row was listed is left out.
class TagFilter {
public:
    explicit TagFilter(const DLxTagManager& tm) : m_tm(tm) {}
    bool Take(const DLxStructureNode* node) {
        std::u16string tag = m_tm.GetRowKeyTag(node);
        if (std::find(m_tags.begin(), m_tags.end(), tag) != m_tags.end()) return false;
        m_tags.push_back(std::move(tag));
        return true;
    }
    void Clear() { m_tags.clear(); }

private:
    const DLxTagManager& m_tm;
    std::vector<std::u16string> m_tags;
};

} // namespace

// ---- older assembly list

DLxAssemblyProxy::DLxAssemblyProxy(const RSeRef<RDxComponent>& assembly,
                                   std::vector<RSeRef<RDxComponent>> children)
    : m_assembly(assembly), m_children(std::move(children)) {}

void DLxAssemblyProxy::CreateComponentProxies(ProxyList& out, bool, const RSeRef<DLxTagManager>&) {
    int32_t counter = 0;
    for (size_t i = 0; i < m_children.size(); ++i) {
        RSeIDed* child = m_children[i].GetTarget();
        if (!child) continue;
        const bool earlier =
            std::any_of(m_children.begin(), m_children.begin() + ptrdiff_t(i),
                        [child](const RSeRef<RDxComponent>& c) { return c.GetTarget() == child; });
        if (earlier) continue;
        ++counter;
        const std::string tag = std::to_string(counter);
        auto* p = new (RSe::_GetMeta(static_cast<const DLxComponentProxyDT*>(nullptr)),
                       GetSegment()) DLxComponentProxyDT(m_assembly.get(), m_children[i].get(),
                                                         std::u16string(tag.begin(), tag.end()));
        // The list's quantity of a child is how often it lists it.
        const auto times = int32_t(std::count_if(
            m_children.begin(), m_children.end(),
            [child](const RSeRef<RDxComponent>& c) { return c.GetTarget() == child; }));
        for (bool structured : {false, true})
            p->cacheComponentQuantity(times, structured);
        out.emplace_back(p);
    }
}

// ---- structure of an assembly

void DLxAssemblySurrogateProxy::SetStructureNode(const RSeRef<DLxStructureNode>& node) {
    if (node == m_node) return;
    RSe::PrepareWrite(this);
    m_node = node;
}

void DLxAssemblySurrogateProxy::CreateComponentProxies(ProxyList& out, bool structured,
                                                       const RSeRef<DLxTagManager>& tagManager) {
    DLxTagManager* tm = tagManager.get();
    DLxStructureNode* root = m_node.get();
    if (!tm || !root) return;
    RSeSegment* seg = GetSegment();
    TagFilter tags(*tm);
    auto assembly = [&](DLxStructureNode* n) {
        out.push_back(MakeProxy<DLxComponentProxyAssemblySurrogate>(seg, n, tm));
    };
    auto part = [&](DLxStructureNode* n) {
        out.push_back(MakeProxy<DLxComponentProxyPartSurrogate>(seg, n, tm));
    };

    if (!structured) {
        for (DLxStructureNode* n : tm->GetAllPartStructureNodes(root, tm->IsDepthFirst())) {
            if (!n || n->IsReference() || n->IsExcludedFromBOM()) continue;
            if (tags.Take(n)) part(n);
        }
        return;
    }

    // The first level by kind; a sub-assembly placed twice is listed once.
    std::vector<DLxStructureNode*> parts, assemblies;
    for (DLxStructureNode* n : tm->GetStructureChildren(root)) {
        if (!n) continue;
        if (n->GetKind() == DLxStructureNode::kPartNode) {
            parts.push_back(n);
        } else if (n->GetKind() == DLxStructureNode::kAssemblyNode || n->GetKind() == 8) {
            const bool taken =
                std::any_of(assemblies.begin(), assemblies.end(), [n](const DLxStructureNode* a) {
                    return a->GetComponentId() == n->GetComponentId();
                });
            if (!taken) assemblies.push_back(n);
        }
    }
    switch (tm->GetTagMode()) {
    case 0:
        for (DLxStructureNode* n : assemblies)
            assembly(n);
        for (DLxStructureNode* n : parts)
            if (tags.Take(n)) part(n);
        break;
    case 1:
        for (DLxStructureNode* n : assemblies)
            if (tags.Take(n)) assembly(n);
        tags.Clear();
        for (DLxStructureNode* n : parts)
            if (tags.Take(n)) part(n);
        break;
    case 2: {
        std::vector<DLxStructureNode*> all = assemblies;
        all.insert(all.end(), parts.begin(), parts.end());
        for (DLxStructureNode* n : all) {
            if (!tags.Take(n)) continue;
            if (n->GetKind() == DLxStructureNode::kPartNode)
                part(n);
            else
                assembly(n);
        }
        break;
    }
    default:
        break;
    }
}

// ---- part document

void DLxDataSourcePartProxy::SetStructureNode(const RSeRef<DLxStructureNode>& node) {
    if (node == m_node) return;
    RSe::PrepareWrite(this);
    m_node = node;
}

void DLxDataSourcePartProxy::CreateComponentProxies(ProxyList& out, bool,
                                                    const RSeRef<DLxTagManager>& tagManager) {
    out.push_back(MakeProxy<DLxComponentProxyPartDT>(GetSegment(), m_node.get(), tagManager.get()));
}
