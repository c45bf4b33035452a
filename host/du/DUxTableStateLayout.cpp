// Layout and drawing of a table state. One pass over the visible rows does both: each cell is
// wrapped once (WrapCellText), its row's height taken from the most lines, and, when drawing,
// its text placed right away, so that a table costs what its cells cost and no more.
//
// The origin is the table's top corner on the side it wraps from, whatever the headings: the
// stretch and line drags of the sheet rely on it. Depth runs from the headings' edge into the
// table: the title band, then per section the heading band and the rows; y = s * depth with
// s = -1 from the top down. With the headings at the bottom, the bands are laid out upward from
// the bottom edge (s = +1) and the whole drawing then moves down by the table's height, so
// that shorter sections keep their rows against their headings. Sections are side by side, to
// the right of the origin or, wrapping to the left, to its left.
//
// Line ids (DUxTableDispIDs): side 0 the line on the origin's side of a band or row, 3 the one
// on the far side, 1 and 2 the left and right of a column; category 1 title, 2 headings,
// 3 data; row: for the far line of a data row, the row's index + 1 counted in drawing order
// from the headings of an unreversed table (so that a drag changes "row - 1"); column: the
// column whose side it is.
#include <algorithm>
#include <cmath>
#include <memory>

#include "du/DUxCAuxEntArray.h"
#include "du/DUxTableDispIDs.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGeVector3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {

// What layout reads of the style, with the style's own defaults when the table has none.
struct Looks {
    DUxTableStyle::TextLook text, heading, title;
    double rowGap = 1.0, headingGap = 1.0, titleGap = 1.0;
    DUxTableStyle::eHeading headingPos = DUxTableStyle::eHeadingTop;
    DUxTableStyle::eDirection direction = DUxTableStyle::eTopDown;
    int32_t rotation = 0;
    bool useTitle = false;
    UTxString16 titleText;
};

Looks ReadLooks(const FWxStyle* s) {
    Looks l;
    const auto* style = dynamic_cast<const DUxTableStyle*>(s);
    if (!style) return l;
    l.text = style->GetTextStyle();
    l.heading = style->GetHeadingTextStyle();
    l.title = style->GetTitleTextStyle();
    l.rowGap = style->GetRowGap();
    l.headingGap = style->GetHeadingGap();
    l.titleGap = style->GetTitleGap();
    l.headingPos = style->GetHeading();
    l.direction = style->GetDirection();
    l.rotation = int32_t(style->GetRotation()) & 3;
    l.useTitle = style->UseTitle();
    l.titleText = style->GetTitle();
    return l;
}

// A quarter turn a step, counter-clockwise: table frame to sheet frame.
WqGeVector3d Turn(double x, double y, int32_t rotation) {
    switch (rotation & 3) {
    case 1:
        return WqGeVector3d(-y, x, 0.0);
    case 2:
        return WqGeVector3d(-x, -y, 0.0);
    case 3:
        return WqGeVector3d(y, -x, 0.0);
    default:
        return WqGeVector3d(x, y, 0.0);
    }
}

// One string state for the whole pass: the text hooks take an RDxString, and a state per
// cell would cost an object per cell.
class ScratchString {
public:
    ScratchString()
        : m_s(new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
                  RDxString()) {}
    ~ScratchString() { RSe::DeleteObject(m_s); }
    ScratchString(const ScratchString&) = delete;
    ScratchString& operator=(const ScratchString&) = delete;
    RDxString& operator*() const { return *m_s; }

    // Loads a text; read with its codes or as plain text.
    void Set(const UTxString16& text, bool formatted, const DUxTableStyle::TextLook& look) {
        m_s->SetSimpleValue(text);
        m_s->SetFormattedValue(formatted ? text : UTxString16(), formatted ? 0x131 : 0);
        m_s->SetFontId(look.fontId);
        m_s->SetTextHeight(look.height);
    }
    // What is drawn of it: codes dropped.
    UTxString16 Shown() const {
        const UTxString16& f = m_s->GetFormattedValue();
        if (f.empty()) return m_s->GetSimpleValue();
        // Most cell texts hold no code at all: no need to read them through.
        if (f.find_first_of(u"\\{}") == UTxString16::npos) return f;
        return DUxPlainText(f, -1, m_s->GetFontId());
    }

private:
    RDxString* m_s;
};

int32_t LineCount(const UTxString16& text) {
    return std::max<int32_t>(1, int32_t(UCxStringUtil::SplitLines(text).size()));
}

double WidestLine(const UTxString16& text, double height) {
    double w = 0.0;
    for (std::u16string_view line : UCxStringUtil::SplitLines(text))
        w = std::max(w, UCxStringUtil::LineWidth(line, height));
    return w;
}

