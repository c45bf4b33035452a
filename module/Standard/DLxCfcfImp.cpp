#include "Standard/DLxCfcfImp.h"

#include <string>

#include "Standard/DLxCFCFStd.h"
#include "Symbol/DLxGDTState.h"
#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "uc/TXTxBaseUtil.h"
#include "uc/UCxStringUtil.h"

namespace {
constexpr int32_t kCellFormat = 305;
const char16_t kGdtSwitch[] = u"{\\FKVGDT.TTF;";

UTxString16 Decimal(int32_t v) {
    const std::string s = std::to_string(v);
    return UTxString16(s.begin(), s.end());
}

void Segment(DUxCAuxEntArray& array, double x0, double y0, double x1, double y1) {
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, WqGePoint3d(x0, y0, 0),
                                                  WqGePoint3d(x1, y1, 0), nullptr, nullptr);
}
} // namespace

// ---- cells

DLxCfcfImpBox::DLxCfcfImpBox(DLxCfcfImpLine* line, const UTxString16& text, FWxSceneDoc* doc)
    : m_text(std::make_unique<UTxString16>(text)), m_line(line), m_layout(line->m_owner) {
    m_width = m_layout->Measure(m_layout->ConvertText(text), false, doc);
    m_extraHeight = m_layout->m_cellHeight;
}

DLxCfcfImpBox::DLxCfcfImpBox(DLxCfcfImpLine* line, const UTxString16& glyph, GlyphTag)
    : m_text(std::make_unique<UTxString16>(glyph)), m_line(line), m_layout(line->m_owner) {}

DLxCfcfImpBox::~DLxCfcfImpBox() = default;

double DLxCfcfImpBox::CentreY(int32_t line, int32_t column) {
    const double h = m_layout->m_cellHeight;
    double y = m_layout->m_lineTop - h / 2;
    if (m_merged) {
        m_extraHeight = 0;
        for (int32_t n = line - 1; n >= 0; --n) {
            DLxCfcfImpBox* above = m_layout->Line(n)->Cell(column);
            if (!above || !above->m_merged) break;
            y += h / 2;
            m_extraHeight += h;
        }
    }
    return y;
}

void DLxCfcfImpBox::DrawText(DUxCAuxEntArray& array, int32_t line, int32_t column) {
    double y = CentreY(line, column);
    const double x = m_line->m_xCursor + m_width / 2;
    const DLxCfcfImpSymbol& l = *m_layout;
    // Newer frames hang each text from its own cell; older ones centre it and align the line.
    if (l.m_newState)
        DUxAuxEntFactory::CreateText(array, WqGePoint3d(x, y - l.m_fontSize / 2, 0), 12, *m_text,
                                     l.m_fontId, l.m_gdtFontId, nullptr, nullptr, 4, l.m_fontSize);
    else
        DUxAuxEntFactory::CreateText(array, WqGePoint3d(x, y, 0), 5, *m_text, l.m_fontId,
                                     l.m_gdtFontId, nullptr, nullptr, 7, l.m_fontSize);
}

void DLxCfcfImpBox::DrawSeparator(DUxCAuxEntArray& array) {
    if (m_width <= 0) return;
    const double x = m_line->m_xCursor + m_width;
    const double top = m_layout->m_lineTop + (m_merged ? m_extraHeight : 0.0);
    Segment(array, x, top, x, m_layout->m_lineTop - m_layout->m_cellHeight);
}

DLxCfcfImpSymBox::DLxCfcfImpSymBox(DLxCfcfImpLine* line, const UTxString16& glyph, FWxSceneDoc* doc)
    : DLxCfcfImpBox(line, glyph, GlyphTag{}), m_glyph(m_layout->ConvertText(glyph)) {
    m_width = m_layout->Measure(m_glyph, true, doc);
}

DLxCfcfImpSymBox::~DLxCfcfImpSymBox() = default;

void DLxCfcfImpSymBox::DrawText(DUxCAuxEntArray& array, int32_t line, int32_t column) {
    const double y = CentreY(line, column);
    const double x = m_line->m_xCursor + m_width / 2;
    const DLxCfcfImpSymbol& l = *m_layout;
    DUxAuxEntFactory::CreateText(array, WqGePoint3d(x, y, 0), 5, m_glyph, l.m_gdtFontId,
                                 l.m_gdtFontId, nullptr, nullptr, 7, l.m_fontSize);
}

