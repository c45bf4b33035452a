#pragma once
// The placement of a new parts list (command 40055): pick a drawing view whose model feeds the
// list (or choose its model in the creation dialog), confirm the dialog, then place the table,
// whose preview follows the cursor and snaps its corners to the sheet's border and title block.
// The click journals one "CreatePartListLocalBOM" request; anything else leaves the document
// as it was.
//
// The root state keeps the settings record (in the run's execution context) and the dialog,
// and runs one of three children: view selection, idle (the user works in the dialog), and
// placement. The preview's bill is made in the record's command transaction, which is always
// aborted: the request makes the bill again in its own.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "dl/DLxContext.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxState.h"
#include "ge/BBox.h"
#include "rse/RSeRef.h"
#include "uc/UCxSelectorState.h"
#include "utx/UTxResult.h"

class DLxDrawingDoc;
class DLxPartListCmd;
class DLxPartListCmdState;
class DLxPartListCreateDlg;
class DLxPartListPlacementState;
class DLxPartListTable;
class DLxTransientDrawObject;
class DLxViewInstance;
class RDxFragment;
struct UCxDialogFocusChangeData;

class DLxPartListCmdExeCtx : public FWxStateCmdExeCtx {
public:
    DLxPartListCmdExeCtx(FWxDocStateCmd* cmd, FWxSceneDoc* doc) : FWxStateCmdExeCtx(cmd, doc) {}
    DLxPartListData& GetPartListData() { return m_data; }

private:
    DLxPartListData m_data;
};

// The record of the run `state` belongs to; null outside a run of the placement command.
DLxPartListData* GetPartListData(const FWxState* state);

// Picks the view whose model feeds the list. The host's views all show the drawing's model:
// a view is online when the drawing has one, and its pick makes that model the source.
class DLxDrawingViewSelState : public UCxSelectorState {
public:
    static constexpr int32_t kViewFilterType = 144;
    static constexpr int32_t kPromptId = 6269;
    DLxDrawingViewSelState(DLxDrawingDoc* doc, const std::u16string& setName, int32_t flags);

    void OnTerminate(int32_t code) override;
    int32_t OnSelect(const SmartPtr<FWxSelection>& selection, FWxSelectionSet& set) override;
    int32_t OnAccept(FWxSelectionSet& set, const FWxEvent& event) override;

    // The accepted view (null until one is); its design view (the host's views have none).
    DLxViewInstance* GetPickedView() const;
    const std::u16string& GetPickedDesignView() const { return m_designView; }
    void ForgetPick();

private:
    DLxDrawingDoc* m_doc;
    RSeRef<DLxViewInstance> m_picked;
    std::u16string m_designView;
};

class DLxPartListCmdTarget : public FWxEventTarget {
public:
    explicit DLxPartListCmdTarget(DLxPartListPlacementState* owner);
    ~DLxPartListCmdTarget() override;
    void OnActivate(FWxState* state) override;
    void OnTerminate(int32_t code) override;
    int32_t OnMouseMove(const FWxEvent& event) override;
    int32_t OnLButtonDown(const FWxEvent& event) override;

    int32_t GetCursorShape() const { return m_cursor; }
    DLxTransientDrawObject* GetDrawObject() const { return m_drawObject.get(); }

private:
    DLxPartListPlacementState* m_owner;
    std::unique_ptr<DLxTransientDrawObject> m_drawObject;
    DLxContext m_context;
    std::vector<int32_t> m_inferenceTypes;
    int32_t m_cursor = 0;
};

class DLxPartListPlacementState : public FWxTargetState {
public:
    explicit DLxPartListPlacementState(DLxPartListCmdState* parent);
    ~DLxPartListPlacementState() override;
    FWxEventTarget* OnActivate() override { return &m_target; }
    void OnTerminate(int32_t code) override;
    // Makes the preview at the point on the first call, moves it there later.
    virtual void UpdatePreview(DLxTransientDrawObject* drawObject, const WqGePoint3d& point);
    void ApplyStyleToPreview();
    void ApplyLayerToPreview();