// The widest piece between blanks and line ends.
double LongestFragment(std::u16string_view text, double height) {
    double w = 0.0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u' ' && text[i] != u'\n' && text[i] != u'\r' &&
            text[i] != u'\t')
            continue;
        if (i > start)
            w = std::max(w, UCxStringUtil::LineWidth(text.substr(start, i - start), height));
        start = i + 1;
    }
    return w;
}

// A hot point of the table spanning xl..xr across and 0..y (y signed) in table terms.
WqGePoint3d HotPoint(const WqGePoint3d& origin, double xl, double xr, double y, int32_t rotation,
                     int32_t id) {
    // Top and bottom as the unrotated table shows them.
    const double yt = std::max(0.0, y), yb = std::min(0.0, y);
    const double xm = (xl + xr) / 2, ym = (yt + yb) / 2;
    static constexpr int32_t kCount = 8;
    const double xs[kCount] = {xl, xr, xr, xl, xm, xr, xm, xl};
    const double ys[kCount] = {yt, yt, yb, yb, yt, ym, yb, ym};
    if (id < 0 || id >= kCount) id = 0;
    return origin + Turn(xs[id], ys[id], rotation);
}

SMxTextAlign MiddleAlign(int32_t alignment) {
    return alignment == 1   ? SMxTextAlign::MiddleCenter
           : alignment == 0 ? SMxTextAlign::MiddleLeft
                            : SMxTextAlign::MiddleRight;
}

} // namespace

namespace {
// Everything a drawing depends on besides the rows' own texts, flags and heights.
struct DrawKey {
    Looks looks;
    std::vector<double> widths;
    std::vector<int32_t> alignments; // per column: heading, then cell
    std::vector<UTxString16> headings;
    UTxString16 title;
    double titleHeight = 0.0, headingHeight = 0.0, rowBand = 0.0;
    WqGePoint3d origin;
    int32_t option = 0, wrapDirection = 0, rowCount = 0;
    uint32_t flagWord = 0;
    bool formatted = false;
    std::vector<const DUxTableRowBase*> rows; // drawing order
    std::vector<size_t> cuts;
    bool operator==(const DrawKey& o) const {
        const Looks& a = looks;
        const Looks& b = o.looks;
        return a.text == b.text && a.heading == b.heading && a.title == b.title &&
               a.rowGap == b.rowGap && a.headingGap == b.headingGap && a.titleGap == b.titleGap &&
               a.headingPos == b.headingPos && a.direction == b.direction &&
               a.rotation == b.rotation && a.useTitle == b.useTitle && a.titleText == b.titleText &&
               widths == o.widths && alignments == o.alignments && headings == o.headings &&
               title == o.title && titleHeight == o.titleHeight &&
               headingHeight == o.headingHeight && rowBand == o.rowBand && origin.x == o.origin.x &&
               origin.y == o.origin.y && origin.z == o.origin.z && option == o.option &&
               wrapDirection == o.wrapDirection && rowCount == o.rowCount &&
               flagWord == o.flagWord && formatted == o.formatted && rows == o.rows &&
               cuts == o.cuts;
    }
};

} // namespace

struct DUxTableStateBase::Drawn {
    const SMxDisplayList* list = nullptr;
    int32_t count = -1; // the list's items after drawing
    uint64_t generation = 0;
    uint64_t restores = 0;
    DrawKey key;
    double depth = 0.0;
    struct Row {
        uint64_t stamp = 0;
        int32_t first = 0, end = 0; // its items in the list
        double height = 0.0;
    };
    std::vector<Row> rows; // as key.rows
    bool Holds(const SMxDisplayList& l) const {
        return list == &l && count == l.Count() && generation == l.Generation() &&
               restores == RSe::RestoreCount();
    }
};

DUxTableStateBase::DUxTableStateBase() = default;
DUxTableStateBase::DUxTableStateBase(const RSeStream* s) : RDxState(s) {}
// Here, where what the last drawing kept is a complete type.
DUxTableStateBase::~DUxTableStateBase() {
    if (!RSe::IsLiveDeletion(this)) return;
    for (const RSeRef<DUxTableRowBase>& r : m_rows)
        if (DUxTableRowBase* row = r.get()) {
            row->DeleteParts();
            RSe::DeleteObject(row);
        }
    for (const RSeRef<DUxTableStyleColumn>& c : m_columns)
        if (DUxTableStyleColumn* column = c.get()) RSe::DeleteObject(column);
    if (DUxTableRowFilterList* filters = m_filters.get()) {
        filters->RemoveAll();
        RSe::DeleteObject(filters);
    }
}

struct DUxTableStateBase::Layout {
    Looks looks;
    std::vector<double> widths;
    double sectionWidth = 0.0;
    int32_t sections = 1;
    double titleHeight = 0.0;   // 0 without a title band
    double headingHeight = 0.0; // 0 without headings
    double depth = 0.0;         // the deepest section's rows
    double s = -1.0;
    double left = 0.0; // x of the table's left edge
    double Width() const { return sectionWidth * sections; }
    double Height() const { return titleHeight + headingHeight + depth; }
};

