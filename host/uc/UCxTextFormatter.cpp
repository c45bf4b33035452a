#include "uc/UCxTextFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {
constexpr char16_t kNoBreakSpace = u'\u00a0';
// Room for rounding when a wrapped line is exactly as wide as the box.
constexpr double kFitTol = 1e-9;

class Builder {
public:
    explicit Builder(UCxFormattedText& out) : m_out(out) {}

    void Add(char16_t c, int32_t font, double height, bool stacked) {
        if (m_out.lines.empty()) m_out.lines.emplace_back();
        std::vector<UCxTextRun>& runs = m_out.lines.back().runs;
        if (runs.empty() || runs.back().fontId != font || runs.back().height != height ||
            runs.back().stacked != stacked)
            runs.push_back({{}, font, height, stacked});
        runs.back().text += c;
    }
    void NewLine() {
        if (m_out.lines.empty()) m_out.lines.emplace_back();
        m_out.lines.emplace_back();
    }

private:
    UCxFormattedText& m_out;
};

// A decimal number, optionally followed by 'x'; false when the text is anything else.
bool ReadHeight(std::u16string_view v, double& value, bool& factor) {
    factor = !v.empty() && (v.back() == u'x' || v.back() == u'X');
    if (factor) v.remove_suffix(1);
    std::string narrow;
    for (char16_t c : v) {
        if (c > 0x7f) return false;
        narrow += static_cast<char>(c);
    }
    if (narrow.empty()) return false;
    const auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    return ec == std::errc() && end == narrow.data() + narrow.size() && value > 0.0;
}

int32_t FontOf(std::u16string_view name, int32_t startFont, int32_t gdtFont) {
    bool numeric = !name.empty();
    int32_t id = 0;
    for (char16_t d : name) {
        if (d < u'0' || d > u'9' || id > 100000000)
            numeric = false;
        else
            id = id * 10 + (d - u'0');
    }
    if (numeric) return id;
    return name.find(u"GDT") != std::u16string_view::npos ? gdtFont : startFont;
}

struct Cell {
    char16_t c;
    size_t run; // index into the source line's runs
};

double CellsWidth(const std::vector<Cell>& cells, size_t from, size_t to,
                  const std::vector<UCxTextRun>& runs) {
    double w = 0.0;
    size_t i = from;
    while (i < to) {
        size_t j = i;
        std::u16string piece;
        while (j < to && cells[j].run == cells[i].run)
            piece += cells[j++].c;
        w += UCxStringUtil::LineWidth(piece, runs[cells[i].run].height);
        i = j;
    }
    return w;
}

UCxTextLine LineOf(const std::vector<Cell>& cells, size_t from, size_t to,
                   const std::vector<UCxTextRun>& runs) {
    UCxTextLine line;
    for (size_t i = from; i < to; ++i) {
        const UCxTextRun& src = runs[cells[i].run];
        if (line.runs.empty() || line.runs.back().fontId != src.fontId ||
            line.runs.back().height != src.height || line.runs.back().stacked != src.stacked)
            line.runs.push_back({{}, src.fontId, src.height, src.stacked});
        line.runs.back().text += cells[i].c;
    }
    return line;
}
uint8_t Channel(float f) {
    return uint8_t(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f));
}

// Fraction of the block's width left of the location, and of its height above it, by
// attachment code: 9 10 11 top, 6 7 8 middle, 0 1 2 bottom; left, centre, right in each.
void AttachmentFractions(int32_t code, double& left, double& above) {
    const int32_t column = ((code % 3) + 3) % 3;
    left = column * 0.5;
    above = code >= 9 ? 0.0 : code >= 6 ? 0.5 : 1.0;
}

