// The stored-object pattern end to end, on test-only classes: every field kind, containers,
// references, older versions with their migrators, refusals and cloning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "TstPersistClasses.h"
#include "TstStoredClasses.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxException.h"

namespace {

std::unique_ptr<RSeDatabase> Reload(RSeDatabase& db) {
    std::vector<uint8_t> bytes;
    UTxResult r = db.SaveToBuffer(bytes);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::unique_ptr<RSeDatabase> out;
    r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), out);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return out;
}

std::unique_ptr<RSeDatabase> LoadBytes(const std::vector<uint8_t>& bytes, UTxResult* result) {
    std::unique_ptr<RSeDatabase> out;
    *result = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), out);
    return out;
}

template <class T> T* FindById(RSeDatabase& db, uint32_t id) {
    return dynamic_cast<T*>(db.FindObject(id));
}

void ExpectSameFields(const TstNode& a, const TstNode& b) {
    EXPECT_EQ(a.m_bool, b.m_bool);
    EXPECT_EQ(a.m_char, b.m_char);
    EXPECT_EQ(a.m_short, b.m_short);
    EXPECT_EQ(a.m_long, b.m_long);
    EXPECT_EQ(a.m_ulong, b.m_ulong);
    EXPECT_EQ(a.m_float, b.m_float);
    EXPECT_EQ(a.m_double, b.m_double);
    EXPECT_EQ(a.m_text, b.m_text);
    EXPECT_EQ(a.m_point, b.m_point);
    EXPECT_EQ(a.m_vector, b.m_vector);
    EXPECT_EQ(a.m_point2, b.m_point2);
    EXPECT_TRUE(a.m_matrix == b.m_matrix);
    EXPECT_EQ(a.m_guid, b.m_guid);
    EXPECT_EQ(a.m_longs, b.m_longs);
    ASSERT_EQ(a.m_doubles.size(), b.m_doubles.size());
    for (size_t i = 0; i < a.m_doubles.size(); ++i)
        EXPECT_EQ(std::signbit(a.m_doubles[i]), std::signbit(b.m_doubles[i]));
    EXPECT_EQ(a.m_doubles, b.m_doubles);
    EXPECT_EQ(a.m_texts, b.m_texts);
    ASSERT_EQ(a.m_value != nullptr, b.m_value != nullptr);
    if (a.m_value) {
        EXPECT_EQ(a.m_value->m_weight, b.m_value->m_weight);
        EXPECT_EQ(a.m_value->m_label, b.m_value->m_label);
    }
}

void ExpectSameFields(const TstPersistNode& a, const TstPersistNode& b) {
    ExpectSameFields(static_cast<const TstNode&>(a), static_cast<const TstNode&>(b));
    EXPECT_EQ(a.m_reserved, b.m_reserved);
    EXPECT_EQ(a.m_nested, b.m_nested);
    EXPECT_EQ(a.m_pairs, b.m_pairs);
    EXPECT_EQ(a.m_embedded.m_code, b.m_embedded.m_code);
}

