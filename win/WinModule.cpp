#include "WinModule.h"

#include "WinText.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

struct WinModule {
    void* dl = nullptr;
    const KorvuResTable* table = nullptr;
    int32_t count = 0;
    WinDllMainFn main = nullptr;
};

namespace {

// One handle per loaded library, keyed by dlopen's handle, so that repeated loads share it.
std::map<void*, std::unique_ptr<WinModule>>& Modules() {
    static std::map<void*, std::unique_ptr<WinModule>> modules;
    return modules;
}

// Compares handles without touching them: a stale handle must not be dereferenced.
bool IsLoaded(HMODULE module) {
    for (const auto& [dl, m] : Modules())
        if (m.get() == module) return true;
    return false;
}

template <class T> bool SortedById(const T* items, uint32_t count) {
    if (count && !items) return false;
    for (uint32_t i = 1; i < count; ++i)
        if (items[i - 1].id >= items[i].id) return false;
    return true;
}

bool TextOk(const char16_t* text, uint32_t length) {
    return text || length == 0;
}

template <class T> const T* FindById(const T* items, uint32_t count, uint32_t id) {
    if (!count) return nullptr;
    const T* end = items + count;
    const T* it = std::lower_bound(items, end, id, [](const T& e, uint32_t v) { return e.id < v; });
    return it != end && it->id == id ? it : nullptr;
}

} // namespace

bool IsResourceTableValid(const KorvuResTable* t) {
    if (!t || t->magic != KORVU_RES_MAGIC || t->version != KORVU_RES_VERSION ||
        t->size != sizeof(KorvuResTable))
        return false;
    if (!SortedById(t->strings, t->stringCount) || !SortedById(t->menus, t->menuCount) ||
        !SortedById(t->dialogs, t->dialogCount) || !SortedById(t->bitmaps, t->bitmapCount))
        return false;
    for (uint32_t i = 0; i < t->stringCount; ++i)
        if (!TextOk(t->strings[i].text, t->strings[i].length)) return false;
    for (uint32_t i = 0; i < t->menuCount; ++i) {
        const KorvuResMenu& m = t->menus[i];
        if ((m.itemCount && !m.items) || m.topCount > m.itemCount) return false;
        for (uint32_t k = 0; k < m.itemCount; ++k) {
            const KorvuResMenuItem& item = m.items[k];
            if (!TextOk(item.text, item.textLength)) return false;
            // Children after their popup keep every walk finite.
            if (item.childCount && (item.firstChild <= k || item.firstChild > m.itemCount ||
                                    item.childCount > m.itemCount - item.firstChild))
                return false;
        }
    }
    for (uint32_t i = 0; i < t->dialogCount; ++i) {
        const KorvuResDialog& d = t->dialogs[i];
        if (!TextOk(d.caption, d.captionLength) || (d.controlCount && !d.controls)) return false;
        for (uint32_t k = 0; k < d.controlCount; ++k)
            if (!TextOk(d.controls[k].text, d.controls[k].textLength) ||
                !TextOk(d.controls[k].className, d.controls[k].classLength))
                return false;
    }
    for (uint32_t i = 0; i < t->bitmapCount; ++i)
        if (!t->bitmaps[i].pixels && t->bitmaps[i].width && t->bitmaps[i].height) return false;
    return true;
}

HMODULE LoadLibraryW(const char16_t* path) {
    if (!path || !*path) return nullptr;
    void* dl = dlopen(WinToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dl) return nullptr;
    auto& modules = Modules();
    if (auto it = modules.find(dl); it != modules.end()) {
        dlclose(dl); // the module already holds one reference
        ++it->second->count;
        return it->second.get();
    }
    auto entry = reinterpret_cast<KorvuResGetTableFn>(dlsym(dl, KORVU_RES_ENTRY));
    const KorvuResTable* table = entry ? entry() : nullptr;
    if (entry && !IsResourceTableValid(table)) {
        dlclose(dl);
        return nullptr;
    }
    auto module = std::make_unique<WinModule>();
    module->dl = dl;
    module->table = table;
    module->count = 1;
    module->main = reinterpret_cast<WinDllMainFn>(dlsym(dl, "DllMain"));
    WinModule* handle = (modules[dl] = std::move(module)).get();
    if (handle->main && !handle->main(handle, DLL_PROCESS_ATTACH, nullptr)) {
        // A refused attach is followed by the detach, as the loader of the original did.
        handle->main(handle, DLL_PROCESS_DETACH, nullptr);
        modules.erase(dl);
        dlclose(dl);
        return nullptr;
    }
    return handle;
}

bool FreeLibrary(HMODULE module) {
    if (!IsLoaded(module)) return false;
    if (--module->count > 0) return true;
    if (module->main) module->main(module, DLL_PROCESS_DETACH, nullptr);
    void* dl = module->dl;
    Modules().erase(dl);
    dlclose(dl);
    return true;
}

void* GetProcAddress(HMODULE module, const char* name) {
    if (!IsLoaded(module) || !name) return nullptr;
    return dlsym(module->dl, name);
}

const KorvuResTable* GetResourceTable(HMODULE module) {
    return module ? module->table : nullptr;
}

std::optional<std::u16string_view> FindStringResource(HMODULE module, uint32_t id) {
    if (!module || !module->table) return std::nullopt;
    const KorvuResTable* t = module->table;
    const KorvuResString* s = FindById(t->strings, t->stringCount, id);
    if (!s) return std::nullopt;
    return WinResText(s->text, s->length);
}

int32_t LoadStringW(HMODULE module, uint32_t id, char16_t* buffer, int32_t bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    buffer[0] = 0;
    const auto text = FindStringResource(module, id);
    if (!text) return 0;
    const size_t n = std::min(text->size(), size_t(bufferMax - 1));
    std::copy_n(text->data(), n, buffer);
    buffer[n] = 0;
    return int32_t(n);
}

const KorvuResDialog* FindDialogResource(HMODULE module, uint32_t id) {
    return module && module->table
               ? FindById(module->table->dialogs, module->table->dialogCount, id)
               : nullptr;
}

const KorvuResMenu* FindMenuResource(HMODULE module, uint32_t id) {
    return module && module->table ? FindById(module->table->menus, module->table->menuCount, id)
                                   : nullptr;
}

const KorvuResBitmap* FindBitmapResource(HMODULE module, uint32_t id) {
    return module && module->table
               ? FindById(module->table->bitmaps, module->table->bitmapCount, id)
               : nullptr;
}
