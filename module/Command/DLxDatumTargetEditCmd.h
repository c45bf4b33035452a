#pragma once
// Editing a placed datum target's balloon texts: the context item "Edit" (44053) opens the
// balloon text dialog on the target's default balloon, or on the balloon just attached; the
// items 44064 to 44071 and 44054 to 44063 open it on attached balloons 1 to 8 and 9 to 18. The
// dialog's changes show on a transient copy of the target; OK posts "EditDatumTarget" with it,
// Cancel leaves the target as it was.
#include <cstdint>

#include "Command/DLxSymbolEditCmd.h"
#include "rse/RSeRef.h"

class DLxDatumTarget;
class FWxCommand;
class RDxFragment;
struct DLxDatumBlTexts;
struct FWxCmdUI;

// One run of the balloon text dialog on a copy of a placed target.
class DLxDatumTargetBalloonEdit {
public:
    DLxDatumTargetBalloonEdit(FWxSceneDoc* doc, const RSeRef<DLxDatumTarget>& placed,
                              int32_t balloon);
    ~DLxDatumTargetBalloonEdit();
    DLxDatumTargetBalloonEdit(const DLxDatumTargetBalloonEdit&) = delete;
    DLxDatumTargetBalloonEdit& operator=(const DLxDatumTargetBalloonEdit&) = delete;

    // A copy to edit and a balloon of that index.
    bool IsReady() const;
    DLxDatumTarget* GetClone() const { return m_clone; }
    // The dialog's texts onto the copy's balloon.
    void OnBalloonTextsChanged(const DLxDatumBlTexts& texts);
    // Runs the dialog with `commandTarget` hearing its changes; on OK posts the edit (its
    // journal left to the attach request when `afterAttach`). True when the edit was applied.
    bool Run(FWxCommand* commandTarget, bool afterAttach);

private:
    FWxSceneDoc* m_doc;
    RSeRef<DLxDatumTarget> m_placed;
    int32_t m_balloon;
    RDxFragment* m_fragment = nullptr;
    DLxDatumTarget* m_clone = nullptr;
};

class DLxDatumTargetEditCmd : public DLxSymbolEditCmd {
public:
    static constexpr int32_t kCommandId = 44053;

    explicit DLxDatumTargetEditCmd(FWxSceneDoc* doc) : DLxSymbolEditCmd(doc) {}
    ~DLxDatumTargetEditCmd() override;

    // The balloon index a balloon item edits; 0 for any other id.
    static int32_t BalloonIndexOfItem(int32_t id);

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    bool PostEditRequest() override;
    // The datum target of the document's selection; null when it holds none.
    RSeRef<DLxDatumTarget> GetSelectedInstance() const;
    int32_t GetBalloonIndex() const { return m_balloon; }
    bool GetAttachFlag() const { return m_attach; }

protected:
    // Opens the dialog on balloon `index` of the selected target; true when the edit was
    // applied. An index the target has no balloon for opens nothing.
    bool EditBalloon(int32_t index);

private:
    int32_t m_balloon = 0;
    bool m_attach = false;
    DLxDatumTargetBalloonEdit* m_edit = nullptr;
};
