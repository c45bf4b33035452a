#include "BofM/DLxPartListCmd.h"

#include "BofM/DLxPartListCreateDlg.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxIntent.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTransientDrawObject.h"
#include "dl/DLxUIUtil.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxViewSelection.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxUIManager.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr const char16_t* kSelSetName = u"PartListSelViewSelSetName";
constexpr int32_t kSelectorFlags = 10;
constexpr double kDefaultTol = 0.1;

const FWxUIManager::CtxMenuCommandInitializer kContinueCtxCmd(
    DLxPartListContextCmd::kContinueId, "DrawingPartListContinueCtxCmd", 1);
const FWxUIManager::CtxMenuCommandInitializer kDoneCtxCmd(DLxPartListContextCmd::kDoneId,
                                                          "DrawingPartListDoneCtxCmd", 1);

DLxDrawingDoc* DrawingDocOf(const FWxState* state) {
    return state ? dynamic_cast<DLxDrawingDoc*>(state->GetActiveDocument()) : nullptr;
}
} // namespace

DLxPartListData* GetPartListData(const FWxState* state) {
    auto* ctx = state ? dynamic_cast<DLxPartListCmdExeCtx*>(state->GetExecutionContext()) : nullptr;
    return ctx ? &ctx->GetPartListData() : nullptr;
}

// ---- view selection

DLxDrawingViewSelState::DLxDrawingViewSelState(DLxDrawingDoc* doc, const std::u16string& setName,
                                               int32_t flags)
    : UCxSelectorState(doc, setName, flags), m_doc(doc) {
    GetSelectionFilter().Add(new DLxViewFilter(kViewFilterType));
    SetPromptId(kPromptId);
}

void DLxDrawingViewSelState::OnTerminate(int32_t code) {
    GetSelectionSet().RemoveAll();
    UpdateViews(2);
    UCxSelectorState::OnTerminate(code);
}

int32_t DLxDrawingViewSelState::OnSelect(const SmartPtr<FWxSelection>& selection,
                                         FWxSelectionSet& set) {
    auto* viewSel = dynamic_cast<DLxViewSelection*>(selection.get());
    DLxViewInstance* view = viewSel ? viewSel->View() : nullptr;
    // A view whose model is not at hand cannot feed a parts list: not even selected.
    if (view && DLxLocalBOMMgr::IsViewOnline(m_doc, view)) set.Add(selection);
    return FWxStateCode::kGoOn;
}

int32_t DLxDrawingViewSelState::OnAccept(FWxSelectionSet& set, const FWxEvent& event) {
    if (set.Count() != 1) return FWxStateCode::kCancelled;
    auto* viewSel = dynamic_cast<DLxViewSelection*>(set.GetAt(0).get());
    if (!viewSel) return FWxStateCode::kCancelled;
    DLxViewInstance* view = viewSel->View();
    m_picked = RSeRef<DLxViewInstance>(view);
    if (!view) return FWxStateCode::kCancelled;
    m_designView.clear();
    return UCxSelectorState::OnAccept(set, event);
}

DLxViewInstance* DLxDrawingViewSelState::GetPickedView() const {
    return m_picked.get();
}

void DLxDrawingViewSelState::ForgetPick() {
    m_picked = RSeRef<DLxViewInstance>();
    m_designView.clear();
}

// ---- placement target

DLxPartListCmdTarget::DLxPartListCmdTarget(DLxPartListPlacementState* owner) : m_owner(owner) {
    DLxInferUtil::GetCommonTablesInferenceTypes(m_inferenceTypes);
}

DLxPartListCmdTarget::~DLxPartListCmdTarget() = default;

void DLxPartListCmdTarget::OnActivate(FWxState* state) {
    m_cursor = DLxInferUtil::kCursorPlain;
    m_drawObject = std::make_unique<DLxTransientDrawObject>();
    m_context.Clear();
    if (DLxDrawingDoc* doc = DrawingDocOf(state))
        DLxInferUtil::ExtendContextWithDLBorderTitleBlock(m_context, doc->GetActiveSheet());
}