// Where each line's bottom-left corner goes, unrotated.
std::vector<WqGePoint3d> LineOrigins(const UCxFormattedText& text, const RDxString& s,
                                     BBox* outBox) {
    std::vector<WqGePoint3d> origins;
    if (text.lines.empty()) return origins;
    const double pitch = UCxTextFormatter::LinePitch(s);
    const double width = text.Width();
    const double height = text.Height(pitch);
    double left = 0.0, above = 0.0;
    AttachmentFractions(s.GetAttachment(), left, above);
    const WqGePoint3d& at = s.GetLocation();
    const double x0 = at.x - width * left;
    const double top = at.y + height * above;
    const double justify = std::clamp(s.GetHorizontalJustification(), 0, 2) * 0.5;
    double bottom = top;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const double lh = text.lines[i].Height(text.baseHeight);
        bottom -= i ? lh * pitch : lh;
        origins.emplace_back(x0 + (width - text.lines[i].Width()) * justify, bottom, at.z);
    }
    if (outBox)
        *outBox = BBox(WqGePoint3d(x0, top - height, at.z), WqGePoint3d(x0 + width, top, at.z));
    return origins;
}
} // namespace

double UCxTextLine::Width() const {
    double w = 0.0;
    for (const UCxTextRun& r : runs)
        w += UCxStringUtil::LineWidth(r.text, r.height);
    return w;
}

double UCxTextLine::Height(double fallback) const {
    double h = 0.0;
    for (const UCxTextRun& r : runs)
        h = std::max(h, r.height);
    return h > 0.0 ? h : fallback;
}

UTxString16 UCxTextLine::Text() const {
    UTxString16 t;
    for (const UCxTextRun& r : runs)
        t += r.text;
    return t;
}

UTxString16 UCxFormattedText::PlainText() const {
    UTxString16 t;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) t += u'\n';
        t += lines[i].Text();
    }
    return t;
}

double UCxFormattedText::Width() const {
    double w = 0.0;
    for (const UCxTextLine& l : lines)
        w = std::max(w, l.Width());
    return w;
}

double UCxFormattedText::Height(double linePitch) const {
    double h = 0.0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double lh = lines[i].Height(baseHeight);
        h += i ? lh * linePitch : lh;
    }
    return h;
}

UCxFormattedText UCxTextFormatter::Parse(std::u16string_view in, int32_t startFontId, double height,
                                         int32_t gdtFontId, bool paragraphCodes) {
    UCxFormattedText out;
    out.baseHeight = height;
    Builder b(out);
    int32_t font = startFontId;
    double h = height;
    std::vector<std::pair<int32_t, double>> groups; // what each open brace comes back to
    for (size_t i = 0; i < in.size(); ++i) {
        char16_t c = in[i];
        if (c == u'{') {
            groups.emplace_back(font, h);
            continue;
        }
        if (c == u'}' && !groups.empty()) {
            std::tie(font, h) = groups.back();
            groups.pop_back();
            continue;
        }
        if (c == u'\n') {
            b.NewLine();
            continue;
        }
        if (c == u'\\' && i + 1 < in.size()) {
            const char16_t n = in[i + 1];
            if (n == u'P' && paragraphCodes) {
                b.NewLine();
                ++i;
                continue;
            }
            if (n == u'~' && paragraphCodes) {
                b.Add(kNoBreakSpace, font, h, false);
                ++i;
                continue;
            }
            const bool valued = n == u'F' || n == u'H' || n == u'h' || n == u'S' || n == u's' ||
                                n == u'A' || n == u'a';
            const size_t end = valued ? in.find(u';', i + 2) : std::u16string_view::npos;
            if (end != std::u16string_view::npos) {
                const std::u16string_view value = in.substr(i + 2, end - i - 2);
                if (n == u'F') {
                    font = FontOf(value, startFontId, gdtFontId);
                } else if (n == u'H' || n == u'h') {
                    double v = 0.0;
                    bool factor = false;
                    if (ReadHeight(value, v, factor)) {
                        const double next = factor ? h * v : v;
                        if (std::isfinite(next) && next <= kMaxHeight) h = next;
                    }
                } else if (n == u'S' || n == u's') {
                    for (char16_t part : value)
                        b.Add(part == u'^' || part == u'#' ? u'/' : part, font, h, true);
                }
                i = end;
                continue;
            }
            c = n;
            ++i;
        }
        b.Add(c, font, h, false);
    }
    return out;
}

