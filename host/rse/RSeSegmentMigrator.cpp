#include "rse/RSeSegmentMigrator.h"

#include <algorithm>
#include <stdexcept>

#include "rse/RSeDatabase.h"
#include "rse/RSeLoad.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"

namespace {
std::vector<RSeSegmentMigrator*>& Migrators() {
    static std::vector<RSeSegmentMigrator*> all;
    return all;
}
RSeLoad* LoadOf(RSeSegment* segment) {
    RSeDatabase* db = segment ? segment->GetDatabase() : nullptr;
    return db ? db->GetLoad() : nullptr;
}
} // namespace

void RSeSegmentMigrationContextRSeRef::Add(const RSeRef<RSeIDed>& obj) {
    uint16_t version = 0;
    if (m_classMeta && m_classMeta->GetActiveLoadMeta())
        version = m_classMeta->GetActiveLoadMeta()->GetVersion();
    else if (RSeLoad* load = LoadOf(GetSegment()))
        version = load->StoredVersionOf(obj.get());
    else if (obj)
        version = obj->GetMeta()->GetVersion();
    m_objects.push_back(obj);
    m_versions.push_back(version);
}

RSeSegmentMigrator::RSeSegmentMigrator(const char* name) : m_name(name) {
    Migrators().push_back(this);
}

RSeSegmentMigrator::~RSeSegmentMigrator() {
    auto& all = Migrators();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

RSeSegmentMigrator* RSeSegmentMigrator::Get(const std::string& name) {
    for (RSeSegmentMigrator* m : Migrators())
        if (m->m_name == name) return m;
    return nullptr;
}

const std::vector<RSeSegmentMigrator*>& RSeSegmentMigrator::All() {
    return Migrators();
}

void RSeSegmentMigrator::Handles(const char16_t* className, uint16_t number) {
    m_keys.emplace_back(className, number);
}

bool RSeSegmentMigrator::HandlesKey(const RSeMetaType* classMeta, uint16_t number) const {
    for (const auto& [name, n] : m_keys)
        if (n == number && name == classMeta->GetName()) return true;
    return false;
}

RSeSegmentMigrationContext* RSeSegmentMigrator::AllocateContext(RSeSegment* segment) {
    return new (segment) RSeSegmentMigrationContextRSeRef(segment);
}

RSeMigrationPacket::RSeMigrationPacket(const void* key) : m_key(key) {
    GetManager().m_packets.push_back(this);
}

RSeMigrationPacket::~RSeMigrationPacket() {
    auto& v = GetManager().m_packets;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void RSeMigrationPacket::Manager::Clear() {
    while (!m_packets.empty())
        delete m_packets.back();
}

RSeMigrationPacket::Manager& RSeMigrationPacket::GetManager() {
    static Manager manager;
    return manager;
}

void* RSeInitializer::operator new(size_t size, RSeSegment* segment) {
    RSeLoad* load = LoadOf(segment);
    if (!load) throw std::logic_error("an initializer is made only while a document loads");
    void* p = ::operator new(size);
    load->QueueInitializer(static_cast<RSeInitializer*>(p));
    return p;
}

// Only when its constructor throws: it never ran, so it leaves the queue.
void RSeInitializer::operator delete(void* p, RSeSegment* segment) {
    if (RSeLoad* load = LoadOf(segment)) load->DropInitializer(static_cast<RSeInitializer*>(p));
    ::operator delete(p);
}

void RSeInitializer::operator delete(void* p) {
    ::operator delete(p);
}

// ---- contexts of a load -------------------------------------------------------------------

RSeLoad::RSeLoad(RSeDatabase* db) : m_db(db) {
    m_ctx.SetResolution(m_handles, m_values, true);
    m_db->m_load = this;
}

RSeLoad::~RSeLoad() {
    m_entries.clear();
    for (RSeInitializer* init : m_initializers)
        delete init;
    RSeMigrationPacket::GetManager().Clear();
    for (RSeMetaType* mt : m_tableMetas)
        if (mt) mt->GetClassMeta()->SetActiveLoadMeta(nullptr);
    m_db->m_load = nullptr;
}

uint16_t RSeLoad::StoredVersionOf(const RSeVMeta* obj) const {
    if (!obj) return 0;
    if (m_versions.empty())
        for (size_t i = 0; i < m_objects.size(); ++i)
            m_versions.emplace(m_objects[i], m_recordMetas[i]->GetVersion());
    auto it = m_versions.find(obj);
    return it != m_versions.end() ? it->second : obj->GetMeta()->GetVersion();
}

RSeSegmentMigrationContext* RSeLoad::FindContext(RSeSegment* seg, RSeMetaType* classMeta,
                                                 uint16_t number, bool create) {
    classMeta = classMeta->GetClassMeta();
    for (Entry& e : m_entries)
        if (e.segment == seg && e.classMeta == classMeta && e.number == number) return e.ctx.get();
    RSeSegmentMigrator* owner = nullptr;
    for (RSeSegmentMigrator* m : Migrators())
        if (m->HandlesKey(classMeta, number)) {
            owner = m;
            break;
        }
    if (!owner && !create) return nullptr;
    RSeSegmentMigrationContext* ctx =
        owner ? owner->AllocateContext(seg) : new (seg) RSeSegmentMigrationContextRSeRef(seg);
    if (auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx))
        refs->m_classMeta = classMeta;
    m_entries.push_back(
        {seg, classMeta, number, owner, std::unique_ptr<RSeSegmentMigrationContext>(ctx)});
    return ctx;
}

RSeSegmentMigrationContext* RSeLoad::FindContext(RSeSegment* seg, RSeSegmentMigrator* migrator) {
    for (Entry& e : m_entries)
        if (e.segment == seg && !e.classMeta && e.migrator == migrator) return e.ctx.get();
    RSeSegmentMigrationContext* ctx = migrator->AllocateContext(seg);
    m_entries.push_back(
        {seg, nullptr, 0, migrator, std::unique_ptr<RSeSegmentMigrationContext>(ctx)});
    return ctx;
}

void RSeLoad::RunMigrators() {
    // A migrator may queue work for a later one, so the list is walked by index.
    const std::vector<RSeSegmentMigrator*> order = Migrators();
    for (RSeSegmentMigrator* m : order)
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].migrator == m) m->Migrate(m_entries[i].ctx.get());
}

