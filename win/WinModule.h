#pragma once
// Loading a resource module and reading its tables, in the shape of the Windows calls the
// module was written against. Only resource modules (libraries exporting KorvuResGetTable with
// our magic and version) load; the views returned stay valid until the module is freed.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "WinResourceTable.h"

struct WinModule;
using HMODULE = WinModule*;
using HINSTANCE = HMODULE;

// Loads the resource module at a path (UTF-16). Null when the file cannot be loaded or is not a
// resource module. Loading the same module again returns the same handle, counted.
// Loads a library. A library with an entry function "DllMain" is told of its attachment on the
// first load (and of its detachment on the last free); when the entry answers false the library
// is not loaded. A library that carries a resource table must carry a valid one.
HMODULE LoadLibraryW(const char16_t* path);

constexpr uint32_t DLL_PROCESS_DETACH = 0;
constexpr uint32_t DLL_PROCESS_ATTACH = 1;
using WinDllMainFn = int32_t (*)(HINSTANCE, uint32_t reason, void* reserved);
// Drops one count; the library is unloaded with the last.
bool FreeLibrary(HMODULE module);
// An exported function or object of a loaded library; null when it has none by that name.
void* GetProcAddress(HMODULE module, const char* name);

// Copies string `id` into `buffer` (at most bufferMax - 1 characters, then a NUL). Returns the
// number of characters copied, 0 when there is no such string.
int32_t LoadStringW(HMODULE module, uint32_t id, char16_t* buffer, int32_t bufferMax);

// Lookups by id; nothing when the module has no such resource.
std::optional<std::u16string_view> FindStringResource(HMODULE module, uint32_t id);
const KorvuResDialog* FindDialogResource(HMODULE module, uint32_t id);
const KorvuResMenu* FindMenuResource(HMODULE module, uint32_t id);
const KorvuResBitmap* FindBitmapResource(HMODULE module, uint32_t id);

// The whole table, for walking every entry; null for a null handle.
const KorvuResTable* GetResourceTable(HMODULE module);
// Whether a table is one this host can read: magic, version, size, counts, ordering and
// menu links. LoadLibraryW refuses modules that fail it.
bool IsResourceTableValid(const KorvuResTable* table);

inline std::u16string_view WinResText(const char16_t* text, uint32_t length) {
    return text ? std::u16string_view(text, length) : std::u16string_view();
}
inline std::span<const KorvuResControl> WinDialogControls(const KorvuResDialog& d) {
    return {d.controls, d.controlCount};
}
inline std::span<const KorvuResMenuItem> WinMenuTopItems(const KorvuResMenu& m) {
    return {m.items, m.topCount};
}
inline std::span<const KorvuResMenuItem> WinMenuChildren(const KorvuResMenu& m,
                                                         const KorvuResMenuItem& popup) {
    return {m.items + popup.firstChild, popup.childCount};
}