UCxFormattedText UCxTextFormatter::Wrap(const UCxFormattedText& text, double width) {
    if (width <= 0.0) return text;
    UCxFormattedText out;
    out.baseHeight = text.baseHeight;
    for (const UCxTextLine& line : text.lines) {
        std::vector<Cell> cells;
        for (size_t r = 0; r < line.runs.size(); ++r)
            for (char16_t c : line.runs[r].text)
                cells.push_back({c, r});
        if (cells.empty()) {
            out.lines.push_back(line);
            continue;
        }
        // Greedy: words (runs of non-spaces) join the current line while they fit.
        size_t start = 0;   // first cell of the line being built
        size_t lineEnd = 0; // end of its last word
        size_t i = 0;
        bool first = true;
        while (i < cells.size()) {
            size_t wordStart = i;
            while (wordStart < cells.size() && cells[wordStart].c == u' ')
                ++wordStart;
            size_t wordEnd = wordStart;
            while (wordEnd < cells.size() && cells[wordEnd].c != u' ')
                ++wordEnd;
            if (wordStart == wordEnd) break; // only spaces left
            if (first) {
                lineEnd = wordEnd;
                first = false;
            } else if (CellsWidth(cells, start, wordEnd, line.runs) <= width + kFitTol) {
                lineEnd = wordEnd;
            } else {
                out.lines.push_back(LineOf(cells, start, lineEnd, line.runs));
                start = wordStart;
                lineEnd = wordEnd;
            }
            i = wordEnd;
        }
        out.lines.push_back(LineOf(cells, start, first ? cells.size() : lineEnd, line.runs));
    }
    return out;
}

UCxFormattedText UCxTextFormatter::Read(const RDxString& s, int32_t gdtFontId) {
    const UTxString16& formatted = s.GetFormattedValue();
    if (!formatted.empty()) return Parse(formatted, s.GetFontId(), s.GetTextHeight(), gdtFontId);
    // A simple value holds no codes: every character is itself.
    UCxFormattedText out;
    out.baseHeight = s.GetTextHeight();
    for (std::u16string_view line : UCxStringUtil::SplitLines(s.GetSimpleValue())) {
        out.lines.emplace_back();
        if (!line.empty())
            out.lines.back().runs.push_back(
                {UTxString16(line), s.GetFontId(), s.GetTextHeight(), false});
    }
    return out;
}

double UCxTextFormatter::LinePitch(const RDxString& s) {
    return s.GetLineSpacingType() == 0 && s.GetLineSpacing() > 0.0f ? s.GetLineSpacing() : 1.0;
}

BBox UCxTextFormatter::GetBBox(const UCxFormattedText& text, const RDxString& s) {
    BBox box;
    LineOrigins(text, s, &box);
    return box;
}

void UCxTextFormatter::Draw(const UCxFormattedText& text, const RDxString& s, SMxDisplayList& list,
                            int32_t itemId) {
    const std::vector<WqGePoint3d> origins = LineOrigins(text, s, nullptr);
    const bool turned = s.GetRotation() != 0.0;
    const WqGeMatrix3d turn =
        WqGeMatrix3d::rotation(s.GetRotation(), WqGeVector3d::kZAxis, s.GetLocation());
    const float* rgba = s.GetColor();
    for (size_t i = 0; i < origins.size(); ++i) {
        WqGePoint3d at = origins[i];
        for (const UCxTextRun& run : text.lines[i].runs) {
            auto item = std::make_unique<SMxTextItem>(run.text, at, WqGeVector3d::kXAxis,
                                                      run.height, SMxTextAlign::BottomLeft);
            item->fontId = run.fontId;
            item->SetId(itemId);
            if (!s.GetNoColor())
                item->SetColor(SMxColor::FromRgba(Channel(rgba[0]), Channel(rgba[1]),
                                                  Channel(rgba[2]), Channel(rgba[3])));
            at.x += UCxStringUtil::LineWidth(run.text, run.height);
            if (turned) item->TransformBy(turn);
            list.Append(std::move(item));
        }
    }
}
