#pragma once
// The stored text of a feature control frame's edit fields: one string in which each character
// drawn in the tolerance-symbol font is wrapped in a font switch "{\F<font file>;c}" ("{" and "}"
// escaped with a backslash), every other character standing as itself.
#include <string>
#include <string_view>
#include <vector>

// The tolerance-symbol font: its face and the file name written into stored texts.
inline constexpr std::u16string_view kGDTSymbolFace = u"KvGDT";
inline constexpr std::u16string_view kGDTSymbolFace2 = u"BqGDT";
inline constexpr std::u16string_view kGDTSymbolFontFile = u"KvGDT.TTF";

struct DLxGDTTextChar {
    char16_t ch = 0;
    bool symbolFont = false;  // drawn in the tolerance-symbol font
    bool operator==(const DLxGDTTextChar&) const = default;
};

// Builds the stored string of a sequence of characters.
std::u16string DLxEncodeGDTText(const std::vector<DLxGDTTextChar>& chars,
                                std::u16string_view fontFile = kGDTSymbolFontFile);
// Reads a stored string back. A switch without a ';' or cut short keeps what it holds as text.
std::vector<DLxGDTTextChar> DLxDecodeGDTText(std::u16string_view stored);

// The glyph text of a tolerance symbol code (1..30) in the symbol font: one character, or for
// the braces a backslash and the brace. Empty for any other code.
std::u16string DLxGDTSymbolGlyph(int code);
