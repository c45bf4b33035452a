#include "TstTableCallout.h"

#include "Standard/DLxCBalloon.h"
#include "dc/RDxFragment.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeMeta.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x7E57CA11, 0x0C0A4B1D, 0x9A1E5E7F, 0x00000001);
}
void InstanceGuid(UTxGUID& g) {
    g = UTxGUID(0x7E57CA11, 0x0C0A4B1D, 0x9A1E5E7F, 0x00000002);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const TstCalloutState*) {
    static RSeMetaType* mt = RSeMakeMeta<TstCalloutState>(
        u"TstCalloutState", &StateGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxTableCalloutSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _InitMeta(const TstCalloutInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<TstCalloutInstance>(
        u"TstCalloutInstance", &InstanceGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxTableCalloutSymInstance*>(nullptr)));
    return mt;
}
} // namespace RSe

static RSeMetaType* const s_stateMeta =
    RSe::_InitMeta(static_cast<const TstCalloutState*>(nullptr));
static RSeMetaType* const s_instanceMeta =
    RSe::_InitMeta(static_cast<const TstCalloutInstance*>(nullptr));

RSeMetaType* TstCalloutInstance::GetMeta() const {
    return RSe::_InitMeta(this);
}

TstCalloutInstance* TstCalloutInstance::Create(RDxFragment* fragment, bool balloon) {
    TstCalloutState* state = TstCalloutState::Create(fragment, balloon);
    return new (RSe::_InitMeta(static_cast<const TstCalloutInstance*>(nullptr)),
                fragment->GetSegment()) TstCalloutInstance(fragment, state);
}

TstCalloutState* TstCalloutInstance::GetState() const {
    return static_cast<TstCalloutState*>(GetTableCalloutSymState());
}

RSeMetaType* TstCalloutState::GetMeta() const {
    return RSe::_InitMeta(this);
}

TstCalloutState* TstCalloutState::Create(RDxFragment* fragment, bool balloon) {
    auto* state = new (RSe::_InitMeta(static_cast<const TstCalloutState*>(nullptr)),
                       fragment->GetSegment()) TstCalloutState(RSeRef<RDxFragment>(fragment));
    fragment->AddNode(state);
    if (balloon) state->SetFlag(kBalloonStateFlag);
    return state;
}

DLxTableCalloutStyleData* TstCalloutState::CreateStyleData() {
    ++styleDataMade;
    return new TstCalloutStyleData(RSeRef<DUxSymState>(this));
}

RSeRef<DLxCTableCallout> TstCalloutState::CreateBalloon(const RSeRef<DLxStructureNode>& node,
                                                        int32_t index) {
    if (refuseBalloons) return {};
    return RSeRef<DLxCTableCallout>(DLxCBalloon::New(GetSegment(), node, index));
}

const TstCalloutStyle& TstCalloutStyleData::Style() const {
    return static_cast<const TstCalloutState*>(GetState().Read())->style;
}

int32_t TstCalloutStyleData::GetBalloonType(bool* found) const {
    if (found) *found = true;
    return Style().type;
}

SmartPtr<DUxLeaderStyleWrapper> TstCalloutStyleData::GetLeaderStyle() const {
    return SmartPtr<DUxLeaderStyleWrapper>(new DUxLeaderStyleWrapper());
}

SmartPtr<DUxLeaderStyleWrapper> TstCalloutStyleData::GetAltLeaderStyle() const {
    return {};
}

SmartPtr<DUxTextStyleWrapper> TstCalloutStyleData::GetTextStyle() const {
    const TstCalloutStyle& s = Style();
    if (!s.hasTextStyle) return {};
    return SmartPtr<DUxTextStyleWrapper>(
        new DUxTextStyleWrapper(s.fontId, s.gdtFontId, s.fontSize));
}

bool TstCalloutStyleData::GetScaleToTextHeight() const {
    return Style().scaleToTextHeight;
}

double TstCalloutStyleData::GetSize() const {
    return Style().size;
}

void TstCalloutStyleData::GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const {
    items = Style().items;
}

bool TstCalloutStyleData::KeepsAnchoredOffset() const {
    return Style().keepsAnchoredOffset;
}

bool TstCalloutStyleData::GetStretchBalloonToText() const {
    return Style().stretch;
}
