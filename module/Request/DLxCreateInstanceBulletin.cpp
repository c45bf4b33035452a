#include "Request/DLxCreateInstanceBulletin.h"

#include "COleDataObject.h"
#include "Clipboard.h"
#include "GlobalMemory.h"
#include "dl/DLxDragDropData.h"
#include "fw/FWxSceneDoc.h"

DLxCreateInstanceBulletin::DLxCreateInstanceBulletin(FWxSceneDoc* doc, const RSeRefBase& created,
                                                     const char16_t* format)
    : RSeTxnBulletin(doc ? doc->GetRSeDb() : nullptr, nullptr, 0, 1, false), m_created(created),
      m_doc(doc), m_format(format ? format : kDLxSymbolClipboardFormat) {}

DLxCreatePartListTableBulletin::DLxCreatePartListTableBulletin(FWxSceneDoc* doc,
                                                               const RSeRefBase& table)
    : DLxCreateInstanceBulletin(doc, table, kDLxPartListClipboardFormat) {}

void DLxCreateInstanceBulletin::PostUndo() {
    COleDataObject clip;
    if (!clip.AttachClipboard()) return;
    const uint32_t format = RegisterClipboardFormatW(m_format);
    if (!clip.IsDataAvailable(format)) return;
    HGLOBAL block = clip.GetGlobalData(format);
    if (!block) return;
    bool match = false;
    if (const void* p = GlobalLock(block)) {
        const DLxDragDropData* data = DLxDragDropData::FromBlock(p, GlobalSize(block));
        match = data && data->SamePelmarixDocument(m_doc) &&
                DLxCopyPasteSymbolData(*data).Contains(m_created);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    clip.Release();
    if (match && OpenClipboard(GetClipboardOwner())) {
        EmptyClipboard();
        CloseClipboard();
    }
}
