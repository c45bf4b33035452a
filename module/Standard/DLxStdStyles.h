#pragma once
// The styles a new drawing document starts with: one feature-control-frame style, one
// identifier style, one datum-target style and one surface-texture style per drafting standard,
// named after it ("ANSI", "BSI", "DIN", "GB", "ISO", "JIS") and filled from that standard's
// defaults. Annotations that name no style take the one of the drawing's standard.
#include <cstdint>

class DLxDrawing;
class DUxBalloonStyle;
class DUxDimensionStyle;
class DUxSurfaceTextureStyle;
class DUxTextStyle;
class DUxWeldStyle;
class DUxTableStylePartsList;
class FWxSceneDoc;

class DLxStdStyles {
public:
    // Adds the styles the document lacks, in its drawing's segment; false without a drawing.
    static bool AddDocumentStyles(FWxSceneDoc* doc);
    // The drawing's parts-list style of its standard, named after it; made from the standard's
    // parts-list defaults (title, column headings and widths, text heights) the first time a
    // parts list asks, so that drawings without parts lists carry none. Null without a drawing.
    static DUxTableStylePartsList* GetPartsListStyle(FWxSceneDoc* doc);
    // The drawing's balloon style of its standard, named after it, made the same way from the
    // standard's balloon defaults (type, size, and the items of a borderless balloon), with
    // the ITEM column when the standard gives no items, so that its balloons number; it names
    // the text style of that standard (the standard's font and text height, also named after
    // it), made with it when the drawing has none. Null without a drawing.
    static DUxBalloonStyle* GetBalloonStyle(FWxSceneDoc* doc);
    // The text height and font of the drawing's standard, which a text without a style of its
    // own starts from; 0 and 0 without a drawing. Makes nothing.
    static double GetStandardTextHeight(FWxSceneDoc* doc);
    static int32_t GetStandardFontId(FWxSceneDoc* doc);
    // The drawing's leader-text (dimension) style of its standard, named after it and made the
    // first time a leader text asks: a landing, a text gap of a quarter of the text height,
    // the text standing on a reference line (its last line underlined) except under ANSI, on
    // the standard's text style (made as for balloons). Null without a drawing.
    static DUxDimensionStyle* GetLeaderTextStyle(FWxSceneDoc* doc);
    // The drawing's surface-texture style of its standard (ISO when it names none); one per
    // standard comes with every new drawing. Null without.
    static DUxSurfaceTextureStyle* GetDocumentSurfaceTextureStyle(FWxSceneDoc* doc);
    // The drawing's weld style of its standard, named after it and made the first time a weld
    // symbol asks: the standard's arrow side and identification line, a gap of 1 and the
    // standard's font at the weld text height. Null without a drawing.
    static DUxWeldStyle* GetWeldStyle(FWxSceneDoc* doc);
    // Lets surface-texture states find the surface-texture defaults of a standard by its code.
    static void RegisterSurfaceTextureServices();

private:
    // The drawing's text style of its standard, made from the standard's font and text height
    // when the drawing has none.
    static DUxTextStyle* GetStandardTextStyle(FWxSceneDoc* doc);
    // One identifier style per standard, named after it: the standard's font and text height,
    // its datum triangle and what its identifier defaults give (AddDocumentStyles).
    static void AddIdStyles(FWxSceneDoc* doc, DLxDrawing& drawing);
};
