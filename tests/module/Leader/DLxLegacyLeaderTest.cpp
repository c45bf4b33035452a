// Leaders of older documents: the leader records of the older symbols with their node trees,
// and the intermediate leader trees of placed symbols. Their stored layouts are written by hand,
// loaded, saved in the current form and loaded again; intermediate trees convert to leader node
// trees whose ends carry the branches' attachments.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxCLeaderNodeIterator.h"
#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxVertexStateSet.h"
#include "TstDocWriter.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxPoint3.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxGUID.h"

namespace {

std::vector<uint8_t> Save(RSeDatabase* db) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(db->SaveToBuffer(out).Failed());
    return out;
}

UTxResult Load(const std::vector<uint8_t>& bytes, std::unique_ptr<RSeDatabase>& db) {
    return RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
}

// Saving a loaded document gives the current form, which loads and saves to the same bytes.
void ExpectStableResave(RSeDatabase* db) {
    const std::vector<uint8_t> saved = Save(db);
    std::unique_ptr<RSeDatabase> again;
    const UTxResult r = Load(saved, again);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(Save(again.get()), saved);
}

void AddChain(TstDocWriter& w, std::initializer_list<const char16_t*> chain) {
    for (const char16_t* name : chain)
        w.AddClass(name, RSeMetaType::Find(name)->GetVersion());
}

void WriteRefVector(TstDocWriter& w, RSeStream& s, const std::vector<uint32_t>& indexes) {
    s.Write(RSeTypeCode::kVector);
    s.Write(uint32_t(indexes.size()));
    if (indexes.empty()) return;
    s.Write(uint32_t(indexes.size()));
    s.WriteNoTypeMark();
    for (uint32_t i : indexes)
        w.Ref(i);
}

// One stored leader node: its point, its record, its parent and its children (by object index;
// kNone for no reference).
constexpr uint32_t kNone = UINT32_MAX;
struct StoredNode {
    WqGePoint3d point;
    uint32_t leader, parent;
    std::vector<uint32_t> children;
};

void RefOrNull(TstDocWriter& w, uint32_t index) {
    if (index == kNone)
        w.RefValue(0);
    else
        w.Ref(index);
}

