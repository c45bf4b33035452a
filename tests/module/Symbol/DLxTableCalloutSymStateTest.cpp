// The table callout state and its entries: a new entry, the entry's override text, where a
// stacked entry goes, attaching, aligning, flipping and removing entries, the radius, drawing
// with the stack's hot points, ownership of the entries under delete, undo and clone, storage,
// and a picture of every balloon shape.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "KorvuTestSupport.h"
#include "Standard/DLxCBalloon.h"
#include "SvgCompare.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "TstTableCallout.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxChangeRequest.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "render/RNxRenderer.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

constexpr double kTol = 1e-6;

DUxStyleFormatColumnPropertyID ItemProperty() {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    p.SetPropertyID(u"1");
    return p;
}
const DUxStyleFormatColumnPropertyID kItem = ItemProperty();

void ExpectAt(const DLxCTableCallout* e, double x, double y, const char* what) {
    ASSERT_NE(e, nullptr) << what;
    EXPECT_NEAR(e->origin().x, x, kTol) << what;
    EXPECT_NEAR(e->origin().y, y, kTol) << what;
}

// Runs a function as the body of one change request, so that it can be undone.
class TstRunRequest : public FWxChangeRequest {
public:
    explicit TstRunRequest(std::function<void()> body) : m_body(std::move(body)) {}
    UTxResult Script(FWxSceneDoc*) override { return {}; }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        return tdx.GetResult();
    }
    UTxResult _Execute(FWxSceneDoc*) override {
        m_body();
        return {};
    }

private:
    std::function<void()> m_body;
};

// A sheet with a balloon state of circles (font 2.5: radius 3.75, 7.5 across) showing the
// item number; the primary entry at (100, 100) shows "1".
class CalloutStateTest : public ::testing::Test {
protected:
    CalloutStateTest() : sheet(doc.CreateSheet(u"S", 420, 297)) {
        state = TstCalloutState::Create(sheet, true);
        item = DUxTableStylePartsListColumn::New(sheet->GetSegment());
        *item->GetPropertyID() = kItem;
        state->style.items = {RSeRef<DUxTableStyleColumn>(item)};
        primary = NewEntry(0, u"1", {100, 100, 0});
        state->SetBalloon(RSeRef<DLxCTableCallout>(primary));
    }
    DLxCBalloon* NewEntry(int32_t index, const char16_t* text, const WqGePoint3d& at) {
        DLxCBalloon* e = DLxCBalloon::New(sheet->GetSegment(), {}, index);
        e->AddMappedOverride(&kItem, text);
        e->setOrigin(at);
        return e;
    }
    // Attaches an entry showing `text` at p, as a user adds one to the stack.
    DLxCTableCallout* Attach(const WqGePoint3d& p, const char16_t* text) {
        RSeRef<DLxCTableCallout> e = state->AttachNewBalloon(p, {});
        if (auto* b = dynamic_cast<DLxCBalloon*>(e.get())) b->AddMappedOverride(&kItem, text);
        return e.get();
    }
    DLxCTableCallout* At(int32_t i) { return state->GetAttachedBalloon(i).get(); }

    DLxDrawingDoc doc;
    DLxSheet* sheet;
    TstCalloutState* state = nullptr;
    DUxTableStylePartsListColumn* item = nullptr;
    DLxCBalloon* primary = nullptr;
};

TEST_F(CalloutStateTest, StoredClassAndANewState) {
    RSeMetaType* mt = RSe::_GetMeta(static_cast<const DLxTableCalloutSymState*>(nullptr));
    ASSERT_NE(mt, nullptr);
    EXPECT_EQ(UTx::ToUtf8(mt->GetName()), "DLxTableCalloutSymState");
    EXPECT_EQ(mt->GetGUID(), UTxGUID(0x8FC1257B, 0xB42F4124, 0x92766DC5, 0xEE66D7A9));
    EXPECT_EQ(mt->GetVersion(), 0);
    EXPECT_EQ(mt->GetBase(), RSe::_GetMeta(static_cast<const DUxSymState*>(nullptr)));

    TstCalloutState* fresh = TstCalloutState::Create(sheet, false);
    EXPECT_FALSE(fresh->GetBalloon());
    EXPECT_TRUE(fresh->GetAttachedBalloons().empty());
    EXPECT_FALSE(fresh->EnlargeBalloonSizeByText());
    EXPECT_FALSE(fresh->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag));
    // The style data is made once, on first use.
    EXPECT_EQ(fresh->styleDataMade, 0);
    DLxTableCalloutStyleData* data = fresh->GetStyleData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(fresh->GetStyleData(), data);
    EXPECT_EQ(fresh->styleDataMade, 1);
    EXPECT_EQ(data->GetState().Read(), fresh);
}

