// Document files near the disk: the order and ids of loaded objects, loaded objects deleted one
// by one (they are made in blocks, a class at a time), ids far apart, failures that name the
// object at fault, and reading and writing whole files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "TstStoredClasses.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

std::vector<uint8_t> Bytes(RSeDatabase& db) {
    std::vector<uint8_t> out;
    UTxResult r = db.SaveToBuffer(out);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return out;
}

std::unique_ptr<RSeDatabase> Load(const std::vector<uint8_t>& bytes, UTxResult* result = nullptr) {
    std::unique_ptr<RSeDatabase> out;
    UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), out);
    if (result)
        *result = r;
    else
        EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return out;
}

// What a segment holds, in its order: the class of each object and its id (0 for values).
std::vector<std::pair<const RSeMetaType*, uint32_t>> Listing(const RSeSegment* seg) {
    std::vector<std::pair<const RSeMetaType*, uint32_t>> out;
    seg->ForEachObject([&](RSeVMeta* o) {
        auto* ided = dynamic_cast<RSeIDed*>(o);
        out.emplace_back(o->GetMeta(), ided ? ided->GetId() : 0);
    });
    return out;
}

// Classes interleaved in two segments, with values and references among them.
std::unique_ptr<RSeDatabase> MixedDocument() {
    auto db = std::make_unique<RSeDatabase>();
    RSeSegment* segs[2] = {db->CreateSegment(u"Sheet"), db->CreateSegment(u"Styles")};
    TstNode* prev = nullptr;
    for (int i = 0; i < 12; ++i) {
        RSeSegment* seg = segs[i % 5 == 4];
        switch (i % 3) {
        case 0:
            TstNew<TstZero>(seg)->m_value = i;
            break;
        case 1: {
            TstNode* n = TstNew<TstNode>(seg);
            TstFillNode(n, prev, i);
            prev = n;
            break;
        }
        default: {
            TstNode* n = TstNew<TstDerived>(seg);
            TstFillNode(n, prev, i);
            prev = n;
        }
        }
    }
    return db;
}

TEST(RSeDocumentFiles, LoadedSegmentsListTheirObjectsInFileOrder) {
    auto db = MixedDocument();
    auto loaded = Load(Bytes(*db));
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->GetSegmentCount(), 2u);
    for (uint32_t s = 0; s < 2; ++s) {
        SCOPED_TRACE(s);
        // The file holds a segment's identified objects by id, then the values they hold.
        auto expected = Listing(db->GetSegment(s));
        std::stable_partition(expected.begin(), expected.end(),
                              [](const auto& e) { return e.second != 0; });
        auto listing = Listing(loaded->GetSegment(s));
        ASSERT_EQ(listing.size(), expected.size());
        for (size_t i = 0; i < listing.size(); ++i) {
            EXPECT_EQ(listing[i].second, expected[i].second) << i;
            if (expected[i].second) {
                EXPECT_EQ(listing[i].first, expected[i].first) << i;
            }
        }
        EXPECT_EQ(loaded->GetSegment(s)->GetRootObject(),
                  loaded->FindObject(listing.front().second));
    }
    // Class queries over the loaded segments see every object of the kind.
    EXPECT_EQ(loaded->GetSegment(0)->GetObjectsOfKind(TstMeta<TstNode>()).size(),
              db->GetSegment(0)->GetObjectsOfKind(TstMeta<TstNode>()).size());
    EXPECT_EQ(Bytes(*loaded), Bytes(*db));
}

TEST(RSeDocumentFiles, LoadedObjectsAreDeletedOneByOneAndComeBackThroughUndo) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    TstNode* prev = nullptr;
    for (int i = 0; i < 40; ++i) {
        TstNode* n = TstNew<TstNode>(seg);
        TstFillNode(n, prev, i);
        prev = n;
    }
    auto loaded = Load(Bytes(db));
    ASSERT_TRUE(loaded);
    RSeSegment* lseg = loaded->GetSegment(0);
    std::vector<RSeRef<TstNode>> nodes;
    lseg->ForEachObject([&](RSeVMeta* o) {
        if (auto* n = dynamic_cast<TstNode*>(o)) nodes.emplace_back(n);
    });
    ASSERT_EQ(nodes.size(), 40u);
    const auto before = Bytes(*loaded);

    // Objects from the middle of a block, one with a held value dropped as an edit drops it.
    loaded->BeginTxn();
    TstNode* middle = nodes[17].get();
