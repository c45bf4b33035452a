#include "Symbol/DLxGDTRichEditCtrl.h"

#include <algorithm>

#include "Symbol/DLxGDTSymText.h"

namespace {
constexpr uint16_t kLangChinese = 0x04;
constexpr uint16_t kLangJapanese = 0x11;
constexpr uint16_t kLangKorean = 0x12;
constexpr uint16_t kSubLangChineseSimplified = 0x02;
constexpr size_t kMaxFaceLength = 31;  // a face name field holds 32 characters with its end
}  // namespace

CGDTRichEditCtrl::CGDTRichEditCtrl(DLxGDTEditParent* parent, DLxUserLocale locale)
    : parent_(parent), locale_(locale) {}

std::u16string CGDTRichEditCtrl::Text() const {
    std::u16string s;
    s.reserve(chars_.size());
    for (const auto& c : chars_) s += c.ch;
    return s;
}

void CGDTRichEditCtrl::Clear() {
    chars_.clear();
    selStart_ = selEnd_ = 0;
    undo_.reset();
}

void CGDTRichEditCtrl::SetSel(int start, int end) {
    const int n = static_cast<int>(chars_.size());
    if (start < 0) {
        selStart_ = selEnd_ = n;
        return;
    }
    if (end < 0 || end > n) end = n;
    start = std::min(start, n);
    selStart_ = std::min(start, end);
    selEnd_ = std::max(start, end);
}

uint8_t CGDTRichEditCtrl::ResolveCharset(std::u16string_view face, uint8_t charset) const {
    const bool symbolFace = face == kGDTSymbolFace || face == kGDTSymbolFace2;
    if (charset == kDefaultCharset && !symbolFace) {
        switch (locale_.primary) {
        case kLangJapanese: return kShiftJisCharset;
        case kLangKorean: return kHangeulCharset;
        case kLangChinese:
            return locale_.sub == kSubLangChineseSimplified ? kGb2312Charset : kBig5Charset;
        default: break;
        }
    }
    return face == kGDTSymbolFace ? kSymbolCharset : charset;
}

void CGDTRichEditCtrl::RememberUndo() { undo_ = Snapshot{chars_, selStart_, selEnd_}; }

void CGDTRichEditCtrl::ReplaceSelection(std::vector<DLxGDTFormattedChar> chars) {
    RememberUndo();
    chars_.erase(chars_.begin() + selStart_, chars_.begin() + selEnd_);
    chars_.insert(chars_.begin() + selStart_, chars.begin(), chars.end());
    selStart_ = selEnd_ = selStart_ + static_cast<int>(chars.size());
}

void CGDTRichEditCtrl::InsertText(std::u16string_view text, std::u16string_view face, bool bold,
                                  bool italic, uint8_t pitchAndFamily, uint8_t charset) {
    const bool notify = parent_ ? parent_->notify : false;
    if (parent_) parent_->notify = false;
    DLxGDTCharFormat fmt;
    fmt.face = std::u16string(face.substr(0, kMaxFaceLength));
    fmt.bold = bold;
    fmt.italic = italic;
    fmt.pitchAndFamily = pitchAndFamily;
    fmt.charset = ResolveCharset(face, charset);
    // The format applies to the selection; the colour is not part of it.
    for (int i = selStart_; i < selEnd_; ++i) {
        const uint32_t colour = chars_[i].format.colour;
        chars_[i].format = fmt;
        chars_[i].format.colour = colour;
    }
    if (parent_ && notify) parent_->notify = true;

    const int kept = static_cast<int>(chars_.size()) - (selEnd_ - selStart_);
    int n = static_cast<int>(text.size());
    if (n + kept > limit_) n = std::max(0, limit_ - kept);
    if (n == 0) return;
    fmt.colour = enabled_ ? kWindowTextColour : kGreyTextColour;
    std::vector<DLxGDTFormattedChar> chars;
    for (int i = 0; i < n; ++i) chars.push_back({text[i], fmt});
    ReplaceSelection(std::move(chars));
}

