#pragma once
// Data sources of the older parts lists: what an older list stood on (the components of an
// older assembly list, the structure of an assembly, or a part document) and how each makes
// one component proxy per row candidate. Current code makes them only while it upgrades older
// parts lists; documents of that time store them.
#include <cstdint>
#include <list>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxComponentProxy;
class DLxStructureNode;
class DLxTagManager;
class RDxComponent;

class DLxDataSourceProxy : public RSeIDed {
public:
    using ProxyList = std::list<RSeRef<DLxComponentProxy>>;

    DLxDataSourceProxy() = default;
    explicit DLxDataSourceProxy(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    // Appends the proxies, made in this data source's segment; the caller owns them.
    // `structured`: the first level of the structure rather than every part.
    virtual void CreateComponentProxies(ProxyList& out, bool structured,
                                        const RSeRef<DLxTagManager>& tagManager) = 0;
    virtual void SetStructureNode(const RSeRef<DLxStructureNode>&) {}
    virtual RSeRef<DLxStructureNode> GetStructureNode() const { return {}; }
};

// The children of an older assembly list, each once, tagged "1", "2", ... in list order.
class DLxAssemblyProxy : public DLxDataSourceProxy {
public:
    DLxAssemblyProxy(const RSeRef<RDxComponent>& assembly,
                     std::vector<RSeRef<RDxComponent>> children);
    explicit DLxAssemblyProxy(const RSeStream* s) : DLxDataSourceProxy(s) {}
    RSeMetaType* GetMeta() const override;

    void CreateComponentProxies(ProxyList& out, bool structured,
                                const RSeRef<DLxTagManager>& tagManager) override;

    const RSeRef<RDxComponent>& GetAssembly() const { return m_assembly; }
    const std::vector<RSeRef<RDxComponent>>& GetChildren() const { return m_children; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxAssemblyProxy* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RDxComponent> m_assembly;
    std::vector<RSeRef<RDxComponent>> m_children;
    int32_t m_unused = 0; // not stored
};

// The structure of an assembly from a node down (the assembly's root node): its first level
// taken apart by the tag manager's tag mode, or every part below it.
class DLxAssemblySurrogateProxy : public DLxDataSourceProxy {
public:
    explicit DLxAssemblySurrogateProxy(const RSeRef<DLxStructureNode>& node) : m_node(node) {}
    explicit DLxAssemblySurrogateProxy(const RSeStream* s) : DLxDataSourceProxy(s) {}
    RSeMetaType* GetMeta() const override;

    void CreateComponentProxies(ProxyList& out, bool structured,
                                const RSeRef<DLxTagManager>& tagManager) override;
    void SetStructureNode(const RSeRef<DLxStructureNode>& node) override;
    RSeRef<DLxStructureNode> GetStructureNode() const override { return m_node; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxAssemblySurrogateProxy* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxStructureNode> m_node;
};

// A part document: one proxy on its root node.
class DLxDataSourcePartProxy : public DLxDataSourceProxy {
public:
    explicit DLxDataSourcePartProxy(const RSeRef<DLxStructureNode>& node) : m_node(node) {}
    explicit DLxDataSourcePartProxy(const RSeStream* s) : DLxDataSourceProxy(s) {}
    RSeMetaType* GetMeta() const override;

    void CreateComponentProxies(ProxyList& out, bool structured,
                                const RSeRef<DLxTagManager>& tagManager) override;
    void SetStructureNode(const RSeRef<DLxStructureNode>& node) override;
    RSeRef<DLxStructureNode> GetStructureNode() const override { return m_node; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxDataSourcePartProxy* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxStructureNode> m_node;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDataSourceProxy*);
RSeMetaType* _GetMeta(const DLxDataSourceProxy*);
RSeMetaType* _InitMeta(const DLxAssemblyProxy*);
RSeMetaType* _GetMeta(const DLxAssemblyProxy*);
RSeMetaType* _InitMeta(const DLxAssemblySurrogateProxy*);
RSeMetaType* _GetMeta(const DLxAssemblySurrogateProxy*);
RSeMetaType* _InitMeta(const DLxDataSourcePartProxy*);
RSeMetaType* _GetMeta(const DLxDataSourcePartProxy*);
} // namespace RSe
