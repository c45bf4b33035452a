#include "render/RNxScene.h"

#include "render/RNxCairo.h"
#include "render/RNxRenderer.h"
#include "render/RNxSymbolGlyphs.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

// Index colours: the first few are the usual pen colours, chosen to read well on white paper.
constexpr uint32_t kPalette[] = {
    0x000000FFu, // 0 black
    0xFF0000FFu, // 1 red
    0x00A000FFu, // 2 green
    0x0000FFFFu, // 3 blue
    0xC8A000FFu, // 4 yellow (darkened)
    0xC000C0FFu, // 5 magenta
    0x00A0A0FFu, // 6 cyan
    0x808080FFu, // 7 grey
    0xFF8000FFu, // 8 orange
    0x804000FFu, // 9 brown
};

constexpr double kDefaultWidth = 0.25;
constexpr double kFrameWidth = 0.18;

bool finite(const WqGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(const WqGeVector3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

class Builder {
public:
    Builder(RNxScene& scene, RNxFonts& fonts) : mScene(scene), mFonts(fonts) {}

    void Frame() {
        const double inset = kFrameWidth * 0.5;
        RNxPrimitive& p = Add(RNxPrimitive::Kind::Stroke, 0x000000FFu);
        p.width = kFrameWidth;
        p.roundCaps = false;
        const double w = mScene.width - inset, h = mScene.height - inset;
        p.path = {Step(RNxPathOp::Move, {inset, inset}), Step(RNxPathOp::Line, {w, inset}),
                  Step(RNxPathOp::Line, {w, h}), Step(RNxPathOp::Line, {inset, h}),
                  Step(RNxPathOp::Close, {})};
    }

    void List(const SMxDisplayList& list, const WqGeMatrix3d& xform, SMxDrawAttributes attrs = {}) {
        attrs.Enter(list);
        const SMxDrawAttributes* outer = std::exchange(mAttrs, &attrs);
        for (const SMxDisplayItem& item : list) {
            switch (item.GetKind()) {
            case SMxItemKind::Line:
                Line(*item.As<SMxLineItem>(), xform);
                break;
            case SMxItemKind::Polyline:
                Polyline(*item.As<SMxPolylineItem>(), xform);
                break;
            case SMxItemKind::Arc:
                Arc(*item.As<SMxArcItem>(), xform);
                break;
            case SMxItemKind::Text:
                Text(*item.As<SMxTextItem>(), xform);
                break;
            case SMxItemKind::Fill:
                Fill(*item.As<SMxFillItem>(), xform);
                break;
            // Hot points and other markers serve picking on screen, not the printed sheet.
            case SMxItemKind::Point:
                break;
            case SMxItemKind::Child: {
                const SMxChildItem& child = *item.As<SMxChildItem>();
                List(child.list, xform * child.GetTransform(), attrs);
                break;
            }
            }
        }
        mAttrs = outer;
    }

private:
    static RNxPathStep Step(RNxPathOp op, RNxPoint p) {
        RNxPathStep step;
        step.op = op;
        step.p[0] = p;
        return step;
    }

    // Sheet millimetres, y up, to the page, y down.
    RNxPoint Page(const WqGePoint3d& p) const { return {p.x, mScene.height - p.y}; }
    static RNxPoint PageVector(const WqGeVector3d& v) { return {v.x, -v.y}; }

    RNxPrimitive& Add(RNxPrimitive::Kind kind, uint32_t rgba) {
        RNxPrimitive& p = mScene.items.emplace_back();
        p.kind = kind;
        p.rgba = rgba;
        return p;
    }

    // The item's look under the lists being drawn.
    uint32_t Color(const SMxDisplayItem& item) const {
        return RNx::ResolveColor(mAttrs ? mAttrs->ColorOf(item) : item.GetColor());
    }

    RNxPrimitive& AddStroke(const SMxDisplayItem& item) {
        RNxPrimitive& p = Add(RNxPrimitive::Kind::Stroke, Color(item));
        p.width = RNx::LineWidthMm(mAttrs ? mAttrs->LineWeightOf(item) : item.GetLineWeight());
        p.dashes =
            RNx::DashPattern(mAttrs ? mAttrs->LineStyleOf(item) : item.GetLineStyle(), p.width);
        return p;
    }

    // False when a point cannot be drawn.
    bool PointPath(const WqArray<WqGePoint3d>& points, const WqGeMatrix3d& xform,
                   std::vector<RNxPathStep>& path) const {
        for (const WqGePoint3d& point : points) {
            const WqGePoint3d p = xform * point;
            if (!finite(p)) return false;
            path.push_back(Step(path.empty() ? RNxPathOp::Move : RNxPathOp::Line, Page(p)));
        }
        return true;
    }

    void Line(const SMxLineItem& item, const WqGeMatrix3d& xform) {
        const WqGePoint3d a = xform * item.start, b = xform * item.end;
        if (!finite(a) || !finite(b)) return;
        AddStroke(item).path = {Step(RNxPathOp::Move, Page(a)), Step(RNxPathOp::Line, Page(b))};
    }

    void Polyline(const SMxPolylineItem& item, const WqGeMatrix3d& xform) {
        std::vector<RNxPathStep> path;
        if (item.points.length() < 2 || !PointPath(item.points, xform, path)) return;
        if (item.closed) path.push_back(Step(RNxPathOp::Close, {}));
        AddStroke(item).path = std::move(path);
    }

    void Fill(const SMxFillItem& item, const WqGeMatrix3d& xform) {
        std::vector<RNxPathStep> path;
        if (item.boundary.length() < 3 || !PointPath(item.boundary, xform, path)) return;
        path.push_back(Step(RNxPathOp::Close, {}));
        Add(RNxPrimitive::Kind::Fill, Color(item)).path = std::move(path);
    }

    // The placed arc is c + a*cos(t) + b*sin(t) on the page, an ellipse under an uneven
    // placement; cubic segments of at most a quarter turn follow it within a few millionths.
    static void EllipsePath(RNxPoint c, RNxPoint a, RNxPoint b, double start, double sweep,
                            bool closed, std::vector<RNxPathStep>& path) {
        const auto at = [&](double t) {
            return RNxPoint{c.x + a.x * std::cos(t) + b.x * std::sin(t),
                            c.y + a.y * std::cos(t) + b.y * std::sin(t)};
        };
        const auto tangent = [&](double t) {
            return RNxPoint{-a.x * std::sin(t) + b.x * std::cos(t),
                            -a.y * std::sin(t) + b.y * std::cos(t)};
        };
        const int segments =
            std::max(1, static_cast<int>(std::ceil(sweep / (0.5 * std::numbers::pi) - 1e-9)));
        const double step = sweep / segments;
        const double k = 4.0 / 3.0 * std::tan(step / 4.0);
        path.push_back(Step(RNxPathOp::Move, at(start)));
        for (int i = 0; i < segments; ++i) {
            const double t0 = start + step * i, t1 = start + step * (i + 1);
            const RNxPoint p0 = at(t0), p1 = at(t1), d0 = tangent(t0), d1 = tangent(t1);
            RNxPathStep curve;
            curve.op = RNxPathOp::Curve;
            curve.p[0] = {p0.x + k * d0.x, p0.y + k * d0.y};
            curve.p[1] = {p1.x - k * d1.x, p1.y - k * d1.y};
            curve.p[2] = p1;
            path.push_back(curve);
        }
        if (closed) path.push_back(Step(RNxPathOp::Close, {}));
    }

    void Arc(const SMxArcItem& item, const WqGeMatrix3d& xform) {
        const double sweep = item.SweepAngle();
        if (!(item.radius > 0.0) || !(sweep > 0.0) || !std::isfinite(item.startAngle)) return;
        // The arc's own axes, scaled by its radius, as it places its points.
        const WqGeVector3d a = xform * (item.PointAt(0.0) - item.center);
        const WqGeVector3d b = xform * (item.PointAt(0.5 * std::numbers::pi) - item.center);
        const WqGePoint3d c = xform * item.center;
        if (!finite(a) || !finite(b) || !finite(c)) return;
        std::vector<RNxPathStep> path;
        EllipsePath(Page(c), PageVector(a), PageVector(b), item.startAngle, sweep,
                    item.IsFullCircle(), path);
        AddStroke(item).path = std::move(path);
    }

    void Text(const SMxTextItem& item, const WqGeMatrix3d& xform) {
        const double h = item.height;
        if (!(h > 0.0) || !std::isfinite(h) || item.text.empty()) return;
        WqGeVector3d xAxis, yAxis;
        item.GetTextFrame(xAxis, yAxis);
        const WqGePoint3d origin = xform * item.position;
        const WqGeVector3d placedX = xform * xAxis, placedY = xform * yAxis;
        if (!finite(origin) || !finite(placedX) || !finite(placedY)) return;
        const RNxPoint o = Page(origin), x = PageVector(placedX), y = PageVector(placedY);
        // Glyphs are drawn in a frame with y down, so the text's up axis is negated.
        const double m[6] = {x.x, x.y, -y.x, -y.y, o.x, o.y};
        const double det = m[0] * m[3] - m[2] * m[1];
        if (!(std::abs(det) > 1e-12)) return; // seen edge on
        const uint32_t rgba = Color(item);
        const auto toPage = [&](double u, double v) {
            return RNxPoint{o.x + x.x * u + y.x * v, o.y + x.y * u + y.y * v};
        };

        RNxPrimitive text;
        text.kind = RNxPrimitive::Kind::Text;
        text.rgba = rgba;
        std::copy(m, m + 6, text.matrix);
        std::vector<RNxPrimitive> shapes;

        const double cell = UCxStringUtil::kAdvanceRatio * h;
        // The drawing font is scaled so that its advance is exactly the model's.
        const double monoAdvance =
            mFonts.Advance(RNxFont::Mono, mFonts.GlyphIndex(RNxFont::Mono, U'M'));
        const double monoSize =
            cell / (monoAdvance > 0.0 ? monoAdvance : UCxStringUtil::kAdvanceRatio);
        const auto mono = [&](char32_t code, double cx, double cy, double size) {
            const uint32_t index = mFonts.GlyphIndex(RNxFont::Mono, code);
            text.glyphs.push_back({RNxFont::Mono, code, index, cx, -cy, size,
                                   mFonts.Advance(RNxFont::Mono, index) * size});
        };
        for (const UCxTextCell& c : UCxStringUtil::LayoutCells(
                 item.text, h, UCxStringUtil::kDefaultLinePitch, item.alignment)) {
            // Control characters take their cell but draw nothing. Blanks stay, so that a
            // line of SVG text reads as written.
            if (c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0) || c.code == 0xFFFE ||
                c.code == 0xFFFF)
                continue;
            RNxSymbolShape shape;
            if (RNx::SymbolShape(c.code, shape)) {
                RNxPrimitive& strokes = shapes.emplace_back();
                strokes.rgba = rgba;
                strokes.width = shape.penWidth * h * std::sqrt(std::abs(det));
                const double middle = c.x + 0.5 * c.advance;
                const auto at = [&](RNxPoint p) { return toPage(middle + p.x * h, c.y + p.y * h); };
                for (const auto& polyline : shape.strokes)
                    for (std::size_t i = 0; i < polyline.size(); ++i)
                        strokes.path.push_back(
                            Step(i == 0 ? RNxPathOp::Move : RNxPathOp::Line, at(polyline[i])));
                for (const RNxSymbolShape::Circle& circle : shape.circles) {
                    const double r = circle.radius * h;
                    EllipsePath(at(circle.center), {x.x * r, x.y * r}, {y.x * r, y.y * r}, 0.0,
                                2.0 * std::numbers::pi, true, strokes.path);
                }
                if (shape.letter)
                    mono(shape.letter, middle + shape.letterOrigin.x * h,
                         c.y + shape.letterOrigin.y * h, monoSize * shape.letterSize);
                continue;
            }
            const uint32_t monoIndex = mFonts.GlyphIndex(RNxFont::Mono, c.code);
            const uint32_t sansIndex = monoIndex ? 0 : mFonts.GlyphIndex(RNxFont::Sans, c.code);
            if (monoIndex || !sansIndex) {
                // A cell wider than the font's (a symbol the fonts hold after all) centres it.
                const double left =
                    c.advance == cell
                        ? c.x
                        : c.x + 0.5 * (c.advance -
                                       mFonts.Advance(RNxFont::Mono, monoIndex) * monoSize);
                mono(c.code, left, c.y, monoSize);
                continue;
            }
            // A wider glyph of the fallback font shrinks to its cell; any glyph is centred in it.
            const double advance = mFonts.Advance(RNxFont::Sans, sansIndex) * monoSize;
            const double scale = advance > c.advance ? c.advance / advance : 1.0;
            text.glyphs.push_back({RNxFont::Sans, c.code, sansIndex,
                                   c.x + 0.5 * (c.advance - advance * scale), -c.y,
                                   monoSize * scale, advance * scale});
        }
        if (!text.glyphs.empty()) mScene.items.push_back(std::move(text));
        for (RNxPrimitive& shape : shapes)
            mScene.items.push_back(std::move(shape));
    }

    RNxScene& mScene;
    RNxFonts& mFonts;
    // The attributes of the list being drawn.
    const SMxDrawAttributes* mAttrs = nullptr;
};

} // namespace

