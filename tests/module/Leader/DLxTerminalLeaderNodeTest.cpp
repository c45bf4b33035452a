// Leader ends tied to anchor points, their generator, and the leader utilities.
#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxGUID.h"

namespace {

using Tree = DUxLeaderNodeTree;

DLxTerminalLeaderNode* End(DUxLeaderNode* n) {
    return dynamic_cast<DLxTerminalLeaderNode*>(n);
}

// The first end E0 at (10,10), the root R above it at (0,0), an inner node V at (-5,0) under R
// with the end E1 at (-10,-10).
class Leader : public ::testing::Test {
protected:
    Leader() {
        e0 = End(tree->GetRoot());
        root = tree->InsertNode(e0, {0, 0, 0});
        vertex = tree->AddNode(root, {-5, 0, 0});
        e1 = End(tree->AddTerminalNode(vertex, {-10, -10, 0}));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> b;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(b).Failed());
        return b;
    }
    bool InSheet(const RDxNode* n) const { return sheet->HasNode(n); }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DLxViewInstance* view = sheet->CreateView(u"Front");
    DLxTerminalNodeGenerator* generator = DLxTerminalNodeGenerator::Create(sheet);
    Tree* tree = Tree::Create(sheet, generator, {10, 10, 0});
    DLxTerminalLeaderNode* e0 = nullptr;
    DUxLeaderNode* root = nullptr;
    DUxLeaderNode* vertex = nullptr;
    DLxTerminalLeaderNode* e1 = nullptr;
};

TEST_F(Leader, GeneratorMakesFreeEndsWithArrowheads) {
    ASSERT_TRUE(e0 && e1);
    EXPECT_EQ(tree->GetTerminalNodeGenerator(), generator);
    EXPECT_EQ(e0->GetNodeId(), 1);
    EXPECT_EQ(e1->GetNodeId(), 4);
    for (DLxTerminalLeaderNode* e : {e0, e1}) {
        DLxAnchorPoint* anchor = e->GetAnchorPoint();
        ASSERT_TRUE(anchor && e->GetArrowHeadState());
        EXPECT_FALSE(anchor->IsOnEdge());
        EXPECT_EQ(anchor->GetViewInstance(), nullptr); // no end knew a view
        EXPECT_EQ(e->GetArrowHeadState()->GetTemplateId(), Tree::kDefaultArrowHeadId);
        EXPECT_TRUE(InSheet(anchor) && InSheet(e->GetArrowHeadState()) && InSheet(e));
    }
    EXPECT_EQ(e1->GetAnchorPoint()->GetPoint(), WqGePoint3d(-10, -10, 0));
    WqGePoint3d p;
    EXPECT_EQ(generator->CreateTerminalNode(nullptr, root, p, nullptr, 28029), nullptr);

    // Once an end knows a view, new ends take it; a given arrowhead is used as it is.
    e1->GetAnchorPoint()->SetViewInstance(view);
    DUxArrowHeadState* given = DUxArrowHeadState::Create(sheet, 28031);
    auto* e2 = End(tree->AddTerminalNode(root, {3, 4, 0}, given));
    auto* e3 = End(tree->AddTerminalNode(root, {5, 6, 0}, nullptr, 28032));
    ASSERT_TRUE(e2 && e3);
    EXPECT_EQ(e2->GetAnchorPoint()->GetViewInstance(), view);
    EXPECT_EQ(e2->GetAnchorPoint()->GetPoint(), WqGePoint3d(3, 4, 0));
    EXPECT_EQ(e2->GetArrowHeadState(), given);
    EXPECT_EQ(e3->GetArrowHeadState()->GetTemplateId(), 28032u);
    EXPECT_EQ(tree->GetNodeCounter(), 6);
}

