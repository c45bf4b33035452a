// The component properties table of an older parts list on the bracket assembly: the rows it
// makes for the group's components, the records of its shown rows, custom rows, its tag
// manager, what it keeps through a save and what its stored older forms hold.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListComponentPropertiesTable.h"
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPersistUtil.h"
#include "BofM/DLxTableComponentBinder.h"
#include "KorvuBOMFixture.h"
#include "TstDocWriter.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxTagManager.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

using namespace KorvuBOM;
using Table = DLxPartListComponentPropertiesTable;

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

std::unique_ptr<RSeDatabase> Load(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return db;
}

class PropertiesTables : public ::testing::Test {
protected:
    DLxTagManager* Manager(const DLxAssemblyData& a, int32_t scheme = 1) {
        DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(&db, a, scheme, true);
        EXPECT_TRUE(bom);
        return bom->GetConfiguration(true)->GetTagManager(true);
    }
    // A table whose group stands on the structure of `tm`, with these item ranges.
    Table* NewTable(DLxTagManager* tm, bool structured, DLxPartListItemIdRanges* ranges = nullptr) {
        auto* group = Make<DLxPartListComponentGroup>(
            seg, RSeRef<DLxBOMProxy>(Make<DLxBOMProxy>(seg)), false);
        group->SetDataSourceProxy(RSeRef<DLxStructureNode>(tm->GetRootNode()));
        return Make<Table>(
            seg, RSeRef<DLxPartListColumnHeaders>(DLxPartListColumnHeaders::New(seg, true)),
            RSeRef<DLxPartListComponentGroup>(group), RSeRef<DLxPartListItemIdRanges>(ranges),
            structured);
    }
    // Item ranges as an older document stored them, copied into the test's segment.
    DLxPartListItemIdRanges* Ranges(std::vector<UTxString16> single,
                                    std::vector<UTxString16> bounds) {
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t meta = w.AddClass(u"DLxPartListItemIdRanges", 0);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        DLxPersistUtil::WriteVector(s, single);
        DLxPersistUtil::WriteVector(s, bounds);
        w.EndRecord();
        m_rangeDb = Load(w.Finish(2));
        RSeCloneCommander cc(seg);
        EXPECT_FALSE(cc.Clone({m_rangeDb->FindObject(1)}).Failed());
        return dynamic_cast<DLxPartListItemIdRanges*>(cc.CloneOf(m_rangeDb->FindObject(1)));
    }
    static std::vector<std::u16string> Tags(const Table::BinderList& binders) {
        std::vector<std::u16string> out;
        for (const RSeRef<DLxTableComponentBinder>& b : binders)
            out.push_back(b->GetComponentTag(true));
        return out;
    }

    DLxAssemblyData assembly = BracketAssembly();
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    std::unique_ptr<RSeDatabase> m_rangeDb;
};

