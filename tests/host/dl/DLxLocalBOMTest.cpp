// The local bill of materials over the shared bracket assembly: rows, quantities and item
// numbers of both schemes, grouping, sorting, hiding, custom rows and overrides, and its state
// through save, load, undo and redo.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <set>

#include "KorvuBOMFixture.h"
#include "TstDocWriter.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMPrint.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxLocalBOMSetup.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxString16.h"

namespace {

using Col = DLxLocalBOMColumn;
using namespace KorvuBOM;

class FnRequest : public FWxChangeRequest {
public:
    explicit FnRequest(std::function<UTxResult()> run) : m_run(std::move(run)) {}
    UTxResult _Execute(FWxSceneDoc*) override { return m_run(); }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    std::function<UTxResult()> m_run;
};

// What a parts list would tell the query: key columns, participants, hidden rows and table
// overrides, set by each test.
struct Settings : DLxLocalBOMGroupSettings {
    std::vector<Col> keys;
    bool participants = false;
    bool hideZero = false;
    std::vector<DLxLocalBOMCookie> hidden;
    std::map<std::pair<DLxLocalBOMCookie, std::u16string>, std::u16string> tableOverrides;

    bool IsGroupingEnabled() const override { return !keys.empty(); }
    bool Key(size_t i, Col& out) const {
        if (i >= keys.size()) return false;
        out = keys[i];
        return true;
    }
    bool GetGroupKey1(Col& c) const override { return Key(0, c); }
    bool GetGroupKey2(Col& c) const override { return Key(1, c); }
    bool GetGroupKey3(Col& c) const override { return Key(2, c); }
    bool GetDisplayParticipants() const override { return participants; }
    bool GetHideZeroQuantityRows() const override { return hideZero; }
    bool IsRowHidden(const DLxLocalBOMCookie& c, bool* bomHidden) const override {
        if (bomHidden) *bomHidden = false;
        return std::find(hidden.begin(), hidden.end(), c) != hidden.end();
    }
    bool GetCellOverride(const DLxLocalBOMCookie& c, const Col& col,
                         std::u16string& text) const override {
        auto it = tableOverrides.find({c, col.Key()});
        if (it == tableOverrides.end()) return false;
        text = it->second;
        return true;
    }
};

std::u16string Text(const DLxLocalBOMRow* row, const Col& col) {
    std::u16string t;
    row->GetCellText(col, t);
    return t;
}

// "item part-number quantity" of every row in results order.
std::vector<std::u16string> Lines(DLxLocalBOMQuery& q) {
    std::vector<std::u16string> out;
    for (size_t i = 0; i < q.RowCount(); ++i) {
        const DLxLocalBOMRow* r = q.RowAt(i);
        out.push_back(Text(r, Col::Item) + u" " + Text(r, Col::PartNumber) + u" " +
                      Text(r, Col::Quantity));
    }
    return out;
}

struct BOMFixture : ::testing::Test {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;

    DLxLocalBOM* Bill(int32_t scheme = DLxLocalBOM::kStructured) {
        return DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, scheme, true);
    }
    UTxResult Change(std::function<UTxResult()> fn) {
        return doc.ProcessChangeRequest(new FnRequest(std::move(fn)));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> out;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
};

TEST_F(BOMFixture, StructuredBillListsTheRootsChildrenWithSummedQuantities) {
    DLxLocalBOM* bom = Bill();
    ASSERT_TRUE(bom);
    EXPECT_TRUE(bom->IsAssemblyBased());
    EXPECT_FALSE(bom->IsPartsOnlyBOM());
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(Lines(q), (std::vector<std::u16string>{
                            u"1 BR-100 1", u"2 SH-110 1", u"3 BU-120 2", u"4 ISO 4017-M8x30 4",
                            u"5 ISO 7089-8 4", u"6 ISO 4032-M8 4", u"7 MX-24 1", u"8 CV-200 1"}));
    DLxLocalBOMRow* motor = q.RowAt(6);
    EXPECT_EQ(motor->GetItemCode(), DLxLocalBOMRow::kItemPurchased);
    EXPECT_EQ(Text(motor, Col::Vendor), u"Motorwerk");
    EXPECT_EQ(Text(q.RowAt(3), Col::StandardPart), u"Yes");
    EXPECT_EQ(Text(q.RowAt(3), Col::UserProperty(u"Finish")), u"Zinc plated");
    EXPECT_EQ(Text(q.RowAt(0), Col::Mass), u"0.42");

    // The cover is collapsed; expanding it is stored and shows its parts after it.
    DLxLocalBOMRow* cover = q.RowAt(7);
    ASSERT_TRUE(cover->IsExpandable());
    EXPECT_FALSE(cover->IsExpanded());
    ASSERT_EQ(cover->SubRows().size(), 2u);
    DLxLocalBOMRow* gasket = q.RowByCookie(DLxLocalBOMCookie({kCover}, kGasket));
    ASSERT_TRUE(gasket);
    EXPECT_EQ(gasket->Parent(), cover);
    EXPECT_TRUE(gasket->PathContains(kCover));
    EXPECT_TRUE(cover->SetExpanded(true, true));
    EXPECT_FALSE(q.RowAt(0)->SetExpanded(true, true)); // a part does not expand
    ASSERT_TRUE(q.Execute(false));
    ASSERT_EQ(q.RowCount(), 10u);
    EXPECT_EQ(Lines(q)[8], u"8.1 CP-210 1");
    EXPECT_EQ(Lines(q)[9], u"8.2 GK-220 1");
}

// A number given to an assembly's row heads its rows' own numbers, in the rows read already,
// in a new reading and in the bill's answer; a number set on a sub-row stays its own.
TEST_F(BOMFixture, RowsOfARenumberedAssemblyTakeItsNumber) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie plate({kCover}, kPlate), gasket({kCover}, kGasket);
    ASSERT_TRUE(bom->SetItemNumber(gasket, u"G"));
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    auto numbers = [&] {
        return std::vector<std::u16string>{Text(q.RowByCookie(plate), Col::Item),
                                           Text(q.RowByCookie(gasket), Col::Item),
                                           bom->ItemNumberOf(plate), bom->ItemNumberOf(gasket)};
    };
    EXPECT_EQ(numbers(), (std::vector<std::u16string>{u"8.1", u"G", u"8.1", u"G"}));
    const struct {
        const char* what;
        const char16_t* number;
        std::vector<std::u16string> rows;
    } cases[] = {
        {"renumbered", u"3", {u"3.1", u"G", u"3.1", u"G"}},
        {"its own number again", u"", {u"8.1", u"G", u"8.1", u"G"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(q.RowByCookie(DLxLocalBOMCookie({}, kCover))->SetItemNumber(c.number));
        EXPECT_EQ(numbers(), c.rows);
        ASSERT_TRUE(q.Execute(false));
        EXPECT_EQ(numbers(), c.rows);
    }
}

TEST_F(BOMFixture, PartsOnlyBillMultipliesQuantitiesThroughEveryLevel) {
    // Two covers: each part of the cover counts twice; the cover itself has no row.
    for (DLxAssemblyOccurrence& o : assembly.occurrences)
        if (o.component == kCover) o.quantity = 2;
    DLxLocalBOMQuery q(Bill(DLxLocalBOM::kPartsOnly), nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(Lines(q), (std::vector<std::u16string>{u"1 BR-100 1", u"2 SH-110 1", u"3 BU-120 2",
                                                     u"4 ISO 4017-M8x30 4", u"5 ISO 7089-8 4",
                                                     u"6 ISO 4032-M8 4", u"7 MX-24 1",
                                                     u"8 CP-210 2", u"9 GK-220 2"}));
    for (size_t i = 0; i < q.RowCount(); ++i)
        EXPECT_FALSE(q.RowAt(i)->IsExpandable());
}

TEST_F(BOMFixture, ASchemeTheModelHasNotEnabledHasNoBill) {
    assembly.scheme.partsOnlyEnabled = false;
    EXPECT_EQ(Bill(DLxLocalBOM::kPartsOnly), nullptr);
    EXPECT_EQ(Bill(7), nullptr);
    ASSERT_FALSE(
        DLxLocalBOMMgr::EnableBomSchema(assembly, DLxLocalBOM::kPartsOnly, false).Failed());
    EXPECT_NE(Bill(DLxLocalBOM::kPartsOnly), nullptr);
    EXPECT_TRUE(DLxLocalBOMMgr::EnableBomSchema(assembly, 7, false).Failed());
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOMs(doc.GetRSeDb()).size(), 1u);
    EXPECT_EQ(Bill(DLxLocalBOM::kPartsOnly), Bill(DLxLocalBOM::kPartsOnly)); // found, not made
    DLxLocalBOMSetup setup;
    setup.SetSchemeIDRaw(DLxLocalBOM::kPartsOnly);
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, setup, false),
              Bill(DLxLocalBOM::kPartsOnly));
    setup.SetSchemeIDRaw(3);
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, setup, true), nullptr);
    DLxAssemblyData none;
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), none, 1, true), nullptr);
}

TEST_F(BOMFixture, AllLevelsExpandsSubAssembliesUntilARowIsCollapsed) {
    assembly.scheme.structuredAllLevels = true;
    DLxLocalBOM* bom = Bill();
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 10u);
    q.RowAt(7)->SetExpanded(false, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 8u);
}

