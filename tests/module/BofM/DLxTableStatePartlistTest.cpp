// The parts-list table state over the shared bracket bill: rebuilds that keep, delete, place and
// regroup rows, flags and gaps from the bill, overrides, sequencing, member columns and storage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "WinModule.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuBOM;

// A column that cannot be copied into a document: how a failed application of columns shows.
class TstUncopyableColumn : public DUxTableStylePartsListColumn {
public:
    TstUncopyableColumn() = default;
    explicit TstUncopyableColumn(const RSeStream* s) : DUxTableStylePartsListColumn(s) {}
    RSeMetaType* GetMeta() const override;
    UTxResult Clone(TstUncopyableColumn* target, RSeCloneCommander* cc) const {
        DUxTableStylePartsListColumn::Clone(target, cc);
        const RSeSegment* segment = target->GetSegment();
        if (segment && segment->IsTransient()) return {};
        return UTxResult(0xE009033C, u"no copies in a document");
    }
};
void TstUncopyableGuid(UTxGUID& g) {
    g = UTxGUID(0x7e570041, 0x1, 0x2, 0x3);
}
RSeMetaType* TstUncopyableMeta() {
    static RSeMetaType* mt = RSeMakeMeta<TstUncopyableColumn>(
        u"TstUncopyableColumn", &TstUncopyableGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStylePartsListColumn*>(nullptr)));
    return mt;
}
RSeMetaType* TstUncopyableColumn::GetMeta() const {
    return TstUncopyableMeta();
}
using Cookie = DLxLocalBOMCookie;
using Row = DLxTableRowPartlist;

class PartlistState : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        m_bom = DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), m_assembly, 1, true);
        ASSERT_TRUE(m_bom);
        m_state = DLxTableStatePartlist::New(Seg());
        m_state->SetLocalBOM(RSeRef<DLxLocalBOM>(m_bom));
        m_state->SetDisplayItemNumbers(true);
        DUxTableColumnList columns;
        for (const char16_t* id : {u"1", u"2", u"5"})
            columns.emplace_back(Column(id));
        ASSERT_TRUE(m_state->SetColumns(columns));
        DUxTableStyle::ClearColumns(columns);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    RSeSegment* Seg() { return RSe::SegmentOf(m_doc.GetRSeDb()); }
    static DUxTableStylePartsListColumn* Column(const char16_t* id,
                                                RSeSegment* segment = RSe::TransientSegment()) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(segment);
        c->GetPropertyID()->SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
        c->GetPropertyID()->SetPropertyID(id);
        c->GetPropertyID()->SetPropertyExternalName(u"Heading");
        return c;
    }
    void GroupByMaterial() {
        std::vector<RSeRef<DUxTableStylePartsListColumn>> keys{
            RSeRef<DUxTableStylePartsListColumn>(Column(u"5"))};
        m_state->SetGroupKeys(keys);
        m_state->SetGroupingEnabled(true);
    }
    void Rebuild() { m_state->RebuildRows(RSeRefBase()); }
    std::vector<Cookie> Cookies() const {
        std::vector<Cookie> out;
        for (DUxTableRowBase* row : m_state->GetRows()) {
            auto* id = dynamic_cast<const DLxTableRowIDLocalBOM*>(row->RowID());
            out.push_back(id ? id->Cookie() : Cookie());
        }
        return out;
    }
    Row* RowOf(const Cookie& c) const { return dynamic_cast<Row*>(m_state->FindRow(c)); }
    DUxTableStyleColumn* StateColumn(int32_t i) const { return m_state->GetColumn(i); }

    HMODULE m_module = nullptr;
    DLxAssemblyData m_assembly = BracketAssembly();
    DLxDrawingDoc m_doc;
    DLxLocalBOM* m_bom = nullptr;
    DLxTableStatePartlist* m_state = nullptr;
};

// Marks a class of a saved document as stored at an older version whose record is today's.
void SetStoredVersion(std::vector<uint8_t>& bytes, const std::u16string& name, uint16_t version) {
    std::vector<uint8_t> pattern;
    for (char16_t c : name) {
        pattern.push_back(uint8_t(c & 0xff));
        pattern.push_back(uint8_t(c >> 8));
    }
    auto it = bytes.begin();
    for (;;) {
        it = std::search(it, bytes.end(), pattern.begin(), pattern.end());
        ASSERT_NE(it, bytes.end()) << "no class of that name";
        const size_t at = size_t(it - bytes.begin());
        // The meta table's entry: the name's length right before it, the GUID right after.
        uint32_t length = 0;
        if (at >= 4) std::memcpy(&length, &bytes[at - 4], 4);
        if (length == name.size() || length == 2 * name.size()) {
            const size_t v = at + pattern.size() + 16;
            bytes[v] = uint8_t(version & 0xff);
            bytes[v + 1] = uint8_t(version >> 8);
            return;
        }
        ++it;
    }
}

std::vector<Cookie> Top(std::initializer_list<int32_t> items) {
    std::vector<Cookie> out;
    for (int32_t i : items)
        out.emplace_back(std::vector<int32_t>{}, i);
    return out;
}

TEST_F(PartlistState, RebuildKeepsRowsDeletesVanishedOnesAndPlacesNewOnes) {
    Rebuild();
    const auto all = Top({kBracket, kShaft, kBushing, kBolt, kWasher, kNut, kMotor, kCover});
    ASSERT_EQ(Cookies(), all);
    const std::vector<DUxTableRowBase*> before = m_state->GetRows();
    EXPECT_EQ(m_state->GetValue(2, 1), u"2"); // the bushings' quantity
    Rebuild();
    EXPECT_EQ(m_state->GetRows(), before); // the same objects in the same order

    // A custom row goes to the end; the cover's rows right after it, before the custom row.
    const Cookie custom = m_bom->AddCustom();
    Rebuild();
    EXPECT_EQ(Cookies().back(), custom);
    EXPECT_FALSE(m_state->AnyRowWithBothFlags());
    ASSERT_TRUE(m_state->ExpandRow(m_state->IndexOfRow(RowOf(Cookie({}, kCover))), true));
    EXPECT_TRUE(m_bom->IsExpanded(Cookie({}, kCover)));
    Rebuild();
    EXPECT_TRUE(m_state->AnyRowWithBothFlags());
    std::vector<Cookie> expected = all;
    expected.push_back(Cookie({kCover}, kPlate));
    expected.push_back(Cookie({kCover}, kGasket));
    expected.push_back(custom);
    EXPECT_EQ(Cookies(), expected);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(m_state->GetRow(int32_t(i)), before[i]);

    // The custom row vanishes from the bill: its row is deleted.
    const uint32_t customId = RowOf(custom)->GetId();
    ASSERT_TRUE(m_bom->RemoveCustom(custom));
    Rebuild();
    EXPECT_EQ(RowOf(custom), nullptr);
    EXPECT_EQ(m_state->GetRowCount(), int32_t(expected.size()) - 1);
    EXPECT_EQ(m_doc.GetRSeDb()->FindObject(customId), nullptr);
}

