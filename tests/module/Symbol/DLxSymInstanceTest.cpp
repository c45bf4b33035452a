// The placed symbol's leader bookkeeping, landing, placement, compute and health, on a test
// kind whose state draws a box and a text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "SymTestKind.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxPrefUtil.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxDimUtil.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLineStyle.h"
#include "du/DUxStandard.h"
#include "render/RNxRenderer.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "rse/UTxDiagnosis.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

using Tree = DUxLeaderNodeTree;
const double kHalfRoot2 = std::sqrt(0.5);

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

int32_t SickMarkers(const SMxDisplayList& list) {
    int32_t n = 0;
    for (const SMxDisplayItem& item : list)
        if (auto* point = item.As<SMxPointItem>()) n += point->marker == 4;
    return n;
}

// The colour the first item of that kind under child list `child` is drawn in.
bool DrawnColor(const SMxDisplayList& list, SMxDrawAttributes attrs, SMxItemKind kind,
                SMxColor& color) {
    attrs.Enter(list);
    for (const SMxDisplayItem& item : list) {
        if (auto* c = item.As<SMxChildItem>()) {
            if (DrawnColor(c->list, attrs, kind, color)) return true;
        } else if (item.GetKind() == kind) {
            color = attrs.ColorOf(item);
            return true;
        }
    }
    return false;
}