// A row for each component with a quantity whose item number the ranges show.
TEST_F(PropertiesTables, BindersAreMadeForShownComponentsWithAQuantity) {
    DLxTagManager* tm = Manager(assembly);
    Table::BinderList all;
    NewTable(tm, true)->CreateBinders(all);
    EXPECT_EQ(Tags(all),
              (std::vector<std::u16string>{u"8", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}));
    Table::BinderList some;
    DLxPartListItemIdRanges* ranges = Ranges({u"8"}, {u"02", u"4"});
    ASSERT_TRUE(ranges);
    NewTable(tm, true, ranges)->CreateBinders(some);
    EXPECT_EQ(Tags(some), (std::vector<std::u16string>{u"8", u"2", u"3", u"4"}));

    // A part document's one row stands on its root, which has no quantity.
    DLxAssemblyData part;
    part.root = kBracket;
    part.components.push_back(assembly.components[1]);
    RSeDatabase partDb;
    RSeSegment* partSeg = partDb.CreateSegment(u"Sheet");
    DLxLocalBOM* partBom = DLxLocalBOMMgr::GetLocalBOM(&partDb, part, 1, true);
    ASSERT_TRUE(partBom);
    DLxTagManager* partTm = partBom->GetConfiguration(true)->GetTagManager(true);
    auto* group = Make<DLxPartListComponentGroup>(
        partSeg, RSeRef<DLxBOMProxy>(Make<DLxBOMProxy>(partSeg)), false);
    group->SetDataSourceProxy(RSeRef<DLxStructureNode>(partTm->GetRootNode()));
    auto* table = Make<Table>(partSeg, RSeRef<DLxPartListColumnHeaders>(),
                              RSeRef<DLxPartListComponentGroup>(group),
                              RSeRef<DLxPartListItemIdRanges>(), false);
    Table::BinderList none;
    table->CreateBinders(none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(table->GetTagManager().get(), partTm);
}

// Custom rows: quantity 1, a row-order entry and a tag each; a structured list lists the custom
// part among the tag manager's root nodes, a parts-only list does not.
TEST_F(PropertiesTables, CustomRowsJoinTheTableAndTheStructuredListsRoots) {
    DLxTagManager* tm = Manager(assembly);
    for (bool structured : {true, false}) {
        SCOPED_TRACE(structured ? "structured" : "parts only");
        Table* table = NewTable(tm, structured);
        const size_t roots = tm->GetRootNodes().size();
        DLxTableComponentBinder* custom = table->CreateCustomComponents(0, 0, {});
        ASSERT_TRUE(custom);
        EXPECT_TRUE(custom->IsCustom());
        EXPECT_EQ(custom->GetCachedQuantity(structured), 1);
        EXPECT_EQ(table->GetBinders().size(), 1u);
        EXPECT_EQ(table->GetRowOrder(), std::vector<int32_t>{0});
        EXPECT_EQ(table->GetTags().size(), 1u);
        EXPECT_EQ(tm->GetRootNodes().size(), roots + (structured ? 1 : 0));
        // With a custom row bound, the table's tag manager is the row's.
        EXPECT_EQ(table->GetTagManager().get(), tm);
    }
    auto* lone =
        Make<Table>(seg, RSeRef<DLxPartListColumnHeaders>(), RSeRef<DLxPartListComponentGroup>(),
                    RSeRef<DLxPartListItemIdRanges>(), true);
    EXPECT_FALSE(lone->GetTagManager());
    EXPECT_EQ(lone->CreateCustomComponents(0, 0, {}), nullptr);
}

// The shown rows' records: each binder, then its children while expanded, with its kind.
TEST_F(PropertiesTables, NodeRecordsFollowTheRowsAndTheirChildren) {
    DLxTagManager* tm = Manager(assembly);
    Table* table = NewTable(tm, true);
    table->CreateCustomComponents(0, 0, RSeRef<DLxTagManager>(tm));
    std::vector<Table::NodeRecord> records;
    table->CollectNodes(records);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].kind, 3);

    Table::BinderList made;
    table->CreateBinders(made);
    DLxTableComponentBinder* cover = made.front().get();
    cover->Expand();
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    table->CollectNodes(records = {});
    // The table lists only its own binders: the custom row.
    ASSERT_EQ(records.size(), 1u);
    std::vector<Table::NodeRecord> none;
    Make<Table>(seg, RSeRef<DLxPartListColumnHeaders>(), RSeRef<DLxPartListComponentGroup>(),
                RSeRef<DLxPartListItemIdRanges>(), true)
        ->CollectNodes(none);
    EXPECT_TRUE(none.empty());
}

// Saved and loaded: headers, group, binders, row order and flag; deleting the table deletes
// what it owns and the tag manager's nodes.
TEST_F(PropertiesTables, TheTableKeepsAndOwnsItsParts) {
    DLxTagManager* tm = Manager(assembly);
    Table* table = NewTable(tm, true);
    table->CreateCustomComponents(0, 0, RSeRef<DLxTagManager>(tm));
    std::list<RSeRef<DLxPartListColumn>> columns;
    table->GetColumns(columns);
    EXPECT_EQ(columns.size(), 4u);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    auto loaded = Load(bytes);
    ASSERT_TRUE(loaded);
    auto* lt = dynamic_cast<Table*>(loaded->FindObject(table->GetId()));
    ASSERT_TRUE(lt);
    EXPECT_TRUE(lt->IsStructured());
    EXPECT_EQ(lt->GetRowOrder(), std::vector<int32_t>{0});
    ASSERT_EQ(lt->GetBinders().size(), 1u);
    EXPECT_TRUE(lt->GetBinders()[0]->IsCustom());
    std::list<RSeRef<DLxPartListColumn>> lcolumns;
    lt->GetColumns(lcolumns);
    EXPECT_EQ(lcolumns.size(), 4u);
    EXPECT_TRUE(lt->GetTags().empty()); // a cache of this session

    const uint32_t group = table->GetPartListComponentGroup()->GetId();
    const uint32_t binder = table->GetBinders()[0]->GetId();
    tm->FindNode({115});
    RSe::DeleteObject(table);
    EXPECT_EQ(db.FindObject(group), nullptr);
    EXPECT_EQ(db.FindObject(binder), nullptr);
    EXPECT_EQ(tm->FindNode({}) != nullptr, true); // made again on asking
}