TEST(DLxLocalBOMCookie, MatchesTellsTheSameRowAGroupAndItsMembers) {
    DLxLocalBOMCookie group({}, 5);
    group.Add(7);
    group.Add(6);
    group.Add(6);
    EXPECT_TRUE(group.IsGrouped());
    EXPECT_EQ(group.item(), 5);
    DLxLocalBOMCookie otherGroup({}, 7);
    otherGroup.Add(9);
    DLxLocalBOMCookie disjoint({}, 8);
    disjoint.Add(9);
    struct Case {
        const char* what;
        DLxLocalBOMCookie other;
        int expected;
    } cases[] = {
        {"itself", group, 3},
        {"a member", DLxLocalBOMCookie({}, 6), 1},
        {"not a member", DLxLocalBOMCookie({}, 8), 0},
        {"a member on another path", DLxLocalBOMCookie({9}, 6), 0},
        {"a group sharing an item", otherGroup, 2},
        {"a group sharing nothing", disjoint, 0},
        {"an empty cookie", DLxLocalBOMCookie(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(group.matches(c.other), c.expected);
    }
    // A single row matches only itself, never a group holding it.
    EXPECT_EQ(DLxLocalBOMCookie({}, 6).matches(group), 0);
    EXPECT_EQ(DLxLocalBOMCookie({}, 6).matches(DLxLocalBOMCookie({}, 6)), 3);
    std::vector<DLxLocalBOMCookie> singles = group.singleItems();
    ASSERT_EQ(singles.size(), 3u);
    EXPECT_EQ(singles[1], DLxLocalBOMCookie({}, 6));
    EXPECT_LT(DLxLocalBOMCookie({}, 9), DLxLocalBOMCookie({1}, 2)); // path first
    EXPECT_EQ(DLxLocalBOMCookie({9}, 11).Key(), u"9/11");
    EXPECT_EQ(DLxLocalBOMCookie({}, -3).Key(), u"c3");
    EXPECT_EQ(group.Key(), u"");
}

TEST(DLxLocalBOMColumn, KeysReadBackAsTheirColumns) {
    for (int32_t k = Col::Item; k < Col::User; ++k) {
        SCOPED_TRACE(k);
        Col c;
        ASSERT_TRUE(Col::FromKey(Col(Col::Kind(k)).Key(), c));
        EXPECT_EQ(c, Col(Col::Kind(k)));
    }
    Col c;
    ASSERT_TRUE(Col::FromKey(Col::UserProperty(u"Item").Key(), c));
    EXPECT_EQ(c, Col::UserProperty(u"Item")); // a user property named like a built-in one
    EXPECT_FALSE(Col::FromKey(u"User:", c));
    EXPECT_FALSE(Col::FromKey(u"User", c));
    EXPECT_FALSE(Col::FromKey(u"Weight", c));
}

TEST_F(BOMFixture, GroupingByMaterialMergesTheStandardParts) {
    DLxLocalBOM* bom = Bill();
    Settings s;
    s.keys = {Col::Material};
    DLxLocalBOMQuery q(bom, &s, 1, true);
    ASSERT_TRUE(q.Execute(false));
    // The bracket and the cover plate share a material but lie on different levels; the motor
    // and the cover, which have no material, are not alike for that.
    EXPECT_EQ(Lines(q), (std::vector<std::u16string>{u"1 BR-100 1", u"2 SH-110 1", u"3 BU-120 2",
                                                     u"4  12", u"7 MX-24 1", u"8 CV-200 1"}));
    DLxLocalBOMRow* group = q.RowAt(3);
    ASSERT_TRUE(group->IsGroupRow());
    EXPECT_EQ(group->Cookie().items(), (std::vector<int32_t>{kBolt, kWasher, kNut}));
    EXPECT_EQ(group->GetFlags() & DLxLocalBOMRow::kGroupedRow, DLxLocalBOMRow::kGroupedRow);
    EXPECT_EQ(Text(group, Col::Material), u"Steel 8.8");
    EXPECT_EQ(Text(group, Col::UserProperty(u"Finish")), u"Zinc plated"); // shared by all
    EXPECT_EQ(Text(group, Col::Description), u"");                        // differs
    ASSERT_EQ(group->ParticipantRows().size(), 3u);
    EXPECT_EQ(q.RowByCookie(DLxLocalBOMCookie({}, kNut)), group->ParticipantRows()[2]);

    // Participants follow their group; a second key splits the group apart.
    s.participants = true;
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 9u);
    EXPECT_EQ(Lines(q)[4], u"4 ISO 4017-M8x30 4");
    s.keys = {Col::Material, Col::Description};
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 8u);
    for (size_t i = 0; i < q.RowCount(); ++i)
        EXPECT_FALSE(q.RowAt(i)->IsGroupRow());

    // An item number set on the group numbers every member.
    s.keys = {Col::Material};
    s.participants = false;
    ASSERT_TRUE(q.Execute(false));
    ASSERT_TRUE(q.RowAt(3)->SetItemNumber(u"F"));
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(Text(q.RowAt(3), Col::Item), u"F");
    std::u16string number;
    EXPECT_TRUE(bom->GetItemNumberOverride(DLxLocalBOMCookie({}, kWasher), number));
    EXPECT_EQ(number, u"F");
}

TEST_F(BOMFixture, SortingOrdersEachLevelAndLeavesCustomRowsLast) {
    assembly.scheme.structuredAllLevels = true;
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie custom = bom->AddCustom();
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    q.AddSortKey(Col::Mass, false);
    ASSERT_TRUE(q.Execute(true));
    std::vector<std::u16string> items;
    for (size_t i = 0; i < q.RowCount(); ++i)
        items.push_back(Text(q.RowAt(i), Col::Item));
    // Masses as numbers (1.2 > 0.42 > 0.18 ...); the cover has none and sorts after them; its
    // parts sort among themselves under it.
    EXPECT_EQ(items, (std::vector<std::u16string>{u"7", u"1", u"2", u"3", u"4", u"6", u"5", u"8",
                                                  u"8.1", u"8.2", u"9"}));
    EXPECT_EQ(q.RowAt(10)->Cookie(), custom);
    // Execute without sorting gives the model's order back.
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(Text(q.RowAt(0), Col::Item), u"1");
}

TEST_F(BOMFixture, HiddenAndZeroQuantityRowsLeaveTheResults) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie custom = bom->AddCustom();
    ASSERT_TRUE(bom->SetCellOverride(custom, Col::Quantity, u"0"));
    Settings s;
    s.hidden = {DLxLocalBOMCookie({}, kNut)};
    DLxLocalBOMQuery q(bom, &s, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 8u); // nine rows less the nut
    EXPECT_EQ(q.RowAt(7)->GetQuantity(), 0);
    s.hideZero = true;
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 7u);
    // A row the bill hides stays, flagged.
    bom->SetRowHidden(DLxLocalBOMCookie({}, kShaft), true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 7u);
    EXPECT_EQ(q.RowAt(1)->GetFlags() & DLxLocalBOMRow::kHiddenByBOM, DLxLocalBOMRow::kHiddenByBOM);
    // Without custom parts the custom row is not listed at all.
    DLxLocalBOMQuery plain(bom, nullptr, 0, true);
    ASSERT_TRUE(plain.Execute(false));
    EXPECT_EQ(plain.RowCount(), 8u);
    EXPECT_EQ(plain.RowByCookie(custom), nullptr);
}

TEST_F(BOMFixture, CellsTakeTheTableOverrideThenTheBillsThenTheModels) {
    DLxLocalBOM* bom = Bill();
    Settings s;
    DLxLocalBOMQuery q(bom, &s, 1, true);
    DLxLocalBOMRow* bolt = q.RowByCookie(DLxLocalBOMCookie({}, kBolt));
    ASSERT_TRUE(bolt);
    bool subst = true;
    std::u16string text;
    bolt->GetCellValue(Col::Description, text, &subst);
    EXPECT_EQ(text, u"Hex bolt M8x30");
    EXPECT_FALSE(subst);
    EXPECT_FALSE(bolt->CanPushBack());

    ASSERT_TRUE(bolt->SetCellValue(Col::Description, u"Bolt, zinc"));
    EXPECT_TRUE(bolt->IsCellOverridden(Col::Description));
    bolt->GetCellValue(Col::Description, text, &subst);
    EXPECT_EQ(text, u"Bolt, zinc");
    EXPECT_TRUE(subst);
    EXPECT_TRUE(bolt->CanPushBack());
    EXPECT_FALSE(bolt->SetCellValue(Col::Item, u"9")); // item numbers go through SetItemNumber

    s.tableOverrides[{bolt->Cookie(), Col(Col::Description).Key()}] = u"table's own";
    EXPECT_EQ(Text(bolt, Col::Description), u"table's own");
    bolt->GetCellValue(Col::Description, text, nullptr);
    EXPECT_EQ(text, u"Bolt, zinc");

    ASSERT_TRUE(bolt->ClearCellOverride(Col::Description));
    EXPECT_FALSE(bolt->IsCellOverridden(Col::Description));
    EXPECT_FALSE(bom->SetCellOverride(DLxLocalBOMCookie({}, kPlate), Col::Vendor, u"x"))
        << "the plate lies under the cover, not at the top";
}