TEST(StoredObjects, EveryFieldKindRoundTripsThroughAFile) {
    KorvuTempDir dir;
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    RSeSegment* other = db.CreateSegment(u"Other");
    TstPersistNode* a = TstNew<TstPersistNode>(seg);
    TstDerived* b = TstNew<TstDerived>(other); // referenced across segments
    TstFillPersistNode(a, b, 1);
    TstFillNode(b, a, 2);
    b->m_extra = 77;
    TstZero* z = TstNew<TstZero>(seg);
    z->m_value = -5;

    ASSERT_FALSE(db.Save(dir.File("doc.kvd")).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    UTxResult r = RSeDatabase::Load(dir.File("doc.kvd"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();

    auto* la = FindById<TstPersistNode>(*loaded, a->GetId());
    auto* lb = FindById<TstDerived>(*loaded, b->GetId());
    auto* lz = FindById<TstZero>(*loaded, z->GetId());
    ASSERT_TRUE(la && lb && lz);
    ExpectSameFields(*a, *la);
    ExpectSameFields(*b, *lb);
    EXPECT_EQ(lb->m_extra, 77);
    EXPECT_EQ(la->m_reserved.capacity(), a->m_reserved.capacity()); // the stored capacity is kept
    EXPECT_EQ(lz->m_value, -5);
    EXPECT_EQ(lb->GetSegment(), loaded->GetSegment(1));

    // References lead to the loaded objects, in vectors and as map keys too.
    EXPECT_EQ(la->m_ref.get(), lb);
    EXPECT_EQ(lb->m_ref.get(), la);
    ASSERT_EQ(la->m_refs.size(), 3u);
    EXPECT_EQ(la->m_refs[0].get(), lb);
    EXPECT_FALSE(la->m_refs[1].HasTarget());
    EXPECT_EQ(la->m_refs[2].get(), la);
    ASSERT_EQ(la->m_textMap.Get().size(), 2u);
    EXPECT_EQ(la->m_textMap.Get().at(RSeRef<TstNode>(lb)), u"peer");
    EXPECT_EQ(la->m_textMap.Get().at(RSeRef<TstNode>(la)), u"self");
    EXPECT_FALSE(la->m_textMap.HasPendingEntries());
    ASSERT_EQ(la->m_valueMap.Get().size(), 1u);
    TstValue* mapped = la->m_valueMap.Get().at(RSeRef<TstNode>(la));
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(mapped->m_label, u"mapped");
    EXPECT_EQ(mapped->GetSegment(), la->GetSegment());
    EXPECT_GE(loaded->GetNextId(), db.GetNextId());
}

TEST(StoredObjects, SavingALoadedDocumentGivesTheSameBytes) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    TstNode* prev = nullptr;
    for (int i = 0; i < 20; ++i) {
        TstNode* n = nullptr;
        if (i % 3 == 2) {
            auto* p = TstNew<TstPersistNode>(seg);
            TstFillPersistNode(p, prev, i);
            n = p;
        } else {
            n = i % 3 ? TstNew<TstNode>(seg) : TstNew<TstDerived>(seg);
            TstFillNode(n, prev, i);
        }
        prev = n;
    }
    delete TstNew<TstZero>(seg); // a hole in the segment
    std::vector<uint8_t> first, second, third;
    ASSERT_FALSE(db.SaveToBuffer(first).Failed());
    auto loaded = Reload(db);
    ASSERT_TRUE(loaded);
    ASSERT_FALSE(loaded->SaveToBuffer(second).Failed());
    EXPECT_EQ(first, second);
    auto again = Reload(*loaded);
    ASSERT_FALSE(again->SaveToBuffer(third).Failed());
    EXPECT_EQ(first, third);
}

// The bytes a lone container writes: each value is a one-byte kind mark and its data.
std::vector<uint8_t> ContainerBytes(void (*write)(RSeStream&)) {
    std::vector<uint8_t> out;
    RSeStream s(&out, nullptr);
    write(s);
    return out;
}

std::vector<uint8_t> ULongs(std::initializer_list<uint32_t> values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values) {
        out.push_back(uint8_t(RSeTag::ULong));
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    }
    return out;
}

TEST(StoredObjects, EmptyContainersAreTheirTypeCodeAndAZeroCount) {
    EXPECT_EQ(ContainerBytes([](RSeStream& s) {
                  DLxPersistUtil::WriteVector(s, std::vector<RSeRef<TstNode>>());
              }),
              ULongs({0x30000002u, 0}));
    EXPECT_EQ(ContainerBytes([](RSeStream& s) { DLxStoredMap<TstNode, UTxString16>().Save(s); }),
              ULongs({0x30000006u, 0}));

    // And they load as empty, leaving nothing for PostRestore.
    auto bytes = ContainerBytes([](RSeStream& s) {
        DLxPersistUtil::WriteVector(s, std::vector<double>());
        DLxStoredMap<TstNode, TstValue*>().Save(s);
    });
    RSeStream in(bytes.data(), bytes.data() + bytes.size(), nullptr, nullptr, nullptr);
    std::vector<double> v = {1, 2};
    DLxStoredMap<TstNode, TstValue*> m;
    DLxPersistUtil::ReadVector(in, v);
    m.Load(in);
    EXPECT_TRUE(v.empty());
    EXPECT_FALSE(m.HasPendingEntries());
    EXPECT_TRUE(in.AtEnd());
}

// Containers carry the mark of elements without a class of their own; any other mark stops
// the read there.
TEST(StoredObjects, ContainersRefuseElementsMarkedWithAClass) {
    auto bytes = ContainerBytes([](RSeStream& s) {
        DLxPersistUtil::WriteVector(s, std::vector<int32_t>{7});
        DLxStoredMap<TstNode, UTxString16>().Save(s); // an empty map: no marks
    });
    const std::vector<uint8_t> vectorMark = {uint8_t(RSeTag::TypeMark), 0xFF, 0xFF, 0xFF, 0xFF};
    auto at = std::search(bytes.begin(), bytes.end(), vectorMark.begin(), vectorMark.end());
    ASSERT_NE(at, bytes.end());
    {
        RSeStream in(bytes.data(), bytes.data() + bytes.size(), nullptr, nullptr, nullptr);
        std::vector<int32_t> v;
        DLxPersistUtil::ReadVector(in, v);
        EXPECT_EQ(v, std::vector<int32_t>{7});
    }
    *(at + 1) = 0; // the mark of the first class of a document's table
    RSeStream in(bytes.data(), bytes.data() + bytes.size(), nullptr, nullptr, nullptr);
    std::vector<int32_t> v;
    try {
        DLxPersistUtil::ReadVector(in, v);
        ADD_FAILURE() << "a vector of elements marked with a class was read";
    } catch (const UTxException& e) {
        EXPECT_EQ(e.GetResult().GetCode(), kRSeErrDamaged);
        EXPECT_NE(e.GetResult().GetMessage().find(u"type mark does not match"), UTxString16::npos)
            << e.GetResult().GetMessageUtf8();
    }
}

TEST(StoredObjects, CountingWritesCountValuesNotReferences) {
    std::vector<uint8_t> out;
    RSeStream s(&out, nullptr);
    std::vector<int32_t> longs = {1, 2, 3};
    DLxPersistUtil::WriteVector(s, longs);
    DLxPersistUtil::WriteVector(s, std::vector<RSeRef<TstNode>>(2));
    s << true << UTxString16(u"x") << 2.0;
    EXPECT_EQ(s.m_ulongCount, 3u + 3u); // code, count, capacity of each non-empty vector
    EXPECT_EQ(s.m_longCount, 3u);
    EXPECT_EQ(s.m_boolCount, 1u);
    EXPECT_EQ(s.m_stringCount, 1u);
    EXPECT_EQ(s.m_doubleCount, 1u);
    EXPECT_EQ(s.m_charCount + s.m_shortCount + s.m_floatCount, 0u);
}

TEST(StoredObjects, AReferenceToAnObjectMissingFromTheLoadReadsAsNull) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    TstPersistNode* a = TstNew<TstPersistNode>(seg);
    TstNode* elsewhere = TstNew<TstNode>(RSe::TransientSegment());
    a->m_ref = elsewhere;
    a->m_refs = {RSeRef<TstNode>(elsewhere), RSeRef<TstNode>(a)};
    a->m_textMap.Get()[RSeRef<TstNode>(elsewhere)] = u"gone";
    auto loaded = Reload(db);
    auto* la = FindById<TstPersistNode>(*loaded, a->GetId());
    ASSERT_TRUE(la);
    EXPECT_FALSE(la->m_ref.HasTarget());
    EXPECT_FALSE(la->m_refs[0].HasTarget());
    EXPECT_EQ(la->m_refs[1].get(), la);
    ASSERT_EQ(la->m_textMap.Get().size(), 1u); // kept, under a null key
    EXPECT_FALSE(la->m_textMap.Get().begin()->first.HasTarget());
    EXPECT_EQ(la->m_textMap.Get().begin()->second, u"gone");
    delete elsewhere;
}

