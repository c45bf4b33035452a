#include "BofM/DLxOpenBOMEditorCmd.h"

#include <optional>

#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "br/BRxEntry.h"
#include "dl/DLxActivateSheetRequest.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentSelection.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewBodySet.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxViewSelection.h"
#include "dl/IFxBOMUtil.h"
#include "dl/UFRxRep.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxCommand.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_component(
    DLxOpenBOMEditorCmd::kComponentId, "DrawOpenBOMEditorComponentCmd", 2);
const FWxUIManager::CtxMenuCommandInitializer s_partList(
    DLxOpenBOMEditorCmd::kPartListId, "DrawOpenBOMEditorPartListCmd", 2);
const FWxUIManager::CtxMenuCommandInitializer s_view(DLxOpenBOMEditorCmd::kViewId,
                                                     "DrawOpenBOMEditorViewCmd", 2);

// A member of a family opens only through its link to the factory, which names the member.
bool IsOpenable(const UFRxComponent& component) {
    std::optional<UFRxRep> rep = UFRx::RepOf(component);
    if (!rep) return false;
    return !rep->Document().IsFactoryMember() || rep->GetInstanceToFactory().has_value();
}

// The structure node of a lone component pick; null for anything else.
DLxStructureNode* SelectedNode(const FWxSelectionSet* set) {
    if (!set || set->Count() != 1) return nullptr;
    auto* selection = dynamic_cast<DLxComponentSelection*>(set->GetAt(0).get());
    return selection ? selection->StructureNode() : nullptr;
}

struct PartListBOM {
    DLxLocalBOM* bom = nullptr;
    std::u16string memberName;
};

// The bill behind a picked parts list, and the first member the list shows.
PartListBOM GetPartListBOM(const FWxSelectionSet* set) {
    if (!set || set->IsEmpty()) return {};
    auto* selection = dynamic_cast<DLxPartListSelection*>(set->GetAt(0).get());
    DLxPartListTable* table = selection ? selection->GetInstance() : nullptr;
    RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    if (!state) return {};
    PartListBOM out;
    out.bom = state->GetLocalBOM().get();
    if (!out.bom) return {};
    if (!state->GetSelectedMembers().empty()) out.memberName = state->GetSelectedMembers().front();
    return out;
}

// The bill's root component while the bill is resolved; none otherwise.
UFRxComponent MasterOf(DLxLocalBOM* bom) {
    if (!bom || (bom->GetBOMStatus() & DLxLocalBOM::kStatusUnresolved)) return {};
    const DLxAssemblyComponent* master = bom->GetMasterComponent();
    if (!master) return {};
    return UFRxComponent(dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(bom)), master->id);
}

// The root component of the view the first selection picks, on the sheet or in the browser.
UFRxComponent GetViewRootComponent(const FWxSelectionSet* set) {
    if (!set || set->IsEmpty()) return {};
    const FWxSelection* first = set->GetAt(0).get();
    DLxViewInstance* view = nullptr;
    if (auto* viewSel = dynamic_cast<const DLxViewSelection*>(first)) {
        view = viewSel->View();
    } else if (auto* entrySel = dynamic_cast<const DLxBrowserEntrySelection*>(first)) {
        // The browser's view entries have their view as their subject.
        BRxEntry* entry = entrySel->GetEntry();
        view = entry ? dynamic_cast<DLxViewInstance*>(entry->Subject().GetTarget()) : nullptr;
    }
    return view ? DLxViewBodySet(view).GetRootComponent() : UFRxComponent();
}
} // namespace

bool DLxOpenBOMEditorCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kComponentId && id != kPartListId && id != kViewId) return false;
    if (code == FWxCmd::kUpdateUI) {
        if (!extra) return false;
        auto& ui = *static_cast<FWxCmdUI*>(extra);
        if (id == kComponentId) OnUpdateForComponent(ui);
        else if (id == kPartListId) OnUpdateForPartList(ui);
        else OnUpdateForView(ui);
        return true;
    }
    if (code != FWxCmd::kCommand) return false;
    if (id == kComponentId) OnOpenForComponent();
    else if (id == kPartListId) OnOpenForPartList();
    else OnOpenForView();
    return true;
}

FWxSelectionSet* DLxOpenBOMEditorCmd::PreSelection() const {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    return mgr ? mgr->GetPreSelectionSet() : nullptr;
}

