// The placed symbol's leader bookkeeping, landing, placement, compute and health, on a test
// kind whose state draws a box and a text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <list>
#include <memory>
#include <vector>

#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "SymTestKind.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "render/RNxRenderer.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxDiagnosis.h"
#include "utx/UTxString16.h"

namespace {

using Tree = DUxLeaderNodeTree;

void ExpectNear(const WqGePoint3d& a, const WqGePoint3d& b, double tol = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

WqGePoint3d Root(DLxSymInstance* sym, int32_t leader = 0) {
    return sym->GetLeader(leader)->GetRoot()->GetPoint();
}

int32_t CountItems(const SMxDisplayList& list, SMxItemKind kind) {
    int32_t n = 0;
    for (const SMxDisplayItem& item : list) {
        if (auto* child = item.As<SMxChildItem>()) n += CountItems(child->list, kind);
        if (item.GetKind() == kind) ++n;
    }
    return n;
}

TEST(SymInstance, MetaTypeIsRegistered) {
    RSeMetaType* mt = RSeMetaType::Find(u"DLxSymInstance");
    ASSERT_TRUE(mt);
    EXPECT_EQ(mt->GetVersion(), 7);
    EXPECT_TRUE(mt->IsKindOf(RSeMetaType::Find(u"DLxEmblem")));
}

TEST(SymInstance, LeaderBookkeeping) {
    SymTestSheet t;
    auto* sym = new (RSe::_InitMeta(static_cast<const SymTestKind*>(nullptr)),
                     t.sheet->GetSegment()) SymTestKind(t.sheet, nullptr);
    EXPECT_EQ(sym->GetInputStateCount(), 2u);
    EXPECT_TRUE(sym->GetSymState() && sym->GetDisplayList());
    EXPECT_EQ(sym->GetNumLeaders(), 0);
    EXPECT_EQ(sym->GetLeader(0), nullptr);

    Tree* a = Tree::Create(t.sheet, t.generator, {1, 1, 0});
    Tree* b = Tree::Create(t.sheet, t.generator, {2, 2, 0});
    sym->AppendLeader(a);
    EXPECT_EQ(sym->GetNumLeaders(), 1);
    EXPECT_EQ(sym->GetInputState(2), a);
    sym->SetLeader(b, 1); // never appends
    EXPECT_EQ(sym->GetNumLeaders(), 1);
    EXPECT_EQ(sym->GetLeader(-1), nullptr);

    // A leader of its root alone is not active; a missing one is not either.
    EXPECT_FALSE(sym->IsActiveLeader(0));
    EXPECT_FALSE(sym->IsActiveLeader(1));
    EXPECT_FALSE(sym->IsActiveLeader(-1));
    sym->AppendLeader(b);
    b->InsertNode(b->GetRoot(), {3, 3, 0});
    EXPECT_EQ(sym->GetNumberOfActiveLeaders(), 1);
    sym->SetDisplayLeaders(false);
    EXPECT_EQ(sym->GetNumberOfActiveLeaders(), 0);
    sym->SetDisplayLeaders(true);

    sym->SwapLeaders(0, 1);
    EXPECT_EQ(sym->GetLeader(0), b);
    sym->SwapLeaders(0, 2);
    EXPECT_EQ(sym->GetLeader(0), b);

    // Arrowhead index first, leader second.
    EXPECT_EQ(sym->GetArrowHeadState(0, 1), a->GetArrowHead(0));
    EXPECT_EQ(sym->GetArrowHeadState(0, 2), nullptr);
    EXPECT_EQ(sym->GetArrowHeadRef(4, 0), nullptr);
    std::vector<int32_t> indexes;
    sym->GetArrowHeadIndexes(indexes, 0);
    EXPECT_EQ(indexes, std::vector<int32_t>{0});

    const uint32_t bId = b->GetId();
    sym->RemoveLeader(0);
    EXPECT_EQ(sym->GetNumLeaders(), 1);
    EXPECT_EQ(sym->GetLeader(0), a);
    EXPECT_EQ(t.doc->GetRSeDb()->FindObject(bId), nullptr);
}

TEST(SymInstance, FlagsAnswerTheirWord) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {5, 5, 0});
    sym->SetSymFlag(DLxSymInstance::kLeaderTextEditedFlag | DLxSymInstance::kAboveOrLeftFlag);
    sym->SetSymFlag(DLxSymInstance::kNoSelfClippingFlag);
    sym->UnsetSymFlag(DLxSymInstance::kNoSelfClippingFlag);
    EXPECT_EQ(sym->GetSymFlags(), uint64_t{0x00020001});
    EXPECT_TRUE(sym->IsSymFlagOn(0x3)); // any of the bits
    EXPECT_FALSE(sym->IsSymFlagOn(0x2));
    sym->ClearSymFlags();
    EXPECT_EQ(sym->GetSymFlags(), 0u);
}

