#pragma once
// Spreadsheet cell names ("A1", "C5", "IV65536"): letters for the column (A = 1, Z = 26,
// AA = 27), digits for the row, both 1-based.
#include <cstdint>

#include "utx/UTxString16.h"

namespace DLxTableUtil {
// False for a text that is not letters followed by digits, or a zero or overflowing number.
bool GetCoordsFromExcel(const UTxString16& cell, int32_t& column, int32_t& row);
// Empty for a row or column below 1.
UTxString16 ConvertToExcel(int32_t row, int32_t column);
} // namespace DLxTableUtil
