#pragma once
// A component of an older parts list: the host's component proxy of one row candidate, which it
// owns, with one value per shown property (made on first asking); and the component group that
// reaches the assembly through a BOM proxy and wraps each proxy it makes in a component. Current
// code makes them only while it binds or upgrades older parts lists.
#include <cstdint>
#include <list>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxBOMProxy;
class DLxComponentProxy;
class DLxPartListProperty;
class DLxPartListPropertyId;
class DLxStructureNode;
class DLxTagManager;

class DLxPartListComponent : public RSeIDed {
public:
    using List = std::list<RSeRef<DLxPartListComponent>>;

    DLxPartListComponent(const RSeRef<DLxComponentProxy>& proxy, bool transparent);
    explicit DLxPartListComponent(const RSeStream*) {}
    ~DLxPartListComponent() override;
    RSeMetaType* GetMeta() const override;

    const RSeRef<DLxComponentProxy>& GetProxy() const { return m_proxy; }
    const std::vector<RSeRef<DLxPartListProperty>>& GetProperties() const { return m_properties; }
    bool IsTransparent() const { return m_transparent; }

    // The proxy's answers; 0, false or empty without a proxy.
    int32_t GetCachedComponentQuantity(bool structured) const;
    void CacheComponentQuantity(int32_t quantity, bool structured);
    bool IsDataSourceEqual(const DLxPartListComponent* other, bool structured) const;
    // Kinds 0, 1 and 2 are the proxy's checks 2, 3 and 4; any other kind fails unasked.
    bool AuditComponent(int32_t kind) const;
    bool RestoreDataSourceConnection(bool restore);
    bool IsComposite() const;
    bool IsCustom() const;
    RSeRef<DLxTagManager> GetComponentTagManager() const;
    UTxString16 GetComponentTag(bool structured) const;
    // The row's shown state, kept on the proxy.
    bool GetProxyMarker() const;
    void SetProxyMarker(bool on);

    // The position of the first property of that id (IsSameProperty), -1 when none.
    int32_t FindProperty(const DLxPartListPropertyId& id) const;
    // That property, made (and kept) on first asking.
    void FindOrAddMember(RSeRef<DLxPartListProperty>& out, const DLxPartListPropertyId& id);
    // A new component (not transparent) for each proxy below this one's, in this segment.
    void CreateSubComponents(List& out, bool structured);

    void Load(RSeStream& s);
    // Version 0 has the current form.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxPartListComponent* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxComponentProxy> m_proxy;                     // owned
    std::vector<RSeRef<DLxPartListProperty>> m_properties; // owned
    bool m_transparent = false;
};

class DLxPartListComponentGroup : public RSeIDed {
public:
    DLxPartListComponentGroup(const RSeRef<DLxBOMProxy>& bomProxy, bool transparent);
    explicit DLxPartListComponentGroup(const RSeStream*) {}
    ~DLxPartListComponentGroup() override;
    RSeMetaType* GetMeta() const override;

    const RSeRef<DLxBOMProxy>& GetBOMProxy() const { return m_bomProxy; }
    bool IsTransparent() const { return m_transparent; }

    // Hands the node to the BOM proxy; nothing without one.
    void SetDataSourceProxy(const RSeRef<DLxStructureNode>& node);
    // A component (with the group's transparent flag, in its segment) on each proxy that the
    // BOM proxy makes.
    void CreateComponents(DLxPartListComponent::List& out, bool structured,
                          const RSeRef<DLxTagManager>& tagManager);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListComponentGroup* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxBOMProxy> m_bomProxy;      // owned
    std::vector<RSeRef<RSeIDed>> m_refs; // stored and copied, read by nothing here
    bool m_transparent = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListComponent*);
RSeMetaType* _GetMeta(const DLxPartListComponent*);
RSeMetaType* _InitMeta(const DLxPartListComponentGroup*);
RSeMetaType* _GetMeta(const DLxPartListComponentGroup*);
} // namespace RSe