TEST(SymInstance, LandingFollowsTheLongerComponent) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {10, 10, 0});
    struct Case {
        WqGePoint3d p;
        double length;
        Tree::ELandingPos pos;
    } cases[] = {
        {{10, 10, 0}, 0, Tree::kNoLanding},
        {{11, 11, 0}, std::sqrt(2.0), Tree::kPosX}, // ties go to horizontal
        {{9, 11, 0}, std::sqrt(2.0), Tree::kNegX},
        {{10.5, 9, 0}, std::hypot(0.5, 1.0), Tree::kNegY},
        {{10, 13, 0}, 3, Tree::kPosY},
    };
    for (const Case& c : cases) {
        WqGePoint3d p = c.p;
        ASSERT_TRUE(sym->SetLandingEndPoint(p, 0));
        EXPECT_NEAR(sym->GetLeader(0)->GetLandingLength(), c.length, 1e-12);
        EXPECT_EQ(sym->GetLeader(0)->GetLandingPosition(), c.pos);
        WqGePoint3d end;
        ASSERT_TRUE(sym->GetLandingEndPoint(end, 0));
        if (c.pos == Tree::kPosX || c.pos == Tree::kNegX) {
            EXPECT_NEAR(end.y, 10, 1e-12);
        } else if (c.pos != Tree::kNoLanding) {
            EXPECT_NEAR(end.x, 10, 1e-12);
        }
    }
    WqGePoint3d p(1, 1, 0);
    EXPECT_FALSE(sym->SetLandingEndPoint(p, 1));
    EXPECT_FALSE(sym->GetLandingEndPoint(p, 1));
}

TEST(SymInstance, PointsOnLeadersAndNewVertices) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {10, 0, 0});
    WqGePoint3d p(5, 0.05, 0);
    int32_t leader = -1;
    ASSERT_TRUE(sym->IsOnAnyLeader(p, leader));
    EXPECT_EQ(leader, 0);
    ExpectNear(p, {5, 0, 0}); // onto the segment's line
    WqGePoint3d nearNode(10, 0.05, 0);
    ASSERT_TRUE(sym->IsOnLeader(nearNode, 0));
    ExpectNear(nearNode, {10, 0, 0});
    WqGePoint3d off(5, 3, 0);
    EXPECT_FALSE(sym->IsOnAnyLeader(off, leader));

    DUxLeaderNode* vertex = sym->AddLeaderVertex({4, 0.05, 0}, 0);
    ASSERT_TRUE(vertex);
    EXPECT_EQ(sym->GetLeader(0)->GetNumNodes(), 3);
    EXPECT_EQ(sym->AddLeaderVertex({4, 3, 0}, 0), nullptr);
    EXPECT_EQ(sym->AddLeaderVertex({4, 0, 0}, 1), nullptr);
}

