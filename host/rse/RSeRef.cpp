#include "rse/RSeRef.h"

#include <memory>
#include <vector>

#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"

RSeRefBase::RSeRefBase(const RSeIDed* obj) {
    if (obj && obj->m_handle) {
        m_v = reinterpret_cast<uintptr_t>(obj->m_handle);
        ++obj->m_handle->refs;
    }
}

void RSeRefBase::SetTarget(const RSeIDed* obj) {
    RSeRefBase tmp(obj);
    *this = std::move(tmp);
}

const std::type_info& RSeRefBase::TargetType(const RSeIDed* obj) { return typeid(*obj); }

void RSeRefBase::ReleaseHandle(RSeHandle* h) {
    if (--h->refs) return;
    if (h->obj) return; // the object keeps its handle while it lives
    if (h->inTable && h->db)
        h->db->ForgetHandle(h);
    else
        delete h;
}

void RSeRefBase::FixAddress(RSeMetaContext& ctx) {
    if (!(m_v & 1)) return;
    const uint32_t index = uint32_t(m_v >> 1);
    m_v = 0;
    // A value object cannot be referred to: the reference stays null.
    if (RSeHandle* h = ctx.HandleAt(index)) {
        m_v = reinterpret_cast<uintptr_t>(h);
        AddRef();
    }
}

namespace {
// A free list over blocks that live for the whole process.
struct HandlePool {
    union Slot {
        Slot* next;
        alignas(RSeHandle) unsigned char bytes[sizeof(RSeHandle)];
    };
    Slot* free = nullptr;
    std::vector<std::unique_ptr<Slot[]>> blocks;

    void* Take() {
        if (!free) {
            constexpr size_t n = 4096;
            blocks.emplace_back(new Slot[n]);
            Slot* b = blocks.back().get();
            for (size_t i = 0; i < n; ++i)
                b[i].next = i + 1 < n ? &b[i + 1] : nullptr;
            free = b;
        }
        Slot* s = free;
        free = s->next;
        return s;
    }
    void Give(void* p) {
        Slot* s = static_cast<Slot*>(p);
        s->next = free;
        free = s;
    }
};
// Never destroyed: objects of databases that statics hold (the transient one) give their
// handles back while the process exits, after function statics made later are gone.
HandlePool& Pool() {
    static HandlePool* pool = new HandlePool;
    return *pool;
}
} // namespace

void* RSeHandle::operator new(size_t) {
    return Pool().Take();
}
void RSeHandle::operator delete(void* p) {
    if (p) Pool().Give(p);
}