// A row read alone must be the row the whole query gives for its cookie, whatever the bill
// holds: overrides, item numbers, hidden and expanded rows, custom rows, grouping.
TEST_F(BOMFixture, ARowReadAloneIsTheRowOfTheWholeQuery) {
    struct Case {
        const char* name;
        int32_t scheme;
        bool grouped;
    };
    const Case cases[] = {{"structured", DLxLocalBOM::kStructured, false},
                          {"structured, grouped by material", DLxLocalBOM::kStructured, true},
                          {"parts only", DLxLocalBOM::kPartsOnly, false},
                          {"parts only, grouped by material", DLxLocalBOM::kPartsOnly, true}};
    const Col columns[] = {Col::Item,        Col::Quantity, Col::PartNumber,
                           Col::Description, Col::Material, Col::Purchased};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxLocalBOM* bom = Bill(c.scheme);
        ASSERT_TRUE(bom);
        Settings s;
        if (c.grouped) {
            s.keys = {Col::Material};
            s.participants = true;
        }
        const DLxLocalBOMCookie cover({}, kCover), gasket({kCover}, kGasket);
        // Custom rows around one that was taken away: each numbered by its place among the
        // custom rows that are left.
        const DLxLocalBOMCookie removed = bom->AddCustom();
        const DLxLocalBOMCookie custom = bom->AddCustom();
        const DLxLocalBOMCookie last = bom->AddCustom();
        ASSERT_TRUE(bom->RemoveCustom(removed));
        EXPECT_FALSE(bom->HasRow(removed));
        bom->SetCellOverride(custom, Col::Quantity, u"3");
        bom->SetCellOverride(custom, Col::Description, u"Grease");
        bom->SetCellOverride(last, Col::Description, u"Oil");
        bom->SetCellOverride(DLxLocalBOMCookie({}, kBolt), Col::Description, u"Bolt, zinc");
        bom->SetExpanded(cover, true);
        bom->SetItemNumber(gasket, u"8.9");
        bom->SetItemNumber(DLxLocalBOMCookie({}, kGasket), u"12");
        bom->SetRowHidden(DLxLocalBOMCookie({}, kBolt), true);
        s.tableOverrides[{gasket, Col(Col::Material).Key()}] = u"table's own";

        DLxLocalBOMQuery whole(bom, &s, 1, true);
        ASSERT_TRUE(whole.Execute(false));
        // Every row of the bill: the results, the rows under them and the groups' members.
        std::vector<const DLxLocalBOMRow*> rows;
        std::function<void(const DLxLocalBOMRow*)> collect = [&](const DLxLocalBOMRow* r) {
            rows.push_back(r);
            for (const DLxLocalBOMRow* sub : r->SubRows())
                collect(sub);
            for (const DLxLocalBOMRow* p : r->ParticipantRows())
                collect(p);
        };
        for (size_t i = 0; i < whole.RowCount(); ++i)
            collect(whole.RowAt(i));
        ASSERT_GT(rows.size(), 8u);
        for (const DLxLocalBOMRow* r : rows) {
            const std::u16string key = r->Cookie().Key();
            SCOPED_TRACE(std::string(key.begin(), key.end()));
            const DLxLocalBOMRow* expected = whole.RowByCookie(r->Cookie());
            DLxLocalBOMQuery one(bom, &s, 1, true);
            const DLxLocalBOMRow* alone = one.QueryRow(r->Cookie());
            ASSERT_TRUE(alone);
            EXPECT_EQ(one.RowCount(), r->IsGroupRow() ? whole.RowCount() : 0u);
            EXPECT_EQ(alone->Cookie(), expected->Cookie());
            EXPECT_EQ(alone->GetFlags(), expected->GetFlags());
            EXPECT_EQ(alone->GetQuantity(), expected->GetQuantity());
            EXPECT_EQ(alone->GetItemNumber(), expected->GetItemNumber());
            EXPECT_EQ(alone->GetItemCode(), expected->GetItemCode());
            EXPECT_EQ(alone->GetComponentId(), expected->GetComponentId());
            EXPECT_EQ(alone->IsExpandable(), expected->IsExpandable());
            EXPECT_EQ(alone->IsExpanded(), expected->IsExpanded());
            EXPECT_EQ(alone->IsCustom(), expected->IsCustom());
            ASSERT_EQ(!alone->Parent(), !expected->Parent());
            if (alone->Parent()) {
                EXPECT_EQ(alone->Parent()->Cookie(), expected->Parent()->Cookie());
                EXPECT_EQ(alone->Parent()->GetItemNumber(), expected->Parent()->GetItemNumber());
            }
            for (const Col& col : columns) {
                EXPECT_EQ(Text(alone, col), Text(expected, col)) << col.GetKind();
                EXPECT_EQ(alone->IsCellOverridden(col), expected->IsCellOverridden(col));
            }
        }
        // Rows the bill does not have: an unknown part, rows under a part, an unknown or a
        // removed custom row, an empty cookie.
        const DLxLocalBOMCookie missing[] = {DLxLocalBOMCookie({}, 999),
                                             DLxLocalBOMCookie({kBolt}, kGasket),
                                             DLxLocalBOMCookie({kCover, kGasket}, kPlate),
                                             DLxLocalBOMCookie({}, -999),
                                             removed,
                                             DLxLocalBOMCookie()};
        for (const DLxLocalBOMCookie& m : missing) {
            DLxLocalBOMQuery one(bom, &s, 1, true);
            EXPECT_EQ(whole.RowByCookie(m), nullptr);
            EXPECT_EQ(one.QueryRow(m), nullptr);
        }
        // Without custom rows in the query, a custom row is not read either.
        DLxLocalBOMQuery modelOnly(bom, &s, 0, true);
        EXPECT_EQ(modelOnly.QueryRow(custom), nullptr);
        bom->RemoveCustom(custom);
        bom->RemoveCustom(last);
    }
}

TEST_F(BOMFixture, PushBackWritesOverridesIntoTheModelAndDropsThem) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie gasket({kCover}, kGasket);
    ASSERT_TRUE(bom->SetCellOverride(gasket, Col::PartNumber, u"GK-221"));
    ASSERT_TRUE(bom->SetCellOverride(gasket, Col::UserProperty(u"Colour"), u"black"));
    ASSERT_TRUE(bom->SetCellOverride(gasket, Col::Quantity, u"3")); // not a model property
    const DLxLocalBOMCookie custom = bom->AddCustom();
    ASSERT_TRUE(bom->SetCellOverride(custom, Col::PartNumber, u"C-1"));

    DLxAssemblyData model = assembly;
    EXPECT_EQ(bom->PushBack(model), 2);
    const DLxAssemblyComponent& g = model.components[kGasket - 1];
    EXPECT_EQ(g.partNumber, u"GK-221");
    ASSERT_EQ(g.userProperties.size(), 1u);
    EXPECT_EQ(g.userProperties[0].value, u"black");
    std::u16string text;
    EXPECT_FALSE(bom->GetCellOverride(gasket, Col::PartNumber, text));
    EXPECT_TRUE(bom->GetCellOverride(gasket, Col::Quantity, text));
    EXPECT_TRUE(bom->GetCellOverride(custom, Col::PartNumber, text));
}

TEST_F(BOMFixture, ABillWithoutItsModelFailsItsQueries) {
    DLxLocalBOM* bom = Bill();
    bom->Attach(nullptr);
    EXPECT_EQ(bom->GetBOMStatus(), DLxLocalBOM::kStatusUnresolved);
    EXPECT_EQ(bom->GetDescriptor(), nullptr);
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    EXPECT_FALSE(q.Execute(false));
    EXPECT_EQ(q.Results(), nullptr);
    EXPECT_EQ(q.RowByCookie(DLxLocalBOMCookie({}, kBolt)), nullptr);
    EXPECT_EQ(q.GetStatus(), DLxLocalBOM::kStatusUnresolved);
    EXPECT_FALSE(DLxLocalBOM::GetErrorDescription(q.GetStatus()).empty());
    bom->Attach(&assembly);
    bom->SetStatusOn(DLxLocalBOM::kStatusError);
    EXPECT_FALSE(q.Execute(false));
    bom->UnsetFlag(DLxLocalBOM::kStatusError);
    EXPECT_TRUE(q.Execute(false));
    DLxLocalBOMQuery none(nullptr, nullptr, 1, true);
    EXPECT_FALSE(none.Execute(false));
}

TEST_F(BOMFixture, TheDescriptorAnswersTheModelsSchemeAndFamilyTables) {
    assembly.components[kBolt - 1].isFactory = true;
    assembly.components[kBolt - 1].factoryMembers = {u"M8x30", u"M8x40"};
    assembly.components[kBolt - 1].activeMember = u"M8x40";
    assembly.scheme.structuredDelimiter = u"-";
    DLxLocalBOM* bom = Bill();
    const GBxBOMDescriptor* d = bom->GetDescriptor();
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->IsBOMSchemeEnabled(1));
    EXPECT_FALSE(d->IsBOMSchemeEnabled(3));
    EXPECT_FALSE(d->IsBOMFactory());
    EXPECT_TRUE(d->DetailIDNotAvailable());
    EXPECT_TRUE(d->IsBOMFactory(u"parts/bolt M8x30.part"));
    EXPECT_EQ(d->GetActiveFactoryMember(u"parts/bolt M8x30.part"), u"M8x40");
    EXPECT_EQ(d->GetBOMFactoryMembers(u"parts/bolt M8x30.part").size(), 2u);
    EXPECT_TRUE(bom->IsMemberSpecificProperty(Col::Mass, false));
    EXPECT_FALSE(bom->IsMemberSpecificProperty(Col::Quantity, true));
    // Sub-rows take the model's delimiter.
    bom->SetExpanded(DLxLocalBOMCookie({}, kCover), true);
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    EXPECT_EQ(Text(q.RowByCookie(DLxLocalBOMCookie({kCover}, kPlate)), Col::Item), u"8-1");
}

