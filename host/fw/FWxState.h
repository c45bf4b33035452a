#pragma once
// The states of a state command, headless. A command's resolver (FWxTargetStateResolver) runs
// its root state; a complex state runs one child at a time, the one its OnNextState names; the
// deepest running state's event target gets the user's input.
//
// Codes, the same in every direction:
//   a state's end, told to its parent (OnChildFinished) and given to OnTerminate:
//     8 finished, 16 cancelled, 4 the command ends, 32 and 33 a re-activation;
//   re-activation of a running complex state (ReActivate): its running child ends with the
//     code and the state hears of it as a child end: 32 goes on with the next child, 8
//     finishes, 4 ends the command;
//   an event target's answer to an event: 2 goes on, 8 ends its state with code 8, 16 with 16.
//
// The child's end is told first and carried out by the base FWxComplexState::OnChildFinished:
// a parent sees the finished child as it was, then the base terminates it and runs the next
// child (none: the parent finishes with 8; code 4: the parent ends with 4, and so up).
// Escape (Cancel) ends every running state with 16, innermost first, and then the command.
#include <cstdint>

#include "Afx.h"
#include "ge/WqGePoint3d.h"

class FWxDocStateCmd;
class FWxSceneDoc;
class FWxTargetStateResolver;

namespace FWxStateCode {
constexpr int32_t kGoOn = 2;
constexpr int32_t kEnd = 4;
constexpr int32_t kFinished = 8;
constexpr int32_t kCancelled = 16;
constexpr int32_t kReActivate = 32;
constexpr int32_t kReActivateReset = 33;
} // namespace FWxStateCode

// One input of the user at a sheet point. The headless view has no screen: the point is on
// the sheet already; the view's world selection tolerance goes with it (none outside a drawing
// view), and an event outside any view has no draw target.
struct FWxEvent {
    WqGePoint3d point;
    double worldSelectionTol = 0.0;
    bool inDrawingView = true;
    bool hasDrawTarget = true;
    // Non-zero while a mouse button is held: a move with it is a drag, a release after one
    // ends it.
    int32_t buttons = 0;
};

class FWxState;

// What a state gets the input through.
class FWxEventTarget {
public:
    virtual ~FWxEventTarget();
    virtual void OnActivate(FWxState* /*state*/) {}
    virtual void OnTerminate(int32_t /*code*/) {}
    virtual int32_t OnMouseMove(const FWxEvent&) { return FWxStateCode::kGoOn; }
    virtual int32_t OnLButtonDown(const FWxEvent&) { return FWxStateCode::kGoOn; }
    virtual int32_t OnLButtonUp(const FWxEvent&) { return FWxStateCode::kGoOn; }
};

// One run of a state command: the command and its document.
class FWxStateCmdExeCtx {
public:
    FWxStateCmdExeCtx(FWxDocStateCmd* cmd, FWxSceneDoc* doc) : m_cmd(cmd), m_doc(doc) {}
    virtual ~FWxStateCmdExeCtx();
    FWxDocStateCmd* GetCommand() const { return m_cmd; }
    FWxSceneDoc* GetDocument() const { return m_doc; }

private:
    FWxDocStateCmd* m_cmd;
    FWxSceneDoc* m_doc;
};

class FWxState : public CCmdTarget {
public:
    ~FWxState() override;
    // Notifications (code FWxCmd::kNotify) and commands routed to the state; none handled here.
    virtual bool OnCmdMsg(int32_t id, int32_t code, void* extra);
    // The state starts; it answers the target that gets the input while it runs (none here).
    virtual FWxEventTarget* OnActivate() { return nullptr; }
    virtual void OnTerminate(int32_t /*code*/) {}

    bool IsRunning() const { return m_running; }
    FWxState* GetParent() const { return m_parent; }
    FWxState* GetActiveChild() const { return m_activeChild; }
    FWxEventTarget* GetTarget() const { return m_target; }
    // Of the run in progress; null while the state does not run.
    FWxStateCmdExeCtx* GetExecutionContext() const { return m_ctx; }
    FWxTargetStateResolver* GetResolver() const { return m_resolver; }
    FWxSceneDoc* GetActiveDocument() const;
    // The views redraw after a change; the headless host has nothing to redraw.
    void UpdateViews(int32_t /*state*/) const {}

private:
    friend class FWxTargetStateResolver;
    FWxState* m_parent = nullptr;
    FWxState* m_activeChild = nullptr;
    FWxEventTarget* m_target = nullptr;
    FWxStateCmdExeCtx* m_ctx = nullptr;
    FWxTargetStateResolver* m_resolver = nullptr;
    bool m_running = false;
};

class FWxComplexState : public FWxState {
public:
    // Runs the child OnNextState names; its target is the child's.
    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    virtual FWxState* OnNextState() { return nullptr; }
    virtual FWxState* OnPreviousState() { return nullptr; }
    // See the top of this file.
    virtual void OnChildFinished(FWxState* child, int32_t code);
};

// A state whose input goes to one event target.
class FWxTargetState : public FWxState {};

class FWxTargetStateResolver {
public:
    explicit FWxTargetStateResolver(FWxState* root) : m_root(root) {}
    FWxTargetStateResolver(const FWxTargetStateResolver&) = delete;
    FWxTargetStateResolver& operator=(const FWxTargetStateResolver&) = delete;

    FWxState* GetRoot() const { return m_root; }
    FWxDocStateCmd* GetCommand() const { return m_cmd; }
    bool IsRunning() const { return m_root && m_root->IsRunning(); }
    void Start(FWxDocStateCmd* cmd);

    // Runs `state` as the child of `parent` (none: the root).
    void Activate(FWxState* state, FWxState* parent);
    // `state` ended with `code`: its parent hears of it; the root's end ends the command.
    void Finish(FWxState* state, int32_t code);
    void ReActivate(FWxState* state, int32_t code);
    // Ends `state` and what runs below it, innermost first.
    void TerminateState(FWxState* state, int32_t code);
    // Ends the whole run with `code`.
    void Terminate(int32_t code);

    // Input, to the target of the deepest running state that has one.
    FWxEventTarget* GetActiveTarget() const;
    int32_t MouseMove(const FWxEvent& event);
    int32_t LButtonDown(const FWxEvent& event);
    int32_t LButtonUp(const FWxEvent& event);
    void Cancel() { Terminate(FWxStateCode::kCancelled); }
    // A notification to the running states, root first, until one handles it.
    bool Notify(int32_t id, void* extra);

private:
    FWxState* TargetState() const;
    int32_t Answer(FWxState* state, int32_t status);

    FWxState* m_root;
    FWxDocStateCmd* m_cmd = nullptr;
};
