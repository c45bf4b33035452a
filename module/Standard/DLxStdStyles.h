#pragma once
// The styles a new drawing document starts with: one feature-control-frame style per drafting
// standard, named after it ("ANSI", "BSI", "DIN", "GB", "ISO", "JIS") and filled from that
// standard's defaults. Annotations that name no style take the one of the drawing's standard.
class FWxSceneDoc;

class DLxStdStyles {
public:
    // Adds the styles the document lacks, in its drawing's segment; false without a drawing.
    static bool AddDocumentStyles(FWxSceneDoc* doc);
};
