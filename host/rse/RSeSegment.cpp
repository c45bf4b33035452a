#include "rse/RSeSegment.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>

#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"

// Slots of the segment's objects by exact class. Slots at or past `scanned` have not been
// looked at yet; an object is classified only once it is fully built (at the next query), as
// its class is unknown while it is being constructed. Lists may hold slots of objects gone
// since, or reused by another object: a query checks each slot it reads.
struct RSeKindIndex {
    std::unordered_map<const RSeMetaType*, std::vector<uint32_t>> slots;
    size_t scanned = 0;
};

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
    m_kinds.reset();
    m_clearing = false;
}

std::vector<RSeVMeta*> RSeSegment::GetObjects() const {
    std::vector<RSeVMeta*> out;
    out.reserve(GetObjectCount());
    ForEachObject([&](RSeVMeta* o) { out.push_back(o); });
    return out;
}

std::vector<RSeVMeta*> RSeSegment::GetObjectsOfKind(const RSeMetaType* kind) const {
    std::vector<RSeVMeta*> out;
    if (!kind) return out;
    if (!m_kinds) m_kinds = std::make_unique<RSeKindIndex>();
    RSeKindIndex& index = *m_kinds;
    for (; index.scanned < m_objects.size(); ++index.scanned)
        if (RSeVMeta* o = m_objects[index.scanned])
            index.slots[o->GetMeta()->GetClassMeta()].push_back(uint32_t(index.scanned));
    std::vector<uint32_t> found;
    for (auto& [meta, slots] : index.slots) {
        if (!meta->IsKindOf(kind)) continue;
        // Drop what no longer holds an object of this class while reading.
        std::sort(slots.begin(), slots.end());
        slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
        slots.erase(std::remove_if(slots.begin(), slots.end(),
                                   [&, m = meta](uint32_t s) {
                                       return s >= m_objects.size() || !m_objects[s] ||
                                              m_objects[s]->GetMeta()->GetClassMeta() != m;
                                   }),
                    slots.end());
        found.insert(found.end(), slots.begin(), slots.end());
    }
    std::sort(found.begin(), found.end());
    out.reserve(found.size());
    for (uint32_t s : found)
        out.push_back(m_objects[s]);
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
        // Slots past the end are handed out again: look at them afresh.
        if (m_kinds && m_kinds->scanned > m_objects.size()) m_kinds->scanned = m_objects.size();
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
    m_kinds.reset(); // every slot moved
}

uint32_t RSeSegment::PositionOf(const RSeVMeta* obj) const {
    return obj->m_slot;
}