// ---- lines

DLxCfcfImpLine::~DLxCfcfImpLine() = default;

DLxCfcfImpBox* DLxCfcfImpLine::AddSymbolBox(int32_t type, FWxSceneDoc* doc) {
    std::string glyph;
    if (!DLxCFCFStd::LayoutGlyph(type, glyph)) return nullptr;
    UTxString16 wide;
    for (unsigned char c : glyph)
        wide += char16_t(c);
    m_cells.push_back(std::make_unique<DLxCfcfImpSymBox>(this, wide, doc));
    return m_cells.back().get();
}

DLxCfcfImpBox* DLxCfcfImpLine::AddTextBox(const UTxString16& text, FWxSceneDoc* doc,
                                          bool acceptIfEmpty) {
    if (!m_acceptsText) return nullptr;
    if (text.empty()) {
        m_acceptsText = acceptIfEmpty;
        return nullptr;
    }
    m_cells.push_back(std::make_unique<DLxCfcfImpBox>(this, text, doc));
    return m_cells.back().get();
}

double DLxCfcfImpLine::GetWidth() const {
    double w = 0;
    for (const auto& c : m_cells)
        w += c->m_width;
    return w;
}

double DLxCfcfImpLine::GenerateLine(DUxCAuxEntArray& array, int32_t line) {
    m_xCursor = 0;
    bool haveBaseline = false;
    double baseline = 0;
    for (int32_t c = 0; c < CellCount(); ++c) {
        DLxCfcfImpBox& cell = *m_cells[size_t(c)];
        if (cell.HasText()) {
            cell.DrawText(array, line, c);
            if (!m_owner->m_newState && !cell.m_merged) {
                auto* text = static_cast<DUxCAuxText*>(array.Last());
                if (!haveBaseline) {
                    baseline = text->position.y;
                    haveBaseline = true;
                } else {
                    text->position.y = baseline;
                }
            }
            if (m_framed) cell.DrawSeparator(array);
        }
        m_xCursor += cell.m_width;
    }
    return m_xCursor;
}

void DLxCfcfImpLine::DrawBottomBorder(DUxCAuxEntArray& array, double y, int32_t line) {
    const DLxCfcfImpLine* next = m_owner->Line(line + 1);
    double start = 0, end = 0;
    bool extended = false;
    for (int32_t c = 0; c < CellCount(); ++c) {
        const DLxCfcfImpBox& cell = *m_cells[size_t(c)];
        const DLxCfcfImpBox* below = next ? next->Cell(c) : nullptr;
        if (cell.m_merged && below && below->m_merged) {
            // the merged cell continues below: no border under it
            if (end - start > 0) Segment(array, start, y, end, y);
            end += cell.m_width;
            start = end;
            if (c == CellCount() - 1 && next->CellCount() > CellCount()) {
                end += next->Cell(c + 1)->m_width;
                extended = true;
            }
        } else {
            end += cell.m_width;
        }
    }
    const DLxCfcfImpBox* last = CellCount() ? m_cells.back().get() : nullptr;
    if ((last && !last->HasText() && !extended) || end - start == 0) return;
    if (next && next->m_framed && next->GetWidth() > end) end = next->GetWidth();
    Segment(array, start, y, end, y);
}

// ---- the layout

DLxCfcfImpSymbol::DLxCfcfImpSymbol(const DUxFeatureControlFrameStyleWrapper& style) {
    const DUxTextStyleWrapper text = style.GetTextStyleWrapper();
    m_fontSize = text.GetFontSize();
    m_fontId = text.GetFontId();
    m_gdtFontId = text.GetGdtFontId();
    m_cellHeight = style.GetScaleToTextHeight() ? 2 * m_fontSize : style.GetSize();
    m_halfFontSize = 0.5 * m_fontSize;
    m_whiteSpace = style.GetWhiteSpace();
    m_endPadding = style.GetEndPadding();
    const RSeRef<DLxGDTState> state = RSeRefCast<DLxGDTState>(style.GetObject());
    m_newState = state.HasTarget() && state->IsFlagOn(DLxGDTState::kNewStateFlag);
    auto* measure = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                         RSe::TransientSegment(true)) RDxString();
    measure->SetTextHeight(m_fontSize);
    m_measure = RSeRef<RDxString>(measure);
}