// The tags of the table's rows in row order, each child after "  ".
std::vector<std::u16string> Rows(const Table& t) {
    std::vector<Table::NodeRecord> records;
    t.CollectNodes(records);
    std::vector<std::u16string> out;
    for (int32_t i : t.GetRowOrder()) {
        const DLxTableComponentBinder* b = records.at(size_t(i)).binder.Read();
        out.push_back((b->GetParent() ? u"  " : u"") +
                      (b->IsCustom() ? std::u16string(u"custom") : b->GetComponentTag(true)));
    }
    return out;
}

// Upgrading a structured list: the stored rows keep their place and take their occurrence's
// node, the expanded cover gets its children right after it, a row whose occurrence is gone is
// replaced by a new row at the end.
TEST_F(PropertiesTables, MatchingKeepsTheStoredRowsInPlace) {
    DLxTagManager* tm = Manager(assembly);
    Table* table = NewTable(tm, true);
    table->CreateCustomComponents(0, 0, RSeRef<DLxTagManager>(tm));
    ASSERT_TRUE(table->MatchTagManagerNodes());
    EXPECT_EQ(Rows(*table), (std::vector<std::u16string>{u"custom", u"8", u"1", u"2", u"3", u"4",
                                                         u"5", u"6", u"7"}));
    const uint32_t coverRow = table->GetBinders()[1]->GetId();
    const uint32_t nutRow = table->GetBinders()[7]->GetId();
    table->GetBinders()[1]->Expand();
    ASSERT_TRUE(table->MatchTagManagerNodes());
    EXPECT_EQ(table->GetBinders()[1]->GetId(), coverRow);
    EXPECT_EQ(table->GetBinders()[7]->GetId(), nutRow);
    EXPECT_EQ(Rows(*table), (std::vector<std::u16string>{u"custom", u"8", u"  8.1", u"  8.2", u"1",
                                                         u"2", u"3", u"4", u"5", u"6", u"7"}));

    // The bolts' first occurrence is renumbered: their row goes, a new one ends the list.
    DLxAssemblyData changed = assembly;
    for (DLxAssemblyOccurrence& o : changed.occurrences)
        if (o.id == 105) o.id = 205;
    tm->GetLocalBOM()->Attach(&changed);
    ASSERT_TRUE(table->MatchTagManagerNodes());
    EXPECT_EQ(Rows(*table), (std::vector<std::u16string>{u"custom", u"8", u"  8.1", u"  8.2", u"1",
                                                         u"2", u"3", u"5", u"6", u"7", u"4"}));
    EXPECT_EQ(table->GetBinders().back()->GetComponent()->GetProxy()->GetConnectionId(), 205);
    EXPECT_FALSE(Make<Table>(seg, RSeRef<DLxPartListColumnHeaders>(),
                             RSeRef<DLxPartListComponentGroup>(), RSeRef<DLxPartListItemIdRanges>(),
                             true)
                     ->MatchTagManagerNodes());
}

