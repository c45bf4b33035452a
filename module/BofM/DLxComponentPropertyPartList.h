#pragma once
// The value kinds of the parts-list's own properties, read from the component proxy: item
// number, quantity, part name, mass and material. Only the mass caches a text (as an older
// document stored it), and the material keeps a text the user typed in place of the model's.
#include "BofM/DLxComponentProperty.h"
#include "utx/UTxResult.h"

class DLxComponentProxy;

// What the five kinds share: the proxy they read (not owned) and the answers of a kind that
// keeps nothing to compare, write or refresh.
class DLxComponentPropertyOnProxy : public DLxComponentProperty {
public:
    using DLxComponentProperty::DLxComponentProperty;
    explicit DLxComponentPropertyOnProxy(const RSeRef<DLxComponentProxy>& proxy) : m_proxy(proxy) {}

    UTxString16 GetCachedValue(int32_t, ValueType&) override { return {}; }
    UTxString16 GetCachedText() override { return {}; }
    int32_t CompareWithSource() override { return 0; }
    ResultWord WriteToSource() override { return 0; }
    ResultWord RefreshFromSource() override { return 0; }
    bool IsTextValue() const override { return !IsNumericValue(); }

    const RSeRef<DLxComponentProxy>& GetProxy() const { return m_proxy; }

protected:
    RSeRef<DLxComponentProxy> m_proxy;
};

class DLxComponentPropertyPartListItem : public DLxComponentPropertyOnProxy {
public:
    using DLxComponentPropertyOnProxy::DLxComponentPropertyOnProxy;
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 1; }
    UTxString16 GetValue(const RSeRef<RDxComponent>&, bool quantityMode, ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    // Sets the proxy's tag, only where a tag manager numbers the rows.
    ResultWord SetValueString(const UTxString16& text) override;
    bool IsNumericValue() const override { return false; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentPropertyPartListItem* target, RSeCloneCommander* cc) const;
};

class DLxComponentPropertyPartListQuantity : public DLxComponentPropertyOnProxy {
public:
    using DLxComponentPropertyOnProxy::DLxComponentPropertyOnProxy;
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 2; }
    UTxString16 GetValue(const RSeRef<RDxComponent>&, bool quantityMode, ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    // The quantity is the model's: typing one changes nothing.
    ResultWord SetValueString(const UTxString16&) override { return 0; }
    bool IsNumericValue() const override { return true; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentPropertyPartListQuantity* target, RSeCloneCommander* cc) const;
};

// The document's name: its path after the last backslash.
class DLxComponentPropertyPartListPartName : public DLxComponentPropertyOnProxy {
public:
    using DLxComponentPropertyOnProxy::DLxComponentPropertyOnProxy;
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 1; }
    UTxString16 GetValue(const RSeRef<RDxComponent>&, bool quantityMode, ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    ResultWord SetValueString(const UTxString16& text) override;
    bool IsNumericValue() const override { return false; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxComponentPropertyPartListPartName* target, RSeCloneCommander* cc) const;
};

class DLxComponentPropertyPartListPartMass : public DLxComponentPropertyOnProxy {
public:
    using DLxComponentPropertyOnProxy::DLxComponentPropertyOnProxy;
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 3; }
    // The cached mass for the proxy's own component, else the given component's mass.
    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool) override { return m_mass; }
    ResultWord SetValueString(const UTxString16& text) override;
    UTxString16 GetCachedValue(int32_t, ValueType& type) override;
    UTxString16 GetCachedText() override { return m_mass; }
    int32_t CompareWithSource() override;
    bool IsNumericValue() const override { return true; }

    void Load(RSeStream& s);
    // Version 0 stored the proxy alone.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyPartListPartMass* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_mass;
};

class DLxComponentPropertyPartListPartMaterial : public DLxComponentPropertyOnProxy {
public:
    using DLxComponentPropertyOnProxy::DLxComponentPropertyOnProxy;
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return 1; }
    UTxString16 GetValue(const RSeRef<RDxComponent>&, bool quantityMode, ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    // A custom part takes the text as its material; otherwise it overrides the model's while
    // it differs from it.
    ResultWord SetValueString(const UTxString16& text) override;
    int32_t CompareWithSource() override;
    // Takes the model's material again and ends the override (its text stays stored).
    ResultWord RefreshFromSource() override;
    bool IsNumericValue() const override { return false; }

    bool IsOverridden() const { return m_overridden; }
    const UTxString16& GetOverride() const { return m_override; }

    void Load(RSeStream& s);
    // Version 0 stored the proxy alone, version 1 the proxy and the material: no override.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyPartListPartMaterial* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_value;
    UTxString16 m_override;
    bool m_overridden = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxComponentPropertyPartListItem*);
RSeMetaType* _GetMeta(const DLxComponentPropertyPartListItem*);
RSeMetaType* _InitMeta(const DLxComponentPropertyPartListQuantity*);
RSeMetaType* _GetMeta(const DLxComponentPropertyPartListQuantity*);
RSeMetaType* _InitMeta(const DLxComponentPropertyPartListPartName*);
RSeMetaType* _GetMeta(const DLxComponentPropertyPartListPartName*);
RSeMetaType* _InitMeta(const DLxComponentPropertyPartListPartMass*);
RSeMetaType* _GetMeta(const DLxComponentPropertyPartListPartMass*);
RSeMetaType* _InitMeta(const DLxComponentPropertyPartListPartMaterial*);
RSeMetaType* _GetMeta(const DLxComponentPropertyPartListPartMaterial*);
} // namespace RSe
