#include "du/DUxTableDispIDs.h"

namespace {
constexpr uint32_t kLineBit = 1u << 29;
constexpr uint32_t kTextBit = 1u << 30;

bool InRange(int32_t v, int32_t bits) {
    return v >= 0 && v < (1 << bits);
}
} // namespace

int32_t DUxTableDispIDs::MakeLineItemId(int32_t first, int32_t second, int32_t third,
                                        int32_t fourth) {
    if (!InRange(first, 2) || !InRange(second, 5) || !InRange(third, 14) || !InRange(fourth, 8))
        return kNoId;
    return int32_t(kLineBit | uint32_t(first) << 27 | uint32_t(second) << 22 |
                   uint32_t(third) << 8 | uint32_t(fourth));
}

int32_t DUxTableDispIDs::MakeTextItemId(int32_t type, int32_t row, int32_t column) {
    if (!InRange(type, 3) || !InRange(row, 16) || !InRange(column, 11)) return kNoId;
    return int32_t(kTextBit | uint32_t(type) << 27 | uint32_t(row) << 11 | uint32_t(column));
}

bool DUxTableDispIDs::InterpretLineItemId(int32_t id, int32_t& first, int32_t& second,
                                          int32_t& third, int32_t& fourth) {
    const uint32_t u = uint32_t(id);
    if (id < 0 || (u & kTextBit) || !(u & kLineBit)) return false;
    first = int32_t(u >> 27 & 0x3);
    second = int32_t(u >> 22 & 0x1f);
    third = int32_t(u >> 8 & 0x3fff);
    fourth = int32_t(u & 0xff);
    return true;
}

bool DUxTableDispIDs::InterpretTextItemId(int32_t id, int32_t& type, int32_t& row,
                                          int32_t& column) {
    const uint32_t u = uint32_t(id);
    if (id < 0 || !(u & kTextBit)) return false;
    type = int32_t(u >> 27 & 0x7);
    row = int32_t(u >> 11 & 0xffff);
    column = int32_t(u & 0x7ff);
    return true;
}
