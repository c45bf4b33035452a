#include "DatumTarget/DLxDatumTargetManipulators.h"

#include <cmath>
#include <numbers>

#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCTarget.h"
#include "dc/RDxComputeContext.h"
#include "fw/FWxSceneDoc.h"
#include "fw/SmartPtr.h"
#include "ge/WqGeMatrix3d.h"

namespace {
// Within three degrees of an axis a leader segment lands on it.
constexpr double kSnapCosine = 0.998629;

// The point p moved onto the line through `from` along the unit direction d, when the segment
// from `from` to p lies within three degrees of it; its ratio goes to `best`.
void Consider(const WqGePoint3d& p, const WqGePoint3d& from, const WqGeVector3d& d, double& best,
              WqGePoint3d& snapped) {
    const WqGeVector3d q = p - from;
    if (q.isZeroLength() || d.isZeroLength()) return;
    const double ratio = std::fabs(q.dotProduct(d)) / q.length();
    if (ratio > best) {
        best = ratio;
        snapped = from + d * q.dotProduct(d);
    }
}
} // namespace

// ---- shared

DLxDatumTargetDrag::DLxDatumTargetDrag(FWxSceneDoc* doc, const RSeRef<DLxDatumTarget>& target,
                                       int32_t hotPoint)
    : m_doc(doc), m_target(target), m_hotPoint(hotPoint) {}

DLxDatumTargetDrag::~DLxDatumTargetDrag() {
    DropPreview();
}

std::unique_ptr<DLxDatumTargetDrag>
DLxDatumTargetDrag::ForHotPoint(FWxSceneDoc* doc, const RSeRef<DLxDatumTarget>& target,
                                int32_t hotPoint) {
    if (hotPoint < 0 || hotPoint >= DLxDatumTarget::kArrowHeadHotPoint) return nullptr;
    if (hotPoint >= DLxDatumTarget::kAltUnitHotPoint)
        return std::make_unique<DLxDatumAltUnitManipulator>(doc, target, hotPoint);
    return std::make_unique<DLxDatumLeaderVertexMove>(doc, target, hotPoint);
}

bool DLxDatumTargetDrag::ResetPreview() {
    DropPreview();
    if (!m_target.HasTarget()) return false;
    m_preview = DLxDatumTargetRequestUtil::MakeTransientCopy(*m_target.Read(), m_doc, m_fragment);
    return m_preview != nullptr;
}

void DLxDatumTargetDrag::DropPreview() {
    DLxDatumTargetRequestUtil::DeleteTransient(m_preview, m_fragment);
}

void DLxDatumTargetDrag::CancelDrag() {
    DropPreview();
}

bool DLxDatumTargetDrag::Post(FWxChangeRequest* request) {
    SmartPtr<FWxChangeRequest> owned(request);
    DropPreview();
    return m_doc && !m_doc->ProcessChangeRequest(owned).Failed();
}

// ---- leader vertices and attached balloons

bool DLxDatumLeaderVertexMove::StartDrag(const WqGePoint3d& point) {
    if (!ResetPreview()) return false;
    m_start = WqGePoint3d(point.x, point.y, 0);
    m_offset = WqGeVector3d();
    const std::vector<WqGePoint3d> vertices = m_target.Read()->GetFirstLeaderPoints();
    if (m_hotPoint < int32_t(vertices.size())) m_start = vertices[size_t(m_hotPoint)];
    if (m_hotPoint >= DLxDatumTarget::kBalloonHotPoint) {
        const DLxDatumTarget* target = m_target.Read();
        const DLxCTargetBalloon* balloon =
            target->GetBalloon(m_hotPoint - DLxDatumTarget::kBalloonHotPoint + 1);
        if (!balloon) return false;
        m_start = balloon->GetOrigin();
        m_direction = (m_start - target->GetSymbolOrigin()).normal();
    }
    return true;
}

