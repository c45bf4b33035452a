// The assembly a drawing keeps: stored with it, put back by undo, refused when a stored one is
// unsound, and the views' edges keep the occurrence they belong to, older views included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "dl/DLxAssemblyCheck.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"

namespace {

// A root assembly with a part placed twice and a sub-assembly of one part; every field set
// away from its default, so that a field the store forgets shows.
DLxAssemblyComponent Component(int32_t id, DLxAssemblyComponent::Kind kind, const char16_t* name,
                               const char16_t* path) {
    DLxAssemblyComponent c;
    c.id = id;
    c.kind = kind;
    c.name = name;
    c.path = path;
    return c;
}

DLxAssemblyData SmallAssembly() {
    using Kind = DLxAssemblyComponent::Kind;
    DLxAssemblyData d;
    d.root = 10;
    DLxAssemblyComponent root = Component(10, Kind::Assembly, u"frame", u"frame.kasm");
    root.representations = {u"Master", u"Exploded"};
    DLxAssemblyComponent pin = Component(20, Kind::Part, u"pin M6", u"pin.kprt");
    pin.partNumber = u"P-20";
    pin.description = u"Pin \u00d8 6";
    pin.material = u"1.4301";
    pin.vendor = u"Pins & Co";
    pin.mass = 0.25;
    pin.hasMass = true;
    pin.purchased = true;
    pin.standardPart = true;
    pin.userProperties = {{u"Finish", u"zinc"}, {u"Coating", u""}};
    pin.isFactory = true;
    pin.factoryMembers = {u"M6x20", u"M6x30"};
    pin.activeMember = u"M6x30";
    DLxAssemblyComponent sub = Component(30, Kind::Assembly, u"hinge", u"hinge.kasm");
    DLxAssemblyComponent leaf = Component(40, Kind::Part, u"leaf", u"leaf.kprt");
    d.components = {root, pin, sub, leaf};
    d.occurrences = {{1, 10, 20, 1}, {2, 10, 20, 3}, {3, 10, 30, 1}, {4, 30, 40, 2}};
    d.scheme = {false, true, true, 2, u"-", 1, true};
    return d;
}

std::vector<uint8_t> Bytes(DLxDrawingDoc& doc) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    return bytes;
}

std::unique_ptr<DLxDrawingDoc> Reload(const std::vector<uint8_t>& bytes,
                                      UTxResult* result = nullptr) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    if (result) *result = r;
    if (r.Failed()) return nullptr;
    return std::make_unique<DLxDrawingDoc>(std::move(db));
}

TEST(DLxDrawingAssembly, IsStoredWholeWithTheDrawingAndItsEdges) {
    KorvuTempDir dir;
    DLxDrawingDoc doc;
    EXPECT_EQ(doc.GetAssembly(), nullptr);
    const DLxAssemblyData data = SmallAssembly();
    ASSERT_TRUE(DLxAssemblyCheck::Check(data).Empty());
    ASSERT_TRUE(doc.SetAssembly(data));
    DLxViewInstance* view = doc.CreateSheet(u"Sheet 1", 420, 297)->CreateView(u"Front");
    DLxViewEdge leafEdge = DLxViewEdge::Line(7, {0, 0, 0}, {10, 0, 0});
    leafEdge.occurrence = {3, 4};
    ASSERT_TRUE(view->SetEdges({leafEdge, DLxViewEdge::Line(8, {0, 0, 0}, {0, 10, 0})}));
    ASSERT_FALSE(doc.Save(dir.File("a.kvd")).Failed());

    std::unique_ptr<DLxDrawingDoc> opened;
    ASSERT_FALSE(DLxDrawingDoc::Open(dir.File("a.kvd"), opened).Failed());
    ASSERT_NE(opened->GetAssembly(), nullptr);
    EXPECT_TRUE(*opened->GetAssembly() == data);
    const DLxViewInstance* back = opened->GetSheets()[0]->FindView(u"Front");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->FindEdge(7)->occurrence, (std::vector<int32_t>{3, 4}));
    EXPECT_TRUE(back->FindEdge(8)->occurrence.empty());
    EXPECT_EQ(Bytes(*opened), Bytes(doc));

    // An annotation on the edge reaches its component through the edge's proxy, for as long as
    // the view has the edge.
    DLxViewInstance* front = opened->GetSheets()[0]->FindView(u"Front");
    DLxEdgeGeometryProxy* proxy = front->FindEdgeProxy(7);
    ASSERT_TRUE(proxy);
    EXPECT_EQ(proxy->GetOccurrencePath(), (std::vector<int32_t>{3, 4}));
    EXPECT_TRUE(front->FindEdgeProxy(8)->GetOccurrencePath().empty());
    ASSERT_TRUE(front->RemoveEdge(7));
    EXPECT_TRUE(proxy->GetOccurrencePath().empty());

    // An empty assembly takes the stored one away.
    EXPECT_TRUE(opened->SetAssembly(DLxAssemblyData()));
    EXPECT_EQ(opened->GetAssembly(), nullptr);
    EXPECT_EQ(Reload(Bytes(*opened))->GetAssembly(), nullptr);
}

