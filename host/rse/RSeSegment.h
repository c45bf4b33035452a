#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeBulkMemory.h"
#include "utx/UTxString16.h"

class RSeDatabase;
class RSeMetaType;
class RSeVMeta;
struct RSeKindIndex;

// A storage unit of a database. It owns the objects created in it, in creation order, and
// deletes them when it goes. A transient segment is never saved.
class RSeSegment {
public:
    RSeSegment(RSeDatabase* db, uint32_t index, UTxString16 name, bool transient);
    RSeSegment(const RSeSegment&) = delete;
    RSeSegment& operator=(const RSeSegment&) = delete;
    ~RSeSegment();

    RSeDatabase* GetDatabase() const { return m_db; }
    uint32_t GetIndex() const { return m_index; }
    const UTxString16& GetName() const { return m_name; }
    bool IsTransient() const { return m_transient; }
    // Whether the annotations stored here are recoloured for their health when they compute
    // (sick ones shown in the sick colour, healthy ones cleared of it). On by default; a
    // segment whose graphics someone else colours (a preview, an export) turns it off. Not
    // stored.
    bool AcceptsHealthColoring() const { return m_healthColoring; }
    void SetAcceptsHealthColoring(bool on) { m_healthColoring = on; }

    // Live objects in creation (or load) order.
    size_t GetObjectCount() const { return m_objects.size() - m_holes; }
    std::vector<RSeVMeta*> GetObjects() const;
    template <class F> void ForEachObject(F&& f) const {
        for (size_t i = 0; i < m_objects.size(); ++i)
            if (RSeVMeta* o = m_objects[i]) f(o);
    }
    // Live objects of a kind (its class or a class derived from it), in the segment's order. An
    // index by class learns of new objects when asked, so a query costs the objects made since
    // the last one and those it finds, never a walk over the whole segment.
    std::vector<RSeVMeta*> GetObjectsOfKind(const RSeMetaType* kind) const;
    // The first identified object of the segment, if any (the segment's root).
    RSeVMeta* GetRootObject() const;

    // Room for `more` objects to come (a load knows how many it will list).
    void Reserve(size_t more) { m_objects.reserve(m_objects.size() + more); }

    // Deletes every object of the segment.
    void DeleteAll();

    // Drops the holes that deleted objects left, so that list positions are dense again.
    void Compact();
    uint32_t PositionOf(const RSeVMeta* obj) const;

private:
    friend class RSeVMeta;
    void Attach(RSeVMeta* obj);
    void Detach(RSeVMeta* obj);

    RSeDatabase* m_db;
    uint32_t m_index;
    UTxString16 m_name;
    bool m_transient;
    RSeBulkVector<RSeVMeta*> m_objects;
    size_t m_holes = 0;
    bool m_clearing = false;
    bool m_healthColoring = true;
    mutable std::unique_ptr<RSeKindIndex> m_kinds; // built on first query
};
