#include "du/DUxWeldState.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dc/RDxFragment.h"
#include "du/DUxWeldStyle.h"
#include "ge/WqArray.h"
#include "ge/WqGeVector3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

// ---- welds and sub-weldings

void DUxCSubWelding::Put(int i, const DUxCWeld* weld) {
    present[i] = weld != nullptr;
    welds[i] = weld ? *weld : DUxCWeld();
}

void DUxCSubWelding::reverseSide() {
    std::swap(welds[0], welds[2]);
    std::swap(welds[1], welds[3]);
    std::swap(present[0], present[2]);
    std::swap(present[1], present[3]);
}

std::vector<DUxWeldSrvUtils::Desc> DUxWeldSrvUtils::GetWelds(bool above) {
    // Pictures below the line from 7681, above it from 7711, one a weld type; their names from
    // string 8226.
    std::vector<Desc> out;
    for (uint32_t t = DUxCWeld::kFillet; t <= DUxCWeld::kLastType; ++t)
        out.push_back({(above ? 7711u : 7681u) + t - 1, 8226u + t - 1, t, 0, true, false});
    return out;
}

std::vector<UTxString16> DUxWeldSrvUtils::FinishChoices(int32_t contour) {
    // Chipping, grinding, hammering, machining, rolling, unspecified.
    if (contour == DUxCWeld::kNoContour) return {};
    return {u"C", u"G", u"H", u"M", u"R", u"U"};
}

std::vector<DUxWeldSrvUtils::Desc> DUxWeldSrvUtils::GetContours(bool above) {
    std::vector<Desc> out;
    for (int32_t c = DUxCWeld::kFlush; c <= DUxCWeld::kConcave; ++c)
        out.push_back({(above ? 7741u : 7731u) + uint32_t(c) - 1, 8238u + uint32_t(c) - 1,
                       uint32_t(c), 1, true, false});
    return out;
}

bool DUxWeldSrvUtils::HasService(uint32_t type, int32_t group) {
    return group == 0 && type >= DUxCWeld::kFillet && type <= DUxCWeld::kLastType;
}

std::vector<int32_t> DUxWeldSrvUtils::ValueFields(uint32_t type) {
    using W = DUxCWeld;
    switch (type) {
    case W::kFillet:
    case W::kSpot:
    case W::kSeam:
        return {W::kSize, W::kLength, W::kPitch};
    case W::kSquare:
        return {W::kSize, W::kRootOpening, W::kLength, W::kPitch};
    case W::kV:
    case W::kBevel:
    case W::kU:
    case W::kJ:
        return {W::kSize, W::kDepth, W::kLength, W::kPitch, W::kAngle, W::kRootOpening};
    case W::kPlug:
        return {W::kSize, W::kDepth, W::kPitch, W::kAngle};
    case W::kBack:
        return {W::kSize};
    default:
        return {};
    }
}

// ---- the state

DUxWeldState* DUxWeldState::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxWeldState*>(nullptr)),
                       fragment->GetSegment()) DUxWeldState();
    fragment->AddNode(state);
    return state;
}

void DUxWeldState::setOrientation(int32_t orientation) {
    BeginValueChange();
    m_orientation = orientation;
}

const DUxCSubWelding* DUxWeldState::subWelding(int32_t i) const {
    return i >= 0 && i < numOfSubWeldings() ? &m_subWeldings[size_t(i)] : nullptr;
}

DUxCSubWelding* DUxWeldState::EditSubWelding(int32_t i) {
    if (i < 0 || i >= numOfSubWeldings()) return nullptr;
    BeginValueChange();
    return &m_subWeldings[size_t(i)];
}

int32_t DUxWeldState::addSubWelding() {
    BeginValueChange();
    DUxCSubWelding sub;
    sub.arrowSidePosition = m_arrowSidePosition;
    sub.orientation = m_orientation;
    m_subWeldings.push_back(sub);
    return numOfSubWeldings() - 1;
}

DUxWeldContent DUxWeldState::GetContent() const {
    return {m_orientation, m_identLineType, m_arrowSidePosition, m_subWeldings};
}

void DUxWeldState::SetContent(const DUxWeldContent& content) {
    if (content == GetContent()) return;
    BeginValueChange();
    m_orientation = content.orientation;
    m_identLineType = content.identLineType;
    m_arrowSidePosition = content.arrowSidePosition;
    m_subWeldings = content.subWeldings;
}

void DUxWeldState::SetIdentLineType(int32_t type) {
    if (type == m_identLineType) return;
    BeginValueChange();
    m_identLineType = type;
}

