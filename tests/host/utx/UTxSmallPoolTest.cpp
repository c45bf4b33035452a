#include <gtest/gtest.h>

#include "utx/UTxSmallPool.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Taken {
    unsigned char* p;
    size_t bytes;
    unsigned char fill;
};

void Fill(Taken& t) {
    std::memset(t.p, t.fill, t.bytes);
}

bool Holds(const Taken& t) {
    for (size_t i = 0; i < t.bytes; ++i)
        if (t.p[i] != t.fill) return false;
    return true;
}

// Blocks of every size, pooled or not, keep their bytes while others of their size are freed
// and taken again: a block handed out twice, or a free list running through a live block,
// shows as a neighbour's bytes.
TEST(UTxSmallPool, BlocksKeepTheirBytesWhileOthersComeAndGo) {
    const size_t sizes[] = {1, 7, 8, 9, 16, 24, 40, 88, 168, 224, 504, 512, 513, 2000};
    for (size_t bytes : sizes) {
        SCOPED_TRACE(bytes);
        std::vector<Taken> live;
        for (int i = 0; i < 3000; ++i) {
            live.push_back({static_cast<unsigned char*>(UTx::PoolAllocate(bytes)), bytes,
                            static_cast<unsigned char>(i)});
            Fill(live.back());
        }
        // Free every third, then take as many again: the freed ones come back first.
        std::vector<Taken> kept;
        for (size_t i = 0; i < live.size(); ++i) {
            if (i % 3 == 0)
                UTx::PoolFree(live[i].p, bytes);
            else
                kept.push_back(live[i]);
        }
        for (int i = 0; i < 1000; ++i) {
            kept.push_back({static_cast<unsigned char*>(UTx::PoolAllocate(bytes)), bytes,
                            static_cast<unsigned char>(0xA5 ^ i)});
            Fill(kept.back());
        }
        for (const Taken& t : kept) {
            ASSERT_TRUE(Holds(t));
            // An object whose size is a multiple of 16 may need 16-byte alignment.
            if (bytes % 16 == 0) {
                EXPECT_EQ(reinterpret_cast<uintptr_t>(t.p) % 16, 0u);
            }
            EXPECT_EQ(reinterpret_cast<uintptr_t>(t.p) % 8, 0u);
        }
        for (const Taken& t : kept)
            UTx::PoolFree(t.p, bytes);
    }
}

} // namespace
