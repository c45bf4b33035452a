#include "dl/DLxSymAttachingPoint.h"

#include "dc/RDxFragment.h"
#include "rse/RSeTransaction.h"

DLxSymAttachingPoint* DLxSymAttachingPoint::Create(RDxFragment* fragment,
                                                   const WqGePoint3d& point) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* anchor = new (RSe::_GetMeta(static_cast<const DLxSymAttachingPoint*>(nullptr)),
                        fragment->GetSegment()) DLxSymAttachingPoint();
    fragment->AddNode(anchor);
    anchor->SetPoint(point);
    anchor->m_location = anchor->GetPoint();
    return anchor;
}

void DLxSymAttachingPoint::UpdateLocation() {
    const WqGePoint3d p = GetPoint();
    if (p == m_location) return;
    RSe::PrepareWrite(this);
    m_location = p;
}
