#include "render/RNxSymbolGlyphs.h"

#include "uc/UCxStringUtil.h"

#include <cmath>
#include <numbers>

namespace {

// Every symbol is as tall as a capital and centred on the capitals' middle.
constexpr double kCap = UCxStringUtil::kCapitalRatio;
constexpr double kMid = 0.5 * kCap;
constexpr double kPen = 0.06;

using Polyline = std::vector<RNxPoint>;

Polyline line(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y1}};
}

// The upper half of a circle as a polyline, from its right end round to its left end.
Polyline upperHalf(RNxPoint centre, double r) {
    constexpr int kSteps = 24;
    Polyline p;
    for (int i = 0; i <= kSteps; ++i) {
        const double a = std::numbers::pi * i / kSteps;
        p.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return p;
}

// A two-stroke arrowhead at head, pointing away from tail.
void head(RNxSymbolShape& s, RNxPoint tail, RNxPoint head) {
    const double dx = head.x - tail.x, dy = head.y - tail.y;
    const double len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    constexpr double kHead = 0.2, kCos = 0.866, kSin = 0.5; // 30 degrees either side
    s.strokes.push_back(
        {{head.x - kHead * (ux * kCos - uy * kSin), head.y - kHead * (uy * kCos + ux * kSin)},
         head,
         {head.x - kHead * (ux * kCos + uy * kSin), head.y - kHead * (uy * kCos - ux * kSin)}});
}

void arrow(RNxSymbolShape& s, RNxPoint tail, RNxPoint tip) {
    s.strokes.push_back({tail, tip});
    head(s, tail, tip);
}

} // namespace

