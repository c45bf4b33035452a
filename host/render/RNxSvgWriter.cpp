// SVG is written here rather than by cairo: cairo numbers its elements per process and draws
// text as glyph outlines, while this gives the same file for the same sheet, with real text.
#include "render/RNxCairo.h"
#include "render/RNxScene.h"

#include "WinText.h"

#include <charconv>
#include <cmath>

namespace {

// Millimetres to a tenth of a micrometre: finer than any printer, short enough to read.
std::string num(double v) {
    if (!std::isfinite(v)) return "0";
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    if (ec != std::errc()) return "0";
    std::string s(buf, end);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

void appendUtf8(std::string& out, char32_t code) {
    switch (code) {
    case U'&':
        out += "&amp;";
        return;
    case U'<':
        out += "&lt;";
        return;
    case U'>':
        out += "&gt;";
        return;
    case U'"':
        out += "&quot;";
        return;
    default:
        break;
    }
    WinAppendUtf8(out, code);
}

std::string escaped(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // Control characters are not allowed in XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
    return out;
}

// fill="#rrggbb" and, when not opaque, its opacity.
std::string paint(const char* what, uint32_t rgba) {
    static const char hex[] = "0123456789abcdef";
    std::string s = std::string(" ") + what + "=\"#";
    for (int shift = 28; shift >= 8; shift -= 4)
        s += hex[(rgba >> shift) & 0xF];
    s += '"';
    if ((rgba & 0xFF) != 0xFF)
        s += std::string(" ") + what + "-opacity=\"" + num((rgba & 0xFF) / 255.0) + '"';
    return s;
}

std::string pathData(const std::vector<RNxPathStep>& path) {
    std::string d;
    for (const RNxPathStep& s : path) {
        if (!d.empty()) d += ' ';
        switch (s.op) {
        case RNxPathOp::Move:
            d += "M " + num(s.p[0].x) + ' ' + num(s.p[0].y);
            break;
        case RNxPathOp::Line:
            d += "L " + num(s.p[0].x) + ' ' + num(s.p[0].y);
            break;
        case RNxPathOp::Curve:
            d += "C";
            for (const RNxPoint& p : s.p)
                d += ' ' + num(p.x) + ' ' + num(p.y);
            break;
        case RNxPathOp::Close:
            d += "Z";
            break;
        }
    }
    return d;
}

// Glyphs that follow one another at their font's own advance, on one baseline, become one
// text element: viewers that take only the first of the positions given per character still
// place the rest right. Characters beyond the basic plane stand alone, as viewers count them
// unevenly.
void writeText(std::string& out, const RNxPrimitive& text) {
    std::string transform = "matrix(";
    for (int i = 0; i < 6; ++i)
        transform += (i ? " " : "") + num(text.matrix[i]);
    transform += ')';
    const std::vector<RNxGlyph>& glyphs = text.glyphs;
    const auto follows = [](const RNxGlyph& a, const RNxGlyph& b) {
        return a.code < 0x10000 && b.code < 0x10000 && a.font == b.font && a.size == b.size &&
               a.y == b.y && std::abs(a.x + a.advance - b.x) <= 1e-9 * (1.0 + a.advance);
    };
    for (std::size_t first = 0; first < glyphs.size();) {
        const RNxGlyph& g = glyphs[first];
        std::size_t last = first + 1;
        while (last < glyphs.size() && follows(glyphs[last - 1], glyphs[last]))
            ++last;
        std::string xs, chars;
        for (std::size_t i = first; i < last; ++i) {
            xs += (i == first ? "" : " ") + num(glyphs[i].x);
            appendUtf8(chars, glyphs[i].code);
        }
        out += "<text transform=\"" + transform + "\" x=\"" + xs + "\" y=\"" + num(g.y) +
               "\" font-family=\"" + RNxFonts::Family(g.font) + "\" font-size=\"" + num(g.size) +
               "\" xml:space=\"preserve\"" + paint("fill", text.rgba) + '>' + chars + "</text>\n";
        first = last;
    }
}

} // namespace

namespace RNx {

std::string WriteSvg(const RNxScene& scene) {
    const std::string w = num(scene.width), h = num(scene.height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    out += "<title>" + escaped(scene.title) + "</title>\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    out += "<g fill=\"none\" stroke-linejoin=\"round\">\n";
    for (const RNxPrimitive& item : scene.items) {
        switch (item.kind) {
        case RNxPrimitive::Kind::Stroke: {
            out += "<path d=\"" + pathData(item.path) + '"' + paint("stroke", item.rgba) +
                   " stroke-width=\"" + num(item.width) + '"';
            if (item.roundCaps) out += " stroke-linecap=\"round\"";
            if (!item.dashes.empty()) {
                out += " stroke-dasharray=\"";
                for (std::size_t i = 0; i < item.dashes.size(); ++i)
                    out += (i ? " " : "") + num(item.dashes[i]);
                out += '"';
            }
            out += "/>\n";
            break;
        }
        case RNxPrimitive::Kind::Fill:
            out += "<path d=\"" + pathData(item.path) + '"' + paint("fill", item.rgba) + "/>\n";
            break;
        case RNxPrimitive::Kind::Text:
            writeText(out, item);
            break;
        }
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace RNx
