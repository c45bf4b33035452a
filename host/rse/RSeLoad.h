#pragma once
// The state of one document load: addresses by stored index, the meta types that read each
// record, and the migration contexts queued for the migrators.
#include <memory>
#include <unordered_map>
#include <vector>

#include "rse/RSeBulkMemory.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeStream.h"

class RSeDatabase;
class RSeInitializer;
class RSeSegment;
class RSeSegmentMigrator;
class RSeSegmentMigrationContext;
class RSeSegmentMigrationContextRSeRef;

class RSeLoad : public RSeLoadSite {
public:
    explicit RSeLoad(RSeDatabase* db);
    ~RSeLoad() override;

    RSeMetaType* LoadMetaAt(uint32_t index) override {
        return index < m_tableMetas.size() ? m_tableMetas[index] : nullptr;
    }
    RSeMetaContext& Context() { return m_ctx; }

    // The version `obj` was stored with in this load (its class's current version otherwise).
    uint16_t StoredVersionOf(const RSeVMeta* obj) const;

    RSeSegmentMigrationContext* FindContext(RSeSegment* seg, RSeMetaType* classMeta,
                                            uint16_t number, bool create);
    RSeSegmentMigrationContext* FindContext(RSeSegment* seg, RSeSegmentMigrator* migrator);
    void RunMigrators();
    // Initializers made during this load, run after the migrators in the order made.
    void QueueInitializer(RSeInitializer* init) { m_initializers.push_back(init); }
    void DropInitializer(RSeInitializer* init);
    void RunInitializers();

    // Filled by the loader.
    std::vector<RSeMetaType*> m_tableMetas;    // by meta table index: the reading meta type
    RSeBulkVector<RSeVMeta*> m_objects;        // every object, in file order
    RSeBulkVector<RSeMetaType*> m_recordMetas; // the meta type that read each of them
    // Read through the context: Context().SetResolution again once they are filled.
    RSeBulkVector<RSeHandle*> m_handles;       // identified objects by reference index
    RSeBulkVector<RSeVMeta*> m_values;         // value objects by pointer number - 1

private:
    struct Entry {
        RSeSegment* segment;
        RSeMetaType* classMeta; // null for contexts of a migrator
        uint16_t number;
        RSeSegmentMigrator* migrator;
        std::unique_ptr<RSeSegmentMigrationContext> ctx;
    };
    RSeDatabase* m_db;
    RSeMetaContext m_ctx;
    mutable std::unordered_map<const RSeVMeta*, uint16_t> m_versions; // made on first ask
    std::vector<Entry> m_entries;
    std::vector<RSeInitializer*> m_initializers;
};
