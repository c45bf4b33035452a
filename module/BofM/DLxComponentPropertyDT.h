#pragma once
// The value kinds of the older parts-list model that read a component's document: a general
// property by its general id, a custom property by its name (as text, integer or real), and
// the transparent general and text kinds, which read and write a custom part's own values
// when their proxy stands on one. Each caches the value as the document last gave it.
#include "BofM/DLxComponentProperty.h"
#include "utx/UTxResult.h"

class DLxComponentProxy;
class RSeSegment;

class DLxComponentPropertyGeneralDT : public DLxComponentProperty {
public:
    DLxComponentPropertyGeneralDT(int32_t generalId, const RSeRef<DLxComponentProxy>& proxy);
    explicit DLxComponentPropertyGeneralDT(const RSeStream* s) : DLxComponentProperty(s) {}
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return m_type; }
    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool) override { return m_value; }
    ResultWord SetValueString(const UTxString16& text) override;
    UTxString16 GetCachedValue(int32_t, ValueType&) override { return {}; }
    UTxString16 GetCachedText() override { return {}; }
    int32_t CompareWithSource() override;
    ResultWord WriteToSource() override;
    ResultWord RefreshFromSource() override;
    bool IsNumericValue() const override { return m_type == 2 || m_type == 3; }
    bool IsTextValue() const override { return !IsNumericValue(); }

    int32_t GetGeneralId() const { return m_generalId; }
    const RSeRef<DLxComponentProxy>& GetProxy() const { return m_proxy; }

    void Load(RSeStream& s);
    // Version 0 stored no value type: text.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyGeneralDT* target, RSeCloneCommander* cc) const;

protected:
    // Without refresh: the transparent kind refreshes in its own way.
    DLxComponentPropertyGeneralDT(int32_t generalId, const RSeRef<DLxComponentProxy>& proxy,
                                  bool refresh);
    void SetCache(const UTxString16& value, ValueType type);

    int32_t m_generalId = 0;
    ValueType m_type = 1;
    UTxString16 m_value;
    RSeRef<DLxComponentProxy> m_proxy;
};

// Reads and writes a custom part's value directly; otherwise the general kind, except that a
// missing document leaves the value type as it was.
class DLxComponentPropertyGeneralDTTransparent : public DLxComponentPropertyGeneralDT {
public:
    DLxComponentPropertyGeneralDTTransparent(int32_t generalId,
                                             const RSeRef<DLxComponentProxy>& proxy);
    explicit DLxComponentPropertyGeneralDTTransparent(const RSeStream* s)
        : DLxComponentPropertyGeneralDT(s) {}
    RSeMetaType* GetMeta() const override;

    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    ResultWord SetValueString(const UTxString16& text) override;
    int32_t CompareWithSource() override;
    ResultWord WriteToSource() override;
    ResultWord RefreshFromSource() override;

    // Stored as the general kind; its own callbacks, since the meta type binds only those.
    void Load(RSeStream& s) { DLxComponentPropertyGeneralDT::Load(s); }
    void LoadMigrate(RSeStream& s) { DLxComponentPropertyGeneralDT::LoadMigrate(s); }
    void FixPtrsMigrate(RSeMetaContext& ctx) { DLxComponentPropertyGeneralDT::FixPtrs(ctx); }
    void Save(RSeStream& s) const { DLxComponentPropertyGeneralDT::Save(s); }
    void FixPtrs(RSeMetaContext& ctx) { DLxComponentPropertyGeneralDT::FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyGeneralDTTransparent* target, RSeCloneCommander* cc) const {
        return DLxComponentPropertyGeneralDT::Clone(target, cc);
    }
};

class DLxComponentPropertyStringDT : public DLxComponentProperty {
public:
    DLxComponentPropertyStringDT(const UTxString16& name, const RSeRef<DLxComponentProxy>& proxy);
    explicit DLxComponentPropertyStringDT(const RSeStream* s) : DLxComponentProperty(s) {}
    RSeMetaType* GetMeta() const override;

    ValueType GetValueType() const override { return m_type; }
    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool) override { return m_value; }
    ResultWord SetValueString(const UTxString16& text) override;
    UTxString16 GetCachedValue(int32_t, ValueType&) override { return {}; }
    UTxString16 GetCachedText() override { return {}; }
    int32_t CompareWithSource() override;
    ResultWord WriteToSource() override;
    ResultWord RefreshFromSource() override;
    bool IsNumericValue() const override { return m_type == 2 || m_type == 3; }
    bool IsTextValue() const override { return !IsNumericValue(); }

    const UTxString16& GetName() const { return m_name; }

    void Load(RSeStream& s);
    // Version 0 stored no value type: text.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyStringDT* target, RSeCloneCommander* cc) const;

protected:
    DLxComponentPropertyStringDT(const UTxString16& name, const RSeRef<DLxComponentProxy>& proxy,
                                 bool refresh);

    ValueType m_type = 1;
    UTxString16 m_name;
    UTxString16 m_value;
    RSeRef<DLxComponentProxy> m_proxy;
};

