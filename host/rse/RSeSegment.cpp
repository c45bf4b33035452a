#include "rse/RSeSegment.h"

#include <cassert>

#include "rse/RSeIDed.h"

RSeSegment::RSeSegment(RSeDatabase* db, uint32_t index, UTxString16 name, bool transient)
    : m_db(db), m_index(index), m_name(std::move(name)), m_transient(transient) {}

RSeSegment::~RSeSegment() {
    DeleteAll();
}

void RSeSegment::DeleteAll() {
    m_clearing = true;
    // Newest first, so that objects go in the reverse order of their making.
    for (size_t i = m_objects.size(); i-- > 0;) {
        if (i >= m_objects.size()) continue;
        if (RSeVMeta* o = m_objects[i]) delete o;
    }
    m_objects.clear();
    m_holes = 0;
    m_clearing = false;
}

std::vector<RSeVMeta*> RSeSegment::GetObjects() const {
    std::vector<RSeVMeta*> out;
    out.reserve(GetObjectCount());
    ForEachObject([&](RSeVMeta* o) { out.push_back(o); });
    return out;
}

RSeVMeta* RSeSegment::GetRootObject() const {
    for (RSeVMeta* o : m_objects)
        if (o && dynamic_cast<RSeIDed*>(o)) return o;
    return nullptr;
}

void RSeSegment::Attach(RSeVMeta* obj) {
    obj->m_segment = this;
    obj->m_slot = uint32_t(m_objects.size());
    m_objects.push_back(obj);
}

void RSeSegment::Detach(RSeVMeta* obj) {
    assert(obj->m_slot < m_objects.size() && m_objects[obj->m_slot] == obj);
    if (obj->m_slot + 1 == m_objects.size()) {
        m_objects.pop_back();
        while (!m_objects.empty() && !m_objects.back()) {
            m_objects.pop_back();
            --m_holes;
        }
    } else {
        m_objects[obj->m_slot] = nullptr;
        ++m_holes;
    }
    obj->m_segment = nullptr;
    if (!m_clearing && m_holes > 64 && m_holes * 2 > m_objects.size()) Compact();
}

void RSeSegment::Compact() {
    if (!m_holes) return;
    size_t n = 0;
    for (RSeVMeta* o : m_objects) {
        if (!o) continue;
        o->m_slot = uint32_t(n);
        m_objects[n++] = o;
    }
    m_objects.resize(n);
    m_holes = 0;
}

uint32_t RSeSegment::PositionOf(const RSeVMeta* obj) const {
    return obj->m_slot;
}
