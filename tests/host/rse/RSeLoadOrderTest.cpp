// The order in which a load brings a document back: every object constructed, then each one's
// fields loaded, its references fixed and its post-restore run (each pass in file order), then
// the named migrators in registration order on the contexts their objects queued, then the
// initializers in the order the migrators made them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeTransaction.h"

namespace {

std::vector<std::string> g_log;

class OrderB;

// A: refers to a B, queues itself for the second migrator.
class OrderA : public RSeIDed {
public:
    OrderA() = default;
    explicit OrderA(const RSeStream* s) : RSeIDed(s) { g_log.push_back("construct A"); }
    RSeMetaType* GetMeta() const override;
    std::string Name() const { return "A" + std::to_string(GetId()); }

    void Load(RSeStream& s) {
        RSeMetaType::PlainLoad(this, s);
        s.Read(m_peer);
        g_log.push_back("load " + Name());
    }
    void Save(RSeStream& s) const {
        RSeMetaType::PlainSave(this, s);
        s.Write(m_peer);
    }
    void FixPtrs(RSeMetaContext& ctx) {
        RSeMetaType::PlainFixPtrs(this, ctx);
        m_peer.FixAddress(ctx);
        g_log.push_back("fix " + Name());
    }
    UTxResult PostRestore(RSeMetaContext& ctx);

    RSeRef<OrderB> m_peer;
};

// B: queues itself for the first migrator.
class OrderB : public RSeIDed {
public:
    OrderB() = default;
    explicit OrderB(const RSeStream* s) : RSeIDed(s) { g_log.push_back("construct B"); }
    RSeMetaType* GetMeta() const override;
    std::string Name() const { return "B" + std::to_string(GetId()); }