// Counts the events it is told of.
class TstCounter : public RSeObjectObserverM {
public:
    bool OnEvent(const RSeEvent* event) override {
        events.push_back(event->Event());
        return true;
    }
    std::vector<int32_t> events;
};

TEST_F(PartlistState, ARebuildTellsItsTargetWhenTheBillsStatusChanged) {
    const RSeRef<DLxLocalBOM> target(m_bom);
    TstCounter counter;
    RSeNotifier::NotifyOnEventTo(target, RSeNotifierEventMask::Field(3, 0x2aaaaaaa), &counter, 0);
    m_state->RebuildRows(target);
    EXPECT_TRUE(counter.events.empty()); // the status the state knew
    m_bom->SetStatusOn(DLxLocalBOM::kStatusUpdateRequired);
    m_state->RebuildRows(target);
    EXPECT_EQ(counter.events, std::vector<int32_t>{3});
    EXPECT_EQ(m_state->GetBOMStatus(), DLxLocalBOM::kStatusUpdateRequired);
    m_state->RebuildRows(target);
    Rebuild(); // without a target nothing is told, nothing kept
    EXPECT_EQ(counter.events.size(), 1u);
    RSeNotifier::EraseObserverOf(target, &counter);
}

TEST_F(PartlistState, GroupedRowsGoToTheFrontAndHideExpandedRowsWhileGrouping) {
    m_bom->SetExpanded(Cookie({}, kCover), true);
    Rebuild();
    Row* cover = RowOf(Cookie({}, kCover));
    ASSERT_TRUE(cover);
    EXPECT_FALSE(cover->Invisible());
    GroupByMaterial();
    EXPECT_TRUE(cover->Invisible()); // its sub-rows stand for it
    m_state->SetGroupingEnabled(false);
    EXPECT_FALSE(cover->Invisible());

    // Grouping by material merges bolts, washers and nuts into one row at the front.
    m_bom->SetExpanded(Cookie({}, kCover), false);
    GroupByMaterial();
    Rebuild();
    Cookie group({}, kBolt);
    group.Add(kWasher);
    group.Add(kNut);
    ASSERT_FALSE(Cookies().empty());
    EXPECT_EQ(Cookies().front(), group);
    EXPECT_TRUE(RowOf(group)->IsFlagOn(Row::GroupRowFlag));
    EXPECT_EQ(RowOf(Cookie({}, kBolt)), nullptr);
    EXPECT_EQ(m_state->GetValue(0, 1), u"12");
}

TEST_F(PartlistState, SingleRowsOfAGroupEndRightBeforeItAndNoSetAsideRowIsLost) {
    Rebuild();
    Cookie group({}, kBolt);
    group.Add(kWasher);
    group.Add(kNut);
    // A grouped row kept from an earlier grouping, at the end, and a second row of the bolts.
    Row* grouped =
        dynamic_cast<Row*>(m_state->CreateRow(DLxTableRowIDLocalBOM(group), m_state, Seg()));
    m_state->InsertRow(grouped, -1);
    Row* second = dynamic_cast<Row*>(
        m_state->CreateRow(DLxTableRowIDLocalBOM(Cookie({}, kBolt)), m_state, Seg()));
    m_state->InsertRow(second, 0);
    Row* bolt = dynamic_cast<Row*>(m_state->GetRow(4));
    ASSERT_TRUE(grouped && second && bolt);
    const uint32_t secondId = second->GetId();

    GroupByMaterial();
    m_state->SetDisplayParticipants(true);
    Rebuild();
    // The table's grouped row meets the query's; the single rows of its items follow it in the
    // results and are moved right before it, in their previous order.
    const std::vector<DUxTableRowBase*> rows = m_state->GetRows();
    const int32_t at = m_state->IndexOfRow(grouped);
    ASSERT_GE(at, 3);
    EXPECT_EQ(Cookies()[size_t(at) - 1], Cookie({}, kNut));
    EXPECT_EQ(Cookies()[size_t(at) - 2], Cookie({}, kWasher));
    // Both rows of the bolts are still in the table: neither was dropped on the floor.
    EXPECT_GE(m_state->IndexOfRow(bolt), 0);
    EXPECT_GE(m_state->IndexOfRow(second), 0);
    EXPECT_NE(m_doc.GetRSeDb()->FindObject(secondId), nullptr);
}

