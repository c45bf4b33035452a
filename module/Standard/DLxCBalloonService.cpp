#include "Standard/DLxCBalloonService.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Standard/DLxCTableCallout.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxSketch.h"
#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "sm/SMxDisplayList.h"

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kSqrt3 = std::numbers::sqrt3;
// The gap a text keeps to an outline drawn around its box (enlarged balloons, the square).
constexpr double kTextBoxGap = 0.3;

bool GrowsRight(int32_t direction) {
    return (direction & 4) != 0;
}

// A text's corners as drawn; `has` is false without a text.
struct TextBox {
    bool has = false;
    WqGePoint3d min, max;
};

TextBox Measure(const DUxCAuxText* text) {
    TextBox b;
    if (!text) return b;
    BBox box;
    text->AddExtents(box);
    if (box.isEmpty()) return b;
    b.has = true;
    b.min = box.min;
    b.max = box.max;
    return b;
}

double Hypot(double x, double y) {
    return std::sqrt(x * x + y * y);
}

void Line(DUxCAuxEntArray& out, const WqGePoint3d& a, const WqGePoint3d& b) {
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(out, a, b, nullptr, nullptr);
}

// The two half circles of a stretched circle about the origin and about (2m, 0), with their
// boundary arcs; the side of each half follows the sign of m.
void HalfCircles(DUxCAuxEntArray& out, std::vector<WqGePoint3d>& boundary, double r, double m,
                 double sign) {
    const WqGePoint3d origin = WqGePoint3d::kOrigin;
    const WqGePoint3d far(2 * m, 0, 0);
    DUxAuxEntFactory::CreateArcByCenter(out, origin, r, WqGeVector3d::kYAxis * sign, kPi,
                                        WqGeMatrix3d::kIdentity, nullptr, nullptr);
    if (m > 0)
        DLxCBalloonService::AppendArcPoints(origin, r, kPi / 2, 3 * kPi / 2, boundary);
    else
        DLxCBalloonService::AppendArcPoints(origin, r, -kPi / 2, kPi / 2, boundary);
    DUxAuxEntFactory::CreateArcByCenter(out, far, r, WqGeVector3d::kYAxis * -sign, kPi,
                                        WqGeMatrix3d::kIdentity, nullptr, nullptr);
    if (m > 0)
        DLxCBalloonService::AppendArcPoints(far, r, 3 * kPi / 2, kPi / 2, boundary);
    else
        DLxCBalloonService::AppendArcPoints(far, r, kPi / 2, -kPi / 2, boundary);
}

// Mirrors the entities from `first` on in x; texts keep reading left to right.
void MirrorX(DUxCAuxEntArray& out, int32_t first) {
    WqGeMatrix3d mirror;
    mirror.entry[0][0] = -1.0;
    for (int32_t i = first; i < out.GetSize(); ++i) {
        DUxCAuxEnt* e = out.GetAt(i);
        if (auto* text = dynamic_cast<DUxCAuxText*>(e)) {
            text->position.transformBy(mirror);
            continue;
        }
        e->TransformBy(mirror);
    }
}

void MoveBy(DUxCAuxEntArray& out, int32_t first, const WqGeVector3d& v) {
    const WqGeMatrix3d move = WqGeMatrix3d::translation(v);
    for (int32_t i = first; i < out.GetSize(); ++i)
        out.GetAt(i)->TransformBy(move);
}

BBox ExtentsFrom(const DUxCAuxEntArray& out, int32_t first) {
    BBox box;
    for (int32_t i = first; i < out.GetSize(); ++i)
        out.GetAt(i)->AddExtents(box);
    return box;
}

void RowsFromZero(const DLxCBalloonService::Columns& columns, std::set<int>& rows) {
    for (size_t i = 0; i < columns.size(); ++i)
        rows.insert(int(i));
}
} // namespace

// ---- the base

double DLxCBalloonService::GetMarginRatio() const {
    const DLxTableCalloutSymState* owner = m_owner.Read();
    return owner && owner->EnlargeBalloonSizeByText() ? 0.0 : m_marginRatio;
}

