#pragma once
// UTF-8 and UTF-16, as the platform converts them: invalid input becomes U+FFFD.
#include <string>
#include <string_view>

std::u16string WinFromUtf8(std::string_view utf8);
std::string WinToUtf8(std::u16string_view utf16);
// Appends one code point (U+FFFD for one beyond Unicode) in UTF-8.
void WinAppendUtf8(std::string& out, char32_t code);
