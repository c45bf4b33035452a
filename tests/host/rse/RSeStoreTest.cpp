// The object store's own contracts: references, segments, ids, interfaces and safe saving.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "TstStoredClasses.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeInterface.h"
#include "rse/RSeSegment.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RSeRefs, NullOnFailedDowncastOrDeletedTarget) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment();
    TstZero* zero = TstNew<TstZero>(seg);
    TstDerived* derived = TstNew<TstDerived>(seg);

    RSeRef<RSeIDed> any(zero);
    EXPECT_TRUE(any.HasTarget());
    EXPECT_FALSE(RSeRef<TstNode>(any).HasTarget()); // a TstZero is no TstNode
    RSeRef<TstNode> asBase(derived);
    EXPECT_EQ(RSeRef<TstDerived>(asBase).get(), derived);

    RSeRef<TstZero> z(zero);
    RSeRef<TstZero> copy = z;
    EXPECT_EQ(z.GetId(), zero->GetId());
    delete zero;
    EXPECT_FALSE(z.HasTarget());
    EXPECT_TRUE(z.IsTargetDeleted());
    EXPECT_EQ(copy.get(), nullptr);
    EXPECT_EQ(db.FindObject(copy.GetId()), nullptr);
    EXPECT_EQ(RSeRef<TstZero>(nullptr), RSeRef<TstZero>());
}

TEST(RSeRefs, OutliveTheirDatabase) {
    RSeRef<TstZero> kept;
    {
        RSeDatabase db;
        kept = TstNew<TstZero>(db.CreateSegment());
        EXPECT_TRUE(kept.HasTarget());
    }
    EXPECT_FALSE(kept.HasTarget());
    EXPECT_EQ(kept.GetDatabase(), nullptr);
}

// The transient database lives until the process exits; objects it still holds then give their
// handles back after every function static made after it is gone. A fresh process (the
// threadsafe style re-runs this test alone) that touches the transient segment before its first
// handle exits cleanly.
TEST(RSeRefsDeathTest, TransientObjectsOutliveExit) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RSeSegment* seg = RSe::TransientSegment();
            TstNew<TstZero>(seg);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(RSeRefs, ObjectsOutsideASegmentHaveNoIdAndNoReference) {
    TstZero loose;
    EXPECT_EQ(loose.GetId(), 0u);
    EXPECT_EQ(loose.GetSegment(), nullptr);
    EXPECT_FALSE(RSeRef<TstZero>(&loose).HasTarget());
}

TEST(RSeSegments, KeepCreationOrderIdsAndOwnership) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    std::vector<TstZero*> made;
    for (int i = 0; i < 200; ++i)
        made.push_back(TstNew<TstZero>(seg));
    for (int i = 0; i < 200; i += 2)
        delete made[i]; // enough holes to compact
    std::vector<RSeVMeta*> left = seg->GetObjects();
    ASSERT_EQ(left.size(), 100u);
    for (size_t i = 0; i < left.size(); ++i)
        EXPECT_EQ(left[i], made[2 * i + 1]);
    EXPECT_EQ(made[1]->GetId() + 2, made[3]->GetId());
    EXPECT_EQ(db.FindObject(made[3]->GetId()), made[3]);
    EXPECT_EQ(RSe::SegmentOf(made[3]), seg);
    EXPECT_EQ(RSe::DatabaseOf(made[3]), &db);
    EXPECT_EQ(RSe::SegmentOf(&db), seg);
    // The rest go with the database (the sanitizer checks that nothing leaks).
}