#if defined(__SANITIZE_ADDRESS__)
    const void* gone = middle;
#endif
    RSe::DeleteObject(middle);
    RSe::DeleteObject(nodes[18].get());
    RSe::PrepareWrite(nodes[5].get());
    delete nodes[5]->m_value;
    nodes[5]->m_value = nullptr;
    auto record = loaded->CommitTxn();
    EXPECT_FALSE(nodes[17].HasTarget());
#if defined(__SANITIZE_ADDRESS__)
    // A use after deletion stays as visible as on the heap.
    EXPECT_TRUE(__asan_address_is_poisoned(gone));
#endif
    const auto after = Bytes(*loaded);
    auto reloaded = Load(after);
    ASSERT_TRUE(reloaded);
    auto* next = static_cast<TstNode*>(reloaded->FindObject(nodes[19].GetId()));
    ASSERT_TRUE(next);
    EXPECT_FALSE(next->m_ref.HasTarget()); // it named a deleted object

    loaded->Undo(*record);
    EXPECT_EQ(Bytes(*loaded), before);
    ASSERT_TRUE(nodes[17].HasTarget());
    EXPECT_EQ(nodes[18]->m_ref.get(), nodes[17].get());
    loaded->Redo(*record);
    EXPECT_EQ(Bytes(*loaded), after);
    loaded->Undo(*record);

    // Every object deleted by itself, newest and oldest first alternately: the blocks go with
    // their last objects (the sanitizer build checks that nothing leaks or is freed twice).
    for (size_t lo = 0, hi = nodes.size(); lo < hi;) {
        RSe::DeleteObject(nodes[--hi].get());
        if (lo < hi) RSe::DeleteObject(nodes[lo++].get());
    }
    EXPECT_EQ(lseg->GetObjectsOfKind(TstMeta<TstNode>()).size(), 0u);
    TstNode* fresh = TstNew<TstNode>(lseg);
    TstFillNode(fresh, nullptr, 1);
    EXPECT_GT(fresh->GetId(), nodes.back().GetId());
    auto last = Load(Bytes(*loaded));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->GetSegment(0)->GetObjectsOfKind(TstMeta<TstNode>()),
              std::vector<RSeVMeta*>{last->FindObject(fresh->GetId())});
}

TEST(RSeDocumentFiles, IdsFarApartLoadAndStayUnique) {
    const uint32_t far = 0x7FFFFFF0u;
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t z = w.AddClass(u"TstZero", 0);
    for (uint32_t id : {2u, far, 5000000u, 1u}) {
        w.BeginRecord(z, id).Write(int32_t(id % 1000));
        w.EndRecord();
    }
    auto db = Load(w.Finish(7));
    ASSERT_TRUE(db);
    for (uint32_t id : {2u, far, 5000000u, 1u}) {
        auto* o = dynamic_cast<TstZero*>(db->FindObject(id));
        ASSERT_TRUE(o) << id;
        EXPECT_EQ(o->m_value, int32_t(id % 1000));
    }
    EXPECT_EQ(db->FindObject(3), nullptr);
    EXPECT_EQ(db->FindObject(far + 1), nullptr);
    TstZero* made = TstNew<TstZero>(db->GetSegment(0));
    EXPECT_EQ(made->GetId(), far + 1);
    EXPECT_EQ(db->FindObject(far + 1), made);
    delete made;
    EXPECT_EQ(db->FindObject(far + 1), nullptr);
    EXPECT_NE(db->FindObject(far), nullptr);
}

