// Placed symbol kinds stored by older releases: each older layout, written field by field, loads
// with the values the newer fields take, saves in the current form, and that form reads back to
// the same bytes. A record cut short fails the load with a message instead of reading past it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumState.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "KorvuTestSupport.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxGDTInstance.h"
#include "TstDocWriter.h"
#include "dl/DLxDrawingDoc.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeStream.h"
#include "utx/UTxGUID.h"
#include "utx/UTxString16.h"

namespace {

template <class T> RSeMetaType* Meta() {
    return RSe::_GetMeta(static_cast<const T*>(nullptr));
}

// A fresh object of the class, whose base part stands for the one an old file held.
using MakeFn = std::function<RSeVMeta*(RSeSegment*)>;
template <class T> MakeFn Fresh() {
    return [](RSeSegment* seg) -> RSeVMeta* {
        return new (Meta<T>(), seg) T(static_cast<const RSeStream*>(nullptr));
    };
}

using WriteFn = std::function<void(RSeStream&)>;
using CheckFn = std::function<void(RSeVMeta*)>;

struct Case {
    std::string name;
    RSeMetaType* meta;
    uint16_t version;
    MakeFn make;
    WriteFn own;             // the class's own fields of that version
    CheckFn check;           // what the loaded object holds
    std::string corpus = {}; // kept for the document-load fuzz target, when named
};

const UTxGUID kDropped(0x11111111, 0x22222222, 0x33333333, 0x44444444);

// The origin indicator's state: origin, a GUID (up to version 2), scale, the offsets (from
// version 1, with the opposite sign) and the hide flag (from version 2).
WriteFn OldOrigin(uint16_t v) {
    return [v](RSeStream& s) {
        RSeSaveData(s, WqGePoint3d(10, 20, 0));
        if (v <= 2) s.Write(kDropped);
        s.Write(2.0);
        if (v >= 1) {
            s.Write(1.5);
            s.Write(-2.5);
        }
        if (v >= 2) s.Write(true);
    };
}

CheckFn OriginHolds(double relX, double relY, bool hide) {
    return [=](RSeVMeta* o) {
        auto* st = dynamic_cast<DLxCenterDatumState*>(o);
        ASSERT_NE(st, nullptr);
        EXPECT_TRUE(st->GetOrigin().isEqualTo({10, 20, 0}));
        EXPECT_EQ(st->GetScale(), 2.0);
        EXPECT_EQ(st->GetRelXValue(), relX);
        EXPECT_EQ(st->GetRelYValue(), relY);
        EXPECT_EQ(st->GetHideSymbol(), hide);
    };
}

// The sketched symbol's state: the sketch, then (from version 1) scale, rotation and whether
// it turns about the geometric centre.
WriteFn OldCallOutState(uint16_t v) {
    return [v](RSeStream& s) {
        s.Write(RSeRef<RSeIDed>());
        if (v >= 1) {
            s.Write(0.5);
            s.Write(0.25);
            s.Write(false);
        }
    };
}

CheckFn CallOutStateHolds(double scale, double rotation, bool geomCenter) {
    return [=](RSeVMeta* o) {
        auto* st = dynamic_cast<DLxCallOutState*>(o);
        ASSERT_NE(st, nullptr);
        EXPECT_EQ(st->GetScale(), scale);
        EXPECT_EQ(st->GetRotation(), rotation);
        EXPECT_EQ(st->GetUseGeomCenter(), geomCenter);
        EXPECT_FALSE(st->GetStatic());
        EXPECT_TRUE(st->GetLeaderVisible());
    };
}

const WriteFn kNothing = [](RSeStream&) {};
const CheckFn kAnything = [](RSeVMeta*) {};

std::vector<Case> Cases() {
    std::vector<Case> cases;
    auto add = [&](std::string name, RSeMetaType* meta, uint16_t v, MakeFn make, WriteFn own,
                   CheckFn check) {
        cases.push_back({name + " v" + std::to_string(v), meta, v, std::move(make), std::move(own),
                         std::move(check)});
    };
    auto keep = [&](const char* corpus) { cases.back().corpus = corpus; };
    add("origin indicator state", Meta<DLxCenterDatumState>(), 0, Fresh<DLxCenterDatumState>(),
        OldOrigin(0), OriginHolds(0, 0, false));
    add("origin indicator state", Meta<DLxCenterDatumState>(), 1, Fresh<DLxCenterDatumState>(),
        OldOrigin(1), OriginHolds(-1.5, 2.5, false));
    keep("older-origin-indicator-state");
    for (uint16_t v : {2, 3})
        add("origin indicator state", Meta<DLxCenterDatumState>(), v, Fresh<DLxCenterDatumState>(),
            OldOrigin(v), OriginHolds(-1.5, 2.5, true));
    add("origin indicator", Meta<DLxCenterDatumInstance>(), 0, Fresh<DLxCenterDatumInstance>(),
        kNothing, kAnything);
    add("datum identifier", Meta<DLxDatumIdInstance>(), 0, Fresh<DLxDatumIdInstance>(), kNothing,
        kAnything);
    add("sketched symbol state", Meta<DLxCallOutState>(), 0, Fresh<DLxCallOutState>(),
        OldCallOutState(0), CallOutStateHolds(1.0, 0.0, true));
    keep("older-sketched-symbol-state");
    for (uint16_t v : {1, 2})
        add("sketched symbol state", Meta<DLxCallOutState>(), v, Fresh<DLxCallOutState>(),
            OldCallOutState(v), CallOutStateHolds(0.5, 0.25, false));
    for (uint16_t v = 0; v <= 2; ++v)
        add("sketched symbol", Meta<DLxCallOutInstance>(), v, Fresh<DLxCallOutInstance>(), kNothing,
            [](RSeVMeta* o) {
                auto* c = dynamic_cast<DLxCallOutInstance*>(o);
                ASSERT_NE(c, nullptr);
                EXPECT_TRUE(c->EmblemClipOthers());
                EXPECT_FALSE(c->GetTemporarySymbol());
            });
    for (uint16_t v = 0; v <= 3; ++v) {
        add("feature control frame", Meta<DLxGDTInstance>(), v, Fresh<DLxGDTInstance>(), kNothing,
            [](RSeVMeta* o) {
                auto* f = dynamic_cast<DLxGDTInstance*>(o);
                ASSERT_NE(f, nullptr);
                EXPECT_FALSE(f->GetAttachmentRule());
            });
        if (v == 3) keep("older-feature-control-frame");
        add("balloon", Meta<DLxBalloonSymInstance>(), v, Fresh<DLxBalloonSymInstance>(), kNothing,
            [](RSeVMeta* o) {
                auto* b = dynamic_cast<DLxBalloonSymInstance*>(o);
                ASSERT_NE(b, nullptr);
                EXPECT_TRUE(b->UsesPrimaryLeaderStyle());
            });
        if (v == 2) keep("older-balloon");
    }
    return cases;
}

TEST(PlacedKindStorage, OlderLayoutsLoadAndSaveAsTheCurrentVersion) {
    DLxDrawingDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_LT(c.version, c.meta->GetVersion());
        const std::vector<uint8_t> made =
            TstDocWriter::OneRecord(c.meta, c.version, c.make(seg), c.own);
        std::vector<std::vector<uint8_t>> inputs{made};
        if (!c.corpus.empty())
            inputs.push_back(KorvuCorpusFile("document_load", c.corpus + ".kvd", made));
        for (const std::vector<uint8_t>& old : inputs) {
            std::unique_ptr<RSeDatabase> db;
            const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
            ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
            RSeVMeta* loaded = db->FindObject(1);
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(loaded->GetMeta(), c.meta);
            c.check(loaded);

            std::vector<uint8_t> saved;
            ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
            EXPECT_EQ(TstDocWriter::DeclaredVersion(saved, c.meta->GetName()),
                      c.meta->GetVersion());
            std::unique_ptr<RSeDatabase> again;
            const UTxResult r2 = RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again);
            ASSERT_FALSE(r2.Failed()) << r2.GetMessageUtf8();
            c.check(again->FindObject(1));
            std::vector<uint8_t> resaved;
            ASSERT_FALSE(again->SaveToBuffer(resaved).Failed());
            EXPECT_EQ(resaved, saved);
        }
    }
}

