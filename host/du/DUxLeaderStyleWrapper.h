#pragma once
// The look of a leader as its annotation gives it: the pen of its lines, the arrowhead at its
// ends (service and size), the diameter of the all-around circle at its bend, and how an
// extension line from a symbol shown without leaders meets its geometry. Counted, so that style
// data can hand one out through a SmartPtr; a copy is a new object.
//
// A wrapper is either a plain value (made from a style's fields) or made over a symbol state.
// Over a state it reads the state's own values first (the per-object overrides that the state
// stores, DUxLeaderStyleOverrides) and the values it was made with after them; its setters then
// write overrides into the state, through the open transaction, and every wrapper later made
// over that state reads them. A plain wrapper's setters change the wrapper alone.
#include <cstdint>

#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "sm/SMxColor.h"

class DUxLeaderStyle;
class DUxSymState;

class DUxLeaderStyleWrapper : public CountedCObj {
public:
    // What a wrapper answers where the state holds nothing of its own: the kind's style values.
    struct Defaults {
        uint32_t arrowHead = 28029;
        // 0: the arrowhead service's own size.
        double arrowHeadSize = 0.0;
        // 0: no circle is drawn.
        double allAroundDiameter = 0.0;
        double overshoot = 0.0;
    };

    DUxLeaderStyleWrapper() = default;
    DUxLeaderStyleWrapper(const SMxColor& color, int32_t lineWeight, int32_t lineType)
        : m_color(color), m_lineWeight(lineWeight), m_lineType(lineType) {}
    // Over a state (null makes a plain wrapper of the defaults).
    DUxLeaderStyleWrapper(const DUxSymState* state, const Defaults& defaults);

    // The state written by the setters; null for a plain wrapper.
    DUxSymState* GetState() const;
    // The leader style whose pen the leader takes: the one set as the state's own, else the
    // state's style when that is a leader style, else none (the pen the wrapper was made with).
    // Over a state, SetPrimaryStyle makes the style the state's own (null drops it).
    DUxLeaderStyle* Style() const;
    void SetPrimaryStyle(const DUxLeaderStyle* style);
    // The pen read when the state names no leader style: the style's (null changes nothing).
    // The wrapper's alone; the state is not written.
    void SetBasePen(const DUxLeaderStyle* style);

    // Whether the wrapper gives a pen of its own: a plain wrapper always does; one over a state
    // when the state names a leader style or the wrapper was given a base pen. Without one,
    // the leader keeps the pen of its layer.
    bool HasPen() const { return !m_state.HasTarget() || m_hasPen || Style() != nullptr; }
    const SMxColor& GetColor() const;
    // Hundredths of a millimetre and a line type id; 0 is the default.
    int32_t GetLineWeight() const;
    int32_t GetLineType() const;
    // The arrowhead service of new ends.
    uint32_t GetArrowHead() const;
    void SetArrowHead(uint32_t id);
    // Length of a drawn arrowhead along its leader (its width follows in proportion); 0 leaves
    // the service's own size. Negative sizes are taken as 0.
    double GetArrowHeadSize() const;
    void SetArrowHeadSize(double size);
    // Diameter of the circle that marks an all-around leader; 0 draws none. Negative values
    // are taken as 0.
    double GetAllAroundDiameter() const;
    void SetAllAroundDiameter(double diameter);
    // How far an extension line runs past the symbol, and the gap it leaves before the
    // geometry it extends (sheet units). The gap is never the state's own.
    double GetExtensionLineOvershoot() const;
    void SetExtensionLineOvershoot(double length);
    double GetExtensionLineOffset() const { return m_offset; }
    void SetExtensionLineOffset(double gap) { m_offset = gap; }

private:
    const DUxSymState* ReadState() const;

    RSeRef<DUxSymState> m_state;
    SMxColor m_color;
    int32_t m_lineWeight = 0;
    int32_t m_lineType = 0;
    Defaults m_defaults;
    double m_offset = 0.0;
    bool m_hasPen = false;
};
