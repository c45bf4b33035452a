#include "du/DUxLeaderStyleWrapper.h"

#include <algorithm>

#include "du/DUxLeaderStyle.h"
#include "du/DUxSymState.h"

namespace {
using Field = DUxLeaderStyleOverrides::EField;

// Writes one value into the state's overrides (the state records itself when it changes).
template <class T>
void Override(DUxSymState* state, Field field, T DUxLeaderStyleOverrides::* member,
              const T& value) {
    DUxLeaderStyleOverrides o = state->GetLeaderStyleOverrides();
    o.mask |= field;
    o.*member = value;
    state->SetLeaderStyleOverrides(o);
}
} // namespace

DUxLeaderStyleWrapper::DUxLeaderStyleWrapper(const DUxSymState* state, const Defaults& defaults)
    : m_state(state), m_defaults(defaults) {}

DUxSymState* DUxLeaderStyleWrapper::GetState() const {
    return m_state.get();
}

// Reads leave the state out of the open transaction's records.
const DUxSymState* DUxLeaderStyleWrapper::ReadState() const {
    return m_state.Read();
}

DUxLeaderStyle* DUxLeaderStyleWrapper::Style() const {
    const DUxSymState* state = ReadState();
    if (!state) return nullptr;
    if (state->GetLeaderStyleOverrides().Has(DUxLeaderStyleOverrides::kLeaderStyle))
        if (auto* own = dynamic_cast<DUxLeaderStyle*>(
                state->GetLeaderStyleOverrides().leaderStyle.GetTarget()))
            return own;
    // Kinds whose style is a leader style (sketched symbols) take its pen.
    return dynamic_cast<DUxLeaderStyle*>(state->GetStyle());
}

void DUxLeaderStyleWrapper::SetPrimaryStyle(const DUxLeaderStyle* style) {
    if (DUxSymState* state = GetState()) {
        DUxLeaderStyleOverrides o = state->GetLeaderStyleOverrides();
        if (style)
            o.mask |= DUxLeaderStyleOverrides::kLeaderStyle;
        else
            o.mask &= ~uint32_t(DUxLeaderStyleOverrides::kLeaderStyle);
        o.leaderStyle = RSeRef<FWxStyle>(style);
        state->SetLeaderStyleOverrides(o);
        return;
    }
    // A plain wrapper takes the style's pen.
    SetBasePen(style);
}

void DUxLeaderStyleWrapper::SetBasePen(const DUxLeaderStyle* style) {
    if (!style) return;
    m_hasPen = true;
    m_color = style->GetColor();
    m_lineWeight = style->GetLineWeight();
    m_lineType = style->GetLineType();
}

const SMxColor& DUxLeaderStyleWrapper::GetColor() const {
    const DUxLeaderStyle* style = Style();
    return style ? style->GetColor() : m_color;
}

int32_t DUxLeaderStyleWrapper::GetLineWeight() const {
    const DUxLeaderStyle* style = Style();
    return style ? style->GetLineWeight() : m_lineWeight;
}

int32_t DUxLeaderStyleWrapper::GetLineType() const {
    const DUxLeaderStyle* style = Style();
    return style ? style->GetLineType() : m_lineType;
}

uint32_t DUxLeaderStyleWrapper::GetArrowHead() const {
    const DUxSymState* state = ReadState();
    if (state && state->GetLeaderStyleOverrides().Has(DUxLeaderStyleOverrides::kArrowHead))
        return state->GetLeaderStyleOverrides().arrowHead;
    return m_defaults.arrowHead;
}

void DUxLeaderStyleWrapper::SetArrowHead(uint32_t id) {
    if (DUxSymState* state = GetState())
        Override(state, DUxLeaderStyleOverrides::kArrowHead, &DUxLeaderStyleOverrides::arrowHead,
                 id);
    else
        m_defaults.arrowHead = id;
}

double DUxLeaderStyleWrapper::GetArrowHeadSize() const {
    const DUxSymState* state = ReadState();
    if (state && state->GetLeaderStyleOverrides().Has(DUxLeaderStyleOverrides::kArrowHeadSize))
        return state->GetLeaderStyleOverrides().arrowHeadSize;
    return m_defaults.arrowHeadSize;
}

void DUxLeaderStyleWrapper::SetArrowHeadSize(double size) {
    size = std::max(size, 0.0);
    if (DUxSymState* state = GetState())
        Override(state, DUxLeaderStyleOverrides::kArrowHeadSize,
                 &DUxLeaderStyleOverrides::arrowHeadSize, size);
    else
        m_defaults.arrowHeadSize = size;
}

double DUxLeaderStyleWrapper::GetAllAroundDiameter() const {
    const DUxSymState* state = ReadState();
    if (state && state->GetLeaderStyleOverrides().Has(DUxLeaderStyleOverrides::kAllAroundDiameter))
        return state->GetLeaderStyleOverrides().allAroundDiameter;
    return m_defaults.allAroundDiameter;
}

void DUxLeaderStyleWrapper::SetAllAroundDiameter(double diameter) {
    diameter = std::max(diameter, 0.0);
    if (DUxSymState* state = GetState())
        Override(state, DUxLeaderStyleOverrides::kAllAroundDiameter,
                 &DUxLeaderStyleOverrides::allAroundDiameter, diameter);
    else
        m_defaults.allAroundDiameter = diameter;
}

double DUxLeaderStyleWrapper::GetExtensionLineOvershoot() const {
    const DUxSymState* state = ReadState();
    if (state && state->GetLeaderStyleOverrides().Has(DUxLeaderStyleOverrides::kOvershoot))
        return state->GetLeaderStyleOverrides().overshoot;
    return m_defaults.overshoot;
}

void DUxLeaderStyleWrapper::SetExtensionLineOvershoot(double length) {
    if (DUxSymState* state = GetState())
        Override(state, DUxLeaderStyleOverrides::kOvershoot, &DUxLeaderStyleOverrides::overshoot,
                 length);
    else
        m_defaults.overshoot = length;
}
