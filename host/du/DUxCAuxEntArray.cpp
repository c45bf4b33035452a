#include "du/DUxCAuxEntArray.h"

#include <cmath>
#include <numbers>

#include "ge/WqArray.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"
#include "uc/UCxTextFormatter.h"

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
    // Codes are read by the one formatter; the symbol font's characters become what they show.
    const UCxFormattedText parsed = UCxTextFormatter::Parse(in, startFontId, 1.0, gdtFontId, false);
    UTxString16 out;
    for (size_t l = 0; l < parsed.lines.size(); ++l) {
        if (l) out += u'\n';
        for (const UCxTextRun& run : parsed.lines[l].runs) {
            if (run.fontId != gdtFontId || run.stacked) {
                out += run.text;
                continue;
            }
            for (char16_t c : run.text) {
                const UTxString16 sym = UCxStringUtil::GdtGlyphToUnicode(GdtTypeOfChar(c));
                if (sym.empty())
                    out += c;
                else
                    out += sym;
            }
        }
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

void DUxCAuxEntArray::MoveTo(DUxCAuxEntArray& other) {
    for (auto& e : m_ents)
        other.m_ents.push_back(std::move(e));
    m_ents.clear();
}
