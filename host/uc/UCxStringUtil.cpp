#include "uc/UCxStringUtil.h"

#include "rd/RDxString.h"
#include "sm/SMxColor.h"
#include "sm/SMxDisplayItem.h"

#include <algorithm>
#include <cmath>

namespace {

bool isLead(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isTrail(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

struct GdtEntry {
    UCxGdtSymbol symbol;
    const char16_t* text;
};

// The symbols drawn for the symbol font, in the notation of ISO 1101 and ASME Y14.5.
constexpr GdtEntry kGdtTable[] = {
    {UCxGdtSymbol::Straightness, u"\u23E4"},
    {UCxGdtSymbol::Flatness, u"\u23E5"},
    {UCxGdtSymbol::Circularity, u"\u25CB"},
    {UCxGdtSymbol::Cylindricity, u"\u232D"},
    {UCxGdtSymbol::LineProfile, u"\u2312"},
    {UCxGdtSymbol::SurfaceProfile, u"\u2313"},
    {UCxGdtSymbol::Perpendicularity, u"\u27C2"},
    {UCxGdtSymbol::Angularity, u"\u2220"},
    {UCxGdtSymbol::Parallelism, u"\u2225"},
    {UCxGdtSymbol::Position, u"\u2316"},
    {UCxGdtSymbol::Concentricity, u"\u25CE"},
    {UCxGdtSymbol::Symmetry, u"\u232F"},
    {UCxGdtSymbol::CircularRunout, u"\u2197"},
    {UCxGdtSymbol::TotalRunout, u"\u2330"},
    {UCxGdtSymbol::Diameter, u"\u2300"},
    {UCxGdtSymbol::SphericalDiameter, u"S\u2300"},
    {UCxGdtSymbol::Mmc, u"\u24C2"},
    {UCxGdtSymbol::Lmc, u"\u24C1"},
    {UCxGdtSymbol::Rfs, u"\u24C8"},
    {UCxGdtSymbol::ProjectedZone, u"\u24C5"},
    {UCxGdtSymbol::FreeState, u"\u24BB"},
    {UCxGdtSymbol::TangentPlane, u"\u24C9"},
    {UCxGdtSymbol::Statistical, u"\u27E8ST\u27E9"},
    {UCxGdtSymbol::UnequallyDisposed, u"\u24CA"},
    {UCxGdtSymbol::Envelope, u"\u24BA"},
    {UCxGdtSymbol::Independency, u"\u24BE"},
    {UCxGdtSymbol::ContinuousFeature, u"\u27E8CF\u27E9"},
    {UCxGdtSymbol::DimensionOrigin, u"\u2331"},
    {UCxGdtSymbol::Counterbore, u"\u2334"},
    {UCxGdtSymbol::Countersink, u"\u2335"},
    {UCxGdtSymbol::Depth, u"\u21A7"},
    {UCxGdtSymbol::Square, u"\u25A1"},
    {UCxGdtSymbol::ConicalTaper, u"\u2332"},
    {UCxGdtSymbol::Slope, u"\u2333"},
    {UCxGdtSymbol::Between, u"\u2194"},
    {UCxGdtSymbol::Degree, u"\u00B0"},
    {UCxGdtSymbol::PlusMinus, u"\u00B1"},
};

// The symbols that fill a frame's symbol cell alone.
bool IsGdtCharacteristic(char32_t c) {
    switch (c) {
    case U'\u23E4':
    case U'\u23E5':
    case U'\u25CB':
    case U'\u232D':
    case U'\u2312':
    case U'\u2313':
    case U'\u27C2':
    case U'\u2220':
    case U'\u2225':
    case U'\u2316':
    case U'\u25CE':
    case U'\u232F':
    case U'\u2197':
    case U'\u2330':
        return true;
    default:
        return false;
    }
}

// The other one-character symbols of the table; the degree and plus-minus signs are text.
bool IsGdtModifier(char32_t c) {
    if (c >= U'\u24B6' && c <= U'\u24CF') return true; // circled capitals
    switch (c) {
    case U'\u2300':
    case U'\u2331':
    case U'\u2332':
    case U'\u2333':
    case U'\u2334':
    case U'\u2335':
    case U'\u21A7':
    case U'\u25A1':
    case U'\u2194':
        return true;
    default:
        return false;
    }
}

// The line's width as a sum: monospace characters as one product, so that plain text measures
// to the same bits as count * advance * height.
struct LineMeasure {
    int32_t plain = 0;
    double extra = 0.0; // sum of the symbols' advance ratios
    double Width(double height) const {
        return UCxStringUtil::kAdvanceRatio * height * plain + height * extra;
    }
    void Add(char32_t c) {
        const double r = UCxStringUtil::AdvanceRatio(c);
        if (r == UCxStringUtil::kAdvanceRatio)
            ++plain;
        else
            extra += r;
    }
};

// Display items size their texts by the same metric.
[[maybe_unused]] const bool kItemsMeasureLikeLayout = [] {
    SMxTextItem::SetWidthMetric([](std::u16string_view text, double height) {
        return UCxStringUtil::GetTextExtent(text, height).width;
    });
    return true;
}();

} // namespace

double UCxStringUtil::AdvanceRatio(char32_t code) {
    if (IsGdtCharacteristic(code)) return kGdtSymbolAdvanceRatio;
    if (IsGdtModifier(code)) return kGdtModifierAdvanceRatio;
    return kAdvanceRatio;
}

namespace {
// The line's code points in order, without building them: text is measured on every compute.
template <class F>
void ForEachCodePoint(std::u16string_view line, F&& f) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (c == u'\r') continue;
        if (isLead(c) && i + 1 < line.size() && isTrail(line[i + 1])) {
            f(0x10000 + ((char32_t(c) - 0xD800) << 10) + (line[i + 1] - 0xDC00));
            ++i;
        } else if (isLead(c) || isTrail(c)) {
            f(char32_t(0xFFFD));
        } else {
            f(char32_t(c));
        }
    }
}
} // namespace

