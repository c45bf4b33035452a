// The balloon's state on a drawing with a real local bill: its stored class and versions, the
// bill's property usage kept equal to the properties its shape shows, its member and custom
// tests, and what it answers the table callout for.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "KorvuBOMFixture.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonStyleData.h"
#include "Symbol/DLxBalloonSymState.h"
#include "TstBalloonDrawing.h"
#include "TstDocWriter.h"
#include "TstFnRequest.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "du/DUxBalloonStyle.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

using namespace TstBalloon;

std::vector<uint8_t> Bytes(RSeDatabase* db) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(db->SaveToBuffer(out).Failed());
    return out;
}

bool InUsage(const DLxLocalBOM* bom, const DUxStyleFormatColumnPropertyID& p) {
    DLxLocalBOMColumn column;
    return DLxLocalBOMColumn::FromPropertyID(p, column) && bom->IsPropIDInUse(column);
}

std::vector<UTxString16> Ids(const DLxBalloonSymState* state) {
    std::vector<UTxString16> ids;
    for (const DUxStyleFormatColumnPropertyID& p : state->GetLastUsedProperties())
        ids.push_back(p.GetPropertyID());
    return ids;
}

const DUxStyleFormatColumnPropertyID kItem = Prop(u"1");
const DUxStyleFormatColumnPropertyID kPartNumber = Prop(u"6");
const DUxStyleFormatColumnPropertyID kDescription = Prop(u"7");

class BalloonState : public ::testing::Test {
protected:
    Drawing d;
};

TEST_F(BalloonState, StoredClassAndANewState) {
    RSeMetaType* mt = RSe::_GetMeta(static_cast<const DLxBalloonSymState*>(nullptr));
    EXPECT_EQ(UTx::ToUtf8(mt->GetName()), "DLxBalloonSymState");
    EXPECT_EQ(mt->GetGUID(), UTxGUID(0x78DC7110, 0xA7774852, 0xB57659C7, 0xF1A6E96B));
    EXPECT_EQ(mt->GetVersion(), 5);
    EXPECT_EQ(mt->GetBase(), RSe::_GetMeta(static_cast<const DLxTableCalloutSymState*>(nullptr)));

    DLxBalloonSymState* state = DLxBalloonSymState::Create(d.sheet);
    EXPECT_TRUE(state->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag));
    EXPECT_STREQ(state->GetInternalName(), "Balloon");
    EXPECT_FALSE(state->GetLocalBOM());
    EXPECT_TRUE(state->GetLastUsedProperties().empty());
    EXPECT_NE(dynamic_cast<DLxBalloonStyleData*>(state->GetStyleData()), nullptr);

    const RSeRef<DLxCTableCallout> entry = state->CreateBalloon(d.Node(kMotorOcc), 3);
    const auto* balloon = dynamic_cast<const DLxCBalloon*>(entry.Read());
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->GetIndex(), 3);
    EXPECT_EQ(balloon->GetStructureNode(), d.Node(kMotorOcc));
    EXPECT_EQ(balloon->GetSegment(), state->GetSegment());

    // The entries read their texts from the state's bill.
    DLxLocalBOM* bom = nullptr;
    UTxString16 member = u"x";
    state->GetItemTextSource(bom, member);
    EXPECT_EQ(bom, nullptr);
    state->SetLocalBOM(RSeRef<DLxLocalBOM>(d.bom));
    state->GetItemTextSource(bom, member);
    EXPECT_EQ(bom, d.bom);
    EXPECT_EQ(member, u"");
}

TEST_F(BalloonState, IsCustomIsThePrimaryEntrysRowInTheBill) {
    const DLxLocalBOMCookie custom = d.bom->AddCustom();
    DLxBalloonSymState* onCustom = d.Balloon({}, custom);
    DLxBalloonSymState* onPart = d.Balloon(d.Node(kMotorOcc));
    EXPECT_TRUE(onCustom->IsCustom());
    EXPECT_FALSE(onPart->IsCustom());
    onCustom->SetLocalBOM({});
    EXPECT_FALSE(onCustom->IsCustom());
}

