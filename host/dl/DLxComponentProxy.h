#pragma once
// Component proxies: what the older parts lists ask about one row candidate (its quantity,
// item tag, document path and name, mass and material) whatever the row stands on: a node of
// the assembly structure, a component pair of an older assembly list, or a custom part. The
// module makes them while it binds or upgrades older parts lists, in its own segments, and
// deletes them; they are stored.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"

class DLxStructureNode;
class DLxTagManager;
class RDxComponent;
struct DLxAssemblyComponent;

// A custom part: a row that no component stands behind, with the values typed for it.
class DLxCustomSurrogate : public RDxObject {
public:
    DLxCustomSurrogate() = default;
    explicit DLxCustomSurrogate(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // Values by property key: a general property as "General:<id>", any other by its name.
    std::u16string GetValue(const std::u16string& key) const;
    void SetValue(const std::u16string& key, const std::u16string& text);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCustomSurrogate* target, RSeCloneCommander* cc) const;

private:
    std::map<std::u16string, std::u16string> m_values;
};

class DLxComponentProxy : public RDxObject {
public:
    DLxComponentProxy() = default;
    explicit DLxComponentProxy(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The model component the proxy reads; null for a custom part or a lost component.
    virtual const DLxAssemblyComponent* getTargetDocument() const { return nullptr; }
    // Structured: the quantity under its parent; otherwise the total through every level.
    virtual int32_t getInstanceCount(bool structured) const;
    virtual std::u16string getComponentTag(bool structured) const;
    virtual bool setComponentTag(const std::u16string& tag, bool structured, bool notify);
    void cacheComponentQuantity(int32_t quantity, bool structured);
    int32_t getCachedComponentQuantity(bool structured) const;
    virtual std::u16string getDataSourcePathString(bool structured) const;
    virtual std::u16string getDataSourceNameString() const;
    virtual bool isComposite() const { return false; }
    // Both read the same document (by path); custom parts equal nothing but themselves.
    virtual bool isDataSourceEqual(const DLxComponentProxy* other, bool structured) const;
    virtual DLxStructureNode* GetStructureNode() const { return nullptr; }
    virtual void SetStructureNode(DLxStructureNode*) {}
    virtual std::u16string getComponentMass() const;
    virtual std::u16string getComponentMaterial() const;
    virtual bool isComponentSupressed() const { return false; }
    virtual DLxTagManager* GetTagManager() const { return nullptr; }
    virtual bool isCustom() const { return false; }
    // The occurrence the proxy stands on; 0 when it stands on none.
    virtual int32_t GetConnectionId() const { return 0; }
    // New proxies, in this proxy's segment and owned by the caller, on what lies directly
    // below what this one stands on (the children of a sub-assembly's node); none for others.
    virtual std::vector<DLxComponentProxy*> createSubComponentProxies(bool structured);
    // Whether the proxy still reaches what it stands on (the kind of check is not told apart
    // here), and, when it does not, reconnects it where it can.
    virtual bool audit(int32_t kind) const;
    virtual bool restoreDataSourceConnection(bool restore);
    // A mark an older parts list keeps on its row's proxy (whether the row is shown); stored.
    bool GetMarker() const { return m_marker; }
    void SetMarker(bool on);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxComponentProxy* target, RSeCloneCommander* cc) const;

private:
    int32_t m_cached[2] = {0, 0}; // parts only, structured
    bool m_marker = false;
};

// A proxy on a node of the structure, read through its tag manager's bill.
class DLxComponentProxyNode : public DLxComponentProxy {
public:
    DLxComponentProxyNode() = default;
    DLxComponentProxyNode(DLxStructureNode* node, DLxTagManager* manager);
    explicit DLxComponentProxyNode(const RSeStream* s) : DLxComponentProxy(s) {}
    RSeMetaType* GetMeta() const override;

    const DLxAssemblyComponent* getTargetDocument() const override;
    int32_t getInstanceCount(bool structured) const override;
    std::u16string getComponentTag(bool structured) const override;
    bool setComponentTag(const std::u16string& tag, bool structured, bool notify) override;
    std::u16string getDataSourcePathString(bool structured) const override;
    std::u16string getDataSourceNameString() const override;
    bool isComposite() const override;
    DLxStructureNode* GetStructureNode() const override;
    void SetStructureNode(DLxStructureNode* node) override;
    std::u16string getComponentMass() const override;
    std::u16string getComponentMaterial() const override;
    DLxTagManager* GetTagManager() const override;
    int32_t GetConnectionId() const override;
    std::vector<DLxComponentProxy*> createSubComponentProxies(bool structured) override;
    // Passes while the node's occurrence path goes down the model to its component.
    bool audit(int32_t kind) const override;
    // When the audit fails, finds the component's first occurrence (level by level) and,
    // when `restore`, stands on it; false when the model no longer has the component placed.
    bool restoreDataSourceConnection(bool restore) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentProxyNode* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxStructureNode> m_node;
    RSeRef<DLxTagManager> m_manager;
};

