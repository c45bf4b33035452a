#pragma once
// The datum-target style: how datum targets draw their balloons (radius, texts), their target
// marks (point size and colour, hatching of areas) and their leaders (hidden-leader and border
// line types, whether the leader carries an arrowhead). Filled from a datum standard; the
// wrapper is what drawing code reads through.
#include <array>
#include <cstdint>
#include <memory>

#include "du/DUxFeatureControlFrameStyle.h"
#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"
#include "sm/SMxColor.h"

class DUxSymUnitAttr;
class RDxObject;

class DUxDatumTargetStyle : public FWxStyle {
public:
    // The documents' collection of datum-target styles.
    static const UTxString16 m_sDatumTargetCollectionName;

    DUxDatumTargetStyle() = default;
    explicit DUxDatumTargetStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment.
    static DUxDatumTargetStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // Setters change nothing and record nothing when the value is the same.
    bool GetUseCommonSetting() const { return m_useCommon; }
    void SetUseCommonSetting(bool v) { Set(m_useCommon, v); }
    // The balloon radius: the multiplier times the text height when scaled to the text height,
    // else half the size.
    bool GetScaleToTextHeight() const { return m_scaleToText; }
    void SetScaleToTextHeight(bool v) { Set(m_scaleToText, v); }
    double GetSize() const { return m_size; }
    void SetSize(double v) { Set(m_size, v); }
    double GetBalloonRadiusMultiplier() const { return m_radiusMultiplier; }
    void SetBalloonRadiusMultiplier(double v) { Set(m_radiusMultiplier, v); }
    // A size text too wide for its balloon is underlined outside it, else led to its near end.
    bool GetOutsideUnderlined() const { return m_outsideUnderlined; }
    void SetOutsideUnderlined(bool v) { Set(m_outsideUnderlined, v); }
    // Host line type ids of target borders and of hidden leaders; -1 for none.
    int32_t GetBorderLineId() const { return m_borderLine; }
    void SetBorderLineId(int32_t v) { Set(m_borderLine, v); }
    int32_t GetHiddenLeaderLineId() const { return m_hiddenLeaderLine; }
    void SetHiddenLeaderLineId(int32_t v) { Set(m_hiddenLeaderLine, v); }
    double GetHatchAngle() const { return m_hatchAngle; }
    void SetHatchAngle(double v) { Set(m_hatchAngle, v); }
    double GetHatchDist() const { return m_hatchDist; }
    void SetHatchDist(double v) { Set(m_hatchDist, v); }
    // Half the arm of a target point's cross.
    double GetPointSize() const { return m_pointSize; }
    void SetPointSize(double v) { Set(m_pointSize, v); }
    const SMxColor& GetPointColor() const { return m_pointColor; }
    void SetPointColor(const SMxColor& v) { Set(m_pointColor, v); }
    bool GetPointColorByLayer() const { return m_pointColorByLayer; }
    void SetPointColorByLayer(bool v) { Set(m_pointColorByLayer, v); }
    // Whether the leader ends in an arrowhead at the target.
    bool GetDrawLeaderArrow() const { return m_drawLeaderArrow; }
    void SetDrawLeaderArrow(bool v) { Set(m_drawLeaderArrow, v); }
    int32_t GetUnitValue(DUxUnitField f) const { return m_units[size_t(f)]; }
    void SetUnitValue(DUxUnitField f, int32_t v) { Set(m_units[size_t(f)], v); }
    DUxTextStyleWrapper GetTextStyle() const { return {m_fontId, m_gdtFontId, m_fontSize}; }
    void SetTextStyle(const DUxTextStyleWrapper& t);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxDatumTargetStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();

    bool m_useCommon = true;
    bool m_scaleToText = true;
    double m_size = 1.0;
    double m_radiusMultiplier = 2.0;
    bool m_outsideUnderlined = true;
    int32_t m_borderLine = -1;
    int32_t m_hiddenLeaderLine = -1;
    double m_hatchAngle = 0.78539816339744828;
    double m_hatchDist = 1.0;
    double m_pointSize = 1.0;
    SMxColor m_pointColor;
    bool m_pointColorByLayer = false;
    bool m_drawLeaderArrow = true;
    std::array<int32_t, size_t(DUxUnitField::Count)> m_units{};
    int32_t m_fontId = 1;
    int32_t m_gdtFontId = 2;
    double m_fontSize = 3.5;
};

// Read access to a datum-target style for the object that uses it.
class DUxDatumTargetStyleWrapper {
public:
    DUxDatumTargetStyleWrapper(const RSeRef<DUxDatumTargetStyle>& style,
                               const RSeRef<RDxObject>& owner)
        : m_style(style), m_owner(owner) {}
    const RSeRef<DUxDatumTargetStyle>& GetStyle() const { return m_style; }
    const RSeRef<RDxObject>& GetObject() const { return m_owner; }
    DUxTextStyleWrapper GetTextStyle() const { return Style()->GetTextStyle(); }
    bool GetScaleToTextHeight() const { return Style()->GetScaleToTextHeight(); }
    double GetSize() const { return Style()->GetSize(); }
    double GetBalloonRadiusMultiplier() const { return Style()->GetBalloonRadiusMultiplier(); }
    bool GetOutsideUnderlined() const { return Style()->GetOutsideUnderlined(); }
    int32_t GetBorderLine() const { return Style()->GetBorderLineId(); }
    int32_t GetHiddenLeaderLine() const { return Style()->GetHiddenLeaderLineId(); }
    double GetHatchAngle() const { return Style()->GetHatchAngle(); }
    double GetHatchDist() const { return Style()->GetHatchDist(); }
    double GetPointSize() const { return Style()->GetPointSize(); }
    const SMxColor& GetPointColor() const { return Style()->GetPointColor(); }
    bool GetPointColorByLayer() const { return Style()->GetPointColorByLayer(); }
    bool GetDrawLeaderArrow() const { return Style()->GetDrawLeaderArrow(); }
    bool GetUseCommonSetting() const { return Style()->GetUseCommonSetting(); }
    // A new unit-attribute object (outside any segment) holding the style's unit fields.
    std::unique_ptr<DUxSymUnitAttr> GetSymUnitAttr() const;

private:
    const DUxDatumTargetStyle* Style() const { return m_style.Read(); }
    RSeRef<DUxDatumTargetStyle> m_style;
    RSeRef<RDxObject> m_owner;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumTargetStyle*);
RSeMetaType* _GetMeta(const DUxDatumTargetStyle*);
} // namespace RSe
