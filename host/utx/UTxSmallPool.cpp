#include "utx/UTxSmallPool.h"

#include <cstdint>
#include <new>

// Under AddressSanitizer every block comes from the heap, so that misuse stays visible. GCC says
// so with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define KORVU_POOL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVU_POOL_UNDER_ASAN 1
#endif
#endif
#ifndef KORVU_POOL_UNDER_ASAN
#define KORVU_POOL_UNDER_ASAN 0
#endif

#if !KORVU_POOL_UNDER_ASAN
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
#if KORVU_POOL_UNDER_ASAN
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
#if KORVU_POOL_UNDER_ASAN
    ::operator delete(p);
#else
    if (bytes > kLargestPooled) {
        ::operator delete(p);
        return;
    }
    const size_t grains = bytes ? (bytes + kGrain - 1) / kGrain : 1;
    auto* block = static_cast<FreeBlock*>(p);
    block->next = g_classes[grains].free;
    g_classes[grains].free = block;
#endif
}