DLxTableCalloutStyleData* DLxCBalloonService::StyleData() const {
    DLxTableCalloutSymState* owner = m_owner.get();
    return owner ? owner->GetStyleData() : nullptr;
}

double DLxCBalloonService::FontSize() const {
    DLxTableCalloutStyleData* data = StyleData();
    if (!data) return 0.0;
    SmartPtr<DUxTextStyleWrapper> text = data->GetTextStyle();
    return text ? text->GetFontSize() : 0.0;
}

double DLxCBalloonService::GetRadius(const RSeRef<DLxCTableCallout>& balloon) {
    return ComputeRadius(balloon, true);
}

double DLxCBalloonService::ComputeRadius(const RSeRef<DLxCTableCallout>& balloon, bool countLines) {
    DLxTableCalloutStyleData* data = StyleData();
    if (!data) return 0.0;
    if (!data->GetScaleToTextHeight()) return data->GetSize() / 2;
    const double f = FontSize();
    const int rows = GetTextRowCount();
    if (m_owner.Read()->EnlargeBalloonSizeByText() && balloon) {
        if (rows > 2) return m_scale * f;
        BBox box;
        for (int row = 0; row < rows; ++row)
            GetTextExtents(row, box, balloon);
        const WqGeVector3d size = box.size();
        return std::max(size.x + kTextBoxGap, size.y + kTextBoxGap);
    }
    double r = m_scale * f;
    if (balloon && countLines) {
        int lines = 1;
        for (int row = 0; row < rows; ++row) {
            UTxString16 text;
            GetRowText(balloon, row, text);
            lines = std::max(lines, int(std::count(text.begin(), text.end(), u'\n')) + 1);
        }
        r *= lines;
    }
    return r;
}

void DLxCBalloonService::AttachFactors(double w, double h, double& a, double& b, double& c) const {
    a = w / 2;
    b = h / 2;
    c = w / 2;
}

WqGePoint3d DLxCBalloonService::GetIncomingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                                       const WqGeVector3d& d) const {
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry) return WqGePoint3d::kOrigin;
    const WqGeVector3d u = d.normal();
    double a, b, c;
    AttachFactors(entry->GetBalloonWidth(), entry->GetBalloonHeight(), a, b, c);
    return entry->origin() - WqGeVector3d(a * u.x, b * u.y, 0);
}

WqGePoint3d DLxCBalloonService::GetOutgoingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                                       const WqGeVector3d& d) const {
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry) return WqGePoint3d::kOrigin;
    const WqGeVector3d u = d.normal();
    double a, b, c;
    AttachFactors(entry->GetBalloonWidth(), entry->GetBalloonHeight(), a, b, c);
    return entry->origin() + WqGeVector3d(c * u.x, b * u.y, 0);
}

void DLxCBalloonService::SetOwnerState(const RSeRef<DLxTableCalloutSymState>& owner) {
    m_rowTexts.clear();
    m_owner = owner;
}

void DLxCBalloonService::ClearOwnerState() {
    m_owner.Clear();
}

bool DLxCBalloonService::GetRowText(const RSeRef<DLxCTableCallout>& balloon, int row,
                                    UTxString16& text) {
    if (auto it = m_rowTexts.find(row); it != m_rowTexts.end()) {
        text = it->second;
        return true;
    }
    DLxTableCalloutStyleData* data = StyleData();
    if (!data) return false;
    text.clear();
    Columns columns;
    data->GetItems(columns);
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry || row < 0 || size_t(row) >= columns.size()) return true;
    DLxLocalBOM* bom = nullptr;
    UTxString16 member;
    m_owner.Read()->GetItemTextSource(bom, member);
    text = entry->GetItemText(columns[size_t(row)].Read(), bom, member);
    std::erase(text, u'\r');
    m_rowTexts[row] = text;
    return true;
}

