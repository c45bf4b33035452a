#include "rse/RSeVMeta.h"

#include <new>

#include "rse/RSeSegment.h"

namespace {
// The allocation that the segment-placed new handed out last: the object constructed in it
// joins that segment when its RSeVMeta part is built.
struct PendingPlacement {
    const char* begin = nullptr;
    size_t size = 0;
    RSeSegment* segment = nullptr;
};
PendingPlacement g_pending;
} // namespace

void* RSeVMeta::operator new(size_t size, RSeMetaType*, RSeSegment* segment) {
    void* p = ::operator new(size);
    g_pending = {static_cast<const char*>(p), size, segment};
    return p;
}

void RSeVMeta::operator delete(void* p, RSeMetaType*, RSeSegment*) {
    if (g_pending.begin == p) g_pending = {};
    ::operator delete(p);
}

void* RSeVMeta::operator new(size_t size) {
    return ::operator new(size);
}
void RSeVMeta::operator delete(void* p) {
    ::operator delete(p);
}

RSeVMeta::RSeVMeta() {
    const char* self = reinterpret_cast<const char*>(this);
    if (g_pending.segment && self >= g_pending.begin && self < g_pending.begin + g_pending.size) {
        RSeSegment* seg = g_pending.segment;
        g_pending = {};
        seg->Attach(this);
    }
}

RSeVMeta::~RSeVMeta() {
    if (m_segment) m_segment->Detach(this);
}