// A record that stops before the fields its version stored, or carries one field too many, is
// damaged: the load fails and says so.
TEST(PlacedKindStorage, AnOlderRecordOfTheWrongLengthFailsTheLoad) {
    DLxDrawingDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        struct Damage {
            WriteFn own;
            const char* corpusSuffix; // kept for the fuzz target under this suffix, when set
        };
        std::vector<Damage> damaged = {{[&c](RSeStream& s) {
                                            c.own(s);
                                            s.Write(int32_t(7));
                                        },
                                        nullptr}};
        std::vector<uint8_t> probe;
        {
            TstDocWriter w;
            RSeStream s(&probe, &w);
            c.own(s);
        }
        if (!probe.empty()) damaged.push_back({kNothing, "-cut-short.kvd"});
        for (const Damage& damage : damaged) {
            const std::vector<uint8_t> made =
                TstDocWriter::OneRecord(c.meta, c.version, c.make(seg), damage.own);
            std::vector<std::vector<uint8_t>> inputs{made};
            if (damage.corpusSuffix && !c.corpus.empty())
                inputs.push_back(
                    KorvuCorpusFile("document_load", c.corpus + damage.corpusSuffix, made));
            for (const std::vector<uint8_t>& bytes : inputs) {
                std::unique_ptr<RSeDatabase> db;
                const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
                EXPECT_TRUE(r.Failed());
                EXPECT_NE(r.GetMessageUtf8().find(UTx::ToUtf8(c.meta->GetName())),
                          std::string::npos)
                    << r.GetMessageUtf8();
                EXPECT_FALSE(db);
            }
        }
    }
}

