// The placed table callout: its stored class, the stack as the instance hands it out, the
// compute that keeps the stack at its leader, the boundary boxes, the leader trimming of
// sketched balloons, dragging, attach positions, the refresh message and the style choice.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Standard/DLxCBalloon.h"
#include "SymTestKind.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "TstTableCallout.h"
#include "dc/RDxComputeContext.h"
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

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

} // namespace
