#include "rse/RSeRef.h"

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

void RSeRefBase::ReleaseHandle(RSeHandle* h) {
    if (--h->refs) return;
    if (h->obj) return; // the object keeps its handle while it lives
    if (h->inTable && h->db) h->db->ForgetHandle(h);
    else delete h;
}

void RSeRefBase::FixAddress(RSeMetaContext& ctx) {
    if (!(m_v & 1)) return;
    const uint32_t index = uint32_t(m_v >> 1);
    m_v = 0;
    RSeVMeta* obj = ctx.AddressAt(index);
    if (!obj) return;
    RSeIDed* target = dynamic_cast<RSeIDed*>(obj);
    if (!target) return; // a value object cannot be referred to: the reference stays null
    SetTarget(target);
}
