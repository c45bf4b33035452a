#pragma once
// The weld dialog's contour combo, headless: an owner-drawn list of contour pictures, each entry
// an empty string carrying a CContourData (the picture and the contour type id). The dialog
// selects by id and reads the selected id back; DrawItem answers how one entry is drawn.
#include <cstdint>
#include <memory>
#include <vector>

struct KorvuResBitmap;

struct CContourData {
    // 32 x 16 picture of the contour, the resource module's (not owned).
    const KorvuResBitmap* bitmap = nullptr;
    // Contour type; 0 for the entry without contour.
    int32_t id = 0;
};

// How one entry is drawn: colours are system colour indices.
struct DLxWeldComboDrawing {
    int32_t background = 0;
    int32_t line = 0;
    bool focusRect = false;
    // The entry's picture (0: none) at (left + 5, top), 32 x 16, inverted when selected; the
    // colour left out of it (0xRRGGBB).
    uint32_t image = 0;
    bool inverted = false;
    uint32_t transparent = 0xFFFFFF;
    int32_t imageX = 0;
    int32_t imageY = 0;
};

class DLxWeldComboBox {
public:
    // System colours.
    static constexpr int32_t kColorWindow = 5;
    static constexpr int32_t kColorWindowText = 8;
    static constexpr int32_t kColorDisabledBack = 11;
    static constexpr int32_t kColorHighlight = 13;
    static constexpr int32_t kColorHighlightText = 14;
    static constexpr int32_t kColorGrayText = 17;
    // Every entry has this height; pictures are this size.
    static constexpr int32_t kItemHeight = 16;
    static constexpr int32_t kImageWidth = 32;
    static constexpr int32_t kImageLeft = 5;

    explicit DLxWeldComboBox(int32_t id) : m_id(id) {}
    int32_t GetDlgCtrlID() const { return m_id; }

    // Appends an entry; its index.
    int32_t AddEntry(const KorvuResBitmap* bitmap, int32_t id);
    // Selects the first entry of that id; false, leaving the selection, when none has it.
    bool SelectId(int32_t id);
    // Id of the selected entry; 0 when none is selected.
    int32_t GetSelectedId() const;
    bool HasId(int32_t id) const;
    int32_t GetCount() const { return int32_t(m_entries.size()); }
    int32_t GetCurSel() const { return m_sel; }
    // Selects by index; -1 (or an index outside) clears the selection.
    void SetCurSel(int32_t index);
    const CContourData* GetItemData(int32_t index) const;
    // Deletes every entry with its data.
    void ResetContent();

    int32_t MeasureItem() const { return kItemHeight; }
    DLxWeldComboDrawing DrawItem(int32_t index, int32_t left, int32_t top, uint32_t itemState) const;

private:
    int32_t m_id;
    std::vector<std::unique_ptr<CContourData>> m_entries;
    int32_t m_sel = -1;
};
