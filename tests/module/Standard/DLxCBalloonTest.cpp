// The balloon record: the text it shows per column from the drawing's local bill of materials
// and its overrides, finding its row by node or cookie, and its stored versions.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "KorvuBOMFixture.h"
#include "Standard/DLxCBalloon.h"
#include "TstDocWriter.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxChangeRequest.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

using namespace KorvuBOM;

class FnRequest : public FWxChangeRequest {
public:
    explicit FnRequest(std::function<UTxResult()> run) : m_run(std::move(run)) {}
    UTxResult _Execute(FWxSceneDoc*) override { return m_run(); }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    std::function<UTxResult()> m_run;
};

// Occurrences of the bracket assembly: the first bolt (row 4) and the motor (row 7).
constexpr int32_t kFirstBoltOcc = 105, kMotorOcc = 114;

DUxStyleFormatColumnPropertyID Prop(const char16_t* id, const char16_t* heading = u"") {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    p.SetPropertyID(id);
    p.SetPropertyExternalName(heading);
    return p;
}

// Parts-list property ids: 1 item, 6 part number, 7 description.
const DUxStyleFormatColumnPropertyID kItem = Prop(u"1");
const DUxStyleFormatColumnPropertyID kPartNumber = Prop(u"6");
const DUxStyleFormatColumnPropertyID kDescription = Prop(u"7");

// A drawing of the bracket assembly with its structured bill and tag manager.
class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.SetAssembly(BracketAssembly()));
        bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
        ASSERT_TRUE(bom);
        tm = bom->GetConfiguration(true)->GetTagManager(true);
        ASSERT_TRUE(tm);
        seg = RSe::SegmentOf(doc.GetRSeDb());
    }
    RSeRef<DLxStructureNode> Node(int32_t occurrence) {
        return RSeRef<DLxStructureNode>(tm->FindNode({occurrence}));
    }
    DUxTableStylePartsListColumn* Column(const DUxStyleFormatColumnPropertyID& p) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(seg);
        *c->GetPropertyID() = p;
        return c;
    }
    std::vector<uint8_t> Bytes(RSeDatabase* db) {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    }

    DLxDrawingDoc doc;
    DLxLocalBOM* bom = nullptr;
    DLxTagManager* tm = nullptr;
    RSeSegment* seg = nullptr;
};

// Where each column's text comes from: the item override (parts-list item column only), a
// mapped override, the row of the node or of the cookie; nothing without a row.
TEST_F(BalloonTest, ItemTextComesFromOverridesThenTheBalloonsRow) {
    DLxCBalloon* bolt = DLxCBalloon::New(seg, Node(kFirstBoltOcc), 0);
    DLxCBalloon* byCookie = DLxCBalloon::New(seg, {}, 1);
    byCookie->SetCookie(bom->CookieOfOccurrencePath({kMotorOcc}));
    DLxCBalloon* lost = DLxCBalloon::New(seg, {}, 2);
    DUxTableStylePartsListColumn* item = Column(kItem);
    DUxTableStylePartsListColumn* partNumber = Column(kPartNumber);
    DUxHoleTableStyleColumnItem* holeColumn = DUxHoleTableStyleColumnItem::New(seg);
    *holeColumn->GetPropertyID() = kPartNumber;

    bolt->AddMappedOverride(&kItem, u"A");
    lost->AddMappedOverride(&kItem, u"L");
    bolt->AddMappedOverride(&kDescription, u"Special bolt");

    const struct {
        const char* name;
        const DLxCBalloon* balloon;
        const DUxTableStyleColumn* column;
        DLxLocalBOM* bill;
        const char16_t* text;
    } cases[] = {
        // The item override wins over the row's item number 4.
        {"item override", bolt, item, bom, u"A"},
        {"row value", bolt, partNumber, bom, u"ISO 4017-M8x30"},
        {"mapped override", bolt, Column(kDescription), bom, u"Special bolt"},
        // Another table's column shows the row's item number, whatever the overrides say.
        {"other table's column", bolt, holeColumn, bom, u"4"},
        {"row by cookie", byCookie, item, bom, u"7"},
        {"row by cookie, part number", byCookie, partNumber, bom, u"MX-24"},
        {"no node, no cookie", lost, partNumber, bom, u""},
        {"no node, no cookie, item override", lost, item, bom, u"L"},
        {"no bill", bolt, partNumber, nullptr, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.balloon->GetItemText(c.column, c.bill, u""), c.text);
    }
}