namespace RNx {

uint32_t ResolveColor(const SMxColor& color) {
    if (!color.IsIndex()) return color.GetValue();
    return color.GetValue() < std::size(kPalette) ? kPalette[color.GetValue()] : kPalette[0];
}

double LineWidthMm(int32_t weight) {
    return weight > 0 ? weight / 100.0 : kDefaultWidth;
}

std::vector<double> DashPattern(int32_t style, double width) {
    // Patterns are for the default pen and grow with heavier pens so the gaps stay open.
    const double k = std::max(1.0, width / kDefaultWidth);
    switch (style) {
    case 1:
        return {3.0 * k, 1.5 * k};
    case 2:
        return {8.0 * k, 1.5 * k, 0.5 * k, 1.5 * k};
    case 3:
        return {0.0, 1.0 * k};
    default:
        return {};
    }
}

RNxScene BuildScene(const RNxSheet& sheet, const std::vector<RNxLayer>& layers, RNxFonts& fonts) {
    RNxScene scene;
    scene.title = UTx::ToUtf8(sheet.name);
    scene.width = sheet.width;
    scene.height = sheet.height;
    Builder builder(scene, fonts);
    builder.Frame();
    for (const RNxLayer& layer : layers)
        if (layer.list) builder.List(*layer.list, layer.transform);
    return scene;
}

} // namespace RNx
