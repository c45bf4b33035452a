#include "Request/DLxSortSketchedSymbolsRequest.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "BofM/DLxPartListSelection.h"
#include "Request/DLxRequestUtil.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSelectCmd.h"
#include "dl/DLxSheet.h"
#include "fw/FWxSelection.h"
#include "fw/FWxUIManager.h"

IMPLEMENT_DYNCREATE(DLxSortSketchedSymbolsRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0xE009033C;

const FWxUIManager::CtxMenuCommandInitializer s_ctxCmd(DLxSortSketchedSymbolsCmd::kCommandId,
                                                       "DrawingSortSketchedSymbols", 64);

// Compares as the names read, letter case aside: negative, zero or positive.
int CompareNoCase(const std::u16string& a, const std::u16string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = std::towlower(wint_t(a[i])), y = std::towlower(wint_t(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The folder a selection shows, with the sheet entry it hangs under; null for any other
// selection.
DLxCallOutFolderEntry* SelectedFolder(const FWxSelection* selection) {
    auto* entry = dynamic_cast<const DLxBrowserEntrySelection*>(selection);
    return entry ? dynamic_cast<DLxCallOutFolderEntry*>(entry->GetEntry()) : nullptr;
}

FWxSelectionSet* PreSelection(FWxSceneDoc* doc) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    return drawing && drawing->GetSelectCmd() ? drawing->GetSelectCmd()->GetSelectionSet()
                                              : nullptr;
}
} // namespace

DLxSortSketchedSymbolsRequest::DLxSortSketchedSymbolsRequest() = default;

DLxSortSketchedSymbolsRequest::DLxSortSketchedSymbolsRequest(BRxEntry* sheetEntry)
    : m_sheet(sheetEntry ? sheetEntry->Subject() : RSeRefBase()), m_hasEntry(sheetEntry) {}

DLxSheet* DLxSortSketchedSymbolsRequest::Sheet() const {
    return dynamic_cast<DLxSheet*>(m_sheet.GetTarget());
}

UTxStringResource DLxSortSketchedSymbolsRequest::GetRequestIdentity() const {
    return {0x60090287, 11, 0};
}

UTxResult DLxSortSketchedSymbolsRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"SortSketchedSymbols");
}

UTxResult DLxSortSketchedSymbolsRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                           const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSortSketchedSymbolsRequest::ValidateInputs(FWxSceneDoc*) {
    if (!m_hasEntry || !Sheet()) return UTxResult::Refusal(kBadInput, u"Sheet: no sheet");
    return {};
}

UTxResult DLxSortSketchedSymbolsRequest::_Execute(FWxSceneDoc*) {
    DLxCallOutFolderEntry* folder = DLxSymBrowserUtil::FindCallOutFolderEntry(Sheet());
    if (!folder) return {};
    std::vector<BRxEntry*> sorted;
    std::vector<BRxEntry*> others;
    for (BRxEntry* child : folder->GetChildren()) {
        auto* entry = dynamic_cast<DLxCallOutInstEntry*>(child);
        if (!entry) {
            others.push_back(child);
            continue;
        }
        // Before the first listed entry whose name is greater: equal names keep their order.
        auto at = std::find_if(sorted.begin(), sorted.end(), [&](BRxEntry* e) {
            return CompareNoCase(static_cast<DLxCallOutInstEntry*>(e)->Name(), entry->Name()) > 0;
        });
        sorted.insert(at, entry);
    }
    // What is not a symbol's entry stays in front; the sorted entries follow.
    others.insert(others.end(), sorted.begin(), sorted.end());
    folder->SetOrder(others);
    return {};
}

UTxResult DLxSortSketchedSymbolsRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRef<DLxSheet> sheet(Sheet());
    if (tdx.IsWriting() && !sheet.HasTarget())
        return UTxResult::Refusal(kBadInput, u"Sheet: no sheet");
    TranscriptRSeRefArgument(tdx, u"Sheet", sheet, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        auto* drawing = dynamic_cast<DLxDrawingDoc*>(tdx.GetDocument());
        if (!drawing) return UTxResult::Refusal(kBadInput, u"Sheet: not a drawing");
        BRxEntry* entry = sheet.HasTarget() ? drawing->GetEntry(sheet.get()) : nullptr;
        m_sheet = entry ? entry->Subject() : RSeRefBase();
        m_hasEntry = entry;
    }
    return tdx.GetResult();
}

// ---- the command

bool DLxSortSketchedSymbolsCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kCommandId) return false;
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    if (code == FWxCmd::kCommand) {
        OnActivate();
        return true;
    }
    return false;
}

void DLxSortSketchedSymbolsCmd::OnUpdateCommand(FWxCmdUI& ui) {
    bool enable = false;
    if (FWxSelectionSet* set = PreSelection(GetDocument()))
        for (const SmartPtr<FWxSelection>& selection : *set) {
            DLxCallOutFolderEntry* folder = SelectedFolder(selection.get());
            if (!folder) break;
            int32_t symbols = 0;
            for (BRxEntry* child : folder->GetChildren())
                if (dynamic_cast<DLxCallOutInstEntry*>(child) && ++symbols == 2) break;
            if (symbols >= 2) {
                enable = true;
                break;
            }
        }
    ui.Enable(enable);
}

void DLxSortSketchedSymbolsCmd::OnActivate() {
    FWxSceneDoc* doc = GetDocument();
    FWxSelectionSet* set = PreSelection(doc);
    if (!set) return;
    // The requests change the set's browser through rebuilds: the folders are taken first.
    std::vector<BRxEntry*> sheets;
    for (const SmartPtr<FWxSelection>& selection : *set) {
        DLxCallOutFolderEntry* folder = SelectedFolder(selection.get());
        BRxEntry* parent = folder ? folder->GetParent() : nullptr;
        if (!parent || !dynamic_cast<DLxSheet*>(parent->Subject().GetTarget())) break;
        sheets.push_back(parent);
    }
    for (BRxEntry* sheet : sheets) {
        SmartPtr<FWxChangeRequest> request(new DLxSortSketchedSymbolsRequest(sheet));
        doc->ProcessChangeRequest(request);
    }
}