SMxColor DrawnColor(const SMxDisplayList& root, int32_t child, SMxItemKind kind) {
    SMxDrawAttributes attrs;
    attrs.Enter(root);
    SMxColor color = SMxColor::FromIndex(99);
    DrawnColor(root.GetChild(child).list, attrs, kind, color);
    return color;
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
        // The ellipse's end of its minor axis at (100 + 20/sqrt(2), 40).
        {3,
         0.5,
         {100 + kHalfRoot2 * 20 + 0.24, 40, 0},
         true,
         false,
         {100 + kHalfRoot2 * 20, 40, 0}},
        {3,
         0.5,
         {100 + kHalfRoot2 * 20 + 0.26, 40, 0},
         true,
         true,
         {100 + kHalfRoot2 * 20 + 0.26, 40, 0}},
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

// A free symbol whose first anchor sits at `u` on a dimension line of that type, in `view` when
// given.
SymTestKind* PlaceOnDimension(SymTestSheet& t, const WqGePoint3d& a, const WqGePoint3d& b,
                              int32_t type, double u, const WqGePoint3d& root,
                              DLxViewInstance* view = nullptr) {
    auto* dim = DLxDimGeometryProxy::Create(t.sheet->GetSegment(), a, b, type);
    SymTestKind* sym = t.PlaceFree({0, 0, 0}, root);
    sym->GetFirstAnchor()->SetViewInstance(view);
    sym->GetFirstAnchor()->AttachToGeometry(dim, u);
    sym->GetSymState()->SetOrigin(sym->GetFirstAnchor()->GetPoint());
    return sym;
}

// In a view broken from x = 0 to 5 the dimension is drawn 5 to the left: the attachment takes
// that offset along.
TEST(SymInstance, StackedSymbolAttachesToItsDimensionByParameter) {
    struct Case {
        double u;
        bool broken;
        int32_t index;
        WqGePoint3d attach;
    } cases[] = {
        {0.2, false, 1, {10, 50, 0}}, {0.5, false, 0, {20, 50, 0}},
        {0.8, false, 2, {30, 50, 0}}, {1.2, false, -1, {60, 60, 0}}, // the root, unchanged
        {0.2, true, 1, {5, 50, 0}},   {0.5, true, 0, {15, 50, 0}},
        {0.8, true, 2, {25, 50, 0}},  {1.2, true, -1, {60, 60, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.u + c.broken);
        SymTestSheet t;
        if (c.broken) {
            ASSERT_TRUE(t.view->AddBreak({DLxViewBreak::kHorizontal, 0, 5}));
        }
        SymTestKind* sym =
            PlaceOnDimension(t, {10, 50, 0}, {30, 50, 0}, 0x1002, c.u, {60, 60, 0}, t.view);
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
        x.transformBy(sym->GetDisplayList()->GetChild(2).GetTransform());
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
    p.transformBy(symbol.GetTransform());
    ExpectNear(p, {10, 12, 0}); // (2,0) turns to (1,1) about (1,0), then moves by (9,11)
    EXPECT_EQ(leader.GetTransform(), WqGeMatrix3d());
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
    // A warning leaves the pass clean and the symbol sick; the diagnosis stays with the sheet.
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(sym->IsSick());
    for (const UTxDiagnosis* d : t.sheet->GetDiagnoses())
        if (d->GetCode() == DLxSymInstance::kInvalidAnchorWarning) found = d;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->GetSubject().get(), sym->GetFirstAnchor());
    // It names the symbol and lists its sick anchors, the first one first.
    auto* invalid = dynamic_cast<const DLxDiagEmblemInvalidAnchorPoint*>(found);
    ASSERT_TRUE(invalid);
    EXPECT_EQ(invalid->GetEmblem(), sym);
    ASSERT_EQ(invalid->GetAnchorCount(), 2u);
    EXPECT_EQ(invalid->GetAnchorPoint(0), sym->GetFirstAnchor());
    EXPECT_EQ(invalid->GetAnchorPoint(1), sick[1]);
    // A marker at each sick anchor; the graphics are still drawn, in the sick colour.
    EXPECT_EQ(SickMarkers(*sym->GetDisplayList()), 2);
    EXPECT_EQ(sym->GetDisplayList()->ChildCount(), 3);
    EXPECT_TRUE(DLxAnnotationUtil::IsAnnotationSickColored(*sym->GetDisplayList()));

    // A segment that takes no health colouring gets neither colour nor markers nor a report.
    t.sheet->ClearDiagnoses();
    t.sheet->GetSegment()->SetAcceptsHealthColoring(false);
    sym->MarkEdited();
    EXPECT_TRUE(t.Recompute().IsEmpty());
    EXPECT_FALSE(DLxAnnotationUtil::IsAnnotationSickColored(*sym->GetDisplayList()));
    EXPECT_EQ(SickMarkers(*sym->GetDisplayList()), 0);
    EXPECT_TRUE(t.sheet->GetDiagnoses().empty());
}

// A symbol with two leaders, both ending on edge 1, whose edge then goes.
SymTestKind* PlaceWithTwoSickAnchors(SymTestSheet& t) {
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    Tree* second = Tree::Create(t.sheet, t.generator, {0, 0, 0});
    second->InsertNode(second->GetRoot(), {110, 110, 0});
    dynamic_cast<DLxTerminalLeaderNode*>(second->GetTerminalNode(0))
        ->GetAnchorPoint()
        ->AttachToEdge(t.view, 1, 0.25);
    sym->AppendLeader(second);
    EXPECT_FALSE(t.Recompute().Failed());
    EXPECT_TRUE(t.view->RemoveEdge(1));
    return sym;
}

// What ApplySickness does by the drawing's settings, the symbol's health flags and whether its
// sheet collects diagnoses.
TEST(SymInstance, ApplySicknessFollowsTheDrawingAndTheFlags) {
    struct Case {
        const char* name;
        bool highlight;
        int32_t preserve;
        bool dead;
        uint32_t flags;
        bool collect;
        bool colored;
        int32_t markers;
        bool sick;
        bool warning;
        bool noDrawing = false;
    } cases[] = {
        {"highlighted", true, 0, false, 0, true, true, 2, true, true},
        {"no drawing settings: highlighted", false, 1, false, 0, true, true, 2, true, true, true},
        {"no drawing settings: dead is left", true, 0, true, 0, true, false, 0, false, false, true},
        {"sheet not collecting", true, 0, false, 0, false, true, 2, true, false},
        {"problem ignored", true, 0, false, 0x2, true, true, 2, false, false},
        {"ignored, to check again", true, 0, false, 0x6, true, true, 2, true, true},
        {"check again alone", true, 0, false, 0x4, true, true, 2, true, true},
        {"not highlighted", false, 0, false, 0, true, false, 0, false, false},
        {"dead", true, 0, true, 0, true, false, 0, false, false},
        {"dead but preserved", true, 1, true, 0, true, true, 2, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SymTestSheet t;
        SymTestKind* sym = PlaceWithTwoSickAnchors(t);
        t.doc->GetDrawing()->SetShowSickHighlight(c.highlight);
        t.doc->GetDrawing()->SetPreserveAnnotationMode(c.preserve);
        if (c.noDrawing) RSe::DeleteObject(t.doc->GetDrawing());
        if (c.dead) sym->SetTemplateId(UTxGUID(1, 2, 3, 4), 0);
        sym->SetFlag(c.flags);
        if (!c.collect) t.sheet->ClearFlag(RDxObject::kCollectDiagnosesFlag);
        SMxDisplayList* list = sym->GetDisplayList();
        list->Clear();
        DLxAnnotationUtil::SetAnnotationSickColor(*list); // an older colouring to be dropped
        if (c.dead) DLxAnnotationUtil::UnsetAnnotationSickColor(*list);

        const UTxResult r = sym->ApplySickness();
        EXPECT_EQ(DLxAnnotationUtil::IsAnnotationSickColored(*list), c.colored);
        EXPECT_EQ(SickMarkers(*list), c.markers);
        EXPECT_EQ(sym->IsSick(), c.sick);
        EXPECT_EQ(r.GetCode(), c.warning ? DLxSymInstance::kInvalidAnchorWarning : 0u);
        EXPECT_EQ(t.sheet->GetDiagnoses().size(), c.warning ? 1u : 0u);
        t.sheet->ClearDiagnoses();
    }
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

// A leader line of the symbol's leader list ends at p.
bool LeaderEndsAt(DLxSymInstance* sym, const WqGePoint3d& p) {
    for (const SMxDisplayItem& item : sym->GetDisplayList()->GetChild(0).list)
        if (auto* line = item.As<SMxLineItem>())
            if (line->start.isEqualTo(p) || line->end.isEqualTo(p)) return true;
    return false;
}

// A break from x = 90 to 110 removes the anchor at (100, 100): its symbol draws nothing, and so
// does a symbol hanging on that symbol's dimension. The anchor at (125, 100) is drawn at
// (105, 100), and its symbol moves with it.
TEST(SymInstance, BrokenViewsHideOrMoveTheirSymbols) {
    SymTestSheet t;
    SymTestKind* hidden = t.Place(1, 0.5, {100, 120, 0});
    SymTestKind* moved = t.Place(1, 0.75, {125, 120, 0});
    SymTestKind* onHidden = PlaceOnDimension(t, {10, 50, 0}, {30, 50, 0}, 0x1002, 0.5, {20, 60, 0});
    SymTestKind* onMoved = PlaceOnDimension(t, {40, 50, 0}, {60, 50, 0}, 0x1002, 0.5, {50, 60, 0});
    static_cast<DLxDimGeometryProxy*>(onHidden->GetFirstAnchor()->GetGeometryProxy())
        ->SetDimension(hidden);
    static_cast<DLxDimGeometryProxy*>(onMoved->GetFirstAnchor()->GetGeometryProxy())
        ->SetDimension(moved);
    ASSERT_TRUE(t.Recompute().IsEmpty());
    EXPECT_EQ(onHidden->GetDisplayList()->ChildCount(), 3);

    ASSERT_TRUE(t.view->AddBreak({DLxViewBreak::kHorizontal, 90, 110}));
    EXPECT_TRUE(t.Recompute().IsEmpty());
    EXPECT_TRUE(hidden->GetDisplayList()->IsEmpty());
    EXPECT_TRUE(hidden->GetDisplayList()->GetAttributes().empty());
    EXPECT_TRUE(onHidden->GetDisplayList()->IsEmpty());
    EXPECT_EQ(onMoved->GetDisplayList()->ChildCount(), 3);

    ExpectNear(moved->GetSymState()->GetOrigin(), {105, 100, 0});
    ExpectNear(Root(moved), {105, 120, 0});
    EXPECT_TRUE(LeaderEndsAt(moved, {105, 100, 0}));
    EXPECT_FALSE(moved->NeedsUpdate());

    // Without the break both come back where they were.
    ASSERT_TRUE(t.view->SetBreaks({}));
    EXPECT_TRUE(t.Recompute().IsEmpty());
    EXPECT_EQ(hidden->GetDisplayList()->ChildCount(), 3);
    EXPECT_EQ(onHidden->GetDisplayList()->ChildCount(), 3);
    ExpectNear(Root(moved), {125, 120, 0});
}

// Dragged beside its anchor in a broken view, the symbol is judged where its edge is drawn.
TEST(SymInstance, MoveSymbolBoxInABrokenView) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.75, {125, 130, 0}); // the anchor at (125, 100)
    ASSERT_TRUE(t.view->AddBreak({DLxViewBreak::kHorizontal, 90, 110}));
    ASSERT_FALSE(t.Recompute().Failed());
    sym->MoveSymbolBox({110, 100.2, 0}, 0); // over the drawn edge at x = 130 unbroken
    EXPECT_FALSE(sym->DisplayLeaders());
    ExpectNear(Root(sym), {110, 100, 0});
    EXPECT_TRUE(sym->IsSymFlagOn(DLxSymInstance::kAboveOrLeftFlag));
    EXPECT_FALSE(sym->IsReverseSide());
}

// An anchor whose edge proxy went finds its edge again in its view when the symbol computes.
TEST(SymInstance, ComputeReconnectsAnAnchorThatLostItsEdge) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    RSe::DeleteObject(t.view->FindEdgeProxy(1));
    EXPECT_FALSE(sym->IsValid());
    sym->MarkEdited();
    EXPECT_TRUE(t.Recompute().IsEmpty());
    EXPECT_TRUE(sym->IsValid());
    EXPECT_EQ(sym->GetFirstAnchor()->GetGeometryProxy(),
              static_cast<DUxGeometryProxy*>(t.view->FindEdgeProxy(1)));
    EXPECT_FALSE(DLxAnnotationUtil::IsAnnotationSickColored(*sym->GetDisplayList()));
    EXPECT_EQ(sym->GetDisplayList()->ChildCount(), 3);
    EXPECT_TRUE(t.sheet->GetDiagnoses().empty());
}

// Dropped within the snap tolerance of its free anchor, the root goes onto the anchor.
TEST(SymInstance, MoveSymbolBoxSnapsOntoAFreeAnchor) {
    const double tol = DUxDimUtil::GetSnapTolerance();
    for (double d : {0.9 * tol, 1.1 * tol}) {
        SCOPED_TRACE(d);
        SymTestSheet t;
        SymTestKind* sym = t.PlaceFree({10, 10, 0}, {30, 30, 0});
        sym->MoveSymbolBox({10 + d, 10, 0}, 0);
        ExpectNear(Root(sym), {d < tol ? 10 : 10 + d, 10, 0});
        EXPECT_TRUE(sym->DisplayLeaders());
    }
}

// The colours a drawn symbol takes from its layer (green), its own style (blue), its leader
// style (brown), its text style (red) and a colour of its texts' own (orange).
TEST(SymInstance, AddToLayerColoursByLayerStyleAndText) {
    const SMxColor layer = SMxColor::FromIndex(2), style = SMxColor::FromIndex(3),
                   leader = SMxColor::FromIndex(9), text = SMxColor::FromIndex(1),
                   own = SMxColor::FromIndex(8);
    struct Case {
        const char* name;
        bool leaderStyle;
        bool textStyle;
        bool ownText;
        bool byLayer;
        SMxColor leaderLine, body, textInList, textInSymbol;
    } cases[] = {
        {"own text colour", true, true, true, true, leader, style, own, own},
        {"texts by layer", true, true, false, true, leader, style, layer, layer},
        {"text style", true, true, false, false, leader, style, text, text},
        {"no text style", false, false, false, false, layer, style, layer, style},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SymTestSheet t;
        SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
        static_cast<SymTestState*>(sym->GetSymState())->m_textInSymbol = true;
        sym->m_layerColor = layer;
        sym->m_styleColor = style;
        if (c.leaderStyle) sym->m_leaderStyle = DUxLeaderStyleWrapper(leader, 35, 0);
        if (c.textStyle) {
            sym->m_textStyle = DUxTextStyleWrapper(1, 2, 3.5);
            sym->m_textStyle->SetColor(text);
        }
        if (c.ownText) sym->m_ownTextColor = own;
        sym->m_textsByLayer = c.byLayer;
        ASSERT_FALSE(t.Recompute().Failed());
        const SMxDisplayList& list = *sym->GetDisplayList();
        EXPECT_EQ(DrawnColor(list, 0, SMxItemKind::Line), c.leaderLine);
        EXPECT_EQ(DrawnColor(list, 1, SMxItemKind::Polyline), c.body);
        EXPECT_EQ(DrawnColor(list, 2, SMxItemKind::Text), c.textInList);
        EXPECT_EQ(DrawnColor(list, 1, SMxItemKind::Text), c.textInSymbol);
    }
    // A leader style over the state that names no leader style gives no pen: the leader keeps
    // its layer's colour.
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    sym->m_layerColor = layer;
    sym->m_leaderStyle = DUxLeaderStyleWrapper(sym->GetSymState(), {});
    ASSERT_FALSE(t.Recompute().Failed());
    EXPECT_EQ(DrawnColor(*sym->GetDisplayList(), 0, SMxItemKind::Line), layer);
}

// Styled again with disposition 1, the old styling is cleaned off first and nothing piles up.
TEST(SymInstance, AddToLayerWithCleanUpReplacesTheOldStyling) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    static_cast<SymTestState*>(sym->GetSymState())->m_textInSymbol = true;
    sym->m_ownTextColor = SMxColor::FromIndex(8);
    ASSERT_FALSE(t.Recompute().Failed());
    SMxDisplayList& list = *sym->GetDisplayList();
    EXPECT_EQ(DrawnColor(list, 1, SMxItemKind::Text), SMxColor::FromIndex(8));

    sym->m_ownTextColor.reset();
    sym->m_layerColor = SMxColor::FromIndex(6);
    for (int32_t i = 0; i < 3; ++i)
        sym->AddToLayer(DUxAddToLayerInterface::kCleanAttributes);
    // Texts have no colour of their own now: the nested one follows the symbol's style, which
    // is its layer's.
    EXPECT_EQ(DrawnColor(list, 1, SMxItemKind::Text), SMxColor::FromIndex(6));
    EXPECT_EQ(DrawnColor(list, 2, SMxItemKind::Text), SMxColor::FromIndex(6));
    EXPECT_EQ(list.GetAttributes().size(), 1u);
    for (int32_t k = 0; k < list.ChildCount(); ++k)
        EXPECT_LE(list.GetChild(k).list.GetAttributes().size(), 1u);
}

