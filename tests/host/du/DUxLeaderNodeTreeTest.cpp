// The leader tree by itself, with the host's own terminal nodes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using Tree = DUxLeaderNodeTree;

std::vector<int32_t> Ids(const std::vector<DUxLeaderNode*>& nodes) {
    std::vector<int32_t> ids;
    for (DUxLeaderNode* n : nodes)
        ids.push_back(n ? n->GetNodeId() : -1);
    return ids;
}

// Root R at (0,0) above the first end E1 at (-10,-10) (inserted, as a leader grows from its
// single node); an inner node V at (10,0) under R with the end E2 at (20,-10).
class LeaderTree : public ::testing::Test {
public:
    LeaderTree() {
        e1 = tree->GetRoot();
        root = tree->InsertNode(e1, {0, 0, 0});
        vertex = tree->AddNode(root, {10, 0, 0});
        e2 = tree->AddTerminalNode(vertex, {20, -10, 0});
    }
    std::vector<DUxLeaderNode*> Order() const {
        std::vector<DUxLeaderNode*> v;
        for (int32_t i = 0; i < tree->GetNumNodes(); ++i)
            v.push_back(tree->GetNodeAtIndex(i));
        return v;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> b;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(b).Failed());
        return b;
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    Tree* tree = Tree::Create(sheet, nullptr, {-10, -10, 0});
    DUxLeaderNode* e1 = nullptr;
    DUxLeaderNode* root = nullptr;
    DUxLeaderNode* vertex = nullptr;
    DUxLeaderNode* e2 = nullptr;
};