// --- rows ---

void DUxTableRowBase::SetHeight(double height) {
    if (height == m_height) return;
    RSe::PrepareWrite(this);
    m_height = height;
    TouchDrawing();
}

// --- wrap settings ---

void DUxTableStateBase::SetAutomaticWrap(bool on) {
    SetFlagWord(on ? (m_flagWord | kAutomaticWrapFlag) : (m_flagWord & ~kAutomaticWrapFlag));
}

void DUxTableStateBase::SetWrapMode(int32_t mode) {
    if (mode == m_wrapMode) return;
    BeginValueChange();
    m_wrapMode = mode;
}

void DUxTableStateBase::SetWrapDirection(int32_t direction) {
    if (direction == m_wrapDirection) return;
    BeginValueChange();
    m_wrapDirection = direction;
}

void DUxTableStateBase::SetWrapCount(int32_t count) {
    if (count == m_wrapCount) return;
    BeginValueChange();
    m_wrapCount = count;
}

void DUxTableStateBase::ApplyAutomaticWrapping() {
    if (!AutomaticWrap()) return;
    std::vector<DUxTableRowBase*> shown;
    shown.reserve(m_rows.size());
    for (const RSeRef<DUxTableRowBase>& r : m_rows) {
        DUxTableRowBase* row = r.get();
        if (!row) continue;
        row->SetFlag(DUxTableRowBase::kSectionEndFlag, true);
        if (!row->Invisible()) shown.push_back(row);
    }
    const int32_t c = int32_t(shown.size());
    if (c == 0) return;
    const int32_t count = std::max<int32_t>(1, m_wrapCount);
    // Section sizes: a fixed number of rows, or the rows shared out evenly, the first sections
    // taking one more where they do not divide.
    std::vector<int32_t> sizes;
    if (m_wrapMode == eWrapBySections) {
        const int32_t k = std::min(count, c);
        for (int32_t i = 0; i < k; ++i)
            sizes.push_back(c / k + (i < c % k ? 1 : 0));
    } else {
        for (int32_t done = 0; done < c; done += count)
            sizes.push_back(std::min(count, c - done));
    }
    int32_t at = 0;
    for (size_t i = 0; i + 1 < sizes.size(); ++i) {
        at += sizes[i];
        shown[size_t(at - 1)]->SetFlag(DUxTableRowBase::kSectionEndFlag, false);
    }
}

// --- sizes ---

double DUxTableStateBase::GetColumnWidth(int32_t column) const {
    const DUxTableStyleColumn* c = GetColumn(column);
    return c ? c->GetWidth() : 0.0;
}

void DUxTableStateBase::SetColumnWidth(int32_t column, double width) {
    DUxTableStyleColumn* c = GetColumn(column);
    if (!c || c->GetWidth() == width) return;
    BeginValueChange();
    c->SetWidth(width);
}

void DUxTableStateBase::SetColumnWidthScale(double scale) {
    if (!(scale > 0.0) || scale == 1.0) return;
    for (int32_t i = 0; i < GetColumnCount(); ++i)
        SetColumnWidth(i, GetColumnWidth(i) * scale);
}

void DUxTableStateBase::SetColumnWidthScale(int32_t column, double scale) {
    if (!(scale > 0.0) || !GetColumn(column)) return;
    SetColumnWidth(column, GetColumnWidth(column) * scale);
}

void DUxTableStateBase::SetTitleHeight(double height) {
    if (height == m_titleHeight) return;
    BeginValueChange();
    m_titleHeight = height;
}

void DUxTableStateBase::SetColumnHeadingHeight(double height) {
    if (height == m_headingHeight) return;
    BeginValueChange();
    m_headingHeight = height;
}

double DUxTableStateBase::GetMinTitleHeight() const {
    const Looks l = ReadLooks(GetStyle());
    const double band = GetMinBandHeight(1, false);
    return band > 0.0 ? band : l.title.height + 2.0 * l.titleGap;
}

UTxString16 DUxTableStateBase::GetColumnHeading(int32_t column) const {
    const DUxTableStyleColumn* c = GetColumn(column);
    return c ? c->GetPropertyID()->GetPropertyExternalName() : UTxString16();
}

double DUxTableStateBase::GetMinColumnHeaderHeight() {
    const Looks l = ReadLooks(GetStyle());
    double band = GetMinBandHeight(2, false);
    if (band <= 0.0) band = l.heading.height + 2.0 * l.headingGap;
    int32_t lines = 1;
    ScratchString text;
    for (int32_t c = 0; c < GetColumnCount(); ++c) {
        text.Set(GetColumnHeading(c), UsesFormatCodes(), l.heading);
        FitColumnHeading(*text, GetColumn(c));
        lines = std::max(lines, LineCount(text.Shown()));
    }
    return band + (lines - 1) * l.heading.height;
}

