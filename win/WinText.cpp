#include "WinText.h"

#include <cstdint>

std::u16string WinFromUtf8(std::string_view s) {
    // Never more units than bytes: written in place, then cut to size. Whole lines of
    // transcripts and models go through here, nearly all ASCII.
    std::u16string out(s.size(), u'\0');
    char16_t* o = out.data();
    size_t i = 0;
    const size_t n = s.size();
    auto cont = [&](size_t k) { return k < n && (uint8_t(s[k]) & 0xC0) == 0x80; };
    while (i < n) {
        const uint8_t c = uint8_t(s[i]);
        if (c < 0x80) {
            *o++ = char16_t(c);
            ++i;
            continue;
        }
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0 && cont(i + 1)) {
            cp = (uint32_t(c & 0x1F) << 6) | (uint8_t(s[i + 1]) & 0x3F);
            len = 2;
            if (cp < 0x80) cp = 0xFFFD;
        } else if ((c & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            cp = (uint32_t(c & 0x0F) << 12) | (uint32_t(uint8_t(s[i + 1]) & 0x3F) << 6) |
                 (uint8_t(s[i + 2]) & 0x3F);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        } else if ((c & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = (uint32_t(c & 0x07) << 18) | (uint32_t(uint8_t(s[i + 1]) & 0x3F) << 12) |
                 (uint32_t(uint8_t(s[i + 2]) & 0x3F) << 6) | (uint8_t(s[i + 3]) & 0x3F);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = char16_t(0xD800 + (cp >> 10));
            *o++ = char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = char16_t(cp);
        }
    }
    out.resize(size_t(o - out.data()));
    return out;
}

std::string WinToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        WinAppendUtf8(out, cp);
    }
    return out;
}

void WinAppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}
