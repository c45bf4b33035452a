#include "BofM/DLxCPartslistEditor.h"

#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxTableStatePartlist.h"

DLxCPartslistEditor::DLxCPartslistEditor(DLxTableStatePartlist* state, DLxPartListEditCmd* owner)
    : DUxCTableEditor(state), m_owner(owner) {}

void DLxCPartslistEditor::Apply() {
    if (m_owner) m_owner->CommitEdits();
}

bool DLxCPartslistEditor::ApplyEdit(const FBxObjectEditRecordList& records) {
    return m_owner && m_owner->ApplyEditRecords(records);
}