// A node in the layout of `version` (1 or 2): the long, the text, then (2) the reference.
void WriteOldNode(TstDocWriter& w, uint32_t meta, uint32_t id, uint16_t version, int32_t value,
                  const UTxString16& text, int32_t refIndex) {
    RSeStream& s = w.BeginRecord(meta, id);
    s << value << text;
    if (version >= 2) {
        if (refIndex >= 0)
            w.Ref(uint32_t(refIndex));
        else
            w.RefValue(0);
    }
    w.EndRecord();
}

TEST(StoredObjects, OlderVersionsLoadThroughVersionMetasAndAreUpgradedInRegistrationOrder) {
    TstMigrationLog().clear();
    TstDocWriter w;
    const uint32_t ided = w.AddClass(u"RSeIDed", 0);
    const uint32_t node = w.AddClass(u"TstNode", 1);
    (void)ided;
    w.BeginSegment(u"Sheet");
    WriteOldNode(w, node, 5, 1, 42, u"old one", -1);
    WriteOldNode(w, node, 9, 1, 43, u"old two", -1);
    UTxResult r;
    auto db = LoadBytes(w.Finish(10), &r);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();

    auto* n5 = FindById<TstNode>(*db, 5);
    auto* n9 = FindById<TstNode>(*db, 9);
    ASSERT_TRUE(n5 && n9);
    EXPECT_EQ(n5->m_long, 42);
    EXPECT_EQ(n5->m_double, 1.5); // the default the migrate callback gives
    EXPECT_TRUE(n5->m_longs.empty());
    // Each migrator ran over its own queue, the first registered first, in queue order.
    EXPECT_EQ(TstMigrationLog(),
              (std::vector<std::string>{"first 5 v1", "first 9 v1", "second 5 v1", "second 9 v1"}));
    EXPECT_EQ(n5->m_text, u"old one +first +second");
    EXPECT_EQ(db->GetNextId(), 10u);

    RSeMetaType* vm = TstMeta<TstNode>()->GetVersionMeta(1);
    EXPECT_NE(vm, TstMeta<TstNode>());
    EXPECT_TRUE(vm->GetFlags() & 0x40);
    EXPECT_EQ(vm->GetVersion(), 1);
    EXPECT_EQ(vm->GetClassMeta(), TstMeta<TstNode>());
    EXPECT_EQ(TstMeta<TstNode>()->GetVersion(), 3);

    // Saved again, the objects are in the current layout and load without any migration.
    TstMigrationLog().clear();
    auto again = Reload(*db);
    EXPECT_TRUE(TstMigrationLog().empty());
    EXPECT_EQ(FindById<TstNode>(*again, 5)->m_text, u"old one +first +second");
}