TEST(DLxDrawingAssembly, GoesBackWithItsTransaction) {
    DLxDrawingDoc doc;
    RSeDatabase* db = doc.GetRSeDb();
    const std::vector<uint8_t> before = Bytes(doc);

    db->BeginTxn();
    ASSERT_TRUE(doc.SetAssembly(SmallAssembly()));
    std::unique_ptr<RSeTxnRecord> made = db->CommitTxn();
    ASSERT_NE(doc.GetAssembly(), nullptr);

    DLxAssemblyData changed = SmallAssembly();
    changed.occurrences[1].quantity = 4;
    changed.components[1].userProperties[0].value = u"black";
    db->BeginTxn();
    ASSERT_TRUE(doc.SetAssembly(changed));
    std::unique_ptr<RSeTxnRecord> edit = db->CommitTxn();
    EXPECT_EQ(doc.GetAssembly()->occurrences[1].quantity, 4);

    db->Undo(*edit);
    EXPECT_TRUE(*doc.GetAssembly() == SmallAssembly());
    db->Redo(*edit);
    EXPECT_TRUE(*doc.GetAssembly() == changed);
    db->Undo(*edit);
    db->Undo(*made);
    EXPECT_EQ(doc.GetAssembly(), nullptr);
    EXPECT_EQ(Bytes(doc), before);
}

// What reads a stored assembly (the structure, the bill of materials) relies on its soundness:
// an unsound one is a damaged file, named as such, never a drawing.
TEST(DLxDrawingAssembly, AnUnsoundStoredAssemblyFailsTheLoad) {
    // Each case saves two sound assemblies that differ in one stored integer, and puts an unsound
    // value where they differ.
    const struct {
        const char* name;
        void (*vary)(DLxAssemblyData&);
        int32_t value;
        const char* says;
    } cases[] = {
        {"a zero quantity", [](DLxAssemblyData& d) { d.occurrences[3].quantity = 3; }, 0,
         "occurrences[3].quantity: must be 1 or more, found 0"},
        {"a cycle", [](DLxAssemblyData& d) { d.occurrences[3].component = 20; }, 10,
         "occurrences[3].component: component 10 would contain itself"},
        {"an unknown kind",
         [](DLxAssemblyData& d) { d.components[3].kind = DLxAssemblyComponent::Kind::Assembly; }, 7,
         "components[3].kind: unknown kind 7"},
        {"a root of no component", [](DLxAssemblyData& d) { d.root = 30; }, 99,
         "root: names no component (99)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DLxDrawingDoc doc;
        ASSERT_TRUE(doc.SetAssembly(SmallAssembly()));
        std::vector<uint8_t> bytes = Bytes(doc);
        DLxAssemblyData varied = SmallAssembly();
        c.vary(varied);
        ASSERT_TRUE(doc.SetAssembly(varied));
        const size_t at = KorvuFirstDifference(bytes, Bytes(doc));
        ASSERT_LT(at, bytes.size());
        std::memcpy(&bytes[at], &c.value, sizeof c.value); // little-endian, as stored
        UTxResult r;
        EXPECT_EQ(Reload(bytes, &r), nullptr);
        EXPECT_EQ(r.GetCode(), kRSeErrDamaged);
        EXPECT_NE(
            r.GetMessageUtf8().find(std::string("the drawing's assembly is not sound: ") + c.says),
            std::string::npos)
            << r.GetMessageUtf8();
    }
}

// A drawing refuses an unsound assembly, changing nothing.
TEST(DLxDrawingAssembly, ADrawingRefusesAnUnsoundAssembly) {
    DLxDrawingDoc doc;
    DLxAssemblyData bad = SmallAssembly();
    bad.occurrences[0].quantity = -1;
    EXPECT_FALSE(doc.SetAssembly(bad));
    EXPECT_EQ(doc.GetAssembly(), nullptr);
    ASSERT_TRUE(doc.SetAssembly(SmallAssembly()));
    EXPECT_FALSE(doc.SetAssembly(bad));
    EXPECT_TRUE(*doc.GetAssembly() == SmallAssembly());
}

// Every truncation of a drawing with an assembly fails, and seeded mutations of it load or fail
// cleanly: a drawing that loads holds a sound assembly (the sanitizer build checks the rest).
TEST(DLxDrawingAssembly, DamagedStoredAssembliesLoadSoundOrFail) {
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(SmallAssembly()));
    DLxViewEdge edge = DLxViewEdge::Line(1, {0, 0, 0}, {10, 0, 0});
    edge.occurrence = {3, 4};
    ASSERT_TRUE(doc.CreateSheet(u"Sheet 1", 420, 297)->CreateView(u"Front")->SetEdges({edge}));
    const std::vector<uint8_t> valid = Bytes(doc);
    for (size_t n = 0; n < valid.size(); ++n) {
        const std::vector<uint8_t> cut(valid.begin(), valid.begin() + ptrdiff_t(n));
        UTxResult r;
        ASSERT_EQ(Reload(cut, &r), nullptr) << "a file cut at " << n << " loaded";
        ASSERT_FALSE(r.GetMessage().empty());
    }
    std::mt19937 rng(20261211);
    int loaded = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = valid;
        for (int e = 0, edits = 1 + int(rng() % 3); e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            if (rng() % 2)
                bytes[at] ^= uint8_t(1u << (rng() % 8));
            else
                for (size_t k = at; k < std::min(bytes.size(), at + 4); ++k)
                    bytes[k] = (rng() % 2) ? 0xFF : uint8_t(rng());
        }
        SCOPED_TRACE(round);
        std::unique_ptr<DLxDrawingDoc> again = Reload(bytes);
        if (!again) continue;
        ++loaded;
        const DLxAssemblyData* a = again->GetAssembly();
        ASSERT_TRUE(!a || DLxAssemblyCheck::Check(*a).Empty());
        std::vector<uint8_t> resaved;
        ASSERT_FALSE(again->GetRSeDb()->SaveToBuffer(resaved).Failed());
    }
    EXPECT_LT(loaded, 300);
}