TEST_F(CalloutStateTest, ANewEntryStacksRightAndItsIdTextIsAlwaysOne) {
    // A new entry grows its stack to the right, away from a leader on its left.
    DLxCBalloon* e = DLxCBalloon::New(sheet->GetSegment(), {}, 5);
    EXPECT_EQ(e->direction(), DLxBomStdInfo::kRight);
    EXPECT_EQ(e->GetIndex(), 5);
    EXPECT_FALSE(e->HasOverrideText());
    for (const DLxCTableCallout* entry :
         {static_cast<DLxCTableCallout*>(e), static_cast<DLxCTableCallout*>(primary)}) {
        UTxString16 id = u"x";
        entry->getIdText(id);
        EXPECT_EQ(id, u"1");
    }
}

TEST_F(CalloutStateTest, OverrideTextIsOwnedAndReplacedObjectsGo) {
    DLxCBalloon* e = DLxCBalloon::New(sheet->GetSegment(), {}, 1);
    // Without a string object a text changes nothing.
    e->SetOverrideText(UTxString16(u"7"));
    EXPECT_FALSE(e->HasOverrideText());
    EXPECT_TRUE(e->GetOverrideText().empty());

    RSeDatabase* db = doc.GetRSeDb();
    e->AddMappedOverride(&kItem, u"A");
    const uint32_t first = e->GetOverrideString()->GetId();
    e->SetOverrideText(UTxString16(u"B"));
    EXPECT_EQ(e->GetOverrideText(), u"B");
    EXPECT_EQ(e->GetOverrideString()->GetId(), first);
    // A new override string replaces the old one, which nothing else holds.
    e->AddMappedOverride(&kItem, u"C");
    EXPECT_EQ(db->FindObject(first), nullptr);
    EXPECT_EQ(e->GetOverrideText(), u"C");
    // Setting the same object again keeps it.
    const RSeRef<RDxString> same = e->GetOverrideString();
    e->SetOverrideText(same);
    EXPECT_EQ(e->GetOverrideText(), u"C");
    // Assignment moves an entry into another's place in a stack, nothing more.
    DLxCBalloon* other = NewEntry(3, u"Z", {5, 6, 0});
    other->setDirection(DLxBomStdInfo::kDown);
    e->SetBalloonSize(1, 2);
    e->SetBoundary({{1, 1, 0}});
    static_cast<DLxCTableCallout&>(*e) = *other;
    EXPECT_EQ(e->origin(), WqGePoint3d(5, 6, 0));
    EXPECT_EQ(e->direction(), DLxBomStdInfo::kDown);
    EXPECT_EQ(e->GetIndex(), 3);
    EXPECT_EQ(e->GetOverrideText(), u"C");
    EXPECT_EQ(e->GetBalloonWidth(), 1);
    EXPECT_EQ(e->GetBoundary().size(), 1u);
    // The entry takes its text with it.
    const uint32_t last = same->GetId();
    RSe::DeleteObject(e);
    EXPECT_EQ(db->FindObject(last), nullptr);
}

