#include "DatumId/DLxCenterDatumState.h"

#include "dc/RDxFragment.h"
#include "du/DUxLeaderStyle.h"
#include "fb/FBxLayerStyle.h"

DLxCenterDatumState* DLxCenterDatumState::Create(RDxFragment* fragment, const WqGePoint3d& origin,
                                                 const DUxLeaderStyle* leaderStyle,
                                                 const FBxLayerStyle* layer) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DLxCenterDatumState*>(nullptr)),
                       fragment->GetSegment()) DLxCenterDatumState();
    state->m_origin = origin;
    state->m_leaderStyle = RSeRef<FWxStyle>(leaderStyle);
    state->m_layer = RSeRef<FWxStyle>(layer);
    fragment->AddNode(state);
    return state;
}

void DLxCenterDatumState::SetOrigin(const WqGePoint3d& origin) {
    if (origin == m_origin) return;
    BeginValueChange();
    m_origin = origin;
}

void DLxCenterDatumState::SetScale(double scale) {
    if (scale == m_scale) return;
    BeginValueChange();
    m_scale = scale;
}

void DLxCenterDatumState::SetRelXValue(double x) {
    if (x == m_relX) return;
    BeginValueChange();
    m_relX = x;
}

void DLxCenterDatumState::SetRelYValue(double y) {
    if (y == m_relY) return;
    BeginValueChange();
    m_relY = y;
}

void DLxCenterDatumState::SetHideSymbol(bool hide) {
    if (hide == m_hide) return;
    BeginValueChange();
    m_hide = hide;
}

FBxLayerStyle* DLxCenterDatumState::GetLayerStyle() const {
    return dynamic_cast<FBxLayerStyle*>(m_layer.GetTarget());
}

DUxLeaderStyle* DLxCenterDatumState::GetLeaderStyle() const {
    return dynamic_cast<DUxLeaderStyle*>(m_leaderStyle.GetTarget());
}

void DLxCenterDatumState::SetLeaderStyle(const DUxLeaderStyle* style) {
    if (m_leaderStyle.GetTarget() == style) return;
    BeginValueChange();
    m_leaderStyle = RSeRef<FWxStyle>(style);
}
