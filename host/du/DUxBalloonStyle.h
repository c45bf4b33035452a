#pragma once
// The balloon style: the shape a balloon takes (its default balloon type), its size or its
// scaling to the text height, whether the shape stretches to a long text, the spacing of
// stacked balloons, the text style and the two leader styles it names, and the table columns a
// balloon shows (its items: the style's own column objects, copied in and out). The style's
// comment is its description. DUxBalloonStyleWrapper is what balloon code reads through.
#include <cstdint>
#include <vector>

#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxLeaderStyle;
class DUxTableStyleColumn;
class DUxTextStyle;

using DUxBalloonItemList = std::vector<RSeRef<DUxTableStyleColumn>>;

class DUxBalloonStyle : public FWxStyle {
public:
    // Balloon types: the ids of the balloon shapes. 1 names no shape (what a new standard holds
    // before its defaults are set).
    enum EBalloonType : int32_t {
        eNoShape = 1,
        eCircular = 2,
        eCircularSplit = 3,
        eLinear = 4,
        eNoBorder = 5,
        eHexagon = 6,
        eSketchedSymbol = 7,
        eTriangle = 8,
        eSquare = 9,
    };
    static bool IsBalloonType(int32_t type) { return type >= eNoShape && type <= eSquare; }

    DUxBalloonStyle() = default;
    explicit DUxBalloonStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null). `edited` starts its
    // edit count.
    static DUxBalloonStyle* CreateStyle(RSeSegment* segment, const UTxString16& name,
                                        int32_t edited = 0);
    // The name of the documents' collection of balloon styles: "Balloon".
    static const UTxString16& GetInternalStylesCollectionNameStatic();

    // Setters change nothing and record nothing when the value is the same; they count no edit
    // (the requests and the standards do, for the values they compare).
    EBalloonType GetDefaultType() const { return m_type; }
    void SetDefaultType(EBalloonType type) { Set(m_type, type); }
    // The balloon's size (model units) when it is not scaled to the text height.
    double GetSize() const { return m_size; }
    void SetSize(double size) { Set(m_size, size); }
    bool GetScaleToTextHeight() const { return m_scaleToText; }
    void SetScaleToTextHeight(bool v) { Set(m_scaleToText, v); }
    bool GetStretchBalloonToText() const { return m_stretchToText; }
    void SetStretchBalloonToText(bool v) { Set(m_stretchToText, v); }
    // The gap between stacked balloons.
    double GetOffsetSpacing() const { return m_offsetSpacing; }
    void SetOffsetSpacing(double v) { Set(m_offsetSpacing, v); }
    // Document styles the balloon style names; null for none.
    const RSeRef<DUxTextStyle>& GetTextStyle() const { return m_textStyle; }
    void SetTextStyle(const RSeRef<DUxTextStyle>& style);
    const RSeRef<DUxLeaderStyle>& GetLeaderStyle() const { return m_leaderStyle; }
    void SetLeaderStyle(const RSeRef<DUxLeaderStyle>& style);
    const RSeRef<DUxLeaderStyle>& GetAltLeaderStyle() const { return m_altLeaderStyle; }
    void SetAltLeaderStyle(const RSeRef<DUxLeaderStyle>& style);

    // The columns a balloon shows, in order. SetItems keeps copies (made in the style's
    // segment) and deletes the ones it had; the list given may be the style's own.
    const DUxBalloonItemList& GetItems() const { return m_items; }
    void SetItems(const DUxBalloonItemList& items);

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxBalloonStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();

    EBalloonType m_type = eCircular;
    double m_size = 1.0;
    bool m_scaleToText = false;
    bool m_stretchToText = false;
    double m_offsetSpacing = 0.0;
    RSeRef<DUxTextStyle> m_textStyle;
    RSeRef<DUxLeaderStyle> m_leaderStyle;
    RSeRef<DUxLeaderStyle> m_altLeaderStyle;
    DUxBalloonItemList m_items;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxBalloonStyle*);
RSeMetaType* _GetMeta(const DUxBalloonStyle*);
} // namespace RSe
