#pragma once
// Locale information, headless: one fixed locale whose answers match a US-English system.
#include <cstdint>

constexpr uint32_t LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr uint32_t LOCALE_USER_DEFAULT = 0x0400;
constexpr uint32_t LOCALE_SLIST = 0x000C;

// Copies the item's text with its terminating NUL into `data` and answers the characters
// copied; 0 for an unknown item or a buffer too small. A size of 0 asks for the size needed.
int32_t GetLocaleInfoW(uint32_t locale, uint32_t type, char16_t* data, int32_t size);
