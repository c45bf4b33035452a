#pragma once
#include <unordered_map>
#include <vector>

#include "rse/RSeMetaType.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class RSeSegment;
class RSeVMeta;

// Copies a set of objects into a segment: first every copy is made, then each source copies
// itself into its copy (Clone), then each copy completes itself (PostClone). A reference to an
// object that is copied too leads to its copy; any other reference is kept as it was.
class RSeCloneCommander {
public:
    explicit RSeCloneCommander(RSeSegment* target);
    virtual ~RSeCloneCommander() = default;

    // Copies `sources` (with the value objects they own through ClonePtr); answers the result
    // of the first failing callback, or success.
    UTxResult Clone(const std::vector<RSeVMeta*>& sources);

    // The copy of `src`, or null when it was not copied.
    RSeVMeta* CloneOf(const RSeVMeta* src) const;
    RSeIDed* CloneOf(const RSeRefBase& src) const;

    // For Clone callbacks.
    void CloneRef(const RSeRefBase& src, RSeRefBase& dst);
    // Copies a value object held by plain pointer, so that the copy owns its own.
    void ClonePtr(RSeVMeta const* const& src, void*& dst);
    template <class T> void ClonePtr(const T* src, T*& dst) {
        void* p = nullptr;
        ClonePtr(static_cast<RSeVMeta const* const&>(src), p);
        dst = static_cast<T*>(static_cast<RSeVMeta*>(p));
    }

    RSeSegment* GetTargetSegment() const { return m_target; }
    RSeMetaContext& GetMetaContext() { return m_ctx; }

private:
    RSeVMeta* MakeCopy(const RSeVMeta* src);

    RSeSegment* m_target;
    RSeMetaContext m_ctx;
    std::unordered_map<const RSeVMeta*, RSeVMeta*> m_copies;
    std::vector<std::pair<const RSeVMeta*, RSeVMeta*>> m_order;
};