void DLxPartListCmdTarget::OnTerminate(int32_t) {
    m_drawObject.reset();
    m_context.Clear();
}

int32_t DLxPartListCmdTarget::OnMouseMove(const FWxEvent& event) {
    m_cursor = DLxInferUtil::kCursorPlain;
    if (m_drawObject) m_drawObject->RemoveAll();
    if (!event.hasDrawTarget) return FWxStateCode::kGoOn;

    const WqGePoint3d candidate = event.point;
    const WqGePoint3d p(candidate.x, candidate.y, 0.0);
    const double tol = event.inDrawingView ? event.worldSelectionTol : kDefaultTol;

    // Offsets from the preview's top-left, bottom-left, bottom-right and top-right corners to
    // its origin: each corner in turn is tried where the cursor would put it.
    const WqGePoint3d& c = m_owner->GetCurrentOrigin();
    const BBox& e = m_owner->GetPreviewExtents();
    const WqGePoint3d offsets[4] = {
        {c.x - e.min.x, c.y - e.max.y, 0.0},
        {c.x - e.min.x, c.y - e.min.y, 0.0},
        {c.x - e.max.x, c.y - e.min.y, 0.0},
        {c.x - e.max.x, c.y - e.max.y, 0.0},
    };
    std::vector<DLxIntent> intents;
    intents.reserve(4);
    DLxRecognizer recognizer(m_context);
    for (const WqGePoint3d& d : offsets) {
        DLxIntent intent(WqGePoint3d(p.x - d.x, p.y - d.y, 0.0), tol, nullptr);
        intent.SetPoint(p);
        recognizer.Recognize(intent);
        intents.push_back(std::move(intent));
    }
    const DLxIntent* winner = nullptr;
    const DLxInference* inference = nullptr;
    WqGePoint3d offset;
    for (int32_t type : m_inferenceTypes) {
        for (size_t i = 0; i < intents.size() && !winner; ++i) {
            if ((inference = intents[i].GetInference(type))) {
                winner = &intents[i];
                offset = offsets[i];
            }
        }
        if (winner) break;
    }
    WqGePoint3d origin = candidate;
    if (winner && winner->HasInferences()) {
        m_cursor = winner->GetCursorShape();
        origin = WqGePoint3d(inference->point.x + offset.x, inference->point.y + offset.y, 0.0);
    }
    m_owner->UpdatePreview(m_drawObject.get(), WqGePoint3d(origin.x, origin.y, 0.0));
    m_owner->SetCurrentOrigin(origin);
    return FWxStateCode::kGoOn;
}

int32_t DLxPartListCmdTarget::OnLButtonDown(const FWxEvent&) {
    return FWxStateCode::kFinished;
}

// ---- placement state

DLxPartListPlacementState::DLxPartListPlacementState(DLxPartListCmdState* parent)
    : m_parent(parent) {}

DLxPartListPlacementState::~DLxPartListPlacementState() {
    DeletePreview();
}

DLxPartListTable* DLxPartListPlacementState::GetPreview() const {
    return m_preview.get();
}

void DLxPartListPlacementState::DeletePreview() {
    if (DLxPartListTable* table = m_preview.get()) RSe::DeleteObject(table);
    m_preview = RSeRef<DLxPartListTable>();
    if (RDxFragment* fragment = m_fragment.get()) RSe::DeleteObject(fragment);
    m_fragment = RSeRef<RDxFragment>();
}

void DLxPartListPlacementState::ComputePreview() {
    DLxPartListTable* table = m_preview.get();
    RDxFragment* fragment = m_fragment.get();
    if (!table || !fragment) return;
    table->SetPendingRefresh(true);
    RDxComputeContext ctx;
    (void)fragment->Recompute(ctx);
    if (DLxTableStatePartlist* state = table->GetPartListTableState().get())
        m_extents = state->GetExtents(true);
}

