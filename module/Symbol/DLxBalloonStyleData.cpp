#include "Symbol/DLxBalloonStyleData.h"

#include "du/DUxBalloonStyleWrapper.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"

namespace {
DUxBalloonStyleWrapper Wrapper(const RSeRef<DUxSymState>& state) {
    return DUxBalloonStyleWrapper(state, RSeRef<DUxBalloonStyle>());
}
} // namespace

int32_t DLxBalloonStyleData::GetBalloonType(bool* found) const {
    return Wrapper(GetState()).GetDefaultType(found);
}

SmartPtr<DUxLeaderStyleWrapper> DLxBalloonStyleData::GetLeaderStyle() const {
    return Wrapper(GetState()).GetLeaderStyle();
}

SmartPtr<DUxLeaderStyleWrapper> DLxBalloonStyleData::GetAltLeaderStyle() const {
    return Wrapper(GetState()).GetAltLeaderStyle();
}

SmartPtr<DUxTextStyleWrapper> DLxBalloonStyleData::GetTextStyle() const {
    return Wrapper(GetState()).GetTextStyle();
}

bool DLxBalloonStyleData::GetScaleToTextHeight() const {
    return Wrapper(GetState()).GetScaleToTextHeight();
}

double DLxBalloonStyleData::GetSize() const {
    return Wrapper(GetState()).GetSize();
}

void DLxBalloonStyleData::GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const {
    Wrapper(GetState()).GetItems(items);
}

bool DLxBalloonStyleData::GetStretchBalloonToText() const {
    return Wrapper(GetState()).GetStretchBallonToText();
}
