#include "BofM/DLxBOMProxy.h"

#include "dl/DLxConfiguration.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxBOMProxy::~DLxBOMProxy() {
    if (RSeIDed* t = m_source.GetTarget()) RSe::DeleteObject(t);
}

void DLxBOMProxy::CreateComponentProxies(DLxDataSourceProxy::ProxyList& out, bool structured,
                                         const RSeRef<DLxTagManager>& tagManager) {
    if (DLxDataSourceProxy* source = m_source.get())
        source->CreateComponentProxies(out, structured, tagManager);
}

void DLxBOMProxy::SetDataSource(const RSeRef<DLxStructureNode>& node) {
    if (DLxDataSourceProxy* source = m_source.get()) {
        source->SetStructureNode(node);
        return;
    }
    // A node without a configuration (or a configuration whose model is gone) gives no data
    // source rather than asking a missing configuration for its root.
    const DLxStructureNode* n = node.Read();
    DLxConfiguration* configuration = n ? n->GetConfiguration() : nullptr;
    DLxStructureNode* root = configuration ? configuration->GetRootStructureNode() : nullptr;
    if (!root) return;
    RSeSegment* seg = GetSegment();
    DLxDataSourceProxy* source = nullptr;
    if (root->GetKind() != DLxStructureNode::kPartNode)
        source = new (RSe::_GetMeta(static_cast<const DLxAssemblySurrogateProxy*>(nullptr)), seg)
            DLxAssemblySurrogateProxy(RSeRef<DLxStructureNode>(root));
    else
        source = new (RSe::_GetMeta(static_cast<const DLxDataSourcePartProxy*>(nullptr)), seg)
            DLxDataSourcePartProxy(RSeRef<DLxStructureNode>(root));
    RSe::PrepareWrite(this);
    m_source = source;
}
