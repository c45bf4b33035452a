#include "sm/SMxSceneView.h"

namespace {
SMxSceneView* g_active = nullptr;
} // namespace

void SMxCamera::Translate(const WqGeVector3d& by) {
    m_eye += by;
    m_target += by;
}

SMxSceneView::~SMxSceneView() {
    if (g_active == this) g_active = nullptr;
}

void SMxSceneView::AnimateCameraTransition(const SMxCamera& from, const SMxCamera& to) {
    m_transitions.push_back({from, to});
    m_camera = to;
}

SMxSceneView* SMxSceneUtil::GetActiveView() {
    return g_active;
}

void SMxSceneUtil::SetActiveView(SMxSceneView* view) {
    g_active = view;
}

FWxSceneDoc* SMxSceneUtil::GetActiveDocument() {
    return g_active ? g_active->GetDocument() : nullptr;
}