// A view stored before edges knew their occurrence (version 1): its edges load with none, and
// the drawing saves at the current version and loads back the same.
TEST(DLxDrawingAssembly, AViewStoredBeforeOccurrencesLoads) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"RDxObject", 0);
    w.AddClass(u"RDxFragment", 0);
    w.AddClass(u"RDxNode", 0);
    const uint32_t sheetMeta = w.AddClass(u"DLxSheet", 0);
    const uint32_t viewMeta = w.AddClass(u"DLxViewInstance", 1);
    w.BeginSegment(u"Sheet:Sheet 1");
    {
        RSeStream& s = w.BeginRecord(sheetMeta, 1);
        s.Write(uint32_t(0)); // flags
        s.Write(false);       // sick
        s.Write(uint32_t(1)); // nodes
        w.Ref(1);
        s.Write(int32_t(1)); // last birthday
        s.Write(UTxString16(u"Sheet 1"));
        s.Write(420.0);
        s.Write(297.0);
        w.EndRecord();
    }
    {
        RSeStream& s = w.BeginRecord(viewMeta, 2);
        s.Write(uint32_t(0));
        s.Write(false);
        w.Ref(0);             // fragment
        s.Write(true);        // edited
        s.Write(int32_t(1));  // birthday
        s.Write(uint32_t(0)); // dependencies
        s.Write(UTxString16(u"Front"));
        s.Write(1.0);
        RSeSaveData(s, WqGePoint3d(100, 100, 0));
        RSeSaveData(s, WqGePoint3d(0, 0, 0));
        RSeSaveData(s, WqGeMatrix3d());
        s.Write(uint32_t(2)); // edges: id, kind, ends
        for (int32_t id : {3, 4}) {
            s.Write(id);
            s.Write(int32_t(DLxEdgeKind::Line));
            RSeSaveData(s, WqGePoint3d(0, 0, 0));
            RSeSaveData(s, WqGePoint3d(id, 1, 0));
        }
        s.Write(uint32_t(0)); // breaks
        s.Write(uint32_t(0)); // proxies
        w.EndRecord();
    }
    const std::vector<uint8_t> file = w.Finish(3);
    UTxResult r;
    std::unique_ptr<DLxDrawingDoc> doc = Reload(file, &r);
    ASSERT_TRUE(doc) << r.GetMessageUtf8();
    DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    ASSERT_TRUE(view);
    ASSERT_EQ(view->GetEdges().size(), 2u);
    EXPECT_TRUE(view->FindEdge(3)->occurrence.empty());
    EXPECT_EQ(view->FindEdge(4)->end, WqGePoint3d(4, 1, 0));

    const std::vector<uint8_t> saved = Bytes(*doc);
    std::unique_ptr<DLxDrawingDoc> again = Reload(saved);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetSheets()[0]->FindView(u"Front")->GetEdges(), view->GetEdges());
    EXPECT_EQ(Bytes(*again), saved);
}

TEST(DLxAssemblyCheck, OccurrencePathsFollowTheStructure) {
    const DLxAssemblyData data = SmallAssembly();
    const DLxAssemblyCheck check(data);
    const struct {
        std::vector<int32_t> path;
        const char* fault; // empty: sound
    } cases[] = {
        {{1}, ""},
        {{3, 4}, ""},
        {{3}, ""},
        {{}, "an occurrence path names at least one occurrence"},
        {{4}, "occurrence 4 does not lie in component 10"},
        {{1, 4}, "occurrence 4 does not lie in component 20"},
        {{3, 4, 4}, "occurrence 4 does not lie in component 40"},
        {{9}, "unknown occurrence 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(check.CheckPath(c.path), c.fault);
    }
    EXPECT_EQ(DLxAssemblyCheck(DLxAssemblyData()).CheckPath({1}), "the model has no assembly");
}

} // namespace
