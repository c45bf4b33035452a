#pragma once
// The root state of a command that runs one child state once: made when the root starts, ended
// with it; when the child finishes, so does the command.
#include <memory>

#include "fw/FWxState.h"

template <class Child> class DLxSingleChildState : public FWxComplexState {
public:
    FWxEventTarget* OnActivate() override {
        m_child = std::make_unique<Child>();
        m_started = false;
        return FWxComplexState::OnActivate();
    }
    void OnTerminate(int32_t code) override {
        FWxComplexState::OnTerminate(code);
        m_child.reset();
    }
    FWxState* OnNextState() override {
        if (m_started) return nullptr;
        m_started = true;
        return m_child.get();
    }
    Child* GetChild() const { return m_child.get(); }

private:
    std::unique_ptr<Child> m_child;
    bool m_started = false;
};
