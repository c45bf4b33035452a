#include "Standard/DLxCSurfText.h"

#include "du/DUxSurfTXTState.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

const std::array<int32_t, 14> DLxCSurfText::kOrder = {0, 1, 4, 2, 3, 6, 7, 8, 9, 11, 10, 12, 13, 5};

namespace {
template <class T> T* MakeIn(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T();
}
} // namespace

DLxCSurfText::DLxCSurfText() {
    RSeSegment* segment = GetSegment();
    if (!segment) return; // values outside a segment could not be referred to
    for (int32_t v = 0; v < 14; ++v)
        m_values[size_t(v)] = v == DUxSurfTXTState::kLay
                                  ? static_cast<DUxValue*>(MakeIn<DUxIntegerValue>(segment))
                                  : static_cast<DUxValue*>(MakeIn<DUxStringValue>(segment));
}

DLxCSurfText::DLxCSurfText(const RSeStream* s) : RSeIDed(s) {}

DLxCSurfText::~DLxCSurfText() {
    // The string values in record order, the lay last.
    for (int32_t v : kOrder)
        if (RSeIDed* t = m_values[size_t(v)].GetTarget()) RSe::DeleteObject(t);
}

RSeRef<DUxValue>& DLxCSurfText::Slot(int32_t variable) {
    return m_values[size_t(variable)];
}

DUxValue* DLxCSurfText::Value(int32_t variable) const {
    if (variable < 0 || variable >= 14) return nullptr;
    return m_values[size_t(variable)].get();
}

int32_t DLxCSurfText::GetLay() const {
    auto* lay = dynamic_cast<const DUxIntegerValue*>(Value(DUxSurfTXTState::kLay));
    return lay ? int32_t(int16_t(lay->GetValue())) : 0;
}

#define DLX_SURFTEXT_SETTER(Name, field, Type)                                                     \
    void DLxCSurfText::Name(Type v) {                                                              \
        if (field == v) return;                                                                    \
        RSe::PrepareWrite(this);                                                                   \
        field = v;                                                                                 \
    }
DLX_SURFTEXT_SETTER(SetSubType, m_subType, int32_t)
DLX_SURFTEXT_SETTER(SetOrientation, m_orientation, int32_t)
DLX_SURFTEXT_SETTER(SetAngle, m_angle, double)
DLX_SURFTEXT_SETTER(SetPosition, m_position, const WqGePoint3d&)
DLX_SURFTEXT_SETTER(SetAllAround, m_allAround, bool)
DLX_SURFTEXT_SETTER(SetMajority, m_majority, bool)
DLX_SURFTEXT_SETTER(SetForcedTail, m_forcedTail, bool)
DLX_SURFTEXT_SETTER(SetHasLeader, m_hasLeader, bool)
DLX_SURFTEXT_SETTER(SetAutoAdjustment, m_autoAdjustment, bool)
#undef DLX_SURFTEXT_SETTER

DLxCSurfText& DLxCSurfText::operator=(const DLxCSurfText& other) {
    if (&other == this) return *this;
    for (int32_t v : kOrder) {
        DUxValue* mine = Value(v);
        const DUxValue* theirs = other.Value(v);
        if (mine && theirs) mine->Assign(*theirs);
    }
    SetAllAround(other.m_allAround);
    SetMajority(other.m_majority);
    SetSubType(other.m_subType);
    SetOrientation(other.m_orientation);
    SetForcedTail(other.m_forcedTail);
    SetHasLeader(other.m_hasLeader);
    SetAngle(other.m_angle);
    SetPosition(other.m_position);
    SetAutoAdjustment(other.m_autoAdjustment);
    return *this;
}

void DLxCSurfText::ApplyTo(DUxSurfTXTState& state) const {
    for (int32_t v = 0; v < 14; ++v) {
        const DUxValue* value = Value(v);
        state.SetValue(v, value ? value->GetText() : UTxString16());
        state.SetVariableStatus(v, value ? value->GetVisibility() : DUxValue::kVisibilityDefault);
    }
    state.SetSubType(m_subType);
    state.SetOrientation(m_orientation);
    state.SetAngle(m_angle);
    state.SetHasLeader(m_hasLeader);
    state.SetAllAround(m_allAround);
    state.SetMajority(m_majority);
    state.SetForcedTail(m_forcedTail);
    state.SetAutoAdjustment(m_autoAdjustment);
}
