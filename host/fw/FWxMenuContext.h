#pragma once
// A context menu while the host builds it, headless: its entries (items, separators and
// pop-ups), which the host and the libraries append, insert, remove and check before it shows.
// The extender is what a library's context-menu notification receives: the menu being built
// and the selections it is built for.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "utx/UTxString16.h"

class FWxSelectionSet;

struct FWxMenuEntry {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    // The command id of an item; 0 for separators and pop-ups.
    int32_t id = 0;
    UTxString16 text;
    bool checked = false;
    bool grayed = false;
    // A pop-up's entries.
    std::vector<FWxMenuEntry> children;

    static FWxMenuEntry Item(int32_t id, const UTxString16& text);
    static FWxMenuEntry Separator();
    static FWxMenuEntry Popup(const UTxString16& text, std::vector<FWxMenuEntry> children);
};

class FWxMenuContext {
public:
    // Appends menu resource `id` as found through the library chain: the entries of its
    // pop-up when the resource is one pop-up, its entries otherwise. `flag` is the host's
    // placement hint and is recorded with the resource. False when no library holds the menu.
    bool AppendMenuResource(int32_t id, bool flag, void* reserved, bool append);
    void AppendItem(int32_t id, const UTxString16& text);
    void AppendSeparator();
    // At `position` of the top level (clamped to its end).
    void InsertEntry(size_t position, FWxMenuEntry entry);
    // The first item with `id`, at any depth; false when there is none.
    bool RemoveItem(int32_t id);
    bool CheckItem(int32_t id, bool checked);
    const FWxMenuEntry* FindItem(int32_t id) const;

    const std::vector<FWxMenuEntry>& GetEntries() const { return m_entries; }
    struct AppendedResource {
        int32_t id;
        bool flag;
    };
    // The resources appended so far, in order.
    const std::vector<AppendedResource>& GetAppendedResources() const { return m_resources; }

    // The entries of menu resource `id`, as AppendMenuResource would add them; empty when no
    // library holds it.
    static std::vector<FWxMenuEntry> LoadMenuResource(int32_t id);

private:
    std::vector<FWxMenuEntry> m_entries;
    std::vector<AppendedResource> m_resources;
};

class FWxCtxMenuExtender {
public:
    FWxCtxMenuExtender(FWxMenuContext* menu, FWxSelectionSet* selections)
        : m_menu(menu), m_selections(selections) {}
    FWxMenuContext* GetMenuContext() const { return m_menu; }
    FWxSelectionSet* GetSelectionSet() const { return m_selections; }

private:
    FWxMenuContext* m_menu;
    FWxSelectionSet* m_selections;
};
