#pragma once
// A named leader style of the document: the pen of an annotation's leader lines (colour, line
// weight and line type). Balloon styles name two of them, for the leader and for the leader
// a balloon takes instead when its style asks for the alternative; the wrapper is what drawing
// code reads.
#include <cstdint>

#include "fw/FWxStyle.h"
#include "sm/SMxColor.h"
#include "utx/UTxString16.h"

class DUxLeaderStyleWrapper;

class DUxLeaderStyle : public FWxStyle {
public:
    // The documents' collection of leader styles.
    static const UTxString16 m_sLeaderCollectionName;
    static const UTxString16& GetInternalStylesCollectionNameStatic() {
        return m_sLeaderCollectionName;
    }

    DUxLeaderStyle() = default;
    explicit DUxLeaderStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxLeaderStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // Setters change nothing and record nothing when the value is the same.
    const SMxColor& GetColor() const { return m_color; }
    void SetColor(const SMxColor& color);
    // Hundredths of a millimetre and a line type id; 0 is the default of each.
    int32_t GetLineWeight() const { return m_lineWeight; }
    void SetLineWeight(int32_t weight);
    int32_t GetLineType() const { return m_lineType; }
    void SetLineType(int32_t type);

    // The pen as drawing code reads it.
    DUxLeaderStyleWrapper* NewWrapper() const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxLeaderStyle* target, RSeCloneCommander* cc) const;

private:
    SMxColor m_color;
    int32_t m_lineWeight = 0;
    int32_t m_lineType = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderStyle*);
RSeMetaType* _GetMeta(const DUxLeaderStyle*);
} // namespace RSe