// Reads the source at every asking rather than the cache; writes go straight to the custom
// part or the document. Always text.
class DLxComponentPropertyStringDTTransparent : public DLxComponentPropertyStringDT {
public:
    DLxComponentPropertyStringDTTransparent(const UTxString16& name,
                                            const RSeRef<DLxComponentProxy>& proxy);
    explicit DLxComponentPropertyStringDTTransparent(const RSeStream* s)
        : DLxComponentPropertyStringDT(s) {}
    RSeMetaType* GetMeta() const override;

    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    ResultWord SetValueString(const UTxString16& text) override;
    int32_t CompareWithSource() override { return 0; }
    ResultWord WriteToSource() override { return 0; }
    ResultWord RefreshFromSource() override;
    bool IsNumericValue() const override { return false; }
    bool IsTextValue() const override { return true; }

    // Stored in an order of its own (the proxy before the value); version 0 stored only the
    // name and the proxy.
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx) { DLxComponentPropertyStringDT::FixPtrs(ctx); }
    void FixPtrsMigrate(RSeMetaContext& ctx) { DLxComponentPropertyStringDT::FixPtrs(ctx); }
    UTxResult Clone(DLxComponentPropertyStringDTTransparent* target, RSeCloneCommander* cc) const {
        return DLxComponentPropertyStringDT::Clone(target, cc);
    }
};

// Integer and real values of older documents (made by nothing but loading them): one record
// around a value of their kind, read from and written to the component's document by name.
template <class T>
class DLxComponentPropertyNumberDT : public DLxComponentProperty {
public:
    explicit DLxComponentPropertyNumberDT(const RSeStream* s) : DLxComponentProperty(s) {}
    DLxComponentPropertyNumberDT(const UTxString16& name, const RSeRef<DLxComponentProxy>& proxy)
        : m_name(name), m_proxy(proxy) {}

    ValueType GetValueType() const override;
    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         ValueType& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    ResultWord SetValueString(const UTxString16& text) override;
    UTxString16 GetCachedValue(int32_t, ValueType&) override { return {}; }
    UTxString16 GetCachedText() override { return {}; }
    int32_t CompareWithSource() override { return 0; }
    ResultWord WriteToSource() override;
    ResultWord RefreshFromSource() override;
    bool IsNumericValue() const override { return true; }
    bool IsTextValue() const override { return false; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);

protected:
    UTxResult CloneInto(DLxComponentPropertyNumberDT* target, RSeCloneCommander* cc) const;

private:
    void Set(T value);

    UTxString16 m_name;
    T m_value{};
    RSeRef<DLxComponentProxy> m_proxy;
};
extern template class DLxComponentPropertyNumberDT<int32_t>;
extern template class DLxComponentPropertyNumberDT<double>;

class DLxComponentPropertyIntegerDT : public DLxComponentPropertyNumberDT<int32_t> {
public:
    using DLxComponentPropertyNumberDT::DLxComponentPropertyNumberDT;
    RSeMetaType* GetMeta() const override;
    UTxResult Clone(DLxComponentPropertyIntegerDT* target, RSeCloneCommander* cc) const {
        return CloneInto(target, cc);
    }
    // The store calls a class's own storage members only.
    void Load(RSeStream& s) { DLxComponentPropertyNumberDT::Load(s); }
    void Save(RSeStream& s) const { DLxComponentPropertyNumberDT::Save(s); }
    void FixPtrs(RSeMetaContext& ctx) { DLxComponentPropertyNumberDT::FixPtrs(ctx); }
};

class DLxComponentPropertyRealDT : public DLxComponentPropertyNumberDT<double> {
public:
    using DLxComponentPropertyNumberDT::DLxComponentPropertyNumberDT;
    RSeMetaType* GetMeta() const override;
    UTxResult Clone(DLxComponentPropertyRealDT* target, RSeCloneCommander* cc) const {
        return CloneInto(target, cc);
    }
    // The store calls a class's own storage members only.
    void Load(RSeStream& s) { DLxComponentPropertyNumberDT::Load(s); }
    void Save(RSeStream& s) const { DLxComponentPropertyNumberDT::Save(s); }
    void FixPtrs(RSeMetaContext& ctx) { DLxComponentPropertyNumberDT::FixPtrs(ctx); }
};

// The text shown for a value whose component has no document (string resource 8160).
UTxString16 DLxNoDocumentText();

namespace RSe {
RSeMetaType* _InitMeta(const DLxComponentPropertyGeneralDT*);
RSeMetaType* _GetMeta(const DLxComponentPropertyGeneralDT*);
RSeMetaType* _InitMeta(const DLxComponentPropertyGeneralDTTransparent*);
RSeMetaType* _GetMeta(const DLxComponentPropertyGeneralDTTransparent*);
RSeMetaType* _InitMeta(const DLxComponentPropertyStringDT*);
RSeMetaType* _GetMeta(const DLxComponentPropertyStringDT*);
RSeMetaType* _InitMeta(const DLxComponentPropertyStringDTTransparent*);
RSeMetaType* _GetMeta(const DLxComponentPropertyStringDTTransparent*);
RSeMetaType* _InitMeta(const DLxComponentPropertyIntegerDT*);
RSeMetaType* _GetMeta(const DLxComponentPropertyIntegerDT*);
RSeMetaType* _InitMeta(const DLxComponentPropertyRealDT*);
RSeMetaType* _GetMeta(const DLxComponentPropertyRealDT*);
} // namespace RSe