void DUxWeldState::SetArrowSidePosition(int32_t position) {
    if (position == m_arrowSidePosition) return;
    BeginValueChange();
    m_arrowSidePosition = position;
}

void DUxWeldState::SetRecoverPrefix(bool on) {
    if (on == m_recoverPrefix) return;
    BeginValueChange();
    m_recoverPrefix = on;
}

void DUxWeldState::SetRecovered(bool on) {
    if (on == m_recovered) return;
    BeginValueChange();
    m_recovered = on;
}

void DUxWeldState::SetStandardDefaults(const UTxString16& standard) {
    const bool below = standard == u"ANSI" || standard == u"JIS";
    SetArrowSidePosition(below ? 0 : 1);
    SetIdentLineType(below ? kNoIdentLine : kIdentLineBelow);
}

void DUxWeldState::SetDefaultSubSymbol(DUxCSubWelding& sub) {
    DUxCWeld fillet;
    fillet.setWeldType(DUxCWeld::kFillet, 0);
    sub.setWeldOnArrowSide(&fillet, true);
}

double DUxWeldState::GetIdentLineGap() const {
    return DUxWeldStyleWrapper(this).GetIdentLineGap();
}

double DUxWeldState::GetAllAroundDiameter() const {
    // The symbol's own diameter (its leader style's) wins over the rule.
    const DUxLeaderStyleOverrides& own = GetLeaderStyleOverrides();
    if (own.Has(DUxLeaderStyleOverrides::kAllAroundDiameter)) return own.allAroundDiameter;
    for (const DUxCSubWelding& sub : m_subWeldings) {
        switch (sub.areaDescType) {
        case 1:
            return 1.8 * kTextHeight;
        case 2:
            return kTextHeight;
        case 4:
            return 2 * GetIdentLineGap();
        default:
            break;
        }
    }
    return 0;
}

// ---- drawing

