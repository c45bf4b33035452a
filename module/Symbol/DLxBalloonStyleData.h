#pragma once
// How a balloon's state reads its style: every answer comes from the balloon style of the state
// (DUxBalloonStyleWrapper over the state, no style of its own), asked afresh each time.
// Balloons keep no anchored offset, and a balloon takes exactly the type codes 28 and 29.
#include "Symbol/DLxTableCalloutStyleData.h"

class DLxBalloonStyleData : public DLxTableCalloutStyleData {
public:
    explicit DLxBalloonStyleData(const RSeRef<DUxSymState>& state)
        : DLxTableCalloutStyleData(state) {}

    int32_t GetBalloonType(bool* found = nullptr) const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const override;
    SmartPtr<DUxLeaderStyleWrapper> GetAltLeaderStyle() const override;
    SmartPtr<DUxTextStyleWrapper> GetTextStyle() const override;
    bool GetScaleToTextHeight() const override;
    double GetSize() const override;
    void GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const override;
    bool GetStretchBalloonToText() const override;
    bool KeepsAnchoredOffset() const override { return false; }
    bool AcceptsTypeCode(int32_t typeCode) const override {
        return typeCode == 28 || typeCode == 29;
    }
};