TEST(SymInstance, LineStylesComeFromTheDocumentUnlessTheSymbolHasItsOwn) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    SymTestKind* other = t.Place(1, 0.25, {80, 110, 0});
    EXPECT_EQ(sym->GetSymbolLineStyle(), DUxLineStyle());
    const DUxLineStyle symbolPen{SMxColor::FromIndex(3), 50, 0};
    const DUxLineStyle leaderPen{SMxColor::FromIndex(1), 25, 2};
    const DUxLineStyle isoPen{SMxColor::FromIndex(4), 70, 1};
    const DUxLineStyle ownPen{SMxColor::FromIndex(5), 18, 3};
    DUxLineStyleUtil::SetStyle(t.doc, DUxLineStyleID::GetSymbolID(), DUxStandardGUID::GetANSIGuid(),
                               symbolPen);
    DUxLineStyleUtil::SetStyle(t.doc, DUxLineStyleID::GetLeaderLineID(),
                               DUxStandardGUID::GetANSIGuid(), leaderPen);
    DUxLineStyleUtil::SetStyle(t.doc, DUxLineStyleID::GetSymbolID(), DUxStandardGUID::GetISOGuid(),
                               isoPen);
    EXPECT_EQ(sym->GetSymbolLineStyle(), symbolPen);
    EXPECT_EQ(sym->GetLeaderLineStyle(), leaderPen);
    DUxLineStyleUtil::SetOverloadedLineStyle(sym, t.doc, ownPen);
    EXPECT_EQ(sym->GetSymbolLineStyle(), ownPen);
    EXPECT_EQ(sym->GetLeaderLineStyle(), ownPen);
    EXPECT_EQ(other->GetSymbolLineStyle(), symbolPen);
    DUxLineStyleUtil::ClearOverloadedLineStyle(sym, t.doc);
    EXPECT_EQ(sym->GetSymbolLineStyle(), symbolPen);
}