// Dragging the box near the anchor geometry hides the leaders and puts the root on it.
TEST(SymInstance, MoveSymbolBoxSnapsToAnchorGeometry) {
    struct Case {
        int32_t edge;
        double param;
        WqGePoint3d target;
        bool byUser;
        bool shown;
        WqGePoint3d root;
    } cases[] = {
        {1, 0.5, {100, 100.24, 0}, true, false, {100, 100, 0}},
        {1, 0.5, {100, 100.26, 0}, true, true, {100, 100.26, 0}},
        {1, 0.5, {100, 100.26, 0}, false, false, {100, 100.26, 0}},
        {2, 0.5, {100, 220.2, 0}, true, false, {100, 220, 0}},
        {2, 0.5, {100, 221, 0}, true, true, {100, 221, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.y);
        SymTestSheet t;
        SymTestKind* sym = t.Place(c.edge, c.param, {130, 130, 0});
        sym->m_byUser = c.byUser;
        sym->MoveSymbolBox(c.target, 0);
        EXPECT_EQ(sym->DisplayLeaders(), c.shown);
        ExpectNear(Root(sym), c.root, 1e-6);
        EXPECT_EQ(sym->GetLeader(0)->GetNumNodes(), 2);
    }
}

TEST(SymInstance, MoveSymbolBoxSetsTheSide) {
    struct Case {
        WqGePoint3d box;
        bool flag;
        bool reverse;
    } cases[] = {
        {{40, 100, 0}, true, false},   // left of the line's start
        {{160, 100, 0}, false, false}, // right of its end
        {{100, 105, 0}, true, false},  // above: on the normal's side
        {{100, 95, 0}, false, true},   // below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.x + c.box.y);
        SymTestSheet t;
        SymTestKind* sym = t.Place(1, 0.5, {130, 130, 0});
        sym->MoveSymbolBox(c.box, 0);
        EXPECT_EQ(sym->IsSymFlagOn(DLxSymInstance::kAboveOrLeftFlag), c.flag);
        if (c.box.x == 100) {
            EXPECT_EQ(sym->IsReverseSide(), c.reverse);
        }
    }
}

TEST(SymInstance, OneNodeLeaderGetsARootAboveItsEnd) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {0, 0, 0});
    Tree* single = Tree::Create(t.sheet, t.generator, {0, 0, 0});
    dynamic_cast<DLxTerminalLeaderNode*>(single->GetRoot())
        ->GetAnchorPoint()
        ->AttachToEdge(t.view, 1, 0.5);
    sym->SetLeader(single, 0);
    sym->MoveSymbolBox({100, 100.1, 0}, 0);
    EXPECT_EQ(single->GetNumNodes(), 2);
    EXPECT_NE(single->GetRoot(), single->GetTerminalNode(0));
    ExpectNear(single->GetTerminalNode(0)->GetPoint(), {100, 100, 0});
}

// A free symbol whose first anchor sits at `u` on a dimension line of that type.
SymTestKind* PlaceOnDimension(SymTestSheet& t, const WqGePoint3d& a, const WqGePoint3d& b,
                              int32_t type, double u, const WqGePoint3d& root) {
    auto* dim = DLxDimGeometryProxy::Create(t.sheet->GetSegment(), a, b, type);
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, root);
    sym->GetFirstAnchor()->AttachToGeometry(dim, u);
    sym->GetSymState()->SetOrigin(sym->GetFirstAnchor()->GetPoint());
    return sym;
}

TEST(SymInstance, StackedSymbolAttachesToItsDimensionByParameter) {
    struct Case {
        double u;
        int32_t index;
        WqGePoint3d attach;
    } cases[] = {
        {0.2, 1, {10, 50, 0}},
        {0.5, 0, {20, 50, 0}},
        {0.8, 2, {30, 50, 0}},
        {1.2, -1, {60, 60, 0}}, // the root, unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.u);
        SymTestSheet t;
        SymTestKind* sym = PlaceOnDimension(t, {10, 50, 0}, {30, 50, 0}, 0x1002, c.u, {60, 60, 0});
        static_cast<SymTestState*>(sym->GetSymState())->m_stacking = true;
        WqGePoint3d attach;
        WqGeVector3d direction;
        Tree::ELandingPos pos = Tree::kNegY;
        int32_t index = 7;
        ASSERT_TRUE(sym->GetNoLeaderSymAttachment(attach, direction, pos, index));
        EXPECT_EQ(index, c.index);
        ExpectNear(attach, c.attach);
        EXPECT_EQ(pos, Tree::kNegY);
    }
}