TEST_F(BalloonTest, OverridesAreKeptPerPropertyAndTheItemOneIsTheCalloutText) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kFirstBoltOcc), 0);
    b->AddMappedOverride(&kItem, u"A");
    EXPECT_TRUE(b->GetMappedOverrides().empty());
    ASSERT_TRUE(b->HasOverrideText());
    const RDxString* first = b->GetOverrideString().Read();
    b->AddMappedOverride(&kItem, u"B");
    EXPECT_NE(b->GetOverrideString().Read(), first);
    EXPECT_EQ(b->GetOverrideString()->GetSimpleValue(), u"B");

    // Equal properties: the set's case and the heading do not tell them apart.
    b->AddMappedOverride(&kPartNumber, u"first");
    DUxStyleFormatColumnPropertyID same = Prop(u"6", u"Part No.");
    same.SetPropertySet(u"{beb6b91c-af44-4f9b-ad9e-1e0570a168f9}");
    b->AddMappedOverride(&same, u"second");
    ASSERT_EQ(b->GetMappedOverrides().size(), 1u);
    UTxString16 text = u"untouched";
    EXPECT_TRUE(b->GetMappedOverride(kPartNumber, text));
    EXPECT_EQ(text, u"second");

    // A member is another property.
    DUxStyleFormatColumnPropertyID member = kPartNumber;
    member.SetMemberID(u"M2");
    text = u"untouched";
    EXPECT_FALSE(b->GetMappedOverride(member, text));
    EXPECT_EQ(text, u"untouched");

    b->AddMappedOverride(nullptr, u"x");
    b->RemoveMappedOverride(nullptr);
    b->RemoveMappedOverride(&kDescription);
    EXPECT_EQ(b->GetMappedOverrides().size(), 1u);
    b->RemoveMappedOverride(&same);
    EXPECT_TRUE(b->GetMappedOverrides().empty());
}

// After the clean-up no mapped override repeats what the row shows; without a row nothing goes.
TEST_F(BalloonTest, RedundantOverridesAreTheOnesEqualToTheRowsText) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kMotorOcc), 0);
    b->AddMappedOverride(&kPartNumber, u"MX-24");
    b->AddMappedOverride(&kDescription, u"Geared motor");
    DLxCBalloon* lost = DLxCBalloon::New(seg, {}, 0);
    lost->AddMappedOverride(&kPartNumber, u"MX-24");

    EXPECT_FALSE(lost->RemoveRedundantOverrides(bom));
    EXPECT_EQ(lost->GetMappedOverrides().size(), 1u);
    EXPECT_FALSE(b->RemoveRedundantOverrides(nullptr));

    EXPECT_TRUE(b->RemoveRedundantOverrides(bom));
    ASSERT_EQ(b->GetMappedOverrides().size(), 1u);
    EXPECT_EQ(b->GetMappedOverrides().begin()->first, kDescription);
    EXPECT_FALSE(b->RemoveRedundantOverrides(bom));
}

TEST_F(BalloonTest, RowIsFoundByNodeElseByVisibleCookie) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kFirstBoltOcc + 2), 0);
    DLxCBalloonRow row = b->FindRow(bom);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->GetItemNumber(), u"4") << "the third bolt numbers the bolts' row";
    EXPECT_FALSE(b->IsCustom(bom));
    EXPECT_FALSE(b->FindRow(nullptr));

    // A node wins over the cookie.
    b->SetCookie(bom->CookieOfOccurrencePath({kMotorOcc}));
    EXPECT_EQ(b->FindRow(bom)->GetItemNumber(), u"4");
    b->SetStructureNode({});
    EXPECT_EQ(b->FindRow(bom)->GetItemNumber(), u"7");
    b->SetCookie({});
    EXPECT_FALSE(b->FindRow(bom));
    EXPECT_FALSE(b->IsCustom(bom));

    // A custom row has no node: its balloon finds it by cookie, until the row goes.
    const DLxLocalBOMCookie custom = bom->AddCustom();
    b->SetCookie(custom);
    EXPECT_TRUE(b->IsCustom(bom));
    ASSERT_TRUE(bom->RemoveCustom(custom));
    EXPECT_FALSE(b->FindRow(bom));
    EXPECT_FALSE(b->IsCustom(bom));
}

