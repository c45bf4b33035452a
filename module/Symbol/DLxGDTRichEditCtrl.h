#pragma once
// The one-line edit field of the feature control frame dialog, as a headless model: every
// character carries its own format (face, bold, italic, character set, colour), typed characters
// take the dialog's text font, tolerance symbols the symbol font, and the control keeps a text
// limit of its own that every insertion and paste obeys.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the control reads of its dialog: the text font and the change-notification flag that it
// clears while it changes formats.
struct DLxGDTEditParent {
    std::u16string textFace = u"System";
    bool bold = false;
    bool italic = false;
    bool notify = true;
    int parentMessages = 0;  // count of the "edit symbols" message sent from the context menu
};

// The user's default locale (primary and sub language ids).
struct DLxUserLocale {
    uint16_t primary = 0x09;  // English
    uint16_t sub = 0x01;
};

struct DLxGDTCharFormat {
    std::u16string face;
    bool bold = false;
    bool italic = false;
    uint8_t pitchAndFamily = 0;
    uint8_t charset = 1;
    uint32_t colour = 0;
    bool operator==(const DLxGDTCharFormat&) const = default;
};

struct DLxGDTFormattedChar {
    char16_t ch = 0;
    DLxGDTCharFormat format;
};

class CGDTRichEditCtrl {
public:
    static constexpr uint8_t kDefaultCharset = 1;
    static constexpr uint8_t kSymbolCharset = 2;
    static constexpr uint8_t kShiftJisCharset = 128;
    static constexpr uint8_t kHangeulCharset = 129;
    static constexpr uint8_t kGb2312Charset = 134;
    static constexpr uint8_t kBig5Charset = 136;
    static constexpr uint32_t kEventMask = 0x3C0007;
    static constexpr uint32_t kWindowColour = 0xFFFFFF;
    static constexpr uint32_t kButtonFaceColour = 0xF0F0F0;
    static constexpr uint32_t kWindowTextColour = 0x000000;
    static constexpr uint32_t kGreyTextColour = 0x6D6D6D;
    // Context menu commands.
    enum MenuCommand : int {
        kUndo = 44133, kCut = 44128, kCopy = 44127, kDelete = 44129,
        kPaste = 44131, kSelectAll = 44132, kSymbols = 44130,
    };

    explicit CGDTRichEditCtrl(DLxGDTEditParent* parent = nullptr, DLxUserLocale locale = {});

    // Sets the limit and cuts the text to it; returns the previous limit.
    int SetTextLimit(int limit);
    int TextLimit() const { return limit_; }
    int WindowLimit() const { return windowLimit_; }
    uint32_t EventMask() const { return eventMask_; }
    void PreSubclassWindow() { eventMask_ = kEventMask; }

    // Replaces the selection with text in the given format, within the limit.
    void InsertText(std::u16string_view text, std::u16string_view face, bool bold, bool italic,
                    uint8_t pitchAndFamily, uint8_t charset);

    // A typed character (WM_CHAR); ctrl tells whether the Ctrl key is down.
    void OnChar(char16_t key, bool ctrl = false);
    void OnEnable(bool enable);
    bool IsEnabled() const { return enabled_; }
    uint32_t BackgroundColour() const { return background_; }

    // Selection as in the edit control: end -1 runs to the end, start -1 removes the selection
    // and leaves the caret at the end.
    void SetSel(int start, int end);
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }

    const std::vector<DLxGDTFormattedChar>& Chars() const { return chars_; }
    std::u16string Text() const;
    void Clear();
    bool CanUndo() const { return undo_.has_value(); }
    void EmptyUndoBuffer() { undo_.reset(); }

    // Context menu: whether an item applies now, and running it.
    bool IsMenuItemEnabled(int command) const;
    void OnMenuCommand(int command);

    // The clipboard shared by the controls of a dialog; null means nothing can be pasted.
    void SetClipboard(std::vector<DLxGDTFormattedChar>* clipboard) { clipboard_ = clipboard; }

private:
    uint8_t ResolveCharset(std::u16string_view face, uint8_t charset) const;
    void ReplaceSelection(std::vector<DLxGDTFormattedChar> chars);
    void RememberUndo();

    DLxGDTEditParent* parent_;
    DLxUserLocale locale_;
    int limit_ = 256;
    int windowLimit_ = 32767;
    uint32_t eventMask_ = 0;
    std::vector<DLxGDTFormattedChar> chars_;
    int selStart_ = 0;
    int selEnd_ = 0;
    bool enabled_ = true;
    uint32_t background_ = kWindowColour;
    std::vector<DLxGDTFormattedChar>* clipboard_ = nullptr;
    struct Snapshot {
        std::vector<DLxGDTFormattedChar> chars;
        int selStart, selEnd;
    };
    std::optional<Snapshot> undo_;
};
