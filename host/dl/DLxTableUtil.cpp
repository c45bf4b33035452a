#include "dl/DLxTableUtil.h"

namespace DLxTableUtil {

bool GetCoordsFromExcel(const UTxString16& cell, int32_t& column, int32_t& row) {
    constexpr int64_t kLimit = 0x7FFFFFFF;
    size_t i = 0;
    int64_t col = 0;
    for (; i < cell.size(); ++i) {
        char16_t c = cell[i];
        if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
        if (c < u'A' || c > u'Z') break;
        col = col * 26 + (c - u'A' + 1);
        if (col > kLimit) return false;
    }
    if (i == 0 || i == cell.size()) return false;
    int64_t r = 0;
    for (; i < cell.size(); ++i) {
        const char16_t c = cell[i];
        if (c < u'0' || c > u'9') return false;
        r = r * 10 + (c - u'0');
        if (r > kLimit) return false;
    }
    if (r < 1) return false;
    column = int32_t(col);
    row = int32_t(r);
    return true;
}

UTxString16 ConvertToExcel(int32_t row, int32_t column) {
    if (row < 1 || column < 1) return {};
    UTxString16 letters;
    for (int64_t c = column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), char16_t(u'A' + (c - 1) % 26));
    for (char ch : std::to_string(row))
        letters.push_back(char16_t(ch));
    return letters;
}

} // namespace DLxTableUtil
