#include "Symbol/DLxGDTSymText.h"

std::u16string DLxEncodeGDTText(const std::vector<DLxGDTTextChar>& chars, std::u16string_view fontFile) {
    std::u16string out;
    for (const DLxGDTTextChar& c : chars) {
        if (!c.symbolFont) {
            out += c.ch;
            continue;
        }
        out += u"{\\F";
        out += fontFile;
        out += u';';
        if (c.ch == u'{' || c.ch == u'}') out += u'\\';
        out += c.ch;
        out += u'}';
    }
    return out;
}

std::vector<DLxGDTTextChar> DLxDecodeGDTText(std::u16string_view s) {
    std::vector<DLxGDTTextChar> out;
    const std::u16string_view open = u"{\\F";
    size_t i = 0;
    while (i < s.size()) {
        if (s.substr(i, open.size()) != open) {
            out.push_back({s[i], false});
            ++i;
            continue;
        }
        const size_t semi = s.find(u';', i + open.size());
        if (semi == std::u16string_view::npos) {
            // No font name end: not a switch, keep it as text.
            for (; i < s.size(); ++i) out.push_back({s[i], false});
            break;
        }
        size_t j = semi + 1;
        if (j >= s.size()) break;  // switch cut short: nothing to draw
        if (s[j] == u'}') {        // empty switch
            i = j + 1;
            continue;
        }
        if (s[j] == u'\\' && j + 1 < s.size()) ++j;
        out.push_back({s[j], true});
        ++j;
        if (j < s.size() && s[j] == u'}') ++j;
        i = j;
    }
    return out;
}

std::u16string DLxGDTSymbolGlyph(int code) {
    // Latin-1 bytes widen to the same code points.
    static const char16_t* const kGlyphs[] = {
        u"u", u"c", u"e", u"g", u"k", u"d", u"a", u"b", u"f", u"j",
        u"r", u"i", u"h", u"t", u"l", u"m", u"p", u"$", u"@", u"\\{",
        u"s", u"?", u"n", u"#", u"\\}", u"o", u"\u00A3", u"\u00A4", u"\u00A2", u"\u00A1"};
    if (code < 1 || code > 30) return {};
    return kGlyphs[code - 1];
}
