#pragma once
#include <cstddef>
#include <cstdint>

class RSeMetaType;
class RSeSegment;

// Base of every object that has a meta type. An object created with the segment-placed new
// belongs to that segment: the segment saves it with the document and deletes it when the
// segment goes. Stored objects never delete other stored objects in their destructors;
// whoever drops a value object during an edit deletes it with `delete`.
//
// A load builds the objects of one class in one block of memory (RSeMetaType::Construct with a
// count). Such an object is deleted like any other; its memory goes back with its block, when
// the last object of the block is gone.
class RSeVMeta {
public:
    RSeVMeta();
    RSeVMeta(const RSeVMeta&) = delete;
    RSeVMeta& operator=(const RSeVMeta&) = delete;
    virtual ~RSeVMeta();

    virtual RSeMetaType* GetMeta() const = 0;

    RSeSegment* GetSegment() const { return m_segment; }

    static void* operator new(size_t size, RSeMetaType* meta, RSeSegment* segment);
    static void operator delete(void* p, RSeMetaType* meta, RSeSegment* segment);
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);

    // Blocks of objects (the store's own; RSeMeta<T> builds in them). A block is open while
    // its objects are being built, and goes when it is closed and holds no object.
    static uint32_t OpenBlock(size_t bytes, size_t align, void*& memory);
    static void CloseBlock(uint32_t block);
    // The object constructed next at `at` is made in `block` and belongs to `segment`, but is
    // not in the segment's list of objects until Enlist (a load lists them in file order).
    static void PlaceInBlock(uint32_t block, void* at, size_t size, RSeSegment* segment);
    // After a constructor threw inside a block: forgets the placement.
    static void AbandonPlacement();
    // Puts an object made in a block at the end of its segment's list (no-op when listed).
    void Enlist();

private:
    friend class RSeSegment;
    static constexpr uint32_t kUnlisted = UINT32_MAX;
    RSeSegment* m_segment = nullptr;
    uint32_t m_slot = 0;  // position in the segment's object list
    uint32_t m_block = 0; // the block it was made in; 0: made by itself
};
