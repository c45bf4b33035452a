#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"

#include <optional>

#include "COleDataObject.h"
#include "Clipboard.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "GeneralNote/DLxNoteLocationCmd.h"
#include "GlobalMemory.h"
#include "Request/DLxPasteGeneralNoteRequest.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxCopyPasteGeneralNoteData.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSheetInstanceSelection.h"
#include "dl/DLxUIUtil.h"
#include "fw/FWxClipboardRecords.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelectionSetMgr.h"

namespace {
SmartPtr<DLxPasteGeneralNoteRequest>& Parked() {
    static SmartPtr<DLxPasteGeneralNoteRequest> parked;
    return parked;
}

// A copy of the clipboard's block that the paste reads and frees on every path.
class Block {
public:
    explicit Block(HGLOBAL block) : m_block(block), m_bytes(GlobalLock(block)) {}
    ~Block() {
        if (!m_block) return;
        GlobalUnlock(m_block);
        GlobalFree(m_block);
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    std::optional<DLxCopyPasteGeneralNoteData> Read() const {
        return DLxCopyPasteGeneralNoteData::FromBlock(m_bytes, GlobalSize(m_block));
    }

private:
    HGLOBAL m_block;
    const void* m_bytes;
};
} // namespace

DLxCopyPasteGeneralNoteCmd::DLxCopyPasteGeneralNoteCmd(FWxSceneDoc* doc)
    : FWxDocCmd(doc, 1), m_format(RegisterClipboardFormatW(kDLxGeneralNoteClipboardFormat)) {}

DLxCopyPasteGeneralNoteCmd::~DLxCopyPasteGeneralNoteCmd() = default;

const SmartPtr<DLxPasteGeneralNoteRequest>& DLxCopyPasteGeneralNoteCmd::GetParkedRequest() {
    return Parked();
}

void DLxCopyPasteGeneralNoteCmd::ParkRequest(const SmartPtr<DLxPasteGeneralNoteRequest>& request) {
    Parked() = request;
}

bool DLxCopyPasteGeneralNoteCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code != FWxCmd::kNotify || !extra) return false;
    if (id == kCopyCommand) return OnCopyGeneralNotes(static_cast<FWxCopyRecord*>(extra));
    if (id == kPasteCommand) return OnPasteGeneralNotes(static_cast<FWxPasteRecord*>(extra));
    return false;
}

bool DLxCopyPasteGeneralNoteCmd::OnCopyGeneralNotes(FWxCopyRecord* record) {
    FWxSceneDoc* doc = GetDocument();
    if (!record || DLxUIUtil::IsSketchActive(doc)) return false;
    if (record->operation != FWxCopyRecord::kQuery && record->operation != FWxCopyRecord::kRender)
        return false;
    DLxCopyPasteGeneralNoteData data(doc, RSeRefBase(DLxAnnotationUtil::GetActiveSheetInstance(doc)));
    // Notes only: a selection holding anything else is not copied here.
    if (!record->selectionSet || record->selectionSet->IsEmpty()) return false;
    for (const SmartPtr<FWxSelection>& sel : *record->selectionSet) {
        auto* picked = dynamic_cast<DLxGeneralNoteSelection*>(sel.get());
        DLxGeneralNote* note = picked ? picked->GetGeneralNote() : nullptr;
        if (!note) return false;
        data.GetNotes().emplace_back(note);
    }
    if (record->operation == FWxCopyRecord::kRender) {
        HGLOBAL block = data.ToBlock();
        if (!block) return false;
        record->data = block;
        record->format = uint16_t(m_format);
        record->medium = FWxCopyRecord::kGlobalMedium;
    }
    record->handled = true;
    return true;
}

bool DLxCopyPasteGeneralNoteCmd::OnPasteGeneralNotes(FWxPasteRecord* record) {
    FWxSceneDoc* doc = GetDocument();
    if (!record || DLxUIUtil::IsSketchActive(doc) || record->operation != FWxPasteRecord::kPaste)
        return false;
    if (!record->dataObject || !record->dataObject->IsDataAvailable(m_format)) return false;
    HGLOBAL handle = record->dataObject->GetGlobalData(m_format);
    if (!handle) return false;
    const Block block(handle);
    const std::optional<DLxCopyPasteGeneralNoteData> data = block.Read();
    if (!data || !data->SamePelmarixSession()) return false;

    DLxSheet* dest = nullptr;
    if (record->target) {
        auto* sheetSel = dynamic_cast<DLxSheetInstanceSelection*>(record->target.get());
        if (!sheetSel) return false;
        dest = sheetSel->SheetInstance();
    } else {
        // The headless view always has the cursor over the sheet it shows.
        dest = DLxAnnotationUtil::GetActiveSheetInstance(doc);
    }
    if (!dest) return false;

    std::vector<RSeRef<DLxGeneralNote>> notes;
    for (const RSeRefBase& ref : data->GetNotes())
        if (RSeRef<DLxGeneralNote> note(ref); note.HasTarget()) notes.push_back(note);
    if (notes.empty()) {
        record->accepted = false;
        return false;
    }
    if (!record->perform) {
        record->accepted = true;
        record->queryAnswer = 1;
        record->queryEffect = FWxPasteRecord::kEffectCopy;
        return true;
    }

    SmartPtr<DLxPasteGeneralNoteRequest> request(new DLxPasteGeneralNoteRequest());
    request->SetSourceNotes(notes);
    request->SetDestinationSheet(RSeRef<DLxSheet>(dest));
    request->SetSourceSheet(RSeRef<DLxSheet>(data->GetInstance()));
    request->SetAcrossDocuments(!data->SamePelmarixDocument(doc));
    ParkRequest(request);
    doc->OnCmdMsg(DLxNoteLocationCmd::kCommandId, FWxCmd::kCommand, record);
    record->accepted = true;
    if (FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(doc)) sets->EmptySelectionSets();
    return true;
}
