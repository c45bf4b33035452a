#pragma once
// The state of one document load: addresses by stored index, the meta types that read each
// record, and the migration contexts queued for the migrators.
#include <memory>
#include <vector>

#include "rse/RSeMetaType.h"
#include "rse/RSeStream.h"

class RSeDatabase;
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

    // Filled by the loader.
    std::vector<RSeMetaType*> m_tableMetas;  // by meta table index: the reading meta type
    std::vector<RSeVMeta*> m_addrs;          // by stored object index
    std::vector<RSeHandle*> m_handles;       // their handles, where identified
    std::vector<RSeMetaType*> m_recordMetas; // by stored object index
    std::vector<uint32_t> m_segmentOffsets;  // first stored index of each segment

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
    std::vector<Entry> m_entries;
};