TEST(StoredObjects, ABaseAtAnOlderVersionUnderACurrentDerivedClass) {
    TstMigrationLog().clear();
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t node = w.AddClass(u"TstNode", 2);
    const uint32_t derived = w.AddClass(u"TstDerived", 0);
    WriteOldNode(w, node, 1, 2, 10, u"target", -1);
    WriteOldNode(w, derived, 2, 2, 20, u"derived", 0); // TstDerived v0 stored nothing of its own
    UTxResult r;
    auto db = LoadBytes(w.Finish(3), &r);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* d = FindById<TstDerived>(*db, 2);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->m_long, 20);
    EXPECT_EQ(d->m_extra, -1);
    EXPECT_EQ(d->m_ref.get(), FindById<TstNode>(*db, 1));
    EXPECT_TRUE(TstMigrationLog().empty()); // version 2 queues nothing
}

TEST(StoredObjects, AClassAtVersionZeroHasNoVersionMeta) {
    RSeMetaType* zero = TstMeta<TstZero>();
    EXPECT_EQ(zero->GetVersionMeta(0), zero);
    EXPECT_FALSE(zero->GetFlags() & 0x40);

    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t z = w.AddClass(u"TstZero", 0);
    w.BeginRecord(z, 1) << int32_t(12);
    w.EndRecord();
    UTxResult r;
    auto db = LoadBytes(w.Finish(2), &r);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(FindById<TstZero>(*db, 1)->m_value, 12);
}