// With its participants listed, each grouped row has the single rows of its items right before
// it; a participant moved away goes back there, the others keeping their order, and every row
// is still found by its cookie afterwards.
TEST_F(PartlistState, ParticipantsGoBackRightBeforeTheirGroupedRowInTheirOrder) {
    GroupByMaterial();
    m_state->SetDisplayParticipants(true);
    Rebuild();
    auto expectParticipantsBeforeGroups = [this] {
        const std::vector<Cookie> cookies = Cookies();
        bool anyGroup = false;
        for (size_t g = 0; g < cookies.size(); ++g) {
            if (!cookies[g].IsGrouped()) continue;
            anyGroup = true;
            const std::vector<int32_t> items = cookies[g].items();
            ASSERT_GE(g, items.size());
            std::vector<int32_t> before;
            for (size_t k = g - items.size(); k < g; ++k) {
                EXPECT_FALSE(cookies[k].IsGrouped());
                before.push_back(cookies[k].item());
            }
            std::sort(before.begin(), before.end());
            std::vector<int32_t> sortedItems = items;
            std::sort(sortedItems.begin(), sortedItems.end());
            EXPECT_EQ(before, sortedItems);
        }
        EXPECT_TRUE(anyGroup);
        for (int32_t i = 0; i < m_state->GetRowCount(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(m_state->FindRow(cookies[size_t(i)]), m_state->GetRow(i));
        }
    };
    expectParticipantsBeforeGroups();
    const std::vector<DUxTableRowBase*> settled = m_state->GetRows();
    Rebuild();
    EXPECT_EQ(m_state->GetRows(), settled);

    // The first participant moved to the end by hand, the last to the front: both go back
    // where they stood.
    Row* bolt = RowOf(Cookie({}, kBolt));
    Row* nut = RowOf(Cookie({}, kNut));
    ASSERT_TRUE(bolt && nut);
    const int32_t boltAt = m_state->IndexOfRow(bolt);
    const int32_t nutAt = m_state->IndexOfRow(nut);
    ASSERT_LT(boltAt, nutAt);
    m_state->RemoveRow(nutAt, true);
    m_state->RemoveRow(boltAt, true);
    m_state->InsertRow(bolt, -1);
    m_state->InsertRow(nut, 0);
    Rebuild();
    expectParticipantsBeforeGroups();
    EXPECT_EQ(m_state->GetRows(), settled);
}

// A table's own value of a cell is what the bill's query reads in every pass over the rows
// (sort, rebuild, requery), and a value taken back is no longer read.
TEST_F(PartlistState, ATablesOwnValueIsReadInEveryPassUntilTakenBack) {
    Rebuild();
    DUxTableStyleColumn* material = StateColumn(2);
    Row* shaft = RowOf(Cookie({}, kShaft));
    ASSERT_TRUE(shaft);
    auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(shaft->GetValueRaw(material, true));
    ASSERT_TRUE(cell);
    const UTxString16 bill = m_state->GetValue(m_state->IndexOfRow(shaft), 2);
    cell->SetOverride(u"Zinc plated");
    const std::vector<std::function<void()>> passes{
        [this] {
            m_state->SortRows({{int16_t(2), DUxTableStateBase::eDescending}});
        },
        [this] { Rebuild(); }, [this] { m_state->RequeryRows(); }};
    for (size_t p = 0; p < passes.size(); ++p) {
        SCOPED_TRACE(p);
        passes[p]();
        EXPECT_EQ(m_state->GetValue(m_state->IndexOfRow(shaft), 2), u"Zinc plated");
    }
    cell->ClearLocalOverride();
    for (size_t p = 0; p < passes.size(); ++p) {
        SCOPED_TRACE(p);
        passes[p]();
        EXPECT_EQ(m_state->GetValue(m_state->IndexOfRow(shaft), 2), bill);
    }
}

TEST_F(PartlistState, AGroupThatChangedMembersKeepsItsRow) {
    GroupByMaterial();
    Rebuild();
    Row* group = dynamic_cast<Row*>(m_state->GetRow(0));
    ASSERT_TRUE(group && group->IsFlagOn(Row::GroupRowFlag));
    EXPECT_EQ(m_state->GetValue(0, 1), u"12");
    // The nuts take another material: the group keeps bolts and washers only.
    for (DLxAssemblyComponent& c : m_assembly.components)
        if (c.id == kNut) c.material = u"Steel 10";
    m_bom->Attach(&m_assembly);
    Rebuild();
    EXPECT_EQ(m_state->GetRow(0), group); // the same row, refreshed as the new group
    EXPECT_EQ(m_state->GetValue(0, 1), u"8");
    EXPECT_NE(RowOf(Cookie({}, kNut)), nullptr);
}

// Rows are matched with results in table order, and a grouped row takes the first result it
// shares items with whether its own cookie names that result or only part of it: an earlier
// row of part of a group wins over a later row of the whole group, which is deleted.
TEST_F(PartlistState, TheFirstGroupedRowInTableOrderTakesItsGroupExactOrNot) {
    Rebuild();
    Cookie part({}, kBolt);
    part.Add(kWasher);
    Cookie whole = part;
    whole.Add(kNut);
    Row* partRow =
        dynamic_cast<Row*>(m_state->CreateRow(DLxTableRowIDLocalBOM(part), m_state, Seg()));
    Row* wholeRow =
        dynamic_cast<Row*>(m_state->CreateRow(DLxTableRowIDLocalBOM(whole), m_state, Seg()));
    ASSERT_TRUE(partRow && wholeRow);
    m_state->InsertRow(partRow, 1);
    m_state->InsertRow(wholeRow, 3);

    GroupByMaterial();
    Rebuild();
    EXPECT_EQ(m_state->IndexOfRow(wholeRow), -1);
    ASSERT_GE(m_state->IndexOfRow(partRow), 0);
    EXPECT_EQ(m_state->GetValue(m_state->IndexOfRow(partRow), 1), u"12");
    EXPECT_TRUE(partRow->IsFlagOn(Row::GroupRowFlag));
    EXPECT_EQ(RowOf(whole), nullptr);
    // Again, nothing changed: the same rows in the same order.
    const std::vector<DUxTableRowBase*> before = m_state->GetRows();
    Rebuild();
    EXPECT_EQ(m_state->GetRows(), before);
}

TEST_F(PartlistState, GroupSettingsAnswerTheBillsQuery) {
    DLxLocalBOMColumn key;
    EXPECT_FALSE(m_state->IsGroupingEnabled());
    EXPECT_FALSE(m_state->GetGroupKey1(key));
    std::vector<RSeRef<DUxTableStylePartsListColumn>> keys;
    for (const char16_t* id : {u"5", u"3", u"7"})
        keys.emplace_back(Column(id));
    struct Case {
        size_t keys;
        bool first, second, third;
    };
    for (const Case c : {Case{3, true, true, true}, Case{1, true, false, false}}) {
        SCOPED_TRACE(c.keys);
        m_state->SetGroupKeys({keys.begin(), keys.begin() + std::ptrdiff_t(c.keys)});
        m_state->SetGroupingEnabled(true);
        EXPECT_TRUE(m_state->IsGroupingEnabled());
        EXPECT_EQ(m_state->GetGroupKey1(key), c.first);
        EXPECT_EQ(key, DLxLocalBOMColumn(DLxLocalBOMColumn::Material));
        EXPECT_EQ(m_state->GetGroupKey2(key), c.second);
        EXPECT_EQ(m_state->GetGroupKey3(key), c.third);
    }
    m_state->SetGroupingEnabled(false);
    EXPECT_FALSE(m_state->IsGroupingEnabled());

    DUxTableColumnList quantities;
    m_state->GetQuantityColumns(quantities);
    ASSERT_EQ(quantities.size(), 1u);
    EXPECT_EQ(quantities[0].get(), StateColumn(1));

    // The rows the table hides, as any other query of the table reads them.
    Rebuild();
    Row* shaft = RowOf(Cookie({}, kShaft));
    bool bomHidden = true;
    EXPECT_FALSE(m_state->IsRowHidden(Cookie({}, kShaft), &bomHidden));
    EXPECT_FALSE(bomHidden);
    shaft->SetFlag(Row::HiddenRowFlag, false);
    EXPECT_TRUE(m_state->IsRowHidden(Cookie({}, kShaft), &bomHidden));
    EXPECT_FALSE(bomHidden);
    EXPECT_FALSE(m_state->IsRowHidden(Cookie({}, 99), &bomHidden));
    DLxLocalBOMQuery q(m_bom, m_state, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowCount(), 7u);
    // The table's own rebuild still lists it, and keeps the row hidden.
    Rebuild();
    EXPECT_EQ(RowOf(Cookie({}, kShaft)), shaft);
    EXPECT_TRUE(shaft->Invisible());
}

TEST_F(PartlistState, RowsAreFoundByCookieWhateverMovedThem) {
    Rebuild();
    const Cookie shaft({}, kShaft);
    ASSERT_EQ(m_state->FindRow(shaft), m_state->GetRow(1));
    // Rows the base removes or inserts, with or without the rebuild.
    ASSERT_TRUE(m_state->RemoveRow(1));
    EXPECT_EQ(m_state->FindRow(shaft), nullptr);
    DUxTableRowBase* row = m_state->CreateRow(DLxTableRowIDLocalBOM(shaft), m_state, Seg());
    m_state->InsertRow(row, 0);
    EXPECT_EQ(m_state->FindRow(shaft), row);
    ASSERT_TRUE(m_state->RemoveRow(0, true));
    m_state->InsertRow(row, 3);
    EXPECT_EQ(m_state->FindRow(shaft), row);
    Rebuild();
    EXPECT_EQ(m_state->FindRow(shaft), row);
    EXPECT_EQ(m_state->GetRowCount(), 8);
    EXPECT_EQ(m_state->FindRow(Cookie({}, kMotor)), m_state->GetRow(6));

    // An undo that gives back another row in place of one: the same count, other rows.
    RSeDatabase* db = m_doc.GetRSeDb();
    db->BeginTxn();
    ASSERT_TRUE(m_state->RemoveRow(m_state->IndexOfRow(row)));
    DUxTableRowBase* custom = m_state->AddCustomRow(-1);
    ASSERT_TRUE(custom);
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    EXPECT_EQ(m_state->FindRow(shaft), nullptr);
    db->Undo(*record);
    ASSERT_EQ(m_state->GetRowCount(), 8);
    EXPECT_NE(m_state->FindRow(shaft), nullptr);
    EXPECT_EQ(m_state->FindRow(shaft),
              m_state->GetRow(m_state->IndexOfRow(m_state->FindRow(shaft))));
}

TEST_F(PartlistState, RowFiltersOfTheTableShapeItsRows) {
    ASSERT_TRUE(DLxTableStatePartlist::InterestedInFilter(DUxTableRowFilter::FilterType(5)));
    ASSERT_FALSE(DLxTableStatePartlist::InterestedInFilter(DUxTableRowFilter::FilterType(6)));
    EXPECT_EQ(DLxTableStatePartlist::NewFilter(DUxTableRowFilter::FilterType(0), Seg()), nullptr);
    auto* purchased = dynamic_cast<DLxPartlistFilterPurchased*>(
        DLxTableStatePartlist::NewFilter(DUxTableRowFilter::FilterType(1), Seg()));
    ASSERT_TRUE(purchased);
    m_state->GetFilterList()->Add(purchased);
    const Cookie custom = m_bom->AddCustom();
    Rebuild();
    EXPECT_EQ(Cookies().back(), custom);
    purchased->SetPurchasedOnly(true);
    Rebuild();
    EXPECT_EQ(Cookies(), Top({kMotor}));
    // A custom row the filter hides leaves the table, not the bill.
    EXPECT_EQ(m_bom->NumOfCustoms(), 1u);
    purchased->SetPurchasedOnly(false);
    Rebuild();
    std::vector<Cookie> expected = Top({kBracket, kShaft, kBushing, kBolt, kWasher, kNut, kCover});
    expected.push_back(custom);
    EXPECT_EQ(Cookies(), expected);
}

TEST_F(PartlistState, RefreshKeepsUserGapsAndHiddenRowsAndFollowsTheBill) {
    Rebuild();
    Row* shaft = RowOf(Cookie({}, kShaft));
    ASSERT_TRUE(shaft);
    DLxLocalBOMQuery q(m_bom, m_state, 1, true);
    ASSERT_TRUE(q.Execute(false));
    DLxLocalBOMRow* r = q.RowByCookie(Cookie({}, kShaft));
    struct Case {
        double natural;
        bool kept;
        double gap;
    };
    for (const Case c : {Case{4.0, true, 5.0}, Case{5.0, true, 5.0}, Case{6.0, false, -1.0}}) {
        SCOPED_TRACE(c.natural);
        shaft->SetRowGap(c.natural);
        shaft->SetKeptRowGap(5.0);
        shaft->SetFlag(Row::KeptGapRowFlag, false);
        ASSERT_TRUE(shaft->UpdateData(r, m_state->GetOriginalColumns()));
        EXPECT_EQ(shaft->IsFlagOn(Row::KeptGapRowFlag), c.kept);
        EXPECT_EQ(shaft->GetKeptRowGap(), c.gap);
    }

    // Hidden by the user: stays hidden when the bill shows the row.
    shaft->SetFlag(Row::HiddenRowFlag, false);
    shaft->UpdateData(r, m_state->GetOriginalColumns());
    EXPECT_TRUE(shaft->Invisible());
    shaft->SetFlag(Row::HiddenRowFlag, true);
    // Hidden by the bill: shown again when the bill stops hiding it.
    m_bom->SetRowHidden(Cookie({}, kShaft), true);
    Rebuild();
    EXPECT_TRUE(shaft->IsFlagOn(Row::HiddenRowFlag | Row::BOMHiddenRowFlag));
    m_bom->SetRowHidden(Cookie({}, kShaft), false);
    Rebuild();
    EXPECT_FALSE(shaft->IsFlagOn(Row::HiddenRowFlag));
    EXPECT_FALSE(shaft->Invisible());
}

TEST_F(PartlistState, OverridesEqualToTheBillAreDroppedOthersStay) {
    Rebuild();
    DUxTableStyleColumn* material = StateColumn(2);
    auto* bracket = dynamic_cast<DUxTableRowData_Partlist*>(
        RowOf(Cookie({}, kBracket))->GetValueRaw(material, true));
    auto* shaft = dynamic_cast<DUxTableRowData_Partlist*>(
        RowOf(Cookie({}, kShaft))->GetValueRaw(material, true));
    ASSERT_TRUE(bracket && shaft);
    bracket->SetOverride(u"Aluminium 6061"); // what the bill holds
    shaft->SetOverride(u"Steel 42CrMo4");
    EXPECT_TRUE(m_state->DropRedundantOverrides());
    UTxString16 text;
    EXPECT_FALSE(bracket->GetOverride(text));
    EXPECT_TRUE(shaft->GetOverride(text));
    EXPECT_EQ(text, u"Steel 42CrMo4");
    EXPECT_FALSE(m_state->DropRedundantOverrides());
    // The table's own value is what the row shows after a refresh.
    Rebuild();
    EXPECT_EQ(m_state->GetValue(1, 2), u"Steel 42CrMo4");

    // Clearing every local override, as converting the table's values into the bill does.
    DLxTableStatePartlist::RemoveEntityBasedRowOverrides(m_state);
    EXPECT_FALSE(shaft->GetOverride(text));

    // Typing a value writes the bill; the cell of a model row is marked overridden.
    ASSERT_TRUE(bracket->SetValue(u"Titanium", material, false));
    DLxLocalBOMQuery q(m_bom, nullptr, 1, true);
    std::u16string value;
    ASSERT_TRUE(q.Execute(false));
    q.RowByCookie(Cookie({}, kBracket))->GetCellValue(DLxLocalBOMColumn::Material, value, nullptr);
    EXPECT_EQ(value, u"Titanium");
}

TEST_F(PartlistState, TypingAnItemNumberWritesTheBillNotAnOverride) {
    Rebuild();
    Row* shaft = RowOf(Cookie({}, kShaft));
    DUxTableRowData_Base* cell = shaft->GetValueRaw(StateColumn(0), true);
    ASSERT_TRUE(cell);
    ASSERT_TRUE(cell->SetValue(u"12", StateColumn(0), false));
    std::u16string number;
    EXPECT_TRUE(m_bom->GetItemNumberOverride(Cookie({}, kShaft), number));
    EXPECT_EQ(number, u"12");
    auto* own = dynamic_cast<DUxTableRowData_Partlist*>(cell);
    ASSERT_TRUE(own);
    EXPECT_FALSE(own->HasOverride());
    // Clearing gives the row its own number back.
    EXPECT_TRUE(cell->ClearOverride(StateColumn(0)));
    Rebuild();
    EXPECT_EQ(m_state->GetValue(1, 0), u"2");
    // A custom row's cells hold the bill's values: the table lets none be overridden.
    DUxTableRowBase* custom = m_state->AddCustomRow(-1);
    ASSERT_TRUE(custom && custom->IsFlagOn(Row::CustomRowFlag));
    EXPECT_FALSE(m_state->CanOverrideCell(custom, StateColumn(2)));
    EXPECT_TRUE(m_state->CanOverrideCell(shaft, StateColumn(2)));
    // Removing the custom row removes its item from the bill.
    EXPECT_EQ(m_bom->NumOfCustoms(), 1u);
    ASSERT_TRUE(m_state->RemoveRow(m_state->IndexOfRow(custom)));
    EXPECT_EQ(m_bom->NumOfCustoms(), 0u);
}

TEST_F(PartlistState, CellsOfSubstitutedValuesAreFlagged) {
    Rebuild();
    m_bom->SetItemNumber(Cookie({}, kShaft), u"20");
    auto* item = dynamic_cast<DUxTableStylePartsListColumn*>(StateColumn(0));
    ASSERT_TRUE(item);
    // Only a column that uses a substitute property tells.
    EXPECT_FALSE(m_state->GetLocalBOMCellFlag(0, 1));
    item->SetSubstitute(true);
    EXPECT_TRUE(m_state->GetLocalBOMCellFlag(0, 1));
    EXPECT_FALSE(m_state->GetLocalBOMCellFlag(0, 0));
    EXPECT_FALSE(m_state->GetLocalBOMCellFlag(7, 1));
    EXPECT_FALSE(m_state->GetLocalBOMCellFlag(0, 99));
}

TEST_F(PartlistState, ItemNumbersCanBePushedBackFromRowsThatWriteTheModel) {
    m_bom->SetExpanded(Cookie({}, kCover), true);
    Rebuild();
    EXPECT_FALSE(m_state->CanPushbackItemNumbers(nullptr));
    const Cookie shaft({}, kShaft), plate({kCover}, kPlate);
    // A row qualifies with its number set and a value push-back writes into the model.
    m_bom->SetItemNumber(shaft, u"20");
    EXPECT_FALSE(m_state->CanPushbackItemNumbers(nullptr));
    m_bom->SetCellOverride(shaft, DLxLocalBOMColumn::Material, u"Steel 42CrMo4");
    EXPECT_TRUE(m_state->CanPushbackItemNumbers(nullptr));
    const std::set<int32_t> bracketOnly{0}, shaftOnly{1};
    EXPECT_FALSE(m_state->CanPushbackItemNumbers(&bracketOnly));
    EXPECT_TRUE(m_state->CanPushbackItemNumbers(&shaftOnly));
    // The model takes numbers of its top level only: a sub-row never qualifies.
    m_bom->SetItemNumber(shaft, u"");
    m_bom->SetItemNumber(plate, u"8.7");
    m_bom->SetCellOverride(plate, DLxLocalBOMColumn::Material, u"Steel");
    ASSERT_TRUE(m_bom->GetDescriptor()->DetailIDNotAvailable());
    EXPECT_FALSE(m_state->CanPushbackItemNumbers(nullptr));
}

TEST_F(PartlistState, DuplicateItemNumbersAreFoundNeverForAGroupRow) {
    Rebuild();
    Row* shaft = RowOf(Cookie({}, kShaft));
    Row* motor = RowOf(Cookie({}, kMotor));
    EXPECT_FALSE(shaft->CompareItemNumberWithOtherRows());
    m_bom->SetItemNumber(Cookie({}, kMotor), u"2");
    Rebuild();
    EXPECT_TRUE(shaft->CompareItemNumberWithOtherRows());
    EXPECT_TRUE(motor->CompareItemNumberWithOtherRows());
    motor->SetFlag(Row::GroupRowFlag, false);
    EXPECT_FALSE(motor->CompareItemNumberWithOtherRows());
}

TEST_F(PartlistState, SequencingLeavesNumbersThatAreAlreadyRight) {
    Rebuild();
    m_state->SequenceTags();
    EXPECT_FALSE(m_bom->IsAnyOfDetailIDsOverriden());
    // Participants shown under their group: the group row gives way to them.
    GroupByMaterial();
    m_state->SetDisplayParticipants(true);
    Rebuild();
    m_state->SequenceTags();
    DLxLocalBOMQuery q(m_bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    std::vector<std::u16string> numbers;
    for (size_t i = 0; i < q.RowCount(); ++i)
        numbers.push_back(q.RowAt(i)->GetItemNumber());
    // In model order: the participants were numbered first, where their group row stands.
    EXPECT_EQ(numbers,
              (std::vector<std::u16string>{u"4", u"5", u"6", u"1", u"2", u"3", u"7", u"8"}));
}

TEST_F(PartlistState, SequencingNumbersShownRowsAndGroupParticipants) {
    m_bom->SetItemNumber(Cookie({}, kShaft), u"20");
    GroupByMaterial();
    Rebuild();
    m_state->SequenceTags();
    Rebuild();
    // The grouped row is first; its participants take 1 to 3, the others follow.
    std::vector<UTxString16> items;
    for (int32_t i = 0; i < m_state->GetRowCount(); ++i)
        items.push_back(m_state->GetValue(i, 0));
    EXPECT_EQ(items, (std::vector<UTxString16>{u"1", u"4", u"5", u"6", u"7", u"8"}));
    DLxLocalBOMQuery q(m_bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowByCookie(Cookie({}, kNut))->GetItemNumber(), u"3");
    // The bracket already had number 4: it was not rewritten into an override of its own.
    std::u16string number;
    EXPECT_FALSE(m_bom->GetItemNumberOverride(Cookie({}, kBracket), number) && number != u"4");
}

TEST_F(PartlistState, SelectedMembersRepeatMemberSpecificColumns) {
    m_state->SetSelectedMembers({u"M8", u"M10"}, true);
    // The bracket model is no factory: only the flag for older documents makes columns
    // member specific. Without it two members leave the columns single.
    std::vector<UTxString16> headings;
    for (const auto& c : m_state->GetOriginalColumns())
        headings.push_back(c.get()->GetPropertyID()->GetPropertyExternalName());
    EXPECT_EQ(m_state->GetSelectedMembers().size(), 2u);
    EXPECT_EQ(headings.size(), 3u);

    m_state->SetFlagBit(DLxTableStatePartlist::kSeveralMembers, true);
    m_state->SetSelectedMembers({u"M8", u"M10"}, true);
    headings.clear();
    for (const auto& c : m_state->GetOriginalColumns())
        headings.push_back(c.get()->GetPropertyID()->GetPropertyExternalName());
    EXPECT_EQ(headings,
              (std::vector<UTxString16>{u"Heading", u"Heading", u"Heading M8", u"Heading M10"}));
    m_state->SetSelectedMembers({u"M8"}, true);
    headings.clear();
    for (const auto& c : m_state->GetOriginalColumns())
        headings.push_back(c.get()->GetPropertyID()->GetPropertyExternalName());
    // One member: one copy with the plain heading (the property's name), named by the member.
    EXPECT_EQ(headings, (std::vector<UTxString16>{u"Heading", u"Heading", u"Material"}));
    EXPECT_EQ(m_state->GetColumn(2)->GetPropertyID()->GetMemberID(), u"M8");
}

TEST_F(PartlistState, ABillOfAPartKeepsOneMemberUnlessAnOlderDocumentKeptSeveral) {
    for (DLxAssemblyComponent& c : m_assembly.components)
        if (c.id == kRoot) c.kind = DLxAssemblyComponent::Kind::Part;
    m_bom->Attach(&m_assembly);
    ASSERT_FALSE(m_bom->IsAssemblyBased());
    struct Case {
        bool several;
        size_t kept;
    };
    for (const Case c : {Case{false, 1}, Case{true, 2}}) {
        SCOPED_TRACE(c.several);
        m_state->SetFlagBit(DLxTableStatePartlist::kSeveralMembers, c.several);
        m_state->SetFlagBit(DLxTableStatePartlist::kHideZeroQuantityRows, true);
        m_state->SetSelectedMembers({u"M8", u"M10"}, true);
        EXPECT_EQ(m_state->GetSelectedMembers().size(), c.kept);
        EXPECT_FALSE(m_state->GetHideZeroQuantityRows());
    }
}

TEST_F(PartlistState, SetColumnsWithMembersReportsWhetherTheColumnsWereApplied) {
    m_state->SetSelectedMembers({u"M8"}, false);
    DUxTableColumnList columns{RSeRef<DUxTableStyleColumn>(Column(u"7"))};
    EXPECT_TRUE(m_state->SetColumns(columns, true));
    ASSERT_EQ(m_state->GetOriginalColumns().size(), 1u);
    DUxTableStyle::ClearColumns(columns);

    auto* bad = new (TstUncopyableMeta(), RSe::TransientSegment()) TstUncopyableColumn();
    bad->GetPropertyID()->SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    bad->GetPropertyID()->SetPropertyID(u"3");
    columns.emplace_back(bad);
    EXPECT_FALSE(m_state->SetColumns(columns, true));
    DUxTableStyle::ClearColumns(columns);
}

TEST_F(PartlistState, CellTextsWrapAndHeadingsTrimInTheTablesFonts) {
    // At this height a character is one unit wide; the gaps take one unit on either side.
    DUxTableStylePartsList* style = DUxTableStylePartsList::CreateStyle(Seg(), u"Parts");
    ASSERT_TRUE(style);
    const DUxTableStyle::TextLook look{0, 1.0 / 0.6};
    style->SetTextStyle(look);
    style->SetHeadingTextStyle(look);
    style->SetTitleTextStyle(look);
    style->SetRowGap(1.0);
    style->SetHeadingGap(1.0);
    style->SetTitleGap(1.0);
    m_state->SetStyle(style);
    EXPECT_FALSE(m_state->UsesFormatCodes());

    struct Case {
        const char16_t* text;
        double width;
        int32_t lines;
        const char16_t* wrapped;
    };
    const Case cases[] = {
        {u"Hex bolt M8x30", 11.0, 2, u"Hex bolt \nM8x30"},
        {u"Hex bolt M8x30", 20.0, 1, u"Hex bolt M8x30"},
        {u"Gear\r\nmotor", 20.0, 2, u"Gear\r\nmotor"},
        {u"Gear\r\n", 20.0, 2, u"Gear\r\n"},
        {u"abcdefgh", 5.0, 3, u"abc\ndef\ngh"},
    };
    for (const Case& c : cases) {
        UTxString16 text = c.text, expected = c.wrapped;
        // The table writes line ends as "\r\n" and "\n" in these texts.
        auto unescape = [](UTxString16 t) {
            UTxString16 out;
            for (size_t i = 0; i < t.size(); ++i) {
                if (t[i] == u'\\' && i + 1 < t.size() && (t[i + 1] == u'n' || t[i + 1] == u'r')) {
                    out += t[i + 1] == u'n' ? u'\n' : u'\r';
                    ++i;
                } else {
                    out += t[i];
                }
            }
            return out;
        };
        text = unescape(text);
        expected = unescape(expected);
        SCOPED_TRACE(&c - cases);
        auto* cell = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                          RSe::TransientSegment()) RDxString();
        cell->SetSimpleValue(text);
        EXPECT_EQ(m_state->WrapCellText(*cell, c.width), c.lines);
        EXPECT_EQ(cell->GetSimpleValue(), expected);
        RSe::DeleteObject(cell);
    }

    // A text wrapped before is wrapped anew when what decides its lines changed: the text
    // height, the breaks at blanks, and whether it is read with its codes.
    auto wrap = [&](const UTxString16& text, double width, bool formatted) {
        auto* cell = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                          RSe::TransientSegment()) RDxString();
        if (formatted)
            cell->SetFormattedValue(text, 0x131);
        else
            cell->SetSimpleValue(text);
        const int32_t lines = m_state->WrapCellText(*cell, width);
        const std::pair<int32_t, UTxString16> out{lines, formatted ? cell->GetFormattedValue()
                                                                   : cell->GetSimpleValue()};
        RSe::DeleteObject(cell);
        return out;
    };
    using Wrapped = std::pair<int32_t, UTxString16>;
    EXPECT_EQ(wrap(u"Hex bolt M8x30", 20.0, false), Wrapped(1, u"Hex bolt M8x30"));
    style->SetTextStyle({0, 2.0 / 0.6}); // two units a character
    EXPECT_EQ(wrap(u"Hex bolt M8x30", 20.0, false), Wrapped(2, u"Hex bolt \nM8x30"));
    style->SetTextStyle(look);
    EXPECT_EQ(wrap(u"ab cdefg", 6.0, false), Wrapped(3, u"ab \ncdef\ng"));
    EXPECT_EQ(wrap(u"ab cdefg", 6.0, true), Wrapped(3, u"ab \ncdef\ng"));
    const uint32_t flags = m_state->GetFlagWord();
    m_state->SetFlagWord(flags | 0x2); // no breaks at blanks
    EXPECT_EQ(wrap(u"ab cdefg", 6.0, false), Wrapped(2, u"ab c\ndefg"));
    m_state->SetFlagWord(flags);
    EXPECT_EQ(wrap(u"ab cdefg", 6.0, false), Wrapped(3, u"ab \ncdef\ng"));

    // Headings keep their start or end by their alignment; titles their start.
    auto* heading = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                         RSe::TransientSegment()) RDxString();
    DUxTableStyleColumn* column = StateColumn(2);
    column->SetWidth(8.0);
    for (const auto& [alignment, kept] :
         {std::pair<int32_t, const char16_t*>{1, u"Materi"}, {2, u"terial"}}) {
        SCOPED_TRACE(alignment);
        column->SetHeadingAlignment(alignment);
        heading->SetSimpleValue(u"Material");
        m_state->FitColumnHeading(*heading, column);
        EXPECT_EQ(heading->GetSimpleValue(), kept);
    }
    heading->SetSimpleValue(u"Parts list");
    m_state->FitTitle(*heading, 8.0);
    EXPECT_EQ(heading->GetSimpleValue(), u"Parts ");
    m_state->FitTitle(*heading, 2.5); // narrower than one character between its gaps
    EXPECT_EQ(heading->GetSimpleValue(), u"");
    RSe::DeleteObject(heading);
}

