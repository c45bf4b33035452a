#include "fw/FWxState.h"

#include "fw/FWxCommand.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxSceneDoc.h"

FWxEventTarget::~FWxEventTarget() = default;
FWxStateCmdExeCtx::~FWxStateCmdExeCtx() = default;

FWxState::~FWxState() = default;

bool FWxState::OnCmdMsg(int32_t, int32_t, void*) {
    return false;
}

FWxSceneDoc* FWxState::GetActiveDocument() const {
    return m_ctx ? m_ctx->GetDocument() : nullptr;
}

FWxEventTarget* FWxComplexState::OnActivate() {
    FWxState* next = OnNextState();
    if (!next || !GetResolver()) return nullptr;
    GetResolver()->Activate(next, this);
    return nullptr;
}

void FWxComplexState::OnTerminate(int32_t) {}

void FWxComplexState::OnChildFinished(FWxState* child, int32_t code) {
    FWxTargetStateResolver* resolver = GetResolver();
    if (!resolver) return;
    if (child && child->IsRunning() && child->GetParent() == this)
        resolver->TerminateState(child, code);
    if (!IsRunning()) return;
    if (code == FWxStateCode::kEnd) {
        resolver->Finish(this, FWxStateCode::kEnd);
        return;
    }
    if (FWxState* next = OnNextState())
        resolver->Activate(next, this);
    else
        resolver->Finish(this, FWxStateCode::kFinished);
}

void FWxTargetStateResolver::Start(FWxDocStateCmd* cmd) {
    m_cmd = cmd;
    if (m_root && !m_root->IsRunning()) Activate(m_root, nullptr);
}

void FWxTargetStateResolver::Activate(FWxState* state, FWxState* parent) {
    if (!state || !m_cmd) return;
    if (parent) {
        // One child at a time.
        if (FWxState* old = parent->m_activeChild; old && old != state) TerminateState(old, 32);
        parent->m_activeChild = state;
    }
    state->m_parent = parent;
    state->m_ctx = m_cmd->GetExecutionContext();
    state->m_resolver = this;
    state->m_running = true;
    state->m_target = nullptr;
    FWxEventTarget* target = state->OnActivate();
    // The state may have ended within its own activation.
    if (!state->m_running) return;
    state->m_target = target;
    if (target) target->OnActivate(state);
}

void FWxTargetStateResolver::TerminateState(FWxState* state, int32_t code) {
    if (!state || !state->m_running) return;
    if (state->m_activeChild) TerminateState(state->m_activeChild, code);
    if (FWxEventTarget* target = state->m_target) {
        state->m_target = nullptr;
        target->OnTerminate(code);
    }
    state->m_running = false;
    state->OnTerminate(code);
    if (state->m_parent && state->m_parent->m_activeChild == state)
        state->m_parent->m_activeChild = nullptr;
    state->m_ctx = nullptr;
}

void FWxTargetStateResolver::Finish(FWxState* state, int32_t code) {
    if (!state || !state->m_running) return;
    if (auto* parent = dynamic_cast<FWxComplexState*>(state->m_parent);
        parent && parent->m_running) {
        parent->OnChildFinished(state, code);
        return;
    }
    TerminateState(state, code);
    if (state == m_root) {
        FWxDocStateCmd* cmd = m_cmd;
        if (FWxSceneDoc* doc = cmd ? cmd->GetDocument() : nullptr) doc->ClearActiveCommand(cmd);
        if (cmd) cmd->OnTerminate(code);
    }
}

void FWxTargetStateResolver::ReActivate(FWxState* state, int32_t code) {
    auto* complex = dynamic_cast<FWxComplexState*>(state);
    if (!complex || !complex->m_running) return;
    complex->OnChildFinished(complex->m_activeChild, code);
}

void FWxTargetStateResolver::Terminate(int32_t code) {
    if (m_root && m_root->m_running) {
        TerminateState(m_root, code);
        FWxDocStateCmd* cmd = m_cmd;
        if (FWxSceneDoc* doc = cmd ? cmd->GetDocument() : nullptr) doc->ClearActiveCommand(cmd);
        if (cmd) cmd->OnTerminate(code);
    }
}

FWxState* FWxTargetStateResolver::TargetState() const {
    FWxState* found = nullptr;
    for (FWxState* s = m_root; s && s->m_running; s = s->m_activeChild)
        if (s->m_target) found = s;
    return found;
}

FWxEventTarget* FWxTargetStateResolver::GetActiveTarget() const {
    FWxState* s = TargetState();
    return s ? s->m_target : nullptr;
}

int32_t FWxTargetStateResolver::Answer(FWxState* state, int32_t status) {
    if (status == FWxStateCode::kFinished || status == FWxStateCode::kCancelled)
        Finish(state, status);
    return status;
}

int32_t FWxTargetStateResolver::MouseMove(const FWxEvent& event) {
    FWxState* s = TargetState();
    return s ? Answer(s, s->m_target->OnMouseMove(event)) : FWxStateCode::kGoOn;
}

int32_t FWxTargetStateResolver::LButtonDown(const FWxEvent& event) {
    FWxState* s = TargetState();
    return s ? Answer(s, s->m_target->OnLButtonDown(event)) : FWxStateCode::kGoOn;
}

int32_t FWxTargetStateResolver::LButtonUp(const FWxEvent& event) {
    FWxState* s = TargetState();
    return s ? Answer(s, s->m_target->OnLButtonUp(event)) : FWxStateCode::kGoOn;
}

bool FWxTargetStateResolver::Notify(int32_t id, void* extra) {
    for (FWxState* s = m_root; s && s->m_running; s = s->m_activeChild)
        if (s->OnCmdMsg(id, FWxCmd::kNotify, extra)) return true;
    return false;
}
