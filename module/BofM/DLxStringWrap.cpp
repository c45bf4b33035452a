#include "BofM/DLxStringWrap.h"

#include <cmath>

#include "du/DUxCAuxEntArray.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/IFxStringExtUtil.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeTol.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
// Equal, or so close that their sum dwarfs their difference (the geometry's point tolerance).
bool IsEqualWithinTolerance(double a, double b) {
    if (a == b) return true;
    return std::fabs((a + b) / (a - b)) > 2.0 / WqGeContext::gTol.equalPoint();
}

bool FitsWithin(double available, double measured) {
    return available >= measured || std::fabs(available - measured) <= 1e-6;
}

// A measuring string for formatted text, freed with the wrap's call.
struct MeasuringString {
    MeasuringString(int32_t font, double height)
        : s(new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
                RDxString()) {
        s->SetFontId(font);
        s->SetTextHeight(height);
    }
    ~MeasuringString() { RSe::DeleteObject(s); }
    MeasuringString(const MeasuringString&) = delete;
    MeasuringString& operator=(const MeasuringString&) = delete;
    RDxString* s;
};
// No line ends, codes, braces or surrogates: each character adds its own width.
bool PlainRun(const UTxString16& text, size_t from) {
    for (size_t i = from; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n' || c == u'\r' || c == u'\\' || c == u'{' || c == u'}' ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
    }
    return true;
}

} // namespace

double MeasureTextWidth(const UTxString16& text, int32_t font, RSeSegment*, double height) {
    DUxCAuxText t;
    t.position = WqGePoint3d::kOrigin;
    t.attachment = 4;
    t.text = text;
    t.fontId = font;
    t.gdtFontId = -1; // table cells are written in their own font
    t.height = height;
    return t.actualWidth();
}

IFxStringExtUtil* GetIFxStringExtUtil() {
    return IFxStringExtUtil::Get();
}

bool DLxWidthFits(double available, double measured) {
    return FitsWithin(available, measured) || IsEqualWithinTolerance(available, measured);
}

DLxStringWrap::DLxStringWrap(const UTxString16& text, double width, int32_t font,
                             bool noSpaceBreaks, RSeSegment* segment,
                             const RSeRef<DUxTableStateBase>& state, double height)
    : m_segment(segment), m_text(text), m_width(width), m_noSpaceBreaks(noSpaceBreaks),
      m_font(font), m_state(state), m_height(height) {}

DLxStringWrap::~DLxStringWrap() = default;

bool DLxStringWrap::GetItem(UTxString16& line, bool& hardBreak) {
    line.clear();
    hardBreak = false;
    if (m_position == -2) return false;
    if (m_position == -1) m_position = 0;
    const DUxTableStateBase* state = m_state.get();
    const bool formatCodes = !state || state->UsesFormatCodes() || DUxTableStyle::IsStacked(m_text);
    IFxStringExtUtil* util = GetIFxStringExtUtil();
    if (!util) return false;
    const int32_t n = int32_t(m_text.size());
    const int32_t start = m_position;
    // Most cells fit on one line. A text of plain characters only grows as it runs, so when
    // the whole rest fits, every part of it does and the rest is the last line: measured once
    // instead of once a character.
    if (!formatCodes && PlainRun(m_text, size_t(start)) &&
        !(m_width < MeasureTextWidth(m_text.substr(size_t(start)), m_font, m_segment, m_height))) {
        line = m_text.substr(size_t(start));
        m_position = -2;
        return false;
    }
    MeasuringString measuring(m_font, m_height);

    int32_t lastBreak = -1, afterBlank = -1, end = -1;
    char16_t previous = 0;
    UTxString16 running;
    for (int32_t i = start; i < n; ++i) {
        const char16_t c = m_text[size_t(i)];
        double measured = 0.0;
        if (formatCodes) {
            if (c == u'\\') {
                if (i == n - 1) continue; // a closing backslash is not measured
                const char16_t next = m_text[size_t(i + 1)];
                const size_t found = m_text.find(u';', size_t(i + 2));
                const int32_t semi = found == UTxString16::npos ? -1 : int32_t(found);
                if (next == u'A' || next == u'a' || next == u'H' || next == u'h' || next == u'S' ||
                    next == u's') {
                    // A whole code is never split: pass over it, or end at its ';'.
                    if (semi >= i + 3 && semi < n - 1) {
                        i = semi;
                        continue;
                    }
                    if (semi == n - 1) i = semi;
                } else if (next == u'F' || next == u'f') {
                    if (semi == i + 3 || semi == i + 4) i = semi;
                }
            }
            measuring.s->SetFormattedValue(m_text.substr(size_t(start), size_t(i - start + 1)),
                                           0x131);
            const BBox box = util->GetStringExtents(*measuring.s, nullptr);
            measured = box.isEmpty() ? 0.0 : box.max.x - box.min.x;
        } else {
            running += c;
            measured = MeasureTextWidth(running, m_font, m_segment, m_height);
        }
        if (DLxWidthFits(m_width, measured)) {
            if (m_noSpaceBreaks || (c != u' ' && c != u'\n')) {
                lastBreak = i;
            } else {
                afterBlank = lastBreak = i + 1;
                if (c == u'\n' && previous == u'\r') {
                    hardBreak = true;
                    end = i;
                    break;
                }
            }
        }
        previous = c;
        if (m_width < measured) {
            end = afterBlank != -1 ? afterBlank - 1 : (lastBreak != -1 ? lastBreak : i);
            break;
        }
    }
    if (end < 0) {
        line = m_text.substr(size_t(start));
        m_position = -2;
        return false;
    }
    line = m_text.substr(size_t(start), size_t(end - start + 1));
    m_position = end + 1 >= n ? -2 : end + 1;
    return m_position != -2;
}

DLxStringTrim::DLxStringTrim(const UTxString16& text, double width, int32_t font, int32_t mode,
                             RSeSegment* segment, double extra, double height)
    : m_segment(segment), m_text(text), m_width(width), m_mode(mode), m_font(font), m_extra(extra),
      m_height(height) {}

DLxStringTrim::~DLxStringTrim() = default;

UTxString16 DLxStringTrim::GetString() const {
    if (MeasureTextWidth(u"X", m_font, m_segment, m_height) >= m_width) return {};
    const double limit = m_extra == -1.0 ? m_width : m_width + m_extra;
    UTxString16 result = m_text;
    for (;;) {
        const double w = MeasureTextWidth(result, m_font, m_segment, m_height);
        if (FitsWithin(m_width, w)) return result;
        const size_t k = size_t(m_width / (w / double(result.size())));
        result = m_mode == 2 ? m_text.substr(m_text.size() - k) : m_text.substr(0, k);
        const double shortened = MeasureTextWidth(result, m_font, m_segment, m_height);
        if (FitsWithin(limit, shortened)) return result;
    }
}
