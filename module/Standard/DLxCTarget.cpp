#include "Standard/DLxCTarget.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dc/RDxObject.h"
#include "dl/DLxTDXUtil.h"
#include "du/DUxSymUnitAttr.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
UTxString16 Format(const char* format, double a, double b = 0.0) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    UTxString16 out;
    for (const char* p = buffer; *p; ++p)
        out += char16_t(static_cast<unsigned char>(*p));
    return out;
}

// The angle turning the symbol's X direction into v about its normal.
double AngleFromX(const WqGeVector3d& v) {
    return DLxCTargetSubSym::GetXAxis().angleTo(v, DLxCTargetSubSym::GetZAxis());
}
} // namespace

// ---- sub-symbol base

void DLxCTargetSubSym::Prepare() {
    RSe::PrepareWrite(this);
}

void DLxCTargetSubSym::SetOrigin(const WqGePoint3d& origin) {
    if (m_origin == origin) return;
    Prepare();
    m_origin = origin;
}

void DLxCTargetSubSym::SetOwner(const RSeRef<RDxObject>& owner) {
    if (m_owner.GetTarget() == owner.GetTarget()) return;
    Prepare();
    m_owner = owner;
}

void DLxCTargetSubSym::CopyFrom(const DLxCTargetSubSym& other) {
    Prepare();
    m_type = other.m_type;
    m_origin = other.m_origin;
}

WqGePoint3d DLxCTargetSubSym::GetLeaderAttachPoint(const WqGePoint3d&) const {
    return m_origin;
}

void DLxCTargetSubSym::GetGripPoints(std::vector<WqGePoint3d>& points) const {
    points.push_back(m_origin);
}

void DLxCTargetSubSym::MoveGrip(int32_t, const WqGeVector3d& offset) {
    SetOrigin(m_origin + offset);
}

void DLxCTarget::TransformBy(const WqGeMatrix3d& m) {
    SetOrigin(m * GetOrigin());
}

// ---- line

void DLxCTargetLine::SetEndPoint(const WqGePoint3d& p) {
    if (m_end == p) return;
    Prepare();
    m_end = p;
}

WqGePoint3d DLxCTargetLine::GetRatioPoint() const {
    return GetOrigin() + (m_end - GetOrigin()) * m_ratio;
}

WqGePoint3d DLxCTargetLine::GetLeaderAttachPoint(const WqGePoint3d&) const {
    return GetRatioPoint();
}

void DLxCTargetLine::GetGripPoints(std::vector<WqGePoint3d>& points) const {
    points.push_back(GetOrigin());
    points.push_back(m_end);
    points.push_back(GetRatioPoint());
}

void DLxCTargetLine::MoveGrip(int32_t grip, const WqGeVector3d& offset) {
    if (grip == 0) {
        SetOrigin(GetOrigin() + offset);
    } else if (grip == 1) {
        SetEndPoint(m_end + offset);
    } else if (grip == 2) {
        const WqGePoint3d p = GetRatioPoint() + offset;
        const WqGeVector3d d = m_end - GetOrigin();
        const WqGeVector3d v = p - GetOrigin();
        double ratio = 0.5;
        if (d.length() != 0.0)
            ratio = v.dotProduct(d) > 0
                        ? std::clamp(v.length() / d.length(), kMinRatio, kMaxRatio)
                        : kMinRatio;
        if (ratio != m_ratio) {
            Prepare();
            m_ratio = ratio;
        }
    }
}

void DLxCTargetLine::TransformBy(const WqGeMatrix3d& m) {
    SetOrigin(m * GetOrigin());
    SetEndPoint(m * m_end);
}

// ---- circular area

void DLxCTargetCircularArea::SetRadius(double r) {
    if (r == m_radius) return;
    Prepare();
    m_radius = r;
}

UTxString16 DLxCTargetCircularArea::GetSizeText() const {
    return Format("%%%%c%.2f", 2 * m_radius);
}