// Objects by kind through the segment's index must answer what a walk over the segment finds,
// in the segment's order, whatever was made, deleted, compacted or made again in between.
TEST(RSeSegments, ObjectsOfAKindAreThoseAWalkFinds) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    const RSeMetaType* nodeKind = RSe::_InitMeta(static_cast<const TstNode*>(nullptr));
    const RSeMetaType* derivedKind = RSe::_InitMeta(static_cast<const TstDerived*>(nullptr));
    auto walk = [&](auto* like) {
        std::vector<RSeVMeta*> out;
        seg->ForEachObject([&](RSeVMeta* o) {
            if (dynamic_cast<decltype(like)>(o)) out.push_back(o);
        });
        return out;
    };
    auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(seg->GetObjectsOfKind(nodeKind), walk(static_cast<TstNode*>(nullptr)));
        EXPECT_EQ(seg->GetObjectsOfKind(derivedKind), walk(static_cast<TstDerived*>(nullptr)));
    };
    std::vector<RSeIDed*> made;
    for (int i = 0; i < 30; ++i) {
        if (i % 3 == 0) made.push_back(TstNew<TstNode>(seg));
        if (i % 3 == 1) made.push_back(TstNew<TstDerived>(seg));
        if (i % 3 == 2) made.push_back(TstNew<TstZero>(seg));
    }
    check("made");
    // The last objects go, and their places are handed to objects of other classes.
    for (int i = 0; i < 4; ++i) {
        delete made.back();
        made.pop_back();
    }
    made.push_back(TstNew<TstZero>(seg));
    made.push_back(TstNew<TstNode>(seg));
    made.push_back(TstNew<TstDerived>(seg));
    check("places reused");
    for (size_t i = 0; i < made.size(); i += 2) {
        delete made[i];
        made[i] = nullptr;
    }
    check("holes");
    seg->Compact();
    made.push_back(TstNew<TstDerived>(seg));
    check("compacted");
    EXPECT_TRUE(seg->GetObjectsOfKind(nullptr).empty());
}

TEST(RSeSegments, TransientSegmentsAreShared) {
    EXPECT_NE(RSe::TransientSegment(false), RSe::TransientSegment(true));
    EXPECT_TRUE(RSe::TransientSegment()->IsTransient());
    EXPECT_EQ(RSe::TransientSegment(), RSe::TransientSegment());
}

struct TestInterface : RSeInterface {
    using RSeInterface::RSeInterface;
};
struct TestStatic : RSeStaticInterface {
    using RSeStaticInterface::RSeStaticInterface;
};

TEST(RSeInterfaces, RegisteredByGuidPerDatabaseAndOncePerProcess) {
    const UTxGUID guid(0xabc, 1, 2, 3);
    RSeDatabase a, b;
    {
        TestInterface inA(RSe::InterfaceSet(&a), guid);
        EXPECT_EQ(RSe::InterfaceSet(&a)->Find(guid), &inA);
        EXPECT_EQ(RSe::InterfaceSet(&a)->Query<TestInterface>(guid), &inA);
        EXPECT_EQ(RSe::InterfaceSet(&b)->Find(guid), nullptr);
    }
    EXPECT_EQ(RSe::InterfaceSet(&a)->Find(guid), nullptr);

    TestStatic s(guid);
    EXPECT_EQ(RSe::StaticInterfaceSet().Find(guid), &s);
    EXPECT_EQ(RSe::InterfaceSet(nullptr), nullptr);
}

TEST(RSeFiles, AFailedSaveLeavesThePreviousFileAndNothingElse) {
    KorvuTempDir dir;
    const std::string path = dir.File("doc.kvd");
    RSeDatabase db;
    TstNew<TstZero>(db.CreateSegment())->m_value = 1;
    ASSERT_FALSE(db.Save(path).Failed());
    const std::vector<uint8_t> before = ReadBytes(path);

    for (int i = 0; i < 3000; ++i) // more than the disk takes
        TstNew<TstZero>(db.GetSegment(0))->m_value = i;
    UTxResult r;
    {
        KorvuFileSizeLimit full(before.size() + 64);
        r = db.Save(path);
    }
    EXPECT_EQ(r.GetCode(), kRSeErrWrite);
    EXPECT_NE(r.GetMessageUtf8().find("doc.kvd"), std::string::npos) << r.GetMessageUtf8();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(KorvuFolderNames(dir.Path()), std::vector<std::string>{"doc.kvd"});

    // The target is a folder: nothing is made beside it either.
    std::filesystem::create_directory(dir.File("folder.kvd"));
    EXPECT_EQ(db.Save(dir.File("folder.kvd")).GetCode(), kRSeErrWrite);
    EXPECT_EQ(KorvuFolderNames(dir.Path()), (std::vector<std::string>{"doc.kvd", "folder.kvd"}));
    std::unique_ptr<RSeDatabase> loaded;
    EXPECT_FALSE(RSeDatabase::Load(dir.File("missing.kvd"), loaded).IsEmpty());
    EXPECT_EQ(loaded, nullptr);
}

