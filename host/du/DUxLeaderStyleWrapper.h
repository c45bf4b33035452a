#pragma once
// The look of a leader as its annotation's leader style gives it: the pen of its lines and how
// an extension line from a symbol shown without leaders meets its geometry. Counted, so that
// style data can hand one out through a SmartPtr; a copy is a new object.
#include <cstdint>

#include "fw/SmartPtr.h"
#include "sm/SMxColor.h"

class DUxLeaderStyleWrapper : public CountedCObj {
public:
    DUxLeaderStyleWrapper() = default;
    DUxLeaderStyleWrapper(const SMxColor& color, int32_t lineWeight, int32_t lineType)
        : m_color(color), m_lineWeight(lineWeight), m_lineType(lineType) {}

    const SMxColor& GetColor() const { return m_color; }
    // Hundredths of a millimetre and a line type id; 0 is the default.
    int32_t GetLineWeight() const { return m_lineWeight; }
    int32_t GetLineType() const { return m_lineType; }
    // How far an extension line runs past the symbol, and the gap it leaves before the
    // geometry it extends (sheet units).
    double GetExtensionLineOvershoot() const { return m_overshoot; }
    void SetExtensionLineOvershoot(double length) { m_overshoot = length; }
    double GetExtensionLineOffset() const { return m_offset; }
    void SetExtensionLineOffset(double gap) { m_offset = gap; }

private:
    SMxColor m_color;
    int32_t m_lineWeight = 0;
    int32_t m_lineType = 0;
    double m_overshoot = 0.0;
    double m_offset = 0.0;
};
