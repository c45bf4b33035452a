#pragma once
// The bill-of-materials proxy of an older parts list's component group: it owns the data
// source the list stands on and hands the proxies it makes.
#include "BofM/DLxDataSourceProxy.h"

class DLxBOMProxy : public RSeIDed {
public:
    DLxBOMProxy() = default;
    explicit DLxBOMProxy(const RSeRef<DLxDataSourceProxy>& source) : m_source(source) {}
    explicit DLxBOMProxy(const RSeStream*) {}
    ~DLxBOMProxy() override;
    RSeMetaType* GetMeta() const override;

    void CreateComponentProxies(DLxDataSourceProxy::ProxyList& out, bool structured,
                                const RSeRef<DLxTagManager>& tagManager);
    // Hands the node to the data source; without one, makes the data source that the node's
    // configuration (its structure) stands on: the structure of an assembly, or a part. A
    // node with no configuration, or one whose structure has no root, makes none.
    void SetDataSource(const RSeRef<DLxStructureNode>& node);
    const RSeRef<DLxDataSourceProxy>& GetDataSource() const { return m_source; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxBOMProxy* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxDataSourceProxy> m_source; // owned
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxBOMProxy*);
RSeMetaType* _GetMeta(const DLxBOMProxy*);
} // namespace RSe