// The extension line runs past the symbol by the leader style's overshoot and stops short of
// a model edge by its offset; another annotation's line is met.
TEST(SymInstance, ExtensionLineTakesTheLeaderStyle) {
    SymTestSheet t;
    DUxLeaderStyleWrapper style;
    style.SetExtensionLineOvershoot(1.5);
    style.SetExtensionLineOffset(0.5);
    SymTestKind* onEdge = t.Place(1, 0.5, {160, 100, 0});
    onEdge->m_leaderStyle = style;
    WqGePoint3d start, end;
    ASSERT_TRUE(onEdge->GetEndPointsOfExtensionLineIfNoLeader(start, end, {}));
    ExpectNear(start, {161.5, 100, 0});
    ExpectNear(end, {150.5, 100, 0});

    SymTestKind* onDim = PlaceOnDimension(t, {10, 50, 0}, {30, 50, 0}, 0x1002, 0.5, {40, 50, 0});
    static_cast<DLxDimGeometryProxy*>(onDim->GetFirstAnchor()->GetGeometryProxy())
        ->SetDimension(onEdge);
    onDim->m_leaderStyle = style;
    ASSERT_TRUE(onDim->GetEndPointsOfExtensionLineIfNoLeader(start, end, {}));
    ExpectNear(start, {41.5, 50, 0});
    ExpectNear(end, {30, 50, 0});
}

