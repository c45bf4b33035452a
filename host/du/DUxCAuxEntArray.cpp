#include "du/DUxCAuxEntArray.h"

#include <cmath>
#include <numbers>

#include "ge/WqArray.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {
SMxTextAlign AlignOf(int32_t attachment) {
    // 12 sits the text on the point's baseline; anything else centres it.
    return attachment == 12 ? SMxTextAlign::BottomCenter : SMxTextAlign::MiddleCenter;
}

// The type number of a character of the GD&T symbol font; 0 for a character it lacks.
int32_t GdtTypeOfChar(char16_t c) {
    static const char16_t kGlyphs[] = u"ucegkdabfjrihtlmp$@{s?n#}o\u00a3\u00a4\u00a2\u00a1";
    for (int32_t i = 0; kGlyphs[i]; ++i)
        if (kGlyphs[i] == c) return i + 1;
    return 0;
}
} // namespace

UTxString16 DUxPlainText(const UTxString16& in, int32_t gdtFontId, int32_t startFontId) {
    UTxString16 out;
    int32_t font = startFontId;
    std::vector<int32_t> groups; // the font to go back to at each open brace
    for (size_t i = 0; i < in.size(); ++i) {
        char16_t c = in[i];
        if (c == u'{') {
            groups.push_back(font);
            continue;
        }
        if (c == u'}' && !groups.empty()) {
            font = groups.back();
            groups.pop_back();
            continue;
        }
        if (c == u'\\' && i + 1 < in.size()) {
            const char16_t n = in[i + 1];
            // "\Avalue;" (alignment) and "\Hvalue;" (height) draw nothing; "\Sa^b;" (stacked)
            // draws its parts with a slash between. Without the closing ';' they are characters.
            if (n == u'A' || n == u'a' || n == u'H' || n == u'h' || n == u'S' || n == u's') {
                const size_t end = in.find(u';', i + 2);
                if (end != UTxString16::npos) {
                    if (n == u'S' || n == u's')
                        for (size_t k = i + 2; k < end; ++k)
                            out += (in[k] == u'^' || in[k] == u'#') ? u'/' : in[k];
                    i = end;
                    continue;
                }
            }
            const size_t end = n == u'F' ? in.find(u';', i + 2) : UTxString16::npos;
            if (end != UTxString16::npos) {
                // "\Fid;" by number; "\Fname;" by file name, the GD&T font when it says so
                const UTxString16 name = in.substr(i + 2, end - i - 2);
                bool numeric = !name.empty();
                int32_t id = 0;
                for (char16_t d : name) {
                    if (d < u'0' || d > u'9')
                        numeric = false;
                    else
                        id = id * 10 + (d - u'0');
                }
                font = numeric ? id
                               : (name.find(u"GDT") != UTxString16::npos ? gdtFontId : startFontId);
                i = end;
                continue;
            }
            c = n;
            ++i;
        }
        if (font == gdtFontId) {
            const UTxString16 sym = UCxStringUtil::GdtGlyphToUnicode(GdtTypeOfChar(c));
            if (!sym.empty()) {
                out += sym;
                continue;
            }
        }
        out += c;
    }
    return out;
}

double DUxCAuxText::actualWidth() const {
    return UCxStringUtil::GetTextExtent(DUxPlainText(text, gdtFontId, fontId), height).width;
}

double DUxCAuxText::actualHeight() const {
    return UCxStringUtil::GetTextExtent(DUxPlainText(text, gdtFontId, fontId), height).height;
}

void DUxCAuxText::TransformBy(const WqGeMatrix3d& m) {
    position.transformBy(m);
    direction.transformBy(m);
    height *= m.scale();
}

void DUxCAuxText::Draw(SMxDisplayList& list) const {
    list.Append(std::make_unique<SMxTextItem>(DUxPlainText(text, gdtFontId, fontId), position,
                                              direction, height, AlignOf(attachment)));
}

void DUxCAuxText::AddExtents(BBox& box) const {
    box.extend(UCxStringUtil::GetBBox(DUxPlainText(text, gdtFontId, fontId), height, 1.0,
                                      AlignOf(attachment), position, direction));
}

void DUxCAuxPolyLine::TransformBy(const WqGeMatrix3d& m) {
    for (WqGePoint3d& p : points)
        p.transformBy(m);
}

void DUxCAuxPolyLine::Draw(SMxDisplayList& list) const {
    if (points.size() == 2 && !closed) {
        list.Append(std::make_unique<SMxLineItem>(points[0], points[1]));
        return;
    }
    WqArray<WqGePoint3d> pts;
    for (const WqGePoint3d& p : points)
        pts.append(p);
    list.Append(std::make_unique<SMxPolylineItem>(pts, closed));
}

void DUxCAuxPolyLine::AddExtents(BBox& box) const {
    for (const WqGePoint3d& p : points)
        box.extend(p);
}

void DUxCAuxCircle::TransformBy(const WqGeMatrix3d& m) {
    centre.transformBy(m);
    normal.transformBy(m);
    normal = normal.normal();
    radius *= m.scale();
}

void DUxCAuxCircle::Draw(SMxDisplayList& list) const {
    list.Append(std::make_unique<SMxArcItem>(centre, normal, normal.perpVector(), radius, 0.0,
                                             2 * std::numbers::pi));
}

void DUxCAuxCircle::AddExtents(BBox& box) const {
    SMxArcItem arc(centre, normal, normal.perpVector(), radius, 0.0, 2 * std::numbers::pi);
    arc.ExtendBBox(box, WqGeMatrix3d());
}

void DUxCAuxArc::TransformBy(const WqGeMatrix3d& m) {
    centre.transformBy(m);
    normal.transformBy(m);
    // A mirror turns the sweep the other way round.
    normal = m.det() < 0 ? -normal.normal() : normal.normal();
    startVector.transformBy(m);
    radius *= m.scale();
}

void DUxCAuxArc::Draw(SMxDisplayList& list) const {
    list.Append(std::make_unique<SMxArcItem>(centre, normal, startVector, radius, 0.0, sweep));
}

void DUxCAuxArc::AddExtents(BBox& box) const {
    SMxArcItem arc(centre, normal, startVector, radius, 0.0, sweep);
    arc.ExtendBBox(box, WqGeMatrix3d());
}

DUxCAuxEnt* DUxCAuxEntArray::Append(std::unique_ptr<DUxCAuxEnt> e) {
    m_ents.push_back(std::move(e));
    return m_ents.back().get();
}

void DUxCAuxEntArray::TransformBy(const WqGeMatrix3d& m) {
    for (const auto& e : m_ents)
        e->TransformBy(m);
}

void DUxCAuxEntArray::Draw(SMxDisplayList& list) const {
    for (const auto& e : m_ents)
        e->Draw(list);
}

BBox DUxCAuxEntArray::GetExtents() const {
    BBox box;
    for (const auto& e : m_ents)
        e->AddExtents(box);
    return box;
}
