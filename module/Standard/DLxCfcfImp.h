#pragma once
// Layout of a feature control frame: lines of cells (a glyph cell, then text cells), merged
// and width-equalised column by column, emitted as texts and border lines. Built, emitted and
// dropped within one drawing; every scratch value lives in the layout object.
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCfcfImpLine;
class DLxCfcfImpSymbol;
class DUxCAuxEntArray;
class DUxFeatureControlFrameStyleWrapper;
class FWxSceneDoc;
class RDxString;

// A text cell.
class DLxCfcfImpBox {
public:
    DLxCfcfImpBox(DLxCfcfImpLine* line, const UTxString16& text, FWxSceneDoc* doc);
    virtual ~DLxCfcfImpBox();
    DLxCfcfImpBox(const DLxCfcfImpBox&) = delete;
    DLxCfcfImpBox& operator=(const DLxCfcfImpBox&) = delete;

    virtual void DrawText(DUxCAuxEntArray& array, int32_t line, int32_t column);
    virtual void DrawSeparator(DUxCAuxEntArray& array);

    bool HasText() const { return m_text != nullptr; }

    double m_width = 0.0;
    double m_extraHeight = 0.0;
    std::unique_ptr<UTxString16> m_text; // null in the upper cell of a merged pair
    DLxCfcfImpLine* m_line;
    DLxCfcfImpSymbol* m_layout;
    bool m_merged = false;

protected:
    struct GlyphTag {};
    DLxCfcfImpBox(DLxCfcfImpLine* line, const UTxString16& glyph, GlyphTag);
    // Centre y of the cell, walking up through the merged cells above it.
    double CentreY(int32_t line, int32_t column);
};

// A glyph cell: the symbol of the line in the GD&T font.
class DLxCfcfImpSymBox : public DLxCfcfImpBox {
public:
    DLxCfcfImpSymBox(DLxCfcfImpLine* line, const UTxString16& glyph, FWxSceneDoc* doc);
    ~DLxCfcfImpSymBox() override;
    void DrawText(DUxCAuxEntArray& array, int32_t line, int32_t column) override;

    UTxString16 m_glyph; // converted, as drawn
};

class DLxCfcfImpLine {
public:
    explicit DLxCfcfImpLine(DLxCfcfImpSymbol* owner) : m_owner(owner) {}
    virtual ~DLxCfcfImpLine();
    DLxCfcfImpLine(const DLxCfcfImpLine&) = delete;
    DLxCfcfImpLine& operator=(const DLxCfcfImpLine&) = delete;
    virtual void DrawBottomBorder(DUxCAuxEntArray& array, double y, int32_t line);

    // Null for a type without glyph (outside 1 to 30).
    DLxCfcfImpBox* AddSymbolBox(int32_t type, FWxSceneDoc* doc);
    // Null when the line refuses texts; an empty text adds nothing and sets whether the line
    // goes on accepting texts.
    DLxCfcfImpBox* AddTextBox(const UTxString16& text, FWxSceneDoc* doc, bool acceptIfEmpty);
    double GetWidth() const;
    int32_t CellCount() const { return int32_t(m_cells.size()); }
    DLxCfcfImpBox* Cell(int32_t c) const {
        return c >= 0 && c < CellCount() ? m_cells[size_t(c)].get() : nullptr;
    }
    // Emits the line's texts and separators; answers its width.
    double GenerateLine(DUxCAuxEntArray& array, int32_t line);

    std::vector<std::unique_ptr<DLxCfcfImpBox>> m_cells;
    DLxCfcfImpSymbol* m_owner;
    double m_xCursor = 0.0;
    bool m_framed = true;
    bool m_symbolLine = false;
    bool m_acceptsText = true;
};

class DLxCfcfImpSymbol {
public:
    explicit DLxCfcfImpSymbol(const DUxFeatureControlFrameStyleWrapper& style);
    virtual ~DLxCfcfImpSymbol();
    DLxCfcfImpSymbol(const DLxCfcfImpSymbol&) = delete;
    DLxCfcfImpSymbol& operator=(const DLxCfcfImpSymbol&) = delete;

    DLxCfcfImpLine* AddLine();
    // Appends when i is past the last line.
    DLxCfcfImpLine* InsertLine(int32_t i);
    DLxCfcfImpBox* AddTextBox(int32_t i, const UTxString16& text, FWxSceneDoc* doc);
    // One column of lines i and i+1 together, merged or equalised as the style says.
    void AddCompositeSymbolBoxes(int32_t typeA, int32_t typeB, bool merge, int32_t i,
                                 FWxSceneDoc* doc);
    void AddCompositeTextBoxes(const UTxString16& textA, const UTxString16& textB, bool merge,
                               int32_t i, FWxSceneDoc* doc, bool acceptIfEmpty);
    // The second array receives everything; the first only the symbol lines and the top border.
    void GenerateEntities(DUxCAuxEntArray& first, DUxCAuxEntArray& second);

    int32_t LineCount() const { return int32_t(m_lines.size()); }
    DLxCfcfImpLine* Line(int32_t i) const {
        return i >= 0 && i < LineCount() ? m_lines[size_t(i)].get() : nullptr;
    }

    // The cell text as measured: GD&T font switches "{\FKVGDT.TTF;g}" become explicit font
    // selections around the glyph, then special characters are escaped.
    static UTxString16 ConvertText(const UTxString16& text, int32_t fontId, int32_t gdtFontId);
    UTxString16 ConvertText(const UTxString16& text) const {
        return ConvertText(text, m_fontId, m_gdtFontId);
    }
    // Width of a cell text: measured width plus the white space.
    double Measure(const UTxString16& converted, bool glyph, FWxSceneDoc* doc);
    void EqualiseColumn(int32_t lastLine, int32_t column, DLxCfcfImpBox* upper,
                        DLxCfcfImpBox* lower);

    std::vector<std::unique_ptr<DLxCfcfImpLine>> m_lines;
    double m_cellHeight = 0.0;
    double m_halfFontSize = 0.0;
    double m_whiteSpace = 0.0;
    double m_fontSize = 0.0;
    int32_t m_fontId = 0;
    int32_t m_gdtFontId = 0;
    RSeRef<RDxString> m_measure;
    bool m_endPadding = false;
    double m_lineTop = 0.0;
    bool m_newState = false;
};
