#pragma once
// Item ids of a table's display items, so that a pick tells what was hit. Three families share
// the positive 32-bit range without overlap:
//   0 to 7          the eight hot points (corners, then the middles of the edges);
//   bit 29 set      lines: four numbers (first 0..3, second 0..31, third 0..16383, fourth
//                   0..255), in table code side, category, row and column;
//   bit 30 set      texts: type 0..7 (1 title, 2 column heading, 3 cell), row 0..65535,
//                   column 0..2047.
// A value out of its range gets the id -1: the item is drawn without an id and cannot be
// picked, rather than being taken for another one.
#include <cstdint>

class DUxTableDispIDs {
public:
    static constexpr int32_t kNoId = -1;
    static constexpr int32_t kHotPointCount = 8;
    enum TextType : int32_t { eTitleText = 1, eHeadingText = 2, eCellText = 3 };

    static int32_t MakeLineItemId(int32_t first, int32_t second, int32_t third, int32_t fourth);
    static int32_t MakeTextItemId(int32_t type, int32_t row, int32_t column);
    // False (outputs untouched) for an id of another family.
    static bool InterpretLineItemId(int32_t id, int32_t& first, int32_t& second, int32_t& third,
                                    int32_t& fourth);
    static bool InterpretTextItemId(int32_t id, int32_t& type, int32_t& row, int32_t& column);
    static bool IsHotPointId(int32_t id) { return id >= 0 && id < kHotPointCount; }
};
