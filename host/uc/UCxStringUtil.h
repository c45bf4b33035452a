#pragma once
// The one text engine of layout and drawing: a monospace model whose metrics depend on nothing
// but the text and its height, so that a frame sized by layout fits the drawn text exactly. The
// glyphs of the GD&T symbol font have wider cells of their own (see AdvanceRatio).
#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "utx/UTxString16.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class SMxTextAlign : uint8_t;
class FWxSceneDoc;
class RDxString;
class SMxColor;

// Size of a block of text in the monospace model.
struct UCxTextExtent {
    double width = 0.0;
    double height = 0.0;
    int32_t columns = 0; // characters of the longest line
    int32_t lines = 0;
};

// One character of laid-out text: its code point and the left end of its cell on the baseline,
// relative to the text position, in the text's frame (x along the baseline, y up).
struct UCxTextCell {
    char32_t code = 0;
    double x = 0.0;
    double y = 0.0;
    double advance = 0.0; // width of the cell
};

// Symbols of the GD&T symbol font, numbered by us; the font's own codes are bound to these.
enum class UCxGdtSymbol : int32_t {
    Straightness = 1,
    Flatness,
    Circularity,
    Cylindricity,
    LineProfile,
    SurfaceProfile,
    Perpendicularity,
    Angularity,
    Parallelism,
    Position,
    Concentricity,
    Symmetry,
    CircularRunout,
    TotalRunout,
    Diameter,
    SphericalDiameter,
    Mmc,
    Lmc,
    Rfs,
    ProjectedZone,
    FreeState,
    TangentPlane,
    Statistical,
    UnequallyDisposed,
    Envelope,
    Independency,
    ContinuousFeature,
    DimensionOrigin,
    Counterbore,
    Countersink,
    Depth,
    Square,
    ConicalTaper,
    Slope,
    Between,
    Degree,
    PlusMinus,
};

class UCxStringUtil {
public:
    // Advance of every character but the GD&T symbols, as a fraction of the height.
    static constexpr double kAdvanceRatio = 0.6;
    // Advance of a characteristic symbol (position, flatness, ...): with a frame's white space
    // its cell is about as wide as a frame scaled to the text (two heights) is tall, so that it
    // reads as the square cell of a good drawing.
    static constexpr double kGdtSymbolAdvanceRatio = 1.9;
    // Advance of the other GD&T symbols (diameter, circled modifiers, ...), which stand among
    // text: a capital-sized glyph with some room on either side.
    static constexpr double kGdtModifierAdvanceRatio = 1.0;
    // Height of the capitals of the drawing font, as a fraction of the height: every GD&T symbol
    // is drawn as tall.
    static constexpr double kCapitalRatio = 0.73;
    // Distance between baselines, as a factor of the height, when the text style gives none.
    static constexpr double kDefaultLinePitch = 1.0;
    // Height of the baseline above the bottom of its line, as a fraction of the height: capitals
    // and descenders of the drawing font both stay inside the line.
    static constexpr double kBaselineRatio = 0.25;

    // The code points of one line: a surrogate pair is one character, a lone surrogate becomes
    // U+FFFD and still counts, '\r' is dropped.
    static std::u32string CodePoints(std::u16string_view line);
    // The advance of one character as a fraction of the height.
    static double AdvanceRatio(char32_t code);
    // Width of one line (no '\n') at this height.
    static double LineWidth(std::u16string_view line, double height);
    static int32_t CharCount(std::u16string_view line);
    // Lines split at '\n'; empty text has no lines, "a\n" has two.
    static std::vector<std::u16string_view> SplitLines(std::u16string_view text);

    // Width of the widest line and height of the block: the first line is one height, each
    // further line adds linePitch heights.
    static UCxTextExtent GetTextExtent(std::u16string_view text, double height,
                                       double linePitch = kDefaultLinePitch);
    // Offset of the block's bottom-left corner from the text position, in the text's frame.
    static WqGeVector3d GetBoxOffset(const UCxTextExtent& extent, SMxTextAlign alignment);
    // The box of the text placed at position, its baseline along direction in the plane with
    // this normal; empty for empty text. Agrees with SMxTextItem's box for a pitch of 1.
    static BBox GetBBox(std::u16string_view text, double height, double linePitch,
                        SMxTextAlign alignment, const WqGePoint3d& position,
                        const WqGeVector3d& direction,
                        const WqGeVector3d& normal = WqGeVector3d::kZAxis);
    // The box of a string state's display text at its own height, centred on the origin along
    // X (the document does not change the metrics of the monospace model).
    static BBox GetBBox(const RDxString& text, FWxSceneDoc* doc);
    // The string's own colour as a display colour (channels clamped to 0..1).
    static SMxColor ColorOf(const RDxString& text);
    // How a string's colour departs from its text style's (colour `styleColor`, or its layer's
    // when `styleByLayer`): `byLayerDiffers` when the string follows its layer and the style
    // does not or the other way round; `colorDiffers` when the string has a colour of its own
    // (it does not follow its layer) other than the style's.
    static void CompareTextSettings(const RDxString& text, bool styleByLayer,
                                    const SMxColor& styleColor, bool& byLayerDiffers,
                                    bool& colorDiffers);
    // Unit baseline and up directions of a text's frame, as SMxTextItem::GetTextFrame.
    static void GetTextFrame(const WqGeVector3d& direction, const WqGeVector3d& normal,
                             WqGeVector3d& xAxis, WqGeVector3d& yAxis);
    // Every character cell of the text in drawing order; each line sits in the block as the
    // alignment's column says (left, centred or right).
    static std::vector<UCxTextCell> LayoutCells(std::u16string_view text, double height,
                                                double linePitch, SMxTextAlign alignment);

    // The Unicode text drawn for a symbol-font glyph (see UCxGdtSymbol); empty for an unknown
    // number. Most are one character; a few are short sequences such as "⟨ST⟩".
    static UTxString16 GdtGlyphToUnicode(int32_t symbol);
};