void DLxPartListPlacementState::UpdatePreview(DLxTransientDrawObject* drawObject,
                                              const WqGePoint3d& point) {
    DLxPartListData* data = GetPartListData(this);
    if (!data || !DrawingDocOf(this)) return;
    const WqGePoint3d at(point.x, point.y, 0.0);
    if (!m_preview.HasTarget()) {
        auto* fragment = new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)),
                              RSe::TransientSegment(true)) RDxFragment();
        m_fragment = RSeRef<RDxFragment>(fragment);
        const RSeRef<DLxLocalBOM> bom = data->GetLocalBOM(true);
        RSeRef<FBxLayerStyle> layer = data->GetLayerStyle();
        if (!layer.HasTarget())
            layer = RSeRef<FBxLayerStyle>(DUxStyleUtil::GetDocActiveLayer(data->GetDocument()));
        m_preview = DLxPartListTable::Create(fragment, at, bom, data->GetSymbolStyle(), layer);
        DLxPartListTable* table = m_preview.get();
        DLxTableStatePartlist* state = table ? table->GetPartListTableState().get() : nullptr;
        if (!state) {
            DeletePreview();
            return;
        }
        state->SetWrapDirection(data->GetWrapDirection());
        if (data->IsWrapEnabled()) {
            state->SetAutomaticWrap(true);
            state->SetWrapMode(data->GetWrapMode());
            state->SetWrapCount(data->GetWrapMode() == 0 ? data->GetWrapRowCount()
                                                         : data->GetWrapSectionCount());
        }
        if (!data->GetMemberName().empty())
            state->SetSelectedMembers({data->GetMemberName()}, true);
        table->UpdateDesignViewFilter(data->GetDesignView());
    } else if (DLxTableStatePartlist* state = m_preview->GetPartListTableState().get()) {
        state->SetOrigin(at);
    }
    ComputePreview();
    if (drawObject && m_preview.HasTarget())
        if (const SMxDisplayList* list = m_preview->GetDisplayList())
            drawObject->GetDisplayList() = *list;
}

void DLxPartListPlacementState::ApplyStyleToPreview() {
    // A new style binds new columns and grouping: the preview is made again at its place.
    if (!m_preview.HasTarget()) return;
    DeletePreview();
    UpdatePreview(m_target.GetDrawObject(), m_origin);
}

void DLxPartListPlacementState::ApplyLayerToPreview() {
    ApplyStyleToPreview();
}

void DLxPartListPlacementState::OnTerminate(int32_t code) {
    DLxPartListData* data = GetPartListData(this);
    if (code == FWxStateCode::kCancelled && data) {
        const RSeRef<DLxLocalBOM> bom = data->GetLocalBOM(false);
        if (DLxLocalBOM* b = bom.get()) {
            data->SetLocalBOM(RSeRef<DLxLocalBOM>());
            if (DLxPartListTable* table = m_preview.get()) b->PurgeAnnotation(table);
        }
    }
    DeletePreview();
    m_extents = BBox();
    if (code == FWxStateCode::kFinished && m_parent) (void)m_parent->CreatePartList();
}

// ---- root state

DLxPartListCmdState::~DLxPartListCmdState() {
    DeleteChildStates();
    delete m_dialog;
}

void DLxPartListCmdState::CreateChildStates(DLxDrawingDoc* doc) {
    m_viewSel = std::make_unique<DLxDrawingViewSelState>(doc, kSelSetName, kSelectorFlags);
    m_inert = std::make_unique<UCxInertTargetState>();
    m_placement = std::make_unique<DLxPartListPlacementState>(this);
}

void DLxPartListCmdState::DeleteChildStates() {
    m_placement.reset();
    m_viewSel.reset();
    m_inert.reset();
    m_next = nullptr;
}

FWxEventTarget* DLxPartListCmdState::OnActivate() {
    if (m_firstActivation) {
        DLxDrawingDoc* doc = DrawingDocOf(this);
        DLxPartListData* data = GetPartListData(this);
        if (doc && data) {
            // Bills of schemes the model dropped are not cleaned here: that would change the
            // document outside a request; the creation request finds or makes its own bill.
            data->SetDocument(doc);
            CreateChildStates(doc);
            m_next = m_viewSel.get();
            m_dialog = DLxPartListCreateDlg::Create(this);
            m_firstActivation = false;
        }
    }
    return FWxComplexState::OnActivate();
}