// A compute whose result is kept asks the dimensions of the symbol's view to clip again.
TEST(SymInstance, AKeptComputeCleansUpTheDimensionsOfItsView) {
    SymTestSheet t;
    SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
    SymTestKind* dimension = t.PlaceFree({0, 0, 0}, {5, 5, 0});
    DLxDimGeometryProxy::Create(t.sheet->GetSegment(), {0, 0, 0}, {10, 0, 0}, 0x1002)
        ->SetDimension(dimension);
    ASSERT_FALSE(t.Recompute().Failed());
    EXPECT_EQ(dimension->m_cleanups, 0);

    sym->MarkEdited();
    RDxComputeContext kept;
    kept.SetInt(u"DUxPersistantComputeContextAttr", 1);
    ASSERT_FALSE(t.sheet->Recompute(kept).Failed());
    EXPECT_EQ(dimension->m_cleanups, 1);
    EXPECT_EQ(DLxAnnotationUtil::DimCleanup(nullptr), 0);
}

// A sick symbol is drawn in the sick colour.
TEST(SymInstance, SickSymbolsRenderInTheSickColour) {
    SymTestSheet t;
    SymTestKind* sym = PlaceWithTwoSickAnchors(t);
    t.Recompute();
    const std::string path = ::testing::TempDir() + "sym_sick.svg";
    ASSERT_FALSE(RNx::RenderSheet({u"S", 420, 297}, {{sym->GetDisplayList(), {}}}, path).Failed());
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(f);
    std::string svg;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        svg.append(buf, n);
    std::fclose(f);
    // The leader and the body in magenta strokes, the text in magenta.
    EXPECT_NE(svg.find("stroke=\"#c000c0\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#c000c0\""), std::string::npos);
}

} // namespace