// The properties used are the style's columns that the shape of its type shows, with the
// bill's usage following them: a kept property stays, one no longer shown leaves it.
TEST_F(BalloonState, UsedPropertiesFollowTheStylesShapeAndColumns) {
    d.SetItems({kItem, kPartNumber, kDescription});
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc));
    state->AttachNewBalloon({10, 0, 0}, d.Node(kMotorOcc));
    const struct {
        DUxBalloonStyle::EBalloonType type;
        std::vector<UTxString16> used;
    } steps[] = {
        {DUxBalloonStyle::eCircular, {u"1"}},
        {DUxBalloonStyle::eCircularSplit, {u"1", u"6"}},
        {DUxBalloonStyle::eNoBorder, {u"1", u"6", u"7"}},
        {DUxBalloonStyle::eHexagon, {u"1"}},
        // No shape service: the list stays as it was.
        {DUxBalloonStyle::eNoShape, {u"1"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.type);
        d.style->SetDefaultType(step.type);
        state->UpdateUsedProperties();
        EXPECT_EQ(Ids(state), step.used);
        for (const DUxStyleFormatColumnPropertyID& p : {kItem, kPartNumber, kDescription}) {
            bool used = false;
            for (const UTxString16& id : step.used)
                used = used || id == p.GetPropertyID();
            EXPECT_EQ(InUsage(d.bom, p), used) << UTx::ToUtf8(p.GetPropertyID());
        }
    }

    state->ClearUsedProperties();
    EXPECT_TRUE(state->GetLastUsedProperties().empty());
    EXPECT_FALSE(InUsage(d.bom, kItem));

    // Without a bill nothing is collected.
    state->SetLocalBOM({});
    d.style->SetDefaultType(DUxBalloonStyle::eCircular);
    state->UpdateUsedProperties();
    EXPECT_TRUE(state->GetLastUsedProperties().empty());
}

// The bill's usage is a set of columns: a property that stops being shown while another one
// of the same column (here the same item under another heading) is shown must not take the
// column out of the usage.
TEST_F(BalloonState, APropertyLeavingDoesNotTakeAShownOnesColumnAlong) {
    d.SetItems({Prop(u"1", u"No.")});
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc));
    state->UpdateUsedProperties();
    ASSERT_EQ(state->GetLastUsedProperties().size(), 1u);
    d.SetItems({Prop(u"1", u"Item")});
    state->UpdateUsedProperties();
    ASSERT_EQ(state->GetLastUsedProperties().size(), 1u);
    EXPECT_EQ(state->GetLastUsedProperties()[0].GetPropertyExternalName(), u"Item");
    EXPECT_TRUE(InUsage(d.bom, kItem));

    // And a column something else took out comes back at the next update.
    d.bom->ClearPropIDsInUse();
    state->UpdateUsedProperties();
    EXPECT_TRUE(InUsage(d.bom, kItem));
}

TEST_F(BalloonState, DeletingTheStateTakesItsPropertiesOutOfTheUsage) {
    d.SetItems({kItem});
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc));
    state->UpdateUsedProperties();
    ASSERT_TRUE(InUsage(d.bom, kItem));
    RSe::DeleteObject(state);
    EXPECT_FALSE(InUsage(d.bom, kItem));
}

// Updates and clearing inside a request are undone to the same bytes (state and bill).
TEST_F(BalloonState, UsageChangesAreUndoneToTheSameBytes) {
    d.SetItems({kItem, kPartNumber});
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc));
    state->UpdateUsedProperties();
    const std::vector<uint8_t> before = Bytes(d.doc.GetRSeDb());
    const std::function<void()> changes[] = {
        [&] {
            d.style->SetDefaultType(DUxBalloonStyle::eCircularSplit);
            state->UpdateUsedProperties();
        },
        [&] { state->ClearUsedProperties(); },
        [&] { state->SetLocalBOM({}); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        ASSERT_FALSE(d.doc.ProcessChangeRequest(new TstFnRequest(changes[i])).Failed());
        ASSERT_FALSE(d.doc.Undo().Failed());
        EXPECT_EQ(Bytes(d.doc.GetRSeDb()), before);
    }
}