// The bill's own state is the drawing's: it is saved and loaded with it, and undo and redo
// take it back and forth exactly.
TEST_F(BOMFixture, OverridesCustomRowsAndItemNumbersSurviveSaveLoadUndoAndRedo) {
    DLxLocalBOMCookie custom;
    ASSERT_FALSE(Change([&] {
                     DLxLocalBOM* bom = Bill();
                     bom->AddPropID2Usage(Col::PartNumber);
                     custom = bom->AddCustom();
                     bom->SetCellOverride(custom, Col::Description, u"Grease");
                     bom->SetCellOverride(custom, Col::Quantity, u"2");
                     return UTxResult();
                 }).Failed());
    const std::vector<uint8_t> before = Bytes();
    const std::string printedBefore = DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly);

    ASSERT_FALSE(Change([&] {
                     DLxLocalBOM* bom = Bill();
                     bom->SetCellOverride(DLxLocalBOMCookie({}, kBolt), Col::Description,
                                          u"Bolt, zinc");
                     bom->SetItemNumber(DLxLocalBOMCookie({}, kMotor), u"M");
                     bom->SetExpanded(DLxLocalBOMCookie({}, kCover), true);
                     bom->RemovePropIDFromUsage(Col::PartNumber);
                     return UTxResult();
                 }).Failed());
    const std::vector<uint8_t> after = Bytes();
    const std::string printedAfter = DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly);
    EXPECT_NE(printedAfter, printedBefore);
    EXPECT_NE(printedAfter.find("  M  x1  \"MX-24\""), std::string::npos);

    // Load: the saved bill, attached to the assembly again, is the same bill.
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(after.data(), after.size(), loaded).Failed());
    DLxDrawingDoc reopened(std::move(loaded));
    EXPECT_EQ(DLxLocalBOMPrintDrawing(reopened.GetRSeDb(), assembly), printedAfter);
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(reopened.GetRSeDb(), assembly, 1, false);
    ASSERT_TRUE(bom);
    EXPECT_TRUE(bom->IsAnyOfDetailIDsOverriden());
    EXPECT_FALSE(bom->IsPropIDInUse(Col::PartNumber));
    ASSERT_EQ(bom->NumOfCustoms(), 1u);
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    ASSERT_EQ(q.RowCount(), 11u);
    EXPECT_EQ(Text(q.RowAt(10), Col::Description), u"Grease");
    EXPECT_EQ(q.RowAt(10)->GetQuantity(), 2);
    EXPECT_EQ(Text(q.RowAt(10), Col::Item), u"9");

    // Undo restores the bytes and the bill of before; redo those of after.
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly), printedBefore);
    EXPECT_TRUE(Bill()->IsPropIDInUse(Col::PartNumber));
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(Bytes(), after);
    EXPECT_EQ(DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly), printedAfter);
    // Undoing both takes the bill away; printing then shows the model's bill unchanged.
    ASSERT_FALSE(doc.Undo().Failed());
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_TRUE(DLxLocalBOMMgr::GetLocalBOMs(doc.GetRSeDb()).empty());
    EXPECT_EQ(DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly).find("Grease"), std::string::npos);
    EXPECT_TRUE(DLxLocalBOMMgr::GetLocalBOMs(doc.GetRSeDb()).empty()) << "printing made nothing";
}

// The row keys the older parts-list records set are the bill's own state: stored, loaded,
// undone and redone with it.
TEST_F(BOMFixture, RowKeysSurviveSaveLoadUndoAndRedo) {
    ASSERT_TRUE(Bill());
    const std::vector<uint8_t> before = Bytes();
    ASSERT_FALSE(Change([&] {
                     std::vector<DUxRowKey*> made = {
                         DUxRowKey::New(RSe::TransientSegment(), 3, -1, u""),
                         DUxRowKey::New(RSe::TransientSegment(), 2, -1, u"Finish")};
                     Bill()->SetRowKeys({made[0], made[1]});
                     Bill()->SetRowKeyMode(2);
                     for (DUxRowKey* k : made)
                         RSe::DeleteObject(k);
                     return UTxResult();
                 }).Failed());
    const std::vector<DLxLocalBOM::RowKey> keys = {{3, -1, u""}, {2, -1, u"Finish"}};
    EXPECT_EQ(Bill()->GetRowKeys(), keys);
    const std::vector<uint8_t> after = Bytes();
    EXPECT_NE(after, before);

    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(after.data(), after.size(), loaded).Failed());
    DLxDrawingDoc reopened(std::move(loaded));
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(reopened.GetRSeDb(), assembly, 1, false);
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom->GetRowKeys(), keys);
    EXPECT_EQ(bom->RowKeyMode(), 2);

    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(Bill()->GetRowKeys().empty());
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(Bytes(), after);
    EXPECT_EQ(Bill()->GetRowKeys(), keys);
}

// A bill stored before it kept row keys loads with none, its other state as stored.
TEST(DLxLocalBOMStorage, ABillOfVersionZeroLoadsWithoutRowKeys) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"RDxObject", 0);
    const uint32_t meta = w.AddClass(u"DLxLocalBOM", 0);
    w.BeginSegment(u"Document");
    RSeStream& s = w.BeginRecord(meta, 1);
    s.Write(uint32_t(0)); // flags
    s.Write(false);       // sick
    s.Write(int32_t(DLxLocalBOM::kPartsOnly));
    s.Write(uint32_t(0)); // status
    s.Write(int32_t(3));  // row-key mode
    s.Write(int32_t(0));  // last custom
    for (int i = 0; i < 6; ++i)
        s.Write(uint32_t(0)); // customs, overrides, item numbers, expanded, hidden, usage
    s.Write(uint32_t(0));     // annotations
    s.Write(uint32_t(0));     // components
    s.Write(RSeRefBase());    // configuration
    w.EndRecord();
    const std::vector<uint8_t> file = w.Finish(2);
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(file.data(), file.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const auto* bom = dynamic_cast<const DLxLocalBOM*>(db->FindObject(1));
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom->GetSchemeID(), DLxLocalBOM::kPartsOnly);
    EXPECT_EQ(bom->RowKeyMode(), 3);
    EXPECT_TRUE(bom->GetRowKeys().empty());
}

TEST_F(BOMFixture, RemovingACustomRowDropsItsStateAndLeavesTheOthersNumbered) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie a = bom->AddCustom();
    const DLxLocalBOMCookie b = bom->AddCustom();
    bom->SetCellOverride(a, Col::Description, u"first");
    bom->SetCellOverride(b, Col::Description, u"second");
    EXPECT_FALSE(DLxLocalBOMQuery::RemoveCustom(bom, DLxLocalBOMCookie({}, kBolt)));
    ASSERT_TRUE(DLxLocalBOMQuery::RemoveCustom(bom, a));
    EXPECT_FALSE(DLxLocalBOMQuery::RemoveCustom(bom, a));
    const DLxLocalBOMCookie c = bom->AddCustom();
    EXPECT_NE(c, a) << "a removed custom row's name is not given again";
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    ASSERT_EQ(q.RowCount(), 10u);
    EXPECT_EQ(Text(q.RowAt(8), Col::Description), u"second");
    EXPECT_EQ(Text(q.RowAt(8), Col::Item), u"9");
    EXPECT_EQ(Text(q.RowAt(9), Col::Description), u"");
    EXPECT_EQ(q.RowAt(9)->GetQuantity(), 1);
}

// Every cut of a saved bill fails its load cleanly.
TEST_F(BOMFixture, EveryTruncationOfASavedBillFailsToLoad) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie custom = bom->AddCustom();
    bom->SetCellOverride(custom, Col::Description, u"Grease");
    bom->SetItemNumber(DLxLocalBOMCookie({}, kMotor), u"M");
    bom->SetRowHidden(DLxLocalBOMCookie({}, kNut), true);
    const std::vector<uint8_t> bytes = Bytes();
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::unique_ptr<RSeDatabase> db;
        EXPECT_TRUE(RSeDatabase::LoadFromBuffer(bytes.data(), n, db).Failed()) << n;
    }
}

} // namespace