bool DLxCBalloonService::GetTextExtents(int row, BBox& box,
                                        const RSeRef<DLxCTableCallout>& balloon) {
    if (!m_owner) return false;
    DUxCAuxEntArray scratch;
    const TextBox t = Measure(CreateRowText(row, WqGePoint3d::kOrigin, 5, balloon, scratch));
    const double w = t.has ? t.max.x - t.min.x : 0.0;
    const double h = t.has ? t.max.y - t.min.y : 0.0;
    box.extend(WqGePoint3d::kOrigin);
    box.extend(WqGePoint3d(std::abs(w), std::abs(h), 0));
    return true;
}

DUxCAuxText* DLxCBalloonService::CreateRowText(int row, const WqGePoint3d& at, int32_t attachment,
                                               const RSeRef<DLxCTableCallout>& balloon,
                                               DUxCAuxEntArray& out) {
    UTxString16 text;
    GetRowText(balloon, row, text);
    if (text.empty()) return nullptr;
    if (attachment == 5 && text.find(u'\n') != UTxString16::npos) attachment = 10;
    int32_t fontId = -1, gdtFontId = -1;
    double height = 0.0;
    if (DLxTableCalloutStyleData* data = StyleData()) {
        if (SmartPtr<DUxTextStyleWrapper> style = data->GetTextStyle()) {
            fontId = style->GetFontId();
            gdtFontId = style->GetGdtFontId();
            height = style->GetFontSize();
        }
    }
    const DLxCTableCallout* entry = balloon.Read();
    return DUxAuxEntFactory::CreateText(out, at, attachment, text, fontId, gdtFontId, nullptr,
                                        entry ? RSe::SegmentOf(entry) : nullptr, 7, height);
}

DUxCAuxText* DLxCBalloonService::CreateColumnsText(const RSeRef<DLxCTableCallout>& balloon,
                                                   DUxCAuxEntArray& out) {
    DLxTableCalloutStyleData* data = StyleData();
    if (!data) return nullptr;
    Columns columns;
    data->GetItems(columns);
    if (columns.empty()) return CreateRowText(0, WqGePoint3d::kOrigin, 6, balloon, out);
    UTxString16 joined;
    bool first = true;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i]) continue;
        UTxString16 text;
        GetRowText(balloon, int(i), text);
        if (!first) joined += u'\n';
        joined += text;
        first = false;
    }
    if (joined.empty()) return nullptr;
    int32_t fontId = -1, gdtFontId = -1;
    double height = 0.0;
    if (SmartPtr<DUxTextStyleWrapper> style = data->GetTextStyle()) {
        fontId = style->GetFontId();
        gdtFontId = style->GetGdtFontId();
        height = style->GetFontSize();
    }
    const DLxCTableCallout* entry = balloon.Read();
    return DUxAuxEntFactory::CreateText(out, WqGePoint3d::kOrigin, 10, joined, fontId, gdtFontId,
                                        nullptr, entry ? RSe::SegmentOf(entry) : nullptr, 7,
                                        height);
}

void DLxCBalloonService::AppendArcPoints(const WqGePoint3d& centre, double r, double start,
                                         double end, std::vector<WqGePoint3d>& points) {
    if (start > end) end += 2 * kPi;
    constexpr double kStep = kPi / 18;
    // Counted steps, so that rounding never adds a point a hair before the end point.
    for (int i = 0;; ++i) {
        const double a = start + i * kStep;
        if (a >= end - 1e-12) break;
        points.emplace_back(centre.x + r * std::cos(a), centre.y + r * std::sin(a), centre.z);
    }
    points.emplace_back(centre.x + r * std::cos(end), centre.y + r * std::sin(end), centre.z);
}

void DLxCBalloonService::FillUIEntry(UIEntry& entry, uint32_t textId, uint32_t bitmapId,
                                     int32_t number) {
    entry = UIEntry();
    if (HMODULE res = KorvuGetResourceHandle()) {
        if (auto text = FindStringResource(res, textId)) entry.text = UTxString16(*text);
        entry.bitmap = FindBitmapResource(res, bitmapId);
    }
    entry.number = number;
}