TEST_F(Leader, PointsAreReadFromTheAnchor) {
    e1->GetAnchorPoint()->SetPoint({-20, -30, 0});
    EXPECT_EQ(e1->GetPoint(), WqGePoint3d(-20, -30, 0));
    EXPECT_EQ(e1->GetStoredPoint(), WqGePoint3d(-20, -30, 0));
    e1->SetTerminalPoint({1, 2, 0});
    EXPECT_EQ(e1->GetAnchorPoint()->GetPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_EQ(e1->GetUnbrokenPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_FALSE(e1->IsAttachedToAnnotation());
    DUxLineGeometry line;
    EXPECT_FALSE(e1->GetLineOfAnchorGeometry(line));

    // Without an anchor: a free end at the origin, its stored point kept, moves ignored.
    auto* bare =
        new (RSe::_GetMeta(static_cast<const DLxTerminalLeaderNode*>(nullptr)), sheet->GetSegment())
            DLxTerminalLeaderNode(root, {5, 5, 0}, 9, nullptr, nullptr);
    sheet->AddNode(bare);
    EXPECT_EQ(bare->GetPoint(), WqGePoint3d());
    bare->SetTerminalPoint({7, 7, 0});
    EXPECT_EQ(bare->GetStoredPoint(), WqGePoint3d(5, 5, 0));
    EXPECT_EQ(bare->UnbrokenToBroken({3, 3, 0}), WqGePoint3d(3, 3, 0));
    EXPECT_FALSE(bare->IsUnbrokenPointRemoved());
}

TEST_F(Leader, TerminalIndexesCountOnlyTheEnds) {
    DLxAnchorPoint* a0 = e0->GetAnchorPoint();
    DLxAnchorPoint* a1 = e1->GetAnchorPoint();
    DLxAnchorPoint* stranger = DLxAnchorPoint::Create(sheet);
    struct IndexCase {
        Tree* tree;
        DLxAnchorPoint* anchor;
        int32_t index;
    };
    for (const IndexCase& c : {IndexCase{tree, a0, 0}, IndexCase{tree, a1, 1},
                               IndexCase{tree, stranger, 1}, // not held: the last end
                               IndexCase{tree, nullptr, -1}, IndexCase{nullptr, a0, -1}})
        EXPECT_EQ(DLxLeaderUtils::GetAnchorPointIndex(c.tree, c.anchor), c.index);

    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(tree, -1), a0);
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(tree, 0), a0);
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(tree, 1), a1);
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(tree, 2), nullptr);
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(nullptr, 0), nullptr);

    EXPECT_EQ(DLxLeaderUtils::GetViewInstance(tree), nullptr);
    a1->SetViewInstance(view);
    EXPECT_EQ(DLxLeaderUtils::GetViewInstance(tree), view);
    EXPECT_EQ(DLxLeaderUtils::GetViewInstance(nullptr), nullptr);
}

TEST_F(Leader, PassValueMakesAndDropsTheOwnedObjects) {
    e1->GetArrowHeadState()->SetTemplateRef(DUxArrowHeadTemplate::Find(28033));
    auto* target =
        new (RSe::_GetMeta(static_cast<const DLxTerminalLeaderNode*>(nullptr)), sheet->GetSegment())
            DLxTerminalLeaderNode(nullptr, {}, 0, nullptr, nullptr);
    sheet->AddNode(target);
    e1->PassValue(target);
    ASSERT_TRUE(target->GetAnchorPoint() && target->GetArrowHeadState());
    EXPECT_NE(target->GetAnchorPoint(), e1->GetAnchorPoint());
    EXPECT_EQ(target->GetPoint(), WqGePoint3d(-10, -10, 0));
    EXPECT_EQ(target->GetNodeId(), e1->GetNodeId());
    EXPECT_EQ(target->GetArrowHeadState()->GetTemplateId(), 28033u);

    DLxAnchorPoint* anchor = target->GetAnchorPoint();
    DUxArrowHeadState* state = target->GetArrowHeadState();
    auto* empty = new (RSe::_GetMeta(static_cast<const DLxTerminalLeaderNode*>(nullptr)),
                       sheet->GetSegment()) DLxTerminalLeaderNode(nullptr, {}, 0, nullptr, nullptr);
    sheet->AddNode(empty);
    empty->PassValue(target);
    EXPECT_EQ(target->GetAnchorPoint(), nullptr);
    EXPECT_EQ(target->GetArrowHeadState(), nullptr);
    EXPECT_FALSE(InSheet(anchor) || InSheet(state));
}