namespace {

using Col = DLxLocalBOMColumn;
using namespace KorvuBOM;

// The occurrence ids of the fixture, as the model lists them from 101 on.
constexpr int32_t kFirstBolt = 105, kWashers = 109, kCoverOcc = 115, kGasketOcc = 117;

TEST(DLxLocalBOMOccurrences, AnOccurrencePathNamesItsRowInEitherScheme) {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;
    DLxLocalBOM* structured = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxLocalBOM* partsOnly = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 2, true);
    struct Case {
        const char* what;
        std::vector<int32_t> path;
        DLxLocalBOMCookie structured, partsOnly;
    } cases[] = {
        {"the third bolt",
         {kFirstBolt + 2},
         DLxLocalBOMCookie({}, kBolt),
         DLxLocalBOMCookie({}, kBolt)},
        {"the washers", {kWashers}, DLxLocalBOMCookie({}, kWasher), DLxLocalBOMCookie({}, kWasher)},
        {"the gasket in the cover",
         {kCoverOcc, kGasketOcc},
         DLxLocalBOMCookie({kCover}, kGasket),
         DLxLocalBOMCookie({}, kGasket)},
        {"the cover", {kCoverOcc}, DLxLocalBOMCookie({}, kCover), DLxLocalBOMCookie()},
        {"the gasket without its cover", {kGasketOcc}, DLxLocalBOMCookie(), DLxLocalBOMCookie()},
        {"below a part", {kFirstBolt, kGasketOcc}, DLxLocalBOMCookie(), DLxLocalBOMCookie()},
        {"an unknown occurrence", {999}, DLxLocalBOMCookie(), DLxLocalBOMCookie()},
        {"nothing", {}, DLxLocalBOMCookie(), DLxLocalBOMCookie()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(structured->CookieOfOccurrencePath(c.path), c.structured);
        EXPECT_EQ(partsOnly->CookieOfOccurrencePath(c.path), c.partsOnly);
        if (c.structured.IsValid()) {
            DLxLocalBOMQuery q(structured, nullptr, 1, true);
            EXPECT_NE(q.RowByCookie(c.structured), nullptr);
        }
    }
}

// The structure an annotation keeps: nodes made once per occurrence path, their children and
// parts in model order, and the bill's row of each, through save and load.
TEST(DLxTagManager, NodesFollowTheModelAndNameTheirRows) {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxTagManager* tm = DLxTagManager::Create(bom);
    ASSERT_TRUE(tm);
    DLxStructureNode* root = tm->GetRootNode();
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->IsAssemblyNode());
    EXPECT_EQ(tm->GetRowKeyTag(root), u"");
    std::vector<DLxStructureNode*> children = tm->GetStructureChildren(root);
    ASSERT_EQ(children.size(), 15u); // every occurrence under the root, bolts one by one
    EXPECT_EQ(tm->FindNode({kFirstBolt}), children[4]) << "a node is made once";
    // The four bolts are four nodes of one row.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(tm->GetRowKeyTag(children[4 + i]), u"5");
    DLxStructureNode* cover = children[14];
    EXPECT_EQ(cover->GetKind(), DLxStructureNode::kAssemblyNode);
    EXPECT_TRUE(tm->GetStructureChildren(children[0]).empty()) << "a part has no children";
    EXPECT_EQ(tm->FindNode({kGasketOcc}), nullptr);

    // Parts depth first: the cover's parts come where the cover is; level by level they come
    // after every part of the root.
    std::vector<DLxStructureNode*> deep = tm->GetAllPartStructureNodes(root, true);
    std::vector<DLxStructureNode*> wide = tm->GetAllPartStructureNodes(root, false);
    ASSERT_EQ(deep.size(), 16u);
    ASSERT_EQ(wide.size(), 16u);
    EXPECT_EQ(deep[14]->GetComponentId(), kPlate);
    EXPECT_EQ(deep[15]->GetComponentId(), kGasket);
    EXPECT_EQ(deep.back()->GetRDxPassivePath(), (std::vector<int32_t>{kCoverOcc, kGasketOcc}));
    cover = tm->FindNode({kCoverOcc});
    std::vector<DLxStructureNode*> coverWide = tm->GetAllPartStructureNodes(cover, false);
    ASSERT_EQ(coverWide.size(), 2u);
    EXPECT_EQ(tm->GetRowKeyTag(coverWide[1]), u"9/11");

    // Stored: the loaded nodes keep their paths, and answer their rows again once the bill
    // has its model.
    const uint32_t gasketId = deep.back()->GetId();
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* gasket = dynamic_cast<DLxStructureNode*>(loaded->FindObject(gasketId));
    ASSERT_TRUE(gasket);
    DLxTagManager* ltm = gasket->GetTagManager();
    ASSERT_TRUE(ltm);
    EXPECT_EQ(ltm->GetRowKeyTag(gasket), u"") << "no model attached yet";
    ASSERT_TRUE(DLxLocalBOMMgr::GetLocalBOM(loaded.get(), assembly, 1, false));
    EXPECT_EQ(ltm->GetRowKeyTag(gasket), u"9/11");
    EXPECT_EQ(ltm->FindNode({kCoverOcc, kGasketOcc}), gasket);
    ltm->ClearCachedNodes();
    EXPECT_EQ(loaded->FindObject(gasketId), nullptr);
}

} // namespace

namespace {

using namespace KorvuBOM;

// Annotations placed from a bill: which rows carry visible balloons, which annotations need
// an update when the bill changes, and states that go with their annotations; the registry
// is stored with the bill.
TEST(DLxLocalBOMAnnotations, TheBillKnowsItsBalloonsAndPartsLists) {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;
    DLxSheet* one = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxSheet* two = doc.CreateSheet(u"Sheet 2", 420, 297);
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxAnchorPoint* balloon = DLxAnchorPoint::CreateFree(one, WqGePoint3d(10, 10, 0));
    DLxAnchorPoint* partsList = DLxAnchorPoint::CreateFree(two, WqGePoint3d(20, 20, 0));
    EXPECT_EQ(bom->RegisterAnnotation(one, balloon, false), nullptr) << "not made unasked";
    DLxAnnotationUpdateState* bs = bom->RegisterAnnotation(one, balloon, true);
    ASSERT_TRUE(bs);
    EXPECT_EQ(bom->RegisterAnnotation(one, balloon, true), bs);
    bs->SetUpdateType(DLxAnnotationUpdateState::kBalloon);
    auto* data = new (RSe::_GetMeta(static_cast<const DLxBalloonUpdateData*>(nullptr)),
                      bom->GetSegment()) DLxBalloonUpdateData();
    data->AddItem(DLxLocalBOMCookie({}, kBolt), {105});
    data->AddItem(DLxLocalBOMCookie({kCover}, kGasket), {115, 117});
    bs->SetAnnoSpecificData(data);
    DLxAnnotationUpdateState* ps = bom->RegisterAnnotation(two, partsList, true);
    ps->SetUpdateType(DLxAnnotationUpdateState::kPartsList);

    std::set<DLxLocalBOMCookie> ballooned;
    bom->GetBalloonCookieSet(ballooned);
    EXPECT_EQ(ballooned, (std::set<DLxLocalBOMCookie>{DLxLocalBOMCookie({}, kBolt),
                                                      DLxLocalBOMCookie({kCover}, kGasket)}));

    EXPECT_EQ(bom->NotifyAnnotationUpdateStates(one, false), 1);
    EXPECT_TRUE(bs->IsDirty());
    EXPECT_FALSE(ps->IsDirty());
    EXPECT_EQ(bom->NotifyPLsInterestedInBalloonChanges(nullptr), 1);
    EXPECT_TRUE(ps->IsDirty());
    EXPECT_EQ(bom->MarkDirtyAnnotationsEdited(), 2);
    EXPECT_FALSE(bs->IsDirty() || ps->IsDirty());

    // Stored: a reopened drawing still knows its ballooned rows.
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    DLxLocalBOM* again = DLxLocalBOMMgr::GetLocalBOM(loaded.get(), assembly, 1, false);
    ASSERT_TRUE(again);
    std::set<DLxLocalBOMCookie> reloaded;
    again->GetBalloonCookieSet(reloaded);
    EXPECT_EQ(reloaded, ballooned);
    EXPECT_TRUE(again->IsRelatedAnnotation(loaded->FindObject(balloon->GetId())));

    // A hidden balloon carries no rows; a deleted one leaves a state that a purge takes away.
    data->SetBalloonVisibility(false);
    ballooned.clear();
    bom->GetBalloonCookieSet(ballooned);
    EXPECT_TRUE(ballooned.empty());
    const uint32_t stateId = bs->GetId(), dataId = data->GetId();
    RSe::DeleteObject(balloon);
    EXPECT_TRUE(bom->HasRelatedAnnotations());
    EXPECT_TRUE(bom->PurgeAnnotation(nullptr));
    EXPECT_FALSE(bom->PurgeAnnotation(nullptr));
    EXPECT_EQ(doc.GetRSeDb()->FindObject(stateId), nullptr);
    EXPECT_EQ(doc.GetRSeDb()->FindObject(dataId), nullptr);
    EXPECT_TRUE(bom->PurgeAnnotation(partsList));
    EXPECT_FALSE(bom->HasRelatedAnnotations());
}

// Balloon changes reach only the parts lists that said they show ballooned rows (and older
// ones that said nothing); the interest is stored with the bill.
TEST(DLxLocalBOMAnnotations, BalloonChangesReachInterestedPartsListsOnly) {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    struct Case {
        int interest; // -1: no data attached
        bool marked;
    };
    const Case cases[] = {{-1, true}, {0, false}, {1, true}};
    std::vector<DLxAnnotationUpdateState*> states;
    for (const Case& c : cases) {
        DLxAnchorPoint* list = DLxAnchorPoint::CreateFree(sheet, WqGePoint3d(10, 10, 0));
        DLxAnnotationUpdateState* st = bom->RegisterAnnotation(sheet, list, true);
        st->SetUpdateType(DLxAnnotationUpdateState::kPartsList);
        if (c.interest >= 0) {
            auto* data = new (RSe::_GetMeta(static_cast<const DLxPartListUpdateData*>(nullptr)),
                              st->GetSegment()) DLxPartListUpdateData(false);
            data->SetInterestedInBalloonChanges(c.interest == 1);
            st->SetAnnoSpecificData(data);
        }
        states.push_back(st);
    }
    EXPECT_EQ(bom->NotifyPLsInterestedInBalloonChanges(nullptr), 2);
    for (size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(states[i]->IsDirty(), cases[i].marked);
        EXPECT_TRUE(bom->SetAnnotationDirty(states[i]->GetAnnotation()));
    }
    EXPECT_FALSE(bom->SetAnnotationDirty(sheet)) << "not an annotation of the bill";

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
    for (size_t i = 1; i < states.size(); ++i) {
        SCOPED_TRACE(i);
        auto* st = dynamic_cast<DLxAnnotationUpdateState*>(loaded->FindObject(states[i]->GetId()));
        ASSERT_TRUE(st);
        auto* data = dynamic_cast<const DLxPartListUpdateData*>(st->GetAnnoSpecificData());
        ASSERT_TRUE(data);
        EXPECT_EQ(data->IsInterestedInBalloonChanges(), cases[i].interest == 1);
    }
}

} // namespace