// The member of a bill that is not assembly based is the model's family-table member: the
// active one (a model always names one); none for a model that is no factory.
TEST(BalloonStateMember, MemberIdOfABillThatIsNotAssemblyBased) {
    const struct {
        const char* name;
        bool factory;
        std::vector<std::u16string> members;
        std::u16string active;
        const char16_t* expected;
    } cases[] = {
        {"no factory", false, {}, u"", u""},
        {"active member", true, {u"M1", u"M2"}, u"M2", u"M2"},
        {"first active", true, {u"M1", u"M2"}, u"M1", u"M1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A lone part document: the bill lists the part itself.
        DLxAssemblyData model;
        DLxAssemblyComponent part;
        part.id = 1;
        part.name = u"plate";
        part.path = u"plate.prt";
        part.isFactory = c.factory;
        part.factoryMembers = c.members;
        part.activeMember = c.active;
        model.root = 1;
        model.components.push_back(part);
        Drawing d(model);
        DLxBalloonSymState* state = d.Balloon({});
        EXPECT_EQ(state->GetMemberID(), c.expected);
        state->SetLocalBOM({});
        EXPECT_EQ(state->GetMemberID(), u"");
    }
}

TEST_F(BalloonState, SavedStateLoadsBackWithItsBillPropertiesAndRenumberedEntries) {
    d.SetItems({kItem, kPartNumber});
    d.style->SetDefaultType(DUxBalloonStyle::eCircularSplit);
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc));
    state->AttachNewBalloon({10, 0, 0}, d.Node(kMotorOcc));
    state->AttachNewBalloon({20, 0, 0}, d.Node(kCoverOcc));
    state->UpdateUsedProperties();
    // Indexes as a damaged or older stack may hold them.
    state->GetBalloon()->SetIndex(7);
    state->GetAttachedBalloon(1)->SetIndex(0);

    const std::vector<uint8_t> bytes = Bytes(d.doc.GetRSeDb());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* back = dynamic_cast<DLxBalloonSymState*>(db->FindObject(state->GetId()));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag));
    ASSERT_TRUE(back->GetLocalBOM());
    EXPECT_EQ(back->GetLocalBOM()->GetId(), d.bom->GetId());
    EXPECT_EQ(back->GetLastUsedProperties(), state->GetLastUsedProperties());
    ASSERT_TRUE(back->GetBalloon());
    EXPECT_EQ(back->GetBalloon()->GetIndex(), 0);
    ASSERT_EQ(back->GetAttachedCount(), 2);
    EXPECT_EQ(back->GetAttachedBalloon(0)->GetIndex(), 1);
    EXPECT_EQ(back->GetAttachedBalloon(1)->GetIndex(), 2);

    const std::vector<uint8_t> saved = Bytes(db.get());
    std::unique_ptr<RSeDatabase> again;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again).Failed());
    EXPECT_EQ(Bytes(again.get()), saved);
}

// Version 0 stored neither field, version 1 the bill only, versions 2 to 4 both; each loads
// and then saves in the current form.
TEST(BalloonStateStorage, OlderVersionsLoadWhatTheyHeld) {
    DLxDrawingDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    auto* state = new (RSe::_GetMeta(static_cast<const DLxBalloonSymState*>(nullptr)), seg)
        DLxBalloonSymState(RSeRef<RDxFragment>());
    DLxLocalBOM* bill = DLxLocalBOM::Create(seg, 1);
    RSeMetaType* calloutMeta = RSe::_GetMeta(static_cast<const DLxTableCalloutSymState*>(nullptr));
    RSeMetaType* bomMeta = RSe::_GetMeta(static_cast<const DLxLocalBOM*>(nullptr));
    const DUxStyleFormatColumnPropertyID used = Prop(u"6", u"Part number");

    for (uint16_t version = 0; version <= 4; ++version) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        // Base classes first, each at its registered version.
        std::vector<RSeMetaType*> chain;
        for (RSeMetaType* mt = calloutMeta; mt; mt = mt->GetBase())
            chain.insert(chain.begin(), mt);
        for (RSeMetaType* mt = bomMeta->GetBase(); mt; mt = mt->GetBase())
            if (std::find(chain.begin(), chain.end(), mt) == chain.end()) chain.push_back(mt);
        for (RSeMetaType* mt : chain)
            w.AddClass(mt->GetName(), mt->GetVersion());
        const uint32_t bomIndex = w.AddClass(u"DLxLocalBOM", bomMeta->GetVersion());
        const uint32_t meta = w.AddClass(u"DLxBalloonSymState", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        calloutMeta->_Save(state, s);
        if (version >= 1) w.Ref(1);
        if (version >= 2) {
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(1));
            used.Save(s);
            s.Write(UTxString16(u"M1"));
        }
        w.EndRecord();
        RSeStream& b = w.BeginRecord(bomIndex, 2);
        bomMeta->_Save(bill, b);
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(5);

        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* back = dynamic_cast<DLxBalloonSymState*>(db->FindObject(1));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(bool(back->GetLocalBOM()), version >= 1);
        ASSERT_EQ(back->GetLastUsedProperties().size(), version >= 2 ? 1u : 0u);
        if (version >= 2) {
            DUxStyleFormatColumnPropertyID expected = used;
            expected.SetMemberID(u"M1");
            EXPECT_EQ(back->GetLastUsedProperties()[0], expected);
        }

        const std::vector<uint8_t> saved = Bytes(db.get());
        std::unique_ptr<RSeDatabase> again;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again).Failed());
        EXPECT_EQ(Bytes(again.get()), saved);
        auto* current = dynamic_cast<DLxBalloonSymState*>(again->FindObject(1));
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->GetLastUsedProperties(), back->GetLastUsedProperties());
    }
}

} // namespace