// ---- circle

void DLxCCircBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7653, 7644, 2);
}

bool DLxCCircBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 0.2;
    return true;
}

// A round end: a neighbour touches the circle half a height from its centre.
namespace {
void RoundEndFactors(double w, double h, double& a, double& b, double& c) {
    a = h / 2;
    b = h / 2;
    c = w - h / 2;
}
} // namespace

void DLxCCircBalloonService::AttachFactors(double w, double h, double& a, double& b,
                                           double& c) const {
    RoundEndFactors(w, h, a, b, c);
}

void DLxCCircBalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>&,
                                             const Columns& columns, std::set<int>& rows) const {
    if (!columns.empty()) rows.insert(0);
}

void DLxCCircBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                        DUxCAuxEntArray& out) {
    DLxTableCalloutStyleData* data = StyleData();
    DLxCTableCallout* entry = balloon.get();
    if (!data || !entry) return;
    entry->GetBoundary().clear();
    const int32_t direction = entry->direction();
    const double r = GetRadius(balloon);
    DUxCAuxEntArray scratch;
    const TextBox tb = Measure(CreateRowText(0, WqGePoint3d::kOrigin, 5, balloon, scratch));
    const double t = GetMarginRatio() * r;
    std::vector<WqGePoint3d>& boundary = entry->GetBoundary();

    const bool fits =
        !tb.has || (Hypot(tb.min.x - t, tb.min.y) < r && Hypot(tb.max.x + t, tb.max.y) < r);
    if (!data->GetStretchBalloonToText() || fits) {
        DUxAuxEntFactory::CreateCircleByCenter(out, WqGePoint3d::kOrigin, r, false,
                                               WqGeMatrix3d::kIdentity, nullptr, nullptr);
        AppendArcPoints(WqGePoint3d::kOrigin, r, 0, 2 * kPi, boundary);
        CreateRowText(0, WqGePoint3d::kOrigin, 5, balloon, out);
        entry->SetBalloonSize(2 * r, 2 * r);
        return;
    }
    double m = std::max(std::abs(tb.min.x - t), std::abs(tb.max.x + t));
    const double hy = std::max(std::abs(tb.min.y), std::abs(tb.max.y));
    if (r * r - hy * hy >= 0) m -= std::sqrt(r * r - hy * hy);
    const double sign = GrowsRight(direction) ? 1.0 : -1.0;
    m *= sign;
    CreateRowText(0, WqGePoint3d(m, 0, 0), 5, balloon, out);
    HalfCircles(out, boundary, r, m, sign);
    Line(out, WqGePoint3d(0, r, 0), WqGePoint3d(2 * m, r, 0));
    Line(out, WqGePoint3d(0, -r, 0), WqGePoint3d(2 * m, -r, 0));
    entry->SetBalloonSize(2 * std::abs(m) + 2 * r, 2 * r);
}

// ---- split circle

void DLxCCirc2BalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7652, 7645, 3);
}

bool DLxCCirc2BalloonService::InitDefaults() {
    m_scale = 2.0;
    m_marginRatio = 0.2;
    return true;
}

void DLxCCirc2BalloonService::AttachFactors(double w, double h, double& a, double& b,
                                            double& c) const {
    RoundEndFactors(w, h, a, b, c);
}

void DLxCCirc2BalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>&,
                                              const Columns& columns, std::set<int>& rows) const {
    if (!columns.empty()) rows.insert(0);
    if (columns.size() >= 2) rows.insert(1);
}