double DUxTableStateBase::GetMinColumnHeaderWidth(int32_t column, bool wholeHeading) {
    if (!GetColumn(column)) return 0.0;
    const Looks l = ReadLooks(GetStyle());
    ScratchString text;
    text.Set(GetColumnHeading(column), UsesFormatCodes(), l.heading);
    const UTxString16 shown = text.Shown();
    const double w = wholeHeading ? WidestLine(shown, l.heading.height)
                                  : LongestFragment(shown, l.heading.height);
    return w + 2.0 * l.headingGap;
}

double DUxTableStateBase::GetMinColumnWidth(int32_t column) {
    DUxTableStyleColumn* col = GetColumn(column);
    if (!col) return 0.0;
    const Looks l = ReadLooks(GetStyle());
    double w = 0.0;
    ScratchString text;
    for (const RSeRef<DUxTableRowBase>& r : m_rows) {
        const DUxTableRowBase* row = r.get();
        if (!row || row->Invisible()) continue;
        const UTxString16& value = row->GetValue(col);
        // A text without codes shows as it is: measured without copies.
        if (value.find_first_of(u"\\{}") == UTxString16::npos) {
            w = std::max(w, LongestFragment(value, l.text.height));
            continue;
        }
        text.Set(value, UsesFormatCodes(), l.text);
        w = std::max(w, LongestFragment(text.Shown(), l.text.height));
    }
    return std::max(w + 2.0 * l.rowGap, GetMinColumnHeaderWidth(column, false));
}

namespace {
// Wraps every cell of the row into its column; the drawn texts go to `texts` when asked for.
// Answers the most lines of a cell.
int32_t WrapRow(DUxTableStateBase& state, DUxTableRowBase& row, const std::vector<double>& widths,
                const Looks& looks, ScratchString& text, std::vector<UTxString16>* texts) {
    int32_t lines = 1;
    const bool formatted = state.UsesFormatCodes();
    for (int32_t c = 0; c < int32_t(widths.size()); ++c) {
        DUxTableStyleColumn* column = state.GetColumn(c);
        text.Set(row.GetValue(column), formatted, looks.text);
        lines = std::max(lines, state.WrapCellText(*text, widths[size_t(c)]));
        if (texts) (*texts)[size_t(c)] = text.Shown();
    }
    return lines;
}

double RowBand(const DUxTableStateBase& state, const Looks& l) {
    const double band = state.GetMinBandHeight(3, false);
    return band > 0.0 ? band : l.text.height + 2.0 * l.rowGap;
}
} // namespace

double DUxTableStateBase::GetMinRowHeight(int32_t row) {
    DUxTableRowBase* r = GetRow(row);
    if (!r) return 0.0;
    const Looks l = ReadLooks(GetStyle());
    std::vector<double> widths(static_cast<size_t>(GetColumnCount()));
    for (int32_t c = 0; c < GetColumnCount(); ++c)
        widths[size_t(c)] = GetColumnWidth(c);
    ScratchString text;
    const int32_t lines = WrapRow(*this, *r, widths, l, text, nullptr);
    return RowBand(*this, l) + (lines - 1) * l.text.height;
}

double DUxTableStateBase::GetRowHeight(int32_t row) {
    const DUxTableRowBase* r = GetRow(row);
    return r ? std::max(r->GetHeight(), GetMinRowHeight(row)) : 0.0;
}

// --- order ---

bool DUxTableStateBase::SwapRows(const DUxTableRowID& a, const DUxTableRowID& b) {
    const DUxTableRowBase* ra = GetRow(a, false, -1);
    const DUxTableRowBase* rb = GetRow(b, false, -1);
    if (!ra || !rb) return false;
    if (ra == rb) return true;
    BeginValueChange();
    std::swap(m_rows[size_t(IndexOfRow(ra))], m_rows[size_t(IndexOfRow(rb))]);
    return true;
}

bool DUxTableStateBase::MoveRows(int32_t from, int32_t count, int32_t to) {
    const int32_t n = GetRowCount();
    if (from < 0 || count < 1 || from + count > n || to < 0 || to + count > n) return false;
    if (from == to) return true;
    BeginValueChange();
    auto first = m_rows.begin();
    if (to < from)
        std::rotate(first + to, first + from, first + from + count);
    else
        std::rotate(first + from, first + from + count, first + to + count);
    return true;
}

bool DUxTableStateBase::MoveColumns(int32_t from, int32_t to) {
    const int32_t n = GetColumnCount();
    if (from < 0 || from >= n || to < 0 || to >= n) return false;
    if (from == to) return true;
    BeginValueChange();
    auto first = m_columns.begin();
    if (to < from)
        std::rotate(first + to, first + from, first + from + 1);
    else
        std::rotate(first + from, first + from + 1, first + to + 1);
    return true;
}