// A record of class `kind` (object 0, id 1) whose tree is `nodes` (objects 1.., ids 2..),
// rooted at object 1.
std::vector<uint8_t> OldLeader(const char16_t* kind, const std::vector<StoredNode>& nodes) {
    TstDocWriter w;
    uint32_t leaderMeta = 0;
    for (const char16_t* name :
         {u"RSeIDed", u"DLxCLeader", u"DLxCLeaderGeneral", u"DLxCLeaderWelding", u"DLxCLeaderLand",
          u"DLxCLeaderDatumId", u"DLxCLeaderFeatId", u"DLxCLeaderFCF", u"DLxCLeaderDatumTgt",
          u"DLxCLeaderBalloon"}) {
        const uint32_t index = w.AddClass(name, 0);
        if (std::u16string_view(name) == kind) leaderMeta = index;
    }
    const uint32_t nodeMeta = w.AddClass(u"DLxCLeaderNode", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(leaderMeta, 1);
    s.Write(int32_t(7));  // arrow type
    s.Write(int16_t(3));  // tag number
    s.Write(-2.0);        // landing
    s.Write(0.0);
    s.Write(0.0);
    s.Write(0.5);         // gap
    w.Ref(1);             // root node
    w.RefValue(0);        // owner: the symbol is not part of these documents
    w.EndRecord();
    for (size_t i = 0; i < nodes.size(); ++i) {
        RSeStream& n = w.BeginRecord(nodeMeta, uint32_t(i + 2));
        n.Write(nodes[i].point.x);
        n.Write(nodes[i].point.y);
        n.Write(nodes[i].point.z);
        RefOrNull(w, nodes[i].leader);
        RefOrNull(w, nodes[i].parent);
        WriteRefVector(w, n, nodes[i].children);
        w.EndRecord();
    }
    return w.Finish(uint32_t(nodes.size() + 2));
}

// A root at (10,20) with an inner vertex (5,5) leading to the end (0,0), and a second end (12,0).
const std::vector<StoredNode> kTree = {
    {{10, 20, 0}, 0, kNone, {2, 4}},
    {{5, 5, 0}, 0, 1, {3}},
    {{0, 0, 0}, 0, 2, {}},
    {{12, 0, 0}, 0, 1, {}},
};

// Old documents name these classes by name and GUID: both, and the base each reads first, must
// be exactly those the documents were written with.
TEST(LegacyLeaderClasses, NamesGuidsAndBasesAreThoseOfTheStoredDocuments) {
    const struct {
        const char16_t* name;
        const char* guid;
        const char16_t* base;
        bool abstract;
    } cases[] = {
        {u"DLxCLeader", "{09daf3f1-c125-11d1-9aaa-0060b087bcec}", u"RSeIDed", true},
        {u"DLxCLeaderGeneral", "{09daf3f2-c125-11d1-9aaa-0060b087bcec}", u"DLxCLeader", false},
        {u"DLxCLeaderWelding", "{09daf3f3-c125-11d1-9aaa-0060b087bcec}", u"DLxCLeaderGeneral",
         false},
        {u"DLxCLeaderLand", "{09daf3f4-c125-11d1-9aaa-0060b087bcec}", u"DLxCLeaderGeneral", false},
        {u"DLxCLeaderDatumId", "{09daf3f5-c125-11d1-9aaa-0060b087bcec}", u"DLxCLeaderLand", false},
        {u"DLxCLeaderFeatId", "{09daf3f7-c125-11d1-9aaa-0060b087bcec}", u"DLxCLeaderDatumId",
         false},
        {u"DLxCLeaderFCF", "{ab85a778-fcc5-11d1-91a1-0060b0570379}", u"DLxCLeaderLand", false},
        {u"DLxCLeaderDatumTgt", "{ab85a77b-fcc5-11d1-91a1-0060b0570379}", u"DLxCLeaderWelding",
         false},
        {u"DLxCLeaderBalloon", "{ab85a77d-fcc5-11d1-91a1-0060b0570379}", u"DLxCLeaderWelding",
         false},
        {u"DLxCLeaderNode", "{7bca4e2f-7f3f-11d2-8842-0060b0570379}", u"RSeIDed", false},
        {u"DLxVertexStateSet", "{93c5bea1-74d7-11d1-9d4b-080009d9311e}", u"RDxStateSet", false},
        {u"DLxLeaderBranch", "{5f65fe6e-3658-11d4-b761-0060b0fbb682}", u"RDxNode", false},
        {u"DLxLeaderTree", "{6e08652c-365a-11d4-b761-0060b0fbb682}", u"RDxState", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.guid);
        const RSeMetaType* mt = RSeMetaType::Find(c.name);
        ASSERT_NE(mt, nullptr);
        UTxGUID guid;
        ASSERT_TRUE(UTxGUID::Parse(std::string_view(c.guid), guid));
        EXPECT_EQ(mt->GetGUID(), guid);
        ASSERT_NE(mt->GetBase(), nullptr);
        EXPECT_EQ(mt->GetBase()->GetName(), c.base);
        EXPECT_EQ(mt->GetVersion(), 0);
        EXPECT_EQ(mt->IsAbstract(), c.abstract);
    }
}

TEST(LegacyLeaderRecord, EveryKindLoadsTheGeneralLayoutAndSavesStably) {
    const struct {
        const char16_t* kind;
        bool landing;
    } cases[] = {
        {u"DLxCLeaderGeneral", false}, {u"DLxCLeaderWelding", false},
        {u"DLxCLeaderBalloon", false}, {u"DLxCLeaderDatumTgt", false},
        {u"DLxCLeaderLand", true},     {u"DLxCLeaderDatumId", true},
        {u"DLxCLeaderFeatId", true},   {u"DLxCLeaderFCF", true},
    };
    for (const auto& c : cases) {
        const std::u16string kind = c.kind;
        SCOPED_TRACE(std::string(kind.begin(), kind.end()));
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = Load(OldLeader(c.kind, kTree), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* leader = dynamic_cast<DLxCLeaderGeneral*>(db->FindObject(1));
        ASSERT_NE(leader, nullptr);
        EXPECT_EQ(leader->GetMeta()->GetName(), c.kind);
        EXPECT_EQ(leader->GetArrowType(), 7);
        int16_t tag = 0;
        EXPECT_TRUE(leader->GetTagNumber(tag).IsEmpty());
        EXPECT_EQ(tag, 3);
        double gap = 0;
        (void)leader->GetGapLength(gap);
        EXPECT_EQ(gap, 0.5);
        EXPECT_EQ(leader->GetLandingVector(), WqGeVector3d(-2, 0, 0));
        EXPECT_TRUE(leader->GetNotifyOwner());
        EXPECT_FALSE(leader->IsNotifying());
        ASSERT_NE(leader->GetRootNode(), nullptr);
        EXPECT_EQ(leader->GetRootNode()->GetLeader(), leader);

        // A landing leader's vertex 0 is the far end of its landing.
        std::vector<WqGePoint3d> expected = {{10, 20, 0}, {5, 5, 0}, {0, 0, 0}, {12, 0, 0}};
        if (c.landing) expected.insert(expected.begin(), WqGePoint3d(8, 20, 0));
        std::vector<WqGePoint3d> vertices;
        leader->CollectVertices(vertices);
        EXPECT_EQ(vertices, expected);
        EXPECT_EQ(leader->GetNumVertices(), int32_t(expected.size()));
        EXPECT_EQ(leader->GetNumInnerVertices(), c.landing ? 3 : 2);
        EXPECT_EQ(leader->GetRootPoint(), expected.front());

        ExpectStableResave(db.get());
    }
}

// Walks, counts and the deletion of a tree run down its children: a damaged tree that loops
// would never end, so such a document fails to load with a message that says why.
TEST(LegacyLeaderRecord, DamagedNodeTreesFailTheLoad) {
    const struct {
        const char* name;
        std::vector<StoredNode> nodes;
        const char* message;
    } cases[] = {
        {"node is its own child", {{{0, 0, 0}, 0, 1, {1}}}, "loops"},
        {"two nodes each other's parent",
         {{{0, 0, 0}, 0, 2, {2}}, {{1, 1, 0}, 0, 1, {1}}},
         "loops"},
        {"child names another parent",
         {{{0, 0, 0}, 0, kNone, {2, 3}}, {{1, 1, 0}, 0, 1, {}}, {{2, 2, 0}, 0, 2, {}}},
         "another parent"},
        {"child listed twice", {{{0, 0, 0}, 0, kNone, {2, 2}}, {{1, 1, 0}, 0, 1, {}}}, "twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = Load(OldLeader(u"DLxCLeaderGeneral", c.nodes), db);
        ASSERT_TRUE(r.Failed());
        EXPECT_NE(r.GetMessageUtf8().find(c.message), std::string::npos) << r.GetMessageUtf8();
    }
}

TEST(LegacyLeaderRecord, EveryTruncationFailsCleanly) {
    const std::vector<uint8_t> bytes = OldLeader(u"DLxCLeaderBalloon", kTree);
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + ptrdiff_t(n));
        std::unique_ptr<RSeDatabase> db;
        EXPECT_TRUE(Load(cut, db).Failed()) << n;
    }
}

// A record that nothing owns is still a record: one made in a drawing, cloned as a kind, and
// changed by the operations that do not involve its symbol.
struct WeldRecordDrawing {
    WeldRecordDrawing() {
        auto* leader = new (RSe::_GetMeta(static_cast<const DLxCLeaderWelding*>(nullptr)), seg)
            DLxCLeaderWelding(RSeRef<DLxSymbol>());
        record = leader;
        DLxCLeaderNode* root = DLxCLeaderNode::New(seg, leader, {10, 0, 0});
        DLxCLeaderNode* inner = DLxCLeaderNode::New(seg, leader, {5, 5, 0});
        root->AddChild(inner);
        inner->AddChild(DLxCLeaderNode::New(seg, leader, {0, 0, 0}));
        inner->AddChild(DLxCLeaderNode::New(seg, leader, {0, 10, 0}));
        root->AddChild(DLxCLeaderNode::New(seg, leader, {20, 0, 0}));
        leader->SetRootNode(root);
    }
    DLxDrawingDoc doc;
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    DLxCLeaderGeneral* record = nullptr;
};
class RecordInDrawing : public ::testing::Test, protected WeldRecordDrawing {};

TEST_F(RecordInDrawing, EndVertexNumbersCountFromTheCallersBase) {
    // Pre-order: root 1, inner 2, ends 3 and 4, end 5; the owner's base 10 comes first.
    int32_t counter = 10;
    std::vector<int32_t> numbers;
    record->CollectEndVertexNumbers(counter, numbers);
    EXPECT_EQ(numbers, (std::vector<int32_t>{13, 14, 15}));
    EXPECT_EQ(counter, 15);
}

TEST_F(RecordInDrawing, TransformMovesNodesLandingAndGap) {
    (void)record->SetGapLength(0.5);
    const WqGeMatrix3d scale = WqGeMatrix3d::scaling(2.0);
    ASSERT_TRUE(record->TransformBy(scale).IsEmpty());
    double gap = 0;
    (void)record->GetGapLength(gap);
    EXPECT_EQ(gap, 1.0);
    std::vector<WqGePoint3d> vertices;
    record->CollectVertices(vertices);
    EXPECT_EQ(vertices, (std::vector<WqGePoint3d>{
                            {20, 0, 0}, {10, 10, 0}, {0, 0, 0}, {0, 20, 0}, {40, 0, 0}}));
    EXPECT_EQ(record->GetLandingVector(), WqGeVector3d());
}

TEST_F(RecordInDrawing, ACopyOfAWeldLeaderCarriesTheGeneralMembers) {
    ASSERT_TRUE(record->SetArrowType(5).IsEmpty());
    ASSERT_TRUE(record->SetTagNumber(9).IsEmpty());
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({record}).Failed());
    auto* copy = dynamic_cast<DLxCLeaderWelding*>(cc.CloneOf(record));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetArrowType(), 5);
    int16_t tag = 0;
    EXPECT_TRUE(copy->GetTagNumber(tag).IsEmpty());
    EXPECT_EQ(tag, 9);
    EXPECT_EQ(copy->GetRootNode(), record->GetRootNode()) << "its nodes were not copied";
    RSe::DeleteObject(copy);
}

