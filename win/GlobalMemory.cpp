#include "GlobalMemory.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace {

// Sits right in front of the bytes, in the same allocation, so the handle can be the bytes'
// address and still lead back to the block.
struct alignas(std::max_align_t) BlockHeader {
    uint32_t magic;
    uint32_t flags;
    uint32_t locks;
    size_t size;
};
static_assert(alignof(BlockHeader) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

constexpr uint32_t c_liveMagic = 0x474D454D; // "GMEM"

BlockHeader* HeaderOf(HGLOBAL hMem) {
    if (!hMem) return nullptr;
    auto* header =
        reinterpret_cast<BlockHeader*>(static_cast<std::byte*>(hMem) - sizeof(BlockHeader));
    return header->magic == c_liveMagic ? header : nullptr;
}

} // namespace

HGLOBAL GlobalAlloc(uint32_t uFlags, size_t dwBytes) {
    if (dwBytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    void* raw = ::operator new(sizeof(BlockHeader) + dwBytes, std::nothrow);
    if (!raw) return nullptr;
    auto* header = new (raw) BlockHeader{c_liveMagic, uFlags, 0, dwBytes};
    std::byte* bytes = reinterpret_cast<std::byte*>(header + 1);
    // Zeroed whatever the flags say: contents nobody wrote should not vary between runs.
    std::memset(bytes, 0, dwBytes);
    return bytes;
}

void* GlobalLock(HGLOBAL hMem) {
    BlockHeader* header = HeaderOf(hMem);
    if (!header) return nullptr;
    ++header->locks;
    return hMem;
}

bool GlobalUnlock(HGLOBAL hMem) {
    BlockHeader* header = HeaderOf(hMem);
    if (!header || header->locks == 0) return false;
    return --header->locks > 0;
}

size_t GlobalSize(HGLOBAL hMem) {
    const BlockHeader* header = HeaderOf(hMem);
    return header ? header->size : 0;
}

uint32_t GlobalFlags(HGLOBAL hMem) {
    const BlockHeader* header = HeaderOf(hMem);
    if (!header) return GMEM_INVALID_HANDLE;
    return header->locks < GMEM_LOCKCOUNT ? header->locks : GMEM_LOCKCOUNT;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    if (!hMem) return nullptr;
    BlockHeader* header = HeaderOf(hMem);
    if (!header) return hMem;
    // A locked block is freed all the same, as on the original platform.
    header->magic = 0;
    header->~BlockHeader();
    ::operator delete(static_cast<void*>(header));
    return nullptr;
}