TEST(StoredObjects, LoadFailuresAreCleanAndSayWhy) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        UTxResultCode code;
        const char16_t* mentions;
    };
    std::vector<Case> cases;
    {
        TstDocWriter w; // a refused stored version
        w.AddClass(u"RSeIDed", 0);
        const uint32_t c = w.AddClass(u"TstRefuser", 0);
        w.BeginRecord(c, 1);
        w.EndRecord();
        cases.push_back({"refused version", w.Finish(2), 0xE00203ED, u"TstRefuser"});
    }
    {
        TstDocWriter w; // a class this program does not know
        const uint32_t c = w.AddClass(u"NoSuchClass", UTxGUID(1, 2, 3, 4), 0);
        w.BeginRecord(c, 0);
        w.EndRecord();
        cases.push_back({"unknown class", w.Finish(), kRSeErrUnknownClass, u"NoSuchClass"});
    }
    {
        TstDocWriter w; // a class stored by a newer version of it
        w.AddClass(u"RSeIDed", 0);
        w.AddClass(u"TstZero", 4);
        cases.push_back({"newer class", w.Finish(), kRSeErrNewerClass, u"TstZero"});
    }
    {
        TstDocWriter w; // a reference beyond the document's objects
        w.AddClass(u"RSeIDed", 0);
        const uint32_t node = w.AddClass(u"TstNode", 2);
        WriteOldNode(w, node, 1, 2, 1, u"x", 7);
        cases.push_back({"reference index", w.Finish(2), kRSeErrDamaged, u"beyond"});
    }
    {
        TstDocWriter w; // a field of another kind than the class reads
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        w.BeginRecord(z, 1) << 1.0;
        w.EndRecord();
        cases.push_back({"type mark", w.Finish(2), kRSeErrDamaged, u"long was expected"});
    }
    {
        TstDocWriter w; // a vector count larger than the data
        w.AddClass(u"RSeIDed", 0);
        const uint32_t node = w.AddClass(u"TstNode", 3);
        RSeStream& s = w.BeginRecord(node, 1);
        s << false << 'c' << int16_t(1) << int32_t(1) << uint32_t(1) << 1.0f << 1.0
          << UTxString16();
        w.RefValue(0);
        s.Write(static_cast<const RSeVMeta*>(nullptr));
        RSeSaveData(s, WqGePoint3d());
        RSeSaveData(s, WqGeVector3d());
        RSeSaveData(s, WqGePoint2d());
        RSeSaveData(s, WqGeMatrix3d());
        s.Write(UTxGUID());
        s << RSeTypeCode::kVector << uint32_t(0x40000000) << uint32_t(0x40000000);
        w.EndRecord();
        cases.push_back({"huge count", w.Finish(2), kRSeErrDamaged, u"past the end"});
    }
    {
        TstDocWriter w; // two objects with one id
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        for (int i = 0; i < 2; ++i) {
            w.BeginRecord(z, 3) << int32_t(i);
            w.EndRecord();
        }
        cases.push_back({"duplicate id", w.Finish(4), kRSeErrDamaged, u"id 3"});
    }
    cases.push_back({"not a document", {'h', 'e', 'l', 'l', 'o'}, kRSeErrNotADocument, u""});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UTxResult r;
        auto db = LoadBytes(c.bytes, &r);
        EXPECT_FALSE(db);
        EXPECT_EQ(r.GetCode(), c.code) << r.GetMessageUtf8();
        EXPECT_NE(r.GetMessage().find(c.mentions), UTxString16::npos) << r.GetMessageUtf8();
    }
}

TEST(StoredObjects, ARefusingClassStillReadsTheVersionItKnows) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t c = w.AddClass(u"TstRefuser", 1);
    w.BeginRecord(c, 1) << int32_t(9);
    w.EndRecord();
    UTxResult r;
    auto db = LoadBytes(w.Finish(2), &r);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* o = FindById<TstRefuser>(*db, 1);
    EXPECT_EQ(o->m_value, 9);
    EXPECT_EQ(o->m_added, 7);
}

