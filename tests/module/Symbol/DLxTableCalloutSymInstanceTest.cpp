// The placed table callout: its stored class, the stack as the instance hands it out, the
// compute that keeps the stack at its leader, the boundary boxes, the leader trimming of
// sketched balloons, dragging, attach positions, the refresh message and the style choice.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "SvgCompare.h"
#include "Standard/DLxCBalloon.h"
#include "SymTestKind.h"
#include "Symbol/DLxTableCalloutBaseSelection.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "TstTableCallout.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

constexpr double kTol = 1e-6;

DUxStyleFormatColumnPropertyID ItemProperty() {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    p.SetPropertyID(u"1");
    return p;
}
const DUxStyleFormatColumnPropertyID kItem = ItemProperty();

void ExpectPoint(const WqGePoint3d& p, double x, double y, const char* what = "") {
    EXPECT_NEAR(p.x, x, kTol) << what;
    EXPECT_NEAR(p.y, y, kTol) << what;
}

// Balloons of circles (font 2.5: radius 3.75, 7.5 across) showing the item number, on the
// symbol test sheet (a view with a horizontal edge from (50,100) to (150,100), edge 1, and an
// arc of radius 20 about (100,200), edge 2).
class CalloutInstanceTest : public ::testing::Test {
protected:
    CalloutInstanceTest() {
        item = DUxTableStylePartsListColumn::New(t.sheet->GetSegment());
        *item->GetPropertyID() = kItem;
    }

    // A balloon whose one leader runs from its end to its root, with its primary entry "1" at
    // `entryAt`.
    TstCalloutInstance* Place(const WqGePoint3d& end, const WqGePoint3d& root,
                              const WqGePoint3d& entryAt = {}) {
        TstCalloutInstance* inst = TstCalloutInstance::Create(t.sheet, true);
        TstCalloutState* state = inst->GetState();
        state->style.items = {RSeRef<DUxTableStyleColumn>(item)};
        DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(t.sheet, t.generator, end);
        tree->InsertNode(tree->GetRoot(), root);
        inst->AppendLeader(tree);
        state->SetOrigin(end);
        inst->SetBalloon(RSeRef<DLxCTableCallout>(NewEntry(0, u"1", entryAt)));
        return inst;
    }
    DLxCBalloon* NewEntry(int32_t index, const char16_t* text, const WqGePoint3d& at) {
        DLxCBalloon* e = DLxCBalloon::New(t.sheet->GetSegment(), {}, index);
        e->AddMappedOverride(&kItem, text);
        e->setOrigin(at);
        return e;
    }
    DLxCTableCallout* Attach(TstCalloutInstance* inst, const WqGePoint3d& p, const char16_t* text) {
        RSeRef<DLxCTableCallout> e = inst->AttachNewBalloon(p, {});
        if (auto* b = dynamic_cast<DLxCBalloon*>(e.get())) b->AddMappedOverride(&kItem, text);
        return e.get();
    }
    static UTxResult Compute(DLxTableCalloutSymInstance* inst) {
        RDxComputeContext ctx;
        return inst->Compute(ctx);
    }

    SymTestSheet t;
    DUxTableStylePartsListColumn* item = nullptr;
};