void DLxPartListCmdState::OnTerminate(int32_t code) {
    if (DLxPartListData* data = GetPartListData(this)) data->AbortCmdTxn();
    DeleteChildStates();
    if (m_dialog) {
        m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }
    m_firstActivation = true;
    FWxComplexState::OnTerminate(code);
}

void DLxPartListCmdState::ReActivate(int32_t code) {
    if (FWxTargetStateResolver* resolver = GetResolver()) resolver->ReActivate(this, code);
}

bool DLxPartListCmdState::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code != FWxCmd::kNotify) return false;
    switch (id) {
    case UCxDialog::kNotifyOK: OnDialogOK(); return true;
    case UCxDialog::kNotifyCancel: OnDialogCancel(); return true;
    case UCxDialog::kNotifyFocusChange:
        if (extra) OnDialogFocusChange(*static_cast<const UCxDialogFocusChangeData*>(extra));
        return true;
    default: return false;
    }
}

void DLxPartListCmdState::OnDialogOK() {
    DLxPartListData* data = GetPartListData(this);
    if (data && data->PreTransactionValidityCheck(true) && data->StartCmdTxn() &&
        data->GetLocalBOM(true).HasTarget()) {
        if (m_next != m_placement.get()) {
            m_next = m_placement.get();
            ReActivate(FWxStateCode::kReActivate);
        }
        return;
    }
    m_next = nullptr;
    ReActivate(FWxStateCode::kEnd);
}

void DLxPartListCmdState::OnDialogCancel() {
    m_next = nullptr;
    ReActivate(FWxStateCode::kEnd);
}

void DLxPartListCmdState::OnDialogFocusChange(const UCxDialogFocusChangeData& data) {
    if (data.newFocus != kPickViewButton) return;
    if (m_dialog && !m_dialog->IsPicking()) return;
    if (m_next != m_viewSel.get()) {
        m_next = m_viewSel.get();
        ReActivate(FWxStateCode::kReActivate);
    }
}

void DLxPartListCmdState::OnChildFinished(FWxState* child, int32_t code) {
    DLxPartListData* data = GetPartListData(this);
    const bool fromViewSel = child && child == m_viewSel.get();
    const bool fromPlacement = child && child == m_placement.get();
    if (code == FWxStateCode::kEnd) {
        FWxComplexState::OnChildFinished(child, code);
        return;
    }
    if (code == FWxStateCode::kFinished && fromViewSel && data) {
        data->SetMemberName(u"");
        data->SetDesignView(u"");
        DLxViewInstance* view = m_viewSel->GetPickedView();
        DLxDrawingDoc* doc = DrawingDocOf(this);
        if (view && doc && DLxLocalBOMMgr::GetAssemblyRepFromView(doc, view)) {
            // The view shows the drawing's model: its root's path is the source.
            data->SetSourceFromDrawing(true);
            data->SetDesignView(m_viewSel->GetPickedDesignView());
        }
        m_next = m_inert.get();
        if (m_dialog) m_dialog->SetFocusItem(UCxDialog::kIdOK);
    } else if (code == FWxStateCode::kFinished && fromPlacement && data) {
        data->SetOrigin(m_placement->GetCurrentOrigin());
        m_next = nullptr;
    } else if (code == FWxStateCode::kReActivate && fromViewSel && m_next == m_viewSel.get()) {
        m_next = m_inert.get();
    } else if (code == FWxStateCode::kReActivateReset && m_viewSel) {
        m_viewSel->ForgetPick();
    }
    if (m_dialog && m_dialog->IsWindowVisible()) m_dialog->RefreshControls();
    FWxComplexState::OnChildFinished(child, code);
}

