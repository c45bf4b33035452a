#pragma once
// Editing a placed parts list in the table editor. While the editor runs, every edit is applied
// to the table at once inside the command's own transaction and journals nothing; when the user
// applies or confirms, that transaction is rolled back and the edits of the run are posted again
// as one undoable, journalled "EditPartList" request. Cancel leaves the table as it was.
#include <cstdint>
#include <memory>

#include "BofM/DLxPartListSelectionCmd.h"
#include "fb/FBxObjectEditRecord.h"

class DLxCPartslistEditor;
class DLxTableEditorDlg;

class DLxPartListEditCmd : public DLxPartListSelectionCmd<DLxSymbolEditCmd> {
public:
    static constexpr int32_t kCommandId = 44078;

    explicit DLxPartListEditCmd(FWxSceneDoc* doc);
    ~DLxPartListEditCmd() override;

    void OnUpdateUI(FWxCmdUI& ui) override;

    // 1 once the editor ran, 0 when it could not start.
    int32_t OnExecute() override;
    // Code 0: the user confirmed, and the edits are posted.
    void OnTerminate(int32_t code);
    bool PostEditRequest() override;

    // The editor's ways in. ApplyEditRecords applies one edit at once; false when it could not
    // be applied (the user is told why and the table keeps the edits before it).
    bool ApplyEditRecords(const FBxObjectEditRecordList& records);
    // The editor's apply: the run's edits so far become one request, and editing goes on.
    void CommitEdits();

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    // Set once a posted request wrote into the source model.
    bool IsSourceEdited() const { return m_sourceEdited; }

private:
    void StartEditTxn();
    void AbortEditTxn();

    // The records the editor run starts with.
    FBxObjectEditRecordList m_records;
    bool m_editTxnOpen = false;
    std::unique_ptr<DLxCPartslistEditor> m_editor;
    std::unique_ptr<DLxTableEditorDlg> m_dialog;
    bool m_sourceEdited = false;
};