bool DLxDatumLeaderVertexMove::Drag(const WqGePoint3d& point) {
    if (!ResetPreview()) return false;
    WqGePoint3d p(point.x, point.y, 0);
    const std::vector<WqGePoint3d> vertices = m_preview->GetFirstLeaderPoints();
    const int32_t count = int32_t(vertices.size());
    if (m_hotPoint >= DLxDatumTarget::kBalloonHotPoint) {
        // The attached balloons turn by quarter turns towards where the balloon is dragged.
        const WqGeVector3d towards = p - m_preview->GetSymbolOrigin();
        if (!towards.isZeroLength() && !m_direction.isZeroLength()) {
            const double a = m_direction.angleTo(towards, WqGeVector3d::kZAxis);
            const double quarter = std::numbers::pi / 4;
            double turn = 0;
            if (a > quarter && a < 3 * quarter)
                turn = std::numbers::pi / 2;
            else if (a > 3 * quarter && a < 5 * quarter)
                turn = std::numbers::pi;
            else if (a > 5 * quarter && a < 7 * quarter)
                turn = -std::numbers::pi / 2;
            if (turn != 0)
                m_direction.transformBy(WqGeMatrix3d::rotation(turn, WqGeVector3d::kZAxis));
        }
        m_preview->ArrangeBalloons(m_direction);
        m_offset = p - m_start;
        return true;
    }
    if (m_hotPoint > 0 && m_hotPoint < count - 1) {
        // A middle vertex lands on an axis or on the chord of its neighbours when one of its
        // segments runs within three degrees of it.
        const WqGePoint3d& a = vertices[size_t(m_hotPoint - 1)];
        const WqGePoint3d& b = vertices[size_t(m_hotPoint + 1)];
        const WqGeVector3d chord = a == b ? WqGeVector3d() : (a - b).normal();
        double best = kSnapCosine;
        WqGePoint3d snapped = p;
        Consider(p, a, WqGeVector3d::kXAxis, best, snapped);
        Consider(p, b, WqGeVector3d::kXAxis, best, snapped);
        Consider(p, a, chord, best, snapped);
        Consider(p, b, chord, best, snapped);
        Consider(p, a, WqGeVector3d::kYAxis, best, snapped);
        Consider(p, b, WqGeVector3d::kYAxis, best, snapped);
        p = snapped;
    } else if (m_hotPoint == 0 && count > 1) {
        // The balloon end lands horizontal or vertical from the next vertex.
        const WqGePoint3d& v = vertices[1];
        const WqGeVector3d d = p - v;
        if (!d.isZeroLength()) {
            if (std::fabs(d.x) / d.length() > kSnapCosine)
                p = v + WqGeVector3d(d.x, 0, 0);
            else if (std::fabs(d.y) / d.length() > kSnapCosine)
                p = v + WqGeVector3d(0, d.y, 0);
        }
    }
    m_offset = p - m_start;
    m_preview->MoveLeaderVertices({m_hotPoint}, m_offset);
    RDxComputeContext ctx;
    m_preview->Compute(ctx);
    return true;
}

bool DLxDatumLeaderVertexMove::EndDrag(const WqGePoint3d& point) {
    if (!Drag(point)) return false;
    if (m_hotPoint >= DLxDatumTarget::kBalloonHotPoint)
        return Post(new DLxDatumTargetOrientAttachRequest(m_target, m_direction));
    const int32_t last = int32_t(m_target.Read()->GetFirstLeaderPoints().size()) - 1;
    return Post(new DLxDatumTargetLeaderMoveRequest(m_target, m_hotPoint, m_offset,
                                                    m_hotPoint == last,
                                                    DLxIntent::Free(point)));
}

// ---- alternate-unit texts

bool DLxDatumAltUnitManipulator::StartDrag(const WqGePoint3d&) {
    if (!ResetPreview()) return false;
    const DLxCTargetBalloon* balloon =
        m_preview->GetBalloon(m_hotPoint - DLxDatumTarget::kAltUnitHotPoint);
    if (!balloon) return false;
    m_angle = balloon->GetAlternateUnitAngle();
    return true;
}

bool DLxDatumAltUnitManipulator::Drag(const WqGePoint3d& point) {
    if (!m_preview) return false;
    DLxCTargetBalloon* balloon =
        m_preview->GetBalloon(m_hotPoint - DLxDatumTarget::kAltUnitHotPoint);
    if (!balloon) return false;
    const WqGeVector3d v = WqGePoint3d(point.x, point.y, 0) - balloon->GetOrigin();
    int32_t degrees = 0;
    if (v.y > 0)
        degrees = int32_t(WqGeVector3d::kXAxis.angleTo(v) * 180 / std::numbers::pi);
    else
        degrees = v.x >= 0 ? 0 : 180;
    if (degrees <= 5)
        degrees = 0;
    else if (degrees >= 175)
        degrees = 180;
    else if (degrees >= 85 && degrees <= 95)
        degrees = 90;
    m_angle = degrees * std::numbers::pi / 180;
    balloon->SetAlternateUnitAngle(m_angle);
    return true;
}

bool DLxDatumAltUnitManipulator::EndDrag(const WqGePoint3d& point) {
    if (!Drag(point)) return false;
    return Post(new DLxDatumTargetMoveAltUnitRequest(m_target, m_hotPoint, m_angle));
}
