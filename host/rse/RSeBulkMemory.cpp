#include "rse/RSeBulkMemory.h"

#include <sys/mman.h>

#include <cstdint>

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kMapFrom = 2 * kHugePage;

bool Mapped(size_t bytes, size_t align) {
    return bytes >= kMapFrom && align <= 4096;
}
// Whole huge pages: a tail in small pages would fault a page at a time again.
size_t MappedSize(size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}
size_t HeapAlign(size_t align) {
    return align < alignof(std::max_align_t) ? alignof(std::max_align_t) : align;
}
} // namespace

namespace RSe {
void* BulkAllocate(size_t bytes, size_t align) {
    if (!bytes) bytes = 1;
    if (!Mapped(bytes, align)) return ::operator new(bytes, std::align_val_t(HeapAlign(align)));
    const size_t size = MappedSize(bytes);
    // Over-map by a huge page so that the memory starts on one.
    const size_t span = size + kHugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t begin = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (begin + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    if (aligned > begin) munmap(raw, aligned - begin);
    if (begin + span > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), begin + span - aligned - size);
    void* p = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(p, size, MADV_HUGEPAGE);
#endif
    return p;
}

void AdviseBulk(void* p, size_t bytes) noexcept {
#ifdef MADV_HUGEPAGE
    if (bytes < kMapFrom) return;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(p);
    const uintptr_t first = (begin + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    const uintptr_t last = (begin + bytes) & ~uintptr_t(kHugePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void BulkFree(void* p, size_t bytes, size_t align) noexcept {
    if (!p) return;
    if (!bytes) bytes = 1;
    if (Mapped(bytes, align))
        munmap(p, MappedSize(bytes));
    else
        ::operator delete(p, std::align_val_t(HeapAlign(align)));
}
} // namespace RSe