// Entry A at the origin, 10 wide and 6 high; B at (50, 50), 4 by 2. A balloon state hangs B's
// incoming point on A's outgoing point; a plain callout puts B one size of A further.
TEST_F(CalloutStateTest, WhereTheNextEntryGoes) {
    DLxCBalloon* a = NewEntry(0, u"1", {0, 0, 0});
    DLxCBalloon* b = NewEntry(1, u"2", {50, 50, 0});
    a->SetBalloonSize(10, 6);
    b->SetBalloonSize(4, 2);
    const struct {
        const char* name;
        int32_t type;
        bool balloonState;
        bool withNext;
        WqGeVector3d v;
        WqGePoint3d expected;
    } cases[] = {
        {"circles along x", 2, true, true, {1, 0, 0}, {8, 0, 0}},
        {"circles, vector snapped to y", 2, true, true, {0.3, 1, 0}, {0, 4, 0}},
        {"nearly horizontal counts as horizontal", 2, true, true, {1, 1e-12, 0}, {8, 0, 0}},
        {"plain callout along x", 2, false, true, {1, 0, 0}, {10, 0, 0}},
        {"plain callout downwards", 2, false, true, {0, -2, 0}, {0, -6, 0}},
        {"no next entry", 2, true, false, {1, 0, 0}, {10, 0, 0}},
        {"no service for the type", 1, true, true, {-1, 0, 0}, {-10, 0, 0}},
        {"borderless along -x", 5, true, true, {-1, 0, 0}, {-7, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = c.type;
        if (c.balloonState)
            state->SetFlag(DLxTableCalloutSymState::kBalloonStateFlag);
        else
            state->ClearFlag(DLxTableCalloutSymState::kBalloonStateFlag);
        const WqGePoint3d p = a->GetBalloonAttachmentPosition(
            RSeRef<DLxTableCalloutSymState>(state),
            c.withNext ? RSeRef<DLxCTableCallout>(b) : RSeRef<DLxCTableCallout>(), c.v);
        EXPECT_NEAR(p.x, c.expected.x, kTol);
        EXPECT_NEAR(p.y, c.expected.y, kTol);
    }
}

TEST_F(CalloutStateTest, AttachedEntriesTouchAndAreNumberedInStackOrder) {
    // Before the primary entry has a size nothing is placed.
    DLxCTableCallout* early = Attach({130, 100, 0}, u"9");
    ExpectAt(early, 130, 100, "unsized stack");
    ASSERT_TRUE(state->RemoveBalloon(RSeRef<DLxCTableCallout>(early)));

    state->AlignBalloons(); // sizes the primary entry
    EXPECT_NEAR(primary->GetBalloonWidth(), 7.5, kTol);
    DLxCTableCallout* second = Attach({130, 100, 0}, u"2");
    ExpectAt(second, 107.5, 100, "second");
    EXPECT_EQ(second->GetIndex(), 1);
    EXPECT_NEAR(second->GetBalloonWidth(), 7.5, kTol);
    DLxCTableCallout* third = Attach({200, 100, 0}, u"3");
    ExpectAt(third, 115, 100, "third");
    EXPECT_EQ(third->GetIndex(), 2);
    for (const DLxCTableCallout* e : {static_cast<DLxCTableCallout*>(primary), second, third})
        EXPECT_EQ(e->direction(), DLxBomStdInfo::kRight);

    // Without a new entry from the kind there is nothing to attach.
    state->refuseBalloons = true;
    EXPECT_FALSE(state->AttachNewBalloon({300, 100, 0}, {}));
    EXPECT_EQ(state->GetAttachedCount(), 2);

    state->ShiftBalloons({1, 2, 0});
    ExpectAt(primary, 101, 102, "shifted");
    ExpectAt(third, 116, 102, "shifted");
    state->ReIndexBalloons();
    EXPECT_EQ(third->GetIndex(), 2);

    // Midway between two entries the earlier one is the closest.
    EXPECT_EQ(state->GetClosestBalloon({104.75, 102, 0}).Read(), primary);
    EXPECT_EQ(state->GetClosestBalloon({112.25, 102, 0}).Read(), second);
    EXPECT_EQ(state->GetClosestBalloon({113, 90, 0}).Read(), third);
}

TEST_F(CalloutStateTest, IndexesFromRecordsAreCheckedAgainstTheStack) {
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    EXPECT_EQ(state->FindAttachedBalloon(0).Read(), second);
    for (int32_t i : {-1, 1, 1000})
        EXPECT_FALSE(state->FindAttachedBalloon(i)) << i;
}

// An axis gives its direction code (keeping the leader's side for vertical stacks); any other
// vector keeps the code and still stacks along the axis it is nearest to.
TEST_F(CalloutStateTest, AligningGivesEveryEntryTheStacksDirection) {
    const struct {
        const char* name;
        DLxBomStdInfo::EDirection start;
        WqGeVector3d v;
        DLxBomStdInfo::EDirection code;
        WqGePoint3d secondAt;
    } cases[] = {
        {"up, leader on the right",
         DLxBomStdInfo::kLeft,
         {0, 2, 0},
         DLxBomStdInfo::kUp,
         {100, 107.5, 0}},
        {"up, leader on the left",
         DLxBomStdInfo::kRight,
         {0, 1, 0},
         DLxBomStdInfo::kUpRight,
         {100, 107.5, 0}},
        {"down", DLxBomStdInfo::kRight, {0, -1, 0}, DLxBomStdInfo::kDownRight, {100, 92.5, 0}},
        {"right", DLxBomStdInfo::kLeft, {1, 0, 0}, DLxBomStdInfo::kRight, {107.5, 100, 0}},
        {"left", DLxBomStdInfo::kRight, {-1, 0, 0}, DLxBomStdInfo::kLeft, {92.5, 100, 0}},
        {"slanted keeps the code",
         DLxBomStdInfo::kUp,
         {1, 1, 0},
         DLxBomStdInfo::kUp,
         {100, 107.5, 0}},
    };
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        primary->setDirection(c.start);
        state->AlignBalloons(c.v);
        EXPECT_EQ(primary->direction(), c.code);
        EXPECT_EQ(second->direction(), c.code);
        ExpectAt(second, c.secondAt.x, c.secondAt.y, "second");
    }
    // A primary entry without a size leaves the others where they are.
    primary->SetBalloonSize(0, 7.5);
    second->setOrigin({0, 0, 0});
    state->AlignBalloons({1, 0, 0});
    ExpectAt(second, 0, 0, "unsized primary");
}

TEST_F(CalloutStateTest, RemovingThePrimaryOfThreeMovesTheNextIntoItsPlace) {
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    DLxCTableCallout* third = Attach({120, 100, 0}, u"3");
    RSeDatabase* db = doc.GetRSeDb();
    const uint32_t primaryId = primary->GetId();
    EXPECT_FALSE(state->RemoveBalloon({}));
    ASSERT_TRUE(state->RemoveBalloon(RSeRef<DLxCTableCallout>(primary)));
    EXPECT_EQ(db->FindObject(primaryId), nullptr);
    EXPECT_EQ(state->GetBalloon().Read(), second);
    ASSERT_EQ(state->GetAttachedCount(), 1);
    EXPECT_EQ(At(0), third);
    ExpectAt(second, 100, 100, "new primary");
    ExpectAt(third, 107.5, 100, "realigned");
    EXPECT_EQ(second->GetIndex(), 0);
    EXPECT_EQ(third->GetIndex(), 1);

    // The last attached entry goes by its index; a vertical direction falls back to the side.
    third->setDirection(DLxBomStdInfo::kUpRight);
    second->setDirection(DLxBomStdInfo::kUpRight);
    ASSERT_TRUE(state->RemoveBalloon(RSeRef<DLxCTableCallout>(third)));
    EXPECT_EQ(state->GetAttachedCount(), 0);
    EXPECT_EQ(second->direction(), DLxBomStdInfo::kRight);

    // The only entry: removed, and the stack is empty.
    EXPECT_FALSE(state->RemoveBalloon(RSeRef<DLxCTableCallout>(second)));
    EXPECT_FALSE(state->GetBalloon());
}

TEST_F(CalloutStateTest, LastAttachedEntryGoneTheDirectionKeepsOnlyItsSide) {
    const struct {
        DLxBomStdInfo::EDirection before, after;
    } cases[] = {{DLxBomStdInfo::kUp, DLxBomStdInfo::kLeft},
                 {DLxBomStdInfo::kDown, DLxBomStdInfo::kLeft},
                 {DLxBomStdInfo::kUpRight, DLxBomStdInfo::kRight},
                 {DLxBomStdInfo::kDownRight, DLxBomStdInfo::kRight}};
    state->AlignBalloons();
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.before));
        DLxCTableCallout* e = Attach({110, 100, 0}, u"2");
        primary->setDirection(c.before);
        ASSERT_TRUE(state->RemoveBalloon(RSeRef<DLxCTableCallout>(e)));
        EXPECT_EQ(primary->direction(), c.after);
    }
}

