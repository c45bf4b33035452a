#pragma once
// A button that shows one picture and, when pressed, a grid of pictures to choose from,
// headless. Entries are resource bitmap ids, each with the resource id of its tooltip and a
// mirroring flag (the picture drawn mirrored). A choice is told to the dialog (onChoice) with the
// chosen bitmap id, as the popup's WM_COMMAND 39171 would.
#include <cstdint>
#include <functional>
#include <vector>

class UCxBitmapPopup {
public:
    // The command a choice reaches the dialog with.
    static constexpr int32_t kChoiceCommand = 39171;

    struct Entry {
        uint32_t bitmap = 0;
        uint32_t tooltip = 0;
        bool mirrored = false;
    };

    explicit UCxBitmapPopup(int32_t id) : m_id(id) {}
    int32_t GetDlgCtrlID() const { return m_id; }

    // The grid: entries in order, laid out `columns` wide (at least 1).
    void SetEntries(std::vector<Entry> entries, int32_t columns);
    const std::vector<Entry>& GetEntries() const { return m_entries; }
    int32_t GetColumns() const { return m_columns; }
    void SetMirrorFlags(std::vector<bool> flags) { m_mirror = std::move(flags); }
    const std::vector<bool>& GetMirrorFlags() const { return m_mirror; }

    // The picture the button shows.
    void SetCurrentBitmap(uint32_t bitmap) { m_current = bitmap; }
    uint32_t GetCurrentBitmap() const { return m_current; }
    // The tooltip of the picture shown: that of its entry, 0 when it is no entry.
    uint32_t GetCurrentTooltip() const;

    // The user picks an entry: it becomes the picture shown and the dialog is told. False,
    // changing nothing, for a bitmap that is no entry.
    bool Choose(uint32_t bitmap);
    std::function<void(UCxBitmapPopup& popup, uint32_t bitmap)> onChoice;

private:
    int32_t m_id;
    std::vector<Entry> m_entries;
    std::vector<bool> m_mirror;
    int32_t m_columns = 1;
    uint32_t m_current = 0;
};
