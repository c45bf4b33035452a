#include "sm/SMxDisplayItem.h"

#include "ge/BBox.h"

#include <algorithm>
#include <cstring>
#include <cmath>
#include <numbers>
#include <set>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

void extendByPoints(BBox& box, const WqArray<WqGePoint3d>& points, const WqGeMatrix3d& xform) {
    for (const WqGePoint3d& p : points)
        box.extend(xform * p);
}

void transformPoints(WqArray<WqGePoint3d>& points, const WqGeMatrix3d& xform) {
    for (WqGePoint3d& p : points)
        p = xform * p;
}

// Unit axes of the plane with this normal, the first along reference where it can be; a zero
// normal stands for world Z so that bad input still draws.
void planeAxes(const WqGeVector3d& normal, const WqGeVector3d& reference, WqGeVector3d& xAxis,
               WqGeVector3d& yAxis) {
    WqGeVector3d n = normal.normal();
    if (n.isZeroLength()) n = WqGeVector3d::kZAxis;
    xAxis = (reference - n * reference.dotProduct(n)).normal();
    if (xAxis.isZeroLength()) xAxis = n.perpVector();
    yAxis = n.crossProduct(xAxis);
}

} // namespace

SMxDisplayItem::~SMxDisplayItem() = default;

const UTxString16* SMxTextItem::InternFontName(std::u16string_view name) {
    if (name.empty()) return nullptr;
    static std::set<UTxString16, std::less<>> names; // nodes stay put: items point into them
    return &*names.emplace(name).first;
}

BBox SMxDisplayItem::GetBBox() const {
    BBox box;
    ExtendBBox(box, WqGeMatrix3d::kIdentity);
    return box;
}

// --- line

std::unique_ptr<SMxDisplayItem> SMxLineItem::Clone() const {
    return std::make_unique<SMxLineItem>(*this);
}

void SMxLineItem::TransformBy(const WqGeMatrix3d& xform) {
    start = xform * start;
    end = xform * end;
}

void SMxLineItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    box.extend(xform * start).extend(xform * end);
}

// --- polyline

std::unique_ptr<SMxDisplayItem> SMxPolylineItem::Clone() const {
    return std::make_unique<SMxPolylineItem>(*this);
}

void SMxPolylineItem::TransformBy(const WqGeMatrix3d& xform) {
    transformPoints(points, xform);
}

void SMxPolylineItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    extendByPoints(box, points, xform);
}

// --- arc

std::unique_ptr<SMxDisplayItem> SMxArcItem::Clone() const {
    return std::make_unique<SMxArcItem>(*this);
}

double SMxArcItem::SweepAngle() const {
    const double sweep = endAngle - startAngle;
    if (sweep >= kTwoPi) return kTwoPi;
    const double wrapped = std::fmod(sweep, kTwoPi);
    return wrapped < 0.0 ? wrapped + kTwoPi : wrapped;
}

bool SMxArcItem::IsFullCircle() const {
    return endAngle - startAngle >= kTwoPi;
}

WqGePoint3d SMxArcItem::PointAt(double angle) const {
    WqGeVector3d u, v;
    planeAxes(normal, refVector, u, v);
    return center + u * (radius * std::cos(angle)) + v * (radius * std::sin(angle));
}

void SMxArcItem::TransformBy(const WqGeMatrix3d& xform) {
    WqGeVector3d u, v;
    planeAxes(normal, refVector, u, v);
    const WqGeVector3d tu = xform * u;
    const WqGeVector3d tv = xform * v;
    center = xform * center;
    radius *= tu.length();
    // The normal follows the transformed axes, so a mirror flips it and the angles still hold.
    const WqGeVector3d n = tu.crossProduct(tv).normal();
    if (!n.isZeroLength()) normal = n;
    if (!tu.isZeroLength()) refVector = tu.normal();
}

void SMxArcItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    // The placed arc is c + a*cos(t) + b*sin(t); along each world axis that is extreme where
    // tan(t) = b/a, so those angles and the end points bound it exactly, for any placement.
    WqGeVector3d u, v;
    planeAxes(normal, refVector, u, v);
    const WqGePoint3d c = xform * center;
    const WqGeVector3d a = xform * (u * radius);
    const WqGeVector3d b = xform * (v * radius);
    const auto at = [&](double t) { return c + a * std::cos(t) + b * std::sin(t); };

    const double sweep = SweepAngle();
    box.extend(at(startAngle)).extend(at(startAngle + sweep));
    const double as[3] = {a.x, a.y, a.z};
    const double bs[3] = {b.x, b.y, b.z};
    for (int k = 0; k < 3; ++k) {
        const double extreme = std::atan2(bs[k], as[k]);
        for (const double t : {extreme, extreme + std::numbers::pi}) {
            double offset = std::fmod(t - startAngle, kTwoPi);
            if (offset < 0.0) offset += kTwoPi;
            if (offset <= sweep) box.extend(at(startAngle + offset));
        }
    }
}