TEST_F(CalloutStateTest, FlippingMovesAHorizontalStackAndTurnsAVerticalOne) {
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    // The leader stays on the left: nothing changes.
    state->FlipBalloons(DLxBomStdInfo::kUpRight);
    ExpectAt(second, 107.5, 100, "same side");
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kRight);
    // The leader came round to the right: the stack grows to the left.
    state->FlipBalloons(DLxBomStdInfo::kLeft);
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kLeft);
    EXPECT_EQ(second->direction(), DLxBomStdInfo::kLeft);
    ExpectAt(second, 92.5, 100, "flipped");
    // By a vector: a leader arriving along +X (from the left) brings it back.
    state->FlipBalloons(WqGeVector3d(-1, 0, 0));
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kLeft);
    state->FlipBalloons(WqGeVector3d(1, 0.5, 0));
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kRight);
    ExpectAt(second, 107.5, 100, "flipped back");

    // A vertical stack stays where it is; its entries change side.
    state->AlignBalloons({0, 1, 0});
    ASSERT_EQ(second->direction(), DLxBomStdInfo::kUpRight);
    state->FlipBalloons(DLxBomStdInfo::kLeft);
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kUp);
    EXPECT_EQ(second->direction(), DLxBomStdInfo::kUp);
    ExpectAt(second, 100, 107.5, "vertical");
}

