#pragma once
// The parts-list editor without its grid: the edits of one editor run, each a list of edit
// records that the edit command applies to the table at once, and the dialog that holds the
// run. The dialog's runner plays the user: it hands edits to the editor, applies, and ends
// the dialog with OK or Cancel.
#include "CDialog.h"
#include "du/DUxCTableEditor.h"

class DLxPartListEditCmd;
class DLxTableStatePartlist;

class DLxCPartslistEditor : public DUxCTableEditor {
public:
    DLxCPartslistEditor(DLxTableStatePartlist* state, DLxPartListEditCmd* owner);
    DLxPartListEditCmd* GetOwner() const { return m_owner; }
    // The editor's apply button: what was edited so far becomes one change of the document,
    // and editing goes on.
    void Apply();

protected:
    bool ApplyEdit(const FBxObjectEditRecordList& records) override;

private:
    DLxPartListEditCmd* m_owner;
};

class DLxTableEditorDlg : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 7673;
    DLxTableEditorDlg(DLxCPartslistEditor* editor, DLxPartListEditCmd* target, HWND parent)
        : CDialog(kTemplateId, parent), m_editor(editor), m_target(target) {}
    DLxCPartslistEditor* GetEditor() const { return m_editor; }
    DLxPartListEditCmd* GetCommandTarget() const { return m_target; }

private:
    DLxCPartslistEditor* m_editor;
    DLxPartListEditCmd* m_target;
};