TEST_F(RecordInDrawing, SavesAndDeletesWithItsTree) {
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(Load(Save(doc.GetRSeDb()), db).Failed());
    auto* back = dynamic_cast<DLxCLeaderWelding*>(db->FindObject(record->GetId()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetNumVertices(), 5);
    ExpectStableResave(db.get());

    const uint32_t rootId = record->GetRootNode()->GetId();
    DLxCLeader::Delete(record);
    EXPECT_EQ(doc.GetRSeDb()->FindObject(rootId), nullptr);
    int16_t unset = 0;
    auto* fresh = new (RSe::_GetMeta(static_cast<const DLxCLeaderBalloon*>(nullptr)), seg)
        DLxCLeaderBalloon(RSeRef<DLxSymbol>());
    EXPECT_EQ(fresh->GetTagNumber(unset).GetCode(), DLxCLeader::kNoValue);
    EXPECT_EQ(fresh->GetNumVertices(), 0);
    auto* land = new (RSe::_GetMeta(static_cast<const DLxCLeaderLand*>(nullptr)), seg)
        DLxCLeaderLand(RSeRef<DLxSymbol>());
    EXPECT_EQ(land->GetNumVertices(), 1) << "the landing end counts without a root";
    EXPECT_EQ(land->GetRootPoint(), WqGePoint3d());
}

using Points = std::vector<WqGePoint3d>;

Points Vertices(const DLxCLeaderGeneral* record) {
    Points p;
    record->CollectVertices(p);
    return p;
}

// The tree in pre-order: root (10,0), inner (5,5), its ends (0,0) and (0,10), the end (20,0).
TEST_F(RecordInDrawing, CursorWalksTheFirstChildChainOrTheEnds) {
    std::unique_ptr<DLxCLeaderNodeIterator> it = record->CreateNodeIterator();
    ASSERT_NE(it, nullptr);
    const struct {
        bool endsOnly;
        Points visited;
    } walks[] = {
        {false, {{10, 0, 0}, {5, 5, 0}, {0, 0, 0}}},
        {true, {{0, 0, 0}, {0, 10, 0}, {20, 0, 0}}},
    };
    for (const auto& w : walks) {
        SCOPED_TRACE(w.endsOnly);
        Points visited;
        for (it->Start(w.endsOnly); !it->IsDone(); it->Step(false))
            visited.push_back(it->GetPoint());
        EXPECT_EQ(visited, w.visited);
        // Done at the end, the cursor stays on the last entry; backwards it walks back.
        EXPECT_EQ(it->GetPoint(), w.visited.back());
        it->Step(true);
        EXPECT_FALSE(it->IsDone());
        EXPECT_EQ(it->GetPoint(), w.visited[1]);
    }

    it->Start(false);
    EXPECT_FALSE(it->MoveToParent()) << "at the root";
    EXPECT_EQ(it->MoveToIndex(3).GetCode(), 0u);
    EXPECT_EQ(it->GetPoint(), WqGePoint3d(0, 10, 0));
    EXPECT_TRUE(it->IsEnd());
    EXPECT_TRUE(it->MoveToParent());
    EXPECT_EQ(it->GetNumChildren(), 2);
    EXPECT_EQ(it->MoveToIndex(5).GetCode(), DLxCLeader::kNoNode);
    EXPECT_EQ(it->MoveToPoint({20, 0, 0}).GetCode(), 0u);
    EXPECT_EQ(it->MoveToPoint({20, 0, 1}).GetCode(), DLxCLeader::kNoNode);
    EXPECT_EQ(it->GetPoint(), WqGePoint3d(20, 0, 0));
    // Nearest searches the current node's subtree only.
    it->MoveToIndex(1);
    ASSERT_TRUE(it->MoveToNearest({19, 0, 0}).IsEmpty());
    EXPECT_EQ(it->GetPoint(), WqGePoint3d(5, 5, 0));
    std::unique_ptr<DLxCLeaderNodeIterator> child = it->CreateChildIterator(1);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetPoint(), WqGePoint3d(0, 10, 0));
    EXPECT_EQ(it->CreateChildIterator(2), nullptr);
}