TEST_F(CalloutStateTest, RadiusOfThePrimaryEntryAndItsText) {
    BBox box;
    EXPECT_NEAR(state->symbolRadius(&box), 3.75, kTol);
    EXPECT_NEAR(box.max.x, 1.5, kTol); // "1"
    EXPECT_NEAR(box.max.y, 2.5, kTol);
    state->style.type = 10;
    EXPECT_EQ(state->symbolRadius(nullptr), 0.0);
}

TEST_F(CalloutStateTest, DrawingPutsEachEntryInItsOwnListAndHotPointsOnAttachedOnes) {
    state->AlignBalloons();
    Attach({110, 100, 0}, u"2");
    Attach({120, 100, 0}, u"3");
    SMxDisplayList list, texts;
    state->GenGraphics(list, texts, 0, UTxGUID(), false, 0);
    EXPECT_TRUE(texts.IsEmpty());
    ASSERT_EQ(list.Count(), 5);
    // Hot points first, the last entry's in front, relative to the primary entry.
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t i = 1 - k;
        const auto* hot = list.GetAt(k).As<SMxPointItem>();
        ASSERT_NE(hot, nullptr);
        EXPECT_EQ(hot->GetId(), DUxLeaderNodeTree::SynthesizeItemID(12, 0, 0, i));
        EXPECT_NEAR(hot->position.x, 7.5 * (i + 1), kTol);
        EXPECT_NEAR(hot->position.y, 0, kTol);
    }
    // Each entry about the primary's origin, moved by its offset.
    for (int32_t i = 0; i < 3; ++i) {
        const auto* child = list.GetAt(2 + i).As<SMxChildItem>();
        ASSERT_NE(child, nullptr);
        const SMxArcItem* circle = nullptr;
        const SMxTextItem* text = nullptr;
        for (const SMxDisplayItem& drawn : child->list) {
            if (!circle) circle = drawn.As<SMxArcItem>();
            if (!text) text = drawn.As<SMxTextItem>();
        }
        ASSERT_TRUE(circle && text) << i;
        EXPECT_NEAR(circle->center.x, 7.5 * i, kTol);
        EXPECT_NEAR(circle->radius, 3.75, kTol);
        EXPECT_EQ(text->text, UTxString16(1, char16_t(u'1' + i)));
        EXPECT_NEAR(text->position.x, 7.5 * i, kTol);
    }
    // An unknown balloon type, or a sketched balloon without a sketch drawing, draws empty lists.
    for (int32_t type : {0, 7}) {
        SCOPED_TRACE(type);
        state->style.type = type;
        SMxDisplayList none;
        state->GenGraphics(none, texts, 0, UTxGUID(), false, 0);
        ASSERT_EQ(none.Count(), 5);
        for (int32_t i = 2; i < 5; ++i)
            EXPECT_TRUE(none.GetAt(i).As<SMxChildItem>()->list.IsEmpty());
    }
}