void DLxCCirc2BalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                         DUxCAuxEntArray& out) {
    DLxTableCalloutStyleData* data = StyleData();
    DLxCTableCallout* entry = balloon.get();
    if (!data || !entry) return;
    entry->GetBoundary().clear();
    const int32_t direction = entry->direction();
    const double r = GetRadius(balloon);
    const double t = GetMarginRatio() * r;
    std::vector<WqGePoint3d>& boundary = entry->GetBoundary();

    DUxCAuxEntArray scratch;
    const TextBox top = Measure(CreateRowText(0, WqGePoint3d(0, r / 2, 0), 5, balloon, scratch));
    const TextBox bottom =
        Measure(CreateRowText(1, WqGePoint3d(0, -r / 2, 0), 5, balloon, scratch));
    double m0 = 0.0, hy = 0.0;
    if (top.has &&
        !(Hypot(top.max.x + t, top.max.y) <= r && Hypot(top.min.x - t, top.max.y) <= r)) {
        m0 = std::max({m0, std::abs(top.min.x - t), std::abs(top.max.x + t)});
        hy = std::max(hy, std::abs(top.max.y));
    }
    if (bottom.has && !(Hypot(bottom.min.x - t, bottom.min.y) <= r &&
                        Hypot(bottom.max.x + t, bottom.min.y) <= r)) {
        m0 = std::max({m0, std::abs(bottom.min.x - t), std::abs(bottom.max.x + t)});
        hy = std::max(hy, std::abs(bottom.min.y));
    }
    const double sign = GrowsRight(direction) ? 1.0 : -1.0;
    double s = 0.0;
    if (data->GetStretchBalloonToText() && m0 != 0.0) {
        s = r * r - hy * hy >= 0 ? std::abs(m0 - std::sqrt(r * r - hy * hy)) : m0;
        s *= sign;
    }
    HalfCircles(out, boundary, r, s, sign);
    if (s != 0.0) {
        Line(out, WqGePoint3d(0, r, 0), WqGePoint3d(2 * s, r, 0));
        Line(out, WqGePoint3d(0, -r, 0), WqGePoint3d(2 * s, -r, 0));
    }
    // The divider stops short of the outline.
    Line(out, WqGePoint3d(-sign * 0.9 * r, 0, 0), WqGePoint3d(sign * 0.9 * r + 2 * s, 0, 0));
    CreateRowText(0, WqGePoint3d(s, r / 2, 0), 5, balloon, out);
    CreateRowText(1, WqGePoint3d(s, -r / 2, 0), 5, balloon, out);
    entry->SetBalloonSize(2 * std::abs(s) + 2 * r, 2 * r);
}

// ---- linear form

void DLxCLinearBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7654, 7647, 4);
}

bool DLxCLinearBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 0.4;
    return true;
}

void DLxCLinearBalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>&,
                                               const Columns& columns, std::set<int>& rows) const {
    if (!columns.empty()) rows.insert(0);
}

bool DLxCLinearBalloonService::HangsDown(int32_t direction) const {
    const DLxTableCalloutSymState* owner = GetOwnerState().Read();
    return owner && owner->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag) &&
           (direction == 3 || direction == 7);
}

WqGePoint3d
DLxCLinearBalloonService::GetIncomingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                                 const WqGeVector3d&) const {
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry) return WqGePoint3d::kOrigin;
    if (HangsDown(entry->direction()))
        return entry->origin() + WqGeVector3d(0, entry->GetBalloonHeight(), 0);
    return entry->origin();
}

WqGePoint3d
DLxCLinearBalloonService::GetOutgoingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                                 const WqGeVector3d& d) const {
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry) return WqGePoint3d::kOrigin;
    if (HangsDown(entry->direction())) return entry->origin();
    const WqGeVector3d u = d.normal();
    return entry->origin() +
           WqGeVector3d(entry->GetBalloonWidth() * u.x, entry->GetBalloonHeight() * u.y, 0);
}

void DLxCLinearBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                          DUxCAuxEntArray& out) {
    DLxTableCalloutStyleData* data = StyleData();
    DLxCTableCallout* entry = balloon.get();
    if (!data || !entry) return;
    entry->GetBoundary().clear();
    const int32_t direction = entry->direction();
    const double h = m_scale * FontSize();
    double w = 2 * h, height = 2 * h;
    DUxCAuxEntArray scratch;
    const TextBox tb = Measure(CreateRowText(0, WqGePoint3d::kOrigin, 5, balloon, scratch));
    if (tb.has) {
        const double t = GetMarginRatio() * h;
        const double rx = tb.max.x + t, lx = tb.min.x - t;
        const double ty = tb.max.y + h / 2, by = tb.min.y - h / 2;
        const double across = 2 * std::max(std::abs(rx), std::abs(lx));
        if (data->GetStretchBalloonToText() && across >= w) w = across;
        const double up = 2 * std::max(std::abs(ty), std::abs(by));
        if (up >= height) height = up;
    }
    const int32_t first = out.GetSize();
    if (!CreateRowText(0, WqGePoint3d(w / 2, h / 2, 0), 8, balloon, out)) return;

    const DLxTableCalloutSymState* owner = GetOwnerState().Read();
    const bool balloonState = owner->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag);
    if (direction == 4 || direction == 0) {
        if (entry->GetIndex() < 1) {
            Line(out, WqGePoint3d::kOrigin, WqGePoint3d(w, 0, 0));
        } else {
            // An attached balloon starts with a small notch where it meets its neighbour.
            const WqGePoint3d notch[] = {WqGePoint3d::kOrigin, WqGePoint3d(0.2 * h, -0.2 * h, 0),
                                         WqGePoint3d(0.4 * h, 0, 0), WqGePoint3d(w, 0, 0)};
            DUxAuxEntFactory::CreateMultiSegmentPolyLine(out, notch, 4, nullptr, nullptr);
        }
        if (direction == 0) MirrorX(out, first);
    } else {
        const int32_t index = entry->GetIndex();
        const bool down = direction == 3 || direction == 7;
        const bool up = direction == 2 || direction == 6;
        if (!balloonState || (down && index >= 1) || (up && index < owner->GetAttachedCount()))
            Line(out, WqGePoint3d::kOrigin, WqGePoint3d(0, height, 0));
        Line(out, WqGePoint3d::kOrigin, WqGePoint3d(w, 0, 0));
        if (direction == 2 || direction == 3) MirrorX(out, first);
        if (!balloonState && down) MoveBy(out, first, WqGeVector3d(0, -height, 0));
    }
    const BBox box = ExtentsFrom(out, first);
    const double e = 0.05 * h;
    std::vector<WqGePoint3d>& boundary = entry->GetBoundary();
    boundary = {WqGePoint3d(box.min.x + 0.00001, box.min.y - e, 0),
                WqGePoint3d(box.max.x - 0.00001, box.min.y - e, 0),
                WqGePoint3d(box.max.x - 0.00001, box.max.y + e, 0),
                WqGePoint3d(box.min.x + 0.00001, box.max.y + e, 0)};
    entry->SetBalloonSize(w, height);
}

// ---- borderless form

void DLxCEmptyBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7655, 7646, 5);
}

bool DLxCEmptyBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 0.5;
    return true;
}

double DLxCEmptyBalloonService::GetRadius(const RSeRef<DLxCTableCallout>& balloon) {
    return ComputeRadius(balloon, false);
}

void DLxCEmptyBalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>&,
                                              const Columns& columns, std::set<int>& rows) const {
    RowsFromZero(columns, rows);
}

void DLxCEmptyBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                         DUxCAuxEntArray& out) {
    DLxCTableCallout* entry = balloon.get();
    if (!StyleData() || !entry) return;
    entry->GetBoundary().clear();
    const double r = GetRadius(balloon);
    const double t = GetMarginRatio() * r;
    const TextBox tb = Measure(CreateColumnsText(balloon, out));
    if (!tb.has) return;
    WqGePoint3d lo(tb.min.x - t, tb.min.y - t, 0), hi(tb.max.x + t, tb.max.y + t, 0);
    // A plain table callout keeps its size at the circle's, whatever the text.
    if (!GetOwnerState().Read()->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag))
        std::swap(lo, hi);
    entry->GetBoundary() = {WqGePoint3d(lo.x, lo.y, 0), WqGePoint3d(hi.x, lo.y, 0),
                            WqGePoint3d(hi.x, hi.y, 0), WqGePoint3d(lo.x, hi.y, 0)};
    entry->SetBalloonSize(std::max(hi.x - lo.x, 2 * r), std::max(hi.y - lo.y, 2 * r));
}