// The current record keeps node, cookie (grouped ones too) and overrides; measures are not
// stored. Saving what was loaded gives the same bytes.
TEST_F(BalloonTest, CurrentRecordSavesLoadsAndSavesTheSameBytes) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kMotorOcc), 3);
    b->setOrigin({10.0, 20.0, 0.0});
    b->setDirection(DLxBomStdInfo::kRight);
    DLxLocalBOMCookie grouped({}, 5);
    grouped.Add(6);
    b->SetCookie(grouped);
    b->AddMappedOverride(&kItem, u"7a");
    DUxStyleFormatColumnPropertyID member = kDescription;
    member.SetMemberID(u"M2");
    b->AddMappedOverride(&member, u"for M2");
    b->AddMappedOverride(&kPartNumber, u"PN");
    b->SetBalloonSize(8.0, 8.0);
    b->SetBoundary({{1, 1, 0}, {2, 2, 0}});

    const std::vector<uint8_t> bytes = Bytes(doc.GetRSeDb());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    EXPECT_EQ(Bytes(db.get()), bytes);
    auto* back = dynamic_cast<DLxCBalloon*>(db->FindObject(b->GetId()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetIndex(), 3);
    EXPECT_EQ(back->direction(), 4);
    EXPECT_EQ(back->origin(), WqGePoint3d(10.0, 20.0, 0.0));
    EXPECT_EQ(back->GetCookie(), grouped);
    ASSERT_TRUE(back->GetStructureNode().HasTarget());
    EXPECT_EQ(back->GetStructureNode()->GetRDxPassivePath(), std::vector<int32_t>{kMotorOcc});
    ASSERT_TRUE(back->HasOverrideText());
    EXPECT_EQ(back->GetOverrideString()->GetSimpleValue(), u"7a");
    EXPECT_EQ(back->GetMappedOverrides(), b->GetMappedOverrides());
    EXPECT_EQ(back->GetBalloonWidth(), 0.0);
    EXPECT_EQ(back->GetBalloonHeight(), 0.0);
    EXPECT_TRUE(back->GetBoundary().empty());
}

// Every change of a balloon in a document is undone to the document's bytes: the record
// writes itself into the transaction before it changes.
TEST_F(BalloonTest, ChangesAreUndoneToTheSameBytes) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kFirstBoltOcc), 0);
    b->AddMappedOverride(&kDescription, u"before");
    const std::vector<uint8_t> before = Bytes(doc.GetRSeDb());
    const std::function<void()> changes[] = {
        [&] { b->AddMappedOverride(&kDescription, u"after"); },
        [&] { b->AddMappedOverride(&kPartNumber, u"new"); },
        [&] { b->RemoveMappedOverride(&kDescription); },
        [&] { b->AddMappedOverride(&kItem, u"I"); },
        [&] { b->SetCookie(bom->CookieOfOccurrencePath({kMotorOcc})); },
        [&] { b->SetStructureNode(Node(kMotorOcc)); },
        [&] {
            b->setOrigin({5, 5, 0});
        },
        [&] { b->SetIndex(4); },
        [&] { (void)b->RemoveRedundantOverrides(bom); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        ASSERT_FALSE(doc.ProcessChangeRequest(new FnRequest([&] {
                            changes[i]();
                            return UTxResult();
                        }))
                         .Failed());
        ASSERT_FALSE(doc.Undo().Failed());
        EXPECT_EQ(Bytes(doc.GetRSeDb()), before);
    }
}

// A copy in the transient segment (a preview) keeps the node it numbers; a copy into the
// document gets its own overrides and cookie.
TEST_F(BalloonTest, CopiesKeepOverridesAndANodeInAPreview) {
    DLxCBalloon* b = DLxCBalloon::New(seg, Node(kMotorOcc), 1);
    b->AddMappedOverride(&kDescription, u"copied");
    b->SetCookie(bom->CookieOfOccurrencePath({kMotorOcc}));
    RSeCloneCommander preview(RSe::TransientSegment());
    ASSERT_FALSE(preview.Clone({b}).Failed());
    auto* copy = dynamic_cast<DLxCBalloon*>(preview.CloneOf(b));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, b);
    EXPECT_EQ(copy->GetStructureNode().Read(), b->GetStructureNode().Read());
    EXPECT_EQ(copy->GetCookie(), b->GetCookie());
    EXPECT_EQ(copy->GetMappedOverrides(), b->GetMappedOverrides());
    EXPECT_EQ(copy->GetIndex(), 1);
    EXPECT_EQ(copy->GetItemText(Column(kDescription), bom, u""), u"copied");
    EXPECT_EQ(copy->GetItemText(Column(kItem), bom, u""), u"7");
    copy->RemoveMappedOverride(&kDescription);
    EXPECT_EQ(b->GetMappedOverrides().size(), 1u);
    RSe::DeleteObject(copy);
}