bool DUxTableStateBase::MoveColumns(int32_t from, int32_t count, int32_t to) {
    const int32_t n = GetColumnCount();
    if (from < 0 || count < 1 || from > n - count || to < 0 || to > n - count) return false;
    if (from == to) return true;
    BeginValueChange();
    auto first = m_columns.begin();
    if (to < from)
        std::rotate(first + to, first + from, first + from + count);
    else
        std::rotate(first + from, first + from + count, first + to + count);
    return true;
}

// --- layout ---

void DUxTableStateBase::PlaceHeadingText(RDxString&, WqGePoint3d&, const WqGeVector3d&) {}

bool DUxTableStateBase::ComputeLayout(Layout& out, SMxDisplayList* draw) {
    Looks& l = out.looks;
    l = ReadLooks(GetStyle());
    const int32_t columns = GetColumnCount();
    out.widths.assign(size_t(columns), 0.0);
    out.sectionWidth = 0.0;
    for (int32_t c = 0; c < columns; ++c)
        out.sectionWidth += out.widths[size_t(c)] = std::max(0.0, GetColumnWidth(c));

    const bool headingsShown = l.headingPos != DUxTableStyle::eNoHeading;
    const bool titleShown = headingsShown && l.useTitle;
    out.s = l.headingPos == DUxTableStyle::eHeadingBottom ? 1.0 : -1.0;
    const bool reversed = (l.direction == DUxTableStyle::eBottomUp) !=
                          (l.headingPos == DUxTableStyle::eHeadingBottom);
    out.titleHeight = titleShown ? std::max(m_titleHeight, GetMinTitleHeight()) : 0.0;
    out.headingHeight = headingsShown ? std::max(m_headingHeight, GetMinColumnHeaderHeight()) : 0.0;

    // Sections: the visible rows cut after each section end.
    std::vector<int32_t> shown;
    shown.reserve(m_rows.size());
    std::vector<size_t> cuts; // index into `shown` where each section starts
    cuts.push_back(0);
    for (int32_t i = 0; i < GetRowCount(); ++i) {
        const DUxTableRowBase* row = m_rows[size_t(i)].get();
        if (!row || row->Invisible()) continue;
        if (!shown.empty() && shown.size() != cuts.back() &&
            m_rows[size_t(shown.back())].get()->IsFlagOn(DUxTableRowBase::kSectionEndFlag))
            cuts.push_back(shown.size());
        shown.push_back(i);
    }
    out.sections = int32_t(cuts.size());
    const bool wrapLeft = m_wrapDirection == eWrapLeft;
    out.left = wrapLeft ? -out.Width() : 0.0;

    const double rowBand = RowBand(*this, l);
    const int32_t rotation = l.rotation;
    const WqGePoint3d origin = m_origin;
    const WqGeVector3d along = Turn(1.0, 0.0, rotation);
    const double s = out.s;
    auto at = [&](double x, double depth) { return origin + Turn(x, s * depth, rotation); };
    const int32_t option = m_displayOption;
    const bool texts = draw && option == 0;
    const bool grid = draw && option != 1;
    // Where items go: the list, or a row's items drawn again apart from it.
    SMxDisplayList* into = draw;
    auto line = [&](double x0, double d0, double x1, double d1, int32_t id) {
        auto item = std::make_unique<SMxLineItem>(at(x0, d0), at(x1, d1));
        item->SetId(id);
        into->Append(std::move(item));
    };
    auto text = [&](const UTxString16& str, double x, double depth, SMxTextAlign align,
                    const DUxTableStyle::TextLook& look, int32_t id) {
        if (str.empty()) return;
        auto item = std::make_unique<SMxTextItem>(str, at(x, depth), along, look.height, align);
        item->fontId = look.fontId;
        item->SetId(id);
        into->Append(std::move(item));
    };
    using IDs = DUxTableDispIDs;
    ScratchString scratch;

    const double top = out.titleHeight;                      // depth of the heading bands
    const double body = out.titleHeight + out.headingHeight; // depth of the first rows
    std::vector<UTxString16> cellTexts(static_cast<size_t>(columns));
    std::vector<UTxString16> headings;
    if (draw && headingsShown && option == 0) {
        headings.resize(size_t(columns));
        for (int32_t c = 0; c < columns; ++c) {
            scratch.Set(GetColumnHeading(c), UsesFormatCodes(), l.heading);
            FitColumnHeading(*scratch, GetColumn(c));
            headings[size_t(c)] = scratch.Shown();
        }
    }
    UTxString16 titleShownText;
    if (draw && titleShown && texts) {
        scratch.Set(l.titleText, UsesFormatCodes(), l.title);
        FitTitle(*scratch, out.Width());
        titleShownText = scratch.Shown();
    }

    // A row's items: its texts, the section's first line when it has no headings, its far line.
    // `depth` is the section's rows' above it, summed from the first.
    auto drawRow = [&](int32_t index, size_t n, size_t begin, double x0, double depth, double h) {
        const double d0 = body + depth;
        if (texts) {
            double x = x0;
            for (int32_t c = 0; c < columns; ++c) {
                const double w = out.widths[size_t(c)];
                const int32_t align = GetColumn(c)->GetColumnAlignment();
                const double tx = align == 1   ? x + w / 2
                                  : align == 0 ? x + l.rowGap
                                               : x + w - l.rowGap;
                if (w > 0.0)
                    text(cellTexts[size_t(c)], tx, d0 + h / 2, MiddleAlign(align), l.text,
                         IDs::MakeTextItemId(IDs::eCellText, index, c));
                x += w;
            }
        }
        if (!headingsShown && grid && n == begin)
            line(x0, d0, x0 + out.sectionWidth, d0, IDs::MakeLineItemId(0, 3, 0, 0));
        if (grid) {
            const int32_t field = reversed ? GetRowCount() - index : index + 1;
            line(x0, body + (depth + h), x0 + out.sectionWidth, body + (depth + h),
                 IDs::MakeLineItemId(3, 3, field, 0));
        }
    };
    auto rowOf = [&](size_t n, size_t begin, size_t end) {
        return shown[reversed ? end - 1 - (n - begin) : n];
    };

    DrawKey key;
    if (draw) {
        key.looks = l;
        key.widths = out.widths;
        key.alignments.reserve(size_t(columns) * 2);
        for (int32_t c = 0; c < columns; ++c) {
            key.alignments.push_back(GetColumn(c)->GetHeadingAlignment());
            key.alignments.push_back(GetColumn(c)->GetColumnAlignment());
        }
        key.headings = headings;
        key.title = titleShownText;
        key.titleHeight = out.titleHeight;
        key.headingHeight = out.headingHeight;
        key.rowBand = rowBand;
        key.origin = origin;
        key.option = option;
        key.wrapDirection = m_wrapDirection;
        key.rowCount = GetRowCount();
        key.flagWord = m_flagWord;
        key.formatted = UsesFormatCodes();
        key.cuts = cuts;
        key.rows.reserve(shown.size());
        for (int32_t k = 0; k < out.sections; ++k) {
            const size_t begin = cuts[size_t(k)];
            const size_t end = k + 1 < out.sections ? cuts[size_t(k) + 1] : shown.size();
            for (size_t n = begin; n < end; ++n)
                key.rows.push_back(m_rows[size_t(rowOf(n, begin, end))].get());
        }
    }

    // The list holds the last drawing and nothing it depends on changed but some rows: those
    // rows are drawn again in place, unless one of them changed its height.
    if (draw && m_drawn && m_drawn->Holds(*draw) && m_drawn->key == key) {
        Drawn& d = *m_drawn;
        struct Changed {
            size_t at;
            std::vector<UTxString16> texts;
        };
        std::vector<Changed> changed;
        bool same = true;
        for (size_t i = 0; i < key.rows.size() && same; ++i) {
            DUxTableRowBase* row = const_cast<DUxTableRowBase*>(key.rows[i]);
            if (row->DrawStamp() == d.rows[i].stamp) continue;
            const int32_t lines =
                WrapRow(*this, *row, out.widths, l, scratch, texts ? &cellTexts : nullptr);
            const double h = std::max(row->GetHeight(), rowBand + (lines - 1) * l.text.height);
            same = h == d.rows[i].height;
            changed.push_back({i, cellTexts});
        }
        if (same) {
            const WqGeMatrix3d down = WqGeMatrix3d::translation(
                Turn(0.0, -(out.titleHeight + out.headingHeight + d.depth), rotation));
            SMxDisplayList redrawn;
            int32_t shift = 0;
            size_t next = 0;
            for (size_t i = 0; i < d.rows.size(); ++i) {
                Drawn::Row& r = d.rows[i];
                r.first += shift;
                r.end += shift;
                if (next >= changed.size() || changed[next].at != i) continue;
                cellTexts = std::move(changed[next++].texts);
                // The row's section, place and depth, as the whole drawing found them.
                size_t k = 0;
                while (k + 1 < cuts.size() && cuts[k + 1] <= i)
                    ++k;
                const size_t begin = cuts[k];
                const size_t end = k + 1 < cuts.size() ? cuts[k + 1] : shown.size();
                const int32_t index = rowOf(i, begin, end);
                const double x0 =
                    wrapLeft ? -double(k + 1) * out.sectionWidth : double(k) * out.sectionWidth;
                double depth = 0.0;
                for (size_t j = begin; j < i; ++j)
                    depth += d.rows[j].height;
                into = &redrawn;
                drawRow(index, i, begin, x0, depth, r.height);
                if (s > 0.0)
                    for (int32_t t = 0; t < redrawn.Count(); ++t)
                        redrawn.GetAt(t).TransformBy(down);
                const int32_t count = redrawn.Count();
                draw->Splice(r.first, r.end - r.first, redrawn);
                shift += count - (r.end - r.first);
                r.end = r.first + count;
                r.stamp = key.rows[i]->DrawStamp();
            }
            out.depth = d.depth;
            d.count = draw->Count();
            d.generation = draw->Generation();
            return false;
        }
    }
    if (draw) {
        draw->Clear();
        if (!m_drawn) m_drawn = std::make_unique<Drawn>();
        m_drawn->list = nullptr; // valid once the drawing is whole
        m_drawn->rows.clear();
        m_drawn->rows.reserve(key.rows.size());
    }

    out.depth = 0.0;
    for (int32_t k = 0; k < out.sections; ++k) {
        const size_t begin = cuts[size_t(k)];
        const size_t end = k + 1 < out.sections ? cuts[size_t(k) + 1] : shown.size();
        const double x0 = wrapLeft ? -(k + 1) * out.sectionWidth : k * out.sectionWidth;

        if (headingsShown && draw) {
            double x = x0;
            for (int32_t c = 0; c < columns; ++c) {
                const double w = out.widths[size_t(c)];
                if (texts && w > 0.0) {
                    scratch.Set(headings[size_t(c)], false, l.heading);
                    const int32_t align = GetColumn(c)->GetHeadingAlignment();
                    const double gap = l.headingGap;
                    WqGePoint3d corner(align == 1   ? x + w / 2
                                       : align == 0 ? x + gap
                                                    : x + w - gap,
                                       top + out.headingHeight / 2, 0.0);
                    PlaceHeadingText(*scratch, corner, WqGeVector3d(w, out.headingHeight, 0.0));
                    text(scratch.Shown(), corner.x, corner.y, MiddleAlign(align), l.heading,
                         IDs::MakeTextItemId(IDs::eHeadingText, k, c));
                }
                x += w;
                if (grid) line(x, top, x, body, IDs::MakeLineItemId(2, 2, 0, c));
            }
            if (grid) {
                line(x0, top, x0, body, IDs::MakeLineItemId(1, 2, 0, 0));
                line(x0, body, x0 + out.sectionWidth, body, IDs::MakeLineItemId(3, 2, 0, 0));
                if (!titleShown)
                    line(x0, top, x0 + out.sectionWidth, top, IDs::MakeLineItemId(0, 2, 0, 0));
            }
        } else if (grid && begin == end) {
            // Nothing at all: the section still closes at the origin's edge.
            line(x0, body, x0 + out.sectionWidth, body, IDs::MakeLineItemId(0, 3, 0, 0));
        }

        double depth = 0.0;
        for (size_t n = begin; n < end; ++n) {
            const int32_t index = rowOf(n, begin, end);
            DUxTableRowBase* row = m_rows[size_t(index)].get();
            const int32_t lines =
                WrapRow(*this, *row, out.widths, l, scratch, texts ? &cellTexts : nullptr);
            const double h = std::max(row->GetHeight(), rowBand + (lines - 1) * l.text.height);
            if (draw) {
                const int32_t first = draw->Count();
                drawRow(index, n, begin, x0, depth, h);
                m_drawn->rows.push_back({row->DrawStamp(), first, draw->Count(), h});
            }
            depth += h;
        }
        if (grid && depth > 0.0) {
            double x = x0;
            line(x0, body, x0, body + depth, IDs::MakeLineItemId(1, 3, 0, 0));
            for (int32_t c = 0; c < columns; ++c) {
                x += out.widths[size_t(c)];
                line(x, body, x, body + depth, IDs::MakeLineItemId(2, 3, 0, c));
            }
        }
        out.depth = std::max(out.depth, depth);
    }

    if (!draw) return true;
    const double xl = out.left, xr = out.left + out.Width();
    if (titleShown && option != 1) {
        if (texts)
            text(titleShownText, (xl + xr) / 2, top / 2, SMxTextAlign::MiddleCenter, l.title,
                 IDs::MakeTextItemId(IDs::eTitleText, 0, 0));
        line(xl, 0.0, xr, 0.0, IDs::MakeLineItemId(0, 1, 0, 0));
        line(xl, top, xr, top, IDs::MakeLineItemId(3, 1, 0, 0));
        line(xl, 0.0, xl, top, IDs::MakeLineItemId(1, 1, 0, 0));
        line(xr, 0.0, xr, top, IDs::MakeLineItemId(2, 1, 0, 0));
    }
    if (option == 1) {
        const double d = out.Height();
        line(xl, 0.0, xr, 0.0, IDs::MakeLineItemId(0, titleShown ? 1 : 2, 0, 0));
        line(xr, 0.0, xr, d, IDs::MakeLineItemId(2, 3, 0, std::max(0, columns - 1)));
        line(xr, d, xl, d, IDs::MakeLineItemId(3, 3, 0, 0));
        line(xl, d, xl, 0.0, IDs::MakeLineItemId(1, 3, 0, 0));
    }
    if (s > 0.0) {
        const WqGeMatrix3d down = WqGeMatrix3d::translation(Turn(0.0, -out.Height(), rotation));
        for (int32_t i = 0; i < draw->Count(); ++i)
            draw->GetAt(i).TransformBy(down);
    }
    m_drawn->key = std::move(key);
    m_drawn->depth = out.depth;
    return true;
}