void RSeLoad::RunInitializers() {
    // An initializer may make another, which runs after it.
    for (size_t i = 0; i < m_initializers.size(); ++i)
        m_initializers[i]->Initialize();
    for (RSeInitializer* init : m_initializers)
        delete init;
    m_initializers.clear();
}

void RSeLoad::DropInitializer(RSeInitializer* init) {
    std::erase(m_initializers, init);
}

namespace RSe {
RSeSegmentMigrationContextRSeRef*
SegmentMigrationContextRSeRef(RSeSegment* segment, RSeMetaType* mt, uint16_t number, bool create) {
    RSeLoad* load = LoadOf(segment);
    if (!load || !mt) return nullptr;
    return dynamic_cast<RSeSegmentMigrationContextRSeRef*>(
        load->FindContext(segment, mt, number, create));
}

RSeSegmentMigrationContext* SegmentMigrationContext(RSeSegment* segment, RSeMetaType* mt,
                                                    uint16_t number, bool create) {
    RSeLoad* load = LoadOf(segment);
    if (!load || !mt) return nullptr;
    return load->FindContext(segment, mt, number, create);
}

RSeSegmentMigrationContextRSeRef* SegmentMigrationContextRSeRef(RSeSegment* segment,
                                                                RSeSegmentMigrator* migrator) {
    RSeLoad* load = LoadOf(segment);
    if (!load || !migrator) return nullptr;
    return dynamic_cast<RSeSegmentMigrationContextRSeRef*>(load->FindContext(segment, migrator));
}
} // namespace RSe