// Hidden leaders on a vertical dimension: the symbol turns with it unless the dimension's type
// keeps it horizontal.
TEST(SymInstance, DimensionTypesKeepTheSymbolHorizontal) {
    struct Case {
        int32_t type;
        bool skip;
        bool horizontal;
    } cases[] = {
        {0x1001, false, true},  {0x1004, false, true},  {0x1001, true, false},
        {0x1005, false, false}, {0x1000, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SymTestSheet t;
        SymTestKind* sym =
            PlaceOnDimension(t, {200, 50, 0}, {200, 60, 0}, c.type, 0.5, {200, 55, 0});
        sym->m_skipHorizontal = c.skip;
        sym->SetDisplayLeaders(false);
        ASSERT_FALSE(t.Recompute().Failed());
        WqGeVector3d x = WqGeVector3d::kXAxis;
        x.transformBy(sym->GetDisplayList()->GetChild(2).transform);
        EXPECT_EQ(x.isParallelTo(WqGeVector3d::kXAxis), c.horizontal);
    }
}

// The edge runs from (50,100) to (150,100): only a root beyond an end gets an extension line.
TEST(SymInstance, ExtensionLineOnlyBeyondTheSegment) {
    struct Case {
        double x;
        bool line;
        double endX;
    } cases[] = {
        {160, true, 150},
        {40, true, 50},
        {100, false, 0},
        {150 + 100 * 1e-11, false, 0},
        {150 + 100 * 1e-9, true, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        SymTestSheet t;
        SymTestKind* sym = t.Place(1, 0.5, {c.x, 100, 0});
        WqGePoint3d start, end;
        ASSERT_EQ(sym->GetEndPointsOfExtensionLineIfNoLeader(start, end, {}), c.line);
        if (c.line) {
            ExpectNear(start, {c.x, 100, 0});
            ExpectNear(end, {c.endX, 100, 0});
        }
    }
}

// A symbol on another symbol's dimension takes that symbol's view; two symbols on each other's
// dimensions find none instead of asking each other forever.
TEST(SymInstance, ViewThroughAnotherSymbolsDimension) {
    SymTestSheet t;
    SymTestKind* onEdge = t.Place(1, 0.5, {110, 110, 0});
    SymTestKind* a = PlaceOnDimension(t, {10, 50, 0}, {30, 50, 0}, 0x1002, 0.5, {20, 60, 0});
    SymTestKind* b = PlaceOnDimension(t, {40, 50, 0}, {60, 50, 0}, 0x1002, 0.5, {50, 60, 0});
    auto dimOf = [](SymTestKind* s) {
        return static_cast<DLxDimGeometryProxy*>(s->GetFirstAnchor()->GetGeometryProxy());
    };
    dimOf(a)->SetDimension(onEdge);
    EXPECT_EQ(a->GetView(), t.view);
    std::list<DLxViewInstance*> views;
    a->GetAllViews(views);
    EXPECT_EQ(views, std::list<DLxViewInstance*>{t.view});

    dimOf(a)->SetDimension(b);
    dimOf(b)->SetDimension(a);
    EXPECT_EQ(a->GetView(), nullptr);
    EXPECT_EQ(b->GetView(), nullptr);
}

TEST(SymInstance, AdjustLeaderRootNeedsTwoActiveLeaders) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {10, 10, 0});
    sym->AdjustLeaderRoot({50, 50, 0}, 0);
    ExpectNear(Root(sym), {10, 10, 0});

    Tree* second = Tree::Create(t.sheet, t.generator, {20, 0, 0});
    second->InsertNode(second->GetRoot(), {10, 10, 0});
    sym->AppendLeader(second);
    sym->GetSymState()->SetBoundingBox(BBox({8, 9, 0}, {12, 11, 0}));
    sym->AdjustLeaderRoot({15, 10, 0}, 0);
    ExpectNear(Root(sym, 0), {15, 10, 0});
    ExpectNear(Root(sym, 1), {15, 10, 0});
}