TEST(LeaderTreeStart, OneNodeIsRootAndFirstEnd) {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    Tree* tree = Tree::Create(sheet, nullptr, {1, 2, 0});
    ASSERT_TRUE(tree);
    EXPECT_EQ(Tree::Create(nullptr, nullptr, {}), nullptr);
    ASSERT_EQ(tree->GetNumNodes(), 1);
    EXPECT_EQ(tree->GetRoot(), tree->GetNodeAtIndex(0));
    EXPECT_EQ(tree->GetRoot(), tree->GetTerminalNode(0));
    EXPECT_EQ(tree->GetRoot()->GetNodeId(), 1);
    EXPECT_EQ(tree->GetNodeCounter(), 1);
    EXPECT_TRUE(sheet->HasNode(tree) && sheet->HasNode(tree->GetRoot()));
    // A leader of one node draws nothing, hot points included.
    SMxDisplayList list;
    tree->GenGraphics(nullptr, list, 0, false, true, nullptr, nullptr, false, true, true);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(LeaderTree, NodesKeepTheirOrderNumbersAndLinks) {
    EXPECT_EQ(Ids(Order()), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(tree->GetRoot(), root);
    EXPECT_EQ(tree->GetNodeCounter(), 4);
    EXPECT_EQ(root->GetParent(), nullptr);
    EXPECT_EQ(e1->GetParent(), root);
    EXPECT_EQ(e2->GetParent(), vertex);
    std::vector<DUxLeaderNode*> all;
    root->GetAllChildren(all);
    EXPECT_EQ(Ids(all), (std::vector<int32_t>{1, 3, 4})); // children in order, depth first
    EXPECT_EQ(root->GetNumberOfChildren(), 2);
    // Branches: the ends in node order.
    EXPECT_EQ(tree->GetNumBranches(), 2);
    EXPECT_EQ(tree->GetTerminalNode(0), e1);
    EXPECT_EQ(tree->GetTerminalNode(1), e2);
    EXPECT_EQ(tree->GetTerminalNode(2), nullptr);
    EXPECT_EQ(tree->GetBranchIndex(e2), 1);
    EXPECT_EQ(tree->GetBranchIndex(vertex), -1);
    EXPECT_EQ(tree->FindNode(3), vertex);

    // Splitting a segment puts the new node between, in the old child's place.
    DUxLeaderNode* mid = tree->InsertNode(e2, {15, -5, 0});
    ASSERT_TRUE(mid);
    EXPECT_EQ(mid->GetNodeId(), 5);
    EXPECT_EQ(e2->GetParent(), mid);
    EXPECT_EQ(mid->GetParent(), vertex);
    ASSERT_EQ(vertex->GetNumberOfChildren(), 1);
    EXPECT_EQ(vertex->GetChildren()[0].get(), mid);

    // Removing takes the subtree; numbers are not reused.
    EXPECT_FALSE(tree->RemoveNode(root));
    const size_t nodesBefore = sheet->GetNodes().size();
    EXPECT_TRUE(tree->RemoveNode(vertex));
    EXPECT_EQ(Ids(Order()), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(root->GetNumberOfChildren(), 1);
    EXPECT_EQ(sheet->GetNodes().size(), nodesBefore - 3); // vertex, mid and e2 went
    DUxLeaderNode* again = tree->AddNode(root, {1, 1, 0});
    EXPECT_EQ(again->GetNodeId(), 6);
    EXPECT_EQ(tree->AddNode(nullptr, {}), nullptr);

    // Deleting the tree takes every node.
    const size_t withTree = sheet->GetNodes().size();
    Tree::Delete(tree);
    EXPECT_EQ(sheet->GetNodes().size(), withTree - 4);
}

// Edits of a placed leader: moving a node by its number, a branch from the root or from the
// first bend, and pruning what an edit left without purpose.
TEST_F(LeaderTree, MovesNodesAddsBranchesAndPrunes) {
    EXPECT_TRUE(tree->SetNodePoint(3, {12, 2, 0}));
    EXPECT_EQ(vertex->GetPoint(), WqGePoint3d(12, 2, 0));
    EXPECT_TRUE(tree->SetNodePoint(4, {30, -10, 0}));
    EXPECT_EQ(e2->GetPoint(), WqGePoint3d(30, -10, 0));
    EXPECT_FALSE(tree->SetNodePoint(99, {}));

    // The root's first child is the end E1, so even without attaching to the root the branch
    // starts at the root.
    DUxBaseTerminalLeaderNode* e3 = tree->AddBranch({{0, 10, 0}}, {0, 20, 0}, nullptr, false);
    ASSERT_TRUE(e3);
    ASSERT_TRUE(e3->GetParent());
    EXPECT_EQ(e3->GetParent()->GetPoint(), WqGePoint3d(0, 10, 0));
    EXPECT_EQ(e3->GetParent()->GetParent(), root);
    EXPECT_EQ(tree->GetNumBranches(), 3);
    EXPECT_EQ(e3->GetPoint(), WqGePoint3d(0, 20, 0));

    // Pruning: an inner node on its parent goes and its child moves up; one without children
    // goes; the root and the ends stay however they lie.
    DUxLeaderNode* onParent = tree->InsertNode(e2, vertex->GetPoint());
    DUxLeaderNode* bare = tree->AddNode(vertex, {40, 40, 0});
    root->SetPoint(e1->GetPoint());
    const int32_t before = tree->GetNumNodes();
    EXPECT_EQ(tree->PruneTree(), 2);
    EXPECT_EQ(tree->GetNumNodes(), before - 2);
    EXPECT_EQ(tree->GetIndexOfNode(onParent), -1);
    EXPECT_EQ(tree->GetIndexOfNode(bare), -1);
    EXPECT_EQ(e2->GetParent(), vertex);
    ASSERT_EQ(vertex->GetNumberOfChildren(), 1);
    EXPECT_EQ(vertex->GetChildren()[0].get(), e2);
    EXPECT_EQ(tree->GetRoot(), root);
    EXPECT_EQ(tree->PruneTree(), 0);
}

TEST_F(LeaderTree, FindsPointsOnNodesAndSegments) {
    struct Case {
        const char* name;
        WqGePoint3d p;
        DUxLeaderNode* LeaderTree::*hit;
        bool onNode;
    };
    const Case cases[] = {
        {"on the root", {0.05, 0, 0}, &LeaderTree::root, true},
        {"on an end", {20, -10.05, 0}, &LeaderTree::e2, true},
        {"on the first segment", {-5, -5.05, 0}, &LeaderTree::e1, false},
        {"on the vertex segment", {5, 0.09, 0}, &LeaderTree::vertex, false},
        {"off the tree", {5, 0.2, 0}, nullptr, false},
        {"beyond an end", {25, -15, 0}, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DUxLeaderNode* hit = nullptr;
        bool onNode = true;
        EXPECT_EQ(tree->IsOnTree(c.p, hit, onNode), c.hit != nullptr);
        EXPECT_EQ(hit, c.hit ? this->*c.hit : nullptr);
        EXPECT_EQ(onNode, c.onNode);
    }
}

TEST_F(LeaderTree, ShiftsAndScalesEveryNode) {
    tree->ShiftPoints({1, 2, 0});
    EXPECT_EQ(root->GetPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_EQ(e2->GetPoint(), WqGePoint3d(21, -8, 0));
    tree->ScalePoints({1, 2, 0}, 1, 2);
    EXPECT_EQ(root->GetPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_EQ(e2->GetPoint(), WqGePoint3d(41, -18, 0));
    EXPECT_EQ(e1->GetPoint(), WqGePoint3d(-19, -18, 0));
    tree->ScalePoints({}, 0, 5); // no old scale: nothing to scale from
    EXPECT_EQ(e2->GetPoint(), WqGePoint3d(41, -18, 0));
}

TEST_F(LeaderTree, LandingGivesTheAttachPoint) {
    struct Case {
        Tree::ELandingPos stored;
        bool shortLanding;
        Tree::ELandingPos pos;
        WqGePoint3d attach;
    };
    tree->SetLandingLength(2);
    tree->SetReferenceLandingLength(5);
    const Case cases[] = {
        {Tree::kPosX, false, Tree::kPosX, {2, 0, 0}},
        {Tree::kPosY, false, Tree::kPosY, {0, 2, 0}},
        {Tree::kNegX, false, Tree::kNegX, {-2, 0, 0}},
        {Tree::kNegY, true, Tree::kNegY, {0, -5, 0}}, // short: drawn at the reference length
        // No position: away from the first segment, which comes from the lower left.
        {Tree::kNoLanding, false, Tree::kPosX, {2, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.stored));
        tree->SetLandingPosition(c.stored);
        Tree::ELandingPos pos = Tree::kNoLanding;
        WqGePoint3d attach;
        WqGeVector3d dir;
        ASSERT_TRUE(tree->GetSymbolAttachPoint(c.shortLanding, pos, attach, dir));
        EXPECT_EQ(pos, c.pos);
        EXPECT_EQ(attach, c.attach);
        EXPECT_EQ(dir, Tree::LandingDirection(c.pos));
    }
    tree->SetLandingPosition(Tree::ELandingPos(7));
    EXPECT_EQ(tree->GetLandingPosition(), Tree::kNoLanding);
    // First segment from the right: the symbol attaches on the left.
    root->SetPoint({-20, 0, 0});
    Tree::ELandingPos pos;
    WqGePoint3d attach;
    WqGeVector3d dir;
    tree->GetSymbolAttachPoint(false, pos, attach, dir);
    EXPECT_EQ(pos, Tree::kNegX);
}

TEST(LeaderItemIds, RoundTripEveryKindAndTheFieldLimits) {
    const int32_t kinds[] = {1, 2, 4, 6, 7, 8, 9, 10, 11, 12};
    struct Fields {
        int32_t leader, arrow, node;
    };
    const Fields fields[] = {{0, -1, -1}, {0, 0, 0}, {3, 2, 17}, {127, 254, 4094}, {1, -1, 4094}};
    std::vector<int32_t> seen;
    for (int32_t kind : kinds)
        for (const Fields& f : fields) {
            const int32_t id = Tree::SynthesizeItemID(kind, f.leader, f.arrow, f.node);
            int32_t k = 0, l = 0, a = 0, n = 0;
            Tree::AnalyzeItemID(id, k, l, a, n);
            EXPECT_EQ((std::vector<int32_t>{k, l, a, n}),
                      (std::vector<int32_t>{kind, f.leader, f.arrow, f.node}));
            seen.push_back(id);
        }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "ids collide";
}

TEST_F(LeaderTree, DrawsSegmentsLandingAndHotPointsWithItemIds) {
    tree->SetLandingPosition(Tree::kNegY);
    tree->SetLandingLength(3);
    SMxDisplayList plain, hot;
    tree->GenGraphics(nullptr, plain, 2, false, false, nullptr, nullptr, false, true, true);
    tree->GenGraphics(nullptr, hot, 2, false, true, nullptr, nullptr, false, true, true);

    auto describe = [](const SMxDisplayList& list) {
        std::vector<std::vector<int32_t>> out; // kind of item, then the id's fields
        for (const SMxDisplayItem& item : list) {
            int32_t k, l, a, n;
            Tree::AnalyzeItemID(item.GetId(), k, l, a, n);
            out.push_back({int32_t(item.GetKind()), k, l, a, n});
        }
        return out;
    };
    const int32_t line = int32_t(SMxItemKind::Line), point = int32_t(SMxItemKind::Point);
    // Host ends have no arrowheads: segments (child's id, branch for ends), then the landing.
    EXPECT_EQ(
        describe(plain),
        (std::vector<std::vector<int32_t>>{
            {line, 2, 2, 0, 1}, {line, 2, 2, -1, 3}, {line, 2, 2, 1, 4}, {line, 2, 2, -1, 2}}));
    EXPECT_EQ(describe(hot), (std::vector<std::vector<int32_t>>{{line, 2, 2, 0, 1},
                                                                {point, 1, 2, 0, 1},
                                                                {line, 2, 2, -1, 3},
                                                                {point, 2, 2, -1, 3},
                                                                {line, 2, 2, 1, 4},
                                                                {point, 1, 2, 1, 4},
                                                                {line, 2, 2, -1, 2},
                                                                {point, 7, 2, -1, 2},
                                                                {point, 10, 2, -1, 2}}));
    const auto* landing = plain.GetAt(3).As<SMxLineItem>();
    ASSERT_TRUE(landing);
    EXPECT_EQ(landing->end, WqGePoint3d(0, -3, 0));
}

TEST_F(LeaderTree, IsStoredAndAnAbortedEditLeavesNoTrace) {
    tree->SetLandingPosition(Tree::kNegX);
    tree->SetLandingLength(4.5);
    tree->SetReferenceLandingLength(1.5);
    const std::vector<uint8_t> before = Bytes();

    RSeDatabase* db = doc.GetRSeDb();
    db->BeginTxn();
    tree->InsertNode(e2, {12, -3, 0});
    tree->RemoveNode(e1);
    tree->ShiftPoints({3, 3, 0});
    tree->SetLandingPosition(Tree::kPosY);
    db->AbortTxn();
    EXPECT_EQ(Bytes(), before);

    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(before.data(), before.size(), loaded).Failed());
    auto* t = dynamic_cast<Tree*>(loaded->FindObject(tree->GetId()));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->GetNumNodes(), 4);
    EXPECT_EQ(t->GetNodeCounter(), 4);
    EXPECT_EQ(t->GetRoot()->GetNodeId(), root->GetNodeId());
    EXPECT_EQ(t->GetLandingPosition(), Tree::kNegX);
    EXPECT_EQ(t->GetLandingLength(), 4.5);
    EXPECT_EQ(t->GetReferenceLandingLength(), 1.5);
    DUxLeaderNode* v = t->FindNode(3);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->GetPoint(), WqGePoint3d(10, 0, 0));
    EXPECT_EQ(v->GetParent(), t->GetRoot());
    ASSERT_EQ(v->GetNumberOfChildren(), 1);
    EXPECT_EQ(v->GetChildren()[0].get(), t->GetTerminalNode(1));
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, before);
}

} // namespace

// What a user deletes: a node alone (its children move up to its parent), or a branch with
// the inner nodes that led only to it; the last end is never taken, the tree shrinks to it.
TEST_F(LeaderTree, DeletesANodeOrABranchAndKeepsTheLastEnd) {
    // Ids: E1 1, R 2, V 3, E2 4.
    const struct Case {
        const char* name;
        int32_t nodeId;
        bool single;
        std::vector<int32_t> left; // node ids in index order
        int32_t newRoot;
    } cases[] = {
        {"the vertex alone: E2 hangs on the root", 3, true, {1, 2, 4}, 2},
        {"the branch at E2 takes V with it", 4, false, {1, 2}, 2},
        {"E2 alone takes V as well: it led nowhere else", 4, true, {1, 2}, 2},
        {"the branch at V", 3, false, {1, 2}, 2},
        {"the root stays", 2, false, {1, 2, 3, 4}, 2},
        {"a node not in the tree", 99, false, {1, 2, 3, 4}, 2},
    };
    struct Fresh : LeaderTree {
        void TestBody() override {}
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh fresh;
        DUxLeaderNode* node = fresh.tree->FindNode(c.nodeId);
        const bool expected = c.left.size() != 4;
        EXPECT_EQ(c.single ? fresh.tree->DeleteNode(node) : fresh.tree->DeleteBranch(node),
                  expected);
        EXPECT_EQ(Ids(fresh.Order()), c.left);
        EXPECT_EQ(fresh.tree->GetRoot()->GetNodeId(), c.newRoot);
        if (c.nodeId == 3 && c.single) {
            EXPECT_EQ(fresh.e2->GetParent(), fresh.root);
            EXPECT_EQ(Ids({fresh.root->GetChildren()[0].get(), fresh.root->GetChildren()[1].get()}),
                      (std::vector<int32_t>{1, 4}));
        }
    }

    // Deleting E1's branch, then E2's, leaves E2 alone as root and end: a leader drawn as none.
    EXPECT_TRUE(tree->DeleteBranch(e1));
    EXPECT_EQ(tree->GetNumBranches(), 1);
    EXPECT_TRUE(tree->DeleteBranch(e2));
    ASSERT_EQ(tree->GetNumNodes(), 1);
    EXPECT_EQ(tree->GetRoot(), e2);
    EXPECT_EQ(tree->GetTerminalNode(0), e2);
    EXPECT_EQ(e2->GetParent(), nullptr);
    EXPECT_EQ(e2->GetPoint(), WqGePoint3d(20, -10, 0));
}