TEST_F(RecordInDrawing, CursorEditsTheTreeAroundItsNode) {
    const struct {
        const char* name;
        int32_t at; // pre-order index of the cursor's node
        std::function<UTxResult(DLxCLeaderNodeIterator&)> edit;
        UTxResultCode result;
        Points after;
        WqGePoint3d cursor;
    } cases[] = {
        {"append a chain below an end", 4,
         [](DLxCLeaderNodeIterator& i) { return i.AppendVertices({{30, 0, 0}, {40, 0, 0}}); }, 0,
         {{10, 0, 0}, {5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}},
         {20, 0, 0}},
        {"append nothing", 4, [](DLxCLeaderNodeIterator& i) { return i.AppendVertices({}); },
         DLxCLeader::kNoNode, {{10, 0, 0}, {5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}},
         {20, 0, 0}},
        {"insert above the inner vertex", 1,
         [](DLxCLeaderNodeIterator& i) { return i.InsertVertexBefore({7, 2, 0}); }, 0,
         {{10, 0, 0}, {7, 2, 0}, {5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}}, {5, 5, 0}},
        {"insert above the root", 0,
         [](DLxCLeaderNodeIterator& i) { return i.InsertVertexBefore({7, 2, 0}); },
         DLxCLeader::kNoNode, {{10, 0, 0}, {5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}},
         {10, 0, 0}},
        {"detach the inner vertex", 1, [](DLxCLeaderNodeIterator& i) { return i.Detach(); }, 0,
         {{10, 0, 0}, {20, 0, 0}}, {10, 0, 0}},
        {"detach the root", 0, [](DLxCLeaderNodeIterator& i) { return i.DetachFromParent(); },
         DLxCLeader::kRefused, {{10, 0, 0}, {5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}},
         {10, 0, 0}},
        // Its ends take its place, in order, before the root's other end.
        {"delete the inner vertex", 1, [](DLxCLeaderNodeIterator& i) { return i.DeleteVertex(); },
         0, {{10, 0, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}}, {10, 0, 0}},
        // The first child becomes the root, the other hangs below it.
        {"delete the root", 0, [](DLxCLeaderNodeIterator& i) { return i.DeleteVertex(); }, 0,
         {{5, 5, 0}, {0, 0, 0}, {0, 10, 0}, {20, 0, 0}}, {5, 5, 0}},
        {"move an end", 2,
         [](DLxCLeaderNodeIterator& i) { return i.SetPoint({-1, -1, 0}); }, 0,
         {{10, 0, 0}, {5, 5, 0}, {-1, -1, 0}, {0, 10, 0}, {20, 0, 0}}, {-1, -1, 0}},
        {"shift a subtree", 1,
         [](DLxCLeaderNodeIterator& i) {
             return i.TransformBy(WqGeMatrix3d::translation({1, 0, 0}));
         },
         0, {{10, 0, 0}, {6, 5, 0}, {1, 0, 0}, {1, 10, 0}, {20, 0, 0}}, {6, 5, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WeldRecordDrawing fresh;
        std::unique_ptr<DLxCLeaderNodeIterator> it = fresh.record->CreateNodeIterator();
        ASSERT_TRUE(it->MoveToIndex(c.at).IsEmpty());
        EXPECT_EQ(c.edit(*it).GetCode(), c.result);
        EXPECT_EQ(Vertices(fresh.record), c.after);
        EXPECT_EQ(it->GetPoint(), c.cursor);
        // Every node of the record's tree names the record and its parent.
        std::vector<DLxCLeaderNode*> nodes;
        fresh.record->GetRootNode()->CollectPreOrder(nodes);
        EXPECT_EQ(nodes.front()->GetParent(), nullptr);
        for (const DLxCLeaderNode* n : nodes) {
            EXPECT_EQ(n->GetLeader(), fresh.record);
            for (const RSeRef<DLxCLeaderNode>& ch : n->GetChildren())
                EXPECT_EQ(ch.Read()->GetParent(), n);
        }
    }
}

TEST_F(RecordInDrawing, DeletingTheLastVertexIsRefused) {
    auto* single = new (RSe::_GetMeta(static_cast<const DLxCLeaderGeneral*>(nullptr)), seg)
        DLxCLeaderGeneral(RSeRef<DLxSymbol>());
    single->SetRootNode(DLxCLeaderNode::New(seg, single, {1, 1, 0}));
    std::unique_ptr<DLxCLeaderNodeIterator> it = single->CreateNodeIterator();
    EXPECT_EQ(it->DeleteVertex().GetCode(), DLxCLeader::kNoNode);
    EXPECT_EQ(single->GetNumVertices(), 1);
    single->SetRootNode(nullptr);
    EXPECT_EQ(single->CreateNodeIterator(), nullptr);
}

// ---- intermediate leader trees

void WriteNodeBase(TstDocWriter& w, RSeStream& s) {
    s.Write(uint32_t(0)); // object: flags, sick
    s.Write(false);
    w.RefValue(0); // node: no fragment, edited, birthday, no dependencies
    s.Write(true);
    s.Write(int32_t(0));
    s.Write(uint32_t(0));
}

// A tree (object 0) with two branches (objects 1 and 2) and a vertex set (object 3).
std::vector<uint8_t> OldTree(int32_t secondKey = 3) {
    TstDocWriter w;
    AddChain(w, {u"RSeIDed", u"RDxObject", u"RDxNode", u"RDxState", u"RDxStateSet"});
    const uint32_t treeMeta = w.AddClass(u"DLxLeaderTree", 0);
    const uint32_t branchMeta = w.AddClass(u"DLxLeaderBranch", 0);
    const uint32_t setMeta = w.AddClass(u"DLxVertexStateSet", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& t = w.BeginRecord(treeMeta, 1);
    WriteNodeBase(w, t);
    t.Write(int32_t(4));
    t.Write(1.5);
    t.Write(2.5);
    RSeSaveData(t, WqGeVector3d(0, 1, 0));
    t.Write(RSeTypeCode::kMap);
    t.Write(uint32_t(2));
    t.WriteNoTypeMark();
    t.WriteNoTypeMark();
    for (int32_t key : {1, secondKey}) {
        t.Write(key);
        RSeSaveData(t, WqGePoint3d(key, 2.0 * key, 0));
    }
    WriteRefVector(w, t, {1, 2});
    t.Write(int32_t(9));
    w.EndRecord();
    for (uint32_t b = 0; b < 2; ++b) {
        RSeStream& s = w.BeginRecord(branchMeta, 2 + b);
        WriteNodeBase(w, s);
        s.Write(RSeTypeCode::kVector); // keys, in reference slots
        s.Write(uint32_t(2));
        s.Write(uint32_t(2));
        s.WriteNoTypeMark();
        w.RefValue(1);
        w.RefValue(b ? 5 : 3);
        w.RefValue(0); // anchor point
        w.RefValue(0); // arrowhead
        w.EndRecord();
    }
    RSeStream& v = w.BeginRecord(setMeta, 4);
    WriteNodeBase(w, v);
    v.Write(uint32_t(0)); // no member states
    v.Write(int32_t(2));
    for (double c : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0})
        v.Write(c);
    w.EndRecord();
    return w.Finish(5);
}

TEST(LegacyLeaderTree, StoredTreesBranchesAndVertexSetsLoadAndSaveStably) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = Load(OldTree(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* tree = dynamic_cast<DLxLeaderTree*>(db->FindObject(1));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Points().size(), 2u);
    EXPECT_EQ(tree->Points().at(3), WqGePoint3d(3, 6, 0));
    ASSERT_EQ(tree->GetNumBranches(), 2);
    EXPECT_EQ(tree->GetBranch(1)->GetVertexKeys(), (std::vector<uint32_t>{1, 5}));
    EXPECT_EQ(tree->GetBranchAnchorPoint(2), nullptr);
    std::vector<WqGePoint3d> points;
    EXPECT_TRUE(tree->CollectBranchPoints(tree->GetBranch(0), points));
    EXPECT_EQ(points, (std::vector<WqGePoint3d>{{1, 2, 0}, {3, 6, 0}}));
    EXPECT_FALSE(tree->CollectBranchPoints(tree->GetBranch(1), points)) << "key 5 is missing";
    EXPECT_TRUE(points.empty());
    auto* set = dynamic_cast<DLxVertexStateSet*>(db->FindObject(4));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->GetPoints(), (std::vector<WqGePoint3d>{{1, 2, 3}, {4, 5, 6}}));
    // Saved before any upgrade ran, the tree keeps its branches and their keys.
    ExpectStableResave(db.get());
    std::unique_ptr<RSeDatabase> again;
    ASSERT_FALSE(Load(Save(db.get()), again).Failed());
    auto* kept = dynamic_cast<DLxLeaderTree*>(again->FindObject(1));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetBranch(0)->GetVertexKeys(), (std::vector<uint32_t>{1, 3}));
}

