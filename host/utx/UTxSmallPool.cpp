#include "utx/UTxSmallPool.h"

#include <cstdint>
#include <new>

#if !defined(__SANITIZE_ADDRESS__)
namespace {
constexpr size_t kGrain = 8;
constexpr size_t kLargestPooled = 512;
// Small enough that the part of a chunk not yet handed out, one per size in use, stays small
// beside a drawing; large enough that the chunks' own headers do not count.
constexpr size_t kChunkBytes = 16 * 1024;

static_assert(kChunkBytes % 16 == 0 && kLargestPooled <= kChunkBytes);

struct FreeBlock {
    FreeBlock* next;
};

struct SizeClass {
    FreeBlock* free = nullptr;
    char* next = nullptr;
    char* end = nullptr;
};

// Constant-initialised, so objects made by other statics before this file's turn find it ready.
SizeClass g_classes[kLargestPooled / kGrain + 1];

void* TakeFromNewChunk(SizeClass& sizeClass, size_t blockBytes) {
    // The chunk is never given back: its blocks go round this class's free list.
    auto* chunk = static_cast<char*>(::operator new(kChunkBytes));
    sizeClass.next = chunk + blockBytes;
    sizeClass.end = chunk + kChunkBytes;
    return chunk;
}
} // namespace
#endif

void* UTx::PoolAllocate(size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
    return ::operator new(bytes);
#else
    if (bytes > kLargestPooled) return ::operator new(bytes);
    const size_t grains = bytes ? (bytes + kGrain - 1) / kGrain : 1;
    SizeClass& sizeClass = g_classes[grains];
    if (FreeBlock* block = sizeClass.free) {
        sizeClass.free = block->next;
        return block;
    }
    const size_t blockBytes = grains * kGrain;
    if (size_t(sizeClass.end - sizeClass.next) < blockBytes)
        return TakeFromNewChunk(sizeClass, blockBytes);
    void* block = sizeClass.next;
    sizeClass.next += blockBytes;
    return block;
#endif
}

void UTx::PoolFree(void* p, size_t bytes) noexcept {
    if (!p) return;
#if defined(__SANITIZE_ADDRESS__)
    ::operator delete(p, bytes);
#else
    if (bytes > kLargestPooled) {
        ::operator delete(p, bytes);
        return;
    }
    const size_t grains = bytes ? (bytes + kGrain - 1) / kGrain : 1;
    auto* block = static_cast<FreeBlock*>(p);
    block->next = g_classes[grains].free;
    g_classes[grains].free = block;
#endif
}
