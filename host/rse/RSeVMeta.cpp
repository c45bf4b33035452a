#include "rse/RSeVMeta.h"

#include <cassert>
#include <new>
#include <vector>

#include "rse/RSeBulkMemory.h"
#include "rse/RSeSegment.h"
#include "rse/RSeMetaType.h"
#include "utx/UTxSmallPool.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define KORVU_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define KORVU_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define KORVU_POISON(p, n) ((void)(p), (void)(n))
#define KORVU_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {
// The allocation that the segment-placed new (or a block) handed out last: the object
// constructed in it joins that segment when its RSeVMeta part is built.
struct PendingPlacement {
    const char* begin = nullptr;
    size_t size = 0;
    RSeSegment* segment = nullptr;
    uint32_t block = 0;
};
PendingPlacement g_pending;

struct Block {
    void* memory = nullptr;
    size_t bytes = 0;
    size_t align = 0;
    uint32_t live = 0; // objects built in it and not yet deleted
    bool open = false;
};

struct BlockTable {
    std::vector<Block> blocks = std::vector<Block>(1); // block 0 stands for "not in a block"
    std::vector<uint32_t> free;
};
// Never destroyed: documents kept in statics close after every other static has gone.
BlockTable& Table() {
    static BlockTable* table = new BlockTable;
    return *table;
}
std::vector<Block>& Blocks() {
    return Table().blocks;
}

// Set by the destructor of an object made in a block, for the operator delete that follows it:
// that memory is not the heap's.
struct Dying {
    const void* obj = nullptr;
    uint32_t block = 0;
};
Dying g_dying;

void FreeBlockIfDone(uint32_t index) {
    Block& b = Blocks()[index];
    if (b.live || b.open) return;
    KORVU_UNPOISON(b.memory, b.bytes);
    RSe::BulkFree(b.memory, b.bytes, b.align);
    b = Block{};
    Table().free.push_back(index);
}
} // namespace

// Objects come from the small-object pool: a drawing holds a few tens of them per annotation.
void* RSeVMeta::operator new(size_t size, RSeMetaType*, RSeSegment* segment) {
    void* p = UTx::PoolAllocate(size);
    g_pending = {static_cast<const char*>(p), size, segment, 0};
    return p;
}

// Only reached when a constructor throws. By then the RSeVMeta part may have taken the pending
// placement, so the size is the class's own: the new above is always given the meta type of
// the class it makes.
void RSeVMeta::operator delete(void* p, RSeMetaType* meta, RSeSegment*) {
    size_t size = meta ? meta->GetSize() : 0;
    if (g_pending.begin == p) {
        size = g_pending.size;
        g_pending = {};
    }
    UTx::PoolFree(p, size);
}

void* RSeVMeta::operator new(size_t size) {
    return UTx::PoolAllocate(size);
}

void RSeVMeta::operator delete(void* p, size_t size) {
    const char* begin = static_cast<const char*>(p);
    const char* dying = static_cast<const char*>(g_dying.obj);
    if (g_dying.block && dying >= begin && dying < begin + size) {
        const uint32_t index = g_dying.block;
        g_dying = {};
        // Keeps a use after deletion visible to the address sanitizer, as the heap would.
        KORVU_POISON(p, size);
        --Blocks()[index].live;
        FreeBlockIfDone(index);
        return;
    }
    UTx::PoolFree(p, size);
}

uint32_t RSeVMeta::OpenBlock(size_t bytes, size_t align, void*& memory) {
    if (!bytes) bytes = 1;
    std::vector<Block>& blocks = Blocks();
    std::vector<uint32_t>& free = Table().free;
    if (free.empty()) {
        blocks.emplace_back();
        free.reserve(blocks.size()); // so that giving a block back never allocates
        free.push_back(uint32_t(blocks.size() - 1));
    }
    memory = RSe::BulkAllocate(bytes, align);
    const uint32_t index = free.back();
    free.pop_back();
    blocks[index] = Block{memory, bytes, align, 0, true};
    return index;
}

void RSeVMeta::CloseBlock(uint32_t block) {
    Blocks()[block].open = false;
    FreeBlockIfDone(block);
}

void RSeVMeta::PlaceInBlock(uint32_t block, void* at, size_t size, RSeSegment* segment) {
    assert(Blocks()[block].open);
    g_pending = {static_cast<const char*>(at), size, segment, block};
}

void RSeVMeta::AbandonPlacement() {
    g_pending = {};
    // The RSeVMeta part was built and torn down again: its object is gone from the block.
    if (g_dying.block) {
        --Blocks()[g_dying.block].live;
        g_dying = {};
    }
}

void RSeVMeta::Enlist() {
    if (m_segment && m_slot == kUnlisted) m_segment->Attach(this);
}

RSeVMeta::RSeVMeta() {
    const char* self = reinterpret_cast<const char*>(this);
    if (g_pending.segment && self >= g_pending.begin && self < g_pending.begin + g_pending.size) {
        RSeSegment* seg = g_pending.segment;
        const uint32_t block = g_pending.block;
        g_pending = {};
        if (block) {
            m_segment = seg;
            m_slot = kUnlisted;
            m_block = block;
            ++Blocks()[block].live;
        } else {
            seg->Attach(this);
        }
    }
}

RSeVMeta::~RSeVMeta() {
    if (m_segment && m_slot != kUnlisted) m_segment->Detach(this);
    if (m_block) g_dying = {this, m_block};
}
