#include "Symbol/DLxSymBrowserUtil.h"

#include <algorithm>

#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSketch.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeTransaction.h"

namespace {
DLxDrawingDoc* DrawingOf(RDxFragment* sheet) {
    return sheet ? dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(sheet)) : nullptr;
}

void DeleteEntry(BRxEntry* entry) {
    entry->SetParent(nullptr);
    RSe::DeleteObject(entry);
}
} // namespace

namespace DLxSymBrowserUtil {

DLxCallOutFolderEntry* FindCallOutFolderEntry(RDxFragment* sheet, BRxEntry** parent,
                                              BRxEntry** before) {
    if (parent) *parent = nullptr;
    if (before) *before = nullptr;
    DLxDrawingDoc* doc = DrawingOf(sheet);
    BRxEntry* sheetEntry = doc ? doc->GetEntry(sheet) : nullptr;
    if (!sheetEntry) return nullptr;
    if (parent) *parent = sheetEntry;
    // The folder comes first among the sheet's entries: the first other entry is where a new
    // one goes.
    for (BRxEntry* child : sheetEntry->GetChildren()) {
        if (auto* folder = dynamic_cast<DLxCallOutFolderEntry*>(child)) return folder;
        if (before) *before = child;
        break;
    }
    return nullptr;
}

DLxCallOutInstEntry* FindCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol) {
    DLxCallOutFolderEntry* folder = symbol ? FindCallOutFolderEntry(sheet) : nullptr;
    if (!folder) return nullptr;
    for (BRxEntry* child : folder->GetChildren())
        if (auto* entry = dynamic_cast<DLxCallOutInstEntry*>(child))
            if (entry->Subject().GetTarget() == symbol) return entry;
    return nullptr;
}

void AddSheetCallOutChild(RDxFragment* sheet, DLxCallOutInstance* symbol) {
    if (!symbol || !DrawingOf(sheet)) return;
    BRxEntry* sheetEntry = nullptr;
    DLxCallOutFolderEntry* folder = FindCallOutFolderEntry(sheet, &sheetEntry);
    if (!sheetEntry) return;
    if (!folder) {
        folder = new (RSe::_GetMeta(static_cast<const DLxCallOutFolderEntry*>(nullptr)),
                      sheet->GetSegment()) DLxCallOutFolderEntry(std::u16string(), sheetEntry);
        // Hung again where a folder goes, now that it can say it lists first.
        folder->SetParent(sheetEntry);
        folder->Rename(folder->Text());
    }
    DLxSketchInstance* sketch = symbol->GetSketchInstance();
    if (!sketch || !sketch->GetSketch()) return;
    if (FindCallOutInstEntry(sheet, symbol)) return;
    auto* entry = new (RSe::_GetMeta(static_cast<const DLxCallOutInstEntry*>(nullptr)),
                       sheet->GetSegment())
        DLxCallOutInstEntry(sketch->GetSketch()->GetName(), folder, symbol);
    folder->Append(entry);
}

void UpdateCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol) {
    if (DLxCallOutInstEntry* entry = FindCallOutInstEntry(sheet, symbol)) entry->SetModified();
}

void RemoveCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol) {
    DLxCallOutInstEntry* entry = FindCallOutInstEntry(sheet, symbol);
    auto* folder = entry ? dynamic_cast<DLxCallOutFolderEntry*>(entry->GetParent()) : nullptr;
    if (!folder) return;
    folder->Remove(entry);
    DeleteEntry(entry);
    if (folder->GetChildren().empty()) DeleteEntry(folder);
}

uint32_t CallOutInstEntryCount(RDxFragment* sheet) {
    DLxCallOutFolderEntry* folder = FindCallOutFolderEntry(sheet);
    return folder ? uint32_t(folder->GetChildren().size()) : 0;
}

} // namespace DLxSymBrowserUtil
