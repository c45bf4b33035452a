#pragma once
// The feature-control-frame style: merging and padding rules, cell white space, the unit
// attributes a frame may use instead of its own, which GD&T and auxiliary symbols are offered
// (bit masks) and its text style. The wrapper is what drawing code reads through.
#include <array>
#include <cstdint>
#include <memory>

#include "dc/RDxObject.h"
#include "fw/FWxStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "sm/SMxColor.h"

class DUxSymUnitAttr;

// The text look of a style: font, GD&T symbol font, size (model units) and colour (black unless
// set). Counted, so that style data can hand one out through a SmartPtr; a copy is a new object.
class DUxLeaderStyleWrapper;

class DUxTextStyleWrapper : public CountedCObj {
public:
    DUxTextStyleWrapper() = default;
    DUxTextStyleWrapper(int32_t fontId, int32_t gdtFontId, double fontSize)
        : m_fontId(fontId), m_gdtFontId(gdtFontId), m_fontSize(fontSize) {}
    int32_t GetFontId() const { return m_fontId; }
    int32_t GetGdtFontId() const { return m_gdtFontId; }
    double GetFontSize() const { return m_fontSize; }
    const SMxColor& GetColor() const { return m_color; }
    void SetColor(const SMxColor& color) { m_color = color; }
    // Texts of the style take their layer's colour instead of the style's.
    bool IsColorByLayer() const { return m_colorByLayer; }
    void SetColorByLayer(bool on) { m_colorByLayer = on; }

private:
    int32_t m_fontId = 0;
    int32_t m_gdtFontId = 0;
    double m_fontSize = 0.0;
    SMxColor m_color;
    bool m_colorByLayer = false;
};

// The unit attributes a frame style keeps, in the order a standard copies them.
enum class DUxUnitField : int32_t {
    PrimUnitType,
    PrimDecimalMarker,
    DisplayPrimUnitStr,
    PrimSuppressLeadZero,
    PrimSuppressTrailZero,
    DisplayType,
    DisplayAltUnit,
    AltUnitType,
    AltDecimalMarker,
    DisplayAltUnitStr,
    AltSuppressLeadZero,
    AltSuppressTrailZero,
    AltPrecision,
    Count
};

class DUxFeatureControlFrameStyle : public FWxStyle {
public:
    DUxFeatureControlFrameStyle() = default;
    explicit DUxFeatureControlFrameStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;