TEST(SymInstance, TransformRotatesAboutTheCentreThenMoves) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {10, 10, 0});
    SMxChildItem symbol, text, leader;
    symbol.list.Append(std::make_unique<SMxLineItem>(WqGePoint3d(1, 0, 0), WqGePoint3d(2, 0, 0)));
    sym->TransformInstance(&symbol, &text, &leader, nullptr, {1, 0, 0}, {10, 10, 0}, {0, 1, 0},
                           std::numbers::pi / 2);
    WqGePoint3d p(2, 0, 0);
    p.transformBy(symbol.transform);
    ExpectNear(p, {10, 12, 0}); // (2,0) turns to (1,1) about (1,0), then moves by (9,11)
    EXPECT_EQ(leader.transform, WqGeMatrix3d());
}

TEST(SymInstance, ComputeDrawsLeaderSymbolAndText) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    SMxDisplayList* list = sym->GetDisplayList();
    ASSERT_EQ(list->ChildCount(), 3);
    EXPECT_GE(CountItems(list->GetChild(0).list, SMxItemKind::Line), 1);
    EXPECT_EQ(CountItems(list->GetChild(1).list, SMxItemKind::Polyline), 1);
    EXPECT_EQ(CountItems(list->GetChild(2).list, SMxItemKind::Text), 1);
    EXPECT_FALSE(sym->GetSymState()->GetBoundingBox().isEmpty());
    EXPECT_TRUE(sym->IsValid());
    EXPECT_FALSE(sym->NeedsUpdate());
    EXPECT_EQ(sym->GetView(), t.view);
    std::vector<DLxViewInstance*> set = {t.view};
    EXPECT_TRUE(sym->BelongsExclusivelyToViewSet(set));
    EXPECT_FALSE(sym->BelongsExclusivelyToViewSet({}));
}

// Computing sets what the symbol reads only when it changes, so a sheet settles and an edit
// brings only the edited symbol out of date.
TEST(SymInstance, ComputedSheetSettles) {
    SymTestSheet t;
    SymTestKind* a = t.Place(1, 0.5, {110, 110, 0});
    SymTestKind* b = t.Place(1, 0.25, {80, 110, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    ASSERT_FALSE(t.Recompute().Failed());
    EXPECT_TRUE(t.sheet->GetOutOfDateNodes().empty());
    a->GetLeader(0)->GetRoot()->SetPoint({111, 110, 0});
    a->GetLeader(0)->MarkEdited();
    const std::vector<RDxNode*> due = t.sheet->GetOutOfDateNodes();
    EXPECT_NE(std::find(due.begin(), due.end(), a), due.end());
    EXPECT_EQ(std::find(due.begin(), due.end(), b), due.end());
}

TEST(SymInstance, ArrowHeadBoxesFollowTheLeaders) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {100, 120, 0});
    std::vector<DUxArrowHeadBox> boxes;
    sym->GetArrowHeadBoxes(boxes);
    EXPECT_TRUE(boxes.empty()); // nothing drawn yet
    ASSERT_FALSE(t.Recompute().Failed());
    sym->GetArrowHeadBoxes(boxes);
    ASSERT_EQ(boxes.size(), 2u); // the symbol's outline, then the arrowhead
    EXPECT_TRUE(boxes[0].IsOwnBox());
    EXPECT_EQ(boxes[0].GetEmblem(), sym);
    EXPECT_EQ(boxes[0].GetPoints().size(), 4u);
    EXPECT_FALSE(boxes[1].IsOwnBox());

    boxes.clear();
    sym->SetDisplayLeaders(false);
    sym->GetArrowHeadBoxes(boxes);
    EXPECT_EQ(boxes.size(), 1u);
}

