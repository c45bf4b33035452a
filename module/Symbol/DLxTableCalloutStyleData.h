#pragma once
// How a table callout's state reads its style. The state makes one of these on first use through
// its kind's factory and owns it; the object only refers to the state and asks the kind's style
// each time, so it never holds a stale value.
//
// The balloon type is the key of the balloon shape-service registry (2 circle, 3 split circle,
// 4 linear, 5 borderless, 6 hexagon, 7 sketched symbol, 8 triangle, 9 square).
#include <cstdint>
#include <vector>

#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"

class DUxLeaderStyleWrapper;
class DUxSymState;
class DUxTableStyleColumn;
class DUxTextStyleWrapper;

class DLxTableCalloutStyleData {
public:
    explicit DLxTableCalloutStyleData(const RSeRef<DUxSymState>& state) : m_state(state) {}
    virtual ~DLxTableCalloutStyleData() = default;
    DLxTableCalloutStyleData(const DLxTableCalloutStyleData&) = delete;
    DLxTableCalloutStyleData& operator=(const DLxTableCalloutStyleData&) = delete;

    // The balloon type code; `found`, when given, tells whether the style gave one.
    virtual int32_t GetBalloonType(bool* found = nullptr) const = 0;
    virtual SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const = 0;
    virtual SmartPtr<DUxLeaderStyleWrapper> GetAltLeaderStyle() const = 0;
    virtual SmartPtr<DUxTextStyleWrapper> GetTextStyle() const = 0;
    virtual bool GetScaleToTextHeight() const = 0;
    virtual double GetSize() const = 0;
    // The table columns the callout shows, in order.
    virtual void GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const = 0;
    virtual bool GetStretchBalloonToText() const = 0;
    // Whether a transform of the instance keeps the symbol's offset from its anchor.
    virtual bool KeepsAnchoredOffset() const = 0;
    virtual bool AcceptsTypeCode(int32_t typeCode) const = 0;

    const RSeRef<DUxSymState>& GetState() const { return m_state; }

private:
    RSeRef<DUxSymState> m_state;
};
