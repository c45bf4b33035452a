#include "du/DUxCTableEditor.h"

DUxCTableEditor::~DUxCTableEditor() = default;

bool DUxCTableEditor::ProcessEditRecords(const FBxObjectEditRecordList& records) {
    if (records.empty() || !ApplyEdit(records)) return false;
    m_cumulated.insert(m_cumulated.end(), records.begin(), records.end());
    return true;
}