// Lines are clipped against other emblems' boxes, and against the symbol's own only when asked.
TEST(SymInstance, CleanupCutsLinesAcrossBoxes) {
    SymTestSheet t;
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, {5, 5, 0});
    SymTestKind* other = t.PlaceFree({0, 0, 0}, {5, 5, 0});
    const std::vector<WqGePoint3d> square = {{4, -1, 0}, {6, -1, 0}, {6, 1, 0}, {4, 1, 0}};
    // A triangle whose rectangle overlaps the line's but which misses the line.
    const std::vector<WqGePoint3d> corner = {{4, 0.5, 0}, {6, 0.5, 0}, {6, 2, 0}};
    struct Case {
        std::vector<WqGePoint3d> outline;
        DLxSymInstance* emblem;
        bool clipOwn;
        bool flag;
        int32_t lines;
    } cases[] = {
        {square, other, false, true, 2}, {corner, other, false, true, 1},
        {square, sym, false, false, 1},  {square, sym, true, false, 2},
        {square, sym, true, true, 1},
    };
    for (const Case& c : cases) {
        SMxDisplayList list;
        SMxLineItem line({0, 0, 0}, {10, 0, 0});
        line.SetId(77);
        list.Append(line);
        std::vector<DUxArrowHeadBox> boxes;
        boxes.emplace_back(c.outline, c.emblem, DUxLineGeometry(), false, c.clipOwn);
        sym->Cleanup(boxes, list, c.flag);
        ASSERT_EQ(list.Count(), c.lines);
        for (const SMxDisplayItem& item : list)
            EXPECT_EQ(item.GetId(), 77);
        if (c.lines == 2) {
            EXPECT_NEAR(list.GetAt(0).As<SMxLineItem>()->end.x, 4, 1e-12);
            EXPECT_NEAR(list.GetAt(1).As<SMxLineItem>()->start.x, 6, 1e-12);
        }
    }
}

// A computation that keeps its result clips the leader against the symbol's own box.
TEST(SymInstance, LeaderIsClippedAtTheSymbolBox) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {100, 120, 0});
    RDxComputeContext ctx;
    ctx.SetInt(u"DUxPersistantComputeContextAttr", 1);
    ASSERT_FALSE(t.sheet->Recompute(ctx).Failed());
    auto top = [&] {
        double y = -1;
        for (const SMxDisplayItem& item : sym->GetDisplayList()->GetChild(0).list)
            if (auto* line = item.As<SMxLineItem>()) y = std::max({y, line->start.y, line->end.y});
        return y;
    };
    EXPECT_NEAR(top(), 119, 1e-9); // the box spans 119 to 121 around the root

    sym->MarkEdited(); // a plain compute draws the leader whole
    ASSERT_FALSE(t.Recompute().Failed());
    EXPECT_NEAR(top(), 120, 1e-9);
}

TEST(SymInstance, NonFiniteNodeFallsBackToTheAnchor) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    sym->GetLeader(0)->GetRoot()->SetPoint({std::numeric_limits<double>::quiet_NaN(), 0, 0});
    sym->MarkEdited();
    ASSERT_FALSE(t.Recompute().Failed());
    ExpectNear(Root(sym), {100, 100, 0});
}

TEST(SymInstance, ViewScaleRescalesTheLeaderAboutTheAnchor) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.75, {125, 110, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    ExpectNear(Root(sym), {125, 110, 0});
    ASSERT_TRUE(t.view->SetViewScale(2));
    ASSERT_FALSE(t.Recompute().Failed());
    ExpectNear(sym->GetFirstAnchor()->GetPoint(), {150, 100, 0});
    ExpectNear(Root(sym), {150, 120, 0});
    EXPECT_DOUBLE_EQ(sym->GetSymState()->GetScale(), 2);
}

TEST(SymInstance, SickSymbolFilesItsFirstSickAnchor) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    Tree* second = Tree::Create(t.sheet, t.generator, {0, 0, 0});
    second->InsertNode(second->GetRoot(), {110, 110, 0});
    dynamic_cast<DLxTerminalLeaderNode*>(second->GetTerminalNode(0))
        ->GetAnchorPoint()
        ->AttachToEdge(t.view, 1, 0.25);
    sym->AppendLeader(second);
    ASSERT_FALSE(t.Recompute().Failed());

    ASSERT_TRUE(t.view->RemoveEdge(1));
    const UTxResult r = t.Recompute();
    EXPECT_FALSE(sym->IsValid());
    std::vector<DLxAnchorPoint*> sick;
    ASSERT_TRUE(sym->GetSickAnchors(sick));
    ASSERT_EQ(sick.size(), 2u);
    const UTxDiagnosis* found = nullptr;
    // A warning leaves the pass clean; the diagnosis stays with the sheet.
    EXPECT_FALSE(r.Failed());
    for (const UTxDiagnosis* d : t.sheet->GetDiagnoses())
        if (d->GetCode() == DLxSymInstance::kInvalidAnchorWarning) found = d;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->GetSubject().get(), sym->GetFirstAnchor());
    // A marker at each sick anchor; the graphics are still drawn.
    int32_t markers = 0;
    for (const SMxDisplayItem& item : *sym->GetDisplayList())
        if (auto* point = item.As<SMxPointItem>()) markers += point->marker == 4;
    EXPECT_EQ(markers, 2);
    EXPECT_EQ(sym->GetDisplayList()->ChildCount(), 3);
}