// What an earlier save killed mid-way, or anyone else, left beside the target under a name a
// save might pick neither stops a save nor is written through.
TEST(RSeFiles, LeftoversBesideTheTargetAreLeftAlone) {
    KorvuTempDir dir;
    std::ofstream(dir.File("other.kvd")) << "someone else's";
    std::filesystem::create_directory(dir.File("a.kvd.tmp"));
    std::filesystem::create_symlink(dir.File("other.kvd"), dir.File("b.kvd.tmp"));
    RSeDatabase db;
    TstNew<TstZero>(db.CreateSegment())->m_value = 1;
    for (const char* name : {"a.kvd", "b.kvd"}) {
        SCOPED_TRACE(name);
        UTxResult r = db.Save(dir.File(name));
        ASSERT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
        std::unique_ptr<RSeDatabase> loaded;
        EXPECT_TRUE(RSeDatabase::Load(dir.File(name), loaded).IsEmpty());
    }
    std::ifstream in(dir.File("other.kvd"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "someone else's");
    EXPECT_EQ(KorvuFolderNames(dir.Path()),
              (std::vector<std::string>{"a.kvd", "a.kvd.tmp", "b.kvd", "b.kvd.tmp", "other.kvd"}));
}

TEST(RSeFiles, AfterALoadNewObjectsTakeFreshIds) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment();
    TstNew<TstZero>(seg);
    TstZero* last = TstNew<TstZero>(seg);
    const uint32_t lastId = last->GetId();
    delete last; // its id is not handed out again after a reload
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    EXPECT_GT(TstNew<TstZero>(loaded->GetSegment(0))->GetId(), lastId);
}

// A loaded object may hold the last id there is (a damaged file): new objects then take ids no
// live object holds, and never the handle of one that is there.
TEST(RSeFiles, NewObjectsNeverTakeTheIdOfALiveObject) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment();
    TstZero* first = TstNew<TstZero>(seg);
    db.SetPendingId(UINT32_MAX);
    TstZero* top = TstNew<TstZero>(seg);
    ASSERT_EQ(top->GetId(), UINT32_MAX);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    RSeIDed* keptFirst = loaded->FindObject(first->GetId());
    RSeIDed* keptTop = loaded->FindObject(UINT32_MAX);
    ASSERT_NE(keptFirst, nullptr);
    ASSERT_NE(keptTop, nullptr);
    std::vector<uint32_t> ids;
    for (int i = 0; i < 3; ++i) {
        TstZero* made = TstNew<TstZero>(loaded->GetSegment(0));
        EXPECT_NE(made->GetId(), 0u);
        EXPECT_NE(made->GetId(), first->GetId());
        EXPECT_NE(made->GetId(), UINT32_MAX);
        for (uint32_t id : ids)
            EXPECT_NE(made->GetId(), id);
        ids.push_back(made->GetId());
    }
    EXPECT_EQ(loaded->FindObject(first->GetId()), keptFirst);
    EXPECT_EQ(loaded->FindObject(UINT32_MAX), keptTop);
}

// Typed references to loaded objects keep their target only when it is of their class (the
// loader tells the class by the object's handle).
TEST(RSeRefs, TypedReferencesToLoadedObjectsCheckTheirClass) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment();
    TstNode* a = TstNew<TstNode>(seg);
    TstDerived* b = TstNew<TstDerived>(seg);
    a->m_ref = b;
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    RSeIDed* node = loaded->FindObject(a->GetId());
    RSeIDed* derived = loaded->FindObject(b->GetId());
    ASSERT_TRUE(node && derived);
    EXPECT_EQ(static_cast<TstNode*>(node)->m_ref.GetTarget(), derived);
    const RSeRefBase any(derived);
    EXPECT_TRUE(RSeRef<TstDerived>(any));
    EXPECT_TRUE(RSeRef<TstNode>(any));
    EXPECT_FALSE(RSeRef<TstZero>(any));
    EXPECT_FALSE(RSeRef<TstDerived>(RSeRefBase(node)));
}

} // namespace
