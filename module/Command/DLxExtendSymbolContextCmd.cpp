#include "Command/DLxExtendSymbolContextCmd.h"

#include <vector>

#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "Symbol/DLxSymInstance.h"
#include "Symbol/DLxSymSelection.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheetInstanceSelection.h"
#include "dl/DLxUIUtil.h"
#include "fw/FWxCommand.h"
#include "fw/FWxMenuContext.h"
#include "fw/FWxSelection.h"
#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr int32_t kDatumTargetEditMenu = 7523;
constexpr int32_t kDatumTargetLeaderMenu = 7520;
constexpr int32_t kBalloonPopupMenu = 7521;
constexpr int32_t kAttachBalloonMenu = 7522;
constexpr int32_t kSharedMenu = 7548;
constexpr int32_t kBalloonRemoveMenu = 7524;
constexpr int32_t kGeneralNoteMenu = 7533;
constexpr int32_t kPartListMenu = 7541;
constexpr int32_t kPartListMoreMenu = 15577;
constexpr int32_t kBalloonPopupTitle = 8075;
constexpr int32_t kOpenBOMEditorId = 39100;
constexpr int32_t kOpenBOMEditorText = 3582;
constexpr int32_t kConvertToBOMId = 44117;
constexpr int32_t kConvertToBOMText = 8116;
constexpr int32_t kLinkNotesId = 40071;
constexpr int32_t kLinkNotesText = 5752;
constexpr int32_t kArrowheadMenu = 7549;

UTxString16 ResString(int32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, uint32_t(id)) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}

void ExtendForDatumTarget(FWxMenuContext& menu, const DLxDatumTarget* target) {
    menu.AppendMenuResource(kDatumTargetEditMenu, true, nullptr, true);
    menu.AppendMenuResource(kDatumTargetLeaderMenu, true, nullptr, true);
    const int32_t attached = target ? target->GetNumAttachedBalloons() : 0;
    if (attached > 0) {
        std::vector<FWxMenuEntry> items = FWxMenuContext::LoadMenuResource(kBalloonPopupMenu);
        for (int32_t i = 0; i < attached; ++i) {
            const int32_t id = DLxExtendSymbolContextCmd::BalloonItemId(i + 2);
            items.push_back(FWxMenuEntry::Item(id, ResString(id)));
        }
        // Above everything else the menu holds.
        menu.InsertEntry(0, FWxMenuEntry::Popup(ResString(kBalloonPopupTitle), std::move(items)));
    } else {
        menu.AppendMenuResource(kAttachBalloonMenu, true, nullptr, true);
    }
    menu.AppendMenuResource(kSharedMenu, true, nullptr, true);
    menu.AppendMenuResource(kBalloonRemoveMenu, true, nullptr, true);
}

void ExtendForPartList(FWxMenuContext& menu, FWxSceneDoc* doc, const DLxPartListSelection& sel) {
    if (DLxUIUtil::IsSketchActive(doc)) return;
    const DLxPartListTable* table = sel.GetInstance();
    RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    const DLxLocalBOM* bom = state ? state->GetLocalBOM().get() : nullptr;
    if (bom && !bom->IsLegacyBOM() && bom->IsAssemblyBased()) {
        menu.AppendItem(kOpenBOMEditorId, ResString(kOpenBOMEditorText));
        menu.AppendSeparator();
    }
    menu.AppendMenuResource(kPartListMenu, false, nullptr, true);
    menu.AppendMenuResource(kPartListMoreMenu, false, nullptr, true);
    if (bom && bom->IsLegacyBOM()) {
        menu.AppendItem(kConvertToBOMId, ResString(kConvertToBOMText));
        menu.AppendSeparator();
    }
}

// Several notes (and sheets) selected: the link item when another note holds the first note's
// text and the selection reaches more than that one note.
void ExtendForNotes(FWxMenuContext& menu, const std::vector<DLxGeneralNote*>& notes) {
    const RDxString* first = notes.front() ? notes.front()->GetStringData() : nullptr;
    if (!first) return;
    const UTxString16 value = first->GetDisplayText();
    bool sameText = false;
    bool otherNote = false;
    for (size_t i = 1; i < notes.size(); ++i) {
        if (!notes[i]) continue;
        const RDxString* data = notes[i]->GetStringData();
        if (data && data->GetDisplayText() == value) sameText = true;
        if (notes[i] != notes.front()) otherNote = true;
    }
    if (sameText && otherNote)
        menu.InsertEntry(0, FWxMenuEntry::Item(kLinkNotesId, ResString(kLinkNotesText)));
}
} // namespace

DLxExtendSymbolContextCmd::~DLxExtendSymbolContextCmd() = default;

int32_t DLxExtendSymbolContextCmd::BalloonItemId(int32_t balloon) {
    return balloon <= 9 ? 44064 + balloon - 2 : 44054 + balloon - 10;
}

bool DLxExtendSymbolContextCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code == FWxCmd::kNotify && id == kExtendMenuNotification) {
        ExtendContextMenu(static_cast<FWxCtxMenuExtender*>(extra));
        return true;
    }
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

int32_t DLxExtendSymbolContextCmd::ExtendContextMenu(FWxCtxMenuExtender* extender) {
    FWxMenuContext* menu = extender ? extender->GetMenuContext() : nullptr;
    const FWxSelectionSet* set = extender ? extender->GetSelectionSet() : nullptr;
    if (!menu || !set) return 0;
    // A copy: the handlers below may change the selection set.
    std::vector<SmartPtr<FWxSelection>> selections;
    for (size_t i = 0; i < set->Count(); ++i) selections.push_back(set->GetAt(i));

    if (selections.size() == 1) {
        FWxSelection* sel = selections[0].get();
        if (auto* target = dynamic_cast<DLxDatumTargetSelection*>(sel))
            ExtendForDatumTarget(*menu, target->GetDatumTarget());
        else if (dynamic_cast<DLxGeneralNoteSelection*>(sel)) {
            menu->AppendMenuResource(kSharedMenu, true, nullptr, true);
            menu->AppendMenuResource(kGeneralNoteMenu, true, nullptr, true);
        } else if (auto* list = dynamic_cast<DLxPartListSelection*>(sel))
            ExtendForPartList(*menu, GetDocument(), *list);
        else if (auto* symbol = dynamic_cast<DLxSymSelection*>(sel)) {
            // A placed symbol whose first leader ends in an arrowhead offers to change it.
            RSeReadOnlyScope reading;
            const DLxSymInstance* placed = symbol->GetSymbol();
            if (placed && placed->GetArrowHeadState(0, 0)) {
                menu->AppendMenuResource(kSharedMenu, true, nullptr, true);
                menu->AppendMenuResource(kArrowheadMenu, true, nullptr, true);
            }
        }
        return 0;
    }
    if (selections.size() < 2) return 0;
    std::vector<DLxGeneralNote*> notes;
    bool notesAndSheets = true;
    for (const SmartPtr<FWxSelection>& s : selections) {
        if (auto* note = dynamic_cast<DLxGeneralNoteSelection*>(s.get()))
            notes.push_back(note->GetGeneralNote());
        else if (!dynamic_cast<DLxSheetInstanceSelection*>(s.get()))
            notesAndSheets = false;
    }
    if (notesAndSheets && notes.size() >= 2) ExtendForNotes(*menu, notes);
    return 0;
}
