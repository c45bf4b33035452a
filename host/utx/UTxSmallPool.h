#pragma once
// Memory for the small objects a drawing holds by the hundred thousand: stored objects and
// display items. A block of one size comes from a chunk of blocks of that size, without the C
// library's header per block or its rounding to 16 bytes, and a freed block waits for the next
// request of its size. Chunks live for the whole process. One thread, as everything here.
//
// A block is asked for and given back with the same byte count (a class's sized operator
// delete passes it). Sizes are rounded up to 8 bytes, so an object whose size is a multiple of
// 16 (as any over-aligned one's is) stays at a 16-byte boundary. Under the address sanitizer
// every block comes from the heap, so that a use after free or a wrong size stays visible.
#include <cstddef>

namespace UTx {
void* PoolAllocate(size_t bytes);
void PoolFree(void* p, size_t bytes) noexcept;
} // namespace UTx