TEST_F(PartlistState, SortingOrdersTheRowsByTheBillsSortAndKeepsThem) {
    Rebuild();
    const std::vector<DUxTableRowBase*> before = m_state->GetRows();
    // A key past the columns is passed over.
    m_state->SortRows({{int16_t(2), DUxTableStateBase::eDescending},
                       {int16_t(9), DUxTableStateBase::eAscending}});
    ASSERT_EQ(m_state->GetSortDef().size(), 2u);
    std::vector<UTxString16> materials;
    for (int32_t i = 0; i < m_state->GetRowCount(); ++i)
        materials.push_back(m_state->GetValue(i, 2));
    std::vector<UTxString16> sorted = materials;
    std::stable_sort(sorted.begin(), sorted.end(), std::greater<>());
    EXPECT_EQ(materials, sorted);
    // The same row objects, only in another order.
    std::vector<DUxTableRowBase*> after = m_state->GetRows();
    std::sort(after.begin(), after.end());
    std::vector<DUxTableRowBase*> same = before;
    std::sort(same.begin(), same.end());
    EXPECT_EQ(after, same);
}

TEST_F(PartlistState, ACopyOutsideTheDocumentKeepsTheBillAndOwnsItsKeys) {
    GroupByMaterial();
    m_state->SetSelectedMembers({u"M8"}, false);
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({m_state}).Failed());
    auto* copy = dynamic_cast<DLxTableStatePartlist*>(cc.CloneOf(m_state));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->LocalBOM(), m_bom);
    EXPECT_EQ(copy->GetFlags(), m_state->GetFlags());
    EXPECT_EQ(copy->GetSelectedMembers(), m_state->GetSelectedMembers());
    ASSERT_EQ(copy->GetGroupKeys().size(), 1u);
    EXPECT_NE(copy->GetGroupKeys()[0].get(), m_state->GetGroupKeys()[0].get());
    EXPECT_TRUE(copy->IsGroupingEnabled());
}

