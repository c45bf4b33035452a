#include "WinLocale.h"

#include <string_view>

int32_t GetLocaleInfoW(uint32_t locale, uint32_t type, char16_t* data, int32_t size) {
    if (locale != LOCALE_USER_DEFAULT && locale != LOCALE_SYSTEM_DEFAULT) return 0;
    std::u16string_view text;
    if (type == LOCALE_SLIST) text = u",";
    if (text.empty()) return 0;
    const int32_t needed = int32_t(text.size()) + 1;
    if (size == 0) return needed;
    if (!data || size < needed) return 0;
    for (size_t i = 0; i < text.size(); ++i)
        data[i] = text[i];
    data[text.size()] = 0;
    return needed;
}