TEST(RSeDocumentFiles, DamagedFramesFailAndNameTheObjectAtFault) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char16_t* mentions;
    };
    std::vector<Case> cases;
    auto zeros = [](TstDocWriter& w, uint32_t meta, std::initializer_list<uint32_t> ids) {
        for (uint32_t id : ids) {
            w.BeginRecord(meta, id).Write(int32_t(0));
            w.EndRecord();
        }
    };
    {
        TstDocWriter w; // objects are counted over all segments
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        zeros(w, z, {1, 2});
        w.BeginSegment(u"Second");
        zeros(w, 9, {3});
        cases.push_back({"no such class", w.Finish(4), u"object 2 names no class"});
    }
    {
        TstDocWriter w;
        const uint32_t ided = w.AddClass(u"RSeIDed", 0);
        w.AddClass(u"TstZero", 0);
        zeros(w, ided, {1});
        cases.push_back({"abstract class", w.Finish(2), u"object 0 is of the abstract class"});
    }
    {
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        zeros(w, z, {1, 0});
        cases.push_back({"no id", w.Finish(2), u"object 1 has no id"});
    }
    {
        TstDocWriter w;
        const uint32_t v = w.AddClass(u"TstValue", 0);
        w.BeginRecord(v, 2).Write(1.0).Write(UTxString16(u"x"));
        w.EndRecord();
        cases.push_back({"value out of order", w.Finish(), u"object 0 is numbered out of order"});
    }
    {
        TstDocWriter w; // two objects with one id, far beyond the others
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        zeros(w, z, {1, 0x7FFFFFF0u, 2, 0x7FFFFFF0u});
        cases.push_back({"far duplicate id", w.Finish(), u"two objects have the id 2147483632"});
    }
    {
        TstDocWriter w; // a payload longer than its class reads, after objects were made
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        zeros(w, z, {1, 2});
        w.BeginRecord(z, 3).Write(int32_t(0)).Write(int32_t(1));
        w.EndRecord();
        cases.push_back({"bytes left", w.Finish(), u"object 2 (TstZero, stored at version 0)"});
    }
    {
        TstDocWriter w; // a base that stores nothing must still be declared
        const uint32_t z = w.AddClass(u"TstZero", 0);
        zeros(w, z, {1});
        cases.push_back({"base not declared", w.Finish(2), u"RSeIDed is read but not declared"});
    }
    {
        TstDocWriter w; // a value of another kind where a class reads a long
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        w.BeginRecord(z, 1).Write(uint32_t(0));
        w.EndRecord();
        cases.push_back(
            {"another kind", w.Finish(), u"a long was expected where an unsigned is stored"});
    }
    {
        TstDocWriter w; // a kind mark that no kind has
        w.AddClass(u"RSeIDed", 0);
        const uint32_t z = w.AddClass(u"TstZero", 0);
        w.BeginRecord(z, 1).Write(int32_t(0x5A5A5A5A));
        w.EndRecord();
        std::vector<uint8_t> bytes = w.Finish();
        const uint8_t marker[] = {0x5A, 0x5A, 0x5A, 0x5A};
        auto at = std::search(bytes.begin(), bytes.end(), std::begin(marker), std::end(marker));
        ASSERT_NE(at, bytes.end());
        *(at - 1) = 0xEE;
        cases.push_back({"unknown kind", bytes, u"where an unknown value is stored"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UTxResult r;
        EXPECT_FALSE(Load(c.bytes, &r));
        EXPECT_EQ(r.GetCode(), kRSeErrDamaged) << r.GetMessageUtf8();
        EXPECT_NE(r.GetMessage().find(c.mentions), UTxString16::npos) << r.GetMessageUtf8();
    }
}

// A save fills in references a batch at a time, and a large file waits in a scratch file beside
// its target until its head is known: the file is the bytes of a save to memory, and every one
// of many more references than a batch names its own target after a load, in both segments.
TEST(RSeDocumentFiles, LargeDocumentsWithManyReferencesRoundTrip) {
    KorvuTempDir dir;
    RSeDatabase db;
    RSeSegment* segs[2] = {db.CreateSegment(u"Sheet"), db.CreateSegment(u"Styles")};
    std::vector<TstNode*> nodes;
    for (int i = 0; i < 20000; ++i) {
        TstNode* n = TstNew<TstNode>(segs[i % 3 == 2]);
        n->m_long = i;
        n->m_text = UTxString16(40, char16_t(u'a' + i % 26));
        if (!nodes.empty()) {
            n->m_ref = nodes[size_t(i) * 7919 % nodes.size()]; // back and forth over the file
            n->m_refs = {nodes.back(), nodes.front()};
        }
        nodes.push_back(n);
    }
    // One record with more references than a batch: the sheet's list of every node, say.
    nodes.front()->m_refs.assign(nodes.rbegin(), nodes.rend());
    const auto bytes = Bytes(db);
    ASSERT_GT(bytes.size(), size_t(4) << 20) << "larger than what a save keeps in memory";
    const std::string path = dir.File("large.kvd");
    ASSERT_FALSE(db.Save(path).Failed());
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> onDisk((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
    EXPECT_TRUE(onDisk == bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no scratch file is left";

    std::unique_ptr<RSeDatabase> loaded;
    UTxResult r = RSeDatabase::Load(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* first = dynamic_cast<TstNode*>(loaded->FindObject(nodes.front()->GetId()));
    ASSERT_TRUE(first);
    ASSERT_EQ(first->m_refs.size(), nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i)
        ASSERT_EQ(first->m_refs[i]->m_long, int32_t(nodes.size() - 1 - i)) << i;
    for (size_t i = 1; i < nodes.size(); ++i) {
        auto* n = dynamic_cast<TstNode*>(loaded->FindObject(nodes[i]->GetId()));
        ASSERT_TRUE(n) << i;
        ASSERT_TRUE(n->m_ref) << i;
        ASSERT_EQ(n->m_ref->m_long, nodes[i]->m_ref->m_long) << i;
        ASSERT_EQ(n->m_refs.size(), 2u) << i;
        ASSERT_EQ(n->m_refs[0]->m_long, int32_t(i - 1)) << i;
        ASSERT_EQ(n->m_refs[1]->m_long, 0) << i;
    }
    EXPECT_TRUE(Bytes(*loaded) == bytes);
}

TEST(RSeDocumentFiles, WholeFilesAreWrittenAndReadBack) {
    KorvuTempDir dir;
    auto db = MixedDocument();
    for (int i = 0; i < 3000; ++i) // past any one buffer of the C library
        TstNew<TstZero>(db->GetSegment(1))->m_value = i;
    const std::string path = dir.File("doc.kvd");
    ASSERT_FALSE(db->Save(path).Failed());
    const auto bytes = Bytes(*db);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> onDisk((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
    EXPECT_EQ(onDisk, bytes);
    std::unique_ptr<RSeDatabase> loaded;
    UTxResult r = RSeDatabase::Load(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(Bytes(*loaded), bytes);

    // What is not a readable document file fails with its path.
    std::ofstream(dir.File("empty.kvd")).close();
    std::filesystem::create_directory(dir.File("folder.kvd"));
    const struct {
        const char* name;
        UTxResultCode code;
    } bad[] = {{"missing.kvd", kRSeErrRead},
               {"folder.kvd", kRSeErrRead},
               {"empty.kvd", kRSeErrNotADocument}};
    for (const auto& b : bad) {
        SCOPED_TRACE(b.name);
        r = RSeDatabase::Load(dir.File(b.name), loaded);
        EXPECT_EQ(r.GetCode(), b.code) << r.GetMessageUtf8();
        EXPECT_NE(r.GetMessageUtf8().find(b.name), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(loaded, nullptr);
    }
}

} // namespace

namespace {

// A class once saved under another GUID is read, from that GUID and stored version only, as the
// older version it declared; the same GUID at another version is still an unknown class.
TEST(RSeDocumentFiles, AFormerGuidIsReadAsTheDeclaredOlderVersion) {
    const UTxGUID former(0x11111111, 0x22222222, 0x33333333, 0x44444444);
    TstMeta<TstRefuser>()->AddFormerForm(former, 0, 1);
    const struct {
        bool formerGuid;
        uint16_t version;
        bool loads;
    } cases[] = {{true, 0, true}, {true, 1, false}, {false, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "former " << c.formerGuid << " v" << c.version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t meta = c.formerGuid ? w.AddClass(u"TstRefuser", former, c.version)
                                           : w.AddClass(u"TstRefuser", c.version);
        w.BeginSegment(u"Main");
        w.BeginRecord(meta, 1).Write(int32_t(5));
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(2);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_EQ(r.Failed(), !c.loads) << r.GetMessageUtf8();
        if (!c.loads) continue;
        auto* obj = dynamic_cast<TstRefuser*>(db->FindObject(1));
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->m_value, 5);
        EXPECT_EQ(obj->m_added, 7);
        // Saved again, it names the class by its own GUID at the current version.
        std::vector<uint8_t> saved;
        ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
        const uint8_t formerFirstWord[] = {0x11, 0x11, 0x11, 0x11};
        EXPECT_EQ(std::search(saved.begin(), saved.end(), std::begin(formerFirstWord),
                              std::end(formerFirstWord)),
                  saved.end());
        std::unique_ptr<RSeDatabase> back;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), back).Failed());
        EXPECT_EQ(dynamic_cast<TstRefuser*>(back->FindObject(1))->m_added, 7);
    }
}

} // namespace
