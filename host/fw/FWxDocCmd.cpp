#include "fw/FWxDocCmd.h"

#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxState.h"

FWxDocCmd::~FWxDocCmd() = default;

FWxDocStateCmd::~FWxDocStateCmd() {
    // A command that goes while it runs (its document closing) leaves no dangling active one.
    if (FWxSceneDoc* doc = GetDocument(); doc && doc->GetActiveCommand() == this)
        doc->ClearActiveCommand(this);
    delete m_exeCtx;
    delete m_emptySet;
}

void FWxDocStateCmd::OnCommand() {
    FWxSceneDoc* doc = GetDocument();
    FWxTargetStateResolver* resolver = GetResolver();
    if (!doc || !resolver) return;
    doc->TerminateActiveContext(4);
    doc->SetActiveCommand(this);
    OnActivate();
    resolver->Start(this);
}

FWxStateCmdExeCtx* FWxDocStateCmd::GetExecutionContext() {
    if (!m_exeCtx) m_exeCtx = new FWxStateCmdExeCtx(this, GetDocument());
    return m_exeCtx;
}

FWxSelectionSet* FWxDocStateCmd::GetSelectionSet() {
    if (!m_emptySet) m_emptySet = new FWxSelectionSet();
    return m_emptySet;
}

void FWxDocStateCmd::OnTerminate(int32_t) {
    delete m_exeCtx;
    m_exeCtx = nullptr;
}

bool FWxDocStateCmd::IsActive() const {
    return GetDocument() && GetDocument()->GetActiveCommand() == this;
}

bool FWxDocCommandGroup::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    for (const auto& cmd : m_commands)
        if (cmd->OnCmdMsg(id, code, extra)) return true;
    return false;
}
