#pragma once
// The arrowhead chooser: a small modal pop-up next to the cursor whose drop-down list offers
// the arrowhead services (categories 28000, 28013, 28016 and 28040, in that order), each with
// its 32 x 16 picture and name. It changes no document: every change of choice is reported at
// once, either to a manipulator (CallBack with a pointer to the chosen template id) or to a
// command (notification 4323 with the same pointer), which previews it; after OK the caller
// reads the arrow type of the last choice. Template ids stand for templates, 0 for none.
//
// An extra template, when given, is offered too: after the first arrow when the arrowhead has a
// current template, otherwise as entry 0 standing in for the missing current one. Choosing that
// placeholder again tells a command nothing; choosing anything else tells it and removes the
// placeholder from the list.
#include <cstdint>
#include <string>
#include <vector>

#include "CDialog.h"

class FWxCommand;
class SMxManipulator;

// The owner-drawn list of the chooser: item texts and data, the current selection, and the
// templates of the items.
class DUxArrowHeadComboBox {
public:
    // Pixels between an item's left edge and its picture; the name starts 40 further right.
    static constexpr int32_t kLeftMargin = 5;
    static constexpr int32_t kItemHeight = 16;
    // Items past this index are listed but drawn without picture or name.
    static constexpr int32_t kLastDrawnItem = 50;

    virtual ~DUxArrowHeadComboBox() = default;

    void ResetContent();
    int32_t AddString(const std::u16string& text);
    void SetItemData(int32_t item, uint32_t data);
    uint32_t GetItemData(int32_t item) const;
    std::u16string GetItemText(int32_t item) const;
    void DeleteString(int32_t item);
    int32_t GetCount() const { return int32_t(m_items.size()); }
    // -1 for no selection; an index out of range selects nothing.
    void SetCurSel(int32_t item);
    int32_t GetCurSel() const { return m_cursel; }
    int32_t MeasureItem() const { return kItemHeight; }

    void SetEntries(const std::vector<uint32_t>& entries) { m_entries = entries; }
    // The template of entry i; 0 out of range.
    uint32_t GetEntry(int32_t i) const;
    // What item i draws: its picture id and name; false (nothing) past kLastDrawnItem or out of
    // range.
    virtual bool GetItemDrawing(int32_t i, uint32_t& bitmap, std::u16string& name) const;

private:
    struct Item {
        std::u16string text;
        uint32_t data = 0;
    };
    std::vector<Item> m_items;
    int32_t m_cursel = -1;
    std::vector<uint32_t> m_entries;
};

class DUxArrowHeadDialog : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 13026;
    static constexpr int32_t kListId = 13063;
    static constexpr int32_t kOkIcon = 2771;
    // The notification a command target hears on each change of choice.
    static constexpr int32_t kChoiceChanged = 4323;
    // The window opens this far right of and below the given point.
    static constexpr int32_t kOffset = 10;
    // The arrow type of a choice that is no arrowhead service (and before any choice).
    static constexpr int32_t kDefaultArrowType = 16;

    // The manipulator form: each change goes to the manipulator's CallBack.
    DUxArrowHeadDialog(SMxManipulator* manipulator, HWND parent, int32_t x, int32_t y,
                       uint32_t current, uint32_t extra);
    // The command form: each change goes to the target as notification kChoiceChanged.
    DUxArrowHeadDialog(HWND parent, int32_t x, int32_t y, uint32_t current, FWxCommand* target,
                       uint32_t extra);

    // Lists the entries, selects the current template (its last occurrence; entry 0 when it is
    // not listed) and works out its arrow type.
    bool OnInitDialog() override;
    // The user chose item `item` of the list.
    void ChooseItem(int32_t item);
    // The list's selection changed.
    void OnSelChange();

    const DUxArrowHeadComboBox& GetList() const { return m_list; }
    const std::vector<uint32_t>& GetEntries() const { return m_entries; }
    int32_t GetArrowType() const { return m_arrowType; }
    bool IsPlaceholder() const { return m_placeholder; }
    int32_t GetWindowX() const { return m_windowX; }
    int32_t GetWindowY() const { return m_windowY; }
    int32_t GetOkButtonIcon() const { return m_okIcon; }

private:
    void UpdateArrowType(uint32_t chosen);

    DUxArrowHeadComboBox m_list;
    std::vector<uint32_t> m_entries;
    int32_t m_x;
    int32_t m_y;
    uint32_t m_current;
    uint32_t m_extra;
    int32_t m_arrowType = kDefaultArrowType;
    SMxManipulator* m_manipulator = nullptr;
    FWxCommand* m_target = nullptr;
    bool m_placeholder = false;
    int32_t m_windowX = 0;
    int32_t m_windowY = 0;
    int32_t m_okIcon = 0;
};
