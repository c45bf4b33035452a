// The parts list's binding to a design view of its bill's master component: a UFRx instance
// on that component whose referenced design-view state is the chosen view's, held by the
// table's design-view reference, and kept in step with the table's design-view row filter.
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableRowFilter.h"
#include "fw/FWxDesignView.h"
#include "rse/RSeSegment.h"
#include "ufr/UFRxInstance.h"

namespace {
constexpr int32_t kDesignViewFilter = 5;

void Recache(UFRxInstance* instance) {
    if (!instance) return;
    instance->RecacheReactionField(DLxPartlistDVRefReactor::kStateChanged);
    instance->RecacheReactionField(DLxPartlistDVRefReactor::kStateValid);
}

RDxComponent* MasterOf(DLxTableStatePartlist* state) {
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    return bom ? bom->GetMasterRDxComp() : nullptr;
}

DLxPartlistFilterDesignView* DesignViewFilterOf(DLxTableStatePartlist& state) {
    DUxTableRowFilterList* filters = state.GetFilterList();
    if (!filters) return nullptr;
    return dynamic_cast<DLxPartlistFilterDesignView*>(
        filters->GetFilterOfType(DUxTableRowFilter::FilterType(kDesignViewFilter), false));
}

bool HasFilterOfType5(DLxTableStatePartlist& state) {
    DUxTableRowFilterList* filters = state.GetFilterList();
    return filters &&
           filters->GetFilterOfType(DUxTableRowFilter::FilterType(kDesignViewFilter), false);
}
} // namespace

UTxString16 DLxPartListTable::DefaultDesignViewName() {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, 9760) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}

void DLxPartListTable::CreateDesignViewInstance() {
    if (m_dvRef.GetInstance()) return;
    // A preview never binds: its filter keeps the name instead.
    if (!GetSegment() || GetSegment()->IsTransient()) return;
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    if (!bom) return;
    RDxComponent* master = bom->GetMasterRDxComp();
    UFRxInstance* instance = UFRxInstance::Make(bom->GetDatabase(), master);
    if (!instance) return;
    m_dvRef.Target(UFRxRefTarget(instance, master));
    m_dvRef.SetOwnerNode(this);
    // The model comes in with the sheet the table lies on.
    if (auto* sheet = dynamic_cast<DLxSheet*>(GetFragment().get()))
        instance->SegmentLoadState(sheet->GetName());
}

void DLxPartListTable::BindDesignView(const RSeRef<FWxDesignView>& view) {
    UFRxInstance* instance = m_dvRef.GetInstance();
    if (!view) {
        if (!instance) return;
        instance->RemoveRefdStates(UFRx::DesignView, false);
        Recache(instance);
        instance->Delete();
        return;
    }
    if (!instance) {
        CreateDesignViewInstance();
        instance = m_dvRef.GetInstance();
        if (!instance) return;
        if (const UFRxState* state = view->GetUFRxState())
            instance->AddRefdState(state, 0xffffffffu, false);
        Recache(instance);
        return;
    }
    const UFRxState* current = instance->GetRefdState(UFRx::DesignView);
    const std::u16string currentName = current ? current->Name() : std::u16string();
    const UFRxState* state = view->GetUFRxState();
    if (currentName == view->GetName() || !state) return;
    instance->RemoveRefdStates(UFRx::DesignView, false);
    instance->AddRefdState(state, 0xffffffffu, false);
    Recache(instance);
}

UTxString16 DLxPartListTable::GetDesignViewName() {
    const UTxString16 name = DefaultDesignViewName();
    UFRxInstance* instance = m_dvRef.GetInstance();
    if (!instance) return name;
    if (const UFRxState* state = instance->GetRefdState(UFRx::DesignView)) return state->Name();
    // The bound view is gone: forget the binding rather than show a stale one.
    BindDesignView(nullptr);
    return name;
}

void DLxPartListTable::UpdateDesignViewFilter(const UTxString16& name) {
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    if (!state) return;
    if (!HasFilterOfType5(*state)) {
        BindDesignView(nullptr);
        return;
    }
    DLxPartlistFilterDesignView* filter = DesignViewFilterOf(*state);
    if (!filter) return;
    if (GetSegment() && GetSegment()->IsTransient())
        filter->SetDesignView(name);
    else
        filter->SetDesignView(RSeRef<RSeIDed>(this));
    BindDesignView(DLxPartlistFilterDesignView::GetDesignView(MasterOf(state.get()), name));
}

void DLxPartListTable::RebindDesignView() {
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    if (!state) return;
    if (!HasFilterOfType5(*state)) {
        BindDesignView(nullptr);
        return;
    }
    DLxPartlistFilterDesignView* filter = DesignViewFilterOf(*state);
    if (!filter) return;
    // The name first: pointing the filter at the table makes it answer the table's binding.
    const UTxString16 name = filter->DesignView();
    filter->SetDesignView(RSeRef<RSeIDed>(this));
    BindDesignView(DLxPartlistFilterDesignView::GetDesignView(MasterOf(state.get()), name));
}

void DLxPartListTable::RegisterDesignViewName() {
    DLxPartlistFilterDesignView::SetTableDesignViewName([](const RSeIDed* table) {
        auto* t = dynamic_cast<const DLxPartListTable*>(table);
        return t ? const_cast<DLxPartListTable*>(t)->GetDesignViewName() : UTxString16();
    });
}
