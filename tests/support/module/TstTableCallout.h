#pragma once
// A table callout kind for tests: its state reads its style from values the test sets (through
// a style-data double of the interface) and makes balloon entries. The values live in the state
// object and are not stored.
#include <vector>

#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "Symbol/DLxTableCalloutSymState.h"

class DUxTableStyleColumn;

struct TstCalloutStyle {
    int32_t type = 2;
    bool scaleToTextHeight = true;
    double size = 10.0;
    bool hasTextStyle = true;
    double fontSize = 2.5;
    int32_t fontId = 1;
    int32_t gdtFontId = 2;
    bool stretch = false;
    bool keepsAnchoredOffset = false;
    std::vector<RSeRef<DUxTableStyleColumn>> items;
};

class TstCalloutStyleData : public DLxTableCalloutStyleData {
public:
    explicit TstCalloutStyleData(const RSeRef<DUxSymState>& state)
        : DLxTableCalloutStyleData(state) {}
    int32_t GetBalloonType(bool* found = nullptr) const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const override;
    SmartPtr<DUxLeaderStyleWrapper> GetAltLeaderStyle() const override;
    SmartPtr<DUxTextStyleWrapper> GetTextStyle() const override;
    bool GetScaleToTextHeight() const override;
    double GetSize() const override;
    void GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const override;
    bool GetStretchBalloonToText() const override;
    bool KeepsAnchoredOffset() const override;
    bool AcceptsTypeCode(int32_t) const override { return true; }

private:
    const TstCalloutStyle& Style() const;
};

class TstCalloutState : public DLxTableCalloutSymState {
public:
    explicit TstCalloutState(RSeRef<RDxFragment> fragment) : DLxTableCalloutSymState(fragment) {}
    explicit TstCalloutState(const RSeStream* s) : DLxTableCalloutSymState(s) {}
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment and added to it; `balloon` sets the balloon state's flag.
    static TstCalloutState* Create(RDxFragment* fragment, bool balloon);

    const char* GetInternalName() const override { return "TstCallout"; }
    DLxTableCalloutStyleData* CreateStyleData() override;
    RSeRef<DLxCTableCallout> CreateBalloon(const RSeRef<DLxStructureNode>& node,
                                           int32_t index) override;

    TstCalloutStyle style;
    int32_t styleDataMade = 0;
    // Makes CreateBalloon fail.
    bool refuseBalloons = false;
};

// A placed table callout kind for tests: Refresh answers what the test sets.
class TstCalloutInstance : public DLxTableCalloutSymInstance {
public:
    static constexpr int32_t kObjectType = 0x7E57001;

    TstCalloutInstance(RDxFragment* fragment, TstCalloutState* state)
        : DLxTableCalloutSymInstance(fragment, state) {}
    explicit TstCalloutInstance(const RSeStream* s) : DLxTableCalloutSymInstance(s) {}
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment, with a new state (`balloon` as for TstCalloutState::Create).
    static TstCalloutInstance* Create(RDxFragment* fragment, bool balloon);

    int32_t GetObjectType() const override { return kObjectType; }
    UTxString16 GetBrowserLabel() const override { return u"Test callout"; }
    bool Refresh() override { return alive; }
    TstCalloutState* GetState() const;

    bool alive = true;
};
