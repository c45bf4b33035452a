#include "Leader/DLxVertexStateSet.h"

#include "dc/RDxFragment.h"
#include "rd/RDxPoint3.h"
#include "utx/UTxCast.h"

DLxVertexStateSet* DLxVertexStateSet::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* set = new (RSe::_GetMeta(static_cast<const DLxVertexStateSet*>(nullptr)),
                     fragment->GetSegment()) DLxVertexStateSet();
    fragment->AddNode(set);
    return set;
}

bool DLxVertexStateSet::AddState(RDxState* state) {
    if (!RDxStateSet::Add(state)) return false;
    if (const auto* point = UTx::Cast<RDxPoint3>(state)) {
        BeginValueChange();
        m_points.push_back(point->GetPoint());
    }
    return true;
}

void DLxVertexStateSet::PassValue(DLxVertexStateSet* target) const {
    if (!target || target == this) return;
    target->BeginValueChange();
    target->m_points = m_points;
}

void DLxVertexStateSet::Clear() {
    RDxStateSet::Clear();
    BeginValueChange();
    m_points.clear();
}