bool DLxOpenBOMEditorCmd::PrepareEntry(const UFRxComponent& component, Entry& entry) {
    entry = Entry();
    std::optional<UFRxRep> rep = UFRx::RepOf(component);
    if (!rep) return false;
    FWxSceneDoc* sceneDoc = nullptr;
    if (rep->Document().IsFactoryMember()) {
        std::optional<UFRxRep::InstanceToFactory> link = rep->GetInstanceToFactory();
        if (!link || !link->RefdComponent()) return false;
        sceneDoc = link->RefdComponent().SceneDoc(1);
        entry.memberName = link->memberName;
    } else {
        sceneDoc = component.SceneDoc(1);
    }
    IFxBOMUtil* util = IFxBOMUtil::Get();
    const uint32_t handle = sceneDoc && util ? util->PrepareBOMEditor(sceneDoc, m_flag1, m_flag2) : 0;
    if (handle == 0) {
        entry.memberName.clear();
        return false;
    }
    entry.handle = handle;
    return true;
}

void DLxOpenBOMEditorCmd::OnUpdateForComponent(FWxCmdUI& ui) {
    DLxStructureNode* node = SelectedNode(PreSelection());
    ui.Enable(node && IsOpenable(UFRxComponent::Of(node)));
}

void DLxOpenBOMEditorCmd::OnOpenForComponent() {
    if (DLxStructureNode* node = SelectedNode(PreSelection())) {
        Entry entry;
        if (!PrepareEntry(UFRxComponent::Of(node), entry)) return;
        m_pending.push_back(entry);
    }
    Run();
}

void DLxOpenBOMEditorCmd::OnUpdateForPartList(FWxCmdUI& ui) {
    const FWxSelectionSet* set = PreSelection();
    if (!set || set->Count() != 1) {
        ui.Enable(false);
        return;
    }
    const UFRxComponent master = MasterOf(GetPartListBOM(set).bom);
    std::optional<UFRxDocument> document = UFRx::DocumentOf(master);
    ui.Enable(master && master.Model() && (!document || !document->IsFactoryMember()));
}

void DLxOpenBOMEditorCmd::OnOpenForPartList() {
    const FWxSelectionSet* set = PreSelection();
    if (!set || set->Count() != 1) return;
    const PartListBOM found = GetPartListBOM(set);
    if (found.bom) {
        // The master's document: a bill without a master has none to open.
        FWxSceneDoc* sceneDoc =
            found.bom->GetMasterComponent() ? FWxDocUtil::DocumentOf(found.bom) : nullptr;
        IFxBOMUtil* util = IFxBOMUtil::Get();
        const uint32_t handle =
            sceneDoc && util ? util->PrepareBOMEditor(sceneDoc, m_flag1, m_flag2) : 0;
        if (handle == 0) return;
        m_pending.push_back({handle, found.memberName});
    }
    Run();
}

void DLxOpenBOMEditorCmd::OnUpdateForView(FWxCmdUI& ui) {
    const UFRxComponent root = GetViewRootComponent(PreSelection());
    // A root the model no longer has is bogus: nothing to open.
    ui.Enable(root && root.Model() && IsOpenable(root));
}

void DLxOpenBOMEditorCmd::OnOpenForView() {
    if (const UFRxComponent root = GetViewRootComponent(PreSelection())) {
        Entry entry;
        if (!PrepareEntry(root, entry)) return;
        m_pending.push_back(entry);
    }
    Run();
}

int32_t DLxOpenBOMEditorCmd::OnExecute() {
    if (IFxBOMUtil* util = IFxBOMUtil::Get())
        for (const Entry& entry : m_pending)
            util->OpenBOMEditor(entry.handle, entry.memberName, m_flag1, m_flag2);
    m_pending.clear();
    // The editor may have shown another document: the user comes back to the sheet they were
    // on. Views draw from their display lists, which recompute on the next draw.
    FWxSceneDoc* doc = GetDocument();
    if (DLxSheet* sheet = DLxAnnotationUtil::GetActiveSheetInstance(doc))
        doc->ProcessNoTxnRequest(SmartPtr<FWxChangeRequest>(new DLxActivateSheetRequest(sheet)));
    return 1;
}