BBox DUxTableStateBase::GetExtents(bool sheet) {
    Layout layout;
    ComputeLayout(layout, nullptr);
    const double y0 = 0.0, y1 = -layout.Height();
    BBox box;
    const double xs[2] = {layout.left, layout.left + layout.Width()};
    const double ys[2] = {y0, y1};
    for (double x : xs)
        for (double y : ys) {
            WqGeVector3d v = Turn(x, y, layout.looks.rotation);
            box.extend(sheet ? m_origin + v : WqGePoint3d(v.x, v.y, 0.0));
        }
    return box;
}

WqGePoint3d DUxTableStateBase::GetHotPoint(int32_t id) {
    Layout layout;
    ComputeLayout(layout, nullptr);
    return HotPoint(m_origin, layout.left, layout.left + layout.Width(), -layout.Height(),
                    layout.looks.rotation, id);
}

void DUxTableStateBase::AdjustExtents(int32_t mode) {
    for (int32_t c = 0; c < GetColumnCount(); ++c) {
        const double least = mode == 1
                                 ? std::max(GetMinColumnWidth(c), GetMinColumnHeaderWidth(c, true))
                                 : GetMinColumnWidth(c);
        if (mode == 1 || GetColumnWidth(c) < least) SetColumnWidth(c, least);
    }
}