TEST_F(CalloutInstanceTest, StoredClassAndItsLeaderStyleFlagAfterEveryLoad) {
    RSeMetaType* mt = RSe::_GetMeta(static_cast<const DLxTableCalloutSymInstance*>(nullptr));
    ASSERT_NE(mt, nullptr);
    EXPECT_EQ(UTx::ToUtf8(mt->GetName()), "DLxTableCalloutSymInstance");
    EXPECT_EQ(mt->GetGUID(), UTxGUID(0xC46D1C46, 0xC72D42AD, 0x99DB616C, 0x9C20E8DB));
    EXPECT_EQ(mt->GetVersion(), 0);
    EXPECT_EQ(mt->GetBase(), RSe::_GetMeta(static_cast<const DLxSymInstance*>(nullptr)));

    TstCalloutInstance* inst = Place({80, 90, 0}, {100, 100, 0});
    EXPECT_TRUE(inst->UsesPrimaryLeaderStyle());
    EXPECT_TRUE(inst->AllowFreeAnchors());
    EXPECT_FALSE(inst->ObjectStyleWrapper());
    inst->UsesPrimaryLeaderStyle(false);
    EXPECT_FALSE(inst->UsesPrimaryLeaderStyle());
    ASSERT_FALSE(Compute(inst).Failed());
    const uint32_t id = inst->GetId();

    // Nothing of the instance's own is stored: the flag comes back true, and a loaded drawing
    // saves to the same bytes.
    KorvuTempDir dir;
    ASSERT_FALSE(t.doc->Save(dir.File("a.kdoc")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    UTxResult r = DLxDrawingDoc::Open(dir.File("a.kdoc"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* back = dynamic_cast<TstCalloutInstance*>(loaded->GetRSeDb()->FindObject(id));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->UsesPrimaryLeaderStyle());
    EXPECT_NE(back->GetTableCalloutSymState(), nullptr);
    ASSERT_TRUE(back->GetBalloon());
    EXPECT_EQ(back->GetBalloon()->GetOverrideText(), u"1");
    ASSERT_FALSE(loaded->Save(dir.File("b.kdoc")).Failed());
    EXPECT_EQ(ReadFile(dir.File("a.kdoc")), ReadFile(dir.File("b.kdoc")));
}

TEST_F(CalloutInstanceTest, StackAccessorsAnswerForTheWholeStack) {
    TstCalloutInstance* inst = Place({80, 90, 0}, {100, 100, 0}, {100, 100, 0});
    inst->GetState()->AlignBalloons(); // sizes the primary entry
    const RSeRef<DLxCTableCallout> primary = inst->GetBalloon();
    DLxCTableCallout* second = Attach(inst, {110, 100, 0}, u"2");
    DLxCTableCallout* third = Attach(inst, {120, 100, 0}, u"3");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(inst->AttachedCount(), 2u);
    EXPECT_EQ(inst->GetAttachedBalloons().size(), 2u);
    EXPECT_EQ(inst->GetAttachedBalloon(1).Read(), third);

    std::vector<RSeRef<DLxCTableCallout>> all;
    inst->GetAllBalloons(&all);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], primary);
    EXPECT_EQ(all[1].Read(), second);
    EXPECT_EQ(all[2].Read(), third);
    EXPECT_EQ(inst->GetBalloonIndex(primary), 0);
    EXPECT_EQ(inst->GetBalloonIndex(RSeRef<DLxCTableCallout>(third)), 2);
    EXPECT_EQ(inst->GetBalloonAt(1).Read(), second);
    EXPECT_EQ(inst->GetClosestBalloon({119, 101, 0}).Read(), third);

    // What is not in the stack.
    DLxCBalloon* stranger = NewEntry(7, u"7", {0, 0, 0});
    EXPECT_EQ(inst->GetBalloonIndex(RSeRef<DLxCTableCallout>(stranger)), -1);
    EXPECT_EQ(inst->GetBalloonIndex({}), -1);
    for (int32_t i : {-1, 3, 100}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(inst->GetBalloonAt(i));
        EXPECT_FALSE(inst->GetAttachedBalloon(i));
    }

    ExpectPoint(inst->GetSubSymbolOrigin(), 100, 100);
    inst->SetSubSymbolOrigin({5, 6, 0});
    ExpectPoint(primary->origin(), 5, 6);

    ASSERT_TRUE(inst->RemoveBalloon(RSeRef<DLxCTableCallout>(second)));
    EXPECT_EQ(inst->AttachedCount(), 1u);
    EXPECT_EQ(third->GetIndex(), 1);

    // Without a primary entry there is no stack.
    inst->SetBalloon({});
    all.clear();
    inst->GetAllBalloons(&all);
    EXPECT_TRUE(all.empty());
    EXPECT_EQ(inst->GetBalloonAt(0), RSeRef<DLxCTableCallout>());
    ExpectPoint(inst->GetSubSymbolOrigin(), 0, 0);
    inst->SetSubSymbolOrigin({9, 9, 0}); // changes nothing
    ExpectPoint(inst->GetSubSymbolOrigin(), 0, 0);
}

// The stack follows the leader's root, or the end of its landing, and turns to the side the
// leader comes from, except on a vertical first segment.
TEST_F(CalloutInstanceTest, ComputeKeepsTheStackAtTheLeaderAndOnItsSide) {
    const struct {
        const char* name;
        WqGePoint3d end;
        double landing;
        DLxBomStdInfo::EDirection start;
        WqGePoint3d primaryAt;
        DLxBomStdInfo::EDirection direction;
    } cases[] = {
        {"leader from the left", {80, 90, 0}, 0, DLxBomStdInfo::kLeft, {100, 100, 0},
         DLxBomStdInfo::kRight},
        {"leader from the right", {120, 90, 0}, 0, DLxBomStdInfo::kRight, {100, 100, 0},
         DLxBomStdInfo::kLeft},
        {"vertical keeps left", {100, 50, 0}, 0, DLxBomStdInfo::kLeft, {100, 100, 0},
         DLxBomStdInfo::kLeft},
        {"vertical within 1e-5 keeps right", {100 + 5e-6, 50, 0}, 0, DLxBomStdInfo::kRight,
         {100, 100, 0}, DLxBomStdInfo::kRight},
        {"slightly more than 1e-5 turns", {100 + 2e-5, 50, 0}, 0, DLxBomStdInfo::kRight,
         {100, 100, 0}, DLxBomStdInfo::kLeft},
        {"a landing moves the stack to its end", {80, 90, 0}, 5, DLxBomStdInfo::kRight,
         {105, 100, 0}, DLxBomStdInfo::kRight},
        {"a landing of 1e-10 is none", {80, 90, 0}, 1e-10, DLxBomStdInfo::kRight,
         {100, 100, 0}, DLxBomStdInfo::kRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = Place(c.end, {100, 100, 0}, {30, 40, 0});
        inst->GetBalloon()->setDirection(c.start);
        DUxLeaderNodeTree* tree = inst->GetLeader(0);
        tree->SetLandingPosition(DUxLeaderNodeTree::kPosX);
        tree->SetLandingLength(c.landing);
        ASSERT_FALSE(Compute(inst).Failed());
        ExpectPoint(inst->GetSubSymbolOrigin(), c.primaryAt.x, c.primaryAt.y, "primary");
        EXPECT_EQ(inst->GetBalloon()->direction(), c.direction);
    }

    // A stack moves as one; on a vertical leader it stays on its side.
    TstCalloutInstance* inst = Place({100, 50, 0}, {100, 100, 0}, {30, 40, 0});
    inst->GetState()->AlignBalloons(); // sizes the primary entry
    DLxCTableCallout* second = Attach(inst, {0, 40, 0}, u"2");
    ASSERT_NE(second, nullptr);
    ExpectPoint(second->origin(), 22.5, 40, "stacked to the left");
    ASSERT_FALSE(Compute(inst).Failed());
    ExpectPoint(inst->GetSubSymbolOrigin(), 100, 100, "primary");
    ExpectPoint(second->origin(), 92.5, 100, "second");
    EXPECT_EQ(second->direction(), DLxBomStdInfo::kLeft);
}

// A leader from its end (0,0) through (10,0) to its root (20,0), and a sketched balloon whose
// outline is drawn into the symbol list: the leader is cut where it first meets the outline
// coming from its end, and what lies beyond goes.
TEST_F(CalloutInstanceTest, SketchedBalloonsTrimTheirLeaderAtTheOutline) {
    enum Shape { kCircle, kLine, kTouch, kText, kFlatText, kOutlinePolyline };
    const struct {
        const char* name;
        Shape shape;
        double shiftX; // of the symbol list
        std::vector<std::pair<WqGePoint3d, WqGePoint3d>> expected; // from the end inwards
    } cases[] = {
        {"circle about the root", kCircle, 0, {{{10, 0, 0}, {0, 0, 0}}, {{10, 0, 0}, {15, 0, 0}}}},
        {"circle, symbol list moved", kCircle, 1,
         {{{10, 0, 0}, {0, 0, 0}}, {{10, 0, 0}, {16, 0, 0}}}},
        {"line across the first segment", kLine, 0, {{{0, 0, 0}, {5, 0, 0}}}},
        {"touching the start of a segment", kTouch, 0,
         {{{10, 0, 0}, {0, 0, 0}}, {{20, 0, 0}, {10, 0, 0}}}},
        {"box of a text", kText, 0, {{{10, 0, 0}, {0, 0, 0}}, {{10, 0, 0}, {12, 0, 0}}}},
        {"flat text: its vertical edges are none", kFlatText, 0,
         {{{10, 0, 0}, {0, 0, 0}}, {{20, 0, 0}, {10, 0, 0}}}},
        {"outline polyline in the symbol list", kOutlinePolyline, 0, {{{0, 0, 0}, {4, 0, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = Place({0, 0, 0}, {10, 0, 0});
        inst->GetState()->style.type = DLxTableCalloutSymInstance::kSketchedBalloonType;
        DUxLeaderNodeTree* tree = inst->GetLeader(0);
        tree->InsertNode(tree->GetRoot(), {20, 0, 0});
        SMxDisplayList list;
        auto leaderChild = std::make_unique<SMxChildItem>();
        tree->GenGraphics(nullptr, leaderChild->list, 0, false, false, nullptr, nullptr, false,
                          false, false);
        ASSERT_EQ(leaderChild->list.Count(), 2);
        auto symbol = std::make_unique<SMxChildItem>(
            WqGeMatrix3d::translation({c.shiftX, 0, 0}));
        auto entry = std::make_unique<SMxChildItem>();
        auto sketch = std::make_unique<SMxChildItem>();
        switch (c.shape) {
        case kCircle:
            sketch->list.Append(std::make_unique<SMxArcItem>(
                WqGePoint3d(20, 0, 0), WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, 5, 0,
                2 * 3.141592653589793));
            break;
        case kLine:
            sketch->list.Append(std::make_unique<SMxLineItem>(WqGePoint3d(5, -5, 0),
                                                              WqGePoint3d(5, 5, 0)));
            break;
        case kTouch:
            sketch->list.Append(std::make_unique<SMxLineItem>(WqGePoint3d(10, 0, 0),
                                                              WqGePoint3d(10, 5, 0)));
            break;
        case kText:
        case kFlatText:
            sketch->list.Append(std::make_unique<SMxTextItem>(
                u"AB", WqGePoint3d(12, c.shape == kText ? -1 : 0, 0), WqGeVector3d::kXAxis,
                c.shape == kText ? 2.0 : 0.0, SMxTextAlign::BottomLeft));
            break;
        case kOutlinePolyline: {
            auto poly = std::make_unique<SMxPolylineItem>(
                WqArray<WqGePoint3d>{{4, -1, 0}, {6, -1, 0}, {6, 1, 0}, {4, 1, 0}}, false);
            poly->SetId(DLxTableCalloutSymInstance::kSketchOutlineItemId);
            symbol->list.Append(std::move(poly));
            // The same polyline under another id is no outline.
            auto other = std::make_unique<SMxPolylineItem>(
                WqArray<WqGePoint3d>{{2, -1, 0}, {2, 1, 0}}, false);
            symbol->list.Append(std::move(other));
            break;
        }
        }
        entry->list.Append(std::move(sketch));
        symbol->list.Append(std::move(entry));
        list.Append(std::move(leaderChild));
        list.Append(std::move(symbol));
        inst->SetDisplayList(list);

        // Through the cleanup that every compute runs: other boxes of its own are dropped.
        std::vector<DUxArrowHeadBox> boxes;
        boxes.emplace_back(std::vector<WqGePoint3d>{{-100, -100, 0}, {100, -100, 0},
                                                    {100, 100, 0}, {-100, 100, 0}},
                           inst, DUxLineGeometry(), true, true);
        inst->DLxSymInstance::Cleanup(boxes, false);
        EXPECT_TRUE(boxes.empty());

        const SMxDisplayList& leaders = inst->GetDisplayList()->GetChild(0).list;
        ASSERT_EQ(leaders.Count(), int32_t(c.expected.size()));
        for (size_t i = 0; i < c.expected.size(); ++i) {
            const auto* line = leaders.GetAt(int32_t(i)).As<SMxLineItem>();
            ASSERT_NE(line, nullptr);
            ExpectPoint(line->start, c.expected[i].first.x, c.expected[i].first.y, "start");
            ExpectPoint(line->end, c.expected[i].second.x, c.expected[i].second.y, "end");
            // A shortened segment keeps the id it is picked by.
            int32_t kind = 0, leader = 0, arrow = 0, node = 0;
            DUxLeaderNodeTree::AnalyzeItemID(line->GetId(), kind, leader, arrow, node);
            EXPECT_EQ(kind, DUxLeaderNodeTree::kLeaderNodeItem);
        }
    }
}

// Edge 1 runs from (50,100) to (150,100) on the sheet.
TEST_F(CalloutInstanceTest, DraggingSnapsOntoTheAttachedEdge) {
    const struct {
        const char* name;
        WqGePoint3d cursor;
        bool leadersShown;
        WqGePoint3d root;
        bool reverse;
    } cases[] = {
        {"just under 0.25 above", {100, 100.24, 0}, false, {100, 100, 0}, false},
        {"0.25 above", {100, 100.25, 0}, true, {90, 110, 0}, false},
        {"close below", {120, 99.9, 0}, false, {120, 100, 0}, true},
        {"close but past the edge's end", {150.1, 100.1, 0}, true, {90, 110, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = Place({0, 0, 0}, {100, 120, 0});
        ASSERT_TRUE(inst->GetFirstAnchor()->AttachToEdge(t.view, 1, 0.5));
        inst->MoveSymbolBox({90, 110, 0}, 0, c.cursor);
        EXPECT_EQ(inst->DisplayLeaders(), c.leadersShown);
        ExpectPoint(inst->GetLeader(0)->GetRoot()->GetPoint(), c.root.x, c.root.y, "root");
        EXPECT_EQ(inst->IsReverseSide(), c.reverse);
        EXPECT_EQ(inst->GetLeader(0)->GetNumNodes(), 2);
    }

    // Edge 2: an arc of radius 20 about (100,200) whose top is at (100,220).
    const struct {
        const char* name;
        WqGePoint3d cursor;
        bool leadersShown;
        WqGePoint3d root;
        bool reverse;
    } arcCases[] = {
        {"close outside the arc", {100, 220.1, 0}, false, {100, 220, 0}, false},
        {"close inside the arc", {100, 219.9, 0}, false, {100, 220, 0}, true},
        {"away from the arc", {100, 221, 0}, true, {90, 230, 0}, false},
    };
    for (const auto& c : arcCases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = Place({0, 0, 0}, {100, 240, 0});
        ASSERT_TRUE(inst->GetFirstAnchor()->AttachToEdge(t.view, 2, 0.5));
        inst->MoveSymbolBox({90, 230, 0}, 0, c.cursor);
        EXPECT_EQ(inst->DisplayLeaders(), c.leadersShown);
        ExpectPoint(inst->GetLeader(0)->GetRoot()->GetPoint(), c.root.x, c.root.y, "root");
        EXPECT_EQ(inst->IsReverseSide(), c.reverse);
    }

    // A leader of its end alone gets a node above the end instead of moving it.
    TstCalloutInstance* inst = TstCalloutInstance::Create(t.sheet, true);
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(t.sheet, t.generator, {0, 0, 0});
    inst->AppendLeader(tree);
    ASSERT_TRUE(inst->GetFirstAnchor()->AttachToEdge(t.view, 1, 0.5));
    inst->MoveSymbolBox({100, 100.1, 0}, 0, {100, 100.1, 0});
    ASSERT_EQ(tree->GetNumNodes(), 2);
    EXPECT_NE(tree->GetRoot(), tree->GetTerminalNode(0));
    ExpectPoint(tree->GetRoot()->GetPoint(), 100, 100, "new root");
    ExpectPoint(inst->GetFirstAnchor()->GetPoint(), 100, 100, "anchor stays");
    EXPECT_FALSE(inst->DisplayLeaders());

    // A free leader: the root follows.
    TstCalloutInstance* free = Place({0, 0, 0}, {10, 10, 0});
    free->SetDisplayLeaders(false);
    free->MoveSymbolBox(WqGePoint3d(30, 40, 0), 0);
    ExpectPoint(free->GetLeader(0)->GetRoot()->GetPoint(), 30, 40, "free root");
    EXPECT_TRUE(free->DisplayLeaders());
}

TEST_F(CalloutInstanceTest, AttachPositionsAroundThePrimaryEntry) {
    const struct {
        const char* name;
        WqGePoint3d end;
        DLxBomStdInfo::EDirection direction;
        std::vector<WqGePoint3d> expected;
    } cases[] = {
        {"vertical leader: left, right, up, down", {100, 50, 0}, DLxBomStdInfo::kRight,
         {{92.5, 100, 0}, {107.5, 100, 0}, {100, 107.5, 0}, {100, 92.5, 0}}},
        {"stack to the right", {80, 90, 0}, DLxBomStdInfo::kRight,
         {{107.5, 100, 0}, {100, 107.5, 0}, {100, 92.5, 0}}},
        {"stack upwards on the left side", {80, 90, 0}, DLxBomStdInfo::kUp,
         {{92.5, 100, 0}, {100, 107.5, 0}, {100, 92.5, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = Place(c.end, {100, 100, 0}, {3, 4, 0});
        inst->GetState()->AlignBalloons(); // sizes the primary entry
        inst->GetBalloon()->setDirection(c.direction);
        std::vector<WqGePoint3d> out;
        inst->AttachPositions(out, {});
        ExpectPoint(inst->GetSubSymbolOrigin(), 100, 100, "moved to the root");
        ASSERT_EQ(out.size(), c.expected.size());
        for (size_t i = 0; i < out.size(); ++i)
            ExpectPoint(out[i], c.expected[i].x, c.expected[i].y);
    }
    TstCalloutInstance* empty = Place({80, 90, 0}, {100, 100, 0});
    empty->SetBalloon({});
    std::vector<WqGePoint3d> out;
    empty->AttachPositions(out, {});
    EXPECT_TRUE(out.empty());
}

TEST_F(CalloutInstanceTest, RefreshMessageKeepsOrDeletesTheCallout) {
    TstCalloutInstance* kept = Place({80, 90, 0}, {100, 100, 0});
    ASSERT_FALSE(Compute(kept).Failed());
    kept->MarkEdited(false);
    EXPECT_FALSE(kept->ProcessMessage(7, nullptr).Failed());
    EXPECT_FALSE(kept->IsEdited());
    EXPECT_FALSE(kept->ProcessMessage(DLxTableCalloutSymInstance::kRefreshMessage, nullptr).Failed());
    EXPECT_TRUE(kept->IsEdited());

    TstCalloutInstance* gone = Place({80, 90, 0}, {100, 100, 0});
    const uint32_t id = gone->GetId();
    const uint32_t stateId = gone->GetState()->GetId();
    gone->alive = false;
    EXPECT_FALSE(gone->ProcessMessage(DLxTableCalloutSymInstance::kRefreshMessage, nullptr).Failed());
    RSeDatabase* db = t.doc->GetRSeDb();
    EXPECT_EQ(db->FindObject(id), nullptr);
    EXPECT_EQ(db->FindObject(stateId), nullptr);
}

TEST_F(CalloutInstanceTest, LeaderAndTextStylesComeFromTheStyleData) {
    TstCalloutInstance* inst = Place({80, 90, 0}, {100, 100, 0});
    // The test style has a primary leader style and no alternative one.
    EXPECT_NE(inst->GetLeaderStyleWrapper(), nullptr);
    inst->UsesPrimaryLeaderStyle(false);
    EXPECT_EQ(inst->GetLeaderStyleWrapper(), nullptr);
    const DUxTextStyleWrapper* text = inst->GetTextStyleWrapper();
    ASSERT_NE(text, nullptr);
    inst->GetState()->style.hasTextStyle = false;
    EXPECT_EQ(inst->GetTextStyleWrapper(), nullptr);
}

// After a compute the entries' outlines clip, as boxes of the callout itself.
TEST_F(CalloutInstanceTest, BoundaryBoxesOfEveryEntry) {
    TstCalloutInstance* inst = Place({80, 90, 0}, {100, 100, 0});
    std::vector<DUxArrowHeadBox> boxes;
    inst->GetArrowHeadBoxes(boxes);
    EXPECT_TRUE(boxes.empty()); // nothing drawn yet
    inst->GetState()->AlignBalloons();
    Attach(inst, {120, 100, 0}, u"2");
    ASSERT_FALSE(Compute(inst).Failed());
    inst->GetArrowHeadBoxes(boxes);
    ASSERT_GE(boxes.size(), 2u);
    const DLxCTableCallout* entries[] = {inst->GetBalloon().Read(),
                                         inst->GetAttachedBalloon(0).Read()};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes[i].GetEmblem(), inst);
        ASSERT_GE(boxes[i].GetPoints().size(), 3u);
        BBox box;
        for (const WqGePoint3d& p : boxes[i].GetPoints())
            box.extend(p);
        const WqGePoint3d c = box.center();
        ExpectPoint(c, entries[i]->origin().x, entries[i]->origin().y, "centred on the entry");
        EXPECT_NEAR(box.max.x - box.min.x, 7.5, 1e-3);
    }
    std::vector<DUxArrowHeadBox> none;
    inst->GetBalloonBoundaryBox(none, {});
    EXPECT_TRUE(none.empty());
}

// A style that keeps the anchored offset places the symbol at its attach point while the
// callout hangs on a leader or on geometry; otherwise the offset applies.
TEST_F(CalloutInstanceTest, TransformKeepsTheAnchoredOffsetWhenTheStyleSaysSo) {
    const struct {
        const char* name;
        bool keeps;
        bool leader;
        bool onEdge;
        double x;
    } cases[] = {
        {"offset applies", false, true, false, 15},
        {"kept on a leader", true, true, false, 10},
        {"kept on geometry", true, false, true, 10},
        {"free without a leader: offset applies", true, false, false, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TstCalloutInstance* inst = TstCalloutInstance::Create(t.sheet, true);
        DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(t.sheet, t.generator, {0, 0, 0});
        if (c.leader) tree->InsertNode(tree->GetRoot(), {5, 5, 0});
        inst->AppendLeader(tree);
        if (c.onEdge) {
            ASSERT_TRUE(inst->GetFirstAnchor()->AttachToEdge(t.view, 1, 0.5));
        }
        inst->GetState()->style.keepsAnchoredOffset = c.keeps;
        SMxChildItem symbol, text;
        inst->TransformInstance(&symbol, &text, nullptr, nullptr, WqGeVector3d(),
                                WqGeVector3d(10, 0, 0), WqGeVector3d(5, 0, 0), 0);
        WqGePoint3d placed;
        placed.transformBy(symbol.GetTransform());
        ExpectPoint(placed, c.x, 0);
    }
}

TEST_F(CalloutInstanceTest, SelectionNamesItsCalloutWhileItLives) {
    TstCalloutInstance* inst = Place({80, 90, 0}, {100, 100, 0});
    SmartPtr<DLxTableCalloutBaseSelection> sel(
        new DLxTableCalloutBaseSelection(inst, WqGePoint3d(1, 2, 0)));
    EXPECT_EQ(sel->GetTableCalloutSymbol(), inst);
    EXPECT_EQ(sel->GetSymbol(), inst);
    EXPECT_EQ(sel->GetPickPoint(), WqGePoint3d(1, 2, 0));
    EXPECT_EQ(sel->GetDataItem(1), nullptr);
    inst->DeleteAndVacuumClean();
    EXPECT_EQ(sel->GetTableCalloutSymbol(), nullptr);
}

// A preview copy lives in the transient segment and does not carry the flag: it draws with the
// primary leader style when one of its anchors is on geometry.
TEST_F(CalloutInstanceTest, PreviewCopiesChooseTheLeaderStyleByTheirAnchors) {
    RSeSegment* segment = RSe::TransientSegment(true);
    auto* fragment =
        new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)), segment) RDxFragment();
    TstCalloutInstance* preview = TstCalloutInstance::Create(fragment, true);
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, t.generator, {0, 0, 0});
    tree->InsertNode(tree->GetRoot(), {5, 5, 0});
    preview->AppendLeader(tree);
    preview->UsesPrimaryLeaderStyle(true);
    EXPECT_FALSE(preview->UsesPrimaryLeaderStyle());
    EXPECT_EQ(preview->GetLeaderStyleWrapper(), nullptr);
    ASSERT_TRUE(preview->GetFirstAnchor()->AttachToEdge(t.view, 1, 0.5));
    preview->UsesPrimaryLeaderStyle(false);
    EXPECT_TRUE(preview->UsesPrimaryLeaderStyle());
    EXPECT_NE(preview->GetLeaderStyleWrapper(), nullptr);
    preview->DeleteAndVacuumClean();
    RSe::DeleteObject(fragment);
}

} // namespace
