#include "dl/DLxAttachingPointStateSet.h"

#include "dc/RDxFragment.h"
#include "dl/DLxSymAttachingPoint.h"
#include "utx/UTxCast.h"

DLxAttachingPointStateSet* DLxAttachingPointStateSet::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* set = new (RSe::_GetMeta(static_cast<const DLxAttachingPointStateSet*>(nullptr)),
                     fragment->GetSegment()) DLxAttachingPointStateSet();
    fragment->AddNode(set);
    return set;
}

DLxSymAttachingPoint* DLxAttachingPointStateSet::GetAttachingPoint(uint32_t index) const {
    return UTx::Cast<DLxSymAttachingPoint>(GetState(index));
}