int CGDTRichEditCtrl::SetTextLimit(int limit) {
    const int previous = limit_;
    limit_ = std::max(0, limit);
    if (static_cast<int>(chars_.size()) > limit_) {
        const int start = std::min(selStart_, limit_);
        const int end = std::min(selEnd_, limit_);
        chars_.resize(limit_);
        selStart_ = start;
        selEnd_ = end;
        windowLimit_ = limit_;
    }
    return previous;
}

void CGDTRichEditCtrl::OnChar(char16_t key, bool ctrl) {
    if (ctrl || key == 3 || key == 8 || key == 9 || key == 13 || key == 27) {
        // Default handling: backspace deletes the selection or the character before the caret;
        // the other keys change nothing in a one-line field.
        if (!ctrl && key == 8 && enabled_) {
            if (selStart_ == selEnd_ && selStart_ > 0) --selStart_;
            if (selStart_ != selEnd_) ReplaceSelection({});
        }
        return;
    }
    if (!enabled_) return;
    const std::u16string face = parent_ ? parent_->textFace : u"System";
    const bool bold = parent_ && parent_->bold;
    const bool italic = parent_ && parent_->italic;
    const std::u16string text(1, key);
    if (selStart_ != selEnd_) {
        InsertText(text, face, bold, italic, 0, kDefaultCharset);
        return;
    }
    const int caret = selStart_;
    if (parent_) parent_->notify = false;
    InsertText(u"", face, bold, italic, 0, kDefaultCharset);
    if (parent_) parent_->notify = true;
    InsertText(text, face, bold, italic, 0, kDefaultCharset);
    // The caret moves one past its old position (it stays when nothing fitted).
    if (static_cast<int>(chars_.size()) > caret && selStart_ != caret) SetSel(caret + 1, caret + 1);
}

void CGDTRichEditCtrl::OnEnable(bool enable) {
    enabled_ = enable;
    background_ = enable ? kWindowColour : kButtonFaceColour;
    const uint32_t colour = enable ? kWindowTextColour : kGreyTextColour;
    for (auto& c : chars_) c.format.colour = colour;
}

bool CGDTRichEditCtrl::IsMenuItemEnabled(int command) const {
    const bool selection = selStart_ != selEnd_;
    switch (command) {
    case kUndo: return CanUndo();
    case kCut:
    case kCopy:
    case kDelete: return selection;
    case kPaste: return clipboard_ != nullptr && !clipboard_->empty();
    case kSelectAll: return !(selStart_ == 0 && selEnd_ == static_cast<int>(chars_.size()));
    case kSymbols: return true;
    default: return false;
    }
}

void CGDTRichEditCtrl::OnMenuCommand(int command) {
    if (!IsMenuItemEnabled(command)) return;
    switch (command) {
    case kUndo: {
        Snapshot s = std::move(*undo_);
        undo_ = Snapshot{chars_, selStart_, selEnd_};  // undo of an undo redoes
        chars_ = std::move(s.chars);
        selStart_ = s.selStart;
        selEnd_ = s.selEnd;
        break;
    }
    case kCopy:
    case kCut:
        if (clipboard_)
            clipboard_->assign(chars_.begin() + selStart_, chars_.begin() + selEnd_);
        if (command == kCut) ReplaceSelection({});
        break;
    case kDelete: ReplaceSelection({}); break;
    case kPaste: {
        // A paste obeys the control's limit like typing does: only what fits goes in.
        const int kept = static_cast<int>(chars_.size()) - (selEnd_ - selStart_);
        const int room = std::max(0, limit_ - kept);
        std::vector<DLxGDTFormattedChar> chars(
            clipboard_->begin(), clipboard_->begin() + std::min<size_t>(room, clipboard_->size()));
        if (!chars.empty()) ReplaceSelection(std::move(chars));
        break;
    }
    case kSelectAll: SetSel(0, -1); break;
    case kSymbols:
        if (parent_) ++parent_->parentMessages;
        break;
    default: break;
    }
}