double UCxStringUtil::LineWidth(std::u16string_view line, double height) {
    LineMeasure m;
    ForEachCodePoint(line, [&](char32_t c) { m.Add(c); });
    return m.Width(height);
}

std::u32string UCxStringUtil::CodePoints(std::u16string_view line) {
    std::u32string out;
    out.reserve(line.size());
    ForEachCodePoint(line, [&](char32_t c) { out.push_back(c); });
    return out;
}

int32_t UCxStringUtil::CharCount(std::u16string_view line) {
    int32_t n = 0;
    ForEachCodePoint(line, [&](char32_t) { ++n; });
    return n;
}

std::vector<std::u16string_view> UCxStringUtil::SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

UCxTextExtent UCxStringUtil::GetTextExtent(std::u16string_view text, double height,
                                           double linePitch) {
    UCxTextExtent extent;
    if (text.empty()) return extent;
    // The lines SplitLines gives, measured where they lie; each in one pass.
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        LineMeasure m;
        int32_t count = 0;
        ForEachCodePoint(text.substr(start, end - start), [&](char32_t c) {
            m.Add(c);
            ++count;
        });
        extent.columns = std::max(extent.columns, count);
        extent.width = std::max(extent.width, m.Width(height));
        ++extent.lines;
        if (end == text.size()) break;
        start = end + 1;
    }
    // Written so that a pitch of 1 gives exactly height * lines, as SMxTextItem computes it.
    extent.height =
        linePitch == 1.0 ? height * extent.lines : height + height * linePitch * (extent.lines - 1);
    return extent;
}

WqGeVector3d UCxStringUtil::GetBoxOffset(const UCxTextExtent& extent, SMxTextAlign alignment) {
    const int align = static_cast<int>(alignment);
    const double left = -extent.width * 0.5 * (align % 3);        // left, centre, right
    const double bottom = -extent.height * 0.5 * (2 - align / 3); // top, middle, bottom rows
    return {left, bottom, 0.0};
}