// ---- sketched symbol

void DLxCSketchBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7657, 7648, 7);
}

void DLxCSketchBalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon,
                                               const Columns& columns, std::set<int>& rows) const {
    const DLxCTableCallout* entry = balloon.Read();
    if (!entry || !entry->GetSketchInstance()) return;
    RowsFromZero(columns, rows);
}

void DLxCSketchBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                          DUxCAuxEntArray& out) {
    DLxCTableCallout* entry = balloon.get();
    if (!StyleData() || !entry) return;
    entry->GetBoundary().clear();
    if (!entry->GetSketchInstance()) return;
    CreateColumnsText(balloon, out);
    // The balloon is as large as its sketch as drawn (curves, texts and image frames).
    const auto* sketch = dynamic_cast<const DLxSketchInstance*>(entry->GetSketchInstance().Read());
    if (!sketch) return;
    SMxDisplayList list, images;
    DLxSketchUtil::PopulateTransientDL(*sketch, list, images);
    BBox box = list.GetBBox();
    box.extend(images.GetBBox());
    if (box.isEmpty()) return;
    entry->SetBalloonSize(box.max.x - box.min.x, box.max.y - box.min.y);
}

// ---- polygons

void DLxCNAngleBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 7656, 7648, 5);
}

bool DLxCNAngleBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 1.0 / 3.0;
    m_sides = 6;
    return true;
}

void DLxCNAngleBalloonService::AttachFactors(double w, double h, double& a, double& b,
                                             double& c) const {
    a = h / kSqrt3;
    b = h / 2;
    c = w - h / kSqrt3;
}

void DLxCNAngleBalloonService::CollectUsedRows(const RSeRef<DLxCTableCallout>&,
                                               const Columns& columns, std::set<int>& rows) const {
    if (!columns.empty()) rows.insert(0);
}

double DLxCNAngleBalloonService::Stretch(bool hasText, const WqGePoint3d& min,
                                         const WqGePoint3d& max, double t, double r,
                                         int32_t direction) const {
    DLxTableCalloutStyleData* data = StyleData();
    if (!hasText || !data || !data->GetStretchBalloonToText()) return 0.0;
    double s = std::max(std::abs(max.x + t), std::abs(min.x - t)) - r;
    if (s < 0) s = 0;
    return GrowsRight(direction) ? s : -s;
}

void DLxCNAngleBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                          DUxCAuxEntArray& out) {
    DLxCTableCallout* entry = balloon.get();
    if (!StyleData() || !entry) return;
    entry->GetBoundary().clear();
    const double r = GetRadius(balloon);
    DUxCAuxEntArray scratch;
    const TextBox tb = Measure(CreateRowText(0, WqGePoint3d::kOrigin, 5, balloon, scratch));
    const double t = GetMarginRatio() * r;
    const double s = Stretch(tb.has, tb.min, tb.max, t, r, entry->direction());
    std::vector<WqGePoint3d>& boundary = entry->GetBoundary();
    for (int i = 0; i < m_sides; ++i) {
        const double a = 2 * kPi * i / m_sides;
        WqGePoint3d v(r * std::cos(a), r * std::sin(a), 0);
        if (s < 0) v.x = -v.x;
        // The vertices on the far side move with the stretch.
        if (i == 0 || i == 1 || i == 5 || i == 6) v.x += 2 * s;
        boundary.push_back(v);
    }
    DUxAuxEntFactory::CreatePolygon(out, boundary.data(), int32_t(boundary.size()),
                                    DUxAuxEntFactory::kClosedPolygon, nullptr, nullptr);
    CreateRowText(0, WqGePoint3d(s, 0, 0), 5, balloon, out);
    entry->SetBalloonSize(2 * std::abs(s) + 2 * r, kSqrt3 * r);
}

void DLxCTriAngleBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 8498, 7803, 5);
}

bool DLxCTriAngleBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 1.0 / 3.0;
    m_sides = 3;
    return true;
}

double DLxCTriAngleBalloonService::GetStartAngle() const {
    return -kPi / 6;
}

WqGePoint3d DLxCTriAngleBalloonService::GetFirstVertex(double r) const {
    const double a = GetStartAngle();
    return {r * std::cos(a), r * std::sin(a), 0.0};
}

void DLxCTriAngleBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                            DUxCAuxEntArray& out) {
    DLxCTableCallout* entry = balloon.get();
    if (!StyleData() || !entry) return;
    entry->GetBoundary().clear();
    const double r = GetRadius(balloon);
    // The text sits below the centre of the outline's circle, where the triangle is wide.
    const WqGePoint3d textAt(0, -r / 4, 0);
    DUxCAuxEntArray scratch;
    const TextBox tb = Measure(CreateRowText(0, textAt, 5, balloon, scratch));
    const double t = GetMarginRatio() * r;
    const double s = Stretch(tb.has, tb.min, tb.max, t, r, entry->direction());
    // The outline cannot grow; it moves with its text, so that the number stays inside it and
    // the shape stays centred in the width the stack gives it.
    std::vector<WqGePoint3d> corners;
    CreatePolygon(WqGePoint3d(s, -r / 4, 0), r, m_sides, WqGePoint3d(s, 3 * r / 4, 0), corners);
    entry->GetBoundary() = corners;
    DUxAuxEntFactory::CreatePolygon(out, corners.data(), int32_t(corners.size()),
                                    DUxAuxEntFactory::kClosedPolygon, nullptr, nullptr);
    CreateRowText(0, WqGePoint3d(s, -r / 4, 0), 5, balloon, out);
    entry->SetBalloonSize(2 * std::abs(s) + 2 * r, kSqrt3 * r);
}

void DLxCSquareBalloonService::GetUIEntry(UIEntry& entry) const {
    FillUIEntry(entry, 8499, 7804, 5);
}

bool DLxCSquareBalloonService::InitDefaults() {
    m_scale = 1.5;
    m_marginRatio = 1.0 / 3.0;
    m_sides = 4;
    return true;
}

double DLxCSquareBalloonService::GetStartAngle() const {
    return -kPi / 4;
}

void DLxCSquareBalloonService::BuildShape(const RSeRef<DLxCTableCallout>& balloon,
                                          DUxCAuxEntArray& out) {
    DLxCTableCallout* entry = balloon.get();
    if (!StyleData() || !entry) return;
    entry->GetBoundary().clear();
    const double r = GetRadius(balloon);
    DUxCAuxEntArray scratch;
    const TextBox tb = Measure(CreateRowText(0, WqGePoint3d::kOrigin, 5, balloon, scratch));
    const double t = GetMarginRatio() * r;
    const double s = Stretch(tb.has, tb.min, tb.max, t, r, entry->direction());
    // The outline follows the text's box, whatever the radius.
    BBox box;
    GetTextExtents(0, box, balloon);
    const WqGeVector3d size = box.size();
    const double w = size.x + kTextBoxGap, h = size.y + kTextBoxGap;
    std::vector<WqGePoint3d>& boundary = entry->GetBoundary();
    // It moves with its text, which would otherwise stand out of it.
    boundary = {WqGePoint3d(s - w / 2, h / 2, 0), WqGePoint3d(s + w / 2, h / 2, 0),
                WqGePoint3d(s + w / 2, -h / 2, 0), WqGePoint3d(s - w / 2, -h / 2, 0)};
    DUxAuxEntFactory::CreatePolygon(out, boundary.data(), int32_t(boundary.size()),
                                    DUxAuxEntFactory::kClosedPolygon, nullptr, nullptr);
    CreateRowText(0, WqGePoint3d(s, 0, 0), 5, balloon, out);
    entry->SetBalloonSize(2 * std::abs(s) + 2 * r, kSqrt3 * r);
}
