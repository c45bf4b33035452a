#pragma once
#include <cstddef>
#include <cstdint>

class RSeMetaType;
class RSeSegment;

// Base of every object that has a meta type. An object created with the segment-placed new
// belongs to that segment: the segment saves it with the document and deletes it when the
// segment goes. Stored objects never delete other stored objects in their destructors;
// whoever drops a value object during an edit deletes it with `delete`.
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
    static void operator delete(void* p);

private:
    friend class RSeSegment;
    RSeSegment* m_segment = nullptr;
    uint32_t m_slot = 0; // position in the segment's object list
};