namespace {

using namespace KorvuBOM;

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

// What the older parts lists ask of a row candidate, on structure nodes, on the components of
// an older assembly list and on custom parts, answered from the bill and kept through a save.
TEST(DLxComponentProxy, ProxiesAnswerFromTheBillTheListOrTheCustomPart) {
    DLxAssemblyData assembly = BracketAssembly();
    for (DLxAssemblyOccurrence& o : assembly.occurrences)
        if (o.component == kCover) o.quantity = 2;
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxTagManager* tm = DLxTagManager::Create(bom);
    RSeSegment* seg = tm->GetSegment();
    auto* bolt = Make<DLxComponentProxyPartSurrogate>(seg, tm->FindNode({107}), tm);
    auto* otherBolt = Make<DLxComponentProxyPartSurrogate>(seg, tm->FindNode({105}), tm);
    auto* nut = Make<DLxComponentProxyPartSurrogate>(seg, tm->FindNode({110}), tm);
    auto* cover = Make<DLxComponentProxyAssemblySurrogate>(seg, tm->FindNode({115}), tm);
    auto* gasket = Make<DLxComponentProxyPartDT>(seg, tm->FindNode({115, 117}), tm);

    struct Case {
        const char* what;
        DLxComponentProxy* proxy;
        int32_t structured, total;
        std::u16string tag, name;
        bool composite;
        int32_t connection;
    } cases[] = {
        {"a bolt", bolt, 4, 4, u"4", u"bolt M8x30", false, 107},
        {"the covers", cover, 2, 0, u"8", u"cover", true, 115},
        {"a gasket of two covers", gasket, 1, 2, u"8.2", u"gasket", false, 117},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.proxy->getInstanceCount(true), c.structured);
        EXPECT_EQ(c.proxy->getInstanceCount(false), c.total);
        EXPECT_EQ(c.proxy->getComponentTag(true), c.tag);
        EXPECT_EQ(c.proxy->getDataSourceNameString(), c.name);
        EXPECT_EQ(c.proxy->isComposite(), c.composite);
        EXPECT_EQ(c.proxy->GetConnectionId(), c.connection);
        EXPECT_FALSE(c.proxy->isCustom());
    }
    EXPECT_EQ(bolt->getComponentMaterial(), u"Steel 8.8");
    EXPECT_EQ(bolt->getComponentMass(), u"0.016");
    EXPECT_TRUE(bolt->isDataSourceEqual(otherBolt, true));
    EXPECT_FALSE(bolt->isDataSourceEqual(nut, true));
    // A tag set through a proxy is the row's item number.
    ASSERT_TRUE(otherBolt->setComponentTag(u"B", true, false));
    EXPECT_EQ(bolt->getComponentTag(true), u"B");
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    EXPECT_EQ(q.RowByCookie(DLxLocalBOMCookie({}, kBolt))->GetItemNumber(), u"B");

    // An older assembly list's child, on the bill's component objects.
    RDxComponent* master = bom->GetMasterRDxComp();
    ASSERT_TRUE(master);
    EXPECT_EQ(master->GetKind(), RDxComponent::kAssembly);
    EXPECT_EQ(bom->GetRDxComponent(kWasher), bom->GetRDxComponent(kWasher));
    EXPECT_EQ(bom->GetRDxComponent(999), nullptr);
    auto* washer = Make<DLxComponentProxyDT>(seg, master, bom->GetRDxComponent(kWasher), u"5");
    washer->cacheComponentQuantity(4, true);
    EXPECT_EQ(washer->getComponentTag(true), u"5");
    EXPECT_EQ(washer->getInstanceCount(true), 4);
    EXPECT_EQ(washer->getInstanceCount(false), 0);
    EXPECT_EQ(washer->getComponentMaterial(), u"Steel 8.8");
    EXPECT_EQ(washer->getDataSourcePathString(true), u"parts/washer M8.part");
    EXPECT_EQ(bom->GetRDxComponent(kBolt)->GetProperty(u"User:Finish"), u"Zinc plated");

    // A custom part: its values are the surrogate's, its count the quantity's digits.
    DLxCustomSurrogate* part = tm->CreateNewCustom();
    auto* custom = Make<DLxComponentProxyCustom>(seg, part);
    auto* sameCustom = Make<DLxComponentProxyCustom>(seg, part);
    tm->AddRootNode(sameCustom, 1, 1);
    EXPECT_EQ(tm->GetRootNodes(), (std::vector<DLxComponentProxy*>{sameCustom}));
    EXPECT_TRUE(custom->isCustom());
    EXPECT_EQ(custom->getInstanceCount(true), 1);
    custom->setQuantityString(u"3 pcs");
    EXPECT_EQ(sameCustom->getInstanceCount(false), 3);
    custom->setPropertyString(2, u"Grease");
    custom->setPropertyString(u"Quantity", u"a user property, not the quantity");
    custom->setComponentMaterial(u"Lithium");
    EXPECT_EQ(sameCustom->getPropertyString(2), u"Grease");
    EXPECT_EQ(sameCustom->getQuantityString(), u"3 pcs");
    EXPECT_EQ(sameCustom->getComponentMaterial(), u"Lithium");
    EXPECT_TRUE(custom->isDataSourceEqual(sameCustom, true));
    EXPECT_FALSE(custom->isDataSourceEqual(bolt, true));
    EXPECT_FALSE(bolt->isDataSourceEqual(custom, true));

    // Saved and loaded, with the bill's model attached again.
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    ASSERT_TRUE(DLxLocalBOMMgr::GetLocalBOM(db.get(), assembly, 1, false));
    auto* lgasket = dynamic_cast<DLxComponentProxyPartDT*>(db->FindObject(gasket->GetId()));
    auto* lwasher = dynamic_cast<DLxComponentProxyDT*>(db->FindObject(washer->GetId()));
    auto* lcustom = dynamic_cast<DLxComponentProxyCustom*>(db->FindObject(custom->GetId()));
    ASSERT_TRUE(lgasket && lwasher && lcustom);
    EXPECT_EQ(lgasket->getComponentTag(true), u"8.2");
    EXPECT_EQ(lgasket->getInstanceCount(false), 2);
    EXPECT_EQ(lwasher->getInstanceCount(true), 4);
    EXPECT_EQ(lwasher->getComponentMaterial(), u"Steel 8.8");
    EXPECT_EQ(lcustom->getPropertyString(2), u"Grease");
    EXPECT_EQ(lcustom->getInstanceCount(true), 3);
}

} // namespace

namespace {

using Col = DLxLocalBOMColumn;
using namespace KorvuBOM;

// Balloons find their row by occurrence, and show the row that stands for it in the results:
// the row itself, its collapsed assembly or the group that merges it.
TEST_F(BOMFixture, ARowShowsAsItselfItsAssemblyOrItsGroup) {
    DLxLocalBOM* bom = Bill();
    const DLxLocalBOMCookie gasket({kCover}, kGasket), bolt({}, kBolt), nut({}, kNut);
    Settings s;
    s.keys = {Col::Material};
    s.hidden = {DLxLocalBOMCookie({}, kShaft)};
    DLxLocalBOMQuery q(bom, &s, 1, true);
    EXPECT_EQ(q.VisibleCookieByCookie(gasket), DLxLocalBOMCookie({}, kCover));
    DLxLocalBOMCookie group({}, kBolt);
    group.Add(kWasher);
    group.Add(kNut);
    EXPECT_EQ(q.VisibleCookieByCookie(nut), group);
    EXPECT_EQ(q.VisibleCookieByCookie(DLxLocalBOMCookie({}, kShaft)), DLxLocalBOMCookie());
    EXPECT_EQ(q.VisibleCookieByCookie(DLxLocalBOMCookie({}, 999)), DLxLocalBOMCookie());
    bom->SetExpanded(DLxLocalBOMCookie({}, kCover), true);
    s.keys.clear();
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.VisibleCookieByCookie(gasket), gasket);
    EXPECT_EQ(q.VisibleCookieByCookie(bolt), bolt);