namespace {
constexpr double kH = DUxWeldState::kTextHeight;
// Symbols are as high as the text and sit this far along the line at least.
constexpr double kSymbol = kH;
constexpr double kGap = 0.3 * kH;
constexpr double kSecondaryPitch = 1.1 * kSymbol;

double TextWidth(const UTxString16& text) {
    return text.empty() ? 0.0 : SMxTextItem::kAdvanceRatio * kH * double(text.size());
}

const UTxString16& Field(const DUxCWeld& w, int32_t f) {
    return w.values[size_t(f)];
}

// Left of the symbol: the prefix and the size, with the depth of preparation first and the
// size in brackets when both are given.
UTxString16 LeftText(const DUxCWeld& w) {
    const UTxString16& size = Field(w, DUxCWeld::kSize);
    const UTxString16& depth = Field(w, DUxCWeld::kDepth);
    if (!depth.empty()) return w.prefix + depth + (size.empty() ? u"" : u"(" + size + u")");
    return size.empty() ? UTxString16() : w.prefix + size;
}

// Right of the symbols: length and pitch.
UTxString16 RightText(const DUxCWeld& w) {
    const UTxString16& length = Field(w, DUxCWeld::kLength);
    const UTxString16& pitch = Field(w, DUxCWeld::kPitch);
    if (pitch.empty()) return length;
    return length + u"-" + pitch;
}

// One side of a reference line: which welds, on which line (y), growing which way (s).
struct Side {
    const DUxCWeld* primary = nullptr;
    const DUxCWeld* secondary = nullptr;
    double s = 1;     // +1 above the line, -1 below
    double base = 0;  // y of the line the symbols sit on
    double shift = 0; // staggered along the line
};

// Where the symbols of a reference line stand (their centre, from the reading start) and how
// long the line is.
struct LineLayout {
    double xs = 0;
    double length = 0;
};

bool HasCircle(const DUxCSubWelding& sub) {
    const int32_t t = sub.areaDescType;
    return t == 1 || t == 2 || t == 4 || t == 8;
}

// `rootStart`: the root is at the line's reading start (orientation 1); `margin` keeps the
// symbols and texts clear of what the root carries (the all-around circle).
LineLayout Layout(const DUxCSubWelding& sub, bool rootStart = true, double margin = 0) {
    double left = 0;
    for (const DUxCWeld* w : {sub.weldOnArrowSide(true), sub.weldOnOtherSide(true)})
        if (w) left = std::max(left, TextWidth(LeftText(*w)));
    LineLayout l;
    l.xs = std::max(1.5 * kH, left + kGap + kSymbol / 2) + (rootStart ? margin : 0);
    double end = l.xs + kSymbol / 2;
    const double stagger = sub.associationType >= 2 && sub.associationType <= 4 ? kSecondaryPitch : 0;
    for (int side = 0; side < 2; ++side) {
        const DUxCWeld* p = side ? sub.weldOnOtherSide(true) : sub.weldOnArrowSide(true);
        const DUxCWeld* q = side ? sub.weldOnOtherSide(false) : sub.weldOnArrowSide(false);
        if (!p && !q) continue;
        double e = l.xs + (side ? stagger : 0) + kSymbol / 2 + (q ? kSecondaryPitch : 0);
        if (p) {
            const double w = TextWidth(RightText(*p));
            if (w > 0) e += kGap + w;
        }
        end = std::max(end, e);
    }
    l.length = std::max(end + kH + (rootStart ? 0 : margin), 5 * kH);
    return l;
}

// Maps reading-order positions of one line onto the symbol: the root at the origin.
struct Frame {
    double root = 0; // reading x of the root
    double y = 0;
    WqGePoint3d P(double x, double dy) const { return {x - root, y + dy, 0}; }
};

void Symbol(SMxDisplayListBuilder& b, const Frame& f, uint32_t type, double xs, double base,
            double s) {
    const double h = kSymbol;
    const double l = xs - h / 2, r = xs + h / 2;
    const WqGeVector3d z = WqGeVector3d::kZAxis, x = WqGeVector3d::kXAxis;
    const double up = s > 0 ? 0 : std::numbers::pi; // arcs opening away from the line
    switch (type) {
    case DUxCWeld::kFillet: {
        // The vertical leg on the left, whatever the side.
        WqArray<WqGePoint3d> pts;
        pts.append(f.P(l, base));
        pts.append(f.P(l, base + s * h));
        pts.append(f.P(r, base));
        b.AddPolyline(pts, true);
        break;
    }
    case DUxCWeld::kSquare:
        b.AddLine(f.P(xs - h / 4, base), f.P(xs - h / 4, base + s * h));
        b.AddLine(f.P(xs + h / 4, base), f.P(xs + h / 4, base + s * h));
        break;
    case DUxCWeld::kV:
        b.AddLine(f.P(xs, base), f.P(l, base + s * h));
        b.AddLine(f.P(xs, base), f.P(r, base + s * h));
        break;
    case DUxCWeld::kBevel:
        b.AddLine(f.P(xs - h / 4, base), f.P(xs - h / 4, base + s * h));
        b.AddLine(f.P(xs - h / 4, base), f.P(r, base + s * h));
        break;
    case DUxCWeld::kU: {
        const double rad = 0.35 * h;
        const WqGePoint3d c = f.P(xs, base + s * 0.55 * h);
        b.AddLine(f.P(xs, base), f.P(xs, base + s * (0.55 * h - rad)));
        b.AddArc(c, z, x, rad, up + std::numbers::pi, up + 2 * std::numbers::pi);
        b.AddLine(f.P(xs - rad, base + s * 0.55 * h), f.P(xs - rad, base + s * h));
        b.AddLine(f.P(xs + rad, base + s * 0.55 * h), f.P(xs + rad, base + s * h));
        break;
    }
    case DUxCWeld::kJ: {
        const double rad = 0.5 * h;
        const double lx = xs - h / 4;
        b.AddLine(f.P(lx, base), f.P(lx, base + s * h));
        // A quarter from the straight leg's foot round to the upright on its right.
        const WqGePoint3d c = f.P(lx, base + s * (h - rad));
        const double from = s > 0 ? 1.5 * std::numbers::pi : 0.0;
        b.AddArc(c, z, x, rad, from, from + std::numbers::pi / 2);
        b.AddLine(f.P(lx + rad, base + s * (h - rad)), f.P(lx + rad, base + s * h));
        break;
    }
    case DUxCWeld::kPlug: {
        WqArray<WqGePoint3d> pts;
        pts.append(f.P(l, base));
        pts.append(f.P(l, base + s * h / 2));
        pts.append(f.P(r, base + s * h / 2));
        pts.append(f.P(r, base));
        b.AddPolyline(pts, true);
        break;
    }
    case DUxCWeld::kSpot:
        b.AddCircle(f.P(xs, base + s * h / 2), z, h / 2);
        break;
    case DUxCWeld::kSeam:
        b.AddCircle(f.P(xs, base + s * h / 2), z, h / 2);
        b.AddLine(f.P(l - h / 4, base + s * h / 3), f.P(r + h / 4, base + s * h / 3));
        b.AddLine(f.P(l - h / 4, base + s * 2 * h / 3), f.P(r + h / 4, base + s * 2 * h / 3));
        break;
    case DUxCWeld::kBack:
        b.AddArc(f.P(xs, base), z, x, h / 2, up, up + std::numbers::pi);
        break;
    default:
        break;
    }
}

// Beyond the symbol (at y = base + s * at): flush a line, convex an arc bulging away from the
// line, concave one bulging toward it.
void Contour(SMxDisplayListBuilder& b, const Frame& f, int32_t contour, double xs, double base,
             double s, double at) {
    const double w = kSymbol, t = 0.25 * kSymbol;
    const double y = base + s * at;
    if (contour == DUxCWeld::kFlush) {
        b.AddLine(f.P(xs - w / 2, y), f.P(xs + w / 2, y));
        return;
    }
    if (contour != DUxCWeld::kConvex && contour != DUxCWeld::kConcave) return;
    const double rad = (w * w / 4 + t * t) / (2 * t);
    const double half = std::asin(w / 2 / rad);
    const double away = s > 0 ? std::numbers::pi / 2 : 1.5 * std::numbers::pi;
    if (contour == DUxCWeld::kConvex) {
        b.AddArc(f.P(xs, y - s * (rad - t)), WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, rad,
                 away - half, away + half);
    } else {
        const double toward = away + std::numbers::pi;
        b.AddArc(f.P(xs, y + s * (rad)), WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, rad,
                 toward - half, toward + half);
    }
}

void Text(SMxDisplayListBuilder& b, const UTxString16& text, const WqGePoint3d& at,
          SMxTextAlign align, double height = kH) {
    if (!text.empty()) b.AddText(text, at, WqGeVector3d::kXAxis, height, align);
}

void DrawSide(SMxDisplayListBuilder& lines, SMxDisplayListBuilder& texts, const Frame& f,
              const Side& side, double xs0) {
    const double xs = xs0 + side.shift;
    const double s = side.s;
    const SMxTextAlign beyond = s > 0 ? SMxTextAlign::BottomCenter : SMxTextAlign::TopCenter;
    double right = xs + kSymbol / 2;
    if (const DUxCWeld* w = side.primary) {
        Symbol(lines, f, w->weldType, xs, side.base, s);
        double out = kSymbol + 0.2 * kH;
        if (w->contourType != DUxCWeld::kNoContour) {
            Contour(lines, f, w->contourType, xs, side.base, s, out + 0.1 * kH);
            out += 0.6 * kH;
            if (!w->finish.empty()) {
                Text(texts, w->finish, f.P(xs, side.base + s * out), beyond);
                out += 1.1 * kH;
            }
        }
        Text(texts, LeftText(*w), f.P(xs - kSymbol / 2 - kGap, side.base + s * kSymbol / 2),
             SMxTextAlign::MiddleRight);
        Text(texts, Field(*w, DUxCWeld::kAngle), f.P(xs, side.base + s * out), beyond);
        Text(texts, Field(*w, DUxCWeld::kRootOpening), f.P(xs, side.base + s * 0.6 * kSymbol),
             SMxTextAlign::MiddleCenter, 0.7 * kH);
    }
    if (const DUxCWeld* w = side.secondary) {
        const double x2 = xs + kSecondaryPitch;
        Symbol(lines, f, w->weldType, x2, side.base, s);
        Contour(lines, f, w->contourType, x2, side.base, s, kSymbol + 0.3 * kH);
        Text(texts, LeftText(*w), f.P(x2, side.base + s * (kSymbol + 0.2 * kH)), beyond);
        right = x2 + kSymbol / 2;
    }
    if (side.primary)
        Text(texts, RightText(*side.primary), f.P(right + kGap, side.base + s * kSymbol / 2),
             SMxTextAlign::MiddleLeft);
}
} // namespace

