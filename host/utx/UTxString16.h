#pragma once
// Wide strings of the host are UTF-16, as on the original platform.
#include <string>
#include <string_view>

using UTxString16 = std::u16string;

namespace UTx {
// UTF-8 <-> UTF-16. Invalid input sequences become U+FFFD rather than failing.
UTxString16 MakeWideString(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);
} // namespace UTx
