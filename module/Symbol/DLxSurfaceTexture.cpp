#include "Symbol/DLxSurfaceTexture.h"

#include "Leader/DLxCLeader.h"
#include "Standard/DLxCSurfText.h"
#include "ge/WqGeTol.h"

#include <algorithm>
#include "rse/RSeTransaction.h"

DLxSurfaceTexture::DLxSurfaceTexture(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its data record.
DLxSurfaceTexture::~DLxSurfaceTexture() {
    if (RSeIDed* record = m_record.GetTarget()) RSe::DeleteObject(record);
}

WqGePoint3d DLxSurfaceTexture::GetSymbolOrigin() const {
    const auto* record = dynamic_cast<const DLxCSurfText*>(m_record.GetTarget());
    return record ? record->GetPosition() : WqGePoint3d();
}

void DLxSurfaceTexture::SetSymbolOrigin(const WqGePoint3d& point) {
    if (auto* record = dynamic_cast<DLxCSurfText*>(m_record.GetTarget())) record->SetPosition(point);
}

DLxCLeaderGeneral* DLxSurfaceTexture::CreateLeaderRecord() {
    if (!GetSegment()) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxCLeaderLand*>(nullptr)), GetSegment())
        DLxCLeaderLand(RSeRef<DLxSymbol>(this));
}

UTxResult DLxSurfaceTexture::MoveToLeader(const WqGeVector3d& offset, DLxCLeader* leader) {
    return FollowLeader(offset, leader);
}

UTxResult DLxSurfaceTexture::OnLandingChanged(const WqGeVector3d&, DLxCLeader* leader) {
    return FitToLeaderLanding(leader);
}

UTxResult DLxSurfaceTexture::FollowLeader(const WqGeVector3d& offset, DLxCLeader*) {
    SetSymbolOrigin(GetSymbolOrigin() + offset);
    return {};
}

namespace {
// Whether p lies on the segment from a to b, within the global tolerance.
bool IsOnSegment(const WqGePoint3d& p, const WqGePoint3d& a, const WqGePoint3d& b) {
    const WqGeVector3d ab = b - a;
    const double len2 = ab.dotProduct(ab);
    const double t = len2 > 0 ? std::clamp((p - a).dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
    return p.distanceTo(a + ab * t) <= WqGeContext::gTol.equalPoint();
}
} // namespace

UTxResult DLxSurfaceTexture::FitToLeaderLanding(DLxCLeader* leader) {
    if (!leader) return {};
    const WqGeVector3d landing = leader->GetLandingVector();
    const WqGePoint3d start = leader->GetRootPoint();
    if (landing.length() < 1e-9) {
        SetSymbolOrigin(start);
        return {};
    }
    const WqGePoint3d a = start - landing;
    const WqGePoint3d point = GetSymbolOrigin();
    if (landing.length() <= a.distanceTo(point) || !IsOnSegment(point, a, start))
        SetSymbolOrigin(a + landing * 0.5);
    return {};
}