double DUxWeldState::GetReferenceLineLength(int32_t i) const {
    const DUxCSubWelding* sub = subWelding(i);
    return sub ? Layout(*sub, m_orientation != 0, RootMargin(*sub)).length : 0.0;
}

void DUxWeldState::DrawSubWelding(SMxDisplayListBuilder& lines, SMxDisplayListBuilder& texts,
                                  int32_t i) {
    const DUxCSubWelding& sub = m_subWeldings[size_t(i)];
    const LineLayout l = Layout(sub, m_orientation != 0, RootMargin(sub));
    Frame f;
    f.y = i * kStackPitch;
    f.root = m_orientation == 0 ? l.length : 0.0;
    const double tail = m_orientation == 0 ? 0.0 : l.length;
    const double out = m_orientation == 0 ? -1.0 : 1.0; // from the root toward the tail

    lines.SetItemId(kReferenceLineItem);
    lines.AddLine(f.P(0, 0), f.P(l.length, 0));
    const double arrow = sub.arrowSidePosition ? 1.0 : -1.0;
    // Welds on both sides are symmetrical about the continuous line: no identification line.
    const bool bothSides = sub.weldOnArrowSide(true) && sub.weldOnOtherSide(true);
    double identSide = 0;
    const double gap = GetIdentLineGap();
    if (m_identLineType == kIdentLineBelow && !bothSides) identSide = -1;
    if (m_identLineType == kIdentLineAbove && !bothSides) identSide = 1;
    if (identSide != 0) {
        lines.SetItemId(kIdentLineItem);
        const int32_t solid = lines.GetLineStyle();
        lines.SetLineStyle(1);
        lines.AddLine(f.P(0, identSide * gap), f.P(l.length, identSide * gap));
        lines.SetLineStyle(solid);
    }

    lines.SetItemId(kSymbolItem);
    texts.SetItemId(kTextItem);
    const bool staggered = sub.associationType >= 2 && sub.associationType <= 4;
    for (int k = 0; k < 2; ++k) {
        Side side;
        side.s = k == 0 ? arrow : -arrow;
        side.primary = k == 0 ? sub.weldOnArrowSide(true) : sub.weldOnOtherSide(true);
        side.secondary = k == 0 ? sub.weldOnArrowSide(false) : sub.weldOnOtherSide(false);
        // A side on the identification line's side sits on that line.
        side.base = side.s == identSide ? identSide * gap : 0.0;
        side.shift = k == 1 && staggered ? kSecondaryPitch : 0.0;
        DrawSide(lines, texts, f, side, l.xs);
    }

    // At the root: the all-around circle and the field flag.
    if (HasCircle(sub)) {
        lines.SetItemId(kAllAroundItem);
        const double d = sub.areaDescType == 8 ? kTextHeight : GetAllAroundDiameter();
        lines.AddCircle(f.P(f.root, 0), WqGeVector3d::kZAxis, d / 2);
    }
    if (sub.fieldWeldType != 0) {
        lines.SetItemId(kFlagItem);
        const double to = sub.fieldWeldType == 2 ? -out : out;
        lines.AddLine(f.P(f.root, 0), f.P(f.root, 1.8 * kH));
        WqArray<WqGePoint3d> flag;
        flag.append(f.P(f.root, 1.8 * kH));
        flag.append(f.P(f.root + to * 0.9 * kH, 1.45 * kH));
        flag.append(f.P(f.root, 1.1 * kH));
        lines.AddFill(flag);
        lines.AddPolyline(flag, true);
    }

    // At the far end: the tail with its notes, boxed when the tail is closed.
    if (!sub.notes.empty() || sub.closedTail) {
        lines.SetItemId(kTailItem);
        lines.AddLine(f.P(tail, 0), f.P(tail + out * 0.6 * kH, 0.6 * kH));
        lines.AddLine(f.P(tail, 0), f.P(tail + out * 0.6 * kH, -0.6 * kH));
        const double at = tail + out * 0.9 * kH;
        Text(texts, sub.notes, f.P(at, 0),
             out > 0 ? SMxTextAlign::MiddleLeft : SMxTextAlign::MiddleRight);
        if (sub.closedTail) {
            const double w = std::max(TextWidth(sub.notes), kH) + 0.4 * kH;
            const double a = at - out * 0.2 * kH, b = a + out * w;
            WqArray<WqGePoint3d> box;
            box.append(f.P(a, -0.7 * kH));
            box.append(f.P(b, -0.7 * kH));
            box.append(f.P(b, 0.7 * kH));
            box.append(f.P(a, 0.7 * kH));
            lines.AddPolyline(box, true);
        }
    }
}

double DUxWeldState::RootMargin(const DUxCSubWelding& sub) const {
    if (!HasCircle(sub)) return 0.0;
    const double d = sub.areaDescType == 8 ? kTextHeight : GetAllAroundDiameter();
    return d / 2 + 0.2 * kTextHeight;
}

void DUxWeldState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t,
                               const UTxGUID&, bool, int32_t) {
    SMxDisplayListBuilder lines(symbolList);
    SMxDisplayListBuilder texts(textList);
    for (int32_t i = 0; i < numOfSubWeldings(); ++i)
        DrawSubWelding(lines, texts, i);
    // Stacked reference lines meet at the root.
    if (numOfSubWeldings() > 1) {
        lines.SetItemId(kReferenceLineItem);
        lines.AddLine(WqGePoint3d(0, 0, 0),
                      WqGePoint3d(0, (numOfSubWeldings() - 1) * kStackPitch, 0));
    }
}