DLxCfcfImpSymbol::~DLxCfcfImpSymbol() {
    if (m_measure.HasTarget()) RSe::DeleteObject(m_measure.get());
}

DLxCfcfImpLine* DLxCfcfImpSymbol::AddLine() {
    m_lines.push_back(std::make_unique<DLxCfcfImpLine>(this));
    return m_lines.back().get();
}

DLxCfcfImpLine* DLxCfcfImpSymbol::InsertLine(int32_t i) {
    if (i < 0 || i >= LineCount()) return AddLine();
    auto it = m_lines.insert(m_lines.begin() + i, std::make_unique<DLxCfcfImpLine>(this));
    return it->get();
}

DLxCfcfImpBox* DLxCfcfImpSymbol::AddTextBox(int32_t i, const UTxString16& text, FWxSceneDoc* doc) {
    DLxCfcfImpLine* line = Line(i);
    return line ? line->AddTextBox(text, doc, false) : nullptr;
}

UTxString16 DLxCfcfImpSymbol::ConvertText(const UTxString16& text, int32_t fontId,
                                          int32_t gdtFontId) {
    UTxString16 t = text;
    for (;;) {
        const size_t at = t.find(kGdtSwitch);
        if (at == UTxString16::npos) break;
        size_t close = t.find(u'}', at);
        if (close == UTxString16::npos) break; // an unclosed switch stays as it is
        if (close + 1 < t.size() && t[close + 1] == u'}') ++close;
        const UTxString16 repl =
            u"\\F" + Decimal(gdtFontId) + u";" + t[close - 1] + u"\\F" + Decimal(fontId) + u";";
        t.replace(at, close - at + 1, repl);
    }
    UTxString16 out;
    return TXTxBaseUtil::EscapeSpecialChars(t, out, 1, false) ? out : t;
}

double DLxCfcfImpSymbol::Measure(const UTxString16& converted, bool glyph, FWxSceneDoc* doc) {
    RDxString& s = *m_measure;
    s.SetFontId(glyph ? m_gdtFontId : m_fontId);
    s.SetParagraphStringInvalid();
    s.SetFormattedValue(converted, kCellFormat);
    // The string's display text keeps the symbol font's letters, which are narrower than the
    // symbols they stand for: the cell takes the width of the text as it is drawn.
    const BBox box = UCxStringUtil::GetBBox(DUxPlainText(converted, m_gdtFontId, s.GetFontId()),
                                            s.GetTextHeight(), UCxStringUtil::kDefaultLinePitch,
                                            SMxTextAlign::MiddleCenter, WqGePoint3d::kOrigin,
                                            WqGeVector3d::kXAxis);
    const double w = box.isEmpty() ? 0.0 : box.max.x - box.min.x;
    return w + m_whiteSpace;
}

// The wider of the two cells sets the column in lines 0 to lastLine, else the lower cell takes
// the upper one's width.
void DLxCfcfImpSymbol::EqualiseColumn(int32_t lastLine, int32_t column, DLxCfcfImpBox* upper,
                                      DLxCfcfImpBox* lower) {
    if (lower->m_width > upper->m_width) {
        for (int32_t n = 0; n <= lastLine && n < LineCount(); ++n)
            if (DLxCfcfImpBox* c = Line(n)->Cell(column)) c->m_width = lower->m_width;
    } else {
        lower->m_width = upper->m_width;
    }
}

void DLxCfcfImpSymbol::AddCompositeSymbolBoxes(int32_t typeA, int32_t typeB, bool merge, int32_t i,
                                               FWxSceneDoc* doc) {
    DLxCfcfImpLine* q = Line(i);
    DLxCfcfImpLine* r = Line(i + 1);
    if (!q || !r) return;
    const bool bothFramed = q->m_framed && r->m_framed;
    const int32_t s = r->CellCount();
    DLxCfcfImpBox* upper = i == 0 ? q->AddSymbolBox(typeA, doc) : q->Cell(s);
    DLxCfcfImpBox* lower = r->AddSymbolBox(typeB, doc);
    if (!upper || !lower) return;
    if (bothFramed && merge && typeA == typeB) {
        upper->m_text.reset();
        upper->m_merged = lower->m_merged = true;
    } else if (!(m_endPadding && bothFramed)) {
        return;
    }
    // every line of the layout follows the symbol column
    EqualiseColumn(LineCount() - 1, s, upper, lower);
}