// The kinds the older parts lists make on structure nodes; they differ only by kind.
class DLxComponentProxyPartDT : public DLxComponentProxyNode {
public:
    using DLxComponentProxyNode::DLxComponentProxyNode;
    RSeMetaType* GetMeta() const override;
};
class DLxComponentProxyAssemblySurrogate : public DLxComponentProxyNode {
public:
    using DLxComponentProxyNode::DLxComponentProxyNode;
    RSeMetaType* GetMeta() const override;
};
class DLxComponentProxyPartSurrogate : public DLxComponentProxyNode {
public:
    using DLxComponentProxyNode::DLxComponentProxyNode;
    RSeMetaType* GetMeta() const override;
};

// A child component of an older assembly list, with the tag the list gave it.
class DLxComponentProxyDT : public DLxComponentProxy {
public:
    DLxComponentProxyDT() = default;
    DLxComponentProxyDT(RDxComponent* assembly, RDxComponent* child, std::u16string tag);
    explicit DLxComponentProxyDT(const RSeStream* s) : DLxComponentProxy(s) {}
    RSeMetaType* GetMeta() const override;

    RDxComponent* GetAssembly() const;
    RDxComponent* GetChild() const;
    // The list's own quantity is the one cached for it.
    int32_t getInstanceCount(bool structured) const override {
        return getCachedComponentQuantity(structured);
    }
    std::u16string getComponentTag(bool) const override { return m_tag; }
    bool setComponentTag(const std::u16string& tag, bool structured, bool notify) override;
    std::u16string getDataSourcePathString(bool structured) const override;
    std::u16string getDataSourceNameString() const override;
    bool isComposite() const override;
    std::u16string getComponentMass() const override;
    std::u16string getComponentMaterial() const override;
    bool audit(int32_t kind) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentProxyDT* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RDxComponent> m_assembly;
    RSeRef<RDxComponent> m_child;
    std::u16string m_tag;
};

// A custom part's proxy: every value is the surrogate's.
class DLxComponentProxyCustom : public DLxComponentProxy {
public:
    DLxComponentProxyCustom() = default;
    explicit DLxComponentProxyCustom(DLxCustomSurrogate* surrogate) : m_surrogate(surrogate) {}
    explicit DLxComponentProxyCustom(const RSeStream* s) : DLxComponentProxy(s) {}
    RSeMetaType* GetMeta() const override;

    DLxCustomSurrogate* GetSurrogate() const { return m_surrogate.get(); }
    bool isCustom() const override { return true; }
    bool isDataSourceEqual(const DLxComponentProxy* other, bool structured) const override;
    // The quantity as typed; the count is its leading digits, 1 while nothing is typed.
    std::u16string getQuantityString() const;
    void setQuantityString(const std::u16string& text);
    int32_t getInstanceCount(bool structured) const override;
    std::u16string getComponentTag(bool structured) const override;
    bool setComponentTag(const std::u16string& tag, bool structured, bool notify) override;
    std::u16string getPropertyString(int32_t generalId) const;
    std::u16string getPropertyString(const std::u16string& name) const;
    void setPropertyString(int32_t generalId, const std::u16string& text);
    void setPropertyString(const std::u16string& name, const std::u16string& text);
    std::u16string getDataSourcePathString(bool structured) const override;
    void setComponentDataSourcePathString(const std::u16string& text);
    std::u16string getComponentMass() const override;
    void setComponentMass(const std::u16string& text);
    std::u16string getComponentMaterial() const override;
    void setComponentMaterial(const std::u16string& text);
    bool audit(int32_t kind) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentProxyCustom* target, RSeCloneCommander* cc) const;

private:
    std::u16string Value(const std::u16string& key) const;
    void SetValue(const std::u16string& key, const std::u16string& text);
    RSeRef<DLxCustomSurrogate> m_surrogate;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCustomSurrogate*);
RSeMetaType* _GetMeta(const DLxCustomSurrogate*);
RSeMetaType* _InitMeta(const DLxComponentProxy*);
RSeMetaType* _GetMeta(const DLxComponentProxy*);
RSeMetaType* _InitMeta(const DLxComponentProxyNode*);
RSeMetaType* _GetMeta(const DLxComponentProxyNode*);
RSeMetaType* _InitMeta(const DLxComponentProxyPartDT*);
RSeMetaType* _GetMeta(const DLxComponentProxyPartDT*);
RSeMetaType* _InitMeta(const DLxComponentProxyAssemblySurrogate*);
RSeMetaType* _GetMeta(const DLxComponentProxyAssemblySurrogate*);
RSeMetaType* _InitMeta(const DLxComponentProxyPartSurrogate*);
RSeMetaType* _GetMeta(const DLxComponentProxyPartSurrogate*);
RSeMetaType* _InitMeta(const DLxComponentProxyDT*);
RSeMetaType* _GetMeta(const DLxComponentProxyDT*);
RSeMetaType* _InitMeta(const DLxComponentProxyCustom*);
RSeMetaType* _GetMeta(const DLxComponentProxyCustom*);
} // namespace RSe