TEST_F(PartlistState, SaveLoadSaveGivesTheSameBytes) {
    m_state->SetFlagBit(DLxTableStatePartlist::kSeveralMembers, true);
    m_state->SetSelectedMembers({u"M8", u"M10"}, false);
    GroupByMaterial();
    m_bom->AddCustom();
    Rebuild();
    auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(
        m_state->GetRow(1)->GetValueRaw(StateColumn(2), true));
    ASSERT_TRUE(cell);
    cell->SetOverride(u"Local");
    m_state->GetRow(2)->SetFlag(Row::HiddenRowFlag, false);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    // The member copies of a column come back as copies of their members.
    const auto* loaded = dynamic_cast<DLxTableStatePartlist*>(db->FindObject(m_state->GetId()));
    ASSERT_TRUE(loaded);
    std::vector<UTxString16> members;
    for (const auto& c : loaded->GetOriginalColumns())
        members.push_back(c.get()->GetPropertyID()->GetMemberID());
    EXPECT_EQ(members, (std::vector<UTxString16>{u"", u"", u"M8", u"M10"}));
    EXPECT_EQ(loaded->GetRowCount(), m_state->GetRowCount());
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    // Where the two saves part, for a readable failure.
    size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at])
        ++at;
    EXPECT_EQ(at, bytes.size()) << "sizes " << bytes.size() << " and " << again.size();
    EXPECT_EQ(again.size(), bytes.size());
}

