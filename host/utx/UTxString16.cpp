#include "utx/UTxString16.h"

#include "WinText.h"

namespace UTx {
UTxString16 MakeWideString(std::string_view utf8) {
    return WinFromUtf8(utf8);
}
std::string ToUtf8(std::u16string_view utf16) {
    return WinToUtf8(utf16);
}
} // namespace UTx
