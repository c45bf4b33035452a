#include "du/DUxSymState.h"

#include "dc/RDxFragment.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxStyle.h"
#include "ge/WqArray.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

DUxSymState* DUxSymState::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxSymState*>(nullptr)),
                       fragment->GetSegment()) DUxSymState();
    fragment->AddNode(state);
    return state;
}

void DUxSymState::SetOrigin(const WqGePoint3d& origin) {
    if (origin == m_origin) return;
    BeginValueChange();
    m_origin = origin;
}

void DUxSymState::SetScale(double scale) {
    if (scale == m_scale) return;
    BeginValueChange();
    m_scale = scale;
}

void DUxSymState::SetBoundingBox(const BBox& box) {
    if (box.min == m_box.min && box.max == m_box.max) return;
    BeginValueChange();
    m_box = box;
}

FWxStyle* DUxSymState::GetStyle() const {
    return static_cast<FWxStyle*>(m_style.GetTarget());
}

void DUxSymState::SetStyle(const FWxStyle* style) {
    if (m_style.GetTarget() == style) return;
    BeginValueChange();
    m_style = RSeRef<FWxStyle>(style);
}

void DUxSymState::SetLeaderStyleOverrides(const DUxLeaderStyleOverrides& overrides) {
    if (overrides == m_leaderOverrides) return;
    BeginValueChange();
    m_leaderOverrides = overrides;
}

FWxStyle* DUxSymState::GetLayerStyle() const {
    return static_cast<FWxStyle*>(m_layerStyle.GetTarget());
}

void DUxSymState::SetLayerStyle(const FWxStyle* layer) {
    if (m_layerStyle.GetTarget() == layer) return;
    BeginValueChange();
    m_layerStyle = RSeRef<FWxStyle>(layer);
}

void DUxSymState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList&, int32_t, const UTxGUID&,
                              bool, int32_t outlineType) {
    if (outlineType != kBoxOutline || m_box.isEmpty()) return;
    SMxDisplayListBuilder b(symbolList);
    b.SetItemId(DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBodyItem, 0, -1, -1));
    const WqGeVector3d o = m_origin.asVector();
    WqArray<WqGePoint3d> pts;
    pts.append(WqGePoint3d(m_box.min.x, m_box.min.y, 0) + o);
    pts.append(WqGePoint3d(m_box.max.x, m_box.min.y, 0) + o);
    pts.append(WqGePoint3d(m_box.max.x, m_box.max.y, 0) + o);
    pts.append(WqGePoint3d(m_box.min.x, m_box.max.y, 0) + o);
    b.AddPolyline(pts, true);
}

DUxDisplayListState::DUxDisplayListState() : m_list(std::make_unique<SMxDisplayList>()) {}
DUxDisplayListState::DUxDisplayListState(const RSeStream* s)
    : RDxState(s), m_list(std::make_unique<SMxDisplayList>()) {}
DUxDisplayListState::~DUxDisplayListState() = default;

DUxDisplayListState* DUxDisplayListState::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxDisplayListState*>(nullptr)),
                       fragment->GetSegment()) DUxDisplayListState();
    fragment->AddNode(state);
    return state;
}

void DUxDisplayListState::SetDisplayList(const SMxDisplayList& list) {
    *m_list = list;
}