TEST(SymInstance, CircleOutlineHas37PointsFromTheTop) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    std::vector<WqGePoint3d> points;
    EXPECT_FALSE(sym->GetEmblemBoundingBox(points, 0)); // no box before drawing
    static_cast<SymTestState*>(sym->GetSymState())->m_shape = DUxSymState::kCircleShape;
    ASSERT_FALSE(t.Recompute().Failed());
    ASSERT_TRUE(sym->GetEmblemBoundingBox(points, 0));
    ASSERT_EQ(points.size(), 37u);
    const BBox& box = sym->GetSymState()->GetBoundingBox();
    const WqGePoint3d c = box.center();
    ExpectNear(points.front(), {c.x, c.y + (box.max.x - box.min.x) / 2, 0});
    ExpectNear(points.back(), points.front(), 1e-9);
}

TEST(SymInstance, StoresItsFieldsAtVersion7) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    sym->SetSymFlag(0x00020001);
    sym->SetAlwaysHorizontal(true);
    sym->SetAlignment(2);
    sym->SetOutlineType(1);
    sym->SetDisplayLeaders(false);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(t.doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
    auto* copy = dynamic_cast<SymTestKind*>(loaded->FindObject(sym->GetId()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetSymFlags(), 0x00020001u);
    EXPECT_TRUE(copy->AlwaysHorizontal());
    EXPECT_EQ(copy->GetAlignment(), 2);
    EXPECT_EQ(copy->GetOutlineType(), 1);
    EXPECT_FALSE(copy->DisplayLeaders());
    EXPECT_TRUE(copy->IsReverseSide());
    EXPECT_EQ(copy->GetNumLeaders(), 1);
}

// Draws three symbols (two leaders, one hidden leader on the edge, one on the arc) for a look.
TEST(SymInstance, RendersToSvg) {
    SymTestSheet t;
    SymTestKind* a = t.Place(1, 0.3, {70, 130, 0});
    Tree* second = Tree::Create(t.sheet, t.generator, {0, 0, 0});
    second->InsertNode(second->GetRoot(), {70, 130, 0});
    dynamic_cast<DLxTerminalLeaderNode*>(second->GetTerminalNode(0))
        ->GetAnchorPoint()
        ->AttachToEdge(t.view, 1, 0.1);
    a->AppendLeader(second);
    WqGePoint3d landing(75, 130, 0);
    a->SetLandingEndPoint(landing, 0);
    SymTestKind* b = t.Place(1, 0.8, {140, 130, 0});
    b->MoveSymbolBox({130, 100.1, 0}, 0);
    SymTestKind* c = t.Place(2, 0.25, {140, 240, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    EXPECT_FALSE(b->DisplayLeaders());

    SMxDisplayList edges;
    t.view->BuildDisplayList(edges);
    std::vector<RNxLayer> layers = {{&edges, {}}};
    for (SymTestKind* s : {a, b, c})
        layers.push_back({s->GetDisplayList(), {}});
    const std::string path = ::testing::TempDir() + "sym_instances.svg";
    ASSERT_FALSE(RNx::RenderSheet({u"S", 420, 297}, layers, path).Failed());
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(f);
    std::fseek(f, 0, SEEK_END);
    EXPECT_GT(std::ftell(f), 1000);
    std::fclose(f);
}

} // namespace
