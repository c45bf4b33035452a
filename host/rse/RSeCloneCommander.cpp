#include "rse/RSeCloneCommander.h"

#include "rse/RSeIDed.h"
#include "rse/RSeVMeta.h"

RSeCloneCommander::RSeCloneCommander(RSeSegment* target) : m_target(target) {}

RSeVMeta* RSeCloneCommander::MakeCopy(const RSeVMeta* src) {
    RSeVMeta* copy = src->GetMeta()->Construct(m_target);
    if (copy) {
        m_copies.emplace(src, copy);
        m_order.emplace_back(src, copy);
    }
    return copy;
}

UTxResult RSeCloneCommander::Clone(const std::vector<RSeVMeta*>& sources) {
    const size_t first = m_order.size();
    for (RSeVMeta* src : sources)
        if (src && !m_copies.count(src)) MakeCopy(src);
    UTxResult result;
    // ClonePtr may append value-object copies while this runs; they are cloned in turn.
    for (size_t i = first; i < m_order.size(); ++i) {
        auto [src, copy] = m_order[i];
        UTxResult r = src->GetMeta()->_Clone(src, copy, this);
        if (r.Failed() && result.IsEmpty()) result = r;
    }
    for (size_t i = first; i < m_order.size(); ++i) {
        auto [src, copy] = m_order[i];
        UTxResult r = copy->GetMeta()->_PostClone(copy, src, this);
        if (r.Failed() && result.IsEmpty()) result = r;
    }
    return result;
}

RSeVMeta* RSeCloneCommander::CloneOf(const RSeVMeta* src) const {
    auto it = m_copies.find(src);
    return it == m_copies.end() ? nullptr : it->second;
}

RSeIDed* RSeCloneCommander::CloneOf(const RSeRefBase& src) const {
    return dynamic_cast<RSeIDed*>(CloneOf(src.GetTarget()));
}

void RSeCloneCommander::CloneRef(const RSeRefBase& src, RSeRefBase& dst) {
    RSeIDed* target = src.GetTarget();
    if (RSeIDed* copy = CloneOf(src)) target = copy;
    dst.SetTarget(target);
}

void RSeCloneCommander::ClonePtr(RSeVMeta const* const& src, void*& dst) {
    dst = nullptr;
    if (!src) return;
    RSeVMeta* copy = CloneOf(src);
    if (!copy) copy = MakeCopy(src);
    dst = copy;
}
