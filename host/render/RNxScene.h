#pragma once
// The renderer's flat picture: what the display lists draw, resolved once into page
// coordinates (millimetres, origin top-left, y down), so that every output format follows the
// same drawing rules.
#include <cstdint>
#include <string>
#include <vector>

class SMxColor;
class RNxFonts;
struct RNxSheet;
struct RNxLayer;

struct RNxPoint {
    double x = 0.0;
    double y = 0.0;
};

enum class RNxPathOp : uint8_t { Move, Line, Curve, Close };

// One step of a path: Move and Line use p[0], Curve uses p[0] and p[1] as control points and
// p[2] as its end, Close none.
struct RNxPathStep {
    RNxPathOp op = RNxPathOp::Move;
    RNxPoint p[3];
};

enum class RNxFont : uint8_t { Mono, Sans };

// A glyph at (x, y) on its baseline, in the text's frame (y down), drawn at size.
struct RNxGlyph {
    RNxFont font = RNxFont::Mono;
    char32_t code = 0;
    uint32_t index = 0; // the glyph of code in font; 0 is the font's missing glyph
    double x = 0.0;
    double y = 0.0;
    double size = 0.0;
    double advance = 0.0; // the font's own advance at size
};

struct RNxPrimitive {
    enum class Kind : uint8_t { Stroke, Fill, Text };
    Kind kind = Kind::Stroke;
    uint32_t rgba = 0x000000FFu;
    // Stroke: pen width in millimetres and dash pattern (on, off, ...; empty for solid).
    double width = 0.0;
    std::vector<double> dashes;
    bool roundCaps = true;
    // Stroke and fill.
    std::vector<RNxPathStep> path;
    // Text: the frame of the glyphs on the page, as cairo and SVG write it:
    // page = (xx*x + xy*y + x0, yx*x + yy*y + y0).
    double matrix[6] = {1.0, 0.0, 0.0, 1.0, 0.0, 0.0}; // xx, yx, xy, yy, x0, y0
    std::vector<RNxGlyph> glyphs;
};

struct RNxScene {
    std::string title; // UTF-8
    double width = 0.0;
    double height = 0.0;
    std::vector<RNxPrimitive> items;
};

namespace RNx {
// Packed 0xRRGGBBAA; index colours come from a small palette, unknown indexes are black.
uint32_t ResolveColor(const SMxColor& color);
// Line weights are hundredths of a millimetre; 0 (or less) is the default 0.25 mm.
double LineWidthMm(int32_t weight);
// Dash pattern for a line style at a pen width: 0 solid, 1 dashed, 2 dash-dot (centre lines),
// 3 dotted; other styles draw solid.
std::vector<double> DashPattern(int32_t style, double width);

RNxScene BuildScene(const RNxSheet& sheet, const std::vector<RNxLayer>& layers, RNxFonts& fonts);
// The SVG document of a scene.
std::string WriteSvg(const RNxScene& scene);
} // namespace RNx
