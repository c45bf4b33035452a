#pragma once
// The table editor's core, without its grid: every edit the user makes becomes a list of edit
// records, which the editor's owner applies at once (ApplyEdit); the editor keeps the records of
// every applied edit since its run started or since the last ClearCumulatedRecords, so that the
// owner can post them as one change when the user confirms.
#include "fb/FBxObjectEditRecord.h"

class DUxTableStateBase;

class DUxCTableEditor {
public:
    explicit DUxCTableEditor(DUxTableStateBase* state) : m_state(state) {}
    virtual ~DUxCTableEditor();
    DUxCTableEditor(const DUxCTableEditor&) = delete;
    DUxCTableEditor& operator=(const DUxCTableEditor&) = delete;

    DUxTableStateBase* GetTableState() const { return m_state; }

    // One edit: applied, then kept; an edit that could not be applied is not kept. False
    // for an empty list or a refused edit.
    bool ProcessEditRecords(const FBxObjectEditRecordList& records);
    const FBxObjectEditRecordList& GetCumulatedRecords() const { return m_cumulated; }
    void ClearCumulatedRecords() { m_cumulated.clear(); }

protected:
    virtual bool ApplyEdit(const FBxObjectEditRecordList& records) = 0;

private:
    DUxTableStateBase* m_state;
    FBxObjectEditRecordList m_cumulated;
};