    // The query of one occurrence holds its row alone.
    DLxLocalBOMQuery one(bom, std::vector<int32_t>{115, 117}, u"", true);
    ASSERT_TRUE(one.Execute(false));
    ASSERT_EQ(one.RowCount(), 1u);
    EXPECT_EQ(one.RowAt(0)->Cookie(), gasket);
    EXPECT_EQ(one.RowAt(0)->GetItemNumber(), u"8.2");
    DLxLocalBOMQuery none(bom, std::vector<int32_t>{117}, u"", true);
    ASSERT_TRUE(none.Execute(false));
    EXPECT_EQ(none.RowCount(), 0u);
}

TEST_F(BOMFixture, ChangingTheSchemeListsTheModelAnewAndKeepsTopLevelState) {
    DLxLocalBOM* bom = Bill();
    ASSERT_TRUE(bom->SetCellOverride(DLxLocalBOMCookie({}, kBolt), Col::Description, u"Bolt"));
    bom->SetSchemeID(DLxLocalBOM::kPartsOnly);
    EXPECT_TRUE(bom->IsPartsOnlyBOM());
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 9u);
    EXPECT_EQ(Text(q.RowAt(3), Col::Description), u"Bolt");
    EXPECT_EQ(Text(q.RowAt(8), Col::Item), u"9");
    // Refresh reads the changed model and clears the update bits.
    assembly.occurrences.push_back({200, kRoot, kMotor, 1});
    bom->SetStatusOn(DLxLocalBOM::kStatusUpdateRequired);
    bom->Refresh();
    EXPECT_EQ(bom->GetBOMStatus(), 0u);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowAt(6)->GetQuantity(), 2);
}

TEST(DLxLocalBOMQuery, AFactorysNodeIsReadForItsActiveMember) {
    DLxAssemblyData assembly = BracketAssembly();
    assembly.components[kBolt - 1].isFactory = true;
    assembly.components[kBolt - 1].factoryMembers = {u"M8x30", u"M8x40"};
    assembly.components[kBolt - 1].activeMember = u"M8x30";
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxTagManager* tm = DLxTagManager::Create(bom);
    EXPECT_EQ(DLxLocalBOMQuery::GetMemberName(tm->FindNode({105})), u"M8x30");
    EXPECT_EQ(DLxLocalBOMQuery::GetMemberName(tm->FindNode({110})), u"");
    EXPECT_EQ(DLxLocalBOMQuery::GetMemberName(nullptr), u"");
}

} // namespace

namespace {

using namespace KorvuBOM;

// A bill's configuration: made once, with its structure, root and annotations, and found
// again from any of its nodes after a save.
TEST(DLxConfiguration, TheBillsConfigurationHoldsItsStructure) {
    DLxAssemblyData assembly = BracketAssembly();
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    EXPECT_EQ(bom->GetConfiguration(false), nullptr);
    DLxConfiguration* config = bom->GetConfiguration(true);
    ASSERT_TRUE(config);
    EXPECT_EQ(bom->GetConfiguration(true), config);
    EXPECT_EQ(config->GetUFRxInstance(), &assembly);
    EXPECT_EQ(config->GetTagManager(false), nullptr);
    DLxStructureNode* root = config->GetRootStructureNode();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetConfiguration(), config);
    DLxTagManager* tm = config->GetTagManager(false);
    ASSERT_TRUE(tm);
    DLxStructureNode* gasket = tm->FindNode({115, 117});
    EXPECT_EQ(gasket->GetConfiguration(), config);
    EXPECT_EQ(config->GetRootComponent()->GetComponentId(), kRoot);
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxAnchorPoint* anno = DLxAnchorPoint::CreateFree(sheet, WqGePoint3d(1, 1, 0));
    bom->RegisterAnnotation(sheet, anno, true);
    ASSERT_EQ(config->GetAllAnnotations().size(), 1u);
    config->SetStatus(DLxConfiguration::kPending);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* lgasket = dynamic_cast<DLxStructureNode*>(db->FindObject(gasket->GetId()));
    ASSERT_TRUE(lgasket);
    DLxConfiguration* lconfig = lgasket->GetConfiguration();
    ASSERT_TRUE(lconfig);
    EXPECT_EQ(lconfig->GetStatus(), DLxConfiguration::kPending);
    EXPECT_EQ(lconfig->GetLocalBOM()->GetConfiguration(false), lconfig);
    EXPECT_EQ(lconfig->GetUFRxInstance(), nullptr) << "the model is not stored";
    EXPECT_TRUE(lconfig->PurgeAnnotation(db->FindObject(anno->GetId())));
    EXPECT_TRUE(lconfig->GetAllAnnotations().empty());
}

} // namespace

namespace {

using Col = DLxLocalBOMColumn;
using namespace KorvuBOM;

TEST(DLxLocalBOMCookie, KeysReadBackAsTheirRowsAndNothingElseDoes) {
    for (const DLxLocalBOMCookie& c :
         {DLxLocalBOMCookie({}, 5), DLxLocalBOMCookie({9, 12}, 11), DLxLocalBOMCookie({}, -3),
          DLxLocalBOMCookie({}, INT32_MAX)}) {
        SCOPED_TRACE(UTx::ToUtf8(c.Key()));
        DLxLocalBOMCookie back;
        ASSERT_TRUE(DLxLocalBOMCookie::FromKey(c.Key(), back));
        EXPECT_EQ(back, c);
    }
    for (const char16_t* bad : {u"", u"/", u"5/", u"/5", u"0", u"c", u"c0", u"5/c3", u"c3/5",
                                u"cc3", u"2147483648", u"-3", u"5//9", u"x"}) {
        SCOPED_TRACE(UTx::ToUtf8(bad));
        DLxLocalBOMCookie out;
        EXPECT_FALSE(DLxLocalBOMCookie::FromKey(bad, out));
    }
}

// A change of the bill as a request writes it to the transcript: the row by its key, the
// column and the text ("+" as the row adds a custom row).
const DLxAssemblyData& ReplayAssembly() {
    static const DLxAssemblyData a = BracketAssembly();
    return a;
}

class TstBOMEditRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(TstBOMEditRequest)
    TstBOMEditRequest() = default;
    TstBOMEditRequest(UTxString16 row, UTxString16 column, UTxString16 text)
        : m_row(std::move(row)), m_column(std::move(column)), m_text(std::move(text)) {}

    UTxResult Script(FWxSceneDoc* doc) override {
        UTxString16 line;
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        UTxResult r = mgr.BeginDocRequest(line, doc);
        if (!r.Failed()) r = mgr.PutDocRequestName(line, u"TstBOMEdit");
        if (r.Failed()) return r;
        UCxTranscriptDataExchange tdx(line, r, doc, true);
        UTxResult own = DoTranscriptDataExchange(tdx);
        if (own.Failed()) return own;
        if (!r.Failed()) r = mgr.EndDocRequest(line);
        return r.Failed() ? r : mgr.WriteLine(line);
    }
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override {
        UTxString16 text = line;
        UTxResult r;
        UCxTranscriptDataExchange tdx(text, r, doc, false);
        UTxResult own = DoTranscriptDataExchange(tdx);
        return own.Failed() ? own : r;
    }
    UTxResult _Execute(FWxSceneDoc* doc) override {
        DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc->GetRSeDb(), ReplayAssembly(), 1, true);
        DLxLocalBOMCookie cookie;
        if (m_row == u"+")
            cookie = bom->AddCustom();
        else if (!DLxLocalBOMCookie::FromKey(m_row, cookie))
            return UTxResult(0xE009033C, u"Row: no such row");
        Col column;
        if (!Col::FromKey(m_column, column)) return UTxResult(0xE009033C, u"Column: unknown");
        const bool done = column.GetKind() == Col::Item
                              ? bom->SetItemNumber(cookie, m_text)
                              : bom->SetCellOverride(cookie, column, m_text);
        return done ? UTxResult() : UTxResult(0xE009033C, u"Row: not in the bill");
    }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        _TDX_String(tdx, u"Row", m_row, true);
        _TDX_String(tdx, u"Column", m_column, true);
        _TDX_String(tdx, u"Text", m_text, true);
        return tdx.GetResult();
    }

private:
    UTxString16 m_row, m_column, m_text;
};
IMPLEMENT_DYNCREATE(TstBOMEditRequest, FWxChangeRequest)
const bool s_bomEditRegistered =
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(TstBOMEditRequest), u"TstBOMEdit");

std::vector<uint8_t> SavedBytes(DLxDrawingDoc& doc) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

