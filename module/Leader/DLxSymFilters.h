#pragma once
// Selection filters of the placed symbol kinds: each admits one kind, with a sub-type that
// narrows what of it may be picked.
#include "sm/SMxTypeFilterItem.h"

// Admits balloons.
class DLxBalloonSymFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4004;
    explicit DLxBalloonSymFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxBalloonSymFilter"; }
    // A table-callout selection of a placed balloon; null for anything else.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits sketched-symbol callouts.
class DLxCallOutFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4005;
    explicit DLxCallOutFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxCallOutFilter"; }
    // A DLxCallOutSelection of a sketched symbol.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits datum identifiers.
class DLxDatumIdFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4006;
    explicit DLxDatumIdFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxDatumIdFilter"; }
    // A DLxDatumIdSelection of a datum or feature identifier.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits origin indicators.
class DLxCenterDatumFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4007;
    explicit DLxCenterDatumFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxCenterDatumFilter"; }
    // A DLxCenterDatumSelection of an origin indicator.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};

// Admits feature control frames.
class DLxGDTFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4008;
    explicit DLxGDTFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxGDTFilter"; }
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
class DLxLeaderTextSymbolFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x400A;
    explicit DLxLeaderTextSymbolFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxLeaderTextSymbolFilter"; }
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