WqGePoint3d DLxCTargetCircularArea::GetLeaderAttachPoint(const WqGePoint3d& p) const {
    const WqGePoint3d o = GetOrigin();
    if (!HasOwner() || m_radius <= 0 || p == o) return o;
    // The segment from the centre to a radius past p always leaves the circle once: the leader
    // meets the rim on the way to p, from outside or inside.
    return o + (p - o).normal() * m_radius;
}

void DLxCTargetCircularArea::GetGripPoints(std::vector<WqGePoint3d>& points) const {
    const WqGePoint3d o = GetOrigin();
    const WqGeVector3d x = GetXAxis() * m_radius, y = GetYAxis() * m_radius;
    points.insert(points.end(), {o, o + x, o + y, o - x, o - y});
}

void DLxCTargetCircularArea::MoveGrip(int32_t grip, const WqGeVector3d& offset) {
    if (!HasOwner()) return;
    if (grip == 0) {
        SetOrigin(GetOrigin() + offset);
        return;
    }
    if (grip < 1 || grip > 4) return;
    std::vector<WqGePoint3d> grips;
    GetGripPoints(grips);
    SetRadius((grips[size_t(grip)] + offset).distanceTo(GetOrigin()));
}

void DLxCTargetCircularArea::TransformBy(const WqGeMatrix3d& m) {
    const WqGePoint3d rim = m * (GetOrigin() + GetXAxis() * m_radius);
    SetOrigin(m * GetOrigin());
    SetRadius(rim.distanceTo(GetOrigin()));
}

// ---- rectangular area

void DLxCTargetRectangularArea::SetSize(double width, double height, double rotation) {
    if (width == m_width && height == m_height && rotation == m_rotation) return;
    Prepare();
    m_width = width;
    m_height = height;
    m_rotation = rotation;
}

WqGePoint3d DLxCTargetRectangularArea::GetCornerPoint() const {
    const WqGePoint3d o = GetOrigin();
    const WqGePoint3d p = o + GetXAxis() * (m_width / 2) + GetYAxis() * (m_height / 2);
    return WqGeMatrix3d::rotation(m_rotation, GetZAxis(), o) * p;
}

WqGePoint3d DLxCTargetRectangularArea::GetRotationPoint() const {
    const WqGePoint3d o = GetOrigin();
    return WqGeMatrix3d::rotation(m_rotation, GetZAxis(), o) * (o + GetXAxis() * (m_width / 2));
}

void DLxCTargetRectangularArea::SetCornerPoint(const WqGePoint3d& p) {
    const WqGeVector3d v = p - GetOrigin();
    const double len = v.length();
    if (len == 0.0) {
        SetSize(0, 0, m_rotation);
        return;
    }
    const double b = AngleFromX(v);
    SetSize(std::fabs(2 * len * std::cos(b - m_rotation)),
            std::fabs(2 * len * std::sin(b - m_rotation)), m_rotation);
}

void DLxCTargetRectangularArea::SetRotationPoint(const WqGePoint3d& p) {
    SetSize(m_width, m_height, p == GetOrigin() ? 0.0 : AngleFromX(p - GetOrigin()));
}

void DLxCTargetRectangularArea::GetCorners(WqGePoint3d corners[4]) const {
    const WqGePoint3d o = GetOrigin();
    const WqGeMatrix3d turn = WqGeMatrix3d::rotation(m_rotation, GetZAxis(), o);
    const double w = m_width / 2, h = m_height / 2;
    const double signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int i = 0; i < 4; ++i)
        corners[i] = turn * (o + GetXAxis() * (signs[i][0] * w) + GetYAxis() * (signs[i][1] * h));
}

UTxString16 DLxCTargetRectangularArea::GetSizeText() const {
    return Format("%.2fx%.2f", m_width, m_height);
}

WqGePoint3d DLxCTargetRectangularArea::GetLeaderAttachPoint(const WqGePoint3d& p) const {
    if (!HasOwner()) return GetOrigin();
    WqGePoint3d corners[4];
    GetCorners(corners);
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (corners[i].distanceTo(p) < corners[best].distanceTo(p)) best = i;
    return corners[best];
}

void DLxCTargetRectangularArea::GetGripPoints(std::vector<WqGePoint3d>& points) const {
    points.insert(points.end(), {GetOrigin(), GetCornerPoint(), GetRotationPoint()});
}