    const WqGePoint3d& GetCurrentOrigin() const { return m_origin; }
    void SetCurrentOrigin(const WqGePoint3d& origin) { m_origin = origin; }
    const BBox& GetPreviewExtents() const { return m_extents; }
    DLxPartListTable* GetPreview() const;
    DLxPartListCmdTarget& GetTarget() { return m_target; }

private:
    void DeletePreview();
    void ComputePreview();

    DLxPartListCmdState* m_parent;
    DLxPartListCmdTarget m_target{this};
    RSeRef<DLxPartListTable> m_preview;
    RSeRef<RDxFragment> m_fragment;
    WqGePoint3d m_origin;
    BBox m_extents;
};

class DLxPartListCmdState : public FWxComplexState {
public:
    static constexpr int32_t kPickViewButton = 7952;
    explicit DLxPartListCmdState(DLxPartListCmd* owner) : m_owner(owner) {}
    ~DLxPartListCmdState() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    FWxState* OnNextState() override { return m_next; }
    FWxState* OnPreviousState() override { return nullptr; }
    void OnChildFinished(FWxState* child, int32_t code) override;

    void OnDialogOK();
    void OnDialogCancel();
    void OnDialogFocusChange(const UCxDialogFocusChangeData& data);
    UTxResult CreatePartList();

    DLxPartListCmd* GetOwner() const { return m_owner; }
    DLxPartListCreateDlg* GetDialog() const { return m_dialog; }
    DLxDrawingViewSelState* GetViewSelState() const { return m_viewSel.get(); }
    FWxState* GetInertState() const { return m_inert.get(); }
    DLxPartListPlacementState* GetPlacementState() const { return m_placement.get(); }
    // The result of the last creation request (empty before one).
    const UTxResult& GetCreateResult() const { return m_createResult; }

private:
    void CreateChildStates(DLxDrawingDoc* doc);
    void DeleteChildStates();
    void ReActivate(int32_t code);

    DLxPartListCmd* m_owner;
    DLxPartListCreateDlg* m_dialog = nullptr;
    std::unique_ptr<FWxState> m_inert;
    std::unique_ptr<DLxDrawingViewSelState> m_viewSel;
    std::unique_ptr<DLxPartListPlacementState> m_placement;
    FWxState* m_next = nullptr;
    bool m_firstActivation = true;
    UTxResult m_createResult;
};

class DLxPartListCmd : public FWxDocStateCmd {
public:
    static constexpr int32_t kCommandId = 40055;
    static constexpr int32_t kNotifyActiveStyle = 3043;
    static constexpr int32_t kNotifyActiveLayer = 3045;
    static constexpr int32_t kNotifyContext = 3030;
    explicit DLxPartListCmd(FWxSceneDoc* doc);
    ~DLxPartListCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    FWxSelectionSet* GetSelectionSet() override;
    FWxSelectionFilter* GetSelectionFilter() override;
    void OnTerminate(int32_t code) override;
    FWxTargetStateResolver* GetResolver() override { return &m_resolver; }
    FWxStateCmdExeCtx* GetExecutionContext() override;

    void OnUpdatePartList(FWxCmdUI& ui);
    void OnActiveStyleChanged();
    void OnActiveLayerChanged();
    DLxPartListCmdState& GetRootState() { return m_root; }

private:
    DLxPartListCmdState m_root{this};
    FWxTargetStateResolver m_resolver{&m_root};
    std::unique_ptr<DLxPartListCmdExeCtx> m_exeCtx;
};

// The two context-menu entries of a placement: always enabled, they run nothing of the module.
class DLxPartListContextCmd : public FWxDocCmd {
public:
    static constexpr int32_t kContinueId = 44116;
    static constexpr int32_t kDoneId = 44115;
    explicit DLxPartListContextCmd(FWxSceneDoc* doc) : FWxDocCmd(doc, 1) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
};