    void Load(RSeStream& s) {
        RSeMetaType::PlainLoad(this, s);
        g_log.push_back("load " + Name());
    }
    void FixPtrs(RSeMetaContext& ctx) {
        RSeMetaType::PlainFixPtrs(this, ctx);
        g_log.push_back("fix " + Name());
    }
    UTxResult PostRestore(RSeMetaContext& ctx);
};

void GuidA(UTxGUID& g) {
    g = UTxGUID(0x51a7e101, 0x00010001, 0x80000000, 0x00000002);
}
void GuidB(UTxGUID& g) {
    g = UTxGUID(0x51a7e102, 0x00010001, 0x80000000, 0x00000002);
}

RSeMetaType* MetaA() {
    static RSeMetaType* mt =
        RSeMakeMeta<OrderA>(u"TstOrderA", &GuidA, 0, RSeMetaType::kClass,
                            RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* MetaB() {
    static RSeMetaType* mt =
        RSeMakeMeta<OrderB>(u"TstOrderB", &GuidB, 0, RSeMetaType::kClass,
                            RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* const s_metaA = MetaA();
RSeMetaType* const s_metaB = MetaB();

RSeMetaType* OrderA::GetMeta() const {
    return MetaA();
}
RSeMetaType* OrderB::GetMeta() const {
    return MetaB();
}

// Runs after every migrator; the second migrator's last one deletes its object, as an upgrade that replaced it
// would.
class LoggingInitializer : public RSeInitializer {
public:
    LoggingInitializer(RSeIDed* obj, std::string name, bool remove)
        : m_obj(obj), m_name(std::move(name)), m_remove(remove) {}
    void Initialize() override {
        g_log.push_back("initialize " + m_name);
        if (m_remove) RSe::DeleteObject(m_obj.get());
    }

private:
    RSeRef<RSeIDed> m_obj;
    std::string m_name;
    bool m_remove;
};

class LoggingMigrator : public RSeSegmentMigrator {
public:
    LoggingMigrator(const char* name, std::string tag) : RSeSegmentMigrator(name), m_tag(tag) {}
    void Migrate(RSeSegmentMigrationContext* ctx) override {
        auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx);
        ASSERT_NE(refs, nullptr);
        for (uint32_t i = 0; i < refs->Objects(); ++i) {
            RSeIDed* obj = refs->Object(i).get();
            ASSERT_NE(obj, nullptr);
            const std::string name = (dynamic_cast<OrderA*>(obj) ? "A" : "B") +
                                     std::to_string(obj->GetId());
            g_log.push_back("migrate " + m_tag + " " + name);
            const bool last = m_tag == "second" && i + 1 == refs->Objects();
            new (ctx->GetSegment()) LoggingInitializer(obj, name, last);
        }
    }

private:
    std::string m_tag;
};

// Registered in this order; objects queue for the second before the first.
LoggingMigrator s_first("TstOrderFirst", "first");
LoggingMigrator s_second("TstOrderSecond", "second");

void Queue(RSeIDed* obj, RSeSegmentMigrator* migrator) {
    if (auto* ctx = RSe::SegmentMigrationContextRSeRef(obj->GetSegment(), migrator))
        ctx->Add(RSeRef<RSeIDed>(obj));
}

UTxResult OrderA::PostRestore(RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(this, ctx);
    // References are fixed before any post-restore.
    g_log.push_back("restore " + Name() + (m_peer.HasTarget() ? " -> " + m_peer->Name() : ""));
    Queue(this, &s_second);
    return {};
}

UTxResult OrderB::PostRestore(RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(this, ctx);
    g_log.push_back("restore " + Name());
    Queue(this, &s_first);
    return {};
}

TEST(RSeLoadOrder, PhasesThenMigratorsThenInitializers) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"S");
    auto* a1 = new (MetaA(), seg) OrderA();
    auto* b2 = new (MetaB(), seg) OrderB();
    auto* a3 = new (MetaA(), seg) OrderA();
    a1->m_peer = b2;
    a3->m_peer = b2;
    const uint32_t lastId = a3->GetId();
    ASSERT_EQ(lastId, a1->GetId() + 2);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    EXPECT_TRUE(g_log.empty()); // saving runs none of it

    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    const std::string A1 = "A" + std::to_string(a1->GetId());
    const std::string B2 = "B" + std::to_string(b2->GetId());
    const std::string A3 = "A" + std::to_string(a3->GetId());

    // Construction comes first; the order among the constructions is the loader's own.
    ASSERT_GE(g_log.size(), 3u);
    std::vector<std::string> made(g_log.begin(), g_log.begin() + 3);
    std::sort(made.begin(), made.end());
    EXPECT_EQ(made, (std::vector<std::string>{"construct A", "construct A", "construct B"}));
    const std::vector<std::string> rest(g_log.begin() + 3, g_log.end());
    const std::vector<std::string> expected = {
        "load " + A1,
        "load " + B2,
        "load " + A3,
        "fix " + A1,
        "fix " + B2,
        "fix " + A3,
        "restore " + A1 + " -> " + B2,
        "restore " + B2,
        "restore " + A3 + " -> " + B2,
        "migrate first " + B2,
        "migrate second " + A1,
        "migrate second " + A3,
        "initialize " + B2,
        "initialize " + A1,
        "initialize " + A3,
    };
    EXPECT_EQ(rest, expected);
    // The last initializer's deletion stands; the others' objects remain.
    EXPECT_EQ(back->FindObject(lastId), nullptr);
    EXPECT_NE(back->FindObject(a1->GetId()), nullptr);
    EXPECT_NE(back->FindObject(b2->GetId()), nullptr);
    g_log.clear();
}

// Initializers wait for the load: made outside one there is nothing to run them.
TEST(RSeLoadOrder, InitializersAreMadeOnlyWhileLoading) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"S");
    auto* b = new (MetaB(), seg) OrderB();
    EXPECT_THROW(new (seg) LoggingInitializer(b, "b", false), std::logic_error);
    EXPECT_TRUE(g_log.empty());
}

} // namespace