// --- text

std::unique_ptr<SMxDisplayItem> SMxTextItem::Clone() const {
    return std::make_unique<SMxTextItem>(*this);
}

void SMxTextItem::GetTextExtent(int32_t& columns, int32_t& lines) const {
    columns = 0;
    lines = text.empty() ? 0 : 1;
    int32_t current = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (ch == u'\n') {
            ++lines;
            current = 0;
            continue;
        }
        const bool trailSurrogate =
            ch >= 0xDC00 && ch <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
        if (ch == u'\r' || trailSurrogate) continue;
        columns = std::max(columns, ++current);
    }
}

void SMxTextItem::GetTextFrame(WqGeVector3d& xAxis, WqGeVector3d& yAxis) const {
    planeAxes(normal, direction, xAxis, yAxis);
}

void SMxTextItem::TransformBy(const WqGeMatrix3d& xform) {
    WqGeVector3d x, y;
    GetTextFrame(x, y);
    const WqGeVector3d tx = xform * x;
    const WqGeVector3d ty = xform * (y * height);
    position = xform * position;
    height = ty.length();
    const WqGeVector3d n = tx.crossProduct(ty).normal();
    if (!n.isZeroLength()) normal = n;
    if (!tx.isZeroLength()) direction = tx.normal();
}

namespace {
SMxTextItem::WidthMetric& TextWidthMetric() {
    static SMxTextItem::WidthMetric metric = nullptr;
    return metric;
}
} // namespace

void SMxTextItem::SetWidthMetric(WidthMetric metric) {
    TextWidthMetric() = metric;
}

void SMxTextItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    int32_t columns = 0, lines = 0;
    GetTextExtent(columns, lines);
    if (lines == 0) return;
    const WidthMetric metric = TextWidthMetric();
    const double width = metric ? metric(text, height) : kAdvanceRatio * height * columns;
    const double blockHeight = height * lines;

    const int align = static_cast<int>(alignment);
    const double left = -width * 0.5 * (align % 3);             // left, centre, right
    const double bottom = -blockHeight * 0.5 * (2 - align / 3); // top, middle, bottom rows

    WqGeVector3d x, y;
    GetTextFrame(x, y);
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = left + ((corner & 1) ? width : 0.0);
        const double cy = bottom + ((corner & 2) ? blockHeight : 0.0);
        box.extend(xform * (position + x * cx + y * cy));
    }
}

// --- fill

std::unique_ptr<SMxDisplayItem> SMxFillItem::Clone() const {
    return std::make_unique<SMxFillItem>(*this);
}

void SMxFillItem::TransformBy(const WqGeMatrix3d& xform) {
    transformPoints(boundary, xform);
}

void SMxFillItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    extendByPoints(box, boundary, xform);
}

// --- point

std::unique_ptr<SMxDisplayItem> SMxPointItem::Clone() const {
    return std::make_unique<SMxPointItem>(*this);
}

void SMxPointItem::TransformBy(const WqGeMatrix3d& xform) {
    position = xform * position;
}

void SMxPointItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    box.extend(xform * position);
}

// --- child

SMxChildItem::SMxChildItem(const SMxChildItem& other) : SMxDisplayItem(other), list(other.list) {
    if (other.mPlacement) mPlacement = std::make_unique<Placement>(*other.mPlacement);
}

SMxChildItem::~SMxChildItem() = default;

std::unique_ptr<SMxDisplayItem> SMxChildItem::Clone() const {
    return std::make_unique<SMxChildItem>(*this);
}

void SMxChildItem::SetTransform(const WqGeMatrix3d& placement) {
    // Compared by bits: a negative zero in a matrix is kept as it was given.
    if (std::memcmp(&placement, &WqGeMatrix3d::kIdentity, sizeof placement) == 0) {
        mPlacement.reset();
    } else if (mPlacement) {
        mPlacement->matrix = placement;
    } else {
        mPlacement = std::make_unique<Placement>(Placement{placement});
    }
}

void SMxChildItem::TransformBy(const WqGeMatrix3d& xform) {
    SetTransform(xform * GetTransform());
}

void SMxChildItem::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    list.ExtendBBox(box, xform * GetTransform());
}