TEST(StoredObjects, CloningLeadsReferencesBetweenCopiesToTheCopies) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    TstPersistNode* a = TstNew<TstPersistNode>(seg);
    TstNode* b = TstNew<TstNode>(seg);
    TstNode* outside = TstNew<TstNode>(seg);
    TstFillPersistNode(a, b, 1);
    a->m_refs = {RSeRef<TstNode>(outside), RSeRef<TstNode>(b)};
    a->m_textMap.Get()[RSeRef<TstNode>(outside)] = u"outside";
    TstFillNode(b, outside, 2);

    RSeCloneCommander cc(seg);
    ASSERT_FALSE(cc.Clone({a, b}).Failed());
    auto* ca = dynamic_cast<TstPersistNode*>(cc.CloneOf(a));
    auto* cb = dynamic_cast<TstNode*>(cc.CloneOf(b));
    ASSERT_TRUE(ca && cb);
    EXPECT_NE(ca->GetId(), a->GetId());
    ExpectSameFields(*a, *ca);
    EXPECT_EQ(ca->m_ref.get(), cb);      // copied target: the copy
    EXPECT_EQ(cb->m_ref.get(), outside); // uncopied target: kept
    EXPECT_EQ(ca->m_refs[0].get(), outside);
    EXPECT_EQ(ca->m_refs[1].get(), cb);
    EXPECT_NE(ca->m_value, a->m_value); // the copy owns its own value object
    EXPECT_EQ(ca->m_value->GetSegment(), seg);
    EXPECT_EQ(ca->m_textMap.Get().at(RSeRef<TstNode>(outside)), u"outside");
    EXPECT_EQ(ca->m_textMap.Get().at(RSeRef<TstNode>(ca)), u"self"); // key copied too
    ASSERT_EQ(ca->m_valueMap.Get().size(), 1u);
    TstValue* cv = ca->m_valueMap.Get().begin()->second;
    EXPECT_NE(cv, a->m_valueMap.Get().begin()->second);
    EXPECT_EQ(cv->m_label, u"mapped");
    EXPECT_EQ(ca->m_valueMap.Get().begin()->first.get(), ca);
}

TEST(StoredObjects, CloningIntoTheTransientSegmentIsNeverSaved) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    TstPersistNode* a = TstNew<TstPersistNode>(seg);
    TstFillPersistNode(a, nullptr, 3);
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({a}).Failed());
    auto* preview = dynamic_cast<TstPersistNode*>(cc.CloneOf(a));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->m_text, a->m_text);
    auto loaded = Reload(db);
    EXPECT_EQ(loaded->GetSegment(0)->GetObjectCount(), seg->GetObjectCount());
    // The preview and its value objects go with the transient segment's cleanup by their owner.
    for (auto& [k, v] : preview->m_valueMap.Get())
        delete v;
    delete preview->m_value;
    delete preview;
}

} // namespace

// The module's stored containers under undo: maps keyed by references, maps of held values,
// nested vectors and an embedded value come back byte for byte, and forward again.
TEST(StoredObjects, ContainersAreUndoneAndRedoneWithTheirObject) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Main");
    auto* peer = TstNew<TstPersistNode>(seg);
    TstFillPersistNode(peer, nullptr, 1);
    RSeRef<TstPersistNode> node(TstNew<TstPersistNode>(seg));
    TstFillPersistNode(node.get(), peer, 2);
    auto bytes = [&db] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db.SaveToBuffer(out).Failed());
        return out;
    };
    const std::vector<uint8_t> before = bytes();

    db.BeginTxn();
    node->m_textMap.Get()[RSeRef<TstNode>(node.get())] = u"added";
    node->m_valueMap.Get()[RSeRef<TstNode>(peer)] = TstNew<TstValue>(seg);
    node->m_nested.push_back({7, 8, 9});
    node->m_embedded.m_code += 5;
    std::unique_ptr<RSeTxnRecord> record = db.CommitTxn();
    const std::vector<uint8_t> after = bytes();
    ASSERT_NE(after, before);

    db.Undo(*record);
    EXPECT_EQ(bytes(), before);
    db.Redo(*record);
    EXPECT_EQ(bytes(), after);
}