TEST(LegacyLeaderTree, DamagedTreeRecordsFailTheLoad) {
    std::unique_ptr<RSeDatabase> twice;
    const UTxResult r = Load(OldTree(1), twice);
    ASSERT_TRUE(r.Failed());
    EXPECT_NE(r.GetMessageUtf8().find("vertex key twice"), std::string::npos) << r.GetMessageUtf8();

    const std::vector<uint8_t> bytes = OldTree();
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + ptrdiff_t(n));
        std::unique_ptr<RSeDatabase> db;
        EXPECT_TRUE(Load(cut, db).Failed()) << n;
    }
}

// A sheet with a view of scale 2 centred at (10,10), and a tree with branches through the
// points 1 (0,0), 3 (5,5) and 5 (8,2).
class TreeOnSheet : public ::testing::Test {
protected:
    TreeOnSheet() {
        view->SetViewScale(2.0);
        view->SetViewCenter({10, 10, 0});
        tree->Points() = {{1, {0, 0, 0}}, {3, {5, 5, 0}}, {5, {8, 2, 0}}};
    }
    // A branch through `keys` ending at a free anchor at `end` (in the view when asked) with an
    // arrowhead of `arrowId` (none for 0).
    DLxLeaderBranch* Branch(std::vector<uint32_t> keys, WqGePoint3d end, bool inView,
                            uint32_t arrowId) {
        DLxLeaderBranch* b = DLxLeaderBranch::Create(sheet);
        b->SetVertexKeys(keys);
        DLxAnchorPoint* anchor = DLxAnchorPoint::CreateFree(sheet, end);
        if (inView) anchor->SetViewInstance(view);
        b->SetAnchorPoint(anchor);
        if (arrowId) b->SetArrowHead(DUxArrowHeadState::Create(sheet, arrowId));
        tree->AddBranch(b);
        return b;
    }
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DLxViewInstance* view = sheet->CreateView(u"Front");
    DLxLeaderTree* tree = DLxLeaderTree::Create(sheet);
};

