#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class RSeSegment;
class RSeMetaType;
class RSeSegmentMigrator;

// Upgrade work queued while a document loads, for one segment; a migrator does it afterwards.
class RSeSegmentMigrationContext {
public:
    explicit RSeSegmentMigrationContext(RSeSegment* segment) : m_segment(segment) {}
    virtual ~RSeSegmentMigrationContext() = default;
    RSeSegment* GetSegment() const { return m_segment; }

    static void* operator new(size_t size, RSeSegment*) { return ::operator new(size); }
    static void operator delete(void* p, RSeSegment*) { ::operator delete(p); }
    static void operator delete(void* p) { ::operator delete(p); }

private:
    RSeSegment* m_segment;
};

// The usual context: the objects to upgrade, in the order they were added, each with the
// version it was stored at.
class RSeSegmentMigrationContextRSeRef : public RSeSegmentMigrationContext {
public:
    using RSeSegmentMigrationContext::RSeSegmentMigrationContext;
    void Add(const RSeRef<RSeIDed>& obj);
    uint32_t Objects() const { return uint32_t(m_objects.size()); }
    const RSeRef<RSeIDed>& Object(uint32_t i) const { return m_objects[i]; }
    uint16_t UnmigratedVersion(uint32_t i) const { return m_versions[i]; }

private:
    friend class RSeLoad;
    RSeMetaType* m_classMeta = nullptr; // the class whose stored version the entries record
    std::vector<RSeRef<RSeIDed>> m_objects;
    std::vector<uint16_t> m_versions;
};

// A named document migrator: a static singleton. After a document has loaded, each migrator,
// in the order they were constructed, gets the contexts queued for it.
class RSeSegmentMigrator {
public:
    explicit RSeSegmentMigrator(const char* name);
    RSeSegmentMigrator(const RSeSegmentMigrator&) = delete;
    RSeSegmentMigrator& operator=(const RSeSegmentMigrator&) = delete;
    virtual ~RSeSegmentMigrator();

    static RSeSegmentMigrator* Get(const std::string& name);
    // Every migrator, in registration order.
    static const std::vector<RSeSegmentMigrator*>& All();
    const std::string& GetName() const { return m_name; }

    // The contexts of (class, number) that this migrator processes.
    void Handles(const char16_t* className, uint16_t number);
    bool HandlesKey(const RSeMetaType* classMeta, uint16_t number) const;

    virtual void Migrate(RSeSegmentMigrationContext* ctx) = 0;
    virtual RSeSegmentMigrationContext* AllocateContext(RSeSegment* segment);
    virtual RSeSegmentMigrationContext* SpecialContext(RSeSegment*) { return nullptr; }

private:
    std::string m_name;
    std::vector<std::pair<UTxString16, uint16_t>> m_keys;
};

// Data that an older layout stored and the current class has no field for, parked under the
// address of the object being loaded until a later step picks it up. Packets live until the
// end of the load.
class RSeMigrationPacket {
public:
    explicit RSeMigrationPacket(const void* key);
    RSeMigrationPacket(const RSeMigrationPacket&) = delete;
    RSeMigrationPacket& operator=(const RSeMigrationPacket&) = delete;
    virtual ~RSeMigrationPacket();
    const void* GetKey() const { return m_key; }

    class Manager {
    public:
        template <class P> P* Find(const void* key) const {
            for (RSeMigrationPacket* p : m_packets)
                if (p->GetKey() == key)
                    if (P* t = dynamic_cast<P*>(p)) return t;
            return nullptr;
        }
        void Clear();
        size_t Count() const { return m_packets.size(); }

    private:
        friend class RSeMigrationPacket;
        std::vector<RSeMigrationPacket*> m_packets;
    };
    static Manager& GetManager();

private:
    const void* m_key;
};

// Work that a migrator leaves for after every migrator has run (deleting an old object that
// later migrators may still read, say). It is made with new in a segment of the loading
// document, which queues it on that load; after the migrators the load runs each initializer
// once, in the order they were made, and deletes it. A load that fails deletes them unrun.
class RSeInitializer {
public:
    RSeInitializer() = default;
    RSeInitializer(const RSeInitializer&) = delete;
    RSeInitializer& operator=(const RSeInitializer&) = delete;
    virtual ~RSeInitializer() = default;
    virtual void Initialize() = 0;

    // The segment's database must be loading: outside a load there is nothing to run after.
    static void* operator new(size_t size, RSeSegment* segment);
    static void operator delete(void* p, RSeSegment* segment);
    static void operator delete(void* p);
};

namespace RSe {
// The context of objects of one class and number in a segment of the loading document. It is
// made when a migrator handles that key, or when `create` asks for it; otherwise null.
RSeSegmentMigrationContextRSeRef* SegmentMigrationContextRSeRef(RSeSegment* segment,
                                                                RSeMetaType* mt, uint16_t number,
                                                                bool create = false);
RSeSegmentMigrationContext* SegmentMigrationContext(RSeSegment* segment, RSeMetaType* mt,
                                                    uint16_t number, bool create = false);
// The context of a migrator named by its registered name; null for no migrator.
RSeSegmentMigrationContextRSeRef* SegmentMigrationContextRSeRef(RSeSegment* segment,
                                                                RSeSegmentMigrator* migrator);

// Runs `fn` on each object of an object context, in the order they were queued, that still
// exists, is a T and was stored at a version `accept` takes. Nothing for another context.
template <class T, class Accept, class Fn>
void ForEachQueued(RSeSegmentMigrationContext* context, Accept accept, Fn fn) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    for (uint32_t i = 0; ctx && i < ctx->Objects(); ++i)
        if (accept(ctx->UnmigratedVersion(i)))
            if (auto* obj = dynamic_cast<T*>(ctx->Object(i).GetTarget())) fn(obj);
}
} // namespace RSe