TEST_F(Leader, RemovingAnEndTakesWhatItOwns) {
    DLxAnchorPoint* anchor = e1->GetAnchorPoint();
    DUxArrowHeadState* state = e1->GetArrowHeadState();
    DUxSymState* reader = DUxSymState::Create(sheet);
    reader->AddDependency(anchor);

    // Replacing the arrowhead deletes the old one.
    DUxArrowHeadState* other = DUxArrowHeadState::Create(sheet, 28030);
    e1->SetArrowHeadState(other);
    EXPECT_FALSE(InSheet(state));
    EXPECT_EQ(e1->GetArrowHeadState(), other);

    ASSERT_TRUE(tree->RemoveNode(e1));
    EXPECT_FALSE(InSheet(anchor) || InSheet(other) || InSheet(reader));
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPoint(tree, 1), nullptr);

    // A deleted leader takes its ends' anchors and arrowheads, not the shared generator.
    Tree* second = Tree::Create(sheet, generator, {7, 7, 0});
    DLxAnchorPoint* otherAnchor = DLxLeaderUtils::GetAnchorPoint(second, 0);
    DUxArrowHeadState* otherState = second->GetArrowHead(0);
    Tree::Delete(second);
    EXPECT_FALSE(InSheet(otherAnchor) || InSheet(otherState));
    EXPECT_TRUE(InSheet(generator));

    // While its whole fragment is being torn down an end leaves its anchor to the fragment.
    DLxAnchorPoint* a0 = e0->GetAnchorPoint();
    DUxArrowHeadState* s0 = e0->GetArrowHeadState();
    sheet->SetFlag(DLxTerminalLeaderNode::kFragmentTearDown);
    e0->DeleteOwnedObjects();
    EXPECT_TRUE(InSheet(a0));
    EXPECT_FALSE(InSheet(s0));
}

TEST_F(Leader, ArrowheadsAreIndexedDrawnAndBoxed) {
    std::vector<int32_t> indexes = {7};
    tree->GetArrowHeadIndexes(indexes);
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(tree->GetArrowHead(1), e1->GetArrowHeadState());
    EXPECT_EQ(tree->GetArrowHead(2), nullptr);

    SMxDisplayList list;
    tree->GenGraphics(nullptr, list, 1, false, false, nullptr, nullptr, false, true, false);
    std::vector<std::vector<int32_t>> fills;
    for (const SMxDisplayItem& item : list)
        if (item.GetKind() == SMxItemKind::Fill) {
            int32_t k, l, a, n;
            Tree::AnalyzeItemID(item.GetId(), k, l, a, n);
            fills.push_back({k, l, a, n});
        }
    EXPECT_EQ(fills, (std::vector<std::vector<int32_t>>{{8, 1, 0, 1}, {8, 1, 1, 4}}));
    SMxDisplayList bare;
    tree->GenGraphics(nullptr, bare, 1, false, false, nullptr, nullptr, false, false, false);
    EXPECT_EQ(bare.Count(), 3); // the segments only

    // Boxes: the end on its parent's point points along X; boxes are appended.
    e0->GetAnchorPoint()->SetPoint({0, 0, 0});
    std::vector<DUxArrowHeadBox> boxes(1);
    DLxLeaderUtils::AppendArrowHeadBoxes(tree, nullptr, boxes);
    ASSERT_EQ(boxes.size(), 3u);
    const auto& along = boxes[1].GetPoints();
    ASSERT_EQ(along.size(), 3u);
    EXPECT_EQ(along[0], WqGePoint3d(0, 0, 0));
    EXPECT_TRUE(along[1].isEqualTo({-3, 0.5, 0}));
    const auto& slanted = boxes[2].GetPoints();
    EXPECT_EQ(slanted[0], WqGePoint3d(-10, -10, 0));
    // Its back lies 3 from the tip towards the parent at (-5, 0).
    const WqGePoint3d back = slanted[1] + (slanted[2] - slanted[1]) * 0.5;
    EXPECT_TRUE(back.isEqualTo(WqGePoint3d(-10, -10, 0) + WqGeVector3d(5, 10, 0).normal() * 3));
    EXPECT_FALSE(boxes[2].HasExtensionLine());

    e1->SetArrowHeadState(nullptr);
    tree->GetArrowHeadIndexes(indexes);
    EXPECT_EQ(indexes, (std::vector<int32_t>{0}));
    boxes.clear();
    DLxLeaderUtils::AppendArrowHeadBoxes(tree, nullptr, boxes);
    EXPECT_EQ(boxes.size(), 1u); // an end without an arrowhead has no box
    // Only placed symbols have boxes, and never a leader of one node.
    boxes.clear();
    DLxLeaderUtils::GetArrowHeadBoxes(tree, nullptr, boxes);
    Tree* single = Tree::Create(sheet, generator, {1, 1, 0});
    DLxLeaderUtils::AppendArrowHeadBoxes(single, nullptr, boxes);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Leader, TransientCopyHasItsOwnEnds) {
    e1->GetAnchorPoint()->SetViewInstance(view);
    const std::vector<uint8_t> before = Bytes();
    Tree* copy = DLxLeaderUtils::MakeTransientCopy(tree);
    ASSERT_TRUE(copy);
    EXPECT_EQ(DLxLeaderUtils::MakeTransientCopy(nullptr), nullptr);
    EXPECT_NE(copy, tree);
    EXPECT_EQ(copy->GetSegment(), RSe::TransientSegment(true));
    EXPECT_EQ(copy->GetNumNodes(), tree->GetNumNodes());
    EXPECT_NE(copy->GetTerminalNodeGenerator(), generator);
    EXPECT_EQ(copy->GetRoot()->GetNodeId(), root->GetNodeId());
    DLxAnchorPoint* a = DLxLeaderUtils::GetAnchorPoint(copy, 1);
    ASSERT_TRUE(a);
    EXPECT_NE(a, e1->GetAnchorPoint());
    EXPECT_EQ(a->GetViewInstance(), view); // the real view
    EXPECT_NE(copy->GetArrowHead(1), e1->GetArrowHeadState());
    a->SetPoint({50, 50, 0});
    EXPECT_EQ(End(copy->GetTerminalNode(1))->GetPoint(), WqGePoint3d(50, 50, 0));
    EXPECT_EQ(e1->GetPoint(), WqGePoint3d(-10, -10, 0));
    EXPECT_EQ(Bytes(), before);
}