TEST_F(TreeOnSheet, BranchesBecomeEndsOfANodeTree) {
    Branch({1, 3}, {20, 10, 0}, false, 28031);
    Branch({1, 7}, {30, 30, 0}, false, 28029); // key 7 is missing: skipped
    Branch({1, 5}, {14, 12, 0}, true, 28032);  // in the view: scaled about its centre
    Branch({1, 3}, {40, 40, 0}, false, 0);     // no arrowhead: skipped

    // Converted as a loaded document holds it, and as it was built.
    std::vector<uint8_t> saved = Save(doc.GetRSeDb());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(Load(saved, loaded).Failed());
    auto* stored = dynamic_cast<DLxLeaderTree*>(loaded->FindObject(tree->GetId()));
    ASSERT_NE(stored, nullptr);
    RSeRef<DUxLeaderNodeTree> fromStored;
    ASSERT_TRUE(stored->ConvertToLeaderNodeTree(fromStored));
    ASSERT_NE(fromStored.get(), nullptr);
    EXPECT_EQ(fromStored->GetNumBranches(), 3);
    auto* storedEnd = dynamic_cast<DLxTerminalLeaderNode*>(fromStored->GetTerminalNode(2));
    ASSERT_NE(storedEnd, nullptr);
    EXPECT_EQ(storedEnd->GetAnchorPoint()->GetPoint(), WqGePoint3d(12, 11, 0));
    EXPECT_EQ(storedEnd->GetAnchorPoint()->GetViewInstance()->GetId(), view->GetId());

    RSeRef<DUxLeaderNodeTree> out;
    ASSERT_TRUE(tree->ConvertToLeaderNodeTree(out));
    DUxLeaderNodeTree* converted = out.get();
    ASSERT_NE(converted, nullptr);
    EXPECT_TRUE(sheet->HasNode(converted));
    ASSERT_NE(converted->GetRoot(), nullptr);
    EXPECT_EQ(converted->GetRoot()->GetPoint(), WqGePoint3d(0, 0, 0));

    struct End {
        WqGePoint3d at, parentAt;
        uint32_t arrowId;
        DLxViewInstance* view;
    };
    const End ends[] = {{{20, 10, 0}, {5, 5, 0}, 28031, nullptr},
                        {{12, 11, 0}, {8, 2, 0}, 28032, view}};
    // Branch 0 of the host tree is its root, which began as a one-node tree.
    ASSERT_EQ(converted->GetNumBranches(), 3);
    for (int32_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        auto* end = dynamic_cast<DLxTerminalLeaderNode*>(converted->GetTerminalNode(i + 1));
        ASSERT_NE(end, nullptr);
        ASSERT_NE(end->GetAnchorPoint(), nullptr);
        EXPECT_EQ(end->GetAnchorPoint()->GetPoint(), ends[i].at);
        EXPECT_EQ(end->GetAnchorPoint()->GetViewInstance(), ends[i].view);
        ASSERT_NE(end->GetParent(), nullptr);
        EXPECT_EQ(end->GetParent()->GetPoint(), ends[i].parentAt);
        ASSERT_NE(end->GetArrowHeadState(), nullptr);
        EXPECT_EQ(end->GetArrowHeadState()->GetTemplateId(), ends[i].arrowId);
        EXPECT_NE(end->GetArrowHeadState(), tree->GetBranch(2 * i)->GetArrowHead())
            << "the new end has an arrowhead of its own";
    }
}