TEST_F(PartlistState, RebuildsAndEditsUndoToTheSameBytes) {
    Rebuild();
    RSeDatabase* db = m_doc.GetRSeDb();
    auto bytes = [&] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    };
    const std::vector<uint8_t> before = bytes();
    db->BeginTxn();
    GroupByMaterial();
    m_state->SetSelectedMembers({u"M8"}, true);
    Rebuild();
    m_state->AddCustomRow(1);
    m_state->UpdateRow(1);
    dynamic_cast<DUxTableRowData_Partlist*>(m_state->GetRow(2)->GetValueRaw(StateColumn(2), true))
        ->SetOverride(u"Local");
    m_state->SequenceTags();
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    const std::vector<uint8_t> after = bytes();
    EXPECT_NE(after, before);
    db->Undo(*record);
    EXPECT_EQ(bytes(), before);
    db->Redo(*record);
    EXPECT_EQ(bytes(), after);
}

TEST_F(PartlistState, OlderStatesKeepSeveralMembersOnABillOfAPart) {
    m_state->SetSelectedMembers({u"M8", u"M10"}, false);
    ASSERT_EQ(m_state->GetSelectedMembers().size(), 2u);
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    // The loaded bill has no model attached: it is not assembly based.
    for (const uint16_t version : {uint16_t(2), uint16_t(1)}) {
        SCOPED_TRACE(version);
        std::vector<uint8_t> stored = bytes;
        SetStoredVersion(stored, u"DLxTableStatePartlist", version);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(stored.data(), stored.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        const auto* state = dynamic_cast<DLxTableStatePartlist*>(db->FindObject(m_state->GetId()));
        ASSERT_TRUE(state);
        EXPECT_EQ(state->GetSelectedMembers().size(), 2u);
        EXPECT_EQ((state->GetFlags() & DLxTableStatePartlist::kSeveralMembers) != 0, version == 1);
    }
}

TEST_F(PartlistState, OlderCustomRowsOfACurrentBillLoseTheirOverrides) {
    Rebuild();
    DUxTableRowBase* custom = m_state->AddCustomRow(-1);
    Row* shaft = RowOf(Cookie({}, kShaft));
    ASSERT_TRUE(custom && shaft);
    for (DUxTableRowBase* row : {custom, static_cast<DUxTableRowBase*>(shaft)}) {
        auto* cell =
            dynamic_cast<DUxTableRowData_Partlist*>(row->GetValueRaw(StateColumn(2), true));
        ASSERT_TRUE(cell);
        cell->SetOverride(u"Local");
    }
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    for (const uint16_t version : {uint16_t(2), uint16_t(1), uint16_t(0)}) {
        SCOPED_TRACE(version);
        std::vector<uint8_t> stored = bytes;
        SetStoredVersion(stored, u"DLxTableRowPartlist", version);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(stored.data(), stored.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        const auto* state = dynamic_cast<DLxTableStatePartlist*>(db->FindObject(m_state->GetId()));
        ASSERT_TRUE(state);
        auto overridden = [&](uint32_t rowId) {
            auto* row = dynamic_cast<DUxTableRowBase*>(db->FindObject(rowId));
            auto* cell = row ? dynamic_cast<DUxTableRowData_Partlist*>(
                                   row->GetValueRaw(state->GetColumn(2), false))
                             : nullptr;
            return cell && cell->HasOverride() && cell->IsOverridden();
        };
        EXPECT_EQ(overridden(custom->GetId()),
                  version == 2); // a custom row's values are the bill's
        EXPECT_TRUE(overridden(shaft->GetId()));
    }
}

} // namespace