// Upgrading a parts-only list: rows keep standing on their part's bill row; a part that is no
// longer placed loses its row and its entry in the row order.
TEST_F(PropertiesTables, MatchingAPartsOnlyListFollowsTheBillsRows) {
    DLxTagManager* tm = Manager(assembly, DLxLocalBOM::kPartsOnly);
    Table* table = NewTable(tm, false);
    ASSERT_TRUE(table->MatchTagManagerNodes());
    ASSERT_EQ(table->GetBinders().size(), 9u);
    EXPECT_EQ(table->GetRowOrder(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    std::vector<uint32_t> ids;
    for (const auto& b : table->GetBinders())
        ids.push_back(b->GetId());
    ASSERT_TRUE(table->MatchTagManagerNodes());
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(table->GetBinders()[i]->GetId(), ids[i]) << i;

    DLxAssemblyData noShaft = assembly;
    std::erase_if(noShaft.occurrences,
                  [](const DLxAssemblyOccurrence& o) { return o.component == kShaft; });
    tm->GetLocalBOM()->Attach(&noShaft);
    ASSERT_TRUE(table->MatchTagManagerNodes());
    ASSERT_EQ(table->GetBinders().size(), 8u);
    EXPECT_EQ(db.FindObject(ids[1]), nullptr);
    EXPECT_EQ(table->GetBinders()[1]->GetId(), ids[2]);
    EXPECT_EQ(table->GetRowOrder(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

class FnRequest : public FWxChangeRequest {
public:
    explicit FnRequest(std::function<UTxResult()> run) : m_run(std::move(run)) {}
    UTxResult _Execute(FWxSceneDoc*) override { return m_run(); }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    std::function<UTxResult()> m_run;
};

// Every change the upgrade makes to a table, its rows, components and proxies is recorded:
// undo gives the drawing back byte for byte, redo the upgraded one.
TEST(PropertiesTableHistory, MatchingIsUndoneAndRedoneWhole) {
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(BracketAssembly()));
    RSeDatabase* db = doc.GetRSeDb();
    auto bytes = [db] {
        std::vector<uint8_t> out;
        EXPECT_FALSE(db->SaveToBuffer(out).Failed());
        return out;
    };
    Table* table = nullptr;
    ASSERT_FALSE(
        doc.ProcessChangeRequest(new FnRequest([&] {
               DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(db, *doc.GetAssembly(), 1, true);
               DLxTagManager* tm = bom->GetConfiguration(true)->GetTagManager(true);
               RSeSegment* seg = bom->GetSegment();
               auto* group = Make<DLxPartListComponentGroup>(
                   seg, RSeRef<DLxBOMProxy>(Make<DLxBOMProxy>(seg)), false);
               group->SetDataSourceProxy(RSeRef<DLxStructureNode>(tm->GetRootNode()));
               table = Make<Table>(
                   seg, RSeRef<DLxPartListColumnHeaders>(DLxPartListColumnHeaders::New(seg, true)),
                   RSeRef<DLxPartListComponentGroup>(group), RSeRef<DLxPartListItemIdRanges>(),
                   true);
               table->CreateCustomComponents(0, 0, RSeRef<DLxTagManager>(tm));
               return UTxResult();
           }))
            .Failed());
    const std::vector<uint8_t> before = bytes();
    auto upgrade = [&] {
        return doc.ProcessChangeRequest(new FnRequest([&] {
            table->MatchTagManagerNodes();
            table->GetBinders()[1]->Expand();
            table->MatchTagManagerNodes();
            auto* quantity =
                table->GetBinders()[2]
                    ->GetProperty(DLxPartListPropertyId(DLxPartListPropertyId::eQuantity, -1))
                    .get();
            quantity->SetValueString(u"7");
            table->GetBinders()[3]->SetShown(true);
            return UTxResult();
        }));
    };
    ASSERT_FALSE(upgrade().Failed());
    const std::vector<uint8_t> after = bytes();
    EXPECT_NE(after, before);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(bytes(), before);
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(bytes(), after);
}

// A table of version 3 keeps its custom rows for the upgrade; version 0 has no structured flag.
TEST(PropertiesTableStorage, OlderFormsLoad) {
    for (uint16_t version : {0, 3}) {
        SCOPED_TRACE(version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t meta = w.AddClass(u"DLxPartListComponentPropertiesTable", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        DLxPersistUtil::WriteVector(s, std::vector<int32_t>{1, 0});
        w.RefValue(0);
        w.RefValue(0);
        DLxPersistUtil::WriteVector(s, std::vector<RSeRef<RSeIDed>>{});
        w.RefValue(0);
        if (version >= 1) s.Write(true);
        if (version == 3)
            DLxPersistUtil::WriteVector(
                s, std::vector<std::vector<UTxString16>>{{u"9", u"Grease", u"1"}, {u"10"}});
        w.EndRecord();
        auto db = Load(w.Finish(2));
        ASSERT_TRUE(db);
        auto* t = dynamic_cast<Table*>(db->FindObject(1));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->GetRowOrder(), (std::vector<int32_t>{1, 0}));
        EXPECT_EQ(t->IsStructured(), version == 3);
        EXPECT_EQ(t->RowCount(), version == 3 ? 2u : 0u);
        EXPECT_EQ(t->GetRow(0), version == 3 ? (std::vector<UTxString16>{u"9", u"Grease", u"1"})
                                             : std::vector<UTxString16>());
        EXPECT_TRUE(t->GetRow(5).empty());
        t->ClearRows();
        EXPECT_EQ(t->RowCount(), 0u);
    }
}

} // namespace
