#pragma once
// Selection filters of the placed symbol kinds: each admits one kind, with a sub-type that
// narrows what of it may be picked. A disabled filter admits nothing. Each also answers, for
// the select command, whether a selection (or a selection class) is of its kind, and its name
// for the user from the resource module.
#include <string>
#include <typeinfo>

#include "sm/SMxTypeFilterItem.h"

// What every kind's filter answers alike, given its kind's selection class and name string.
class DLxSymFilterBase : public SMxTypeFilterItem {
public:
    DLxSymFilterBase(int32_t type, const std::type_info& selectionType, uint32_t nameId)
        : SMxTypeFilterItem(type), m_selectionType(selectionType), m_nameId(nameId) {}
    // Exactly the kind's selection class, while enabled.
    bool PreQualify(const std::type_info& type) const;
    // A selection of the kind (a subclass too), while enabled.
    virtual bool Qualify(const FWxSelection* selection) const = 0;
    // The filter's name for the user at index 0; false elsewhere or when the resource has none.
    bool GetString(int32_t index, std::u16string& text) const;
    bool GetString(std::u16string& text) const;
    int32_t GetCount() const { return 1; }

private:
    const std::type_info& m_selectionType;
    uint32_t m_nameId;
};

// Admits balloons.
class DLxBalloonSymFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4004;
    explicit DLxBalloonSymFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxBalloonSymFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A table-callout selection of a placed balloon; null for anything else.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits sketched-symbol callouts.
class DLxCallOutFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4005;
    explicit DLxCallOutFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxCallOutFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A DLxCallOutSelection of a sketched symbol.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits datum identifiers.
class DLxDatumIdFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4006;
    explicit DLxDatumIdFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxDatumIdFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A DLxDatumIdSelection of a datum or feature identifier.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits origin indicators.
class DLxCenterDatumFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4007;
    explicit DLxCenterDatumFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxCenterDatumFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A DLxCenterDatumSelection of an origin indicator.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits feature control frames.
class DLxGDTFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4008;
    explicit DLxGDTFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxGDTFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A DLxGDTSelection of a feature control frame.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits surface-texture symbols.
class DLxSurfTXTFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4009;
    explicit DLxSurfTXTFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxSurfTXTFilter"; }
    // A DLxSurfTXTSelection of a surface-texture symbol.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits leader texts.
class DLxLeaderTextSymbolFilter : public DLxSymFilterBase {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x400A;
    explicit DLxLeaderTextSymbolFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxLeaderTextSymbolFilter"; }
    bool Qualify(const FWxSelection* selection) const override;
    // A DLxLeaderTextSymbolSelection of a leader text.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits 2D weld symbols.
class DLxWeldFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x400B;
    explicit DLxWeldFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxWeldFilter"; }
    // A DLxWeldSelection of a weld symbol.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};