void DUxTableStateBase::ApplyOriginMoveDueToRowChanges(double dh) {
    if (std::fabs(dh) <= 1e-10) return;
    // The origin is the top: the bottom stays where it was when the top goes up by dh.
    SetOrigin(m_origin + Turn(0.0, dh, ReadLooks(GetStyle()).rotation));
}

void DUxTableStateBase::Stretch(double dx, double dy, double) {
    Layout layout;
    ComputeLayout(layout, nullptr);
    const int32_t columns = GetColumnCount();
    if (dx != 0.0 && layout.sectionWidth > 0.0) {
        const double f = (layout.sectionWidth + dx / layout.sections) / layout.sectionWidth;
        for (int32_t c = 0; c < columns; ++c)
            SetColumnWidth(c, std::max(GetMinColumnWidth(c), GetColumnWidth(c) * f));
    }
    if (dy == 0.0) return;
    if (layout.depth <= 0.0) {
        if (layout.headingHeight > 0.0)
            SetColumnHeadingHeight(std::max(GetMinColumnHeaderHeight(), layout.headingHeight - dy));
        return;
    }
    // Each row's minimum is taken anew in the new widths; a drag stretches on every move, so
    // one string serves every row.
    const double f = std::max(0.0, (layout.depth - dy) / layout.depth);
    const Looks& l = layout.looks;
    std::vector<double> widths(static_cast<size_t>(columns));
    for (int32_t c = 0; c < columns; ++c)
        widths[size_t(c)] = GetColumnWidth(c);
    const double band = RowBand(*this, l);
    ScratchString text;
    for (int32_t i = 0; i < GetRowCount(); ++i) {
        DUxTableRowBase* row = GetRow(i);
        if (!row || row->Invisible()) continue;
        const double least =
            band + (WrapRow(*this, *row, widths, l, text, nullptr) - 1) * l.text.height;
        const double drawn = std::max(row->GetHeight(), least);
        row->SetHeight(std::max(least, drawn * f));
    }
}

void DUxTableStateBase::ApplyTextStyleToDataStrings() {
    BeginValueChange();
}

void DUxTableStateBase::GenGraphics(SMxDisplayList& list) {
    Layout layout;
    if (!ComputeLayout(layout, &list)) return;
    for (int32_t id = 0; id < DUxTableDispIDs::kHotPointCount; ++id) {
        auto point = std::make_unique<SMxPointItem>(
            HotPoint(m_origin, layout.left, layout.left + layout.Width(), -layout.Height(),
                     layout.looks.rotation, id),
            0);
        point->SetId(id);
        list.Append(std::move(point));
    }
    m_drawn->list = &list;
    m_drawn->count = list.Count();
    m_drawn->generation = list.Generation();
    m_drawn->restores = RSe::RestoreCount();
}