void DLxCfcfImpSymbol::AddCompositeTextBoxes(const UTxString16& textA, const UTxString16& textB,
                                             bool merge, int32_t i, FWxSceneDoc* doc,
                                             bool acceptIfEmpty) {
    DLxCfcfImpLine* q = Line(i);
    DLxCfcfImpLine* r = Line(i + 1);
    if (!q || !r) return;
    const bool bothFramed = q->m_framed && r->m_framed;
    const int32_t s = r->CellCount();
    if (bothFramed && merge && textA == textB) {
        double wq = q->GetWidth();
        const double wr = r->GetWidth();
        DLxCfcfImpBox* upper = nullptr;
        if (i == 0) {
            upper = q->AddTextBox(textA, doc, acceptIfEmpty);
        } else if ((upper = q->Cell(s))) {
            wq -= upper->m_width;
        }
        DLxCfcfImpBox* lower = r->AddTextBox(textB, doc, acceptIfEmpty);
        if (!upper || !lower) return;
        // the merged column starts at the same x in both lines
        if (wr > wq) {
            for (int32_t n = 0; n <= i; ++n)
                if (Line(n)->CellCount() > s && s > 0) Line(n)->Cell(s - 1)->m_width += wr - wq;
        } else if (DLxCfcfImpBox* before = r->Cell(s - 1)) {
            before->m_width += wq - wr;
        }
        EqualiseColumn(i, s, upper, lower);
        upper->m_text.reset();
        upper->m_merged = lower->m_merged = true;
        return;
    }
    DLxCfcfImpBox* upper = i == 0 ? q->AddTextBox(textA, doc, acceptIfEmpty) : q->Cell(s);
    DLxCfcfImpBox* lower = r->AddTextBox(textB, doc, acceptIfEmpty);
    if (!upper || !lower || !m_endPadding || !bothFramed) return;
    const int32_t cq = q->CellCount();
    const int32_t cr = r->CellCount();
    if (cq < cr) {
        lower = r->Cell(cq - 1);
        if (!lower || lower->m_merged) return;
    } else if (cq > cr) {
        upper = q->Cell(cr - 1);
        if (!upper || upper->m_merged) return;
    }
    EqualiseColumn(i, s, upper, lower);
}

void DLxCfcfImpSymbol::GenerateEntities(DUxCAuxEntArray& first, DUxCAuxEntArray& second) {
    const double h = m_cellHeight;
    m_lineTop = h;
    int32_t lastFramed = -1;
    for (int32_t i = 0; i < LineCount(); ++i) {
        DLxCfcfImpLine& line = *m_lines[size_t(i)];
        m_lineTop -= h;
        if (line.m_symbolLine) line.GenerateLine(first, i);
        // a line of no width ends the frame: later lines are left out
        if (line.GenerateLine(second, i) <= 0) break;
        if (line.m_framed) lastFramed = i;
    }
    int32_t f = 0;
    while (f < LineCount() && !m_lines[size_t(f)]->m_framed)
        ++f;
    if (f >= LineCount() || lastFramed < 0) return;
    const double y0 = -f * h;
    double y = y0 - h;
    for (int32_t r = f; r <= lastFramed; ++r) {
        DLxCfcfImpLine& line = *m_lines[size_t(r)];
        if (!line.m_framed) continue;
        if (line.m_symbolLine) line.DrawBottomBorder(first, y, r);
        line.DrawBottomBorder(second, y, r);
        y -= h;
    }
    const double top = m_lines[size_t(f)]->GetWidth();
    Segment(first, 0, y0, top, y0);
    Segment(second, 0, y0, top, y0);
    Segment(second, 0, y0, 0, -(lastFramed + 1) * h);
}
