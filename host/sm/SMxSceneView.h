#pragma once
// The scene view a user looks at a sheet through, headless: a view (fw/FWxView) with a camera.
// The camera looks from its eye at its target; moving it moves both. An animated camera
// transition ends at the new camera at once and is kept, so that what a pan asked for can be
// read back. One scene view at a time is active: the one the host's commands act in.
#include <vector>

#include "fw/FWxView.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class SMxCamera {
public:
    SMxCamera() = default;
    SMxCamera(const WqGePoint3d& eye, const WqGePoint3d& target) : m_eye(eye), m_target(target) {}
    const WqGePoint3d& GetEye() const { return m_eye; }
    // The point the camera looks at.
    const WqGePoint3d& GetTarget() const { return m_target; }
    // Moves the eye and the target by `by`: the camera looks the same way at another point.
    void Translate(const WqGeVector3d& by);
    bool operator==(const SMxCamera&) const = default;

private:
    WqGePoint3d m_eye{0, 0, 100};
    WqGePoint3d m_target{0, 0, 0};
};

class SMxSceneView : public FWxView {
public:
    struct Transition {
        SMxCamera from;
        SMxCamera to;
    };

    explicit SMxSceneView(FWxSceneDoc* doc) : FWxView(doc) {}
    // A view that goes is not active any more.
    ~SMxSceneView() override;

    SMxCamera& GetCamera() { return m_camera; }
    // Moves smoothly from `from` to `to`; the view's camera becomes `to`.
    void AnimateCameraTransition(const SMxCamera& from, const SMxCamera& to);
    const std::vector<Transition>& GetTransitions() const { return m_transitions; }

private:
    SMxCamera m_camera;
    std::vector<Transition> m_transitions;
};

class SMxSceneUtil {
public:
    // The active scene view; null when none is.
    static SMxSceneView* GetActiveView();
    static void SetActiveView(SMxSceneView* view);
    // The document of the active view; null without one.
    static FWxSceneDoc* GetActiveDocument();
};