void UCxStringUtil::GetTextFrame(const WqGeVector3d& direction, const WqGeVector3d& normal,
                                 WqGeVector3d& xAxis, WqGeVector3d& yAxis) {
    // The same steps as the display items take, so that boxes agree to the last bit.
    WqGeVector3d n = normal.normal();
    if (n.isZeroLength()) n = WqGeVector3d::kZAxis;
    xAxis = (direction - n * direction.dotProduct(n)).normal();
    if (xAxis.isZeroLength()) xAxis = n.perpVector();
    yAxis = n.crossProduct(xAxis);
}

BBox UCxStringUtil::GetBBox(std::u16string_view text, double height, double linePitch,
                            SMxTextAlign alignment, const WqGePoint3d& position,
                            const WqGeVector3d& direction, const WqGeVector3d& normal) {
    BBox box;
    const UCxTextExtent extent = GetTextExtent(text, height, linePitch);
    if (extent.lines == 0) return box;
    const WqGeVector3d offset = GetBoxOffset(extent, alignment);
    WqGeVector3d x, y;
    GetTextFrame(direction, normal, x, y);
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = offset.x + ((corner & 1) ? extent.width : 0.0);
        const double cy = offset.y + ((corner & 2) ? extent.height : 0.0);
        box.extend(position + x * cx + y * cy);
    }
    return box;
}

std::vector<UCxTextCell> UCxStringUtil::LayoutCells(std::u16string_view text, double height,
                                                    double linePitch, SMxTextAlign alignment) {
    std::vector<UCxTextCell> cells;
    const UCxTextExtent extent = GetTextExtent(text, height, linePitch);
    if (extent.lines == 0) return cells;
    const WqGeVector3d offset = GetBoxOffset(extent, alignment);
    const int column = static_cast<int>(alignment) % 3;
    const double top = offset.y + extent.height;
    int32_t lineIndex = 0;
    for (const std::u16string_view line : SplitLines(text)) {
        const std::u32string codes = CodePoints(line);
        LineMeasure whole;
        for (const char32_t c : codes)
            whole.Add(c);
        const double x = offset.x + (extent.width - whole.Width(height)) * 0.5 * column;
        const double y = top - height - height * linePitch * lineIndex + kBaselineRatio * height;
        LineMeasure before;
        for (const char32_t c : codes) {
            cells.push_back({c, x + before.Width(height), y, AdvanceRatio(c) * height});
            before.Add(c);
        }
        ++lineIndex;
    }
    return cells;
}

UTxString16 UCxStringUtil::GdtGlyphToUnicode(int32_t symbol) {
    for (const GdtEntry& entry : kGdtTable)
        if (static_cast<int32_t>(entry.symbol) == symbol) return entry.text;
    return {};
}

SMxColor UCxStringUtil::ColorOf(const RDxString& text) {
    const float* c = text.GetColor();
    auto channel = [](float f) {
        // NaN clamps to 0 like any colour out of range.
        const float v = f > 0.0f ? std::min(f, 1.0f) : 0.0f;
        return uint8_t(std::lround(v * 255.0f));
    };
    return SMxColor::FromRgba(channel(c[0]), channel(c[1]), channel(c[2]), channel(c[3]));
}

void UCxStringUtil::CompareTextSettings(const RDxString& text, bool styleByLayer,
                                        const SMxColor& styleColor, bool& byLayerDiffers,
                                        bool& colorDiffers) {
    byLayerDiffers = text.GetNoColor() != styleByLayer;
    colorDiffers = !text.GetNoColor() && (styleByLayer || ColorOf(text) != styleColor);
}

BBox UCxStringUtil::GetBBox(const RDxString& text, FWxSceneDoc*) {
    return GetBBox(text.GetDisplayText(), text.GetTextHeight(), kDefaultLinePitch,
                   SMxTextAlign::MiddleCenter, WqGePoint3d::kOrigin, WqGeVector3d::kXAxis);
}