TEST_F(CalloutStateTest, TheStateOwnsItsEntriesThroughDeleteUndoAndClone) {
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    RSeDatabase* db = doc.GetRSeDb();
    const uint32_t stateId = state->GetId(), primaryId = primary->GetId(),
                   secondId = second->GetId();
    const uint32_t textId = primary->GetOverrideString()->GetId();

    // A copy owns copies of the entries and of their texts.
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({state}).Failed());
    auto* copy = dynamic_cast<TstCalloutState*>(cc.CloneOf(state));
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->GetBalloon());
    EXPECT_NE(copy->GetBalloon().Read(), primary);
    ASSERT_EQ(copy->GetAttachedCount(), 1);
    EXPECT_NE(copy->GetAttachedBalloon(0).Read(), second);
    EXPECT_NE(copy->GetBalloon()->GetOverrideString().Read(), primary->GetOverrideString().Read());
    EXPECT_EQ(copy->GetBalloon()->GetOverrideText(), u"1");
    RSe::DeleteObject(copy);
    EXPECT_EQ(primary->GetOverrideText(), u"1");
    EXPECT_NE(db->FindObject(secondId), nullptr);

    ASSERT_FALSE(
        doc.ProcessChangeRequest(new TstRunRequest([&] { sheet->DeleteNode(state); })).Failed());
    for (uint32_t id : {stateId, primaryId, secondId, textId})
        EXPECT_EQ(db->FindObject(id), nullptr) << id;
    ASSERT_FALSE(doc.Undo().Failed());
    auto* back = dynamic_cast<TstCalloutState*>(db->FindObject(stateId));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetBalloon().Read(), db->FindObject(primaryId));
    EXPECT_EQ(back->GetAttachedBalloon(0).Read(), db->FindObject(secondId));
    EXPECT_NE(db->FindObject(textId), nullptr);
}