namespace RNx {

bool SymbolShape(char32_t code, RNxSymbolShape& s) {
    s = RNxSymbolShape();
    s.penWidth = kPen;
    switch (code) {
    // The characteristics, in cells of UCxStringUtil::kGdtSymbolAdvanceRatio.
    case U'\u23E4': // straightness
        s.strokes.push_back(line(-0.5, kMid, 0.5, kMid));
        return true;
    case U'\u23E5': // flatness: a parallelogram
        s.strokes.push_back({{-0.5, kMid - 0.2},
                             {0.3, kMid - 0.2},
                             {0.5, kMid + 0.2},
                             {-0.3, kMid + 0.2},
                             {-0.5, kMid - 0.2}});
        return true;
    case U'\u25CB': // circularity
        s.circles.push_back({{0.0, kMid}, kMid});
        return true;
    case U'\u232D': { // cylindricity: a circle between two tangents at 60 degrees
        constexpr double r = 0.25, half = kMid / 0.866;
        s.circles.push_back({{0.0, kMid}, r});
        const double dx = 0.5 * half, dy = 0.866 * half;
        const double nx = 0.866 * r, ny = -0.5 * r;
        for (const double side : {1.0, -1.0}) {
            const double cx = side * nx, cy = kMid + side * ny;
            s.strokes.push_back(line(cx - dx, cy - dy, cx + dx, cy + dy));
        }
        return true;
    }
    case U'\u2312': // profile of a line: an open half circle
        s.strokes.push_back(upperHalf({0.0, kMid - 0.3}, 0.6));
        return true;
    case U'\u2313': { // profile of a surface: the half circle closed by its chord
        Polyline p = upperHalf({0.0, kMid - 0.3}, 0.6);
        p.push_back(p.front());
        s.strokes.push_back(std::move(p));
        return true;
    }
    case U'\u27C2': // perpendicularity
        s.strokes.push_back(line(0.0, 0.0, 0.0, kCap));
        s.strokes.push_back(line(-0.45, 0.0, 0.45, 0.0));
        return true;
    case U'\u2220': // angularity: 30 degrees
        s.strokes.push_back({{0.45, 0.52}, {-0.45, 0.0}, {0.45, 0.0}});
        return true;
    case U'\u2225': // parallelism: two lines at 60 degrees
        s.strokes.push_back(line(-0.36, 0.0, 0.06, kCap));
        s.strokes.push_back(line(-0.06, 0.0, 0.36, kCap));
        return true;
    case U'\u2316': // position: a circle and a cross through it
        s.circles.push_back({{0.0, kMid}, 0.3});
        s.strokes.push_back(line(-kMid - 0.05, kMid, kMid + 0.05, kMid));
        s.strokes.push_back(line(0.0, 0.0, 0.0, kCap));
        return true;
    case U'\u25CE': // concentricity
        s.circles.push_back({{0.0, kMid}, kMid});
        s.circles.push_back({{0.0, kMid}, 0.17});
        return true;
    case U'\u232F': // symmetry: three bars, the middle one longer
        s.strokes.push_back(line(-0.3, kMid + 0.22, 0.3, kMid + 0.22));
        s.strokes.push_back(line(-0.5, kMid, 0.5, kMid));
        s.strokes.push_back(line(-0.3, kMid - 0.22, 0.3, kMid - 0.22));
        return true;
    case U'\u2197': // circular run-out
        arrow(s, {-0.3, 0.0}, {0.3, kCap});
        return true;
    case U'\u2330': // total run-out: two arrows joined at their tails
        arrow(s, {-0.45, 0.0}, {-0.1, kCap});
        arrow(s, {0.05, 0.0}, {0.4, kCap});
        s.strokes.push_back(line(-0.45, 0.0, 0.05, 0.0));
        return true;
    // The others, among text, in cells of UCxStringUtil::kGdtModifierAdvanceRatio.
    case U'\u2300': // diameter
        s.circles.push_back({{0.0, kMid}, 0.27});
        s.strokes.push_back(line(-0.2, -0.02, 0.2, kCap + 0.02));
        return true;
    case U'\u2331': // dimension origin: a small circle and its line
        s.circles.push_back({{-0.3, kMid}, 0.1});
        s.strokes.push_back(line(-0.2, kMid, 0.42, kMid));
        return true;
    case U'\u2332': // conical taper: converging lines about an axis
        s.strokes.push_back(line(-0.4, kMid + 0.25, 0.4, kMid + 0.09));
        s.strokes.push_back(line(-0.4, kMid - 0.25, 0.4, kMid - 0.09));
        s.strokes.push_back(line(-0.45, kMid, 0.45, kMid));
        return true;
    case U'\u2333': // slope: a right triangle falling to the right
        s.strokes.push_back(
            {{-0.4, kMid + 0.25}, {-0.4, kMid - 0.25}, {0.4, kMid - 0.25}, {-0.4, kMid + 0.25}});
        return true;
    case U'\u2334': // counterbore
        s.strokes.push_back({{-0.4, kCap - 0.1}, {-0.4, 0.1}, {0.4, 0.1}, {0.4, kCap - 0.1}});
        return true;
    case U'\u2335': // countersink
        s.strokes.push_back({{-0.4, kCap - 0.05}, {0.0, 0.05}, {0.4, kCap - 0.05}});
        return true;
    case U'\u21A7': // depth: an arrow down from a bar
        s.strokes.push_back(line(-0.25, kCap, 0.25, kCap));
        arrow(s, {0.0, kCap}, {0.0, 0.0});
        return true;
    case U'\u25A1': // square
        s.strokes.push_back({{-0.3, kMid - 0.3},
                             {0.3, kMid - 0.3},
                             {0.3, kMid + 0.3},
                             {-0.3, kMid + 0.3},
                             {-0.3, kMid - 0.3}});
        return true;
    case U'\u2194': // between: a double arrow
        arrow(s, {-0.45, kMid}, {0.45, kMid});
        head(s, {0.45, kMid}, {-0.45, kMid});
        return true;
    default:
        break;
    }
    if (code >= U'\u24B6' && code <= U'\u24CF') { // circled capitals: modifiers such as MMC
        constexpr double kLetterSize = 0.5;
        s.circles.push_back({{0.0, kMid}, 0.4});
        s.letter = U'A' + (code - U'\u24B6');
        s.letterSize = kLetterSize;
        s.letterOrigin = {-0.5 * UCxStringUtil::kAdvanceRatio * kLetterSize,
                          kMid - 0.5 * kCap * kLetterSize};
        return true;
    }
    return false;
}

} // namespace RNx
