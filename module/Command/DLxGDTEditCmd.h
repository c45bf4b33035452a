#pragma once
// Edits a feature control frame in its dialog. The dialog works on a preview copy of the frame
// in the transient segment; OK hands the document one edit request ("CreateGDTSymbol" in edit
// mode) built from the copy, Cancel throws the copy away and changes nothing.
#include <functional>

#include "Command/DLxSymbolEditCmd.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxCreateGDTRequest;
class DLxGDTInstance;
class DLxGDTSymDialog;
class RDxInstance;

class DLxGDTEditCmd : public DLxSymbolEditCmd {
public:
    // Plays the user in the open dialog; it ends the dialog with OK or Cancel (a dialog left
    // open counts as cancelled).
    using User = std::function<void(DLxGDTSymDialog&)>;

    explicit DLxGDTEditCmd(FWxSceneDoc* doc) : DLxSymbolEditCmd(doc) {}

    void SetInstance(DLxGDTInstance* frame);
    // Runs the dialog on a copy of the frame, played by `user` (none: the dialogs' user runner,
    // UCxDialog::SetUserRunner); the result of the edit request after OK, success after
    // Cancel, a refusal without a frame or when the document permits no edit.
    UTxResult Edit(const User& user = {});
    // The edit of a frame as the host starts it (a double-click, the context menu's Edit):
    // DLxDragPicker's editor of frames.
    static UTxResult EditInstance(RDxInstance* instance, FWxSceneDoc* doc);
    // Posts the edit of the last OK; false when there is none.
    bool PostEditRequest() override;
    UTxResult GetLastResult() const { return m_result; }

private:
    RSeRef<DLxGDTInstance> m_frame;
    UTxResult m_result;
    SmartPtr<DLxCreateGDTRequest> m_request;
};