// Replaying the transcript of changes to the bill, undo and redo among them, on a drawing that
// started alike gives the same drawing, byte for byte.
TEST(DLxLocalBOMReplay, ATranscriptOfBillChangesReplaysToTheSameDrawing) {
    ASSERT_TRUE(s_bomEditRegistered);
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    DLxDrawingDoc doc;
    auto run = [&](const char16_t* row, const char16_t* column, const char16_t* text) {
        return doc.ProcessChangeRequest(new TstBOMEditRequest(row, column, text));
    };
    ASSERT_FALSE(run(u"5", u"Description", u"Bolt, zinc").Failed());
    ASSERT_FALSE(run(u"+", u"Description", u"Grease").Failed());
    ASSERT_FALSE(run(u"c1", u"Quantity", u"2").Failed());
    ASSERT_FALSE(run(u"8", u"Item", u"M").Failed());
    ASSERT_FALSE(doc.Undo().Failed());
    ASSERT_FALSE(run(u"9/11", u"User:Colour", u"black").Failed());
    ASSERT_FALSE(doc.Undo().Failed());
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_TRUE(run(u"11", u"Vendor", u"x").Failed()) << "the gasket is not at the top";
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], u"TstBOMEdit Row=\"5\" Column=\"Description\" Text=\"Bolt, zinc\"");
    const std::vector<uint8_t> expected = SavedBytes(doc);

    DLxDrawingDoc again;
    for (const UTxString16& line : lines) {
        const UTxResult r = mgr.ReplayLine(&again, line);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(line) << ": " << r.GetMessageUtf8();
    }
    EXPECT_EQ(SavedBytes(again), expected);
    const std::string printed = DLxLocalBOMPrintDrawing(again.GetRSeDb(), ReplayAssembly());
    EXPECT_NE(printed.find("\"Grease\""), std::string::npos);
    EXPECT_EQ(printed.find("  M  "), std::string::npos) << "the item number was undone";
    mgr.ClearLines();
}

} // namespace

namespace {

// What `korvu dump` shows of the example's bill: every row of both schemes, sub-rows under
// their assembly, with the purchased, standard and custom marks.
TEST(DLxLocalBOMPrint, TheExamplesBillInBothSchemes) {
    const DLxAssemblyData assembly = KorvuBOM::BracketAssembly();
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    const DLxLocalBOMCookie custom = bom->AddCustom();
    bom->SetCellOverride(custom, DLxLocalBOMColumn::Description, u"Grease");
    // The parts-only bill is not stored: it is printed fresh, without the custom row.
    EXPECT_EQ(DLxLocalBOMPrintDrawing(doc.GetRSeDb(), assembly),
              R"(bill of materials (structured)
  1  x1  "BR-100"  "Bracket"  material "Aluminium 6061"
  2  x1  "SH-110"  "Shaft 12 mm"  material "Steel C45"
  3  x2  "BU-120"  "Bushing 12/16"  material "Bronze"
  4  x4  "ISO 4017-M8x30"  "Hex bolt M8x30"  material "Steel 8.8"  standard
  5  x4  "ISO 7089-8"  "Washer 8"  material "Steel 8.8"  standard
  6  x4  "ISO 4032-M8"  "Hex nut M8"  material "Steel 8.8"  standard
  7  x1  "MX-24"  "Gear motor 24 V"  purchased
  8  x1  "CV-200"  "Cover"
    8.1  x1  "CP-210"  "Cover plate"  material "Aluminium 6061"
    8.2  x1  "GK-220"  "Gasket"  material "NBR"
  9  x1  ""  "Grease"  custom
bill of materials (parts only)
  1  x1  "BR-100"  "Bracket"  material "Aluminium 6061"
  2  x1  "SH-110"  "Shaft 12 mm"  material "Steel C45"
  3  x2  "BU-120"  "Bushing 12/16"  material "Bronze"
  4  x4  "ISO 4017-M8x30"  "Hex bolt M8x30"  material "Steel 8.8"  standard
  5  x4  "ISO 7089-8"  "Washer 8"  material "Steel 8.8"  standard
  6  x4  "ISO 4032-M8"  "Hex nut M8"  material "Steel 8.8"  standard
  7  x1  "MX-24"  "Gear motor 24 V"  purchased
  8  x1  "CP-210"  "Cover plate"  material "Aluminium 6061"
  9  x1  "GK-220"  "Gasket"  material "NBR"
)");
}

} // namespace

namespace {

// Nodes made in a change go with its undo; the tag manager then makes them again rather than
// answering ones that are gone.
TEST(DLxTagManager, NodesMadeInAnUndoneChangeAreMadeAgain) {
    const DLxAssemblyData assembly = KorvuBOM::BracketAssembly();
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    DLxTagManager* tm = DLxTagManager::Create(bom);
    DLxStructureNode* kept = tm->FindNode({101});
    uint32_t madeId = 0;
    ASSERT_FALSE(doc.ProcessChangeRequest(new FnRequest([&] {
                        DLxStructureNode* n = tm->FindNode({115, 117});
                        madeId = n ? n->GetId() : 0;
                        return UTxResult();
                    }))
                     .Failed());
    ASSERT_NE(madeId, 0u);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(doc.GetRSeDb()->FindObject(madeId), nullptr);
    EXPECT_EQ(tm->FindNode({101}), kept);
    // A node made now takes the place the undone one had in the manager's list.
    DLxStructureNode* shaft = tm->FindNode({102});
    ASSERT_TRUE(shaft);
    DLxStructureNode* again = tm->FindNode({115, 117});
    ASSERT_TRUE(again);
    EXPECT_NE(again, shaft);
    EXPECT_EQ(again->GetRDxPassivePath(), (std::vector<int32_t>{115, 117}));
    EXPECT_EQ(tm->FindNode({115, 117}), again);
}

} // namespace

// A bill of the drawing's own assembly reads it as every change, undo and redo leaves it,
// the assembly's removal included, without being attached again.
TEST_F(BOMFixture, ABillFollowsTheDrawingsAssemblyThroughUndoAndRedo) {
    DLxLocalBOM* bom = nullptr;
    ASSERT_FALSE(Change([&] {
                     if (!doc.SetAssembly(assembly)) return UTxResult(1, u"refused");
                     bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1,
                                                       true);
                     return UTxResult();
                 }).Failed());
    ASSERT_TRUE(bom);
    auto boltNumber = [&] {
        DLxLocalBOMQuery q(bom, nullptr, 1, true);
        if (!q.Execute(false)) return std::u16string(u"(no rows)");
        const DLxLocalBOMRow* row = q.RowByCookie(DLxLocalBOMCookie({}, kBolt));
        return row ? Text(row, Col::PartNumber) : std::u16string(u"(no bolt)");
    };
    const std::u16string before = boltNumber();
    ASSERT_NE(before, u"(no rows)");

    ASSERT_FALSE(Change([&] {
                     DLxAssemblyData changed = *doc.GetAssembly();
                     for (DLxAssemblyComponent& c : changed.components)
                         if (c.id == kBolt) c.partNumber = u"B-2";
                     return doc.SetAssembly(changed) ? UTxResult() : UTxResult(1, u"refused");
                 }).Failed());
    EXPECT_EQ(boltNumber(), u"B-2");
    ASSERT_FALSE(Change([&] {
                     return doc.SetAssembly(DLxAssemblyData()) ? UTxResult()
                                                               : UTxResult(1, u"refused");
                 }).Failed());
    EXPECT_FALSE(bom->GetAssembly());
    EXPECT_EQ(boltNumber(), u"(no rows)");

    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(boltNumber(), u"B-2");
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(boltNumber(), before);
    EXPECT_EQ(bom->GetAssembly(), doc.GetAssembly());
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(boltNumber(), u"B-2");
}

TEST(DLxLocalBOMColumn, TableColumnsNameTheirBillColumnsByProperty) {
    struct Case {
        const char16_t* set;
        const char16_t* id;
        bool found;
        DLxLocalBOMColumn column;
    };
    const UTxString16 partsList = DUxStyleFormatColumnPropertyID::PartsListPropertySet();
    const Case cases[] = {
        {partsList.c_str(), u"1", true, DLxLocalBOMColumn::Item},
        {u"{beb6b91c-af44-4F9B-ad9e-1e0570a168f9}", u"2", true, DLxLocalBOMColumn::Quantity},
        {partsList.c_str(), u"5", true, DLxLocalBOMColumn::Material},
        {partsList.c_str(), u"9", true, DLxLocalBOMColumn::Purchased},
        {partsList.c_str(), u"0", false, {}},
        {partsList.c_str(), u"10", false, {}},
        {u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}", u"Finish", true,
         DLxLocalBOMColumn::UserProperty(u"Finish")},
        {u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}", u"", false, {}},
        {u"{04570C0A-FA19-4d76-A48F-D5A662908B35}", u"1", false, {}},
        // The model's general properties that the bill holds, by set and number.
        {u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}", u"5", true, DLxLocalBOMColumn::PartNumber},
        {u"{32853f0f-3444-11D1-9e93-0060b03c1ca6}", u"29", true, DLxLocalBOMColumn::Description},
        {u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}", u"14", true, DLxLocalBOMColumn::Vendor},
        {u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}", u"6", false, {}},
        {u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}", u"5x", false, {}},
        {u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}", u"", false, {}},
        {u"{F29F85E0-4FF9-1068-AB91-08002B27B3D9}", u"5", false, {}},
        {u"not a set", u"5", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        DUxStyleFormatColumnPropertyID property;
        property.SetPropertySet(c.set);
        property.SetPropertyID(c.id);
        DLxLocalBOMColumn out;
        EXPECT_EQ(DLxLocalBOMColumn::FromPropertyID(property, out), c.found);
        if (c.found) {
            EXPECT_EQ(out, c.column);
        }
    }
}