// Versions newer than this build knows are refused, not read as something else.
TEST(PlacedKindStorage, ANewerVersionIsRefused) {
    DLxDrawingDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    for (const Case& c : Cases()) {
        if (c.version != 0) continue;
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = TstDocWriter::OneRecord(
            c.meta, uint16_t(c.meta->GetVersion() + 1), c.make(seg), kNothing);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        EXPECT_TRUE(r.Failed());
        EXPECT_FALSE(r.GetMessageUtf8().empty());
    }
}

// Documents name each class by its name and its GUID; a GUID other than the one older
// documents carry makes every such document fail to load.
TEST(PlacedKindStorage, ClassesCarryTheGuidsDocumentsNameThemBy) {
    const struct {
        const char16_t* name;
        uint32_t words[4];
    } cases[] = {
        {u"DLxSymInstance", {0x2ed478de, 0x370c11d4, 0xb7610060, 0xb0fbb682}},
        {u"DLxBalloonSymInstance", {0x3962e9db, 0xb8444202, 0xbd4eb106, 0x300ea086}},
        {u"DLxBalloonSymState", {0x78dc7110, 0xa7774852, 0xb57659c7, 0xf1a6e96b}},
        {u"DLxCallOutInstance", {0x28156908, 0x375d11d4, 0xb7610060, 0xb0fbb682}},
        {u"DLxCallOutState", {0x28156909, 0x375d11d4, 0xb7610060, 0xb0fbb682}},
        {u"DLxCenterDatumInstance", {0xf5a6ed78, 0x7c6911d4, 0xb7690060, 0xb0fbb682}},
        {u"DLxCenterDatumState", {0xf5a6ed79, 0x7c6911d4, 0xb7690060, 0xb0fbb682}},
        {u"DLxDatumIdInstance", {0xf3f435a0, 0x725d11d4, 0xb7660060, 0xb0fbb682}},
        {u"DLxGDTInstance", {0x502678e6, 0x9b5411d4, 0xabae0010, 0xb547d27d}},
        {u"DLxGDTState", {0x502678e7, 0x9b5411d4, 0xabae0010, 0xb547d27d}},
        {u"DLxGDTStateLine", {0xb1cf069e, 0xb2b84107, 0xbb51a64a, 0x0ebc941b}},
        {u"DLxLeaderTextInstance", {0xdb06a399, 0xf88b11d4, 0xabcd0010, 0xb547d27d}},
    };
    DLxDrawingDoc scratch; // the module's classes are registered
    for (const auto& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.name));
        const RSeMetaType* mt = RSeMetaType::Find(c.name);
        ASSERT_NE(mt, nullptr);
        EXPECT_EQ(mt->GetGUID(), UTxGUID(c.words[0], c.words[1], c.words[2], c.words[3]));
    }
}

} // namespace