TEST_F(Leader, IsStoredAndAnAbortedEditLeavesNoTrace) {
    // Documents name the classes by these GUIDs.
    struct MetaCase {
        RSeMetaType* meta;
        const char16_t* name;
        const char* guid;
        RSeMetaType* base;
    };
    for (const MetaCase& c :
         {MetaCase{e0->GetMeta(), u"DLxTerminalLeaderNode",
                   "{28be2d5a-6369-11d4-b764-0060b0fbb682}",
                   RSe::_GetMeta(static_cast<const DUxLeaderNode*>(nullptr))},
          MetaCase{generator->GetMeta(), u"DLxTerminalNodeGenerator",
                   "{8a06920d-05b1-4b21-9a53-24b9899b343c}",
                   RSe::_GetMeta(static_cast<const DUxBaseTerminalNodeGenerator*>(nullptr))}}) {
        UTxGUID guid;
        ASSERT_TRUE(UTxGUID::Parse(std::string_view(c.guid), guid));
        EXPECT_EQ(c.meta->GetName(), c.name);
        EXPECT_EQ(c.meta->GetGUID(), guid);
        EXPECT_EQ(c.meta->GetBase(), c.base);
        EXPECT_EQ(c.meta->GetVersion(), 0);
        EXPECT_EQ(RSeMetaType::Find(c.name), c.meta);
    }
    e1->GetArrowHeadState()->SetTemplateRef(DUxArrowHeadTemplate::Find(28032));
    const std::vector<uint8_t> before = Bytes();
    const uint32_t anchorId = e1->GetAnchorPoint()->GetId();

    // The abort brings deleted objects back as new ones: plain pointers to them are stale.
    RSeDatabase* db = doc.GetRSeDb();
    db->BeginTxn();
    tree->AddTerminalNode(vertex, {1, 1, 0});
    e1->SetArrowHeadState(nullptr);
    e0->SetTerminalPoint({4, 4, 0});
    tree->RemoveNode(vertex);
    db->AbortTxn();
    EXPECT_EQ(Bytes(), before);

    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(before.data(), before.size(), loaded).Failed());
    auto* t = dynamic_cast<Tree*>(loaded->FindObject(tree->GetId()));
    ASSERT_TRUE(t);
    EXPECT_TRUE(dynamic_cast<DLxTerminalNodeGenerator*>(t->GetTerminalNodeGenerator()));
    auto* end = End(t->GetTerminalNode(1));
    ASSERT_TRUE(end && end->GetAnchorPoint() && end->GetArrowHeadState());
    EXPECT_EQ(end->GetAnchorPoint()->GetId(), anchorId);
    EXPECT_EQ(end->GetPoint(), WqGePoint3d(-10, -10, 0));
    EXPECT_EQ(end->GetArrowHeadState()->GetTemplateId(), 28032u);
    EXPECT_EQ(DLxLeaderUtils::GetAnchorPointIndex(t, end->GetAnchorPoint()), 1);
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, before);
}

} // namespace