// Older records held the callout's values in the balloon's own record; what each version lacks
// or stored differently is completed on load. Every one saves in the current form, which loads
// and saves to the same bytes.
TEST(DLxCBalloonStorage, OlderVersionsLoadAndSaveInTheCurrentForm) {
    FWxSceneDoc scratch;
    auto* text = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                      RSe::SegmentOf(scratch.GetRSeDb())) RDxString();
    text->SetSimpleValue(u"over");
    for (uint16_t version = 0; version <= 11; ++version) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        for (const char16_t* base : {u"RSeIDed", u"RDxObject", u"RDxNode", u"RDxState"})
            w.AddClass(base, RSeMetaType::Find(base)->GetVersion());
        const uint32_t stringMeta =
            w.AddClass(u"RDxString", RSeMetaType::Find(u"RDxString")->GetVersion());
        // The callout level of these documents stores nothing.
        w.AddClass(u"DLxCTableCallout", DLxCTableCallout::kEmptyLevelGUID, 0);
        const uint32_t meta = w.AddClass(u"DLxCBalloon", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        s.Write(int32_t(2));             // index
        if (version <= 6) w.RefValue(0); // older parts-list row
        s.Write(int32_t(1));             // direction
        RSeSaveData(s, WqGePoint3d(3.0, 4.0, 0.0));
        if (version <= 5) s.Write(int32_t(5)); // balloon kind
        if (version <= 6) s.Write(true);       // older row flag
        if (version >= 2) {
            w.Ref(1);      // override text
            w.RefValue(0); // sketch instance
        }
        if (version >= 3 && version <= 5) { // item columns
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(0));
        }
        if (version >= 7) {
            w.RefValue(0);                // structure node
            for (int k = 0; k < 2; ++k) { // cookie: path, then the item 8
                s.Write(RSeTypeCode::kVector);
                s.Write(uint32_t(k));
                if (k) {
                    s.Write(uint32_t(1));
                    s.WriteNoTypeMark();
                    s.Write(int32_t(8));
                }
            }
        }
        if (version == 7) s.Write(int32_t(0));
        if (version == 8) { // two overrides whose properties designate nothing
            s.Write(int32_t(2));
            for (int k = 0; k < 2; ++k) {
                w.RefValue(0);
                s.Write(UTxString16(u"gone"));
            }
        }
        if (version >= 9) {
            s.Write(RSeTypeCode::kMap);
            s.Write(uint32_t(1));
            s.WriteNoTypeMark();
            s.WriteNoTypeMark();
            kDescription.Save(s);
            s.Write(UTxString16(u""));
            s.Write(UTxString16(u"kept"));
        }
        w.EndRecord();
        RSeStream& t = w.BeginRecord(stringMeta, 2);
        RSe::_GetMeta(static_cast<const RDxString*>(nullptr))->_Save(text, t);
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(5);

        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* b = dynamic_cast<DLxCBalloon*>(db->FindObject(1));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->GetIndex(), 2);
        // Version 0 wrote the direction 4 as 1.
        EXPECT_EQ(b->direction(), version == 0 ? 4 : 1);
        EXPECT_EQ(b->origin(), WqGePoint3d(3.0, 4.0, 0.0));
        EXPECT_EQ(b->HasOverrideText(), version >= 2);
        if (b->HasOverrideText()) {
            EXPECT_EQ(b->GetOverrideString()->GetSimpleValue(), u"over");
        }
        EXPECT_FALSE(b->GetSketchInstance().HasTarget());
        EXPECT_EQ(b->GetCookie().IsValid(), version >= 7);
        if (version >= 7) {
            EXPECT_EQ(b->GetCookie().item(), 8);
        }
        ASSERT_EQ(b->GetMappedOverrides().size(), version >= 9 ? 1u : 0u);
        if (version >= 9) {
            UTxString16 kept;
            EXPECT_TRUE(b->GetMappedOverride(kDescription, kept));
            EXPECT_EQ(kept, u"kept");
        }
        EXPECT_EQ(b->GetBalloonWidth(), 0.0);
        EXPECT_TRUE(b->GetBoundary().empty());

        const std::vector<uint8_t> saved = [&] {
            std::vector<uint8_t> out;
            EXPECT_FALSE(db->SaveToBuffer(out).Failed());
            return out;
        }();
        std::unique_ptr<RSeDatabase> again;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again).Failed());
        std::vector<uint8_t> resaved;
        ASSERT_FALSE(again->SaveToBuffer(resaved).Failed());
        EXPECT_EQ(resaved, saved);
        auto* current = dynamic_cast<DLxCBalloon*>(again->FindObject(1));
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->direction(), b->direction());
        EXPECT_EQ(current->GetMappedOverrides(), b->GetMappedOverrides());
    }
}

} // namespace