UTxResult DLxPartListCmdState::CreatePartList() {
    DLxDrawingDoc* doc = DrawingDocOf(this);
    DLxPartListData* data = GetPartListData(this);
    if (!doc || !data) return {};
    data->AbortCmdTxn();
    data->SetSheetInstance(RSeRef<DLxSheet>(doc->GetActiveSheet()));
    SmartPtr<DLxCreatePartListLocalBOMRequest> request(new DLxCreatePartListLocalBOMRequest(*data));
    m_createResult = doc->ProcessChangeRequest(request);
    UpdateViews(4);
    return m_createResult;
}

// ---- the command

DLxPartListCmd::DLxPartListCmd(FWxSceneDoc* doc) : FWxDocStateCmd(doc, 1) {}

DLxPartListCmd::~DLxPartListCmd() {
    if (m_resolver.IsRunning()) m_resolver.Terminate(FWxStateCode::kEnd);
}

bool DLxPartListCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id == kCommandId && code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (id == kCommandId && code == FWxCmd::kUpdateUI) {
        OnUpdatePartList(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    if (code != FWxCmd::kNotify) return false;
    switch (id) {
    case kNotifyActiveStyle: OnActiveStyleChanged(); return true;
    case kNotifyActiveLayer: OnActiveLayerChanged(); return true;
    case kNotifyContext:
        if (extra && !*static_cast<const bool*>(extra) && GetDocument())
            GetDocument()->TerminateActiveContext(FWxStateCode::kEnd);
        return true;
    default: return false;
    }
}

void DLxPartListCmd::OnUpdatePartList(FWxCmdUI& ui) {
    FWxCommand::OnUpdateCommand(ui);
    FWxSceneDoc* doc = GetDocument();
    if (DLxUIUtil::IsSketchActive(doc) || DLxUIUtil::IsDocDeferred(doc) ||
        DLxUIUtil::IsOverlayView(doc))
        ui.Enable(false);
}

void DLxPartListCmd::OnActiveStyleChanged() {
    if (!GetDocument() || !m_exeCtx) return;
    auto* style = dynamic_cast<DUxTableStylePartsList*>(DUxStyleUtil::GetDocActiveStyle(GetDocument()));
    m_exeCtx->GetPartListData().SetSymbolStyle(RSeRef<DUxTableStylePartsList>(style));
    if (DLxPartListPlacementState* placement = m_root.GetPlacementState())
        placement->ApplyStyleToPreview();
}

void DLxPartListCmd::OnActiveLayerChanged() {
    if (!GetDocument() || !m_exeCtx) return;
    m_exeCtx->GetPartListData().SetLayerStyle(
        RSeRef<FBxLayerStyle>(DUxStyleUtil::GetDocActiveLayer(GetDocument())));
    if (DLxPartListPlacementState* placement = m_root.GetPlacementState())
        placement->ApplyLayerToPreview();
}

FWxSelectionSet* DLxPartListCmd::GetSelectionSet() {
    if (auto* sel = dynamic_cast<UCxSelectorState*>(m_root.OnNextState()))
        return &sel->GetSelectionSet();
    return FWxDocStateCmd::GetSelectionSet();
}

FWxSelectionFilter* DLxPartListCmd::GetSelectionFilter() {
    if (auto* sel = dynamic_cast<UCxSelectorState*>(m_root.OnNextState()))
        return &sel->GetSelectionFilter();
    return nullptr;
}

FWxStateCmdExeCtx* DLxPartListCmd::GetExecutionContext() {
    if (!m_exeCtx) m_exeCtx = std::make_unique<DLxPartListCmdExeCtx>(this, GetDocument());
    return m_exeCtx.get();
}

void DLxPartListCmd::OnTerminate(int32_t code) {
    m_exeCtx.reset();
    FWxDocStateCmd::OnTerminate(code);
}

bool DLxPartListContextCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id == kContinueId && code == FWxCmd::kUpdateUI) {
        static_cast<FWxCmdUI*>(extra)->Enable(true);
        return true;
    }
    return (id == kContinueId || id == kDoneId) && code == FWxCmd::kCommand;
}
