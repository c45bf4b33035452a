#pragma once
// The text formatter: reads the format codes of a formatted text into lines of runs (a font and
// a height each), measures them in the one monospace model (UCxStringUtil) and wraps them to a
// width. Every reader of format codes goes through Parse, so that a code means the same in a
// note, a table cell and a symbol.
//
// Codes (a code that needs a closing ';' and has none is plain characters):
//   \P            new line ('\n' in the text does the same)            [paragraph code]
//   \Fid;         font by number; \Fname; by file name: the GD&T font when the name holds "GDT",
//                 else the font the text started in
//   \Hvalue;      height in model units; \Hvaluex; a factor of the current height; a
//                 height above kMaxHeight is not taken
//   \Sa^b;        stacked: drawn "a/b" ('#' and '^' stand for the slash)
//   \Avalue;      vertical alignment of a line's runs: drawn as nothing
//   \~            a space that wrapping never breaks at                [paragraph code]
//   {  }          a group: font and height come back at its end
//   \\  \{  \}    the character itself; any other "\c" is c, a lone '\' at the end is itself
#include <cstdint>
#include <string_view>
#include <vector>

#include "utx/UTxString16.h"

class BBox;
class RDxString;
class SMxDisplayList;

struct UCxTextRun {
    UTxString16 text;
    int32_t fontId = 0;
    double height = 0.0;
    bool stacked = false; // a stacked code's parts, joined by '/'
    bool operator==(const UCxTextRun&) const = default;
};

struct UCxTextLine {
    std::vector<UCxTextRun> runs; // never two neighbours of the same font, height and stacking
    // Width in the monospace model: each run at its own height.
    double Width() const;
    // The tallest run; `fallback` for an empty line.
    double Height(double fallback) const;
    UTxString16 Text() const;
    bool operator==(const UCxTextLine&) const = default;
};

struct UCxFormattedText {
    std::vector<UCxTextLine> lines; // empty text has no lines; "a\P" has two
    double baseHeight = 0.0;        // the height the text started at
    // The characters, lines joined by '\n'.
    UTxString16 PlainText() const;
    double Width() const;
    // The first line is its own height; each further line adds linePitch times its height.
    double Height(double linePitch) const;
};

class UCxTextFormatter {
public:
    // The tallest text a code may ask for, in model units: far above any sheet, far below
    // where positions stop being exact.
    static constexpr double kMaxHeight = 1.0e4;

    // `gdtFontId` is what a "\F...GDT...;" name selects (-1: no such font). Without
    // `paragraphCodes` "\P" and "\~" are the letters P and ~: table cells have always read
    // them so (a path "C:\Parts" shows as "C:Parts").
    static UCxFormattedText Parse(std::u16string_view formatted, int32_t startFontId, double height,
                                  int32_t gdtFontId = -1, bool paragraphCodes = true);
    // Breaks every line at spaces so that it fits `width`; a word wider than the width stands
    // on a line of its own, unbroken. Spaces at a break are dropped. A width of 0 or less
    // leaves the text as it is.
    static UCxFormattedText Wrap(const UCxFormattedText& text, double width);

    // ---- a string state's text, placed as the string says
    // Its formatted value (the simple value when it has none) read at its height from its font.
    static UCxFormattedText Read(const RDxString& s, int32_t gdtFontId = -1);
    // Distance between baselines as a factor of the line height: the string's spacing under
    // type 0 when positive, else 1.
    static double LinePitch(const RDxString& s);
    // The box the lines take at the string's location by its attachment code, unrotated; each
    // line sits in it by the horizontal justification. Empty for text without lines.
    static BBox GetBBox(const UCxFormattedText& text, const RDxString& s);
    // Draws the lines as GetBBox places them, turned by the string's rotation about its
    // location: one text item a run, with `itemId`, in the string's colour unless it has none.
    static void Draw(const UCxFormattedText& text, const RDxString& s, SMxDisplayList& list,
                     int32_t itemId);
};