TEST_F(TreeOnSheet, ATreeWithNothingToConvertAnswersFalse) {
    RSeRef<DUxLeaderNodeTree> out;
    EXPECT_FALSE(tree->ConvertToLeaderNodeTree(out));
    ASSERT_NE(out.get(), nullptr);
    EXPECT_EQ(out->GetNumNodes(), 1);
    Branch({}, {1, 1, 0}, false, 28029); // no keys
    EXPECT_FALSE(tree->ConvertToLeaderNodeTree(out));
}

TEST_F(TreeOnSheet, PassValueMatchesTheTargetsBranches) {
    Branch({1, 3}, {20, 10, 0}, true, 28031);
    DLxLeaderBranch* bare = Branch({1}, {0, 0, 0}, false, 0);
    DLxLeaderTree* target = DLxLeaderTree::Create(sheet);
    for (int k = 0; k < 3; ++k) {
        DLxLeaderBranch* b = DLxLeaderBranch::Create(sheet);
        b->SetAnchorPoint(DLxAnchorPoint::CreateFree(sheet, {9, 9, 0}));
        b->SetArrowHead(DUxArrowHeadState::Create(sheet, 28033));
        target->AddBranch(b);
    }
    DLxLeaderBranch* surplus = target->GetBranch(2);
    tree->PassValue(target);
    EXPECT_EQ(target->Points(), tree->Points());
    ASSERT_EQ(target->GetNumBranches(), 2);
    EXPECT_FALSE(sheet->HasNode(surplus));
    DLxLeaderBranch* first = target->GetBranch(0);
    EXPECT_EQ(first->GetVertexKeys(), (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(first->GetAnchorPoint()->GetPoint(), WqGePoint3d(20, 10, 0));
    EXPECT_EQ(first->GetAnchorPoint()->GetViewInstance(), view);
    EXPECT_EQ(first->GetArrowHead()->GetTemplateId(), 28031u);
    EXPECT_NE(first->GetAnchorPoint(), tree->GetBranch(0)->GetAnchorPoint());
    // The source lacks an arrowhead there: the target's goes too.
    EXPECT_EQ(target->GetBranch(1)->GetArrowHead(), nullptr);
    EXPECT_EQ(bare->GetArrowHead(), nullptr);
}

TEST(LegacyVertexStateSet, PointStatesAddTheirPoints) {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DLxVertexStateSet* set = DLxVertexStateSet::Create(sheet);
    auto* p = new (RSe::_GetMeta(static_cast<const RDxPoint3*>(nullptr)), RSe::SegmentOf(sheet))
        RDxPoint3();
    p->SetPoint({1, 2, 3});
    EXPECT_TRUE(set->AddState(p));
    EXPECT_TRUE(set->AddState(DUxArrowHeadState::Create(sheet, 28029)));
    EXPECT_EQ(set->GetCount(), 2u);
    EXPECT_EQ(set->GetPoints(), (std::vector<WqGePoint3d>{{1, 2, 3}}));
    DLxVertexStateSet* other = DLxVertexStateSet::Create(sheet);
    set->PassValue(other);
    EXPECT_EQ(other->GetPoints(), set->GetPoints());
    set->Clear();
    EXPECT_EQ(set->GetCount(), 0u);
    EXPECT_TRUE(set->GetPoints().empty());
}

} // namespace
