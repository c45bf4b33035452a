#include "du/DUxWhoAmIState.h"

#include "dc/RDxFragment.h"
#include "rse/RSeTransaction.h"

DUxWhoAmIState* DUxWhoAmIState::Create(RDxFragment* fragment, RSeIDed* owner) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxWhoAmIState*>(nullptr)),
                       fragment->GetSegment()) DUxWhoAmIState();
    state->m_owner = RSeRef<RSeIDed>(owner);
    fragment->AddNode(state);
    return state;
}

void DUxWhoAmIState::SetWhoIAm(RSeIDed* owner) {
    if (m_owner.get() == owner) return;
    BeginValueChange();
    m_owner = RSeRef<RSeIDed>(owner);
}