    // Setters change nothing and record nothing when the value is the same.
    bool GetMergeSymbol() const { return m_mergeSymbol; }
    void SetMergeSymbol(bool v) { Set(m_mergeSymbol, v); }
    bool GetMergeTolerance() const { return m_mergeTolerance; }
    void SetMergeTolerance(bool v) { Set(m_mergeTolerance, v); }
    bool GetMergeDatum() const { return m_mergeDatum; }
    void SetMergeDatum(bool v) { Set(m_mergeDatum, v); }
    bool GetEndPadding() const { return m_endPadding; }
    void SetEndPadding(bool v) { Set(m_endPadding, v); }
    bool GetUseCommonSetting() const { return m_useCommon; }
    void SetUseCommonSetting(bool v) { Set(m_useCommon, v); }
    double GetWhiteSpace() const { return m_whiteSpace; }
    void SetWhiteSpace(double v) { Set(m_whiteSpace, v); }
    double GetFrameGap() const { return m_frameGap; }
    void SetFrameGap(double v) { Set(m_frameGap, v); }
    // Cell height: twice the font size when scaled to the text height, else GetSize.
    bool GetScaleToTextHeight() const { return m_scaleToText; }
    void SetScaleToTextHeight(bool v) { Set(m_scaleToText, v); }
    double GetSize() const { return m_size; }
    void SetSize(double v) { Set(m_size, v); }
    int32_t GetUnitValue(DUxUnitField f) const { return m_units[size_t(f)]; }
    void SetUnitValue(DUxUnitField f, int32_t v) { Set(m_units[size_t(f)], v); }
    // Bit masks of the offered symbols (the bits are the standards' choice).
    uint32_t GetGdtSymbols() const { return m_gdtMask; }
    void SetGdtSymbols(uint32_t mask) { Set(m_gdtMask, mask); }
    uint32_t GetAuxSymbols() const { return m_auxMask; }
    void SetAuxSymbols(uint32_t mask) { Set(m_auxMask, mask); }
    DUxTextStyleWrapper GetTextStyle() const { return {m_fontId, m_gdtFontId, m_fontSize}; }
    void SetTextStyle(const DUxTextStyleWrapper& t);
    // Leaders meet the frame at a corner instead of at the middle of a side.
    bool GetLeaderAtCorner() const { return m_leaderAtCorner; }
    void SetLeaderAtCorner(bool v) { Set(m_leaderAtCorner, v); }
    // A line may carry a second tolerance.
    bool GetAllowTolerance2() const { return m_allowTolerance2; }
    void SetAllowTolerance2(bool v) { Set(m_allowTolerance2, v); }
    // A frame may carry a datum identifier line.
    bool GetDatumId() const { return m_datumId; }
    void SetDatumId(bool v) { Set(m_datumId, v); }
    // How far the frame's leader lines run past where they meet (its leader style's extension
    // line overshoot); 0 for no overshoot. Frames use it as their landing length.
    double GetExtensionLineOvershoot() const { return m_overshoot; }
    void SetExtensionLineOvershoot(double v) { Set(m_overshoot, v); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxFeatureControlFrameStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();

    bool m_mergeSymbol = true;
    bool m_mergeTolerance = false;
    bool m_mergeDatum = false;
    bool m_endPadding = false;
    bool m_useCommon = true;
    bool m_scaleToText = true;
    double m_whiteSpace = 0.0;
    double m_frameGap = 0.0;
    double m_size = 0.0;
    std::array<int32_t, size_t(DUxUnitField::Count)> m_units{};
    uint32_t m_gdtMask = 0;
    uint32_t m_auxMask = 0;
    int32_t m_fontId = 1;
    int32_t m_gdtFontId = 2;
    double m_fontSize = 3.5;
    bool m_leaderAtCorner = false;
    bool m_allowTolerance2 = true;
    bool m_datumId = true;
    double m_overshoot = 2.0;
};

// Read access to a frame style for the object that uses it (its owner, e.g. a frame state).
class DUxFeatureControlFrameStyleWrapper {
public:
    DUxFeatureControlFrameStyleWrapper(const RSeRef<DUxFeatureControlFrameStyle>& style,
                                       const RSeRef<RDxObject>& owner)
        : m_style(style), m_owner(owner) {}
    const RSeRef<DUxFeatureControlFrameStyle>& GetStyle() const { return m_style; }
    const RSeRef<RDxObject>& GetObject() const { return m_owner; }
    DUxTextStyleWrapper GetTextStyleWrapper() const { return Style()->GetTextStyle(); }
    bool GetScaleToTextHeight() const { return Style()->GetScaleToTextHeight(); }
    double GetSize() const { return Style()->GetSize(); }
    double GetWhiteSpace() const { return Style()->GetWhiteSpace(); }
    bool GetEndPadding() const { return Style()->GetEndPadding(); }
    bool GetMergeSymbol() const { return Style()->GetMergeSymbol(); }
    bool GetMergeTolerance() const { return Style()->GetMergeTolerance(); }
    bool GetMergeDatum() const { return Style()->GetMergeDatum(); }
    bool GetLeaderAtCorner() const { return Style()->GetLeaderAtCorner(); }
    bool GetAllowTolerance2() const { return Style()->GetAllowTolerance2(); }
    bool GetDatumId() const { return Style()->GetDatumId(); }
    bool GetUseCommonString() const { return Style()->GetUseCommonSetting(); }
    uint32_t GetGdtSymbols() const { return Style()->GetGdtSymbols(); }
    uint32_t GetAuxSymbols() const { return Style()->GetAuxSymbols(); }
    double GetExtensionLineOvershoot() const { return Style()->GetExtensionLineOvershoot(); }
    // The frame's leader look, over the owner when it is a symbol state: the style's overshoot
    // and an all-around circle of 0.9 font sizes unless the state holds its own values.
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const;
    // A new unit-attribute object (outside any segment) holding the style's unit fields; the
    // caller owns it.
    std::unique_ptr<DUxSymUnitAttr> GetSymUnitAttr() const;

private:
    const DUxFeatureControlFrameStyle* Style() const { return m_style.Read(); }

    RSeRef<DUxFeatureControlFrameStyle> m_style;
    RSeRef<RDxObject> m_owner;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxFeatureControlFrameStyle*);
RSeMetaType* _GetMeta(const DUxFeatureControlFrameStyle*);
} // namespace RSe