// A symbol is suppressed when its anchors' views are: the anchors on geometry decide, and only
// without any the free anchors given a view; a free anchor of no view never is. A suppressed
// symbol draws nothing and comes back when its view does. Leader ends report their anchor as
// suppressed only while the preference suppresses annotations.
TEST(SymInstance, SuppressedViewsSuppressTheirSymbols) {
    SymTestSheet t;
    DLxViewInstance* other = t.sheet->CreateView(u"Other");
    SymTestKind* onEdge = t.Place(1, 0.5, {100, 120, 0});
    SymTestKind* freeInView = t.PlaceFree({20, 20, 0}, {30, 40, 0});
    freeInView->GetFirstAnchor()->SetViewInstance(t.view);
    SymTestKind* freeOnly = t.PlaceFree({60, 20, 0}, {70, 40, 0});
    // On the suppressed view's edge, and by a free anchor of a view that is shown.
    SymTestKind* mixed = t.Place(1, 0.25, {80, 140, 0});
    Tree* extra = Tree::Create(t.sheet, t.generator, {10, 10, 0});
    auto* extraEnd = dynamic_cast<DLxTerminalLeaderNode*>(extra->GetTerminalNode(0));
    ASSERT_TRUE(extraEnd && extraEnd->GetAnchorPoint());
    extraEnd->GetAnchorPoint()->SetViewInstance(other);
    mixed->AppendLeader(extra);
    ASSERT_TRUE(t.Recompute().IsEmpty());

    t.view->SetSuppressed(true);
    EXPECT_TRUE(t.Recompute().IsEmpty());
    const struct {
        const char* name;
        SymTestKind* sym;
        bool suppressed;
    } cases[] = {{"on an edge", onEdge, true},
                 {"free in the view", freeInView, true},
                 {"free of any view", freeOnly, false},
                 {"on an edge and free in a shown view", mixed, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.sym->IsSuppressed(), c.suppressed);
        EXPECT_EQ(c.sym->GetDisplayList()->IsEmpty(), c.suppressed);
    }
    auto* end = dynamic_cast<DLxTerminalLeaderNode*>(onEdge->GetLeader(0)->GetTerminalNode(0));
    ASSERT_NE(end, nullptr);
    EXPECT_TRUE(end->IsAnchorSuppressed());
    DLxPrefUtil::SetSuppressAnnotations(false);
    EXPECT_FALSE(end->IsAnchorSuppressed());
    DLxPrefUtil::SetSuppressAnnotations(true);

    t.view->SetSuppressed(false);
    EXPECT_TRUE(t.Recompute().IsEmpty());
    EXPECT_FALSE(onEdge->IsSuppressed());
    EXPECT_EQ(onEdge->GetDisplayList()->ChildCount(), 3);
    EXPECT_FALSE(end->IsAnchorSuppressed());
}
