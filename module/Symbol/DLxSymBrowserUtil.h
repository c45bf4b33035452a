#pragma once
// Finds, adds, refreshes, removes and counts the browser entries of sketched symbols on a
// sheet. Each does nothing (null, 0) when something it needs is missing or the sheet is not in
// a drawing document.
#include <cstdint>

class BRxEntry;
class DLxCallOutFolderEntry;
class DLxCallOutInstEntry;
class DLxCallOutInstance;
class RDxFragment;

namespace DLxSymBrowserUtil {
// The sheet's folder; `parent` the sheet's entry when there is a folder, and `before` the
// entry a new folder goes before (null: at the end).
DLxCallOutFolderEntry* FindCallOutFolderEntry(RDxFragment* sheet, BRxEntry** parent = nullptr,
                                              BRxEntry** before = nullptr);
DLxCallOutInstEntry* FindCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol);
// The symbol's entry at the end of the sheet's folder, made with the folder when the sheet has
// none; nothing when the symbol has an entry already.
void AddSheetCallOutChild(RDxFragment* sheet, DLxCallOutInstance* symbol);
// Marks the symbol's entry modified, so that the browser shows it again.
void UpdateCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol);
// Deletes the symbol's entry, and the folder with its last entry.
void RemoveCallOutInstEntry(RDxFragment* sheet, const DLxCallOutInstance* symbol);
uint32_t CallOutInstEntryCount(RDxFragment* sheet);
} // namespace DLxSymBrowserUtil