// Each change alone in a request, so that a change that is not recorded shows.
TEST_F(CalloutStateTest, StackChangesAreUndoneToTheSameBytes) {
    auto bytes = [&] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    };
    state->AlignBalloons();
    const struct {
        const char* name;
        std::function<void()> change;
    } steps[] = {
        {"attach",
         [&] {
             Attach({110, 100, 0}, u"2");
         }},
        {"attach another",
         [&] {
             Attach({120, 100, 0}, u"3");
         }},
        {"enlarge", [&] { state->SetEnlargeBalloonSizeByText(true); }},
        {"flip", [&] { state->FlipBalloons(DLxBomStdInfo::kLeft); }},
        {"shift",
         [&] {
             state->ShiftBalloons({0, 5, 0});
         }},
        {"align upwards",
         [&] {
             state->AlignBalloons({0, 1, 0});
         }},
        {"remove the primary", [&] { state->RemoveBalloon(state->GetBalloon()); }},
        {"number out of order", [&] { state->GetAttachedBalloon(0)->SetIndex(9); }},
        {"renumber", [&] { state->ReIndexBalloons(); }},
        {"clear", [&] { state->ClearAttachedBalloons(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const std::vector<uint8_t> before = bytes();
        ASSERT_FALSE(doc.ProcessChangeRequest(new TstRunRequest(step.change)).Failed());
        const std::vector<uint8_t> after = bytes();
        EXPECT_NE(after, before);
        ASSERT_FALSE(doc.Undo().Failed());
        EXPECT_EQ(bytes(), before);
        ASSERT_FALSE(doc.Redo().Failed());
        EXPECT_EQ(bytes(), after);
    }
}

TEST_F(CalloutStateTest, StackComesBackFromADocumentFileWithoutItsMeasures) {
    state->AlignBalloons();
    DLxCTableCallout* second = Attach({110, 100, 0}, u"2");
    state->SetEnlargeBalloonSizeByText(true);
    const uint32_t id = state->GetId();

    KorvuTempDir dir;
    ASSERT_FALSE(doc.Save(dir.File("a.kdoc")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    UTxResult r = DLxDrawingDoc::Open(dir.File("a.kdoc"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* back = dynamic_cast<TstCalloutState*>(loaded->GetRSeDb()->FindObject(id));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->EnlargeBalloonSizeByText());
    EXPECT_TRUE(back->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag));
    ASSERT_TRUE(back->GetBalloon());
    ASSERT_EQ(back->GetAttachedCount(), 1);
    const DLxCTableCallout* again = back->GetAttachedBalloon(0).Read();
    EXPECT_EQ(again->GetId(), second->GetId());
    EXPECT_EQ(again->origin(), second->origin());
    EXPECT_EQ(again->GetIndex(), 1);
    EXPECT_EQ(again->direction(), DLxBomStdInfo::kRight);
    EXPECT_EQ(back->GetBalloon()->GetOverrideText(), u"1");
    // Sizes and outlines are the drawing's: none until the next layout.
    EXPECT_EQ(again->GetBalloonWidth(), 0.0);
    EXPECT_EQ(again->GetBalloonHeight(), 0.0);
    EXPECT_TRUE(again->GetBoundary().empty());

    ASSERT_FALSE(loaded->Save(dir.File("b.kdoc")).Failed());
    EXPECT_EQ(ReadFile(dir.File("a.kdoc")), ReadFile(dir.File("b.kdoc")));
}

// Every shape as a user sees it: each drawn as a stack of two entries (the second showing a
// long text) on one sheet, written as SVG and PNG beside the tests.
TEST_F(CalloutStateTest, EveryShapeDrawnToSvgAndPng) {
    const std::filesystem::path dir = std::filesystem::current_path() / "out" / "balloons";
    std::filesystem::create_directories(dir);
    DUxTableStylePartsListColumn* second = DUxTableStylePartsListColumn::New(sheet->GetSegment());
    DUxStyleFormatColumnPropertyID qty;
    qty.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    qty.SetPropertyID(u"6");
    *second->GetPropertyID() = qty;

    const int32_t types[] = {2, 3, 4, 5, 6, 8, 9};
    std::vector<std::unique_ptr<SMxDisplayList>> lists;
    std::vector<RNxLayer> layers;
    for (size_t k = 0; k < std::size(types); ++k) {
        TstCalloutState* st = TstCalloutState::Create(sheet, true);
        st->style.type = types[k];
        st->style.stretch = true;
        st->style.items = {RSeRef<DUxTableStyleColumn>(item), RSeRef<DUxTableStyleColumn>(second)};
        const WqGePoint3d at(20, 180 - 24.0 * double(k), 0);
        DLxCBalloon* first = NewEntry(0, u"7", at);
        first->AddMappedOverride(&qty, u"2");
        st->SetBalloon(RSeRef<DLxCTableCallout>(first));
        st->AlignBalloons();
        RSeRef<DLxCTableCallout> next = st->AttachNewBalloon(at + WqGeVector3d(10, 0, 0), {});
        auto* b = dynamic_cast<DLxCBalloon*>(next.get());
        ASSERT_NE(b, nullptr);
        b->AddMappedOverride(&kItem, u"12345");
        b->AddMappedOverride(&qty, u"4");
        auto list = std::make_unique<SMxDisplayList>();
        SMxDisplayList texts;
        st->GenGraphics(*list, texts, 0, UTxGUID(), false, 0);
        layers.push_back({list.get(), WqGeMatrix3d::translation(at.asVector())});
        lists.push_back(std::move(list));
    }
    const RNxSheet picture{u"balloons", 80.0, 200.0};
    RNxOptions options;
    options.dotsPerMm = 8.0;
    for (const char* ext : {".svg", ".png"}) {
        const std::string path = (dir / (std::string("shapes") + ext)).string();
        SCOPED_TRACE(path);
        ASSERT_FALSE(RNx::RenderSheet(picture, layers, path, options).Failed());
        EXPECT_GT(std::filesystem::file_size(path), 0u);
    }
    std::ifstream in(dir / "shapes.svg");
    std::stringstream svg;
    svg << in.rdbuf();
    EXPECT_NE(svg.str().find("12345"), std::string::npos);
    // The picture as reviewed: numbers centred in circles and polygons, the split circle's
    // divider, the underline with its notch, boxes around their numbers.
    EXPECT_TRUE(MatchesExpectedFile((dir / "shapes.svg").string(), "module/Symbol/expected",
                                    "balloon_shapes.svg"));
}

} // namespace
