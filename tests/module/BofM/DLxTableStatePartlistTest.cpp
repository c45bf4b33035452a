// The parts-list table state over the shared bracket bill: rebuilds that keep, delete, place and
// regroup rows, flags and gaps from the bill, overrides, sequencing, member columns and storage.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "WinModule.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
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
    m_bom->SetExpanded(Cookie({}, kCover), true);
    Rebuild();
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
    Row* grouped = dynamic_cast<Row*>(
        m_state->CreateRow(DLxTableRowIDLocalBOM(group), m_state, Seg()));
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
    EXPECT_EQ(numbers, (std::vector<std::u16string>{u"4", u"5", u"6", u"1", u"2", u"3", u"7",
                                                    u"8"}));
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
    EXPECT_EQ(headings, (std::vector<UTxString16>{u"Heading", u"Heading", u"Heading M8",
                                                  u"Heading M10"}));
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

TEST_F(PartlistState, SaveLoadSaveGivesTheSameBytes) {
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
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    // Where the two saves part, for a readable failure.
    size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at])
        ++at;
    EXPECT_EQ(at, bytes.size()) << "sizes " << bytes.size() << " and " << again.size();
    EXPECT_EQ(again.size(), bytes.size());
}

} // namespace
