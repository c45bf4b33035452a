#include "Symbol/KorvuInterfaces.h"

#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"

RSeMetaType* KorvuDocInterfaceBase::GetMeta() const {
    return RSe::_GetMeta(static_cast<const void*>(nullptr));
}

// The RSeVMeta part comes first, so the object already knows its database when it registers.
KorvuIFxBalloonComp::KorvuIFxBalloonComp()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxBalloonComp()) {}

KorvuIFxBrowserUtils::KorvuIFxBrowserUtils()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxBrowserUtils()) {}

KorvuWeldIFxDLAnnoGeometry::KorvuWeldIFxDLAnnoGeometry()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxDLAnnoGeometry()) {}

bool KorvuIFxBalloonComp::IsBalloon(DUxAnnotationInstance* annotation) const {
    return dynamic_cast<DLxBalloonSymInstance*>(annotation) != nullptr;
}

bool KorvuIFxBalloonComp::IsPartListTable(DUxAnnotationInstance* annotation) const {
    return dynamic_cast<DLxPartListTable*>(annotation) != nullptr;
}

void KorvuIFxBalloonComp::GetAnchorViews(DUxAnnotationInstance* annotation,
                                         std::vector<DLxViewInstance*>& views) const {
    views.clear();
    auto* symbol = dynamic_cast<DLxSymInstance*>(annotation);
    if (!symbol) return;
    std::vector<DLxAnchorPoint*> anchors;
    symbol->GetAnchors(anchors);
    for (DLxAnchorPoint* anchor : anchors) {
        DLxViewInstance* view = anchor->GetViewInstance();
        if (view && (views.empty() || views.back() != view)) views.push_back(view);
    }
}

namespace {

DLxTableStatePartlist* PartListState(DUxAnnotationInstance* annotation) {
    auto* table = dynamic_cast<DLxPartListTable*>(annotation);
    return table ? table->GetPartListTableState().get() : nullptr;
}

} // namespace

bool KorvuIFxBalloonComp::GetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                                     std::vector<std::u16string>& members) const {
    members.clear();
    DLxTableStatePartlist* state = PartListState(annotation);
    if (!state) return false;
    members = state->GetSelectedMembers();
    return true;
}

bool KorvuIFxBalloonComp::SetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                                     const std::vector<std::u16string>& members) {
    DLxTableStatePartlist* state = PartListState(annotation);
    if (!state) return false;
    state->SetSelectedMembers(
        members, (state->GetFlags() & DLxTableStatePartlist::kHideZeroQuantityRows) != 0);
    return true;
}

bool KorvuIFxBalloonComp::GetPartListColumns(DUxAnnotationInstance* annotation,
                                             std::vector<RSeRef<DUxTableStyleColumn>>& columns,
                                             bool transient) const {
    DLxTableStatePartlist* state = PartListState(annotation);
    if (!state) return false;
    columns = state->GetColumns(transient ? RSe::TransientSegment(true) : RSe::SegmentOf(state));
    return true;
}

int32_t KorvuIFxBalloonComp::RenameCallOutEntries(DLxDrawingDoc* doc, DLxSketch* sketch,
                                                  const std::u16string& oldName, bool force) {
    if (!doc || !sketch || sketch->GetName().empty()) return 0;
    int32_t renamed = 0;
    for (DLxSheet* sheet : doc->GetSheets()) {
        DLxCallOutFolderEntry* folder = DLxSymBrowserUtil::FindCallOutFolderEntry(sheet);
        if (!folder) continue;
        for (BRxEntry* child : folder->GetChildren()) {
            auto* entry = dynamic_cast<DLxCallOutInstEntry*>(child);
            auto* symbol =
                entry ? dynamic_cast<DLxCallOutInstance*>(entry->Subject().GetTarget()) : nullptr;
            DLxSketchInstance* placed = symbol ? symbol->GetSketchInstance() : nullptr;
            if (!placed || placed->GetSketch() != sketch) continue;
            if (!force && entry->Name() != oldName) continue;
            entry->Rename(sketch->GetName());
            entry->SetModified();
            ++renamed;
        }
    }
    return renamed;
}

DLxSketchInstance*
KorvuIFxBalloonComp::GetCallOutSketchInstance(DUxAnnotationInstance* annotation) const {
    auto* symbol = dynamic_cast<DLxCallOutInstance*>(annotation);
    return symbol && symbol->GetCallOutState() ? symbol->GetCallOutState()->GetSketchInstance()
                                               : nullptr;
}

void KorvuIFxBrowserUtils::OnBrowserEntryEvent(BRxEntry* entry, int32_t eventCode) {
    auto* partList = dynamic_cast<DLxPartListDwgBrowserEntry*>(entry);
    if (!partList) return;
    if (eventCode == 10 || eventCode == 26 || eventCode == 27 || eventCode == 45)
        partList->SetModified();
}
