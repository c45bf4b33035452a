#include "fw/FWxMenuContext.h"

#include <algorithm>

#include "AfxDll.h"
#include "WinModule.h"

FWxMenuEntry FWxMenuEntry::Item(int32_t id, const UTxString16& text) {
    FWxMenuEntry e;
    e.id = id;
    e.text = text;
    return e;
}

FWxMenuEntry FWxMenuEntry::Separator() {
    FWxMenuEntry e;
    e.kind = Kind::Separator;
    return e;
}

FWxMenuEntry FWxMenuEntry::Popup(const UTxString16& text, std::vector<FWxMenuEntry> children) {
    FWxMenuEntry e;
    e.kind = Kind::Popup;
    e.text = text;
    e.children = std::move(children);
    return e;
}

namespace {
// The resource table's links were checked when its library loaded.
std::vector<FWxMenuEntry> Convert(const KorvuResMenu& menu,
                                  std::span<const KorvuResMenuItem> items) {
    std::vector<FWxMenuEntry> out;
    for (const KorvuResMenuItem& item : items) {
        const UTxString16 text(WinResText(item.text, item.textLength));
        if (item.flags & KORVU_RES_MENU_SEPARATOR) {
            out.push_back(FWxMenuEntry::Separator());
            continue;
        }
        FWxMenuEntry e = (item.flags & KORVU_RES_MENU_POPUP)
                             ? FWxMenuEntry::Popup(text, Convert(menu, WinMenuChildren(menu, item)))
                             : FWxMenuEntry::Item(int32_t(item.id), text);
        e.checked = (item.flags & KORVU_RES_MENU_CHECKED) != 0;
        e.grayed = (item.flags & KORVU_RES_MENU_GRAYED) != 0;
        out.push_back(std::move(e));
    }
    return out;
}

template <class Entries>
auto* Find(Entries& entries, int32_t id) {
    using Ptr = decltype(&entries[0]);
    for (auto& e : entries) {
        if (e.kind == FWxMenuEntry::Kind::Item && e.id == id) return &e;
        if (Ptr found = Find(e.children, id)) return found;
    }
    return Ptr(nullptr);
}

bool Remove(std::vector<FWxMenuEntry>& entries, int32_t id) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->kind == FWxMenuEntry::Kind::Item && it->id == id) {
            entries.erase(it);
            return true;
        }
        if (Remove(it->children, id)) return true;
    }
    return false;
}
} // namespace

std::vector<FWxMenuEntry> FWxMenuContext::LoadMenuResource(int32_t id) {
    for (int32_t i = 0; i < CDynLinkLibrary::ChainLength(); ++i) {
        const CDynLinkLibrary* lib = CDynLinkLibrary::ChainAt(i);
        const KorvuResMenu* menu =
            lib && id >= 0 ? FindMenuResource(lib->GetResourceHandle(), uint32_t(id)) : nullptr;
        if (!menu) continue;
        std::vector<FWxMenuEntry> entries = Convert(*menu, WinMenuTopItems(*menu));
        if (entries.size() == 1 && entries[0].kind == FWxMenuEntry::Kind::Popup)
            return std::move(entries[0].children);
        return entries;
    }
    return {};
}

bool FWxMenuContext::AppendMenuResource(int32_t id, bool flag, void* /*reserved*/,
                                        bool /*append*/) {
    std::vector<FWxMenuEntry> entries = LoadMenuResource(id);
    if (entries.empty()) return false;
    m_resources.push_back({id, flag});
    for (FWxMenuEntry& e : entries) m_entries.push_back(std::move(e));
    return true;
}

void FWxMenuContext::AppendItem(int32_t id, const UTxString16& text) {
    m_entries.push_back(FWxMenuEntry::Item(id, text));
}

void FWxMenuContext::AppendSeparator() {
    m_entries.push_back(FWxMenuEntry::Separator());
}

void FWxMenuContext::InsertEntry(size_t position, FWxMenuEntry entry) {
    position = std::min(position, m_entries.size());
    m_entries.insert(m_entries.begin() + std::ptrdiff_t(position), std::move(entry));
}

bool FWxMenuContext::RemoveItem(int32_t id) {
    return Remove(m_entries, id);
}

bool FWxMenuContext::CheckItem(int32_t id, bool checked) {
    FWxMenuEntry* e = Find(m_entries, id);
    if (!e) return false;
    e->checked = checked;
    return true;
}

const FWxMenuEntry* FWxMenuContext::FindItem(int32_t id) const {
    return Find(m_entries, id);
}
