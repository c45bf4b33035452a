#include "render/RNxSymbolGlyphs.h"

#include "uc/UCxStringUtil.h"

#include <cmath>

namespace {

// Symbols are centred on the middle of the capitals, inside a cell 0.6 heights wide.
constexpr double kMidX = 0.3;
constexpr double kMidY = 0.36;
constexpr double kPen = 0.06;

using Polyline = std::vector<RNxPoint>;

Polyline line(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y1}};
}

// An arrow from tail to head with a two-stroke head.
void arrow(RNxSymbolShape& s, RNxPoint tail, RNxPoint head) {
    s.strokes.push_back({tail, head});
    const double dx = head.x - tail.x, dy = head.y - tail.y;
    const double len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    constexpr double kHead = 0.12, kCos = 0.866, kSin = 0.5; // 30 degrees either side
    s.strokes.push_back(
        {{head.x - kHead * (ux * kCos - uy * kSin), head.y - kHead * (uy * kCos + ux * kSin)},
         head,
         {head.x - kHead * (ux * kCos + uy * kSin), head.y - kHead * (uy * kCos - ux * kSin)}});
}

} // namespace

namespace RNx {

bool SymbolShape(char32_t code, RNxSymbolShape& s) {
    s = RNxSymbolShape();
    s.penWidth = kPen;
    switch (code) {
    case U'\u23E4': // straightness
        s.strokes.push_back(line(0.05, kMidY, 0.55, kMidY));
        return true;
    case U'\u232D': { // cylindricity: a circle between two slanted tangents
        constexpr double r = 0.17;
        s.circles.push_back({{kMidX, kMidY}, r});
        const double dx = 0.5 * 0.28, dy = 0.866 * 0.28; // 60 degrees, 0.28 each way
        const double nx = 0.866 * r, ny = -0.5 * r;
        for (const double side : {1.0, -1.0}) {
            const double cx = kMidX + side * nx, cy = kMidY + side * ny;
            s.strokes.push_back(line(cx - dx, cy - dy, cx + dx, cy + dy));
        }
        return true;
    }
    case U'\u2316': // position: a circle and a cross through it
        s.circles.push_back({{kMidX, kMidY}, 0.17});
        s.strokes.push_back(line(0.03, kMidY, 0.57, kMidY));
        s.strokes.push_back(line(kMidX, kMidY - 0.27, kMidX, kMidY + 0.27));
        return true;
    case U'\u232F': // symmetry: three bars, the middle one longer
        s.strokes.push_back(line(0.12, kMidY + 0.16, 0.48, kMidY + 0.16));
        s.strokes.push_back(line(0.03, kMidY, 0.57, kMidY));
        s.strokes.push_back(line(0.12, kMidY - 0.16, 0.48, kMidY - 0.16));
        return true;
    case U'\u2330': // total run-out: two arrows joined at their tails
        arrow(s, {0.06, 0.1}, {0.28, 0.6});
        arrow(s, {0.3, 0.1}, {0.52, 0.6});
        s.strokes.push_back(line(0.06, 0.1, 0.3, 0.1));
        return true;
    case U'\u2331': // dimension origin: a small circle and its line
        s.circles.push_back({{0.14, kMidY}, 0.1});
        s.strokes.push_back(line(0.24, kMidY, 0.57, kMidY));
        return true;
    case U'\u2332': // conical taper: converging lines about an axis
        s.strokes.push_back(line(0.05, kMidY + 0.2, 0.55, kMidY + 0.07));
        s.strokes.push_back(line(0.05, kMidY - 0.2, 0.55, kMidY - 0.07));
        s.strokes.push_back(line(0.02, kMidY, 0.58, kMidY));
        return true;
    case U'\u2333': // slope: a right triangle falling to the right
        s.strokes.push_back({{0.05, kMidY + 0.2}, {0.05, kMidY - 0.2}, {0.55, kMidY - 0.2}});
        s.strokes.push_back(line(0.05, kMidY + 0.2, 0.55, kMidY - 0.2));
        return true;
    case U'\u2334': // counterbore
        s.strokes.push_back(
            {{0.05, kMidY + 0.2}, {0.05, kMidY - 0.2}, {0.55, kMidY - 0.2}, {0.55, kMidY + 0.2}});
        return true;
    default:
        break;
    }
    if (code >= U'\u24B6' && code <= U'\u24CF') { // circled capitals: modifiers such as MMC
        constexpr double kLetterSize = 0.55;
        s.circles.push_back({{kMidX, kMidY}, 0.29});
        s.letter = U'A' + (code - U'\u24B6');
        s.letterSize = kLetterSize;
        // Capitals of the drawing font are about 0.73 heights tall.
        s.letterOrigin = {kMidX - 0.5 * UCxStringUtil::kAdvanceRatio * kLetterSize,
                          kMidY - 0.5 * 0.73 * kLetterSize};
        return true;
    }
    return false;
}

} // namespace RNx
