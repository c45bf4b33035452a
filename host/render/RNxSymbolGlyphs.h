#pragma once
// GD&T symbols, drawn with strokes so that every one is as tall as a capital of the drawing font
// and sits in the middle of its cell, whatever the fonts at hand hold.
#include "render/RNxScene.h"

#include <vector>

// A symbol in units of the text height, origin at the middle of its cell on the baseline, y up;
// it stays within the cell's advance (UCxStringUtil::AdvanceRatio).
struct RNxSymbolShape {
    struct Circle {
        RNxPoint center;
        double radius = 0.0;
    };
    std::vector<std::vector<RNxPoint>> strokes; // open polylines
    std::vector<Circle> circles;
    // A letter drawn inside (circled letters): from the monospace font at letterSize heights,
    // its cell starting at letterOrigin.
    char32_t letter = 0;
    RNxPoint letterOrigin;
    double letterSize = 0.0;
    // Pen width in heights.
    double penWidth = 0.0;
};

namespace RNx {
// False when code is not one of the drawn symbols.
bool SymbolShape(char32_t code, RNxSymbolShape& shape);
} // namespace RNx