void DLxCTargetRectangularArea::MoveGrip(int32_t grip, const WqGeVector3d& offset) {
    if (grip == 0)
        SetOrigin(GetOrigin() + offset);
    else if (grip == 1)
        SetCornerPoint(GetCornerPoint() + offset);
    else if (grip == 2)
        SetRotationPoint(GetRotationPoint() + offset);
}

void DLxCTargetRectangularArea::TransformBy(const WqGeMatrix3d& m) {
    const WqGePoint3d corner = m * GetCornerPoint();
    const WqGePoint3d rotation = m * GetRotationPoint();
    SetOrigin(m * GetOrigin());
    const WqGeVector3d half = rotation - GetOrigin();
    const double w = 2 * half.length();
    const double h = 2 * rotation.distanceTo(corner);
    double a = m_rotation;
    if (w > 0) {
        WqGeVector3d x = GetXAxis(), n = GetZAxis();
        x.transformBy(m);
        n.transformBy(m);
        a = x.angleTo(half, n);
    }
    SetSize(w, h, a);
}

// ---- balloon

UTxString16 DLxCTargetBalloon::GetText(int32_t field) const {
    if (field == kSizeTextField) return m_size;
    if (field == kTargetTextField) return m_target;
    return {};
}

void DLxCTargetBalloon::SetText(int32_t field, const UTxString16& text) {
    UTxString16& slot = field == kSizeTextField ? m_size : m_target;
    if (slot == text) return;
    Prepare();
    slot = text;
}

void DLxCTargetBalloon::SetOrientationType(int32_t type) {
    if (type == m_orientation) return;
    Prepare();
    m_orientation = type;
}

void DLxCTargetBalloon::SetAlternateUnitAngle(double angle) {
    if (angle == m_altAngle) return;
    Prepare();
    m_altAngle = angle;
}

void DLxCTargetBalloon::SetAltOutside(bool on) {
    if (on == m_altOutside) return;
    Prepare();
    m_altOutside = on;
}

void DLxCTargetBalloon::SetAlternateUnitPosition(const WqGePoint3d& p) {
    if (p == m_altPosition) return;
    Prepare();
    m_altPosition = p;
}

void DLxCTargetBalloon::CopyFrom(const DLxCTargetBalloon& other) {
    DLxCTargetSubSym::CopyFrom(other);
    m_size = other.m_size;
    m_target = other.m_target;
    m_connection = other.m_connection;
    m_orientation = other.m_orientation;
    m_altAngle = other.m_altAngle;
    m_unitAttr = other.m_unitAttr;
    m_altOutside = other.m_altOutside;
    m_altPosition = other.m_altPosition;
}

UTxResult DLxCTargetBalloon::Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                        bool required) {
    if (tdx.IsReading()) Prepare();
    auto key = [&prefix](const char16_t* name) { return prefix + name; };
    if (tdx.HasFailed()) return tdx.GetResult();
    DLxTDXUtil::Transcript(tdx, key(u"_ConnectionTypeId").c_str(), m_connection, required);
    DLxTDXUtil::Transcript(tdx, key(u"_DatumTargetSize").c_str(), m_size, required);
    DLxTDXUtil::Transcript(tdx, key(u"_DatumTargetText").c_str(), m_target, required);
    DLxTDXUtil::Transcript(tdx, key(u"_OrientationType").c_str(), m_orientation, required);
    DLxTDXUtil::Transcript(tdx, key(u"_AlternateUnitAngle").c_str(), m_altAngle, required);
    DLxTDXUtil::Transcript(tdx, key(u"_AlternateUnitPosition").c_str(), m_altPosition, required);
    DLxTDXUtil::Transcript(tdx, key(u"_IsAltOutside").c_str(), m_altOutside, required);
    _TDX_RSeRef(tdx, key(u"_UnitAttributes").c_str(), m_unitAttr, required);
    return tdx.GetResult();
}

const DUxSymUnitAttr* DLxCTargetBalloon::GetUnitAttributes() const {
    return m_unitAttr.Read();
}
